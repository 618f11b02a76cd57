// The item editor: the modal dialog in which a launcher item's name, icons,
// sub-menu kind, information panel and action are edited. The caller presets it
// through the setters, calls EnableOptionPanels(true), runs ShowModal and, unless
// it returned wxID_CANCEL, reads the values back through the getters. The dialog
// itself reads no configuration and writes no file.
#pragma once

#include <wx/dialog.h>
#include <wx/string.h>
#include <wx/vector.h>

class wxButton;
class wxPanel;
class wxStaticBitmap;
class wxStaticLine;
class wxStaticText;
class wxTextCtrl;
class wxToolBar;
class wxToolBarToolBase;
class ActionOptionPanel;
class InfoOptionPanel;
class SubMenuOptionPanel;

class IconSettingDialog : public wxDialog {
public:
    // The kinds of item the dialog edits; each shows its own option pages.
    static constexpr int ITEM_KIND_ICON = 0;
    static constexpr int ITEM_KIND_CATALOG = 1;
    static constexpr int ITEM_KIND_LIST = 2;

    IconSettingDialog(wxWindow* parent, const int& itemKind);
    virtual ~IconSettingDialog();

    // Counts as modal for the launcher (ModalOpenFlag) while it and its prompts
    // are open; the flag's old value comes back after.
    int ShowModal() override;

    wxString GetItemName();
    void SetItemName(const wxString& name);
    // Three paths: normal, hover, press. A shorter list is padded with empty paths.
    wxVector<wxString> GetIconPaths();
    void SetIconPaths(const wxVector<wxString>& paths);
    // Action codes: 0 none, 1 program, 2 folder, 3 URL, 4 command, 2000 plugin.
    int GetActionType();
    void SetActionType(const int& type);
    wxString GetActionCommand();
    void SetActionCommand(const wxString& command);
    // Menu types: 0 no sub-menu, 2 catalog menu, 3 list menu.
    int GetSubMenuType();
    void SetSubMenuType(const int& type);
    // Panel types: 0 none, 1 description, 2 plugin.
    int GetPanelType();
    void SetPanelType(const int& type);
    wxString GetPanelDescription();
    void SetPanelDescription(const wxString& text);
    wxString GetPanelImage();
    void SetPanelImage(const wxString& path);
    // Enables the controls of every option page whose check box is on.
    void EnableOptionPanels(const bool& enable);

    wxTextCtrl* TextCtrlName = nullptr;
    wxStaticBitmap* StaticBitmapIcon = nullptr;
    wxPanel* PanelSetting = nullptr;
    wxButton* ButtonIconPicker = nullptr;
    wxStaticLine* StaticLineTitle = nullptr;
    wxStaticText* StaticTextName = nullptr;
    SubMenuOptionPanel* PanelSubMenu = nullptr;
    ActionOptionPanel* PanelAction = nullptr;
    InfoOptionPanel* PanelInfo = nullptr;
    wxStaticText* StaticTextTitle = nullptr;
    wxToolBar* ToolBarBottom = nullptr;
    wxToolBarToolBase* ToolOk = nullptr;
    wxToolBarToolBase* ToolCancel = nullptr;

    static const long ID_STATICTEXT_TITLE;
    static const long ID_STATICLINE_TITLE;
    static const long ID_STATICBITMAP_ICON;
    static const long ID_BUTTON_ICONPICKER;
    static const long ID_STATICTEXT_NAME;
    static const long ID_TEXTCTRL_NAME;
    static const long ID_PANEL_SETTING;
    static const long ID_TOOL_OK;
    static const long ID_TOOL_CANCEL;
    static const long ID_TOOLBAR_BOTTOM;

private:
    void OnToolOk(wxCommandEvent& event);
    void OnToolCancel(wxCommandEvent& event);
    void OnIconPickerButton(wxCommandEvent& event);
    void DrawPreview(const wxString* paths);

    wxVector<wxString> iconPaths;
    int itemKind;

    wxDECLARE_EVENT_TABLE();
};
