// The folder scan and the update of a query, on the fake file system.

#include "tests/core/Factices.h"

#include <cerrno>

#include "capture/CSuiviCapture.h"
#include "capture/MiseAJour.h"
#include "capture/ScanDossier.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "model/Totaux.h"
#include "platform/RaisonSysteme.h"
#include "workspace/MisesAJour.h"

namespace {

class Capture : public AvecPlateformeFactice {
protected:
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        p.insererDisque("/media/cd", "DISQUE", 0x1234ABCD);
        doc = std::make_unique<CDoc>();
        contexte().classeurCourant = ouvert(*doc).initialiserNouveau();
        q = new CRequete(doc->classeurs().elementA(0));
        q->definirNom("cd");
        q->definirChemin("/media/cd");
        doc->classeurs().elementA(0)->requetes().ajouter(q);
    }
    void TearDown() override
    {
        doc.reset();
        AvecPlateformeFactice::TearDown();
    }

    // Paths of every file of the snapshot, depth first, files before sub-folders.
    std::vector<std::string> fichiers(const CDossier& d) const
    {
        std::vector<std::string> r;
        for (const CFichier* f : d.fichiers())
            r.push_back(f->chemin());
        for (const CDossier* s : d.sousDossiers())
            for (const auto& c : fichiers(*s))
                r.push_back(c);
        return r;
    }
    std::vector<std::string> dossiers(const CDossier& d) const
    {
        std::vector<std::string> r;
        for (const CDossier* s : d.sousDossiers()) {
            r.push_back(s->chemin());
            for (const auto& c : dossiers(*s))
                r.push_back(c);
        }
        return r;
    }

    std::unique_ptr<CDoc> doc;
    CRequete* q = nullptr;
};

TEST_F(Capture, OrdreDEnumerationEtSousDossiers)
{
    p.ajouterFichier("/media/cd/z.txt");
    p.ajouterFichier("/media/cd/sous/b.txt");
    p.ajouterFichier("/media/cd/a.txt");
    ASSERT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    // The system's order is kept: nothing is sorted during the scan.
    EXPECT_EQ(fichiers(*q), (std::vector<std::string>{"/media/cd/z.txt", "/media/cd/a.txt",
                                                       "/media/cd/sous/b.txt"}));
    EXPECT_EQ(q->sousDossiers().elementA(0)->requete(), q);
    EXPECT_EQ(q->fichiers().elementA(0)->parent(), q);
    EXPECT_EQ(q->nomVolume, "DISQUE");
    EXPECT_EQ(q->numeroSerie, 0x1234ABCDu);
    EXPECT_TRUE(doc->estModifie());

    q->inclureSousDossiers = false;
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    EXPECT_EQ(fichiers(*q), (std::vector<std::string>{"/media/cd/z.txt", "/media/cd/a.txt"}));
    EXPECT_TRUE(q->sousDossiers().estVide());
}

TEST_F(Capture, DossiersVides)
{
    p.ajouterDossier("/media/cd/vide/rien");
    p.ajouterFichier("/media/cd/plein/f");
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    // A folder holding only an empty folder goes too.
    EXPECT_EQ(dossiers(*q), (std::vector<std::string>{"/media/cd/plein"}));
    q->inclureDossiersVides = true;
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    EXPECT_EQ(dossiers(*q),
              (std::vector<std::string>{"/media/cd/vide", "/media/cd/vide/rien", "/media/cd/plein"}));
}

TEST_F(Capture, ElementsCaches)
{
    p.ajouterDossier("/media/cd/.cache", kAttrCache);
    p.ajouterFichier("/media/cd/.cache/visible.txt");
    p.ajouterFichier("/media/cd/.cache.txt", 0, kAttrCache);
    p.ajouterFichier("/media/cd/normal.txt");
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    EXPECT_EQ(fichiers(*q).size(), 3u);
    ASSERT_EQ(q->sousDossiers().nombre(), 1);
    EXPECT_TRUE(q->sousDossiers().elementA(0)->estCache());

    q->inclureCaches = false;
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    EXPECT_EQ(fichiers(*q), (std::vector<std::string>{"/media/cd/normal.txt"}));
    EXPECT_TRUE(q->sousDossiers().estVide());
}

TEST_F(Capture, FiltreSurLeCheminComplet)
{
    for (const char* nom : {"a.TXT", "b.doc", "c.jpg", "atxt"})
        p.ajouterFichier(std::string("/media/cd/d/") + nom);
    q->modeFiltre = kFiltreInclure;
    q->filtre = "*.txt; *.doc";
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    EXPECT_EQ(fichiers(*q), (std::vector<std::string>{"/media/cd/d/a.TXT", "/media/cd/d/b.doc"}));
    q->modeFiltre = kFiltreExclure;
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    EXPECT_EQ(fichiers(*q), (std::vector<std::string>{"/media/cd/d/c.jpg", "/media/cd/d/atxt"}));
    // A spec that must match from the start of the name never matches a full path.
    q->modeFiltre = kFiltreInclure;
    q->filtre = "a*";
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    EXPECT_TRUE(fichiers(*q).empty());
    q->modeFiltre = kFiltreExclure;
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    EXPECT_EQ(fichiers(*q).size(), 4u);
    // A filter without any spec filters nothing, in either mode; an unknown mode
    // filters nothing either.
    for (const char* filtre : {"", "  ", " ; ;"})
        for (std::int32_t mode : {kFiltreInclure, kFiltreExclure}) {
            q->modeFiltre = mode;
            q->filtre = filtre;
            EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
            EXPECT_EQ(fichiers(*q).size(), 4u) << "« " << filtre << " », mode " << mode;
        }
    q->modeFiltre = 7;
    q->filtre = "*";
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    EXPECT_EQ(fichiers(*q).size(), 4u);
}

TEST_F(Capture, ValeursStockeesEtTailleSur32Bits)
{
    auto& e = p.ajouterFichier("/media/cd/gros.iso", 4294967297ULL,
                               kAttrLectureSeule | kAttrCache | kAttrSysteme | kAttrArchive);
    e.creation = tempsFichierDepuisUnix(1047340740);   // 10/03/2003 23:59:00 UTC
    e.ecriture = tempsFichierDepuisUnix(1047340741);
    e.acces = tempsFichierDepuisUnix(1047427200);      // 12/03/2003
    p.ajouterFichier("/media/cd/juste.bin", 4294967296ULL, kAttrArchive);
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    ASSERT_EQ(q->fichiers().nombre(), 2);
    const CFichier* gros = q->fichiers().elementA(0);
    EXPECT_EQ(gros->taille, 1u);
    EXPECT_STREQ(gros->lettres, "RHSA");
    EXPECT_EQ(gros->cree(), (CDateHeure{{10, 3, 2003}, 23, 59, 0}));
    EXPECT_EQ(gros->modifie(), (CDateHeure{{10, 3, 2003}, 23, 59, 1}));
    EXPECT_EQ(gros->accede(), (CDate{12, 3, 2003}));
    EXPECT_EQ(q->fichiers().elementA(1)->taille, 0u);
    EXPECT_STREQ(q->fichiers().elementA(1)->lettres, "A");

    // Values not stored stay zero.
    q->stockerTaille = q->stockerCree = q->stockerModifie = q->stockerAccede = q->stockerAttributs = false;
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    const CFichier* nu = q->fichiers().elementA(0);
    EXPECT_EQ(nu->taille, 0u);
    EXPECT_STREQ(nu->lettres, "");
    EXPECT_EQ(nu->cree(), CDateHeure{});
    EXPECT_EQ(nu->accede(), CDate{});
}

TEST_F(Capture, LeTestAvanceFiltreLaCapture)
{
    p.ajouterFichier("/media/cd/1023", 1023);
    p.ajouterFichier("/media/cd/1024", 1024);
    p.ajouterFichier("/media/cd/2048", 2048);
    q->criteres.testTaille = 1;
    q->criteres.comparaisonTaille = kTailleAuMoins;
    q->criteres.valeurTaille = 1;
    q->criteres.uniteTaille = 1;
    q->criteres.accepter();
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    EXPECT_EQ(fichiers(*q), (std::vector<std::string>{"/media/cd/1024", "/media/cd/2048"}));
    q->criteres.comparaisonTaille = kTailleEgale;
    q->criteres.valeurTaille = 0;
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    EXPECT_EQ(fichiers(*q), (std::vector<std::string>{"/media/cd/1023"}));
    // A criterion on a value the query does not store is skipped.
    q->stockerTaille = false;
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    EXPECT_EQ(fichiers(*q).size(), 3u);
}

TEST_F(Capture, SousDossierIllisibleDonneUnDossierVide)
{
    p.ajouterFichier("/media/cd/ferme/secret");
    p.rendreIllisible("/media/cd/ferme");
    p.ajouterFichier("/media/cd/ouvert");
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    EXPECT_TRUE(q->sousDossiers().estVide());
    q->inclureDossiersVides = true;
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    ASSERT_EQ(q->sousDossiers().nombre(), 1);
    EXPECT_TRUE(q->sousDossiers().elementA(0)->fichiers().estVide());
}

TEST_F(Capture, RacineIllisibleGardeLeSnapshotPrecedent)
{
    p.ajouterFichier("/media/cd/a");
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    doc->definirModifie(false);
    p.retirerDisque("/media/cd");
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::RacineIllisible);
    EXPECT_EQ(fichiers(*q), (std::vector<std::string>{"/media/cd/a"}));
    EXPECT_EQ(q->nomVolume, "DISQUE");
    EXPECT_EQ(q->numeroSerie, 0x1234ABCDu);
    // Nothing changed: nothing to save.
    EXPECT_FALSE(doc->estModifie());
}

class Annulation : public CSuiviCapture {
public:
    bool progression(const SProgressionCapture& e) override
    {
        ++appels;
        dernier = e;
        return false;
    }
    int appels = 0;
    SProgressionCapture dernier;
};

TEST_F(Capture, CaptureAnnuleeLaisseTout)
{
    p.ajouterFichier("/media/cd/a");
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    doc->definirModifie(false);
    p.insererDisque("/media/cd", "AUTRE", 7);
    p.ajouterFichier("/media/cd/b");
    Annulation annuler;
    EXPECT_EQ(mettreAJourRequete(*q, &annuler), EResultatMiseAJour::Annulee);
    EXPECT_EQ(annuler.appels, 1);
    EXPECT_EQ(annuler.dernier.dossierCourant, "/media/cd");
    EXPECT_EQ(fichiers(*q), (std::vector<std::string>{"/media/cd/a"}));
    EXPECT_EQ(q->nomVolume, "DISQUE");
    EXPECT_FALSE(doc->estModifie());
}

TEST_F(Capture, TotauxSur32Bits)
{
    for (const char* nom : {"a", "b", "c"})
        p.ajouterFichier(std::string("/media/cd/s/") + nom, 4294967295ULL);
    p.ajouterFichier("/media/cd/s/t/d", 5);
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    STotaux t;
    compter(*q, t);
    EXPECT_EQ(t.dossiers, 2u);
    EXPECT_EQ(t.fichiers, 4u);
    EXPECT_EQ(t.taille, static_cast<std::uint32_t>(3ULL * 4294967295ULL + 5));
    const SProprietes pr = proprietesDossier(*q);
    EXPECT_EQ(pr.nomVolume, "DISQUE");
    EXPECT_EQ(pr.fichiers, 4u);
    q->stockerTaille = false;
    STotaux sansTaille;
    compter(*q, sansTaille);
    EXPECT_EQ(sansTaille.taille, 0u);
}

TEST_F(Capture, LaCommandeDeMiseAJourReappliqueLaRecherche)
{
    CResultatsEspion resultats;
    contexte().resultatsRecherche = &resultats;
    p.ajouterFichier("/media/cd/a.txt");
    p.ajouterFichier("/media/cd/b.doc");
    mettreAJour(contexte(), *q);
    contexte().criteresRecherche.motif = "*.doc";
    contexte().criteresRecherche.cible = static_cast<CDossier*>(q);
    p.ajouterFichier("/media/cd/c.doc");
    mettreAJour(contexte(), *q);
    ASSERT_EQ(resultats.lignes.size(), 2u);
    EXPECT_EQ(resultats.lignes[0]->nom(), "b.doc");
    EXPECT_EQ(resultats.lignes[1]->nom(), "c.doc");
    EXPECT_EQ(q->fichiers().elementA(0)->marque, 0);
    contexte().resultatsRecherche = nullptr;
}

} // namespace

namespace {

TEST_F(Capture, DisqueAbsentSeulementQuandLePointDeMontageEstVideSurUnAutreVolume)
{
    struct SCas {
        const char* nom;
        bool dejaCapturee;    // the query holds the identity of the first disk
        const char* disque;   // in the drive at the update ("" : the same disk)
        bool contenu;         // the folder holds a file at the update
        EResultatMiseAJour attendu;
        bool sansIdentite = false;  // the first disk has neither label nor serial
        bool ecarte = false;        // the query's filter turns the file down
    };
    const SCas cas[] = {
        {"point de montage vide", true, "VIDE", false, EResultatMiseAJour::DisqueAbsent},
        {"autre disque avec contenu", true, "AUTRE", true, EResultatMiseAJour::Capturee},
        {"même disque vidé", true, "", false, EResultatMiseAJour::Capturee},
        {"jamais capturée", false, "VIDE", false, EResultatMiseAJour::Capturee},
        {"disque sans identité, point de montage vide", true, "VIDE", false, EResultatMiseAJour::DisqueAbsent, true},
        {"disque sans identité vidé", true, "", false, EResultatMiseAJour::Capturee, true},
        {"sans identité, ce que le dossier tient écarté par le filtre", true, "AUTRE", true,
         EResultatMiseAJour::Capturee, true, true},
    };
    for (const SCas& c : cas) {
        SCOPED_TRACE(c.nom);
        if (c.sansIdentite)
            p.insererDisque("/media/cd", "", 0);
        else
            p.insererDisque("/media/cd", "DISQUE", 0x1234ABCD);
        p.ajouterFichier("/media/cd/a");
        q->modeFiltre = kFiltreAucun;
        q->nomVolume.clear();
        q->numeroSerie = 0;
        q->vider();
        if (c.dejaCapturee) {
            ASSERT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
        }
        if (*c.disque)
            p.insererDisque("/media/cd", c.disque, 0x99);
        p.supprimer("/media/cd/a");
        if (c.contenu)
            p.ajouterFichier("/media/cd/b");
        q->modeFiltre = c.ecarte ? kFiltreExclure : kFiltreAucun;
        q->filtre = "*/b";
        const std::string nom = q->nomVolume;
        const std::uint32_t serie = q->numeroSerie;
        const std::vector<std::string> avant = fichiers(*q);

        EXPECT_EQ(mettreAJourRequete(*q, nullptr), c.attendu);
        if (c.attendu == EResultatMiseAJour::DisqueAbsent) {
            EXPECT_EQ(fichiers(*q), avant);
            EXPECT_EQ(q->nomVolume, nom);
            EXPECT_EQ(q->numeroSerie, serie);
        } else {
            EXPECT_EQ(fichiers(*q), c.contenu && !c.ecarte ? std::vector<std::string>{"/media/cd/b"}
                                                           : std::vector<std::string>{});
            EXPECT_EQ(q->nomVolume, *c.disque ? c.disque : nom);
        }
        p.supprimer("/media/cd/b");
    }
}

TEST_F(Capture, EtiquetteGardeeCommeLeFichierLaGarde)
{
    // A label the code page cannot hold is kept as the file keeps it, and the disk is
    // still recognised by it once the catalogue is read again.
    p.insererDisque("/media/cd", "Фото Été 2024", 0x51);
    p.ajouterFichier("/media/cd/a");
    ASSERT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);
    EXPECT_EQ(q->nomVolume, "???? Été 20");
    p.supprimer("/media/cd/a");
    EXPECT_EQ(mettreAJourRequete(*q, nullptr), EResultatMiseAJour::Capturee);  // the same disk, emptied
    EXPECT_TRUE(fichiers(*q).empty());
}

TEST_F(Capture, ToutMettreAJourDitEnUnMessageQuelsDisquesManquent)
{
    p.ajouterFichier("/media/cd/a");
    p.insererDisque("/media/usb", "USB", 5);
    p.ajouterFichier("/media/usb/x");
    auto* autre = new CRequete(doc->classeurs().elementA(0));
    autre->definirNom("usb");
    autre->definirChemin("/media/usb");
    doc->classeurs().elementA(0)->requetes().ajouter(autre);
    toutMettreAJour(contexte(), *doc);
    ASSERT_TRUE(p.messages.empty());

    // The cd is swapped for an empty mount point; the other disk is still there.
    p.supprimer("/media/cd/a");
    p.insererDisque("/media/cd", "", 0x77);
    p.ajouterFichier("/media/usb/y");
    toutMettreAJour(contexte(), *doc);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].texte,
              "Le disque « DISQUE » (numéro de série 1234-ABCD) n'est pas présent : la requête « cd » n'a pas été mise à jour.");
    EXPECT_EQ(p.messages[0].icone, EIcone::Exclamation);
    EXPECT_EQ(fichiers(*q), (std::vector<std::string>{"/media/cd/a"}));
    EXPECT_EQ(fichiers(*autre), (std::vector<std::string>{"/media/usb/x", "/media/usb/y"}));

    // The binder's update too: both missing disks in one message.
    p.messages.clear();
    p.supprimer("/media/usb/x");
    p.supprimer("/media/usb/y");
    p.insererDisque("/media/usb", "", 0x78);
    mettreAJour(contexte(), *doc->classeurs().elementA(0));
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].texte,
              "Le disque « DISQUE » (numéro de série 1234-ABCD) n'est pas présent : la requête « cd » n'a pas été mise à jour.\n"
              "Le disque « USB » (numéro de série 0-5) n'est pas présent : la requête « usb » n'a pas été mise à jour.");
    EXPECT_EQ(fichiers(*autre), (std::vector<std::string>{"/media/usb/x", "/media/usb/y"}));
}

// Read errors during the walk, on the calling thread alone and on pools of threads: a
// folder the user may not read, or one gone, is captured empty; an error of the disk or
// of the system stops the update, which keeps the previous snapshot and says why.
class ErreursLecture : public Capture, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        Capture::SetUp();
        for (const char* f : {"/media/cd/a/un", "/media/cd/b/c/deux", "/media/cd/b/c/trois", "/media/cd/z/quatre"})
            p.ajouterFichier(f);
    }
};

TEST_P(ErreursLecture, seuleUneErreurDuSupportArreteLaMiseAJour)
{
    const struct {
        const char* nom;
        bool ouverture;       // fails when opened, else once `apres` entries are read
        int erreur;
        std::size_t apres;
        bool noyau;           // the disk is a kernel pseudo-file system
        bool arretee;
    } cas[] = {
        {"EIO à l'ouverture", true, EIO, 0, false, true},
        {"EMFILE à l'ouverture", true, EMFILE, 0, false, true},
        {"ENOTCONN au milieu du dossier", false, ENOTCONN, 3, false, true},
        {"ESTALE à la première lecture", false, ESTALE, 0, false, true},
        {"accès refusé : dossier vide", true, EACCES, 0, false, false},
        {"parti entre-temps : dossier vide", true, ENOENT, 0, false, false},
        {"état du noyau", false, EIO, 2, true, false},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        ASSERT_EQ(mettreAJourRequete(*q, nullptr, 1), EResultatMiseAJour::Capturee);
        doc->definirModifie(false);
        const std::vector<std::string> avant = fichiers(*q);
        p.ajouterFichier("/media/cd/a/nouveau");
        for (const char* d : {"/media/cd", "/media/cd/b", "/media/cd/b/c"})
            p.identite(d).systemeNoyau = c.noyau;
        if (c.ouverture)
            p.echouerOuverture("/media/cd/b/c", c.erreur);
        else
            p.echouerLecture("/media/cd/b/c", c.erreur, c.apres);

        SBilanCapture bilan;
        const EResultatMiseAJour r = mettreAJourRequete(*q, nullptr, GetParam(), &bilan);
        if (c.arretee) {
            EXPECT_EQ(r, EResultatMiseAJour::ErreurLecture);
            EXPECT_EQ(fichiers(*q), avant);
            EXPECT_EQ(q->nomVolume, "DISQUE");
            EXPECT_FALSE(doc->estModifie());
            EXPECT_EQ(bilan.dossierEnErreur, "/media/cd/b/c");
            EXPECT_EQ(bilan.erreur, c.erreur);
            EXPECT_EQ(texteMiseAJour(*q, r, bilan), "Le dossier « /media/cd/b/c » n'a pas pu être lu (" +
                                                         raisonSysteme(c.erreur) +
                                                         ") : la requête « cd » n'a pas été mise à jour.");
        } else {
            EXPECT_EQ(r, EResultatMiseAJour::Capturee);
            EXPECT_EQ(fichiers(*q), (std::vector<std::string>{"/media/cd/a/un", "/media/cd/a/nouveau", "/media/cd/z/quatre"}));
            EXPECT_TRUE(texteMiseAJour(*q, r, bilan).empty());
        }
        p.supprimer("/media/cd/a/nouveau");
        p.echouerOuverture("/media/cd/b/c", 0);
        p.echouerLecture("/media/cd/b/c", 0, 0);
        for (const char* d : {"/media/cd", "/media/cd/b", "/media/cd/b/c"})
            p.identite(d).systemeNoyau = false;
    }
}

INSTANTIATE_TEST_SUITE_P(Fils, ErreursLecture, ::testing::Values(1, 2, 8),
                         [](const auto& info) { return std::to_string(info.param) + "fils"; });

} // namespace
