#include "matchview/dialogs/confirm_countdown_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>

#include "matchview/controls/control_id.h"
#include "matchview/controls/gbutton.h"

namespace matchview {
namespace {

GButton* ImageButton(const std::shared_ptr<const hall::ResourceModule>& resources, QWidget* parent, int id,
                     std::array<int, 4> pictures, const char* caption) {
    auto* button = new GButton(resources, parent);
    SetControlId(button, id);
    button->setText(QString::fromUtf8(caption));
    button->SetImages(pictures[0], pictures[1], pictures[2], pictures[3]);
    const QImage face = resources->LoadPicture(pictures[0]);
    button->setFixedSize(face.isNull() ? QSize(80, 28) : face.size());
    return button;
}

}  // namespace

ConfirmCountdownDialog::ConfirmCountdownDialog(std::shared_ptr<const hall::ResourceModule> resources,
                                               const QString& text, int seconds, QWidget* parent)
    : QDialog(parent), m_secondsLeft(seconds) {
    setWindowTitle(QStringLiteral("请求"));
    SetControlId(this, 349);
    const QImage paper = resources->LoadPicture(335);
    if (!paper.isNull()) {
        QPalette palette = this->palette();
        palette.setBrush(QPalette::Window, QBrush(QPixmap::fromImage(paper)));
        setPalette(palette);
        setAutoFillBackground(true);
    }

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
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    GButton* ok = ImageButton(resources, this, 1, {347, 346, 344, 345}, "确定");
    GButton* cancel = ImageButton(resources, this, 2, {336, 338, 339, 337}, "取消");
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    connect(ok, &QAbstractButton::clicked, this, &QDialog::accept);
    connect(cancel, &QAbstractButton::clicked, this, &QDialog::reject);
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
