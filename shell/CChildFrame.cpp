#include "shell/CChildFrame.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMdiArea>
#include <QSplitter>
#include <QTimer>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "shell/CAccesReglages.h"
#include "shell/CImpressionsQt.h"
#include "shell/CExecuteurTravauxQt.h"
#include "shell/CArboView.h"
#include "ui/CImagesApplication.h"
#include "shell/CListeView.h"
#include "shell/CSuiviTravailQt.h"
#include "shell/ServicesFenetres.h"
#include "ui/CTravailLong.h"
#include "ui/IdCommandes.h"
#include "shell/ImpressionDocument.h"
#include "workspace/CContexte.h"
#include "workspace/MisesAJour.h"

namespace {

constexpr int kLargeurArbre = 150;
constexpr int kLargeurListe = 100;
constexpr int kPasFractionnement = 8;

} // namespace

CChildFrame::CChildFrame(const SServicesFenetres& services, std::unique_ptr<CDoc> doc,
                         const QString& titreParDefaut, QWidget* parent)
    : QMdiSubWindow(parent), services_(services), doc_(std::move(doc)), titreParDefaut_(titreParDefaut),
      separateur_(new QSplitter(Qt::Horizontal, this))
{
    // Searched, and let go of node by node, until it closes.
    services_.contexte.ajouterDocument(*doc_);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(services_.images.icone(101));
    separateur_->setChildrenCollapsible(false);
    // The list is told of a change of the document before the tree: the tree then
    // rebuilds and hands the list its selection again, which the list keeps (told
    // after the tree, the list would empty itself after showing the selection).
    liste_ = new CListeView(services_, *doc_, separateur_);
    arbre_ = new CArboView(services_, *doc_, separateur_);
    // The panes report to their window: the tree hands its selection to the list pane.
    connect(arbre_, &CArboView::selectionPubliee, this, [this](CElement* noeud) {
        if (CVueDocument* liste = vueListe())
            liste->miseAJour(nullptr, noeud);
    });
    connect(arbre_, &CArboView::etatCommandesChange, this, &CChildFrame::selectionChangee);
    connect(liste_, &CListeView::etatCommandesChange, this, &CChildFrame::selectionChangee);
    connect(arbre_, &CArboView::devientActive, this, [this] { definirPanneauActif(arbre_); });
    connect(liste_, &CListeView::devientActive, this, [this] { definirPanneauActif(liste_); });
    separateur_->addWidget(arbre_);
    separateur_->addWidget(liste_);
    separateur_->setStretchFactor(0, 0);
    separateur_->setStretchFactor(1, 1);
    separateur_->setSizes({kLargeurArbre, kLargeurListe});
    setWidget(separateur_);
    panneauActif_ = arbre_;
    // Focus given to the window (activated, restored) goes to its active pane.
    setFocusProxy(arbre_);
    separateur_->setFocusProxy(arbre_);
    // The main window's title shows whether this window is maximised; the keyboard
    // focus, which Qt may move while the window changes state, goes back to the
    // active pane.
    changementEtat_ = connect(this, &QMdiSubWindow::windowStateChanged, this, [this] {
        selectionChangee();
        QTimer::singleShot(0, this, [this] {
            if (mdiArea() && mdiArea()->activeSubWindow() == this && !fractionnement_)
                panneauActif_->setFocus(Qt::OtherFocusReason);
        });
    });
    doc_->surChangementModifie = [this] {
        setWindowModified(doc_->estModifie());
        services_.actualiserCommandesPlusTard();
    };
    actualiserTitre();
    definirCommandes();
    arbre_->reconstruire();
}

CChildFrame::~CChildFrame()
{
    // Hidden while it is taken apart: nothing of this class may answer any more.
    disconnect(changementEtat_);
    doc_->surChangementModifie = nullptr;
    // The views let go of the document before it goes.
    delete separateur_;
    separateur_ = nullptr;
    doc_.reset();
}

CVueDocument* CChildFrame::vueListe()
{
    return liste_;
}

QString CChildFrame::titre() const
{
    if (doc_->chemin.empty())
        return titreParDefaut_;
    return QFileInfo(QString::fromStdString(doc_->chemin)).fileName();
}

void CChildFrame::actualiserTitre()
{
    // "[*]" becomes "*" while the document has unsaved changes.
    setWindowTitle(titre() + QStringLiteral("[*]"));
    setWindowModified(doc_->estModifie());
}

bool CChildFrame::arbreActif() const
{
    return panneauActif_ == arbre_;
}

void CChildFrame::definirPanneauActif(QWidget* vue)
{
    if (panneauActif_ == vue)
        return;
    panneauActif_ = vue;
    setFocusProxy(vue);
    separateur_->setFocusProxy(vue);
    selectionChangee();
}

void CChildFrame::panneauSuivant()
{
    QWidget* autre = arbreActif() ? static_cast<QWidget*>(liste_) : static_cast<QWidget*>(arbre_);
    autre->setFocus(Qt::TabFocusReason);
    definirPanneauActif(autre);
}

CCibleCommandes* CChildFrame::vueCible()
{
    return arbreActif() ? static_cast<CCibleCommandes*>(arbre_) : static_cast<CCibleCommandes*>(liste_);
}

void CChildFrame::afficherMaximise()
{
    showMaximized();
    if (QMdiArea* zone = mdiArea())
        zone->setActiveSubWindow(this);
}

void CChildFrame::afficherAuPremierPlan()
{
    if (isMinimized())
        showNormal();
    else
        show();
    if (QMdiArea* zone = mdiArea())
        zone->setActiveSubWindow(this);
}

void CChildFrame::selectionChangee()
{
    services_.actualiserCommandesPlusTard();
}

// --- Keyboard move of the split bar --------------------------------------------------------

void CChildFrame::fractionner()
{
    if (fractionnement_)
        return;
    fractionnement_ = true;
    taillesAvantFractionnement_ = separateur_->sizes();
    QWidget* poignee = separateur_->handle(1);
    poignee->installEventFilter(this);
    poignee->setFocusPolicy(Qt::StrongFocus);
    poignee->setFocus(Qt::OtherFocusReason);
    poignee->grabKeyboard();
}

void CChildFrame::terminerFractionnement(bool garder)
{
    if (!fractionnement_)
        return;
    fractionnement_ = false;
    QWidget* poignee = separateur_->handle(1);
    poignee->releaseKeyboard();
    poignee->removeEventFilter(this);
    poignee->setFocusPolicy(Qt::NoFocus);
    if (!garder)
        separateur_->setSizes(taillesAvantFractionnement_);
    panneauActif_->setFocus(Qt::OtherFocusReason);
}

bool CChildFrame::eventFilter(QObject* objet, QEvent* evenement)
{
    if (!fractionnement_ || objet != separateur_->handle(1))
        return QMdiSubWindow::eventFilter(objet, evenement);
    if (evenement->type() == QEvent::MouseButtonPress || evenement->type() == QEvent::FocusOut) {
        terminerFractionnement(true);
        return false;
    }
    if (evenement->type() != QEvent::KeyPress)
        return false;
    const auto* touche = static_cast<QKeyEvent*>(evenement);
    QList<int> tailles = separateur_->sizes();
    const int total = tailles.value(0) + tailles.value(1);
    switch (touche->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int pas = touche->key() == Qt::Key_Left ? -kPasFractionnement : kPasFractionnement;
        const int gauche = std::clamp(tailles.value(0) + pas, 0, total);
        separateur_->setSizes({gauche, total - gauche});
        return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
        terminerFractionnement(true);
        return true;
    case Qt::Key_Escape:
        terminerFractionnement(false);
        return true;
    default:
        return true;
    }
}

// --- Commands ----------------------------------------------------------------------------------

void CChildFrame::definirCommandes()
{
    using namespace cmd;
    definirCommande(NouveauClasseur, {.agir = [this] { nouveauClasseur(); }});
    definirCommande(NouvelleRequete,
                    {.agir = [this] { nouvelleRequete(); },
                     .actif = [this] { return doc_->contientClasseur(services_.contexte.classeurCourant); }});
    definirCommande(Rechercher, {.agir = [this] { services_.ouvrirRecherche(*this); },
                                 .actif = [this] { return services_.peutRechercher(); }});
    definirCommande(ResultatsRecherche, {.agir = [this] { services_.montrerResultatsRecherche(); }});
    definirCommande(ResultatsComparaison, {.agir = [this] { services_.montrerResultatsComparaison(); }});
    definirCommande(SousDossiers, {.agir = [this] { doc_->basculerSousDossiers(); },
                                   .coche = [this] { return doc_->afficherSousDossiers; }});
    // One print at a time: they share the printer.
    const auto sansImpression = [this] { return !services_.imprimeur().enCours(); };
    definirCommande(Imprimer, {.agir = [this] { imprimer(); }, .actif = sansImpression});
    definirCommande(ApercuImpression, {.agir = [this] { afficherApercu(); }, .actif = sansImpression});
    definirCommande(Fermer, {.agir = [this] { close(); }});
    definirCommande(Enregistrer, {.agir = [this] { services_.enregistrerDocument(*this); }});
    definirCommande(EnregistrerSous, {.agir = [this] { services_.enregistrerDocumentSous(*this); }});
    definirCommande(Fractionner, {.agir = [this] { fractionner(); },
                                  .actif = [this] { return !fractionnement_; }});
}

void CChildFrame::nouveauClasseur()
{
    // The new binder is selected and its label opens for the name the user gives it.
    CClasseur* c = doc_->nouveauClasseur();
    arbre_->selectionner(c);
    arbre_->editerLibelle(c);
}

void CChildFrame::nouvelleRequete()
{
    if (CRequete* q = ::nouvelleRequete(services_.executeur(), services_.contexte, *doc_))
        arbre_->selectionner(static_cast<CDossier*>(q));
}

void CChildFrame::imprimer()
{
    imprimerAvecDialogue(*doc_, services_.imprimantePartagee(), services_.imprimeur(), services_.suivi, window());
}

void CChildFrame::afficherApercu()
{
    apercuAvantImpression(*doc_, services_.imprimantePartagee(), services_.reglages.pagesApercu(),
                          services_.imprimeur(), services_.suivi, window());
}

void CChildFrame::closeEvent(QCloseEvent* evenement)
{
    // Nothing closes while a capture runs, and a modified document asks first.
    if (CTravailLong::occupe(doc_.get())) {
        // Refused: the user is told why.
        if (services_.imprimeur().imprime(doc_.get()))
            services_.imprimeur().rappeler();
        else
            services_.executeur().rappeler();
        evenement->ignore();
        return;
    }
    if (CTravailLong::enCours() || !services_.accepterFermeture(*this)) {
        evenement->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(evenement);
}
