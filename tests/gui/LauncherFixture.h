// Shared ground of the launcher's gui tests: the build's theme and fonts, a
// hand-driven clock for the animators and the press timer, real pointer input
// through XTest, and an owner item standing where the tests expect it. Every
// input step waits until the toolkit has handled what it caused, and Settle
// until no animation runs: nothing waits for a time.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/eventfilter.h>
#include <wx/modalhook.h>
#include <wx/mstream.h>
#include <wx/testing.h>
#include <wx/toplevel.h>
#include <wx/utils.h>
#include <wx/xml/xml.h>

#include "AlertObject.h"
#include "BitmapManager.h"
#include "ButtonImpl.h"
#include "EditMenu.h"
#include "FontManager.h"
#include "IconSettingDialog.h"
#include "IconItem.h"
#include "Indicator.h"
#include "InfoPanel.h"
#include "LaunchWindow.h"
#include "ListItem.h"
#include "LogCapture.h"
#include "MenuImpl.h"
#include "NoticeObject.h"
#include "NotifyWindow.h"
#include "SystemPaths.h"
#include "TestSupport.h"
#include "TickTimer.h"
#include "WarningObject.h"
#include "WinFX.h"
#include "XClient.h"
#include "ZynUtils.h"
#include "zplat/Clock.h"

namespace zyntest {

// The item editor, answered by a function that may read and set its controls.
class ExpectEditor : public wxExpectModalBase<IconSettingDialog, ExpectEditor> {
public:
    explicit ExpectEditor(std::function<int(IconSettingDialog&)> answer) : answer(std::move(answer)) {}

protected:
    int OnInvoked(IconSettingDialog* dialog) const override { return answer(*dialog); }

private:
    std::function<int(IconSettingDialog&)> answer;
};

// The yes/no alert, answered at once.
class ExpectAlert : public wxExpectModalBase<AlertObject, ExpectAlert> {
public:
    explicit ExpectAlert(int answer) : answer(answer) {}

protected:
    int OnInvoked(AlertObject*) const override { return answer; }

private:
    int answer;
};

// "type[name name:type[...] ...]" for a menu's tree, built-in items marked with '*'.
inline std::string Describe(const MenuImpl* menu)
{
    std::string out = std::to_string(const_cast<MenuImpl*>(menu)->GetType()) + "[";
    for (size_t i = 0; i < menu->items.size(); ++i) {
        const ButtonImpl* item = menu->items[i];
        out += (i ? " " : "") + item->name.utf8_string() + (item->builtIn ? "*" : "");
        if (item->menu)
            out += ":" + Describe(item->menu);
    }
    return out + "]";
}

// A list menu's item element running command, then inner (such as a sub-menu).
inline std::string Row(const std::string& name, const std::string& inner = "", const std::string& type = "4",
                       const std::string& command = "true")
{
    return "<item><name>" + name + "</name><icon><normal/><hover/><press/></icon><action><type>" + type +
           "</type><command>" + command + "</command></action>" + inner + "</item>";
}

// An icon menu's item element with a description panel, then inner.
inline std::string Icon(const std::string& name, const std::string& inner = "")
{
    return "<item><name>" + name +
           "</name><icon><normal/><hover/><press/></icon><panel><type>1</type><descrip>d</descrip><image/></panel>" +
           inner + "</item>";
}

// Whether the warning notice is up.
inline bool WarningShown()
{
    for (wxWindow* w : wxTopLevelWindows)
        if (dynamic_cast<WarningObject*>(w) && w->IsShown())
            return true;
    return false;
}

// Counts the double clicks a window is sent while the counter lives: GTK reports
// the second of two presses at one spot within the double-click time only as one.
class DoubleClicks {
public:
    explicit DoubleClicks(wxWindow* window) : window(window) { window->Bind(wxEVT_LEFT_DCLICK, &DoubleClicks::On, this); }
    ~DoubleClicks() { window->Unbind(wxEVT_LEFT_DCLICK, &DoubleClicks::On, this); }
    int count = 0;

private:
    void On(wxMouseEvent& event)
    {
        ++count;
        event.Skip();
    }
    wxWindow* window;
};

// What the toolkit has handled of the pointer, whichever of our windows got it:
// where the last motion put the pointer, the presses and releases, and the window
// that holds the pointer while a button pressed on it is down.
class PointerLog : public wxEventFilter {
public:
    PointerLog() { wxEvtHandler::AddFilter(this); }
    ~PointerLog() override { wxEvtHandler::RemoveFilter(this); }
    PointerLog(const PointerLog&) = delete;
    PointerLog& operator=(const PointerLog&) = delete;

    int FilterEvent(wxEvent& event) override
    {
        const wxEventType type = event.GetEventType();
        const bool down = type == wxEVT_LEFT_DOWN || type == wxEVT_LEFT_DCLICK || type == wxEVT_RIGHT_DOWN ||
                          type == wxEVT_RIGHT_DCLICK || type == wxEVT_MIDDLE_DOWN || type == wxEVT_MIDDLE_DCLICK;
        const bool up = type == wxEVT_LEFT_UP || type == wxEVT_RIGHT_UP || type == wxEVT_MIDDLE_UP;
        const bool crossing = type == wxEVT_ENTER_WINDOW || type == wxEVT_LEAVE_WINDOW;
        if (!down && !up && !crossing && type != wxEVT_MOTION && type != wxEVT_MOUSEWHEEL)
            return Event_Skip;
        // Events a test makes itself come from no server.
        auto* window = dynamic_cast<wxWindow*>(event.GetEventObject());
        if (!window || event.GetTimestamp() == 0)
            return Event_Skip;
        wheels += type == wxEVT_MOUSEWHEEL;
        if (type == wxEVT_MOTION || crossing)
            moved = window->ClientToScreen(static_cast<wxMouseEvent&>(event).GetPosition());
        if (down) {
            ++downs;
            holder = wxGetTopLevelParent(window);
        }
        if (up) {
            ++ups;
            holder = nullptr;
        }
        return Event_Skip;
    }

    // The server gives the events of a held button to the window it went down on,
    // as long as that window stays on screen, and the toolkit passes them on while
    // the window is enabled.
    bool Held() const
    {
        for (const wxWindow* w : wxTopLevelWindows)
            if (w == holder)
                return Live(w);
        return false;
    }

    // Shown, enabled and not on its way out: the toolkit passes such a window its events.
    static bool Live(const wxWindow* w)
    {
        return w->IsShown() && w->IsEnabled() && !w->IsBeingDeleted() && !wxPendingDelete.Member(w);
    }

    wxPoint moved = wxDefaultPosition;
    int downs = 0;
    int ups = 0;
    int wheels = 0;
    wxWindow* holder = nullptr;
};

class LauncherTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        AppDir = wxString::FromUTF8(AppDirOfBuild());
        ASSERT_TRUE(BitmapManager::Initial());
        ASSERT_TRUE(FontManager::Initial());
    }
    static void TearDownTestSuite()
    {
        FontManager::Release();
        BitmapManager::BitmapStore.clear();
    }

    void SetUp() override
    {
        log = std::make_unique<LogCapture>();
        zplat::SetClock(&clock);
        PressInterval = 500;
        LockingModeFlag = false;
        ModalOpenFlag = false;
        AnimationDuration = 250;
        input.MoveTo(5, 5);
        Sync();
    }

    void TearDown() override
    {
        input.Button(1, false);
        input.Button(3, false);
        for (auto it = made.rbegin(); it != made.rend(); ++it)
            (*it)->Destroy();
        made.clear();
        Reap();
        if (PressTimer)
            PressTimer->Stop();
        zplat::SetClock(nullptr);
        // Errors a test expects are caught by a capture of its own.
        EXPECT_TRUE(log->Texts(wxLOG_Error).empty()) << log->Text();
        log.reset();
    }

    // A window the test destroys at its end (its sub-menus go with it).
    template <class T>
    T* Keep(T* window)
    {
        made.push_back(window);
        return window;
    }

    // An icon item standing at pos, shown, to own the menus under test.
    IconItem* Owner(const wxPoint& pos = wxPoint(300, 400))
    {
        IconItem* owner = Keep(new IconItem(nullptr, "Owner", pos, BitmapManager::System(SYMBOL_INFO),
                                            BitmapManager::System(BITMAP_BUTTON)));
        owner->ShowAt(pos, 255);
        owner->Show();
        Sync();
        return owner;
    }

    // Builds the owner's sub-menu from the text of a menu element.
    static MenuImpl* BuildFrom(Menuable* owner, const std::string& xml)
    {
        wxXmlDocument doc;
        wxMemoryInputStream in(xml.data(), xml.size());
        EXPECT_TRUE(doc.Load(in)) << xml;
        EXPECT_TRUE(owner->BuildMenu(doc.GetRoot())) << xml;
        return owner->menu;
    }

    static std::vector<int> Ys(const MenuImpl* menu)
    {
        std::vector<int> ys;
        for (const ButtonImpl* item : menu->items)
            ys.push_back(item->GetPosition().y);
        return ys;
    }
    static std::string Names(const MenuImpl* menu)
    {
        std::string names;
        for (const ButtonImpl* item : menu->items)
            names += (names.empty() ? "" : " ") + item->name.utf8_string();
        return names;
    }

    // Insert refuses index 0 and count + 1 with its log line, and a cancelled
    // editor (which is offered the new item's name) changes nothing.
    static void ExpectInsertRefusals(MenuImpl* menu, const wxString& offeredName)
    {
        const std::string before = Names(menu);
        {
            LogCapture log;
            EXPECT_FALSE(menu->Insert(0));
            EXPECT_FALSE(menu->Insert(menu->GetCount() + 1));
            EXPECT_EQ(log.Texts(wxLOG_Error),
                      std::vector<std::string>(2, "Cannot insert menu item, specified index is Invalid."));
        }
        wxString offered;
        wxTEST_DIALOG(EXPECT_FALSE(menu->Insert(1)), ExpectEditor([&](IconSettingDialog& d) {
                          offered = d.GetItemName();
                          d.SetItemName("ignored");
                          return wxID_CANCEL;
                      }));
        EXPECT_EQ(offered, offeredName);
        EXPECT_EQ(Names(menu), before);
    }

    // Long-presses item target of an icon or catalog menu, holds "Modify" until the
    // entries slide out, and answers a point on the entry of that label.
    wxPoint EditEntry(MenuImpl* menu, unsigned target, const std::string& label)
    {
        EditMenu* popup = menu->editMenu;
        Press(Spot(menu->GetItem(target)));
        LongPress();
        Release();
        Settle();
        Press(Spot(popup->modifyButton));
        LongPress();
        Release();
        Settle();
        for (ButtonImpl* entry : popup->items)
            if (entry->name == label)
                return Spot(entry);
        ADD_FAILURE() << label;
        return wxPoint();
    }

    // The marker of XClient::Sync: what the input and our own requests caused so far is handled.
    void Sync() { input.Sync(); }
    // Sync, and then the windows destroyed meanwhile are gone.
    void Reap()
    {
        Sync();
        EXPECT_TRUE(PumpUntil([] { return wxPendingDelete.IsEmpty(); })) << "the deferred destructions never ran";
    }

    // The animators of our windows and of the menus they own or stand in.
    static std::vector<WinFX*> Animators()
    {
        std::vector<WinFX*> all;
        const auto addMenu = [&all](MenuImpl* menu) {
            if (!menu)
                return;
            all.push_back(&menu->animator);
            if (menu->indicator)
                all.push_back(&menu->indicator->animator);
            if (auto* popup = dynamic_cast<EditMenu*>(menu))
                all.push_back(&popup->popupAnimator);
            if (menu->editMenu) {
                all.push_back(&menu->editMenu->animator);
                all.push_back(&menu->editMenu->popupAnimator);
            }
        };
        for (wxWindow* w : wxTopLevelWindows) {
            if (auto* item = dynamic_cast<Menuable*>(w)) {
                addMenu(item->menu);
                addMenu(item->parentMenu);
            }
            if (auto* indicator = dynamic_cast<Indicator*>(w))
                all.push_back(&indicator->animator);
            if (auto* panel = dynamic_cast<InfoPanel*>(w))
                all.push_back(&panel->animator);
            if (auto* launcher = dynamic_cast<LaunchWindow*>(w))
                all.push_back(&launcher->animator);
            if (auto* notice = dynamic_cast<NotifyPicture*>(w))
                all.push_back(&notice->animator);
        }
        return all;
    }
    static bool PastItsEnd(const WinFX* fx)
    {
        return fx->IsRunning() && static_cast<int32_t>(zplat::TickCount() - fx->startTick) >= fx->duration;
    }
    // Gives every animation past its end its last step now, as its timer would. In real
    // time an animation that follows an anchor started with or after the one that moves
    // the anchor, and ends after it: so it does here, whichever timer would fire first.
    static void FinishDue()
    {
        for (;;) {
            const std::vector<WinFX*> all = Animators();
            WinFX* next = nullptr;
            for (WinFX* fx : all) {
                if (!PastItsEnd(fx))
                    continue;
                const bool anchorMoves = fx->anchor && std::any_of(all.begin(), all.end(), [fx](const WinFX* other) {
                    return other != fx && PastItsEnd(other) &&
                           std::find(other->targets.begin(), other->targets.end(), fx->anchor) != other->targets.end();
                });
                if (!next || !anchorMoves)
                    next = fx;
                if (!anchorMoves)
                    break;
            }
            if (!next)
                return;
            next->Notify();
        }
    }
    // Whether something has its time up on the hand-driven clock and is still to
    // act on it: an animator past its end, or, when passed milliseconds went by
    // since they started, the press timer or a notice's time-out.
    static bool Due(int32_t passed)
    {
        for (const WinFX* fx : Animators())
            if (PastItsEnd(fx))
                return true;
        if (PressTimer && PressTimer->IsRunning() && PressInterval <= passed)
            return true;
        for (wxWindow* w : wxTopLevelWindows)
            if (const auto* notice = dynamic_cast<NoticeObject*>(w);
                notice && notice->hideTimer.IsRunning() && notice->timeoutMs <= passed)
                return true;
        return false;
    }
    // Whether an animator runs.
    static bool Animating()
    {
        for (const WinFX* fx : Animators())
            if (fx->IsRunning())
                return true;
        return false;
    }

    // Lets time pass on the hand-driven clock, a second each round (an animation
    // that starts when another ends takes the next round), and after each waits
    // until whatever had its time up has acted on it and the toolkit has nothing
    // left in hand.
    void Settle(int rounds = 3)
    {
        Sync();
        for (int i = 1; i <= rounds; ++i) {
            clock.Advance(1000);
            FinishDue();
            EXPECT_TRUE(PumpUntil([&] { return !Due(1000 * i); })) << "an animation or a timer never ended";
            Sync();
        }
    }

    // Runs the press timer out on the hand-driven clock. The press it times has been
    // handled already: Press waits for it.
    void LongPress()
    {
        clock.Advance(static_cast<uint32_t>(PressInterval) + 1);
        EXPECT_TRUE(PumpUntil([] { return !PressTimer->IsRunning(); })) << "the press timer never ran out";
        Sync();
    }

    static wxPoint Centre(const wxWindow* w) { return w->GetPosition() + wxPoint(w->GetSize().x / 2, w->GetSize().y / 2); }
    // A point 3 pixels beside the centre of w, 6 from the one before: GTK makes a press
    // within 5 pixels of the last one and its double-click time a double click; the
    // items take one as a press, and Spot keeps the tests' separate clicks plain.
    wxPoint Spot(const wxWindow* w)
    {
        spotSide = -spotSide;
        return Centre(w) + wxPoint(3 * spotSide, 0);
    }

    // Real pointer input. A step waits until the toolkit has handled the event it
    // sends one of our windows, and then for the marker of Sync; a step that sends
    // none (our windows see no motion without a button down) waits for the marker.
    // The window under p, or the one that gets a held button's events.
    const wxWindow* Under(const wxPoint& p) const
    {
        if (const wxWindow* holder = wxWindow::GetCapture() ? wxWindow::GetCapture() : pointer.Held() ? pointer.holder : nullptr)
            return holder;
        const wxWindow* w = wxFindWindowAtPoint(p);
        w = w ? wxGetTopLevelParent(const_cast<wxWindow*>(w)) : nullptr;
        return w && PointerLog::Live(w) ? w : nullptr;
    }
    wxPoint PointerAt()
    {
        wxPoint at;
        input.Pointer(at.x, at.y);
        return at;
    }
    void MoveTo(const wxPoint& p)
    {
        // The window that holds a button down sees every motion; otherwise only a
        // change of the window under the pointer is seen, as crossing events.
        const bool held = wxWindow::GetCapture() || pointer.Held();
        const bool expected = held || Under(PointerAt()) != Under(p);
        pointer.moved = wxDefaultPosition;
        input.MoveTo(p.x, p.y);
        const wxPoint at = PointerAt(); // the server keeps the pointer on the screen
        if (expected) {
            EXPECT_TRUE(PumpUntil([&] { return pointer.moved == at; }))
                << "the toolkit never saw the pointer at " << at.x << "," << at.y;
        }
        Sync();
    }
    void Press(const wxPoint& p, unsigned button = 1)
    {
        MoveTo(p);
        const int downs = pointer.downs;
        const bool ours = Under(p);
        input.Button(button, true);
        if (ours) {
            EXPECT_TRUE(PumpUntil([&] { return pointer.downs > downs; }))
                << "the toolkit never saw the press at " << p.x << "," << p.y;
        }
        Sync();
    }
    void Release(unsigned button = 1)
    {
        const int ups = pointer.ups;
        const bool ours = wxWindow::GetCapture() || pointer.Held();
        input.Button(button, false);
        if (ours) {
            EXPECT_TRUE(PumpUntil([&] { return pointer.ups > ups; })) << "the toolkit never saw the release";
        }
        Sync();
    }
    // One notch of the wheel (button 4 up, 5 down) where the pointer stands.
    void Wheel(unsigned button)
    {
        const int wheels = pointer.wheels;
        const bool ours = Under(PointerAt());
        input.Button(button, true);
        input.Button(button, false);
        if (ours) {
            EXPECT_TRUE(PumpUntil([&] { return pointer.wheels > wheels; })) << "the toolkit never saw the wheel";
        }
        Sync();
    }
    void Click(const wxPoint& p)
    {
        Press(p);
        Release();
    }

    static int TopLevelCount() { return static_cast<int>(wxTopLevelWindows.size()); }

    std::unique_ptr<LogCapture> log;
    FakeSound sound;
    zplat::ManualClock clock;
    XClient input;
    PointerLog pointer;
    std::vector<wxWindow*> made;
    int spotSide = 1;
};

} // namespace zyntest
