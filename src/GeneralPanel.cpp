#include "GeneralPanel.h"

#include <vector>

#include <wx/intl.h>
#include <wx/sizer.h>

#include "FormLayout.h"

const long GeneralPanel::ID_STATICTEXT_TITLE = wxNewId();
const long GeneralPanel::ID_STATICLINE_TITLE = wxNewId();
const long GeneralPanel::ID_STATICTEXT_TIMEOUT = wxNewId();
const long GeneralPanel::ID_RADIOBUTTON_TIMEOUT_SHORT = wxNewId();
const long GeneralPanel::ID_RADIOBUTTON_TIMEOUT_NORMAL = wxNewId();
const long GeneralPanel::ID_RADIOBUTTON_TIMEOUT_LONG = wxNewId();
const long GeneralPanel::ID_CHECKBOX_LOCK_LAUNCHER = wxNewId();
const long GeneralPanel::ID_STATICTEXT_LOCK_DESCRIP = wxNewId();
const long GeneralPanel::ID_STATICTEXT_HOTKEY_SEPERATOR = wxNewId();
const long GeneralPanel::ID_STATICLINE_HOTKEY_SEPERATOR = wxNewId();
const long GeneralPanel::ID_CHECKBOX_GESTURE = wxNewId();
const long GeneralPanel::ID_STATICTEXT_SENSITIVE = wxNewId();
const long GeneralPanel::ID_CHOICE_SENSITIVE = wxNewId();
const long GeneralPanel::ID_STATICTEXT_GESTURE_DESCRIP = wxNewId();
const long GeneralPanel::ID_CHECKBOX_HOTKEY = wxNewId();
const long GeneralPanel::ID_CHECKBOX_CTRL = wxNewId();
const long GeneralPanel::ID_CHECKBOX_SHIFT = wxNewId();
const long GeneralPanel::ID_CHECKBOX_ALT = wxNewId();
const long GeneralPanel::ID_CHECKBOX_WIN = wxNewId();
const long GeneralPanel::ID_STATICTEXT_KEY = wxNewId();
const long GeneralPanel::ID_CHOICE_KEY = wxNewId();
const long GeneralPanel::ID_CHECKBOX_REMAP = wxNewId();
const long GeneralPanel::ID_STATICTEXT_MISC_SEPERATOR = wxNewId();
const long GeneralPanel::ID_STATICLINE_MISC_SEPERATOR = wxNewId();
const long GeneralPanel::ID_CHECKBOX_STARTUP = wxNewId();
const long GeneralPanel::ID_CHECKBOX_UPDATE = wxNewId();
const long GeneralPanel::ID_CHECKBOX_VERBOSE = wxNewId();

wxBEGIN_EVENT_TABLE(GeneralPanel, wxPanel)
wxEND_EVENT_TABLE()

namespace {

// The keys a hot key can use: the letters, the grave accent, the digits 1 to 0
// and the three punctuation keys of the top row.
const std::vector<const char*> HotkeyKeys = {
    wxTRANSLATE("A"), wxTRANSLATE("B"), wxTRANSLATE("C"), wxTRANSLATE("D"), wxTRANSLATE("E"),
    wxTRANSLATE("F"), wxTRANSLATE("G"), wxTRANSLATE("H"), wxTRANSLATE("I"), wxTRANSLATE("J"),
    wxTRANSLATE("K"), wxTRANSLATE("L"), wxTRANSLATE("M"), wxTRANSLATE("N"), wxTRANSLATE("O"),
    wxTRANSLATE("P"), wxTRANSLATE("Q"), wxTRANSLATE("R"), wxTRANSLATE("S"), wxTRANSLATE("T"),
    wxTRANSLATE("U"), wxTRANSLATE("V"), wxTRANSLATE("W"), wxTRANSLATE("X"), wxTRANSLATE("Y"),
    wxTRANSLATE("Z"), wxTRANSLATE("`"), wxTRANSLATE("1"), wxTRANSLATE("2"), wxTRANSLATE("3"),
    wxTRANSLATE("4"), wxTRANSLATE("5"), wxTRANSLATE("6"), wxTRANSLATE("7"), wxTRANSLATE("8"),
    wxTRANSLATE("9"), wxTRANSLATE("0"), wxTRANSLATE("-"), wxTRANSLATE("="), wxTRANSLATE("\\"),
};

} // namespace

GeneralPanel::GeneralPanel(wxWindow* parent)
{
    Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "wxID_ANY");

    StaticTextTitle = new wxStaticText(this, ID_STATICTEXT_TITLE, _("General Settings"), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT_TITLE");
    StaticTextTitle->SetFont(form::TitleFont());
    StaticLineTitle = new wxStaticLine(this, ID_STATICLINE_TITLE, wxDefaultPosition, wxSize(10, -1), wxLI_HORIZONTAL, "ID_STATICLINE_TITLE");
    StaticTextTimeout = new wxStaticText(this, ID_STATICTEXT_TIMEOUT, _("Long-press Timeout"), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT_TIMEOUT");
    RadioButtonTimeoutShort = new wxRadioButton(this, ID_RADIOBUTTON_TIMEOUT_SHORT, _("Short"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_RADIOBUTTON_TIMEOUT_SHORT");
    RadioButtonTimeoutNormal = new wxRadioButton(this, ID_RADIOBUTTON_TIMEOUT_NORMAL, _("Normal"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_RADIOBUTTON_TIMEOUT_NORMAL");
    RadioButtonTimeoutNormal->SetValue(true);
    RadioButtonTimeoutLong = new wxRadioButton(this, ID_RADIOBUTTON_TIMEOUT_LONG, _("Long"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_RADIOBUTTON_TIMEOUT_LONG");
    CheckBoxLockLauncher = new wxCheckBox(this, ID_CHECKBOX_LOCK_LAUNCHER, _("Lock Launcher"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_CHECKBOX_LOCK_LAUNCHER");
    StaticTextLockDescrip = new wxStaticText(this, ID_STATICTEXT_LOCK_DESCRIP, _("- Disable editing launcher items."), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT_LOCK_DESCRIP");
    StaticTextLockDescrip->Disable();
    StaticTextHotkeySeperator = new wxStaticText(this, ID_STATICTEXT_HOTKEY_SEPERATOR, _("Hotkeys"), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT_HOTKEY_SEPERATOR");
    StaticLineHotkeySeperator = new wxStaticLine(this, ID_STATICLINE_HOTKEY_SEPERATOR, wxDefaultPosition, wxSize(10, -1), wxLI_HORIZONTAL, "ID_STATICLINE_HOTKEY_SEPERATOR");
    CheckBoxGesture = new wxCheckBox(this, ID_CHECKBOX_GESTURE, _("Enable Mouse Gesture"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_CHECKBOX_GESTURE");
    CheckBoxGesture->SetValue(true);
    StaticTextSensitive = new wxStaticText(this, ID_STATICTEXT_SENSITIVE, _("Sensitive"), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT_SENSITIVE");
    ChoiceSensitive = form::NewChoice(this, ID_CHOICE_SENSITIVE, "ID_CHOICE_SENSITIVE", {wxTRANSLATE("Low"), wxTRANSLATE("Normal"), wxTRANSLATE("High")}, 1);
    StaticTextGestureDescrip = new wxStaticText(this, ID_STATICTEXT_GESTURE_DESCRIP, _("Hold LMB and RMB, then slide to launch."), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT_GESTURE_DESCRIP");
    StaticTextGestureDescrip->Disable();
    CheckBoxHotkey = new wxCheckBox(this, ID_CHECKBOX_HOTKEY, _("Enable Hotkey"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_CHECKBOX_HOTKEY");
    CheckBoxCtrl = new wxCheckBox(this, ID_CHECKBOX_CTRL, _("Ctrl"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_CHECKBOX_CTRL");
    CheckBoxShift = new wxCheckBox(this, ID_CHECKBOX_SHIFT, _("Shift"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_CHECKBOX_SHIFT");
    CheckBoxAlt = new wxCheckBox(this, ID_CHECKBOX_ALT, _("Alt"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_CHECKBOX_ALT");
    CheckBoxWin = new wxCheckBox(this, ID_CHECKBOX_WIN, _("Win"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_CHECKBOX_WIN");
    CheckBoxWin->SetValue(true);
    StaticTextKey = new wxStaticText(this, ID_STATICTEXT_KEY, _("+ Key"), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT_KEY");
    ChoiceKey = form::NewChoice(this, ID_CHOICE_KEY, "ID_CHOICE_KEY", HotkeyKeys, 0);
    EnableHotkeyControls(false);
    CheckBoxRemap = new wxCheckBox(this, ID_CHECKBOX_REMAP, _("Remap Win-Key"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_CHECKBOX_REMAP");
    CheckBoxRemap->Disable();
    StaticTextMiscSeperator = new wxStaticText(this, ID_STATICTEXT_MISC_SEPERATOR, _("MISC."), wxDefaultPosition, wxDefaultSize, 0, "ID_STATICTEXT_MISC_SEPERATOR");
    StaticLineMiscSeperator = new wxStaticLine(this, ID_STATICLINE_MISC_SEPERATOR, wxDefaultPosition, wxSize(10, -1), wxLI_HORIZONTAL, "ID_STATICLINE_MISC_SEPERATOR");
    CheckBoxStartup = new wxCheckBox(this, ID_CHECKBOX_STARTUP, _("Start with Windows"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_CHECKBOX_STARTUP");
    CheckBoxUpdate = new wxCheckBox(this, ID_CHECKBOX_UPDATE, _("Check for Update"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_CHECKBOX_UPDATE");
    CheckBoxUpdate->SetValue(true);
    CheckBoxVerbose = new wxCheckBox(this, ID_CHECKBOX_VERBOSE, _("Verbose Mode"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "ID_CHECKBOX_VERBOSE");

    using form::ItemFlags;
    using form::Row;
    auto* page = new wxBoxSizer(wxVERTICAL);
    form::AddTitle(page, StaticTextTitle, StaticLineTitle);
    wxBoxSizer* timeout = Row({{StaticTextTimeout, 1}});
    timeout->Add(Row({{RadioButtonTimeoutShort, 1}, {RadioButtonTimeoutNormal, 1}, {RadioButtonTimeoutLong, 1}}), 1, ItemFlags(0), 0);
    page->Add(timeout, 0, ItemFlags(wxTOP | wxLEFT | wxRIGHT, true), 5);
    page->Add(Row({{CheckBoxLockLauncher, 1}, {StaticTextLockDescrip, 0}}), 0, ItemFlags(wxLEFT | wxRIGHT, true), 5);
    form::AddHeading(page, StaticTextHotkeySeperator, StaticLineHotkeySeperator);
    page->Add(Row({{CheckBoxGesture, 1}, {StaticTextSensitive, 0}, {ChoiceSensitive, 0}}), 0, ItemFlags(wxLEFT | wxRIGHT, true), 5);
    page->Add(StaticTextGestureDescrip, 0, ItemFlags(wxLEFT | wxRIGHT, true), 10);
    auto* hotkey = new wxBoxSizer(wxHORIZONTAL);
    hotkey->Add(CheckBoxHotkey, 0, ItemFlags(wxALL, true), 5);
    page->Add(hotkey, 0, ItemFlags(wxLEFT | wxRIGHT, true), 5);
    page->Add(Row({{CheckBoxCtrl, 0}, {CheckBoxShift, 0}, {CheckBoxAlt, 0}, {CheckBoxWin, 0}, {nullptr, 1}, {StaticTextKey, 0}, {ChoiceKey, 2}}),
              0, ItemFlags(wxLEFT | wxRIGHT, true), 10);
    auto* remap = new wxBoxSizer(wxHORIZONTAL);
    remap->Add(CheckBoxRemap, 0, ItemFlags(wxALL, true), 5);
    page->Add(remap, 0, ItemFlags(wxLEFT | wxRIGHT, true), 5);
    form::AddHeading(page, StaticTextMiscSeperator, StaticLineMiscSeperator);
    page->Add(Row({{CheckBoxStartup, 1}, {CheckBoxUpdate, 1}, {CheckBoxVerbose, 1}}), 0, ItemFlags(wxBOTTOM | wxLEFT | wxRIGHT, true), 5);
    SetSizer(page);
    page->Fit(this);
    page->SetSizeHints(this);

    Bind(wxEVT_CHECKBOX, &GeneralPanel::OnGestureCheck, this, ID_CHECKBOX_GESTURE);
    Bind(wxEVT_CHECKBOX, &GeneralPanel::OnHotkeyCheck, this, ID_CHECKBOX_HOTKEY);
    for (long id : {ID_CHECKBOX_CTRL, ID_CHECKBOX_SHIFT, ID_CHECKBOX_ALT, ID_CHECKBOX_WIN})
        Bind(wxEVT_CHECKBOX, &GeneralPanel::OnModifierCheck, this, id);
}

GeneralPanel::~GeneralPanel() = default;

void GeneralPanel::EnableHotkeyControls(bool on)
{
    wxWindow* const controls[] = {CheckBoxCtrl, CheckBoxShift, CheckBoxAlt, CheckBoxWin, StaticTextKey, ChoiceKey};
    for (wxWindow* control : controls)
        control->Enable(on);
}

void GeneralPanel::EnableGestureControls(bool on)
{
    StaticTextSensitive->Enable(on);
    ChoiceSensitive->Enable(on);
}

bool GeneralPanel::AnyModifierTicked() const
{
    return CheckBoxCtrl->GetValue() || CheckBoxShift->GetValue() || CheckBoxAlt->GetValue() || CheckBoxWin->GetValue();
}

void GeneralPanel::UpdateControls()
{
    EnableHotkeyControls(CheckBoxHotkey->GetValue());
    EnableGestureControls(CheckBoxGesture->GetValue());
}

void GeneralPanel::OnGestureCheck(wxCommandEvent& event)
{
    EnableGestureControls(event.IsChecked());
}

void GeneralPanel::OnHotkeyCheck(wxCommandEvent& event)
{
    // A hot key needs a modifier: the row never comes back with none ticked.
    if (!AnyModifierTicked())
        CheckBoxCtrl->SetValue(true);
    EnableHotkeyControls(event.IsChecked());
}

void GeneralPanel::OnModifierCheck(wxCommandEvent& event)
{
    // The last ticked modifier cannot be unticked.
    if (event.IsChecked() || AnyModifierTicked())
        return;
    if (auto* box = wxDynamicCast(event.GetEventObject(), wxCheckBox))
        box->SetValue(true);
}
