#pragma once
// The window shown while a capture runs: how many folders were read and files kept,
// the folder being read, and a button to cancel. Modal unless its owner says otherwise
// (a capture leaves the other documents at hand). A print job shows the same window
// with its pages, a search or a comparison the files it has gone through.

#include <memory>

#include <QDialog>

class QLabel;
class QProgressBar;

class CDialogueProgression : public QDialog {
    Q_OBJECT
public:
    // Titled with the name of the query captured.
    CDialogueProgression(const QString& requete, QWidget* parent);
    // The window of a print job.
    static std::unique_ptr<CDialogueProgression> pourImpression(QWidget* parent);
    // The window of a search or a comparison, titled `titre`.
    static std::unique_ptr<CDialogueProgression> pourCalcul(const QString& titre, QWidget* parent);

    void afficherEtat(unsigned dossiers, unsigned fichiers, const QString& dossierCourant);
    void afficherPages(unsigned faites, unsigned total);
    void afficherFichiers(unsigned long long examines);
    bool estAnnule() const { return annule_; }

    // Texts shown, for the tests.
    QString texteCompte() const;
    QString texteDossier() const;

signals:
    // "Annuler", Escape or the window closed.
    void annulationDemandee();

protected:
    void reject() override;

private:
    QLabel* compte_;
    QLabel* dossier_;
    QProgressBar* barre_;
    bool annule_ = false;
};
