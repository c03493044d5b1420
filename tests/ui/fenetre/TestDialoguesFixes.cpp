// The dialogs whose contents never change size: a close button only, a frame that does
// not resize, and room for their whole title.

#include <functional>
#include <memory>

#include <QFontMetrics>
#include <QIcon>

#include "dialogs/CAProposDlg.h"
#include "dialogs/CDialogueProgression.h"
#include "dialogs/CParametresDlg.h"
#include "dialogs/CProprietesDlg.h"
#include "model/CClasseur.h"
#include "model/CRequete.h"
#include "model/CUtilisateur.h"
#include "tests/ui/fenetre/AvecNorvanel.h"

namespace {

using DialoguesFixes = AvecNorvanel;

TEST_F(DialoguesFixes, FermetureSeuleTailleFixeTitreEntier)
{
    CRequete* q = ajouterClasseur("Disques", {"cd"})->requetes().elementA(0);
    SProprietes proprietes;
    proprietes.titre = "Propriétés de « un classeur au nom très long, bien plus large que la boîte »";
    const std::function<std::unique_ptr<QDialog>()> fabriques[] = {
        [&] { return std::make_unique<CProprietesDlg>(proprietes, nullptr); },
        [&] { return std::make_unique<CParametresDlg>(*q, false, nullptr); },
        [&] { return std::make_unique<CParametresDlg>(*q, true, nullptr); },
        [&] { return std::make_unique<CAProposDlg>(QIcon(), nullptr); },
        [&] { return std::make_unique<CDialogueProgression>(QStringLiteral("cd"), nullptr); },
    };
    for (const auto& fabrique : fabriques) {
        const std::unique_ptr<QDialog> d = fabrique();
        SCOPED_TRACE(d->windowTitle().toStdString());
        const Qt::WindowFlags drapeaux = d->windowFlags();
        EXPECT_EQ(drapeaux & Qt::WindowType_Mask, Qt::Dialog);
        EXPECT_TRUE(drapeaux.testFlag(Qt::WindowTitleHint));
        EXPECT_TRUE(drapeaux.testFlag(Qt::WindowCloseButtonHint));
        EXPECT_TRUE(drapeaux.testFlag(Qt::MSWindowsFixedSizeDialogHint));
        EXPECT_FALSE(drapeaux.testFlag(Qt::WindowMinimizeButtonHint));
        EXPECT_FALSE(drapeaux.testFlag(Qt::WindowMaximizeButtonHint));
        EXPECT_FALSE(drapeaux.testFlag(Qt::WindowContextHelpButtonHint));
        EXPECT_EQ(d->minimumSize(), d->maximumSize());
        EXPECT_GE(d->minimumWidth(), d->sizeHint().width());
        EXPECT_GT(d->minimumWidth(), d->fontMetrics().horizontalAdvance(d->windowTitle()));
    }
}

} // namespace
