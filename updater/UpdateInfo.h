// One check for a newer release: the update text published on the maker's web
// host, read as "YYYY.MM.DD", one separator character, then the version text.
#pragma once

#include <wx/string.h>

// The release date built into this program.
extern const char BuildDate[];

struct UpdateInfo {
    wxString date;    // the first 10 characters of the text
    wxString version; // everything after the 11th character
    wxString text;    // the whole fetched text

    // Fetches the update text from the maker's web host; true when a date and a
    // version were read.
    bool FetchUpdateInfo();
    // The same from any address, waiting at most timeoutSeconds for each step of
    // the exchange (connect, each header line, each read).
    bool FetchUpdateInfo(const wxString& address, long timeoutSeconds);

    // Takes fetched as the whole text; true when it carries a release date.
    // A text of 10 characters or fewer carries none and empties the record.
    bool ReadText(const wxString& fetched);

    // True when the record's date is not empty and sorts after buildDate in
    // plain character order.
    bool IsNewer(const wxString& buildDate) const;
};

// Where the update text and the product page are.
wxString UpdateTextAddress();
wxString ProductPageAddress();

// The question that offers the product page, in the current language.
wxString UpdateQuestion(const UpdateInfo& info);
