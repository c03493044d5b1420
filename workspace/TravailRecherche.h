#pragma once
// A search over the open documents as a job: the marks decided on the job's thread,
// the found files handed to the results list on the documents' thread at the end.
// Cancelled, every mark is as before and the list keeps its rows.

#include <cstddef>
#include <functional>
#include <vector>

#include "model/CCriteres.h"
#include "model/CResultatsRecherche.h"
#include "workspace/TravailCalcul.h"

class CContexte;
class CExecuteurTravaux;

// The rows a search gives, kept until they can be handed to the list on its thread.
class CResultatsDifferes : public CResultatsRecherche {
public:
    void vider() override;
    void ajouterLigne(CFichier* fichier) override { lignes_.push_back(fichier); }
    void retrier() override { retrie_ = true; }
    void retirerFichier(const CFichier* fichier) override;

    std::size_t nombre() const { return lignes_.size(); }
    // `liste` is given what this one was, in the same order.
    void rejouer(CResultatsRecherche& liste) const;

private:
    std::vector<CFichier*> lignes_;
    bool vide_ = false;
    bool retrie_ = false;
};

class CTravailRecherche : public CTravailMarques {
public:
    // `liste`, asked at the end, gives the list the found files go to (none: the
    // marks only); `fin` is then told how many were found, unless the search was
    // cancelled.
    CTravailRecherche(const CCriteres& criteres, std::vector<CDoc*> documents,
                      std::function<CResultatsRecherche*()> liste, std::function<void(std::size_t)> fin);

    std::string titre() const override { return "Recherche"; }

protected:
    std::vector<CDossier*> dossiersMarques() const override;
    void passe(SAvancement& avancement) override;
    void livrer() override;

private:
    const CCriteres criteres_;
    std::function<CResultatsRecherche*()> liste_;
    std::function<void(std::size_t)> fin_;
    CResultatsDifferes trouves_;
};

// The application's search again as a job: its criteria over the open documents, the
// found files to its results window unless the quick search's answer shows there, the
// count told to the user; then `ensuite`, unless it was cancelled. After F3, and after
// captures so that marks and results follow the new snapshots.
void relancerRecherche(CExecuteurTravaux& executeur, CContexte& contexte, std::function<void()> ensuite = {});

// The same at once, on the calling thread: the command-line tool, and an executor that
// runs its captures at once.
void reappliquerRecherche(CContexte& contexte);
