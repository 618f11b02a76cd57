#include "IconSettingDialog.h"

#include <wx/artprov.h>
#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/filepicker.h>
#include <wx/font.h>
#include <wx/intl.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "ActionOptionPanel.h"
#include "BitmapDC.h"
#include "BitmapManager.h"
#include "IconPickerDialog.h"
#include "InfoOptionPanel.h"
#include "Picture.h"
#include "SubMenuOptionPanel.h"
#include "ZynLog.h"
#include "ZynUtils.h"

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

namespace {

// A tool's picture from the theme; a stock one when the theme's cannot be read,
// since GTK drops a tool whose bitmap is invalid.
wxBitmap ToolBitmap(const wxString& path, const wxArtID& stock)
{
    const Picture picture = Picture::Load(path);
    if (picture.IsOk())
        return picture.ToBitmap();
    ZLOG_INFO("Cannot load \"%s\", using a stock image.", path);
    const wxBitmap bitmap = wxArtProvider::GetBitmap(stock, wxART_TOOLBAR);
    return bitmap.IsOk() ? bitmap : Picture(16, 16).ToBitmap();
}

} // namespace

int IconSettingDialog::ShowModal()
{
    // The launcher must not open or close under the editor: after OK its menu
    // would be left mapped over a bare desktop.
    const bool before = ModalOpenFlag;
    ModalOpenFlag = true;
    const int answer = wxDialog::ShowModal();
    ModalOpenFlag = before;
    return answer;
}

IconSettingDialog::IconSettingDialog(wxWindow* parent, const int& itemKind)
    : itemKind(itemKind)
{
    Create(parent, wxID_ANY, _("Zyn Utils - Icon Settings"), wxDefaultPosition, wxDefaultSize, wxCAPTION,
           "wxID_ANY");
    SetIcons(BitmapManager::AppIcons());
    // Placed once, at the default size; the layout below only sizes the dialog.
    Centre(wxCENTRE_ON_SCREEN);
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));

    wxBoxSizer* dialogSizer = new wxBoxSizer(wxVERTICAL);
    wxBoxSizer* titleBox = new wxBoxSizer(wxVERTICAL);
    StaticTextTitle = new wxStaticText(this, ID_STATICTEXT_TITLE, _("Icon Setting"), wxDefaultPosition,
                                       wxDefaultSize, 0, "ID_STATICTEXT_TITLE");
    wxFont titleFont = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    if (!titleFont.IsOk())
        titleFont = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    titleFont.SetWeight(wxFONTWEIGHT_BOLD);
    StaticTextTitle->SetFont(titleFont);
    titleBox->Add(StaticTextTitle, 1, wxALL | wxALIGN_CENTER, 10);
    wxBoxSizer* lineRow = new wxBoxSizer(wxHORIZONTAL);
    StaticLineTitle = new wxStaticLine(this, ID_STATICLINE_TITLE, wxDefaultPosition, wxDefaultSize,
                                       wxLI_HORIZONTAL, "ID_STATICLINE_TITLE");
    lineRow->Add(StaticLineTitle, 1, wxALIGN_CENTER, 5);
    titleBox->Add(lineRow, 0, wxEXPAND, 5);
    dialogSizer->Add(titleBox, 0, wxEXPAND, 5);

    PanelSetting = new wxPanel(this, ID_PANEL_SETTING, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL,
                               "ID_PANEL_SETTING");
    PanelSetting->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    wxBoxSizer* panelSizer = new wxBoxSizer(wxVERTICAL);
    wxBoxSizer* mainRow = new wxBoxSizer(wxHORIZONTAL);
    wxBoxSizer* leftColumn = new wxBoxSizer(wxVERTICAL);
    wxStaticBoxSizer* previewBox = new wxStaticBoxSizer(wxHORIZONTAL, PanelSetting, _("Preview"));
    StaticBitmapIcon = new wxStaticBitmap(PanelSetting, ID_STATICBITMAP_ICON, wxNullBitmap, wxDefaultPosition,
                                          wxSize(64, 64), 0, "ID_STATICBITMAP_ICON");
    previewBox->Add(StaticBitmapIcon, 1, wxLEFT | wxRIGHT | wxALIGN_CENTER, 5);
    leftColumn->Add(previewBox, 0, wxALL | wxALIGN_CENTER, 5);
    ButtonIconPicker = new wxButton(PanelSetting, ID_BUTTON_ICONPICKER, _("Edit"), wxDefaultPosition,
                                    wxDefaultSize, 0, wxDefaultValidator, "ID_BUTTON_ICONPICKER");
    leftColumn->Add(ButtonIconPicker, 0, wxALL | wxALIGN_CENTER, 5);
    mainRow->Add(leftColumn, 0, wxLEFT | wxRIGHT | wxALIGN_CENTER, 5);

    wxBoxSizer* rightColumn = new wxBoxSizer(wxVERTICAL);
    wxBoxSizer* nameRow = new wxBoxSizer(wxHORIZONTAL);
    StaticTextName = new wxStaticText(PanelSetting, ID_STATICTEXT_NAME, _("Name"), wxDefaultPosition,
                                      wxDefaultSize, 0, "ID_STATICTEXT_NAME");
    nameRow->Add(StaticTextName, 1, wxALL | wxALIGN_CENTER, 5);
    TextCtrlName = new wxTextCtrl(PanelSetting, ID_TEXTCTRL_NAME, wxEmptyString, wxDefaultPosition,
                                  wxSize(200, -1), 0, wxDefaultValidator, "ID_TEXTCTRL_NAME");
    TextCtrlName->SetFocus();
    nameRow->Add(TextCtrlName, 5, wxALL | wxALIGN_CENTER, 5);
    rightColumn->Add(nameRow, 0, wxEXPAND, 5);

    // Every page exists for every kind; those that do not fit the kind are
    // hidden and keep out of the layout, and their accessors still work.
    PanelSubMenu = new SubMenuOptionPanel(PanelSetting);
    if (static_cast<unsigned>(itemKind) < 2)
        rightColumn->Add(PanelSubMenu, 1, wxEXPAND, 5);
    else
        PanelSubMenu->Show(false);
    PanelAction = new ActionOptionPanel(PanelSetting);
    if (itemKind == ITEM_KIND_LIST)
        rightColumn->Add(PanelAction, 0, wxEXPAND, 5);
    else
        PanelAction->Show(false);
    mainRow->Add(rightColumn, 1, wxALL | wxALIGN_CENTER, 5);
    panelSizer->Add(mainRow, 0, wxEXPAND, 5);
    PanelInfo = new InfoOptionPanel(PanelSetting, wxID_ANY, wxDefaultPosition, wxDefaultSize);
    if (itemKind == ITEM_KIND_ICON)
        panelSizer->Add(PanelInfo, 1, wxALL | wxEXPAND, 5);
    else
        PanelInfo->Show(false);

    PanelSetting->SetSizer(panelSizer);
    panelSizer->Fit(PanelSetting);
    panelSizer->SetSizeHints(PanelSetting);
    dialogSizer->Add(PanelSetting, 1, wxALIGN_CENTER, 2);
    SetSizer(dialogSizer);
    dialogSizer->Fit(this);
    dialogSizer->SetSizeHints(this);

    // OK at the left end, Cancel at the right end, whatever the width.
    ToolBarBottom = new wxToolBar(this, ID_TOOLBAR_BOTTOM, wxDefaultPosition, wxDefaultSize,
                                  wxTB_HORIZONTAL | wxTB_FLAT | wxBORDER_NONE, "ID_TOOLBAR_BOTTOM");
    ToolBarBottom->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    ToolBarBottom->SetToolBitmapSize(wxSize(160, 40));
    ToolOk = ToolBarBottom->AddTool(ID_TOOL_OK, _("OK"), ToolBitmap("./Images/icon/ok_normal.png", wxART_TICK_MARK),
                                    wxNullBitmap, wxITEM_NORMAL, _("OK"), wxEmptyString);
    ToolCancel = ToolBarBottom->AddTool(ID_TOOL_CANCEL, _("Cancel"),
                                        ToolBitmap("./Images/icon/cancel_normal.png", wxART_CROSS_MARK),
                                        wxNullBitmap, wxITEM_NORMAL, _("Cancel"), wxEmptyString);
    ToolBarBottom->InsertStretchableSpace(1);
    ToolBarBottom->Realize();
    dialogSizer->Add(ToolBarBottom, 0, wxEXPAND, 5);
    dialogSizer->SetSizeHints(this);

    Bind(wxEVT_TOOL, &IconSettingDialog::OnToolOk, this, ID_TOOL_OK);
    Bind(wxEVT_TOOL, &IconSettingDialog::OnToolCancel, this, ID_TOOL_CANCEL);
    Bind(wxEVT_BUTTON, &IconSettingDialog::OnIconPickerButton, this, ID_BUTTON_ICONPICKER);
}

IconSettingDialog::~IconSettingDialog() = default;

wxString IconSettingDialog::GetItemName()
{
    return TextCtrlName->GetValue();
}

void IconSettingDialog::SetItemName(const wxString& name)
{
    TextCtrlName->ChangeValue(name);
}

wxVector<wxString> IconSettingDialog::GetIconPaths()
{
    return iconPaths;
}

void IconSettingDialog::SetIconPaths(const wxVector<wxString>& paths)
{
    if (&paths != &iconPaths)
        iconPaths = paths;
    // Normal, hover and press are read by index: a short list gets empty paths.
    if (iconPaths.size() < 3)
        iconPaths.resize(3);
    DrawPreview(&iconPaths[0]);
}

int IconSettingDialog::GetActionType()
{
    if (!PanelAction->CheckBoxAction->GetValue())
        return 0;
    const std::pair<wxRadioButton*, int> kinds[] = {
        {PanelAction->RadioButtonProgram, 1}, {PanelAction->RadioButtonFolder, 2},
        {PanelAction->RadioButtonUrl, 3},     {PanelAction->RadioButtonCommand, 4},
        {PanelAction->RadioButtonPlugin, 2000},
    };
    for (const auto& kind : kinds)
        if (kind.first->GetValue())
            return kind.second;
    return 0;
}

void IconSettingDialog::SetActionType(const int& type)
{
    wxRadioButton* radio = nullptr;
    switch (type) {
    case 1: radio = PanelAction->RadioButtonProgram; break;
    case 2: radio = PanelAction->RadioButtonFolder; break;
    case 3: radio = PanelAction->RadioButtonUrl; break;
    case 4: radio = PanelAction->RadioButtonCommand; break;
    case 2000: radio = PanelAction->RadioButtonPlugin; break;
    default: return;
    }
    radio->SetValue(true);
    PanelAction->CheckBoxAction->SetValue(true);
}

wxString IconSettingDialog::GetActionCommand()
{
    return PanelAction->CheckBoxAction->GetValue() ? PanelAction->TextCtrlCommand->GetValue() : wxString();
}

void IconSettingDialog::SetActionCommand(const wxString& command)
{
    PanelAction->TextCtrlCommand->ChangeValue(command);
}

int IconSettingDialog::GetSubMenuType()
{
    if (!PanelSubMenu->CheckBoxSubMenu->GetValue())
        return 0;
    if (PanelSubMenu->RadioButtonCatalog->GetValue())
        return 2;
    if (PanelSubMenu->RadioButtonList->GetValue())
        return 3;
    return 0;
}

void IconSettingDialog::SetSubMenuType(const int& type)
{
    if (type == 2)
        PanelSubMenu->RadioButtonCatalog->SetValue(true);
    else if (type == 3)
        PanelSubMenu->RadioButtonList->SetValue(true);
    else
        return;
    PanelSubMenu->CheckBoxSubMenu->SetValue(true);
}

int IconSettingDialog::GetPanelType()
{
    if (!PanelInfo->CheckBoxInfoPanel->GetValue())
        return 0;
    if (PanelInfo->RadioButtonDescription->GetValue())
        return 1;
    if (PanelInfo->RadioButtonPlugin->GetValue())
        return 2;
    return 0;
}

void IconSettingDialog::SetPanelType(const int& type)
{
    if (type == 1)
        PanelInfo->RadioButtonDescription->SetValue(true);
    else if (type == 2)
        PanelInfo->RadioButtonPlugin->SetValue(true);
    else
        return;
    PanelInfo->CheckBoxInfoPanel->SetValue(true);
}

wxString IconSettingDialog::GetPanelDescription()
{
    return PanelInfo->CheckBoxInfoPanel->GetValue() ? PanelInfo->TextCtrlDescription->GetValue() : wxString();
}

void IconSettingDialog::SetPanelDescription(const wxString& text)
{
    PanelInfo->TextCtrlDescription->ChangeValue(text);
}

wxString IconSettingDialog::GetPanelImage()
{
    return PanelInfo->CheckBoxImage->GetValue() ? PanelInfo->FilePickerCtrlImage->GetPath() : wxString();
}

void IconSettingDialog::SetPanelImage(const wxString& path)
{
    PanelInfo->FilePickerCtrlImage->SetPath(path);
    PanelInfo->CheckBoxImage->SetValue(!path.empty());
}

void IconSettingDialog::EnableOptionPanels(const bool& enable)
{
    if (PanelAction->CheckBoxAction->GetValue())
        PanelAction->EnableControls(enable);
    if (PanelSubMenu->CheckBoxSubMenu->GetValue())
        PanelSubMenu->EnableMenuTypes(enable);
    if (PanelInfo->CheckBoxInfoPanel->GetValue())
        PanelInfo->EnableControls(enable);
}

void IconSettingDialog::OnToolOk(wxCommandEvent&)
{
    EndModal(wxID_OK);
}

void IconSettingDialog::OnToolCancel(wxCommandEvent&)
{
    EndModal(wxID_CANCEL);
}

void IconSettingDialog::OnIconPickerButton(wxCommandEvent&)
{
    IconPickerDialog picker(this);
    picker.SetPaths(iconPaths);
    if (picker.ShowModal() != wxID_OK)
        return;
    iconPaths = picker.GetPaths();
    DrawPreview(&iconPaths[0]);
}

void IconSettingDialog::DrawPreview(const wxString* paths)
{
    if (paths[0].empty())
        return;
    wxString backgroundPath;
    wxSize box;
    switch (itemKind) {
    case ITEM_KIND_ICON: backgroundPath = "Images/etc/btn_preview.png"; box = wxSize(46, 46); break;
    case ITEM_KIND_CATALOG: backgroundPath = "Images/etc/cata_preview.png"; box = wxSize(26, 26); break;
    case ITEM_KIND_LIST: backgroundPath = "Images/etc/list_preview.png"; box = wxSize(26, 26); break;
    default: return;
    }
    Picture background = BitmapManager::LoadScaledBitmap(backgroundPath, wxDefaultSize);
    const Picture icon = BitmapManager::LoadScaledBitmap(paths[0], box);
    if (!background.IsOk() || !icon.IsOk())
        return;
    const wxPoint at((background.GetWidth() - icon.GetWidth()) / 2, (background.GetHeight() - icon.GetHeight()) / 2);
    BitmapDC canvas(background);
    canvas.AlphaBlend(icon, wxRect(icon.GetSize()), wxRect(at, icon.GetSize()), 255);
    StaticBitmapIcon->SetBitmap(background.ToBitmap());
}
