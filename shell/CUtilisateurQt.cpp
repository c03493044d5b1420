#include "shell/CUtilisateurQt.h"

#include <cstdio>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "dialogs/CParametresDlg.h"
#include "platform/TexteAffichable.h"
#include "dialogs/CProprietesDlg.h"
#include "search/ui/CRechercheSheet.h"
#include "shell/CBarreEtat.h"
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

EReponse CUtilisateurQt::message(const std::string& texte, EBoutons boutons, EIcone icone)
{
    if (console_) {
        std::fprintf(stderr, "norvanel : %s\n", texteAffichable(texte, EEchappement::Message).c_str());
        return reponseSansUtilisateur(boutons);
    }
    QMessageBox boite(iconeQt(icone), QStringLiteral("Norvanel"), QString::fromStdString(texte),
                      QMessageBox::NoButton, parentDialogue(fenetre_));
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

std::optional<std::string> CUtilisateurQt::choisirDossier(const std::string& titre)
{
    const QString dossier = QFileDialog::getExistingDirectory(parentDialogue(fenetre_),
                                                              QString::fromStdString(titre));
    if (dossier.isEmpty())
        return std::nullopt;
    return cheminCatalogue(dossier);
}

void CUtilisateurQt::afficherProprietes(const SProprietes& proprietes)
{
    CProprietesDlg dialogue(proprietes, fenetre_);
    dialogue.exec();
}

bool CUtilisateurQt::editerParametres(CRequete& requete, bool creation)
{
    CParametresDlg dialogue(requete, creation, fenetre_, &editerCriteresAvances);
    return dialogue.exec() == QDialog::Accepted;
}

void CUtilisateurQt::rechercheFaite(std::size_t trouves)
{
    if (CBarreEtat* barre = fenetre_ ? fenetre_->findChild<CBarreEtat*>() : nullptr)
        barre->annoncerFichiersTrouves(trouves);
}
