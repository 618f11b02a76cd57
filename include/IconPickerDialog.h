// The icon chooser: picks the three image files of a launcher item (normal,
// hover, press). It keeps no state beyond its controls and checks nothing.
#pragma once

#include <wx/dialog.h>
#include <wx/string.h>
#include <wx/vector.h>

class wxFilePickerCtrl;
class wxStaticLine;
class wxStaticText;

class IconPickerDialog : public wxDialog {
public:
    explicit IconPickerDialog(wxWindow* parent);

    // Sets the pickers from entries 0, 1 and 2; missing entries clear their picker.
    void SetPaths(const wxVector<wxString>& paths);
    // The three pickers' paths: normal, hover, press.
    wxVector<wxString> GetPaths();

    wxFilePickerCtrl* FilePickerCtrlNormal = nullptr;
    wxFilePickerCtrl* FilePickerCtrlHover = nullptr;
    wxFilePickerCtrl* FilePickerCtrlPress = nullptr;
    wxStaticText* StaticTextNormal = nullptr;
    wxStaticText* StaticTextHover = nullptr;
    wxStaticLine* StaticLine1 = nullptr;
    wxStaticText* StaticText4 = nullptr;
    wxStaticText* StaticTextPress = nullptr;

    static const long ID_FILEPICKERCTRL_NORMAL;
    static const long ID_FILEPICKERCTRL_HOVER;
    static const long ID_FILEPICKERCTRL_PRESS;
    static const long ID_STATICTEXT_NORMAL;
    static const long ID_STATICTEXT_HOVER;
    static const long ID_STATICLINE1;
    static const long ID_STATICTEXT4;
    static const long ID_STATICTEXT_PRESS;

private:
    wxDECLARE_EVENT_TABLE();
};

// The wildcard of the PNG pickers: GTK matches patterns case-sensitively, so
// both spellings are offered.
inline constexpr const char* PngWildcard = "*.png;*.PNG";
