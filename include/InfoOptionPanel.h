// The item editor's page for an icon item's information panel: whether it has
// one, its type, its description and its background image. The editor reads and
// presets its controls.
#pragma once

#include <wx/panel.h>

class wxCheckBox;
class wxFilePickerCtrl;
class wxRadioButton;
class wxStaticLine;
class wxTextCtrl;

class InfoOptionPanel : public wxPanel {
public:
    // Only parent is used: the page always takes its own id, position and size.
    InfoOptionPanel(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize);

    // Enables or disables the description, its radio and the image box; the
    // picker follows only while the image box is checked.
    void EnableControls(const bool& enable);

    wxRadioButton* RadioButtonDescription = nullptr;
    wxStaticLine* StaticLinePanel = nullptr;
    wxRadioButton* RadioButtonPlugin = nullptr;
    wxTextCtrl* TextCtrlDescription = nullptr;
    wxCheckBox* CheckBoxImage = nullptr;
    wxCheckBox* CheckBoxInfoPanel = nullptr;
    wxFilePickerCtrl* FilePickerCtrlImage = nullptr;

    static const long ID_CHECKBOX1;
    static const long ID_STATICLINE_PANEL;
    static const long ID_RADIOBUTTON_DESCRIPT;
    static const long ID_RADIOBUTTON_PLUGIN;
    static const long ID_TEXTCTRL_DESCRIPT;
    static const long ID_CHECKBOX_IMAGE;
    static const long ID_FILEPICKERCTRL_Image;

private:
    void OnInfoCheck(wxCommandEvent& event);
    void OnImageCheck(wxCommandEvent& event);

    wxDECLARE_EVENT_TABLE();
};
