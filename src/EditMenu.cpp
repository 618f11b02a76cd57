#include "EditMenu.h"

#include <wx/event.h>
#include <wx/timer.h>

#include "BitmapManager.h"
#include "ButtonImpl.h"
#include "Indicator.h"
#include "ListItem.h"
#include "TrayItem.h"
#include "ZynLog.h"
#include "ZynUtils.h"

EditMenu::EditMenu(MenuImpl* targetMenu)
    : MenuImpl(targetMenu->owner),
      modifyButton(new ListItem(owner, "Modify", wxDefaultPosition, BitmapManager::System(ICON_MODIFY),
                                BitmapManager::System(BITMAP_LIST))),
      targetMenu(targetMenu)
{
    popupAnimator.AddTarget(modifyButton);
    animator.anchor = modifyButton;
    modifyButton->Bind(wxEVT_LEFT_DOWN, &EditMenu::OnPressStart, this);
    modifyButton->Bind(wxEVT_LEFT_UP, &EditMenu::OnSelect, this);
    modifyButton->Bind(wxEVT_MOTION, &EditMenu::OnIgnoreMotion, this);
    modifyButton->Bind(wxEVT_TIMER, &EditMenu::OnLongPress, this);
    modifyButton->Bind(wxEVT_MOVE, &EditMenu::OnFollow, this);
    modifyButton->builtIn = true;
    modifyButton->SetAction(EDIT_MODIFY, wxString());
}

EditMenu::~EditMenu()
{
    Clear();
    modifyButton->Unbind(wxEVT_LEFT_DOWN, &EditMenu::OnPressStart, this);
    modifyButton->Unbind(wxEVT_LEFT_UP, &EditMenu::OnSelect, this);
    modifyButton->Unbind(wxEVT_MOTION, &EditMenu::OnIgnoreMotion, this);
    modifyButton->Unbind(wxEVT_TIMER, &EditMenu::OnLongPress, this);
    modifyButton->Unbind(wxEVT_MOVE, &EditMenu::OnFollow, this);
    popupAnimator.Stop();
    modifyButton->Destroy();
}

Menuable* EditMenu::Append(const wxString& name, const int& type, const wxString& command, const int& icon)
{
    TrayItem* entry = new TrayItem(modifyButton, name, wxDefaultPosition, BitmapManager::System(icon));
    if (!animator.AddTarget(entry)) {
        entry->Destroy();
        return nullptr;
    }
    entry->parentMenu = this;
    entry->builtIn = true;
    entry->SetAction(type, command);
    if (type == 0)
        entry->UnsetToolTip(); // a spacer: its name is no word for the user
    entry->Bind(wxEVT_LEFT_DOWN, &EditMenu::OnPressStart, this);
    entry->Bind(wxEVT_LEFT_UP, &EditMenu::OnSelect, this);
    entry->Bind(wxEVT_MOTION, &EditMenu::OnIgnoreMotion, this);
    items.push_back(entry);
    return entry;
}

void EditMenu::UnbindItem(ButtonImpl* item)
{
    item->Unbind(wxEVT_LEFT_DOWN, &EditMenu::OnPressStart, this);
    item->Unbind(wxEVT_LEFT_UP, &EditMenu::OnSelect, this);
    item->Unbind(wxEVT_MOTION, &EditMenu::OnIgnoreMotion, this);
}

bool EditMenu::EditsList() const { return targetMenu->GetType() == MENU_TYPE_LIST; }

void EditMenu::Forget(ButtonImpl* item)
{
    if (!item || target != item)
        return;
    target = nullptr;
    popupAnimator.Stop();
    popupAnimator.anchor = nullptr;
    if (owner)
        modifyButton->SetOwner(owner);
    LetGoOf(item);
}

bool EditMenu::Show(const bool& show) { return Popup(target, show); }

void EditMenu::LayOutRow(int x, int alpha)
{
    if (items.empty())
        return;
    const wxPoint button = modifyButton->GetPosition();
    const int y = button.y + (modifyButton->GetSize().y - items[0]->GetSize().y) / 2;
    for (ButtonImpl* entry : items) {
        entry->ShowAt(wxPoint(x, y), alpha);
        if (alpha != KeepAlpha)
            entry->Show();
        x += entry->GetSize().x + entry->GetMargin().x;
    }
}

void EditMenu::SlideRowOut()
{
    LayOutRow(modifyButton->GetPosition().x + modifyButton->GetSize().x, 0);
    targetFrame.x = modifyButton->GetOffset().x;
    targetFrame.alpha = 255;
    targetFrame.flags = FRAME_X | FRAME_ALPHA;
    Animate(animator, EFFECT_EASE_OUT, targetFrame);
    expanded = true;
}

bool EditMenu::Popup(ButtonImpl* item, const bool& show)
{
    if (!show) {
        if (!shown)
            return false;
        if (target) {
            // The pop-up no longer stands for the item, whichever menu it is in.
            target->editTarget = false;
            if (EditsList())
                target->ShowNormal();
        }
        target = nullptr;
        popupAnimator.anchor = nullptr;
        if (EditsList()) {
            modifyButton->Hide();
            targetFrame.x = modifyButton->GetSize().x;
            targetFrame.alpha = 0;
            targetFrame.flags = FRAME_X | FRAME_ALPHA;
            Animate(animator, EFFECT_EASE_IN | EFFECT_HALF, targetFrame);
        } else {
            popupFrame.alpha = 0;
            popupFrame.y = modifyButton->GetPosition().y + modifyButton->GetSize().y;
            popupFrame.flags = FRAME_Y | FRAME_ALPHA;
            Animate(popupAnimator, EFFECT_EASE_IN | EFFECT_HALF, popupFrame);
            HideIndicator();
            modifyButton->ShowNormal();
            for (ButtonImpl* entry : items)
                entry->Hide();
        }
        expanded = false;
        shown = false;
        return true;
    }

    if (!item)
        return false;
    if (item->builtIn) {
        if (shown)
            Popup(target, false);
        return false;
    }
    item->editTarget = true;
    if (item != target) {
        if (target) {
            target->editTarget = false;
            if (EditsList())
                target->ShowNormal();
        }
        if (!EditsList())
            modifyButton->ShowNormal();
        for (ButtonImpl* entry : items)
            entry->Hide();
        expanded = false;
        target = item;
        popupAnimator.anchor = item;
    }
    const wxPoint at = item->GetPosition();
    const wxSize size = item->GetSize();
    if (EditsList()) {
        modifyButton->SetOwner(item);
        modifyButton->Raise();
        modifyButton->Move(at);
        modifyButton->Hide();
        if (!items.empty())
            SlideRowOut();
    } else {
        const int buttonHeight = modifyButton->GetSize().y;
        popupFrame.y = (size.y - buttonHeight) / 2;
        popupFrame.flags = FRAME_Y;
        if (!shown) {
            modifyButton->ShowAt(
                wxPoint(at.x + size.x + item->GetMargin().x + indicator->GetMargin().x, at.y + buttonHeight), 0);
            popupFrame.alpha = 255;
            popupFrame.flags |= FRAME_ALPHA;
        }
        Animate(popupAnimator, EFFECT_EASE_OUT, popupFrame);
        modifyButton->Show();
        indicator->PointTo(item);
    }
    shown = true;
    return true;
}

void EditMenu::OnPressStart(wxMouseEvent& event)
{
    pressHandled = false;
    event.Skip();
}

void EditMenu::OnIgnoreMotion(wxMouseEvent&) {}

void EditMenu::OnLongPress(wxTimerEvent& event)
{
    if (LockingModeFlag || pressHandled)
        return;
    pressHandled = true;
    if (target && !items.empty())
        SlideRowOut();
    event.Skip();
}

void EditMenu::OnFollow(wxMoveEvent& event)
{
    LayOutRow(modifyButton->GetPosition().x + modifyButton->GetOffset().x, KeepAlpha);
    event.Skip();
}

void EditMenu::OnSelect(wxMouseEvent& event)
{
    if (pressHandled || !target)
        return;
    pressHandled = true;
    const ButtonImpl* button = dynamic_cast<ButtonImpl*>(event.GetEventObject());
    // Hiding forgets the target: keep it and its place first.
    ButtonImpl* item = target;
    const unsigned i = targetMenu->IndexOf(item);
    switch (button ? button->actionType : 0) {
    case EDIT_MODIFY:
        Show(false);
        item->Edit();
        break;
    case EDIT_ADD:
        Show(false);
        targetMenu->Insert(i);
        break;
    case EDIT_UPPER:
        targetMenu->Swap(i, i - 1);
        Popup(item, true);
        break;
    case EDIT_LOWER:
        targetMenu->Swap(i, i + 1);
        Popup(item, true);
        break;
    case EDIT_REMOVE:
        // Removing the item's window must not take the marker and the button along.
        if (owner) {
            indicator->SetOwner(owner);
            modifyButton->SetOwner(owner);
        }
        if (!targetMenu->Delete(i) || EditsList()) {
            Show(false);
        } else if (ButtonImpl* next = targetMenu->GetItem(i) ? targetMenu->GetItem(i) : targetMenu->GetItem(i - 1)) {
            Popup(next, true);
        } else {
            ZLOG_ERROR("Error deleting item.");
            Show(false);
        }
        break;
    default:
        break;
    }
    event.Skip();
}
