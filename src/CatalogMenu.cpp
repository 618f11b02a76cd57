#include "CatalogMenu.h"

#include <wx/event.h>
#include <wx/intl.h>
#include <wx/timer.h>

#include "BitmapManager.h"
#include "CatalogItem.h"
#include "EditMenu.h"
#include "WarningObject.h"
#include "ZynLog.h"

namespace {
// The alpha of the items beside the clicked one.
constexpr unsigned char DimmedAlpha = 150;

CatalogItem* CatalogItemOf(const wxEvent& event) { return dynamic_cast<CatalogItem*>(event.GetEventObject()); }
} // namespace

CatalogMenu::CatalogMenu(ZynObject* owner) : MenuImpl(owner)
{
    editMenu = new EditMenu(this);
    editMenu->Append(_("Add"), EDIT_ADD, wxString(), ICON_ADD);
    editMenu->Append(_("Upper"), EDIT_UPPER, wxString(), ICON_UPPER);
    editMenu->Append(_("Lower"), EDIT_LOWER, wxString(), ICON_LOWER);
    editMenu->Append(_("Remove"), EDIT_REMOVE, wxString(), ICON_REMOVE);
}

CatalogMenu::~CatalogMenu()
{
    delete editMenu;
    editMenu = nullptr;
    Clear(); // while the items' handlers can still be unbound
}

bool CatalogMenu::Adopt(CatalogItem* item, unsigned index)
{
    if (!AddItemTarget(item, index))
        return false;
    item->parentMenu = this;
    item->Bind(wxEVT_LEFT_DOWN, &CatalogMenu::OnItemLeftDown, this);
    item->Bind(wxEVT_LEFT_UP, &CatalogMenu::OnItemLeftUp, this);
    item->Bind(wxEVT_MOTION, &CatalogMenu::OnItemMotion, this);
    item->Bind(wxEVT_TIMER, &CatalogMenu::OnLongPress, this);
    return true;
}

void CatalogMenu::UnbindItem(ButtonImpl* item)
{
    item->Unbind(wxEVT_LEFT_DOWN, &CatalogMenu::OnItemLeftDown, this);
    item->Unbind(wxEVT_LEFT_UP, &CatalogMenu::OnItemLeftUp, this);
    item->Unbind(wxEVT_MOTION, &CatalogMenu::OnItemMotion, this);
    item->Unbind(wxEVT_TIMER, &CatalogMenu::OnLongPress, this);
}

Menuable* CatalogMenu::AppendNode(wxXmlNode* node)
{
    CatalogItem* item = new CatalogItem(owner, node);
    if (!Adopt(item, 0))
        return nullptr;
    items.push_back(item);
    return item;
}

Menuable* CatalogMenu::Append(const wxString& name, const int& type, const wxString&, const int& icon)
{
    CatalogItem* item = new CatalogItem(owner, name, wxDefaultPosition, BitmapManager::System(icon),
                                        BitmapManager::System(BITMAP_CATALOG));
    if (!Adopt(item, 0))
        return nullptr;
    item->builtIn = type > 999;
    items.push_back(item);
    return item;
}

unsigned CatalogMenu::SelectedIndex() const
{
    const unsigned s = IndexOf(selected);
    return s == 0 ? GetCount() : s;
}

void CatalogMenu::Select(unsigned index)
{
    if (CatalogItem* item = static_cast<CatalogItem*>(GetItem(index))) {
        item->SetSelected(true);
        selected = item;
    }
}

void CatalogMenu::Apply(const ColumnShift& shift, const wxPoint& at)
{
    if (shift.first != 0)
        StackItems(shift.first, shift.last, at, shift.upward);
}

void CatalogMenu::Undim()
{
    for (ButtonImpl* item : items)
        item->SetAlpha(255);
}

bool CatalogMenu::Insert(const unsigned& index)
{
    if (index == 0 || index > GetCount()) {
        ZLOG_ERROR("Cannot insert menu item, specified index is Invalid.");
        return false;
    }
    CatalogItem* item = new CatalogItem(owner, wxString::Format("Item %u", GetCount() + 1), wxDefaultPosition,
                                        BitmapManager::System(ICON_HELP), BitmapManager::System(BITMAP_CATALOG));
    if (!EditNewItem(item) || !Adopt(item, index))
        return false;
    const unsigned count = GetCount();
    const ColumnShift shift = CatalogInsertShift(count, SelectedIndex(), index);
    const wxPoint at = items[index - 1]->GetPosition();
    if (shift.select != 0 && selected)
        static_cast<CatalogItem*>(selected)->SetSelected(false);
    items.insert(items.begin() + (index - 1), item);
    if (shift.select != 0)
        Select(shift.select);
    Apply(shift, at);
    if (shown)
        item->Show();
    return true;
}

bool CatalogMenu::Swap(const unsigned& i, const unsigned& j)
{
    const ButtonImpl* a = GetItem(i);
    const ButtonImpl* b = GetItem(j);
    if (!a || !b || a->builtIn || b->builtIn) {
        ShowWarning();
        return false;
    }
    if (!MenuImpl::Swap(i, j))
        return false;
    CatalogItem* atI = static_cast<CatalogItem*>(items[i - 1]);
    CatalogItem* atJ = static_cast<CatalogItem*>(items[j - 1]);
    const wxPoint placeI = atI->GetPosition();
    const wxPoint placeJ = atJ->GetPosition();
    atI->ShowAt(placeJ, KeepAlpha);
    atJ->ShowAt(placeI, KeepAlpha);
    // The selection stays at its place on the screen.
    if (selected == atI || selected == atJ) {
        static_cast<CatalogItem*>(selected)->SetSelected(false);
        Select(selected == atI ? j : i);
    }
    return true;
}

bool CatalogMenu::Delete(const unsigned& index)
{
    ButtonImpl* item = GetItem(index);
    if (!item || GetCount() == 1 || item->builtIn) {
        ShowWarning();
        return false;
    }
    const ColumnShift shift = CatalogDeleteShift(GetCount(), SelectedIndex(), index);
    const wxPoint at = item->GetPosition();
    if (!animator.RemoveTarget(item)) {
        ZLOG_ERROR("Error deleting menu item, cannot remove animator target.");
        return false;
    }
    items.erase(items.begin() + (index - 1));
    DestroyItem(item);
    if (shift.select != 0)
        Select(shift.select);
    Apply(shift, at);
    return true;
}

bool CatalogMenu::Show(const bool& show)
{
    if (items.empty() || shown == show || !owner)
        return false;
    if (!show) {
        shown = false;
        HideIndicator();
        editMenu->Show(false);
        if (selected && selected->menu)
            selected->menu->Show(false);
        targetFrame.alpha = 0;
        targetFrame.flags = FRAME_ALPHA;
        Animate(animator, EFFECT_LOCK | EFFECT_REVERSE | EFFECT_STAGGER | EFFECT_EASE_IN, targetFrame);
        return true;
    }
    // A hidden owner has no place beside it: the column stays hidden, and says so.
    if (!owner->IsShown())
        return false;
    shown = true;
    const ButtonImpl* first = items.front();
    const int count = static_cast<int>(GetCount());
    const int endY = (owner->GetSize().y - first->GetSize().y) / 2;
    targetFrame.y = endY;
    targetFrame.alpha = 255;
    targetFrame.flags = FRAME_Y | FRAME_ALPHA;
    // The column rises from twice its item height per item below its place.
    wxPoint start(owner->GetPosition().x + owner->GetSize().x + owner->GetMargin().x,
                  owner->GetPosition().y + endY + 2 * first->GetSize().y * count);
    for (ButtonImpl* item : items) {
        item->ShowNormal();
        item->ShowAt(start, 0);
        item->Show();
        start.y += Pitch(item);
    }
    Animate(animator, EFFECT_LOCK | EFFECT_STAGGER | EFFECT_EASE_OUT, targetFrame);
    Select(1);
    return true;
}

void CatalogMenu::OnItemLeftDown(wxMouseEvent& event)
{
    if (ButtonImpl* item = ItemOf(event))
        item->GrabPointer();
    pressHandled = false;
    event.Skip();
}

// Motion never reaches the items: moving does not cancel a long press.
void CatalogMenu::OnItemMotion(wxMouseEvent&) {}

void CatalogMenu::OnItemLeftUp(wxMouseEvent& event)
{
    CatalogItem* item = CatalogItemOf(event);
    if (!item)
        return;
    item->ReleasePointer();
    if (pressHandled)
        return;
    pressHandled = true;
    editMenu->Show(false);
    const bool placed = !items.empty() && owner && owner->IsShown();
    if (item->IsActive()) {
        // The item's own handler closes its sub-menu.
        if (placed)
            Undim();
        HideIndicator();
    } else {
        if (selected && selected != item)
            selected->ShowNormal();
        if (placed && !item->IsShown()) {
            Undim();
        } else if (placed) {
            for (ButtonImpl* other : items)
                other->SetAlpha(other == item ? 255 : DimmedAlpha);
            // Scrolls the clicked item to the middle of the owner.
            targetFrame.y = (owner->GetSize().y - item->GetSize().y) / 2 + items.front()->GetPosition().y -
                            item->GetPosition().y;
            targetFrame.flags = FRAME_Y;
            Animate(animator, EFFECT_EASE_OUT | EFFECT_HALF, targetFrame);
        }
        SelectItem(item);
    }
    selected = item;
    event.Skip();
}

void CatalogMenu::OnLongPress(wxTimerEvent& event)
{
    CatalogItem* item = static_cast<CatalogItem*>(LongPressedItem(event));
    if (!item)
        return;
    item->SetOpen(false);
    if (selected && selected != item)
        static_cast<CatalogItem*>(selected)->SetOpen(false);
    if (!items.empty() && owner && owner->IsShown())
        Undim();
    HideIndicator();
    editMenu->Popup(item, true);
    event.Skip();
}
