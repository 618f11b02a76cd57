#include "SubMenuOptionPanel.h"

#include <wx/checkbox.h>
#include <wx/intl.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statline.h>

const long SubMenuOptionPanel::ID_CHECKBOX_Menu = wxNewId();
const long SubMenuOptionPanel::ID_STATICLINE_MENU = wxNewId();
const long SubMenuOptionPanel::ID_RADIOBUTTON_CATALOG = wxNewId();
const long SubMenuOptionPanel::ID_RADIOBUTTON_LIST = wxNewId();

wxBEGIN_EVENT_TABLE(SubMenuOptionPanel, wxPanel)
wxEND_EVENT_TABLE()

SubMenuOptionPanel::SubMenuOptionPanel(wxWindow* parent)
{
    Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "wxID_ANY");
    wxBoxSizer* top = new wxBoxSizer(wxVERTICAL);
    wxBoxSizer* row1 = new wxBoxSizer(wxHORIZONTAL);
    CheckBoxSubMenu = new wxCheckBox(this, ID_CHECKBOX_Menu, _("Sub-Menu"), wxDefaultPosition,
                                     wxDefaultSize, 0, wxDefaultValidator, "ID_CHECKBOX_Menu");
    CheckBoxSubMenu->SetValue(false);
    row1->Add(CheckBoxSubMenu, 0, wxALL | wxALIGN_CENTER, 5);
    StaticLineMenu = new wxStaticLine(this, ID_STATICLINE_MENU, wxDefaultPosition, wxSize(10, -1),
                                      wxLI_HORIZONTAL, "ID_STATICLINE_MENU");
    row1->Add(StaticLineMenu, 1, wxALL | wxALIGN_CENTER, 5);
    top->Add(row1, 0, wxEXPAND, 5);

    wxBoxSizer* row2 = new wxBoxSizer(wxHORIZONTAL);
    RadioButtonCatalog = new wxRadioButton(this, ID_RADIOBUTTON_CATALOG, _("Catalog Menu"), wxDefaultPosition,
                                           wxDefaultSize, 0, wxDefaultValidator, "ID_RADIOBUTTON_CATALOG");
    RadioButtonCatalog->SetValue(true);
    RadioButtonCatalog->Disable();
    RadioButtonCatalog->SetToolTip(_("A 'Catalog Menu' has one or more items which own sub-menus."));
    row2->Add(RadioButtonCatalog, 1, wxALL | wxALIGN_CENTER, 5);
    RadioButtonList = new wxRadioButton(this, ID_RADIOBUTTON_LIST, _("List Menu"), wxDefaultPosition,
                                        wxDefaultSize, 0, wxDefaultValidator, "ID_RADIOBUTTON_LIST");
    RadioButtonList->Disable();
    RadioButtonList->SetToolTip(_("A 'List Menu' has one or more items which perform actions."));
    row2->Add(RadioButtonList, 1, wxALL | wxALIGN_CENTER, 5);
    top->Add(row2, 1, wxALL | wxEXPAND, 5);

    SetSizer(top);
    top->Fit(this);
    top->SetSizeHints(this);

    Bind(wxEVT_CHECKBOX, &SubMenuOptionPanel::OnSubMenuCheck, this, ID_CHECKBOX_Menu);
}

void SubMenuOptionPanel::EnableMenuTypes(const bool& enable)
{
    RadioButtonCatalog->Enable(enable);
    RadioButtonList->Enable(enable);
}

void SubMenuOptionPanel::OnSubMenuCheck(wxCommandEvent& event)
{
    EnableMenuTypes(event.IsChecked());
}
