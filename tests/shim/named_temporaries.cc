// Preloaded into a program under test: refuses unnamed temporary files (O_TMPFILE), as
// network and FUSE file systems do, so that the program must fall back on named ones.
#include <cerrno>
#include <cstdarg>
#include <dlfcn.h>
#include <fcntl.h>

namespace
{

template <typename Fn> Fn next(const char *name)
{
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}

bool unnamed(int flags)
{
    return (flags & O_TMPFILE) == O_TMPFILE;
}

mode_t modeOf(int flags, va_list args)
{
    return (flags & O_CREAT) || unnamed(flags) ? mode_t(va_arg(args, int)) : 0;
}

} // namespace

#define REFUSING_OPEN(name)                                                                        \
    extern "C" int name(const char *path, int flags, ...)                                          \
    {                                                                                              \
        va_list args;                                                                              \
        va_start(args, flags);                                                                     \
        const mode_t mode = modeOf(flags, args);                                                   \
        va_end(args);                                                                              \
        if (unnamed(flags)) {                                                                      \
            errno = EOPNOTSUPP;                                                                    \
            return -1;                                                                             \
        }                                                                                          \
        return next<int (*)(const char *, int, ...)>(#name)(path, flags, mode);                    \
    }

#define REFUSING_OPENAT(name)                                                                      \
    extern "C" int name(int dir, const char *path, int flags, ...)                                 \
    {                                                                                              \
        va_list args;                                                                              \
        va_start(args, flags);                                                                     \
        const mode_t mode = modeOf(flags, args);                                                   \
        va_end(args);                                                                              \
        if (unnamed(flags)) {                                                                      \
            errno = EOPNOTSUPP;                                                                    \
            return -1;                                                                             \
        }                                                                                          \
        return next<int (*)(int, const char *, int, ...)>(#name)(dir, path, flags, mode);          \
    }

REFUSING_OPEN(open)
REFUSING_OPEN(open64)
REFUSING_OPENAT(openat)
REFUSING_OPENAT(openat64)
