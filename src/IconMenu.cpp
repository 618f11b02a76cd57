#include "IconMenu.h"

#include <wx/intl.h>

#include "BitmapManager.h"
#include "EditMenu.h"
#include "IconItem.h"
#include "InfoPanel.h"
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
    infoPanel->Destroy();
    delete editMenu;
    editMenu = nullptr;
    Clear();
}

void IconMenu::UnbindItem(ButtonImpl* item)
{
    // The panel follows the item it shows: it must not follow a destroyed one.
    if (infoPanel->animator.anchor == item) {
        infoPanel->animator.Stop();
        infoPanel->animator.anchor = nullptr;
    }
}

bool IconMenu::Adopt(IconItem* item)
{
    if (!animator.AddTarget(item)) {
        item->Destroy();
        return false;
    }
    item->parentMenu = this;
    item->clipToView = true;
    itemWidth = item->GetSize().x;
    columnHeight += item->GetSize().y + item->GetMargin().y;
    items.push_back(item);
    return true;
}

Menuable* IconMenu::AppendNode(wxXmlNode* node)
{
    IconItem* item = new IconItem(owner, node);
    return Adopt(item) ? item : nullptr;
}

Menuable* IconMenu::Append(const wxString& name, const int& type, const wxString&, const int& icon)
{
    IconItem* item = new IconItem(owner, name, wxDefaultPosition, BitmapManager::System(icon),
                                  BitmapManager::System(BITMAP_BUTTON));
    if (!Adopt(item))
        return nullptr;
    item->builtIn = type > 999;
    item->SetPanel(item->builtIn ? PANEL_BUILTIN : PANEL_NONE, wxString(), wxString());
    return item;
}

bool IconMenu::Insert(const unsigned&)
{
    return false; // built with the icon menu's editing
}

bool IconMenu::Show(const bool& show)
{
    if (items.empty() || shown == show || !owner)
        return false;
    const int count = static_cast<int>(GetCount());
    const ButtonImpl* first = items.front();
    uint32_t effect;
    if (show) {
        const int slot = first->GetSize().y + first->GetMargin().y;
        wxPoint at(owner->GetPosition().x, owner->GetPosition().y - count * slot);
        for (ButtonImpl* item : items) {
            item->ShowNormal();
            item->ShowAt(at, 0);
            item->Show();
            at.y += item->GetSize().y + item->GetMargin().y;
        }
        targetFrame.y = 0;
        targetFrame.alpha = 255;
        targetFrame.flags = FRAME_Y | FRAME_ALPHA;
        effect = EFFECT_LOCK | EFFECT_REVERSE | EFFECT_STAGGER | EFFECT_EASE_OUT;
    } else {
        targetFrame.y = -count * first->GetSize().y;
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

void IconMenu::ShowInfo(IconItem* item)
{
    if (item && item->panelType == PANEL_NONE)
        infoPanel->FadeOut();
    else
        infoPanel->ShowItem(item);
}

void IconMenu::HideInfo() { infoPanel->FadeOut(); }
