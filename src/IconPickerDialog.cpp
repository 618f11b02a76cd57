#include "IconPickerDialog.h"

#include <wx/button.h>
#include <wx/filepicker.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "BitmapManager.h"

const long IconPickerDialog::ID_FILEPICKERCTRL_NORMAL = wxNewId();
const long IconPickerDialog::ID_FILEPICKERCTRL_HOVER = wxNewId();
const long IconPickerDialog::ID_FILEPICKERCTRL_PRESS = wxNewId();
const long IconPickerDialog::ID_STATICTEXT_NORMAL = wxNewId();
const long IconPickerDialog::ID_STATICTEXT_HOVER = wxNewId();
const long IconPickerDialog::ID_STATICLINE1 = wxNewId();
const long IconPickerDialog::ID_STATICTEXT4 = wxNewId();
const long IconPickerDialog::ID_STATICTEXT_PRESS = wxNewId();

wxBEGIN_EVENT_TABLE(IconPickerDialog, wxDialog)
wxEND_EVENT_TABLE()

namespace {

const int PathFieldChars = 44;

} // namespace

IconPickerDialog::IconPickerDialog(wxWindow* parent)
{
    Create(parent, wxID_ANY, _("Icon Picker"), wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE, "wxID_ANY");
    SetIcons(BitmapManager::AppIcons());
    wxBoxSizer* main = new wxBoxSizer(wxVERTICAL);

    // One row per state: its label and a picker of existing PNG files.
    auto addRow = [&](wxStaticText*& label, long labelId, const char* labelName, const wxString& text,
                      wxFilePickerCtrl*& picker, long pickerId, const char* pickerName, const wxString& message) {
        wxBoxSizer* row = new wxBoxSizer(wxHORIZONTAL);
        label = new wxStaticText(this, labelId, text, wxDefaultPosition, wxDefaultSize, 0, labelName);
        row->Add(label, 1, wxALL | wxALIGN_CENTER, 5);
        picker = new wxFilePickerCtrl(this, pickerId, wxEmptyString, message, PngWildcard, wxDefaultPosition,
                                      wxDefaultSize, wxFLP_USE_TEXTCTRL | wxFLP_OPEN | wxFLP_FILE_MUST_EXIST,
                                      wxDefaultValidator, pickerName);
        // The dialog is as wide as its note, which is short in some languages: a path
        // such as "Images/launcher/terminal_small_normal.png" still shows whole.
        if (wxTextCtrl* field = picker->GetTextCtrl())
            field->SetMinSize(wxSize(field->GetCharWidth() * PathFieldChars, -1));
        row->Add(picker, 8, wxALL | wxALIGN_CENTER, 5);
        main->Add(row, 1, wxALL | wxEXPAND, 5);
    };
    addRow(StaticTextNormal, ID_STATICTEXT_NORMAL, "ID_STATICTEXT_NORMAL", _("Normal"), FilePickerCtrlNormal,
           ID_FILEPICKERCTRL_NORMAL, "ID_FILEPICKERCTRL_NORMAL", _("Select an icon"));
    addRow(StaticTextHover, ID_STATICTEXT_HOVER, "ID_STATICTEXT_HOVER", _("Hover"), FilePickerCtrlHover,
           ID_FILEPICKERCTRL_HOVER, "ID_FILEPICKERCTRL_HOVER", _("Select the hover icon"));
    addRow(StaticTextPress, ID_STATICTEXT_PRESS, "ID_STATICTEXT_PRESS", _("Press"), FilePickerCtrlPress,
           ID_FILEPICKERCTRL_PRESS, "ID_FILEPICKERCTRL_PRESS", _("Select the press icon"));

    StaticText4 = new wxStaticText(this, ID_STATICTEXT4, _("* Leave 'Press' icon blank to use same icon as Hover state."),
                                   wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT4");
    main->Add(StaticText4, 0, wxLEFT | wxRIGHT | wxBOTTOM | wxEXPAND, 10);
    StaticLine1 = new wxStaticLine(this, ID_STATICLINE1, wxDefaultPosition, wxSize(10, -1), wxLI_HORIZONTAL,
                                   "ID_STATICLINE1");
    main->Add(StaticLine1, 0, wxALL | wxEXPAND, 5);

    wxStdDialogButtonSizer* buttons = new wxStdDialogButtonSizer();
    buttons->AddButton(new wxButton(this, wxID_OK, wxEmptyString));
    buttons->AddButton(new wxButton(this, wxID_CANCEL, wxEmptyString));
    buttons->Realize();
    main->Add(buttons, 1, wxALL | wxALIGN_CENTER, 5);

    SetSizer(main);
    main->Fit(this);
    main->SetSizeHints(this);
}

void IconPickerDialog::SetPaths(const wxVector<wxString>& paths)
{
    wxFilePickerCtrl* const pickers[] = {FilePickerCtrlNormal, FilePickerCtrlHover, FilePickerCtrlPress};
    for (size_t i = 0; i < 3; ++i)
        pickers[i]->SetPath(i < paths.size() ? paths[i] : wxString());
}

wxVector<wxString> IconPickerDialog::GetPaths()
{
    wxVector<wxString> paths;
    paths.push_back(FilePickerCtrlNormal->GetPath());
    paths.push_back(FilePickerCtrlHover->GetPath());
    paths.push_back(FilePickerCtrlPress->GetPath());
    return paths;
}
