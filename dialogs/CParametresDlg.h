#pragma once
// The parameters a query captures its snapshot with: the folder to list, the
// sub-folder, empty-folder and hidden switches, the include or exclude filter, the
// values stored for each file and, behind "Ava&ncé...", its advanced criteria. The
// controls and a copy of the advanced criteria are the working copy: the query
// changes only on OK.

#include <functional>
#include <string>

#include "model/CCriteres.h"

#include <QDialog>
#include <QString>

class CRequete;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;

class CParametresDlg : public QDialog {
    Q_OBJECT
public:
    // Edits advanced criteria over a parent window; true on OK, the record then
    // holding the new values. The window program gives the search sheet's advanced
    // form (search/ui/, which this folder may not include).
    using EditeurCriteres = std::function<bool(CCriteres& criteres, QWidget* parent)>;

    // `creation`: the query is a new one, not yet in its binder. Without `avance`
    // the "Ava&ncé..." button is disabled.
    CParametresDlg(CRequete& requete, bool creation, QWidget* parent, EditeurCriteres avance = {});

    // Each control is also named after its number ("c1010"...) for the tests.
    QLineEdit* champDossier() const { return dossier_; }
    QLineEdit* champFiltre() const { return filtre_; }
    // The advanced criteria OK will give the query.
    const CCriteres& criteresAvances() const { return criteres_; }

    // OK: refuses an empty folder, otherwise writes the controls into the query.
    void accept() override;

private:
    void parcourir();
    void editerAvance();
    void remplir();
    QCheckBox* caseACocher(int id, const QString& texte);

    // The bytes behind the text a field was given (the query's, or the browser's): a
    // name with bytes that are not UTF-8 does not survive the trip through a QString,
    // so an untouched field gives back these bytes.
    struct STexteConnu {
        QString affiche;
        std::string octets;
    };
    static std::string texteDe(const QLineEdit& champ, const STexteConnu& connu);

    CRequete& requete_;
    EditeurCriteres editeurAvance_;
    CCriteres criteres_;
    STexteConnu dossierConnu_;
    STexteConnu filtreConnu_;
    QLineEdit* dossier_;
    QLineEdit* filtre_;
    QPushButton* parcourir_;
    QCheckBox* sousDossiers_;
    QCheckBox* dossiersVides_;
    QCheckBox* caches_;
    QButtonGroup* modeFiltre_;
    QCheckBox* stockerCree_;
    QCheckBox* stockerModifie_;
    QCheckBox* stockerAccede_;
    QCheckBox* stockerTaille_;
    QCheckBox* stockerAttributs_;
};
