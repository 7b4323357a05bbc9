// The real dialogs: asked wherever a person may be looking, the offscreen platform included, and
// answered alone only where the hall says that nobody is there.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "abi/game_view_api.h"
#include "goview/view/qt_prompter.h"
#include "tests/goview/view_fixture.h"

namespace goview::testing {
namespace {

// Once the next modal dialog is up, it is given to `answer` (as a person's click would be); a
// dialog that never comes is answered by nobody.
class NextDialog {
public:
    explicit NextDialog(std::function<void(QWidget*)> answer) : m_answer(std::move(answer)) {
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr) return;
            m_poll.stop();
            m_answered = true;
            m_answer(modal);
        });
        m_poll.start(5);
    }
    bool answered() const { return m_answered; }

private:
    std::function<void(QWidget*)> m_answer;
    QTimer m_poll;
    bool m_answered = false;
};

std::function<void(QWidget*)> Click(const QString& caption, QString* textSeen = nullptr) {
    return [caption, textSeen](QWidget* dialog) {
        if (textSeen != nullptr) {
            if (auto* box = qobject_cast<QMessageBox*>(dialog)) *textSeen = box->text();
        }
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
            if (button->text() == caption) return button->click();
        }
        ADD_FAILURE() << "no button " << caption.toStdString();
        dialog->close();
    };
}

class Attendance {
public:
    explicit Attendance(bool unattended) { qApp->setProperty(HALL_UNATTENDED_PROPERTY, unattended); }
    ~Attendance() { qApp->setProperty(HALL_UNATTENDED_PROPERTY, QVariant()); }
};

TEST(QtPrompterAttended, OffscreenEveryQuestionIsAskedAndThePersonsAnswerComesBack) {
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    QtPrompter prompter(nullptr);
    QString seen;
    {
        const NextDialog person(Click(QStringLiteral("是(&Y)"), &seen));
        EXPECT_TRUE(prompter.AskYesNo(nullptr, QStringLiteral("是否存盘？"), DefaultAnswer::No, QString())) << "not the default";
        EXPECT_EQ(seen, QStringLiteral("是否存盘？"));
    }
    {
        const NextDialog person([](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); });
        EXPECT_TRUE(prompter.AskWithCountdown(nullptr, QStringLiteral("对方请求悔棋，同意吗？"), 10))
            << "no refusal before the person answers";
    }
    {
        const NextDialog person(Click(QStringLiteral("否(&N)")));
        EXPECT_EQ(prompter.AskYesNoCancel(nullptr, QStringLiteral("?")), Choice::No);
    }
    {
        const NextDialog person(Click(QStringLiteral("确定"), &seen));
        prompter.ShowMessage(nullptr, QStringLiteral("读文件错误！"), MessageIcon::Stop);
        EXPECT_EQ(seen, QStringLiteral("读文件错误！")) << "shown in a box, not written to the error stream";
    }
}

using QtPrompterAtATable = ViewTest;

TEST_F(QtPrompterAtATable, LeavingARunningGameOffscreenAsksAndYesLetsTheWindowClose) {
    hall.status = 2;
    view = std::make_unique<CGameView>(hall.site(), ViewProfile::Current(), PluginResources(), nullptr);
    host = std::make_unique<QWidget>();
    view->AttachToParent(host.get());
    host->show();
    QApplication::processEvents();
    view->Game().Play(go::kBlack, 3, 3);
    QString seen;
    const NextDialog person(Click(QStringLiteral("是(&Y)"), &seen));
    EXPECT_EQ(view->CanClose(), 1);
    EXPECT_TRUE(person.answered());
    EXPECT_EQ(seen, QStringLiteral("现在退出将会被扣分，是否真的要退出？"));
}

TEST(QtPrompterUnattended, AHallWithNobodyThereGetsTheAnswerThatChangesNothing) {
    // Guards a hang: a modal box would wait for ever for a click nobody can make.
    const Attendance nobody(true);
    QtPrompter prompter(nullptr);
    prompter.ShowMessage(nullptr, QStringLiteral("读文件错误！"), MessageIcon::Stop);
    EXPECT_TRUE(prompter.AskYesNo(nullptr, QStringLiteral("?"), DefaultAnswer::Yes, QString()));
    EXPECT_FALSE(prompter.AskYesNo(nullptr, QStringLiteral("?"), DefaultAnswer::No, QString()));
    EXPECT_FALSE(prompter.AskWithCountdown(nullptr, QStringLiteral("?"), 10));
    EXPECT_EQ(prompter.AskYesNoCancel(nullptr, QStringLiteral("?")), Choice::Cancel);
    EXPECT_FALSE(prompter.AskRefereeVerdict(nullptr));
    EXPECT_TRUE(prompter.ChooseOpenFile(nullptr, FileRequest{}).isEmpty());
}

}  // namespace
}  // namespace goview::testing
