#include "IconItem.h"

#include <wx/xml/xml.h>

#include "IconSettingDialog.h"
#include "MenuImpl.h"
#include "MenuXml.h"
#include "ZynLog.h"
#include "ZynUtils.h"

const wxPoint IconItem::Margin(6, 6);
const wxSize IconItem::IconSize(46, 46);

namespace {
const wxSize PanelImageBox(220, 220);
} // namespace

IconItem::IconItem(wxWindow* parent, const wxString& name, const wxPoint& pos, const Frames& icons, const Frames& background)
    : FadingItem(parent, name, pos)
{
    TakeFaces(icons, background, true);
}

IconItem::IconItem(wxWindow* parent, wxXmlNode* node) : FadingItem(parent, "Unknown", wxDefaultPosition)
{
    SetNode(node);
    TakeFaces(IconsOf(iconPaths), BitmapManager::System(BITMAP_BUTTON), true);
}

const wxPoint& IconItem::GetMargin() const { return Margin; }

Frames IconItem::IconsOf(const wxVector<wxString>& paths)
{
    if (paths.size() < 3 || paths[0].empty())
        return BitmapManager::System(ETC_NULL);
    return BitmapManager::LoadIconSet(paths[0], paths[1], paths[2], IconSize);
}

Picture IconItem::DrawFace(size_t k) const
{
    const Picture& icon = FrameAt(faceIcons, 0);
    const wxPoint iconAt((faceSize.x - icon.GetWidth()) / 2, (faceSize.y - icon.GetHeight()) / 2);
    Picture face = FrameAt(faceBackground, k).GetSubPicture(wxRect(wxPoint(0, 0), faceSize));
    if (face.IsOk() && FrameAt(faceIcons, k).IsOk()) {
        BitmapDC canvas(face);
        canvas.BlendBitmap(FrameAt(faceIcons, k), iconAt, 255);
    }
    return face;
}

void IconItem::SetIcons(const wxVector<wxString>& paths)
{
    const Frames icons = IconsOf(paths);
    if (clipToView) {
        TakeFaces(icons, BitmapManager::System(BITMAP_BUTTON), false);
        RefreshState(GetPosition(), 255);
    } else {
        TakeFaces(icons, BitmapManager::System(BITMAP_BUTTON), true);
    }
    if (&paths != &iconPaths)
        iconPaths = paths;
    iconPaths.resize(3);
}

EdgeFade IconItem::ViewFade(const wxPoint& pos, const wxWindow& parent)
{
    return IconViewFade(pos.y, faceSize.y, parent.GetPosition().y);
}

void IconItem::SetPanel(const int& type, const wxString& description, const wxString& image)
{
    panelType = type;
    panelDescription = description;
    panelImagePath = image;
    panelImage = image.empty() ? Picture() : BitmapManager::LoadScaledBitmap(image, PanelImageBox);
    if (!panelImage.IsOk())
        panelImage = FrameAt(BitmapManager::System(ETC_DEFAULT), 0);
}

void IconItem::ShowNormal()
{
    subMenuOpen = false;
    if (menu)
        menu->Show(false);
    ButtonImpl::ShowNormal();
}

bool IconItem::IsActive() { return subMenuOpen; }

void IconItem::OnEnterWindow(wxMouseEvent& event)
{
    // The wheel reaches the window under the pointer on X: no focus is taken.
    ApplyPendingFade();
    ButtonImpl::OnEnterWindow(event);
}

void IconItem::OnLeaveWindow(wxMouseEvent& event)
{
    if (subMenuOpen)
        return;
    ApplyPendingFade();
    ButtonImpl::OnLeaveWindow(event);
}

void IconItem::OnLeftUp(wxMouseEvent& event)
{
    if (ModalOpenFlag)
        return;
    ApplyPendingFade();
    subMenuOpen = !subMenuOpen;
    if (menu)
        menu->Show(subMenuOpen);
    ButtonImpl::OnLeftUp(event);
}

void IconItem::OnTimer(wxTimerEvent& event)
{
    subMenuOpen = false;
    ButtonImpl::OnTimer(event);
}

bool IconItem::Edit()
{
    IconSettingDialog dialog(this, IconSettingDialog::ITEM_KIND_ICON);
    dialog.SetItemName(name);
    dialog.SetIconPaths(iconPaths);
    dialog.SetSubMenuType(GetMenuType());
    dialog.SetPanelType(panelType);
    dialog.SetPanelDescription(panelDescription);
    dialog.SetPanelImage(panelImagePath);
    dialog.EnableOptionPanels(true);
    if (dialog.ShowModal() == wxID_CANCEL)
        return false;
    SetName(dialog.GetItemName());
    SetIcons(dialog.GetIconPaths());
    SetPanel(dialog.GetPanelType(), dialog.GetPanelDescription(), dialog.GetPanelImage());
    ChangeMenuKind(dialog.GetSubMenuType());
    return true;
}

wxXmlNode* IconItem::GetNode()
{
    if (builtIn)
        return nullptr;
    wxXmlNode* item = NewItemNode();
    wxXmlNode* panel = MenuXml::AddElement(item, "panel");
    MenuXml::AddText(panel, "type", wxString::Format("%d", panelType));
    MenuXml::AddCData(panel, "descrip", panelDescription);
    MenuXml::AddText(panel, "image", panelImagePath);
    return item;
}

void IconItem::SetNode(wxXmlNode* node)
{
    wxXmlNode* next = nullptr;
    if (const char* fault = ReadNameAndIcons(node, &next)) {
        ZLOG_ERROR("%s", fault);
        return;
    }
    wxXmlNode* panel = MenuXml::Expect(next, "panel");
    if (!panel) {
        ZLOG_ERROR("Error parsing xml, invalid item panel.");
        return;
    }
    wxXmlNode* type = MenuXml::Expect(panel->GetChildren(), "type");
    if (!type) {
        ZLOG_ERROR("Error parsing xml, invalid panel type.");
        return;
    }
    wxXmlNode* description = MenuXml::Expect(type->GetNext(), "descrip");
    if (!description) {
        ZLOG_ERROR("Error parsing xml, invalid panel description.");
        return;
    }
    wxXmlNode* image = MenuXml::Expect(description->GetNext(), "image");
    if (!image) {
        ZLOG_ERROR("Error parsing xml, invalid panel image.");
        return;
    }
    SetPanel(static_cast<int>(MenuXml::Number(MenuXml::Content(type))), MenuXml::Content(description),
             MenuXml::Content(image));
}
