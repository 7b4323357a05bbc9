#pragma once

#include <memory>

#include "goview/view/prompter.h"
#include "sdk/kit/resource_module.h"

namespace goview {

// The real dialogs: Qt message boxes and file dialogs.
class QtPrompter : public Prompter {
public:
    // `resources` skin the plug-in's own dialogs.
    explicit QtPrompter(std::shared_ptr<const hall::ResourceModule> resources);
    bool AskYesNo(QWidget* parent, const QString& text, DefaultAnswer defaultAnswer, const QString& title) override;
    std::optional<int> AskRefereeVerdict(QWidget* parent) override;
    bool AskWithCountdown(QWidget* parent, const QString& text, int seconds) override;
    Choice AskYesNoCancel(QWidget* parent, const QString& text) override;
    void ShowMessage(QWidget* parent, const QString& text, MessageIcon icon) override;
    QString ChooseSaveFile(QWidget* parent, const FileRequest& request) override;
    QString ChooseOpenFile(QWidget* parent, const FileRequest& request) override;

private:
    std::shared_ptr<const hall::ResourceModule> m_resources;
};

// "Go Files (*.go)|*.go|All Files (*.*)|*.*||" as Qt writes it: "Go Files (*.go);;All Files (*.*)".
QString QtFilterFrom(const QString& hallFilter);
// Appends ".ext" to a path whose file name has no extension.
QString WithDefaultExtension(const QString& path, const QString& extension);

}  // namespace goview
