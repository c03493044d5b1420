#pragma once
// A user whose answers the test scripts: message boxes recorded and answered in turn,
// the parameters and properties dialogs, the capture watcher. No folder is ever chosen.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/CUtilisateur.h"

class CUtilisateurFactice : public CUtilisateur {
public:
    struct SMessage {
        std::string texte;
        EBoutons boutons;
        EIcone icone;
    };

    EReponse message(const std::string& texte, EBoutons boutons, EIcone icone) override
    {
        messages.push_back({texte, boutons, icone});
        if (surMessage)
            if (auto r = surMessage(messages.back()))
                return *r;
        if (!reponses.empty()) {
            const EReponse r = reponses.front();
            reponses.pop_front();
            return r;
        }
        // Unscripted: no loop runs away.
        return reponseSansUtilisateur(boutons);
    }
    void afficherProprietes(const SProprietes& p) override { proprietes.push_back(p); }
    bool editerParametres(CRequete& q, bool creation) override
    {
        creations.push_back(creation);
        if (!accepter)
            return false;
        if (remplir)
            remplir(q);
        return true;
    }
    CSuiviCapture* suiviCapture() override { return suivi; }

    std::vector<SMessage> messages;             // every message box shown
    std::deque<EReponse> reponses;              // answers, in order
    // Called when a message box is shown, after it is recorded: lets a test insert a
    // disk while the question is on screen. Its answer wins over `reponses` when set.
    std::function<std::optional<EReponse>(const SMessage&)> surMessage;

    bool accepter = true;
    std::function<void(CRequete&)> remplir;   // what the user types on OK
    std::vector<SProprietes> proprietes;
    std::vector<bool> creations;

    CSuiviCapture* suivi = nullptr;
};
