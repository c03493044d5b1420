// The commands a document carries out on its binders and queries.

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CObservateurDocument.h"
#include "model/CRequete.h"
#include "model/TableChaines.h"

CClasseur* CDoc::nouveauClasseur()
{
    auto* c = new CClasseur(this, nomNouveauClasseur());
    classeurs_.ajouter(c);
    annoncer({EChangement::NoeudAjoute, c});
    return c;
}

void CDoc::basculerSousDossiers()
{
    afficherSousDossiers = !afficherSousDossiers;
    bool requetes = false;
    for (const CClasseur* c : classeurs_)
        requetes = requetes || !c->requetes().estVide();
    if (requetes)
        definirModifie();
    annoncer({EChangement::ToutChange});
}

CRequete* CDoc::copierRequete(const CRequete& requete, CClasseur& destination)
{
    // Query names are unique in a document (renaming and the search rely on it): the
    // copy gets the first free name after its original's.
    std::unique_ptr<CRequete> copie = requete.copier();
    copie->definirNom(nomNouvelleRequete(requete.nom()));
    copie->definirClasseur(&destination);
    CRequete* q = copie.release();
    destination.requetes().ajouter(q);
    definirModifie();
    annoncer({EChangement::NoeudAjoute, static_cast<CDossier*>(q)});
    return q;
}

bool CDoc::deplacerRequete(CRequete& requete, CClasseur& destination)
{
    CClasseur* source = requete.classeur();
    if (!source || source == &destination)
        return false;
    source->requetes().retirerElement(&requete);
    destination.requetes().ajouter(&requete);
    requete.definirClasseur(&destination);
    definirModifie();
    annoncer({EChangement::NoeudDeplace, static_cast<CDossier*>(&requete), source});
    return true;
}

// A binder's name is unique among its document's binders: the rule reads the document,
// as the commands do, so that a binder needs nothing of the document but its address.
CResultat<> CClasseur::verifierNouveauNom(const std::string& nom) const
{
    if (nom.empty())
        return echec(chaine(kMsgClasseurSansNom));
    if (const CDoc* doc = document())
        for (const CClasseur* c : doc->classeurs())
            if (c->nom() == nom)
                return echec(chaine(kMsgClasseurExiste));
    return {};
}

CResultat<> CDoc::renommer(CNomme& noeud, const std::string& nouveauNom)
{
    if (nouveauNom == noeud.nom())
        return {};
    if (CResultat<> accepte = noeud.verifierNouveauNom(nouveauNom); !accepte)
        return accepte;
    noeud.definirNom(nouveauNom);
    definirModifie();
    annoncer({EChangement::NoeudRenomme, &noeud});
    return {};
}

bool CDoc::supprimerNoeud(CNomme& noeud)
{
    const int type = noeud.codeType();
    if ((type != kTypeClasseur && type != kTypeRequete) || noeud.document() != this)
        return false;
    // The notice names the node by its address once it is gone: taken before.
    CElement* element = &noeud;
    CClasseur* classeur = noeud.classeur();
    CElement* parent = type == kTypeRequete ? static_cast<CElement*>(classeur) : this;
    annoncer({EChangement::NoeudVaPartir, element});
    if (type == kTypeRequete) {
        CRequete* q = noeud.requete();
        classeur->requetes().retirerElement(q);
        delete q;
    } else {
        classeurs_.retirerElement(classeur);
        delete classeur;
    }
    definirModifie();
    annoncer({EChangement::NoeudSupprime, element, parent});
    return true;
}
