#include "UpdateInfo.h"

#include <wx/intl.h>

#include "HttpFetch.h"

const char BuildDate[] = "2013.03.09";

namespace {

// The whole check waits no longer than this for the maker's host.
const long kDeadlineMs = 20000;

const size_t kDateLength = 10;

// The question shows at most this much of the version, and of its first line only.
const size_t kShownVersionLength = 64;

// "YYYY.MM.DD" in digits.
bool IsDate(const wxString& text)
{
    if (text.length() != kDateLength)
        return false;
    for (size_t i = 0; i < kDateLength; ++i) {
        const bool dot = i == 4 || i == 7;
        if (dot ? text[i] != '.' : (text[i] < '0' || text[i] > '9'))
            return false;
    }
    return true;
}

} // namespace

wxString UpdateTextAddress()
{
    return wxString("http://") + ZYN_WEB_HOST + "/update/zyn-utils.txt";
}

wxString ProductPageAddress()
{
    return wxString(ZYN_WEB_HOST) + "/post/develop/zyn-utils/";
}

bool UpdateInfo::FetchUpdateInfo()
{
    return FetchUpdateInfo(UpdateTextAddress(), kDeadlineMs);
}

bool UpdateInfo::FetchUpdateInfo(const wxString& address, long deadlineMs)
{
    HttpAddress where;
    if (!where.Parse(address.utf8_string()))
        return false;
    HttpLimits limits;
    limits.deadlineMs = deadlineMs;
    std::string body;
    HttpFetch(where, limits, body);
    return ReadText(wxString::FromUTF8(body));
}

bool UpdateInfo::ReadText(const wxString& fetched)
{
    if (fetched.length() <= kDateLength || !IsDate(fetched.substr(0, kDateLength))) {
        date.clear();
        version.clear();
        text.clear();
        return false;
    }
    text = fetched;
    date = text.substr(0, kDateLength);
    version = text.substr(kDateLength + 1);
    return true;
}

bool UpdateInfo::IsNewer(const wxString& buildDate) const
{
    return !date.empty() && date.compare(buildDate) > 0;
}

wxString ShownVersion(const wxString& version)
{
    const size_t end = version.find('\n');
    wxString line = end == wxString::npos ? version : version.substr(0, end + 1);
    if (line.length() > kShownVersionLength)
        line = line.substr(0, kShownVersionLength);
    return line;
}

wxString UpdateQuestion(const UpdateInfo& info)
{
    return _("New version found!\nVersion: ") + ShownVersion(info.version) + _("\nDate: ") + info.date +
           _("\nWould you like to check it on the develop page?");
}

bool CheckForUpdate(const wxString& address, long deadlineMs, const UpdateAsk& ask, const UpdateOpen& open)
{
    UpdateInfo info;
    if (!info.FetchUpdateInfo(address, deadlineMs) || !info.IsNewer(BuildDate))
        return false;
    if (ask(UpdateQuestion(info), _("New Version")))
        open(ProductPageAddress());
    return true;
}

long UpdateDeadlineMs()
{
    return kDeadlineMs;
}
