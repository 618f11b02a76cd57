// The "About" page of the preferences window: the program's picture,
// description and information, with a link to the product page.
#pragma once

#include <wx/hyperlink.h>
#include <wx/panel.h>
#include <wx/statbmp.h>
#include <wx/statline.h>
#include <wx/stattext.h>

class AboutPanel : public wxPanel {
public:
    explicit AboutPanel(wxWindow* parent);
    ~AboutPanel() override;

    wxStaticText* StaticTextOrvain;
    wxStaticLine* StaticLineInfo;
    wxStaticText* StaticTextInfo;
    wxStaticText* StaticTextZynUtils;
    wxHyperlinkCtrl* HyperlinkCtrlTavrel;
    wxStaticLine* StaticLineTitle;
    wxStaticText* StaticTextName;
    wxStaticText* StaticTextDescrip;
    wxStaticBitmap* StaticBitmapAbout;
    wxStaticText* StaticTextPelloy;
    wxStaticText* StaticTextTitle;
    wxStaticText* StaticTextVersion;
    wxStaticText* StaticTextEmail;
    wxStaticText* StaticTextWebsite;
    wxStaticText* StaticTextAlpha;
    wxStaticText* StaticTextDeveloper;

    static const long ID_STATICTEXT_TITLE;
    static const long ID_STATICLINE_TITLE;
    static const long ID_STATICBITMAP_ABOUT;
    static const long ID_STATICTEXT_DESCRIP;
    static const long ID_STATICTEXT_INFO;
    static const long ID_STATICLINE_INFO;
    static const long ID_STATICTEXT_NAME;
    static const long ID_STATICTEXT_ZYNUTILS;
    static const long ID_STATICTEXT_VERSION;
    static const long ID_STATICTEXT_ALPHA;
    static const long ID_STATICTEXT_DEVELOPER;
    static const long ID_STATICTEXT_ORVAIN;
    static const long ID_STATICTEXT_EMAIL;
    static const long ID_STATICTEXT_PELLOY;
    static const long ID_STATICTEXT_WEBSITE;
    static const long ID_HYPERLINKCTRL_TAVREL;

private:
    wxDECLARE_EVENT_TABLE();
};
