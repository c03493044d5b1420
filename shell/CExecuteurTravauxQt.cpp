#include "shell/CExecuteurTravauxQt.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "capture/CSuiviCapture.h"
#include "dialogs/CDialogueProgression.h"
#include "model/CRequete.h"
#include "shell/CBarreEtat.h"
#include "shell/DerniereValeur.h"
#include "ui/CSignalementErreurs.h"
#include "ui/CTravailLong.h"
#include "ui/CheminsQt.h"
#include "workspace/TravailCalcul.h"
#include "workspace/TravailCapture.h"

namespace {

// What the job's thread reports and the interface thread reads: the last progress,
// and the cancel the user asked for.
class CSuiviPartage : public CSuiviCapture {
public:
    explicit CSuiviPartage(CSuiviCapture* aussi) : aussi_(aussi) {}
    bool progression(const SProgressionCapture& etat) override
    {
        etat_.deposer(etat);
        if (aussi_ && !aussi_->progression(etat))
            annule = true;
        return !annule.load();
    }
    // The last progress, when there is one not read yet.
    bool lire(SProgressionCapture& etat) { return etat_.lire(etat); }
    std::atomic<bool> annule{false};

private:
    CSuiviCapture* aussi_;
    CDerniereValeur<SProgressionCapture> etat_;
};

constexpr int kIntervalleAffichage = 100;   // milliseconds between two looks at the progress

} // namespace

// What every job shares: its thread, its documents held busy, its progress window
// after a delay (non-modal: the other documents stay at hand), its end on the
// interface thread. Events posted to a job die with it, so nothing of it runs once it
// is gone.
class CJob : public QObject {
public:
    CJob(CExecuteurTravauxQt& executeur, std::vector<const CDoc*> documents)
        : executeur_(executeur), nom_(executeur.nomOperation), documents_(std::move(documents))
    {
        for (const CDoc* d : documents_)
            CTravailLong::occuper(d);
        chrono_.start();
        minuterie_.setInterval(kIntervalleAffichage);
        connect(&minuterie_, &QTimer::timeout, this, [this] { afficher(); });
        minuterie_.start();
    }
    // Each kind cancels and joins its thread first, while what the thread uses lives.
    ~CJob() override { liberer(); }

    CDialogueProgression* dialogue() const { return dialogue_.get(); }
    const std::string& nom() const { return nom_; }
    bool tient(const CDoc* document) const
    {
        return std::find(documents_.begin(), documents_.end(), document) != documents_.end();
    }
    // The status bar: why the job's documents take no command.
    void annoncer()
    {
        if (executeur_.barre_ && !documents_.empty())
            executeur_.barre_->annoncerTravail(executeur_.titreDe_ ? executeur_.titreDe_(documents_.front()) : QString());
    }
    // The interface thread, the work done: the result handed over.
    virtual void finir() = 0;

protected:
    virtual std::unique_ptr<CDialogueProgression> creerDialogue() = 0;
    // A look at the progress, with the window on screen.
    virtual void montrer(CDialogueProgression& dialogue) = 0;
    virtual void annuler() = 0;

    void demarrer(std::function<void()> corps) { fil_ = std::thread(std::move(corps)); }
    void arreter()
    {
        annuler();
        joindre();
    }
    void joindre()
    {
        if (fil_.joinable())
            fil_.join();
    }
    // The interface thread, at the end: the window closed, the documents free again.
    void conclure()
    {
        joindre();
        minuterie_.stop();
        dialogue_.reset();
        liberer();
    }

    CExecuteurTravauxQt& executeur_;

private:
    void liberer()
    {
        for (const CDoc* d : documents_)
            CTravailLong::liberer(d);
        documents_.clear();
    }

    void afficher()
    {
        if (!dialogue_ && chrono_.elapsed() >= executeur_.delaiAffichage) {
            dialogue_ = creerDialogue();
            dialogue_->setModal(false);
            connect(dialogue_.get(), &CDialogueProgression::annulationDemandee, this, [this] { annuler(); });
            dialogue_->show();
            annoncer();
        }
        if (dialogue_ && !dialogue_->estAnnule())
            montrer(*dialogue_);
    }

    const std::string nom_;
    std::vector<const CDoc*> documents_;
    QElapsedTimer chrono_;
    QTimer minuterie_;
    std::unique_ptr<CDialogueProgression> dialogue_;
    std::thread fil_;
};

// A capture job: each snapshot put in place on the interface thread as soon as it is
// made.
class CJobCapture : public CJob {
public:
    CJobCapture(CExecuteurTravauxQt& executeur, std::shared_ptr<CTravailCapture> travail,
                std::function<void(const std::string&)> fin)
        : CJob(executeur, {travail->document()}), travail_(std::move(travail)), fin_(std::move(fin)),
          document_(travail_->document()), suivi_(executeur.suiviDesTests)
    {
        if (travail_->nombre() > 0 && travail_->requete(0))
            premiereRequete_ = travail_->requete(0)->nom();
        attente_.setSingleShot(true);
        attente_.setInterval(CTravailLong::kAttente);
        connect(&attente_, &QTimer::timeout, this, [this] { avancer(); });
        const int fils = executeur_.fils_ ? executeur_.fils_() : 0;
        demarrer([this, fils] { travailler(fils); });
    }
    ~CJobCapture() override { arreter(); }

    void finir() override
    {
        conclure();
        const std::string textes = travail_->terminer();
        if (fin_)
            fin_(textes);
    }

private:
    // The job's thread: each capture, each placed on the interface thread as it ends.
    void travailler(int fils)
    {
        for (std::size_t i = 0; i < travail_->nombre(); ++i) {
            travail_->capturer(i, &suivi_, fils);
            faites_.store(i + 1);
            QMetaObject::invokeMethod(this, [this] { avancer(); }, Qt::QueuedConnection);
        }
    }

    // The interface thread: the snapshots made are put in place, and once the last is,
    // the job ends. Not while something may be reading the very nodes replaced: an
    // operation on the interface thread, an open dialog, a search or a comparison.
    void avancer()
    {
        if (CTravailLong::enCours() || QApplication::activeModalWidget() || executeur_.lu(document_)) {
            if (!attente_.isActive())
                attente_.start();
            return;
        }
        const std::size_t faites = faites_.load();
        while (places_ < faites)
            travail_->placer(places_++);
        if (places_ == travail_->nombre())
            executeur_.terminer(this);
    }

    std::unique_ptr<CDialogueProgression> creerDialogue() override
    {
        // Titled at once, even when the first folder has not answered yet (a disk that
        // hangs), so that the capture can always be cancelled.
        SProgressionCapture etat;
        const bool nouveau = suivi_.lire(etat);
        auto d = std::make_unique<CDialogueProgression>(
            QString::fromStdString(nouveau ? etat.requete : premiereRequete_), executeur_.fenetre_);
        if (nouveau)
            d->afficherEtat(etat.dossiers, etat.fichiers, cheminQt(etat.dossierCourant));
        return d;
    }
    void montrer(CDialogueProgression& dialogue) override
    {
        SProgressionCapture etat;
        if (suivi_.lire(etat))
            dialogue.afficherEtat(etat.dossiers, etat.fichiers, cheminQt(etat.dossierCourant));
    }
    void annuler() override { suivi_.annule = true; }

    std::shared_ptr<CTravailCapture> travail_;
    std::function<void(const std::string&)> fin_;
    std::string premiereRequete_;   // titles the window until a report names the query
    const CDoc* document_;
    CSuiviPartage suivi_;
    QTimer attente_;
    std::atomic<std::size_t> faites_{0};   // captures made, written by the job's thread
    std::size_t places_ = 0;               // of those, put in place
};

// A search or a comparison: the pass on the job's thread, the result handed over on
// the interface thread. The busy cursor shows meanwhile. Its documents are held from
// the start, but its pass waits for lancer(): two passes must not mark the same files
// at once.
class CJobCalcul : public CJob {
public:
    CJobCalcul(CExecuteurTravauxQt& executeur, std::shared_ptr<CTravailCalcul> travail)
        : CJob(executeur, travail->documents()), travail_(std::move(travail))
    {
        QApplication::setOverrideCursor(Qt::BusyCursor);
    }

    bool lance() const { return lance_; }
    void lancer()
    {
        lance_ = true;
        demarrer([this, avant = executeur_.calculDesTests] {
            try {
                if (avant)
                    avant(avancement_);
                travail_->calculer(avancement_);
            } catch (...) {
                erreur_ = std::current_exception();
            }
            QMetaObject::invokeMethod(this, [this] { executeur_.terminer(this); }, Qt::QueuedConnection);
        });
    }

    ~CJobCalcul() override
    {
        arreter();
        retablirCurseur();
    }

    bool lit(const CDoc* document) const { return tient(document); }

    void finir() override
    {
        conclure();
        retablirCurseur();
        travail_->terminer();
        if (erreur_)
            std::rethrow_exception(erreur_);
    }

private:
    std::unique_ptr<CDialogueProgression> creerDialogue() override
    {
        return CDialogueProgression::pourCalcul(QString::fromStdString(travail_->titre()), executeur_.fenetre_);
    }
    void montrer(CDialogueProgression& dialogue) override
    {
        dialogue.afficherFichiers(avancement_.fichiers.load(std::memory_order_relaxed));
    }
    void annuler() override { avancement_.annule = true; }
    void retablirCurseur()
    {
        if (curseur_) {
            curseur_ = false;
            QApplication::restoreOverrideCursor();
        }
    }

    std::shared_ptr<CTravailCalcul> travail_;
    SAvancement avancement_;
    std::exception_ptr erreur_;   // what stopped calculer(), read once the thread ended
    bool curseur_ = true;
    bool lance_ = false;
};

CExecuteurTravauxQt::CExecuteurTravauxQt(QWidget* fenetre, CBarreEtat* barre,
                                         std::function<QString(const CDoc*)> titreDe,
                                         CSignalementErreurs& signalement, std::function<int()> fils)
    : fenetre_(fenetre), barre_(barre), titreDe_(std::move(titreDe)), signalement_(signalement),
      fils_(std::move(fils))
{
}

CExecuteurTravauxQt::~CExecuteurTravauxQt() = default;

void CExecuteurTravauxQt::lancer(std::shared_ptr<CTravailCapture> travail, std::function<void(const std::string&)> fin)
{
    if (!travail->document())
        return;
    jobs_.push_back(std::make_unique<CJobCapture>(*this, std::move(travail), std::move(fin)));
}

void CExecuteurTravauxQt::lancer(std::shared_ptr<CTravailCalcul> travail)
{
    auto job = std::make_unique<CJobCalcul>(*this, std::move(travail));
    CJobCalcul* calcul = job.get();
    calculs_.push_back(calcul);
    jobs_.push_back(std::move(job));
    // One pass at a time; the others wait their turn in order.
    if (calculs_.size() == 1)
        calcul->lancer();
}

bool CExecuteurTravauxQt::lu(const CDoc* document) const
{
    return std::any_of(calculs_.begin(), calculs_.end(), [document](const CJobCalcul* j) { return j->lit(document); });
}

void CExecuteurTravauxQt::rappeler()
{
    if (!jobs_.empty())
        jobs_.back()->annoncer();
}

CDialogueProgression* CExecuteurTravauxQt::dialogue() const
{
    return jobs_.empty() ? nullptr : jobs_.back()->dialogue();
}

void CExecuteurTravauxQt::terminer(CJob* job)
{
    const auto it = std::find_if(jobs_.begin(), jobs_.end(), [job](const auto& j) { return j.get() == job; });
    if (it == jobs_.end())
        return;
    std::unique_ptr<CJob> fini = std::move(*it);
    jobs_.erase(it);
    calculs_.erase(std::remove(calculs_.begin(), calculs_.end(), fini.get()), calculs_.end());
    // A job that failed (memory short) has left its document whole: the user hears
    // which command did not succeed.
    try {
        fini->finir();
    } catch (...) {
        signalement_.signalerEchec(fini->nom(), std::current_exception());
    }
    if (barre_ && !CTravailLong::travauxEnCours())
        barre_->oublier(CBarreEtat::ESujet::Travail);
    if (!calculs_.empty() && !calculs_.front()->lance())
        calculs_.front()->lancer();
    emit travailTermine();
}
