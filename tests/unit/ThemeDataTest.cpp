// The data files the build assembles into the application directory: every theme image at
// the size the windows draw it with, the event sounds, the default menu and the catalogs.
#include <gtest/gtest.h>

#include <wx/arrstr.h>
#include <wx/filefn.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/sstream.h>
#include <wx/translation.h>
#include <wx/xml/xml.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "BitmapDC.h"
#include "FontManager.h"
#include "InfoPanel.h"
#include "TestSupport.h"

namespace {

struct ThemeImage {
    std::string path;
    int width;
    int height;
    bool blended = true; // drawn with per-pixel alpha; the HP fills are copied as they are
};

std::vector<ThemeImage> ThemeImages()
{
    std::vector<ThemeImage> images = {
        {"Images/background/panel.png", 270, 429},
        {"Images/background/message.png", 400, 237},
        {"Images/background/alert.png", 350, 253},
        {"Images/etc/default.png", 220, 220},
        {"Images/etc/indicator.png", 24, 260},
        {"Images/etc/welcome.png", 320, 128},
        {"Images/etc/warning.png", 120, 120},
        {"Images/etc/icon_spacer.png", 26, 26},
        {"Images/etc/btn_preview.png", 64, 64},
        {"Images/etc/cata_preview.png", 64, 64},
        {"Images/etc/list_preview.png", 64, 64},
        {"Images/etc/undefined.png", 18, 18},
        {"Images/etc/save.png", 18, 18},
        {"Images/etc/cancel.png", 18, 18},
        {"Images/etc/about.png", 400, 104},
        {"Images/etc/hp_bar.png", 368, 84},
        {"Images/etc/hp_green.png", 260, 4, false},
        {"Images/etc/hp_yellow.png", 260, 4, false},
        {"Images/etc/hp_red.png", 260, 4, false},
        {"Images/etc/hp_icon.png", 36, 36},
        {"Images/app.png", 256, 256},
        {"Images/tray.png", 64, 64},
    };
    for (const char* state : {"normal", "hover", "press"}) {
        images.push_back({std::string("Images/background/btn_") + state + ".png", 60, 60});
        images.push_back({std::string("Images/background/list_") + state + ".png", 200, 52});
        images.push_back({std::string("Images/background/cata_") + state + ".png", 180, 44});
        images.push_back({std::string("Images/background/catb_") + state + ".png", 180, 44});
    }
    for (const char* state : {"normal", "hover"}) {
        for (const char* icon : {"help", "option", "logout", "modify", "add", "upper", "lower", "remove", "run"})
            images.push_back({std::string("Images/icon/") + icon + "_" + state + ".png", 26, 26});
        for (const char* icon : {"ok", "cancel"})
            images.push_back({std::string("Images/icon/") + icon + "_" + state + ".png", 40, 40});
        for (const char* symbol : {"info", "plugin", "setting"})
            images.push_back({std::string("Images/symbol/") + symbol + "_" + state + ".png", 46, 46});
        for (const char* emblem : {"terminal", "folder", "globe", "scroll"}) {
            images.push_back({std::string("Images/launcher/") + emblem + "_" + state + ".png", 46, 46});
            images.push_back({std::string("Images/launcher/") + emblem + "_small_" + state + ".png", 26, 26});
        }
    }
    for (const char* page : {"general", "appearance", "sound", "plugin", "about"})
        images.push_back({std::string("Images/etc/panel_") + page + ".png", 64, 50});
    for (int step = 0; step < 24; ++step)
        images.push_back({"Images/etc/clock/b" + std::to_string(step) + ".png", 120, 120});
    for (int n : {16, 22, 24, 32, 48, 64, 128, 256})
        images.push_back({"Images/icons/app_" + std::to_string(n) + ".png", n, n});
    for (int n : {16, 22, 24, 32, 48, 64})
        images.push_back({"Images/icons/tray_" + std::to_string(n) + ".png", n, n});
    return images;
}

std::string AppPath(const std::string& relative) { return zyntest::AppDirOfBuild() + "/" + relative; }

wxImage LoadPng(const std::string& relative)
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    wxImage image;
    if (wxFileExists(AppPath(relative)))
        image.LoadFile(AppPath(relative), wxBITMAP_TYPE_PNG);
    return image;
}

// Mean luminance and alpha of a rectangle, straight colours.
struct Tone {
    double luminance = 0;
    double alpha = 0;
};

Tone MeanTone(const wxImage& image, int x0, int y0, int w, int h)
{
    Tone tone;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            tone.luminance += 0.299 * image.GetRed(x, y) + 0.587 * image.GetGreen(x, y) + 0.114 * image.GetBlue(x, y);
            tone.alpha += image.GetAlpha(x, y);
        }
    tone.luminance /= w * h;
    tone.alpha /= w * h;
    return tone;
}

} // namespace

TEST(ThemeData, EveryImageIsAnAlphaPngOfItsSize)
{
    for (const ThemeImage& expected : ThemeImages()) {
        SCOPED_TRACE(expected.path);
        const wxImage image = LoadPng(expected.path);
        ASSERT_TRUE(image.IsOk()) << "missing or not a PNG";
        EXPECT_EQ(image.GetWidth(), expected.width);
        EXPECT_EQ(image.GetHeight(), expected.height);
        if (expected.blended) {
            EXPECT_TRUE(image.HasAlpha());
        }
    }
}

TEST(ThemeData, TextLandsOnFacesOfTheRightContrast)
{
    // Names are drawn dark on the normal faces and white on the hover and press faces.
    struct Area {
        std::string path;
        int x, y, w, h;
        bool dark; // the text drawn there is dark
    };
    std::vector<Area> areas;
    for (const char* state : {"normal", "hover", "press"}) {
        const bool dark = std::strcmp(state, "normal") == 0;
        areas.push_back({std::string("Images/background/list_") + state + ".png", 66, 20, 100, 14, dark});
        areas.push_back({std::string("Images/background/cata_") + state + ".png", 70, 16, 80, 14, dark});
        areas.push_back({std::string("Images/background/catb_") + state + ".png", 70, 16, 80, 14, dark});
    }
    areas.push_back({"Images/background/panel.png", 60, 28, 126, 14, true});   // title
    areas.push_back({"Images/background/panel.png", 25, 298, 200, 110, true}); // description
    areas.push_back({"Images/background/alert.png", 100, 114, 150, 14, true});
    areas.push_back({"Images/background/message.png", 60, 106, 280, 14, true});
    areas.push_back({"Images/etc/hp_bar.png", 40, 8, 120, 12, false});  // date
    areas.push_back({"Images/etc/hp_bar.png", 42, 37, 200, 17, false});  // name: below the trough, never on it
    areas.push_back({"Images/etc/hp_bar.png", 230, 62, 120, 12, false}); // hit points and level
    for (const Area& a : areas) {
        SCOPED_TRACE(a.path + " at " + std::to_string(a.x) + "," + std::to_string(a.y));
        const wxImage image = LoadPng(a.path);
        ASSERT_TRUE(image.IsOk());
        const Tone tone = MeanTone(image, a.x, a.y, a.w, a.h);
        EXPECT_GT(tone.alpha, 230.0) << "text would stand on a see-through face";
        if (a.dark) {
            EXPECT_GT(tone.luminance, 170.0);
        } else {
            EXPECT_LT(tone.luminance, 110.0);
        }
    }
}

TEST(ThemeData, WindowsHaveSoftTransparentMarginsAndTheBandsTheyStretch)
{
    for (const char* path : {"Images/background/panel.png", "Images/background/alert.png",
                             "Images/background/message.png", "Images/etc/welcome.png", "Images/etc/warning.png",
                             "Images/etc/default.png", "Images/background/list_normal.png"}) {
        SCOPED_TRACE(path);
        const wxImage image = LoadPng(path);
        ASSERT_TRUE(image.IsOk());
        const int w = image.GetWidth(), h = image.GetHeight();
        EXPECT_EQ(image.GetAlpha(0, 0), 0);
        EXPECT_EQ(image.GetAlpha(w - 1, h - 1), 0);
        EXPECT_EQ(image.GetAlpha(w - 1, 0), 0);
    }
    // The information panel: its bottom border lies in rows 421-428 and is copied below any
    // revealed height, so the rows above it must be plain sides (no bottom edge yet).
    const wxImage panel = LoadPng("Images/background/panel.png");
    ASSERT_TRUE(panel.IsOk());
    EXPECT_EQ(panel.GetAlpha(120, 420), 255);
    EXPECT_EQ(panel.GetAlpha(120, 423), 255);
    EXPECT_LT(panel.GetAlpha(120, 428), 128);
    for (int y = 60; y < 420; y += 40)
        EXPECT_EQ(panel.GetAlpha(4, y), panel.GetAlpha(4, 60)) << "left side changes at row " << y;
    // The indicator: the rail between the caps and the middle band repeats unchanged.
    const wxImage indicator = LoadPng("Images/etc/indicator.png");
    ASSERT_TRUE(indicator.IsOk());
    for (int y : {20, 60, 100, 150, 200, 240}) {
        for (int x = 0; x < indicator.GetWidth(); ++x)
            EXPECT_EQ(indicator.GetAlpha(x, y), indicator.GetAlpha(x, 20)) << x << "," << y;
    }
}

namespace {

struct Wave {
    bool ok = false;
    int format = 0, channels = 0, bits = 0, rate = 0;
    double seconds = 0;
};

uint32_t Le(const std::string& s, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(s[at + i]);
    return v;
}

Wave ReadWave(const std::string& data)
{
    Wave w;
    if (data.size() < 12 || data.compare(0, 4, "RIFF") != 0 || data.compare(8, 4, "WAVE") != 0)
        return w;
    size_t at = 12;
    uint32_t dataBytes = 0;
    while (at + 8 <= data.size()) {
        const std::string id = data.substr(at, 4);
        const uint32_t size = Le(data, at + 4, 4);
        if (id == "fmt " && at + 24 <= data.size()) {
            w.format = Le(data, at + 8, 2);
            w.channels = Le(data, at + 10, 2);
            w.rate = Le(data, at + 12, 4);
            w.bits = Le(data, at + 22, 2);
        } else if (id == "data") {
            dataBytes = size;
            w.ok = at + 8 + size <= data.size();
        }
        at += 8 + size + (size & 1);
    }
    if (w.ok && w.rate > 0 && w.channels > 0 && w.bits > 0)
        w.seconds = double(dataBytes) / (w.rate * w.channels * (w.bits / 8));
    return w;
}

} // namespace

TEST(ThemeData, EverySoundIsAShortPcmWave)
{
    const std::map<std::string, double> longest = {{"welcome.wav", 1.6}, {"open.wav", 1.0}, {"menu.wav", 1.0},
                                                   {"press.wav", 0.2},   {"msg.wav", 1.0},  {"alert.wav", 1.0}};
    for (const auto& [name, limit] : longest) {
        SCOPED_TRACE(name);
        const Wave w = ReadWave(zyntest::ReadFile(AppPath("Sounds/" + name)));
        ASSERT_TRUE(w.ok) << "missing or not a WAV file";
        EXPECT_EQ(w.format, 1);
        EXPECT_EQ(w.bits, 16);
        EXPECT_GT(w.seconds, 0.02);
        EXPECT_LT(w.seconds, limit);
    }
}

namespace {

// Walks one menu of the default menu file the way the reader takes it: children by position.
void CheckMenu(const wxXmlNode* menu, std::vector<std::string>& iconPaths)
{
    ASSERT_EQ(menu->GetName(), "menu");
    const long type = wxAtol(menu->GetAttribute("type"));
    ASSERT_TRUE(type >= 1 && type <= 3) << "menu type " << type;
    int items = 0;
    for (const wxXmlNode* item = menu->GetChildren(); item; item = item->GetNext()) {
        ASSERT_EQ(item->GetName(), "item");
        ++items;
        const wxXmlNode* child = item->GetChildren();
        ASSERT_TRUE(child && child->GetName() == "name");
        ASSERT_TRUE(child->GetChildren() && !child->GetNodeContent().empty());
        child = child->GetNext();
        ASSERT_TRUE(child && child->GetName() == "icon");
        const char* faces[] = {"normal", "hover", "press"};
        const wxXmlNode* face = child->GetChildren();
        for (const char* expected : faces) {
            ASSERT_TRUE(face && face->GetName() == expected);
            if (!face->GetNodeContent().empty())
                iconPaths.push_back(face->GetNodeContent().utf8_string());
            face = face->GetNext();
        }
        child = child->GetNext();
        if (type == 1) {
            ASSERT_TRUE(child && child->GetName() == "panel");
            const wxXmlNode* p = child->GetChildren();
            ASSERT_TRUE(p && p->GetName() == "type");
            EXPECT_EQ(p->GetNodeContent(), "1");
            p = p->GetNext();
            ASSERT_TRUE(p && p->GetName() == "descrip");
            ASSERT_TRUE(p->GetChildren() && p->GetChildren()->GetType() == wxXML_CDATA_SECTION_NODE);
            p = p->GetNext();
            ASSERT_TRUE(p && p->GetName() == "image");
            child = child->GetNext();
        } else if (type == 3) {
            ASSERT_TRUE(child && child->GetName() == "action");
            const wxXmlNode* a = child->GetChildren();
            ASSERT_TRUE(a && a->GetName() == "type");
            const long action = wxAtol(a->GetNodeContent());
            EXPECT_TRUE(action >= 1 && action <= 4) << "a user row carries codes 1 to 4, not " << action;
            a = a->GetNext();
            ASSERT_TRUE(a && a->GetName() == "command");
            ASSERT_TRUE(a->GetChildren() && a->GetChildren()->GetType() == wxXML_CDATA_SECTION_NODE);
            EXPECT_FALSE(a->GetNodeContent().empty());
            child = child->GetNext();
        }
        if (child) {
            ASSERT_NE(type, 3) << "list rows own no sub-menu";
            CheckMenu(child, iconPaths);
            EXPECT_EQ(child->GetNext(), nullptr);
        }
    }
    EXPECT_GT(items, 0);
}

} // namespace

TEST(ThemeData, DefaultMenuFollowsTheMenuFileFormat)
{
    EXPECT_TRUE(wxFileExists(AppPath("launcher.xml")));
    const std::string text = zyntest::ReadFile(std::string(ZYN_SOURCE_DIR) + "/data/launcher.xml");
    ASSERT_FALSE(text.empty());
    ASSERT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", 0), 0u);

    // Two spaces per level; a CDATA section on its own line, one level below its element.
    std::istringstream lines(text);
    std::string line, previous;
    while (std::getline(lines, line)) {
        const size_t indent = line.find_first_not_of(' ');
        ASSERT_EQ(line.find('\t'), std::string::npos);
        if (line.rfind("<![CDATA[", indent) == indent) {
            EXPECT_EQ(indent, previous.find_first_not_of(' ') + 2) << line;
        } else if (indent != std::string::npos && line.find("]]>") == std::string::npos) {
            EXPECT_EQ(indent % 2, 0u) << line;
        }
        previous = line;
    }

    wxStringInputStream in(wxString::FromUTF8(text));
    wxXmlDocument doc;
    ASSERT_TRUE(doc.Load(in));
    const wxXmlNode* root = doc.GetRoot();
    ASSERT_TRUE(root && root->GetName() == "Launcher");
    const wxXmlNode* menu = root->GetChildren();
    ASSERT_TRUE(menu && menu->GetName() == "menu");
    ASSERT_EQ(menu->GetAttribute("type"), "1");
    std::vector<std::string> iconPaths;
    CheckMenu(menu, iconPaths);
    for (const std::string& path : iconPaths) {
        SCOPED_TRACE(path);
        EXPECT_TRUE(LoadPng(path).IsOk());
    }
    EXPECT_FALSE(iconPaths.empty());
}

// The panel draws descriptions without wrapping: each line of the default menu's
// descriptions must fit its box, in the fonts the build links, or it is cut short.
TEST(ThemeData, DefaultMenuDescriptionsFitTheirPanel)
{
    zyntest::ScopedAppDir dir;
    ASSERT_TRUE(wxMkdir(wxString::FromUTF8(dir / "Fonts")));
    for (const char* font : {"GothamNights.ttf", "FZZY.ttf"}) {
        const std::string built = zyntest::AppDirOfBuild() + "/Fonts/" + font;
        ASSERT_EQ(symlink(built.c_str(), (dir / "Fonts/" + font).c_str()), 0) << built;
    }
    ASSERT_TRUE(FontManager::Initial());
    const int widest = InfoPanel::DescriptionSize.x - 10 - DefaultTextSize;
    const size_t tallest = static_cast<size_t>((InfoPanel::DescriptionSize.y - 15) / DefaultTextSize);

    wxXmlDocument doc;
    ASSERT_TRUE(doc.Load(wxString::FromUTF8(std::string(ZYN_SOURCE_DIR) + "/data/launcher.xml")));
    int descriptions = 0;
    std::vector<const wxXmlNode*> open = {doc.GetRoot()};
    while (!open.empty()) {
        const wxXmlNode* node = open.back();
        open.pop_back();
        for (const wxXmlNode* child = node->GetChildren(); child; child = child->GetNext())
            open.push_back(child);
        if (node->GetName() != "descrip")
            continue;
        ++descriptions;
        const wxArrayString lines = wxSplit(node->GetNodeContent().Trim().Trim(false), '\n', 0);
        EXPECT_LE(lines.size(), tallest) << node->GetNodeContent();
        for (const wxString& line : lines)
            EXPECT_LE(MeasureGlyphText(line, DefaultTextSize), widest) << line;
    }
    EXPECT_GT(descriptions, 0);
    FontManager::Release();
}

namespace {

// The message ids of a gettext template, escapes resolved.
std::vector<std::string> TemplateIds(const std::string& pot)
{
    std::vector<std::string> ids;
    std::istringstream lines(pot);
    std::string line, current;
    bool inId = false;
    auto unquote = [](const std::string& s) {
        std::string out;
        for (size_t i = s.find('"') + 1; i + 1 < s.size(); ++i) {
            if (s[i] == '\\' && i + 2 < s.size()) {
                const char c = s[++i];
                out += c == 'n' ? '\n' : c == 't' ? '\t' : c;
            } else {
                out += s[i];
            }
        }
        return out;
    };
    while (std::getline(lines, line)) {
        if (line.rfind("msgid ", 0) == 0) {
            inId = true;
            current = unquote(line.substr(6));
        } else if (inId && line.rfind("\"", 0) == 0) {
            current += unquote(line);
        } else if (inId) {
            if (!current.empty())
                ids.push_back(current);
            inId = false;
        }
    }
    return ids;
}

// The catalog of lang from the build's "Langs", installed as the program installs it
// (named by the locale's canonical name) for the scope's lifetime.
class CatalogScope {
public:
    explicit CatalogScope(const std::string& lang) : lang(wxString::FromUTF8(lang))
    {
        wxFileTranslationsLoader::AddCatalogLookupPathPrefix(wxString::FromUTF8(AppPath("Langs")));
        translations = new wxTranslations;
        wxTranslations::Set(translations);
        translations->SetLanguage(this->lang);
        loaded = translations->AddCatalog(this->lang);
    }
    ~CatalogScope() { wxTranslations::Set(nullptr); }
    CatalogScope(const CatalogScope&) = delete;
    CatalogScope& operator=(const CatalogScope&) = delete;

    // The translation of id, or nullopt when the catalog has none.
    std::optional<std::string> Translate(const std::string& id) const
    {
        const wxString* text = translations->GetTranslatedString(wxString::FromUTF8(id), lang);
        if (!text)
            return std::nullopt;
        return text->utf8_string();
    }

    wxTranslations* translations;
    wxString lang;
    bool loaded;
};

const char* const Catalogs[] = {"zh_CN", "zh_TW"};

// What a translation must keep of its text: the mnemonics ("&x", "&&" is a literal "&"), the
// line breaks, the printf directives in their order, and the patterns of a file-dialog
// wildcard ("Label|pattern|Label|pattern"), whose labels alone are words.
struct TextShape {
    int mnemonics = 0;
    int lineBreaks = 0;
    std::vector<std::string> directives;
    std::vector<std::string> patterns;

    bool operator==(const TextShape& o) const
    {
        return mnemonics == o.mnemonics && lineBreaks == o.lineBreaks && directives == o.directives &&
               patterns == o.patterns;
    }
};

TextShape ShapeOf(const std::string& text)
{
    TextShape shape;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++shape.lineBreaks;
        } else if (text[i] == '&' && i + 1 < text.size()) {
            if (text[i + 1] == '&')
                ++i;
            else if (text[i + 1] != ' ')
                ++shape.mnemonics;
        } else if (text[i] == '%' && i + 1 < text.size()) {
            const size_t end = text.find_first_not_of("-+ #0123456789.lhz", i + 1);
            if (end != std::string::npos) {
                shape.directives.push_back(text.substr(i, end - i + 1));
                i = end;
            }
        }
    }
    if (text.find('|') != std::string::npos) {
        std::istringstream fields(text);
        std::string field;
        for (int n = 0; std::getline(fields, field, '|'); ++n)
            if (n % 2 == 1)
                shape.patterns.push_back(field);
    }
    return shape;
}

std::ostream& operator<<(std::ostream& out, const TextShape& shape)
{
    out << shape.mnemonics << " mnemonics, " << shape.lineBreaks << " line breaks, directives";
    for (const std::string& d : shape.directives)
        out << " " << d;
    out << ", patterns";
    for (const std::string& p : shape.patterns)
        out << " " << p;
    return out;
}

} // namespace

TEST(ThemeData, TextShapeSeesMnemonicsDirectivesAndPatterns)
{
    const TextShape exit = ShapeOf("&Exit");
    EXPECT_EQ(exit.mnemonics, 1);
    EXPECT_EQ(ShapeOf("R&&D & more").mnemonics, 0);
    const TextShape format = ShapeOf("Missing: %s, %5.2f%%\nagain");
    EXPECT_EQ(format.directives, (std::vector<std::string>{"%s", "%5.2f", "%%"}));
    EXPECT_EQ(format.lineBreaks, 1);
    EXPECT_EQ(ShapeOf("All (*)|*|Text (*.txt)|*.txt").patterns, (std::vector<std::string>{"*", "*.txt"}));
    EXPECT_FALSE(ShapeOf("Files (*.sh)|*.sh") == ShapeOf("Files (*.sh)|*.py"));
}

TEST(ThemeData, CatalogsAreFoundUnderLangsAndTranslateEveryText)
{
    const std::vector<std::string> ids =
        TemplateIds(zyntest::ReadFile(std::string(ZYN_SOURCE_DIR) + "/data/langs/zyn-utils.pot"));
    ASSERT_GT(ids.size(), 100u);
    const std::map<std::string, std::string> samples = {{"zh_CN", "添加"}, {"zh_TW", "新增"}};
    for (const auto& [lang, add] : samples) {
        SCOPED_TRACE(lang);
        EXPECT_TRUE(wxFileExists(AppPath("Langs/" + lang + "/" + lang + ".mo")));
        CatalogScope catalog(lang);
        // The program adds the catalog named by the locale's canonical name.
        const wxArrayString available = catalog.translations->GetAvailableTranslations(lang);
        EXPECT_NE(available.Index(lang), wxNOT_FOUND);
        ASSERT_TRUE(catalog.loaded);
        EXPECT_EQ(wxGetTranslation("Add", lang).utf8_string(), add);
        for (const std::string& id : ids) {
            const std::optional<std::string> text = catalog.Translate(id);
            EXPECT_TRUE(text) << "no translation of \"" << id << "\"";
            if (text) {
                EXPECT_EQ(ShapeOf(*text), ShapeOf(id)) << "\"" << id << "\" -> \"" << *text << "\"";
            }
        }
    }
}

TEST(ThemeData, HotkeyNamesTranslateToThemselves)
{
    // The preferences store the translated name of the chosen key as the hot key's
    // character, and the key grab reads it as a key of a US keyboard.
    std::vector<std::string> keys;
    for (char c = 'A'; c <= 'Z'; ++c)
        keys.push_back(std::string(1, c));
    for (const char* k : {"`", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "-", "=", "\\"})
        keys.push_back(k);
    for (const char* lang : Catalogs) {
        SCOPED_TRACE(lang);
        CatalogScope catalog(lang);
        ASSERT_TRUE(catalog.loaded);
        for (const std::string& key : keys)
            EXPECT_EQ(catalog.Translate(key).value_or("(none)"), key);
    }
}
