#include "shell/CGardeDemarrageQt.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "shell/ChoixAffichage.h"

namespace {

// Qt's message handler is a plain function: it finds the guard here, only while one lives.
CGardeDemarrageQt* gardeActive = nullptr;

} // namespace

CGardeDemarrageQt::CGardeDemarrageQt(SGardeDemarrage garde) : garde_(std::move(garde))
{
    gardeActive = this;
    precedent_ = qInstallMessageHandler(&CGardeDemarrageQt::recevoir);
}

CGardeDemarrageQt::~CGardeDemarrageQt()
{
    qInstallMessageHandler(precedent_);
    gardeActive = nullptr;
    if (!garde_.relacher)
        return;
    for (const SMessage& m : retenus_) {
        const QMessageLogContext contexte(nullptr, 0, nullptr, m.categorie.constData());
        qt_message_output(m.type, contexte, m.texte);
    }
}

void CGardeDemarrageQt::recevoir(QtMsgType type, const QMessageLogContext& contexte, const QString& texte)
{
    if (type == QtFatalMsg)
        gardeActive->abandonner();
    gardeActive->retenus_.push_back({type, QByteArray(contexte.category), texte});
}

void CGardeDemarrageQt::abandonner()
{
    // Qt would abort right after: nothing is open yet, nothing is lost.
    if (!garde_.relanceHorsEcran.empty()) {
        std::vector<char*> arguments;
        for (std::string& a : garde_.relanceHorsEcran)
            arguments.push_back(a.data());
        arguments.push_back(nullptr);
        // The platform named in the environment: the new start tries no display again.
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        execv("/proc/self/exe", arguments.data());
    }
    std::fputs(garde_.siEchec.c_str(), stderr);
    std::fflush(stderr);
    std::_Exit(kCodeSansAffichage);
}
