// The catalog menu and its tabs on a real X server, driven by real pointer
// input: the column rising beside its owner with the first tab selected, clicks
// that centre a tab and open its sub-menu, long presses, and inserting,
// swapping and deleting tabs with the selection kept at its place.
#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/mstream.h>
#include <wx/testing.h>
#include <wx/xml/xml.h>

#include "CatalogItem.h"
#include "CatalogMenu.h"
#include "EditMenu.h"
#include "Indicator.h"
#include "LauncherFixture.h"
#include "ListItem.h"
#include "ScreenProbe.h"
#include "SubMenuOptionPanel.h"

using zyntest::ExpectAlert;
using zyntest::ExpectEditor;
using zyntest::LauncherTest;
using zyntest::LogCapture;
using zyntest::PumpUntil;
using zyntest::SamePixels;
using zyntest::WarningShown;

namespace {

// The owner is a 60 x 60 icon item at (300, 400) with margin 6; tabs are 180 x 44 and overlap by 2.
constexpr int ColumnX = 300 + 60 + 6;
constexpr int Middle = 400 + (60 - 44) / 2; // where the selected tab stands
constexpr int Pitch = 42;

std::string TabXml(const std::string& name, const std::string& inner = "")
{
    return "<item><name>" + name + "</name><icon><normal/><hover/><press/></icon>" + inner + "</item>";
}

std::string ListXml(int rows)
{
    std::string xml = "<menu type='3'>";
    for (int k = 1; k <= rows; ++k)
        xml += "<item><name>row</name><icon><normal/><hover/><press/></icon><action><type>0</type><command/></action></item>";
    return xml + "</menu>";
}

// The ys of a column whose item `at` (1-based) stands at y.
std::vector<int> Column(int count, int at, int y)
{
    std::vector<int> ys;
    for (int k = 1; k <= count; ++k)
        ys.push_back(y + (k - at) * Pitch);
    return ys;
}

class CatalogMenuTest : public LauncherTest {
protected:
    CatalogMenu* Catalog(const std::vector<std::string>& tabs, IconItem** ownerOut = nullptr)
    {
        IconItem* owner = Owner();
        std::string xml = "<menu type='2'>";
        for (const std::string& tab : tabs)
            xml += tab;
        if (ownerOut)
            *ownerOut = owner;
        return static_cast<CatalogMenu*>(BuildFrom(owner, xml + "</menu>"));
    }
    CatalogMenu* Catalog(int count, IconItem** ownerOut = nullptr)
    {
        std::vector<std::string> tabs;
        for (int k = 1; k <= count; ++k)
            tabs.push_back(TabXml("c" + std::to_string(k)));
        return Catalog(tabs, ownerOut);
    }
    template <class T>
    CatalogMenu* Open(T what)
    {
        CatalogMenu* menu = Catalog(what);
        EXPECT_TRUE(menu->Show(true));
        Settle();
        return menu;
    }
    static CatalogItem* Tab(const MenuImpl* menu, unsigned index) { return static_cast<CatalogItem*>(menu->GetItem(index)); }
    static std::vector<int> Faces(const MenuImpl* menu)
    {
        std::vector<int> faces;
        for (const ButtonImpl* item : menu->items)
            faces.push_back(static_cast<const CatalogItem*>(item)->face);
        return faces;
    }
    static std::vector<int> Alphas(const MenuImpl* menu)
    {
        std::vector<int> alphas;
        for (ButtonImpl* item : menu->items)
            alphas.push_back(item->GetFrame()->alpha);
        return alphas;
    }
    // A click on a tab, and the scroll it starts run to their end.
    void Choose(const MenuImpl* menu, unsigned index)
    {
        Click(Spot(menu->GetItem(index)));
        Settle();
    }
};

TEST_F(CatalogMenuTest, RisesBesideItsOwnerWithTheFirstTabSelectedAndCentred)
{
    IconItem* owner = Owner();
    CatalogMenu* empty = new CatalogMenu(owner);
    EXPECT_FALSE(empty->Show(true));
    delete empty;

    CatalogMenu* menu = Catalog(3, &owner);
    EXPECT_EQ(menu->GetType(), MENU_TYPE_CATALOG);
    EXPECT_FALSE(menu->NeedsIndicator());
    ASSERT_TRUE(menu->Show(true));
    // From twice the tab height per tab below its place.
    EXPECT_EQ(Ys(menu), Column(3, 1, Middle + 2 * 44 * 3));
    EXPECT_FALSE(menu->Show(true));
    Settle();
    EXPECT_EQ(Ys(menu), Column(3, 1, Middle));
    for (const ButtonImpl* tab : menu->items) {
        EXPECT_EQ(tab->GetPosition().x, ColumnX);
        EXPECT_TRUE(tab->IsShown());
    }
    EXPECT_EQ(Faces(menu), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(menu->selected, menu->GetItem(1));
    EXPECT_EQ(Tab(menu, 1)->normalFace.GetPicture(), &Tab(menu, 1)->setB[0]);

    Choose(menu, 3);
    ASSERT_TRUE(menu->Show(false));
    EXPECT_FALSE(menu->Show(false));
    Settle();
    for (const ButtonImpl* tab : menu->items)
        EXPECT_FALSE(tab->IsShown());
    EXPECT_EQ(menu->selected, menu->GetItem(3)); // kept while hidden
    EXPECT_EQ(Faces(menu), (std::vector<int>{0, 0, 2}));

    ASSERT_TRUE(menu->Show(true)); // every tab plain again, the first selected
    Settle();
    EXPECT_EQ(Faces(menu), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(Ys(menu), Column(3, 1, Middle));

    // Showing again while the column fades out starts over: both animations are locked.
    ASSERT_TRUE(menu->Show(false));
    clock.Advance(100);
    menu->animator.Notify(); // the step its timer takes at this time
    ASSERT_TRUE(menu->animator.IsRunning());
    ASSERT_TRUE(menu->Show(true));
    Settle();
    EXPECT_EQ(Ys(menu), Column(3, 1, Middle));
    EXPECT_EQ(Alphas(menu), (std::vector<int>{255, 255, 255}));
    for (const ButtonImpl* tab : menu->items)
        EXPECT_TRUE(tab->IsShown());

    // Beside a hidden owner the column does not open, and says it is not shown.
    ASSERT_TRUE(menu->Show(false));
    Settle();
    owner->Hide();
    EXPECT_FALSE(menu->Show(true));
    EXPECT_FALSE(menu->shown);
    owner->Show();
    EXPECT_TRUE(menu->Show(true));
    Settle();
}

TEST_F(CatalogMenuTest, ClickCentresTheTabDimsTheOthersAndOpensItsMenu)
{
    CatalogMenu* menu = Open(std::vector<std::string>{TabXml("c1"), TabXml("lists", ListXml(3)),
                                                      TabXml("catalogs", "<menu type='2'>" + TabXml("x") + "</menu>"),
                                                      TabXml("c4")});
    CatalogItem* lists = Tab(menu, 2);
    CatalogItem* catalogs = Tab(menu, 3);

    Click(Spot(catalogs));
    EXPECT_EQ(menu->selected, catalogs);
    EXPECT_EQ(Alphas(menu), (std::vector<int>{150, 150, 255, 150}));
    EXPECT_TRUE(catalogs->menu->shown);
    Settle();
    EXPECT_EQ(Ys(menu), Column(4, 3, Middle));
    EXPECT_EQ(Faces(menu), (std::vector<int>{0, 0, 2, 0}));
    EXPECT_FALSE(menu->indicator->IsShown()); // a catalog needs no marker
    // The sub-column stands beside its owner, overlapping it by 17 pixels.
    EXPECT_EQ(catalogs->menu->GetItem(1)->GetPosition(), wxPoint(ColumnX + 180 - 17, Middle + 0));

    Click(Spot(lists));
    EXPECT_EQ(Alphas(menu), (std::vector<int>{150, 255, 150, 150}));
    EXPECT_FALSE(catalogs->menu->shown);
    EXPECT_TRUE(lists->menu->shown);
    Settle();
    EXPECT_EQ(Ys(menu), Column(4, 2, Middle));
    EXPECT_EQ(Faces(menu), (std::vector<int>{0, 2, 0, 0}));
    EXPECT_TRUE(menu->indicator->IsShown()); // beside a tab whose list is open
    EXPECT_EQ(menu->indicator->shownSize.y, 150);

    Click(Spot(lists)); // the open tab again: closes, everything at full strength, no marker
    EXPECT_EQ(menu->selected, lists);
    EXPECT_EQ(Alphas(menu), (std::vector<int>{255, 255, 255, 255}));
    EXPECT_FALSE(lists->menu->shown);
    Settle();
    EXPECT_EQ(Faces(menu), (std::vector<int>{0, 1, 0, 0}));
    EXPECT_FALSE(menu->indicator->IsShown());
    EXPECT_EQ(Ys(menu), Column(4, 2, Middle));
}

TEST_F(CatalogMenuTest, QuickSecondClickAtTheSameSpotClosesWhatTheFirstOpened)
{
    CatalogMenu* menu = Open(std::vector<std::string>{TabXml("lists", ListXml(3)), TabXml("c2")});
    CatalogItem* lists = Tab(menu, 1); // selected and centred already: it stays where it is
    ASSERT_FALSE(lists->menu->shown);
    zyntest::DoubleClicks doubles(lists);
    Click(Centre(lists));
    EXPECT_TRUE(lists->menu->shown);
    Settle(1);
    Click(Centre(lists));
    ASSERT_EQ(doubles.count, 1);
    EXPECT_EQ(menu->selected, lists);
    EXPECT_FALSE(lists->menu->shown);
}

// A click while the column still slides in selects and dims, but the locked animation refuses the scroll.
TEST_F(CatalogMenuTest, ClickWhileRisingSelectsWithoutScrolling)
{
    CatalogMenu* menu = Catalog(3);
    ASSERT_TRUE(menu->Show(true));
    clock.Advance(200); // the first two stand in place, the third still rises
    menu->animator.Notify();
    ASSERT_TRUE(menu->animator.IsRunning());
    ASSERT_EQ(menu->GetItem(2)->GetPosition().y, Middle + Pitch);
    Click(Spot(menu->GetItem(2)));
    EXPECT_EQ(menu->selected, menu->GetItem(2));
    EXPECT_EQ(Tab(menu, 2)->face, 2);
    Settle();
    EXPECT_EQ(Ys(menu), Column(3, 1, Middle));
}

TEST_F(CatalogMenuTest, LongPressOpensThePopUpUnlessLockedOrBuiltIn)
{
    CatalogMenu* menu = Open(std::vector<std::string>{TabXml("c1", ListXml(2)), TabXml("c2", ListXml(2)), TabXml("c3")});
    menu->Append("Plug-ins", ACTION_SUBMENU, "", ICON_HELP);
    ASSERT_TRUE(menu->Show(false));
    Settle();
    ASSERT_TRUE(menu->Show(true));
    Settle();

    // Locked: nothing, and the release acts as a click.
    LockingModeFlag = true;
    Press(Spot(Tab(menu, 2)));
    LongPress();
    EXPECT_FALSE(menu->editMenu->shown);
    EXPECT_FALSE(WarningShown());
    Release();
    EXPECT_EQ(menu->selected, menu->GetItem(2));
    EXPECT_TRUE(Tab(menu, 2)->menu->shown);
    Settle();
    LockingModeFlag = false;

    Press(Spot(Tab(menu, 4)));
    LongPress();
    EXPECT_TRUE(WarningShown());
    EXPECT_FALSE(menu->editMenu->shown);
    Release();
    EXPECT_EQ(menu->selected, menu->GetItem(2)); // the release after a long press does nothing
    Settle();

    // Moving over the tab does not cancel the long press.
    const wxPoint grip = Spot(Tab(menu, 1));
    Press(grip);
    MoveTo(grip + wxPoint(40, 0));
    LongPress();
    EXPECT_TRUE(menu->editMenu->shown);
    EXPECT_EQ(menu->editMenu->target, menu->GetItem(1));
    EXPECT_TRUE(Tab(menu, 1)->editTarget);
    // The open tab closed, at full strength like the others; the selection stays.
    EXPECT_EQ(Faces(menu), (std::vector<int>{0, 1, 0, 0}));
    EXPECT_FALSE(Tab(menu, 2)->menu->shown);
    EXPECT_EQ(Alphas(menu), (std::vector<int>{255, 255, 255, 255}));
    EXPECT_EQ(menu->selected, menu->GetItem(2));
    Release();
    EXPECT_TRUE(menu->editMenu->shown);
    Settle();
}

TEST_F(CatalogMenuTest, DeleteKeepsTheSelectionAtItsPlace)
{
    CatalogMenu* single = Open(1);
    EXPECT_FALSE(single->Delete(1));
    EXPECT_TRUE(WarningShown());
    Settle();
    single->Append("Plug-ins", ACTION_SUBMENU, "", ICON_HELP);
    for (unsigned index : {0u, 3u, 2u}) {
        EXPECT_FALSE(single->Delete(index)) << index;
        EXPECT_TRUE(WarningShown()) << index;
        Settle();
    }
    EXPECT_EQ(single->GetCount(), 2u);

    // While the column moves the animator keeps its targets: the menu says so itself, without the warning.
    ASSERT_TRUE(single->Show(false));
    ASSERT_TRUE(single->animator.IsRunning());
    {
        LogCapture log;
        EXPECT_FALSE(single->Delete(1));
        ASSERT_EQ(log.lines.size(), 1u) << log.Text();
        EXPECT_EQ(log.lines[0].level, wxLOG_Error);
        EXPECT_EQ(log.lines[0].text, "Error deleting menu item, cannot remove animator target.");
        EXPECT_EQ(log.lines[0].source, "src/CatalogMenu");
        EXPECT_EQ(log.lines[0].function, "Delete");
    }
    EXPECT_FALSE(WarningShown());
    EXPECT_EQ(Names(single), "c1 Plug-ins");
    Settle();

    struct Case {
        unsigned chosen, index;
        std::string names;
        unsigned selected;
        std::vector<int> ys;
    };
    const std::vector<Case> cases = {
        // The selected last one: the one above takes its place and the selection, the column comes down.
        {5, 5, "c1 c2 c3 c4", 4, Column(4, 4, Middle)},
        // The selected one: the next takes its place and the selection.
        {2, 2, "c1 c3 c4 c5", 2, Column(4, 2, Middle)},
        // Below the selection: those below move up.
        {2, 4, "c1 c2 c3 c5", 2, Column(4, 2, Middle)},
        // Above it: those above move down.
        {4, 2, "c1 c3 c4 c5", 3, Column(4, 3, Middle)},
    };
    for (const Case& c : cases) {
        CatalogMenu* menu = Open(5);
        Choose(menu, c.chosen);
        ASSERT_TRUE(menu->Delete(c.index)) << c.names;
        EXPECT_EQ(Names(menu), c.names);
        EXPECT_EQ(menu->selected, menu->GetItem(c.selected)) << c.names;
        EXPECT_NE(Tab(menu, c.selected)->face, 0) << c.names;
        EXPECT_EQ(Ys(menu), c.ys) << c.names;
        ASSERT_TRUE(menu->Show(false));
        Settle();
    }
}

TEST_F(CatalogMenuTest, SwapKeepsTheSelectionAtItsPlace)
{
    CatalogMenu* menu = Open(4);
    menu->Append("Plug-ins", ACTION_SUBMENU, "", ICON_HELP);
    for (const auto& [i, j] : std::vector<std::pair<unsigned, unsigned>>{{0, 1}, {4, 6}, {4, 5}}) {
        EXPECT_FALSE(menu->Swap(i, j)) << i << " " << j;
        EXPECT_TRUE(WarningShown()) << i << " " << j;
        Settle();
    }
    Choose(menu, 3);
    const std::vector<int> ys = Ys(menu);

    ASSERT_TRUE(menu->Swap(3, 2)); // the selected one up: the one coming down takes the selection
    EXPECT_EQ(Names(menu), "c1 c3 c2 c4 Plug-ins");
    EXPECT_EQ(Ys(menu), ys);
    EXPECT_EQ(menu->selected, menu->GetItem(3));
    EXPECT_EQ(menu->selected->name, "c2");
    EXPECT_EQ(Faces(menu), (std::vector<int>{0, 0, 1, 0, 0}));

    ASSERT_TRUE(menu->Swap(1, 2)); // away from the selection: it stays
    EXPECT_EQ(Names(menu), "c3 c1 c2 c4 Plug-ins");
    EXPECT_EQ(Ys(menu), ys);
    EXPECT_EQ(menu->selected->name, "c2");
}

TEST_F(CatalogMenuTest, InsertAtTheSelectionSelectsTheNewTab)
{
    CatalogMenu* menu = Open(4);
    ExpectInsertRefusals(menu, "Item 5");
    Choose(menu, 3);

    auto named = [](const char* name) {
        return ExpectEditor([name](IconSettingDialog& d) {
            d.SetItemName(name);
            return wxID_OK;
        });
    };
    wxTEST_DIALOG(EXPECT_TRUE(menu->Insert(3)), named("new"));
    EXPECT_EQ(Names(menu), "c1 c2 new c3 c4");
    EXPECT_EQ(menu->selected, menu->GetItem(3));
    EXPECT_EQ(Faces(menu), (std::vector<int>{0, 0, 1, 0, 0}));
    EXPECT_EQ(Ys(menu), Column(5, 3, Middle));
    EXPECT_TRUE(menu->GetItem(3)->IsShown());
    EXPECT_EQ(menu->GetItem(3)->parentMenu, menu);

    wxTEST_DIALOG(EXPECT_TRUE(menu->Insert(1)), named("top")); // above the selection: it stays, the top moves up
    EXPECT_EQ(Names(menu), "top c1 c2 new c3 c4");
    EXPECT_EQ(menu->selected->name, "new");
    EXPECT_EQ(Ys(menu), Column(6, 4, Middle));

    wxTEST_DIALOG(EXPECT_TRUE(menu->Insert(6)), named("low")); // below it: the bottom moves down
    EXPECT_EQ(Names(menu), "top c1 c2 new c3 low c4");
    EXPECT_EQ(menu->selected->name, "new");
    EXPECT_EQ(Ys(menu), Column(7, 4, Middle));
    EXPECT_EQ(menu->animator.targets[5], static_cast<Animatable*>(menu->GetItem(6)));
}

// The pop-up's entries with real clicks: hold "Modify" to slide them out, then move and remove.
TEST_F(CatalogMenuTest, PopUpEntriesMoveAndRemoveTabs)
{
    CatalogMenu* menu = Open(3);
    EditMenu* popup = menu->editMenu;
    Click(EditEntry(menu, 1, "Lower")); // the selected first one down: the selection stays on top
    EXPECT_EQ(Names(menu), "c2 c1 c3");
    EXPECT_EQ(menu->selected->name, "c2");
    EXPECT_EQ(Ys(menu), Column(3, 1, Middle));
    EXPECT_EQ(popup->target, menu->GetItem(2));
    Settle();
    Click(EditEntry(menu, 1, "Remove"));
    EXPECT_EQ(Names(menu), "c1 c3");
    EXPECT_EQ(menu->selected->name, "c1");
    EXPECT_EQ(Ys(menu), Column(2, 1, Middle));
    EXPECT_EQ(popup->target, menu->GetItem(1));
}

// Tabs make their faces as they are used: none before the menu first opens, then
// the plain normal face of each tab and the selected one of the first; another
// tab's selected face comes when a click selects it, and a tab never selected has none.
TEST_F(CatalogMenuTest, TabsMakeTheirFacesWhenTheyAreUsed)
{
    CatalogMenu* menu = Catalog(3);
    auto madeFaces = [&](unsigned index) {
        std::vector<bool> made;
        for (const Frames* set : {&Tab(menu, index)->setA, &Tab(menu, index)->setB})
            for (const Picture& face : *set)
                made.push_back(face.IsOk());
        return made;
    };
    const std::vector<bool> none(6, false);
    for (unsigned k = 1; k <= 3; ++k)
        EXPECT_EQ(madeFaces(k), none) << k;

    ASSERT_TRUE(menu->Show(true));
    Settle();
    EXPECT_EQ(Tab(menu, 1)->face, 1);
    EXPECT_TRUE(madeFaces(1)[3]); // the selected normal face
    EXPECT_EQ(madeFaces(2), (std::vector<bool>{true, false, false, false, false, false}));

    Click(Spot(Tab(menu, 2)));
    Settle();
    EXPECT_EQ(menu->selected, Tab(menu, 2));
    EXPECT_TRUE(madeFaces(2)[4]); // under the pointer: the selected hover face
    const std::vector<bool> third = madeFaces(3);
    EXPECT_FALSE(third[3] || third[4] || third[5]); // never selected
}

TEST_F(CatalogMenuTest, SelectedTabReachesTheScreen)
{
    zyntest::ScreenProbe probe;
    ASSERT_TRUE(probe.IsOk());
    CatalogMenu* menu = Open(2);
    CatalogItem* first = Tab(menu, 1);
    CatalogItem* second = Tab(menu, 2);
    const Picture& firstFace = first->SetFace(true, 0);
    const Picture& secondFace = second->SetFace(false, 0);
    // A pixel where the selected and the plain background differ, away from icon and text.
    wxPoint at;
    bool found = false;
    for (at.y = 6; at.y < 38 && !found; ++at.y)
        for (at.x = 140; at.x < 175 && !found; ++at.x)
            found = firstFace.GetPixel(at.x, at.y) >> 24 == 0xFF && secondFace.GetPixel(at.x, at.y) >> 24 == 0xFF &&
                    !zyntest::NearRgb(firstFace.GetPixel(at.x, at.y) & 0xFFFFFF, secondFace.GetPixel(at.x, at.y) & 0xFFFFFF);
    ASSERT_TRUE(found);
    --at.x;
    --at.y;
    const uint32_t selected = firstFace.GetPixel(at.x, at.y) & 0xFFFFFF;
    const uint32_t plain = secondFace.GetPixel(at.x, at.y) & 0xFFFFFF;
    const wxPoint p1 = first->GetPosition() + at;
    const wxPoint p2 = second->GetPosition() + at;
    EXPECT_TRUE(PumpUntil([&] { return zyntest::NearRgb(probe.Pixel(p1.x, p1.y), selected); }))
        << std::hex << probe.Pixel(p1.x, p1.y) << " " << selected;
    EXPECT_TRUE(PumpUntil([&] { return zyntest::NearRgb(probe.Pixel(p2.x, p2.y), plain); }))
        << std::hex << probe.Pixel(p2.x, p2.y) << " " << plain;
}

// The tab on its own: faces, the sub-menu it opens, the editor and the file element.
class CatalogItemTest : public LauncherTest {
protected:
    CatalogItem* Plain(const wxString& name, const wxPoint& pos = wxPoint(400, 300))
    {
        CatalogItem* item = Keep(new CatalogItem(nullptr, name, pos, BitmapManager::System(ICON_HELP),
                                                 BitmapManager::System(BITMAP_CATALOG)));
        item->ShowAt(pos, 255);
        item->Show();
        Sync();
        return item;
    }
};

TEST_F(CatalogItemTest, WithoutAnIconPathTheHelpIconIsDrawn)
{
    const std::string xml = "<item><name>tab</name><icon><normal/><hover/><press/></icon></item>";
    wxXmlDocument doc;
    wxMemoryInputStream in(xml.data(), xml.size());
    ASSERT_TRUE(doc.Load(in));
    CatalogItem* read = Keep(new CatalogItem(nullptr, doc.GetRoot()));
    CatalogItem* help = Plain("tab");
    const wxRect icon(35, (44 - 26) / 2, 26, 26);
    auto sameIcon = [&](CatalogItem* a) {
        for (size_t k = 0; k < 3; ++k)
            if (!SamePixels(a->SetFace(false, k), help->SetFace(false, k), icon) ||
                !SamePixels(a->SetFace(true, k), help->SetFace(true, k), icon))
                return false;
        return true;
    };
    EXPECT_EQ(read->SetFace(false, 0).GetSize(), wxSize(180, 44));
    EXPECT_TRUE(sameIcon(read));
    read->SetName("renamed");
    EXPECT_EQ(read->GetLabel(), "renamed");
    EXPECT_TRUE(sameIcon(read));
    read->SetIcons(zyntest::IconPaths("Images/launcher/globe_normal.png"));
    EXPECT_FALSE(sameIcon(read));
    read->SetIcons(zyntest::IconPaths(""));
    EXPECT_TRUE(sameIcon(read));
    // The new name is drawn where the old one was.
    EXPECT_FALSE(SamePixels(read->SetFace(false, 0), help->SetFace(false, 0), wxRect(70, 10, 60, 24)));
}

TEST_F(CatalogItemTest, FacesFollowSelectionOpeningAndThePointer)
{
    CatalogItem* tab = Plain("tab");
    tab->CreateMenu(3);
    tab->SetSelected(true);
    EXPECT_EQ(tab->face, 1);
    EXPECT_EQ(tab->normalFace.GetPicture(), &tab->setB[0]);
    tab->SetSelected(true); // already selected: unchanged
    EXPECT_EQ(tab->face, 1);

    Click(Spot(tab)); // opens
    EXPECT_EQ(tab->face, 2);
    EXPECT_TRUE(tab->IsActive());
    EXPECT_TRUE(tab->menu->shown);
    Settle();
    MoveTo(wxPoint(5, 5)); // leaving the open tab keeps its look
    EXPECT_EQ(tab->state, ITEM_STATE_HOVER);
    Click(Spot(tab)); // closes: selected again
    EXPECT_EQ(tab->face, 1);
    EXPECT_FALSE(tab->menu->shown);
    Settle();
    MoveTo(wxPoint(5, 5)); // leaving a selected tab shows its normal face
    EXPECT_EQ(tab->state, ITEM_STATE_NORMAL);

    ModalOpenFlag = true;
    Click(Spot(tab));
    EXPECT_EQ(tab->face, 1);
    EXPECT_FALSE(tab->menu->shown);
    ModalOpenFlag = false;

    tab->SetOpen(true);
    Settle();
    tab->ShowNormal(); // plain, closed
    EXPECT_EQ(tab->face, 0);
    EXPECT_FALSE(tab->menu->shown);
    EXPECT_EQ(tab->normalFace.GetPicture(), &tab->setA[0]);
    tab->SetSelected(false);
    EXPECT_EQ(tab->face, 0);
    Settle();
}

TEST_F(CatalogItemTest, EditChangesNameAndIconsAndAsksBeforeDroppingTheMenu)
{
    CatalogItem* tab = Plain("before");
    wxTEST_DIALOG(EXPECT_FALSE(tab->Edit()), ExpectEditor([](IconSettingDialog& d) {
                      EXPECT_EQ(d.GetItemName(), "before");
                      EXPECT_EQ(d.GetSubMenuType(), 0);
                      d.SetItemName("ignored");
                      return wxID_CANCEL;
                  }));
    EXPECT_EQ(tab->name, "before");

    auto edit = [](const char* name, int kind) {
        return ExpectEditor([name, kind](IconSettingDialog& d) {
            d.SetItemName(name);
            d.SetSubMenuType(kind);
            if (kind == 0)
                d.PanelSubMenu->CheckBoxSubMenu->SetValue(false);
            return wxID_OK;
        });
    };
    LogCapture log;
    wxTEST_DIALOG(EXPECT_TRUE(tab->Edit()), edit("with list", 3)); // no menu yet: no question
    EXPECT_EQ(tab->name, "with list");
    ASSERT_NE(tab->menu, nullptr);
    MenuImpl* list = tab->menu;
    EXPECT_EQ(list->GetType(), MENU_TYPE_LIST);

    wxTEST_DIALOG(EXPECT_TRUE(tab->Edit()), edit("renamed", 3)); // only the name: the menu stays
    EXPECT_EQ(tab->menu, list);
    EXPECT_EQ(tab->GetLabel(), "renamed");

    wxTEST_DIALOG(EXPECT_TRUE(tab->Edit()), edit("kept", 2), ExpectAlert(wxNO));
    EXPECT_EQ(tab->menu, list);
    EXPECT_EQ(tab->name, "kept");

    wxTEST_DIALOG(EXPECT_TRUE(tab->Edit()), edit("none", 0), ExpectAlert(wxYES));
    EXPECT_EQ(tab->menu, nullptr);
    EXPECT_FALSE(log.Contains("menu")) << log.Text();
}

TEST_F(CatalogItemTest, ElementsRoundTripAndBuiltInTabsAreNotWritten)
{
    CatalogItem* tab = Plain("a & <b>");
    tab->SetIcons(zyntest::IconPaths("n.png"));
    std::unique_ptr<wxXmlNode> node(tab->GetNode());
    ASSERT_TRUE(node);
    EXPECT_EQ(node->GetName(), "item");
    CatalogItem* copy = Keep(new CatalogItem(nullptr, node.get()));
    EXPECT_EQ(copy->name, "a & <b>");
    EXPECT_EQ(copy->iconPaths, tab->iconPaths);
    EXPECT_EQ(copy->GetMargin(), wxPoint(-17, -2));
    tab->builtIn = true;
    EXPECT_EQ(tab->GetNode(), nullptr);

    LogCapture log;
    const std::string broken = "<item><name>half</name></item>";
    wxXmlDocument doc;
    wxMemoryInputStream in(broken.data(), broken.size());
    ASSERT_TRUE(doc.Load(in));
    CatalogItem* partial = Keep(new CatalogItem(nullptr, doc.GetRoot()));
    EXPECT_EQ(partial->name, "half");
    EXPECT_EQ(log.Texts(wxLOG_Error), std::vector<std::string>{"Error parsing xml, invalid item icon."});
}

} // namespace
