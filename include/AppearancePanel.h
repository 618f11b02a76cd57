// The "Appearance" page of the preferences window: where the launcher opens,
// the backdrop density, the animation speed and the start-up splash. The font
// and notification rows are shown but not offered. The window loads and stores
// the values.
#pragma once

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/filepicker.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/slider.h>
#include <wx/statline.h>
#include <wx/stattext.h>

class AppearancePanel : public wxPanel {
public:
    explicit AppearancePanel(wxWindow* parent);
    ~AppearancePanel() override;

    // Enables the position choice exactly while "Fixed:" is selected.
    void UpdateControls();

    wxStaticText* StaticTextTitle;
    wxStaticLine* StaticLineTitle;
    wxStaticText* StaticText3;
    wxRadioButton* RadioButtonCursor;
    wxRadioButton* RadioButtonFixed;
    wxChoice* ChoicePos;
    wxStaticText* StaticTextDensity;
    wxStaticText* StaticTextThin;
    wxSlider* SliderDensity;
    wxStaticText* StaticTextThick;
    wxStaticText* StaticTextSpeed;
    wxRadioButton* RadioButtonFast;
    wxRadioButton* RadioButtonNormal;
    wxRadioButton* RadioButtonSlow;
    wxCheckBox* CheckBoxSplash;
    wxStaticText* StaticTextSplashDescrip;
    wxCheckBox* CheckBox1;
    wxFilePickerCtrl* FilePickerCtrlFont;
    wxStaticText* StaticText1;
    wxStaticText* StaticTextNotifySeperator;
    wxStaticLine* StaticLineNotifySeperator;
    wxStaticText* StaticTextTimeout;
    wxChoice* ChoiceTimeout;
    wxStaticText* StaticTextLimit;
    wxChoice* ChoiceLimit;

    static const long ID_STATICTEXT_TITLE;
    static const long ID_STATICLINE_TITLE;
    static const long ID_STATICTEXT3;
    static const long ID_RADIOBUTTON_CURSOR;
    static const long ID_RADIOBUTTON_FIXED;
    static const long ID_CHOICE_POS;
    static const long ID_STATICTEXT_DENSITY;
    static const long ID_STATICTEXT_THIN;
    static const long ID_SLIDER_Density;
    static const long ID_STATICTEXT_THICK;
    static const long ID_STATICTEXT_SPEED;
    static const long ID_RADIOBUTTON_FAST;
    static const long ID_RADIOBUTTON_NORMAL;
    static const long ID_RADIOBUTTON_SLOW;
    static const long ID_CHECKBOX_SPLASH;
    static const long ID_STATICTEXT_SPLASH_DESCRIP;
    static const long ID_CHECKBOX1;
    static const long ID_FILEPICKERCTRL_FONT;
    static const long ID_STATICTEXT1;
    static const long ID_STATICTEXT_NOTIFY_SEPERATOR;
    static const long ID_STATICLINE_NOTIFY_SEPERATOR;
    static const long ID_STATICTEXT_TIMEOUT;
    static const long ID_CHOICE_TIMEOUT;
    static const long ID_STATICTEXT_Limit;
    static const long ID_CHOICE_LIMIT;

private:
    void OnCursorSelect(wxCommandEvent& event);
    void OnFixedSelect(wxCommandEvent& event);

    wxDECLARE_EVENT_TABLE();
};
