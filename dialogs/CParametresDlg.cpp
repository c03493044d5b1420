#include "dialogs/CParametresDlg.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/CRequete.h"
#include "ui/BoiteMessage.h"
#include "ui/DialogueFixe.h"
#include "ui/UnitesDialogue.h"
#include "ui/CheminsQt.h"

namespace {

// What the user may type in the folder and filter fields.
constexpr int kLongueurSaisie = 260;
// Width of the window in dialog units.
constexpr int kLargeurUnites = 288;

QString nomControle(int id)
{
    return QStringLiteral("c%1").arg(id);
}

// A text already in the query or picked in the folder browser is kept whole even past
// the typing limit: cutting a long path would list another folder.
void placerTexte(QLineEdit& champ, const QString& texte)
{
    champ.setMaxLength(std::max(kLongueurSaisie, static_cast<int>(texte.size())));
    champ.setText(texte);
    champ.setCursorPosition(0);   // the start of a long path, as the edit first shows it
}

QLineEdit* champTexte(int id, QWidget* parent)
{
    auto* champ = new QLineEdit(parent);
    champ->setObjectName(nomControle(id));
    champ->setMaxLength(kLongueurSaisie);
    return champ;
}

QPushButton* bouton(int id, const QString& texte, QWidget* parent)
{
    auto* b = new QPushButton(texte, parent);
    b->setObjectName(nomControle(id));
    return b;
}

// A field after its label, whose letter leads to it.
QHBoxLayout* ligneEtiquetee(const QString& texte, QLineEdit* champ)
{
    auto* etiquette = new QLabel(texte, champ->parentWidget());
    etiquette->setBuddy(champ);
    auto* ligne = new QHBoxLayout;
    ligne->addWidget(etiquette);
    ligne->addWidget(champ, 1);
    return ligne;
}

} // namespace

CParametresDlg::CParametresDlg(CRequete& requete, bool creation, QWidget* parent, EditeurCriteres editeur)
    : QDialog(parent), requete_(requete), editeurAvance_(std::move(editeur)), criteres_(requete.criteres),
      dossier_(champTexte(1010, this)),
      filtre_(champTexte(1017, this)), parcourir_(bouton(1011, QStringLiteral("&Parcourir..."), this)),
      sousDossiers_(caseACocher(1012, QStringLiteral("Inclure les &sous-dossiers"))),
      dossiersVides_(caseACocher(1024, QStringLiteral("Inclure les dossiers &vides"))),
      caches_(caseACocher(1023, QStringLiteral("Inclure les fichiers/dossiers &cachés"))),
      modeFiltre_(new QButtonGroup(this)),
      stockerCree_(caseACocher(1019, QStringLiteral("Date de c&réation"))),
      stockerModifie_(caseACocher(1018, QStringLiteral("Date de &modification"))),
      stockerAccede_(caseACocher(1020, QStringLiteral("Date d'acc&ès"))),
      stockerTaille_(caseACocher(1021, QStringLiteral("&Taille"))),
      stockerAttributs_(caseACocher(1022, QStringLiteral("&Attributs")))
{
    setWindowTitle(creation ? QStringLiteral("Créer de nouvelles requêtes")
                            : QStringLiteral("Paramètres de la requête"));

    connect(parcourir_, &QPushButton::clicked, this, &CParametresDlg::parcourir);
    QHBoxLayout* ligneDossier = ligneEtiquetee(QStringLiteral("&Dossier:"), dossier_);
    ligneDossier->addWidget(parcourir_);

    auto* groupeFiltre = new QGroupBox(QStringLiteral("Filtre"), this);
    auto* dispositionFiltre = new QVBoxLayout(groupeFiltre);
    dispositionFiltre->addWidget(caches_);
    const QString modes[] = {QStringLiteral("Ne pas appli&quer de filtre"),
                             QStringLiteral("N'&inclure que les fichiers correspondant au filtre"),
                             QStringLiteral("&Exclure les fichiers correspondant au filtre")};
    QList<QWidget*> radios;
    for (int mode = 0; mode < 3; ++mode) {
        auto* radio = new QRadioButton(modes[mode], groupeFiltre);
        radio->setObjectName(nomControle(1014 + mode));
        modeFiltre_->addButton(radio, mode);
        dispositionFiltre->addWidget(radio);
        radios.append(radio);
    }
    dispositionFiltre->addLayout(ligneEtiquetee(QStringLiteral("&Filtre:"), filtre_));

    auto* groupeStockage = new QGroupBox(QStringLiteral("Informations à stocker (fichiers)"), this);
    auto* grilleStockage = new QGridLayout(groupeStockage);
    grilleStockage->addWidget(stockerCree_, 0, 0);
    grilleStockage->addWidget(stockerModifie_, 1, 0);
    grilleStockage->addWidget(stockerAccede_, 2, 0);
    grilleStockage->addWidget(stockerTaille_, 0, 1);
    grilleStockage->addWidget(stockerAttributs_, 1, 1);
    grilleStockage->setColumnStretch(0, 1);
    grilleStockage->setColumnStretch(1, 1);

    // The advanced criteria are edited in the search sheet's advanced form, on this
    // dialog's copy of them.
    QPushButton* avance = bouton(1070, QStringLiteral("Ava&ncé..."), this);
    avance->setEnabled(static_cast<bool>(editeurAvance_));
    connect(avance, &QPushButton::clicked, this, &CParametresDlg::editerAvance);
    QPushButton* annuler = bouton(2, QStringLiteral("Annuler"), this);
    QPushButton* ok = bouton(1, QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(avance);
    boutons->addStretch(1);
    boutons->addWidget(annuler);
    boutons->addWidget(ok);

    auto* disposition = new QVBoxLayout(this);
    disposition->addLayout(ligneDossier);
    disposition->addWidget(sousDossiers_);
    disposition->addWidget(dossiersVides_);
    disposition->addWidget(groupeFiltre);
    disposition->addWidget(groupeStockage);
    disposition->addSpacing(fontMetrics().height() / 2);
    disposition->addLayout(boutons);

    // The layouts moved the controls into their group boxes: the Tab key follows the
    // order of the window, top to bottom, whatever the parents.
    const QList<QWidget*> ordre = QList<QWidget*>{dossier_, parcourir_, sousDossiers_, dossiersVides_, caches_}
                                  + radios
                                  + QList<QWidget*>{filtre_, stockerCree_, stockerModifie_, stockerAccede_,
                                                    stockerTaille_, stockerAttributs_, avance, annuler, ok};
    for (qsizetype i = 1; i < ordre.size(); ++i)
        setTabOrder(ordre[i - 1], ordre[i]);

    remplir();
    fixerDialogue(*this, QSize(pixelsHorizontaux(*this, kLargeurUnites), 0));
}

QCheckBox* CParametresDlg::caseACocher(int id, const QString& texte)
{
    auto* c = new QCheckBox(texte, this);
    c->setObjectName(nomControle(id));
    return c;
}

void CParametresDlg::remplir()
{
    // A new query holds the values proposed for one, so both cases read the query.
    dossierConnu_ = {cheminQt(requete_.chemin()), requete_.chemin()};
    filtreConnu_ = {cheminQt(requete_.filtre), requete_.filtre};
    placerTexte(*dossier_, dossierConnu_.affiche);
    placerTexte(*filtre_, filtreConnu_.affiche);
    sousDossiers_->setChecked(requete_.inclureSousDossiers);
    dossiersVides_->setChecked(requete_.inclureDossiersVides);
    caches_->setChecked(requete_.inclureCaches);
    // A mode from a damaged catalogue checks no radio button rather than a wrong one.
    if (QAbstractButton* mode = modeFiltre_->button(requete_.modeFiltre))
        mode->setChecked(true);
    stockerCree_->setChecked(requete_.stockerCree);
    stockerModifie_->setChecked(requete_.stockerModifie);
    stockerAccede_->setChecked(requete_.stockerAccede);
    stockerTaille_->setChecked(requete_.stockerTaille);
    stockerAttributs_->setChecked(requete_.stockerAttributs);
}

void CParametresDlg::parcourir()
{
    if (const auto choix = choisirDossier(this, "Dossier à lister:")) {
        dossierConnu_ = {cheminQt(*choix), *choix};
        placerTexte(*dossier_, dossierConnu_.affiche);
    }
}

void CParametresDlg::editerAvance()
{
    // The sheet writes the copy only on its OK; this dialog's OK gives it to the query.
    if (editeurAvance_)
        editeurAvance_(criteres_, this);
}

std::string CParametresDlg::texteDe(const QLineEdit& champ, const STexteConnu& connu)
{
    return champ.text() == connu.affiche ? connu.octets : cheminCatalogue(champ.text());
}

void CParametresDlg::accept()
{
    if (dossier_->text().isEmpty()) {
        afficherMessage(this, "Entrez un texte", EBoutons::Ok, EIcone::Exclamation);
        dossier_->setFocus();
        return;
    }
    requete_.definirChemin(texteDe(*dossier_, dossierConnu_));
    requete_.filtre = texteDe(*filtre_, filtreConnu_);
    requete_.inclureSousDossiers = sousDossiers_->isChecked();
    requete_.inclureDossiersVides = dossiersVides_->isChecked();
    requete_.inclureCaches = caches_->isChecked();
    if (modeFiltre_->checkedId() >= 0)
        requete_.modeFiltre = modeFiltre_->checkedId();
    requete_.stockerCree = stockerCree_->isChecked();
    requete_.stockerModifie = stockerModifie_->isChecked();
    requete_.stockerAccede = stockerAccede_->isChecked();
    requete_.stockerTaille = stockerTaille_->isChecked();
    requete_.stockerAttributs = stockerAttributs_->isChecked();
    requete_.criteres = criteres_;
    QDialog::accept();
}
