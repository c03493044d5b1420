#include "tests/ui/fenetre/Repondeur.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>

CRepondeur::CRepondeur()
{
    connect(&minuterie_, &QTimer::timeout, this, &CRepondeur::examiner);
    minuterie_.start(5);
}

CRepondeur::~CRepondeur() = default;

void CRepondeur::examiner()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    if (auto* boite = qobject_cast<QMessageBox*>(modal)) {
        SBoite vue{boite->windowTitle(), boite->text(), boite->icon(), {}};
        for (QAbstractButton* b : boite->buttons())
            vue.boutons.append(b->text());
        boites.push_back(vue);
        QMessageBox::StandardButton reponse = QMessageBox::NoButton;
        if (!reponses.empty()) {
            reponse = reponses.front();
            reponses.pop_front();
        } else {
            ++inattendues;
        }
        QAbstractButton* bouton = reponse != QMessageBox::NoButton ? boite->button(reponse) : nullptr;
        if (!bouton)
            bouton = boite->defaultButton();
        if (bouton)
            bouton->click();
        else
            boite->reject();
        return;
    }
    if (auto* fichiers = qobject_cast<QFileDialog*>(modal)) {
        const QString chemin = chemins.empty() ? QString() : chemins.front();
        if (!chemins.empty())
            chemins.pop_front();
        if (chemin.isEmpty()) {
            fichiers->reject();
            return;
        }
        fichiers->setDirectory(QFileInfo(chemin).absolutePath());
        fichiers->selectFile(chemin);
        static_cast<QDialog*>(fichiers)->accept();   // QFileDialog::accept, through its base
        return;
    }
    if (auto* dialogue = qobject_cast<QDialog*>(modal); dialogue && autreDialogue)
        autreDialogue(*dialogue);
}
