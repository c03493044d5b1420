#include "shell/CArboView.h"

#include <QHeaderView>
#include <QFocusEvent>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QKeyEvent>
#include <QTimer>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CNomme.h"
#include "model/CRequete.h"
#include "model/CResultatsComparaison.h"
#include "model/CUtilisateur.h"
#include "model/Totaux.h"
#include "shell/CExecuteurTravauxQt.h"
#include "shell/ServicesFenetres.h"
#include "shell/CVueDocument.h"
#include "ui/CImagesApplication.h"
#include "ui/IdCommandes.h"
#include "ui/InfobulleTexteCoupe.h"
#include "ui/MenuClavier.h"
#include "ui/CTravailLong.h"
#include "workspace/CContexte.h"
#include "workspace/MisesAJour.h"

CRequete* CArboView::requeteGlissee_ = nullptr;

CArboView::CArboView(const SServicesFenetres& services, CDoc& doc, QWidget* parent)
    : QTreeView(parent), services_(services), doc_(doc), modele_(new CModeleArbre(services.images.arbre(), this))
{
    setModel(modele_);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A click on the selected item starts label editing, as F2 does through its command.
    setEditTriggers(QAbstractItemView::SelectedClicked);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setAutoExpandDelay(700);
    setIconSize(QSize(16, 16));
    // Long labels are never cut: the pane scrolls sideways instead.
    setTextElideMode(Qt::ElideNone);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    doc_.ajouterObservateur(this);
    definirCommandes();
    ouvrirMenuParShiftF10(*this);
    montrerTexteCoupeEnInfobulle(*this);
}

CArboView::~CArboView()
{
    if (requeteGlissee_ && requeteGlissee_->document() == &doc_)
        requeteGlissee_ = nullptr;
    doc_.retirerObservateur(this);
}

// --- Items ----------------------------------------------------------------------------

CArboView::SItem* CArboView::insererBranche(SItem* parent, const SItemArbre& item)
{
    SItem* insere = modele_->inserer(parent, QString::fromStdString(item.libelle), item.image,
                                     item.imageSelection, item.noeud);
    for (const SItemArbre& enfant : itemsSous(*item.noeud))
        insererBranche(insere, enfant);
    return insere;
}

const CModeleArbre::SItem* CArboView::itemDuNoeud(const CElement* noeud) const
{
    if (!noeud)
        return nullptr;
    // Level by level: binders and queries, which most notices name, are found before
    // any of the folders beneath them is looked at.
    std::vector<const SItem*> niveau{modele_->racine()}, suivant;
    while (!niveau.empty()) {
        for (const SItem* p : niveau)
            for (const auto& e : p->enfants) {
                if (e->noeud == noeud)
                    return e.get();
                suivant.push_back(e.get());
            }
        niveau.swap(suivant);
        suivant.clear();
    }
    return nullptr;
}

void CArboView::oublierBranche(const SItem* item)
{
    deplies_.remove(item);
    for (const auto& e : item->enfants)
        oublierBranche(e.get());
}

void CArboView::supprimerItem(SItem* item)
{
    if (!item)
        return;
    for (const SItem* i = modele_->item(indexEdite_); i; i = i->parent)
        if (i == item) {
            terminerEdition();
            break;
        }
    if (gel_ > 0) {
        for (const SItem* i = selectionEnAttente_; i; i = i->parent)
            if (i == item) {
                selectionEnAttente_ = nullptr;
                break;
            }
        for (const SItem* i = editionEnAttente_; i; i = i->parent)
            if (i == item) {
                editionEnAttente_ = nullptr;
                break;
            }
        oublierBranche(item);
    }
    modele_->supprimer(item);
}

void CArboView::supprimerTout()
{
    terminerEdition();
    selectionEnAttente_ = nullptr;
    editionEnAttente_ = nullptr;
    deplies_.clear();
    modele_->supprimerTout();
}

CArboView::SItem* CArboView::itemSelectionne() const
{
    if (gel_ > 0)
        return selectionEnAttente_;
    return modele_->item(currentIndex());
}

CElement* CArboView::noeudSelectionne() const
{
    const SItem* item = itemSelectionne();
    return item ? item->noeud : nullptr;
}

void CArboView::appliquerSelection(SItem* item)
{
    if (!item) {
        selectionModel()->clearCurrentIndex();
        selectionModel()->clearSelection();
        return;
    }
    // The branch opens down to the item.
    for (const SItem* p = item->parent; p && p != modele_->racine(); p = p->parent)
        expand(modele_->indexDe(p));
    const QModelIndex i = modele_->indexDe(item);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    scrollTo(i);
}

void CArboView::selectionnerItem(SItem* item)
{
    if (gel_ > 0) {
        selectionEnAttente_ = item;
        selectionTouchee_ = true;
        return;
    }
    appliquerSelection(item);
}

void CArboView::selectionner(const CElement* noeud)
{
    selectionnerItem(itemDe(noeud));
}

void CArboView::geler(bool gel)
{
    if (gel) {
        if (gel_++ > 0)
            return;
        selectionEnAttente_ = modele_->item(currentIndex());
        selectionTouchee_ = false;
        // Expanded branches are reopened after the thaw, as far as their items remain.
        deplies_.clear();
        std::vector<const SItem*> pile{modele_->racine()};
        while (!pile.empty()) {
            const SItem* p = pile.back();
            pile.pop_back();
            for (const auto& e : p->enfants)
                if (!e->enfants.empty() && isExpanded(modele_->indexDe(e.get()))) {
                    deplies_.insert(e.get());
                    pile.push_back(e.get());
                }
        }
        setUpdatesEnabled(false);
        modele_->commencerLot();
        return;
    }
    if (gel_ == 0 || --gel_ > 0)
        return;
    modele_->terminerLot();
    for (const SItem* item : std::as_const(deplies_))
        expand(modele_->indexDe(item));
    deplies_.clear();
    setUpdatesEnabled(true);
    // The reset forgot the current item: choose it again, which tells the other views
    // when the selection was touched while frozen. Only its binder stays in bold.
    for (const auto& c : modele_->racine()->enfants)
        modele_->definirGras(c.get(), false);
    SItem* choisi = selectionEnAttente_;
    selectionEnAttente_ = nullptr;
    const bool silence = silence_;
    silence_ = silence_ || !selectionTouchee_;
    appliquerSelection(choisi);
    silence_ = silence;
    if (SItem* e = editionEnAttente_) {
        editionEnAttente_ = nullptr;
        editerItem(e);
    }
}

// --- The label editor: opened on binders and queries, closed by Enter, Tab or Escape --

bool CArboView::edit(const QModelIndex& index, EditTrigger declencheur, QEvent* evenement)
{
    const bool etaitEnEdition = state() == EditingState;
    // No name changes while a capture job works on the document.
    if (!etaitEnEdition && CTravailLong::occupe(&doc_))
        return false;
    const bool resultat = QTreeView::edit(index, declencheur, evenement);
    if (!etaitEnEdition && state() == EditingState) {
        // The edit begins: the model only lets editable items (binders, queries) open.
        editionEnCours_ = true;
        indexEdite_ = index;
        emit etatCommandesChange();
    }
    return resultat;
}

void CArboView::closeEditor(QWidget* editeur, QAbstractItemDelegate::EndEditHint conseil)
{
    // Tab ends the edit; it does not move on to edit the next item.
    if (conseil == QAbstractItemDelegate::EditNextItem ||
        conseil == QAbstractItemDelegate::EditPreviousItem)
        conseil = QAbstractItemDelegate::NoHint;
    QTreeView::closeEditor(editeur, conseil);
    editionEnCours_ = false;
    indexEdite_ = QPersistentModelIndex();
    if (renommageEnAttente_)
        QTimer::singleShot(0, this, &CArboView::appliquerRenommage);
    emit etatCommandesChange();
}

void CArboView::terminerEdition()
{
    if (!editionEnCours_)
        return;
    if (QWidget* editeur = indexWidget(indexEdite_))
        closeEditor(editeur, QAbstractItemDelegate::RevertModelCache);
    // Whatever became of the editor, the edit is over.
    editionEnCours_ = false;
    indexEdite_ = QPersistentModelIndex();
}

void CArboView::editerLibelle(const CElement* noeud)
{
    editerItem(itemDe(noeud));
}

void CArboView::editerItem(SItem* item)
{
    if (gel_ > 0) {
        editionEnAttente_ = item;
        return;
    }
    const QModelIndex i = modele_->indexDe(item);
    if (!i.isValid())
        return;
    scrollTo(i);
    edit(i);
}

// --- Selection ----------------------------------------------------------------------------

void CArboView::currentChanged(const QModelIndex& actuel, const QModelIndex& precedent)
{
    QTreeView::currentChanged(actuel, precedent);
    // The item that takes the place of a deleted one is shown selected, too.
    if (actuel.isValid() && !selectionModel()->isSelected(actuel))
        selectionModel()->select(actuel, QItemSelectionModel::ClearAndSelect);
    selectionChangee(modele_->item(precedent), modele_->item(actuel));
}

void CArboView::selectionChangee(SItem* ancien, SItem* nouveau)
{
    // The binder that holds the selection is shown in bold. A deleted item's node is
    // gone: it is not consulted.
    if (ancien && !ancien->enSuppression)
        modele_->definirGras(CModeleArbre::itemNiveauRacine(ancien), false);
    if (nouveau)
        modele_->definirGras(CModeleArbre::itemNiveauRacine(nouveau), true);
    if (!silence_)
        emit selectionPubliee(nouveau ? nouveau->noeud : nullptr);
    emit etatCommandesChange();
}

void CArboView::publierSelection()
{
    emit selectionPubliee(noeudSelectionne());
}

// --- Document updates -----------------------------------------------------------------

void CArboView::documentChange(const SChangement& changement)
{
    CElement* noeud = changement.noeud;
    switch (changement.quoi) {
    case EChangement::NoeudAjoute:
        if (noeud->codeType() == kTypeClasseur) {
            insererBranche(nullptr, {noeud, noeud->classeur()->nom()});
        } else if (SItem* classeur = itemDe(noeud->classeur())) {
            for (const SItemArbre& item : itemsSous(*noeud->classeur()))
                if (item.noeud == noeud)
                    insererBranche(classeur, item);
        }
        break;
    case EChangement::NoeudSupprime:
        itemSupprime(noeud);
        break;
    case EChangement::NoeudRenomme:
        if (SItem* item = itemDe(noeud)) {
            CAffichable* affichable = noeud->commeAffichable();
            if (CNomme* nomme = affichable ? affichable->commeNomme() : nullptr)
                modele_->changerLibelle(item, QString::fromStdString(nomme->nom()));
        }
        // The comparison window names the compared queries as they are now.
        if (CResultatsComparaison* comparaison = services_.contexte.resultatsComparaison)
            comparaison->relireNoms();
        break;
    case EChangement::NoeudDeplace:
    case EChangement::InstantaneRemplace:
        remplacerBrancheRequete(noeud);
        break;
    case EChangement::ToutChange:
        reconstruire();
        break;
    case EChangement::MarquesChangees:
    case EChangement::NoeudVaPartir:       // the items go with the notice that follows
    case EChangement::InstantaneVaPartir:
    case EChangement::DocumentFerme:
        break;
    }
}

void CArboView::itemSupprime(CElement* noeud)
{
    // The node is gone: its item is found by address, never read. The selection moves
    // to a neighbour, which the list then lists.
    SItem* item = itemDe(noeud);
    if (!item)
        return;
    const bool silence = silence_;
    silence_ = true;
    supprimerItem(item);
    silence_ = silence;
    publierSelection();
}

void CArboView::remplacerBrancheRequete(CElement* requete)
{
    // A query never shown (a new one during its first capture) waits for its notice.
    SItem* ancien = itemDe(requete);
    SItem* classeur = itemDe(requete->classeur());
    if (!ancien || !classeur)
        return;
    bool dedans = false;
    for (const SItem* i = itemSelectionne(); i && !dedans; i = i->parent)
        dedans = i == ancien;
    for (const SItemArbre& item : itemsSous(*requete->classeur()))
        if (item.noeud == requete)
            remplacerBranche(ancien, classeur, item, dedans);
}

void CArboView::remplacerBranche(SItem* ancien, SItem* parent, const SItemArbre& item, bool selectionner)
{
    const bool silence = silence_;
    silence_ = true;
    supprimerItem(ancien);
    SItem* nouveau = insererBranche(parent, item);
    if (selectionner)
        selectionnerItem(nouveau);
    silence_ = silence;
    if (selectionner)
        publierSelection();
}

void CArboView::reconstruire()
{
    // A folder may not come back (the sub-folders hidden, the snapshot captured
    // again): its query is kept instead. Only the items are read here: after a
    // capture the folders they carry no longer exist.
    const SItem* garde = itemSelectionne();
    while (garde && garde->type == kTypeDossier)
        garde = garde->parent;
    CElement* noeudGarde = garde && garde->parent ? garde->noeud : nullptr;

    const bool silence = silence_;
    silence_ = true;
    geler(true);
    supprimerTout();
    for (const SItemArbre& item : itemsSous(doc_))
        insererBranche(nullptr, item);
    if (noeudGarde)
        selectionner(noeudGarde);
    geler(false);
    silence_ = silence;
    publierSelection();
}

// --- Commands -------------------------------------------------------------------------

void CArboView::definirCommandes()
{
    using namespace cmd;
    const auto modifiable = [this] { return selectionModifiable(); };
    definirCommande(Supprimer, {.agir = [this] { supprimerSelection(); },
                                .actif = [this] { return selectionModifiable() && !editionEnCours_; }});
    definirCommande(Proprietes, {.agir = [this] { afficherProprietes(); },
                                 .actif = [this] { return itemSelectionne() != nullptr; }});
    definirCommande(Renommer, {.agir = [this] { editerItem(itemSelectionne()); }, .actif = modifiable});
    definirCommande(MettreAJour, {.agir = [this] { mettreAJourSelection(); }, .actif = modifiable});
    definirCommande(ToutMettreAJour, {.agir = [this] { toutMettreAJour(); }});
    definirCommande(ModifierRequete, {.agir = [this] { modifierRequete(); },
                                      .actif = [this] { return selectionDansRequete(); }});
    definirCommande(ComparerRequetes, {.agir = [this] { comparerSelection(); },
                                       .actif = [this] { return services_.peutComparer(); }});
}

bool CArboView::selectionModifiable() const
{
    const SItem* s = itemSelectionne();
    return s && s->modifiable;
}

// A query, or one of its folders.
bool CArboView::selectionDansRequete() const
{
    const SItem* s = itemSelectionne();
    return s && s->type > kTypeClasseur;
}

void CArboView::mettreAJourSelection()
{
    SItem* item = itemSelectionne();
    if (item->type == kTypeClasseur) {
        // A binder's items are made again from the snapshots as they stand, without a
        // capture.
        CElement* classeur = item->noeud;
        remplacerBranche(item, nullptr, {classeur, classeur->classeur()->nom()}, true);
        return;
    }
    // The query stays selected while it is captured; its new snapshot then shows.
    CRequete* q = item->noeud->requete();
    selectionner(static_cast<CDossier*>(q));
    ::mettreAJour(services_.executeur(), services_.contexte, doc_, {q});
}

void CArboView::toutMettreAJour()
{
    ::toutMettreAJour(services_.executeur(), services_.contexte, doc_);
}

void CArboView::modifierRequete()
{
    if (CRequete* q = itemSelectionne()->noeud->requete())
        ::modifierRequete(services_.executeur(), services_.contexte, *q);
}

void CArboView::afficherProprietes()
{
    if (const auto p = proprietesDe(*itemSelectionne()->noeud))
        services_.utilisateur.afficherProprietes(*p);
}

void CArboView::comparerSelection()
{
    const SItem* s = itemSelectionne();
    services_.ouvrirComparaison(s ? s->noeud->requete() : nullptr);
}

void CArboView::supprimerSelection()
{
    SItem* item = itemSelectionne();
    if (!item || !item->modifiable || editionEnCours_)
        return;
    CAffichable* affichable = item->noeud->commeAffichable();
    if (CNomme* nomme = affichable ? affichable->commeNomme() : nullptr)
        doc_.supprimerNoeud(*nomme);
}

void CArboView::keyPressEvent(QKeyEvent* evenement)
{
    if (evenement->key() == Qt::Key_Delete && state() != EditingState) {
        // The key is "Supprimer": it acts exactly when the menu's command is enabled.
        services_.lancerCommande(cmd::Supprimer);
        evenement->accept();
        return;
    }
    QTreeView::keyPressEvent(evenement);
}

void CArboView::contextMenuEvent(QContextMenuEvent* evenement)
{
    // The commands of the item under the pointer (or of the current one, from the
    // keyboard), enabled as the menu bar's are.
    if (evenement->reason() == QContextMenuEvent::Mouse) {
        const QModelIndex i = indexAt(evenement->pos());
        if (i.isValid())
            setCurrentIndex(i);
    }
    if (state() == EditingState)
        return;
    emit devientActive();
    services_.actualiserCommandes();
    QMenu menu(this);
    for (const int id : {cmd::NouveauClasseur, cmd::NouvelleRequete, 0, cmd::MettreAJour, cmd::ModifierRequete, 0,
                         cmd::Renommer, cmd::Supprimer, cmd::Proprietes}) {
        if (id == 0)
            menu.addSeparator();
        else
            menu.addAction(services_.actionDeCommande(id));
    }
    menu.exec(evenement->globalPos());
}

void CArboView::mousePressEvent(QMouseEvent* evenement)
{
    // A click makes the pane active even when it already had the focus.
    emit devientActive();
    QTreeView::mousePressEvent(evenement);
}

void CArboView::focusInEvent(QFocusEvent* evenement)
{
    QTreeView::focusInEvent(evenement);
    // Focus the user brings (a click, Tab, Shift+Tab, a shortcut) makes the pane
    // active; focus Qt moves by itself while a window changes state does not.
    if (parLUtilisateur(evenement->reason()))
        emit devientActive();
}
