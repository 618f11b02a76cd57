// The Updater: a program without a window of its own that checks once for a
// newer release, offers the product page when there is one, and ends.
#pragma once

#include <wx/app.h>
#include <wx/intl.h>

class Updater : public wxApp {
public:
    // The whole check; always false, so the toolkit never enters its event loop.
    bool OnInit() override;

private:
    wxLocale m_locale;
};
