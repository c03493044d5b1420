#include "shell/CGestionnaireDocuments.h"

#include <memory>
#include <optional>
#include <vector>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>

#include "model/CDoc.h"
#include "model/CUtilisateur.h"
#include "shell/CArboView.h"
#include "shell/CChildFrame.h"
#include "shell/CFichiersRecents.h"
#include "shell/CMainFrame.h"
#include "shell/ServicesFenetres.h"
#include "storage/EnregistrementVerifie.h"
#include "storage/FichierCatalogue.h"
#include "ui/CheminsQt.h"
#include "workspace/CContexte.h"
#include "workspace/OuvertureIndexGarde.h"

namespace {

const QString kFiltre = QStringLiteral("Listes de fichiers (*.kbt);;Tous les fichiers (*)");
const QString kExtension = QStringLiteral(".kbt");

// The same file reached through a link or "..": one name.
QString cheminReel(const QString& chemin)
{
    const QFileInfo info(chemin);
    const QString reel = info.canonicalFilePath();
    return reel.isEmpty() ? info.absoluteFilePath() : reel;
}

} // namespace

CGestionnaireDocuments::CGestionnaireDocuments(const SServicesFenetres& services, CMainFrame& cadre)
    : services_(services), cadre_(cadre), dossierCache_(dossierCacheIndex(false))
{
    dialogueOuvrir = [this] {
        return QFileDialog::getOpenFileName(&cadre_, QStringLiteral("Ouvrir"), QString(), kFiltre);
    };
    dialogueEnregistrer = [this](const QString& propose) {
        return QFileDialog::getSaveFileName(&cadre_, QStringLiteral("Enregistrer sous"), propose,
                                            kFiltre);
    };
}

void CGestionnaireDocuments::signaler(const std::string& message)
{
    services_.utilisateur.message(message, EBoutons::Ok, EIcone::Exclamation);
}

bool CGestionnaireDocuments::enregistrerVers(CDoc& doc, const std::string& chemin)
{
    // The index is made on another core while the file is written, then written to
    // the cache off this thread.
    std::optional<CIndexPendantEnregistrement> index;
    std::vector<std::uint64_t> debuts;
    const SEnregistrement r = enregistrerApresVerification(
        doc, chemin, services_.utilisateur, {&debuts, [&] { index.emplace(dossierCache_, doc); }});
    // Its thread is done with the document before anything else may change it (a message
    // box below lets the other events run).
    std::optional<CIndexAEcrire> aEcrire;
    if (index && r.issue == EIssueEnregistrement::Enregistre)
        aEcrire = index->terminer(doc, debuts);
    index.reset();
    if (aEcrire) {
        auto travail = [a = std::make_shared<CIndexAEcrire>(std::move(*aEcrire))] { a->ecrire(); };
        if (!filIndex_.confier(travail))
            travail();
    }
    switch (r.issue) {
    case EIssueEnregistrement::Enregistre:
        return true;
    case EIssueEnregistrement::Annule:
        return false;
    case EIssueEnregistrement::Echec:
        signaler(r.message);
        return false;
    }
    return false;
}

CChildFrame* CGestionnaireDocuments::ajouterCadre(CChildFrame* cadre)
{
    cadre_.zoneMdi().addSubWindow(cadre);
    cadre->afficherMaximise();
    cadre->arbre().setFocus(Qt::OtherFocusReason);
    cadre_.mettreAJourCommandes();
    return cadre;
}

CChildFrame* CGestionnaireDocuments::nouveau()
{
    auto doc = std::make_unique<CDoc>();
    services_.contexte.classeurCourant = doc->initialiserNouveau();
    return ajouterCadre(new CChildFrame(services_, std::move(doc), QStringLiteral("Liste%1").arg(++compteur_)));
}

CChildFrame* CGestionnaireDocuments::cadreDe(const QString& chemin) const
{
    const QString reel = cheminReel(chemin);
    for (CChildFrame* c : cadre_.cadres()) {
        const std::string& sien = c->document().chemin;
        if (!sien.empty() && cheminReel(cheminQt(sien)) == reel)
            return c;
    }
    return nullptr;
}

CChildFrame* CGestionnaireDocuments::ouvrir(const QString& chemin, std::string* echec)
{
    const QString absolu = QFileInfo(chemin).absoluteFilePath();
    if (CChildFrame* deja = cadreDe(absolu)) {
        deja->afficherMaximise();
        services_.recents.ajouter(absolu);
        return deja;
    }
    // Read into a document of its own: a file that cannot be read leaves no window.
    auto doc = std::make_unique<CDoc>();
    SChargementAvecIndex lu = chargerAvecIndexGarde(*doc, cheminCatalogue(absolu), dossierCache_);
    if (auto& charge = lu.charge; !charge) {
        doc.reset();
        if (echec)
            *echec = charge.raison();
        else
            signaler(charge.raison());
        // A recent file that has gone leaves the list, as it would fail again.
        if (!QFileInfo::exists(absolu))
            services_.recents.retirer(absolu);
        cadre_.mettreAJourCommandes();
        return nullptr;
    }
    // It loads, but a save was stopped: the user decides which content to keep.
    for (const std::string& texte : avertissementsChargement(cheminCatalogue(absolu)))
        signaler(texte);
    services_.recents.ajouter(absolu);
    if (lu.index)
        services_.contexte.indexGardes[doc.get()] = std::move(lu.index);
    return ajouterCadre(new CChildFrame(services_, std::move(doc), QString()));
}

void CGestionnaireDocuments::ouvrirAvecDialogue()
{
    const QString chemin = dialogueOuvrir();
    if (!chemin.isEmpty())
        ouvrir(chemin);
}

bool CGestionnaireDocuments::enregistrer(CChildFrame& cadre)
{
    CDoc& doc = cadre.document();
    if (doc.chemin.empty())
        return enregistrerSous(cadre);
    if (!enregistrerVers(doc, doc.chemin))
        return false;
    services_.recents.ajouter(QFileInfo(cheminQt(doc.chemin)).absoluteFilePath());
    cadre_.mettreAJourCommandes();
    return true;
}

bool CGestionnaireDocuments::enregistrerSous(CChildFrame& cadre)
{
    CDoc& doc = cadre.document();
    QString propose = doc.chemin.empty() ? QDir::current().filePath(cadre.titre() + kExtension)
                                         : cheminQt(doc.chemin);
    QString chemin = dialogueEnregistrer(propose);
    if (chemin.isEmpty())
        return false;
    if (QFileInfo(chemin).suffix().isEmpty())
        chemin += kExtension;
    chemin = QFileInfo(chemin).absoluteFilePath();
    if (!enregistrerVers(doc, cheminCatalogue(chemin)))
        return false;
    cadre.actualiserTitre();
    services_.recents.ajouter(chemin);
    cadre_.mettreAJourCommandes();
    return true;
}

bool CGestionnaireDocuments::demanderEnregistrement(CChildFrame& cadre)
{
    if (!cadre.document().estModifie())
        return true;
    cadre.afficherMaximise();
    QMessageBox question(QMessageBox::Warning, QStringLiteral("Norvanel"),
                         QStringLiteral("Enregistrer les modifications apportées à %1\u00a0?").arg(cadre.titre()),
                         QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &cadre_);
    // Our own words on the buttons: Qt's translation says "Ne pas tenir compte".
    question.button(QMessageBox::Save)->setText(QStringLiteral("Enregistrer"));
    question.button(QMessageBox::Discard)->setText(QStringLiteral("Ne pas enregistrer"));
    question.button(QMessageBox::Cancel)->setText(QStringLiteral("Annuler"));
    question.setDefaultButton(QMessageBox::Save);
    switch (question.exec()) {
    case QMessageBox::Save:
        return enregistrer(cadre);
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

bool CGestionnaireDocuments::fermerTout()
{
    const QList<CChildFrame*> cadres = cadre_.cadres();
    for (CChildFrame* c : cadres)
        if (!demanderEnregistrement(*c))
            return false;
    for (CChildFrame* c : cadres) {
        // Already asked: close without a second question.
        c->document().definirModifie(false);
        c->close();
    }
    return true;
}
