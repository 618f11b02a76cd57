#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <wx/log.h>
#include <wx/xml/xml.h>

#include "LogCapture.h"
#include "MenuXml.h"
#include "TestSupport.h"

namespace {

// Writes an element holding text (as CDATA or as text) into an indented file and reads it back.
wxString RoundTrip(const wxString& text, bool cdata)
{
    wxXmlDocument doc;
    wxXmlNode* root = new wxXmlNode(wxXML_ELEMENT_NODE, "Launcher");
    doc.SetRoot(root);
    wxXmlNode* item = MenuXml::AddElement(root, "item");
    if (cdata)
        MenuXml::AddCData(item, "command", text);
    else
        MenuXml::AddText(item, "name", text);
    MenuXml::AddText(item, "after", "x");
    const zyntest::TempDir dir;
    EXPECT_TRUE(doc.Save(dir / "launcher.xml", 2));
    wxXmlDocument back;
    EXPECT_TRUE(MenuXml::Load(back, dir / "launcher.xml")) << zyntest::ReadFile(dir / "launcher.xml");
    if (!back.IsOk())
        return "<unreadable>";
    const wxXmlNode* value = back.GetRoot()->GetChildren()->GetChildren();
    EXPECT_EQ(MenuXml::Content(value->GetNext()), "x") << "the next element stays in place";
    return MenuXml::Content(value);
}

} // namespace

TEST(MenuXml, TextAndCDataReadBackUnchanged)
{
    const std::vector<wxString> texts = {
        "", "notepad.exe", "a]]>b", "]]>]]>", "x]]", "<&>\"'", "line one\nline two", "a\r\nb\rc\r", "  padded  ", "\rX", "\nX", " \nX", "X\n \n", "&amp;\n",
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

namespace {

std::unique_ptr<wxXmlDocument> ParseFile(const std::string& xml)
{
    const zyntest::TempDir dir;
    zyntest::WriteFile(dir / "launcher.xml", xml);
    auto doc = std::make_unique<wxXmlDocument>();
    EXPECT_TRUE(MenuXml::Load(*doc, dir / "launcher.xml")) << xml;
    return doc;
}

} // namespace

// The reader drops the indentation around elements and CDATA, and nothing of a value.
TEST(MenuXml, LoadDropsOnlyTheIndentation)
{
    auto doc = ParseFile("<?xml version=\"1.0\"?>\n<a>\n  <b>\n    <![CDATA[ one ]]>\n  </b>\n  <c>  two\n</c>\n  <d>\n</d>\n</a>\n");
    const wxXmlNode* b = doc->GetRoot()->GetChildren();
    ASSERT_TRUE(MenuXml::Expect(const_cast<wxXmlNode*>(b), "b"));
    EXPECT_EQ(b->GetChildren()->GetType(), wxXML_CDATA_SECTION_NODE);
    EXPECT_EQ(MenuXml::Content(b), " one ");
    EXPECT_EQ(MenuXml::Content(b->GetNext()), "  two\n");
    EXPECT_EQ(MenuXml::Content(b->GetNext()->GetNext()), "\n");
    EXPECT_EQ(b->GetNext()->GetNext()->GetNext(), nullptr);
    wxXmlDocument missing;
    wxLogNull quiet;
    EXPECT_FALSE(MenuXml::Load(missing, "/nonexistent/launcher.xml"));
}

// What a save would not write back makes a file differ from the tree read from it.
TEST(MenuXml, SameDataComparesWhatASaveWrites)
{
    const std::string base = "<item id='1'><name>n</name><command><![CDATA[a]]><![CDATA[b]]></command></item>";
    const std::vector<std::pair<std::string, bool>> cases = {
        {base, true},
        {"<item id='7'><name>n</name><command>ab</command></item>", true}, // ids and text or CDATA
        {"<item><name>n</name><command><![CDATA[ab]]></command></item>", true},
        {"<item id='1'><name>m</name><command>ab</command></item>", false},
        {"<item id='1' x='2'><name>n</name><command>ab</command></item>", false},
        {"<item id='1'><name>n</name><command>ab</command><panel/></item>", false},
        {"<item id='1'><name>n</name></item>", false},
        {"<item id='1'><name>n</name><!-- note --><command>ab</command></item>", false},
        {"<menu id='1'><name>n</name><command>ab</command></menu>", false},
    };
    auto expected = ParseFile(base);
    for (const auto& [xml, same] : cases) {
        auto doc = ParseFile(xml);
        EXPECT_EQ(MenuXml::SameData(doc->GetRoot(), expected->GetRoot()), same) << xml;
        EXPECT_EQ(MenuXml::SameData(expected->GetRoot(), doc->GetRoot()), same) << xml;
    }
    EXPECT_TRUE(MenuXml::SameData(nullptr, nullptr));
    EXPECT_FALSE(MenuXml::SameData(expected->GetRoot(), nullptr));
}

// A file nesting elements without end is refused, not a crash: the library frees trees recursively.
TEST(MenuXml, LoadRefusesFilesNestedDeeperThanTheBound)
{
    const zyntest::TempDir dir;
    // The deepest nesting the size bound lets through: seven bytes a level.
    for (const int depth : {MenuXml::MaxXmlDepth, static_cast<int>(MenuXml::MaxFileBytes / 7)}) {
        SCOPED_TRACE(depth);
        std::string xml;
        xml.reserve(static_cast<size_t>(depth) * 7);
        for (int i = 0; i < depth; ++i)
            xml += "<a>";
        for (int i = 0; i < depth; ++i)
            xml += "</a>";
        zyntest::WriteFile(dir / "launcher.xml", xml);
        zyntest::LogCapture log;
        wxXmlDocument doc;
        const bool accepted = depth <= MenuXml::MaxXmlDepth;
        EXPECT_EQ(MenuXml::Load(doc, dir / "launcher.xml"), accepted);
        EXPECT_EQ(doc.GetRoot() != nullptr, accepted);
        EXPECT_EQ(log.Contains("Error parsing xml, elements nested deeper than 1000 levels."), !accepted) << log.Text();
    }
}

// A file above the size bound is refused at once rather than read for minutes.
TEST(MenuXml, LoadRefusesFilesLargerThanTheBound)
{
    const zyntest::TempDir dir;
    const std::string item = "<item><name>Name</name></item>";
    const std::string head = "<Launcher>", tail = "</Launcher>";
    const size_t items = (MenuXml::MaxFileBytes - head.size() - tail.size()) / item.size();
    std::string atBound = head;
    for (size_t i = 0; i < items; ++i)
        atBound += item;
    atBound += std::string(MenuXml::MaxFileBytes - atBound.size() - tail.size(), ' ') + tail;
    ASSERT_EQ(atBound.size(), static_cast<size_t>(MenuXml::MaxFileBytes));
    const std::string above = head + "<name>" + std::string(MenuXml::MaxFileBytes, 'N') + "</name>" + tail;
    for (const bool accepted : {true, false}) {
        SCOPED_TRACE(accepted);
        zyntest::WriteFile(dir / "launcher.xml", accepted ? atBound : above);
        zyntest::LogCapture log;
        wxXmlDocument doc;
        EXPECT_EQ(MenuXml::Load(doc, dir / "launcher.xml"), accepted);
        EXPECT_EQ(log.Contains("1 Error parsing xml, the file is larger than 1048576 bytes."), !accepted) << log.Text();
    }
}
