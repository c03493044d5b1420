#include "platform/fake/AppelsEcritureFactice.h"

#include <cerrno>
#include <memory>

namespace {

// Counts the calls of one kind, shared by the copies std::function makes.
struct SPanne {
    int rang;
    int erreur;
    std::shared_ptr<int> appels = std::make_shared<int>(0);

    bool maintenant() const { return ++*appels == rang; }
};

template <typename R, typename... A>
std::function<R(A...)> enPanne(std::function<R(A...)> reel, const SPanne& panne)
{
    return [reel = std::move(reel), panne](A... a) -> R {
        if (panne.maintenant()) {
            errno = panne.erreur;
            return -1;
        }
        return reel(a...);
    };
}

} // namespace

SAppelsEcriture appelsEnEchec(SAppelsEcriture reels, EAppelEcriture appel, int rang, int erreur)
{
    const SPanne panne{rang, erreur};
    switch (appel) {
    case EAppelEcriture::ecrire: reels.ecrire = enPanne(std::move(reels.ecrire), panne); break;
    case EAppelEcriture::synchroniser: reels.synchroniser = enPanne(std::move(reels.synchroniser), panne); break;
    case EAppelEcriture::renommer: reels.renommer = enPanne(std::move(reels.renommer), panne); break;
    case EAppelEcriture::tronquer: reels.tronquer = enPanne(std::move(reels.tronquer), panne); break;
    case EAppelEcriture::lire: reels.lire = enPanne(std::move(reels.lire), panne); break;
    case EAppelEcriture::verrouiller: reels.verrouiller = enPanne(std::move(reels.verrouiller), panne); break;
    }
    return reels;
}
