#include "shell/CMainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QTimer>

#include "model/CDoc.h"
#include "shell/CExecuteurTravauxQt.h"
#include "shell/CImpressionsQt.h"
#include "shell/CBarreEtat.h"
#include "shell/CChildFrame.h"
#include "shell/CFichiersRecents.h"
#include "shell/ServicesFenetres.h"
#include "ui/CImagesApplication.h"
#include "ui/CSignalementErreurs.h"
#include "ui/CChampRechercheRapide.h"
#include "ui/CToolBarEx.h"
#include "ui/CTravailLong.h"
#include "ui/IdCommandes.h"
#include "ui/Icones.h"
#include "ui/TableCommandes.h"

namespace {

// Place of the recent files in the "Fichier" menus.
constexpr int kFichiersRecents = -1;

QString partieInvite(const char* invite, bool bulle)
{
    const QString texte = QString::fromUtf8(invite);
    const qsizetype saut = texte.indexOf(u'\n');
    if (saut < 0)
        return texte;
    return bulle ? texte.mid(saut + 1) : texte.left(saut);
}

} // namespace

CMainFrame::CMainFrame(const SServicesFenetres& services, CCibleCommandes& application)
    : services_(services), application_(application), zone_(new QMdiArea(this)), etat_(new CBarreEtat(this)),
      miseAJour_(new QTimer(this))
{
    setObjectName(QStringLiteral("cadrePrincipal"));
    setWindowTitle(QStringLiteral("Norvanel"));
    setWindowIcon(services_.images.icone(100));
    setAcceptDrops(true);
    zone_->setViewMode(QMdiArea::SubWindowView);
    zone_->setActivationOrder(QMdiArea::CreationOrder);
    setCentralWidget(zone_);
    setStatusBar(etat_);
    creerActions();
    definirCommandes();
    creerMenus();
    creerBarreOutils();
    miseAJour_->setSingleShot(true);
    miseAJour_->setInterval(0);
    connect(miseAJour_, &QTimer::timeout, this, &CMainFrame::mettreAJourCommandes);
    connect(zone_, &QMdiArea::subWindowActivated, this, &CMainFrame::surActivation);
    actualiserFichiersRecents();
    mettreAJourCommandes();
}

CMainFrame::~CMainFrame() = default;

// --- Construction ----------------------------------------------------------------------------

void CMainFrame::creerActions()
{
    for (const SCommande& c : tableCommandes()) {
        auto* a = new QAction(QString::fromUtf8(c.texte), this);
        if (*c.touche)
            a->setShortcut(QKeySequence(QString::fromLatin1(c.touche)));
        if (*c.invite) {
            a->setStatusTip(partieInvite(c.invite, false));
            a->setToolTip(partieInvite(c.invite, true));
        }
        if (*c.icone)
            a->setIcon(iconeSvg(QString::fromLatin1(c.icone)));
        a->setIconVisibleInMenu(false);
        a->setCheckable(c.cochable);
        const int id = c.id;
        connect(a, &QAction::triggered, this, [this, id] { executer(id); });
        // Keys work whichever menu is shown.
        addAction(a);
        actions_[id] = a;
    }
    for (int n = 0; n < cmd::kNombreFichiersRecents; ++n) {
        auto* a = new QAction(this);
        a->setStatusTip(QStringLiteral("Ouvre ce document"));
        const int id = cmd::FichierRecent1 + n;
        connect(a, &QAction::triggered, this, [this, id] { executer(id); });
        recents_.push_back(a);
        actions_[id] = a;
    }
    aucunRecent_ = new QAction(QStringLiteral("Fichier récent"), this);
    aucunRecent_->setEnabled(false);
}

QMenu* CMainFrame::creerMenu(const QString& titre, std::initializer_list<int> ids)
{
    auto* menu = new QMenu(titre, this);
    for (int id : ids) {
        if (id == 0) {
            menu->addSeparator();
        } else if (id == kFichiersRecents) {
            menu->addAction(aucunRecent_);
            for (QAction* a : recents_)
                menu->addAction(a);
        } else {
            menu->addAction(actions_.at(id));
        }
    }
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::mettreAJourCommandes);
    return menu;
}

void CMainFrame::creerMenus()
{
    using namespace cmd;
    menus100_ = {
        creerMenu(QStringLiteral("&Fichier"),
                  {Nouveau, Ouvrir, 0, ConfigurationImpression, 0, kFichiersRecents, 0, Quitter}),
        creerMenu(QStringLiteral("&Affichage"),
                  {BarreOutils, BarreEtat, Fractionner, 0, SousDossiers, FiltreRecherche}),
        creerMenu(QStringLiteral("&?"), {APropos}),
    };
    menuFenetre_ = creerMenu(QStringLiteral("Fe&nêtre"), {Cascade, Mosaique, ReorganiserIcones});
    connect(menuFenetre_, &QMenu::aboutToShow, this, &CMainFrame::actualiserMenuFenetre);
    menus101_ = {
        creerMenu(QStringLiteral("&Fichier"),
                  {Nouveau, Ouvrir, Fermer, Enregistrer, EnregistrerSous, 0, Imprimer, ApercuImpression,
                   ConfigurationImpression, 0, kFichiersRecents, 0, Quitter}),
        creerMenu(QStringLiteral("&Edition"), {Supprimer, Renommer, Proprietes}),
        creerMenu(QStringLiteral("&Liste de fichiers"),
                  {NouveauClasseur, NouvelleRequete, ModifierRequete, 0, Rechercher, ResultatsRecherche, 0,
                   ComparerRequetes, ResultatsComparaison, 0, MettreAJour, ToutMettreAJour}),
        creerMenu(QStringLiteral("&Affichage"),
                  {BarreOutils, BarreEtat, Fractionner, 0, SousDossiers, FiltreRecherche}),
        menuFenetre_,
        creerMenu(QStringLiteral("&?"), {APropos}),
    };
}

void CMainFrame::creerBarreOutils()
{
    barre_ = new CToolBarEx(QStringLiteral("Barre d'outils"), this);
    barre_->setObjectName(QStringLiteral("barreOutils"));
    barre_->toggleViewAction()->setVisible(false);
    barre_->charger(CDispositionBarre::depuisCommandes(boutonsBarreOutils()), [this](int id) { return action(id); });
    champ_ = new CChampRechercheRapide(barre_);
    champ_->placerAuBoutDe(*barre_);
    chercherRapide_ = new QAction(this);
    chercherRapide_->setShortcut(QKeySequence::Find);
    connect(chercherRapide_, &QAction::triggered, this, [this] {
        raise();
        activateWindow();
        champ_->prendreLaMain();
    });
    addAction(chercherRapide_);
    addToolBar(Qt::TopToolBarArea, barre_);
}

void CMainFrame::partagerRaccourcis(QWidget& fenetre)
{
    for (const auto& [id, a] : actions_)
        if (id != cmd::PanneauSuivant && !a->shortcut().isEmpty())
            fenetre.addAction(a);
    fenetre.addAction(chercherRapide_);
}

void CMainFrame::afficherMenus(bool document)
{
    if (menusPlaces_ && document == menuDocument_)
        return;
    menuBar()->clear();
    for (QMenu* m : document ? menus101_ : menus100_)
        menuBar()->addMenu(m);
    menuDocument_ = document;
    menusPlaces_ = true;
}

// --- State --------------------------------------------------------------------------------------

CChildFrame* CMainFrame::cadreActif() const
{
    return qobject_cast<CChildFrame*>(zone_->currentSubWindow());
}

QList<CChildFrame*> CMainFrame::cadres() const
{
    QList<CChildFrame*> liste;
    for (QMdiSubWindow* f : zone_->subWindowList(QMdiArea::CreationOrder))
        if (auto* c = qobject_cast<CChildFrame*>(f))
            liste.append(c);
    return liste;
}

QAction* CMainFrame::action(int id) const
{
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

std::vector<CCibleCommandes*> CMainFrame::route()
{
    std::vector<CCibleCommandes*> cibles;
    if (CChildFrame* c = cadreActif()) {
        if (CCibleCommandes* vue = c->vueCible())
            cibles.push_back(vue);
        cibles.push_back(c);
    }
    cibles.push_back(this);
    cibles.push_back(&application_);
    return cibles;
}

void CMainFrame::planifierMiseAJour()
{
    miseAJour_->start();
}

void CMainFrame::mettreAJourCommandes()
{
    miseAJour_->stop();
    afficherMenus(!cadres().isEmpty());
    const std::vector<CCibleCommandes*> cibles = route();
    for (auto& [id, a] : actions_) {
        SEtatCommande etat;
        bool gere = false;
        for (CCibleCommandes* c : cibles)
            if ((gere = c->etatCommande(id, etat)))
                break;
        a->setEnabled(gere && etat.actif);
        if (a->isCheckable())
            a->setChecked(gere && etat.coche);
    }
    actualiserFichiersRecents();
    actualiserTitre();
}

void CMainFrame::actualiserTitre()
{
    // As a multiple-document frame shows it: the active document's name after ours,
    // in brackets while its window is maximised.
    // A maximised window has no title bar of its own: its "*" shows here. Written as
    // the multiple-document area writes it, which then adds nothing of its own.
    CChildFrame* c = cadreActif();
    QString titre = QStringLiteral("Norvanel");
    const bool maximise = c && c->isMaximized();
    if (maximise)
        titre += QStringLiteral(" - [%1]").arg(c->windowTitle());
    else if (c)
        titre += QStringLiteral(" - %1").arg(c->titre());
    if (windowTitle() != titre)
        setWindowTitle(titre);
    setWindowModified(maximise && c->isWindowModified());
}

void CMainFrame::actualiserFichiersRecents()
{
    const QStringList& fichiers = services_.recents.fichiers();
    aucunRecent_->setVisible(fichiers.isEmpty());
    for (int n = 0; n < static_cast<int>(recents_.size()); ++n) {
        QAction* a = recents_[static_cast<std::size_t>(n)];
        a->setVisible(n < fichiers.size());
        if (n < fichiers.size())
            a->setText(CFichiersRecents::libelle(n, fichiers.at(n)));
    }
}

void CMainFrame::actualiserMenuFenetre()
{
    for (QAction* a : std::as_const(actionsFenetres_)) {
        menuFenetre_->removeAction(a);
        a->deleteLater();
    }
    actionsFenetres_.clear();
    const QList<CChildFrame*> liste = cadres();
    if (liste.isEmpty())
        return;
    actionsFenetres_.append(menuFenetre_->addSeparator());
    for (int n = 0; n < liste.size(); ++n) {
        CChildFrame* c = liste.at(n);
        QAction* a = menuFenetre_->addAction(QStringLiteral("&%1 %2").arg(n + 1).arg(c->titre()));
        a->setCheckable(true);
        a->setChecked(c == cadreActif());
        a->setStatusTip(QStringLiteral("Active cette fenêtre"));
        QPointer<CChildFrame> cible(c);
        connect(a, &QAction::triggered, this, [cible] {
            if (cible)
                cible->afficherMaximise();
        });
        actionsFenetres_.append(a);
    }
}

void CMainFrame::surActivation(QMdiSubWindow* fenetre)
{
    if (auto* c = qobject_cast<CChildFrame*>(fenetre))
        services_.cadreActive(*c);
    planifierMiseAJour();
}

// --- Commands ---------------------------------------------------------------------------------

void CMainFrame::executer(int id)
{
    // Memory or threads that ran short end the command, not the program: the command
    // has put back what it began, and the user hears what failed.
    try {
        // A capture it starts as a job is named after it too, should it fail later.
        services_.executeur().nomOperation = nomCommande(id);
        for (CCibleCommandes* c : route())
            if (c->executerCommande(id))
                break;
    } catch (...) {
        services_.signalement.signalerEchec(nomCommande(id), std::current_exception());
    }
    mettreAJourCommandes();
}

std::string CMainFrame::nomCommande(int id) const
{
    const QAction* a = action(id);
    QString texte = a ? a->text().section(u'\t', 0, 0).remove(u'&') : QString();
    if (texte.endsWith(QStringLiteral("...")))
        texte.chop(3);
    return texte.isEmpty() ? std::string("La commande") : "La commande « " + texte.toStdString() + " »";
}

void CMainFrame::definirCommandes()
{
    using namespace cmd;
    definirCommande(Quitter, {.agir = [this] { close(); }});
    definirCommande(BarreOutils, {.agir = [this] { barre_->setHidden(!barre_->isHidden()); },
                                  .coche = [this] { return !barre_->isHidden(); }});
    definirCommande(BarreEtat, {.agir = [this] { etat_->setHidden(!etat_->isHidden()); },
                                .coche = [this] { return !etat_->isHidden(); }});
    const auto unDocument = [this] { return cadreActif() != nullptr; };
    definirCommande(Cascade, {.agir = [this] { zone_->cascadeSubWindows(); }, .actif = unDocument});
    definirCommande(Mosaique, {.agir = [this] { zone_->tileSubWindows(); }, .actif = unDocument});
    definirCommande(ReorganiserIcones, {.agir = [this] { reorganiserIcones(); }, .actif = unDocument});
    definirCommande(PanneauSuivant,
                    {.agir = [this] { cadreActif()->panneauSuivant(); }, .actif = unDocument});
    for (int n = 0; n < kNombreFichiersRecents; ++n) {
        const auto ouvrir = [this, n] { services_.ouvrirRecent(services_.recents.fichiers().value(n)); };
        const auto present = [this, n] { return n < services_.recents.fichiers().size(); };
        definirCommande(FichierRecent1 + n, {.agir = ouvrir, .actif = present});
    }
}

void CMainFrame::reorganiserIcones()
{
    // Minimised windows go in a row along the bottom of the area, left to right.
    int x = 0;
    for (QMdiSubWindow* f : zone_->subWindowList(QMdiArea::CreationOrder)) {
        if (!f->isMinimized())
            continue;
        const QSize taille = f->size();
        if (x + taille.width() > zone_->viewport()->width() && x > 0)
            x = 0;
        f->move(x, zone_->viewport()->height() - taille.height());
        x += taille.width();
    }
}

// --- Closing and dropped files ----------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* evenement)
{
    if (CTravailLong::travauxEnCours()) {
        // Refused: the user is told why.
        if (services_.imprimeur().enCours())
            services_.imprimeur().rappeler();
        else
            services_.executeur().rappeler();
        evenement->ignore();
        return;
    }
    if (CTravailLong::enCours() || !services_.fermerDocuments()) {
        evenement->ignore();
        return;
    }
    evenement->accept();
    emit ferme();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* evenement)
{
    const QMimeData* donnees = evenement->mimeData();
    if (donnees && donnees->hasUrls())
        for (const QUrl& url : donnees->urls())
            if (url.isLocalFile()) {
                evenement->acceptProposedAction();
                return;
            }
    evenement->ignore();
}

void CMainFrame::dropEvent(QDropEvent* evenement)
{
    const QMimeData* donnees = evenement->mimeData();
    if (!donnees || !donnees->hasUrls() || CTravailLong::enCours()) {
        evenement->ignore();
        return;
    }
    evenement->acceptProposedAction();
    QStringList fichiers;
    for (const QUrl& url : donnees->urls())
        if (url.isLocalFile())
            fichiers.append(url.toLocalFile());
    // Opened once the drop is over, so a failure's message does not hold the source.
    QTimer::singleShot(0, this, [this, fichiers] { services_.ouvrirFichiersRecus(fichiers); });
}
