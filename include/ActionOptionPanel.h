// The item editor's page for a list item's action: whether it has one, its
// kind and its command text, which only the browse button ("...") fills.
#pragma once

#include <wx/panel.h>

class wxButton;
class wxCheckBox;
class wxDirDialog;
class wxFileDialog;
class wxRadioButton;
class wxStaticLine;
class wxTextCtrl;
class wxTextEntryDialog;

class ActionOptionPanel : public wxPanel {
public:
    explicit ActionOptionPanel(wxWindow* parent);

    // Enables or disables the selectable kinds and the browse button.
    void EnableControls(const bool& enable);

    wxFileDialog* FileDialogProgram = nullptr;
    wxRadioButton* RadioButtonFolder = nullptr;
    wxDirDialog* DirDialogFolder = nullptr;
    wxTextCtrl* TextCtrlCommand = nullptr;
    wxRadioButton* RadioButtonPlugin = nullptr;
    wxCheckBox* CheckBoxAction = nullptr;
    wxStaticLine* StaticLineMenu = nullptr;
    wxRadioButton* RadioButtonProgram = nullptr;
    wxRadioButton* RadioButtonCommand = nullptr;
    wxButton* ButtonDetail = nullptr;
    wxTextEntryDialog* TextEntryDialogUrl = nullptr;
    wxTextEntryDialog* TextEntryDialogCommand = nullptr;
    wxRadioButton* RadioButtonUrl = nullptr;

    static const long ID_CHECKBOX_ACTION;
    static const long ID_STATICLINE_MENU;
    static const long ID_RADIOBUTTON_PROGRAM;
    static const long ID_RADIOBUTTON_FOLDER;
    static const long ID_RADIOBUTTON_URL;
    static const long ID_RADIOBUTTON_COMMAND;
    static const long ID_RADIOBUTTON_PLUGIN;
    static const long ID_TEXTCTRL_COMMAND;
    static const long ID_BUTTON_DETAIL;

private:
    void OnActionCheck(wxCommandEvent& event);
    void OnBrowse(wxCommandEvent& event);

    wxDECLARE_EVENT_TABLE();
};
