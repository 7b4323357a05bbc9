#include "matchview/dialogs/confirm_countdown_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "matchview/controls/control_id.h"
#include "matchview/dialogs/dialog_skin.h"

namespace matchview {
ConfirmCountdownDialog::ConfirmCountdownDialog(std::shared_ptr<const hall::ResourceModule> resources,
                                               const QString& text, int seconds, QWidget* parent)
    : QDialog(parent), m_secondsLeft(seconds) {
    setWindowTitle(QStringLiteral("请求"));
    SetControlId(this, 349);
    ApplyPaperBackground(this, *resources);

    auto* question = new QLabel(text, this);
    question->setWordWrap(true);
    question->setMinimumWidth(260);
    m_count = new QLabel(QString::number(m_secondsLeft), this);
    m_count->setAlignment(Qt::AlignRight | Qt::AlignTop);
    QFont countFont = m_count->font();
    countFont.setBold(true);
    countFont.setPixelSize(18);
    m_count->setFont(countFont);
    m_count->setStyleSheet(QStringLiteral("color: #a02010;"));

    auto* top = new QHBoxLayout();
    top->addWidget(question, 1);
    top->addWidget(m_count, 0, Qt::AlignTop);
    QHBoxLayout* buttons = MakeOkCancelRow(resources, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &ConfirmCountdownDialog::Tick);
    m_timer->start();
}

void ConfirmCountdownDialog::Tick() {
    --m_secondsLeft;
    m_count->setText(QString::number(std::max(0, m_secondsLeft)));
    if (m_secondsLeft <= 0) {
        m_timer->stop();
        reject();
    }
}

}  // namespace matchview
