#include "PluginPanel.h"

#include <wx/intl.h>
#include <wx/sizer.h>

#include "FormLayout.h"

const long PluginPanel::ID_STATICTEXT_TITLE = wxNewId();
const long PluginPanel::ID_STATICLINE_TITLE = wxNewId();
const long PluginPanel::ID_CHECKBOX_PLUGIN = wxNewId();
const long PluginPanel::ID_LISTCTRL_PLUGIN = wxNewId();
const long PluginPanel::ID_CHECKBOX_SWITCH = wxNewId();
const long PluginPanel::ID_BUTTON_CONFIG = wxNewId();
const long PluginPanel::ID_BUTTON_REMOVE = wxNewId();

wxBEGIN_EVENT_TABLE(PluginPanel, wxPanel)
wxEND_EVENT_TABLE()

namespace {

// The widgets under the names they know themselves by.
const char* const WidgetNames[] = {wxTRANSLATE("HP Bar"), wxTRANSLATE("System Monitor"), wxTRANSLATE("Image Widget")};

} // namespace

PluginPanel::PluginPanel(wxWindow* parent)
{
    selectedIndex = -1;
    Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "wxID_ANY");

    StaticTextTitle = new wxStaticText(this, ID_STATICTEXT_TITLE, _("Plug-in Settings"), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT_TITLE");
    StaticTextTitle->SetFont(form::TitleFont());
    StaticLineTitle = new wxStaticLine(this, ID_STATICLINE_TITLE, wxDefaultPosition, wxSize(10, -1), wxLI_HORIZONTAL, "ID_STATICLINE_TITLE");
    CheckBoxPlugin = new wxCheckBox(this, ID_CHECKBOX_PLUGIN, _("Enable Plug-ins"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_CHECKBOX_PLUGIN");
    CheckBoxPlugin->SetValue(true);
    ListCtrlPlugin = new wxListCtrl(this, ID_LISTCTRL_PLUGIN, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_SINGLE_SEL, wxDefaultValidator, "ID_LISTCTRL_PLUGIN");
    form::AddColumns(ListCtrlPlugin, {{wxTRANSLATE("Name"), 200}, {wxTRANSLATE("Version"), 80}, {wxTRANSLATE("Author"), 80}, {wxTRANSLATE("Enable"), 50}});
    long row = 0;
    for (const char* name : WidgetNames) {
        ListCtrlPlugin->InsertItem(row, wxGetTranslation(name), 0);
        ListCtrlPlugin->SetItem(row, COLUMN_VERSION, _("0.1"));
        ListCtrlPlugin->SetItem(row, COLUMN_AUTHOR, _("Orvain"));
        ListCtrlPlugin->SetItem(row, COLUMN_ENABLE, _("Yes"));
        ++row;
    }
    form::FitColumnsToCells(ListCtrlPlugin);
    CheckBoxSwitch = new wxCheckBox(this, ID_CHECKBOX_SWITCH, _("Enable"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_CHECKBOX_SWITCH");
    CheckBoxSwitch->Disable();
    ButtonConfig = new wxButton(this, ID_BUTTON_CONFIG, _("Config"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_BUTTON_CONFIG");
    ButtonConfig->Disable();
    ButtonRemove = new wxButton(this, ID_BUTTON_REMOVE, _("Remove"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_BUTTON_REMOVE");
    ButtonRemove->Disable();

    using form::ItemFlags;
    auto* page = new wxBoxSizer(wxVERTICAL);
    form::AddTitle(page, StaticTextTitle, StaticLineTitle);
    page->Add(CheckBoxPlugin, 0, ItemFlags(wxALL, true), 6);
    page->Add(ListCtrlPlugin, 1, ItemFlags(wxALL, true), 5);
    page->Add(form::Row({{CheckBoxSwitch, 1}, {nullptr, 1}, {ButtonConfig, 0}, {ButtonRemove, 0}}), 0, ItemFlags(wxALL, true), 5);
    SetSizer(page);
    page->Fit(this);
    page->SetSizeHints(this);

    Bind(wxEVT_CHECKBOX, &PluginPanel::OnEnableCheck, this, ID_CHECKBOX_PLUGIN);
    Bind(wxEVT_LIST_ITEM_SELECTED, &PluginPanel::OnItemSelected, this, ID_LISTCTRL_PLUGIN);
    Bind(wxEVT_LIST_ITEM_DESELECTED, &PluginPanel::OnItemDeselected, this, ID_LISTCTRL_PLUGIN);
    Bind(wxEVT_CHECKBOX, &PluginPanel::OnSwitch, this, ID_CHECKBOX_SWITCH);
}

PluginPanel::~PluginPanel() = default;

void PluginPanel::EnableControls(bool on)
{
    ListCtrlPlugin->Enable(on);
    // With no row selected the switch has nothing to show, so it stays disabled.
    if (!on)
        CheckBoxSwitch->Disable();
    else if (selectedIndex != -1)
        CheckBoxSwitch->Enable();
}

void PluginPanel::UpdateControls()
{
    EnableControls(CheckBoxPlugin->GetValue());
}

void PluginPanel::OnEnableCheck(wxCommandEvent& event)
{
    EnableControls(event.IsChecked());
}

void PluginPanel::OnItemSelected(wxListEvent& event)
{
    selectedIndex = event.GetIndex();
    CheckBoxSwitch->SetValue(ListCtrlPlugin->GetItemText(selectedIndex, COLUMN_ENABLE) == _("Yes"));
    CheckBoxSwitch->Enable();
}

void PluginPanel::OnItemDeselected(wxListEvent&)
{
    selectedIndex = -1;
    CheckBoxSwitch->Disable();
}

void PluginPanel::OnSwitch(wxCommandEvent& event)
{
    if (selectedIndex == -1)
        return;
    ListCtrlPlugin->SetItem(selectedIndex, COLUMN_ENABLE, event.IsChecked() ? _("Yes") : _("No"), -1);
}
