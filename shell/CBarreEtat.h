#pragma once
// The status bar: the message pane ("Prêt" when idle, a command's prompt while its
// menu item or button is under the pointer, how many files the last search found or
// what the last comparison found, until a prompt replaces it or what it counted goes), then the caps-lock "MAJ" and num-lock "NUM" indicators, shown
// while the key is on, and hidden where the keys' state cannot be read.

#include <cstddef>

#include <QStatusBar>

class QLabel;
struct SDecompteComparaison;

class CBarreEtat : public QStatusBar {
    Q_OBJECT
public:
    // What an announcement tells of: it goes when that is no longer true.
    enum class ESujet { Recherche, RechercheRapide, Comparaison, Travail };

    explicit CBarreEtat(QWidget* parent);

    // What the message pane shows now.
    QString texteMessage() const;
    QString texteMajuscules() const;
    QString texteNumerique() const;
    // False where the lock keys' state cannot be read: both indicators are hidden.
    bool verrousAffiches() const;
    void actualiserVerrous();

    // "Aucun fichier trouvé", "1 fichier trouvé", "1 234 fichiers trouvés" (the
    // thousands apart by a no-break space).
    static QString texteFichiersTrouves(std::size_t nombre);
    // Shows it in the message pane, as the count of the search or of the quick search.
    void annoncerFichiersTrouves(std::size_t nombre, ESujet sujet = ESujet::Recherche);

    // "12 seulement dans « A », 3 seulement dans « B », 4 512 dans les deux", the
    // counts grouped as above, `premiere` and `seconde` the names of the queries.
    static QString texteComparaison(const SDecompteComparaison& decompte, const QString& premiere,
                                    const QString& seconde);
    void annoncerComparaison(const SDecompteComparaison& decompte, const QString& premiere, const QString& seconde);

    // While a capture job runs: why the document titled `titre` takes no command.
    static QString texteTravail(const QString& titre);
    void annoncerTravail(const QString& titre);
    // The same while a print job runs.
    static QString texteImpression(const QString& titre);
    void annoncerImpression(const QString& titre);

    // Back to "Prêt" if the message pane still shows the announcement of `sujet`.
    void oublier(ESujet sujet);

private:
    void annoncer(ESujet sujet, const QString& texte);

    ESujet sujet_ = ESujet::Recherche;
    QString annonce_;
    QLabel* pret_;
    QLabel* majuscules_;
    QLabel* numerique_;
};
