#include "shell/CListeView.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QTimer>

#include "model/CAffichable.h"
#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CFichier.h"
#include "model/COuvrable.h"
#include "model/CRequete.h"
#include "model/TexteCellule.h"
#include "model/TriListe.h"
#include "model/ValeursBrutes.h"
#include "platform/ExportTableau.h"
#include "shell/CModeleListe.h"
#include "shell/CSuiviTravailQt.h"
#include "shell/ServicesFenetres.h"
#include "ui/CImagesApplication.h"
#include "ui/CTravailLong.h"
#include "ui/IdCommandes.h"
#include "ui/ListeEnColonnes.h"
#include "ui/PressePapiersChemins.h"
#include "ui/InfobulleTexteCoupe.h"
#include "ui/MenuClavier.h"
#include "workspace/CContexte.h"
#include "workspace/Ouverture.h"

CListeView::CListeView(const SServicesFenetres& services, CDoc& doc, QWidget* parent)
    : QTreeView(parent), services_(services), doc_(doc), modele_(new CModeleListe(services.images.tri(), this))
{
    setModel(modele_);
    configurerListeEnColonnes(*this);
    setTextElideMode(Qt::ElideRight);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    ouvrirMenuParShiftF10(*this);
    montrerTexteCoupeEnInfobulle(*this);

    QHeaderView* entete = header();
    connect(entete, &QHeaderView::sectionClicked, this, [this](int colonne) { trier(colonne); });
    connect(entete, &QHeaderView::sectionMoved, this, [this] { colonneDeplacee(); });
    // Rows dropped because their nodes went: list again once the operation that
    // destroyed them is over, unless the document has said what to show meanwhile.
    connect(modele_, &CModeleListe::lignesPerdues, this, [this] {
        QTimer::singleShot(0, this, [this] {
            if (CElement* n = modele_->noeudListe(); n && modele_->lignes().empty())
                lister(n);
        });
    });
    doc_.ajouterObservateur(this);
    definirCommandes();
}

CListeView::~CListeView()
{
    doc_.retirerObservateur(this);
}

CElement* CListeView::noeudListe() const
{
    return modele_->noeudListe();
}

CElement* CListeView::noeudSelectionne() const
{
    const QModelIndexList choisis = selectionModel()->selectedRows();
    return choisis.isEmpty() ? nullptr : modele_->ligne(choisis.first().row());
}

STableauExporte CListeView::tableauAffiche() const
{
    STableauExporte t;
    CElement* noeud = modele_->noeudListe();
    t.titre = noeud ? noeud->titre() : std::string();
    std::vector<int> colonnes;
    for (int v = 0; v < header()->count(); ++v)
        if (const int c = header()->logicalIndex(v); !header()->isSectionHidden(c))
            colonnes.push_back(c);
    for (int c : colonnes) {
        t.titres.push_back(modele_->colonne(c).titre);
        t.numeriques.push_back(modele_->colonne(c).champ == EChamp::Taille);
    }
    // A file's values raw, in the order of its fields; another row (a query) as shown.
    static constexpr EChamp kChamps[] = {EChamp::Nom,     EChamp::Taille,   EChamp::Cree,   EChamp::Modifie,
                                         EChamp::Accede,  EChamp::Attribut, EChamp::Dossier};
    for (CElement* ligne : modele_->lignes()) {
        std::vector<std::string>& cellules = t.lignes.emplace_back();
        const CFichier* f = ligne->commeFichier();
        const std::vector<std::string> brutes = f ? cellulesBrutes(*f) : std::vector<std::string>();
        for (int c : colonnes) {
            const EChamp champ = modele_->colonne(c).champ;
            const auto k = std::find(std::begin(kChamps), std::end(kChamps), champ) - std::begin(kChamps);
            cellules.push_back(f && k < 7 ? brutes[std::size_t(k)] : texteCellule(*ligne, champ));
        }
    }
    return t;
}

void CListeView::copierChemins() const
{
    std::vector<std::string> chemins;
    for (const QModelIndex& i : selectionModel()->selectedRows())
        if (CElement* e = modele_->ligne(i.row())) {
            if (const CFichier* f = e->commeFichier())
                chemins.push_back(f->chemin());
            else if (const CDossier* d = e->commeDossier())
                chemins.push_back(d->chemin());
        }
    ::copierChemins(chemins);
}

// --- Listing --------------------------------------------------------------------------------

void CListeView::miseAJour(CVueDocument* emetteur, CElement* indice)
{
    (void)emetteur;
    ++misesAJour_;
    if (indice) {
        // Listing a node makes its binder (and, below a binder, its query) the current
        // ones: the new-query command adds to that binder.
        CContexte& ctx = services_.contexte;
        if (CClasseur* c = indice->classeur(); c && doc_.contientClasseur(c))
            ctx.classeurCourant = c;
    }
    lister(indice);
    emit etatCommandesChange();
}

void CListeView::documentChange(const SChangement& changement)
{
    if (changement.quoi == EChangement::NoeudVaPartir || changement.quoi == EChangement::InstantaneVaPartir) {
        modele_->lacherNoeuds(changement);
        return;
    }
    if (changement.quoi != EChangement::MarquesChangees)
        return;
    if (services_.contexte.filtreRecherche)
        lister(modele_->noeudListe());
    else
        viewport()->update();
}

void CListeView::lister(CElement* noeud)
{
    if (!noeud || !noeud->commeAffichable()) {
        modele_->viderLignes();
        return;
    }
    modele_->lister(*noeud, services_.contexte.filtreRecherche);
    for (int c = 0; c < modele_->nombreColonnes(); ++c)
        header()->resizeSection(c, largeurColonne(modele_->colonne(c)));
    trier();
    appliquerOrdreColonnes(dispositionColonnes(*noeud, doc_.afficherSousDossiers));
}

int CListeView::largeurColonne(const SColonne& colonne) const
{
    // The widths were chosen for a small bitmap font; the screen's font may need more
    // for a date or a title, which would otherwise show cut.
    const int titre = largeurTitreAvecFleche(*header(), QString::fromStdString(colonne.titre));
    // A cell's text keeps a margin on each side, plus some room for the font's rounding.
    const int margeCellule = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) +
                             fontMetrics().averageCharWidth();
    const int exemple = fontMetrics().horizontalAdvance(QString::fromStdString(texteExemple(colonne.champ))) +
                        margeCellule;
    return std::max({colonne.largeur, titre, exemple});
}

void CListeView::appliquerOrdreColonnes(int disposition)
{
    const int n = modele_->nombreColonnes();
    const auto& stocke = doc_.ordreColonnes[static_cast<std::size_t>(disposition)];
    std::vector<int> ordre(static_cast<std::size_t>(n));
    // The stored order when it arranges the columns present, their natural order
    // otherwise (a header may keep the order of the previous columns).
    if (n <= static_cast<int>(stocke.size()) && estPermutation(stocke.data(), n))
        std::copy_n(stocke.begin(), n, ordre.begin());
    else
        std::iota(ordre.begin(), ordre.end(), 0);
    placementColonnes_ = true;
    QHeaderView* entete = header();
    for (int v = 0; v < n; ++v)
        entete->moveSection(entete->visualIndex(ordre[static_cast<std::size_t>(v)]), v);
    placementColonnes_ = false;
}

void CListeView::colonneDeplacee()
{
    CElement* n = modele_->noeudListe();
    if (placementColonnes_ || !n)
        return;
    auto& ordre = doc_.ordreColonnes[static_cast<std::size_t>(dispositionColonnes(*n, doc_.afficherSousDossiers))];
    QHeaderView* entete = header();
    const int total = std::min(modele_->nombreColonnes(), static_cast<int>(ordre.size()));
    for (int v = 0; v < total; ++v)
        ordre[static_cast<std::size_t>(v)] = entete->logicalIndex(v);
}

void CListeView::trier(std::optional<int> colonne, std::optional<bool> sensForce)
{
    CElement* n = modele_->noeudListe();
    CAffichable* affichable = n ? n->commeAffichable() : nullptr;
    const int type = affichable ? affichable->typeListe() : -1;
    if (type != 0 && type != 1)
        return;
    const auto s = static_cast<std::size_t>(type);
    const STriListe tri = triApresClic({doc_.colonneTri[s], doc_.triCroissant[s]}, colonne, sensForce);
    doc_.colonneTri[s] = tri.colonne;
    doc_.triCroissant[s] = tri.croissant;
    const int champ = champDeColonne(type, tri.colonne, n->requete());
    modele_->ordonner(ordreTri(modele_->lignes(), type, champ, tri.croissant), tri.colonne, tri.croissant);
}

// --- Opening ---------------------------------------------------------------------------------

void CListeView::definirCommandes()
{
    definirCommande(cmd::OuvrirElement, {.agir = [this] { ouvrirSelection(false); },
                                         .actif = [this] { return ouvrableSelectionne(false) != nullptr; }});
    definirCommande(cmd::OuvrirDossierContenant,
                    {.agir = [this] { ouvrirSelection(true); },
                     .actif = [this] { return ouvrableSelectionne(true) != nullptr; }});
}

COuvrable* CListeView::ouvrableSelectionne(bool dossierContenant) const
{
    CElement* n = noeudSelectionne();
    COuvrable* o = n ? n->commeOuvrable() : nullptr;
    return o && (!dossierContenant || o->aDossierContenant()) ? o : nullptr;
}

void CListeView::ouvrirSelection(bool dossierContenant)
{
    COuvrable* o = ouvrableSelectionne(dossierContenant);
    if (!o)
        return;
    {
        // The desktop is not waited for, but the disk may be asked for: while that
        // question is open nothing may close the document or change it.
        CTravailLong travail(services_.suivi, window());
        if (dossierContenant)
            ::ouvrirDossierContenant(services_.utilisateur, *o);
        else
            ::ouvrir(services_.utilisateur, *o);
    }
    emit etatCommandesChange();
}

void CListeView::mouseDoubleClickEvent(QMouseEvent* evenement)
{
    // A double-click on empty space first clears the selection, as a click does:
    // then nothing is opened.
    QTreeView::mouseDoubleClickEvent(evenement);
    // Through the command, so that nothing opens while a long operation runs.
    if (evenement->button() == Qt::LeftButton && indexAt(evenement->position().toPoint()).isValid())
        executerCommande(cmd::OuvrirElement);
}

void CListeView::keyPressEvent(QKeyEvent* evenement)
{
    if ((evenement->key() == Qt::Key_Return || evenement->key() == Qt::Key_Enter) &&
        evenement->modifiers() == Qt::NoModifier) {
        executerCommande(cmd::OuvrirElement);
        return;
    }
    QTreeView::keyPressEvent(evenement);
}

void CListeView::contextMenuEvent(QContextMenuEvent* evenement)
{
    if (!noeudSelectionne())
        return;
    emit devientActive();
    services_.actualiserCommandes();
    QMenu menu(this);
    QAction* ouvrir = services_.actionDeCommande(cmd::OuvrirElement);
    menu.addAction(ouvrir);
    menu.addAction(services_.actionDeCommande(cmd::OuvrirDossierContenant));
    menu.addSeparator();
    menu.addAction(QStringLiteral("&Copier le chemin"), this, [this] { copierChemins(); });
    menu.addAction(QStringLiteral("&Exporter..."), this, [this] { services_.exporterListe(tableauAffiche()); });
    menu.setDefaultAction(ouvrir);
    menu.exec(evenement->globalPos());
}

void CListeView::mousePressEvent(QMouseEvent* evenement)
{
    // A click makes the pane active even when it already had the focus.
    emit devientActive();
    // A right click on empty space clears the selection, as a left click does: the
    // context menu then has no row to offer.
    if (evenement->button() == Qt::RightButton && !indexAt(evenement->position().toPoint()).isValid()) {
        selectionModel()->clearSelection();
        selectionModel()->clearCurrentIndex();
    }
    QTreeView::mousePressEvent(evenement);
}

void CListeView::focusInEvent(QFocusEvent* evenement)
{
    QTreeView::focusInEvent(evenement);
    // Focus the user brings (a click, Tab, Shift+Tab, a shortcut) makes the pane
    // active; focus Qt moves by itself while a window changes state does not.
    if (parLUtilisateur(evenement->reason()))
        emit devientActive();
}

void CListeView::currentChanged(const QModelIndex& actuel, const QModelIndex& precedent)
{
    QTreeView::currentChanged(actuel, precedent);
    emit etatCommandesChange();
}
