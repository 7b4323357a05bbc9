#include "hall/host/table_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSplitter>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

#include "hall/host/sound_player.h"
#include "sdk/kit/code_page.h"

namespace hall {

TableWindow::TableWindow(const GamePlugin& plugin, ViewSeat* seat, SoundPlayer* sounds, QString dataFolder)
    : m_seat(seat), m_sounds(sounds), m_dataFolder(std::move(dataFolder)), m_game(plugin.NewGame(*this)) {
    setWindowTitle(QStringLiteral("围棋 — 自由棋盘"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_viewHost = new QWidget(m_splitter);
    auto* hostLayout = new QVBoxLayout(m_viewHost);
    hostLayout->setContentsMargins(0, 0, 0, 0);
    m_messages = new QPlainTextEdit(m_splitter);
    m_messages->setReadOnly(true);
    m_messages->setPlaceholderText(QStringLiteral("系统消息"));
    m_messages->setMinimumWidth(160);
    m_splitter->addWidget(m_viewHost);
    m_splitter->addWidget(m_messages);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
    m_splitter->setSizes({820, 200});
    setCentralWidget(m_splitter);
    BuildMenus();

    QString why;
    QWidget* window = m_game->Create(m_viewHost, &why);
    if (window == nullptr) {
        m_messages->appendPlainText(why);
        return;
    }
    m_viewWindow = window;
    // A window of fixed size stays in the top left corner; any other fills the host.
    const bool fixed = window->minimumSize() == window->maximumSize();
    hostLayout->addWidget(m_viewWindow, 0, fixed ? Qt::AlignLeft | Qt::AlignTop : Qt::Alignment());
    if (const TableModel* table = Table()) {
        const QString name = FromGbk(QByteArray::fromStdString(table->IsPlayer() ? table->seats[table->mySeat].name : std::string()));
        setWindowTitle(table->IsPlayer() ? QStringLiteral("围棋 — 对局桌 %1 — %2").arg(table->tableId).arg(name)
                                         : QStringLiteral("围棋 — 对局桌 %1 — 观战").arg(table->tableId));
        m_seat->AttachView(m_game->AttachTable(*table));
        connect(m_seat, &ViewSeat::systemLine, this, [this](const QByteArray& gbk) { AppendMessage(FromGbk(gbk)); });
    }
}

TableWindow::~TableWindow() { DestroyView(); }

void TableWindow::ResizeTo(const QSize& requested) {
    if (m_viewWindow == nullptr || m_viewWindow->minimumSize() != m_viewWindow->maximumSize()) {
        resize(requested);
        return;
    }
    constexpr int kMessagePaneWidth = 220;
    const QSize view = m_viewWindow->minimumSize();
    m_splitter->setSizes({view.width(), kMessagePaneWidth});
    resize(view.width() + m_splitter->handleWidth() + kMessagePaneWidth, view.height() + menuBar()->sizeHint().height());
}

void TableWindow::Opened() {
    if (m_viewWindow == nullptr) return;
    m_game->Shown();
    if (m_seat == nullptr) m_game->EnableLoad();
}

bool TableWindow::OpenRecord(const QString& path) {
    if (m_viewWindow == nullptr || m_seat != nullptr) return false;
    // The plug-in offers this as a slot of its window; the hall needs nothing else of it.
    bool opened = false;
    const bool invoked = QMetaObject::invokeMethod(m_viewWindow, "OpenRecordFile", Qt::DirectConnection,
                                                   Q_RETURN_ARG(bool, opened), Q_ARG(QString, path));
    return invoked && opened;
}

void TableWindow::BuildMenus() {
    QMenu* game = m_gameMenu = menuBar()->addMenu(QStringLiteral("游戏(&G)"));
    // Each kind of table opens in a hall of its own, beside this one.
    const auto open = [](const QString& option) {
        QStringList arguments;
        if (!option.isEmpty()) arguments << option;
        QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments);
    };
    game->addAction(QStringLiteral("与 GNU Go 对局(&E)…"), this, [open] { open({}); });
    game->addAction(QStringLiteral("两人对局(&T)"), this, [open] { open(QStringLiteral("--table")); });
    game->addAction(QStringLiteral("自由棋盘(&F)"), this, [open] { open(QStringLiteral("--free")); });
    game->addSeparator();
    game->addAction(QStringLiteral("设置(&S)…"), this, [this] {
        if (m_viewWindow != nullptr) m_game->ShowSettings();
    });
    m_closingEntries = game->addSeparator();
    game->addAction(QStringLiteral("退出(&X)"), this, &QWidget::close);
}

void TableWindow::closeEvent(QCloseEvent* event) {
    if (m_viewWindow != nullptr && !m_game->CanClose()) {
        event->ignore();
        return;
    }
    DestroyView();
    event->accept();
    emit closed();
}

void TableWindow::DestroyView() {
    if (m_seat != nullptr) m_seat->Leave();
    m_viewWindow = nullptr;
    m_game->Destroy();
}

void TableWindow::SendGameCommand(match::MatchCommand command, std::span<const uint8_t> data) {
    // A free board sends nothing anywhere.
    if (m_seat != nullptr) m_seat->Send(command, data);
}

void TableWindow::SignalReady() {
    if (m_seat != nullptr) m_seat->Ready();
}

void TableWindow::PlayCue(const std::string& file) {
    if (m_sounds != nullptr) m_sounds->Play(QString::fromStdString(file));
}

std::string TableWindow::DataFolder() const { return ToGbk(m_dataFolder).toStdString(); }

std::string TableWindow::HallFolder() const {
    return ToGbk(QCoreApplication::applicationDirPath() + QLatin1Char('/')).toStdString();
}

void TableWindow::ShowSystemText(const std::string& text) { AppendMessage(FromGbk(QByteArray::fromStdString(text))); }

void TableWindow::ShowHtmlLine(const std::string& html) {
    const HtmlLine line = ReadHtmlLine(html);
    QTextCharFormat look;
    const QColor systemColour(0x1F, 0x4E, 0x9A);
    look.setForeground(line.rgb ? QColor::fromRgb(*line.rgb) : line.spanClass == "SYSTEMTEXT" ? systemColour : QColor(Qt::black));
    look.setFontPointSize(line.pointSize);
    look.setFontWeight(line.bold ? QFont::Bold : QFont::Normal);
    look.setFontItalic(line.italic);
    look.setFontUnderline(line.underline);
    look.setFontStrikeOut(line.lineThrough);
    QTextCursor cursor(m_messages->document());
    cursor.movePosition(QTextCursor::End);
    if (!m_messages->document()->isEmpty()) cursor.insertBlock();
    cursor.insertText(FromGbk(QByteArray::fromStdString(line.text)), look);
    m_messages->ensureCursorVisible();
}

void TableWindow::OpponentMoved() { QApplication::alert(this); }

void TableWindow::AppendMessage(const QString& line) { m_messages->appendPlainText(line); }

QString TableWindow::messages() const { return m_messages->toPlainText(); }

void TableWindow::AddGameAction(const QString& text, std::function<void()> triggered) {
    auto* action = new QAction(text, m_gameMenu);
    connect(action, &QAction::triggered, this, std::move(triggered));
    m_gameMenu->insertAction(m_closingEntries, action);
}

}  // namespace hall
