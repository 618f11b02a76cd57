#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <wx/log.h>
#include <wx/xml/xml.h>

#include "LogCapture.h"
#include "MenuXml.h"
#include "XmlFile.h"
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
    // A mebibyte of section ends: a section each, written in time linear in its length.
    wxString sectionEnds;
    for (int i = 0; i < (1 << 20) / 3; ++i)
        sectionEnds += "]]>";
    const std::vector<wxString> texts = {
        sectionEnds,
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

namespace {

std::string Repeat(const std::string& piece, size_t times)
{
    std::string out;
    out.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

} // namespace

// Hostile files are refused with a reason, or read whole, never a crash or a stall
// (the speed of the large ones is measured by the XML reader benchmark).
TEST(MenuXml, HostileFilesAreRefusedOrReadWhole)
{
    const size_t bound = static_cast<size_t>(XmlFile::MaxBytes);
    const std::string item = "<item><name>Name</name></item>";
    std::string atBound = "<Launcher>" + Repeat(item, (bound - 21) / item.size());
    atBound += std::string(bound - atBound.size() - 11, ' ') + "</Launcher>";
    struct Case {
        std::string name, file;
        std::string error;   // the record of a refused file; empty when it reads
        size_t valueLength;  // of the first child's text when it reads
    };
    const std::vector<Case> cases = {
        {"nested to the bound", Repeat("<a>", XmlFile::MaxDepth) + Repeat("</a>", XmlFile::MaxDepth), "", 0},
        {"nested past the bound", Repeat("<a>", XmlFile::MaxDepth + 1) + Repeat("</a>", XmlFile::MaxDepth + 1),
         "Error parsing xml, elements nested deeper than 1000 levels.", 0},
        {"truncated deep menu", "<Launcher>" + Repeat("<a>", 349000),
         "Error parsing xml, elements nested deeper than 1000 levels.", 0},
        {"a million deep", Repeat("<a>", 1000000) + Repeat("</a>", 1000000),
         "Error parsing xml, elements nested deeper than 1000 levels.", 0},
        {"at the size bound", atBound, "", 0},
        {"above the size bound", "<Launcher><name>" + std::string(bound, 'N') + "</name></Launcher>",
         "Error parsing xml, the file is larger than 16777216 bytes.", 0},
        {"a mebibyte of newlines", "<Launcher><name>x" + std::string(1 << 20, '\n') + "</name></Launcher>", "", (1 << 20) + 1},
        {"newlines as references", "<Launcher><name>" + Repeat("&#10;", 1 << 18) + "</name></Launcher>", "", 1 << 18},
        {"not well-formed", "<Launcher><name>", "Error parsing xml, no element found at line 1.", 0},
        {"an entity of its own", "<!DOCTYPE L [<!ENTITY a \"aaaaaaaaaa\">]><Launcher><name>&a;&a;</name></Launcher>", "", 0},
    };
    const zyntest::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        zyntest::WriteFile(dir / "launcher.xml", c.file);
        zyntest::LogCapture log;
        wxXmlDocument doc;
        const bool accepted = c.error.empty();
        ASSERT_EQ(MenuXml::Load(doc, dir / "launcher.xml"), accepted) << log.Text();
        EXPECT_EQ(doc.GetRoot() != nullptr, accepted);
        if (!accepted) {
            EXPECT_TRUE(log.Contains("1 " + c.error)) << log.Text();
            continue;
        }
        const wxXmlNode* first = doc.GetRoot()->GetChildren();
        EXPECT_EQ(first ? MenuXml::Content(first).length() : 0, c.valueLength);
    }
}

// An attribute that fills the file to the size bound reads whole (the toolkit's reader
// rescans it at every piece it is given: over a minute).
TEST(MenuXml, LongAttributesReadWhole)
{
    const zyntest::TempDir dir;
    const std::string start = "<Launcher><menu type=\"", end = "\"/></Launcher>";
    const std::string value(static_cast<size_t>(XmlFile::MaxBytes) - start.size() - end.size(), 'v');
    zyntest::WriteFile(dir / "launcher.xml", start + value + end);
    wxXmlDocument doc;
    ASSERT_TRUE(MenuXml::Load(doc, dir / "launcher.xml"));
    EXPECT_EQ(doc.GetRoot()->GetChildren()->GetAttribute("type").length(), value.size());
}
