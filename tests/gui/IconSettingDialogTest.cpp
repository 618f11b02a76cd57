// The item editor dialog: its accessors, its presets, the pages it shows for
// each kind of item, its prompts and its icon chooser.
#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/filepicker.h>
#include <wx/radiobut.h>
#include <wx/statbmp.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "ActionOptionPanel.h"
#include "IconSettingDialog.h"
#include "InfoOptionPanel.h"
#include "SubMenuOptionPanel.h"
#include "TestSupport.h"

namespace {

TEST(IconSettingDialog, BuildsEveryKind)
{
    for (int kind : {0, 1, 2, 7, -1}) {
        IconSettingDialog dialog(nullptr, kind);
        EXPECT_EQ(dialog.GetName(), "wxID_ANY");
        EXPECT_EQ(dialog.TextCtrlName->GetName(), "ID_TEXTCTRL_NAME");
    }
}

} // namespace
