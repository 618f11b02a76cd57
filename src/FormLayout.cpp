#include "FormLayout.h"

#include <algorithm>

#include <wx/choice.h>
#include <wx/intl.h>
#include <wx/listctrl.h>
#include <wx/settings.h>
#include <wx/window.h>

namespace form {

wxFont TitleFont()
{
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    if (!font.IsOk())
        font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    font.SetWeight(wxFONTWEIGHT_BOLD);
    return font;
}

int ItemFlags(int sides, bool expand)
{
    return sides | (expand ? int(wxEXPAND) : int(wxALIGN_CENTER));
}

wxBoxSizer* Row(std::initializer_list<Cell> cells, int orient)
{
    auto* row = new wxBoxSizer(orient);
    for (const Cell& cell : cells) {
        if (cell.control)
            row->Add(cell.control, cell.proportion, ItemFlags(wxALL), 5);
        else
            row->Add(-1, -1, cell.proportion, ItemFlags(wxALL), 5);
    }
    return row;
}

wxChoice* NewChoice(wxWindow* parent, long id, const char* name, const std::vector<const char*>& items, int selected)
{
    auto* choice = new wxChoice(parent, id, wxDefaultPosition, wxDefaultSize, 0, nullptr, 0, wxDefaultValidator, name);
    for (const char* item : items)
        choice->Append(wxGetTranslation(item));
    choice->SetSelection(selected);
    return choice;
}

void AddColumns(wxListCtrl* list, std::initializer_list<Column> columns)
{
    for (const Column& column : columns) {
        const long index = list->InsertColumn(list->GetColumnCount(), wxGetTranslation(column.heading), wxLIST_FORMAT_LEFT, wxLIST_AUTOSIZE);
        list->SetColumnWidth(index, column.width);
    }
}

void FitColumnsToCells(wxListCtrl* list)
{
    for (int column = 0; column < list->GetColumnCount(); ++column) {
        const int chosen = list->GetColumnWidth(column);
        list->SetColumnWidth(column, wxLIST_AUTOSIZE);
        list->SetColumnWidth(column, std::max(chosen, list->GetColumnWidth(column)));
    }
}

void AddTitle(wxBoxSizer* page, wxWindow* title, wxWindow* line)
{
    page->Add(Row({{title, 1}}, wxVERTICAL), 0, ItemFlags(wxTOP | wxLEFT | wxRIGHT), 5);
    page->Add(Row({{line, 1}}), 0, ItemFlags(0, true), 5);
}

void AddHeading(wxBoxSizer* page, wxWindow* heading, wxWindow* line)
{
    page->Add(Row({{heading, 0}, {line, 1}}), 0, ItemFlags(wxTOP | wxLEFT | wxRIGHT, true), 5);
}

} // namespace form
