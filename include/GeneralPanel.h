// The "General" page of the preferences window: long-press timeout, launcher
// lock, mouse gesture, global hot key and the start-up switches. The page keeps
// the dependent controls' enabled state in line with its two master switches;
// the window loads and stores the values.
#pragma once

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/statline.h>
#include <wx/stattext.h>

class GeneralPanel : public wxPanel {
public:
    explicit GeneralPanel(wxWindow* parent);
    ~GeneralPanel() override;

    // Enables the hot-key and gesture controls as their master switches say.
    void UpdateControls();

    wxStaticText* StaticTextTitle;
    wxStaticLine* StaticLineTitle;
    wxStaticText* StaticTextTimeout;
    wxRadioButton* RadioButtonTimeoutShort;
    wxRadioButton* RadioButtonTimeoutNormal;
    wxRadioButton* RadioButtonTimeoutLong;
    wxCheckBox* CheckBoxLockLauncher;
    wxStaticText* StaticTextLockDescrip;
    wxStaticText* StaticTextHotkeySeperator;
    wxStaticLine* StaticLineHotkeySeperator;
    wxCheckBox* CheckBoxGesture;
    wxStaticText* StaticTextSensitive;
    wxChoice* ChoiceSensitive;
    wxStaticText* StaticTextGestureDescrip;
    wxCheckBox* CheckBoxHotkey;
    wxCheckBox* CheckBoxCtrl;
    wxCheckBox* CheckBoxShift;
    wxCheckBox* CheckBoxAlt;
    wxCheckBox* CheckBoxWin;
    wxStaticText* StaticTextKey;
    wxChoice* ChoiceKey;
    wxCheckBox* CheckBoxRemap;
    wxStaticText* StaticTextMiscSeperator;
    wxStaticLine* StaticLineMiscSeperator;
    wxCheckBox* CheckBoxStartup;
    wxCheckBox* CheckBoxUpdate;
    wxCheckBox* CheckBoxVerbose;

    static const long ID_STATICTEXT_TITLE;
    static const long ID_STATICLINE_TITLE;
    static const long ID_STATICTEXT_TIMEOUT;
    static const long ID_RADIOBUTTON_TIMEOUT_SHORT;
    static const long ID_RADIOBUTTON_TIMEOUT_NORMAL;
    static const long ID_RADIOBUTTON_TIMEOUT_LONG;
    static const long ID_CHECKBOX_LOCK_LAUNCHER;
    static const long ID_STATICTEXT_LOCK_DESCRIP;
    static const long ID_STATICTEXT_HOTKEY_SEPERATOR;
    static const long ID_STATICLINE_HOTKEY_SEPERATOR;
    static const long ID_CHECKBOX_GESTURE;
    static const long ID_STATICTEXT_SENSITIVE;
    static const long ID_CHOICE_SENSITIVE;
    static const long ID_STATICTEXT_GESTURE_DESCRIP;
    static const long ID_CHECKBOX_HOTKEY;
    static const long ID_CHECKBOX_CTRL;
    static const long ID_CHECKBOX_SHIFT;
    static const long ID_CHECKBOX_ALT;
    static const long ID_CHECKBOX_WIN;
    static const long ID_STATICTEXT_KEY;
    static const long ID_CHOICE_KEY;
    static const long ID_CHECKBOX_REMAP;
    static const long ID_STATICTEXT_MISC_SEPERATOR;
    static const long ID_STATICLINE_MISC_SEPERATOR;
    static const long ID_CHECKBOX_STARTUP;
    static const long ID_CHECKBOX_UPDATE;
    static const long ID_CHECKBOX_VERBOSE;

private:
    void OnGestureCheck(wxCommandEvent& event);
    void OnHotkeyCheck(wxCommandEvent& event);
    void OnModifierCheck(wxCommandEvent& event);

    void EnableHotkeyControls(bool on);
    void EnableGestureControls(bool on);
    bool AnyModifierTicked() const;

    wxDECLARE_EVENT_TABLE();
};
