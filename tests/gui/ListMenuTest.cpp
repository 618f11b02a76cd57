// The list menu and its rows on a real X server, driven by real pointer input:
// opening beside the owner, clicks that run the pressed row, dragging and the
// wheel on long lists, long presses, and the edit pop-up over a row.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>

#include <wx/dialog.h>
#include <wx/filefn.h>
#include <wx/mstream.h>
#include <wx/testing.h>
#include <wx/tooltip.h>
#include <wx/utils.h>
#include <wx/window.h>
#include <wx/xml/xml.h>

#include "EditMenu.h"
#include "Indicator.h"
#include "LauncherFixture.h"
#include "ListItem.h"
#include "ListMenu.h"
#include "ModalDriver.h"
#include "ScreenProbe.h"
#include "SoundManager.h"
#include "TrayItem.h"

using zyntest::ExpectEditor;
using zyntest::LauncherTest;
using zyntest::LogCapture;
using zyntest::PumpUntil;
using zyntest::WarningShown;

namespace {

class ListMenuTest : public LauncherTest {
protected:
    // An owner at (300, 400) with a list of rows r1..rn whose commands touch a marker named after the row.
    ListMenu* List(int rows, IconItem** ownerOut = nullptr)
    {
        IconItem* owner = Owner();
        std::string xml = "<menu type='3'>";
        for (int k = 1; k <= rows; ++k)
            xml += "<item><name>r" + std::to_string(k) + "</name><icon><normal/><hover/><press/></icon><action><type>4</type>"
                   "<command>touch " + dir / ("r" + std::to_string(k)) + "</command></action></item>";
        if (ownerOut)
            *ownerOut = owner;
        return static_cast<ListMenu*>(BuildFrom(owner, xml + "</menu>"));
    }
    ListMenu* Open(int rows, IconItem** ownerOut = nullptr)
    {
        ListMenu* list = List(rows, ownerOut);
        EXPECT_TRUE(list->Show(true));
        Settle();
        return list;
    }
    bool Ran(int row) { return PumpUntil([&] { return wxFileExists(dir / ("r" + std::to_string(row))); }); }
    // A row's command starts while its release is handled, which the input steps wait
    // for: one that was started has left its file or is still a child of ours.
    bool RanNothing()
    {
        Sync();
        for (int k = 1; k <= 10; ++k)
            if (wxFileExists(dir / ("r" + std::to_string(k))))
                return false;
        return !ChildNamed("touch");
    }
    // Whether a process of that name is our child, running or ended and not yet reaped.
    static bool ChildNamed(const std::string& name)
    {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator("/proc", ec)) {
            // "pid (name) state ppid ..."
            const std::string stat = zyntest::ReadFile(entry.path().string() + "/stat");
            const size_t open = stat.find('(');
            const size_t close = stat.rfind(')');
            if (open == std::string::npos || close == std::string::npos || close < open ||
                stat.substr(open + 1, close - open - 1) != name)
                continue;
            std::istringstream rest(stat.substr(close + 1));
            char state = 0;
            pid_t parent = 0;
            if (rest >> state >> parent && parent == getpid())
                return true;
        }
        return false;
    }
    static std::vector<int> Pitched(int first, int count)
    {
        std::vector<int> ys;
        for (int k = 0; k < count; ++k)
            ys.push_back(first + 50 * k);
        return ys;
    }

    zyntest::TempDir dir;
};

TEST_F(ListMenuTest, OpensCentredBesideItsOwner)
{
    IconItem* owner = nullptr;
    ListMenu* list = List(3, &owner);
    EXPECT_EQ(list->GetType(), MENU_TYPE_LIST);
    EXPECT_TRUE(list->NeedsIndicator());
    EXPECT_EQ(list->columnHeight, 150);
    sound.Reset();
    ASSERT_TRUE(list->Show(true));
    EXPECT_EQ(sound.Count(SOUND_LIST_OPEN), 1);
    EXPECT_FALSE(list->Show(true));
    Settle();
    // Right of the owner past the indicator; centred on the owner's middle row 430.
    for (const ButtonImpl* row : list->items) {
        EXPECT_EQ(row->GetPosition().x, 300 + 60 + 6 + 25);
        EXPECT_TRUE(row->IsShown());
    }
    EXPECT_EQ(Ys(list), Pitched(400 - 46, 3));

    ASSERT_TRUE(list->Show(false));
    EXPECT_FALSE(list->Show(false));
    Settle();
    for (const ButtonImpl* row : list->items)
        EXPECT_FALSE(row->IsShown());

    owner->Hide();
    EXPECT_FALSE(list->Show(true));
    EXPECT_FALSE(list->shown);
}

TEST_F(ListMenuTest, ClickRunsThePressedRowWhereverItIsReleased)
{
    ListMenu* list = Open(3);
    Click(Centre(list->GetItem(2)));
    EXPECT_TRUE(Ran(2));
    Press(Centre(list->GetItem(1)));
    MoveTo(Centre(list->GetItem(3)));
    Release();
    EXPECT_TRUE(Ran(1));
    EXPECT_FALSE(wxFileExists(dir / "r3"));
    EXPECT_EQ(wxWindow::GetCapture(), nullptr);
}

// A row whose action holds a box is disabled meanwhile and never hears the pointer
// leave: once the box is closed it shows its plain face, not the hover one.
TEST_F(ListMenuTest, ARowLeftWhileItsBoxWasUpShowsItsPlainFace)
{
    ListMenu* list = Open(2);
    ButtonImpl* row = list->GetItem(1);
    row->SetAction(ACTION_ABOUT, "");
    const wxPoint away = Centre(list->GetItem(2)) + wxPoint(0, 300);
    bool closed = false;
    int turns = 0;
    zyntest::Driving(
        [&] {
            Click(Spot(row));
            PumpUntil([&] { return closed; }, 5000);
        },
        {// The pointer leaves while the box is up, and the box stays a while (ten more
         // steps of the driver) for the events of the move to arrive.
         {[&](zyntest::XClient& x) { x.MoveTo(away.x, away.y); },
          [&] { return wxGetMousePosition() == away && ++turns > 10; }},
         {[&](zyntest::XClient&) {
              if (wxDialog* box = zyntest::ActiveDialog()) {
                  box->EndModal(wxID_OK);
                  closed = true;
              }
          },
          {}}});
    ASSERT_TRUE(closed);
    Sync();
    EXPECT_EQ(row->state, ITEM_STATE_NORMAL);
    EXPECT_EQ(list->GetItem(2)->state, ITEM_STATE_NORMAL);
}

TEST_F(ListMenuTest, QuickSecondClickAtTheSameSpotRunsTheRowAgain)
{
    ListMenu* list = Open(3);
    ButtonImpl* row = list->GetItem(2);
    zyntest::DoubleClicks doubles(row);
    Click(Centre(row));
    ASSERT_TRUE(Ran(2));
    ASSERT_TRUE(wxRemoveFile(dir / "r2"));
    Click(Centre(row));
    ASSERT_EQ(doubles.count, 1);
    EXPECT_TRUE(Ran(2));
    EXPECT_EQ(wxWindow::GetCapture(), nullptr);
}

TEST_F(ListMenuTest, FiveRowsNeitherDragNorScroll)
{
    ListMenu* list = Open(5);
    const std::vector<int> before = Ys(list);
    Press(Centre(list->GetItem(3)));
    MoveTo(Centre(list->GetItem(3)) + wxPoint(0, 40));
    Release();
    EXPECT_EQ(Ys(list), before);
    EXPECT_TRUE(Ran(3)); // no drag began, so the release ran the row
    // The rows never see the move either: it does not cancel a long press.
    Press(Centre(list->GetItem(4)));
    MoveTo(Centre(list->GetItem(4)) + wxPoint(0, 40));
    LongPress();
    EXPECT_TRUE(list->editMenu->shown);
    EXPECT_EQ(list->editMenu->target, list->GetItem(4));
    Release();
    Settle();
    list->editMenu->Show(false);
    Settle();
    MoveTo(Centre(list->GetItem(2)));
    input.Button(5, true);
    input.Button(5, false);
    Settle();
    EXPECT_EQ(Ys(list), before);
}

// Eight rows (400 high) centred on row 430: the list may scroll between 160 and 300.
TEST_F(ListMenuTest, LongListsDragWithinTheBand)
{
    ListMenu* list = Open(8);
    EXPECT_EQ(Ys(list), Pitched(229, 8));
    const wxPoint grip = Centre(list->GetItem(4));
    Press(grip);
    MoveTo(grip + wxPoint(0, 5)); // within the threshold
    EXPECT_EQ(Ys(list), Pitched(229, 8));
    MoveTo(grip + wxPoint(0, 30));
    EXPECT_TRUE(PumpUntil([&] { return Ys(list) == Pitched(259, 8); })) << Ys(list)[0];
    MoveTo(grip + wxPoint(0, 200)); // the start may not sink below 300
    EXPECT_TRUE(PumpUntil([&] { return Ys(list) == Pitched(300, 8); })) << Ys(list)[0];
    MoveTo(grip + wxPoint(0, -300)); // the end may not rise above 560
    EXPECT_TRUE(PumpUntil([&] { return Ys(list) == Pitched(160, 8); })) << Ys(list)[0];
    Release();
    EXPECT_TRUE(RanNothing());
    // Rows past the band are hidden, rows across its edges faded and clipped at their far edge.
    EXPECT_FALSE(list->GetItem(1)->IsShown());
    EXPECT_TRUE(list->GetItem(8)->IsShown());
}

TEST_F(ListMenuTest, WheelMovesALongListOneOwnerHeightPerNotch)
{
    ListMenu* list = Open(8);
    MoveTo(Centre(list->GetItem(4)));
    Wheel(4);
    Settle();
    EXPECT_EQ(Ys(list), Pitched(289, 8));
    MoveTo(Centre(list->GetItem(5)));
    for (int notch = 0; notch < 3; ++notch) {
        Wheel(5);
        Settle();
    }
    EXPECT_EQ(Ys(list), Pitched(160, 8)); // 229 and 169 by the step, then held at the limit
}

TEST_F(ListMenuTest, ShortPressMovingLittleRunsALongListRow)
{
    ListMenu* list = Open(6);
    const wxPoint grip = Centre(list->GetItem(3));
    Press(grip);
    MoveTo(grip + wxPoint(0, 5));
    Release();
    EXPECT_TRUE(Ran(3));
}

TEST_F(ListMenuTest, LongPressOpensThePopUpOverTheRow)
{
    ListMenu* list = Open(3);
    ButtonImpl* row = list->GetItem(2);
    Press(Centre(row));
    LongPress();
    EXPECT_TRUE(list->editMenu->shown);
    EXPECT_EQ(list->editMenu->target, row);
    EXPECT_EQ(list->selected, row);
    EXPECT_TRUE(row->editTarget);
    EXPECT_FALSE(row->IsEnabled());
    EXPECT_EQ(wxWindow::GetCapture(), nullptr); // a disabled row would never see the release
    Release();
    EXPECT_TRUE(RanNothing());
    Settle();
    // The entries slid over the row: the first stands at the row's icon.
    EditMenu* popup = list->editMenu;
    EXPECT_EQ(popup->GetItem(1)->GetPosition().x, row->GetPosition().x + 15);
    for (const ButtonImpl* entry : popup->items) {
        EXPECT_TRUE(entry->IsShown());
        // Each entry names itself in a tip; the spacer has nothing to say.
        const wxToolTip* tip = entry->GetToolTip();
        EXPECT_EQ(tip ? tip->GetTip() : wxString(), entry->actionType == 0 ? wxString() : entry->name) << entry->name;
    }
    EXPECT_TRUE(popup->GetItem(1)->builtIn);

    // A click elsewhere on the list closes the pop-up and gives the row back.
    Click(Centre(list->GetItem(3)));
    EXPECT_TRUE(Ran(3));
    EXPECT_FALSE(popup->shown);
    EXPECT_TRUE(row->IsEnabled());
    EXPECT_FALSE(row->editTarget);
}

TEST_F(ListMenuTest, LongPressOnABuiltInRowWarnsAndLockedLongPressDoesNothing)
{
    ListMenu* list = Open(3);
    list->Append("HP Bar", ACTION_PLUGIN, "HP Bar", ICON_HELP);
    ASSERT_TRUE(list->Show(false));
    Settle();
    ASSERT_TRUE(list->Show(true));
    Settle();
    Press(Centre(list->GetItem(4)));
    LongPress();
    EXPECT_TRUE(WarningShown());
    EXPECT_FALSE(list->editMenu->shown);
    Release();
    Settle();

    LockingModeFlag = true;
    Press(Centre(list->GetItem(1)));
    LongPress();
    EXPECT_FALSE(WarningShown());
    EXPECT_FALSE(list->editMenu->shown);
    Release();
    EXPECT_TRUE(Ran(1)); // locked: the release still runs the row
}

TEST_F(ListMenuTest, DeleteRefusesWithTheWarning)
{
    ListMenu* list = Open(2);
    list->Append("Option", ACTION_PREFERENCE, "", ICON_OPTION);
    for (unsigned index : {0u, 3u, 4u}) {
        EXPECT_FALSE(list->Delete(index)) << index;
        EXPECT_TRUE(WarningShown()) << index;
        Settle();
    }
    EXPECT_TRUE(list->Delete(1));
    EXPECT_EQ(list->GetCount(), 2u);
    EXPECT_EQ(list->columnHeight, 100);
    ListMenu* single = Open(1);
    EXPECT_FALSE(single->Delete(1));
    EXPECT_TRUE(WarningShown());
    EXPECT_EQ(single->GetCount(), 1u);
}

TEST_F(ListMenuTest, InsertEditsANewRowAndPutsItBeforeTheIndex)
{
    ListMenu* list = Open(3);
    ExpectInsertRefusals(list, "Icon 4");

    const int firstY = list->GetItem(1)->GetPosition().y;
    wxTEST_DIALOG(EXPECT_TRUE(list->Insert(1)), ExpectEditor([&](IconSettingDialog& d) {
                      d.SetItemName("fresh");
                      return wxID_OK;
                  }));
    EXPECT_EQ(list->GetCount(), 4u);
    EXPECT_EQ(list->GetItem(1)->name, "fresh");
    EXPECT_EQ(list->GetItem(2)->name, "r1");
    EXPECT_TRUE(list->GetItem(1)->IsShown());
    // Four rows are re-centred on the owner, the new one first.
    EXPECT_EQ(Ys(list), Pitched(400 + (58 - 200) / 2, 4));
    EXPECT_NE(firstY, list->GetItem(1)->GetPosition().y);
    EXPECT_EQ(list->columnHeight, 200);
    EXPECT_EQ(list->animator.targets[0], static_cast<Animatable*>(list->GetItem(1)));
}

TEST_F(ListMenuTest, PopUpEntriesModifyAddAndRemoveTheRow)
{
    ListMenu* list = Open(3);
    EditMenu* popup = list->editMenu;
    auto longPress = [&](unsigned index) {
        Press(Centre(list->GetItem(index)));
        LongPress();
        Release();
        Settle();
        ASSERT_TRUE(popup->shown);
    };

    longPress(2);
    wxString edited;
    wxTEST_DIALOG(Click(Centre(popup->GetItem(1))), ExpectEditor([&](IconSettingDialog& d) {
                      edited = d.GetItemName();
                      d.SetItemName("renamed");
                      return wxID_OK;
                  }));
    EXPECT_EQ(edited, "r2");
    EXPECT_EQ(list->GetItem(2)->name, "renamed");
    EXPECT_FALSE(popup->shown);
    Settle();

    longPress(2);
    wxTEST_DIALOG(Click(Centre(popup->GetItem(2))), ExpectEditor([](IconSettingDialog& d) {
                      d.SetItemName("added");
                      return wxID_OK;
                  }));
    EXPECT_EQ(list->GetItem(2)->name, "added");
    EXPECT_EQ(list->GetItem(3)->name, "renamed");
    Settle();

    longPress(3);
    Click(Centre(popup->GetItem(3))); // the spacer does nothing
    EXPECT_TRUE(popup->shown);
    Click(Centre(popup->GetItem(4)));
    EXPECT_FALSE(popup->shown); // removing a row always hides the pop-up
    EXPECT_EQ(list->GetCount(), 3u);
    EXPECT_EQ(list->GetItem(3)->name, "r3");
    Settle();
    EXPECT_EQ(Ys(list), Pitched(400 - 46, 3));
}

} // namespace

namespace {

TEST_F(ListMenuTest, RowsReadTheirActionAndKeepWidgetSwitches)
{
    struct Case {
        std::string type;
        int action;
        bool error;
    };
    const std::vector<Case> cases = {{"4", 4, false}, {"0", 0, false}, {"2000", 2000, false}, {"7", 0, true},
                                     {"-1", 0, true}, {"1000", 0, true}, {"x", 0, false}};
    for (const Case& c : cases) {
        const std::string xml = "<item><name>n</name><icon><normal/><hover/><press/></icon><action><type>" + c.type +
                                "</type><command>HP Bar</command></action></item>";
        wxXmlDocument doc;
        wxMemoryInputStream in(xml.data(), xml.size());
        ASSERT_TRUE(doc.Load(in));
        LogCapture log;
        ListItem* row = Keep(new ListItem(nullptr, doc.GetRoot()));
        EXPECT_EQ(row->actionType, c.action) << c.type;
        EXPECT_EQ(row->command, "HP Bar") << c.type;
        EXPECT_EQ(log.Contains("Error parsing xml, invalid action type value."), c.error) << c.type;
        std::unique_ptr<wxXmlNode> back(row->GetNode());
        EXPECT_EQ(back->GetChildren()->GetNext()->GetNext()->GetChildren()->GetNodeContent(),
                  wxString::Format("%d", c.action));
    }
}

TEST_F(ListMenuTest, RowWithoutActionRunsNothingAndBuiltInRowsAreNotWritten)
{
    ListItem* row = Keep(new ListItem(nullptr, "plain", wxPoint(100, 100), BitmapManager::System(ICON_HELP),
                                      BitmapManager::System(BITMAP_LIST)));
    EXPECT_FALSE(row->Run());
    EXPECT_EQ(row->state, ITEM_STATE_HOVER);
    row->builtIn = true;
    EXPECT_EQ(row->GetNode(), nullptr);
    ModalOpenFlag = true;
    wxMouseEvent up(wxEVT_LEFT_UP);
    row->state = ITEM_STATE_PRESSED;
    row->OnLeftUp(up);
    EXPECT_EQ(row->state, ITEM_STATE_PRESSED);
}

} // namespace

namespace {

// An opaque pixel of a face, away from its text, that the screen must show where the row stands.
bool OpaquePixel(const Picture& face, wxPoint& at)
{
    for (at.y = face.GetHeight() / 2; at.y < face.GetHeight(); ++at.y)
        for (at.x = 3; at.x < 14; ++at.x)
            if (face.GetPixel(at.x, at.y) >> 24 == 0xFF)
                return true;
    return false;
}

// A list costs nothing until it is used: before its first opening no row has
// composed a face or owns a window on the X server, yet each has its size for the
// layout; opening makes the normal faces and windows of the rows that come into
// the band only, and a row makes its hover face when the pointer first enters it.
TEST_F(ListMenuTest, RowsMakeTheirFacesAndWindowsOnlyWhenUsed)
{
    zyntest::ScreenProbe probe;
    ASSERT_TRUE(probe.IsOk());
    ListMenu* list = List(12);
    auto row = [&](unsigned k) { return static_cast<ListItem*>(list->GetItem(k)); };
    for (unsigned k = 1; k <= 12; ++k) {
        SCOPED_TRACE(k);
        EXPECT_FALSE(row(k)->frames[0].IsOk() || row(k)->frames[1].IsOk() || row(k)->frames[2].IsOk());
        EXPECT_EQ(probe.TopLevelOf(row(k)), 0u);
        EXPECT_EQ(row(k)->GetSize(), wxSize(200, 52));
    }

    ASSERT_TRUE(list->Show(true));
    Settle();
    ListItem* shown = nullptr;
    for (unsigned k = 1; k <= 12; ++k) {
        SCOPED_TRACE(k);
        if (!row(k)->IsShown())
            continue;
        if (!shown && row(k)->fade.place == EdgeFade::Inside)
            shown = row(k);
        EXPECT_TRUE(row(k)->frames[0].IsOk());
        EXPECT_NE(probe.TopLevelOf(row(k)), 0u);
        EXPECT_FALSE(row(k)->frames[1].IsOk() || row(k)->frames[2].IsOk());
    }
    ASSERT_NE(shown, nullptr);
    // The last rows slide up from below to places below the band: never in it.
    for (unsigned k = 11; k <= 12; ++k) {
        SCOPED_TRACE(k);
        EXPECT_FALSE(row(k)->IsShown());
        EXPECT_FALSE(row(k)->frames[0].IsOk());
        EXPECT_EQ(probe.TopLevelOf(row(k)), 0u);
    }

    MoveTo(shown->GetScreenRect().GetPosition() + wxPoint(100, 26));
    ASSERT_TRUE(PumpUntil([&] { return shown->state == ITEM_STATE_HOVER; }, 2000));
    EXPECT_TRUE(shown->frames[1].IsOk());
    EXPECT_FALSE(shown->frames[2].IsOk());
}

TEST_F(ListMenuTest, RowsAppearOnScreenAndGoAway)
{
    zyntest::ScreenProbe probe;
    ASSERT_TRUE(probe.IsOk());
    ListMenu* list = Open(3);
    ListItem* row = static_cast<ListItem*>(list->GetItem(2));
    row->FaceOf(ITEM_STATE_NORMAL);
    wxPoint inFace;
    ASSERT_TRUE(OpaquePixel(row->frames[0], inFace));
    const uint32_t rgb = row->frames[0].GetPixel(inFace.x, inFace.y) & 0xFFFFFF;
    const wxPoint onScreen = row->GetPosition() + inFace;
    EXPECT_TRUE(PumpUntil([&] { return zyntest::NearRgb(probe.Pixel(onScreen.x, onScreen.y), rgb); }))
        << std::hex << probe.Pixel(onScreen.x, onScreen.y) << " " << rgb;
    ASSERT_TRUE(list->Show(false));
    Settle();
    EXPECT_TRUE(PumpUntil([&] { return !zyntest::NearRgb(probe.Pixel(onScreen.x, onScreen.y), rgb); }));
}

} // namespace

namespace {

// A list that is not shown keeps its rows off the screen, whatever edits it.
class HiddenListTest : public ListMenuTest {};

TEST_F(HiddenListTest, EditsNeverMapTheRowsOfAHiddenList)
{
    ListMenu* list = Open(3);
    ASSERT_TRUE(list->Show(false));
    Settle();
    const auto anyShown = [&] {
        for (const ButtonImpl* row : list->items)
            if (row->IsShown())
                return true;
        return false;
    };
    ASSERT_FALSE(anyShown());
    wxTEST_DIALOG(EXPECT_TRUE(list->Insert(1)), ExpectEditor([](IconSettingDialog& d) {
                      d.SetItemName("added");
                      return wxID_OK;
                  }));
    EXPECT_EQ(list->GetCount(), 4u);
    EXPECT_FALSE(anyShown()) << "an accepted edit mapped a row of a hidden list";
    list->GetItem(2)->SetIcons(zyntest::IconPaths("Images/launcher/globe_normal.png", "", ""));
    EXPECT_TRUE(list->Delete(4));
    EXPECT_FALSE(anyShown());
    // Shown again, every row comes back.
    ASSERT_TRUE(list->Show(true));
    Settle();
    EXPECT_TRUE(list->GetItem(1)->IsShown());
}

} // namespace
