#pragma once
// The quick search as the user types: every query of every open document searched for
// the words of the toolbar's field, the answer shown in the search results window.
// Each query has its index, built on this thread whenever its snapshot changed; the
// words are matched on a thread of our own (on this one when the system gives none),
// over the indexes only, and a new keystroke stops the run before it. A run that fails
// (memory short) shows nothing and says so. An answer reaches the window only when no
// snapshot changed meanwhile, so no row ever names a file that has gone. A large answer
// is listed in two steps: the values its rows sort on are read here a slice at a time
// (files are read only on this thread, which may destroy them), then the rows are
// sorted on a thread of their own and the window takes them whole. The found marks,
// the application's search and the documents' modified state are left alone.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QObject>
#include <QTimer>

#include "search/CFilDeTravail.h"
#include "search/MotsRapides.h"

class CDoc;
class CIndexRapide;
class CRequete;
class CResultatsDlg;

class CRechercheRapide : public QObject {
    Q_OBJECT
public:
    // Over the open `documents`; its answers show in `fenetre`, and `reponseAffichee`
    // says so while they do (the application's search then leaves the window alone).
    CRechercheRapide(const std::vector<CDoc*>& documents, bool& reponseAffichee, CResultatsDlg& fenetre,
                     QObject* parent = nullptr);
    ~CRechercheRapide() override;

    // The documents' contents may have changed (an update, a load, a node deleted or
    // moved, a document closed): read again once the change is over.
    void changementPlanifie();
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
    // Past this many files, listing an answer costs a visible share of a second (its
    // rows read, sorted, laid out by the view): such an answer waits until the typing
    // pauses for `pause` milliseconds, and the next keystroke drops it unseen.
    std::size_t lignesDifferees = 100000;
    int pause = 250;
    // Past this many files, the rows are sorted off this thread.
    std::size_t lignesPreparees = 20000;
    // The index of a query kept from an earlier run (its catalogue's kept index), read
    // instead of building one; null when there is none for that query's snapshot.
    std::function<std::unique_ptr<CIndexRapide>(const CRequete&)> indexGarde;
    // Whether a run is under way (for the tests).
    bool enCours() const { return enCours_; }
    // Whether the rows of an answer are being prepared for the window (for the tests).
    bool preparationEnCours() const { return preparation_ != nullptr; }

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
    struct SPreparation;

    void lancer();
    static void chercher(CRechercheRapide* moi, std::uint64_t numero, const std::shared_ptr<SRun>& run,
                         unsigned fils) noexcept;
    void recevoir(std::uint64_t numero, std::shared_ptr<SRun> run);
    void arreter();
    // The last complete answer, into the window.
    void montrer();
    // Whether `preparation` may go on now: the last one, no long operation under way
    // (it goes on through `suite` once that ends), every snapshot the one its answer
    // was made from (else it is dropped and the answer computed again).
    using Etape = void (CRechercheRapide::*)(const std::shared_ptr<SPreparation>&);
    bool peutContinuer(const std::shared_ptr<SPreparation>& preparation, Etape suite);
    // Its rows: a slice of their sort values read, then handed over to be sorted.
    void lireTranche(const std::shared_ptr<SPreparation>& preparation);
    static void trierLignes(CRechercheRapide* moi, const std::shared_ptr<SPreparation>& preparation) noexcept;
    void recevoirLignes(const std::shared_ptr<SPreparation>& preparation);
    // An answer found out of date as it was to be shown: computed again, then shown.
    void recalculer();
    // The window, once it holds the answer.
    void montrerFenetre();
    // Whether the last answer was made from the snapshots open now, each query's in full.
    bool reponseCourante() const;

    const std::vector<CDoc*>& documents_;
    bool& reponseAffichee_;
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
    // The rows of the last answer, being prepared; a newer answer or run drops them.
    std::shared_ptr<SPreparation> preparation_;
    // Last: they are done with their jobs before anything these reach goes. The rows
    // have their own, so that sorting never holds up the next keystroke's search.
    CFilDeTravail filTri_;
    CFilDeTravail fil_;
};
