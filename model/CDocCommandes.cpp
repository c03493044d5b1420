// The commands a document carries out on its binders and queries.

#include "model/CClasseur.h"
#include "model/CContexte.h"
#include "model/CDoc.h"
#include "model/CUtilisateur.h"
#include "model/CRequete.h"
#include "model/CResultatsComparaison.h"

CClasseur* CDoc::nouveauClasseur()
{
    auto* c = new CClasseur(this, nomNouveauClasseur());
    classeurs_.ajouter(c);
    c->mettreAJourBranche(true);
    if (arbre_)
        arbre_->editerLibelle(arbre_->selection());
    return c;
}

bool CDoc::peutCreerRequete() const
{
    return contientClasseur(contexte().classeurCourant);
}

CRequete* CDoc::nouvelleRequete()
{
    if (!peutCreerRequete())
        return nullptr;
    CClasseur* classeur = contexte().classeurCourant;
    auto requete = std::make_unique<CRequete>(classeur);
    if (!utilisateur().editerParametres(*requete, true))
        return nullptr;
    requete->definirNom(nomNouvelleRequete(requete->chemin()));
    CRequete* q = requete.release();
    classeur->requetes().ajouter(q);
    // Cancelling the first capture cancels the creation, and so does a capture that
    // fails (short of memory): nothing was there before.
    const auto retirer = [&] {
        if (arbre_)
            if (ElementArbre e = q->elementArbre(arbre_))
                arbre_->supprimer(e);
        classeur->requetes().retirerElement(q);
        delete q;
    };
    EResultatMiseAJour resultat;
    try {
        resultat = q->capturerBranche(true, true);
    } catch (...) {
        retirer();
        throw;
    }
    if (resultat == EResultatMiseAJour::Annulee) {
        retirer();
        return nullptr;
    }
    // The new query is kept, even empty when its folder could not be read.
    definirModifie();
    return q;
}

void CDoc::basculerSousDossiers()
{
    afficherSousDossiers = !afficherSousDossiers;
    bool requetes = false;
    for (const CClasseur* c : classeurs_)
        requetes = requetes || !c->requetes().estVide();
    if (requetes)
        definirModifie();
    if (!arbre_)
        return;

    arbre_->geler(true);
    // Folder items may vanish: keep their query selected instead.
    CElement* choisi = arbre_->noeud(arbre_->selection());
    if (choisi && choisi->codeType() == kTypeDossier)
        choisi = static_cast<CDossier*>(choisi->requete());
    for (CClasseur* c : classeurs_) {
        const ElementArbre parent = c->elementArbre(arbre_);
        for (CRequete* q : c->requetes()) {
            if (ElementArbre e = q->elementArbre(arbre_))
                arbre_->supprimer(e);
            if (parent)
                q->insererDansArbre(*arbre_, parent);
        }
    }
    if (choisi)
        arbre_->selectionner(arbre_->descendantDe(0, choisi));
    arbre_->geler(false);
}

bool CDoc::renommer(CNomme& noeud, const std::string& nouveauNom)
{
    if (nouveauNom == noeud.nom())
        return true;
    if (!noeud.verifierNouveauNom(nouveauNom))
        return false;
    noeud.definirNom(nouveauNom);
    definirModifie();
    if (CResultatsComparaison* comparaison = contexte().resultatsComparaison)
        comparaison->relireNoms();
    return true;
}

bool CDoc::supprimerNoeud(CNomme& noeud)
{
    if (!noeud.supprimer())
        return false;
    definirModifie();
    return true;
}
