#include "shell/CImpressionsQt.h"

#include <atomic>
#include <new>
#include <thread>
#include <tuple>
#include <utility>

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include "dialogs/CDialogueProgression.h"
#include "impression/CSuiviImpression.h"
#include "shell/CBarreEtat.h"
#include "shell/DerniereValeur.h"
#include "impression/ImpressionPages.h"
#include "shell/ImpressionDocument.h"
#include "ui/CTravailLong.h"

namespace {

// What the job's thread reports and the interface thread reads: the pages done, and
// the cancel the user asked for.
class CPagesPartagees : public CSuiviImpression {
public:
    explicit CPagesPartagees(CSuiviImpression* aussi) : aussi_(aussi) {}
    bool pagesImprimees(std::uint32_t faites, std::uint32_t total) override
    {
        pages_.deposer({faites, total});
        if (aussi_ && !aussi_->pagesImprimees(faites, total))
            annule = true;
        return !annule.load();
    }
    // The last count, when there is one not read yet.
    bool lire(std::uint32_t& faites, std::uint32_t& total)
    {
        std::pair<std::uint32_t, std::uint32_t> lues;
        if (!pages_.lire(lues))
            return false;
        std::tie(faites, total) = lues;
        return true;
    }
    std::atomic<bool> annule{false};

private:
    CSuiviImpression* aussi_;
    CDerniereValeur<std::pair<std::uint32_t, std::uint32_t>> pages_;
};

// On the job's thread, where an exception would end the program: the printer is left
// as imprimerDocument() leaves it on a failure.
std::optional<std::string> imprimerSansException(CDoc& doc, QPrinter& imprimante, CSuiviImpression& suivi)
{
    try {
        return imprimerDocument(doc, imprimante, &suivi);
    } catch (const std::bad_alloc&) {
        return std::string("L'impression a échoué : la mémoire est insuffisante.");
    } catch (...) {
        return std::string("L'impression a échoué.");
    }
}

constexpr int kIntervalleAffichage = 100;   // milliseconds between two looks at the progress

} // namespace

// One job: its thread, its progress window, its document held busy.
class CImpressionsQt::CJob : public QObject {
public:
    CJob(CImpressionsQt& impressions, CDoc& doc, QPrinter& imprimante, QWidget* fenetre, int delai, FonctionFin fin)
        : fin(std::move(fin)), impressions_(impressions), document_(&doc), fenetre_(fenetre), delai_(delai),
          pages_(impressions.suiviDesTests)
    {
        CTravailLong::occuper(document_);
        chrono_.start();
        minuterie_.setInterval(kIntervalleAffichage);
        connect(&minuterie_, &QTimer::timeout, this, [this] { afficher(); });
        minuterie_.start();
        // The end comes back to the interface thread; events posted to this object die
        // with it, so nothing runs once it is gone.
        fil_ = std::thread([this, &doc, &imprimante] {
            erreur = imprimerSansException(doc, imprimante, pages_);
            QMetaObject::invokeMethod(this, [this] { impressions_.terminer(); }, Qt::QueuedConnection);
        });
    }

    ~CJob() override
    {
        pages_.annule = true;
        if (fil_.joinable())
            fil_.join();
        CTravailLong::liberer(document_);
        delete dialogue_.data();
    }

    CDialogueProgression* dialogue() const { return dialogue_.data(); }
    const CDoc* document() const { return document_; }

    FonctionFin fin;
    std::optional<std::string> erreur;   // written by the job's thread before it ends

private:
    void afficher()
    {
        if (!dialogue_ && chrono_.elapsed() >= delai_) {
            // Its window may have gone meanwhile: then one of its own.
            dialogue_ = CDialogueProgression::pourImpression(fenetre_.data()).release();
            // The other documents stay at hand while this one prints.
            dialogue_->setModal(false);
            connect(dialogue_.data(), &CDialogueProgression::annulationDemandee, this, [this] { pages_.annule = true; });
            dialogue_->show();
            impressions_.rappeler();
        }
        std::uint32_t faites = 0, total = 0;
        if (dialogue_ && !dialogue_->estAnnule() && pages_.lire(faites, total))
            dialogue_->afficherPages(faites, total);
    }

    CImpressionsQt& impressions_;
    const CDoc* document_;
    QPointer<QWidget> fenetre_;
    const int delai_;
    CPagesPartagees pages_;
    QElapsedTimer chrono_;
    QTimer minuterie_;
    // Also its window's: gone with it.
    QPointer<CDialogueProgression> dialogue_;
    std::thread fil_;
};

CImpressionsQt::CImpressionsQt(CBarreEtat* barre, std::function<QString(const CDoc*)> titreDe)
    : barre_(barre), titreDe_(std::move(titreDe))
{
}

CImpressionsQt::~CImpressionsQt() = default;

bool CImpressionsQt::lancer(CDoc& doc, QPrinter& imprimante, QWidget* fenetre, int delaiAffichage, FonctionFin fin)
{
    if (job_)
        return false;
    job_ = std::make_unique<CJob>(*this, doc, imprimante, fenetre, delaiAffichage, std::move(fin));
    return true;
}

bool CImpressionsQt::imprime(const CDoc* doc) const
{
    return job_ && job_->document() == doc;
}

void CImpressionsQt::rappeler()
{
    if (job_ && barre_)
        barre_->annoncerImpression(titreDe_ ? titreDe_(job_->document()) : QString());
}

CDialogueProgression* CImpressionsQt::dialogue() const
{
    return job_ ? job_->dialogue() : nullptr;
}

void CImpressionsQt::terminer()
{
    // Joined and let go before the end is told: it may start the next job.
    std::unique_ptr<CJob> fini = std::move(job_);
    FonctionFin fin = std::move(fini->fin);
    const std::optional<std::string> erreur = std::move(fini->erreur);
    fini.reset();
    if (barre_ && !CTravailLong::travauxEnCours())
        barre_->oublier(CBarreEtat::ESujet::Travail);
    if (fin)
        fin(erreur);
}
