// The launcher window: the menu file it reads and writes back, where it puts
// the root menu, its show, hide and close sequences and its backdrop on screen.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <regex>

#include <wx/weakref.h>

#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "HotkeyManager.h"
#include "IconMenu.h"
#include "LaunchWindow.h"
#include "MenuXml.h"
#include "XmlFile.h"
#include "LauncherFixture.h"
#include "ListItem.h"
#include "ScreenProbe.h"
#include "SoundManager.h"
#include "ZynWidget.h"

using zyntest::Describe;
using zyntest::Icon;
using zyntest::LauncherTest;
using zyntest::LogCapture;
using zyntest::PumpUntil;
using zyntest::ReadFile;
using zyntest::Row;

namespace {

const std::string BuiltIns = "Plug-ins*:3[HP Bar* System Monitor* Image Widget*] Settings*:3[Option* Help* Logout*]";

std::string Launcher(const std::string& inner)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Launcher>" + inner + "</Launcher>\n";
}

std::string RootMenu(const std::string& items) { return "<menu type=\"1\">" + items + "</menu>"; }

// Menus within items, depth levels deep.
std::string Nested(int depth)
{
    std::string open, close;
    for (int i = 0; i < depth; ++i) {
        open += "<menu type=\"1\"><item>";
        close += "</item></menu>";
    }
    return open + close;
}

// Item ids are the window identifiers of the run that wrote the file.
std::string WithoutIds(const std::string& text) { return std::regex_replace(text, std::regex("id=\"[0-9]+\""), "id=\"#\""); }

class LaunchWindowTest : public LauncherTest {
protected:
    void SetUp() override
    {
        LauncherTest::SetUp();
        appDir = std::make_unique<zyntest::ScopedAppDir>();
        Launch::BackdropAlpha = 150;
        ApplyLaunchType(0);
    }

    void TearDown() override
    {
        for (wxWeakRef<LaunchWindow>& window : windows)
            if (window)
                window->Destroy();
        windows.clear();
        wxGetApp().launcher = nullptr;
        ModalOpenFlag = false;
        LauncherTest::TearDown();
        appDir.reset();
    }

    // A launcher reading file as "launcher.xml" (none when empty), made the program's launcher.
    LaunchWindow* Make(const std::string& file = Launcher(RootMenu(Icon("A"))))
    {
        if (!file.empty())
            zyntest::WriteFile(Path("launcher.xml"), file);
        auto* window = new LaunchWindow();
        windows.emplace_back(window);
        wxGetApp().launcher = window;
        return window;
    }

    std::string Path(const std::string& name) const { return *appDir / name; }
    std::string Saved() const { return ReadFile(Path("launcher.xml")); }

    // Error records of the program (the XML reader's own are left out), the directory written "~".
    std::vector<std::string> Errors(const LogCapture& capture) const
    {
        std::vector<std::string> out;
        for (const zyntest::LogLine& line : capture.lines)
            if (line.level == wxLOG_Error && line.source.rfind("src/", 0) == 0)
                out.push_back(std::regex_replace(line.text, std::regex(appDir->Path()), "~"));
        return out;
    }

    static int Alpha(LaunchWindow* window) { return window->GetFrame()->alpha; }

    void Toggle(LaunchWindow* window)
    {
        window->Toggle();
        Sync();
    }

    std::unique_ptr<zyntest::ScopedAppDir> appDir;
    std::vector<wxWeakRef<LaunchWindow>> windows;
};

TEST_F(LaunchWindowTest, MenuFileReadsWhatItCanSaysWhatItCannotAndKeepsWhatItWouldLose)
{
    const std::string kept = "\"~/launcher.xml\" was not read completely; it is kept as \"~/launcher.xml.bak\".";
    const std::string placeholder = "1[Unkonwn " + BuiltIns + "]";
    struct Case {
        std::string name, file; // no file when empty
        bool readerError;        // the XML reader reports the file itself
        std::vector<std::string> errors;
        std::string tree;
    };
    const std::vector<Case> cases = {
        {"no file", "", false, {"Error parsing xml, the file cannot be opened."}, placeholder},
        {"not well-formed", "<Launcher><menu type=\"1\">", false, {"Error parsing xml, no element found at line 1.", kept}, placeholder},
        {"other root", "<Menu><menu type=\"1\"/></Menu>", false, {"Error parsing xml, invalid XML file.", kept}, placeholder},
        {"no root menu", Launcher(""), false, {"Error parsing xml, invalid root menu.", kept}, placeholder},
        {"comment first", Launcher("<!-- menu -->" + RootMenu(Icon("A"))), false,
         {"Error parsing xml, invalid root menu.", kept}, placeholder},
        {"type 01", Launcher("<menu type=\"01\">" + Icon("A") + "</menu>"), false,
         {"Error parsing xml, root menu must be type 1.", kept}, placeholder},
        {"no type", Launcher("<menu>" + Icon("A") + "</menu>"), false,
         {"Error parsing xml, root menu must be type 1.", kept}, placeholder},
        {"stray element", Launcher(RootMenu(Icon("A") + "<stray/>" + Icon("B"))), false,
         {"Error parsing xml, invalid menu item.", "Cannot build root menu.", kept}, "1[A " + BuiltIns + "]"},
        {"whole tree", Launcher(RootMenu(Icon("A", "<menu type=\"3\">" + Row("r") + "</menu>") + Icon("B", "<menu type=\"2\"/>"))),
         false, {}, "1[A:3[r] B:2[] " + BuiltIns + "]"},
        {"no hover icon",
         Launcher(RootMenu("<item><name>A</name><icon><normal>a.png</normal><press/></icon><panel><type>1</type>"
                           "<descrip>d</descrip><image/></panel></item>")),
         false, {"Error parsing xml, invalid hover icon.", kept}, "1[A " + BuiltIns + "]"},
        {"second root menu", Launcher(RootMenu(Icon("A")) + RootMenu(Icon("B"))), false, {kept}, "1[A " + BuiltIns + "]"},
        // Deeper than the bound; the XML library would free it one call per level.
        {"nested without end", Launcher(Nested(29000)), false,
         {"Error parsing xml, elements nested deeper than 1000 levels.", kept}, placeholder},
        {"larger than the bound", Launcher(RootMenu(Icon(std::string(XmlFile::MaxBytes, 'N')))), false,
         {"Error parsing xml, the file is larger than 16777216 bytes.", kept}, placeholder},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(Path("launcher.xml"));
        std::filesystem::remove(Path("launcher.xml.bak"));
        LogCapture capture;
        LaunchWindow* window = Make(c.file);
        ASSERT_TRUE(window->tray && window->tray->menu);
        EXPECT_EQ(Describe(window->tray->menu), c.tree);
        EXPECT_EQ(Errors(capture), c.errors) << capture.Text();
        bool reader = false;
        for (const zyntest::LogLine& line : capture.lines)
            reader = reader || (line.level == wxLOG_Error && line.source.rfind("src/", 0) != 0);
        EXPECT_EQ(reader, c.readerError) << capture.Text();
        // A file that does not read back as the tree writes it is kept, byte for byte.
        const bool backup = std::find(c.errors.begin(), c.errors.end(), kept) != c.errors.end();
        EXPECT_EQ(ReadFile(Path("launcher.xml.bak")), backup ? c.file : "");
        window->Destroy();
        Reap();
    }
}

TEST_F(LaunchWindowTest, ActionTypesReadAsTheirValuesOrAsNone)
{
    LogCapture capture;
    LaunchWindow* window = Make(Launcher(RootMenu(Icon(
        "A", "<menu type=\"3\">" + Row("seven", "", "7") + Row("minus", "", "-1") + Row("widget", "", "2000", "HP Bar") +
                 Row("text", "", "abc") + Row("program", "", "1", "/bin/true") + "</menu>"))));
    const MenuImpl* rows = window->tray->menu->GetItem(1)->menu;
    ASSERT_NE(rows, nullptr);
    std::vector<int> types;
    for (ButtonImpl* row : rows->items)
        types.push_back(row->actionType);
    // The item editor offers 2000 (a widget switch) for rows: it is read back.
    EXPECT_EQ(types, (std::vector<int>{0, 0, 2000, 0, 1}));
    EXPECT_EQ(rows->GetItem(2)->command, "true"); // the command stays
    EXPECT_FALSE(rows->GetItem(3)->builtIn);
    const std::vector<std::string> invalid(2, "Error parsing xml, invalid action type value.");
    std::vector<std::string> errors = Errors(capture);
    ASSERT_GE(errors.size(), 2u);
    errors.resize(2); // then the copy of the file that is not written back as it was
    EXPECT_EQ(errors, invalid);

    ASSERT_TRUE(window->SaveLauncherXml());
    EXPECT_NE(Saved().find("<type>2000</type>"), std::string::npos) << Saved();
}

TEST_F(LaunchWindowTest, NoFileWritesThePlaceholderTreeWithoutTheBuiltIns)
{
    LogCapture capture;
    LaunchWindow* window = Make("");
    ASSERT_TRUE(window->SaveLauncherXml());
    EXPECT_EQ(WithoutIds(Saved()), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                   "<Launcher>\n"
                                   "  <menu type=\"1\">\n"
                                   "    <item id=\"#\">\n"
                                   "      <name>Unkonwn</name>\n"
                                   "      <icon>\n"
                                   "        <normal/>\n"
                                   "        <hover/>\n"
                                   "        <press/>\n"
                                   "      </icon>\n"
                                   "      <panel>\n"
                                   "        <type>0</type>\n"
                                   "        <descrip>\n"
                                   "          <![CDATA[]]>\n"
                                   "        </descrip>\n"
                                   "        <image/>\n"
                                   "      </panel>\n"
                                   "    </item>\n"
                                   "  </menu>\n"
                                   "</Launcher>\n");
}

// Every value keeps every character, and a file the program wrote is written
// again byte for byte (but the ids of the windows of this run).
TEST_F(LaunchWindowTest, TheTreeRoundTripsAndBuiltInsNeverReachTheFile)
{
    const wxString name = wxString::FromUTF8("  A & <b> \xe5\x90\xaf\xe5\x8a\xa8\nnext");
    const wxString description = wxString::FromUTF8("one ]]> two\r\nthree \xf0\x9f\x9a\x80");
    const wxString command = "printf '%s' \"a]]>b\" \\\n  <&>";
    LogCapture capture;
    LaunchWindow* first = Make("");
    MenuImpl* root = first->tray->menu;
    ASSERT_TRUE(root->Delete(1)); // the placeholder
    auto* icon = static_cast<IconItem*>(root->Append(name, 0, "", ICON_HELP));
    icon->SetPanel(PANEL_DESCRIPTION, description, "Images/x y.png");
    MenuImpl* list = icon->CreateMenu(MENU_TYPE_LIST);
    list->GetItem(1)->SetAction(ACTION_COMMAND, command);
    icon->CreateMenu(MENU_TYPE_LIST); // refused: one sub-menu
    root->Append("B", 0, "", ICON_HELP)->CreateMenu(MENU_TYPE_CATALOG);
    // The user's items moved around the built-in ones.
    ASSERT_TRUE(root->MenuImpl::Swap(1, 3));
    const std::string named = name.utf8_string() + ":3[Unkonwn]";
    EXPECT_EQ(Describe(root), "1[" + named + " Settings*:3[Option* Help* Logout*] Plug-ins*:3[HP Bar* System Monitor* Image Widget*] B:2[Unkonwn]]");
    ASSERT_TRUE(first->SaveLauncherXml());
    const std::string once = Saved();
    for (const char* builtIn : {"Plug-ins", "HP Bar", "Settings", "Option", "Logout", "1000", "2000"})
        EXPECT_EQ(once.find(builtIn), std::string::npos) << builtIn << "\n" << once;
    first->Destroy();
    Reap();

    LaunchWindow* second = Make(once);
    EXPECT_FALSE(std::filesystem::exists(Path("launcher.xml.bak"))) << "a file of the program reads completely";
    const MenuImpl* read = second->tray->menu;
    EXPECT_EQ(Describe(read), "1[" + named + " B:2[Unkonwn] " + BuiltIns + "]");
    const auto* readIcon = static_cast<const IconItem*>(read->GetItem(1));
    EXPECT_EQ(readIcon->name, name);
    EXPECT_EQ(readIcon->panelType, PANEL_DESCRIPTION);
    EXPECT_EQ(readIcon->panelDescription, description);
    EXPECT_EQ(readIcon->panelImagePath, "Images/x y.png");
    ASSERT_NE(readIcon->menu, nullptr);
    EXPECT_EQ(readIcon->menu->GetItem(1)->command, command);
    EXPECT_EQ(readIcon->menu->GetItem(1)->actionType, ACTION_COMMAND);
    ASSERT_TRUE(second->SaveLauncherXml());
    EXPECT_EQ(WithoutIds(Saved()), WithoutIds(once));
}

// The item editor is modal over animations that go on meanwhile: an item it
// accepts while its menu still moves takes the place it was given, is on the
// screen exactly when its menu is, and reaches the file.
TEST_F(LaunchWindowTest, AnItemAcceptedWhileItsMenuMovesIsKeptAndWritten)
{
    LaunchWindow* window = Make(Launcher(RootMenu(Icon("A", "<menu type=\"3\">" + Row("r") + "</menu>") +
                                                  Icon("B", "<menu type=\"2\"><item><name>t</name><icon><normal/><hover/><press/></icon></item></menu>"))));
    MenuImpl* root = window->tray->menu;
    Toggle(window);
    Settle();
    MenuImpl* list = root->GetItem(1)->menu;
    MenuImpl* catalog = root->GetItem(2)->menu;
    ASSERT_TRUE(list && catalog);
    struct Case {
        MenuImpl* menu;
        std::string name;
        std::function<void()> move; // starts the menu's animation on the hand-driven clock
        std::string names;
    };
    const Case cases[] = {
        {list, "added row", [&] { ASSERT_TRUE(list->Show(true)); }, "added row r"},
        {catalog, "added tab", [&] { ASSERT_TRUE(catalog->Show(true)); }, "added tab t"},
        {root, "added icon", [&] { Toggle(window); }, "added icon A B Plug-ins Settings"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.move();
        ASSERT_TRUE(c.menu->animator.IsRunning());
        wxTEST_DIALOG(EXPECT_TRUE(c.menu->Insert(1)), zyntest::ExpectEditor([&](IconSettingDialog& d) {
                          d.SetItemName(c.name);
                          return wxID_OK;
                      }));
        EXPECT_EQ(Names(c.menu), c.names);
        EXPECT_EQ(c.menu->animator.targets.size(), c.menu->items.size());
        EXPECT_EQ(c.menu->GetItem(1)->IsShown(), c.menu->shown);
        const wxPoint added = c.menu->GetItem(1)->GetPosition(), next = c.menu->GetItem(2)->GetPosition();
        EXPECT_EQ(added.x, next.x);
        EXPECT_LT(added.y, next.y) << "placed in the column, above the item it was put before";
        Settle();
        if (c.menu != root) {
            ASSERT_TRUE(c.menu->Show(false));
            Settle();
        }
    }
    EXPECT_FALSE(window->IsShown());
    ASSERT_TRUE(window->SaveLauncherXml());
    for (const Case& c : cases)
        EXPECT_NE(Saved().find("<name>" + c.name + "</name>"), std::string::npos) << Saved();
}

TEST_F(LaunchWindowTest, AFileThatCannotBeReadIsKeptBesideTheOneWrittenBack)
{
    const std::string broken = "<Launcher><menu type=\"1\"><item><name>Mine</name>";
    for (const std::string backup : {"launcher.xml.bak", "launcher.xml.bak.1"}) {
        SCOPED_TRACE(backup);
        LogCapture capture;
        LaunchWindow* window = Make(broken);
        EXPECT_EQ(ReadFile(Path(backup)), broken);
        window->Close();
        Reap();
        EXPECT_FALSE(windows.back()) << "hidden, it is destroyed at once";
        EXPECT_NE(Saved().find("<name>Unkonwn</name>"), std::string::npos) << Saved();
        EXPECT_EQ(ReadFile(Path("launcher.xml.bak")), broken);
    }
}

// Without a copy of a file it could not read, the launcher never writes over it.
TEST_F(LaunchWindowTest, AFileThatCannotBeReadNorCopiedIsNeverWrittenOver)
{
    const std::string broken = "<Launcher><menu type=\"1\"><item><name>Mine</name>";
    std::filesystem::create_directory(Path("launcher.xml.bak")); // the copy cannot be made
    LogCapture capture;
    LaunchWindow* window = Make(broken);
    window->Close();
    Reap();
    EXPECT_FALSE(windows.back());
    EXPECT_EQ(Saved(), broken);
    const std::vector<std::string> errors = Errors(capture);
    ASSERT_EQ(errors.size(), 3u) << capture.Text();
    EXPECT_EQ(errors[0], "Error parsing xml, no element found at line 1.");
    EXPECT_EQ(errors[1], "Cannot keep a copy of \"~/launcher.xml\" as \"~/launcher.xml.bak\".");
    EXPECT_EQ(errors[2], "Cannot write \"launcher.xml\": it was not read completely and no copy of it could be kept.");
}

TEST_F(LaunchWindowTest, AFailedWriteKeepsTheOldFileAndSaysSo)
{
    const std::string mine = Launcher(RootMenu(Icon("Mine")));
    LaunchWindow* window = Make(mine);
    // The temporary file the write goes through cannot be made.
    std::filesystem::create_directory(Path("launcher.xml.tmp"));
    LogCapture capture;
    EXPECT_FALSE(window->SaveLauncherXml());
    ASSERT_EQ(Errors(capture).size(), 1u) << capture.Text();
    EXPECT_EQ(Errors(capture)[0].rfind("Cannot write \"launcher.xml\": ", 0), 0u) << capture.Text();
    EXPECT_EQ(Saved(), mine);
    std::filesystem::remove(Path("launcher.xml.tmp"));
    EXPECT_TRUE(window->SaveLauncherXml());
    EXPECT_NE(Saved().find("<name>Mine</name>"), std::string::npos);
}

TEST_F(LaunchWindowTest, ShowPlacesTheRootMenuAndFadesTheBackdropInAndOut)
{
    struct Case {
        wxPoint cursor, root;
    };
    const Case cases[] = {{{10, 10}, {300, 250}}, {{1900, 1000}, {1420, 680}}, {{800, 600}, {800, 600}}};
    LaunchWindow* window = Make(Launcher(RootMenu(Icon("A") + Icon("B"))));
    ASSERT_EQ(Launch::ScreenSize, wxSize(1920, 1080)) << "the session's screen";
    int shows = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cursor.x);
        MoveTo(c.cursor);
        Toggle(window);
        EXPECT_EQ(sound.Count(SOUND_LAUNCHER_SHOW), ++shows);
        EXPECT_EQ(window->tray->GetPosition(), c.root);
        EXPECT_TRUE(window->IsShown());
        EXPECT_TRUE(window->IsShownLauncher());
        Settle();
        EXPECT_EQ(Alpha(window), 150);
        EXPECT_TRUE(window->tray->menu->shown);
        // The column stands at the root holder's place.
        EXPECT_EQ(window->tray->menu->GetItem(1)->GetPosition(), c.root);

        Toggle(window);
        EXPECT_EQ(sound.Count(SOUND_LAUNCHER_HIDE), shows);
        EXPECT_FALSE(window->tray->menu->shown);
        EXPECT_TRUE(window->IsShown()) << "visible until the fade ends";
        Settle();
        EXPECT_EQ(Alpha(window), 0);
        EXPECT_FALSE(window->IsShown());
    }
    // A fixed place is kept whatever the cursor does.
    ASSERT_TRUE(ApplyLaunchType(3));
    Toggle(window);
    EXPECT_EQ(window->tray->GetPosition(), wxPoint(1420, 250));
    Settle();
}

TEST_F(LaunchWindowTest, TogglingTwiceDuringTheFadeInFadesOutFromTheAlphaReached)
{
    LaunchWindow* window = Make();
    Toggle(window);
    clock.Advance(100);
    ASSERT_TRUE(PumpUntil([&] { return Alpha(window) > 0; }));
    const int reached = Alpha(window);
    EXPECT_LT(reached, 150);
    Toggle(window);
    clock.Advance(10);
    window->animator.Notify(); // the step its timer takes at this time
    EXPECT_LE(Alpha(window), reached);
    EXPECT_GT(Alpha(window), 0);
    Settle();
    EXPECT_EQ(Alpha(window), 0);
    EXPECT_FALSE(window->IsShown());
    EXPECT_FALSE(window->IsShownLauncher());
}

TEST_F(LaunchWindowTest, TheBackdropDarkensTheScreenByTheLowEightBitsOfTheDensity)
{
    zyntest::ScreenProbe probe;
    ASSERT_TRUE(probe.IsOk());
    const wxPoint spot(1700, 150); // away from the root menu
    LaunchWindow* window = Make();
    const uint32_t desktop = probe.Pixel(spot.x, spot.y);
    const struct {
        long density;
        int alpha;
    } cases[] = {{150, 150}, {300, 44}, {256, 0}, {-1, 255}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.density);
        GetConfig(cfg::Core)->WriteLong(cfg::Appearance, cfg::BackgroundDensity, c.density);
        LoadLaunchSettings();
        EXPECT_EQ(Launch::BackdropAlpha, c.alpha);
        Toggle(window);
        Settle();
        EXPECT_EQ(Alpha(window), c.alpha);
        // Black over the desktop at the backdrop's opacity.
        const auto darker = [&](int shift) {
            return static_cast<uint32_t>(((desktop >> shift & 0xFF) * (255 - c.alpha) + 127) / 255) << shift;
        };
        const uint32_t expected = darker(16) | darker(8) | darker(0);
        uint32_t shown = 0;
        EXPECT_TRUE(PumpUntil([&] { return zyntest::NearRgb(shown = probe.Pixel(spot.x, spot.y), expected, 4); }))
            << std::hex << shown << " instead of " << expected;
        Toggle(window);
        Settle();
        EXPECT_TRUE(PumpUntil([&] { return zyntest::NearRgb(probe.Pixel(spot.x, spot.y), desktop, 2); }));
    }
}

TEST_F(LaunchWindowTest, ClosingWritesTheFileAndDestroysTheWindowAtOnceOrAfterTheFade)
{
    for (const bool shown : {false, true}) {
        SCOPED_TRACE(shown ? "shown" : "hidden");
        std::filesystem::remove(Path("launcher.xml"));
        LaunchWindow* window = Make(Launcher(RootMenu(Icon("A"))));
        if (shown) {
            Toggle(window);
            Settle();
        }
        sound.Reset();
        window->Close();
        EXPECT_NE(Saved().find("<name>A</name>"), std::string::npos) << "written first";
        Reap();
        if (shown) {
            ASSERT_TRUE(windows.back());
            EXPECT_TRUE(window->IsShown());
            EXPECT_TRUE(window->IsClosing());
            EXPECT_FALSE(window->tray->menu->shown);
            Settle();
        }
        EXPECT_FALSE(windows.back());
        EXPECT_EQ(wxGetApp().launcher, nullptr);
        // Neither the widgets nor the gesture come back, and nothing sounds.
        EXPECT_EQ(sound.Count(SOUND_LAUNCHER_HIDE), 0);
    }
}

// Once the file is written, nothing brings the launcher back.
TEST_F(LaunchWindowTest, ShowRequestsWhileClosingAreIgnored)
{
    LaunchWindow* window = Make();
    Toggle(window);
    Settle();
    window->Close();
    const std::string written = Saved();
    wxKeyEvent hotkey(ZYN_EVT_HOTKEY);
    hotkey.SetId(0);
    window->ProcessWindowEvent(hotkey);
    window->Toggle();
    EXPECT_FALSE(window->Show(true));
    EXPECT_FALSE(wxGetApp().ShowLauncher(true));
    wxGetApp().ToggleLauncher();
    Settle();
    EXPECT_FALSE(windows.back());
    EXPECT_EQ(sound.Count(SOUND_LAUNCHER_SHOW), 1);
    EXPECT_EQ(Saved(), written);
}

TEST_F(LaunchWindowTest, TheHotKeyTogglesUnlessAModalWindowIsOpen)
{
    LaunchWindow* window = Make();
    const auto press = [&] {
        wxKeyEvent hotkey(ZYN_EVT_HOTKEY);
        hotkey.SetId(0);
        window->ProcessWindowEvent(hotkey);
        Sync();
    };
    ModalOpenFlag = true;
    press();
    EXPECT_FALSE(window->IsShownLauncher());
    EXPECT_FALSE(wxGetApp().ToggleLauncher());
    EXPECT_FALSE(wxGetApp().ShowLauncher(true));
    EXPECT_FALSE(window->IsShown());
    ModalOpenFlag = false;
    press();
    EXPECT_TRUE(window->IsShownLauncher());
    Settle();
    press();
    EXPECT_FALSE(window->IsShownLauncher());
    Settle();
    EXPECT_TRUE(wxGetApp().ToggleLauncher());
    EXPECT_TRUE(window->IsShownLauncher());
    Settle();
}

TEST_F(LaunchWindowTest, ABackdropClickWhileFadingOutHidesOnceMore)
{
    LaunchWindow* window = Make();
    Toggle(window);
    Settle();
    Click(wxPoint(1500, 900));
    EXPECT_FALSE(window->IsShownLauncher());
    EXPECT_EQ(sound.Count(SOUND_LAUNCHER_HIDE), 1);
    // Still visible: the fade has not moved on the hand-driven clock. Elsewhere: no double click.
    Click(wxPoint(1000, 950));
    EXPECT_EQ(sound.Count(SOUND_LAUNCHER_HIDE), 2);
    Settle();
    EXPECT_FALSE(window->IsShown());
}

// A show from outside (a second start) raises the launcher over the other
// programs' windows, with its menu above its backdrop.
TEST_F(LaunchWindowTest, AShowFromOutsideRaisesTheLauncherWithItsMenuAbove)
{
    zyntest::ScreenProbe probe;
    ASSERT_TRUE(probe.IsOk());
    LaunchWindow* window = Make(Launcher(RootMenu(Icon("A") + Icon("B"))));
    MoveTo(wxPoint(700, 500));
    const unsigned long other = probe.MapForeignWindow(100, 100, 600, 400);
    EXPECT_TRUE(wxGetApp().ShowLauncher(true));
    ASSERT_TRUE(PumpUntil([&] { return window->IsShownLauncher(); }));
    EXPECT_EQ(sound.Count(SOUND_LAUNCHER_SHOW), 1);
    Settle();
    EXPECT_TRUE(probe.IsAboveWindow(window, other));
    ButtonImpl* first = window->tray->menu->GetItem(1);
    EXPECT_EQ(first->GetPosition(), wxPoint(700, 500));
    EXPECT_TRUE(probe.IsAbove(first, window));
    // A second show while shown changes nothing.
    EXPECT_FALSE(wxGetApp().ShowLauncher(true));
    EXPECT_EQ(sound.Count(SOUND_LAUNCHER_SHOW), 1);
    // ExecuteAction and the like hide it through Show(false).
    EXPECT_TRUE(window->Show(false) == false);
    EXPECT_FALSE(window->IsShownLauncher());
    Settle();
    EXPECT_FALSE(window->IsShown());
}

// Readied after the start, the backdrop and its column stay hidden, for the
// toolkit too, and the first toggle shows them as every later one does.
TEST_F(LaunchWindowTest, ReadiedForTheFirstOpenTheLauncherStaysHiddenUntilTheFirstToggle)
{
    zyntest::ScreenProbe probe;
    ASSERT_TRUE(probe.IsOk());
    LaunchWindow* window = Make(Launcher(RootMenu(Icon("A") + Icon("B"))));
    window->PrepareRoot();
    Settle();
    ButtonImpl* first = window->tray->menu->GetItem(1);
    EXPECT_FALSE(window->IsShown());
    EXPECT_FALSE(window->IsShownLauncher());
    EXPECT_EQ(sound.Count(SOUND_LAUNCHER_SHOW), 0);
    EXPECT_FALSE(probe.IsOnScreen(window));
    EXPECT_FALSE(first->IsShown());
    EXPECT_FALSE(probe.IsOnScreen(first));

    Toggle(window);
    EXPECT_EQ(sound.Count(SOUND_LAUNCHER_SHOW), 1);
    Settle();
    EXPECT_TRUE(window->IsShownLauncher());
    EXPECT_EQ(Alpha(window), 150);
    EXPECT_TRUE(probe.IsOnScreen(window));
    EXPECT_TRUE(probe.IsOnScreen(first));
    EXPECT_TRUE(probe.IsAbove(first, window));
    Toggle(window);
    Settle();
    EXPECT_FALSE(window->IsShown());
    EXPECT_FALSE(probe.IsOnScreen(window));
}

TEST_F(LaunchWindowTest, TheWindowIsTheProgramsWithItsIcon)
{
    const wxString scoped = AppDir;
    AppDir = wxString::FromUTF8(zyntest::AppDirOfBuild());
    LogCapture capture; // the default menu's own pictures are looked for elsewhere
    LaunchWindow* window = Make("");
    AppDir = scoped;
    EXPECT_EQ(window->GetTitle(), "Zyn Utils - Launcher");
    EXPECT_EQ(window->GetIcons().GetIconCount(), 8u);
    EXPECT_EQ(window->GetIcons().GetIcon(wxSize(48, 48)).GetWidth(), 48);
}

TEST_F(LaunchWindowTest, DestroyingTheLauncherDestroysTheTreeAndForgetsThePointer)
{
    const int before = TopLevelCount();
    LaunchWindow* window = Make(Launcher(RootMenu(Icon("A", "<menu type=\"3\">" + Row("r") + Row("s") + "</menu>"))));
    EXPECT_GT(TopLevelCount(), before + 10);
    EXPECT_EQ(HotkeyManager::GetHotkeyWindow(), nullptr);
    HotkeyManager::SetHotkeyWindow(window);
    window->Destroy();
    EXPECT_TRUE(PumpUntil([&] { return TopLevelCount() == before; })) << TopLevelCount() - before;
    EXPECT_EQ(wxGetApp().launcher, nullptr);
    EXPECT_EQ(HotkeyManager::GetHotkeyWindow(), nullptr);
}

} // namespace

namespace {

// Whether the widget's window comes to be shown (or hidden, as asked) on the X server.
bool WidgetBecomes(const wxString& title, bool shown)
{
    zyntest::ScreenProbe probe;
    for (wxWindow* w : wxTopLevelWindows)
        if (w->GetLabel() == title && !dynamic_cast<ButtonImpl*>(w))
            return PumpUntil([&] { return (w->IsShown() && probe.IsOnScreen(w)) == shown; });
    return false;
}

// The desktop widgets step aside while the launcher is up, and stay away when it closes.
TEST_F(LaunchWindowTest, TheWidgetsHideWhileTheLauncherIsUp)
{
    ASSERT_TRUE(CreateWidgets());
    LoadWidgetSettings();
    LaunchWindow* window = Make();
    const std::vector<wxString> widgets = {"HP Bar", "Image Widget"};
    for (const wxString& widget : widgets)
        EXPECT_TRUE(WidgetBecomes(widget, true)) << widget;
    Toggle(window);
    for (const wxString& widget : widgets)
        EXPECT_TRUE(WidgetBecomes(widget, false)) << widget;
    Settle();
    Toggle(window);
    for (const wxString& widget : widgets)
        EXPECT_TRUE(WidgetBecomes(widget, true)) << widget;
    Settle();
    Toggle(window);
    Settle();
    window->Close(); // shown: the widgets stay hidden
    Settle();
    EXPECT_FALSE(windows.back());
    for (const wxString& widget : widgets)
        EXPECT_TRUE(WidgetBecomes(widget, false)) << widget;
    DeleteWidgets();
}

} // namespace

// A menu the next start would refuse as too large is not written: the file from before stays.
TEST_F(LaunchWindowTest, AMenuLargerThanTheReaderTakesIsNotWrittenOverTheOldFile)
{
    LogCapture capture;
    LaunchWindow* window = Make();
    const std::string before = Saved();
    MenuImpl* list = window->tray->menu->GetItem(1)->CreateMenu(MENU_TYPE_LIST);
    ASSERT_NE(list, nullptr);
    list->GetItem(1)->SetAction(ACTION_COMMAND, std::string(XmlFile::MaxBytes, 'c'));
    EXPECT_FALSE(window->SaveLauncherXml());
    EXPECT_TRUE(capture.Contains("Cannot write \"launcher.xml\": the menu would be larger than 16777216 bytes.")) << capture.Text();
    EXPECT_EQ(Saved(), before);
    list->GetItem(1)->SetAction(ACTION_COMMAND, std::string(1 << 20, 'c'));
    EXPECT_TRUE(window->SaveLauncherXml()) << "below the bound";
    EXPECT_NE(Saved(), before);
}
