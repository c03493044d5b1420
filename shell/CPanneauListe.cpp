#include "shell/CPanneauListe.h"
#include <QFocusEvent>

#include "model/CClasseur.h"
#include "model/CContexte.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "shell/CChildFrame.h"

CPanneauListe::CPanneauListe(CChildFrame& cadre, CDoc& doc, QWidget* parent)
    : QLabel(parent), cadre_(cadre), doc_(doc)
{
    setFocusPolicy(Qt::StrongFocus);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMargin(8);
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setFrameShape(QFrame::StyledPanel);
    doc_.ajouterVue(this);
}

CPanneauListe::~CPanneauListe()
{
    doc_.retirerVue(this);
}

void CPanneauListe::miseAJour(CVueDocument* emetteur, CElement* indice)
{
    (void)emetteur;
    ++misesAJour_;
    noeud_ = indice;
    if (!indice) {
        clear();
        return;
    }
    // Listing a node makes its binder (and, below a binder, its query) the current
    // ones: the new-query command adds to that binder.
    CContexte& ctx = contexte();
    ctx.documentCourant = &doc_;
    if (CClasseur* c = indice->classeur(); c && doc_.contientClasseur(c))
        ctx.classeurCourant = c;
    ctx.requeteCourante = indice->codeType() == kTypeClasseur ? nullptr : indice->requete();
    setText(QString::fromStdString(indice->titre()));
}

void CPanneauListe::focusInEvent(QFocusEvent* evenement)
{
    QLabel::focusInEvent(evenement);
    // A click makes the pane active; focus that Qt moves by itself (a window restored)
    // does not.
    if (evenement->reason() == Qt::MouseFocusReason)
        cadre_.definirPanneauActif(this);
}
