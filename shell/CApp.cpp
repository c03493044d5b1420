#include "shell/CApp.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPageSetupDialog>
#include <QScreen>
#include <QTimer>
#include <QTreeView>

#include "compare/ui/CComparaisonDlg.h"
#include "dialogs/CAProposDlg.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "search/ui/CRechercheRapide.h"
#include "search/ui/CResultatsRechercheDlg.h"
#include "shell/CAccesReglages.h"
#include "shell/CApplicationNorvanel.h"
#include "shell/CArboView.h"
#include "shell/CBarreEtat.h"
#include "shell/CChildFrame.h"
#include "shell/CFichiersRecents.h"
#include "shell/CGestionnaireDocuments.h"
#include "shell/CHoteResultatsQt.h"
#include "shell/CInstanceUnique.h"
#include "shell/CMainFrame.h"
#include "shell/CPlateformeQt.h"
#include "shell/CImpressionsQt.h"
#include "shell/CSuiviTravailQt.h"
#include "shell/CUtilisateurQt.h"
#include "shell/CommandeComparaison.h"
#include "shell/CommandeRecherche.h"
#include "shell/ImpressionDocument.h"
#include "shell/LigneCommande.h"
#include "shell/ServicesFenetres.h"
#include "storage/FichierCatalogue.h"
#include "ui/CChampRechercheRapide.h"
#include "ui/CImagesApplication.h"
#include "ui/CResultatsDlg.h"
#include "shell/CExecuteurTravauxQt.h"
#include "ui/CTravailLong.h"
#include "ui/CheminsQt.h"
#include "ui/IdCommandes.h"
#include "workspace/CContexte.h"
#include "workspace/OuvertureIndexGarde.h"
#include "workspace/TravailRecherche.h"

CApp::CApp(SOptionsApplication options)
    : options_(std::move(options)), plateformePrecedente_(nullptr),
      // The three image lists and their icons.
      images_(std::make_unique<CImagesApplication>()), plateforme_(std::make_unique<CPlateformeQt>()),
      utilisateur_(std::make_unique<CUtilisateurQt>()),
      reglages_(std::make_unique<CAccesReglages>(*utilisateur_))
{
    // What a handler lets out of an event is told here.
    if (auto* application = qobject_cast<CApplicationNorvanel*>(QCoreApplication::instance()))
        application->definirSignalement(&signalement_);
    plateformePrecedente_ = definirPlateforme(plateforme_.get());
    contexte_.definirUtilisateur(*utilisateur_);
    signalement_.definirUtilisateur(utilisateur_.get());
    definirCommandes();
    // "&Rechercher..." opens the search sheet, "&Comparer des requêtes..." the compare wizard.
    definirRecherche([this](CChildFrame& cadre) { rechercherDepuis(*services_, cadre, *resultatsRecherche_); });
    definirComparaison([this](CRequete* premiere) { comparerDepuis(*services_, *cadre_, premiere); });
    QGuiApplication::setWindowIcon(images_->icone(100));
    // The search criteria at their defaults, the search filter off.
    CContexte& ctx = contexte();
    ctx.criteresRecherche = CCriteres::pourRecherche();
    ctx.filtreRecherche = false;
    // The recent-file list, four entries.
    recents_ = std::make_unique<CFichiersRecents>(*reglages_);
    // The main window, which accepts dropped files.
    creerServicesFenetres();
    cadre_ = std::make_unique<CMainFrame>(*services_, *this);
    utilisateur_->definirFenetre(cadre_.get());
    utilisateur_->definirConsole(options_.messagesSurConsole);
    const auto titreDe = [this](const CDoc* doc) {
        for (CChildFrame* c : cadre_->cadres())
            if (&c->document() == doc)
                return c->titre();
        return QString();
    };
    travaux_ = std::make_unique<CExecuteurTravauxQt>(cadre_.get(), &cadre_->barreEtat(), titreDe, signalement_,
                                                    [this] { return utilisateur_->filsCapture(); });
    // After a capture, the search follows the new snapshots.
    travaux_->apresCapture = [this] { relancerRecherche(*travaux_, contexte_); };
    impressions_ = std::make_unique<CImpressionsQt>(&cadre_->barreEtat(), titreDe);
    documents_ = std::make_unique<CGestionnaireDocuments>(*services_, *cadre_);
    // Later starts hand their files here.
    if (options_.instanceUnique) {
        instance_ = new CInstanceUnique(options_.serveur.isEmpty() ? CInstanceUnique::nomParDefaut()
                                                                   : options_.serveur,
                                        this);
        connect(instance_, &CInstanceUnique::fichiersRecus, this, &CApp::ouvrirFichiersTransmis);
        // A capture under way: the requests wait for it in the queue.
        instance_->occupe = [] { return CTravailLong::enCours(); };
        instance_->ecouter();
    }
}

CApp::~CApp()
{
    impressions_.reset();
    travaux_.reset();
    delete instance_;
    contexte_.surChangementDocuments = nullptr;
    rechercheRapide_.reset();
    // Document windows first, while the main window they report to is whole; then the
    // main window; all while the platform, the user and the context still serve them.
    if (cadre_)
        for (CChildFrame* c : cadre_->cadres())
            delete c;
    // The results windows go with the main window: no file destroyed later may reach
    // their rows.
    contexte_.resultatsRecherche = nullptr;
    contexte_.resultatsComparaison = nullptr;
    cadre_.reset();
    documents_.reset();
    signalement_.definirUtilisateur(nullptr);
    definirPlateforme(plateformePrecedente_);
    if (auto* application = qobject_cast<CApplicationNorvanel*>(QCoreApplication::instance()))
        application->definirSignalement(nullptr);
}

bool CApp::demarrer(const SLigneCommande& ligne)
{
    switch (ligne.action) {
    case SLigneCommande::EAction::Nouveau:
        documents_->nouveau();
        break;
    case SLigneCommande::EAction::Ouvrir: {
        bool unOuvert = false;
        for (const QString& f : ligne.fichiers)
            unOuvert = documents_->ouvrir(f) != nullptr || unOuvert;
        if (!unOuvert) {
            codeSortie_ = 2;
            return false;
        }
        break;
    }
    case SLigneCommande::EAction::Imprimer:
        codeSortie_ = imprimerSansFenetre(ligne.fichiers.value(0));
        return false;
    case SLigneCommande::EAction::Aide:
    case SLigneCommande::EAction::Version:
    case SLigneCommande::EAction::Erreur:
        // Answered before any application is made (lancerNorvanel): they need no display.
        codeSortie_ = ligne.action == SLigneCommande::EAction::Erreur ? 1 : 0;
        return false;
    }

    // The two result windows, hidden, for the whole run.
    // The search and the comparison fill them; every file destroyed leaves them.
    auto* resultatsRecherche = new CResultatsRechercheDlg(images_->icone(111), images_->tri(), cadre_.get());
    resultatsRecherche_ = resultatsRecherche;
    resultatsComparaison_ = new CComparaisonDlg(*images_, cadre_.get());
    contexte_.resultatsRecherche = &resultatsRecherche->commeResultats();
    contexte_.resultatsComparaison = &resultatsComparaison_->commeResultats();
    hoteResultats_ = std::make_unique<CHoteResultatsQt>(*cadre_, *utilisateur_, suivi());
    resultatsRecherche_->definirHote(hoteResultats_.get());
    resultatsComparaison_->definirHote(hoteResultats_.get());
    cadre_->partagerRaccourcis(*resultatsRecherche_);
    cadre_->partagerRaccourcis(*resultatsComparaison_);
    connect(resultatsComparaison_, &CComparaisonDlg::paireOubliee, this,
            [this] { cadre_->barreEtat().oublier(CBarreEtat::ESujet::Comparaison); });
    brancherRechercheRapide();

    if (const QScreen* ecran = QGuiApplication::primaryScreen()) {
        const QRect zone = ecran->availableGeometry();
        cadre_->resize(zone.width() * 4 / 5, zone.height() * 4 / 5);
        cadre_->move(zone.center() - cadre_->rect().center());
    }
    cadre_->show();
    cadre_->mettreAJourCommandes();
    codeSortie_ = 0;
    return true;
}

int CApp::imprimerSansFenetre(const QString& chemin)
{
    CDoc doc;
    if (auto charge = chargerCatalogue(doc, cheminCatalogue(chemin)); !charge) {
        utilisateur_->message(charge.raison(), EBoutons::Ok, EIcone::Exclamation);
        return 2;
    }
    for (const std::string& texte : avertissementsChargement(cheminCatalogue(chemin)))
        utilisateur_->message(texte, EBoutons::Ok, EIcone::Exclamation);
    if (QPrinterInfo::defaultPrinter().isNull()) {
        utilisateur_->message("Aucune imprimante n'est installée : le catalogue n'a pas été imprimé.",
                              EBoutons::Ok, EIcone::Exclamation);
        return 1;
    }
    QPrinter& p = imprimante();
    p.setDocName(QFileInfo(chemin).fileName());
    if (auto erreur = imprimerDocument(doc, p)) {
        utilisateur_->message(*erreur, EBoutons::Ok, EIcone::Exclamation);
        return 1;
    }
    return 0;
}

CSuiviTravailQt& CApp::suivi() { return utilisateur_->suivi(); }

void CApp::creerServicesFenetres()
{
    services_ = std::make_unique<SServicesFenetres>(SServicesFenetres{
        .contexte = contexte_,
        .utilisateur = *utilisateur_,
        .images = *images_,
        .suivi = suivi(),
        .executeur = [this]() -> CExecuteurTravauxQt& { return *travaux_; },
        .imprimeur = [this]() -> CImpressionsQt& { return *impressions_; },
        .recents = *recents_,
        .reglages = *reglages_,
        .signalement = signalement_,
        .imprimantePartagee = [this]() -> QPrinter& { return imprimante(); },
        .actionDeCommande = [this](int id) { return cadre_->action(id); },
        .lancerCommande = [this](int id) { cadre_->executer(id); },
        .actualiserCommandes = [this] { cadre_->mettreAJourCommandes(); },
        .actualiserCommandesPlusTard = [this] { cadre_->planifierMiseAJour(); },
        .peutRechercher = [this] { return rechercheDisponible(); },
        .ouvrirRecherche = [this](CChildFrame& cadre) { rechercher(cadre); },
        .peutComparer = [this] { return comparaisonDisponible(); },
        .ouvrirComparaison = [this](CRequete* premiere) { comparer(premiere); },
        .montrerResultatsRecherche = [this] { afficherResultatsRecherche(); },
        .montrerResultatsComparaison = [this] { afficherResultatsComparaison(); },
        .cadreActive = [this](CChildFrame& cadre) { documentActive(cadre); },
        .ouvrirFichiersRecus = [this](const QStringList& fichiers) { ouvrirFichiersTransmis(fichiers); },
        .exporterListe = [this](const STableauExporte& tableau) { hoteResultats_->exporter(tableau); },
        .enregistrerDocument = [this](CChildFrame& cadre) { return documents_->enregistrer(cadre); },
        .enregistrerDocumentSous = [this](CChildFrame& cadre) { return documents_->enregistrerSous(cadre); },
        .accepterFermeture = [this](CChildFrame& cadre) { return documents_->demanderEnregistrement(cadre); },
        .ouvrirRecent = [this](const QString& chemin) { documents_->ouvrir(chemin); },
        .fermerDocuments = [this] { return documents_->fermerTout(); },
    });
}

CUtilisateur& CApp::utilisateur() { return *utilisateur_; }

QPrinter& CApp::imprimante()
{
    // Made on first use: looking for printers may take a moment.
    if (!imprimante_)
        imprimante_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *imprimante_;
}

// --- Plug-ins of later windows ----------------------------------------------------------------

void CApp::definirRecherche(std::function<void(CChildFrame&)> recherche)
{
    recherche_ = std::move(recherche);
}

void CApp::definirComparaison(std::function<void(CRequete*)> comparaison)
{
    comparaison_ = std::move(comparaison);
}

void CApp::rechercher(CChildFrame& cadre)
{
    if (recherche_)
        recherche_(cadre);
}

void CApp::comparer(CRequete* premiere)
{
    if (comparaison_)
        comparaison_(premiere);
}

void CApp::afficherResultatsRecherche()
{
    resultatsRecherche_->show();
    resultatsRecherche_->raise();
}

void CApp::brancherRechercheRapide()
{
    rechercheRapide_ = std::make_unique<CRechercheRapide>(contexte_.documents, contexte_.resultatsRapidesAffiches,
                                                          *resultatsRecherche_);
    // A catalogue opened with its kept index is searched at once, without building one.
    rechercheRapide_->indexGarde = [this](const CRequete& q) -> std::unique_ptr<CIndexRapide> {
        const auto it = contexte_.indexGardes.find(q.document());
        return it == contexte_.indexGardes.end() ? nullptr : it->second->indexDe(q);
    };
    // Whatever changed, read again once the change is over, not once per node.
    contexte_.surChangementDocuments = [this] { rechercheRapide_->changementPlanifie(); };
    CChampRechercheRapide& champ = cadre_->champRechercheRapide();
    connect(&champ, &QLineEdit::textChanged, rechercheRapide_.get(), &CRechercheRapide::rechercher);
    connect(&champ, &CChampRechercheRapide::valide, this, &CApp::allerAuxResultatsRapides);
    connect(rechercheRapide_.get(), &CRechercheRapide::trouves, this,
            [this](std::size_t nombre) {
                cadre_->barreEtat().annoncerFichiersTrouves(nombre, CBarreEtat::ESujet::RechercheRapide);
            });
    connect(rechercheRapide_.get(), &CRechercheRapide::videe, this,
            [this] { cadre_->barreEtat().oublier(CBarreEtat::ESujet::RechercheRapide); });
    connect(rechercheRapide_.get(), &CRechercheRapide::echec, this,
            [this](const QString& texte) { signalement_.signaler(texte.toStdString()); });
}

void CApp::allerAuxResultatsRapides()
{
    rechercheRapide_->montrerSansAttendre();
    afficherResultatsRecherche();
    resultatsRecherche_->activateWindow();
    QTreeView& liste = resultatsRecherche_->liste();
    liste.setFocus(Qt::OtherFocusReason);
    const QModelIndex premiere = liste.model()->index(0, 0);
    if (premiere.isValid())
        liste.setCurrentIndex(premiere);
}

void CApp::afficherResultatsComparaison()
{
    resultatsComparaison_->show();
    resultatsComparaison_->raise();
}

// --- Application commands ---------------------------------------------------------------------

void CApp::basculerFiltreRecherche()
{
    contexte().filtreRecherche = !contexte().filtreRecherche;
    for (CChildFrame* c : cadre_->cadres())
        c->arbre().publierSelection();
}

void CApp::configurerImpression()
{
    QPageSetupDialog dialogue(&imprimante(), cadre_.get());
    dialogue.exec();
}

void CApp::afficherAPropos()
{
    CAProposDlg dialogue(images_->icone(100), cadre_.get());
    dialogue.exec();
}

void CApp::documentActive(CChildFrame& cadre)
{
    CContexte& ctx = contexte();
    CDoc& doc = cadre.document();
    // A search's count told of the document that was active.
    if (documentActif_ && documentActif_ != &doc)
        cadre_->barreEtat().oublier(CBarreEtat::ESujet::Recherche);
    documentActif_ = &doc;
    // The new query command adds to a binder of this document: the selection's, or the
    // first one.
    if (!doc.contientClasseur(ctx.classeurCourant)) {
        CElement* choisi = cadre.arbre().noeudSelectionne();
        CClasseur* c = choisi ? choisi->classeur() : nullptr;
        ctx.classeurCourant = doc.contientClasseur(c) ? c : doc.classeurs().elementA(0);
    }
}

void CApp::ouvrirFichiersTransmis(const QStringList& fichiers)
{
    // A capture is running: the files wait for it to end.
    if (CTravailLong::enCours()) {
        QTimer::singleShot(200, this, [this, fichiers] { ouvrirFichiersTransmis(fichiers); });
        return;
    }
    std::vector<std::string> echecs;
    for (const QString& f : fichiers) {
        std::string echec;
        if (!documents_->ouvrir(f, &echec))
            echecs.push_back(std::move(echec));
    }
    if (cadre_->isMinimized())
        cadre_->showNormal();
    cadre_->show();
    cadre_->raise();
    cadre_->activateWindow();
    cadre_->mettreAJourCommandes();
    if (echecs.size() == 1) {
        signalement_.signaler(echecs.front());
    } else if (!echecs.empty()) {
        std::string texte = std::to_string(echecs.size()) + " fichiers n'ont pas pu être ouverts :";
        for (std::size_t i = 0; i < echecs.size() && i < CSignalementErreurs::kLignesMax; ++i)
            texte += "\n" + echecs[i];
        if (echecs.size() > CSignalementErreurs::kLignesMax)
            texte += "\n…";
        signalement_.signaler(texte);
    }
}

void CApp::definirCommandes()
{
    definirCommande(cmd::Nouveau, {.agir = [this] { documents_->nouveau(); }});
    definirCommande(cmd::Ouvrir, {.agir = [this] { documents_->ouvrirAvecDialogue(); }});
    definirCommande(cmd::ConfigurationImpression, {.agir = [this] { configurerImpression(); }});
    definirCommande(cmd::APropos, {.agir = [this] { afficherAPropos(); }});
    definirCommande(cmd::FiltreRecherche, {.agir = [this] { basculerFiltreRecherche(); },
                                           .coche = [this] { return contexte_.filtreRecherche; }});
}
