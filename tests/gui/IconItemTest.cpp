// Icon items, the information panel, the selection indicator and the edit
// pop-up beside an icon column, on a real X server.
#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/mstream.h>
#include <wx/testing.h>
#include <wx/xml/xml.h>

#include "AlertObject.h"
#include "CatalogMenu.h"
#include "EditMenu.h"
#include "Indicator.h"
#include "InfoPanel.h"
#include "LauncherFixture.h"
#include "ListItem.h"
#include "SubMenuOptionPanel.h"
#include "ListMenu.h"
#include "TrayItem.h"

using zyntest::ExpectAlert;
using zyntest::ExpectEditor;
using zyntest::LauncherTest;
using zyntest::LogCapture;
using zyntest::PumpUntil;

namespace {

class ProbeIcon : public IconItem {
public:
    using IconItem::IconItem;
    AnimationFrame& Frame() { return frame; }
    ObjectDC& DC() { return objectDC; }
};

class ProbeIndicator : public Indicator {
public:
    using Indicator::Indicator;
    AnimationFrame& Frame() { return frame; }
    ObjectDC& DC() { return objectDC; }
};

// A plain column of icon items for the edit pop-up to work on: the base's
// swap and delete, and an insertion that records where it was asked.
class Column : public MenuImpl {
public:
    explicit Column(ZynObject* owner) : MenuImpl(owner) { editMenu = new EditMenu(this); }
    ~Column() override
    {
        delete editMenu;
        editMenu = nullptr;
    }
    int GetType() override { return MENU_TYPE_ICON; }
    bool Show(const bool&) override { return false; }
    Menuable* AppendNode(wxXmlNode*) override { return nullptr; }
    Menuable* Append(const wxString& name, const int&, const wxString&, const int& icon) override
    {
        IconItem* item = new IconItem(owner, name, wxDefaultPosition, BitmapManager::System(icon),
                                      BitmapManager::System(BITMAP_BUTTON));
        animator.AddTarget(item);
        item->parentMenu = this;
        const int y = owner->GetPosition().y + 66 * static_cast<int>(items.size());
        item->ShowAt(wxPoint(owner->GetPosition().x, y), 255);
        item->Show();
        items.push_back(item);
        return item;
    }
    bool Insert(const unsigned& index) override
    {
        insertedAt = index;
        return true;
    }
    unsigned insertedAt = 0;
};

class IconItemTest : public LauncherTest {
protected:
    ProbeIcon* Icon(wxWindow* parent, const wxString& name, const wxPoint& pos)
    {
        ProbeIcon* item = Keep(new ProbeIcon(parent, name, pos, BitmapManager::System(SYMBOL_PLUGIN),
                                             BitmapManager::System(BITMAP_BUTTON)));
        item->ShowAt(pos, 255);
        item->Show();
        return item;
    }
    Column* ColumnOf(int count, ZynObject** ownerOut = nullptr)
    {
        IconItem* owner = Owner(wxPoint(200, 100));
        owner->Hide(); // an invisible anchor, as the launcher's root holder is
        Column* column = new Column(owner);
        columns.push_back(column);
        for (int k = 1; k <= count; ++k)
            column->Append(wxString::Format("i%d", k), 0, "", ICON_HELP);
        if (ownerOut)
            *ownerOut = owner;
        Sync();
        return column;
    }
    void TearDown() override
    {
        for (Column* c : columns)
            delete c;
        LauncherTest::TearDown();
    }
    std::vector<Column*> columns;
};

// Items 60 high: the view of a column at row 100 runs to 100 + 5 x 66 = 430, fading over 30 rows
// beyond each edge (70 to 460).
TEST_F(IconItemTest, ScrollingItemsHideOrFadeOutsideTheFiveRowView)
{
    IconItem* anchor = Owner(wxPoint(100, 100));
    ProbeIcon* item = Icon(anchor, "item", wxPoint(100, 100));
    item->clipToView = true;
    struct Case {
        int y;
        bool shown, faded, clipped;
    };
    const std::vector<Case> cases = {
        {100, true, false, false}, {370, true, false, false}, {371, true, true, false}, {420, true, true, true},
        {460, false, false, false}, {11, true, true, true}, {80, true, true, false}, {10, false, false, false},
    };
    for (const Case& c : cases) {
        item->ShowAt(wxPoint(100, c.y), 200);
        EXPECT_EQ(item->IsShown(), c.shown) << c.y;
        EXPECT_EQ(item->fadePending, c.faded) << c.y;
        if (c.shown) { // placing outside leaves the flag as it was
            EXPECT_EQ(item->clipped, c.clipped) << c.y;
        }
        EXPECT_EQ(item->GetPosition(), wxPoint(100, c.y)) << c.y;
    }
    // Keep draws a scrolling item at full strength and keeps its alpha; a plain item keeps both.
    item->ShowAt(wxPoint(100, 150), KeepAlpha);
    EXPECT_EQ(item->Frame().alpha, 200);
    EXPECT_EQ(item->DC().blend.SourceConstantAlpha, 255);
    ProbeIcon* plain = Icon(anchor, "plain", wxPoint(300, 100));
    plain->ShowAt(wxPoint(300, 150), 120);
    plain->ShowAt(wxPoint(300, 160), KeepAlpha);
    EXPECT_EQ(plain->Frame().alpha, 120);
    EXPECT_EQ(plain->DC().blend.SourceConstantAlpha, 120);
}

TEST_F(IconItemTest, EnteringAFadedItemFadesAllItsFaces)
{
    IconItem* anchor = Owner(wxPoint(100, 100));
    ProbeIcon* item = Icon(anchor, "item", wxPoint(100, 100));
    item->clipToView = true;
    item->ShowAt(wxPoint(100, 410), 255); // across the bottom edge, its last 10 rows past the band
    ASSERT_TRUE(item->fadePending);
    MoveTo(wxPoint(130, 415));
    EXPECT_TRUE(PumpUntil([&] { return item->state == ITEM_STATE_HOVER; }));
    EXPECT_FALSE(item->fadePending);
    EXPECT_EQ(&item->FaceOf(ITEM_STATE_HOVER), &item->hoverFace);
    EXPECT_EQ(item->hoverFace.GetPicture(), &item->fadedFrames[1]);
    // The last rows lie past the band: transparent in the faded hover face.
    EXPECT_EQ(item->fadedFrames[1].GetPixel(30, 55) >> 24, 0u);
    EXPECT_NE(item->frames[1].GetPixel(30, 30) >> 24, 0u);
    item->ShowAt(wxPoint(100, 200), 255); // inside again: the plain faces
    EXPECT_EQ(item->hoverFace.GetPicture(), &item->frames[1]);
}

TEST_F(IconItemTest, ClickOpensAndClosesTheSubMenu)
{
    ProbeIcon* item = Icon(nullptr, "item", wxPoint(300, 400));
    item->CreateMenu(3);
    Click(Centre(item));
    EXPECT_TRUE(item->IsActive());
    EXPECT_TRUE(item->menu->shown);
    Settle();
    MoveTo(wxPoint(5, 5)); // leaving keeps the face while the menu is open
    EXPECT_EQ(item->state, ITEM_STATE_HOVER);
    Click(Centre(item));
    EXPECT_FALSE(item->IsActive());
    EXPECT_FALSE(item->menu->shown);
    Settle();

    ModalOpenFlag = true;
    Click(Centre(item));
    EXPECT_FALSE(item->menu->shown);
    EXPECT_FALSE(item->IsActive());
}

TEST_F(IconItemTest, EditTakesTheEditorsValuesOrNothing)
{
    ProbeIcon* item = Icon(nullptr, "before", wxPoint(300, 400));
    item->SetPanel(PANEL_DESCRIPTION, "old words", "");
    wxTEST_DIALOG(EXPECT_FALSE(item->Edit()), ExpectEditor([](IconSettingDialog& d) {
                      EXPECT_EQ(d.GetItemName(), "before");
                      EXPECT_EQ(d.GetPanelType(), PANEL_DESCRIPTION);
                      EXPECT_EQ(d.GetPanelDescription(), "old words");
                      d.SetItemName("ignored");
                      return wxID_CANCEL;
                  }));
    EXPECT_EQ(item->name, "before");

    const wxString normal = "Images/launcher/globe_normal.png";
    wxTEST_DIALOG(EXPECT_TRUE(item->Edit()), ExpectEditor([&](IconSettingDialog& d) {
                      d.SetItemName("after");
                      d.SetIconPaths(zyntest::IconPaths(normal, "", ""));
                      d.SetPanelType(PANEL_DESCRIPTION);
                      d.SetPanelDescription("new words");
                      return wxID_OK;
                  }));
    EXPECT_EQ(item->name, "after");
    EXPECT_EQ(item->GetLabel(), "after");
    EXPECT_EQ(item->iconPaths[0], normal);
    EXPECT_EQ(item->panelDescription, "new words");
    EXPECT_EQ(item->panelImage.GetSize(), wxSize(220, 220)); // the default picture
    EXPECT_EQ(item->menu, nullptr);
}

TEST_F(IconItemTest, ChangingTheSubMenuKindAsksBeforeDroppingTheOldMenu)
{
    auto kind = [](int k) {
        return ExpectEditor([k](IconSettingDialog& d) {
            d.SetSubMenuType(k);
            if (k == 0)
                d.PanelSubMenu->CheckBoxSubMenu->SetValue(false);
            return wxID_OK;
        });
    };
    LogCapture log;
    ProbeIcon* item = Icon(nullptr, "item", wxPoint(300, 400));
    wxTEST_DIALOG(EXPECT_TRUE(item->Edit()), kind(3)); // no menu yet: no question
    ASSERT_NE(item->menu, nullptr);
    EXPECT_EQ(item->menu->GetType(), MENU_TYPE_LIST);
    MenuImpl* list = item->menu;

    wxTEST_DIALOG(EXPECT_TRUE(item->Edit()), kind(2), ExpectAlert(wxNO));
    EXPECT_EQ(item->menu, list);

    wxTEST_DIALOG(EXPECT_TRUE(item->Edit()), kind(2), ExpectAlert(wxYES));
    ASSERT_NE(item->menu, nullptr);
    EXPECT_EQ(item->menu->GetType(), MENU_TYPE_CATALOG);
    EXPECT_EQ(item->menu->GetCount(), 1u);

    wxTEST_DIALOG(EXPECT_TRUE(item->Edit()), kind(0), ExpectAlert(wxYES));
    EXPECT_EQ(item->menu, nullptr); // the editor's unchecked sub-menu box
    EXPECT_FALSE(log.Contains("menu")) << log.Text();
}

// Themes may lack the hover and press frames: the normal one stands in.
TEST_F(IconItemTest, MissingFramesFallBackToTheNormalOne)
{
    const Frames one = {BitmapManager::System(BITMAP_BUTTON)[0]};
    ProbeIcon* item = Keep(new ProbeIcon(nullptr, "one", wxPoint(100, 100), Frames{}, one));
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(item->FaceOf(k).GetSize(), wxSize(60, 60)) << k;
    const Frames list = {BitmapManager::System(BITMAP_LIST)[0], Picture()};
    ListItem* row = Keep(new ListItem(nullptr, "row", wxPoint(100, 200), Frames{}, list));
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(row->FaceOf(k).GetSize(), wxSize(200, 52)) << k;
}

TEST_F(IconItemTest, NodesRoundTripAndBuiltInItemsAreNotWritten)
{
    ProbeIcon* item = Icon(nullptr, "a & <b>", wxPoint(300, 400));
    item->SetIcons(zyntest::IconPaths("n.png", "h.png", "p.png"));
    item->SetPanel(PANEL_DESCRIPTION, "line one\nline ]]> two", "pic.png");
    std::unique_ptr<wxXmlNode> node(item->GetNode());
    ASSERT_TRUE(node);
    EXPECT_EQ(node->GetAttribute("id"), wxString::Format("%d", item->GetId()));
    ProbeIcon* copy = Keep(new ProbeIcon(nullptr, node.get()));
    EXPECT_EQ(copy->name, "a & <b>");
    EXPECT_EQ(copy->iconPaths, item->iconPaths);
    EXPECT_EQ(copy->panelType, PANEL_DESCRIPTION);
    EXPECT_EQ(copy->panelDescription, "line one\nline ]]> two");
    EXPECT_EQ(copy->panelImagePath, "pic.png");
    item->builtIn = true;
    EXPECT_EQ(item->GetNode(), nullptr);
}

TEST_F(IconItemTest, PanelOpensInTwoStagesWhenThereIsADescription)
{
    IconItem* anchor = Owner(wxPoint(600, 400));
    InfoPanel* panel = Keep(new InfoPanel(anchor, "Information", wxDefaultPosition, Picture(), BitmapManager::System(BITMAP_PANEL)));
    EXPECT_EQ(panel->fullSize, wxSize(270, 429));
    ProbeIcon* described = Icon(anchor, "described", wxPoint(600, 400));
    described->SetPanel(PANEL_DESCRIPTION, "some words", "");
    ProbeIcon* bare = Icon(anchor, "bare", wxPoint(600, 466));
    bare->SetPanel(PANEL_DESCRIPTION, "", "");

    ASSERT_TRUE(panel->ShowItem(bare));
    EXPECT_TRUE(panel->IsShown());
    EXPECT_EQ(panel->shownSize, wxSize(80, 80));
    Settle();
    EXPECT_EQ(panel->shownSize, wxSize(270, 286)); // no description: compact
    EXPECT_EQ(panel->GetPosition(), wxPoint(600 - 6 - 270, 466 + 30 - 215));
    EXPECT_EQ(panel->GetLabel(), "bare");

    ASSERT_TRUE(panel->ShowItem(described)); // slides, then opens fully
    Settle();
    EXPECT_EQ(panel->shownSize, wxSize(270, 429));
    EXPECT_TRUE(panel->expanded);
    EXPECT_EQ(panel->GetPosition(), wxPoint(600 - 6 - 270, 400 + 30 - 215));

    ASSERT_TRUE(panel->ShowItem(bare)); // and closes back to compact
    Settle();
    EXPECT_EQ(panel->shownSize, wxSize(270, 286));
    EXPECT_FALSE(panel->expanded);

    EXPECT_TRUE(panel->FadeOut());
    Settle();
    EXPECT_FALSE(panel->IsShown());
    EXPECT_FALSE(panel->FadeOut());
    EXPECT_FALSE(panel->ShowItem(nullptr));
}

TEST_F(IconItemTest, PanelRevealsAndDrawsWhereItShould)
{
    InfoPanel* panel = Keep(new InfoPanel(nullptr, "Information", wxDefaultPosition, Picture(), BitmapManager::System(BITMAP_PANEL)));
    panel->SetImage(Picture(100, 100, 0xFF10C010), false);
    EXPECT_EQ(panel->panelBitmap.GetPixel(73, 113), 0xFF10C010u);
    EXPECT_EQ(panel->panelBitmap.GetPixel(172, 212), 0xFF10C010u);
    EXPECT_NE(panel->panelBitmap.GetPixel(72, 112), 0xFF10C010u);

    panel->ShowAt(wxPoint(100, 100), wxSize(50, 40), 255);
    EXPECT_EQ(panel->shownSize, wxSize(80, 80));
    EXPECT_EQ(panel->canvasBitmap.GetPixel(189, 250), 0u);     // left of the revealed square
    EXPECT_EQ(panel->canvasBitmap.GetPixel(200, 205), 0u);     // above it
    EXPECT_EQ(panel->canvasBitmap.GetPixel(200, 220), panel->panelBitmap.GetPixel(200, 220));
    EXPECT_EQ(panel->canvasBitmap.GetPixel(200, 280), panel->panelBitmap.GetPixel(200, 423)); // the border

    panel->ShowAt(wxPoint(100, 100), wxSize(270, 429), 255);
    panel->SetDescription("first", true);
    const Picture opened = panel->canvasBitmap;
    panel->SetDescription("", true); // the old text stays until the panel closes
    EXPECT_FALSE(panel->hasDescription);
    EXPECT_EQ(panel->canvasBitmap.GetPixel(40, 305), opened.GetPixel(40, 305));

    {
        LogCapture log;
        Frames small = {Picture(200, 200, 0xFF000000)};
        InfoPanel* tiny = Keep(new InfoPanel(nullptr, "t", wxDefaultPosition, Picture(), small));
        EXPECT_EQ(log.Texts(wxLOG_Error), std::vector<std::string>{"Invalid Info Panel Image."});
        tiny->ShowAt(wxPoint(0, 0), wxSize(270, 429), 255); // reads no row the image lacks
        tiny->ShowAt(wxPoint(0, 0), wxSize(90, 90), 255);
    }
}

TEST_F(IconItemTest, IndicatorStretchesToTheListAndSlidesBetweenItems)
{
    IconItem* anchor = Owner(wxPoint(100, 100));
    anchor->Hide();
    ProbeIndicator* marker = Keep(new ProbeIndicator(anchor, wxDefaultPosition, BitmapManager::System(ETC_INDICATOR)));
    EXPECT_EQ(marker->imageSize, wxSize(24, 260));
    ProbeIcon* first = Icon(anchor, "first", wxPoint(100, 100));
    ProbeIcon* second = Icon(anchor, "second", wxPoint(100, 232));
    ListMenu* three = static_cast<ListMenu*>(first->CreateMenu(3));
    three->Append("b", 0, "", ICON_HELP);
    three->Append("c", 0, "", ICON_HELP);
    second->CreateMenu(3);

    ASSERT_TRUE(marker->PointTo(first));
    EXPECT_TRUE(marker->IsShown());
    Settle();
    EXPECT_EQ(marker->shownSize.y, 150);
    EXPECT_EQ(marker->GetPosition(), wxPoint(100 + 60 + 6, 100 - 100));
    EXPECT_EQ(marker->Frame().alpha, 255);

    ASSERT_TRUE(marker->PointTo(second));
    EXPECT_EQ(marker->animator.target.flags, FRAME_Y | FRAME_HEIGHT);
    clock.Advance(100);
    marker->animator.Notify(); // the step its timer takes at this time
    EXPECT_EQ(marker->GetPosition().x, 166);
    EXPECT_GT(marker->GetPosition().y, 0);
    Settle();
    EXPECT_EQ(marker->GetPosition(), wxPoint(166, 232 - 100));
    EXPECT_EQ(marker->shownSize.y, 56); // one row: the smallest band

    second->editTarget = true;
    marker->PointTo(second);
    Settle();
    EXPECT_EQ(marker->shownSize.y, 56);
    EXPECT_TRUE(marker->FadeOut());
    Settle();
    EXPECT_FALSE(marker->IsShown());
    EXPECT_FALSE(marker->FadeOut());
    EXPECT_FALSE(marker->PointTo(nullptr));

    // Keep leaves the opacity as it is; an alpha above 255 is recorded but not applied.
    marker->ShowAt(wxPoint(10, 10), wxSize(24, 100), 120);
    marker->ShowAt(wxPoint(10, 10), wxSize(24, 100), KeepAlpha);
    EXPECT_EQ(marker->Frame().alpha, 120);
    EXPECT_EQ(marker->DC().blend.SourceConstantAlpha, 120);
    marker->ShowAt(wxPoint(10, 10), wxSize(24, 100), 300);
    EXPECT_EQ(marker->Frame().alpha, 300);
    EXPECT_EQ(marker->DC().blend.SourceConstantAlpha, 120);

    Frames shortImage = {Picture(24, 20, 0xFF808080)};
    Indicator* stub = Keep(new Indicator(anchor, wxDefaultPosition, shortImage));
    stub->ShowAt(wxPoint(0, 0), wxSize(24, 10), 255); // caps and middle reach past the image: clipped
    EXPECT_EQ(stub->shownSize.y, 56);
}

TEST_F(IconItemTest, PopUpStandsBesideTheItemAndModifyOpensTheEditor)
{
    Column* column = ColumnOf(3);
    EditMenu* popup = column->editMenu;
    popup->Append("Add", EDIT_ADD, "", ICON_ADD);
    popup->Append("Upper", EDIT_UPPER, "", ICON_UPPER);
    popup->Append("Lower", EDIT_LOWER, "", ICON_LOWER);
    popup->Append("Remove", EDIT_REMOVE, "", ICON_REMOVE);
    ButtonImpl* second = column->GetItem(2);

    ASSERT_TRUE(popup->Popup(second, true));
    Settle();
    EXPECT_TRUE(second->editTarget);
    EXPECT_EQ(popup->modifyButton->GetPosition(), wxPoint(200 + 60 + 6 + 25, 166 + (60 - 52) / 2));
    EXPECT_TRUE(popup->indicator->IsShown());

    wxString edited;
    wxTEST_DIALOG(Click(Centre(popup->modifyButton)), ExpectEditor([&](IconSettingDialog& d) {
                      edited = d.GetItemName();
                      return wxID_CANCEL;
                  }));
    EXPECT_EQ(edited, "i2");
    EXPECT_FALSE(popup->shown);
    EXPECT_FALSE(second->editTarget);
    Settle();

    // Holding "Modify" slides the entries out instead of opening the editor.
    ASSERT_TRUE(popup->Popup(second, true));
    Settle();
    Press(Centre(popup->modifyButton));
    LongPress();
    EXPECT_TRUE(popup->expanded);
    Release();
    EXPECT_TRUE(popup->shown);
    Settle();
    EXPECT_EQ(popup->GetItem(1)->GetPosition().x, popup->modifyButton->GetPosition().x + 15);

    // The entries follow the button wherever it goes.
    const wxPoint entryAt = popup->GetItem(2)->GetPosition();
    popup->modifyButton->ShowAt(popup->modifyButton->GetPosition() + wxPoint(0, 30), KeepAlpha);
    EXPECT_TRUE(PumpUntil([&] { return popup->GetItem(2)->GetPosition() == entryAt + wxPoint(0, 30); }))
        << popup->GetItem(2)->GetPosition().y - entryAt.y;
    popup->modifyButton->ShowAt(popup->modifyButton->GetPosition() - wxPoint(0, 30), KeepAlpha);
    EXPECT_TRUE(PumpUntil([&] { return popup->GetItem(2)->GetPosition() == entryAt; }))
        << popup->GetItem(2)->GetPosition().y - entryAt.y;

    Click(Centre(popup->GetItem(1))); // Add: before the pressed item
    EXPECT_EQ(column->insertedAt, 2u);
    EXPECT_FALSE(popup->shown);
}

TEST_F(IconItemTest, PopUpMovesAndRemovesItems)
{
    Column* column = ColumnOf(3);
    EditMenu* popup = column->editMenu;
    ButtonImpl* i1 = column->GetItem(1);
    ButtonImpl* i3 = column->GetItem(3);
    auto act = [&](ButtonImpl* target, int code) {
        ASSERT_TRUE(popup->Popup(target, true));
        Settle();
        TrayItem entry(popup->modifyButton, "entry", wxDefaultPosition, BitmapManager::System(ICON_ADD));
        entry.SetAction(code, "");
        wxMouseEvent down(wxEVT_LEFT_DOWN);
        down.SetEventObject(&entry);
        wxMouseEvent up(wxEVT_LEFT_UP);
        up.SetEventObject(&entry);
        popup->pressHandled = false;
        popup->OnSelect(up);
        Settle();
    };

    {
        LogCapture log;
        act(i1, EDIT_UPPER); // the first cannot go up
        EXPECT_EQ(column->GetItem(1), i1);
        EXPECT_EQ(popup->target, i1);
        act(i3, EDIT_LOWER); // the last cannot go down
        EXPECT_EQ(column->GetItem(3), i3);
        EXPECT_EQ(popup->target, i3);
        EXPECT_EQ(log.Texts(wxLOG_Error), std::vector<std::string>(2, "Cannot swap menu item, specified index is Invalid."));
    }
    act(i1, EDIT_LOWER);
    EXPECT_EQ(column->GetItem(2), i1);
    EXPECT_EQ(popup->target, i1);

    ButtonImpl* nowThird = column->GetItem(3);
    act(i1, EDIT_REMOVE); // the middle one: the pop-up moves to the one taking its place
    EXPECT_EQ(column->GetCount(), 2u);
    EXPECT_EQ(popup->target, nowThird);
    EXPECT_TRUE(popup->shown);
    act(nowThird, EDIT_REMOVE); // the last one: to the new last
    EXPECT_EQ(popup->target, column->GetItem(1));
    LogCapture log;
    act(column->GetItem(1), EDIT_REMOVE); // none left
    EXPECT_EQ(log.Texts(wxLOG_Error), std::vector<std::string>{"Error deleting item."});
    EXPECT_FALSE(popup->shown);
    EXPECT_EQ(popup->target, nullptr);

    // A built-in item never gets the pop-up, and hides one that is shown.
    Column* other = ColumnOf(2);
    ASSERT_TRUE(other->editMenu->Popup(other->GetItem(1), true));
    other->GetItem(2)->builtIn = true;
    EXPECT_FALSE(other->editMenu->Popup(other->GetItem(2), true));
    EXPECT_FALSE(other->editMenu->shown);
}

} // namespace

// While the item editor is open the launcher may neither open nor close, however
// asked; the flag's old value comes back after, also when it was already set.
TEST_F(IconItemTest, TheEditorCountsAsModalWhileItIsOpen)
{
    for (const bool before : {false, true}) {
        SCOPED_TRACE(before);
        ProbeIcon* item = Icon(nullptr, "edited", wxPoint(300, 400));
        ModalOpenFlag = before;
        bool during = false;
        wxTEST_DIALOG(EXPECT_FALSE(item->Edit()), ExpectEditor([&](IconSettingDialog&) {
                          during = ModalOpenFlag;
                          return wxID_CANCEL;
                      }));
        EXPECT_TRUE(during);
        EXPECT_EQ(ModalOpenFlag, before);
    }
    ModalOpenFlag = false;
}
