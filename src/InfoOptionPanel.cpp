#include "InfoOptionPanel.h"

#include <wx/checkbox.h>
#include <wx/filepicker.h>
#include <wx/intl.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/textctrl.h>

#include "IconPickerDialog.h"

const long InfoOptionPanel::ID_CHECKBOX1 = wxNewId();
const long InfoOptionPanel::ID_STATICLINE_PANEL = wxNewId();
const long InfoOptionPanel::ID_RADIOBUTTON_DESCRIPT = wxNewId();
const long InfoOptionPanel::ID_RADIOBUTTON_PLUGIN = wxNewId();
const long InfoOptionPanel::ID_TEXTCTRL_DESCRIPT = wxNewId();
const long InfoOptionPanel::ID_CHECKBOX_IMAGE = wxNewId();
const long InfoOptionPanel::ID_FILEPICKERCTRL_Image = wxNewId();

wxBEGIN_EVENT_TABLE(InfoOptionPanel, wxPanel)
wxEND_EVENT_TABLE()

InfoOptionPanel::InfoOptionPanel(wxWindow* parent, wxWindowID, const wxPoint&, const wxSize&)
{
    Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "wxID_ANY");
    wxBoxSizer* top = new wxBoxSizer(wxVERTICAL);
    wxBoxSizer* row1 = new wxBoxSizer(wxHORIZONTAL);
    CheckBoxInfoPanel = new wxCheckBox(this, ID_CHECKBOX1, _("Info Panel"), wxDefaultPosition, wxDefaultSize, 0,
                                       wxDefaultValidator, "ID_CHECKBOX1");
    CheckBoxInfoPanel->SetValue(false);
    row1->Add(CheckBoxInfoPanel, 0, wxALL | wxALIGN_CENTER, 5);
    StaticLinePanel = new wxStaticLine(this, ID_STATICLINE_PANEL, wxDefaultPosition, wxSize(10, -1),
                                       wxLI_HORIZONTAL, "ID_STATICLINE_PANEL");
    row1->Add(StaticLinePanel, 1, wxALL | wxALIGN_CENTER, 5);
    top->Add(row1, 0, wxLEFT | wxRIGHT | wxEXPAND, 5);

    wxBoxSizer* row2 = new wxBoxSizer(wxHORIZONTAL);
    RadioButtonDescription = new wxRadioButton(this, ID_RADIOBUTTON_DESCRIPT, _("Description"), wxDefaultPosition,
                                               wxDefaultSize, 0, wxDefaultValidator, "ID_RADIOBUTTON_DESCRIPT");
    RadioButtonDescription->SetValue(true);
    RadioButtonDescription->Disable();
    row2->Add(RadioButtonDescription, 1, wxALL | wxALIGN_CENTER, 5);
    RadioButtonPlugin = new wxRadioButton(this, ID_RADIOBUTTON_PLUGIN, _("Plugin"), wxDefaultPosition,
                                          wxDefaultSize, 0, wxDefaultValidator, "ID_RADIOBUTTON_PLUGIN");
    RadioButtonPlugin->Disable();
    row2->Add(RadioButtonPlugin, 1, wxALL | wxALIGN_CENTER, 5);
    row2->Add(-1, -1, 2, wxALL | wxALIGN_CENTER, 5);
    top->Add(row2, 0, wxLEFT | wxRIGHT | wxEXPAND, 5);

    TextCtrlDescription = new wxTextCtrl(this, ID_TEXTCTRL_DESCRIPT, _("Text"), wxDefaultPosition, wxSize(-1, 64),
                                         wxTE_MULTILINE, wxDefaultValidator, "ID_TEXTCTRL_DESCRIPT");
    TextCtrlDescription->Disable();
    top->Add(TextCtrlDescription, 1, wxALL | wxEXPAND, 5);

    wxBoxSizer* row3 = new wxBoxSizer(wxHORIZONTAL);
    CheckBoxImage = new wxCheckBox(this, ID_CHECKBOX_IMAGE, _("BG Image"), wxDefaultPosition, wxDefaultSize, 0,
                                   wxDefaultValidator, "ID_CHECKBOX_IMAGE");
    CheckBoxImage->SetValue(false);
    CheckBoxImage->Disable();
    row3->Add(CheckBoxImage, 0, wxALL | wxALIGN_CENTER, 5);
    FilePickerCtrlImage = new wxFilePickerCtrl(this, ID_FILEPICKERCTRL_Image, wxEmptyString,
                                               _("Select a background image"), PngWildcard, wxDefaultPosition,
                                               wxDefaultSize,
                                               wxFLP_OPEN | wxFLP_FILE_MUST_EXIST | wxFLP_USE_TEXTCTRL,
                                               wxDefaultValidator, "ID_FILEPICKERCTRL_Image");
    FilePickerCtrlImage->Disable();
    row3->Add(FilePickerCtrlImage, 1, wxALL | wxALIGN_CENTER, 5);
    top->Add(row3, 0, wxLEFT | wxRIGHT | wxBOTTOM | wxEXPAND, 5);

    SetSizer(top);
    top->Fit(this);
    top->SetSizeHints(this);

    Bind(wxEVT_CHECKBOX, &InfoOptionPanel::OnInfoCheck, this, ID_CHECKBOX1);
    Bind(wxEVT_CHECKBOX, &InfoOptionPanel::OnImageCheck, this, ID_CHECKBOX_IMAGE);
}

void InfoOptionPanel::EnableControls(const bool& enable)
{
    RadioButtonDescription->Enable(enable);
    TextCtrlDescription->Enable(enable);
    CheckBoxImage->Enable(enable);
    if (!enable || CheckBoxImage->GetValue())
        FilePickerCtrlImage->Enable(enable);
}

void InfoOptionPanel::OnInfoCheck(wxCommandEvent& event)
{
    EnableControls(event.IsChecked());
}

void InfoOptionPanel::OnImageCheck(wxCommandEvent& event)
{
    FilePickerCtrlImage->Enable(event.IsChecked());
}
