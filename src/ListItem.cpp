#include "ListItem.h"

#include <wx/utils.h>
#include <wx/window.h>
#include <wx/xml/xml.h>

#include "IconSettingDialog.h"
#include "MenuXml.h"
#include "ZynLog.h"
#include "ZynUtils.h"

const wxPoint ListItem::Margin(8, -2);
const wxPoint ListItem::Offset(15, 0);
const wxSize ListItem::IconSize(26, 26);

namespace {
constexpr uint32_t DarkText = 0xDD333333;
constexpr uint32_t LightText = 0xDDFFFFFF;
} // namespace

ListItem::ListItem(wxWindow* parent, const wxString& name, const wxPoint& pos, const Frames& icons, const Frames& background)
    : FadingItem(parent, name, pos)
{
    TakeFaces(icons, background, true);
}

ListItem::ListItem(wxWindow* parent, wxXmlNode* node) : FadingItem(parent, "Unknown", wxDefaultPosition)
{
    SetNode(node);
    Recompose();
}

const wxPoint& ListItem::GetMargin() const { return Margin; }

const wxPoint& ListItem::GetOffset() const { return Offset; }

Picture ListItem::DrawFace(size_t k) const
{
    const Picture& icon = FrameAt(faceIcons, 0);
    const wxPoint iconAt(Offset.x, (faceSize.y - icon.GetHeight()) / 2);
    Picture face = FrameAt(faceBackground, k).GetSubPicture(wxRect(wxPoint(0, 0), faceSize));
    if (!face.IsOk())
        return face;
    BitmapDC canvas(face);
    if (FrameAt(faceIcons, k).IsOk())
        canvas.BlendBitmap(FrameAt(faceIcons, k), iconAt, 255);
    canvas.DrawGlyphText(name, wxPoint(faceSize.x / 3, faceSize.y / 2 + 5), k == 0 ? DarkText : LightText, DefaultTextSize);
    return face;
}

void ListItem::Recompose()
{
    const Frames icons = iconPaths.empty() || iconPaths[0].empty()
                             ? BitmapManager::System(ICON_HELP)
                             : BitmapManager::LoadIconSet(iconPaths[0], iconPaths[1], iconPaths[2], IconSize);
    if (!clipToView) {
        TakeFaces(icons, BitmapManager::System(BITMAP_LIST), true);
        return;
    }
    TakeFaces(icons, BitmapManager::System(BITMAP_LIST), false);
    RefreshState(GetPosition(), 255);
}

void ListItem::SetName(const wxString& newName)
{
    ButtonImpl::SetName(newName);
    Recompose();
}

void ListItem::SetIcons(const wxVector<wxString>& paths)
{
    if (&paths != &iconPaths)
        iconPaths = paths;
    iconPaths.resize(3);
    Recompose();
}

EdgeFade ListItem::ViewFade(const wxPoint& pos, const wxWindow& parent)
{
    const int mid = parent.GetPosition().y + parent.GetSize().y / 2;
    return ListBandFade(pos.y, faceSize.y, Margin.y, mid);
}

void ListItem::OnEnterWindow(wxMouseEvent& event)
{
    // The wheel reaches the window under the pointer on X: no focus is taken.
    ApplyPendingFade();
    ButtonImpl::OnEnterWindow(event);
}

void ListItem::OnLeaveWindow(wxMouseEvent& event)
{
    if (!IsEnabled())
        return;
    ApplyPendingFade();
    ButtonImpl::OnLeaveWindow(event);
}

void ListItem::OnLeftUp(wxMouseEvent& event)
{
    if (ModalOpenFlag)
        return;
    ButtonImpl::OnLeftUp(event);
    // The row's action ran before this (a box may have been up, the row disabled):
    // a pointer that left meanwhile sent its leave to a disabled row, which never saw it.
    if (!GetScreenRect().Contains(wxGetMousePosition()))
        ButtonImpl::OnLeaveWindow(event);
}

void ListItem::OnTimer(wxTimerEvent& event)
{
    // A disabled window gets no release: the grab of the press must go first.
    ReleasePointer();
    Disable();
    fadeBitmap = FrameAt(BitmapManager::System(BITMAP_LIST), 2).GetSubPicture(wxRect(wxPoint(0, 0), faceSize));
    fadeCanvas.SelectObject(fadeBitmap);
    if (fadeBitmap.IsOk())
        objectDC.Update(fadeBitmap, false);
    ButtonImpl::OnTimer(event);
}

void ListItem::ShowNormal()
{
    Enable();
    ButtonImpl::ShowNormal();
}

bool ListItem::Run()
{
    wxMouseEvent release(wxEVT_LEFT_UP);
    ButtonImpl::OnLeftUp(release);
    return wxGetApp().ExecuteAction(actionType, command);
}

bool ListItem::Edit()
{
    IconSettingDialog dialog(this, IconSettingDialog::ITEM_KIND_LIST);
    dialog.SetItemName(name);
    dialog.SetIconPaths(iconPaths);
    dialog.SetActionType(actionType);
    dialog.SetActionCommand(command);
    dialog.EnableOptionPanels(true);
    if (dialog.ShowModal() == wxID_CANCEL)
        return false;
    ButtonImpl::SetName(dialog.GetItemName());
    SetIcons(dialog.GetIconPaths());
    SetAction(dialog.GetActionType(), dialog.GetActionCommand());
    return true;
}

wxXmlNode* ListItem::GetNode()
{
    if (builtIn)
        return nullptr;
    wxXmlNode* item = NewItemNode();
    wxXmlNode* action = MenuXml::AddElement(item, "action");
    MenuXml::AddText(action, "type", wxString::Format("%d", actionType));
    MenuXml::AddCData(action, "command", command);
    return item;
}

namespace {

// The action codes a row may carry in the file: none, the four kinds of target, and a widget switch.
bool StoredAction(long type) { return (type >= ACTION_NONE && type <= ACTION_COMMAND) || type == ACTION_PLUGIN; }

} // namespace

void ListItem::SetNode(wxXmlNode* node)
{
    wxXmlNode* next = nullptr;
    if (const char* fault = ReadNameAndIcons(node, &next)) {
        ZLOG_ERROR("%s", fault);
        return;
    }
    wxXmlNode* action = MenuXml::Expect(next, "action");
    if (!action) {
        ZLOG_ERROR("Error parsing xml, invalid item action.");
        return;
    }
    wxXmlNode* type = MenuXml::Expect(action->GetChildren(), "type");
    if (!type) {
        ZLOG_ERROR("Error parsing xml, invalid action type.");
        return;
    }
    long value = MenuXml::Number(MenuXml::Content(type));
    if (!StoredAction(value)) {
        ZLOG_ERROR("Error parsing xml, invalid action type value.");
        value = ACTION_NONE;
    }
    wxXmlNode* cmd = MenuXml::Expect(type->GetNext(), "command");
    if (!cmd) {
        ZLOG_ERROR("Error parsing xml, invalid action command.");
        return;
    }
    SetAction(static_cast<int>(value), MenuXml::Content(cmd));
}
