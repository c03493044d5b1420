#include "workspace/MisesAJour.h"

#include <memory>
#include <string>

#include "model/CClasseur.h"
#include "model/CContexte.h"
#include "model/CDoc.h"
#include "model/CObservateurDocument.h"
#include "model/CRequete.h"
#include "model/CUtilisateur.h"
#include "workspace/ExecuteurTravaux.h"
#include "workspace/TravailCapture.h"
#include "workspace/TravailRecherche.h"

namespace {

void avertir(const std::string& texte)
{
    if (!texte.empty())
        utilisateur().message(texte, EBoutons::Ok, EIcone::Exclamation);
}

std::shared_ptr<CTravailCapture> lancer(CExecuteurTravaux& executeur, CDoc& doc,
                                        const std::vector<CRequete*>& requetes, bool premiere = false)
{
    auto travail = std::make_shared<CTravailCapture>(doc, requetes, premiere);
    // The user hears what the capture met, then the search follows the new snapshots.
    executeur.lancer(travail, [&executeur](const std::string& texte) {
        avertir(texte);
        relancerRecherche(executeur);
    });
    return travail;
}

CExecuteurImmediat executeurImmediat()
{
    return CExecuteurImmediat(utilisateur().suiviCapture(), utilisateur().filsCapture());
}

std::vector<CRequete*> requetesDe(CClasseur& classeur)
{
    return {classeur.requetes().begin(), classeur.requetes().end()};
}

} // namespace

void mettreAJour(CExecuteurTravaux& executeur, CDoc& doc, const std::vector<CRequete*>& requetes)
{
    (void)lancer(executeur, doc, requetes);
}

void modifierRequete(CExecuteurTravaux& executeur, CRequete& requete)
{
    if (CDoc* doc = requete.document(); doc && utilisateur().editerParametres(requete, false))
        mettreAJour(executeur, *doc, {&requete});
}

CRequete* nouvelleRequete(CExecuteurTravaux& executeur, CDoc& doc)
{
    if (!doc.peutCreerRequete())
        return nullptr;
    CClasseur* classeur = contexte().classeurCourant;
    auto requete = std::make_unique<CRequete>(classeur);
    if (!utilisateur().editerParametres(*requete, true))
        return nullptr;
    return ajouterRequete(executeur, doc, *classeur, std::move(requete));
}

CRequete* ajouterRequete(CExecuteurTravaux& executeur, CDoc& doc, CClasseur& classeur,
                         std::unique_ptr<CRequete> requete)
{
    requete->definirNom(doc.nomNouvelleRequete(requete->chemin()));
    requete->definirClasseur(&classeur);
    CRequete* q = requete.release();
    classeur.requetes().ajouter(q);
    doc.annoncer({EChangement::NoeudAjoute, static_cast<CDossier*>(q)});
    // The job removes it again when its capture is cancelled.
    return lancer(executeur, doc, {q}, true)->requete(0);
}

EResultatMiseAJour mettreAJour(CRequete& requete, bool premiereCapture)
{
    CDoc* doc = requete.document();
    if (!doc)
        return EResultatMiseAJour::Annulee;
    CExecuteurImmediat executeur = executeurImmediat();
    return lancer(executeur, *doc, {&requete}, premiereCapture)->resultat(0);
}

void mettreAJour(CClasseur& classeur)
{
    if (CDoc* doc = classeur.document()) {
        CExecuteurImmediat executeur = executeurImmediat();
        mettreAJour(executeur, *doc, requetesDe(classeur));
    }
}

void toutMettreAJour(CExecuteurTravaux& executeur, CDoc& doc)
{
    std::vector<CRequete*> requetes;
    for (CClasseur* c : doc.classeurs())
        for (CRequete* q : c->requetes())
            requetes.push_back(q);
    mettreAJour(executeur, doc, requetes);
}

void toutMettreAJour(CDoc& doc)
{
    CExecuteurImmediat executeur = executeurImmediat();
    toutMettreAJour(executeur, doc);
}

void modifierRequete(CRequete& requete)
{
    CExecuteurImmediat executeur = executeurImmediat();
    modifierRequete(executeur, requete);
}

CRequete* nouvelleRequete(CDoc& doc)
{
    CExecuteurImmediat executeur = executeurImmediat();
    return nouvelleRequete(executeur, doc);
}

CRequete* ajouterRequete(CDoc& doc, CClasseur& classeur, std::unique_ptr<CRequete> requete)
{
    CExecuteurImmediat executeur = executeurImmediat();
    return ajouterRequete(executeur, doc, classeur, std::move(requete));
}
