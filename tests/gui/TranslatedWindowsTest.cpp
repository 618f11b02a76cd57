// The toolkit windows under the Simplified Chinese catalog: every text they show
// is a translation the catalog holds, or one of the few texts that are shown as
// written (names, addresses, credits). Screenshots of the preferences window and
// the about box go to build/screenshots for review.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <wx/anybutton.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/collpane.h>
#include <wx/filepicker.h>
#include <wx/generic/aboutdlgg.h>
#include <wx/hyperlink.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/translation.h>
#include <wx/weakref.h>

#include "AboutPanel.h"
#include "BitmapManager.h"
#include "ConfigImpl.h"
#include "ConfigKeys.h"
#include "HotkeyManager.h"
#include "IconPickerDialog.h"
#include "IconSettingDialog.h"
#include "InfoPanel.h"
#include "PreferenceFrame.h"
#include "ScreenProbe.h"
#include "SystemMonitor.h"
#include "SystemPaths.h"
#include "TestSupport.h"
#include "ZynUtils.h"

namespace {

// The msgid -> msgstr pairs of a .po file.
std::map<wxString, wxString> ReadCatalog(const std::string& path)
{
    std::ifstream in(path);
    std::map<wxString, wxString> entries;
    std::string line, id, str, *current = nullptr;
    const auto unquote = [](const std::string& text) {
        std::string out;
        for (size_t i = text.find('"') + 1; i + 1 < text.size(); ++i) {
            if (text[i] == '\\' && i + 2 < text.size()) {
                const char c = text[++i];
                out += c == 'n' ? '\n' : c == 't' ? '\t' : c;
            } else {
                out += text[i];
            }
        }
        return out;
    };
    const auto flush = [&] {
        if (!id.empty())
            entries[wxString::FromUTF8(id)] = wxString::FromUTF8(str);
        id.clear();
        str.clear();
    };
    while (std::getline(in, line)) {
        if (line.rfind("msgid ", 0) == 0) {
            flush();
            id = unquote(line.substr(6));
            current = &id;
        } else if (line.rfind("msgstr ", 0) == 0) {
            str = unquote(line.substr(7));
            current = &str;
        } else if (!line.empty() && line[0] == '"' && current) {
            *current += unquote(line);
        }
    }
    flush();
    return entries;
}

bool HasLatinLetter(const wxString& text)
{
    for (wxUniChar c : text)
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
            return true;
    return false;
}

struct Shown {
    wxString where;
    wxString text;
};

// Every text a window and its children show: titles, labels, tool labels and
// tips, choices, list headings and cells. Typed values (paths) are not texts.
void CollectTexts(wxWindow* window, std::vector<Shown>& out)
{
    const wxString where = window->GetName() + " (" + window->GetClassInfo()->GetClassName() + ")";
    const auto add = [&](const wxString& text) { out.push_back({where, text}); };
    if (auto* top = dynamic_cast<wxTopLevelWindow*>(window))
        add(top->GetTitle());
    if (dynamic_cast<wxStaticText*>(window) || dynamic_cast<wxAnyButton*>(window) ||
        dynamic_cast<wxCheckBox*>(window) || dynamic_cast<wxRadioButton*>(window) ||
        dynamic_cast<wxStaticBox*>(window))
        add(window->GetLabel());
    if (dynamic_cast<wxCollapsiblePane*>(window))
        add(zyntest::ExpanderLabel(window));
    if (auto* link = dynamic_cast<wxHyperlinkCtrl*>(window)) {
        add(link->GetLabel());
        add(link->GetURL());
    }
    if (auto* choice = dynamic_cast<wxChoice*>(window))
        for (unsigned i = 0; i < choice->GetCount(); ++i)
            add(choice->GetString(i));
    if (auto* list = dynamic_cast<wxListCtrl*>(window)) {
        for (int c = 0; c < list->GetColumnCount(); ++c) {
            wxListItem column;
            column.SetMask(wxLIST_MASK_TEXT);
            list->GetColumn(c, column);
            add(column.GetText());
            for (long row = 0; row < list->GetItemCount(); ++row)
                add(list->GetItemText(row, c));
        }
    }
    if (auto* bar = dynamic_cast<wxToolBar*>(window)) {
        for (size_t i = 0; i < bar->GetToolsCount(); ++i) {
            const wxToolBarToolBase* tool = bar->GetToolByPos(static_cast<int>(i));
            add(tool->GetLabel());
            add(tool->GetShortHelp());
        }
    }
    add(window->GetToolTipText());
    for (wxWindow* child : window->GetChildren())
        if (!dynamic_cast<wxTopLevelWindow*>(child))
            CollectTexts(child, out);
}

class TranslatedWindows : public testing::Test {
protected:
    static void SetUpTestSuite() { catalog = ReadCatalog(std::string(ZYN_SOURCE_DIR) + "/data/langs/zh_CN.po"); }

    void SetUp() override
    {
        for (const char* sub : {"Images", "Fonts", "Langs"})
            zyntest::LinkFromBuild(sub, app.Path());
        EnterAppDir();
        ASSERT_TRUE(BitmapManager::Initial());
        // The language of the catalog without the system's locale: lookups need only the catalog.
        wxFileTranslationsLoader::AddCatalogLookupPathPrefix(wxString::FromUTF8(app / "Langs"));
        auto* translations = new wxTranslations;
        translations->SetLanguage("zh_CN");
        ASSERT_TRUE(translations->AddCatalog("zh_CN"));
        wxTranslations::Set(translations);
        for (const auto& [id, str] : catalog)
            if (!str.empty())
                translated.insert(str);
        ModalOpenFlag = false;
    }
    void TearDown() override
    {
        wxTranslations::Set(nullptr);
        ModalOpenFlag = false;
    }

    // The texts of window that are neither a translation of the catalog nor free of
    // Latin letters nor in asWritten.
    std::vector<Shown> Untranslated(wxWindow* window, const std::vector<wxString>& asWritten = {})
    {
        std::vector<Shown> texts, left;
        CollectTexts(window, texts);
        for (const Shown& s : texts) {
            const bool written = std::any_of(asWritten.begin(), asWritten.end(),
                                             [&](const wxString& start) { return s.text.StartsWith(start); });
            if (!s.text.empty() && HasLatinLetter(s.text) && !translated.count(s.text) && !written)
                left.push_back(s);
        }
        return left;
    }

    // Writes the window's frame on screen to build/screenshots/name.png.
    void Screenshot(wxWindow* window, const std::string& name)
    {
        zyntest::ScreenProbe probe;
        unsigned long frame = 0;
        ASSERT_TRUE(zyntest::PumpUntil([&] { return window->IsShownOnScreen() && (frame = probe.TopLevelOf(window)); }));
        const std::string dir = std::filesystem::path(ZYN_BIN_DIR).parent_path() / "screenshots";
        std::filesystem::create_directories(dir);
        const std::string path = dir + "/" + name + ".png";
        std::filesystem::remove(path);
        // Kept once the window is drawn: more than its background's colours, and the same in two
        // pictures in a row.
        std::string last;
        ASSERT_TRUE(zyntest::PumpUntil([&] {
            const std::string now = zyntest::Shell("import -window " + std::to_string(frame) + " " + path +
                                                   " 2>/dev/null && md5sum < " + path + " && convert " + path +
                                                   " -format %k info:");
            const bool steady = !now.empty() && now == last && std::atoi(now.substr(now.rfind('\n') + 1).c_str()) > 16;
            last = now;
            return steady;
        })) << name;
    }

    static std::map<wxString, wxString> catalog;
    std::set<wxString> translated;
    zyntest::ScopedAppDir app;
};

std::map<wxString, wxString> TranslatedWindows::catalog;

// Destroys window and waits until it is gone: the next test may click where it stood.
void DestroyAndWait(wxWindow* window)
{
    wxWeakRef<wxWindow> ref(window);
    window->Destroy();
    EXPECT_TRUE(zyntest::PumpUntil([&] { return !ref; }));
}

std::string Describe(const std::vector<Shown>& texts)
{
    std::string out;
    for (const Shown& s : texts)
        out += "  " + s.where.utf8_string() + ": \"" + s.text.utf8_string() + "\"\n";
    return out;
}

} // namespace

TEST_F(TranslatedWindows, EveryTextIsTheCatalogsTranslation)
{
    // Texts shown as written in every language (by how they begin): the about box's
    // name line, credits, rights line and web address.
    const std::vector<wxString> aboutAsWritten = {
        wxString(AppName) + " " + AppVersion, "Program by Orvain (Tavrel)", "English by Orvain (Tavrel)",
        wxString::FromUTF8("\xc2\xa9 2008-2013 ") + AppAuthor, AppWebHost,
    };
    // The About page's address and mail, which the build sets.
    const std::vector<wxString> pageAsWritten = {wxString("https://") + AppWebHost, wxString("orvain@") + AppWebHost};
    struct Window {
        const char* name;
        std::function<wxTopLevelWindow*()> make;
        std::vector<wxString> asWritten;
        std::function<void(wxTopLevelWindow*)> shoot; // screenshots of it on screen
    };
    const Window windows[] = {
        {"preferences", [] { return new PreferenceFrame(nullptr); }, pageAsWritten,
         [this](wxTopLevelWindow* window) {
             const std::pair<const char*, long> pages[] = {
                 {"general", PreferenceFrame::ID_TOOL_GENERAL}, {"appearance", PreferenceFrame::ID_TOOL_APPEARANCE},
                 {"sounds", PreferenceFrame::ID_TOOL_SOUNDS},   {"plugins", PreferenceFrame::ID_TOOL_PLUGINS},
                 {"about", PreferenceFrame::ID_TOOL_ABOUT}};
             for (const auto& [name, tool] : pages) {
                 wxCommandEvent choose(wxEVT_TOOL, tool);
                 window->ProcessWindowEvent(choose);
                 Screenshot(window, std::string("zh_CN-preferences-") + name);
             }
         }},
        {"item editor", [] { return new IconSettingDialog(nullptr, IconSettingDialog::ITEM_KIND_ICON); }, {}, {}},
        {"icon chooser", [] { return new IconPickerDialog(nullptr); }, {}, {}},
        {"about box", [] { return static_cast<wxTopLevelWindow*>(CreateAboutBox(nullptr)); }, aboutAsWritten,
         [this](wxTopLevelWindow* window) { Screenshot(window, "zh_CN-about-box"); }},
    };
    for (const Window& w : windows) {
        SCOPED_TRACE(w.name);
        wxTopLevelWindow* window = w.make();
        window->Show();
        if (w.shoot)
            w.shoot(window);
        EXPECT_EQ(Describe(Untranslated(window, w.asWritten)), "") << "shown in English";
        DestroyAndWait(window);
    }
    // The system monitor's panel: its title, and the memory line it draws.
    {
        SystemMonitor monitor(nullptr);
        EXPECT_EQ(Describe(Untranslated(monitor.panel)), "") << "shown in English";
        EXPECT_EQ(monitor.panel->GetLabel(), catalog.at("System Monitor"));
        EXPECT_EQ(MemoryUsageText(3072, 4096), wxString::Format(catalog.at("Memory Usage: %d / %d mb"), 3072, 4096));
        EXPECT_EQ(MemoryUsageText(0, 0), catalog.at("Memory Usage: ---- / ---- mb"));
    }
    // The toolkit's log box names the program as it calls itself.
    EXPECT_EQ(wxString::Format(_("%s Error"), wxTheApp->GetAppDisplayName()),
              wxString::Format(catalog.at("%s Error"), "Zyn Utils"));
}

// Texts stand a dialog's margin (two standard borders) off their window's edges.
TEST_F(TranslatedWindows, TextsOfTheAboutBoxAndPageStandOffTheWindowEdges)
{
    const int margin = 2 * wxSizerFlags::GetDefaultBorder();
    // The left and right gaps of every text of window to its top-level window's client area.
    const auto gaps = [](wxWindow* window, const std::function<bool(wxWindow*)>& shown) {
        std::vector<std::pair<wxString, int>> out;
        std::function<void(wxWindow*)> walk = [&](wxWindow* w) {
            if ((dynamic_cast<wxStaticText*>(w) || dynamic_cast<wxHyperlinkCtrl*>(w) || dynamic_cast<wxCollapsiblePane*>(w)) &&
                shown(w)) {
                wxWindow* top = wxGetTopLevelParent(w);
                const wxRect r(top->ScreenToClient(w->GetScreenPosition()), w->GetSize());
                out.emplace_back(w->GetLabel() + zyntest::ExpanderLabel(w), std::min(r.GetLeft(), top->GetClientSize().x - r.GetRight() - 1));
            }
            for (wxWindow* child : w->GetChildren())
                walk(child);
        };
        walk(window);
        return out;
    };
    wxTopLevelWindow* box = static_cast<wxTopLevelWindow*>(CreateAboutBox(nullptr));
    box->Show();
    auto* frame = new PreferenceFrame(nullptr);
    frame->Show();
    wxCommandEvent choose(wxEVT_TOOL, PreferenceFrame::ID_TOOL_ABOUT);
    frame->ProcessWindowEvent(choose);
    ASSERT_TRUE(zyntest::PumpUntil([&] { return box->IsShownOnScreen() && frame->aboutPanel->IsShownOnScreen(); }));
    const auto onScreen = [](wxWindow* w) { return w->IsShownOnScreen(); };
    for (wxWindow* window : {static_cast<wxWindow*>(box), static_cast<wxWindow*>(frame->aboutPanel)}) {
        const auto texts = gaps(window, onScreen);
        EXPECT_GE(texts.size(), 5u);
        for (const auto& [text, gap] : texts)
            EXPECT_GE(gap, margin) << "\"" << text << "\" in " << window->GetName();
    }
    DestroyAndWait(frame);
    DestroyAndWait(box);
}

// The icon chooser is as wide as its note, which is short in Chinese; its path fields
// still show a path of the default menu whole.
TEST_F(TranslatedWindows, TheIconChoosersPathFieldsShowAWholePath)
{
    const wxString path = "Images/launcher/terminal_small_normal.png";
    auto* chooser = new IconPickerDialog(nullptr);
    chooser->SetPaths(zyntest::IconPaths(path, path, path));
    chooser->Show();
    Screenshot(chooser, "zh_CN-icon-chooser");
    for (wxFilePickerCtrl* picker : {chooser->FilePickerCtrlNormal, chooser->FilePickerCtrlHover, chooser->FilePickerCtrlPress}) {
        wxTextCtrl* field = picker->GetTextCtrl();
        ASSERT_TRUE(field);
        EXPECT_GE(field->GetClientSize().x, field->GetTextExtent(path).x) << picker->GetName();
    }
    DestroyAndWait(chooser);
}
