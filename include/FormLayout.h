// Layout pieces shared by the toolkit form pages: the bold title with its line,
// and rows of controls, each bordered and centred in its row.
#pragma once

#include <initializer_list>
#include <vector>

#include <wx/defs.h>
#include <wx/font.h>
#include <wx/sizer.h>

class wxChoice;
class wxListCtrl;
class wxWindow;

namespace form {

// The system's default GUI font made bold: the font of page titles.
wxFont TitleFont();

// Sizer flags of an item with a border on sides, centred in its sizer, or
// stretched across it when expand is set (the toolkit refuses alignment then).
int ItemFlags(int sides, bool expand = false);

// One control of a row and its proportion; a null control is a stretching spacer.
struct Cell {
    wxWindow* control;
    int proportion;
};

// A box of cells, each with a 5-pixel border on all sides, centred.
wxBoxSizer* Row(std::initializer_list<Cell> cells, int orient = wxHORIZONTAL);

// A choice holding the translations of items, with the item selected selected.
wxChoice* NewChoice(wxWindow* parent, long id, const char* name, const std::vector<const char*>& items, int selected);

// A column of a report list: its heading (translated here) and width in pixels.
struct Column {
    const char* heading;
    int width;
};

// Appends left-aligned columns to a report list.
void AddColumns(wxListCtrl* list, std::initializer_list<Column> columns);

// Widens each column narrower than its widest cell: the toolkit's font needs
// more room than the widths were chosen for, and a cut cell shows an ellipsis.
void FitColumnsToCells(wxListCtrl* list);

// The two rows that open a page: the title, then the line under it.
void AddTitle(wxBoxSizer* page, wxWindow* title, wxWindow* line);

// A heading with a line stretching after it, as a row of page.
void AddHeading(wxBoxSizer* page, wxWindow* heading, wxWindow* line);

} // namespace form
