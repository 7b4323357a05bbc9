#include "goview/dialogs/confirm_countdown_dialog.h"

#include <QHBoxLayout>
#include <QTimerEvent>
#include <QVBoxLayout>

#include "goview/controls/control_id.h"
#include "goview/controls/transparent_static.h"
#include "goview/dialogs/dialog_ids.h"
#include "goview/dialogs/dialog_skin.h"

namespace goview {

ConfirmCountdownDialog::ConfirmCountdownDialog(std::shared_ptr<const hall::ResourceModule> resources,
                                               const QString& text, int seconds, QWidget* parent)
    : QDialog(parent), m_secondsLeft(seconds) {
    setWindowTitle(QStringLiteral("请求"));
    SetControlId(this, dialog_ids::countdown::kTemplate);
    ApplyPaperBackground(this, *resources);

    // The question is one line, as the label draws it: wide enough for all of it.
    auto* question = new CTransparentStatic(text, this);
    SetControlId(question, dialog_ids::countdown::kQuestion);
    question->setMinimumSize(std::max(260, question->fontMetrics().horizontalAdvance(text.simplified()) + 24), 40);
    m_count = new CTransparentStatic(QString(), this);
    SetControlId(m_count, dialog_ids::countdown::kSeconds);
    QFont countFont = m_count->font();
    countFont.setBold(true);
    countFont.setPixelSize(18);
    m_count->setFont(countFont);
    m_count->setStyleSheet(QStringLiteral("color: #a02010;"));
    m_count->setFixedSize(32, 28);

    auto* top = new QHBoxLayout();
    top->addWidget(question, 1);
    top->addWidget(m_count, 0, Qt::AlignTop);
    QHBoxLayout* buttons = MakeOkCancelRow(resources, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    m_timer.start(1000, this);
}

void ConfirmCountdownDialog::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_timer.timerId()) {
        QDialog::timerEvent(event);
        return;
    }
    Tick();
}

void ConfirmCountdownDialog::Tick() {
    --m_secondsLeft;
    m_count->setText(QString::number(m_secondsLeft));
    update();
    if (m_secondsLeft < 1) {
        m_timer.stop();
        reject();
    }
}

}  // namespace goview
