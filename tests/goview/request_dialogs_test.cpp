// The two small dialogs of the negotiations: the request question that answers no by itself
// after ten seconds, and the referee's verdict.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QSignalSpy>

#include "goview/controls/control_id.h"
#include "goview/controls/flat_radio_button.h"
#include "goview/controls/gbutton.h"
#include "goview/controls/transparent_static.h"
#include "goview/dialogs/confirm_countdown_dialog.h"
#include "goview/dialogs/referee_dialog.h"
#include "goview/plugin_resources.h"

namespace goview::testing {
namespace {

TEST(ConfirmCountdownDialog, CountsDownFromTheFirstTickAndCancelsHavingShownZero) {
    ConfirmCountdownDialog dialog(PluginResources(), QStringLiteral("对方要求悔棋，您同意吗？"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("请求"));
    EXPECT_EQ(ControlId(&dialog), 349);
    auto* question = FindControl<CTransparentStatic>(&dialog, 1042);
    auto* seconds = FindControl<CTransparentStatic>(&dialog, 1075);
    ASSERT_TRUE(question && seconds);
    EXPECT_EQ(question->text(), QStringLiteral("对方要求悔棋，您同意吗？"));
    EXPECT_TRUE(seconds->text().isEmpty()) << "nothing before the first tick";
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.Tick();
    EXPECT_EQ(seconds->text(), QStringLiteral("9"));
    for (int i = 0; i < 8; ++i) dialog.Tick();
    EXPECT_EQ(seconds->text(), QStringLiteral("1"));
    EXPECT_EQ(finished.count(), 0);
    dialog.Tick();
    EXPECT_EQ(seconds->text(), QStringLiteral("0"));
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.takeFirst().at(0).toInt(), QDialog::Rejected);
}

TEST(ConfirmCountdownDialog, OkAgreesAndCancelRefuses) {
    for (const int id : {1, 2}) {
        ConfirmCountdownDialog dialog(PluginResources(), QStringLiteral("您真的要求和吗？"));
        auto* button = FindControl<GButton>(&dialog, id);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->ImageFor(GButton::kNormal), id == 1 ? 347 : 336);
        QSignalSpy finished(&dialog, &QDialog::finished);
        button->click();
        ASSERT_EQ(finished.count(), 1);
        EXPECT_EQ(finished.takeFirst().at(0).toInt(), id == 1 ? QDialog::Accepted : QDialog::Rejected);
    }
}

TEST(RefereeDialog, DrawIsPreselectedAndOkReadsTheChoicesInOrder) {
    RefereeDialog dialog(PluginResources());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("裁判"));
    EXPECT_EQ(ControlId(&dialog), 168);
    auto* black = FindControl<FlatRadioButton>(&dialog, 1038);
    auto* white = FindControl<FlatRadioButton>(&dialog, 1039);
    auto* draw = FindControl<FlatRadioButton>(&dialog, 1040);
    ASSERT_TRUE(black && white && draw);
    EXPECT_EQ(black->text(), QStringLiteral("黑棋胜"));
    EXPECT_EQ(draw->GetCheck(), 1);
    FindControl<QAbstractButton>(&dialog, 1)->click();
    EXPECT_EQ(dialog.Verdict(), RefereeDialog::kDraw) << "OK at once";

    RefereeDialog chosen(PluginResources());
    FindControl<FlatRadioButton>(&chosen, 1038)->click();
    EXPECT_EQ(FindControl<FlatRadioButton>(&chosen, 1040)->GetCheck(), 0) << "one group";
    FindControl<QAbstractButton>(&chosen, 1)->click();
    EXPECT_EQ(chosen.Verdict(), RefereeDialog::kBlackWins);

    RefereeDialog cancelled(PluginResources());
    FindControl<FlatRadioButton>(&cancelled, 1039)->click();
    FindControl<QAbstractButton>(&cancelled, 2)->click();
    EXPECT_EQ(cancelled.Verdict(), RefereeDialog::kDraw) << "Cancel changes nothing";
}

}  // namespace
}  // namespace goview::testing
