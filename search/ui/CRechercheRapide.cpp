#include "search/ui/CRechercheRapide.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <thread>

#include <QTimer>
#include <QWidget>

#include "model/CClasseur.h"
#include "model/CDoc.h"
#include "model/CRequete.h"
#include "model/TriListe.h"
#include "search/IndexRapide.h"
#include "search/RechercheRapide.h"
#include "search/ui/CResultatsRechercheDlg.h"
#include "ui/CModeleResultats.h"
#include "ui/CResultatsDlg.h"
#include "ui/CSignalementErreurs.h"
#include "ui/CTravailLong.h"

using Numeros = std::vector<std::uint32_t>;

namespace {

// The files read between two looks at the clock, and how long a slice may keep this
// thread: a keystroke waits for one slice at most.
constexpr std::size_t kFichiersParPas = 4096;
constexpr auto kTranche = std::chrono::milliseconds(4);

QString texteEchec(const std::exception_ptr& echec)
{
    return QString::fromStdString("La recherche rapide n'a pas abouti : " + raisonException(echec) + ".");
}

} // namespace

struct CRechercheRapide::SIndexOuvert {
    std::uint64_t identifiant;
    std::uint64_t version;
    std::shared_ptr<const CIndexRapide> index;
    // This index's part of the last complete answer.
    std::shared_ptr<const Numeros> derniers;
};

// What one run reads and gives; the thread sees nothing else.
struct CRechercheRapide::SRun {
    std::vector<SMotRapide> mots;
    std::vector<std::shared_ptr<const CIndexRapide>> index;
    std::vector<std::shared_ptr<const Numeros>> parmi;  // empty ones when not narrowing
    std::vector<Numeros> numeros;
    std::shared_ptr<std::atomic<bool>> arret;
    std::exception_ptr echec;
};

// An answer's rows on their way to the window: the files and the values they sort on,
// read here, then the rows sorted on filTri_, which reaches no file.
struct CRechercheRapide::SPreparation {
    explicit SPreparation(int champ) : cles(champ) {}
    std::vector<std::pair<std::shared_ptr<const CIndexRapide>, std::shared_ptr<const Numeros>>> sources;
    // The next number to read: its source, its place there.
    std::size_t source = 0;
    std::size_t place = 0;
    int colonne = 0;
    bool croissant = true;
    std::vector<CFichier*> fichiers;
    CClesTri cles;
    std::vector<CLignesResultats::SLigne> lignes;
    std::atomic<bool> arret{false};
    std::exception_ptr echec;
};

CRechercheRapide::CRechercheRapide(const std::vector<CDoc*>& documents, bool& reponseAffichee, CResultatsDlg& fenetre,
                                   QObject* parent)
    : QObject(parent), documents_(documents), reponseAffichee_(reponseAffichee), fenetre_(fenetre)
{
    differe_.setObjectName(QStringLiteral("pause"));
    differe_.setSingleShot(true);
    connect(&differe_, &QTimer::timeout, this, &CRechercheRapide::montrer);
}

CRechercheRapide::~CRechercheRapide()
{
    reponseAffichee_ = false;
    arreter();
    fil_.attendre();
    filTri_.attendre();
}

void CRechercheRapide::changementPlanifie()
{
    if (planifie_)
        return;
    planifie_ = true;
    QTimer::singleShot(0, this, [this] {
        planifie_ = false;
        // The answer on show follows: rows of files that went have left already, and
        // the files an update brought in are looked for. An answer held back for the
        // pause was computed from the snapshots that changed: it is computed again.
        const bool retenue = differe_.isActive() || preparation_;
        if (!synchroniser())
            return;
        if ((reponseAffichee_ || retenue) && !analyserMots(texte_).empty())
            lancer();
        else
            differe_.stop();
    });
}

bool CRechercheRapide::reponseCourante() const
{
    std::size_t i = 0;
    for (CDoc* doc : documents_)
        for (CClasseur* c : doc->classeurs())
            for (CRequete* q : c->requetes()) {
                if (i == ouverts_.size() || ouverts_[i].identifiant != q->identifiant() ||
                    ouverts_[i].version != q->versionInstantane() || !ouverts_[i].derniers)
                    return false;
                ++i;
            }
    return i == ouverts_.size();
}

bool CRechercheRapide::synchroniser()
{
    // The indexes kept are shared, not taken, so that an index that cannot be built
    // (memory short) leaves those there were.
    std::vector<SIndexOuvert> suivants;
    std::vector<bool> gardes(ouverts_.size(), false);
    bool change = false;
    for (CDoc* doc : documents_)
        for (CClasseur* c : doc->classeurs())
            for (CRequete* q : c->requetes()) {
                auto it = std::find_if(ouverts_.begin(), ouverts_.end(), [&](const SIndexOuvert& o) {
                    return o.identifiant == q->identifiant() && o.version == q->versionInstantane();
                });
                if (it != ouverts_.end() && !gardes[static_cast<std::size_t>(it - ouverts_.begin())]) {
                    suivants.push_back(*it);
                    gardes[static_cast<std::size_t>(it - ouverts_.begin())] = true;
                } else {
                    std::shared_ptr<const CIndexRapide> index = indexGarde ? indexGarde(*q) : nullptr;
                    if (!index)
                        index = std::make_shared<CIndexRapide>(*q);
                    suivants.push_back({q->identifiant(), q->versionInstantane(), std::move(index), {}});
                    change = true;
                }
            }
    change = change || std::find(gardes.begin(), gardes.end(), false) != gardes.end();
    ouverts_ = std::move(suivants);
    return change;
}

void CRechercheRapide::rechercher(const QString& texte)
{
    texte_ = texte.toStdString();
    sansAttendre_ = false;
    lancer();
}

void CRechercheRapide::arreter()
{
    differe_.stop();
    if (arret_)
        arret_->store(true);
    arret_.reset();
    enCours_ = false;
    if (preparation_)
        preparation_->arret = true;
    preparation_.reset();
}

void CRechercheRapide::lancer()
{
    arreter();
    const std::uint64_t numero = ++numero_;
    auto run = std::make_shared<SRun>();
    run->mots = analyserMots(texte_);
    if (run->mots.empty()) {
        motsPrecedents_.clear();
        for (SIndexOuvert& o : ouverts_)
            o.derniers.reset();
        if (reponseAffichee_) {
            fenetre_.setWindowTitle(titreResultatsRapides(texte_));
            fenetre_.vider();
            nombre_ = 0;
        }
        emit videe();
        return;
    }
    synchroniser();
    const bool affine = affinent(run->mots, motsPrecedents_);
    for (const SIndexOuvert& o : ouverts_) {
        run->index.push_back(o.index);
        run->parmi.push_back(affine ? o.derniers : nullptr);
    }
    run->arret = std::make_shared<std::atomic<bool>>(false);
    arret_ = run->arret;
    enCours_ = true;
    const unsigned fils = std::max(1U, std::thread::hardware_concurrency());
    if (!fil_.confier([this, numero, run, fils] { chercher(this, numero, run, fils); }))
        chercher(this, numero, run, 1);  // no thread to be had: here, alone
}

void CRechercheRapide::chercher(CRechercheRapide* moi, std::uint64_t numero, const std::shared_ptr<SRun>& run,
                                unsigned fils) noexcept
{
    try {
        std::vector<SPartRecherche> parts;
        for (std::size_t i = 0; i < run->index.size(); ++i)
            parts.push_back({run->index[i].get(), run->parmi[i].get()});
        run->numeros = chercherPartout(parts, run->mots, *run->arret, fils);
    } catch (...) {
        run->echec = std::current_exception();
    }
    if (run->arret->load())
        return;  // stopped: its answer is incomplete and goes nowhere
    try {
        QMetaObject::invokeMethod(moi, [moi, numero, run] { moi->recevoir(numero, run); }, Qt::QueuedConnection);
    } catch (...) {
        // Not even memory to say so: the run is lost, the next keystroke starts another.
    }
}

void CRechercheRapide::recevoir(std::uint64_t numero, std::shared_ptr<SRun> run)
{
    if (numero != numero_ || run->arret->load())
        return;
    enCours_ = false;
    arret_.reset();
    if (run->echec) {
        emit echec(texteEchec(run->echec));
        return;
    }
    // A snapshot changed since the run began (read here or already by the rebuild after
    // a change): its numbers belong to indexes no longer open and may name files that went.
    synchroniser();
    if (!std::equal(run->index.begin(), run->index.end(), ouverts_.begin(), ouverts_.end(),
                    [](const auto& index, const SIndexOuvert& o) { return index == o.index; })) {
        lancer();
        return;
    }
    motsPrecedents_ = run->mots;
    std::size_t total = 0;
    for (std::size_t i = 0; i < ouverts_.size(); ++i) {
        total += run->numeros[i].size();
        ouverts_[i].derniers = std::make_shared<const Numeros>(std::move(run->numeros[i]));
    }
    if (total > lignesDifferees && !sansAttendre_)
        differe_.start(pause);
    else
        montrer();
}

void CRechercheRapide::montrerSansAttendre()
{
    if (differe_.isActive()) {
        differe_.stop();
        montrer();
    }
    // The answer under way does not wait either.
    if (enCours_)
        sansAttendre_ = true;
}

void CRechercheRapide::recalculer()
{
    sansAttendre_ = true;
    if (!analyserMots(texte_).empty())
        lancer();
}

void CRechercheRapide::montrer()
{
    // A capture or the application's search may be filling this window or replacing
    // snapshots while it keeps the windows painted: the answer waits for it to end.
    if (CTravailLong::enCours()) {
        differe_.start(CTravailLong::kAttente);
        return;
    }
    // A snapshot changed since the answer was made: its numbers may name files that went.
    // It is computed again and shown when it comes, the pause being over.
    if (!reponseCourante()) {
        recalculer();
        return;
    }
    if (preparation_)
        preparation_->arret = true;
    preparation_.reset();
    std::size_t total = 0;
    for (const SIndexOuvert& o : ouverts_)
        total += o.derniers->size();
    if (total > lignesPreparees) {
        const CModeleResultats& modele = fenetre_.modele();
        auto preparation = std::make_shared<SPreparation>(modele.champTri());
        preparation->colonne = modele.colonneTri();
        preparation->croissant = modele.croissant();
        for (const SIndexOuvert& o : ouverts_)
            preparation->sources.emplace_back(o.index, o.derniers);
        preparation->fichiers.reserve(total);
        preparation->cles.reserver(total);
        preparation_ = preparation;
        lireTranche(preparation);
        return;
    }
    reponseAffichee_ = true;
    fenetre_.setWindowTitle(titreResultatsRapides(texte_));
    fenetre_.vider();
    nombre_ = 0;
    for (const SIndexOuvert& o : ouverts_)
        for (CFichier* f : o.index->fichiers(*o.derniers)) {
            fenetre_.ajouterLigne(f);
            ++nombre_;
        }
    fenetre_.retrier();
    montrerFenetre();
}

bool CRechercheRapide::peutContinuer(const std::shared_ptr<SPreparation>& preparation, Etape suite)
{
    if (preparation != preparation_)
        return false;
    // The files are reached only while no operation is changing them, and only while
    // every snapshot is the one the answer was made from: none of them has gone.
    if (CTravailLong::enCours()) {
        QTimer::singleShot(CTravailLong::kAttente, this, [this, preparation, suite] { (this->*suite)(preparation); });
        return false;
    }
    if (!reponseCourante()) {
        preparation_.reset();
        recalculer();
        return false;
    }
    return true;
}

void CRechercheRapide::lireTranche(const std::shared_ptr<SPreparation>& preparation)
{
    if (!peutContinuer(preparation, &CRechercheRapide::lireTranche))
        return;
    SPreparation& p = *preparation;
    const auto debut = std::chrono::steady_clock::now();
    try {
        while (p.source < p.sources.size() && std::chrono::steady_clock::now() - debut < kTranche) {
            const auto& [index, numeros] = p.sources[p.source];
            const std::size_t fin = std::min(numeros->size(), p.place + kFichiersParPas);
            const std::size_t avant = p.fichiers.size();
            for (std::size_t k = p.place; k < fin; ++k)
                if (CFichier* f = index->fichier((*numeros)[k]))
                    p.fichiers.push_back(f);
            p.cles.lire(p.fichiers.data() + avant, p.fichiers.size() - avant);
            p.place = fin;
            if (fin == numeros->size()) {
                ++p.source;
                p.place = 0;
            }
        }
    } catch (...) {
        preparation_.reset();
        emit echec(texteEchec(std::current_exception()));
        return;
    }
    if (p.source < p.sources.size()) {
        QTimer::singleShot(0, this, [this, preparation] { lireTranche(preparation); });
        return;
    }
    if (!filTri_.confier([this, preparation] { trierLignes(this, preparation); }))
        trierLignes(this, preparation);  // no thread to be had: here, alone
}

void CRechercheRapide::trierLignes(CRechercheRapide* moi, const std::shared_ptr<SPreparation>& preparation) noexcept
{
    SPreparation& p = *preparation;
    if (p.arret)
        return;  // dropped while it waited for its turn
    try {
        const std::vector<int> ordre = p.cles.ordonner(p.croissant);
        p.lignes.reserve(ordre.size());
        // The files' addresses only: none is reached from here.
        for (int i : ordre)
            p.lignes.push_back({p.fichiers[static_cast<std::size_t>(i)], 0});
        p.cles = CClesTri(p.cles.champ());
    } catch (...) {
        p.echec = std::current_exception();
    }
    if (p.arret)
        return;
    try {
        QMetaObject::invokeMethod(moi, [moi, preparation] { moi->recevoirLignes(preparation); }, Qt::QueuedConnection);
    } catch (...) {
        // Not even memory to say so: the next keystroke starts again.
    }
}

void CRechercheRapide::recevoirLignes(const std::shared_ptr<SPreparation>& preparation)
{
    if (!peutContinuer(preparation, &CRechercheRapide::recevoirLignes))
        return;
    if (preparation->echec) {
        preparation_.reset();
        emit echec(texteEchec(preparation->echec));
        return;
    }
    // The user sorted the window meanwhile: the rows are prepared again in that order.
    const CModeleResultats& modele = fenetre_.modele();
    if (modele.colonneTri() != preparation->colonne || modele.croissant() != preparation->croissant) {
        montrer();
        return;
    }
    preparation_.reset();
    reponseAffichee_ = true;
    fenetre_.setWindowTitle(titreResultatsRapides(texte_));
    nombre_ = preparation->lignes.size();
    fenetre_.remplacerLignes(std::move(preparation->lignes));
    montrerFenetre();
}

void CRechercheRapide::montrerFenetre()
{
    if (!fenetre_.isVisible())
        fenetre_.montrerSansActiver();
    emit trouves(nombre_);
}
