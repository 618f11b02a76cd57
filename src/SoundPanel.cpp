#include "SoundPanel.h"

#include <wx/intl.h>
#include <wx/sizer.h>

#include "FormLayout.h"

const long SoundPanel::ID_STATICTEXT_TITLE = wxNewId();
const long SoundPanel::ID_STATICLINE_TITLE = wxNewId();
const long SoundPanel::ID_CHECKBOX_SOUND = wxNewId();
const long SoundPanel::ID_LISTCTRL_EVENT_LIST = wxNewId();
const long SoundPanel::ID_STATICTEXT_DESCRIP = wxNewId();
const long SoundPanel::ID_CHECKBOX_SWITCH = wxNewId();
const long SoundPanel::ID_BUTTON_CLEAR = wxNewId();
const long SoundPanel::ID_BUTTON_BROWSE = wxNewId();

wxBEGIN_EVENT_TABLE(SoundPanel, wxPanel)
wxEND_EVENT_TABLE()

namespace {

// The event sounds in the order of their numbers.
const char* const EventNames[] = {
    wxTRANSLATE("Program Start"), wxTRANSLATE("Launcher Show"), wxTRANSLATE("Launcher Hide"), wxTRANSLATE("Item Select"),
    wxTRANSLATE("Menu Popup"),    wxTRANSLATE("Messages"),      wxTRANSLATE("Notification"),
};

} // namespace

SoundPanel::SoundPanel(wxWindow* parent)
{
    Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "wxID_ANY");

    StaticTextTitle = new wxStaticText(this, ID_STATICTEXT_TITLE, _("Sound Settings"), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT_TITLE");
    StaticTextTitle->SetFont(form::TitleFont());
    StaticLineTitle = new wxStaticLine(this, ID_STATICLINE_TITLE, wxDefaultPosition, wxSize(10, -1), wxLI_HORIZONTAL, "ID_STATICLINE_TITLE");
    CheckBoxSound = new wxCheckBox(this, ID_CHECKBOX_SOUND, _("Enable Sounds"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_CHECKBOX_SOUND");
    CheckBoxSound->SetValue(true);
    ListCtrlEventList = new wxListCtrl(this, ID_LISTCTRL_EVENT_LIST, wxDefaultPosition, wxDefaultSize, wxLC_REPORT, wxDefaultValidator, "ID_LISTCTRL_EVENT_LIST");
    form::AddColumns(ListCtrlEventList, {{wxTRANSLATE("Events"), 90}, {wxTRANSLATE("Sound files"), 250}, {wxTRANSLATE("Enable"), 50}});
    long row = 0;
    for (const char* name : EventNames) {
        ListCtrlEventList->InsertItem(row, wxGetTranslation(name));
        ListCtrlEventList->SetItem(row, 2, _("Yes"));
        ++row;
    }
    form::FitColumnsToCells(ListCtrlEventList);
    ListCtrlEventList->Disable();
    StaticTextDescrip = new wxStaticText(this, ID_STATICTEXT_DESCRIP, _("Keep -Sound files- field blank to use system default."), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT_DESCRIP");
    StaticTextDescrip->Disable();
    CheckBoxSwitch = new wxCheckBox(this, ID_CHECKBOX_SWITCH, _("Enable"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_CHECKBOX_SWITCH");
    CheckBoxSwitch->SetValue(true);
    CheckBoxSwitch->Disable();
    ButtonClear = new wxButton(this, ID_BUTTON_CLEAR, _("Clear"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_BUTTON_CLEAR");
    ButtonClear->Disable();
    ButtonBrowse = new wxButton(this, ID_BUTTON_BROWSE, _("Browse..."), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_BUTTON_BROWSE");
    ButtonBrowse->Disable();

    using form::ItemFlags;
    auto* page = new wxBoxSizer(wxVERTICAL);
    form::AddTitle(page, StaticTextTitle, StaticLineTitle);
    page->Add(CheckBoxSound, 0, ItemFlags(wxALL, true), 6);
    page->Add(ListCtrlEventList, 1, ItemFlags(wxALL, true), 5);
    page->Add(StaticTextDescrip, 0, ItemFlags(wxBOTTOM | wxLEFT | wxRIGHT, true), 5);
    page->Add(form::Row({{CheckBoxSwitch, 1}, {ButtonClear, 0}, {ButtonBrowse, 0}}), 0, ItemFlags(wxALL, true), 5);
    SetSizer(page);
    page->Fit(this);
    page->SetSizeHints(this);
}

SoundPanel::~SoundPanel() = default;
