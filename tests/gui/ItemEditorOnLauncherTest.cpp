// The real item editor opened by a launcher row over a full-screen themed
// window (as the launcher is): it stands above it, takes the pointer and the
// keyboard, and what the user enters reaches the row.
#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/display.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/textdlg.h>
#include <wx/toolbar.h>

#include "ActionOptionPanel.h"
#include "IconSettingDialog.h"
#include "LauncherFixture.h"
#include "ListItem.h"
#include "ModalDriver.h"
#include "Picture.h"
#include "ScreenProbe.h"
#include "ZynObject.h"

namespace {

using zyntest::LauncherTest;

IconSettingDialog* Editor()
{
    return zyntest::ActiveDialog<IconSettingDialog>();
}

// A control of the open editor's action page.
template <class T>
zyntest::Target ActionControl(T* ActionOptionPanel::*member)
{
    return [member]() -> wxWindow* { return Editor() ? Editor()->PanelAction->*member : nullptr; };
}

// The text box of the open command prompt.
wxTextCtrl* PromptText()
{
    wxTextEntryDialog* prompt = zyntest::ActiveDialog<wxTextEntryDialog>();
    if (!prompt)
        return nullptr;
    for (wxWindow* child : prompt->GetChildren())
        if (wxTextCtrl* text = dynamic_cast<wxTextCtrl*>(child))
            return text;
    return nullptr;
}

TEST_F(LauncherTest, RealEditorStandsAboveTheLauncherAndTakesTheUsersInput)
{
    const wxRect screen = wxDisplay(0u).GetGeometry();
    StaticObject* launcher =
        Keep(new StaticObject(nullptr, "Launcher", screen.GetPosition(), Picture(screen.width, screen.height, 0xC0102030)));
    launcher->Show();
    ListItem* row = Keep(new ListItem(launcher, "Terminal", wxPoint(300, 300), BitmapManager::System(ICON_HELP),
                                      BitmapManager::System(BITMAP_LIST)));
    row->ShowAt(wxPoint(300, 300), 255);
    row->Show();
    Sync();

    zyntest::ScreenProbe probe;
    bool above = false;
    auto editorOpen = [&] { return Editor() != nullptr; };
    bool accepted = false;
    zyntest::Driving([&] { accepted = row->Edit(); },
                     {
                         {[](zyntest::XClient&) {}, [&] { return Editor() && (above = probe.IsAbove(Editor(), launcher)); }},
                         zyntest::Focus([]() -> wxWindow* { return Editor() ? Editor()->TextCtrlName : nullptr; }),
                         zyntest::Type([]() -> wxTextCtrl* { return Editor() ? Editor()->TextCtrlName : nullptr; }, "shell"),
                         zyntest::Click(ActionControl(&ActionOptionPanel::CheckBoxAction),
                                        [] { return Editor() && Editor()->PanelAction->CheckBoxAction->GetValue(); }),
                         zyntest::Click(ActionControl(&ActionOptionPanel::RadioButtonCommand),
                                        [] { return Editor() && Editor()->GetActionType() == 4; }),
                         zyntest::Click(ActionControl(&ActionOptionPanel::ButtonDetail), [] { return PromptText() != nullptr; }),
                         zyntest::Focus(zyntest::Target(PromptText)),
                         zyntest::Type(std::function<wxTextCtrl*()>(PromptText), "xterm"),
                         zyntest::Click(
                             []() -> wxWindow* {
                                 wxTextEntryDialog* prompt = zyntest::ActiveDialog<wxTextEntryDialog>();
                                 return prompt ? prompt->FindWindow(wxID_OK) : nullptr;
                             },
                             [&] { return editorOpen() && Editor()->GetActionCommand() == "xterm"; }),
                         zyntest::Click(zyntest::Target([]() -> wxWindow* { return Editor() ? Editor()->ToolBarBottom : nullptr; }), {}, 20),
                     });
    EXPECT_TRUE(above) << "the editor is not above the full-screen window";
    EXPECT_TRUE(accepted);
    EXPECT_EQ(row->name, "shell");
    EXPECT_EQ(row->actionType, 4);
    EXPECT_EQ(row->command, "xterm");
}

} // namespace
