#include "RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ZynLog.h"

namespace RegularFile {

namespace {

void LogSkipped(const wxString& path)
{
    ZLOG_INFO("\"%s\" is not a regular file; it is skipped.", path);
}

} // namespace

bool Open(const wxString& path, wxFile& file)
{
    // Non-blocking, so that a FIFO without a writer answers at once; the mode is
    // then checked on what was opened, not on the name.
    const int fd = open(path.fn_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        LogSkipped(path);
        return false;
    }
    // Regular files never block; the reads that follow are plain ones.
    const int flags = fcntl(fd, F_GETFL);
    if (flags != -1)
        fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    file.Attach(fd);
    return true;
}

bool IsReadable(const wxString& path)
{
    wxFile file;
    return Open(path, file);
}

bool IsReplaceable(const wxString& path)
{
    struct stat st;
    if (stat(path.fn_str(), &st) != 0)
        return true; // nothing there, or nothing known: the write reports its own failure
    if (S_ISREG(st.st_mode))
        return true;
    LogSkipped(path);
    return false;
}

} // namespace RegularFile
