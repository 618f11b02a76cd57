#include <gtest/gtest.h>

#include <vector>

#include <wx/mstream.h>
#include <wx/sstream.h>
#include <wx/xml/xml.h>

#include "MenuXml.h"

namespace {

// Writes an element holding text (as CDATA or as text) and reads it back through a file image.
wxString RoundTrip(const wxString& text, bool cdata)
{
    wxXmlDocument doc;
    wxXmlNode* root = new wxXmlNode(wxXML_ELEMENT_NODE, "Launcher");
    doc.SetRoot(root);
    if (cdata)
        MenuXml::AddCData(root, "command", text);
    else
        MenuXml::AddText(root, "name", text);
    wxStringOutputStream out;
    EXPECT_TRUE(doc.Save(out, 2));
    const wxScopedCharBuffer utf8 = out.GetString().utf8_str();
    wxMemoryInputStream in(utf8.data(), utf8.length());
    wxXmlDocument back;
    EXPECT_TRUE(back.Load(in)) << out.GetString();
    return back.IsOk() ? MenuXml::Content(back.GetRoot()->GetChildren()) : wxString("<unreadable>");
}

} // namespace

TEST(MenuXml, TextAndCDataReadBackUnchanged)
{
    const std::vector<wxString> texts = {
        "", "notepad.exe", "a]]>b", "]]>]]>", "x]]", "<&>\"'", "line one\nline two",
        wxString::FromUTF8("\xe5\x90\xaf\xe5\x8a\xa8 \xf0\x9f\x9a\x80"),
    };
    for (const wxString& text : texts) {
        EXPECT_EQ(RoundTrip(text, true), text) << text;
        EXPECT_EQ(RoundTrip(text, false), text) << text;
    }
}

TEST(MenuXml, CharactersXmlCannotHoldAreDropped)
{
    const wxString text = wxString("a") + wxUniChar(1) + "b" + wxUniChar(0x1b) + "c\td";
    EXPECT_EQ(RoundTrip(text, true), "abc\td");
    EXPECT_EQ(RoundTrip(text, false), "abc\td");
}

TEST(MenuXml, ContentJoinsTextAndCDataChildren)
{
    wxXmlNode element(wxXML_ELEMENT_NODE, "descrip");
    element.AddChild(new wxXmlNode(wxXML_TEXT_NODE, "", "one "));
    element.AddChild(new wxXmlNode(wxXML_ELEMENT_NODE, "stray"));
    element.AddChild(new wxXmlNode(wxXML_CDATA_SECTION_NODE, "", "two"));
    EXPECT_EQ(MenuXml::Content(&element), "one two");
    EXPECT_EQ(MenuXml::Content(nullptr), "");
    EXPECT_EQ(MenuXml::Expect(&element, "descrip"), &element);
    EXPECT_EQ(MenuXml::Expect(&element, "name"), nullptr);
    EXPECT_EQ(MenuXml::Expect(element.GetChildren(), "descrip"), nullptr); // a text node
}

TEST(MenuXml, NumbersAreWholeBaseTenTexts)
{
    const std::vector<std::pair<wxString, long>> cases = {
        {"1", 1}, {"01", 1}, {"-1", -1}, {"2000", 2000}, {"abc", 0}, {"1x", 0}, {"", 0}, {"0x10", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(MenuXml::Number(text), value) << text;
}
