#include "IconMenu.h"

#include <cstdlib>

#include <wx/event.h>
#include <wx/intl.h>
#include <wx/timer.h>
#include <wx/utils.h>
#include <wx/window.h>

#include "BitmapManager.h"
#include "EditMenu.h"
#include "IconItem.h"
#include "InfoPanel.h"
#include "WarningObject.h"
#include "ZynLog.h"

IconMenu::IconMenu(ZynObject* owner)
    : MenuImpl(owner),
      infoPanel(new InfoPanel(owner, "Information", wxDefaultPosition, Picture(), BitmapManager::System(BITMAP_PANEL)))
{
    editMenu = new EditMenu(this);
    editMenu->Append(_("Add"), EDIT_ADD, wxString(), ICON_ADD);
    editMenu->Append(_("Upper"), EDIT_UPPER, wxString(), ICON_UPPER);
    editMenu->Append(_("Lower"), EDIT_LOWER, wxString(), ICON_LOWER);
    editMenu->Append(_("Remove"), EDIT_REMOVE, wxString(), ICON_REMOVE);
}

IconMenu::~IconMenu()
{
    delete editMenu;
    editMenu = nullptr;
    Clear(); // while the items' handlers can still be unbound
    // After the items, which it may follow: when the owner itself is being
    // deleted, the toolkit deletes the panel at once.
    infoPanel->Destroy();
}

void IconMenu::UnbindItem(ButtonImpl* item)
{
    item->Unbind(wxEVT_LEFT_DOWN, &IconMenu::OnLeftDown, this);
    item->Unbind(wxEVT_LEFT_UP, &IconMenu::OnLeftUp, this);
    item->Unbind(wxEVT_MOUSEWHEEL, &IconMenu::OnMouseWheel, this);
    item->Unbind(wxEVT_MOTION, &IconMenu::OnMotion, this);
    item->Unbind(wxEVT_TIMER, &IconMenu::OnLongPress, this);
    // The panel follows the item it shows: it must not follow a destroyed one.
    if (infoPanel->animator.anchor == item) {
        infoPanel->animator.Stop();
        infoPanel->animator.anchor = nullptr;
    }
}

bool IconMenu::Adopt(IconItem* item, unsigned index)
{
    if (!AddItemTarget(item, index))
        return false;
    item->parentMenu = this;
    item->clipToView = true;
    item->Bind(wxEVT_LEFT_DOWN, &IconMenu::OnLeftDown, this);
    item->Bind(wxEVT_LEFT_UP, &IconMenu::OnLeftUp, this);
    item->Bind(wxEVT_MOUSEWHEEL, &IconMenu::OnMouseWheel, this);
    item->Bind(wxEVT_MOTION, &IconMenu::OnMotion, this);
    item->Bind(wxEVT_TIMER, &IconMenu::OnLongPress, this);
    itemWidth = item->GetSize().x;
    columnHeight += Pitch(item);
    return true;
}

Menuable* IconMenu::AppendNode(wxXmlNode* node)
{
    IconItem* item = new IconItem(owner, node);
    if (!Adopt(item, 0))
        return nullptr;
    items.push_back(item);
    return item;
}

Menuable* IconMenu::Append(const wxString& name, const int& type, const wxString&, const int& icon)
{
    IconItem* item = new IconItem(owner, name, wxDefaultPosition, BitmapManager::System(icon),
                                  BitmapManager::System(BITMAP_BUTTON));
    if (!Adopt(item, 0))
        return nullptr;
    item->builtIn = type > 999;
    item->SetPanel(item->builtIn ? PANEL_BUILTIN : PANEL_NONE, wxString(), wxString());
    items.push_back(item);
    return item;
}

bool IconMenu::Insert(const unsigned& index)
{
    if (index == 0 || index > GetCount()) {
        ZLOG_ERROR("Cannot insert menu item, specified index is Invalid.");
        return false;
    }
    IconItem* item = new IconItem(owner, wxString::Format("Icon %u", GetCount() + 1), wxDefaultPosition,
                                  BitmapManager::System(ETC_NULL), BitmapManager::System(BITMAP_BUTTON));
    if (!EditNewItem(item) || !Adopt(item, index))
        return false;
    // The new item takes the place of the one at index; that one and those below move down a slot.
    const wxPoint at = items[index - 1]->GetPosition();
    items.insert(items.begin() + (index - 1), item);
    StackItems(index, GetCount(), at);
    if (shown)
        item->Show();
    return true;
}

bool IconMenu::Swap(const unsigned& i, const unsigned& j)
{
    const ButtonImpl* a = GetItem(i);
    const ButtonImpl* b = GetItem(j);
    if (!a || !b || a->builtIn || b->builtIn) {
        ShowWarning();
        return false;
    }
    wxPoint top = items.front()->GetPosition();
    if (!MenuImpl::Swap(i, j))
        return false;
    // Each window still stands where it stood before the swap.
    ButtonImpl* atI = items[i - 1];
    ButtonImpl* atJ = items[j - 1];
    const wxPoint placeI = atI->GetPosition();
    const wxPoint placeJ = atJ->GetPosition();
    const int half = items.front()->GetSize().y / 2;
    const int scroll = SwapScroll(placeI.y + half, placeJ.y + half, ViewTop(), ViewBottom(), Slot());
    if (scroll != 0) {
        // An item partly out of view: the column scrolls a slot to bring it in, in its new order.
        top.y += scroll;
        StackItems(1, GetCount(), top);
    } else {
        atI->ShowAt(placeJ, KeepAlpha);
        atJ->ShowAt(placeI, KeepAlpha);
    }
    return true;
}

bool IconMenu::Delete(const unsigned& i)
{
    const ButtonImpl* item = GetItem(i);
    if (!item || GetCount() == 1 || item->builtIn) {
        ShowWarning();
        return false;
    }
    const int pitch = Pitch(item);
    if (!MenuImpl::Delete(i))
        return false;
    columnHeight -= pitch;
    if (GetCount() <= MenuViewRows)
        StackItems(1, GetCount(), wxPoint(owner ? owner->GetPosition() : wxPoint()));
    else
        CloseScrolledGap(i);
    return true;
}

int IconMenu::Slot() const { return items.empty() ? 0 : Pitch(items.front()); }

int IconMenu::ViewTop() const { return owner ? owner->GetPosition().y : 0; }

int IconMenu::ViewBottom() const { return ViewTop() + static_cast<int>(MenuViewRows) * Slot(); }

int IconMenu::ClampTop(int top, int delta) const
{
    return ClampColumnTop(top, delta, columnHeight, ViewTop(), ViewBottom());
}

bool IconMenu::Show(const bool& show)
{
    if (items.empty() || shown == show || !owner)
        return false;
    const int count = static_cast<int>(GetCount());
    uint32_t effect;
    if (show) {
        shown = true; // the items placed below may map
        // The column slides down from above the owner, the last item first, into the view.
        wxPoint at(owner->GetPosition().x, owner->GetPosition().y - count * Slot());
        for (ButtonImpl* item : items) {
            item->ShowNormal();
            item->ShowAt(at, 0);
            item->Show();
            at.y += Pitch(item);
        }
        targetFrame.y = 0;
        targetFrame.alpha = 255;
        targetFrame.flags = FRAME_Y | FRAME_ALPHA;
        effect = EFFECT_LOCK | EFFECT_REVERSE | EFFECT_STAGGER | EFFECT_EASE_OUT;
    } else {
        targetFrame.y = -count * items.front()->GetSize().y;
        targetFrame.alpha = 0;
        targetFrame.flags = FRAME_Y | FRAME_ALPHA;
        effect = EFFECT_LOCK | EFFECT_STAGGER | EFFECT_EASE_IN;
    }
    Animate(animator, effect, targetFrame);
    if (!show) {
        HideIndicator();
        HideInfo();
        editMenu->Show(false);
        if (selected)
            selected->ShowNormal();
        selected = nullptr;
    }
    shown = show;
    return true;
}

void IconMenu::Prepare()
{
    if (shown || !owner)
        return;
    // Each item at alpha 0 where its slide ends, inside the view: the push of
    // a hidden window makes its X window and buffer and holds the face until
    // the window maps, and the toolkit does its first-show work unseen. Items
    // beyond the view stay without them.
    wxPoint at = owner->GetPosition();
    for (ButtonImpl* item : items) {
        item->ShowAt(at, 0);
        item->Ready();
        at.y += Pitch(item);
    }
}

void IconMenu::ShowInfo(IconItem* item)
{
    if (item && item->panelType == PANEL_NONE)
        infoPanel->FadeOut();
    else
        infoPanel->ShowItem(item);
}

void IconMenu::HideInfo() { infoPanel->FadeOut(); }

void IconMenu::DropSelection()
{
    editMenu->Show(false);
    if (selected)
        selected->ShowNormal();
    HideIndicator();
    HideInfo();
    selected = nullptr;
}

void IconMenu::OnLeftDown(wxMouseEvent& event)
{
    if (ButtonImpl* item = ItemOf(event))
        item->GrabPointer();
    pressPoint = event.GetPosition();
    pressHandled = false;
    event.Skip();
}

void IconMenu::OnLeftUp(wxMouseEvent& event)
{
    IconItem* item = dynamic_cast<IconItem*>(event.GetEventObject());
    if (!item)
        return;
    item->ReleasePointer();
    if (pressHandled) // the press became a drag or a long press
        return;
    pressHandled = true;
    editMenu->Show(false);
    if (item->IsActive()) {
        // The item's own handler closes its sub-menu.
        HideIndicator();
        HideInfo();
        selected = nullptr;
    } else {
        if (selected && selected != item)
            selected->ShowNormal();
        SelectItem(item);
        ShowInfo(item);
        selected = item;
    }
    event.Skip();
}

void IconMenu::OnMotion(wxMouseEvent& event)
{
    ButtonImpl* item = ItemOf(event);
    if (!item || !event.LeftIsDown() || GetCount() <= MenuViewRows)
        return;
    if (!pressHandled) {
        if (std::abs(event.GetPosition().y - pressPoint.y) <= DragThreshold)
            return;
        DropSelection();
        pressHandled = true;
    }
    // The press point stays under the pointer, within the view's bounds.
    const wxPoint at = item->GetPosition();
    const int delta = wxGetMousePosition().y - pressPoint.y - at.y;
    StackItems(1, GetCount(), wxPoint(at.x, ClampTop(items.front()->GetPosition().y + delta, delta)));
    event.Skip();
}

void IconMenu::OnMouseWheel(wxMouseEvent& event)
{
    if (!owner || GetCount() <= MenuViewRows || animator.IsRunning())
        return;
    const int notches = WheelNotches(event);
    if (notches == 0)
        return;
    DropSelection();
    const int step = Slot() * notches;
    targetFrame.flags = FRAME_Y;
    targetFrame.y = ClampTop(items.front()->GetPosition().y + step, step) - ViewTop();
    Animate(animator, EFFECT_EASE_OUT, targetFrame);
    event.Skip();
}

void IconMenu::OnLongPress(wxTimerEvent& event)
{
    ButtonImpl* item = LongPressedItem(event);
    if (!item)
        return;
    item->ShowNormal();
    if (selected && selected != item)
        selected->ShowNormal();
    selected = nullptr;
    HideIndicator();
    HideInfo();
    editMenu->Popup(item, true);
    event.Skip();
}
