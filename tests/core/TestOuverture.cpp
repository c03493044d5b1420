// Opening catalogued files and folders, with the question for the missing disk.

#include "tests/core/Factices.h"

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/CRequete.h"
#include "workspace/Ouverture.h"
#include "model/TexteCellule.h"

namespace {

class Ouverture : public AvecPlateformeFactice {
protected:
    void SetUp() override
    {
        AvecPlateformeFactice::SetUp();
        p.insererDisque("/media/cd", "VACANCES", 0x12AB34CD);
        p.ajouterFichier("/media/cd/photos/a.jpg", 10);
        doc = std::make_unique<CDoc>();
        contexte().classeurCourant = ouvert(*doc).initialiserNouveau();
        q = new CRequete(doc->classeurs().elementA(0));
        q->definirNom("cd");
        q->definirChemin("/media/cd");
        q->nomVolume = "VACANCES";
        q->numeroSerie = 0x12AB34CD;
        doc->classeurs().elementA(0)->requetes().ajouter(q);
        dossier = new CDossier(q, "/media/cd/photos", false);
        q->sousDossiers().ajouter(dossier);
        fichier = CFichier::creer(dossier->arene(), dossier, "/media/cd/photos/a.jpg");
        dossier->fichiers().ajouter(fichier);
    }
    void TearDown() override
    {
        doc.reset();
        AvecPlateformeFactice::TearDown();
    }

    const std::string demande = "Insérez le disque 'VACANCES'.\nNuméro de série: 12AB-34CD";
    std::unique_ptr<CDoc> doc;
    CRequete* q = nullptr;
    CDossier* dossier = nullptr;
    CFichier* fichier = nullptr;
};

TEST_F(Ouverture, DisquePresentOuvreSansQuestion)
{
    ouvrir(p, *fichier);
    ouvrirDossierContenant(p, *fichier);
    ouvrir(p, *static_cast<CDossier*>(q));
    ouvrirDossierContenant(p, *dossier);
    EXPECT_EQ(p.ouvertures, (std::vector<std::string>{"/media/cd/photos/a.jpg", "/media/cd/photos",
                                                       "/media/cd", "/media/cd"}));
    EXPECT_TRUE(p.messages.empty());
}

TEST_F(Ouverture, DisqueAbsentAnnuler)
{
    p.retirerDisque("/media/cd");
    p.reponses = {EReponse::Annuler};
    ouvrir(p, *fichier);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].texte, demande);
    EXPECT_EQ(p.messages[0].boutons, EBoutons::OkAnnuler);
    EXPECT_EQ(p.messages[0].icone, EIcone::Exclamation);
    EXPECT_TRUE(p.ouvertures.empty());
}

TEST_F(Ouverture, MauvaisDisqueRedemandeBonDisqueOuvre)
{
    p.retirerDisque("/media/cd");
    int question = 0;
    p.surMessage = [&](const CUtilisateurFactice::SMessage&) -> std::optional<EReponse> {
        ++question;
        if (question == 1)
            p.insererDisque("/media/cd", "VACANCES", 0x99999999);  // same label, other serial
        else if (question == 2)
            p.insererDisque("/media/cd", "VACANCES", 0x12AB34CD);
        return EReponse::Ok;
    };
    ouvrir(p, *fichier);
    EXPECT_EQ(question, 2);
    EXPECT_EQ(p.ouvertures, (std::vector<std::string>{"/media/cd/photos/a.jpg"}));
}

TEST_F(Ouverture, FichierDisparuSurLeBonDisqueRedemandeJusquAAnnuler)
{
    p.supprimer("/media/cd/photos/a.jpg");
    p.reponses = {EReponse::Ok, EReponse::Ok, EReponse::Ok, EReponse::Annuler};
    ouvrir(p, *fichier);
    EXPECT_EQ(p.messages.size(), 4u);
    EXPECT_EQ(p.tentativesOuverture.size(), 4u);  // one try, then one after each right-disk OK
    EXPECT_TRUE(p.ouvertures.empty());
}

TEST_F(Ouverture, FichierPresentSansOuvreurLeDitSansDemanderLeDisque)
{
    const std::string echec = "Impossible d'ouvrir « /media/cd/photos/a.jpg » : aucun programme n'est associé "
                              "à ce type de fichier, ou il a échoué.";
    // Disk in: the failure at once. Disk out: the disk first, then the failure. The
    // opener refused at its start, or failing once started (told when it ends).
    for (const bool tardif : {false, true})
    for (const bool disqueAbsent : {false, true}) {
        SCOPED_TRACE(testing::Message() << "tardif " << tardif << ", disque absent " << disqueAbsent);
        p.messages.clear();
        p.tentativesOuverture.clear();
        p.echecsEnAttente.clear();
        p.inouvrables.clear();
        p.echouentApres.clear();
        (tardif ? p.echouentApres : p.inouvrables) = {"/media/cd/photos/a.jpg"};
        if (disqueAbsent)
            p.retirerDisque("/media/cd");
        p.surMessage = [&](const CUtilisateurFactice::SMessage& m) -> std::optional<EReponse> {
            if (m.texte == demande)
                p.insererDisque("/media/cd", "VACANCES", 0x12AB34CD);
            return EReponse::Ok;
        };
        ouvrir(p, *fichier);
        ASSERT_EQ(p.echecsEnAttente.size(), tardif ? 1u : 0u);
        EXPECT_EQ(p.messages.size(), std::size_t(disqueAbsent) + (tardif ? 0 : 1));
        for (const auto& direEchec : p.echecsEnAttente)
            direEchec();
        std::vector<std::string> textes;
        for (const auto& m : p.messages)
            textes.push_back(m.texte);
        const std::vector<std::string> attendus =
            disqueAbsent ? std::vector<std::string>{demande, echec} : std::vector<std::string>{echec};
        EXPECT_EQ(textes, attendus);
        EXPECT_EQ(p.messages.back().boutons, EBoutons::Ok);
        EXPECT_EQ(p.messages.back().icone, EIcone::Erreur);
        EXPECT_EQ(p.tentativesOuverture.size(), disqueAbsent ? 2u : 1u);
        EXPECT_TRUE(p.ouvertures.empty());
    }
}

TEST_F(Ouverture, DemandeDeDisqueSelonNomEtNumeroDeSerie)
{
    const struct {
        const char* nom;
        unsigned numero;
        const char* attendu;
    } cas[] = {
        {"", 0, "Insérez le disque qui contient « /media/cd »."},
        {"", 0xABCDEF01, "Insérez le disque qui contient « /media/cd ».\nNuméro de série: ABCD-EF01"},
        {"VACANCES", 0, "Insérez le disque 'VACANCES'."},
        {"VACANCES", 0x0A1B2C3D, "Insérez le disque 'VACANCES'.\nNuméro de série: A1B-2C3D"},
    };
    for (const auto& c : cas) {
        q->nomVolume = c.nom;
        q->numeroSerie = c.numero;
        EXPECT_EQ(texteDemandeDisque(*q), c.attendu) << c.nom << " " << c.numero;
    }
    // A folder name that would break the line is shown escaped, on one line.
    q->nomVolume = "";
    q->numeroSerie = 0;
    q->definirChemin("/media/a\nb");
    EXPECT_EQ(texteDemandeDisque(*q).find('\n'), std::string::npos);
}

TEST_F(Ouverture, DossierContenantDisponibleSaufALaRacine)
{
    EXPECT_TRUE(fichier->aDossierContenant());
    EXPECT_TRUE(dossier->aDossierContenant());
    EXPECT_FALSE(q->aDossierContenant());  // the query lists the root of its disk
    q->definirChemin("C:\\");
    EXPECT_FALSE(q->aDossierContenant());
    q->definirChemin("C:\\Photos");
    EXPECT_TRUE(q->aDossierContenant());
}

} // namespace

namespace {

TEST_F(Ouverture, EntreeRangeeAilleursQueSonCheminMontreEtDemandeLeVraiChemin)
{
    // A crafted catalogue files /etc/passwd in a folder of the disk, and /etc as one
    // of its folders.
    p.ajouterFichier("/etc/passwd");
    auto* intrus = CFichier::creer(dossier->arene(), dossier, "/etc/passwd");
    dossier->fichiers().ajouter(intrus);
    auto* dossierIntrus = new CDossier(q, "/etc", false);
    q->sousDossiers().ajouter(dossierIntrus);
    auto* dansIntrus = CFichier::creer(dossierIntrus->arene(), dossierIntrus, "/etc/passwd");
    dossierIntrus->fichiers().ajouter(dansIntrus);
    EXPECT_TRUE(fichier->estALaPlaceAnnoncee());
    EXPECT_FALSE(intrus->estALaPlaceAnnoncee());
    EXPECT_FALSE(dansIntrus->estALaPlaceAnnoncee());
    EXPECT_EQ(texteCellule(*fichier, EChamp::Nom), "a.jpg");
    EXPECT_EQ(texteCellule(*fichier, EChamp::Dossier), "/media/cd/photos");
    EXPECT_EQ(texteCellule(*intrus, EChamp::Nom), "/etc/passwd");
    EXPECT_EQ(texteCellule(*intrus, EChamp::Dossier), "/etc");

    struct SCas {
        COuvrable* noeud;
        const char* question;
        const char* ouvert;
    };
    const SCas cas[] = {
        {intrus, "Le catalogue range « passwd » dans « /media/cd/photos », mais son chemin réel est « /etc/passwd ».",
         "/etc/passwd"},
        {dansIntrus, "Le catalogue range « passwd » dans « /media/cd », mais son chemin réel est « /etc/passwd ».",
         "/etc/passwd"},
        {dossierIntrus, "Le catalogue range « etc » dans « /media/cd », mais son chemin réel est « /etc ».", "/etc"},
    };
    for (const SCas& c : cas) {
        SCOPED_TRACE(c.ouvert);
        for (const EReponse reponse : {EReponse::Annuler, EReponse::Ok}) {
            p.messages.clear();
            p.ouvertures.clear();
            p.reponses = {reponse};
            ouvrir(p, *c.noeud);
            ASSERT_EQ(p.messages.size(), 1u);
            EXPECT_EQ(p.messages[0].texte, std::string(c.question) + "\nVoulez-vous ouvrir « " + c.ouvert + " » ?");
            EXPECT_EQ(p.messages[0].boutons, EBoutons::OkAnnuler);
            EXPECT_EQ(p.ouvertures, reponse == EReponse::Ok ? std::vector<std::string>{c.ouvert}
                                                            : std::vector<std::string>{});
        }
    }
}

} // namespace
