#pragma once
// The quick search as the user types: every query of every open document searched for
// the words of the toolbar's field, the answer shown in the search results window.
// Each query has its index, built on this thread whenever its snapshot changed; the
// words are matched on a thread of our own (on this one when the system gives none),
// over the indexes only, and a new keystroke stops the run before it. A run that fails
// (memory short) shows nothing and says so. An answer reaches the window only when no
// snapshot changed meanwhile, so no row ever names a file that has gone. The found
// marks, the application's search and the documents' modified state are left alone.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <QObject>
#include <QTimer>

#include "search/CFilDeTravail.h"
#include "search/MotsRapides.h"

class CIndexRapide;
class CResultatsDlg;

class CRechercheRapide : public QObject {
    Q_OBJECT
public:
    explicit CRechercheRapide(CResultatsDlg& fenetre, QObject* parent = nullptr);
    ~CRechercheRapide() override;

    // The field's text changed: the run under way stops and one for `texte` starts.
    // No word: the quick answer is emptied.
    void rechercher(const QString& texte);

    // Reads the open documents again: an index for each query whose snapshot is new
    // or changed, none kept for a query that went. True when anything changed.
    bool synchroniser();

    // An answer waiting for the user to pause goes to the window now (Enter).
    void montrerSansAttendre();

    // How many files the last answer shown holds.
    std::size_t nombreTrouves() const { return nombre_; }
    // Past this many files, listing an answer in the window takes a visible while (a
    // quarter of a second for a million): such an answer waits until the typing pauses
    // for `pause` milliseconds, and the next keystroke drops it unseen.
    std::size_t lignesDifferees = 100000;
    int pause = 250;
    // Whether a run is under way (for the tests).
    bool enCours() const { return enCours_; }

signals:
    // An answer reached the window: the count for the status bar.
    void trouves(std::size_t nombre);
    // The field was emptied: no answer any more.
    void videe();
    // A run failed: what to tell the user.
    void echec(const QString& texte);

private:
    struct SIndexOuvert;
    struct SRun;

    void lancer();
    static void chercher(CRechercheRapide* moi, std::uint64_t numero, const std::shared_ptr<SRun>& run,
                         unsigned fils) noexcept;
    void recevoir(std::uint64_t numero, std::shared_ptr<SRun> run);
    void arreter();
    // The last complete answer, into the window.
    void montrer();
    // Whether the last answer was made from the snapshots open now, each query's in full.
    bool reponseCourante() const;
    void changementPlanifie();

    CResultatsDlg& fenetre_;
    std::vector<SIndexOuvert> ouverts_;
    std::string texte_;
    // The words of the last complete answer, which typing on may narrow.
    std::vector<SMotRapide> motsPrecedents_;
    std::uint64_t numero_ = 0;
    std::shared_ptr<std::atomic<bool>> arret_;
    bool enCours_ = false;
    bool planifie_ = false;
    // Enter came while the answer was under way, or the pause ended on an answer out of
    // date: the answer computed next shows however large.
    bool sansAttendre_ = false;
    std::size_t nombre_ = 0;
    QTimer differe_{this};
    // Last: it is done with its jobs before anything they reach goes.
    CFilDeTravail fil_;
};
