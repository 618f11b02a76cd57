#include "ListMenu.h"

#include <cstdlib>

#include <wx/intl.h>
#include <wx/timer.h>
#include <wx/utils.h>
#include <wx/window.h>

#include "BitmapManager.h"
#include "EditMenu.h"
#include "Indicator.h"
#include "ListItem.h"
#include "SoundManager.h"
#include "WarningObject.h"
#include "ZynLog.h"

ListMenu::ListMenu(ZynObject* owner) : MenuImpl(owner)
{
    if (const Menuable* holder = dynamic_cast<Menuable*>(owner))
        ownerMenu = holder->parentMenu;
    editMenu = new EditMenu(this);
    editMenu->Append(_("Modify"), EDIT_MODIFY, wxString(), ICON_MODIFY);
    editMenu->Append(_("Add"), EDIT_ADD, wxString(), ICON_ADD);
    editMenu->Append("SPACER", 0, wxString(), ETC_ICON_SPACER);
    editMenu->Append(_("Remove"), EDIT_REMOVE, wxString(), ICON_REMOVE);
}

ListMenu::~ListMenu()
{
    delete editMenu;
    editMenu = nullptr;
    Clear(); // while the rows' handlers can still be unbound
}

bool ListMenu::Adopt(ListItem* row, unsigned index)
{
    if (!AddItemTarget(row, index))
        return false;
    row->parentMenu = this;
    row->clipToView = true;
    row->Bind(wxEVT_LEFT_DOWN, &ListMenu::OnItemLeftDown, this);
    row->Bind(wxEVT_LEFT_UP, &ListMenu::OnItemLeftUp, this);
    row->Bind(wxEVT_MOUSEWHEEL, &ListMenu::OnItemWheel, this);
    row->Bind(wxEVT_MOTION, &ListMenu::OnItemMotion, this);
    row->Bind(wxEVT_TIMER, &ListMenu::OnLongPress, this);
    columnHeight += Pitch(row);
    return true;
}

void ListMenu::UnbindItem(ButtonImpl* row)
{
    row->Unbind(wxEVT_LEFT_DOWN, &ListMenu::OnItemLeftDown, this);
    row->Unbind(wxEVT_LEFT_UP, &ListMenu::OnItemLeftUp, this);
    row->Unbind(wxEVT_MOUSEWHEEL, &ListMenu::OnItemWheel, this);
    row->Unbind(wxEVT_MOTION, &ListMenu::OnItemMotion, this);
    row->Unbind(wxEVT_TIMER, &ListMenu::OnLongPress, this);
}

Menuable* ListMenu::AppendNode(wxXmlNode* node)
{
    ListItem* row = new ListItem(owner, node);
    if (!Adopt(row, 0))
        return nullptr;
    items.push_back(row);
    return row;
}

Menuable* ListMenu::Append(const wxString& name, const int& type, const wxString& command, const int& icon)
{
    ListItem* row = new ListItem(owner, name, wxDefaultPosition, BitmapManager::System(icon),
                                 BitmapManager::System(BITMAP_LIST));
    if (!Adopt(row, 0))
        return nullptr;
    row->builtIn = type > 999;
    row->SetAction(type, command);
    items.push_back(row);
    return row;
}

bool ListMenu::Insert(const unsigned& index)
{
    if (index == 0 || index > GetCount()) {
        ZLOG_ERROR("Cannot insert menu item, specified index is Invalid.");
        return false;
    }
    ListItem* row = new ListItem(owner, wxString::Format("Icon %u", GetCount() + 1), wxDefaultPosition,
                                 BitmapManager::System(ICON_HELP), BitmapManager::System(BITMAP_LIST));
    if (!EditNewItem(row) || !Adopt(row, index))
        return false;
    const wxPoint at = items[index - 1]->GetPosition();
    items.insert(items.begin() + (index - 1), row);
    StackItems(index, GetCount(), at);
    if (GetCount() <= MenuViewRows)
        Recentre();
    return true;
}

bool ListMenu::Delete(const unsigned& index)
{
    const ButtonImpl* row = GetItem(index);
    if (!row || GetCount() == 1 || row->builtIn) {
        ShowWarning();
        return false;
    }
    const int pitch = Pitch(row);
    if (!MenuImpl::Delete(index))
        return false;
    columnHeight -= pitch;
    if (GetCount() <= MenuViewRows) {
        Recentre();
        return true;
    }
    CloseScrolledGap(index);
    return true;
}

int ListMenu::ListX() const
{
    return owner->GetPosition().x + owner->GetSize().x + owner->GetMargin().x + indicator->GetMargin().x;
}

int ListMenu::Mid() const { return owner->GetPosition().y + owner->GetSize().y / 2; }

void ListMenu::Recentre()
{
    if (items.empty() || !owner)
        return;
    const ButtonImpl* first = items.front();
    const int y = owner->GetPosition().y +
                  ListCentreOffset(owner->GetSize().y, static_cast<int>(GetCount()), Pitch(first), first->GetMargin().y);
    StackItems(1, GetCount(), wxPoint(ListX(), y));
    if (ownerMenu)
        ownerMenu->UpdateIndicator();
}

int ListMenu::ClampTop(int first, int delta) const
{
    const int half = indicator->imageSize.y / 2;
    return ClampColumnTop(first, delta, columnHeight, Mid() - half, Mid() + half);
}

void ListMenu::DropSelection()
{
    editMenu->Show(false);
    selected = nullptr;
}

bool ListMenu::Show(const bool& show)
{
    if (items.empty() || shown == show)
        return false;
    const ButtonImpl* first = items.front();
    const int count = static_cast<int>(GetCount());
    if (!show) {
        HideIndicator();
        editMenu->Show(false);
        targetFrame.alpha = 0;
        targetFrame.y = count * first->GetSize().y;
        targetFrame.flags = FRAME_Y | FRAME_ALPHA;
        Animate(animator, EFFECT_LOCK | EFFECT_EASE_IN | EFFECT_HALF, targetFrame);
        shown = false;
        return true;
    }
    if (!owner || !owner->IsShown())
        return false;
    SoundManager::Play(SOUND_LIST_OPEN);
    shown = true; // the rows placed below may map
    const int endY = ListCentreOffset(owner->GetSize().y, count, Pitch(first), first->GetMargin().y);
    targetFrame.y = endY;
    targetFrame.alpha = 255;
    targetFrame.flags = FRAME_Y | FRAME_ALPHA;
    // The list rises from one row height per row below its place.
    wxPoint start(ListX(), owner->GetPosition().y + endY + count * first->GetSize().y);
    for (ButtonImpl* row : items) {
        row->ShowNormal();
        row->ShowAt(start, 0);
        start.y += Pitch(row);
    }
    Animate(animator, EFFECT_LOCK | EFFECT_EASE_OUT, targetFrame);
    shown = true;
    return true;
}

void ListMenu::OnItemLeftDown(wxMouseEvent& event)
{
    if (ButtonImpl* row = ItemOf(event))
        row->GrabPointer();
    pressPoint = event.GetPosition();
    pressHandled = false;
    event.Skip();
}

void ListMenu::OnItemLeftUp(wxMouseEvent& event)
{
    ListItem* row = dynamic_cast<ListItem*>(event.GetEventObject());
    if (row)
        row->ReleasePointer();
    if (pressHandled || !row)
        return;
    pressHandled = true;
    DropSelection();
    row->Run();
    event.Skip();
}

void ListMenu::OnItemMotion(wxMouseEvent& event)
{
    ButtonImpl* row = ItemOf(event);
    if (!row || !event.LeftIsDown() || GetCount() <= MenuViewRows)
        return;
    if (!pressHandled) {
        if (std::abs(event.GetPosition().y - pressPoint.y) <= DragThreshold)
            return;
        pressHandled = true;
    }
    DropSelection();
    const wxPoint at = row->GetPosition();
    const int delta = wxGetMousePosition().y - pressPoint.y - at.y;
    StackItems(1, GetCount(), wxPoint(at.x, ClampTop(items.front()->GetPosition().y + delta, delta)));
    event.Skip();
}

void ListMenu::OnItemWheel(wxMouseEvent& event)
{
    if (GetCount() <= MenuViewRows)
        return;
    const int notches = WheelNotches(event);
    if (notches == 0)
        return;
    DropSelection();
    const int step = owner->GetSize().y * notches;
    const int first = ClampTop(items.front()->GetPosition().y + step, step);
    targetFrame.y = first - owner->GetPosition().y;
    targetFrame.flags = FRAME_Y;
    Animate(animator, EFFECT_EASE_OUT, targetFrame);
    event.Skip();
}

void ListMenu::OnLongPress(wxTimerEvent& event)
{
    ButtonImpl* row = LongPressedItem(event);
    if (!row)
        return;
    selected = row;
    editMenu->Popup(row, true);
    event.Skip();
}
