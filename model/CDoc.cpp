#include "model/CDoc.h"

#include <algorithm>

#include "model/CClasseur.h"
#include "model/CRequete.h"
#include "model/CUtilisateur.h"
#include "model/CObservateurDocument.h"

CDoc::CDoc() = default;

CDoc::~CDoc()
{
    viderContenu();
    annoncer({EChangement::DocumentFerme, this});
}

CClasseur* CDoc::initialiserNouveau()
{
    suiteInconnue.reset();
    auto* general = new CClasseur(this, "Général");
    classeurs_.ajouter(general);
    return general;
}

void CDoc::viderContenu()
{
    if (!classeurs_.estVide())
        annoncer({EChangement::NoeudVaPartir, this});
    classeurs_.supprimerElements();
}

std::string CDoc::nomNouveauClasseur() const
{
    std::string nom = "Classeur";
    for (int n = 2;; ++n) {
        const bool pris = std::any_of(classeurs_.begin(), classeurs_.end(),
                                      [&](const CClasseur* c) { return c->nom() == nom; });
        if (!pris)
            return nom;
        nom = "Classeur " + std::to_string(n);
    }
}

bool CDoc::contientRequete(const std::string& nom) const
{
    for (const CClasseur* c : classeurs_)
        for (const CRequete* q : c->requetes())
            if (q->nom() == nom)
                return true;
    return false;
}

std::string CDoc::nomNouvelleRequete(const std::string& base) const
{
    std::string nom = base;
    for (int n = 2; contientRequete(nom); ++n)
        nom = base + " " + std::to_string(n);
    return nom;
}

bool CDoc::contientClasseur(const CClasseur* classeur) const
{
    return classeur && classeurs_.contient(classeur);
}

void CDoc::marquerTousTrouves()
{
    for (CClasseur* c : classeurs_)
        c->marquerTousTrouves();
}

void CDoc::collecterFichiers(CListeElements<CFichier>& liste)
{
    for (CClasseur* c : classeurs_)
        c->collecterFichiers(liste);
}

void CDoc::ajouterObservateur(CObservateurDocument* observateur)
{
    observateurs_.push_back(observateur);
}

void CDoc::retirerObservateur(CObservateurDocument* observateur)
{
    observateurs_.erase(std::remove(observateurs_.begin(), observateurs_.end(), observateur), observateurs_.end());
}

void CDoc::annoncer(const SChangement& changement)
{
    // An observer may add or remove observers while it is told: walk a copy, and skip
    // those gone meanwhile.
    const std::vector<CObservateurDocument*> observateurs = observateurs_;
    for (CObservateurDocument* o : observateurs)
        if (std::find(observateurs_.begin(), observateurs_.end(), o) != observateurs_.end())
            o->documentChange(changement);
}
