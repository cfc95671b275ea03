// Preloaded into the service by the fault tests (LD_PRELOAD): every open
// call that may create a file is passed on unchanged, and when it succeeds
// the mode the file has at that very moment is appended as
// "<octal mode> <path>" to the file named by $VEK_OPENTRACE_OUT. This is the
// mode a watcher opening the file right after its creation would meet.

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using OpenFn = int (*)(const char *, int, ...);
using OpenAtFn = int (*)(int, const char *, int, ...);

template<typename Fn>
Fn next(const char *iName)
{
    return reinterpret_cast<Fn>(::dlsym(RTLD_NEXT, iName));
}

void note(int iFd, const char *iPath, int iFlags)
{
    if (iFd < 0 || !(iFlags & O_CREAT))
        return;
    const char *out = ::getenv("VEK_OPENTRACE_OUT");
    if (!out || !*out)
        return;
    struct stat info;
    if (::fstat(iFd, &info) != 0 || !S_ISREG(info.st_mode))
        return;
    const int saved = errno;
    static const OpenFn realOpen = next<OpenFn>("open");
    const int log = realOpen(out, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (log >= 0) {
        char line[4200];
        const int length
                = std::snprintf(line, sizeof line, "%o %s\n", unsigned(info.st_mode & 07777), iPath ? iPath : "");
        if (length > 0 && size_t(length) < sizeof line) {
            // One write on an appending descriptor: lines of threads and
            // processes do not interleave.
            [[maybe_unused]] const ssize_t written = ::write(log, line, size_t(length));
        }
        ::close(log);
    }
    errno = saved;
}

mode_t modeArgument(int iFlags, va_list iArgs)
{
    return (iFlags & (O_CREAT | O_TMPFILE)) ? mode_t(va_arg(iArgs, int)) : 0;
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) int open(const char *iPath, int iFlags, ...)
{
    va_list args;
    va_start(args, iFlags);
    const mode_t mode = modeArgument(iFlags, args);
    va_end(args);
    static const OpenFn real = next<OpenFn>("open");
    const int fd = real(iPath, iFlags, mode);
    note(fd, iPath, iFlags);
    return fd;
}

__attribute__((visibility("default"))) int open64(const char *iPath, int iFlags, ...)
{
    va_list args;
    va_start(args, iFlags);
    const mode_t mode = modeArgument(iFlags, args);
    va_end(args);
    static const OpenFn real = next<OpenFn>("open64");
    const int fd = real(iPath, iFlags, mode);
    note(fd, iPath, iFlags);
    return fd;
}

__attribute__((visibility("default"))) int openat(int iDir, const char *iPath, int iFlags, ...)
{
    va_list args;
    va_start(args, iFlags);
    const mode_t mode = modeArgument(iFlags, args);
    va_end(args);
    static const OpenAtFn real = next<OpenAtFn>("openat");
    const int fd = real(iDir, iPath, iFlags, mode);
    note(fd, iPath, iFlags);
    return fd;
}

__attribute__((visibility("default"))) int openat64(int iDir, const char *iPath, int iFlags, ...)
{
    va_list args;
    va_start(args, iFlags);
    const mode_t mode = modeArgument(iFlags, args);
    va_end(args);
    static const OpenAtFn real = next<OpenAtFn>("openat64");
    const int fd = real(iDir, iPath, iFlags, mode);
    note(fd, iPath, iFlags);
    return fd;
}

__attribute__((visibility("default"))) int creat(const char *iPath, mode_t iMode)
{
    return open(iPath, O_CREAT | O_WRONLY | O_TRUNC, iMode);
}

__attribute__((visibility("default"))) int creat64(const char *iPath, mode_t iMode)
{
    return open64(iPath, O_CREAT | O_WRONLY | O_TRUNC, iMode);
}
}
