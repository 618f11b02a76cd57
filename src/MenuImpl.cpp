#include "MenuImpl.h"

#include <algorithm>

#include <wx/event.h>

#include "BitmapManager.h"
#include "ButtonImpl.h"
#include "EditMenu.h"
#include "Indicator.h"
#include "WarningObject.h"
#include "ZynLog.h"
#include "ZynUtils.h"

MenuImpl::MenuImpl(ZynObject* owner)
    : owner(owner), indicator(new Indicator(owner, wxDefaultPosition, BitmapManager::System(ETC_INDICATOR)))
{
    animator.anchor = owner;
}

MenuImpl::~MenuImpl()
{
    MenuImpl::Clear();
    indicator->Destroy();
}

ButtonImpl* MenuImpl::GetItem(const unsigned& index) const
{
    return index == 0 || index > items.size() ? nullptr : items[index - 1];
}

unsigned MenuImpl::IndexOf(const ButtonImpl* item) const
{
    if (!item)
        return 0;
    const auto it = std::find(items.begin(), items.end(), item);
    return it == items.end() ? 0 : static_cast<unsigned>(it - items.begin()) + 1;
}

bool MenuImpl::Swap(const unsigned& i, const unsigned& j)
{
    if (!GetItem(i) || !GetItem(j)) {
        ZLOG_ERROR("Cannot swap menu item, specified index is Invalid.");
        return false;
    }
    if (!animator.SwapTargets(i, j)) {
        ZLOG_ERROR("Error deleting menu item, cannot swap animator target.");
        return false;
    }
    std::swap(items[i - 1], items[j - 1]);
    return true;
}

bool MenuImpl::Delete(const unsigned& i)
{
    ButtonImpl* item = GetItem(i);
    if (!item) {
        ZLOG_ERROR("Cannot delete menu item, specified index is Invalid.");
        return false;
    }
    if (!animator.RemoveTarget(item)) {
        ZLOG_ERROR("Error deleting menu item, cannot remove animator target.");
        return false;
    }
    items.erase(items.begin() + (i - 1));
    DestroyItem(item);
    return true;
}

void MenuImpl::Clear()
{
    if (owner)
        indicator->SetOwner(owner);
    std::vector<ButtonImpl*> dropped;
    dropped.swap(items);
    for (ButtonImpl* item : dropped)
        DestroyItem(item);
    animator.ClearTargets();
}

bool MenuImpl::NeedsIndicator() { return false; }

bool MenuImpl::UpdateIndicator()
{
    if (!indicator->IsShown())
        return false;
    indicator->PointTo(selected);
    return true;
}

void MenuImpl::SelectItem(ButtonImpl* item)
{
    if (!item)
        return;
    if (item->menu && item->menu->NeedsIndicator()) {
        indicator->PointTo(item);
        return;
    }
    indicator->FadeOut();
    if (item->menu && owner)
        indicator->SetOwner(owner);
}

void MenuImpl::HideIndicator()
{
    indicator->FadeOut();
    if (owner)
        indicator->SetOwner(owner);
}

void MenuImpl::UnbindItem(ButtonImpl*) {}

void MenuImpl::LetGoOf(ButtonImpl* item)
{
    // The indicator follows the item it marks: it must not follow a destroyed one.
    if (indicator->animator.anchor != item)
        return;
    indicator->animator.Stop();
    indicator->animator.anchor = nullptr;
    if (owner)
        indicator->SetOwner(owner);
}

void MenuImpl::DestroyItem(ButtonImpl* item)
{
    if (selected == item)
        selected = nullptr;
    if (editMenu)
        editMenu->Forget(item);
    LetGoOf(item);
    UnbindItem(item);
    item->Destroy();
}

int MenuImpl::WheelNotches(const wxMouseEvent& event)
{
    if (event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL)
        return 0;
    return wheel.Add(event.GetWheelRotation(), event.GetWheelDelta());
}

bool MenuImpl::AddItemTarget(ButtonImpl* item, unsigned index)
{
    animator.Finish();
    if (index == 0 ? animator.AddTarget(item) : animator.InsertTarget(item, index))
        return true;
    ZLOG_ERROR("Cannot add menu item, the animator refuses its target.");
    item->Destroy();
    return false;
}

bool MenuImpl::EditNewItem(ButtonImpl* item)
{
    item->parentMenu = this; // a sub-menu the editor makes finds its place through it
    if (item->Edit())
        return true;
    item->Destroy();
    return false;
}

ButtonImpl* MenuImpl::LongPressedItem(const wxEvent& event)
{
    if (LockingModeFlag || pressHandled)
        return nullptr;
    pressHandled = true;
    ButtonImpl* item = ItemOf(event);
    if (!item)
        return nullptr;
    if (item->builtIn) {
        ShowWarning();
        return nullptr;
    }
    return item->clipped || item->editTarget ? nullptr : item;
}

int MenuImpl::Pitch(const ButtonImpl* item) { return item->GetSize().y + item->GetMargin().y; }

ButtonImpl* MenuImpl::ItemOf(const wxEvent& event) { return dynamic_cast<ButtonImpl*>(event.GetEventObject()); }

void MenuImpl::StackItems(unsigned from, unsigned to, wxPoint at, bool upward)
{
    if (from == 0 || to == 0)
        return;
    for (unsigned k = from; upward ? k >= to : k <= to; upward ? --k : ++k) {
        ButtonImpl* item = GetItem(k);
        if (!item)
            break;
        item->ShowAt(at, KeepAlpha);
        at.y += upward ? -Pitch(item) : Pitch(item);
    }
}

void MenuImpl::CloseScrolledGap(unsigned index)
{
    if (items.empty())
        return;
    const ButtonImpl* first = items.front();
    const wxPoint top = first->GetPosition();
    if (items.back()->IsShown() && !first->IsShown()) {
        if (index > 1)
            StackItems(1, index - 1, wxPoint(top.x, top.y + Pitch(first)));
    } else if (index <= GetCount()) {
        StackItems(index, GetCount(), wxPoint(top.x, items[index - 1]->GetPosition().y - Pitch(first)));
    }
}
