#include "goview/view/qt_prompter.h"

#include "goview/dialogs/confirm_countdown_dialog.h"
#include "goview/dialogs/referee_dialog.h"

#include <QFileDialog>
#include <QRegularExpression>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

#include "abi/game_view_api.h"

namespace goview {
namespace {

// The hall says that nobody is there to answer (an unattended picture, an engine series): a
// modal box would wait for ever. The platform does not say so: a host may show the views
// offscreen and still answer their questions.
bool Unattended() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && app->property(HALL_UNATTENDED_PROPERTY).toBool();
}

void WriteToStandardError(const QString& text) {
    std::fprintf(stderr, "%s: %s\n", MessageTitle().toUtf8().constData(), text.toUtf8().constData());
}

}  // namespace

QString MessageTitle() { return QStringLiteral("围棋"); }

QString QtFilterFrom(const QString& hallFilter) {
    // Pairs of "description|pattern", ended by an empty pair; Qt shows the description alone,
    // which already names its patterns.
    const QStringList parts = hallFilter.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (!parts[i].isEmpty()) filters << parts[i];
    }
    return filters.join(";;");
}

QString WithDefaultExtension(const QString& path, const QString& extension) {
    if (path.isEmpty() || extension.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + "." + extension;
}

QtPrompter::QtPrompter(std::shared_ptr<const hall::ResourceModule> resources)
    : m_resources(resources ? std::move(resources) : std::make_shared<hall::ResourceModule>()) {}

bool QtPrompter::AskWithCountdown(QWidget* parent, const QString& text, int seconds) {
    if (Unattended()) return false;  // as if the countdown ran out
    ConfirmCountdownDialog dialog(m_resources, text, seconds, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool QtPrompter::AskYesNo(QWidget* parent, const QString& text, DefaultAnswer defaultAnswer, const QString& title) {
    if (Unattended()) return defaultAnswer == DefaultAnswer::Yes;
    QMessageBox box(QMessageBox::Question, title.isEmpty() ? MessageTitle() : title, text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
    box.setDefaultButton(defaultAnswer == DefaultAnswer::Yes ? yes : no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

std::optional<int> QtPrompter::AskRefereeVerdict(QWidget*) {
    if (Unattended()) return std::nullopt;
    // Without a parent, as the hall's referee sees it over any window.
    RefereeDialog dialog(m_resources);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Verdict();
}

Choice QtPrompter::AskYesNoCancel(QWidget* parent, const QString& text) {
    if (Unattended()) return Choice::Cancel;  // nothing changes
    QMessageBox box(QMessageBox::Question, MessageTitle(), text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes) return Choice::Yes;
    return box.clickedButton() == no ? Choice::No : Choice::Cancel;
}

void QtPrompter::ShowMessage(QWidget* parent, const QString& text, MessageIcon icon) {
    if (Unattended()) {
        WriteToStandardError(text);
        return;
    }
    QMessageBox::Icon boxIcon = QMessageBox::Information;
    switch (icon) {
        case MessageIcon::Stop: boxIcon = QMessageBox::Critical; break;
        case MessageIcon::Exclamation: boxIcon = QMessageBox::Warning; break;
        case MessageIcon::Information: boxIcon = QMessageBox::Information; break;
        case MessageIcon::Question: boxIcon = QMessageBox::Question; break;
    }
    QMessageBox box(boxIcon, MessageTitle(), text, QMessageBox::NoButton, parent);
    box.setDefaultButton(box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole));
    box.exec();
}

QString QtPrompter::ChooseSaveFile(QWidget* parent, const FileRequest& request) {
    if (Unattended()) return {};
    QFileDialog dialog(parent, QString(), request.startFolder, QtFilterFrom(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultExtension);
    // A name typed without an extension takes that of the chosen filter ("SGF Files (*.sgf)"
    // gives .sgf), or the request's own under "All Files".
    const auto extensionOf = [&request](const QString& filter) {
        const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filter);
        return match.hasMatch() ? match.captured(1) : request.defaultExtension;
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, extensionOf](const QString& filter) { dialog.setDefaultSuffix(extensionOf(filter)); });
    dialog.selectFile(request.proposedName);
    if (!request.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return WithDefaultExtension(dialog.selectedFiles().first(), extensionOf(dialog.selectedNameFilter()));
}

QString QtPrompter::ChooseOpenFile(QWidget* parent, const FileRequest& request) {
    if (Unattended()) return {};
    QFileDialog dialog(parent, QString(), request.startFolder, QtFilterFrom(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

}  // namespace goview
