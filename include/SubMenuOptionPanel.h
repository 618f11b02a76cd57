// The item editor's page for whether an item owns a sub-menu, and of which
// kind (catalog or list menu). The editor reads and presets its controls.
#pragma once

#include <wx/panel.h>

class wxCheckBox;
class wxRadioButton;
class wxStaticLine;

class SubMenuOptionPanel : public wxPanel {
public:
    explicit SubMenuOptionPanel(wxWindow* parent);

    // Enables or disables the kind choices; the check box calls it, and so does
    // the editor after presetting (presets raise no click events).
    void EnableMenuTypes(const bool& enable);

    wxCheckBox* CheckBoxSubMenu = nullptr;
    wxRadioButton* RadioButtonCatalog = nullptr;
    wxStaticLine* StaticLineMenu = nullptr;
    wxRadioButton* RadioButtonList = nullptr;

    static const long ID_CHECKBOX_Menu;
    static const long ID_STATICLINE_MENU;
    static const long ID_RADIOBUTTON_CATALOG;
    static const long ID_RADIOBUTTON_LIST;

private:
    void OnSubMenuCheck(wxCommandEvent& event);

    wxDECLARE_EVENT_TABLE();
};
