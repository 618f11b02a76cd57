// The "Sounds" page of the preferences window: the one sound switch, and the
// list of event sounds, which is shown but not offered.
#pragma once

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listctrl.h>
#include <wx/panel.h>
#include <wx/statline.h>
#include <wx/stattext.h>

class SoundPanel : public wxPanel {
public:
    explicit SoundPanel(wxWindow* parent);
    ~SoundPanel() override;

    wxCheckBox* CheckBoxSound;
    wxButton* ButtonBrowse;
    wxStaticLine* StaticLineTitle;
    wxListCtrl* ListCtrlEventList;
    wxCheckBox* CheckBoxSwitch;
    wxStaticText* StaticTextDescrip;
    wxButton* ButtonClear;
    wxStaticText* StaticTextTitle;

    static const long ID_STATICTEXT_TITLE;
    static const long ID_STATICLINE_TITLE;
    static const long ID_CHECKBOX_SOUND;
    static const long ID_LISTCTRL_EVENT_LIST;
    static const long ID_STATICTEXT_DESCRIP;
    static const long ID_CHECKBOX_SWITCH;
    static const long ID_BUTTON_CLEAR;
    static const long ID_BUTTON_BROWSE;

private:
    wxDECLARE_EVENT_TABLE();
};
