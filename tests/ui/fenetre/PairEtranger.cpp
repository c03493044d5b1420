#include "tests/ui/fenetre/PairEtranger.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kDelaiMs = 5000;

socklen_t adresse(const char* nom, sockaddr_un& a)
{
    a = {};
    a.sun_family = AF_UNIX;
    const std::size_t n = std::min(std::strlen(nom), sizeof a.sun_path - 2);
    // An abstract name begins with a zero byte, and its length counts without the end.
    const std::size_t debut = nom[0] == '/' ? 0 : 1;
    std::memcpy(a.sun_path + debut, nom, n);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + debut + n + (debut ? 0 : 1));
}

std::string lire(int fd)
{
    std::string recu;
    pollfd p{fd, POLLIN, 0};
    char tampon[4096];
    while (::poll(&p, 1, 500) > 0) {
        const ssize_t n = ::read(fd, tampon, sizeof tampon);
        if (n <= 0)
            break;
        recu.append(tampon, static_cast<std::size_t>(n));
    }
    return recu;
}

int ecouter(const char* nom)
{
    sockaddr_un a;
    const socklen_t taille = adresse(nom, a);
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (s < 0 || ::bind(s, reinterpret_cast<sockaddr*>(&a), taille) != 0 || ::listen(s, 4) != 0)
        return 3;
    std::printf("pret\n");
    std::fflush(stdout);
    pollfd p{s, POLLIN, 0};
    if (::poll(&p, 1, kDelaiMs) <= 0)
        return 4;
    const int c = ::accept(s, nullptr, nullptr);
    const std::string recu = lire(c);
    (void)!::send(c, "ok\n", 3, MSG_NOSIGNAL);
    std::printf("recu=%zu\n", recu.size());
    return 0;
}

int envoyer(const char* nom)
{
    sockaddr_un a;
    const socklen_t taille = adresse(nom, a);
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (s < 0 || ::connect(s, reinterpret_cast<sockaddr*>(&a), taille) != 0)
        return 3;
    const char message[] = "/tmp/piege.kbt\n\n";
    (void)!::send(s, message, sizeof message - 1, MSG_NOSIGNAL);
    std::printf("reponse=%s\n", lire(s).c_str());
    return 0;
}

} // namespace

bool estAppelPair(int argc, char** argv)
{
    return argc == 4 && std::strcmp(argv[1], "--pair") == 0;
}

int executerPair(int, char** argv)
{
    if (std::strcmp(argv[2], "ecouter") == 0)
        return ecouter(argv[3]);
    if (std::strcmp(argv[2], "envoyer") == 0)
        return envoyer(argv[3]);
    return 2;
}
