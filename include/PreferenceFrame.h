// The preferences window: five settings pages shown one at a time, switched
// from the page tools at the bottom, and the Reset, Save and Cancel tools at the
// top. An ordinary frame that closes itself; while it exists the modal flag is
// set and the hot key and the gesture are off.
#pragma once

#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/toolbar.h>

class GeneralPanel;
class AppearancePanel;
class SoundPanel;
class PluginPanel;
class AboutPanel;

class PreferenceFrame : public wxFrame {
public:
    explicit PreferenceFrame(wxWindow* parent);
    ~PreferenceFrame() override;

    // Sets every page's controls from the configuration "Core".
    void LoadSettings();
    // Writes every shown setting back into "Core" (in memory; the file is written at exit).
    void SaveSettings();

    GeneralPanel* generalPanel;
    AppearancePanel* appearancePanel;
    SoundPanel* soundPanel;
    PluginPanel* pluginPanel;
    AboutPanel* aboutPanel;
    wxPanel* basePanel;
    wxToolBar* topToolBar;
    wxToolBarToolBase* toolSave;
    wxToolBarToolBase* toolReset;
    wxToolBarToolBase* toolCancel;
    wxToolBar* bottomToolBar;
    wxToolBarToolBase* toolGeneral;
    wxToolBarToolBase* toolAppearance;
    wxToolBarToolBase* toolSounds;
    wxToolBarToolBase* toolPlugins;
    wxToolBarToolBase* toolAbout;
    wxPanel* currentPage;
    wxStaticBoxSizer* pageSizer;

    static const long ID_PANEL_BASE;
    static const long ID_TOOL_RESET;
    static const long ID_TOOL_SAVE;
    static const long ID_TOOL_CANCEL;
    static const long ID_TOOLBAR_TOP;
    static const long ID_TOOL_GENERAL;
    static const long ID_TOOL_APPEARANCE;
    static const long ID_TOOL_SOUNDS;
    static const long ID_TOOL_PLUGINS;
    static const long ID_TOOL_ABOUT;
    static const long ID_TOOLBAR_BOTTOM;

private:
    void OnToolReset(wxCommandEvent& event);
    void OnToolSave(wxCommandEvent& event);
    void OnToolCancel(wxCommandEvent& event);
    void OnToolGeneral(wxCommandEvent& event);
    void OnToolAppearance(wxCommandEvent& event);
    void OnToolSounds(wxCommandEvent& event);
    void OnToolPlugins(wxCommandEvent& event);
    void OnToolAbout(wxCommandEvent& event);

    void ShowPage(wxPanel* page);

    wxDECLARE_EVENT_TABLE();
};
