// The five settings: defaults, the dialog, and what the view does with them.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QTimer>

#include "goview/controls/gbutton.h"
#include "goview/dialogs/settings_dialog.h"
#include "goview/view/match_panel.h"
#include "tests/goview/view_fixture.h"

namespace goview::testing {
namespace {

// Answers the next modal settings dialog with `answer` once it runs, after `change` edited it.
void AnswerNextSettingsDialog(std::function<void(SettingsDialog&)> change, bool accept) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, change, accept] {
        auto* dialog = qobject_cast<SettingsDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        poll->stop();
        poll->deleteLater();
        change(*dialog);
        if (accept) {
            dialog->accept();
        } else {
            dialog->reject();
        }
    });
    poll->start(5);
}

QString StoreContents() {
    QFile file(hall::SettingsStoreFile());
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

using Settings = ViewTest;

TEST_F(Settings, EmptyStoreGivesTheDefaults) {
    EXPECT_EQ(ReadViewSettings(), (ViewSettings{1, 1, 1, 0, 0}));
    SettingsDialog dialog(PluginResources());
    EXPECT_TRUE(FindControl<QCheckBox>(&dialog, 1039)->isChecked());
    EXPECT_TRUE(FindControl<QCheckBox>(&dialog, 1044)->isChecked());
    EXPECT_TRUE(FindControl<QCheckBox>(&dialog, 1046)->isChecked());
    EXPECT_FALSE(FindControl<QCheckBox>(&dialog, 1045)->isChecked());
    EXPECT_EQ(FindControl<QComboBox>(&dialog, 1077)->currentText(), QStringLiteral("柏木"));
    EXPECT_EQ(FindControl<QComboBox>(&dialog, 1077)->count(), 7);
}

TEST_F(Settings, SoundSevenShowsCheckedAndIsWrittenBackAsOne) {
    hall::RegWriteKeyInt("Go", nullptr, "IsSound", 7);
    CGameView& v = MakeView();
    EXPECT_EQ(v.Settings().isSound, 7u) << "the view keeps what it read";
    AnswerNextSettingsDialog([](SettingsDialog& d) { EXPECT_TRUE(FindControl<QCheckBox>(&d, 1039)->isChecked()); },
                             true);
    EXPECT_EQ(v.ShowSettings(), 1);
    uint32_t stored = 0;
    ASSERT_EQ(hall::RegReadKeyInt("Go", nullptr, "IsSound", &stored), 1);
    EXPECT_EQ(stored, 1u);
    EXPECT_EQ(v.Settings().isSound, 1u);
}

TEST_F(Settings, CancelWritesNothing) {
    hall::RegWriteKeyInt("Go", nullptr, "SaveInfo", 0);
    CGameView& v = MakeView();
    const QString before = StoreContents();
    AnswerNextSettingsDialog(
        [](SettingsDialog& d) {
            for (int id : {1039, 1044, 1046, 1045}) FindControl<QCheckBox>(&d, id)->toggle();
            FindControl<QComboBox>(&d, 1077)->setCurrentIndex(4);
        },
        false);
    EXPECT_EQ(v.ShowSettings(), 1);
    EXPECT_EQ(StoreContents(), before);
    EXPECT_EQ(v.Settings(), (ViewSettings{1, 1, 1, 0, 0}));
}

TEST_F(Settings, ChoosingTheLastWoodStoresSixAndDrawsPicture366) {
    CGameView& v = MakeView();
    AnswerNextSettingsDialog([](SettingsDialog& d) { FindControl<QComboBox>(&d, 1077)->setCurrentIndex(6); }, true);
    v.ShowSettings();
    uint32_t stored = 0;
    ASSERT_EQ(hall::RegReadKeyInt("Go", nullptr, "BoardBack", &stored), 1);
    EXPECT_EQ(stored, 6u);
    EXPECT_EQ(v.Pictures().wood.image(), PluginResources()->LoadPicture(366));
}

TEST_F(Settings, StoredWoodSixIsDrawnAndAWoodOutsideTheListFallsBack) {
    hall::RegWriteKeyInt("Go", nullptr, "BoardBack", 6);
    {
        CGameView& v = MakeView();
        EXPECT_EQ(v.Pictures().wood.image(), PluginResources()->LoadPicture(366));
    }
    hall::RegWriteKeyInt("Go", nullptr, "BoardBack", 40);
    EXPECT_EQ(ReadViewSettings().boardBack, 0u);
}

TEST_F(Settings, TurningNumbersBackOnInTheDialogRestoresTheToggle) {
    CGameView& v = MakeView();
    v.OnCommand(control::kMoveNumbers);  // numbers off: the toggle now offers to show them
    AnswerNextSettingsDialog([](SettingsDialog& d) { FindControl<QCheckBox>(&d, 1044)->setChecked(true); }, true);
    v.ShowSettings();
    auto* toggle = FindControl<GButton>(&v, control::kMoveNumbers);
    EXPECT_TRUE(v.ShowMoveNumbers());
    EXPECT_EQ(toggle->ImageFor(GButton::kNormal), 370);
    EXPECT_EQ(toggle->ToolTipText(), QStringLiteral("隐藏手数"));
    EXPECT_TRUE(FindControl<QWidget>(&v, control::kHideNumbers)->isVisible());
}

}  // namespace
}  // namespace goview::testing
