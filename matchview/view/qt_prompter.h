#pragma once

#include "matchview/view/prompter.h"

namespace matchview {

// The real dialogs: Qt message boxes and file dialogs.
class QtPrompter : public Prompter {
public:
    bool AskYesNo(QWidget* parent, const QString& text, DefaultAnswer defaultAnswer) override;
    void ShowMessage(QWidget* parent, const QString& text, MessageIcon icon) override;
    QString ChooseSaveFile(QWidget* parent, const FileRequest& request) override;
    QString ChooseOpenFile(QWidget* parent, const FileRequest& request) override;
};

// "Go Files (*.go)|*.go|All Files (*.*)|*.*||" as Qt writes it: "Go Files (*.go);;All Files (*.*)".
QString QtFilterFrom(const QString& hallFilter);
// Appends ".ext" to a path whose file name has no extension.
QString WithDefaultExtension(const QString& path, const QString& extension);

}  // namespace matchview
