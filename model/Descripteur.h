#pragma once
// A file descriptor closed on every path out.

#include <unistd.h>

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
