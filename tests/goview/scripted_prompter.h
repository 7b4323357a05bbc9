#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "goview/view/prompter.h"

namespace goview::testing {

// Answers the view's questions from a script and remembers what was asked and shown.
class ScriptedPrompter : public Prompter {
public:
    struct Question {
        QString text;
        DefaultAnswer defaultAnswer;
        QString title;
    };
    struct Message {
        QString text;
        MessageIcon icon;
    };

    bool AskYesNo(QWidget*, const QString& text, DefaultAnswer defaultAnswer, const QString& title) override {
        questions.push_back({text, defaultAnswer, title});
        if (yesNoAnswers.empty()) return defaultAnswer == DefaultAnswer::Yes;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    bool AskWithCountdown(QWidget*, const QString& text, int seconds) override {
        countdownQuestions.push_back(text);
        countdownSeconds = seconds;
        if (countdownAnswers.empty()) return false;  // nobody answered: refused
        const bool answer = countdownAnswers.front();
        countdownAnswers.pop_front();
        return answer;
    }
    Choice AskYesNoCancel(QWidget*, const QString& text) override {
        threeWayQuestions.push_back(text);
        if (threeWayAnswers.empty()) return Choice::Cancel;
        const Choice answer = threeWayAnswers.front();
        threeWayAnswers.pop_front();
        return answer;
    }
    std::optional<int> AskRefereeVerdict(QWidget*) override {
        ++verdictQuestions;
        if (verdicts.empty()) return std::nullopt;
        const int verdict = verdicts.front();
        verdicts.pop_front();
        return verdict;
    }
    void ShowMessage(QWidget*, const QString& text, MessageIcon icon) override { messages.push_back({text, icon}); }
    QString ChooseSaveFile(QWidget*, const FileRequest& request) override {
        fileRequests.push_back(request);
        return NextPath();
    }
    QString ChooseOpenFile(QWidget*, const FileRequest& request) override {
        fileRequests.push_back(request);
        return NextPath();
    }

    std::deque<bool> yesNoAnswers;      // empty: the default answer
    std::deque<bool> countdownAnswers;  // empty: the time runs out
    std::deque<Choice> threeWayAnswers; // empty: cancelled
    std::deque<int> verdicts;           // empty: the referee dialog cancelled
    int verdictQuestions = 0;
    std::deque<QString> paths;      // empty: cancelled
    std::vector<Question> questions;
    std::vector<QString> countdownQuestions;
    std::vector<QString> threeWayQuestions;
    int countdownSeconds = 0;
    std::vector<Message> messages;
    std::vector<FileRequest> fileRequests;

private:
    QString NextPath() {
        if (paths.empty()) return {};
        QString path = paths.front();
        paths.pop_front();
        return path;
    }
};

}  // namespace goview::testing
