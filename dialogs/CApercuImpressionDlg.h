#pragma once
// "Aperçu avant impression": the pages of the catalogue as they will print, turned one
// or two at a time, the whole sheet or its width, and a button that prints them.

#include <cstdint>
#include <functional>

#include <QDialog>

class CPagesApercu;
class CVuePagesApercu;
class QAction;
class QLabel;
class QSpinBox;

class CApercuImpressionDlg : public QDialog {
    Q_OBJECT
public:
    // `pagesCote`: 2 shows facing pages, anything else one page.
    CApercuImpressionDlg(CPagesApercu& pages, int pagesCote, QWidget* parent);

    // What "Imprimer..." does: true once the printing started, false when it did not
    // (the pages are read again, the paper may have changed). While it runs the preview
    // stays open and cannot print again nor close.
    std::function<bool()> lancerImprimante;
    // The printing started ended: printed closes the preview; otherwise it stays, its
    // pages read again.
    void impressionTerminee(bool imprime);
    bool enImpression() const { return enImpression_; }

    void reject() override;

    CVuePagesApercu& vue() const { return *vue_; }
    // "Page 1 sur 4 590", as shown.
    QString textePage() const;

private:
    void lancerImpression();
    void mettreAJourCommandes();

    CPagesApercu& pages_;
    CVuePagesApercu* vue_;
    QSpinBox* numero_;
    QLabel* total_;
    QAction* imprimer_;
    QAction* fermer_;
    QAction* precedente_;
    QAction* suivante_;
    QAction* pagesCote_;
    QAction* zoomAvant_;
    QAction* zoomArriere_;
    bool enImpression_ = false;
};
