#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace goview {

enum class MessageIcon { Stop, Exclamation, Information, Question };
enum class DefaultAnswer { Yes, No };
enum class Choice { Yes, No, Cancel };

// What a file dialog asks for. The filter is written as the hall's dialogs take it:
// "Go Files (*.go)|*.go|All Files (*.*)|*.*||".
struct FileRequest {
    QString filter;
    QString proposedName;      // e.g. "new"
    QString defaultExtension;  // appended to a typed name without one, e.g. "go"
    QString startFolder;
    bool confirmOverwrite = true;
};

// Every question and message of the view goes through here, so that tests can answer from a
// script and the product shows real dialogs.
class Prompter {
public:
    virtual ~Prompter() = default;
    // `title` empty: the view's own title.
    virtual bool AskYesNo(QWidget* parent, const QString& text, DefaultAnswer defaultAnswer, const QString& title) = 0;
    // OK or Cancel, answered Cancel by itself after `seconds` seconds.
    virtual bool AskWithCountdown(QWidget* parent, const QString& text, int seconds) = 0;
    // Yes, No or Cancel; Yes is the default, Escape cancels.
    virtual Choice AskYesNoCancel(QWidget* parent, const QString& text) = 0;
    // The referee's verdict (0 black wins, 1 white wins, 2 a draw), or nothing when cancelled.
    virtual std::optional<int> AskRefereeVerdict(QWidget* parent) = 0;
    virtual void ShowMessage(QWidget* parent, const QString& text, MessageIcon icon) = 0;
    // The chosen path, or an empty string when cancelled.
    virtual QString ChooseSaveFile(QWidget* parent, const FileRequest& request) = 0;
    virtual QString ChooseOpenFile(QWidget* parent, const FileRequest& request) = 0;
};

// The title of the view's message boxes.
QString MessageTitle();

}  // namespace goview
