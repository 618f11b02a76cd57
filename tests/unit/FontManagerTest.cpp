#include <gtest/gtest.h>

#include "ConfigKeys.h"
#include "FontFixture.h"
#include "LogCapture.h"

using fixture::FamilyIn;
using fixture::FontCase;
using fixture::FontStore;
using namespace FontManager;

namespace {

const char GothamWarning[] = "Cannot load font file \"Fonts/GothamNights.ttf\" trying to load default fonts.";
const char FzzyWarning[] = "Cannot load font file \"Fonts/FZZY.ttf\" trying to load default fonts.";

std::string SimheiWarning(const std::string& path)
{
    return "Cannot load font file \"" + path + "\" trying to load system fonts.";
}

struct ChainCase {
    const char* name;
    FontCase files;
    bool result;
    const char* slots[FONT_SLOTS]; // family per slot, "" for an empty one
    std::vector<std::string> warnings;
    std::vector<std::string> errors;
};

} // namespace

TEST(FontManager, ChainOpensTheFirstUsableSetWithItsWarnings)
{
    const std::string noCjk = SimheiWarning("simhei.ttf");
    const ChainCase cases[] = {
        {"app fonts", {true, true, true, true}, true, {"", "Quattrocento", "Liberation Serif", "", ""}, {}, {}},
        {"FZZY missing", {true, false, true, true}, true, {"", "Quattrocento", "", "WenQuanYi Zen Hei", ""}, {FzzyWarning}, {}},
        {"FZZY and CJK missing", {true, false, false, true}, true, {"", "Quattrocento", "", "", "Liberation Sans Narrow"}, {FzzyWarning, noCjk}, {}},
        // FZZY is never tried without GothamNights, yet both are reported.
        {"GothamNights missing", {false, true, true, true}, true, {"", "", "", "WenQuanYi Zen Hei", ""}, {GothamWarning, FzzyWarning}, {}},
        {"only Arial", {false, false, false, true}, true, {"", "", "", "", "Liberation Sans Narrow"}, {GothamWarning, FzzyWarning, noCjk}, {}},
        {"nothing", {false, false, false, false}, false, {"", "", "", "", ""}, {GothamWarning, FzzyWarning, noCjk}, {"Cannot Find ANY Avaliable Fonts."}},
    };
    for (const ChainCase& c : cases) {
        SCOPED_TRACE(c.name);
        FontStore store;
        zyntest::LogCapture log;
        ASSERT_TRUE(store.Prepare(c.files)) << "a fixture font is not installed (scripts/deps.sh)";
        EXPECT_EQ(Initial(), c.result);
        for (int slot = 0; slot < FONT_SLOTS; ++slot)
            EXPECT_EQ(FamilyIn(slot), c.slots[slot]) << "slot " << slot;
        EXPECT_EQ(log.Texts(wxLOG_Warning), c.warnings);
        EXPECT_EQ(log.Texts(wxLOG_Error), c.errors);
        const std::vector<std::string> progress = log.Texts(wxLOG_Info);
        ASSERT_FALSE(progress.empty());
        EXPECT_EQ(progress.front(), "Initializing FontManager...");
        EXPECT_EQ(progress.back() == "FontManager is ready.", c.result);
        for (const zyntest::LogLine& line : log.lines) {
            EXPECT_EQ(line.source, "src/FontManager");
            EXPECT_EQ(line.function, "Initial");
        }
    }
}

TEST(FontManager, SimheiWarningNamesTheFileTried)
{
    FontStore store;
    ASSERT_TRUE(store.Prepare({false, false, false, true}));
    // The system answers with a file that is not a font.
    const std::string broken = store.dir / "broken.ttc";
    zyntest::WriteFile(broken, "not a font");
    auto lookup = std::make_unique<zplat::FakeFontLookup>();
    lookup->answers["sans-serif"] = {broken, 0};
    lookup->answers["Arial"] = {fixture::InstalledFont(fixture::ArialFamily), 0};
    zplat::SetFontLookup(std::move(lookup));
    zyntest::LogCapture log;
    ASSERT_TRUE(Initial());
    EXPECT_EQ(log.Texts(wxLOG_Warning).back(), SimheiWarning(broken));
}

TEST(FontManager, FontPathsReachFreeTypeAsUtf8)
{
    FontStore store;
    ASSERT_TRUE(store.Prepare({false, false, false, false}));
    const std::string path = store.dir / "Schriften \xC3\x84rial \xE5\xAD\x97.ttf"; // "Schriften Ärial 字.ttf"
    std::filesystem::copy_file(fixture::InstalledFont(fixture::ArialFamily), path);
    auto lookup = std::make_unique<zplat::FakeFontLookup>();
    lookup->answers["Arial"] = {path, 0};
    zplat::SetFontLookup(std::move(lookup));
    ASSERT_TRUE(Initial());
    EXPECT_EQ(FamilyIn(FONT_ARIAL), fixture::ArialFamily);
}

TEST(FontManager, FaceChoiceKeepsGothamNightsToLatinOne)
{
    FontStore store;
    ASSERT_TRUE(store.Open({true, false, true, true}));
    for (unsigned code : {0u, 65u, 0xE9u, 0xFFu})
        EXPECT_EQ(FaceFor(code), FontFaces[FONT_GOTHAM]) << code;
    for (unsigned code : {0x100u, 0x4E2Du, 0x1F600u})
        EXPECT_EQ(FaceFor(code), FontFaces[FONT_SIMHEI]) << code;
}

TEST(FontManager, ReleaseClosesAndClearsEverySlot)
{
    FontStore store;
    ASSERT_TRUE(store.Open({true, true, true, true}));
    Release();
    EXPECT_EQ(FreeTypeLibrary, nullptr);
    for (FT_Face face : FontFaces)
        EXPECT_EQ(face, nullptr);
    EXPECT_EQ(FaceFor('A'), nullptr);
    Release(); // a second release is harmless
    // And the store opens again.
    EXPECT_TRUE(Initial());
    EXPECT_EQ(FamilyIn(FONT_GOTHAM), fixture::GothamFamily);
}

TEST(FontManager, CustomFontServesEveryCharacterAlone)
{
    FontStore store;
    ASSERT_TRUE(store.Prepare({true, true, true, true}));
    ConfigImpl* core = GetConfig(cfg::Core);
    const wxString custom = wxString::FromUTF8("Eigene Schrift/Fläche 1.ttf"); // relative, with a space and a non-ASCII letter
    core->WriteString(cfg::Appearance, cfg::CustomFont, custom);
    ASSERT_EQ(core->ReadString(cfg::Appearance, cfg::CustomFont, ""), custom) << "the settings did not keep the font";
    store.PlaceCustom(custom.utf8_string());
    zyntest::LogCapture log;
    ASSERT_TRUE(Initial());
    EXPECT_EQ(FamilyIn(FONT_CUSTOM), fixture::CustomFamily);
    for (int slot = FONT_GOTHAM; slot < FONT_SLOTS; ++slot)
        EXPECT_EQ(FontFaces[slot], nullptr) << slot;
    EXPECT_EQ(FaceFor('A'), FontFaces[FONT_CUSTOM]);
    EXPECT_EQ(FaceFor(0x4E2D), FontFaces[FONT_CUSTOM]);
    EXPECT_TRUE(log.Texts(wxLOG_Warning).empty());
}

TEST(FontManager, MissingCustomFontWarnsAndFallsToTheAppFonts)
{
    FontStore store;
    ASSERT_TRUE(store.Prepare({true, true, true, true}));
    ConfigImpl* core = GetConfig(cfg::Core);
    core->WriteString(cfg::Appearance, cfg::CustomFont, "/nowhere/font.ttf");
    ASSERT_EQ(core->ReadString(cfg::Appearance, cfg::CustomFont, ""), "/nowhere/font.ttf")
        << "the settings did not keep the font";
    zyntest::LogCapture log;
    ASSERT_TRUE(Initial());
    EXPECT_EQ(log.Texts(wxLOG_Warning),
              std::vector<std::string>{"Cannot load font file \"/nowhere/font.ttf\", trying to load app fonts."});
    EXPECT_EQ(FamilyIn(FONT_GOTHAM), fixture::GothamFamily);
    EXPECT_EQ(FamilyIn(FONT_FZZY), fixture::FzzyFamily);
}

TEST(FontManager, TheBuiltApplicationFontsOpenWithoutWarnings)
{
    FontStore store;
    // The build's fonts, and settings of the test's own.
    zyntest::LinkFromBuild("Fonts", store.dir.Path());
    AppDir = wxString::FromUTF8(store.dir.Path());
    zyntest::LogCapture log;
    ASSERT_TRUE(Initial());
    EXPECT_TRUE(log.Texts(wxLOG_Warning).empty());
    ASSERT_NE(FontFaces[FONT_GOTHAM], nullptr);
    ASSERT_NE(FontFaces[FONT_FZZY], nullptr);
    // The CJK-capable face has the characters GothamNights never draws.
    EXPECT_NE(FT_Get_Char_Index(FontFaces[FONT_FZZY], 0x4E2D), 0u);
    EXPECT_NE(FT_Get_Char_Index(FontFaces[FONT_GOTHAM], 'A'), 0u);
}

TEST(FontLookup, SystemStandInsAreACjkSansAndAnArialMatch)
{
    zplat::FontFile cjk;
    ASSERT_TRUE(zplat::GetFontLookup().Find("sans-serif", "zh-cn", cjk));
    zplat::FontFile arial;
    ASSERT_TRUE(zplat::GetFontLookup().Find("Arial", "", arial));
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face = nullptr;
    ASSERT_EQ(FT_New_Face(library, cjk.path.c_str(), cjk.index, &face), 0) << cjk.path;
    EXPECT_NE(FT_Get_Char_Index(face, 0x4E2D), 0u) << cjk.path;
    FT_Done_Face(face);
    ASSERT_EQ(FT_New_Face(library, arial.path.c_str(), arial.index, &face), 0) << arial.path;
    EXPECT_STREQ(face->family_name, "Liberation Sans");
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}
