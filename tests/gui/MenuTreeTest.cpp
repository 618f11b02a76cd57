// Sub-menu owners and the menu framework: menus made by type, built from and
// saved to menu elements, their 1-based item interface, and the animator's
// targets that always run parallel to the items.
#include <gtest/gtest.h>

#include <wx/mstream.h>
#include <wx/sstream.h>
#include <wx/xml/xml.h>

#include "CatalogMenu.h"
#include "EditMenu.h"
#include "IconMenu.h"
#include "Indicator.h"
#include "LauncherFixture.h"
#include "ListItem.h"
#include "ListMenu.h"

using zyntest::Describe;
using zyntest::Icon;
using zyntest::LauncherTest;
using zyntest::LogCapture;
using zyntest::PumpUntil;
using zyntest::Row;

namespace {

std::unique_ptr<wxXmlDocument> Parse(const std::string& xml)
{
    auto doc = std::make_unique<wxXmlDocument>();
    wxMemoryInputStream in(xml.data(), xml.size());
    EXPECT_TRUE(doc->Load(in)) << xml;
    return doc;
}

// The element as the file would hold it (the element stays the caller's).
std::string Xml(const wxXmlNode* element)
{
    wxXmlDocument doc;
    doc.SetRoot(new wxXmlNode(*element));
    wxStringOutputStream out;
    doc.Save(out, -1);
    std::string text = out.GetString().utf8_string();
    return text.substr(text.find("?>") + 2);
}

bool TargetsRunParallel(const MenuImpl& menu)
{
    if (menu.animator.targets.size() != menu.items.size())
        return false;
    for (size_t i = 0; i < menu.items.size(); ++i)
        if (menu.animator.targets[i] != static_cast<Animatable*>(menu.items[i]))
            return false;
    return menu.animator.startFrames.size() == menu.items.size() && menu.animator.endFrames.size() == menu.items.size();
}

class MenuTree : public LauncherTest {};

TEST_F(MenuTree, CreateMenuMakesOneMenuByTypeWithAPlaceholder)
{
    struct Case {
        int type;
        std::string tree; // "" for none
        std::string error;
    };
    const std::vector<Case> cases = {
        {0, "", ""},
        {1, "1[Unkonwn]", ""},
        {2, "2[Unkonwn]", ""},
        {3, "3[Unkonwn]", ""},
        {4, "", "Cannot create menu, invalid menu type."},
        {-1, "", "Cannot create menu, invalid menu type."},
    };
    for (const Case& c : cases) {
        IconItem* owner = Owner();
        LogCapture log;
        MenuImpl* menu = owner->CreateMenu(c.type);
        EXPECT_EQ(menu, owner->menu) << c.type;
        EXPECT_EQ(menu ? Describe(menu) : "", c.tree) << c.type;
        EXPECT_EQ(log.Texts(wxLOG_Error), c.error.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.error});
        if (menu) {
            EXPECT_EQ(menu->GetItem(1)->actionType, 0);
            EXPECT_EQ(menu->owner, owner);
            EXPECT_EQ(menu->GetItem(1)->parentMenu, menu);
        }
    }
    IconItem* owner = Owner();
    MenuImpl* first = owner->CreateMenu(3);
    LogCapture log;
    EXPECT_EQ(owner->CreateMenu(2), nullptr);
    EXPECT_EQ(owner->menu, first);
    EXPECT_EQ(log.Texts(wxLOG_Error), std::vector<std::string>{"Cannot create menu, already existed."});
}

TEST_F(MenuTree, BuildMenuReadsWhatItCanAndSaysWhatItCannot)
{
    struct Case {
        std::string name, xml;
        bool result;
        std::string tree;
        std::vector<std::string> errors;
    };
    const std::vector<Case> cases = {
        {"rows", "<menu type='3'>" + Row("a") + Row("b") + "</menu>", true, "3[a b]", {}},
        {"empty", "<menu type='3'/>", true, "3[]", {}},
        {"bad type", "<menu type='4'>" + Row("a") + "</menu>", false, "", {"Error parsing xml, invalid menu type."}},
        {"no number", "<menu type='x'/>", false, "", {"Error parsing xml, invalid menu type."}},
        {"not a menu", "<list type='3'/>", false, "", {"Error parsing xml, invalid menu node."}},
        {"stray", "<menu type='3'>" + Row("a") + "<stray/>" + Row("b") + "</menu>", false, "3[a]",
         {"Error parsing xml, invalid menu item."}},
        {"nested bad", "<menu type='1'>" + Icon("A", "<menu type='4'/>") + Icon("B", "<menu type='03'>" + Row("r") + "</menu>") + "</menu>",
         true, "1[A B:3[r]]", {"Error parsing xml, invalid menu type.", "Cannot build menu of 'A'."}},
        {"two menus", "<menu type='1'>" + Icon("A", "<menu type='3'>" + Row("r") + "</menu><menu type='2'/>") + "</menu>", true,
         "1[A:3[r]]", {"Cannot build menu, menu already existed.", "Cannot build menu of 'A'."}},
        {"menu first", "<menu type='1'><item><menu type='3'>" + Row("r") + "</menu><name>A</name></item></menu>", true,
         "1[Unknown:3[r]]", {"Error parsing xml, invalid item name."}},
        {"%s in a name", "<menu type='1'>" + Icon("%s%d", "<menu type='9'/>") + "</menu>", true, "1[%s%d]",
         {"Error parsing xml, invalid menu type.", "Cannot build menu of '%s%d'."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IconItem* owner = Owner();
        auto doc = Parse(c.xml);
        LogCapture log;
        EXPECT_EQ(owner->BuildMenu(doc->GetRoot()), c.result);
        EXPECT_EQ(owner->menu ? Describe(owner->menu) : "", c.tree);
        EXPECT_EQ(log.Texts(wxLOG_Error), c.errors);
    }
    IconItem* owner = Owner();
    owner->CreateMenu(3);
    LogCapture log;
    auto doc = Parse("<menu type='3'/>");
    EXPECT_FALSE(owner->BuildMenu(doc->GetRoot()));
    EXPECT_EQ(log.Texts(wxLOG_Error), std::vector<std::string>{"Cannot build menu, menu already existed."});
}

// A file nesting menus deeper than the bound is read down to the bound and no further.
TEST_F(MenuTree, NestingDeeperThanTheBoundIsRefusedThere)
{
    std::string xml = "<menu type='2'/>";
    for (int level = 0; level < MaxMenuDepth + 5; ++level)
        xml = "<menu type='2'>" + Row("L" + std::to_string(MaxMenuDepth + 4 - level), xml) + "</menu>";
    IconItem* owner = Owner();
    auto doc = Parse(xml);
    LogCapture log;
    EXPECT_TRUE(owner->BuildMenu(doc->GetRoot()));
    int depth = 0;
    for (MenuImpl* menu = owner->menu; menu; menu = menu->GetItem(1) ? menu->GetItem(1)->menu : nullptr)
        ++depth;
    EXPECT_EQ(depth, MaxMenuDepth);
    EXPECT_TRUE(log.Contains("menus nested deeper than 32 levels"));
    EXPECT_TRUE(log.Contains("Cannot build menu of 'L31'."));
}

TEST_F(MenuTree, SaveMenuLeavesOutBuiltInItemsWithTheirSubTrees)
{
    IconItem* owner = Owner();
    auto doc = Parse("<menu type='1'>" + Icon("A", "<menu type='3'>" + Row("r") + "</menu>") + "</menu>");
    ASSERT_TRUE(owner->BuildMenu(doc->GetRoot()));
    Menuable* plugins = owner->menu->Append("Plug-ins", ACTION_SUBMENU, "", SYMBOL_PLUGIN);
    plugins->CreateMenu(3);
    plugins->menu->Clear();
    plugins->menu->Append("HP Bar", ACTION_PLUGIN, "HP Bar", ICON_HELP);
    owner->menu->GetItem(1)->menu->Append("Logout", ACTION_QUIT, "", ICON_LOGOUT);

    wxXmlNode root(wxXML_ELEMENT_NODE, "Launcher");
    EXPECT_TRUE(owner->SaveMenu(&root));
    const std::string saved = Xml(&root);
    EXPECT_EQ(saved.find("Plug-ins"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("HP Bar"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("Logout"), std::string::npos) << saved;

    // What was saved builds the same tree again, less the built-in items.
    IconItem* copy = Owner();
    ASSERT_TRUE(copy->BuildMenu(root.GetChildren()));
    EXPECT_EQ(Describe(copy->menu), "1[A:3[r]]");
    EXPECT_EQ(static_cast<ListItem*>(copy->menu->GetItem(1)->menu->GetItem(1))->command, "true");

    IconItem* onlyBuiltIn = Owner();
    onlyBuiltIn->CreateMenu(3);
    onlyBuiltIn->menu->Clear();
    onlyBuiltIn->menu->Append("Option", ACTION_PREFERENCE, "", ICON_OPTION);
    wxXmlNode parent(wxXML_ELEMENT_NODE, "item");
    EXPECT_TRUE(onlyBuiltIn->SaveMenu(&parent));
    EXPECT_EQ(Xml(&parent), "\n<item><menu type=\"3\"/></item>\n");
    EXPECT_FALSE(Owner()->SaveMenu(&parent)); // nothing to save
    EXPECT_FALSE(onlyBuiltIn->SaveMenu(nullptr));
}

TEST_F(MenuTree, DestroyingAnItemDestroysItsSubTree)
{
    const int before = TopLevelCount();
    IconItem* owner = new IconItem(nullptr, "Owner", wxPoint(300, 400), BitmapManager::System(SYMBOL_INFO),
                                   BitmapManager::System(BITMAP_BUTTON));
    auto doc = Parse("<menu type='1'>" + Icon("A", "<menu type='3'>" + Row("r") + Row("s") + "</menu>") +
                     Icon("B", "<menu type='2'/>") + "</menu>");
    ASSERT_TRUE(owner->BuildMenu(doc->GetRoot()));
    EXPECT_GT(TopLevelCount(), before + 10);
    owner->Destroy();
    EXPECT_TRUE(PumpUntil([&] { return TopLevelCount() == before; })) << TopLevelCount() - before;
}

TEST_F(MenuTree, ItemsAreNumberedFromOne)
{
    IconItem* owner = Owner();
    auto doc = Parse("<menu type='3'>" + Row("a") + Row("b") + Row("c") + "</menu>");
    ASSERT_TRUE(owner->BuildMenu(doc->GetRoot()));
    MenuImpl* menu = owner->menu;
    IconItem* other = Owner(wxPoint(500, 400));
    other->CreateMenu(3);
    EXPECT_EQ(menu->GetItem(0), nullptr);
    EXPECT_EQ(menu->GetItem(4), nullptr);
    EXPECT_EQ(menu->GetItem(1)->name, "a");
    EXPECT_EQ(menu->IndexOf(menu->GetItem(3)), 3u);
    EXPECT_EQ(menu->IndexOf(nullptr), 0u);
    EXPECT_EQ(menu->IndexOf(other->menu->GetItem(1)), 0u);
    EXPECT_TRUE(TargetsRunParallel(*menu));
}

TEST_F(MenuTree, SwapDeleteAndClearKeepTheAnimatorParallel)
{
    IconItem* owner = Owner();
    auto doc = Parse("<menu type='3'>" + Row("a") + Row("b") + Row("c") + Row("d") + "</menu>");
    ASSERT_TRUE(owner->BuildMenu(doc->GetRoot()));
    MenuImpl* menu = owner->menu;
    ButtonImpl* a = menu->GetItem(1);
    const wxPoint aAt = a->GetPosition();

    EXPECT_TRUE(menu->MenuImpl::Swap(1, 4));
    EXPECT_EQ(Describe(menu), "3[d b c a]");
    EXPECT_EQ(a->GetPosition(), aAt); // the base moves no window
    EXPECT_TRUE(TargetsRunParallel(*menu));

    menu->selected = menu->GetItem(1);
    EXPECT_TRUE(menu->MenuImpl::Delete(1));
    EXPECT_EQ(menu->selected, nullptr);
    EXPECT_EQ(Describe(menu), "3[b c a]");
    EXPECT_TRUE(TargetsRunParallel(*menu));
    EXPECT_TRUE(menu->MenuImpl::Delete(3));
    EXPECT_EQ(Describe(menu), "3[b c]");
    EXPECT_TRUE(TargetsRunParallel(*menu));

    LogCapture log;
    EXPECT_FALSE(menu->MenuImpl::Swap(0, 1));
    EXPECT_FALSE(menu->MenuImpl::Delete(3));
    EXPECT_EQ(log.Texts(wxLOG_Error), (std::vector<std::string>{"Cannot swap menu item, specified index is Invalid.",
                                                                "Cannot delete menu item, specified index is Invalid."}));

    menu->selected = menu->GetItem(2);
    menu->Clear();
    EXPECT_EQ(menu->GetCount(), 0u);
    EXPECT_EQ(menu->selected, nullptr);
    EXPECT_TRUE(TargetsRunParallel(*menu));
    menu->Clear(); // an empty menu only empties the animator again
    EXPECT_TRUE(TargetsRunParallel(*menu));
}

TEST_F(MenuTree, SwapAndDeleteWhileAnimatingChangeNothing)
{
    IconItem* owner = Owner();
    auto doc = Parse("<menu type='3'>" + Row("a") + Row("b") + "</menu>");
    ASSERT_TRUE(owner->BuildMenu(doc->GetRoot()));
    MenuImpl* menu = owner->menu;
    ASSERT_TRUE(menu->Show(true));
    ASSERT_TRUE(menu->animator.IsRunning());
    LogCapture log;
    EXPECT_FALSE(menu->MenuImpl::Swap(1, 2));
    EXPECT_FALSE(menu->MenuImpl::Delete(1));
    EXPECT_EQ(log.Texts(wxLOG_Error), (std::vector<std::string>{"Error deleting menu item, cannot swap animator target.",
                                                                "Error deleting menu item, cannot remove animator target."}));
    EXPECT_EQ(Describe(menu), "3[a b]");
    EXPECT_TRUE(TargetsRunParallel(*menu));
    Settle();
}

TEST_F(MenuTree, TheIndicatorMarksItemsWhoseListIsOpen)
{
    IconItem* column = Owner(wxPoint(100, 100));
    column->CreateMenu(1);
    MenuImpl* menu = column->menu;
    Menuable* withList = menu->Append("list", 0, "", ICON_HELP);
    Menuable* withCatalog = menu->Append("catalog", 0, "", ICON_HELP);
    withList->CreateMenu(3);
    withList->menu->Append("second", 0, "", ICON_HELP);
    withList->menu->Append("third", 0, "", ICON_HELP);
    withCatalog->CreateMenu(2);
    ButtonImpl* listItem = menu->GetItem(2);
    listItem->ShowAt(wxPoint(100, 300), 255);
    listItem->Show();

    menu->SelectItem(listItem);
    Settle();
    EXPECT_TRUE(menu->indicator->IsShown());
    EXPECT_EQ(menu->indicator->shownSize.y, 150);
    EXPECT_EQ(menu->indicator->GetPosition().x, 100 + 60 + 6);
    EXPECT_EQ(menu->indicator->GetPosition().y, 300 + (60 - 260) / 2);

    menu->SelectItem(menu->GetItem(3)); // a catalog: the marker fades away
    Settle();
    EXPECT_FALSE(menu->indicator->IsShown());
    menu->SelectItem(nullptr);
    EXPECT_FALSE(menu->indicator->IsShown());
}

} // namespace
