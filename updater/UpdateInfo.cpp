#include "UpdateInfo.h"

#include <memory>

#include <wx/intl.h>
#include <wx/sstream.h>
#include <wx/stream.h>
#include <wx/url.h>

const char BuildDate[] = "2013.03.09";

namespace {

// The toolkit's protocol waits a minute for every step; a host that takes the
// connection and never answers would keep the Updater around for long.
const long kTimeoutSeconds = 10;

// The update text is one short line. Anything longer is not one, and an answer
// without end must not hold the process or fill its memory.
const size_t kMaxTextBytes = 64 * 1024;

const size_t kDateLength = 10;

// The whole stream decoded as UTF-8; empty when the answer was cut short (a
// time-out, a reset) or is longer than any update text. The toolkit reports a
// connection closed early as the stream's end, so the announced length decides.
wxString ReadToEnd(wxInputStream& in)
{
    const size_t announced = in.GetSize(); // 0 or all bits set when unknown
    wxString text;
    wxStringOutputStream out(&text, wxConvUTF8);
    char buffer[4096];
    size_t total = 0;
    while (in.IsOk()) {
        in.Read(buffer, sizeof buffer);
        total += in.LastRead();
        if (total > kMaxTextBytes)
            return wxString();
        out.Write(buffer, in.LastRead());
    }
    const bool whole = in.GetLastError() == wxSTREAM_EOF &&
                       (announced == 0 || announced == static_cast<size_t>(-1) || total == announced);
    return whole ? text : wxString();
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
    return FetchUpdateInfo(UpdateTextAddress(), kTimeoutSeconds);
}

bool UpdateInfo::FetchUpdateInfo(const wxString& address, long timeoutSeconds)
{
    wxURL url(address);
    if (url.GetError() != wxURL_NOERR)
        return false;
    url.GetProtocol().SetTimeout(timeoutSeconds);
    wxString fetched;
    const std::unique_ptr<wxInputStream> in(url.GetInputStream());
    if (in)
        fetched = ReadToEnd(*in);
    return ReadText(fetched);
}

bool UpdateInfo::ReadText(const wxString& fetched)
{
    if (fetched.length() <= kDateLength) {
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

wxString UpdateQuestion(const UpdateInfo& info)
{
    return _("New version found!\nVersion: ") + info.version + _("\nDate: ") + info.date +
           _("\nWould you like to check it on the develop page?");
}
