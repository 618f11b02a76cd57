#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/log.h>

namespace {

wxString LastError() { return wxString::FromUTF8(std::strerror(errno)); }

} // namespace

bool WriteFileAtomically(const wxString& path, const std::string& bytes, wxString& error)
{
    const wxString temp = path + ".tmp";
    wxLogNull quiet; // the caller reports the reason once, in its own words
    wxFile file;
    if (!file.Create(temp, true, wxS_DEFAULT)) {
        error = LastError();
        return false;
    }
    bool ok = true;
    errno = 0;
    if (file.Write(bytes.data(), bytes.size()) != bytes.size()) {
        error = errno ? LastError() : wxString("short write");
        ok = false;
    } else if (!file.Flush()) {
        error = LastError();
        ok = false;
    }
    if (!file.Close() && ok) {
        error = LastError();
        ok = false;
    }
    // rename(2), never a copy: the switch to the new content is a single step.
    if (ok && std::rename(temp.fn_str(), path.fn_str()) != 0) {
        error = LastError();
        ok = false;
    }
    if (!ok)
        wxRemoveFile(temp);
    return ok;
}
