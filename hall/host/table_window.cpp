#include "hall/host/table_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSplitter>
#include <QVBoxLayout>

#include "hall/host/sound_player.h"
#include "hall/kit/code_page.h"

namespace hall {

TableWindow::TableWindow(CreateGameViewFunction create, ViewSeat* seat, SoundPlayer* sounds, QString dataFolder)
    : m_seat(seat), m_sounds(sounds), m_dataFolder(std::move(dataFolder)), m_objects(*this) {
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

    if (create == nullptr ||
        create(GAME_VIEW_VERSION, m_objects.site(), &m_api, &m_description) == 0 || m_api == nullptr) {
        m_api = nullptr;
        m_messages->appendPlainText(QStringLiteral("无法创建对局视图"));
        return;
    }
    GameWindowHandle window = nullptr;
    if (m_api->vtbl->CreateViewWindow(m_api, &window, m_viewHost, nullptr) == 0 || window == nullptr) {
        m_messages->appendPlainText(QStringLiteral("无法创建对局窗口"));
        return;
    }
    m_viewWindow = static_cast<QWidget*>(window);
    hostLayout->addWidget(m_viewWindow);
    if (const TableModel* table = Table()) {
        const QString name = FromGbk(QByteArray::fromStdString(table->IsPlayer() ? table->seats[table->mySeat].name : std::string()));
        setWindowTitle(table->IsPlayer() ? QStringLiteral("围棋 — 对局桌 %1 — %2").arg(table->tableId).arg(name)
                                         : QStringLiteral("围棋 — 对局桌 %1 — 观战").arg(table->tableId));
        m_api->vtbl->AttachTable(m_api, table->tableId);
        m_seatView = std::make_unique<ApiSeatView>(m_api);
        m_seat->AttachView(m_seatView.get());
    }
}

TableWindow::~TableWindow() { DestroyView(); }

void TableWindow::Opened() {
    if (m_api != nullptr && m_seat == nullptr) m_api->vtbl->EnableLoad(m_api);
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
        if (m_api != nullptr) m_api->vtbl->ShowSettings(m_api);
    });
    m_closingEntries = game->addSeparator();
    game->addAction(QStringLiteral("退出(&X)"), this, &QWidget::close);
}

void TableWindow::closeEvent(QCloseEvent* event) {
    if (m_api != nullptr && m_api->vtbl->CanClose(m_api) == 0) {
        event->ignore();
        return;
    }
    DestroyView();
    event->accept();
}

void TableWindow::DestroyView() {
    if (m_seat != nullptr) m_seat->Leave();
    m_seatView.reset();
    if (m_api == nullptr) return;
    GameViewApi* api = m_api;
    m_api = nullptr;
    m_viewWindow = nullptr;
    api->vtbl->DestroyView(api);
}

void TableWindow::SendGameCommand(int command, std::span<const uint8_t> data) {
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

void TableWindow::ShowSystemText(const std::string& text) { AppendMessage(FromGbk(QByteArray::fromStdString(text))); }

void TableWindow::AppendMessage(const QString& line) { m_messages->appendPlainText(line); }

QString TableWindow::messages() const { return m_messages->toPlainText(); }

void TableWindow::AddGameAction(const QString& text, std::function<void()> triggered) {
    auto* action = new QAction(text, m_gameMenu);
    connect(action, &QAction::triggered, this, std::move(triggered));
    m_gameMenu->insertAction(m_closingEntries, action);
}

}  // namespace hall
