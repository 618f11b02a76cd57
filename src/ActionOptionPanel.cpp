#include "ActionOptionPanel.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/intl.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/textctrl.h>
#include <wx/textdlg.h>

const long ActionOptionPanel::ID_CHECKBOX_ACTION = wxNewId();
const long ActionOptionPanel::ID_STATICLINE_MENU = wxNewId();
const long ActionOptionPanel::ID_RADIOBUTTON_PROGRAM = wxNewId();
const long ActionOptionPanel::ID_RADIOBUTTON_FOLDER = wxNewId();
const long ActionOptionPanel::ID_RADIOBUTTON_URL = wxNewId();
const long ActionOptionPanel::ID_RADIOBUTTON_COMMAND = wxNewId();
const long ActionOptionPanel::ID_RADIOBUTTON_PLUGIN = wxNewId();
const long ActionOptionPanel::ID_TEXTCTRL_COMMAND = wxNewId();
const long ActionOptionPanel::ID_BUTTON_DETAIL = wxNewId();

wxBEGIN_EVENT_TABLE(ActionOptionPanel, wxPanel)
wxEND_EVENT_TABLE()

ActionOptionPanel::ActionOptionPanel(wxWindow* parent)
{
    Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "wxID_ANY");
    wxBoxSizer* top = new wxBoxSizer(wxVERTICAL);
    wxBoxSizer* row1 = new wxBoxSizer(wxHORIZONTAL);
    CheckBoxAction = new wxCheckBox(this, ID_CHECKBOX_ACTION, _("Action"), wxDefaultPosition, wxDefaultSize, 0,
                                    wxDefaultValidator, "ID_CHECKBOX_ACTION");
    CheckBoxAction->SetValue(false);
    row1->Add(CheckBoxAction, 0, wxALL | wxALIGN_CENTER, 5);
    StaticLineMenu = new wxStaticLine(this, ID_STATICLINE_MENU, wxDefaultPosition, wxSize(10, -1),
                                      wxLI_HORIZONTAL, "ID_STATICLINE_MENU");
    row1->Add(StaticLineMenu, 1, wxALL | wxALIGN_CENTER, 5);
    top->Add(row1, 0, wxEXPAND, 5);

    // The five kinds form one group; all start disabled, "Program" selected.
    wxBoxSizer* row2 = new wxBoxSizer(wxHORIZONTAL);
    auto addKind = [&](long id, const wxString& label, const char* name, int proportion, const wxString& tip) {
        wxRadioButton* radio = new wxRadioButton(this, id, label, wxDefaultPosition, wxDefaultSize, 0,
                                                 wxDefaultValidator, name);
        radio->Disable();
        if (!tip.empty())
            radio->SetToolTip(tip);
        row2->Add(radio, proportion, wxALL | wxALIGN_CENTER, 5);
        return radio;
    };
    RadioButtonProgram = addKind(ID_RADIOBUTTON_PROGRAM, _("Program"), "ID_RADIOBUTTON_PROGRAM", 0,
                                 _("Execute an existed program."));
    RadioButtonProgram->SetValue(true);
    RadioButtonFolder = addKind(ID_RADIOBUTTON_FOLDER, _("Folder"), "ID_RADIOBUTTON_FOLDER", 1,
                                _("Open a folder in the file manager."));
    RadioButtonUrl = addKind(ID_RADIOBUTTON_URL, _("URL"), "ID_RADIOBUTTON_URL", 0,
                             _("Open a web, file or e-mail address. "));
    RadioButtonCommand = addKind(ID_RADIOBUTTON_COMMAND, _("Command"), "ID_RADIOBUTTON_COMMAND", 0,
                                 _("Run a command or program with parameters."));
    RadioButtonPlugin = addKind(ID_RADIOBUTTON_PLUGIN, _("Plugin"), "ID_RADIOBUTTON_PLUGIN", 0, wxString());
    top->Add(row2, 0, wxLEFT | wxRIGHT | wxTOP | wxALIGN_CENTER, 5);

    wxBoxSizer* row3 = new wxBoxSizer(wxHORIZONTAL);
    TextCtrlCommand = new wxTextCtrl(this, ID_TEXTCTRL_COMMAND, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                     wxTE_READONLY, wxDefaultValidator, "ID_TEXTCTRL_COMMAND");
    row3->Add(TextCtrlCommand, 1, wxALL | wxALIGN_CENTER, 5);
    // GTK pads buttons beyond a fixed 26 x 23, which would hide the label: the
    // button takes the smallest size that shows it.
    ButtonDetail = new wxButton(this, ID_BUTTON_DETAIL, _("..."), wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT,
                                wxDefaultValidator, "ID_BUTTON_DETAIL");
    ButtonDetail->Disable();
    row3->Add(ButtonDetail, 0, wxALL | wxALIGN_CENTER, 5);
    top->Add(row3, 0, wxALL | wxEXPAND, 5);
    SetSizer(top);

    // Programs on Linux carry no extension: every file first, then scripts and
    // desktop entries.
    FileDialogProgram = new wxFileDialog(
        this, _("Select file"), wxEmptyString, wxEmptyString,
        _("All files (*)|*|Scripts (*.sh;*.py;*.pl)|*.sh;*.py;*.pl|Desktop entries (*.desktop)|*.desktop"),
        wxFD_OPEN, wxDefaultPosition, wxDefaultSize, "wxFileDialog");
    urlText = _("http://");
    DirDialogFolder = new wxDirDialog(this, _("Select directory"), wxEmptyString, wxDD_DEFAULT_STYLE,
                                      wxDefaultPosition, wxDefaultSize, "wxDirDialog");
    // The GTK choosers drop the window name they are given for one of their own.
    FileDialogProgram->SetName("wxFileDialog");
    DirDialogFolder->SetName("wxDirDialog");

    top->Fit(this);
    top->SetSizeHints(this);

    Bind(wxEVT_CHECKBOX, &ActionOptionPanel::OnActionCheck, this, ID_CHECKBOX_ACTION);
    Bind(wxEVT_BUTTON, &ActionOptionPanel::OnBrowse, this, ID_BUTTON_DETAIL);
}

void ActionOptionPanel::EnableControls(const bool& enable)
{
    RadioButtonProgram->Enable(enable);
    RadioButtonFolder->Enable(enable);
    RadioButtonCommand->Enable(enable);
    RadioButtonUrl->Enable(enable);
    ButtonDetail->Enable(enable);
}

void ActionOptionPanel::OnActionCheck(wxCommandEvent& event)
{
    EnableControls(event.IsChecked());
}

void ActionOptionPanel::OnBrowse(wxCommandEvent&)
{
    if (RadioButtonProgram->GetValue()) {
        if (FileDialogProgram->ShowModal() == wxID_OK)
            TextCtrlCommand->SetValue(FileDialogProgram->GetPath());
    } else if (RadioButtonFolder->GetValue()) {
        if (DirDialogFolder->ShowModal() == wxID_OK)
            TextCtrlCommand->SetValue(DirDialogFolder->GetPath());
    } else if (RadioButtonUrl->GetValue()) {
        // The address prompt keeps its own text between uses.
        if (Prompt(_("Please input a url with http:/file:/mailto: prefix."), _("URL"), wxTextEntryDialogStyle,
                   urlText))
            TextCtrlCommand->SetValue(urlText);
    } else if (RadioButtonCommand->GetValue()) {
        wxString command = TextCtrlCommand->GetValue();
        if (Prompt(_("Please input a shell command"), _("Action Command"), wxTextEntryDialogStyle | wxTE_MULTILINE,
                   command))
            TextCtrlCommand->SetValue(command);
    }
}

bool ActionOptionPanel::Prompt(const wxString& message, const wxString& caption, long style, wxString& text)
{
    wxTextEntryDialog prompt(this, message, caption, text, style);
    if (prompt.ShowModal() != wxID_OK)
        return false;
    text = prompt.GetValue();
    return true;
}
