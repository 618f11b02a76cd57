#include "PreferenceFrame.h"

#include <wx/bitmap.h>
#include <wx/choice.h>
#include <wx/iconbndl.h>
#include <wx/intl.h>
#include <wx/radiobut.h>
#include <wx/settings.h>

#include "AboutPanel.h"
#include "AlertObject.h"
#include "AppearancePanel.h"
#include "BitmapManager.h"
#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "GeneralPanel.h"
#include "HotkeyManager.h"
#include "PluginPanel.h"
#include "SoundPanel.h"
#include "ZynUtils.h"

const long PreferenceFrame::ID_PANEL_BASE = wxNewId();
const long PreferenceFrame::ID_TOOL_RESET = wxNewId();
const long PreferenceFrame::ID_TOOL_SAVE = wxNewId();
const long PreferenceFrame::ID_TOOL_CANCEL = wxNewId();
const long PreferenceFrame::ID_TOOLBAR_TOP = wxNewId();
const long PreferenceFrame::ID_TOOL_GENERAL = wxNewId();
const long PreferenceFrame::ID_TOOL_APPEARANCE = wxNewId();
const long PreferenceFrame::ID_TOOL_SOUNDS = wxNewId();
const long PreferenceFrame::ID_TOOL_PLUGINS = wxNewId();
const long PreferenceFrame::ID_TOOL_ABOUT = wxNewId();
const long PreferenceFrame::ID_TOOLBAR_BOTTOM = wxNewId();

wxBEGIN_EVENT_TABLE(PreferenceFrame, wxFrame)
    EVT_MENU(PreferenceFrame::ID_TOOL_RESET, PreferenceFrame::OnToolReset)
    EVT_MENU(PreferenceFrame::ID_TOOL_SAVE, PreferenceFrame::OnToolSave)
    EVT_MENU(PreferenceFrame::ID_TOOL_CANCEL, PreferenceFrame::OnToolCancel)
    EVT_MENU(PreferenceFrame::ID_TOOL_GENERAL, PreferenceFrame::OnToolGeneral)
    EVT_MENU(PreferenceFrame::ID_TOOL_APPEARANCE, PreferenceFrame::OnToolAppearance)
    EVT_MENU(PreferenceFrame::ID_TOOL_SOUNDS, PreferenceFrame::OnToolSounds)
    EVT_MENU(PreferenceFrame::ID_TOOL_PLUGINS, PreferenceFrame::OnToolPlugins)
    EVT_MENU(PreferenceFrame::ID_TOOL_ABOUT, PreferenceFrame::OnToolAbout)
wxEND_EVENT_TABLE()

namespace {

// A tool picture at its own size; a null bitmap when the file cannot be read.
wxBitmap ToolBitmap(const wxString& path)
{
    return BitmapManager::LoadScaledBitmap(path, wxDefaultSize).ToBitmap();
}

// Three-way settings are stored as -1, 0 and 1.
void SelectThreeWay(long value, wxRadioButton* low, wxRadioButton* normal, wxRadioButton* high)
{
    (value == -1 ? low : value == 1 ? high : normal)->SetValue(true);
}

// False when none of the three is selected: the setting is then left as stored.
bool ThreeWayValue(const wxRadioButton* low, const wxRadioButton* normal, const wxRadioButton* high, long& value)
{
    if (low->GetValue())
        value = -1;
    else if (normal->GetValue())
        value = 0;
    else if (high->GetValue())
        value = 1;
    else
        return false;
    return true;
}

// Selects item index, or fallback (wxNOT_FOUND: nothing) when there is no such item.
// Selects the entry that stands for value, the first entry standing for first;
// fallback for a value no entry stands for (the stored value may be any number).
void SelectIndex(wxChoice* choice, long value, long first, int fallback)
{
    const long count = static_cast<long>(choice->GetCount());
    const bool listed = value >= first && value < first + count;
    choice->SetSelection(listed ? static_cast<int>(value - first) : fallback);
}

// The switch of each row of the plug-in list.
const char* const PluginRowKeys[] = {cfg::EnableHPBar, cfg::EnableSystemMonitor, cfg::EnableImageWidget};

} // namespace

PreferenceFrame::PreferenceFrame(wxWindow* parent)
    : wxFrame(parent, wxID_ANY, _("Preferences - Zyn Utils"), wxDefaultPosition, wxDefaultSize, wxCAPTION | wxCLOSE_BOX | wxBORDER_STATIC, "wxID_ANY")
{
    SetClientSize(wxSize(450, 500));
    SetIcons(BitmapManager::AppIcons());

    basePanel = new wxPanel(this, ID_PANEL_BASE, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "ID_PANEL_BASE");
    basePanel->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    auto* mainSizer = new wxBoxSizer(wxVERTICAL);

    topToolBar = new wxToolBar(basePanel, ID_TOOLBAR_TOP, wxDefaultPosition, wxDefaultSize,
                               wxTB_HORIZONTAL | wxTB_FLAT | wxTB_TEXT | wxTB_HORZ_LAYOUT | wxBORDER_NONE, "ID_TOOLBAR_TOP");
    topToolBar->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    topToolBar->SetToolBitmapSize(wxSize(18, 18));
    toolReset = topToolBar->AddTool(ID_TOOL_RESET, _("Reset"), ToolBitmap("Images/etc/undefined.png"), wxNullBitmap, wxITEM_NORMAL, _("Reset all settings"), wxEmptyString);
    toolSave = topToolBar->AddTool(ID_TOOL_SAVE, _("Save"), ToolBitmap("Images/etc/save.png"), wxNullBitmap, wxITEM_NORMAL, _("Save changes"), wxEmptyString);
    toolCancel = topToolBar->AddTool(ID_TOOL_CANCEL, _("Cancel"), ToolBitmap("Images/etc/cancel.png"), wxNullBitmap, wxITEM_NORMAL, _("Revert changes"), wxEmptyString);
    // Reset alone at the left end, Save and Cancel at the right end.
    topToolBar->InsertStretchableSpace(1);
    topToolBar->SetToolPacking(100);
    topToolBar->Realize();

    pageSizer = new wxStaticBoxSizer(wxHORIZONTAL, basePanel, wxEmptyString);
    generalPanel = new GeneralPanel(basePanel);
    appearancePanel = new AppearancePanel(basePanel);
    soundPanel = new SoundPanel(basePanel);
    pluginPanel = new PluginPanel(basePanel);
    aboutPanel = new AboutPanel(basePanel);
    wxPanel* const pages[] = {generalPanel, appearancePanel, soundPanel, pluginPanel, aboutPanel};
    // Every page asks for the room of the largest, so switching pages never clips one.
    wxSize largest;
    for (wxPanel* page : pages)
        largest.IncTo(page->GetMinSize());
    for (wxPanel* page : pages) {
        page->SetMinSize(largest);
        page->Show(page == generalPanel);
        pageSizer->Add(page, 1, wxALL | wxEXPAND, 5);
    }
    currentPage = generalPanel;

    bottomToolBar = new wxToolBar(basePanel, ID_TOOLBAR_BOTTOM, wxDefaultPosition, wxDefaultSize,
                                  wxTB_HORIZONTAL | wxTB_FLAT | wxTB_TEXT | wxBORDER_STATIC, "ID_TOOLBAR_BOTTOM");
    bottomToolBar->SetToolBitmapSize(wxSize(64, 50));
    toolGeneral = bottomToolBar->AddTool(ID_TOOL_GENERAL, _("General"), ToolBitmap("Images/etc/panel_general.png"), wxNullBitmap, wxITEM_RADIO, _("Gernal Settings"), wxEmptyString);
    toolAppearance = bottomToolBar->AddTool(ID_TOOL_APPEARANCE, _("Appearance"), ToolBitmap("Images/etc/panel_appearance.png"), wxNullBitmap, wxITEM_RADIO, _("Appearance Settings"), wxEmptyString);
    toolSounds = bottomToolBar->AddTool(ID_TOOL_SOUNDS, _("Sounds"), ToolBitmap("Images/etc/panel_sound.png"), wxNullBitmap, wxITEM_RADIO, _("Sounds Settings"), wxEmptyString);
    toolPlugins = bottomToolBar->AddTool(ID_TOOL_PLUGINS, _("Plug-ins"), ToolBitmap("Images/etc/panel_plugin.png"), wxNullBitmap, wxITEM_RADIO, _("Plug-in Settings"), wxEmptyString);
    toolAbout = bottomToolBar->AddTool(ID_TOOL_ABOUT, _("About"), ToolBitmap("Images/etc/panel_about.png"), wxNullBitmap, wxITEM_RADIO, _("About Zyn Utils"), wxEmptyString);
    bottomToolBar->Realize();

    mainSizer->Add(topToolBar, 0, wxEXPAND, 0);
    mainSizer->Add(pageSizer, 10, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 5);
    mainSizer->Add(bottomToolBar, 0, wxEXPAND, 0);
    basePanel->SetSizer(mainSizer);
    mainSizer->Fit(basePanel);
    mainSizer->SetSizeHints(basePanel);
    // The toolkit's controls here are larger than those the window was laid out
    // for: the client area grows to hold the pages and every page tool.
    wxSize client = GetClientSize();
    client.IncTo(basePanel->GetMinSize());
    SetClientSize(client);
    Centre(wxBOTH);

    LoadSettings();
    HotkeyManager::SetEnable(false);
    ModalOpenFlag = true;
}

PreferenceFrame::~PreferenceFrame()
{
    ModalOpenFlag = false;
    HotkeyManager::SetEnable(GetConfig(cfg::Core)->ReadBool(cfg::Hotkey, cfg::Enable, true));
}

void PreferenceFrame::LoadSettings()
{
    ConfigImpl* core = GetConfig(cfg::Core);
    GeneralPanel& general = *generalPanel;
    SelectThreeWay(core->ReadLong(cfg::General, cfg::PressTimeout, 0), general.RadioButtonTimeoutShort, general.RadioButtonTimeoutNormal,
                   general.RadioButtonTimeoutLong);
    general.CheckBoxLockLauncher->SetValue(core->ReadBool(cfg::General, cfg::LockingMode, false));
    general.CheckBoxGesture->SetValue(core->ReadLong(cfg::Hotkey, cfg::GestureType, 0) != 0);
    // A sensitivity the program never writes behaves as Normal, so it shows as Normal.
    SelectIndex(general.ChoiceSensitive, core->ReadLong(cfg::Hotkey, cfg::GestureSensitive, 0), -1, 1);

    const long modifiers = core->ReadLong(cfg::Hotkey, cfg::HotkeyType, 0);
    const wxString key = core->ReadString(cfg::Hotkey, cfg::HotkeyChar, "A");
    general.CheckBoxHotkey->SetValue(modifiers != 0);
    general.CheckBoxCtrl->SetValue(modifiers & wxMOD_CONTROL);
    general.CheckBoxShift->SetValue(modifiers & wxMOD_SHIFT);
    general.CheckBoxAlt->SetValue(modifiers & wxMOD_ALT);
    general.CheckBoxWin->SetValue(modifiers & wxMOD_WIN);
    general.ChoiceKey->SetSelection(general.ChoiceKey->FindString(key, false));

    general.CheckBoxStartup->SetValue(core->ReadBool(cfg::General, cfg::StartWithSystem, false));
    general.CheckBoxUpdate->SetValue(core->ReadBool(cfg::General, cfg::CheckUpdate, true));
    general.CheckBoxVerbose->SetValue(core->ReadBool(cfg::General, cfg::VerboseMode, false));
    general.UpdateControls();

    AppearancePanel& appearance = *appearancePanel;
    const long launchType = core->ReadLong(cfg::Appearance, cfg::LaunchType, 0);
    if (launchType == 0) {
        appearance.RadioButtonCursor->SetValue(true);
    } else {
        appearance.RadioButtonFixed->SetValue(true);
        SelectIndex(appearance.ChoicePos, launchType, 1, wxNOT_FOUND);
    }
    appearance.SliderDensity->SetValue(core->ReadLong(cfg::Appearance, cfg::BackgroundDensity, 150));
    SelectThreeWay(core->ReadLong(cfg::Appearance, cfg::AnimateSpeed, 0), appearance.RadioButtonFast, appearance.RadioButtonNormal, appearance.RadioButtonSlow);
    appearance.CheckBoxSplash->SetValue(core->ReadBool(cfg::Appearance, cfg::ShowSplash, true));
    appearance.UpdateControls();

    soundPanel->CheckBoxSound->SetValue(core->ReadBool(cfg::Sound, cfg::Enable, true));

    pluginPanel->CheckBoxPlugin->SetValue(core->ReadBool(cfg::Plugin, cfg::Enable, true));
    long row = 0;
    for (const char* key : PluginRowKeys) {
        if (!core->ReadBool(cfg::Plugin, key, true))
            pluginPanel->ListCtrlPlugin->SetItem(row, PluginPanel::COLUMN_ENABLE, _("No"));
        ++row;
    }
    pluginPanel->UpdateControls();
}

void PreferenceFrame::SaveSettings()
{
    ConfigImpl* core = GetConfig(cfg::Core);
    const GeneralPanel& general = *generalPanel;
    long value = 0;
    if (ThreeWayValue(general.RadioButtonTimeoutShort, general.RadioButtonTimeoutNormal, general.RadioButtonTimeoutLong, value))
        core->WriteLong(cfg::General, cfg::PressTimeout, value);
    core->WriteBool(cfg::General, cfg::LockingMode, general.CheckBoxLockLauncher->GetValue());
    core->WriteLong(cfg::Hotkey, cfg::GestureType, general.CheckBoxGesture->GetValue() ? 1 : 0);
    core->WriteLong(cfg::Hotkey, cfg::GestureSensitive, general.ChoiceSensitive->GetSelection() - 1);

    const wxString key = general.ChoiceKey->GetStringSelection();
    long modifiers = 0;
    if (general.CheckBoxHotkey->GetValue()) {
        if (general.CheckBoxCtrl->GetValue())
            modifiers |= wxMOD_CONTROL;
        if (general.CheckBoxShift->GetValue())
            modifiers |= wxMOD_SHIFT;
        if (general.CheckBoxAlt->GetValue())
            modifiers |= wxMOD_ALT;
        if (general.CheckBoxWin->GetValue())
            modifiers |= wxMOD_WIN;
    }
    core->WriteLong(cfg::Hotkey, cfg::HotkeyType, modifiers);
    core->WriteString(cfg::Hotkey, cfg::HotkeyChar, key);

    core->WriteBool(cfg::General, cfg::StartWithSystem, general.CheckBoxStartup->GetValue());
    core->WriteBool(cfg::General, cfg::CheckUpdate, general.CheckBoxUpdate->GetValue());
    core->WriteBool(cfg::General, cfg::VerboseMode, general.CheckBoxVerbose->GetValue());

    const AppearancePanel& appearance = *appearancePanel;
    core->WriteLong(cfg::Appearance, cfg::LaunchType, appearance.RadioButtonCursor->GetValue() ? 0 : appearance.ChoicePos->GetSelection() + 1);
    core->WriteLong(cfg::Appearance, cfg::BackgroundDensity, appearance.SliderDensity->GetValue());
    if (ThreeWayValue(appearance.RadioButtonFast, appearance.RadioButtonNormal, appearance.RadioButtonSlow, value))
        core->WriteLong(cfg::Appearance, cfg::AnimateSpeed, value);
    core->WriteBool(cfg::Appearance, cfg::ShowSplash, appearance.CheckBoxSplash->GetValue());

    core->WriteBool(cfg::Sound, cfg::Enable, soundPanel->CheckBoxSound->GetValue());

    core->WriteBool(cfg::Plugin, cfg::Enable, pluginPanel->CheckBoxPlugin->GetValue());
    long row = 0;
    for (const char* rowKey : PluginRowKeys) {
        core->WriteBool(cfg::Plugin, rowKey, pluginPanel->ListCtrlPlugin->GetItemText(row, PluginPanel::COLUMN_ENABLE) == _("Yes"));
        ++row;
    }
}

void PreferenceFrame::OnToolReset(wxCommandEvent&)
{
    if (ShowConfirm(_("Are you sure to reset all the settings?")) != wxYES)
        return;
    // Every key goes, also those this window does not show; applying writes the defaults' effects.
    GetConfig(cfg::Core)->Clear();
    wxGetApp().ApplySettings();
    GetConfig(cfg::Core)->Flush(); // what the user chose survives a crash before the exit
    Close();
}

void PreferenceFrame::OnToolSave(wxCommandEvent&)
{
    SaveSettings();
    wxGetApp().ApplySettings();
    GetConfig(cfg::Core)->Flush(); // what the user chose survives a crash before the exit
    Close();
}

void PreferenceFrame::OnToolCancel(wxCommandEvent&)
{
    Close();
}

void PreferenceFrame::ShowPage(wxPanel* page)
{
    currentPage->Hide();
    currentPage = page;
    currentPage->Show();
    pageSizer->Layout();
}

void PreferenceFrame::OnToolGeneral(wxCommandEvent&) { ShowPage(generalPanel); }
void PreferenceFrame::OnToolAppearance(wxCommandEvent&) { ShowPage(appearancePanel); }
void PreferenceFrame::OnToolSounds(wxCommandEvent&) { ShowPage(soundPanel); }
void PreferenceFrame::OnToolPlugins(wxCommandEvent&) { ShowPage(pluginPanel); }
void PreferenceFrame::OnToolAbout(wxCommandEvent&) { ShowPage(aboutPanel); }
