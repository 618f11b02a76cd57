#include <gtest/gtest.h>

#include <filesystem>

#include <wx/image.h>
#include <wx/imagpng.h>

#include "BitmapManager.h"
#include "LogCapture.h"
#include "SystemPaths.h"
#include "TestSupport.h"

using namespace BitmapManager;

namespace {

// Every file of the theme, each a small opaque PNG whose blue channel numbers it.
const char* const ThemeFiles[] = {
    "background/btn_normal.png", "background/btn_hover.png", "background/btn_press.png",
    "background/cata_normal.png", "background/cata_hover.png", "background/cata_press.png",
    "background/catb_normal.png", "background/catb_hover.png", "background/catb_press.png",
    "background/list_normal.png", "background/list_hover.png", "background/list_press.png",
    "background/panel.png", "background/message.png", "background/alert.png",
    "icon/help_normal.png", "icon/help_hover.png", "icon/option_normal.png", "icon/option_hover.png",
    "icon/logout_normal.png", "icon/logout_hover.png", "icon/modify_normal.png", "icon/modify_hover.png",
    "icon/add_normal.png", "icon/add_hover.png", "icon/upper_normal.png", "icon/upper_hover.png",
    "icon/lower_normal.png", "icon/lower_hover.png", "icon/remove_normal.png", "icon/remove_hover.png",
    "icon/run_normal.png", "icon/run_hover.png", "icon/ok_normal.png", "icon/ok_hover.png",
    "icon/cancel_normal.png", "icon/cancel_hover.png",
    "symbol/info_normal.png", "symbol/info_hover.png", "symbol/plugin_normal.png", "symbol/plugin_hover.png",
    "symbol/setting_normal.png", "symbol/setting_hover.png",
    "etc/default.png", "etc/indicator.png", "etc/welcome.png", "etc/warning.png", "etc/icon_spacer.png",
};

uint32_t ColourOf(const std::string& file)
{
    for (size_t i = 0; i < std::size(ThemeFiles); ++i) {
        if (file == ThemeFiles[i])
            return 0xFF000000u | static_cast<uint32_t>(i + 1);
    }
    return 0;
}

void WritePng(const std::string& path, int w, int h, uint32_t argb)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    wxImage image(w, h);
    image.InitAlpha();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            image.SetRGB(x, y, (argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
            image.SetAlpha(x, y, argb >> 24);
        }
    ASSERT_TRUE(image.SaveFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG)) << path;
}

// A temporary application directory with the whole fixture theme.
class ThemeStore : public testing::Test {
protected:
    void SetUp() override
    {
        if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
            wxImage::AddHandler(new wxPNGHandler);
        for (const char* file : ThemeFiles)
            WritePng(dir / (std::string("Images/") + file), 3, 2, ColourOf(file));
        previousAppDir = AppDir;
        AppDir = wxString::FromUTF8(dir.Path());
        BitmapStore.clear();
    }
    void TearDown() override
    {
        BitmapStore.clear();
        AppDir = previousAppDir;
        std::filesystem::current_path(previousCwd);
    }
    void Remove(const std::string& file) { std::filesystem::remove(dir / ("Images/" + file)); }
    // The fixture colour each frame of type shows, 0 for a null frame.
    std::vector<uint32_t> Colours(int type)
    {
        std::vector<uint32_t> out;
        for (const Picture& frame : System(type))
            out.push_back(frame.IsOk() ? frame.GetPixel(0, 0) : 0);
        return out;
    }

    zyntest::TempDir dir;
    wxString previousAppDir;
    std::filesystem::path previousCwd = std::filesystem::current_path();
};

} // namespace

TEST_F(ThemeStore, LoadsEveryIdWithItsFramesInOrder)
{
    zyntest::LogCapture log;
    ASSERT_TRUE(Initial());
    EXPECT_EQ(log.Texts(wxLOG_Info), (std::vector<std::string>{"Initializing BitmapManager...", "BitmapManager is ready."}));
    auto c = [](const char* file) { return ColourOf(file); };
    EXPECT_EQ(Colours(BITMAP_BUTTON), (std::vector<uint32_t>{c("background/btn_normal.png"), c("background/btn_hover.png"), c("background/btn_press.png")}));
    EXPECT_EQ(Colours(BITMAP_CATALOG).size(), 6u);
    EXPECT_EQ(Colours(BITMAP_CATALOG)[3], c("background/catb_normal.png"));
    EXPECT_EQ(Colours(BITMAP_ALERT), std::vector<uint32_t>{c("background/alert.png")});
    EXPECT_EQ(Colours(ETC_NULL), (std::vector<uint32_t>{0, 0, 0}));
    EXPECT_EQ(Colours(ETC_DEFAULT), std::vector<uint32_t>{c("etc/default.png")});
    // Icons and symbols: normal, hover, and the hover frame again for press.
    for (int type = ICON_HELP; type <= ICON_CANCEL; ++type)
        ASSERT_EQ(System(type).size(), 3u) << type;
    for (int type : {ICON_OPTION, SYMBOL_SETTING}) {
        const Frames& f = System(type);
        ASSERT_EQ(f.size(), 3u);
        EXPECT_TRUE(f[2].SharesPixelsWith(f[1]));
        EXPECT_FALSE(f[1].SharesPixelsWith(f[0]));
    }
    EXPECT_EQ(Colours(ICON_OPTION)[0], c("icon/option_normal.png"));
    EXPECT_EQ(Colours(SYMBOL_SETTING)[1], c("symbol/setting_hover.png"));
    // The spacer: one image, three references.
    const Frames& spacer = System(ETC_ICON_SPACER);
    ASSERT_EQ(spacer.size(), 3u);
    EXPECT_TRUE(spacer[1].SharesPixelsWith(spacer[0]));
    EXPECT_TRUE(spacer[2].SharesPixelsWith(spacer[0]));
}

TEST_F(ThemeStore, EveryBackgroundsFirstFrameIsRequired)
{
    const char* required[] = {"background/btn_normal.png", "background/cata_normal.png", "background/list_normal.png",
                              "background/panel.png", "background/message.png", "background/alert.png"};
    for (const char* file : required) {
        SCOPED_TRACE(file);
        const std::string path = dir / (std::string("Images/") + file);
        std::filesystem::rename(path, path + ".away");
        zyntest::LogCapture log;
        EXPECT_FALSE(Initial());
        // No error of its own: the start ends with a general box, and the verbose log names the file.
        EXPECT_TRUE(log.Texts(wxLOG_Error).empty());
        EXPECT_EQ(log.Texts(wxLOG_Info).back(), "Cannot load the theme image \"Images/" + std::string(file) + "\".");
        std::filesystem::rename(path + ".away", path);
    }
    // Any other file may be missing; its frame is null and later frames keep their places.
    for (const char* file : {"background/btn_hover.png", "background/catb_normal.png", "etc/default.png", "symbol/info_normal.png"})
        Remove(file);
    ASSERT_TRUE(Initial());
    EXPECT_EQ(Colours(BITMAP_BUTTON)[1], 0u);
    EXPECT_EQ(Colours(BITMAP_BUTTON)[2], ColourOf("background/btn_press.png"));
    EXPECT_EQ(Colours(BITMAP_CATALOG)[3], 0u);
    EXPECT_EQ(Colours(BITMAP_CATALOG)[4], ColourOf("background/catb_hover.png"));
    EXPECT_EQ(Colours(ETC_DEFAULT), std::vector<uint32_t>{0});
    EXPECT_EQ(Colours(SYMBOL_INFO)[0], 0u);
}

TEST_F(ThemeStore, MissingHoverLeavesNormalNullNull)
{
    Remove("icon/run_hover.png");
    ASSERT_TRUE(Initial());
    EXPECT_EQ(Colours(ICON_RUN), (std::vector<uint32_t>{ColourOf("icon/run_normal.png"), 0, 0}));
}

TEST_F(ThemeStore, AnUnknownIdIsLoggedAndGivesThreeNullFrames)
{
    zyntest::LogCapture log;
    const Frames& frames = System(7); // before Initial too
    EXPECT_EQ(frames.size(), 3u);
    ASSERT_TRUE(Initial());
    EXPECT_EQ(Colours(7), (std::vector<uint32_t>{0, 0, 0}));
    const std::vector<std::string> errors = log.Texts(wxLOG_Error);
    EXPECT_EQ(errors, (std::vector<std::string>(2, "Invalid BITMAP_TYPE."))); // one per call
    EXPECT_EQ(log.lines[0].source, "include/BitmapManager");
    EXPECT_EQ(log.lines[0].function, "System");
}

TEST_F(ThemeStore, IconSetsFallBackFrameByFrame)
{
    const std::string n = dir / "set/n.png", h = dir / "set/h.png", p = dir / "set/p.png";
    WritePng(n, 4, 4, 0xFF000011u);
    WritePng(h, 4, 4, 0xFF000022u);
    WritePng(p, 4, 4, 0xFF000033u);
    const wxString N = wxString::FromUTF8(n), H = wxString::FromUTF8(h), P = wxString::FromUTF8(p);
    const wxString missing = "set/none.png";
    struct Case {
        const char* name;
        wxString normal, hover, press;
        std::vector<uint32_t> colours;
        int shares1, shares2; // the frame that frames 1 and 2 refer to, -1 for their own
    };
    const Case cases[] = {
        {"all three", N, H, P, {0x11, 0x22, 0x33}, -1, -1},
        {"normal only", N, "", "", {0x11, 0x11, 0x11}, 0, 1},
        {"press only", "", "", P, {0, 0, 0x33}, -1, -1},
        {"hover fails", N, missing, P, {0x11, 0x11, 0x33}, 0, -1},
        {"nothing", "", "", "", {0, 0, 0}, -1, -1},
        {"nothing loads", missing, missing, missing, {0, 0, 0}, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Frames frames = LoadIconSet(c.normal, c.hover, c.press, wxDefaultSize);
        ASSERT_EQ(frames.size(), 3u);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(frames[i].IsOk() ? frames[i].GetPixel(0, 0) & 0xFF : 0u, c.colours[i]) << i;
        if (c.shares1 >= 0) {
            EXPECT_TRUE(frames[1].SharesPixelsWith(frames[c.shares1]));
        }
        if (c.shares2 >= 0) {
            EXPECT_TRUE(frames[2].SharesPixelsWith(frames[c.shares2]));
        }
    }
    // Relative paths are the application directory's, wherever the process stands.
    std::filesystem::current_path("/");
    const Frames relative = LoadIconSet("set/n.png", "", "", wxSize(2, 2));
    ASSERT_TRUE(relative[0].IsOk());
    EXPECT_EQ(relative[0].GetSize(), wxSize(2, 2));
    EXPECT_EQ(relative[0].GetPixel(1, 1), 0xFF000011u);
}

TEST_F(ThemeStore, PicturesAreFittedNeverEnlarged)
{
    struct Case {
        wxSize image, box, result; // result 0x0: no picture
    };
    const Case cases[] = {
        {{200, 100}, {46, 46}, {46, 23}}, {{100, 200}, {46, 46}, {23, 46}}, {{40, 30}, {46, 46}, {40, 30}},
        {{100, 100}, {46, 46}, {46, 46}}, {{220, 220}, {220, 220}, {220, 220}}, {{60, 40}, {26, 26}, {26, 17}},
        {{1000, 10}, {46, 46}, {0, 0}},   {{10, 1000}, {46, 46}, {0, 0}},       {{300, 20}, wxDefaultSize, {300, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.image.x << "x" << c.image.y << " in " << c.box.x << "x" << c.box.y);
        const std::string path = dir / "scaled.png";
        WritePng(path, c.image.x, c.image.y, 0xFF406080u);
        const Picture fitted = LoadScaledBitmap(wxString::FromUTF8(path), c.box);
        EXPECT_EQ(fitted.IsOk() ? fitted.GetSize() : wxSize(0, 0), c.result);
        if (fitted.IsOk()) {
            EXPECT_EQ(fitted.GetPixel(fitted.GetWidth() / 2, fitted.GetHeight() / 2), 0xFF406080u);
        }
        const Frames set = LoadIconSet(wxString::FromUTF8(path), "", "", c.box);
        EXPECT_EQ(set[0].IsOk() ? set[0].GetSize() : wxSize(0, 0), c.result);
    }
    EXPECT_FALSE(LoadScaledBitmap("no/such.png", wxSize(46, 46)).IsOk());
    // Any format the toolkit reads.
    wxImage bmp(8, 4);
    bmp.SetRGB(wxRect(0, 0, 8, 4), 10, 20, 30);
    ASSERT_TRUE(bmp.SaveFile(wxString::FromUTF8(dir / "picture.bmp"), wxBITMAP_TYPE_BMP));
    const Picture fromBmp = LoadScaledBitmap(wxString::FromUTF8(dir / "picture.bmp"), wxSize(4, 4));
    ASSERT_TRUE(fromBmp.IsOk());
    EXPECT_EQ(fromBmp.GetSize(), wxSize(4, 2));
}

TEST(ThemeStoreOfTheBuild, TheThemeLoads)
{
    const wxString previous = AppDir;
    AppDir = wxString::FromUTF8(zyntest::AppDirOfBuild());
    EXPECT_TRUE(Initial());
    for (int type : {BITMAP_BUTTON, BITMAP_CATALOG, BITMAP_LIST, ICON_HELP, SYMBOL_INFO, ETC_INDICATOR, ETC_ICON_SPACER}) {
        for (const Picture& frame : System(type))
            EXPECT_TRUE(frame.IsOk()) << type;
    }
    EXPECT_EQ(System(BITMAP_BUTTON)[0].GetSize(), wxSize(60, 60));
    BitmapStore.clear();
    AppDir = previous;
}

// Items showing the same icons share one decoded set; a file written anew is read again.
TEST_F(ThemeStore, IconSetsAreDecodedOncePerFile)
{
    const std::string n = dir / "shared/n.png";
    WritePng(n, 4, 4, 0xFF000011u);
    const wxString N = wxString::FromUTF8(n);
    const Frames first = LoadIconSet(N, "", "", wxDefaultSize);
    const Frames second = LoadIconSet(N, "", "", wxDefaultSize);
    ASSERT_TRUE(first[0].IsOk());
    EXPECT_TRUE(second[0].SharesPixelsWith(first[0]));
    EXPECT_EQ(LoadIconSet(N, "", "", wxSize(2, 2))[0].GetSize(), wxSize(2, 2)); // another size is its own set
    WritePng(n, 5, 4, 0xFF000022u);
    const Frames changed = LoadIconSet(N, "", "", wxDefaultSize);
    EXPECT_EQ(changed[0].GetSize(), wxSize(5, 4));
    EXPECT_EQ(changed[0].GetPixel(0, 0) & 0xFF, 0x22u);
}
