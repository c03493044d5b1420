#pragma once
// Around the making of the Qt application: when no platform can start (a display that
// does not answer, a platform plugin missing), Qt writes English lines and aborts. Under
// this guard its messages are held back; the fatal one becomes our French message and
// the exit code of a start without display. Once the application is made, what was held
// goes out as before, or is dropped (Qt's notes on the offscreen platform that a print
// without display runs on concern nobody).

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <string>
#include <vector>

struct SGardeDemarrage {
    // The whole line written on the standard error if Qt gives up.
    std::string siEchec;
    // Whether the messages held go out once the application is made.
    bool relacher = true;
    // When given (the program's own arguments, its name first): instead of giving up,
    // the program starts again with them on the offscreen platform. A print needs no
    // screen, only a display that works when it is there to show its messages.
    std::vector<std::string> relanceHorsEcran;
};

class CGardeDemarrageQt {
public:
    explicit CGardeDemarrageQt(SGardeDemarrage garde);
    ~CGardeDemarrageQt();
    CGardeDemarrageQt(const CGardeDemarrageQt&) = delete;
    CGardeDemarrageQt& operator=(const CGardeDemarrageQt&) = delete;

private:
    struct SMessage {
        QtMsgType type;
        QByteArray categorie;
        QString texte;
    };
    static void recevoir(QtMsgType type, const QMessageLogContext& contexte, const QString& texte);
    [[noreturn]] void abandonner();

    SGardeDemarrage garde_;
    std::vector<SMessage> retenus_;
    QtMessageHandler precedent_;
};
