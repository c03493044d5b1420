#include "cli/Session.h"

#include "cli/UtilisateurTerminal.h"
#include "model/CClasseur.h"
#include "model/CRequete.h"
#include "platform/TexteAffichable.h"
#include "storage/FichierCatalogue.h"
#include "workspace/CContexte.h"
#include "workspace/IndexGardeCatalogue.h"

namespace {

CDossier* trouverDossier(CDossier& d, const std::string& chemin)
{
    for (CDossier* s : d.sousDossiers()) {
        if (s->chemin() == chemin)
            return s;
        if (CDossier* r = trouverDossier(*s, chemin))
            return r;
    }
    return nullptr;
}

} // namespace

CSession::CSession()
{
    contexte_.definirUtilisateur(terminal());
}

void CSession::avertir(const std::string& chemin)
{
    for (const std::string& texte : avertissementsChargement(chemin))
        contexte_.utilisateur().message(texte, EBoutons::Ok, EIcone::Exclamation);
}

CSession::~CSession()
{
    doc_.reset();
}

CDoc& CSession::charger(const std::string& chemin, const std::function<CResultat<>(CDoc&)>& lire)
{
    doc_ = std::make_unique<CDoc>();
    contexte_.ajouterDocument(*doc_);
    if (auto charge = lire(*doc_); !charge)
        throw SErreurDonnees(charge.raison());
    avertir(chemin);
    return *doc_;
}

CDoc& CSession::ouvrir(const std::string& chemin)
{
    return charger(chemin, [&](CDoc& doc) { return chargerCatalogue(doc, chemin); });
}

CDoc& CSession::ouvrir(const std::string& chemin, int fd, std::vector<std::uint64_t>& debutsFichiers)
{
    return charger(chemin, [&](CDoc& doc) { return chargerCatalogue(doc, chemin, fd, &debutsFichiers); });
}

CDoc& CSession::ouvrirPourModifier(const std::string& chemin)
{
    if (auto pris = verrou_.prendre(chemin); !pris)
        throw SErreurDonnees("Impossible d'ouvrir le catalogue " + entreGuillemets(chemin) + " : " + pris.raison() + ".");
    return charger(chemin, [&](CDoc& doc) { return chargerCatalogue(doc, chemin, verrou_.descripteur()); });
}

void CSession::enregistrer()
{
    // The next find reads the index of what is saved: made meanwhile on another core.
    CIndexPendantEnregistrement index(dossierCacheIndex(false), *doc_);
    std::vector<std::uint64_t> debuts;
    if (auto enregistre = enregistrerCatalogue(*doc_, doc_->chemin, SAppelsEcriture::systeme(), &debuts); !enregistre)
        throw SErreurDonnees(enregistre.raison());
    if (auto aEcrire = index.terminer(*doc_, debuts))
        aEcrire->ecrire();
}

CClasseur& CSession::classeur(const std::string& nom)
{
    for (CClasseur* c : doc_->classeurs())
        if (c->nom() == nom)
            return *c;
    throw SErreurDonnees("aucun classeur ne s'appelle " + entreGuillemets(nom));
}

CRequete& CSession::requete(const std::string& nom)
{
    for (CClasseur* c : doc_->classeurs())
        for (CRequete* q : c->requetes())
            if (q->nom() == nom)
                return *q;
    throw SErreurDonnees("aucune requête ne s'appelle " + entreGuillemets(nom));
}

CElement* CSession::noeud(const CArguments& args)
{
    const auto classeurNomme = args.valeur("binder");
    const auto requeteNommee = args.valeur("query");
    const auto dossier = args.valeur("folder");
    if (classeurNomme && (requeteNommee || dossier))
        throw SErreurUsage("--binder ne va pas avec --query ni --folder");
    if (dossier && !requeteNommee)
        throw SErreurUsage("--folder demande --query");
    if (classeurNomme)
        return &classeur(*classeurNomme);
    if (!requeteNommee)
        return nullptr;
    CRequete& q = requete(*requeteNommee);
    if (!dossier)
        return static_cast<CDossier*>(&q);
    if (*dossier == q.chemin())
        return static_cast<CDossier*>(&q);
    if (CDossier* d = trouverDossier(q, *dossier))
        return d;
    throw SErreurDonnees("la requête " + entreGuillemets(q.nom()) + " n'a pas de dossier " + entreGuillemets(*dossier));
}
