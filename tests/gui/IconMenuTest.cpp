// The icon menu on a real X server, driven by real pointer input: the column
// sliding in at its owner, clicks that select and open, dragging and the wheel
// on columns longer than five, long presses, and inserting, swapping and
// deleting items with their re-layouts and warnings.
#include <gtest/gtest.h>

#include <wx/testing.h>

#include "EditMenu.h"
#include "IconItem.h"
#include "IconMenu.h"
#include "Indicator.h"
#include "InfoPanel.h"
#include "LauncherFixture.h"
#include "ListItem.h"
#include "ScreenProbe.h"

using zyntest::ExpectEditor;
using zyntest::LauncherTest;
using zyntest::PumpUntil;
using zyntest::WarningShown;

namespace {

// Items are 60 high with margin 6: one slot is 66, the view of a column at row 300 runs to 630.
constexpr int Top = 300;
constexpr int Slot = 66;

std::string ItemXml(const std::string& name, const std::string& inner = "", int panel = 1)
{
    return "<item><name>" + name + "</name><icon><normal/><hover/><press/></icon><panel><type>" +
           std::to_string(panel) + "</type><descrip>about " + name + "</descrip><image/></panel>" + inner + "</item>";
}

std::string ListXml(int rows)
{
    std::string xml = "<menu type='3'>";
    for (int k = 1; k <= rows; ++k)
        xml += "<item><name>row</name><icon><normal/><hover/><press/></icon><action><type>0</type><command/></action></item>";
    return xml + "</menu>";
}

bool WindowNamed(const wxString& label)
{
    for (const wxWindow* w : wxTopLevelWindows)
        if (w->GetLabel() == label)
            return true;
    return false;
}

std::vector<int> Slots(int first, int count)
{
    std::vector<int> ys;
    for (int k = 0; k < count; ++k)
        ys.push_back(first + Slot * k);
    return ys;
}

class IconMenuTest : public LauncherTest {
protected:
    // A column of items i1..in under an invisible owner at (300, 300), as the launcher's root holder is.
    IconMenu* Column(const std::vector<std::string>& itemXml)
    {
        IconItem* owner = Owner(wxPoint(300, Top));
        owner->Hide();
        std::string xml = "<menu type='1'>";
        for (const std::string& item : itemXml)
            xml += item;
        return static_cast<IconMenu*>(BuildFrom(owner, xml + "</menu>"));
    }
    IconMenu* Column(int count)
    {
        std::vector<std::string> xml;
        for (int k = 1; k <= count; ++k)
            xml.push_back(ItemXml("i" + std::to_string(k)));
        return Column(xml);
    }
    template <class... Args>
    IconMenu* Open(Args... args)
    {
        IconMenu* menu = Column(args...);
        EXPECT_TRUE(menu->Show(true));
        Settle();
        return menu;
    }
    // Places the column from top without animation, as a drag would.
    static void ScrollTo(IconMenu* menu, int top)
    {
        for (ButtonImpl* item : menu->items) {
            item->ShowAt(wxPoint(300, top), KeepAlpha);
            top += Slot;
        }
    }
    void Wheel(const ButtonImpl* over, unsigned button)
    {
        MoveTo(Centre(over));
        LauncherTest::Wheel(button);
    }
};

TEST_F(IconMenuTest, ColumnSlidesInAtItsOwnerAndAway)
{
    IconItem* owner = Owner(wxPoint(300, Top));
    IconMenu* empty = new IconMenu(owner);
    EXPECT_FALSE(empty->Show(true));
    EXPECT_FALSE(empty->animator.IsRunning());
    delete empty;

    IconMenu* menu = Column(3);
    EXPECT_EQ(menu->GetType(), MENU_TYPE_ICON);
    EXPECT_FALSE(menu->NeedsIndicator());
    EXPECT_EQ(menu->columnHeight, 3 * Slot);
    EXPECT_EQ(menu->itemWidth, 60);
    ASSERT_TRUE(menu->Show(true));
    EXPECT_EQ(Ys(menu), Slots(Top - 3 * Slot, 3)); // from above the owner
    EXPECT_FALSE(menu->Show(true));
    Settle();
    EXPECT_EQ(Ys(menu), Slots(Top, 3));
    for (const ButtonImpl* item : menu->items) {
        EXPECT_EQ(item->GetPosition().x, 300);
        EXPECT_TRUE(item->IsShown());
    }

    menu->selected = menu->GetItem(2);
    ASSERT_TRUE(menu->Show(false));
    EXPECT_EQ(menu->selected, nullptr);
    EXPECT_FALSE(menu->Show(false));
    Settle();
    for (const ButtonImpl* item : menu->items)
        EXPECT_FALSE(item->IsShown());
}

// The launcher readies its root column after the start: the items in the view
// get their face, X window and buffer then, unmapped, so the first open only
// maps them; items beyond the view stay without them.
TEST_F(IconMenuTest, PrepareReadiesTheItemsInTheViewWithoutShowingThem)
{
    zyntest::ScreenProbe probe;
    ASSERT_TRUE(probe.IsOk());
    IconMenu* menu = Column(7);
    auto item = [&](unsigned k) { return static_cast<IconItem*>(menu->GetItem(k)); };
    for (unsigned k = 1; k <= 7; ++k)
        ASSERT_EQ(probe.TopLevelOf(item(k)), 0u) << k;

    menu->Prepare();
    Settle();
    std::vector<bool> prepared(8, false);
    for (unsigned k = 1; k <= 7; ++k) {
        SCOPED_TRACE(k);
        prepared[k] = probe.TopLevelOf(item(k)) != 0;
        EXPECT_EQ(item(k)->frames[0].IsOk(), prepared[k]);
        EXPECT_FALSE(item(k)->frames[1].IsOk() || item(k)->frames[2].IsOk());
        EXPECT_FALSE(item(k)->IsShown());
        EXPECT_FALSE(probe.IsOnScreen(item(k)));
        if (k <= MenuViewRows) {
            EXPECT_TRUE(prepared[k]);
        }
    }
    EXPECT_FALSE(prepared[7]); // wholly below the view

    // The settled show puts on screen what was readied, and only that.
    ASSERT_TRUE(menu->Show(true));
    Settle();
    EXPECT_EQ(Ys(menu), Slots(Top, 7));
    for (unsigned k = 1; k <= 7; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(probe.IsOnScreen(item(k)), prepared[k]);
    }
    // A shown column is left alone: readying it would put its items at alpha 0.
    menu->Prepare();
    EXPECT_EQ(item(1)->GetFrame()->alpha, 255);
    EXPECT_TRUE(probe.IsOnScreen(item(1)));
}

// Five items never scroll and their items never see a motion, so a long press survives a move;
// six scroll by dragging and by the wheel.
TEST_F(IconMenuTest, OnlyColumnsOfSixOrMoreDragAndScroll)
{
    for (int count : {5, 6}) {
        IconMenu* menu = Open(count);
        const std::vector<int> before = Ys(menu);
        const wxPoint grip = Spot(menu->GetItem(2));
        Press(grip);
        MoveTo(grip - wxPoint(0, 30));
        LongPress();
        if (count == 5) {
            EXPECT_EQ(Ys(menu), before);
            EXPECT_TRUE(menu->editMenu->shown);
        } else {
            EXPECT_EQ(Ys(menu), Slots(Top - 30, count));
            EXPECT_FALSE(menu->editMenu->shown);
        }
        Release();
        Settle();

        const std::vector<int> beforeWheel = Ys(menu);
        Wheel(menu->GetItem(3), 5);
        Settle();
        if (count == 5)
            EXPECT_EQ(Ys(menu), beforeWheel);
        else
            EXPECT_EQ(Ys(menu), Slots(Top - Slot, count)); // up one slot: the column's end meets the view's bottom
        EXPECT_TRUE(menu->Show(false));
        Settle();
    }
}

// Eight items (528 high) in the view from 300 to 630: the top may run from 102 to 300.
TEST_F(IconMenuTest, DragBeginsPastFivePixelsAndStaysOverTheView)
{
    IconMenu* menu = Open(8);
    FadingItem* pressed = static_cast<FadingItem*>(menu->GetItem(2));
    const wxPoint grip = Spot(pressed);
    Press(grip);
    for (int dy : {5, -5, 0}) {
        MoveTo(grip + wxPoint(0, dy));
        EXPECT_EQ(Ys(menu), Slots(Top, 8)) << dy;
    }
    MoveTo(grip + wxPoint(0, 40)); // down while the first item stands at the top: held there
    EXPECT_EQ(Ys(menu), Slots(Top, 8));
    EXPECT_TRUE(menu->pressHandled);
    MoveTo(grip - wxPoint(0, 6));
    EXPECT_TRUE(PumpUntil([&] { return Ys(menu) == Slots(Top - 6, 8); })) << Ys(menu)[0];
    MoveTo(grip - wxPoint(0, 100));
    EXPECT_TRUE(PumpUntil([&] { return Ys(menu) == Slots(Top - 100, 8); })) << Ys(menu)[0];
    MoveTo(grip - wxPoint(0, 400)); // the end may not rise above the view's bottom
    EXPECT_TRUE(PumpUntil([&] { return Ys(menu) == Slots(630 - 528, 8); })) << Ys(menu)[0];
    // The pressed item left the view but keeps the pointer: mapped, and drawn at alpha 0.
    EXPECT_TRUE(pressed->parked);
    EXPECT_TRUE(pressed->IsShown());
    EXPECT_EQ(wxWindow::GetCapture(), pressed);
    MoveTo(grip + wxPoint(0, 300)); // the start may not sink below the view's top
    EXPECT_TRUE(PumpUntil([&] { return Ys(menu) == Slots(Top, 8); })) << Ys(menu)[0];
    EXPECT_FALSE(pressed->parked);
    MoveTo(grip - wxPoint(0, 400));
    EXPECT_TRUE(PumpUntil([&] { return Ys(menu) == Slots(102, 8); })) << Ys(menu)[0];
    Release();
    EXPECT_EQ(menu->selected, nullptr); // the release after a drag selects nothing
    EXPECT_FALSE(pressed->IsActive());
    EXPECT_EQ(wxWindow::GetCapture(), nullptr);
    EXPECT_FALSE(pressed->IsShown()); // let go outside the view: hidden
    EXPECT_FALSE(pressed->parked);

    // A sideways move of any size starts no drag: the release is a click.
    const wxPoint side = Spot(menu->GetItem(4));
    Press(side);
    MoveTo(side + wxPoint(80, 0));
    Release();
    EXPECT_EQ(Ys(menu), Slots(102, 8));
    EXPECT_EQ(menu->selected, menu->GetItem(4));
}

TEST_F(IconMenuTest, WheelGlidesOneSlotPerNotchWithinTheView)
{
    IconMenu* menu = Column(8);
    ASSERT_TRUE(menu->Show(true));
    clock.Advance(150); // the lower items stand in place, the column still slides in
    menu->animator.Notify(); // the step its timer takes at this time
    ASSERT_TRUE(menu->animator.IsRunning());
    Wheel(menu->GetItem(5), 5);
    Settle();
    EXPECT_EQ(Ys(menu), Slots(Top, 8));

    struct Step {
        unsigned button; // 5 turns the column up, 4 down
        int notches;
        int top;
    };
    const std::vector<Step> steps = {
        {5, 1, Top - Slot}, {5, 1, Top - 2 * Slot}, {5, 1, 102}, {5, 1, 102}, // held where the end meets the view's bottom
        {4, 2, 168},                                                           // the second notch comes while the first glides
        {4, 1, 234}, {4, 1, Top}, {4, 1, Top},                                 // held at the top
    };
    for (const Step& step : steps) {
        for (int k = 0; k < step.notches; ++k)
            Wheel(menu->GetItem(5), step.button);
        Settle();
        EXPECT_EQ(Ys(menu), Slots(step.top, 8)) << step.top;
    }
}

TEST_F(IconMenuTest, ReleaseSelectsTheItemShowsItsPanelAndMarksItsList)
{
    IconMenu* menu = Open(std::vector<std::string>{ItemXml("lists", ListXml(3)),
                                                   ItemXml("catalogs", "<menu type='2'>" + ItemXml("c") + "</menu>"),
                                                   ItemXml("bare", "", PANEL_NONE)});
    ButtonImpl* lists = menu->GetItem(1);
    ButtonImpl* catalogs = menu->GetItem(2);
    Click(Spot(lists));
    EXPECT_EQ(menu->selected, lists);
    EXPECT_TRUE(lists->IsActive());
    EXPECT_TRUE(lists->menu->shown);
    Settle();
    EXPECT_TRUE(menu->indicator->IsShown());
    EXPECT_EQ(menu->indicator->shownSize.y, 150);
    EXPECT_TRUE(menu->infoPanel->IsShown());
    EXPECT_EQ(menu->infoPanel->GetLabel(), "lists");

    Click(Spot(catalogs)); // the other item closes, the marker goes: a catalog needs none
    EXPECT_EQ(menu->selected, catalogs);
    EXPECT_FALSE(lists->IsActive());
    EXPECT_FALSE(lists->menu->shown);
    EXPECT_TRUE(catalogs->menu->shown);
    Settle();
    EXPECT_FALSE(menu->indicator->IsShown());
    EXPECT_EQ(menu->infoPanel->GetLabel(), "catalogs");

    Click(Spot(catalogs)); // again on the open item: deselects and closes
    EXPECT_EQ(menu->selected, nullptr);
    EXPECT_FALSE(catalogs->IsActive());
    EXPECT_FALSE(catalogs->menu->shown);
    Settle();
    EXPECT_FALSE(menu->infoPanel->IsShown());

    Click(Spot(menu->GetItem(3))); // an item without a panel
    EXPECT_EQ(menu->selected, menu->GetItem(3));
    Settle();
    EXPECT_FALSE(menu->infoPanel->IsShown());
}

TEST_F(IconMenuTest, QuickSecondClickAtTheSameSpotClosesWhatTheFirstOpened)
{
    IconMenu* menu = Open(std::vector<std::string>{ItemXml("lists", ListXml(3)), ItemXml("b")});
    ButtonImpl* lists = menu->GetItem(1);
    zyntest::DoubleClicks doubles(lists);
    Click(Centre(lists));
    EXPECT_TRUE(lists->menu->shown);
    Settle(1);
    Click(Centre(lists));
    ASSERT_EQ(doubles.count, 1);
    EXPECT_EQ(menu->selected, nullptr);
    EXPECT_FALSE(lists->IsActive());
    EXPECT_FALSE(lists->menu->shown);
}

TEST_F(IconMenuTest, LongPressOpensThePopUpOrWarnsOrDoesNothing)
{
    IconMenu* menu = Open(std::vector<std::string>{ItemXml("a", ListXml(2)), ItemXml("b"), ItemXml("c")});
    menu->Append("Settings", ACTION_SUBMENU, "", ICON_OPTION);
    ASSERT_TRUE(menu->Show(false));
    Settle();
    ASSERT_TRUE(menu->Show(true));
    Settle();
    ButtonImpl* a = menu->GetItem(1);
    Click(Spot(a));
    ASSERT_EQ(menu->selected, a);

    struct Case {
        unsigned item;
        bool locked;
        bool warning, popup;
    };
    const std::vector<Case> cases = {
        {4, false, true, false}, // built in: the warning, unlocked as it is
        {4, true, false, false}, // locked: nothing at all
        {3, true, false, false},
        {2, false, false, true},
    };
    for (const Case& c : cases) {
        LockingModeFlag = c.locked;
        ButtonImpl* item = menu->GetItem(c.item);
        Press(Spot(item));
        LongPress();
        EXPECT_EQ(WarningShown(), c.warning) << c.item;
        EXPECT_EQ(menu->editMenu->shown, c.popup) << c.item;
        Release();
        if (c.locked) { // the release still acts as a click
            EXPECT_EQ(menu->selected, item) << c.item;
        }
        Settle();
    }
    // The pop-up stands on the pressed item; everything else was closed and deselected.
    ButtonImpl* b = menu->GetItem(2);
    EXPECT_EQ(menu->editMenu->target, b);
    EXPECT_TRUE(b->editTarget);
    EXPECT_EQ(menu->selected, nullptr);
    EXPECT_FALSE(menu->GetItem(3)->IsActive());
    EXPECT_FALSE(menu->infoPanel->IsShown());
    EXPECT_EQ(b->state, ITEM_STATE_NORMAL);

    // A second long press on the pop-up's target changes nothing.
    Press(Spot(b));
    LongPress();
    Release();
    EXPECT_EQ(menu->editMenu->target, b);
    EXPECT_TRUE(menu->editMenu->shown);
}

TEST_F(IconMenuTest, InsertPutsTheEditedItemBeforeTheIndex)
{
    IconMenu* menu = Open(3);
    ExpectInsertRefusals(menu, "Icon 4");
    EXPECT_TRUE(PumpUntil([] { return !WindowNamed("Icon 4"); })); // the new item went

    wxTEST_DIALOG(EXPECT_TRUE(menu->Insert(1)), ExpectEditor([](IconSettingDialog& d) {
                      d.SetItemName("new");
                      return wxID_OK;
                  }));
    EXPECT_EQ(Names(menu), "new i1 i2 i3");
    EXPECT_EQ(Ys(menu), Slots(Top, 4));
    EXPECT_TRUE(menu->GetItem(1)->IsShown());
    EXPECT_EQ(menu->columnHeight, 4 * Slot);
    EXPECT_EQ(menu->animator.targets[0], static_cast<Animatable*>(menu->GetItem(1)));
    EXPECT_EQ(menu->GetItem(1)->parentMenu, menu);

    // A fifth item in the middle; a sixth one pushes the last out of the view.
    wxTEST_DIALOG(EXPECT_TRUE(menu->Insert(3)), ExpectEditor([](IconSettingDialog&) { return wxID_OK; }));
    wxTEST_DIALOG(EXPECT_TRUE(menu->Insert(3)), ExpectEditor([](IconSettingDialog&) { return wxID_OK; }));
    EXPECT_EQ(Names(menu), "new i1 Icon 6 Icon 5 i2 i3");
    EXPECT_EQ(Ys(menu), Slots(Top, 6));
    EXPECT_TRUE(menu->GetItem(6)->clipped); // below the view, faded out to its edge
}

TEST_F(IconMenuTest, SwapRefusesWithTheWarningAndScrollsItemsIntoView)
{
    IconMenu* menu = Open(6);
    menu->Append("Settings", ACTION_SUBMENU, "", ICON_OPTION);
    struct Refusal {
        unsigned i, j;
    };
    for (const Refusal& r : std::vector<Refusal>{{0, 1}, {1, 0}, {8, 7}, {6, 7}, {7, 6}}) {
        EXPECT_FALSE(menu->Swap(r.i, r.j)) << r.i << " " << r.j;
        EXPECT_TRUE(WarningShown()) << r.i << " " << r.j;
        Settle();
    }
    EXPECT_EQ(Names(menu), "i1 i2 i3 i4 i5 i6 Settings");

    struct Case {
        int top; // where the column stands
        unsigned i, j;
        std::string names;
        int topAfter;
    };
    const std::vector<Case> cases = {
        {Top, 3, 2, "i1 i3 i2 i4 i5 i6 Settings", Top},                 // inside: the two change places
        {Top - 40, 2, 1, "i3 i1 i2 i4 i5 i6 Settings", Top - 40 + Slot}, // the first's centre above: down a slot
        {Top, 5, 6, "i3 i1 i2 i4 i6 i5 Settings", Top - Slot},         // the sixth's centre below: up a slot
    };
    for (const Case& c : cases) {
        ScrollTo(menu, c.top);
        ASSERT_TRUE(menu->Swap(c.i, c.j)) << c.names;
        EXPECT_EQ(Names(menu), c.names);
        EXPECT_EQ(Ys(menu), Slots(c.topAfter, 7)) << c.names;
        EXPECT_TRUE(menu->GetItem(c.i)->IsShown());
        EXPECT_TRUE(menu->GetItem(c.j)->IsShown());
    }
    EXPECT_FALSE(WarningShown());
}

TEST_F(IconMenuTest, DeleteRefusesWithTheWarningAndClosesTheGap)
{
    IconMenu* small = Open(1);
    EXPECT_FALSE(small->Delete(1)); // the only item
    EXPECT_TRUE(WarningShown());
    Settle();
    small->Append("Settings", ACTION_SUBMENU, "", ICON_OPTION);
    for (unsigned index : {0u, 3u, 2u}) {
        EXPECT_FALSE(small->Delete(index)) << index;
        EXPECT_TRUE(WarningShown()) << index;
        Settle();
    }
    EXPECT_EQ(small->GetCount(), 2u);

    // Nine items, 594 high: scrolled to its end the column starts at 630 - 594.
    IconMenu* menu = Open(9);
    struct Case {
        int top;
        unsigned index;
        std::string names;
        std::vector<int> ys;
    };
    const std::vector<Case> cases = {
        // Scrolled to its end (the first hidden, the last shown): those above come down a slot.
        {36, 2, "i1 i3 i4 i5 i6 i7 i8 i9", Slots(630 - 8 * Slot, 8)},
        // Otherwise those below move up a slot ...
        {Top, 3, "i1 i3 i5 i6 i7 i8 i9", Slots(Top, 7)},
        // ... and nothing moves when the last one went.
        {Top - 20, 7, "i1 i3 i5 i6 i7 i8", Slots(Top - 20, 6)},
        // Five left: laid out from the owner again.
        {Top - 20, 1, "i3 i5 i6 i7 i8", Slots(Top, 5)},
    };
    for (const Case& c : cases) {
        ScrollTo(menu, c.top);
        ASSERT_TRUE(menu->Delete(c.index)) << c.names;
        EXPECT_EQ(Names(menu), c.names);
        EXPECT_EQ(Ys(menu), c.ys) << c.names;
        EXPECT_EQ(menu->columnHeight, static_cast<int>(menu->GetCount()) * Slot);
        Reap();
    }
    EXPECT_FALSE(WarningShown());
}

// The pop-up's entries with real clicks: hold "Modify" to slide them out, then move and remove.
TEST_F(IconMenuTest, PopUpEntriesMoveAndRemoveItems)
{
    IconMenu* menu = Open(3);
    EditMenu* popup = menu->editMenu;
    ASSERT_EQ(popup->items.size(), 4u);
    Click(EditEntry(menu, 3, "Upper"));
    EXPECT_EQ(Names(menu), "i1 i3 i2");
    EXPECT_EQ(Ys(menu), Slots(Top, 3));
    EXPECT_EQ(popup->target, menu->GetItem(2));
    Settle();
    Click(EditEntry(menu, 1, "Remove"));
    EXPECT_EQ(Names(menu), "i3 i2");
    EXPECT_EQ(Ys(menu), Slots(Top, 2));
    EXPECT_EQ(popup->target, menu->GetItem(1));
}

} // namespace
