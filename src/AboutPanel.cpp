#include "AboutPanel.h"

#include <wx/intl.h>
#include <wx/sizer.h>

#include "BitmapManager.h"
#include "FormLayout.h"

const long AboutPanel::ID_STATICTEXT_TITLE = wxNewId();
const long AboutPanel::ID_STATICLINE_TITLE = wxNewId();
const long AboutPanel::ID_STATICBITMAP_ABOUT = wxNewId();
const long AboutPanel::ID_STATICTEXT_DESCRIP = wxNewId();
const long AboutPanel::ID_STATICTEXT_INFO = wxNewId();
const long AboutPanel::ID_STATICLINE_INFO = wxNewId();
const long AboutPanel::ID_STATICTEXT_NAME = wxNewId();
const long AboutPanel::ID_STATICTEXT_ZYNUTILS = wxNewId();
const long AboutPanel::ID_STATICTEXT_VERSION = wxNewId();
const long AboutPanel::ID_STATICTEXT_ALPHA = wxNewId();
const long AboutPanel::ID_STATICTEXT_DEVELOPER = wxNewId();
const long AboutPanel::ID_STATICTEXT_ORVAIN = wxNewId();
const long AboutPanel::ID_STATICTEXT_EMAIL = wxNewId();
const long AboutPanel::ID_STATICTEXT_PELLOY = wxNewId();
const long AboutPanel::ID_STATICTEXT_WEBSITE = wxNewId();
const long AboutPanel::ID_HYPERLINKCTRL_TAVREL = wxNewId();

wxBEGIN_EVENT_TABLE(AboutPanel, wxPanel)
wxEND_EVENT_TABLE()

namespace {

const char MakerSite[] = "https://" ZYN_WEB_HOST;
const char ProductPage[] = "https://" ZYN_WEB_HOST "/post/develop/zyn-utils/";
const char MakerMail[] = "orvain@" ZYN_WEB_HOST;
const int AboutTextWidth = 400;

wxStaticText* NewText(wxWindow* parent, long id, const wxString& text, const char* name)
{
    return new wxStaticText(parent, id, text, wxDefaultPosition, wxDefaultSize, 0, name);
}

// An information row: the label takes the spare width, so the value sits at the right end.
wxBoxSizer* InfoRow(wxWindow* label, wxWindow* value, int sides)
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(label, 1, form::ItemFlags(sides), 5);
    row->Add(value, 0, form::ItemFlags(sides), 5);
    return row;
}

} // namespace

AboutPanel::AboutPanel(wxWindow* parent)
{
    Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "wxID_ANY");

    StaticTextTitle = NewText(this, ID_STATICTEXT_TITLE, _("About Zyn Utils"), "ID_STATICTEXT_TITLE");
    StaticTextTitle->SetFont(form::TitleFont());
    StaticLineTitle = new wxStaticLine(this, ID_STATICLINE_TITLE, wxDefaultPosition, wxSize(10, -1), wxLI_HORIZONTAL, "ID_STATICLINE_TITLE");
    StaticBitmapAbout = new wxStaticBitmap(this, ID_STATICBITMAP_ABOUT, BitmapManager::LoadScaledBitmap("Images/etc/about.png", wxDefaultSize).ToBitmap(), wxDefaultPosition, wxDefaultSize,
                                           wxBORDER_NONE, "ID_STATICBITMAP_ABOUT");
    StaticTextDescrip = NewText(this, ID_STATICTEXT_DESCRIP,
                                _("The Zyn Utils program is a Veyrune Look'n'Feel launcher with variety of powerful utilities.\n"
                                  "Its pluggable architecture allows you, the developer, to add any kind of plug-ins to the core program.\n"
                                  "That's the reason why it was named as \"Zyn Utils\" :)"),
                                "ID_STATICTEXT_DESCRIP");
    // Toolkit labels do not wrap by themselves: keep the text as wide as the picture.
    StaticTextDescrip->Wrap(AboutTextWidth);
    StaticTextInfo = NewText(this, ID_STATICTEXT_INFO, _("Information"), "ID_STATICTEXT_INFO");
    StaticLineInfo = new wxStaticLine(this, ID_STATICLINE_INFO, wxDefaultPosition, wxSize(10, -1), wxLI_HORIZONTAL, "ID_STATICLINE_INFO");
    StaticTextName = NewText(this, ID_STATICTEXT_NAME, _("Program Name:"), "ID_STATICTEXT_NAME");
    StaticTextZynUtils = NewText(this, ID_STATICTEXT_ZYNUTILS, _("Zyn Utils"), "ID_STATICTEXT_ZYNUTILS");
    StaticTextVersion = NewText(this, ID_STATICTEXT_VERSION, _("Version:"), "ID_STATICTEXT_VERSION");
    StaticTextAlpha = NewText(this, ID_STATICTEXT_ALPHA, _("Alpha 1"), "ID_STATICTEXT_ALPHA");
    StaticTextDeveloper = NewText(this, ID_STATICTEXT_DEVELOPER, _("Developer:"), "ID_STATICTEXT_DEVELOPER");
    StaticTextOrvain = NewText(this, ID_STATICTEXT_ORVAIN, _("Orvain (Tavrel)"), "ID_STATICTEXT_ORVAIN");
    StaticTextEmail = NewText(this, ID_STATICTEXT_EMAIL, _("E-Mail:"), "ID_STATICTEXT_EMAIL");
    StaticTextPelloy = NewText(this, ID_STATICTEXT_PELLOY, wxGetTranslation(MakerMail), "ID_STATICTEXT_PELLOY");
    StaticTextWebsite = NewText(this, ID_STATICTEXT_WEBSITE, _("Website:"), "ID_STATICTEXT_WEBSITE");
    HyperlinkCtrlTavrel = new wxHyperlinkCtrl(this, ID_HYPERLINKCTRL_TAVREL, wxGetTranslation(MakerSite), wxGetTranslation(ProductPage), wxDefaultPosition,
                                              wxDefaultSize, wxHL_DEFAULT_STYLE, "ID_HYPERLINKCTRL_TAVREL");

    using form::ItemFlags;
    auto* page = new wxBoxSizer(wxVERTICAL);
    form::AddTitle(page, StaticTextTitle, StaticLineTitle);
    page->Add(StaticBitmapAbout, 0, ItemFlags(wxALL), 5);
    page->Add(StaticTextDescrip, 1, ItemFlags(wxALL, true), 5);
    page->Add(form::Row({{StaticTextInfo, 0}, {StaticLineInfo, 1}}), 0, ItemFlags(wxTOP | wxLEFT | wxRIGHT, true), 5);
    page->Add(InfoRow(StaticTextName, StaticTextZynUtils, wxLEFT | wxRIGHT), 0, ItemFlags(wxLEFT | wxRIGHT, true), 5);
    page->Add(InfoRow(StaticTextVersion, StaticTextAlpha, wxLEFT | wxRIGHT), 0, ItemFlags(wxLEFT | wxRIGHT, true), 5);
    page->Add(InfoRow(StaticTextDeveloper, StaticTextOrvain, wxLEFT | wxRIGHT), 0, ItemFlags(wxLEFT | wxRIGHT, true), 5);
    page->Add(InfoRow(StaticTextEmail, StaticTextPelloy, wxLEFT | wxRIGHT), 0, ItemFlags(wxLEFT | wxRIGHT, true), 5);
    page->Add(InfoRow(StaticTextWebsite, HyperlinkCtrlTavrel, wxBOTTOM | wxLEFT | wxRIGHT), 0, ItemFlags(wxBOTTOM | wxLEFT | wxRIGHT, true), 5);
    SetSizer(page);
    page->Fit(this);
    page->SetSizeHints(this);
}

AboutPanel::~AboutPanel() = default;
