#include "shell/CExecuteurTravauxQt.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include "capture/CSuiviCapture.h"
#include "dialogs/CDialogueProgression.h"
#include "model/CRequete.h"
#include "shell/CBarreEtat.h"
#include "ui/CSignalementErreurs.h"
#include "ui/CTravailLong.h"
#include "ui/CheminsQt.h"
#include "workspace/TravailCapture.h"

namespace {

// What the job's thread reports and the interface thread reads: the last progress,
// and the cancel the user asked for.
class CSuiviPartage : public CSuiviCapture {
public:
    explicit CSuiviPartage(CSuiviCapture* aussi) : aussi_(aussi) {}
    bool progression(const SProgressionCapture& etat) override
    {
        {
            std::lock_guard verrou(mutex_);
            etat_ = etat;
            nouveau_ = true;
        }
        if (aussi_ && !aussi_->progression(etat))
            annule = true;
        return !annule.load();
    }
    // The last progress, when there is one not read yet.
    bool lire(SProgressionCapture& etat)
    {
        std::lock_guard verrou(mutex_);
        if (!nouveau_)
            return false;
        etat = etat_;
        nouveau_ = false;
        return true;
    }
    std::atomic<bool> annule{false};

private:
    CSuiviCapture* aussi_;
    std::mutex mutex_;
    SProgressionCapture etat_;
    bool nouveau_ = false;
};

constexpr int kIntervalleAffichage = 100;   // milliseconds between two looks at the progress

} // namespace

// One job: its thread, its progress window, its document held busy.
class CJobCapture : public QObject {
public:
    CJobCapture(CExecuteurTravauxQt& executeur, std::shared_ptr<CTravailCapture> travail,
                std::function<void(const std::string&)> fin)
        : executeur_(executeur), travail_(std::move(travail)), fin_(std::move(fin)),
          nom_(executeur.nomOperation), document_(travail_->document()), suivi_(executeur.suiviDesTests)
    {
        if (travail_->nombre() > 0 && travail_->requete(0))
            premiereRequete_ = travail_->requete(0)->nom();
        CTravailLong::occuper(document_);
        chrono_.start();
        minuterie_.setInterval(kIntervalleAffichage);
        connect(&minuterie_, &QTimer::timeout, this, [this] { afficher(); });
        minuterie_.start();
        attente_.setSingleShot(true);
        attente_.setInterval(CTravailLong::kAttente);
        connect(&attente_, &QTimer::timeout, this, [this] { avancer(); });
        const int fils = executeur_.fils_ ? executeur_.fils_() : 0;
        fil_ = std::thread([this, fils] { travailler(fils); });
    }

    ~CJobCapture() override
    {
        suivi_.annule = true;
        if (fil_.joinable())
            fil_.join();
        CTravailLong::liberer(document_);
    }

    CDialogueProgression* dialogue() const { return dialogue_.get(); }
    const std::string& nom() const { return nom_; }

    // The status bar: why the job's document takes no command.
    void annoncer()
    {
        if (executeur_.barre_ && document_)
            executeur_.barre_->annoncerTravail(executeur_.titreDe_ ? executeur_.titreDe_(document_) : QString());
    }

    // The interface thread, once the last snapshot is placed.
    void finir()
    {
        fil_.join();
        minuterie_.stop();
        dialogue_.reset();
        CTravailLong::liberer(document_);
        document_ = nullptr;
        const std::string textes = travail_->terminer();
        if (fin_)
            fin_(textes);
    }

private:
    // The job's thread: each capture, each placed on the interface thread as it ends.
    // Events posted to this object die with it, so nothing runs once it is gone.
    void travailler(int fils)
    {
        for (std::size_t i = 0; i < travail_->nombre(); ++i) {
            travail_->capturer(i, &suivi_, fils);
            faites_.store(i + 1);
            QMetaObject::invokeMethod(this, [this] { avancer(); }, Qt::QueuedConnection);
        }
    }

    // The interface thread: the snapshots made are put in place, and once the last is,
    // the job ends. Not while another operation holds the windows (a search keeping
    // them painted, a dialog open): it may be reading the very nodes replaced.
    void avancer()
    {
        if (CTravailLong::enCours() || QApplication::activeModalWidget()) {
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

    void afficher()
    {
        SProgressionCapture etat;
        const bool nouveau = suivi_.lire(etat);
        // Up after the delay even when the first folder has not answered yet (a disk
        // that hangs), so that the capture can always be cancelled.
        if (!dialogue_ && chrono_.elapsed() >= executeur_.delaiAffichage) {
            dialogue_ = std::make_unique<CDialogueProgression>(
                QString::fromStdString(nouveau ? etat.requete : premiereRequete_), executeur_.fenetre_);
            // The other documents stay at hand while this one is captured.
            dialogue_->setModal(false);
            connect(dialogue_.get(), &CDialogueProgression::annulationDemandee, this,
                    [this] { suivi_.annule = true; });
            dialogue_->show();
            annoncer();
        }
        if (!dialogue_)
            return;
        if (nouveau && !dialogue_->estAnnule())
            dialogue_->afficherEtat(etat.dossiers, etat.fichiers, cheminQt(etat.dossierCourant));
    }

    CExecuteurTravauxQt& executeur_;
    std::shared_ptr<CTravailCapture> travail_;
    std::function<void(const std::string&)> fin_;
    const std::string nom_;
    std::string premiereRequete_;   // titles the window until a report names the query
    const CDoc* document_;
    CSuiviPartage suivi_;
    QElapsedTimer chrono_;
    QTimer minuterie_;
    QTimer attente_;
    std::unique_ptr<CDialogueProgression> dialogue_;
    std::atomic<std::size_t> faites_{0};   // captures made, written by the job's thread
    std::size_t places_ = 0;               // of those, put in place
    std::thread fil_;
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

void CExecuteurTravauxQt::rappeler()
{
    if (!jobs_.empty())
        jobs_.back()->annoncer();
}

CDialogueProgression* CExecuteurTravauxQt::dialogue() const
{
    return jobs_.empty() ? nullptr : jobs_.back()->dialogue();
}

void CExecuteurTravauxQt::terminer(CJobCapture* job)
{
    const auto it = std::find_if(jobs_.begin(), jobs_.end(), [job](const auto& j) { return j.get() == job; });
    if (it == jobs_.end())
        return;
    std::unique_ptr<CJobCapture> fini = std::move(*it);
    jobs_.erase(it);
    // A job that failed (memory short) has left its document whole: the user hears
    // which command did not succeed.
    try {
        fini->finir();
    } catch (...) {
        signalement_.signalerEchec(fini->nom(), std::current_exception());
    }
    if (barre_ && !CTravailLong::travauxEnCours())
        barre_->oublier(CBarreEtat::ESujet::Travail);
    emit travailTermine();
}
