#pragma once
// A one-line label for a text that may be longer than its place (a legend naming a
// query): shortened in its middle to the width the label gets, the whole text then in
// its tooltip. It asks for no width of its own, so a long name never widens its window.
// Plain text: a name is never markup.

#include <QLabel>
#include <QString>

class CEtiquetteAbregee : public QLabel {
public:
    explicit CEtiquetteAbregee(QWidget* parent);

    void definirTexte(const QString& texte);
    const QString& texteEntier() const { return texte_; }

protected:
    void resizeEvent(QResizeEvent* evenement) override;

private:
    void abreger();

    QString texte_;
};
