#include "ui/CResultatsDlg.h"

#include <algorithm>

#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWindow>

#include "model/CFichier.h"
#include "model/ValeursBrutes.h"
#include "ui/CHoteResultats.h"
#include "ui/CModeleResultats.h"
#include "ui/CTravailLong.h"
#include "ui/ListeEnColonnes.h"
#include "ui/PressePapiersChemins.h"
#include "ui/InfobulleTexteCoupe.h"
#include "ui/MenuClavier.h"

CResultatsDlg::CResultatsDlg(int id, const QString& titre, const QIcon& icone, const QList<QIcon>& imagesTri,
                             QWidget* parent, const QList<QIcon>& imagesStatut)
    : QDialog(parent), id_(id),
      modele_(new CModeleResultats(imagesTri, !imagesStatut.isEmpty(), imagesStatut, this)),
      liste_(new QTreeView(this)), disposition_(new QVBoxLayout(this))
{
    setWindowTitle(titre);
    setWindowIcon(icone);
    setModal(false);
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setMinimumSize(200, 150);

    liste_->setObjectName(QStringLiteral("liste1069"));
    liste_->setModel(modele_);
    configurerListeEnColonnes(*liste_);
    liste_->setContextMenuPolicy(Qt::CustomContextMenu);
    ouvrirMenuParShiftF10(*liste_);
    montrerTexteCoupeEnInfobulle(*liste_);
    liste_->installEventFilter(this);
    QHeaderView* entete = liste_->header();
    for (int c = 0; c < modele_->columnCount(); ++c)
        entete->resizeSection(c, largeurColonne(c));
    connect(entete, &QHeaderView::sectionClicked, this, [this](int colonne) { trierSur(colonne); });
    connect(liste_, &QTreeView::doubleClicked, this, [this] { localiser(); });
    connect(liste_, &QWidget::customContextMenuRequested, this, &CResultatsDlg::menuContextuel);

    // The list fills the window less 8 pixels on each side.
    disposition_->setContentsMargins(8, 8, 8, 8);
    disposition_->addWidget(liste_);
    // Wide enough to show every column at first.
    int largeur = 2 * 8 + 2 * liste_->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    for (int c = 0; c < modele_->columnCount(); ++c)
        largeur += entete->sectionSize(c);
    resize(std::min(largeur, 1000), 360);
}

CResultatsDlg::~CResultatsDlg() = default;

int CResultatsDlg::largeurColonne(int colonne) const
{
    // The widths suit a small bitmap font; in the screen's font a date, or a title with
    // its sort arrow, may need more.
    const int marge = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, liste_) + 1) +
                      liste_->fontMetrics().averageCharWidth();
    const QString exemple = modele_->texteExemple(colonne);
    const int texte = exemple.isEmpty() ? 0 : liste_->fontMetrics().horizontalAdvance(exemple) + marge;
    const QString titre = modele_->headerData(colonne, Qt::Horizontal, Qt::DisplayRole).toString();
    return std::max({modele_->largeur(colonne), texte, largeurTitreAvecFleche(*liste_->header(), titre)});
}

void CResultatsDlg::vider() { modele_->vider(); }
void CResultatsDlg::ajouterLigne(CFichier* fichier, std::int32_t statut) { modele_->ajouterLigne(fichier, statut); }
void CResultatsDlg::retrier() { modele_->retrier(); }
void CResultatsDlg::remplacerLignes(std::vector<CLignesResultats::SLigne> triees)
{
    modele_->remplacerLignes(std::move(triees));
}
void CResultatsDlg::retirerFichier(const CFichier* fichier) { modele_->retirerFichier(fichier); }

void CResultatsDlg::retirerFichiers(const std::vector<const CFichier*>& fichiers)
{
    modele_->retirerFichiers(fichiers);
}

void CResultatsDlg::montrerSansActiver()
{
    // The attribute reaches the window system only when the native window is made. Once
    // the window has been shown, the window manager hears it through this property;
    // without it, the window is given the user's last key time and takes the focus.
    const char* const sansActiver = "_q_showWithoutActivating";
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    if (QWindow* natif = windowHandle())
        natif->setProperty(sansActiver, true);
    show();
    if (QWindow* natif = windowHandle())
        natif->setProperty(sansActiver, QVariant());
    setAttribute(Qt::WA_ShowWithoutActivating, false);
}

void CResultatsDlg::trierSur(int colonne)
{
    modele_->trierSur(colonne);
    if (const QModelIndex i = liste_->currentIndex(); i.isValid())
        liste_->scrollTo(i);
}

CFichier* CResultatsDlg::fichierSelectionne() const
{
    const QModelIndexList choisis = liste_->selectionModel()->selectedRows();
    return choisis.isEmpty() ? nullptr : modele_->fichier(choisis.first().row());
}

void CResultatsDlg::localiser()
{
    // Nothing runs while a capture or an opening does.
    CFichier* f = fichierSelectionne();
    if (!f || !hote_ || CTravailLong::enCours())
        return;
    hote_->localiser(*f);
}

void CResultatsDlg::ouvrir(bool dossierContenant)
{
    CFichier* f = fichierSelectionne();
    if (!f || !hote_ || CTravailLong::enCours() || (dossierContenant && !f->aDossierContenant()))
        return;
    // The desktop is not waited for, but the disk may be asked for: while that question
    // is open nothing may close the document or change it.
    CTravailLong travail(hote_->annonceTravailLong(), this);
    hote_->ouvrir(*f, dossierContenant);
}

void CResultatsDlg::menuContextuel(const QPoint& position)
{
    // Only on a row: a right click elsewhere offers nothing.
    const QModelIndex i = liste_->indexAt(position);
    if (!i.isValid())
        return;
    liste_->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    CFichier* f = fichierSelectionne();
    if (!f)
        return;
    QMenu menu(this);
    QAction* localiser = menu.addAction(QStringLiteral("&Localiser"), this, [this] { this->localiser(); });
    localiser->setStatusTip(QStringLiteral("Localise l'élément sélectionné dans la liste"));
    menu.addAction(QStringLiteral("&Ouvrir"), this, [this] { ouvrir(false); });
    QAction* dossier = menu.addAction(QStringLiteral("Ouvrir le &dossier contenant"), this, [this] { ouvrir(true); });
    dossier->setStatusTip(QStringLiteral("Ouvre le dossier contenant cet élément"));
    dossier->setEnabled(f->aDossierContenant());
    menu.addSeparator();
    menu.addAction(QStringLiteral("&Copier le chemin"), this, [this] { copierChemins(); });
    QAction* exporter = menu.addAction(QStringLiteral("&Exporter..."), this, [this] {
        if (hote_)
            hote_->exporter(tableauAffiche());
    });
    exporter->setStatusTip(QStringLiteral("Enregistre la liste dans un fichier CSV ou une page HTML"));
    menu.setDefaultAction(localiser);
    menu.exec(liste_->viewport()->mapToGlobal(position));
}

STableauExporte CResultatsDlg::tableauAffiche() const
{
    STableauExporte t;
    t.titre = windowTitle().replace(QStringLiteral("[*]"), QString()).toStdString();
    t.legende = legendeExport();
    const QHeaderView& entete = *liste_->header();
    std::vector<int> champs;
    for (int v = 0; v < entete.count(); ++v) {
        const int colonne = entete.logicalIndex(v);
        if (entete.isSectionHidden(colonne))
            continue;
        champs.push_back(modele_->champDeColonne(colonne));
        // The status column shows pictures under an empty title: the file names it.
        const QString titre = modele_->headerData(colonne, Qt::Horizontal, Qt::DisplayRole).toString();
        t.titres.push_back(titre.isEmpty() && champs.back() == 7 ? std::string("Statut") : titre.toStdString());
        t.numeriques.push_back(champs.back() == 1);  // the size
    }
    t.lignes.reserve(std::size_t(modele_->rowCount()));
    for (int rang = 0; rang < modele_->rowCount(); ++rang) {
        const std::vector<std::string> valeurs = cellulesBrutes(*modele_->fichier(rang));
        std::vector<std::string>& ligne = t.lignes.emplace_back();
        for (int champ : champs)
            ligne.push_back(champ < 7 ? valeurs[std::size_t(champ)] : texteStatutExport(modele_->statut(rang)));
    }
    return t;
}

void CResultatsDlg::copierChemins() const
{
    std::vector<std::string> chemins;
    for (const QModelIndex& i : liste_->selectionModel()->selectedRows())
        if (const CFichier* f = modele_->fichier(i.row()))
            chemins.push_back(f->chemin());
    ::copierChemins(chemins);
}

bool CResultatsDlg::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == liste_ && evenement->type() == QEvent::KeyPress) {
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        if ((touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter) &&
            touche->modifiers() == Qt::NoModifier) {
            localiser();
            return true;
        }
    }
    return QDialog::eventFilter(objet, evenement);
}

void CResultatsDlg::keyPressEvent(QKeyEvent* evenement)
{
    // Enter locates (the default command), it does not close the window; Escape hides it.
    if (evenement->key() == Qt::Key_Return || evenement->key() == Qt::Key_Enter) {
        localiser();
        return;
    }
    if (evenement->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QDialog::keyPressEvent(evenement);
}
