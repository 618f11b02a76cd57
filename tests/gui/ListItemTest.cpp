// List rows on their own: the editor flow and the faces of a row read from an
// element without icon files.
#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/mstream.h>
#include <wx/testing.h>
#include <wx/xml/xml.h>

#include "ActionOptionPanel.h"
#include "LauncherFixture.h"
#include "ListItem.h"

using zyntest::ExpectEditor;
using zyntest::LauncherTest;
using zyntest::SamePixels;

namespace {

class ListItemTest : public LauncherTest {
protected:
    ListItem* Row(const wxString& name, const Frames& icons)
    {
        return Keep(new ListItem(nullptr, name, wxPoint(300, 300), icons, BitmapManager::System(BITMAP_LIST)));
    }
    // Face k of the row, composed first: rows compose each face when it is first used.
    static const Picture& Face(ListItem* row, int k)
    {
        row->FaceOf(k);
        return row->frames[k];
    }
};

TEST_F(ListItemTest, EditTakesTheEditorsValuesOrNothing)
{
    ListItem* row = Row("row", BitmapManager::System(ICON_HELP));
    row->SetAction(ACTION_COMMAND, "true");
    const Picture before = Face(row, 0);

    wxTEST_DIALOG(EXPECT_FALSE(row->Edit()), ExpectEditor([](IconSettingDialog& d) {
                      EXPECT_EQ(d.GetItemName(), "row");
                      EXPECT_EQ(d.GetActionType(), ACTION_COMMAND);
                      EXPECT_EQ(d.GetActionCommand(), "true");
                      d.SetItemName("ignored");
                      d.SetActionType(ACTION_FOLDER);
                      return wxID_CANCEL;
                  }));
    EXPECT_EQ(row->name, "row");
    EXPECT_EQ(row->actionType, ACTION_COMMAND);
    EXPECT_EQ(row->command, "true");
    EXPECT_TRUE(Face(row, 0).SharesPixelsWith(before));

    // Accepted with the action box unchecked: no action, and the faces show the new name.
    wxTEST_DIALOG(EXPECT_TRUE(row->Edit()), ExpectEditor([](IconSettingDialog& d) {
                      d.SetItemName("renamed");
                      d.PanelAction->CheckBoxAction->SetValue(false);
                      return wxID_OK;
                  }));
    EXPECT_EQ(row->name, "renamed");
    EXPECT_EQ(row->GetLabel(), "renamed");
    EXPECT_EQ(row->actionType, ACTION_NONE);
    EXPECT_EQ(row->command, "");
    EXPECT_TRUE(SamePixels(Face(row, 0), Face(Row("renamed", BitmapManager::System(ICON_HELP)), 0)));
}

TEST_F(ListItemTest, ElementWithoutIconFilesShowsTheHelpIcon)
{
    const std::string xml =
        "<item><name>n</name><icon><normal/><hover/><press/></icon><action><type>0</type><command/></action></item>";
    wxXmlDocument doc;
    wxMemoryInputStream in(xml.data(), xml.size());
    ASSERT_TRUE(doc.Load(in));
    ListItem* read = Keep(new ListItem(nullptr, doc.GetRoot()));
    ListItem* help = Row("n", BitmapManager::System(ICON_HELP));
    for (size_t k = 0; k < 3; ++k)
        EXPECT_TRUE(SamePixels(Face(read, static_cast<int>(k)), Face(help, static_cast<int>(k)))) << k;
    EXPECT_FALSE(SamePixels(Face(read, 0), Face(Row("n", BitmapManager::System(ICON_ADD)), 0)));
}

} // namespace
