#include "storage/CSortie.h"

#include <unistd.h>

#include <algorithm>
#include <vector>

int CSortie::copierTout(int fd, std::uint64_t debut, std::uint64_t n)
{
    std::vector<char> tampon(static_cast<std::size_t>(std::min<std::uint64_t>(n, 1 << 20)));
    while (n > 0) {
        const ssize_t lus = ::pread(fd, tampon.data(), static_cast<std::size_t>(std::min<std::uint64_t>(n, tampon.size())),
                                    static_cast<off_t>(debut));
        if (lus < 0 && errno == EINTR)
            continue;
        if (lus <= 0)
            return lus < 0 ? errno : EIO;
        if (!ecrireTout(tampon.data(), static_cast<std::size_t>(lus)))
            return EIO;
        debut += static_cast<std::uint64_t>(lus);
        n -= static_cast<std::uint64_t>(lus);
    }
    return 0;
}
