#pragma once
// A page of the search sheet (CRechercheSheet). Each page keeps its own copy of the
// fields it shows: loaded from the record when the sheet opens, read back from the
// controls when the page is left (another tab, or OK), written into the record on OK.
// A page never shown keeps what it loaded, so its fields go back to the record
// unchanged.

#include <QString>
#include <QWidget>

class CCriteres;
class QAbstractButton;
class QLineEdit;

class CPageRecherche : public QWidget {
    Q_OBJECT
public:
    // `idDialogue`: the number of the page's dialog template (103, 105...), which
    // names the page ("page103") for the tests.
    CPageRecherche(int idDialogue, const QString& titre, QWidget* parent = nullptr);

    // The text of the page's tab.
    QString titre() const { return titre_; }

    // Fills the page's copy and its controls from the record.
    virtual void charger(const CCriteres& criteres) = 0;
    // Reads the controls into the page's copy. A refused value is told to the user,
    // the focus goes to its field, and the answer is false: the page stays in front.
    virtual bool lire() = 0;
    // Writes the page's copy into the record.
    virtual void ecrire(CCriteres& criteres) const = 0;

    // The control numbered `id` on this page (each page numbers its own controls: two
    // pages may use the same number), or none.
    template <class T = QWidget>
    T* controle(int id) const
    {
        return findChild<T*>(nomControle(id));
    }
    static QString nomControle(int id);

protected:
    // `w` named after its number, returned for chaining.
    template <class T>
    static T* nommer(T* w, int id)
    {
        w->setObjectName(nomControle(id));
        return w;
    }
    // A label that wraps at the page's width (the explanations of the Date and
    // Attributs pages).
    QWidget* explication(const QString& texte);
    // An edit field that takes digits only, right-aligned, at most `chiffres` of them,
    // as wide as that many digits.
    QLineEdit* champChiffres(int id, int chiffres);
    // Puts the focus on a refused field, its text selected for retyping.
    static void designer(QLineEdit& champ);

private:
    QString titre_;
};
