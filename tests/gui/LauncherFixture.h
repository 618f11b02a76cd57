// Shared ground of the launcher's gui tests: the build's theme and fonts, a
// hand-driven clock for the animators and the press timer, real pointer input
// through XTest, and an owner item standing where the tests expect it.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/modalhook.h>
#include <wx/mstream.h>
#include <wx/testing.h>
#include <wx/toplevel.h>
#include <wx/xml/xml.h>

#include "AlertObject.h"
#include "BitmapManager.h"
#include "ButtonImpl.h"
#include "EditMenu.h"
#include "FontManager.h"
#include "IconSettingDialog.h"
#include "IconItem.h"
#include "ListItem.h"
#include "LogCapture.h"
#include "MenuImpl.h"
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
        Pump(20);
    }

    void TearDown() override
    {
        input.Button(1, false);
        input.Button(3, false);
        for (auto it = made.rbegin(); it != made.rend(); ++it)
            (*it)->Destroy();
        made.clear();
        Pump(30); // the deferred destructions run
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
        Pump(20);
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

    static void Pump(int ms) { PumpUntil([] { return false; }, ms); }

    // Lets the animations of the hand-driven clock run to their end.
    void Settle(int rounds = 3)
    {
        for (int i = 0; i < rounds; ++i) {
            clock.Advance(1000);
            Pump(60);
        }
    }

    // Runs the press timer out on the hand-driven clock.
    void LongPress()
    {
        clock.Advance(static_cast<uint32_t>(PressInterval) + 1);
        PumpUntil([] { return !PressTimer->IsRunning(); }, 2000);
        Pump(20);
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

    // Real pointer input.
    void MoveTo(const wxPoint& p)
    {
        input.MoveTo(p.x, p.y);
        Pump(30);
    }
    void Press(const wxPoint& p, unsigned button = 1)
    {
        MoveTo(p);
        input.Button(button, true);
        Pump(40);
    }
    void Release(unsigned button = 1)
    {
        input.Button(button, false);
        Pump(40);
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
    std::vector<wxWindow*> made;
    int spotSide = 1;
};

} // namespace zyntest
