#include "shell/Lancement.h"

#include <QApplication>
#include <QByteArray>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "shell/CApp.h"
#include "shell/CInstanceUnique.h"
#include "shell/CMainFrame.h"
#include "shell/LigneCommande.h"
#include "ui/TraductionsComplementaires.h"

bool localeDuBureauAbsente(const QByteArray& lcAll, const QByteArray& lcMessages, const QByteArray& lang)
{
    const QByteArray& valeur = !lcAll.isEmpty() ? lcAll : !lcMessages.isEmpty() ? lcMessages : lang;
    const QByteArray langue = valeur.split('.').constFirst();
    return langue.isEmpty() || langue == "C" || langue == "POSIX";
}

bool installerTraductionQt(QApplication& application)
{
    if (localeDuBureauAbsente(qgetenv("LC_ALL"), qgetenv("LC_MESSAGES"), qgetenv("LANG")))
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    application.installTranslator(new CTraductionsComplementaires(&application));
    auto* traduction = new QTranslator(&application);
    if (!traduction->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traduction;
        return false;
    }
    application.installTranslator(traduction);
    return true;
}

int executerNorvanel(QApplication& application)
{
    QApplication::setOrganizationName(QStringLiteral("VESKA"));
    QApplication::setApplicationName(QStringLiteral("Norvanel"));
    QApplication::setApplicationVersion(QStringLiteral("2.00"));
    QGuiApplication::setDesktopFileName(QStringLiteral("norvanel"));
    installerTraductionQt(application);

    QStringList arguments = application.arguments();
    arguments.removeFirst();
    const SLigneCommande ligne = analyserLigneCommande(arguments);

    // A program already running takes the files (or just comes forward).
    const bool fenetre = ligne.action == SLigneCommande::EAction::Nouveau ||
                         ligne.action == SLigneCommande::EAction::Ouvrir;
    const QString serveur = CInstanceUnique::nomParDefaut();
    if (fenetre && CInstanceUnique::transmettre(serveur, ligne.fichiers))
        return 0;

    CApp app({fenetre, serveur});
    if (!app.demarrer(ligne))
        return app.codeSortie();
    QObject::connect(&app.cadre(), &CMainFrame::ferme, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QApplication::setQuitOnLastWindowClosed(false);
    return application.exec();
}
