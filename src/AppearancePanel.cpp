#include "AppearancePanel.h"

#include <wx/intl.h>
#include <wx/settings.h>
#include <wx/sizer.h>

#include "FormLayout.h"

const long AppearancePanel::ID_STATICTEXT_TITLE = wxNewId();
const long AppearancePanel::ID_STATICLINE_TITLE = wxNewId();
const long AppearancePanel::ID_STATICTEXT3 = wxNewId();
const long AppearancePanel::ID_RADIOBUTTON_CURSOR = wxNewId();
const long AppearancePanel::ID_RADIOBUTTON_FIXED = wxNewId();
const long AppearancePanel::ID_CHOICE_POS = wxNewId();
const long AppearancePanel::ID_STATICTEXT_DENSITY = wxNewId();
const long AppearancePanel::ID_STATICTEXT_THIN = wxNewId();
const long AppearancePanel::ID_SLIDER_Density = wxNewId();
const long AppearancePanel::ID_STATICTEXT_THICK = wxNewId();
const long AppearancePanel::ID_STATICTEXT_SPEED = wxNewId();
const long AppearancePanel::ID_RADIOBUTTON_FAST = wxNewId();
const long AppearancePanel::ID_RADIOBUTTON_NORMAL = wxNewId();
const long AppearancePanel::ID_RADIOBUTTON_SLOW = wxNewId();
const long AppearancePanel::ID_CHECKBOX_SPLASH = wxNewId();
const long AppearancePanel::ID_STATICTEXT_SPLASH_DESCRIP = wxNewId();
const long AppearancePanel::ID_CHECKBOX1 = wxNewId();
const long AppearancePanel::ID_FILEPICKERCTRL_FONT = wxNewId();
const long AppearancePanel::ID_STATICTEXT1 = wxNewId();
const long AppearancePanel::ID_STATICTEXT_NOTIFY_SEPERATOR = wxNewId();
const long AppearancePanel::ID_STATICLINE_NOTIFY_SEPERATOR = wxNewId();
const long AppearancePanel::ID_STATICTEXT_TIMEOUT = wxNewId();
const long AppearancePanel::ID_CHOICE_TIMEOUT = wxNewId();
const long AppearancePanel::ID_STATICTEXT_Limit = wxNewId();
const long AppearancePanel::ID_CHOICE_LIMIT = wxNewId();

wxBEGIN_EVENT_TABLE(AppearancePanel, wxPanel)
wxEND_EVENT_TABLE()

AppearancePanel::AppearancePanel(wxWindow* parent)
{
    Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "wxID_ANY");

    StaticTextTitle = new wxStaticText(this, ID_STATICTEXT_TITLE, _("Appearance Settings"), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT_TITLE");
    StaticTextTitle->SetFont(form::TitleFont());
    StaticLineTitle = new wxStaticLine(this, ID_STATICLINE_TITLE, wxDefaultPosition, wxSize(10, -1), wxLI_HORIZONTAL, "ID_STATICLINE_TITLE");
    StaticText3 = new wxStaticText(this, ID_STATICTEXT3, _("Launcher Position"), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT3");
    RadioButtonCursor = new wxRadioButton(this, ID_RADIOBUTTON_CURSOR, _("Follow Cursor"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_RADIOBUTTON_CURSOR");
    RadioButtonCursor->SetValue(true);
    RadioButtonFixed = new wxRadioButton(this, ID_RADIOBUTTON_FIXED, _("Fixed:"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_RADIOBUTTON_FIXED");
    ChoicePos = form::NewChoice(this, ID_CHOICE_POS, "ID_CHOICE_POS", {wxTRANSLATE("Left"), wxTRANSLATE("Central"), wxTRANSLATE("Right")}, 0);
    ChoicePos->Disable();
    StaticTextDensity = new wxStaticText(this, ID_STATICTEXT_DENSITY, _("Background Density"), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT_DENSITY");
    StaticTextThin = new wxStaticText(this, ID_STATICTEXT_THIN, _("Thin"), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT_THIN");
    SliderDensity = new wxSlider(this, ID_SLIDER_Density, 150, 5, 255, wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_SLIDER_Density");
    StaticTextThick = new wxStaticText(this, ID_STATICTEXT_THICK, _("Thick"), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT_THICK");
    StaticTextSpeed = new wxStaticText(this, ID_STATICTEXT_SPEED, _("Animation Speed"), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT_SPEED");
    RadioButtonFast = new wxRadioButton(this, ID_RADIOBUTTON_FAST, _("Fast"), wxDefaultPosition, wxDefaultSize, wxRB_GROUP, wxDefaultValidator, "ID_RADIOBUTTON_FAST");
    RadioButtonNormal = new wxRadioButton(this, ID_RADIOBUTTON_NORMAL, _("Normal"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_RADIOBUTTON_NORMAL");
    RadioButtonNormal->SetValue(true);
    RadioButtonSlow = new wxRadioButton(this, ID_RADIOBUTTON_SLOW, _("Slow"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_RADIOBUTTON_SLOW");
    CheckBoxSplash = new wxCheckBox(this, ID_CHECKBOX_SPLASH, _("Show Splash"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_CHECKBOX_SPLASH");
    CheckBoxSplash->SetValue(true);
    StaticTextSplashDescrip = new wxStaticText(this, ID_STATICTEXT_SPLASH_DESCRIP, _("- Show splash screen on start-up."), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT_SPLASH_DESCRIP");
    StaticTextSplashDescrip->Disable();
    CheckBox1 = new wxCheckBox(this, ID_CHECKBOX1, _("Custom Font"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_CHECKBOX1");
    CheckBox1->Disable();
    FilePickerCtrlFont = new wxFilePickerCtrl(this, ID_FILEPICKERCTRL_FONT, wxEmptyString, wxEmptyString, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                              wxFLP_OPEN | wxFLP_FILE_MUST_EXIST | wxFLP_USE_TEXTCTRL, wxDefaultValidator, "ID_FILEPICKERCTRL_FONT");
    FilePickerCtrlFont->Disable();
    FilePickerCtrlFont->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    StaticText1 = new wxStaticText(this, ID_STATICTEXT1, _("Restarting program to accept your font."), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT1");
    StaticText1->Disable();
    StaticTextNotifySeperator = new wxStaticText(this, ID_STATICTEXT_NOTIFY_SEPERATOR, _("Notifications"), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT_NOTIFY_SEPERATOR");
    StaticLineNotifySeperator = new wxStaticLine(this, ID_STATICLINE_NOTIFY_SEPERATOR, wxDefaultPosition, wxSize(10, -1), wxLI_HORIZONTAL, "ID_STATICLINE_NOTIFY_SEPERATOR");
    StaticTextTimeout = new wxStaticText(this, ID_STATICTEXT_TIMEOUT, _("Default Message Timeout"), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT_TIMEOUT");
    ChoiceTimeout = form::NewChoice(this, ID_CHOICE_TIMEOUT, "ID_CHOICE_TIMEOUT",
                              {wxTRANSLATE("5 seconds"), wxTRANSLATE("15 seconds"), wxTRANSLATE("30 seconds"), wxTRANSLATE("1 miniute"), wxTRANSLATE("Never")}, 0);
    ChoiceTimeout->Disable();
    StaticTextLimit = new wxStaticText(this, ID_STATICTEXT_Limit, _("Max Message Limit"), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT_Limit");
    ChoiceLimit = form::NewChoice(this, ID_CHOICE_LIMIT, "ID_CHOICE_LIMIT", {wxTRANSLATE("No Limit"), wxTRANSLATE("5"), wxTRANSLATE("10")}, 0);
    ChoiceLimit->Disable();

    using form::ItemFlags;
    using form::Row;
    auto* page = new wxBoxSizer(wxVERTICAL);
    form::AddTitle(page, StaticTextTitle, StaticLineTitle);
    page->Add(Row({{StaticText3, 1}, {RadioButtonCursor, 0}, {RadioButtonFixed, 0}, {ChoicePos, 0}}), 0, ItemFlags(wxTOP | wxLEFT | wxRIGHT, true), 5);
    page->Add(Row({{StaticTextDensity, 1}, {StaticTextThin, 0}, {SliderDensity, 1}, {StaticTextThick, 0}}), 0, ItemFlags(wxLEFT | wxRIGHT, true), 5);
    page->Add(Row({{StaticTextSpeed, 1}, {RadioButtonFast, 0}, {RadioButtonNormal, 0}, {RadioButtonSlow, 0}}), 0, ItemFlags(wxLEFT | wxRIGHT, true), 5);
    page->Add(Row({{CheckBoxSplash, 1}, {StaticTextSplashDescrip, 0}}), 0, ItemFlags(wxLEFT | wxRIGHT, true), 5);
    page->Add(Row({{CheckBox1, 0}, {FilePickerCtrlFont, 1}}), 0, ItemFlags(wxLEFT | wxRIGHT, true), 5);
    page->Add(StaticText1, 0, ItemFlags(wxLEFT | wxRIGHT, true), 10);
    form::AddHeading(page, StaticTextNotifySeperator, StaticLineNotifySeperator);
    page->Add(Row({{StaticTextTimeout, 1}, {ChoiceTimeout, 1}}), 0, ItemFlags(wxLEFT | wxRIGHT, true), 5);
    page->Add(Row({{StaticTextLimit, 1}, {ChoiceLimit, 1}}), 0, ItemFlags(wxBOTTOM | wxLEFT | wxRIGHT, true), 5);
    SetSizer(page);
    page->Fit(this);
    page->SetSizeHints(this);

    Bind(wxEVT_RADIOBUTTON, &AppearancePanel::OnCursorSelect, this, ID_RADIOBUTTON_CURSOR);
    Bind(wxEVT_RADIOBUTTON, &AppearancePanel::OnFixedSelect, this, ID_RADIOBUTTON_FIXED);
}

AppearancePanel::~AppearancePanel() = default;

void AppearancePanel::UpdateControls()
{
    ChoicePos->Enable(RadioButtonFixed->GetValue());
}

void AppearancePanel::OnCursorSelect(wxCommandEvent&)
{
    ChoicePos->Disable();
}

void AppearancePanel::OnFixedSelect(wxCommandEvent&)
{
    ChoicePos->Enable();
}
