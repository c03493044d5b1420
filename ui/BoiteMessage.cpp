#include "ui/BoiteMessage.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "ui/CheminsQt.h"

namespace {

QWidget* parentDialogue(QWidget* fenetre)
{
    // A modal dialog already on screen (the progress window, a file dialog) must stay
    // behind the question, not in front of it.
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return fenetre;
}

QMessageBox::Icon iconeQt(EIcone icone)
{
    switch (icone) {
    case EIcone::Erreur: return QMessageBox::Critical;
    case EIcone::Exclamation: return QMessageBox::Warning;
    }
    return QMessageBox::Critical;
}

} // namespace

EReponse afficherMessage(QWidget* fenetre, const std::string& texte, EBoutons boutons, EIcone icone)
{
    QMessageBox boite(iconeQt(icone), QStringLiteral("Norvanel"), QString::fromStdString(texte),
                      QMessageBox::NoButton, parentDialogue(fenetre));
    switch (boutons) {
    case EBoutons::Ok:
        boite.setDefaultButton(boite.addButton(QMessageBox::Ok));
        boite.exec();
        return EReponse::Ok;
    case EBoutons::OkAnnuler:
        boite.setDefaultButton(boite.addButton(QMessageBox::Ok));
        boite.addButton(QMessageBox::Cancel);
        return boite.exec() == QMessageBox::Ok ? EReponse::Ok : EReponse::Annuler;
    case EBoutons::OuiNon:
        // Our own words: the question must not depend on Qt's translation being there.
        boite.addButton(QMessageBox::Yes)->setText(QStringLiteral("Oui"));
        boite.setDefaultButton(boite.addButton(QMessageBox::No));
        boite.button(QMessageBox::No)->setText(QStringLiteral("Non"));
        return boite.exec() == QMessageBox::Yes ? EReponse::Oui : EReponse::Non;
    }
    return EReponse::Annuler;
}

std::optional<std::string> choisirDossier(QWidget* fenetre, const std::string& titre)
{
    const QString dossier = QFileDialog::getExistingDirectory(parentDialogue(fenetre), QString::fromStdString(titre));
    if (dossier.isEmpty())
        return std::nullopt;
    return cheminCatalogue(dossier);
}
