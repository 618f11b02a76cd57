// One check for a newer release: the update text published on the maker's web
// host, read as "YYYY.MM.DD", one separator character, then the version text.
#pragma once

#include <functional>

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
    // The same from any http address, giving up on the whole exchange after
    // deadlineMs. Only a whole 2xx answer within the size limits counts; an
    // address that is not one leaves the record as it was.
    bool FetchUpdateInfo(const wxString& address, long deadlineMs);

    // Takes fetched as the whole text; true when it carries a release date.
    // A text of 10 characters or fewer, or whose first 10 are no "YYYY.MM.DD"
    // (a page of a portal or of a parked host), carries none and empties the record.
    bool ReadText(const wxString& fetched);

    // True when the record's date is not empty and sorts after buildDate in
    // plain character order.
    bool IsNewer(const wxString& buildDate) const;
};

// Where the update text and the product page are.
wxString UpdateTextAddress();
wxString ProductPageAddress();

// The version as the question shows it: its first line (with its line break, if
// it has one), cut short, so that a long answer cannot make the box taller than the screen.
wxString ShownVersion(const wxString& version);
// The question that offers the product page, in the current language.
wxString UpdateQuestion(const UpdateInfo& info);

// Asks question under caption; true for OK.
using UpdateAsk = std::function<bool(const wxString& question, const wxString& caption)>;
// Opens the product page.
using UpdateOpen = std::function<void(const wxString& page)>;
// The whole check: fetch, compare with the build date and, for a newer release, ask
// and on OK open the product page. True when it asked.
bool CheckForUpdate(const wxString& address, long deadlineMs, const UpdateAsk& ask, const UpdateOpen& open);
// The Updater's deadline for the whole check.
long UpdateDeadlineMs();
