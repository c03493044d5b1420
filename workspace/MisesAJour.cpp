#include "workspace/MisesAJour.h"

#include <memory>
#include <string>

#include "capture/MiseAJour.h"
#include "model/CClasseur.h"
#include "model/CContexte.h"
#include "model/CDoc.h"
#include "model/CObservateurDocument.h"
#include "model/CRequete.h"
#include "model/CUtilisateur.h"
#include "search/Recherche.h"

namespace {

// What the user is told of one query's update, or nothing.
std::string capturer(CRequete& q, EResultatMiseAJour* resultat = nullptr)
{
    SBilanCapture bilan;
    const EResultatMiseAJour r = mettreAJourRequete(q, utilisateur().suiviCapture(), utilisateur().filsCapture(), &bilan);
    if (resultat)
        *resultat = r;
    return texteMiseAJour(q, r, bilan);
}

void avertir(const std::string& texte)
{
    if (!texte.empty())
        utilisateur().message(texte, EBoutons::Ok, EIcone::Exclamation);
}

// Each query of `classeur` captured again; what the user is told of each, one per line.
std::string capturerRequetes(CClasseur& classeur, std::string textes = {})
{
    for (CRequete* q : classeur.requetes())
        if (const std::string texte = capturer(*q); !texte.empty())
            textes += (textes.empty() ? "" : "\n") + texte;
    return textes;
}

} // namespace

EResultatMiseAJour mettreAJour(CRequete& requete, bool premiereCapture)
{
    EResultatMiseAJour resultat;
    const std::string texte = capturer(requete, &resultat);
    reappliquerRecherche();
    if (!(premiereCapture && resultat == EResultatMiseAJour::RacineIllisible))
        avertir(texte);
    return resultat;
}

void mettreAJour(CClasseur& classeur)
{
    const std::string textes = capturerRequetes(classeur);
    reappliquerRecherche();
    avertir(textes);
}

void toutMettreAJour(CDoc& doc)
{
    std::string textes;
    for (CClasseur* c : doc.classeurs())
        textes = capturerRequetes(*c, std::move(textes));
    reappliquerRecherche();
    avertir(textes);
}

void modifierRequete(CRequete& requete)
{
    if (utilisateur().editerParametres(requete, false))
        (void)mettreAJour(requete);
}

CRequete* nouvelleRequete(CDoc& doc)
{
    if (!doc.peutCreerRequete())
        return nullptr;
    CClasseur* classeur = contexte().classeurCourant;
    auto requete = std::make_unique<CRequete>(classeur);
    if (!utilisateur().editerParametres(*requete, true))
        return nullptr;
    return ajouterRequete(doc, *classeur, std::move(requete));
}

CRequete* ajouterRequete(CDoc& doc, CClasseur& classeur, std::unique_ptr<CRequete> requete)
{
    requete->definirNom(doc.nomNouvelleRequete(requete->chemin()));
    requete->definirClasseur(&classeur);
    CRequete* q = requete.release();
    classeur.requetes().ajouter(q);
    doc.annoncer({EChangement::NoeudAjoute, static_cast<CDossier*>(q)});
    // Cancelling the first capture cancels the creation, and so does a capture that
    // fails (short of memory): nothing was there before.
    const auto retirer = [&] {
        CElement* element = static_cast<CDossier*>(q);
        doc.annoncer({EChangement::NoeudVaPartir, element});
        classeur.requetes().retirerElement(q);
        delete q;
        doc.annoncer({EChangement::NoeudSupprime, element, &classeur});
    };
    EResultatMiseAJour resultat;
    try {
        resultat = mettreAJour(*q, true);
    } catch (...) {
        retirer();
        throw;
    }
    if (resultat == EResultatMiseAJour::Annulee) {
        retirer();
        return nullptr;
    }
    // The new query is kept, even empty when its folder could not be read.
    doc.definirModifie();
    return q;
}
