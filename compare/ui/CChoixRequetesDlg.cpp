#include "compare/ui/CChoixRequetesDlg.h"

#include <algorithm>
#include <vector>

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "compare/ui/DispositionAssistant.h"
#include "model/CClasseur.h"
#include "model/ArbreDocument.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "ui/BranchesArbre.h"
#include "ui/Icones.h"
#include "ui/TriLibelles.h"

namespace {

// Each step names the query it asks for.
QString texteInvite(int etape)
{
    return etape == 0 ? QStringLiteral("Sélectionnez dans l'arborescence la première requête de la comparaison.")
                      : QStringLiteral("Sélectionnez dans l'arborescence la seconde requête de la comparaison.");
}

// The query an item stands for; binders carry none.
constexpr int kRoleRequete = Qt::UserRole;

// The tree, with the connecting lines of the document windows' tree.
class CArbreRequetes : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;

protected:
    void drawBranches(QPainter* peintre, const QRect& rect, const QModelIndex& index) const override
    {
        dessinerBranches(*this, *peintre, rect, index);
    }
};

// The nodes `noeuds` in the order the tree control keeps siblings in, with their labels.
template <class T>
std::vector<std::pair<QString, T*>> enOrdre(const auto& noeuds)
{
    struct SPlace {
        QString cle, libelle;
        T* noeud;
    };
    std::vector<SPlace> places;
    for (T* n : noeuds) {
        const QString libelle = QString::fromStdString(n->nom());
        places.push_back({cleTriLibelle(libelle), libelle, n});
    }
    std::stable_sort(places.begin(), places.end(), [](const SPlace& a, const SPlace& b) {
        return libelleAvant(a.cle, a.libelle, b.cle, b.libelle);
    });
    std::vector<std::pair<QString, T*>> r;
    for (SPlace& p : places)
        r.emplace_back(std::move(p.libelle), p.noeud);
    return r;
}

} // namespace

CChoixRequetesDlg::CChoixRequetesDlg(CDoc& doc, CRequete* premiere, const QList<QIcon>& imagesArbre, QWidget* parent)
    : QDialog(parent), doc_(doc), images_(imagesArbre), premiere_(premiere), invite_(new QLabel(this)),
      arbre_(new CArbreRequetes(this)), precedent_(new QPushButton(this)),
      suivant_(new QPushButton(QStringLiteral("Suivant >"), this))
{
    setWindowTitle(QStringLiteral("Comparer deux requêtes"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    invite_->setObjectName(QStringLiteral("c1081"));
    invite_->setWordWrap(true);
    arbre_->setObjectName(QStringLiteral("c1079"));
    arbre_->setHeaderHidden(true);
    arbre_->setRootIsDecorated(true);
    arbre_->setUniformRowHeights(true);
    arbre_->setSelectionMode(QAbstractItemView::SingleSelection);
    arbre_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    arbre_->setIconSize(QSize(16, 16));
    // Long names are never cut: the tree scrolls sideways instead.
    arbre_->setTextElideMode(Qt::ElideNone);
    arbre_->header()->setStretchLastSection(false);
    arbre_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    invite_->setBuddy(arbre_);
    connect(arbre_, &QTreeWidget::itemSelectionChanged, this, &CChoixRequetesDlg::actualiserSuivant);

    connect(precedent_, &QPushButton::clicked, this, &CChoixRequetesDlg::reject);
    connect(suivant_, &QPushButton::clicked, this, &CChoixRequetesDlg::accept);
    auto* disposition = new QVBoxLayout(this);
    disposition->addWidget(invite_);
    disposition->addWidget(arbre_, 1);
    disposition->addLayout(rangeeBoutonsAssistant(*precedent_, *suivant_));

    // The button's widest text sets its width, so that it stays put at each step.
    precedent_->setText(QStringLiteral("< Précédent"));
    precedent_->setMinimumWidth(precedent_->sizeHint().width());
    remplir();
    // Queries are named after their folder: the user may widen the tree for long paths.
    fixerTailleAssistant(*this, true);
}

void CChoixRequetesDlg::showEvent(QShowEvent* evenement)
{
    remplir();
    arbre_->setFocus();
    QDialog::showEvent(evenement);
}

void CChoixRequetesDlg::remplir()
{
    CRequete*& choix = etape_ == 0 ? premiere_ : seconde_;
    QTreeWidgetItem* choisi = nullptr;
    arbre_->clear();
    // Binders and their queries as the document windows' tree inserts them, never a
    // folder, whatever the document shows; the document itself is only read.
    const QIcon imageClasseur = paireImages(images_.value(kImageDossierFerme), images_.value(kImageDossierOuvert));
    const QIcon imageRequete = paireImages(images_.value(kImageRequete), images_.value(kImageRequeteSelection));
    for (const auto& [nomClasseur, classeur] : enOrdre<CClasseur>(doc_.classeurs())) {
        auto* itemClasseur = new QTreeWidgetItem(arbre_, {nomClasseur});
        itemClasseur->setIcon(0, imageClasseur);
        for (const auto& [nomRequete, requete] : enOrdre<CRequete>(classeur->requetes())) {
            // Never offered twice.
            if (etape_ == 1 && requete == premiere_)
                continue;
            auto* item = new QTreeWidgetItem(itemClasseur, {nomRequete});
            item->setIcon(0, imageRequete);
            item->setData(0, kRoleRequete, QVariant::fromValue(static_cast<void*>(requete)));
            if (requete == choix)
                choisi = item;
        }
    }
    arbre_->expandAll();
    // A choice the tree does not offer (the first query, kept from an earlier second
    // step) is no choice.
    if (!choisi)
        choix = nullptr;
    if (choisi) {
        arbre_->setCurrentItem(choisi);
        arbre_->scrollToItem(choisi);
    } else {
        arbre_->setCurrentItem(nullptr);
        arbre_->clearSelection();
    }
    actualiserSuivant();
    precedent_->setText(etape_ == 0 ? QStringLiteral("Annuler") : QStringLiteral("< Précédent"));
    invite_->setText(texteInvite(etape_));
}

CRequete* CChoixRequetesDlg::requeteSelectionnee() const
{
    const QList<QTreeWidgetItem*> choisis = arbre_->selectedItems();
    return choisis.isEmpty() ? nullptr : static_cast<CRequete*>(choisis.front()->data(0, kRoleRequete).value<void*>());
}

void CChoixRequetesDlg::actualiserSuivant()
{
    suivant_->setEnabled(requeteSelectionnee() != nullptr);
}

void CChoixRequetesDlg::accept()
{
    CRequete* choisie = requeteSelectionnee();
    if (!choisie)
        return;
    if (etape_ == 1) {
        seconde_ = choisie;
        QDialog::accept();
        return;
    }
    premiere_ = choisie;
    etape_ = 1;
    remplir();
}

void CChoixRequetesDlg::reject()
{
    if (etape_ == 0) {
        QDialog::reject();
        return;
    }
    seconde_ = requeteSelectionnee();
    etape_ = 0;
    remplir();
}
