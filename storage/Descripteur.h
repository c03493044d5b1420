#pragma once
// A file descriptor closed on every path out.

#include <fcntl.h>
#include <unistd.h>

#include <string>

struct SDescripteur {
    int fd = -1;
    ~SDescripteur()
    {
        if (fd >= 0)
            ::close(fd);
    }
    // Hands the descriptor over: it is no longer closed here.
    int rendre()
    {
        const int r = fd;
        fd = -1;
        return r;
    }
};

// The file open as `fd`, opened again for reading with an offset and locks of its own
// (a dup() would share them: a lock would outlive its holder's release). -1 on failure.
inline int rouvrirEnLecture(int fd)
{
    const int r = ::open(("/proc/self/fd/" + std::to_string(fd)).c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
    return r >= 0 ? r : ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
}
