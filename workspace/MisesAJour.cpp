#include "workspace/MisesAJour.h"

#include <memory>
#include <string>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CObservateurDocument.h"
#include "model/CRequete.h"
#include "model/CUtilisateur.h"
#include "search/Recherche.h"
#include "workspace/CContexte.h"
#include "workspace/ExecuteurTravaux.h"
#include "workspace/TravailCapture.h"
#include "workspace/TravailRecherche.h"

namespace {

std::shared_ptr<CTravailCapture> lancer(CExecuteurTravaux& executeur, CContexte& contexte, CDoc& doc,
                                        const std::vector<CRequete*>& requetes, bool premiere = false)
{
    auto travail = std::make_shared<CTravailCapture>(doc, requetes, premiere);
    // The user hears what the capture met, then the search follows the new snapshots.
    executeur.lancer(travail, [&executeur, &contexte](const std::string& texte) {
        if (!texte.empty())
            contexte.utilisateur().message(texte, EBoutons::Ok, EIcone::Exclamation);
        if (executeur.apresCapture)
            executeur.apresCapture();
    });
    return travail;
}

CExecuteurImmediat executeurImmediat(CContexte& contexte)
{
    CExecuteurImmediat executeur(contexte.utilisateur().suiviCapture(), contexte.utilisateur().filsCapture());
    executeur.apresCapture = [&contexte] { reappliquerRecherche(contexte); };
    return executeur;
}

std::vector<CRequete*> requetesDe(CClasseur& classeur)
{
    return {classeur.requetes().begin(), classeur.requetes().end()};
}

} // namespace

void mettreAJour(CExecuteurTravaux& executeur, CContexte& contexte, CDoc& doc, const std::vector<CRequete*>& requetes)
{
    (void)lancer(executeur, contexte, doc, requetes);
}

void modifierRequete(CExecuteurTravaux& executeur, CContexte& contexte, CRequete& requete)
{
    if (CDoc* doc = requete.document(); doc && contexte.utilisateur().editerParametres(requete, false))
        mettreAJour(executeur, contexte, *doc, {&requete});
}

CRequete* nouvelleRequete(CExecuteurTravaux& executeur, CContexte& contexte, CDoc& doc)
{
    CClasseur* classeur = contexte.classeurCourant;
    if (!doc.contientClasseur(classeur))
        return nullptr;
    auto requete = std::make_unique<CRequete>(classeur);
    if (!contexte.utilisateur().editerParametres(*requete, true))
        return nullptr;
    return ajouterRequete(executeur, contexte, doc, *classeur, std::move(requete));
}

CRequete* ajouterRequete(CExecuteurTravaux& executeur, CContexte& contexte, CDoc& doc, CClasseur& classeur,
                         std::unique_ptr<CRequete> requete)
{
    requete->definirNom(doc.nomNouvelleRequete(requete->chemin()));
    requete->definirClasseur(&classeur);
    CRequete* q = requete.release();
    classeur.requetes().ajouter(q);
    doc.annoncer({EChangement::NoeudAjoute, static_cast<CDossier*>(q)});
    // The job removes it again when its capture is cancelled.
    return lancer(executeur, contexte, doc, {q}, true)->requete(0);
}

void toutMettreAJour(CExecuteurTravaux& executeur, CContexte& contexte, CDoc& doc)
{
    std::vector<CRequete*> requetes;
    for (CClasseur* c : doc.classeurs())
        for (CRequete* q : c->requetes())
            requetes.push_back(q);
    mettreAJour(executeur, contexte, doc, requetes);
}

EResultatMiseAJour mettreAJour(CContexte& contexte, CRequete& requete, bool premiereCapture)
{
    CDoc* doc = requete.document();
    if (!doc)
        return EResultatMiseAJour::Annulee;
    CExecuteurImmediat executeur = executeurImmediat(contexte);
    return lancer(executeur, contexte, *doc, {&requete}, premiereCapture)->resultat(0);
}

void mettreAJour(CContexte& contexte, CClasseur& classeur)
{
    if (CDoc* doc = classeur.document()) {
        CExecuteurImmediat executeur = executeurImmediat(contexte);
        mettreAJour(executeur, contexte, *doc, requetesDe(classeur));
    }
}

void toutMettreAJour(CContexte& contexte, CDoc& doc)
{
    CExecuteurImmediat executeur = executeurImmediat(contexte);
    toutMettreAJour(executeur, contexte, doc);
}

void modifierRequete(CContexte& contexte, CRequete& requete)
{
    CExecuteurImmediat executeur = executeurImmediat(contexte);
    modifierRequete(executeur, contexte, requete);
}

CRequete* nouvelleRequete(CContexte& contexte, CDoc& doc)
{
    CExecuteurImmediat executeur = executeurImmediat(contexte);
    return nouvelleRequete(executeur, contexte, doc);
}

CRequete* ajouterRequete(CContexte& contexte, CDoc& doc, CClasseur& classeur, std::unique_ptr<CRequete> requete)
{
    CExecuteurImmediat executeur = executeurImmediat(contexte);
    return ajouterRequete(executeur, contexte, doc, classeur, std::move(requete));
}
