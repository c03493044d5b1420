// Commands that change a catalogue. Each saves it safely at the end, and only when
// everything before succeeded.

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "capture/MiseAJour.h"
#include "capture/ScanDossier.h"
#include "cli/Arguments.h"
#include "cli/Commandes.h"
#include "cli/Criteres.h"
#include "cli/Session.h"
#include "cli/SortieStandard.h"
#include "cli/SuiviTerminal.h"
#include "cli/UtilisateurTerminal.h"
#include "model/CClasseur.h"
#include "model/CRequete.h"
#include "platform/CPlateforme.h"
#include "platform/RaisonSysteme.h"
#include "platform/TexteAffichable.h"
#include "search/Recherche.h"
#include "storage/FichierCatalogue.h"
#include "workspace/MisesAJour.h"
#include "workspace/TravailRecherche.h"

namespace {

// The query parameters, from the command line.
class CParametresLigne {
public:
    CParametresLigne(const CArguments& args, std::string dossier) : args_(args), dossier_(std::move(dossier)) {}
    void operator()(CRequete& q) const
    {
        q.definirChemin(dossier_);
        q.inclureSousDossiers = !args_.drapeau("no-subfolders");
        q.inclureDossiersVides = args_.drapeau("empty-folders");
        q.inclureCaches = !args_.drapeau("no-hidden");
        const auto inclure = args_.valeur("include");
        const auto exclure = args_.valeur("exclude");
        if (inclure && exclure)
            throw SErreurUsage("--include et --exclude s'excluent");
        q.modeFiltre = inclure ? kFiltreInclure : (exclure ? kFiltreExclure : kFiltreAucun);
        q.filtre = inclure ? *inclure : (exclure ? *exclure : std::string());
        q.stockerCree = !args_.drapeau("no-created");
        q.stockerModifie = !args_.drapeau("no-modified");
        q.stockerAccede = !args_.drapeau("no-accessed");
        q.stockerTaille = !args_.drapeau("no-size");
        q.stockerAttributs = !args_.drapeau("no-attributes");
        lireCriteres(args_, q.criteres);
    }

private:
    const CArguments& args_;
    std::string dossier_;
};

// Shows capture progress on a terminal unless --quiet, and gives the captures the
// thread count of --threads, for as long as the command captures.
struct SProgression {
    explicit SProgression(const CArguments& args)
    {
        terminal().fils = args.entier("threads", 1, kFilsCaptureMax, 0);
        if (!args.drapeau("quiet") && ::isatty(STDERR_FILENO))
            terminal().suivi = &suivi;
    }
    ~SProgression()
    {
        terminal().suivi = nullptr;
        terminal().fils = 0;
    }
    CSuiviTerminal suivi;
};

void avertir(const std::string& texte)
{
    std::cerr << "norvanel-cli : avertissement : " << texteAffichable(texte, EEchappement::Message) << "\n";
}

// Exactly one of --binder and --query, checked before the catalogue is opened.
void exigerNoeudNomme(const CArguments& args)
{
    if (args.valeur("binder").has_value() == args.valeur("query").has_value())
        throw SErreurUsage("il faut --binder NOM ou --query NOM");
}

// The node that --binder or --query names, for rename and rm.
CNomme& noeudNomme(CSession& s, const CArguments& args)
{
    const auto classeur = args.valeur("binder");
    const auto requete = args.valeur("query");
    if (classeur)
        return s.classeur(*classeur);
    return s.requete(*requete);
}

} // namespace

int commandeNew(const Mots& mots)
{
    CArguments args(mots, {});
    args.exigerOperandes(1, 1);
    const std::string& chemin = args.operandes()[0];
    struct stat st {};
    if (::lstat(chemin.c_str(), &st) == 0)
        throw SErreurDonnees(entreGuillemets(chemin) + " existe déjà ; rien n'a été écrit");
    if (errno != ENOENT)
        throw SErreurDonnees("Impossible de créer le catalogue " + entreGuillemets(chemin) + " : " + raisonSysteme(errno) + ".");
    CDoc doc;
    doc.initialiserNouveau();
    if (auto cree = creerCatalogue(doc, chemin); !cree)
        throw SErreurDonnees(cree.raison());
    return 0;
}

namespace {

// Renames, or says why not.
bool renommerOuDireNon(CDoc& doc, CNomme& noeud, const std::string& nom)
{
    const CResultat<> renomme = doc.renommer(noeud, nom);
    if (!renomme)
        terminal().message(renomme.raison(), EBoutons::Ok, EIcone::Erreur);
    return static_cast<bool>(renomme);
}

} // namespace

int commandeMkbinder(const Mots& mots)
{
    CArguments args(mots, {});
    args.exigerOperandes(1, 2);
    CSession s;
    CDoc& doc = s.ouvrirPourModifier(args.operandes()[0]);
    auto* c = new CClasseur(&doc, doc.nomNouveauClasseur());
    doc.classeurs().ajouter(c);
    if (args.operandes().size() == 2 && !renommerOuDireNon(doc, *c, args.operandes()[1]))
        return 2;
    s.enregistrer();
    annoncerApresEnregistrement(texteAffichable(c->nom()));
    return 0;
}

int commandeAdd(const Mots& mots)
{
    CArguments args(mots, {{"binder", true}, {"no-subfolders", false}, {"empty-folders", false},
                           {"no-hidden", false}, {"include", true}, {"exclude", true}, {"no-created", false},
                           {"no-modified", false}, {"no-accessed", false}, {"no-size", false},
                           {"no-attributes", false}, {"quiet", false}, {"threads", true}, NORVANEL_OPTIONS_CRITERES});
    args.exigerOperandes(2, 2);
    (void)args.entier("threads", 1, kFilsCaptureMax, 0);  // refused before the catalogue is opened
    CSession s;
    CDoc& doc = s.ouvrirPourModifier(args.operandes()[0]);
    CClasseur* classeur = nullptr;
    if (auto nom = args.valeur("binder"))
        classeur = &s.classeur(*nom);
    else if (doc.classeurs().estVide())
        throw SErreurDonnees("le catalogue n'a aucun classeur ; créez-en un avec mkbinder");
    else
        classeur = doc.classeurs().elementA(0);

    std::error_code ec;
    const std::string dossier = std::filesystem::absolute(args.operandes()[1], ec).lexically_normal().string();
    if (!plateforme().enumerer(dossier))
        avertir("le dossier " + entreGuillemets(dossier) + " est introuvable ou illisible ; la requête est créée vide");
    auto requete = std::make_unique<CRequete>(classeur);
    CParametresLigne(args, dossier.size() > 1 && dossier.back() == '/' ? dossier.substr(0, dossier.size() - 1) : dossier)(
        *requete);
    CRequete* q;
    {
        SProgression progression(args);
        q = ajouterRequete(s.contexte(), doc, *classeur, std::move(requete));
    }
    if (!q)
        throw SErreurDonnees("la requête n'a pas été créée");
    s.enregistrer();
    annoncerApresEnregistrement(texteAffichable(q->nom()));
    return 0;
}

int commandeUpdate(const Mots& mots)
{
    CArguments args(mots, {{"query", true}, {"quiet", false}, {"threads", true}});
    args.exigerOperandes(1, 1);
    (void)args.entier("threads", 1, kFilsCaptureMax, 0);  // refused before the catalogue is opened
    CSession s;
    CDoc& doc = s.ouvrirPourModifier(args.operandes()[0]);
    std::vector<CRequete*> requetes;
    for (const std::string& nom : args.valeurs("query"))
        requetes.push_back(&s.requete(nom));
    if (requetes.empty())
        for (CClasseur* c : doc.classeurs())
            for (CRequete* q : c->requetes())
                requetes.push_back(q);
    bool nonMiseAJour = false;
    {
        SProgression progression(args);
        for (CRequete* q : requetes) {
            SBilanCapture bilan;
            const EResultatMiseAJour resultat =
                mettreAJourRequete(*q, terminal().suiviCapture(), terminal().filsCapture(), &bilan);
            const std::string texte = texteMiseAJour(*q, resultat, bilan);
            switch (resultat) {
            case EResultatMiseAJour::DisqueAbsent:
            case EResultatMiseAJour::ErreurLecture:
                std::cerr << "norvanel-cli : " << texteAffichable(texte, EEchappement::Message) << "\n";
                nonMiseAJour = true;
                break;
            case EResultatMiseAJour::RacineIllisible:
            case EResultatMiseAJour::Capturee:
                if (!texte.empty())
                    avertir(texte);
                break;
            case EResultatMiseAJour::Annulee:
                break;
            }
        }
    }
    reappliquerRecherche(s.contexte());
    // The queries that were updated are saved all the same.
    s.enregistrer();
    return nonMiseAJour ? 2 : 0;
}

int commandeRename(const Mots& mots)
{
    CArguments args(mots, {{"binder", true}, {"query", true}});
    args.exigerOperandes(2, 2);
    exigerNoeudNomme(args);
    CSession s;
    CDoc& doc = s.ouvrirPourModifier(args.operandes()[0]);
    if (!renommerOuDireNon(doc, noeudNomme(s, args), args.operandes()[1]))
        return 2;
    s.enregistrer();
    return 0;
}

int commandeRm(const Mots& mots)
{
    CArguments args(mots, {{"binder", true}, {"query", true}});
    args.exigerOperandes(1, 1);
    exigerNoeudNomme(args);
    CSession s;
    CDoc& doc = s.ouvrirPourModifier(args.operandes()[0]);
    doc.supprimerNoeud(noeudNomme(s, args));
    s.enregistrer();
    return 0;
}
