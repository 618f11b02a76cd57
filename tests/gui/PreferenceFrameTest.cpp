// The preferences window on a real display: pages, tools, the enabling rules of
// the pages driven by real clicks, the load and store of the 18 settings, and
// what Save, Cancel and closing do to the configuration, the modal flag and the
// hot key switch.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <wx/checkbox.h>
#include <wx/display.h>
#include <wx/filefn.h>
#include <wx/font.h>
#include <wx/image.h>
#include <wx/intl.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/timer.h>
#include <wx/toolbar.h>
#include <wx/weakref.h>

#include "AboutPanel.h"
#include "AlertObject.h"
#include "AppearancePanel.h"
#include "BitmapManager.h"
#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "GeneralPanel.h"
#include "HotkeyManager.h"
#include "LogCapture.h"
#include "NotifyWindow.h"
#include "PluginPanel.h"
#include "PreferenceFrame.h"
#include "ScreenProbe.h"
#include "SoundPanel.h"
#include "SystemPaths.h"
#include "TestSupport.h"
#include "XClient.h"
#include "ZynObject.h"
#include "ZynUtils.h"

// After the program's headers: Xlib defines macros such as None.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using State = std::map<std::string, std::string>;

const char Missing[] = "<missing>";

// The 18 keys the window stores, in the order it writes them.
const std::vector<std::pair<const char*, const char*>> StoredKeys = {
    {cfg::General, cfg::PressTimeout},     {cfg::General, cfg::LockingMode},        {cfg::Hotkey, cfg::GestureType},
    {cfg::Hotkey, cfg::GestureSensitive},  {cfg::Hotkey, cfg::HotkeyType},          {cfg::Hotkey, cfg::HotkeyChar},
    {cfg::General, cfg::StartWithSystem},  {cfg::General, cfg::CheckUpdate},        {cfg::General, cfg::VerboseMode},
    {cfg::Appearance, cfg::LaunchType},    {cfg::Appearance, cfg::BackgroundDensity}, {cfg::Appearance, cfg::AnimateSpeed},
    {cfg::Appearance, cfg::ShowSplash},    {cfg::Sound, cfg::Enable},               {cfg::Plugin, cfg::Enable},
    {cfg::Plugin, cfg::EnableHPBar},       {cfg::Plugin, cfg::EnableSystemMonitor}, {cfg::Plugin, cfg::EnableImageWidget},
};

ConfigImpl* Core() { return GetConfig(cfg::Core); }

std::string Stored(const char* catalog, const char* key)
{
    return Core()->ReadString(catalog, key, Missing).utf8_string();
}

// Every stored key, "Catalog/Key" -> value text.
State StoredState()
{
    State state;
    for (const auto& [catalog, key] : StoredKeys)
        state[std::string(catalog) + "/" + key] = Stored(catalog, key);
    return state;
}

std::string Flag(bool on) { return on ? "1" : "0"; }

std::string ThreeWay(const wxRadioButton* low, const wxRadioButton* normal, const wxRadioButton* high)
{
    return low->GetValue() ? "low" : normal->GetValue() ? "normal" : high->GetValue() ? "high" : "none";
}

// What the pages show of the stored settings, by short names.
State Shown(const PreferenceFrame& f)
{
    const GeneralPanel& g = *f.generalPanel;
    const AppearancePanel& a = *f.appearancePanel;
    const PluginPanel& p = *f.pluginPanel;
    const wxListCtrl& list = *p.ListCtrlPlugin;
    return {
        {"timeout", ThreeWay(g.RadioButtonTimeoutShort, g.RadioButtonTimeoutNormal, g.RadioButtonTimeoutLong)},
        {"lock", Flag(g.CheckBoxLockLauncher->GetValue())},
        {"gesture", Flag(g.CheckBoxGesture->GetValue())},
        {"sensitive", g.ChoiceSensitive->GetStringSelection().utf8_string()},
        {"hotkey", Flag(g.CheckBoxHotkey->GetValue())},
        {"mods", Flag(g.CheckBoxCtrl->GetValue()) + Flag(g.CheckBoxShift->GetValue()) + Flag(g.CheckBoxAlt->GetValue()) + Flag(g.CheckBoxWin->GetValue())},
        {"key", g.ChoiceKey->GetStringSelection().utf8_string()},
        {"startup", Flag(g.CheckBoxStartup->GetValue())},
        {"update", Flag(g.CheckBoxUpdate->GetValue())},
        {"verbose", Flag(g.CheckBoxVerbose->GetValue())},
        {"position", a.RadioButtonCursor->GetValue() ? "cursor" : "fixed:" + a.ChoicePos->GetStringSelection().utf8_string()},
        {"density", std::to_string(a.SliderDensity->GetValue())},
        {"speed", ThreeWay(a.RadioButtonFast, a.RadioButtonNormal, a.RadioButtonSlow)},
        {"splash", Flag(a.CheckBoxSplash->GetValue())},
        {"sound", Flag(f.soundPanel->CheckBoxSound->GetValue())},
        {"plugin", Flag(p.CheckBoxPlugin->GetValue())},
        {"rows", (list.GetItemText(0, 3) + "," + list.GetItemText(1, 3) + "," + list.GetItemText(2, 3)).utf8_string()},
    };
}

// The enabled state of the controls that follow the master switches.
State Enabled(const PreferenceFrame& f)
{
    const GeneralPanel& g = *f.generalPanel;
    return {
        {"sensitive", Flag(g.StaticTextSensitive->IsEnabled()) + Flag(g.ChoiceSensitive->IsEnabled())},
        {"hotkeyRow", Flag(g.CheckBoxCtrl->IsEnabled()) + Flag(g.CheckBoxShift->IsEnabled()) + Flag(g.CheckBoxAlt->IsEnabled()) +
                          Flag(g.CheckBoxWin->IsEnabled()) + Flag(g.StaticTextKey->IsEnabled()) + Flag(g.ChoiceKey->IsEnabled())},
        {"position", Flag(f.appearancePanel->ChoicePos->IsEnabled())},
        {"pluginList", Flag(f.pluginPanel->ListCtrlPlugin->IsEnabled())},
        {"pluginSwitch", Flag(f.pluginPanel->CheckBoxSwitch->IsEnabled())},
    };
}

// Only the entries of want are compared, so a case names what it is about.
void ExpectSubset(const State& want, const State& got, const std::string& what)
{
    for (const auto& [name, value] : want) {
        const auto it = got.find(name);
        ASSERT_NE(it, got.end()) << what << ": no entry " << name;
        EXPECT_EQ(it->second, value) << what << ": " << name;
    }
}

// Where a picture shows on screen inside area: the toolkit draws tool pictures
// unscaled, so their fully opaque pixels appear exactly, whatever lies behind.
wxRect FindOnScreen(Display* display, const wxImage& picture, const wxRect& area)
{
    std::vector<wxPoint> probes;
    for (int y = 0; y < picture.GetHeight(); ++y)
        for (int x = 0; x < picture.GetWidth(); ++x)
            if (!picture.HasAlpha() || picture.GetAlpha(x, y) == 255)
                probes.push_back(wxPoint(x, y));
    if (probes.empty() || area.IsEmpty())
        return wxRect();
    const size_t step = std::max<size_t>(1, probes.size() / 24);
    XImage* shot = XGetImage(display, DefaultRootWindow(display), area.x, area.y, area.width, area.height, AllPlanes, ZPixmap);
    if (!shot)
        return wxRect();
    wxRect found;
    for (int oy = 0; oy + picture.GetHeight() <= area.height && found.IsEmpty(); ++oy) {
        for (int ox = 0; ox + picture.GetWidth() <= area.width && found.IsEmpty(); ++ox) {
            bool match = true;
            for (size_t i = 0; i < probes.size() && match; i += step) {
                const wxPoint p = probes[i];
                const unsigned long want = (picture.GetRed(p.x, p.y) << 16) | (picture.GetGreen(p.x, p.y) << 8) | picture.GetBlue(p.x, p.y);
                match = (XGetPixel(shot, ox + p.x, oy + p.y) & 0xFFFFFF) == want;
            }
            if (match)
                found = wxRect(area.x + ox, area.y + oy, picture.GetWidth(), picture.GetHeight());
        }
    }
    XDestroyImage(shot);
    return found;
}

// The picture of each tool (a function: the ids are set by another file's initialisation).
const char* ToolImage(long id)
{
    static const std::map<long, const char*> images = {
    {PreferenceFrame::ID_TOOL_RESET, "Images/etc/undefined.png"},
    {PreferenceFrame::ID_TOOL_SAVE, "Images/etc/save.png"},
    {PreferenceFrame::ID_TOOL_CANCEL, "Images/etc/cancel.png"},
    {PreferenceFrame::ID_TOOL_GENERAL, "Images/etc/panel_general.png"},
    {PreferenceFrame::ID_TOOL_APPEARANCE, "Images/etc/panel_appearance.png"},
    {PreferenceFrame::ID_TOOL_SOUNDS, "Images/etc/panel_sound.png"},
    {PreferenceFrame::ID_TOOL_PLUGINS, "Images/etc/panel_plugin.png"},
        {PreferenceFrame::ID_TOOL_ABOUT, "Images/etc/panel_about.png"},
    };
    return images.at(id);
}

class PreferenceFrameTest : public testing::Test {
protected:
    void SetUp() override
    {
        oldDir = wxGetCwd();
        oldAppDir = AppDir;
        // The data paths are relative to the program's directory, and the store works there
        // too: the build's data, seen from a folder of the test's own that takes the files.
        for (const char* sub : {"Images", "Fonts", "Sounds", "Langs"})
            zyntest::LinkFromBuild(sub, appDir.Path());
        AppDir = wxString::FromUTF8(appDir.Path());
        EnterAppDir();
        // Applying the settings creates or removes the start-up entry: never the user's.
        oldStartupDir = StartupDir;
        StartupDir = wxString::FromUTF8(startup.Path());
        ASSERT_TRUE(BitmapManager::Initial()); // the alert's pictures
        Core()->Clear();
        ModalOpenFlag = false;
        HotkeyManager::SetEnable(true);
    }

    void TearDown() override
    {
        if (frame)
            frame->Destroy();
        EXPECT_TRUE(zyntest::PumpUntil([this] { return !frame; }));
        Core()->Clear();
        ModalOpenFlag = false;
        AppDir = oldAppDir;
        StartupDir = oldStartupDir;
        wxSetWorkingDirectory(oldDir);
        // The window reports nothing, whatever the user does.
        EXPECT_TRUE(log.Texts(wxLOG_Error).empty()) << log.Text();
    }

    PreferenceFrame& Open(wxWindow* parent = nullptr)
    {
        frame = new PreferenceFrame(parent);
        frame->Show();
        EXPECT_TRUE(zyntest::PumpUntil([this] { return frame->IsShownOnScreen(); }));
        // Drawn where the toolkit thinks it is: clicks land where they are aimed.
        if (wxFileExists(ToolImage(PreferenceFrame::ID_TOOL_GENERAL))) {
            EXPECT_FALSE(ToolRect(frame->bottomToolBar, PreferenceFrame::ID_TOOL_GENERAL).IsEmpty()) << "the window is not on screen";
        }
        return *frame;
    }

    // The screen rectangle of a tool's picture on its tool bar, once it is drawn.
    wxRect ToolOnScreen(wxToolBar* bar, const char* image)
    {
        const wxImage picture(image);
        wxRect rect;
        zyntest::PumpUntil([&] { return !(rect = FindOnScreen(*input, picture, bar->GetScreenRect())).IsEmpty(); });
        return rect;
    }

    // The tool's picture, found on screen in its bar.
    wxRect ToolRect(wxToolBar* bar, long id) { return ToolOnScreen(bar, ToolImage(id)); }

    void ClickTool(wxToolBar* bar, long id)
    {
        const char* image = ToolImage(id);
        const wxRect rect = ToolOnScreen(bar, image);
        ASSERT_FALSE(rect.IsEmpty()) << image << " is not on its tool bar";
        Click(rect.GetLeftTop() + wxPoint(rect.width / 2, rect.height / 2));
    }

    // Picks a page through its tool and waits until the page has been drawn,
    // so that clicks on its controls are not lost.
    void ShowPage(long tool, wxPanel* page)
    {
        int painted = 0, picked = 0;
        auto paint = [&painted](wxPaintEvent& event) {
            ++painted;
            event.Skip();
        };
        auto pick = [&picked](wxCommandEvent& event) {
            ++picked;
            event.Skip();
        };
        page->Bind(wxEVT_PAINT, paint);
        frame->bottomToolBar->Bind(wxEVT_TOOL, pick, tool);
        ClickTool(frame->bottomToolBar, tool);
        EXPECT_TRUE(zyntest::PumpUntil([&] { return picked > 0 && frame->currentPage == page && painted > 0; }))
            << "page of tool " << ToolImage(tool);
        page->Unbind(wxEVT_PAINT, paint);
        frame->bottomToolBar->Unbind(wxEVT_TOOL, pick, tool);
    }

    // Clicks a control and waits until its event of type has been handled
    // (a refused click may leave the control looking unchanged).
    template <class EventTag>
    void ClickAndWait(wxWindow* control, const EventTag& type, bool box = true)
    {
        int seen = 0;
        auto count = [&seen](wxCommandEvent& event) {
            ++seen;
            event.Skip(); // the page's own handler runs after this one
        };
        control->Bind(type, count);
        box ? ClickBox(control) : ClickCentre(control);
        EXPECT_TRUE(zyntest::PumpUntil([&seen] { return seen > 0; })) << "click on " << control->GetName() << " was not seen";
        control->Unbind(type, count);
    }

    bool Closed() { return zyntest::PumpUntil([this] { return !frame; }); }

    void Click(const wxPoint& screen)
    {
        ASSERT_TRUE(input);
        input.MoveTo(screen.x, screen.y);
        input.Button(1, true);
        input.Button(1, false);
    }
    // A check box or radio button: its indicator at the left end.
    void ClickBox(wxWindow* control) { Click(control->GetScreenRect().GetLeftTop() + wxPoint(8, control->GetSize().y / 2)); }
    void ClickCentre(wxWindow* control)
    {
        const wxRect rect = control->GetScreenRect();
        Click(rect.GetLeftTop() + wxPoint(rect.width / 2, rect.height / 2));
    }

    wxString oldDir;
    wxString oldAppDir;
    wxString oldStartupDir;
    zyntest::TempDir appDir;
    zyntest::TempDir startup;
    wxWeakRef<PreferenceFrame> frame;
    zyntest::XClient input;
    zyntest::LogCapture log;
};

TEST_F(PreferenceFrameTest, OpensOnTheGeneralPageWithEveryTool)
{
    PreferenceFrame& f = Open();
    EXPECT_EQ(f.GetName(), "wxID_ANY");
    EXPECT_EQ(f.basePanel->GetName(), "ID_PANEL_BASE");
    const wxSize client = f.GetClientSize();
    EXPECT_GE(client.x, 450);
    EXPECT_GE(client.y, 500);

    EXPECT_EQ(f.currentPage, f.generalPanel);
    wxPanel* const pages[] = {f.generalPanel, f.appearancePanel, f.soundPanel, f.pluginPanel, f.aboutPanel};
    for (wxPanel* page : pages)
        EXPECT_EQ(page->IsShown(), page == f.generalPanel) << page->GetClassInfo()->GetClassName();
    EXPECT_TRUE(f.bottomToolBar->GetToolState(PreferenceFrame::ID_TOOL_GENERAL));

    // Reset at the left end, Save and Cancel at the right end.
    const wxRect bar = f.topToolBar->GetScreenRect();
    const wxRect reset = ToolRect(f.topToolBar, PreferenceFrame::ID_TOOL_RESET);
    const wxRect save = ToolRect(f.topToolBar, PreferenceFrame::ID_TOOL_SAVE);
    const wxRect cancel = ToolRect(f.topToolBar, PreferenceFrame::ID_TOOL_CANCEL);
    ASSERT_FALSE(reset.IsEmpty() || save.IsEmpty() || cancel.IsEmpty());
    EXPECT_LT(reset.GetRight(), bar.x + bar.width / 3);
    EXPECT_GT(save.x, bar.x + bar.width / 2);
    EXPECT_GT(cancel.x, save.GetRight());

    // All five page tools show on the bottom bar, left to right, below the pages.
    int left = -1;
    for (long id : {PreferenceFrame::ID_TOOL_GENERAL, PreferenceFrame::ID_TOOL_APPEARANCE, PreferenceFrame::ID_TOOL_SOUNDS,
                    PreferenceFrame::ID_TOOL_PLUGINS, PreferenceFrame::ID_TOOL_ABOUT}) {
        const wxRect tool = ToolRect(f.bottomToolBar, id);
        ASSERT_FALSE(tool.IsEmpty()) << "page tool " << ToolImage(id);
        EXPECT_GT(tool.x, left);
        EXPECT_GT(tool.y, f.generalPanel->GetScreenRect().GetBottom());
        left = tool.GetRight();
    }
}

TEST_F(PreferenceFrameTest, PageToolsShowOnePageAtATimeAndEachFits)
{
    PreferenceFrame& f = Open();
    const std::vector<std::pair<long, wxPanel*>> tools = {
        {PreferenceFrame::ID_TOOL_APPEARANCE, f.appearancePanel}, {PreferenceFrame::ID_TOOL_SOUNDS, f.soundPanel},
        {PreferenceFrame::ID_TOOL_PLUGINS, f.pluginPanel},        {PreferenceFrame::ID_TOOL_ABOUT, f.aboutPanel},
        {PreferenceFrame::ID_TOOL_GENERAL, f.generalPanel},
    };
    for (const auto& [id, page] : tools) {
        ShowPage(id, page);
        wxPanel* const pages[] = {f.generalPanel, f.appearancePanel, f.soundPanel, f.pluginPanel, f.aboutPanel};
        for (wxPanel* other : pages)
            EXPECT_EQ(other->IsShown(), other == page);
        EXPECT_TRUE(f.bottomToolBar->GetToolState(id));
        // The page box gives the page at least the room it asks for: nothing is clipped.
        EXPECT_TRUE(zyntest::PumpUntil([page = page] {
            return page->GetSize().x >= page->GetMinSize().x && page->GetSize().y >= page->GetMinSize().y;
        }));
        EXPECT_LE(page->GetRect().GetBottom(), f.bottomToolBar->GetPosition().y);
    }
    // Nor is a cell of the two lists: the list draws a cell's text in its column's
    // width less 8 pixels and cuts what does not fit.
    for (const wxListCtrl* list : {f.soundPanel->ListCtrlEventList, f.pluginPanel->ListCtrlPlugin})
        for (int column = 0; column < list->GetColumnCount(); ++column)
            for (long row = 0; row < list->GetItemCount(); ++row)
                EXPECT_LE(list->GetTextExtent(list->GetItemText(row, column)).x + 8, list->GetColumnWidth(column))
                    << list->GetItemText(row, column);
}

TEST_F(PreferenceFrameTest, MissingToolImagesLeaveTheToolsAndTheirLabels)
{
    zyntest::TempDir empty;
    wxSetWorkingDirectory(empty.Path());
    PreferenceFrame& f = Open();
    for (long id : {PreferenceFrame::ID_TOOL_RESET, PreferenceFrame::ID_TOOL_SAVE, PreferenceFrame::ID_TOOL_CANCEL}) {
        const wxToolBarToolBase* tool = f.topToolBar->FindById(id);
        ASSERT_NE(tool, nullptr);
        EXPECT_FALSE(tool->GetNormalBitmap().IsOk());
        EXPECT_FALSE(tool->GetLabel().empty());
    }
    EXPECT_EQ(f.bottomToolBar->FindById(PreferenceFrame::ID_TOOL_ABOUT)->GetLabel(), _("About"));
    EXPECT_FALSE(f.aboutPanel->StaticBitmapAbout->GetBitmap().IsOk());
}

// Each case presets the General page as a load would, clicks one box and
// checks the page afterwards.
struct GeneralClick {
    const char* name;
    bool hotkey;
    const char* mods; // Ctrl, Shift, Alt, Win
    bool gesture;
    wxCheckBox* GeneralPanel::*clicked;
    State shown;
    State enabled;
};

TEST_F(PreferenceFrameTest, GeneralPageKeepsAModifierAndEnablesItsRows)
{
    const GeneralClick cases[] = {
        {"last modifier stays ticked", true, "0001", false, &GeneralPanel::CheckBoxWin, {{"hotkey", "1"}, {"mods", "0001"}}, {{"hotkeyRow", "111111"}}},
        {"another modifier unticks", true, "0011", false, &GeneralPanel::CheckBoxWin, {{"hotkey", "1"}, {"mods", "0010"}}, {{"hotkeyRow", "111111"}}},
        {"hot key on ticks Ctrl", false, "0000", false, &GeneralPanel::CheckBoxHotkey, {{"hotkey", "1"}, {"mods", "1000"}}, {{"hotkeyRow", "111111"}}},
        {"hot key off ticks Ctrl too", true, "0000", false, &GeneralPanel::CheckBoxHotkey, {{"hotkey", "0"}, {"mods", "1000"}}, {{"hotkeyRow", "000000"}}},
        {"hot key on keeps the modifiers", false, "0110", false, &GeneralPanel::CheckBoxHotkey, {{"hotkey", "1"}, {"mods", "0110"}}, {{"hotkeyRow", "111111"}}},
        {"gesture off keeps the sensitivity", false, "0000", true, &GeneralPanel::CheckBoxGesture, {{"gesture", "0"}, {"sensitive", "High"}}, {{"sensitive", "00"}}},
        {"gesture on", false, "0000", false, &GeneralPanel::CheckBoxGesture, {{"gesture", "1"}, {"sensitive", "High"}}, {{"sensitive", "11"}}},
    };
    PreferenceFrame& f = Open();
    GeneralPanel& g = *f.generalPanel;
    for (const GeneralClick& c : cases) {
        SCOPED_TRACE(c.name);
        g.CheckBoxHotkey->SetValue(c.hotkey);
        wxCheckBox* const boxes[] = {g.CheckBoxCtrl, g.CheckBoxShift, g.CheckBoxAlt, g.CheckBoxWin};
        for (int i = 0; i < 4; ++i)
            boxes[i]->SetValue(c.mods[i] == '1');
        g.CheckBoxGesture->SetValue(c.gesture);
        g.ChoiceSensitive->SetSelection(2);
        g.UpdateControls();

        ClickAndWait(g.*c.clicked, wxEVT_CHECKBOX);
        ExpectSubset(c.shown, Shown(f), c.name);
        ExpectSubset(c.enabled, Enabled(f), c.name);

        // The same in every state of the page.
        EXPECT_FALSE(g.CheckBoxRemap->IsEnabled());
        EXPECT_FALSE(g.CheckBoxRemap->GetValue());
        EXPECT_FALSE(g.StaticTextLockDescrip->IsEnabled());
        EXPECT_FALSE(g.StaticTextGestureDescrip->IsEnabled());
        EXPECT_EQ(g.StaticTextKey->IsEnabled(), g.CheckBoxHotkey->GetValue());
    }
}

TEST_F(PreferenceFrameTest, AppearancePositionChoiceFollowsTheFixedRadio)
{
    PreferenceFrame& f = Open();
    ShowPage(PreferenceFrame::ID_TOOL_APPEARANCE, f.appearancePanel);
    AppearancePanel& a = *f.appearancePanel;
    a.ChoicePos->SetSelection(1);

    struct Step {
        wxRadioButton* AppearancePanel::*clicked;
        State shown;
        const char* choiceEnabled;
    };
    const Step steps[] = {
        {&AppearancePanel::RadioButtonFixed, {{"position", "fixed:Central"}, {"speed", "normal"}}, "1"},
        {&AppearancePanel::RadioButtonFast, {{"position", "fixed:Central"}, {"speed", "low"}}, "1"},
        {&AppearancePanel::RadioButtonCursor, {{"position", "cursor"}, {"speed", "low"}}, "0"},
        {&AppearancePanel::RadioButtonSlow, {{"position", "cursor"}, {"speed", "high"}}, "0"},
        {&AppearancePanel::RadioButtonFixed, {{"position", "fixed:Central"}, {"speed", "high"}}, "1"},
    };
    for (const Step& step : steps) {
        ClickAndWait(a.*step.clicked, wxEVT_RADIOBUTTON);
        ExpectSubset(step.shown, Shown(f), (a.*step.clicked)->GetName().utf8_string());
        EXPECT_EQ(Enabled(f).at("position"), step.choiceEnabled);
        // Shown but never offered.
        wxWindow* const offered[] = {a.CheckBox1, a.FilePickerCtrlFont, a.StaticText1, a.ChoiceTimeout, a.ChoiceLimit};
        for (wxWindow* control : offered)
            EXPECT_FALSE(control->IsEnabled()) << control->GetName();
    }
    EXPECT_EQ(a.ChoiceTimeout->GetStringSelection(), _("5 seconds"));
    EXPECT_EQ(a.ChoiceLimit->GetStringSelection(), _("No Limit"));
    EXPECT_EQ(a.SliderDensity->GetMin(), 5);
    EXPECT_EQ(a.SliderDensity->GetMax(), 255);
}

TEST_F(PreferenceFrameTest, PluginRowSwitchEditsTheEnableColumn)
{
    PreferenceFrame& f = Open();
    ShowPage(PreferenceFrame::ID_TOOL_PLUGINS, f.pluginPanel);
    PluginPanel& p = *f.pluginPanel;
    p.ListCtrlPlugin->SetItem(1, PluginPanel::COLUMN_ENABLE, _("No"));

    // No row selected: the master switch brings the list back but not the row switch.
    ClickAndWait(p.CheckBoxPlugin, wxEVT_CHECKBOX);
    EXPECT_EQ(Enabled(f).at("pluginList") + Enabled(f).at("pluginSwitch"), "00");
    ClickAndWait(p.CheckBoxPlugin, wxEVT_CHECKBOX);
    EXPECT_EQ(Enabled(f).at("pluginList") + Enabled(f).at("pluginSwitch"), "10");

    // Selecting the "No" row shows its switch off; ticking it writes "Yes" at once.
    wxRect row;
    ASSERT_TRUE(p.ListCtrlPlugin->GetItemRect(1, row));
    Click(p.ListCtrlPlugin->ClientToScreen(wxPoint(row.x + 20, row.y + row.height / 2)));
    ASSERT_TRUE(zyntest::PumpUntil([&p] { return p.selectedIndex == 1; }));
    EXPECT_TRUE(p.CheckBoxSwitch->IsEnabled());
    EXPECT_FALSE(p.CheckBoxSwitch->GetValue());
    ClickAndWait(p.CheckBoxSwitch, wxEVT_CHECKBOX);
    EXPECT_EQ(Shown(f).at("rows"), "Yes,Yes,Yes");

    // Master off keeps the selection; on again, the switch shows that row's state.
    ClickAndWait(p.CheckBoxPlugin, wxEVT_CHECKBOX);
    EXPECT_EQ(Enabled(f).at("pluginList") + Enabled(f).at("pluginSwitch"), "00");
    EXPECT_EQ(p.selectedIndex, 1);
    ClickAndWait(p.CheckBoxPlugin, wxEVT_CHECKBOX);
    EXPECT_EQ(Enabled(f).at("pluginList") + Enabled(f).at("pluginSwitch"), "11");
    EXPECT_TRUE(p.CheckBoxSwitch->GetValue());
    EXPECT_FALSE(p.ButtonConfig->IsEnabled());
    EXPECT_FALSE(p.ButtonRemove->IsEnabled());
}

TEST_F(PreferenceFrameTest, SoundPageOffersOnlyItsSwitch)
{
    PreferenceFrame& f = Open();
    ShowPage(PreferenceFrame::ID_TOOL_SOUNDS, f.soundPanel);
    SoundPanel& s = *f.soundPanel;
    ClickAndWait(s.CheckBoxSound, wxEVT_CHECKBOX);
    EXPECT_FALSE(s.CheckBoxSound->GetValue());
    EXPECT_EQ(Stored(cfg::Sound, cfg::Enable), Missing); // nothing is stored before Save
    wxWindow* const offered[] = {s.ListCtrlEventList, s.CheckBoxSwitch, s.ButtonClear, s.ButtonBrowse, s.StaticTextDescrip};
    for (wxWindow* control : offered)
        EXPECT_FALSE(control->IsEnabled()) << control->GetName();
    ASSERT_EQ(s.ListCtrlEventList->GetItemCount(), 7);
    for (long row = 0; row < 7; ++row) {
        EXPECT_TRUE(s.ListCtrlEventList->GetItemText(row, 1).empty());
        EXPECT_EQ(s.ListCtrlEventList->GetItemText(row, 2), _("Yes"));
    }
}

TEST_F(PreferenceFrameTest, StandsAboveTheFullScreenLauncherAndTakesClicks)
{
    // A full-screen themed window, as the launcher is.
    const wxRect screen = wxDisplay(0u).GetGeometry();
    auto* launcher = new StaticObject(nullptr, "Launcher", screen.GetPosition(), Picture(screen.width, screen.height, 0xFF102030));
    launcher->Show();
    zyntest::ScreenProbe probe;
    PreferenceFrame& f = Open(launcher);
    EXPECT_TRUE(zyntest::PumpUntil([&] { return probe.IsAbove(&f, launcher); }));
    ClickAndWait(f.generalPanel->CheckBoxLockLauncher, wxEVT_CHECKBOX);
    EXPECT_TRUE(f.generalPanel->CheckBoxLockLauncher->GetValue());
    f.Close();
    ASSERT_TRUE(Closed());
    launcher->Destroy();
}

TEST_F(PreferenceFrameTest, AboutPageShowsTheProgramAndLinksTheProductPage)
{
    PreferenceFrame& f = Open();
    ShowPage(PreferenceFrame::ID_TOOL_ABOUT, f.aboutPanel);
    const AboutPanel& a = *f.aboutPanel;
    EXPECT_EQ(a.StaticTextTitle->GetLabel(), "About Zyn Utils");
    EXPECT_TRUE(a.StaticTextTitle->GetFont().GetWeight() == wxFONTWEIGHT_BOLD);
    // The description keeps its three lines (the toolkit may wrap them further).
    const wxString description = a.StaticTextDescrip->GetLabel();
    EXPECT_TRUE(description.StartsWith("The Zyn Utils program is a Veyrune Look'n'Feel launcher"));
    EXPECT_TRUE(description.EndsWith("That's the reason why it was named as \"Zyn Utils\" :)"));
    EXPECT_EQ(a.StaticBitmapAbout->GetBitmap().GetSize(), wxSize(400, 104));
    const std::vector<std::pair<wxStaticText*, const char*>> rows = {
        {a.StaticTextZynUtils, "Zyn Utils"}, {a.StaticTextAlpha, "Alpha 1"}, {a.StaticTextOrvain, "Orvain (Tavrel)"}};
    for (const auto& [value, text] : rows) {
        EXPECT_EQ(value->GetLabel(), text);
        // The value stands at the right end of its row.
        EXPECT_NEAR(value->GetRect().GetRight(), a.HyperlinkCtrlTavrel->GetRect().GetRight(), 1);
    }
    const wxString site = a.HyperlinkCtrlTavrel->GetLabel();
    EXPECT_TRUE(site.StartsWith("https://"));
    EXPECT_EQ(site.find('/', 8), wxString::npos) << "the label names the host only";
    EXPECT_EQ(a.HyperlinkCtrlTavrel->GetURL(), site + "/post/develop/zyn-utils/");
    EXPECT_TRUE(a.StaticTextPelloy->GetLabel().Contains("@"));
}

// A load case: the keys stored before the window opens and what its pages show.
struct LoadCase {
    const char* name;
    std::vector<std::tuple<const char*, const char*, const char*>> stored;
    State shown;
    State enabled;
};

TEST_F(PreferenceFrameTest, LoadShowsTheStoredSettings)
{
    const LoadCase cases[] = {
        {"empty configuration",
         {},
         {{"timeout", "normal"}, {"lock", "0"}, {"gesture", "0"}, {"sensitive", "Normal"}, {"hotkey", "0"}, {"mods", "0000"}, {"key", "A"},
          {"startup", "0"}, {"update", "1"}, {"verbose", "0"}, {"position", "cursor"}, {"density", "150"}, {"speed", "normal"},
          {"splash", "1"}, {"sound", "1"}, {"plugin", "1"}, {"rows", "Yes,Yes,Yes"}},
         {{"sensitive", "00"}, {"hotkeyRow", "000000"}, {"position", "0"}, {"pluginList", "1"}, {"pluginSwitch", "0"}}},
        {"every switch turned",
         {{cfg::General, cfg::PressTimeout, "-1"}, {cfg::General, cfg::LockingMode, "1"}, {cfg::Hotkey, cfg::GestureType, "3"},
          {cfg::Hotkey, cfg::GestureSensitive, "-1"}, {cfg::Hotkey, cfg::HotkeyType, "6"}, {cfg::Hotkey, cfg::HotkeyChar, "q"},
          {cfg::General, cfg::StartWithSystem, "1"}, {cfg::General, cfg::CheckUpdate, "0"}, {cfg::General, cfg::VerboseMode, "1"},
          {cfg::Appearance, cfg::LaunchType, "2"}, {cfg::Appearance, cfg::BackgroundDensity, "40"}, {cfg::Appearance, cfg::AnimateSpeed, "1"},
          {cfg::Appearance, cfg::ShowSplash, "0"}, {cfg::Sound, cfg::Enable, "0"}, {cfg::Plugin, cfg::Enable, "0"},
          {cfg::Plugin, cfg::EnableHPBar, "0"}, {cfg::Plugin, cfg::EnableImageWidget, "0"}},
         {{"timeout", "low"}, {"lock", "1"}, {"gesture", "1"}, {"sensitive", "Low"}, {"hotkey", "1"}, {"mods", "1100"}, {"key", "Q"},
          {"startup", "1"}, {"update", "0"}, {"verbose", "1"}, {"position", "fixed:Central"}, {"density", "40"}, {"speed", "high"},
          {"splash", "0"}, {"sound", "0"}, {"plugin", "0"}, {"rows", "No,Yes,No"}},
         {{"sensitive", "11"}, {"hotkeyRow", "111111"}, {"position", "1"}, {"pluginList", "0"}, {"pluginSwitch", "0"}}},
        {"Alt and Win, a digit key, slow long press",
         {{cfg::Hotkey, cfg::HotkeyType, "9"}, {cfg::Hotkey, cfg::HotkeyChar, "7"}, {cfg::General, cfg::PressTimeout, "1"},
          {cfg::Hotkey, cfg::GestureSensitive, "1"}, {cfg::Appearance, cfg::AnimateSpeed, "-1"}},
         {{"hotkey", "1"}, {"mods", "0011"}, {"key", "7"}, {"timeout", "high"}, {"sensitive", "High"}, {"speed", "low"}},
         {{"hotkeyRow", "111111"}}},
        {"values the window never writes",
         {{cfg::Hotkey, cfg::HotkeyChar, "F5"}, {cfg::Appearance, cfg::LaunchType, "7"}, {cfg::Hotkey, cfg::GestureSensitive, "4"},
          {cfg::General, cfg::PressTimeout, "3"}, {cfg::Hotkey, cfg::HotkeyType, "x"}},
         {{"key", ""}, {"position", "fixed:"}, {"sensitive", "Normal"}, {"timeout", "normal"}, {"hotkey", "0"}, {"mods", "0000"}},
         {{"position", "1"}}},
        {"hot key off keeps the stored key", {{cfg::Hotkey, cfg::HotkeyChar, "="}}, {{"hotkey", "0"}, {"key", "="}}, {{"hotkeyRow", "000000"}}},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        Core()->Clear();
        for (const auto& [catalog, key, value] : c.stored)
            Core()->WriteString(catalog, key, value);
        PreferenceFrame& f = Open();
        ExpectSubset(c.shown, Shown(f), c.name);
        ExpectSubset(c.enabled, Enabled(f), c.name);
        frame->Destroy();
        ASSERT_TRUE(Closed());
    }
}

// A store case: what the user changed on the opened pages and the keys Save writes.
struct StoreCase {
    const char* name;
    std::function<void(PreferenceFrame&)> change;
    State stored;
};

TEST_F(PreferenceFrameTest, SaveStoresEveryKeyFromThePages)
{
    const StoreCase cases[] = {
        {"unchanged defaults",
         [](PreferenceFrame&) {},
         {{"General/PressTimeout", "0"}, {"General/LockingMode", "0"}, {"Hotkey/GestureType", "0"}, {"Hotkey/GestureSensitive", "0"},
          {"Hotkey/HotkeyType", "0"}, {"Hotkey/HotkeyChar", "A"}, {"General/StartWithSystem", "0"}, {"General/CheckUpdate", "1"},
          {"General/VerboseMode", "0"}, {"Appearance/LaunchType", "0"}, {"Appearance/BackgroundDensity", "150"},
          {"Appearance/AnimateSpeed", "0"}, {"Appearance/ShowSplash", "1"}, {"Sound/Enable", "1"}, {"Plugin/Enable", "1"},
          {"Plugin/EnableHPBar", "1"}, {"Plugin/EnableSystemMonitor", "1"}, {"Plugin/EnableImageWidget", "1"}}},
        {"hot key off ignores the modifiers",
         [](PreferenceFrame& f) {
             f.generalPanel->CheckBoxAlt->SetValue(true);
             f.generalPanel->CheckBoxWin->SetValue(true);
             f.generalPanel->ChoiceKey->SetStringSelection("Z");
         },
         {{"Hotkey/HotkeyType", "0"}, {"Hotkey/HotkeyChar", "Z"}}},
        {"hot key on with no modifier stores none",
         [](PreferenceFrame& f) { f.generalPanel->CheckBoxHotkey->SetValue(true); },
         {{"Hotkey/HotkeyType", "0"}}},
        {"hot key Ctrl+Alt+\\",
         [](PreferenceFrame& f) {
             GeneralPanel& g = *f.generalPanel;
             g.CheckBoxHotkey->SetValue(true);
             g.CheckBoxCtrl->SetValue(true);
             g.CheckBoxAlt->SetValue(true);
             g.ChoiceKey->SetStringSelection("\\");
         },
         {{"Hotkey/HotkeyType", "3"}, {"Hotkey/HotkeyChar", "\\"}}},
        {"three-way choices and switches",
         [](PreferenceFrame& f) {
             GeneralPanel& g = *f.generalPanel;
             g.RadioButtonTimeoutShort->SetValue(true);
             g.ChoiceSensitive->SetSelection(0);
             g.CheckBoxGesture->SetValue(true);
             g.CheckBoxLockLauncher->SetValue(true);
             g.CheckBoxUpdate->SetValue(false);
             AppearancePanel& a = *f.appearancePanel;
             a.RadioButtonSlow->SetValue(true);
             a.SliderDensity->SetValue(255);
             a.CheckBoxSplash->SetValue(false);
             f.soundPanel->CheckBoxSound->SetValue(false);
         },
         {{"General/PressTimeout", "-1"}, {"Hotkey/GestureSensitive", "-1"}, {"Hotkey/GestureType", "1"}, {"General/LockingMode", "1"},
          {"General/CheckUpdate", "0"}, {"Appearance/AnimateSpeed", "1"}, {"Appearance/BackgroundDensity", "255"},
          {"Appearance/ShowSplash", "0"}, {"Sound/Enable", "0"}}},
        {"follow cursor ignores the position",
         [](PreferenceFrame& f) { f.appearancePanel->ChoicePos->SetSelection(2); },
         {{"Appearance/LaunchType", "0"}}},
        {"fixed right",
         [](PreferenceFrame& f) {
             f.appearancePanel->RadioButtonFixed->SetValue(true);
             f.appearancePanel->ChoicePos->SetSelection(2);
         },
         {{"Appearance/LaunchType", "3"}}},
        {"fixed with no position follows the cursor",
         [](PreferenceFrame& f) {
             f.appearancePanel->RadioButtonFixed->SetValue(true);
             f.appearancePanel->ChoicePos->SetSelection(wxNOT_FOUND);
         },
         {{"Appearance/LaunchType", "0"}}},
        {"plug-in rows count only the translated Yes",
         [](PreferenceFrame& f) {
             f.pluginPanel->ListCtrlPlugin->SetItem(0, PluginPanel::COLUMN_ENABLE, _("No"));
             f.pluginPanel->ListCtrlPlugin->SetItem(2, PluginPanel::COLUMN_ENABLE, "yes");
             f.pluginPanel->CheckBoxPlugin->SetValue(false);
         },
         {{"Plugin/EnableHPBar", "0"}, {"Plugin/EnableSystemMonitor", "1"}, {"Plugin/EnableImageWidget", "0"}, {"Plugin/Enable", "0"}}},
    };
    for (const StoreCase& c : cases) {
        SCOPED_TRACE(c.name);
        Core()->Clear();
        PreferenceFrame& f = Open();
        c.change(f);
        f.SaveSettings();
        const State stored = StoredState();
        ExpectSubset(c.stored, stored, c.name);
        for (const auto& [key, value] : stored)
            EXPECT_NE(value, Missing) << key << " not written";
        frame->Destroy();
        ASSERT_TRUE(Closed());
    }
}

TEST_F(PreferenceFrameTest, StoredKeyInAnotherCaseSavesTheListEntry)
{
    Core()->WriteString(cfg::Hotkey, cfg::HotkeyChar, "a");
    Open().SaveSettings();
    EXPECT_EQ(Stored(cfg::Hotkey, cfg::HotkeyChar), "A");
    Core()->WriteString(cfg::Hotkey, cfg::HotkeyChar, "F5");
    frame->Destroy();
    ASSERT_TRUE(Closed());
    Open().SaveSettings();
    EXPECT_EQ(Stored(cfg::Hotkey, cfg::HotkeyChar), "");
}

TEST_F(PreferenceFrameTest, WhileOpenTheFlagIsSetAndTheHotKeyOff)
{
    PreferenceFrame& f = Open();
    EXPECT_TRUE(ModalOpenFlag);
    EXPECT_FALSE(HotkeyEnabledFlag);
    f.Close();
    ASSERT_TRUE(Closed());
    EXPECT_FALSE(ModalOpenFlag);
    EXPECT_TRUE(HotkeyEnabledFlag);

    // Switched off through the tray menu: closing leaves it off.
    Core()->WriteBool(cfg::Hotkey, cfg::Enable, false);
    Open().Close();
    ASSERT_TRUE(Closed());
    EXPECT_FALSE(ModalOpenFlag);
    EXPECT_FALSE(HotkeyEnabledFlag);
}

TEST_F(PreferenceFrameTest, SaveStoresAppliesAndCloses)
{
    PreferenceFrame& f = Open();
    ClickAndWait(f.generalPanel->CheckBoxVerbose, wxEVT_CHECKBOX);
    ClickTool(f.topToolBar, PreferenceFrame::ID_TOOL_SAVE);
    ASSERT_TRUE(Closed());
    EXPECT_EQ(Stored(cfg::General, cfg::VerboseMode), "1");
    for (const auto& [key, value] : StoredState())
        EXPECT_NE(value, Missing) << key;
    // The settings were applied: that rewrites the Application catalog.
    EXPECT_EQ(Stored(cfg::Application, cfg::Name), AppName);
    EXPECT_FALSE(ModalOpenFlag);
    EXPECT_TRUE(HotkeyEnabledFlag);
    // On the disk at once: a crash before the exit must not take the user's choice.
    EXPECT_NE(zyntest::ReadFile(appDir / "Configs/Core.xml").find("<property key=\"VerboseMode\" value=\"1\"/>"), std::string::npos);
}

// The client window titled title under root, or 0.
Window FindTitled(Display* display, Window root, const wxString& title)
{
    char* name = nullptr;
    if (XFetchName(display, root, &name) && name) {
        const bool found = wxString::FromUTF8(name) == title;
        XFree(name);
        if (found)
            return root;
    }
    Window parent = 0, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display, root, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && !found; ++i)
            found = FindTitled(display, children[i], title);
        if (children)
            XFree(children);
    }
    return found;
}

// Asks the top-level window titled title to close, as the window manager does for its close box.
void RequestClose(Display* display, const wxString& title)
{
    const Window window = FindTitled(display, DefaultRootWindow(display), title);
    ASSERT_NE(window, 0u) << "no window titled " << title;
    zyntest::RequestClose(display, window);
}

TEST_F(PreferenceFrameTest, CancelAndTheCloseBoxStoreNothing)
{
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        Core()->Clear();
        PreferenceFrame& f = Open();
        ClickAndWait(f.generalPanel->CheckBoxLockLauncher, wxEVT_CHECKBOX);
        if (closeBox)
            RequestClose(*input, f.GetTitle());
        else
            ClickTool(f.topToolBar, PreferenceFrame::ID_TOOL_CANCEL);
        ASSERT_TRUE(Closed());
        for (const auto& [key, value] : StoredState())
            EXPECT_EQ(value, Missing) << key;
        EXPECT_EQ(Stored(cfg::Application, cfg::Name), Missing);
        EXPECT_FALSE(ModalOpenFlag);
        EXPECT_TRUE(HotkeyEnabledFlag);
        // The next opening shows the stored value again.
        EXPECT_FALSE(Open().generalPanel->CheckBoxLockLauncher->GetValue());
        frame->Destroy();
        ASSERT_TRUE(Closed());
    }
}

TEST_F(PreferenceFrameTest, TheApplicationOpensItOverTheLauncher)
{
    ASSERT_TRUE(wxGetApp().ExecuteAction(ACTION_PREFERENCE, wxEmptyString));
    PreferenceFrame* opened = nullptr;
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* preferences = dynamic_cast<PreferenceFrame*>(window))
            opened = preferences;
    ASSERT_NE(opened, nullptr);
    frame = opened;
    EXPECT_TRUE(zyntest::PumpUntil([opened] { return opened->IsShownOnScreen(); }));
    EXPECT_EQ(opened->GetParent(), LauncherWindow());
    EXPECT_TRUE(ModalOpenFlag);
    EXPECT_FALSE(HotkeyEnabledFlag);
}

bool AnyAlertShown()
{
    for (wxWindow* window : wxTopLevelWindows)
        if (dynamic_cast<AlertObject*>(window) && window->IsShown())
            return true;
    return false;
}

// Answers the next alert once it stands open, clicking its yes or no button
// with real input from inside the alert's modal loop.
class AlertAnswer {
public:
    AlertAnswer(zyntest::XClient& input, bool yes) : input(input), yes(yes)
    {
        timer.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Tick(); });
        timer.Start(20);
    }
    bool clicked = false;
    bool aborted = false; // nobody could answer it: the clicks went elsewhere

private:
    static AlertObject* OpenAlert()
    {
        for (wxWindow* window : wxTopLevelWindows) {
            auto* alert = dynamic_cast<AlertObject*>(window);
            if (alert && alert->IsShown() && alert->expanded && !alert->animator.IsRunning())
                return alert;
        }
        return nullptr;
    }
    void Tick()
    {
        // A test must not hang on an alert nobody can answer.
        if (++ticks > 500) {
            for (wxWindow* window : wxTopLevelWindows)
                if (auto* alert = dynamic_cast<AlertObject*>(window); alert && alert->IsModal()) {
                    alert->EndModal(wxID_ABORT);
                    aborted = true;
                }
            return;
        }
        AlertObject* alert = OpenAlert();
        if (!alert || ticks - lastClick < 50) // again after a second, should a click be lost
            return;
        const wxSize face = alert->yesFaces[0].GetSize();
        const wxPoint button = alert->position + (yes ? YesButtonOrigin : NoButtonOrigin) + wxPoint(face.x / 2, face.y / 2);
        input.MoveTo(button.x, button.y);
        input.Button(1, true);
        input.Button(1, false);
        clicked = true;
        lastClick = ticks;
    }
    zyntest::XClient& input;
    bool yes;
    int ticks = 0;
    int lastClick = -100;
    wxTimer timer;
};

// The program's launcher window, hidden, as it is when the preferences open.
class HiddenLauncher {
public:
    HiddenLauncher() : window(new StaticObject(nullptr, "Launcher", wxPoint(0, 0), Picture(64, 64, 0xFF102030))) {}
    ~HiddenLauncher() { window->Destroy(); }
    StaticObject* window;
};

TEST_F(PreferenceFrameTest, ResetAnsweredNoChangesNothing)
{
    Core()->WriteBool(cfg::General, cfg::LockingMode, true);
    const State before = StoredState();
    HiddenLauncher launcher;
    PreferenceFrame& f = Open(launcher.window);
    ClickAndWait(f.generalPanel->CheckBoxVerbose, wxEVT_CHECKBOX);
    {
        AlertAnswer no(input, false);
        ClickTool(f.topToolBar, PreferenceFrame::ID_TOOL_RESET);
        // The alert runs its own loop inside the click: done once the answer came back.
        ASSERT_TRUE(zyntest::PumpUntil([&no] { return no.clicked && !AnyAlertShown(); }, 15000));
        EXPECT_FALSE(no.aborted);
    }
    ASSERT_TRUE(frame) << "the window closed";
    EXPECT_EQ(StoredState(), before);
    EXPECT_EQ(Stored(cfg::Application, cfg::Name), Missing);
    EXPECT_TRUE(f.generalPanel->CheckBoxVerbose->GetValue());
    // The window is still open: still modal, hot key still off.
    EXPECT_TRUE(ModalOpenFlag);
    EXPECT_FALSE(HotkeyEnabledFlag);
}

TEST_F(PreferenceFrameTest, ResetAnsweredYesEmptiesTheWholeStore)
{
    // The tray menu had switched the hot keys off; a widget had saved its place.
    Core()->WriteBool(cfg::Hotkey, cfg::Enable, false);
    HotkeyManager::SetEnable(false);
    Core()->WriteLong(cfg::Plugin, "HPPosX", 10);
    Core()->WriteBool(cfg::General, cfg::LockingMode, true);
    HiddenLauncher launcher;
    PreferenceFrame& f = Open(launcher.window);
    AlertAnswer yes(input, true);
    ClickTool(f.topToolBar, PreferenceFrame::ID_TOOL_RESET);
    ASSERT_TRUE(Closed());
    EXPECT_FALSE(yes.aborted);
    EXPECT_EQ(Stored(cfg::General, cfg::LockingMode), Missing);
    EXPECT_EQ(Stored(cfg::Plugin, "HPPosX"), Missing);
    EXPECT_EQ(Stored(cfg::Hotkey, cfg::Enable), Missing);
    // The defaults were applied: that writes the Application catalog again.
    EXPECT_EQ(Stored(cfg::Application, cfg::Name), AppName);
    EXPECT_FALSE(ModalOpenFlag);
    EXPECT_TRUE(HotkeyEnabledFlag);
    const std::string file = zyntest::ReadFile(appDir / "Configs/Core.xml");
    EXPECT_NE(file.find("\"Application\""), std::string::npos) << file;
    EXPECT_EQ(file.find("LockingMode"), std::string::npos) << file;
}

} // namespace
