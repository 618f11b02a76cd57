// The item editor's page for a list item's action: whether it has one, its
// kind and its command text, which only the browse button ("...") fills. The
// text prompts live only while they ask: a toolkit prompt made before the
// editor shows takes another window of the program as its parent and would
// outlive the editor.
#pragma once

#include <wx/panel.h>

class wxButton;
class wxCheckBox;
class wxDirDialog;
class wxFileDialog;
class wxRadioButton;
class wxStaticLine;
class wxTextCtrl;

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
    // Shows a text prompt over the editor; true and text replaced when confirmed.
    bool Prompt(const wxString& message, const wxString& caption, long style, wxString& text);
    void OnActionCheck(wxCommandEvent& event);
    void OnBrowse(wxCommandEvent& event);

    // What the address prompt shows next: its own last confirmed text.
    wxString urlText;

    wxDECLARE_EVENT_TABLE();
};
