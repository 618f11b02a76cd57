// The item editor dialog: its accessors, its presets, the pages it shows for
// each kind of item, its prompts and its icon chooser.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/filepicker.h>
#include <wx/font.h>
#include <wx/image.h>
#include <wx/radiobut.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/statbmp.h>
#include <wx/testing.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "ActionOptionPanel.h"
#include "IconPickerDialog.h"
#include "IconSettingDialog.h"
#include "InfoOptionPanel.h"
#include "ModalDriver.h"
#include "SubMenuOptionPanel.h"
#include "TestSupport.h"

namespace {

// Clicks a check box as the user would: its value flips and its click event runs.
void ClickCheckBox(wxCheckBox* box)
{
    box->SetValue(!box->GetValue());
    wxCommandEvent click(wxEVT_CHECKBOX, box->GetId());
    click.SetEventObject(box);
    click.SetInt(box->GetValue());
    box->GetEventHandler()->ProcessEvent(click);
}

TEST(IconSettingDialog, ActionTypesMapToTheirChoicesAndOnlyKnownCodesCheckTheBox)
{
    const struct {
        int preset;
        int read;
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {1000, 0}, {1001, 0}, {2000, 2000}, {-1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.preset);
        IconSettingDialog dialog(nullptr, IconSettingDialog::ITEM_KIND_LIST);
        dialog.SetActionCommand("xterm -e top");
        dialog.SetActionType(c.preset);
        EXPECT_EQ(dialog.GetActionType(), c.read);
        EXPECT_EQ(dialog.PanelAction->CheckBoxAction->GetValue(), c.read != 0);
        // The command is kept in its field either way but reported only with an action.
        EXPECT_EQ(dialog.PanelAction->TextCtrlCommand->GetValue(), "xterm -e top");
        EXPECT_FALSE(dialog.PanelAction->TextCtrlCommand->IsEditable());
        EXPECT_EQ(dialog.GetActionCommand(), c.read ? "xterm -e top" : "");
        if (c.read == 0) {
            EXPECT_TRUE(dialog.PanelAction->RadioButtonProgram->GetValue());
        }
    }
}

TEST(IconSettingDialog, SubMenuTypesOfferOnlyCatalogAndListMenus)
{
    const struct {
        int preset;
        int read;
    } cases[] = {{0, 0}, {1, 0}, {2, 2}, {3, 3}, {9, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.preset);
        IconSettingDialog dialog(nullptr, IconSettingDialog::ITEM_KIND_CATALOG);
        dialog.SetSubMenuType(c.preset);
        EXPECT_EQ(dialog.GetSubMenuType(), c.read);
        EXPECT_EQ(dialog.PanelSubMenu->CheckBoxSubMenu->GetValue(), c.read != 0);
        EXPECT_EQ(dialog.PanelSubMenu->RadioButtonList->GetValue(), c.read == 3);
    }
}

TEST(IconSettingDialog, PanelTypesReportTheDescriptionOnlyWithAPanel)
{
    const struct {
        int preset;
        int read;
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 0}, {1000, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.preset);
        IconSettingDialog dialog(nullptr, IconSettingDialog::ITEM_KIND_ICON);
        dialog.SetPanelDescription("Mail and news");
        dialog.SetPanelType(c.preset);
        EXPECT_EQ(dialog.GetPanelType(), c.read);
        EXPECT_EQ(dialog.GetPanelDescription(), c.read ? "Mail and news" : "");
        EXPECT_EQ(dialog.PanelInfo->TextCtrlDescription->GetValue(), "Mail and news");
    }
}

TEST(IconSettingDialog, PanelImageIsReportedWheneverItsBoxIsChecked)
{
    IconSettingDialog dialog(nullptr, IconSettingDialog::ITEM_KIND_ICON);
    EXPECT_EQ(dialog.PanelInfo->TextCtrlDescription->GetValue(), "Text");
    dialog.SetPanelImage("/tmp/back.png");
    EXPECT_TRUE(dialog.PanelInfo->CheckBoxImage->GetValue());
    // The information panel itself stays off: no type, no description, yet the image.
    EXPECT_EQ(dialog.GetPanelType(), 0);
    EXPECT_EQ(dialog.GetPanelDescription(), "");
    EXPECT_EQ(dialog.GetPanelImage(), "/tmp/back.png");

    // What the user types or clears in the picker's text box is what is read.
    wxTextCtrl* typed = dialog.PanelInfo->FilePickerCtrlImage->GetTextCtrl();
    for (const wxString& text : {wxString("/nowhere/typed.png"), wxString()}) {
        typed->SetValue(text);
        EXPECT_EQ(dialog.GetPanelImage(), text);
    }

    dialog.SetPanelImage("");
    EXPECT_FALSE(dialog.PanelInfo->CheckBoxImage->GetValue());
    EXPECT_EQ(dialog.GetPanelImage(), "");

    // A path left in the picker is not reported once its box is off.
    dialog.PanelInfo->FilePickerCtrlImage->SetPath("/tmp/other.png");
    EXPECT_EQ(dialog.GetPanelImage(), "");
}

TEST(IconSettingDialog, NameAndIconPathsComeBackAsSet)
{
    IconSettingDialog dialog(nullptr, IconSettingDialog::ITEM_KIND_ICON);
    EXPECT_TRUE(dialog.GetIconPaths().empty());
    dialog.SetItemName("Browser");
    EXPECT_EQ(dialog.GetItemName(), "Browser");

    const wxVector<wxString> paths = zyntest::IconPaths("a.png", "b.png", "c.png");
    dialog.SetIconPaths(paths);
    EXPECT_TRUE(dialog.GetIconPaths() == paths);
    // The dialog's own list passed back in stays as it is.
    const wxVector<wxString> same = dialog.GetIconPaths();
    dialog.SetIconPaths(same);
    EXPECT_TRUE(dialog.GetIconPaths() == paths);
}

TEST(IconSettingDialog, ShortIconListsArePaddedToThreePaths)
{
    IconSettingDialog dialog(nullptr, IconSettingDialog::ITEM_KIND_ICON);
    for (size_t given = 0; given < 3; ++given) {
        SCOPED_TRACE(given);
        wxVector<wxString> paths;
        for (size_t i = 0; i < given; ++i)
            paths.push_back(wxString::Format("icon%zu.png", i));
        dialog.SetIconPaths(paths);
        const wxVector<wxString> got = dialog.GetIconPaths();
        ASSERT_EQ(got.size(), 3u);
        for (size_t i = 0; i < 3; ++i)
            EXPECT_EQ(got[i], i < given ? paths[i] : wxString());
    }
}

TEST(IconSettingDialog, UncheckedBoxesReportNothingAndCheckingAgainRestoresTheChoice)
{
    IconSettingDialog dialog(nullptr, IconSettingDialog::ITEM_KIND_LIST);
    dialog.SetActionType(4);
    dialog.SetActionCommand("make run");
    dialog.SetSubMenuType(3);
    dialog.SetPanelType(1);
    dialog.SetPanelDescription("About it");
    dialog.EnableOptionPanels(true);

    ClickCheckBox(dialog.PanelAction->CheckBoxAction);
    ClickCheckBox(dialog.PanelSubMenu->CheckBoxSubMenu);
    ClickCheckBox(dialog.PanelInfo->CheckBoxInfoPanel);
    EXPECT_EQ(dialog.GetActionType(), 0);
    EXPECT_EQ(dialog.GetActionCommand(), "");
    EXPECT_EQ(dialog.GetSubMenuType(), 0);
    EXPECT_EQ(dialog.GetPanelType(), 0);
    EXPECT_EQ(dialog.GetPanelDescription(), "");
    EXPECT_FALSE(dialog.PanelAction->RadioButtonCommand->IsEnabled());
    EXPECT_FALSE(dialog.PanelSubMenu->RadioButtonList->IsEnabled());
    EXPECT_FALSE(dialog.PanelInfo->TextCtrlDescription->IsEnabled());

    ClickCheckBox(dialog.PanelAction->CheckBoxAction);
    ClickCheckBox(dialog.PanelSubMenu->CheckBoxSubMenu);
    ClickCheckBox(dialog.PanelInfo->CheckBoxInfoPanel);
    EXPECT_EQ(dialog.GetActionType(), 4);
    EXPECT_EQ(dialog.GetActionCommand(), "make run");
    EXPECT_EQ(dialog.GetSubMenuType(), 3);
    EXPECT_EQ(dialog.GetPanelType(), 1);
    EXPECT_EQ(dialog.GetPanelDescription(), "About it");
}

TEST(IconSettingDialog, PresetsRaiseNoEventsAndLeaveThePagesDisabledUntilEnabled)
{
    IconSettingDialog dialog(nullptr, IconSettingDialog::ITEM_KIND_ICON);
    int events = 0;
    auto count = [&events](wxCommandEvent& event) {
        ++events;
        event.Skip();
    };
    dialog.Bind(wxEVT_CHECKBOX, count);
    dialog.Bind(wxEVT_RADIOBUTTON, count);
    dialog.Bind(wxEVT_TEXT, count);
    dialog.Bind(wxEVT_FILEPICKER_CHANGED, [&events](wxFileDirPickerEvent&) { ++events; });

    wxVector<wxString> paths(3, wxString("missing.png"));
    dialog.SetItemName("Games");
    dialog.SetIconPaths(paths);
    dialog.SetSubMenuType(3);
    dialog.SetPanelType(2);
    dialog.SetPanelDescription("Play");
    dialog.SetPanelImage("/tmp/back.png");
    dialog.SetActionType(2);
    dialog.SetActionCommand("/home");
    zyntest::Drain(); // an event posted by a preset is handled here
    EXPECT_EQ(events, 0);

    const SubMenuOptionPanel& sub = *dialog.PanelSubMenu;
    const InfoOptionPanel& info = *dialog.PanelInfo;
    const ActionOptionPanel& action = *dialog.PanelAction;
    EXPECT_FALSE(sub.RadioButtonList->IsEnabled());
    EXPECT_FALSE(info.RadioButtonDescription->IsEnabled());
    EXPECT_FALSE(info.FilePickerCtrlImage->IsEnabled());
    EXPECT_FALSE(action.RadioButtonFolder->IsEnabled());
    EXPECT_FALSE(action.ButtonDetail->IsEnabled());

    dialog.EnableOptionPanels(true);
    EXPECT_TRUE(sub.RadioButtonCatalog->IsEnabled());
    EXPECT_TRUE(sub.RadioButtonList->IsEnabled());
    EXPECT_TRUE(info.RadioButtonDescription->IsEnabled());
    EXPECT_TRUE(info.TextCtrlDescription->IsEnabled());
    EXPECT_TRUE(info.CheckBoxImage->IsEnabled());
    EXPECT_TRUE(info.FilePickerCtrlImage->IsEnabled());
    const wxWindow* const kinds[] = {action.RadioButtonProgram, action.RadioButtonFolder, action.RadioButtonUrl,
                                     action.RadioButtonCommand, action.ButtonDetail};
    for (const wxWindow* control : kinds)
        EXPECT_TRUE(control->IsEnabled()) << control->GetName();
    // The plug-in choices are never offered.
    EXPECT_FALSE(info.RadioButtonPlugin->IsEnabled());
    EXPECT_FALSE(action.RadioButtonPlugin->IsEnabled());
}

TEST(IconSettingDialog, EnableOptionPanelsTouchesOnlyPagesWhoseBoxIsChecked)
{
    IconSettingDialog dialog(nullptr, IconSettingDialog::ITEM_KIND_ICON);
    dialog.SetSubMenuType(0);
    dialog.SetPanelType(1);
    dialog.EnableOptionPanels(true);
    EXPECT_FALSE(dialog.PanelSubMenu->RadioButtonCatalog->IsEnabled());
    EXPECT_FALSE(dialog.PanelAction->RadioButtonProgram->IsEnabled());
    EXPECT_TRUE(dialog.PanelInfo->TextCtrlDescription->IsEnabled());
    // Without a background image the picker stays off until its box is checked.
    EXPECT_FALSE(dialog.PanelInfo->FilePickerCtrlImage->IsEnabled());
    ClickCheckBox(dialog.PanelInfo->CheckBoxImage);
    EXPECT_TRUE(dialog.PanelInfo->FilePickerCtrlImage->IsEnabled());
    // Switching the panel off takes the picker along; on again brings it back.
    ClickCheckBox(dialog.PanelInfo->CheckBoxInfoPanel);
    EXPECT_FALSE(dialog.PanelInfo->FilePickerCtrlImage->IsEnabled());
    EXPECT_TRUE(dialog.PanelInfo->CheckBoxImage->GetValue());
    ClickCheckBox(dialog.PanelInfo->CheckBoxInfoPanel);
    EXPECT_TRUE(dialog.PanelInfo->FilePickerCtrlImage->IsEnabled());

    dialog.EnableOptionPanels(false);
    EXPECT_FALSE(dialog.PanelInfo->TextCtrlDescription->IsEnabled());
    EXPECT_FALSE(dialog.PanelInfo->FilePickerCtrlImage->IsEnabled());
}

// What a user reads on a window and on everything in it, in the order of the
// window tree: each text, with its tip after a " | " when it has one. Text fields
// show what they hold, not a text of the window, and are left out.
std::vector<std::string> TextsOn(const wxWindow* window)
{
    std::vector<std::string> texts;
    if (!dynamic_cast<const wxTextCtrl*>(window)) {
        const std::string label = window->GetLabel().utf8_string();
        const std::string tip = window->GetToolTipText().utf8_string();
        if (!label.empty() || !tip.empty())
            texts.push_back(tip.empty() ? label : label + " | " + tip);
    }
    for (const wxWindow* child : window->GetChildren()) {
        const std::vector<std::string> more = TextsOn(child);
        texts.insert(texts.end(), more.begin(), more.end());
    }
    return texts;
}

TEST(IconSettingDialog, ShowsEveryTextAndTipOfItsPagesAndOfTheIconChooser)
{
    IconSettingDialog dialog(nullptr, IconSettingDialog::ITEM_KIND_ICON);
    EXPECT_EQ(TextsOn(&dialog),
              (std::vector<std::string>{
                  "Zyn Utils - Icon Settings", "Icon Setting", "Preview", "Edit", "Name",
                  // the sub-menu page
                  "Sub-Menu", "Catalog Menu | A 'Catalog Menu' has one or more items which own sub-menus.",
                  "List Menu | A 'List Menu' has one or more items which perform actions.",
                  // the action page
                  "Action", "Program | Execute an existed program.", "Folder | Open a folder in the file manager.",
                  "URL | Open a web, file or e-mail address. ", "Command | Run a command or program with parameters.",
                  "Plugin", "...",
                  // the panel page; "Browse" is the toolkit's own button of a file field
                  "Info Panel", "Description", "Plugin", "BG Image", "Browse"}));
    EXPECT_EQ(dialog.StaticTextTitle->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);
    EXPECT_EQ(dialog.ToolOk->GetShortHelp(), "OK");
    EXPECT_EQ(dialog.ToolCancel->GetShortHelp(), "Cancel");
    EXPECT_EQ(dialog.PanelInfo->TextCtrlDescription->GetValue(), "Text");
    EXPECT_EQ(dialog.PanelAction->FileDialogProgram->GetMessage(), "Select file");
    EXPECT_EQ(dialog.PanelAction->DirDialogFolder->GetMessage(), "Select directory");

    IconPickerDialog picker(nullptr);
    EXPECT_EQ(TextsOn(&picker),
              (std::vector<std::string>{"Icon Picker", "Normal", "Browse", "Hover", "Browse", "Press", "Browse",
                                        "* Leave 'Press' icon blank to use same icon as Hover state.", "&Cancel",
                                        "&OK"}));
}

TEST(IconSettingDialog, ShowsThePagesThatFitTheKindOfItem)
{
    const struct {
        int kind;
        bool subMenu, action, info;
    } cases[] = {
        {0, true, false, true}, {1, true, false, false}, {2, false, true, false},
        {3, false, false, false}, {-1, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        IconSettingDialog dialog(nullptr, c.kind);
        const std::pair<wxWindow*, bool> pages[] = {
            {dialog.PanelSubMenu, c.subMenu}, {dialog.PanelAction, c.action}, {dialog.PanelInfo, c.info}};
        for (const auto& page : pages) {
            EXPECT_EQ(page.first->IsShown(), page.second);
            EXPECT_EQ(page.first->GetContainingSizer() != nullptr, page.second);
        }
        // A hidden page still answers.
        dialog.SetSubMenuType(2);
        EXPECT_EQ(dialog.GetSubMenuType(), 2);
    }
}

} // namespace

namespace {

// Runs the dialog and clicks its bottom toolbar x pixels from the left end
// (negative: from the right end).
int ShowAndClickToolbar(IconSettingDialog& dialog, int x)
{
    return zyntest::ShowModalDriving(dialog, {zyntest::Click(dialog.ToolBarBottom, x)});
}

TEST(IconSettingDialog, OkToolAtTheLeftEndAcceptsCancelToolAtTheRightEndCancels)
{
    for (int extraWidth : {0, 300}) {
        SCOPED_TRACE(extraWidth);
        IconSettingDialog ok(nullptr, IconSettingDialog::ITEM_KIND_ICON);
        ok.SetSize(ok.GetSize() + wxSize(extraWidth, 0));
        EXPECT_EQ(ShowAndClickToolbar(ok, 20), wxID_OK);
        IconSettingDialog cancel(nullptr, IconSettingDialog::ITEM_KIND_LIST);
        cancel.SetSize(cancel.GetSize() + wxSize(extraWidth, 0));
        EXPECT_EQ(ShowAndClickToolbar(cancel, -20), wxID_CANCEL);
    }
}

// Closed by the window manager (Alt+F4, as the user closes a window), the
// editor and its icon chooser answer as Cancel does.
TEST(IconSettingDialog, ClosingTheEditorOrItsIconChooserCancels)
{
    const zyntest::ModalStep close = {[](zyntest::XClient& input) { input.Chord({XK_Alt_L}, XK_F4); }, {}};
    IconSettingDialog editor(nullptr, IconSettingDialog::ITEM_KIND_LIST);
    EXPECT_EQ(zyntest::ShowModalDriving(editor, {close}), wxID_CANCEL);

    IconPickerDialog picker(nullptr);
    EXPECT_EQ(zyntest::ShowModalDriving(picker, {close}), wxID_CANCEL);
}

} // namespace

namespace {

// Runs the test from another working directory, where the theme files are looked up.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::string& dir) : previous(wxGetCwd()) { wxSetWorkingDirectory(dir); }
    ~WorkingDirectory() { wxSetWorkingDirectory(previous); }

private:
    wxString previous;
};

TEST(IconSettingDialog, ToolsShowTheThemePicturesOrAStockOneWhenTheyAreMissing)
{
    {
        WorkingDirectory appDir(zyntest::AppDirOfBuild());
        IconSettingDialog dialog(nullptr, IconSettingDialog::ITEM_KIND_ICON);
        EXPECT_EQ(dialog.ToolOk->GetNormalBitmap().GetSize(), wxSize(40, 40));
        EXPECT_EQ(dialog.ToolCancel->GetNormalBitmap().GetSize(), wxSize(40, 40));
    }
    zyntest::TempDir empty;
    WorkingDirectory emptyDir(empty.Path());
    IconSettingDialog dialog(nullptr, IconSettingDialog::ITEM_KIND_ICON);
    EXPECT_TRUE(dialog.ToolOk->GetNormalBitmap().IsOk());
    EXPECT_TRUE(dialog.ToolCancel->GetNormalBitmap().IsOk());
    EXPECT_EQ(dialog.ToolBarBottom->GetToolsCount(), 3u);
}

} // namespace

namespace {

// An opaque icon of one colour, written as a PNG file.
std::string WriteIcon(const zyntest::TempDir& dir, const std::string& name, int width, int height)
{
    wxImage image(width, height);
    image.SetRGB(wxRect(0, 0, width, height), 255, 0, 255);
    image.InitAlpha();
    memset(image.GetAlpha(), 255, static_cast<size_t>(width) * height);
    const std::string path = dir / name;
    image.SaveFile(path, wxBITMAP_TYPE_PNG);
    return path;
}

wxImage PreviewOf(IconSettingDialog& dialog)
{
    return dialog.StaticBitmapIcon->GetBitmap().ConvertToImage();
}

bool IsIconPixel(const wxImage& image, int x, int y)
{
    return image.GetRed(x, y) == 255 && image.GetGreen(x, y) == 0 && image.GetBlue(x, y) == 255;
}

TEST(IconSettingDialog, PreviewCentresTheNormalIconShrunkIntoItsBoxOnTheItemBackground)
{
    zyntest::TempDir icons;
    const std::string wide = WriteIcon(icons, "wide.png", 100, 50);
    const std::string small = WriteIcon(icons, "small.png", 10, 10);
    WorkingDirectory appDir(zyntest::AppDirOfBuild());
    const struct {
        int kind;
        std::string icon;
        wxRect where;
    } cases[] = {
        {0, wide, {9, 20, 46, 23}},  {1, wide, {19, 25, 26, 13}}, {2, wide, {19, 25, 26, 13}},
        {0, small, {27, 27, 10, 10}}, // never enlarged
    };
    const wxImage background(wxString(zyntest::AppDirOfBuild()) + "/Images/etc/btn_preview.png");
    ASSERT_EQ(background.GetSize(), wxSize(64, 64));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        SCOPED_TRACE(c.icon);
        IconSettingDialog dialog(nullptr, c.kind);
        dialog.SetIconPaths(zyntest::IconPaths(c.icon, "hover.png"));
        const wxImage preview = PreviewOf(dialog);
        ASSERT_TRUE(preview.IsOk());
        ASSERT_EQ(preview.GetSize(), wxSize(64, 64));
        int inside = 0, outsideIcon = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const bool in = c.where.Contains(x, y);
                inside += in && IsIconPixel(preview, x, y);
                outsideIcon += !in && IsIconPixel(preview, x, y);
            }
        EXPECT_EQ(inside, c.where.width * c.where.height);
        EXPECT_EQ(outsideIcon, 0);
    }
    // Outside the icon the kind's own background shows.
    IconSettingDialog dialog(nullptr, IconSettingDialog::ITEM_KIND_ICON);
    wxVector<wxString> paths(3, wxString(wide));
    dialog.SetIconPaths(paths);
    const wxImage preview = PreviewOf(dialog);
    for (const wxPoint& p : {wxPoint(0, 0), wxPoint(8, 30), wxPoint(55, 30), wxPoint(30, 19), wxPoint(30, 43)})
        EXPECT_EQ(preview.GetRed(p.x, p.y), background.GetRed(p.x, p.y)) << p.x << "," << p.y;
}

TEST(IconSettingDialog, PreviewStaysAsItWasWithoutANormalIconOrItsFile)
{
    zyntest::TempDir icons;
    const std::string icon = WriteIcon(icons, "icon.png", 100, 50);
    WorkingDirectory appDir(zyntest::AppDirOfBuild());
    IconSettingDialog dialog(nullptr, IconSettingDialog::ITEM_KIND_ICON);
    EXPECT_FALSE(dialog.StaticBitmapIcon->GetBitmap().IsOk());
    EXPECT_EQ(dialog.StaticBitmapIcon->GetSize(), wxSize(64, 64));

    wxVector<wxString> paths(3, wxString(icon));
    dialog.SetIconPaths(paths);
    const wxImage drawn = PreviewOf(dialog);
    ASSERT_TRUE(drawn.IsOk());
    for (const wxString& normal : {wxString(), wxString(icons / "missing.png"), wxString(icons.Path())}) {
        SCOPED_TRACE(normal);
        paths[0] = normal;
        dialog.SetIconPaths(paths);
        EXPECT_EQ(dialog.GetIconPaths()[0], normal);
        const wxImage now = PreviewOf(dialog);
        ASSERT_TRUE(now.IsOk());
        EXPECT_EQ(memcmp(now.GetData(), drawn.GetData(), 64 * 64 * 3), 0);
    }

    // Kinds without a preview never draw one.
    IconSettingDialog other(nullptr, 5);
    other.SetIconPaths(wxVector<wxString>(3, wxString(icon)));
    EXPECT_FALSE(other.StaticBitmapIcon->GetBitmap().IsOk());
}

// The icon chooser: records the paths it was given and answers with others.
class ExpectIconPicker : public wxExpectModalBase<IconPickerDialog, ExpectIconPicker> {
public:
    ExpectIconPicker(wxVector<wxString>* given, const wxVector<wxString>& answer, int id)
        : given(given), answer(answer), id(id)
    {
    }

protected:
    int OnInvoked(IconPickerDialog* dialog) const override
    {
        *given = dialog->GetPaths();
        dialog->SetPaths(answer);
        return id;
    }

private:
    wxVector<wxString>* given;
    wxVector<wxString> answer;
    int id;
};

void Press(wxButton* button)
{
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(click);
}

TEST(IconSettingDialog, IconChooserGetsThePathsAndOnlyOkReplacesThemAndRedraws)
{
    zyntest::TempDir icons;
    const std::string icon = WriteIcon(icons, "icon.png", 20, 20);
    WorkingDirectory appDir(zyntest::AppDirOfBuild());
    IconSettingDialog dialog(nullptr, IconSettingDialog::ITEM_KIND_CATALOG);
    const wxVector<wxString> old = zyntest::IconPaths("/icons/missing.png", "/icons/missing_hover.png",
                                                      "/icons/missing_press.png");
    dialog.SetIconPaths(old);

    wxVector<wxString> given;
    const wxVector<wxString> chosen = zyntest::IconPaths(icon, icon);
    wxTEST_DIALOG(Press(dialog.ButtonIconPicker), ExpectIconPicker(&given, chosen, wxID_CANCEL));
    EXPECT_TRUE(given == old);
    EXPECT_TRUE(dialog.GetIconPaths() == old);
    EXPECT_FALSE(dialog.StaticBitmapIcon->GetBitmap().IsOk());

    wxTEST_DIALOG(Press(dialog.ButtonIconPicker), ExpectIconPicker(&given, chosen, wxID_OK));
    EXPECT_TRUE(dialog.GetIconPaths() == chosen);
    EXPECT_TRUE(IsIconPixel(PreviewOf(dialog), 32, 32));
}

} // namespace
