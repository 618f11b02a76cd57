// The item editor's prompts and choosers, answered through the toolkit's modal
// dialog hooks: what each one is shown, and what its answer does to the editor.
#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/filepicker.h>
#include <wx/frame.h>
#include <wx/modalhook.h>
#include <wx/radiobut.h>
#include <wx/testing.h>
#include <wx/textctrl.h>
#include <wx/textdlg.h>
#include <wx/tokenzr.h>

#include "ActionOptionPanel.h"
#include "IconPickerDialog.h"
#include "IconSettingDialog.h"
#include "ModalDriver.h"
#include "TestSupport.h"

namespace {

// A text prompt: records what it showed and whether it was multi-line, then
// answers with id (and the text, on wxID_OK).
class ExpectTextEntry : public wxExpectModalBase<wxTextEntryDialog, ExpectTextEntry> {
public:
    struct Seen {
        wxString text;
        bool multiLine = false;
    };
    ExpectTextEntry(Seen* seen, int id, const wxString& answer = wxString()) : seen(seen), id(id), answer(answer) {}

protected:
    int OnInvoked(wxTextEntryDialog* dialog) const override
    {
        seen->text = dialog->GetValue();
        for (wxWindow* child : dialog->GetChildren())
            if (wxTextCtrl* text = dynamic_cast<wxTextCtrl*>(child))
                seen->multiLine = text->IsMultiLine();
        if (id == wxID_OK)
            dialog->SetValue(answer);
        return id;
    }

private:
    Seen* seen;
    int id;
    wxString answer;
};

class ExpectDirectory : public wxExpectModalBase<wxDirDialog, ExpectDirectory> {
public:
    ExpectDirectory(const wxString& path, int id) : path(path), id(id) {}

protected:
    int OnInvoked(wxDirDialog* dialog) const override
    {
        // The GTK folder chooser reports a folder only through its accept path.
        dialog->SetPath(path);
        if (id == wxID_OK) {
            zyntest::PumpUntil([&] {
                dialog->GTKOnAccept();
                return dialog->GetPath() == path;
            }, 3000);
        }
        return id;
    }

private:
    wxString path;
    int id;
};

class ExpectFile : public wxExpectModalBase<wxFileDialog, ExpectFile> {
public:
    ExpectFile(const wxString& path, int id) : path(path), id(id) {}

protected:
    int OnInvoked(wxFileDialog* dialog) const override
    {
        dialog->SetPath(path);
        zyntest::PumpUntil([&] { return dialog->GetPath() == path; });
        return id;
    }

private:
    wxString path;
    int id;
};

// Counts every modal dialog and cancels it.
class CountingHook : public wxModalDialogHook {
public:
    CountingHook() { Register(); }
    ~CountingHook() override { Unregister(); }
    int shown = 0;

protected:
    int Enter(wxDialog*) override
    {
        ++shown;
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

void Press(wxButton* button)
{
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
}

// A list item's editor preset with an action, as the launcher presets it.
struct ListEditor {
    IconSettingDialog dialog{nullptr, IconSettingDialog::ITEM_KIND_LIST};
    ListEditor(int type, const wxString& command)
    {
        dialog.SetActionType(type);
        dialog.SetActionCommand(command);
        dialog.EnableOptionPanels(true);
    }
    void Browse() { Press(dialog.PanelAction->ButtonDetail); }
    wxString Command() { return dialog.GetActionCommand(); }
};

TEST(ItemEditorPrompts, CommandPromptShowsTheCurrentCommandOkReplacesItCancelKeepsIt)
{
    ListEditor editor(4, "ls -l");
    ExpectTextEntry::Seen seen;
    wxTEST_DIALOG(editor.Browse(), ExpectTextEntry(&seen, wxID_OK, "ls -la\n/tmp"));
    EXPECT_EQ(seen.text, "ls -l");
    EXPECT_TRUE(seen.multiLine);
    EXPECT_EQ(editor.Command(), "ls -la\n/tmp");

    wxTEST_DIALOG(editor.Browse(), ExpectTextEntry(&seen, wxID_CANCEL));
    EXPECT_EQ(seen.text, "ls -la\n/tmp");
    EXPECT_EQ(editor.Command(), "ls -la\n/tmp");

    // Confirming an empty prompt empties the command.
    wxTEST_DIALOG(editor.Browse(), ExpectTextEntry(&seen, wxID_OK, ""));
    EXPECT_EQ(editor.Command(), "");
}

TEST(ItemEditorPrompts, UrlPromptStartsWithHttpAndKeepsItsOwnText)
{
    ListEditor editor(3, "mailto:someone@example.org");
    ExpectTextEntry::Seen seen;
    wxTEST_DIALOG(editor.Browse(), ExpectTextEntry(&seen, wxID_CANCEL));
    EXPECT_EQ(seen.text, "http://");
    EXPECT_FALSE(seen.multiLine);
    EXPECT_EQ(editor.Command(), "mailto:someone@example.org");

    wxTEST_DIALOG(editor.Browse(), ExpectTextEntry(&seen, wxID_OK, "http://example.org/"));
    EXPECT_EQ(editor.Command(), "http://example.org/");
    wxTEST_DIALOG(editor.Browse(), ExpectTextEntry(&seen, wxID_CANCEL));
    EXPECT_EQ(seen.text, "http://example.org/");
}

TEST(ItemEditorPrompts, ProgramAndFolderChoosersFillTheCommandOnlyOnOk)
{
    ListEditor program(1, "old");
    wxTEST_DIALOG(program.Browse(), ExpectFile("/usr/bin/env", wxID_CANCEL));
    EXPECT_EQ(program.Command(), "old");
    wxTEST_DIALOG(program.Browse(), ExpectFile("/usr/bin/env", wxID_OK));
    EXPECT_EQ(program.Command(), "/usr/bin/env");

    ListEditor folder(2, "old");
    wxTEST_DIALOG(folder.Browse(), ExpectDirectory("/usr/share", wxID_CANCEL));
    EXPECT_EQ(folder.Command(), "old");
    wxTEST_DIALOG(folder.Browse(), ExpectDirectory("/usr/share", wxID_OK));
    EXPECT_EQ(folder.Command(), "/usr/share");
}

TEST(ItemEditorPrompts, ProgramChooserOffersEveryFileFirst)
{
    ListEditor editor(1, "");
    const wxString wildcard = editor.dialog.PanelAction->FileDialogProgram->GetWildcard();
    wxStringTokenizer parts(wildcard, "|");
    parts.GetNextToken();
    EXPECT_EQ(parts.GetNextToken(), "*");
    EXPECT_NE(wildcard.Find("*.desktop"), wxNOT_FOUND);
    EXPECT_NE(wildcard.Find("*.sh"), wxNOT_FOUND);
}

TEST(ItemEditorPrompts, PluginActionOpensNothing)
{
    ListEditor editor(2000, "HPBar");
    EXPECT_TRUE(editor.dialog.PanelAction->RadioButtonPlugin->GetValue());
    EXPECT_FALSE(editor.dialog.PanelAction->RadioButtonPlugin->IsEnabled());
    CountingHook hook;
    editor.Browse();
    EXPECT_EQ(hook.shown, 0);
    EXPECT_EQ(editor.Command(), "HPBar");
    EXPECT_EQ(editor.dialog.GetActionType(), 2000);
}

// The prompts belong to the editor: none of its windows outlives it, whether it
// stands alone or over a shown window of the program, as over the launcher.
TEST(ItemEditorPrompts, EveryPromptGoesWithTheEditor)
{
    wxFrame owner(nullptr, wxID_ANY, "owner");
    owner.Show();
    zyntest::PumpUntil([&] { return owner.IsShownOnScreen(); });
    for (wxWindow* parent : {static_cast<wxWindow*>(nullptr), static_cast<wxWindow*>(&owner)}) {
        const size_t before = wxTopLevelWindows.size();
        for (int round = 0; round < 2; ++round) {
            IconSettingDialog dialog(parent, IconSettingDialog::ITEM_KIND_LIST);
            ExpectTextEntry::Seen seen;
            auto browse = [&](int type) {
                dialog.SetActionType(type);
                dialog.EnableOptionPanels(true);
                Press(dialog.PanelAction->ButtonDetail);
            };
            wxTEST_DIALOG(browse(1), ExpectFile("/usr/bin/env", wxID_CANCEL));
            wxTEST_DIALOG(browse(2), ExpectDirectory("/usr/share", wxID_CANCEL));
            wxTEST_DIALOG(browse(3), ExpectTextEntry(&seen, wxID_CANCEL));
            wxTEST_DIALOG(browse(4), ExpectTextEntry(&seen, wxID_CANCEL));
        }
        zyntest::PumpUntil([&] { return wxTopLevelWindows.size() == before; });
        EXPECT_EQ(wxTopLevelWindows.size(), before) << (parent ? "over a shown window" : "alone");
    }
}

TEST(IconPicker, GivesBackThePathsItWasGiven)
{
    IconPickerDialog picker(nullptr);
    EXPECT_EQ(picker.GetName(), "wxID_ANY");
    const wxVector<wxString> paths = zyntest::IconPaths("/i/n.png", "/i/h.png", "/i/p.png");
    picker.SetPaths(paths);
    EXPECT_TRUE(picker.GetPaths() == paths);

    // A short list clears the pickers it does not reach.
    wxVector<wxString> one;
    one.push_back("/i/only.png");
    picker.SetPaths(one);
    EXPECT_TRUE(picker.GetPaths() == zyntest::IconPaths("/i/only.png", "", ""));
}

TEST(IconPicker, ReturnsWhatTheUserTypedOrClearedOnOk)
{
    zyntest::TempDir icons;
    const std::string normal = icons / "n.png", hover = icons / "h.png", press = icons / "p.png";
    for (const std::string& path : {normal, hover, press})
        zyntest::WriteFile(path, "not checked");
    IconPickerDialog picker(nullptr);
    picker.SetPaths(zyntest::IconPaths(normal, hover, press));
    wxTextCtrl* const pressText = picker.FilePickerCtrlPress->GetTextCtrl();
    wxTextCtrl* const hoverText = picker.FilePickerCtrlHover->GetTextCtrl();
    const int rc = zyntest::ShowModalDriving(picker, {
        zyntest::Focus(pressText),
        zyntest::Type(pressText, ""),
        zyntest::Focus(hoverText),
        zyntest::Type(hoverText, "/nowhere/typed.png"),
        zyntest::Click(picker.FindWindow(wxID_OK)),
    });
    EXPECT_EQ(rc, wxID_OK);
    EXPECT_TRUE(picker.GetPaths() == zyntest::IconPaths(normal, "/nowhere/typed.png", "")) << picker.GetPaths()[1] << "|"
                                                                               << picker.GetPaths()[2];
}

TEST(IconPicker, PngWildcardMatchesBothSpellingsAsGtkAppliesIt)
{
    // GTK tests each pattern of a filter case-sensitively.
    for (const char* name : {"icon.png", "ICON.PNG"}) {
        bool matched = false;
        wxStringTokenizer patterns(PngWildcard, ";");
        while (patterns.HasMoreTokens())
            matched |= wxMatchWild(patterns.GetNextToken(), name, false);
        EXPECT_TRUE(matched) << name;
    }
}

} // namespace
