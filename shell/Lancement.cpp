#include "shell/Lancement.h"

#include <cstdio>
#include <memory>

#include <QApplication>
#include <QByteArray>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/TexteAffichable.h"
#include "platform/Version.h"
#include "shell/CApp.h"
#include "shell/CApplicationNorvanel.h"
#include "shell/CGardeDemarrageQt.h"
#include "shell/ChoixAffichage.h"
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

namespace {

// `texte` on `flux`; false when it could not all go out (a full disk, a closed pipe).
bool ecrire(std::FILE* flux, const QString& texte)
{
    const QByteArray octets = texte.toLocal8Bit();
    return std::fwrite(octets.constData(), 1, static_cast<std::size_t>(octets.size()), flux) ==
               static_cast<std::size_t>(octets.size()) &&
           std::fflush(flux) == 0;
}

// --help and --version: the text on the standard output, or why it could not go there.
int afficher(const QString& texte)
{
    if (ecrire(stdout, texte))
        return 0;
    std::fputs("norvanel : la sortie standard n'a pas pu être écrite\n", stderr);
    return 2;
}

// Everything after QApplication's creation.
int executerNorvanel(QApplication& application, const SLigneCommande& ligne)
{
    QApplication::setOrganizationName(QStringLiteral("VESKA"));
    QApplication::setApplicationName(QStringLiteral("Norvanel"));
    QApplication::setApplicationVersion(QString::fromUtf8(kVersionNorvanel));
    QGuiApplication::setDesktopFileName(QStringLiteral("norvanel"));
    installerTraductionQt(application);

    // A program already running takes the files (or just comes forward).
    const bool fenetre = ligne.action == SLigneCommande::EAction::Nouveau ||
                         ligne.action == SLigneCommande::EAction::Ouvrir;
    const QString serveur = CInstanceUnique::nomParDefaut();
    if (fenetre && CInstanceUnique::transmettre(serveur, ligne.fichiers))
        return 0;

    // Printing on a platform without a screen: a message box there would wait for an
    // answer nobody can give.
    const bool console = ligne.action == SLigneCommande::EAction::Imprimer &&
                         plateformeSansEcran(QGuiApplication::platformName());
    CApp app({fenetre, serveur, console});
    if (!app.demarrer(ligne))
        return app.codeSortie();
    QObject::connect(&app.cadre(), &CMainFrame::ferme, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QApplication::setQuitOnLastWindowClosed(false);
    return application.exec();
}

} // namespace

int lancerNorvanel(int& argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const SLigneCommande ligne = analyserLigneCommande(arguments);
    switch (ligne.action) {
    case SLigneCommande::EAction::Aide:
        return afficher(texteAide());
    case SLigneCommande::EAction::Version:
        return afficher(texteVersion());
    case SLigneCommande::EAction::Erreur:
        ecrire(stderr, QStringLiteral("norvanel : %1\n%2« norvanel --help » décrit les options.\n")
                           .arg(QString::fromStdString(texteAffichable(ligne.message.toStdString(),
                                                                       EEchappement::Message)),
                                texteUsage()));
        return 1;
    case SLigneCommande::EAction::Nouveau:
    case SLigneCommande::EAction::Ouvrir:
    case SLigneCommande::EAction::Imprimer:
        break;
    }

    SGardeDemarrage garde;
    // A print speaks through its own messages only.
    garde.relacher = ligne.action != SLigneCommande::EAction::Imprimer;
    switch (choisirAffichage(ligne, lireEnvironnementAffichage())) {
    case EAffichage::Aucun:
        std::fputs(texteSansAffichage().c_str(), stderr);
        return kCodeSansAffichage;
    case EAffichage::HorsEcran:
        // For this run only: the variable is read when the application is made.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        break;
    case EAffichage::OrdinaireSinonHorsEcran:
        garde.relanceHorsEcran.assign(argv, argv + argc);
        break;
    case EAffichage::Ordinaire:
        break;
    }
    garde.siEchec = texteAffichageInjoignable(ligne, lireEnvironnementAffichage());
    auto gardien = std::make_unique<CGardeDemarrageQt>(std::move(garde));
    CApplicationNorvanel application(argc, argv);
    gardien.reset();
    return executerNorvanel(application, ligne);
}
