#pragma once
// The span of an operation that still runs on the interface thread and may open a
// modal question (opening an item asks for its disk): it is shown to the user, and no
// command runs meanwhile. Always on the stack, around the call into the catalogue.
// enCours() and occupe() are the questions the commands, the closing windows and the
// dropped or handed files ask.

#include <vector>

class CDoc;
class QWidget;

// What shows the long operations to the user (the progress window): told when the
// first one starts and when the last one ends.
class CAnnonceTravailLong {
public:
    virtual void commencer(QWidget* fenetre) = 0;
    virtual void terminer() = 0;

protected:
    ~CAnnonceTravailLong() = default;
};

class CTravailLong {
public:
    CTravailLong(CAnnonceTravailLong& annonce, QWidget* fenetre);
    ~CTravailLong();
    CTravailLong(const CTravailLong&) = delete;
    CTravailLong& operator=(const CTravailLong&) = delete;

    // True while some long operation runs.
    static bool enCours() { return profondeur_ > 0; }

    // The documents a job works on (a capture, a search, a comparison, a print, off
    // the interface thread): the
    // commands of their windows are disabled and they do not close until it ends. A
    // document may be held by several jobs.
    static void occuper(const CDoc* document) { occupes_.push_back(document); }
    static void liberer(const CDoc* document);
    static bool occupe(const CDoc* document);
    static bool travauxEnCours() { return !occupes_.empty(); }
    // How often work put off until the operation ends looks again (milliseconds).
    static constexpr int kAttente = 50;

private:
    CAnnonceTravailLong& annonce_;
    static int profondeur_;
    static std::vector<const CDoc*> occupes_;
};
