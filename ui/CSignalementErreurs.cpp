#include "ui/CSignalementErreurs.h"

#include <cerrno>
#include <cstdio>
#include <new>
#include <system_error>

#include "model/CUtilisateur.h"
#include "platform/RaisonSysteme.h"

std::string raisonException(std::exception_ptr e)
{
    try {
        std::rethrow_exception(e);
    } catch (const std::bad_alloc&) {
        return raisonSysteme(ENOMEM);
    } catch (const std::system_error& erreur) {
        // A thread the system would not start says EAGAIN: too many processes or threads.
        if (erreur.code() == std::errc::resource_unavailable_try_again)
            return "le système refuse de lancer une tâche de plus";
        if (erreur.code().category() == std::generic_category() || erreur.code().category() == std::system_category())
            return raisonSysteme(erreur.code().value());
    } catch (...) {
    }
    return "une erreur inattendue s'est produite";
}

namespace {

std::string rassembler(std::vector<std::string>& textes)
{
    std::string message;
    std::size_t lignes = 0, tues = 0;
    for (const std::string& t : textes) {
        if (lignes >= CSignalementErreurs::kLignesMax) {
            ++tues;
            continue;
        }
        message += (message.empty() ? "" : "\n") + t;
        ++lignes;
    }
    if (tues > 0)
        message += "\n… et " + std::to_string(tues) + " autre" + (tues > 1 ? "s" : "") + ".";
    textes.clear();
    return message;
}

} // namespace

void CSignalementErreurs::signaler(const std::string& texte) noexcept
{
    try {
        enAttente_.push_back(texte);
    } catch (...) {
        std::fprintf(stderr, "norvanel : %s\n", texte.c_str());
        return;
    }
    if (enAffichage_)
        return; // shown with the box on screen, once it closes
    enAffichage_ = true;
    while (!enAttente_.empty()) {
        std::string message;
        try {
            message = rassembler(enAttente_);
            if (utilisateur_)
                utilisateur_->message(message, EBoutons::Ok, EIcone::Erreur);
            else
                std::fprintf(stderr, "norvanel : %s\n", message.c_str());
        } catch (...) {
            // Not even a box to be had: the terminal, if any, hears of it.
            std::fprintf(stderr, "norvanel : %s\n", message.empty() ? "mémoire insuffisante" : message.c_str());
            enAttente_.clear();
        }
    }
    enAffichage_ = false;
}

void CSignalementErreurs::signalerEchec(const std::string& quoi, std::exception_ptr e) noexcept
{
    std::string texte;
    try {
        texte = quoi + " n'a pas abouti : " + raisonException(e) + ".";
    } catch (...) {
        std::fputs("norvanel : mémoire insuffisante\n", stderr);
        return;
    }
    signaler(texte);
}
