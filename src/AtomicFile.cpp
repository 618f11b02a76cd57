#include "AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include <wx/file.h>
#include <wx/filefn.h>
#include <wx/log.h>

#include "ZynLog.h"

namespace {

wxString LastError() { return wxString::FromUTF8(std::strerror(errno)); }

// The file a symbolic link at path names, so the write replaces that file and the link
// stays; path itself when it is no link (or a dangling one).
wxString Target(const wxString& path)
{
    char* real = realpath(path.fn_str(), nullptr);
    if (!real)
        return path;
    const wxString target(real, wxConvFile);
    free(real);
    return target;
}

wxString TemporaryOf(const wxString& path) { return Target(path) + ".tmp"; }

} // namespace

bool WriteFileAtomically(const wxString& written, const std::string& bytes, wxString& error)
{
    const wxString path = Target(written);
    const wxString temp = TemporaryOf(written);
    wxLogNull quiet; // the caller reports the reason once, in its own words
    wxFile file;
    // A leftover of an earlier write is removed, not opened: whatever it is (a
    // FIFO would hold the open), the new file is made afresh. unlink, not remove:
    // a folder in its place is no leftover, and the write fails on it.
    unlink(temp.fn_str());
    if (!file.Create(temp, false, wxS_DEFAULT)) {
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

bool RemoveLeftoverTemporary(const wxString& path)
{
    const wxString temp = TemporaryOf(path);
    struct stat st;
    if (lstat(temp.fn_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    if (unlink(temp.fn_str()) != 0) {
        ZLOG_ERROR("Cannot remove \"%s\", left by a save that did not finish: %s.", temp, LastError());
        return false;
    }
    ZLOG_INFO("Removed \"%s\", left by a save that did not finish.", temp);
    return true;
}
