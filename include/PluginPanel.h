// The "Plug-ins" page of the preferences window: the master switch of the
// desktop widgets and the list in which each widget is switched on or off
// (the "Enable" column reads "Yes" or "No"). The window loads and stores them.
#pragma once

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/statline.h>
#include <wx/stattext.h>

class PluginPanel : public wxPanel {
public:
    explicit PluginPanel(wxWindow* parent);
    ~PluginPanel() override;

    // Enables the list and the per-row switch as the master switch says.
    void UpdateControls();

    // The list's columns; the rows are the widgets "HP Bar", "System Monitor", "Image Widget".
    enum { COLUMN_NAME, COLUMN_VERSION, COLUMN_AUTHOR, COLUMN_ENABLE };

    wxCheckBox* CheckBoxPlugin;
    wxStaticLine* StaticLineTitle;
    wxListCtrl* ListCtrlPlugin;
    wxCheckBox* CheckBoxSwitch;
    wxStaticText* StaticTextTitle;
    wxButton* ButtonRemove;
    wxButton* ButtonConfig;
    long selectedIndex;

    static const long ID_STATICTEXT_TITLE;
    static const long ID_STATICLINE_TITLE;
    static const long ID_CHECKBOX_PLUGIN;
    static const long ID_LISTCTRL_PLUGIN;
    static const long ID_CHECKBOX_SWITCH;
    static const long ID_BUTTON_CONFIG;
    static const long ID_BUTTON_REMOVE;

private:
    void OnEnableCheck(wxCommandEvent& event);
    void OnItemSelected(wxListEvent& event);
    void OnItemDeselected(wxListEvent& event);
    void OnSwitch(wxCommandEvent& event);

    void EnableControls(bool on);

    wxDECLARE_EVENT_TABLE();
};
