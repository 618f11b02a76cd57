#include "IconSettingDialog.h"

#include <wx/event.h>
#include <wx/intl.h>

const long IconSettingDialog::ID_STATICTEXT_TITLE = wxNewId();
const long IconSettingDialog::ID_STATICLINE_TITLE = wxNewId();
const long IconSettingDialog::ID_STATICBITMAP_ICON = wxNewId();
const long IconSettingDialog::ID_BUTTON_ICONPICKER = wxNewId();
const long IconSettingDialog::ID_STATICTEXT_NAME = wxNewId();
const long IconSettingDialog::ID_TEXTCTRL_NAME = wxNewId();
const long IconSettingDialog::ID_PANEL_SETTING = wxNewId();
const long IconSettingDialog::ID_TOOL_OK = wxNewId();
const long IconSettingDialog::ID_TOOL_CANCEL = wxNewId();
const long IconSettingDialog::ID_TOOLBAR_BOTTOM = wxNewId();

wxBEGIN_EVENT_TABLE(IconSettingDialog, wxDialog)
wxEND_EVENT_TABLE()

// Interface stub: the controls and pages come next.
IconSettingDialog::IconSettingDialog(wxWindow* parent, const int& itemKind)
    : itemKind(itemKind)
{
    Create(parent, wxID_ANY, _("Zyn Utils - Icon Settings"), wxDefaultPosition, wxDefaultSize,
           wxCAPTION, "wxID_ANY");
}

IconSettingDialog::~IconSettingDialog() = default;

wxString IconSettingDialog::GetItemName() { return wxString(); }
void IconSettingDialog::SetItemName(const wxString&) {}
wxVector<wxString> IconSettingDialog::GetIconPaths() { return iconPaths; }
void IconSettingDialog::SetIconPaths(const wxVector<wxString>& paths) { iconPaths = paths; }
int IconSettingDialog::GetActionType() { return 0; }
void IconSettingDialog::SetActionType(const int&) {}
wxString IconSettingDialog::GetActionCommand() { return wxString(); }
void IconSettingDialog::SetActionCommand(const wxString&) {}
int IconSettingDialog::GetSubMenuType() { return 0; }
void IconSettingDialog::SetSubMenuType(const int&) {}
int IconSettingDialog::GetPanelType() { return 0; }
void IconSettingDialog::SetPanelType(const int&) {}
wxString IconSettingDialog::GetPanelDescription() { return wxString(); }
void IconSettingDialog::SetPanelDescription(const wxString&) {}
wxString IconSettingDialog::GetPanelImage() { return wxString(); }
void IconSettingDialog::SetPanelImage(const wxString&) {}
void IconSettingDialog::EnableOptionPanels(const bool&) {}

void IconSettingDialog::OnToolOk(wxCommandEvent&) { EndModal(wxID_OK); }
void IconSettingDialog::OnToolCancel(wxCommandEvent&) { EndModal(wxID_CANCEL); }
void IconSettingDialog::OnIconPickerButton(wxCommandEvent&) {}
void IconSettingDialog::DrawPreview(const wxString*) {}
