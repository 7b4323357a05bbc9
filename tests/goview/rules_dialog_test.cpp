// The rules dialog on its own: what its lists offer, how a record is shown and read back, the
// three ways out, and the countdown that cancels for a player who does not answer.

#include "goview/dialogs/rules_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QTest>
#include <functional>
#include <vector>

#include "goview/controls/control_id.h"
#include "goview/controls/flat_radio_button.h"
#include "goview/controls/gbutton.h"
#include "goview/controls/transparent_group_box.h"
#include "goview/controls/transparent_static.h"
#include "goview/plugin_resources.h"

namespace goview::testing {
namespace {

// The dialog's owner: keeps every result it is sent, and whether the dialog was still on screen.
class ResultOwner : public QWidget {
public:
    std::vector<RulesDialogChoice> choices;
    std::vector<bool> dialogVisible;
    const QWidget* dialog = nullptr;
    std::function<void(RulesDialogChoice)> onResult;

protected:
    bool event(QEvent* event) override {
        if (event->type() != kRulesDialogResultEvent) return QWidget::event(event);
        const RulesDialogChoice choice = static_cast<RulesDialogResultEvent*>(event)->Choice();
        choices.push_back(choice);
        dialogVisible.push_back(dialog != nullptr && dialog->isVisible());
        if (onResult) onResult(choice);
        return true;
    }
};

QStringList Items(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
}

class RulesDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner.resize(640, 480);
        dialog = new RulesDialog(PluginResources(), &owner);
        owner.dialog = dialog;
    }

    QComboBox* List(int id) { return FindControl<QComboBox>(dialog, id); }
    FlatRadioButton* Radio(int id) { return FindControl<FlatRadioButton>(dialog, id); }
    GButton* Button(int id) { return FindControl<GButton>(dialog, id); }

    // Loads `rules` as the view does before showing the dialog.
    void Load(const go::GameRules& rules, RulesEditing editing = RulesEditing::Editable,
              CounterProposal counter = CounterProposal::NotAllowed) {
        dialog->SetRecord(rules);
        dialog->SetEditable(editing);
        dialog->SetCounterProposalAllowed(counter);
        dialog->RefreshAndStart();
    }
    void Show() {
        dialog->ShowCentredOver(&owner);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    }
    // Loads fresh records that differ only in the field of list `id`, and checks the item it shows.
    // (The packed record's fields are set by name: a member pointer would store misaligned.)
    void ExpectShown(int id, const std::vector<std::pair<int, QString>>& cases) {
        for (const auto& [value, item] : cases) {
            go::GameRules rules;
            switch (id) {
                case 1014:
                    rules.handicap = value;
                    break;
                case 1017:
                    rules.komi = value;
                    break;
                case 1018:
                    rules.mainTime = value;
                    break;
                case 1019:
                    rules.byoyomiSeconds = value;
                    break;
                case 1020:
                    rules.byoyomiCount = value;
                    break;
                default:
                    FAIL() << "no list " << id;
            }
            Load(rules);
            EXPECT_EQ(List(id)->currentText(), item) << "list " << id << ", value " << value;
        }
    }
    // By value: gtest binds references, and the packed record's fields are misaligned.
    int RecordedUndo() const { return dialog->Record().undoAllowance; }
    std::vector<int> CheckedUndo() {
        std::vector<int> checked;
        for (int id : {1060, 1061, 1062, 1063}) checked.push_back(Radio(id)->GetCheck());
        return checked;
    }

    ResultOwner owner;
    RulesDialog* dialog = nullptr;  // owned by `owner`
};

// ---- The controls ----

TEST_F(RulesDialogTest, ListsOfferExactlyTheirItemsInOrder) {
    EXPECT_EQ(Items(List(1014)), QStringList({"分先", "让先", "让2子", "让3子", "让4子", "让5子", "让6子", "让7子",
                                              "让8子", "让9子", "让13子", "让25子"}));
    EXPECT_EQ(Items(List(1017)), QStringList({"不贴目", "贴5目半", "贴6目半", "贴7目半"}));
    EXPECT_EQ(Items(List(1018)),
              QStringList({"0分", "5分", "10分", "15分", "20分", "25分", "30分", "35分", "40分", "45分", "50分", "55分",
                           "1小时", "2小时", "3小时", "4小时", "5小时 ", "无限制"}))
        << "the five-hour item keeps its trailing blank";
    EXPECT_EQ(Items(List(1019)), QStringList({"10秒", "20秒", "30秒", "40秒", "50秒", "60秒"}));
    EXPECT_EQ(Items(List(1020)), QStringList({"1次", "3次", "5次"}));
    for (int id : {1014, 1017, 1018, 1019, 1020}) EXPECT_FALSE(List(id)->isEditable()) << id;
}

TEST_F(RulesDialogTest, CreatedHiddenWithItsControlsAndTheFreshRecordShown) {
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(ControlId(dialog), 167);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("规则设定"));
    EXPECT_EQ(dialog->Record(), go::GameRules{});

    const std::vector<std::pair<int, QString>> radios = {{1068, "黑方"}, {1069, "白方"}, {1060, "不许悔棋"},
                                                         {1061, "1次"},  {1062, "3次"},  {1063, "5次"}};
    for (const auto& [id, caption] : radios) {
        ASSERT_NE(Radio(id), nullptr) << id;
        EXPECT_EQ(Radio(id)->text(), caption) << id;
    }
    const std::vector<std::pair<int, QString>> labels = {
        {1064, "对局方式："}, {1072, "对局时间："}, {1073, "读秒："}, {1074, "次数"}};
    for (const auto& [id, caption] : labels) {
        ASSERT_NE(FindControl<CTransparentStatic>(dialog, id), nullptr) << id;
        EXPECT_EQ(FindControl<CTransparentStatic>(dialog, id)->text(), caption) << id;
    }
    const std::vector<std::pair<int, QString>> groups = {{1065, "选择让子数"}, {1066, "设定时间"}, {1067, "悔棋设定"}};
    for (const auto& [id, caption] : groups) {
        ASSERT_NE(FindControl<TransparentGroupBox>(dialog, id), nullptr) << id;
        EXPECT_EQ(FindControl<TransparentGroupBox>(dialog, id)->title(), caption) << id;
    }
    const std::vector<std::pair<int, std::array<int, 4>>> buttons = {
        {1, {347, 346, 344, 345}}, {2, {336, 338, 339, 337}}, {3, {340, 342, 343, 341}}};
    for (const auto& [id, pictures] : buttons) {
        ASSERT_NE(Button(id), nullptr) << id;
        for (int state = 1; state <= 4; ++state) EXPECT_EQ(Button(id)->ImageFor(state), pictures[state - 1]) << id;
    }
    EXPECT_FALSE(Button(3)->isEnabled()) << "re-apply is offered only to the receiver of a proposal";

    EXPECT_EQ(List(1014)->currentText(), QStringLiteral("分先"));
    EXPECT_EQ(List(1017)->currentText(), QStringLiteral("贴7目半"));
    EXPECT_EQ(List(1018)->currentText(), QStringLiteral("15分"));
    EXPECT_EQ(List(1019)->currentText(), QStringLiteral("30秒"));
    EXPECT_EQ(List(1020)->currentText(), QStringLiteral("3次"));
}

TEST_F(RulesDialogTest, SideAndUndoRadiosFormTwoSeparateGroups) {
    Load(go::GameRules{});
    Show();
    ASSERT_EQ(Radio(1062)->GetCheck(), 1);
    QTest::mouseClick(Radio(1069), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(Radio(1069)->GetCheck(), 1);
    EXPECT_EQ(Radio(1068)->GetCheck(), 0);
    EXPECT_EQ(CheckedUndo(), (std::vector<int>{0, 0, 1, 0})) << "picking a side leaves the undo choice";
    QTest::mouseClick(Radio(1060), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(CheckedUndo(), (std::vector<int>{1, 0, 0, 0}));
    EXPECT_EQ(Radio(1069)->GetCheck(), 1);
}

// ---- Loading a record into the controls ----

TEST_F(RulesDialogTest, EveryListedValueSelectsItsItem) {
    ExpectShown(1014,
                {{0, "分先"}, {1, "让先"}, {2, "让2子"}, {5, "让5子"}, {9, "让9子"}, {13, "让13子"}, {25, "让25子"}});
    ExpectShown(1017, {{0, "不贴目"}, {55, "贴5目半"}, {65, "贴6目半"}, {75, "贴7目半"}});
    ExpectShown(1019, {{10, "10秒"}, {20, "20秒"}, {30, "30秒"}, {40, "40秒"}, {50, "50秒"}, {60, "60秒"}});
    ExpectShown(1020, {{1, "1次"}, {3, "3次"}, {5, "5次"}});
    const std::vector<int> undos = {0, 1, 3, 5};
    for (size_t i = 0; i < undos.size(); ++i) {
        go::GameRules rules;
        rules.undoAllowance = undos[i];
        Load(rules);
        std::vector<int> expected(4, 0);
        expected[i] = 1;
        EXPECT_EQ(CheckedUndo(), expected) << undos[i];
    }
}

TEST_F(RulesDialogTest, MainTimeSteppedUpToAnHourThenWholeHoursElseNoLimit) {
    ExpectShown(1018, {{0, "0分"},
                       {299, "0分"},
                       {300, "5分"},
                       {1000, "15分"},
                       {3599, "55分"},
                       {3600, "1小时"},
                       {3601, "无限制"},
                       {5400, "无限制"},
                       {7200, "2小时"},
                       {10800, "3小时"},
                       {14400, "4小时"},
                       {18000, "5小时 "},
                       {18001, "无限制"},
                       {356400, "无限制"},
                       {INT32_MAX, "无限制"}});
}

TEST_F(RulesDialogTest, ValuesMatchingNoItemLeaveThePreviousSelection) {
    go::GameRules shown;
    shown.handicap = 4;
    shown.komi = 55;
    shown.mainTime = 1800;
    shown.byoyomiSeconds = 50;
    shown.byoyomiCount = 5;
    shown.undoAllowance = 1;
    Load(shown);

    go::GameRules odd;
    odd.handicap = 12;
    odd.komi = 70;
    odd.mainTime = -1;
    odd.byoyomiCount = 2;
    odd.undoAllowance = 2;
    for (int seconds : {0, 5, -10, 70, 99, INT32_MIN}) {
        odd.byoyomiSeconds = seconds;
        Load(odd);
        EXPECT_EQ(List(1019)->currentText(), QStringLiteral("50秒")) << seconds;
        EXPECT_GE(List(1019)->currentIndex(), 0) << "never an empty selection";
    }
    EXPECT_EQ(List(1014)->currentText(), QStringLiteral("让4子"));
    EXPECT_EQ(List(1017)->currentText(), QStringLiteral("贴5目半"));
    EXPECT_EQ(List(1018)->currentText(), QStringLiteral("30分"));
    EXPECT_EQ(List(1020)->currentText(), QStringLiteral("5次"));
    EXPECT_EQ(CheckedUndo(), (std::vector<int>{0, 1, 0, 0}));

    for (int handicap : {-1, 10, 11, 26}) {
        odd.handicap = handicap;
        Load(odd);
        EXPECT_EQ(List(1014)->currentText(), QStringLiteral("让4子")) << handicap;
    }
    // Within a ten-second step the odd seconds are dropped.
    odd.byoyomiSeconds = 15;
    Load(odd);
    EXPECT_EQ(List(1019)->currentText(), QStringLiteral("10秒"));
}

TEST_F(RulesDialogTest, SideZeroChecksBlackAnythingElseWhite) {
    go::GameRules rules;
    rules.side = 1;
    Load(rules);
    EXPECT_EQ(Radio(1069)->GetCheck(), 1);
    EXPECT_EQ(Radio(1068)->GetCheck(), 0);
    rules.side = 0;
    Load(rules);
    EXPECT_EQ(Radio(1068)->GetCheck(), 1);
    EXPECT_EQ(Radio(1069)->GetCheck(), 0);
    rules.side = 7;
    Load(rules);
    EXPECT_EQ(Radio(1069)->GetCheck(), 1);
    EXPECT_EQ(Radio(1068)->GetCheck(), 0);
}

TEST_F(RulesDialogTest, SettingTheRecordShowsNothingUntilRefreshed) {
    go::GameRules rules;
    rules.handicap = 9;
    rules.side = 1;
    dialog->SetRecord(rules);
    EXPECT_EQ(dialog->Record(), rules);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(List(1014)->currentText(), QStringLiteral("分先"));
    EXPECT_EQ(Radio(1068)->GetCheck(), 1);
    dialog->RefreshAndStart();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(List(1014)->currentText(), QStringLiteral("让9子"));
    EXPECT_EQ(Radio(1069)->GetCheck(), 1);
}

// ---- Editable and read-only ----

TEST_F(RulesDialogTest, ReadOnlyDisablesListsAndUndoButLeavesTheSideFreeAndReApplyFollowsItsSetting) {
    Load(go::GameRules{}, RulesEditing::ReadOnly);
    for (int id : {1014, 1017, 1018, 1019, 1020}) EXPECT_FALSE(List(id)->isEnabled()) << id;
    for (int id : {1060, 1061, 1062, 1063}) EXPECT_FALSE(Radio(id)->isEnabled()) << id;
    EXPECT_TRUE(Radio(1068)->isEnabled());
    EXPECT_TRUE(Radio(1069)->isEnabled());
    EXPECT_FALSE(Button(3)->isEnabled());

    Load(go::GameRules{}, RulesEditing::Editable, CounterProposal::Allowed);
    for (int id : {1014, 1017, 1018, 1019, 1020}) EXPECT_TRUE(List(id)->isEnabled()) << id;
    for (int id : {1060, 1061, 1062, 1063, 1068, 1069}) EXPECT_TRUE(Radio(id)->isEnabled()) << id;
    EXPECT_TRUE(Button(3)->isEnabled()) << "re-apply is offered exactly when counter-proposals are";
}

TEST_F(RulesDialogTest, OkWithFixedRulesReportsThemWithTheChosenSide) {
    go::GameRules fixed;
    fixed.handicap = 13;
    fixed.komi = 0;
    fixed.mainTime = 5400;  // shown as no limit, yet kept only until read back
    fixed.undoAllowance = 0;
    Load(fixed, RulesEditing::ReadOnly);
    Show();
    QTest::mouseClick(Radio(1069), Qt::LeftButton, {}, QPoint(5, 5));
    Button(1)->click();
    ASSERT_EQ(owner.choices, std::vector<RulesDialogChoice>{RulesDialogChoice::Ok});
    go::GameRules expected = fixed;
    expected.side = 1;
    expected.mainTime = 356400;  // the list's reading: what the player saw is what is agreed
    EXPECT_EQ(dialog->Record(), expected);
}

// ---- Reading the controls ----

TEST_F(RulesDialogTest, OkAndReApplyReportTheEditedRecordAfterHiding) {
    for (auto [button, choice] : {std::pair{1, RulesDialogChoice::Ok}, std::pair{3, RulesDialogChoice::ReApply}}) {
        owner.choices.clear();
        owner.dialogVisible.clear();
        Load(go::GameRules{}, RulesEditing::Editable, CounterProposal::Allowed);
        Show();
        List(1014)->setCurrentIndex(11);
        List(1017)->setCurrentIndex(1);
        List(1018)->setCurrentIndex(16);
        List(1019)->setCurrentIndex(5);
        List(1020)->setCurrentIndex(0);
        QTest::mouseClick(Radio(1069), Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(Radio(1063), Qt::LeftButton, {}, QPoint(5, 5));
        Button(button)->click();

        ASSERT_EQ(owner.choices, std::vector<RulesDialogChoice>{choice}) << button;
        EXPECT_EQ(owner.dialogVisible, std::vector<bool>{false}) << "hidden before the owner hears of it";
        go::GameRules expected;
        expected.handicap = 25;
        expected.komi = 55;
        expected.mainTime = 18000;
        expected.byoyomiSeconds = 60;
        expected.byoyomiCount = 1;
        expected.side = 1;
        expected.undoAllowance = 5;
        EXPECT_EQ(dialog->Record(), expected) << button;
    }
}

TEST_F(RulesDialogTest, EveryListedRecordComesBackUnchangedThroughOk) {
    const std::vector<int> handicaps = {0, 1, 2, 9, 13, 25};
    const std::vector<int> mainTimes = {0, 300, 3600, 7200, 18000, 356400};
    int round = 0;
    for (int handicap : handicaps) {
        for (int mainTime : mainTimes) {
            go::GameRules rules;
            rules.handicap = handicap;
            rules.mainTime = mainTime;
            rules.komi = std::array{0, 55, 65, 75}[round % 4];
            rules.byoyomiSeconds = 10 * (1 + round % 6);
            rules.byoyomiCount = std::array{1, 3, 5}[round % 3];
            rules.undoAllowance = std::array{0, 1, 3, 5}[(round / 4) % 4];
            rules.side = static_cast<uint8_t>(round % 2);
            rules.recordSize = 29 + round;  // nobody reads it, and nothing rewrites it
            ++round;
            Load(rules);
            dialog->accept();
            EXPECT_EQ(dialog->Record(), rules) << "handicap " << handicap << ", main time " << mainTime;
        }
    }
}

TEST_F(RulesDialogTest, UndoIsReadInOrderAndNoneCheckedKeepsTheOldValue) {
    go::GameRules rules;
    rules.undoAllowance = 3;
    Load(rules);
    // Two checks at once cannot come from the player; the later radio decides.
    Radio(1061)->SetCheck(1);
    dialog->accept();
    EXPECT_EQ(RecordedUndo(), 3);
    Radio(1063)->SetCheck(1);
    dialog->accept();
    EXPECT_EQ(RecordedUndo(), 5);

    rules.undoAllowance = 4;  // matches no radio, so the checks are left as they were
    Load(rules);
    for (int id : {1060, 1061, 1062, 1063}) Radio(id)->SetCheck(0);
    dialog->accept();
    EXPECT_EQ(RecordedUndo(), 4);
}

// ---- Cancel ----

TEST_F(RulesDialogTest, CancelButtonEscapeAndClosingAllReportCancelAndKeepTheRecord) {
    go::GameRules rules;
    rules.handicap = 3;
    const std::vector<std::function<void()>> ways = {
        [this] { Button(2)->click(); },
        [this] { QTest::keyClick(dialog, Qt::Key_Escape); },
        [this] { dialog->close(); },
    };
    for (size_t way = 0; way < ways.size(); ++way) {
        owner.choices.clear();
        owner.dialogVisible.clear();
        Load(rules);
        Show();
        List(1014)->setCurrentIndex(7);
        ways[way]();
        EXPECT_EQ(owner.choices, std::vector<RulesDialogChoice>{RulesDialogChoice::Cancel}) << way;
        EXPECT_EQ(owner.dialogVisible, std::vector<bool>{false}) << way;
        EXPECT_FALSE(dialog->isVisible()) << way;
        EXPECT_EQ(dialog->Record(), rules) << "a cancel reads nothing back, way " << way;
    }
}

TEST_F(RulesDialogTest, ResultsGoToTheOwnerSetLast) {
    ResultOwner other;
    dialog->SetOwner(&other);
    Load(go::GameRules{});
    dialog->accept();
    EXPECT_TRUE(owner.choices.empty());
    EXPECT_EQ(other.choices, std::vector<RulesDialogChoice>{RulesDialogChoice::Ok});
    dialog->SetOwner(nullptr);
    dialog->reject();  // reported nowhere
    EXPECT_EQ(other.choices.size(), 1u);
    dialog->SetOwner(&owner);
}

TEST_F(RulesDialogTest, OwnerMayShowTheDialogAgainFromItsHandler) {
    owner.onResult = [this](RulesDialogChoice choice) {
        if (choice != RulesDialogChoice::Cancel) return;
        go::GameRules next;
        next.handicap = 2;
        dialog->SetRecord(next);
        dialog->RefreshAndStart();
        dialog->ShowCentredOver(&owner);
    };
    Load(go::GameRules{});
    Show();
    dialog->reject();
    EXPECT_TRUE(dialog->isVisible()) << "nothing hides the dialog after the result is out";
    EXPECT_EQ(List(1014)->currentText(), QStringLiteral("让2子"));
    EXPECT_EQ(dialog->Countdown(), 60);
}

// ---- Showing and the countdown ----

TEST_F(RulesDialogTest, ShowsCentredOverItsParentWithoutBeingModal) {
    owner.setGeometry(100, 80, 800, 600);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    Load(go::GameRules{});
    dialog->ShowCentredOver(&owner);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    const QPoint offset = dialog->frameGeometry().center() - owner.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 1);
}

TEST_F(RulesDialogTest, CountdownStartsAtSixtyAndShowsInTheCaption) {
    Load(go::GameRules{});
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("规则设定-60"));
    EXPECT_EQ(dialog->Countdown(), 60);
    EXPECT_TRUE(dialog->IsCountdownRunning());
    dialog->OnCountdownTick();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("规则设定-59"));
    EXPECT_EQ(dialog->Countdown(), 59);
    for (int i = 0; i < 20; ++i) dialog->OnCountdownTick();
    Load(go::GameRules{});
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("规则设定-60")) << "every showing starts afresh";
}

TEST_F(RulesDialogTest, RunningOutCancelsOnceAndStopsTheTimer) {
    Load(go::GameRules{});
    Show();
    for (int i = 0; i < 59; ++i) dialog->OnCountdownTick();
    EXPECT_TRUE(owner.choices.empty());
    EXPECT_TRUE(dialog->isVisible());
    dialog->OnCountdownTick();
    EXPECT_EQ(owner.choices, std::vector<RulesDialogChoice>{RulesDialogChoice::Cancel});
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("规则设定-0"));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->IsCountdownRunning());
}

TEST_F(RulesDialogTest, OkWithFortySecondsLeftIsFollowedByALateCancel) {
    Load(go::GameRules{});
    Show();
    for (int i = 0; i < 20; ++i) dialog->OnCountdownTick();
    ASSERT_EQ(dialog->Countdown(), 40);
    Button(1)->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(dialog->IsCountdownRunning()) << "the countdown outlives the answer";
    for (int i = 0; i < 39; ++i) dialog->OnCountdownTick();
    EXPECT_EQ(owner.choices, std::vector<RulesDialogChoice>{RulesDialogChoice::Ok});
    dialog->OnCountdownTick();
    EXPECT_EQ(owner.choices, (std::vector<RulesDialogChoice>{RulesDialogChoice::Ok, RulesDialogChoice::Cancel}));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->IsCountdownRunning());
}

TEST_F(RulesDialogTest, TheWindowTimerDrivesTheCountdown) {
    Load(go::GameRules{});
    // A loose bound: only that the timer is wired, never how punctual it is.
    QElapsedTimer waited;
    waited.start();
    while (dialog->Countdown() == 60 && waited.elapsed() < 10000) QTest::qWait(50);
    EXPECT_LT(dialog->Countdown(), 60);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("规则设定-%1").arg(dialog->Countdown()));
}

}  // namespace
}  // namespace goview::testing
