#include "hall/host/lobby_window.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "hall/host/table_window.h"
#include "hall/kit/code_page.h"

namespace hall {
namespace {

QString SeatText(const SeatModel& seat) {
    if (!seat.occupied) return QStringLiteral("（空）");
    return FromGbk(QByteArray::fromStdString(seat.name)) + (seat.state == 1 ? QStringLiteral(" ✓") : QString());
}

QString StatusText(TableStatus status) {
    switch (status) {
        case TableStatus::BeforeGame: return QStringLiteral("等待开局");
        case TableStatus::InGame: return QStringLiteral("对局中");
        case TableStatus::Referee: return QStringLiteral("等待裁判");
    }
    return {};
}

}  // namespace

LobbyWindow::LobbyWindow(RemoteHall& hall, const GamePlugin& plugin, SoundPlayer* sounds, QString dataFolder)
    : m_hall(hall), m_plugin(plugin), m_sounds(sounds), m_dataFolder(std::move(dataFolder)) {
    setWindowTitle(QStringLiteral("围棋 — 大厅"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    m_tables = new QTableWidget(0, 6, central);
    m_tables->setHorizontalHeaderLabels({QStringLiteral("棋桌"), QStringLiteral("座位一"), QStringLiteral("座位二"),
                                         QStringLiteral("观战"), QStringLiteral("状态"), QStringLiteral("规则")});
    m_tables->verticalHeader()->hide();
    m_tables->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tables->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tables->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tables->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_tables);
    auto* buttons = new QHBoxLayout;
    const auto add = [&](const QString& text, auto action) {
        auto* button = new QPushButton(text, central);
        connect(button, &QPushButton::clicked, this, action);
        buttons->addWidget(button);
        return button;
    };
    add(QStringLiteral("新建棋桌"), [this] { m_hall.CreateTable({}); });
    add(QStringLiteral("新建私密棋桌…"), [this] {
        bool ok = false;
        const QString password = QInputDialog::getText(this, QStringLiteral("私密棋桌"), QStringLiteral("密码："),
                                                       QLineEdit::Password, {}, &ok);
        if (ok && !password.isEmpty()) m_hall.CreateTable(password);
    });
    buttons->addStretch();
    add(QStringLiteral("坐座位一"), [this] { Sit(0); });
    add(QStringLiteral("坐座位二"), [this] { Sit(1); });
    add(QStringLiteral("观战"), [this] { Sit(wire::kOnlookerSeat); });
    add(QStringLiteral("刷新"), [this] { m_hall.ListTables(); });
    layout->addLayout(buttons);
    setCentralWidget(central);
    m_status = new QLabel(QStringLiteral("正在连接…"), this);
    statusBar()->addWidget(m_status, 1);
    resize(760, 420);

    connect(&m_hall, &RemoteHall::welcomed, this, [this] { m_status->setText(QStringLiteral("已连接")); });
    connect(&m_hall, &RemoteHall::lobbyChanged, this, &LobbyWindow::ShowLobby);
    connect(&m_hall, &RemoteHall::refused, this, [this](const QString& reason) { m_status->setText(reason); });
    connect(&m_hall, &RemoteHall::seated, this, &LobbyWindow::OpenTable);
    connect(&m_hall, &RemoteHall::reconnecting, this,
            [this] { m_status->setText(QStringLiteral("连接中断，正在重新连接，棋局为您保留…")); });
    connect(&m_hall, &RemoteHall::closed, this, [this](const QString& reason) {
        CloseTable();
        m_status->setText(QStringLiteral("连接已断开：") + reason);
    });
    // The lobby changes while nobody asks: it is read again every few seconds.
    auto* refresh = new QTimer(this);
    connect(refresh, &QTimer::timeout, this, [this] {
        if (m_hall.IsWelcomed()) m_hall.ListTables();
    });
    refresh->start(3000);
}

LobbyWindow::~LobbyWindow() { CloseTable(); }

void LobbyWindow::ShowLobby() {
    const uint32_t selected = SelectedTable();
    const std::vector<wire::LobbyTable>& tables = m_hall.lobby().tables;
    m_tables->setRowCount(static_cast<int>(tables.size()));
    for (int row = 0; row < static_cast<int>(tables.size()); ++row) {
        const wire::LobbyTable& t = tables[static_cast<size_t>(row)];
        const QString number = QString::number(t.tableId) + (t.isPrivate ? QStringLiteral("（私密）") : QString());
        const QStringList cells = {number, SeatText(t.seats[0]), SeatText(t.seats[1]), QString::number(t.onlookers),
                                   StatusText(t.status), QString::fromStdString(t.rules)};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setData(Qt::UserRole, t.tableId);
            item->setData(Qt::UserRole + 1, t.isPrivate);
            m_tables->setItem(row, column, item);
        }
        if (t.tableId == selected) m_tables->selectRow(row);
    }
    m_tables->resizeColumnsToContents();
    for (int column = 1; column <= 2; ++column) m_tables->setColumnWidth(column, std::max(m_tables->columnWidth(column), 120));
}

uint32_t LobbyWindow::SelectedTable() const {
    const QList<QTableWidgetItem*> items = m_tables->selectedItems();
    return items.isEmpty() ? 0 : items.first()->data(Qt::UserRole).toUInt();
}

void LobbyWindow::Sit(int seat) {
    const QList<QTableWidgetItem*> items = m_tables->selectedItems();
    if (items.isEmpty() || m_table) return;
    QString password;
    if (items.first()->data(Qt::UserRole + 1).toBool()) {
        bool ok = false;
        password = QInputDialog::getText(this, QStringLiteral("私密棋桌"), QStringLiteral("密码："), QLineEdit::Password, {}, &ok);
        if (!ok) return;
    }
    m_hall.TakeSeat(SelectedTable(), seat, password);
}

void LobbyWindow::OpenTable(ViewSeat* seat) {
    m_table = std::make_unique<TableWindow>(m_plugin, seat, m_sounds, m_dataFolder);
    m_table->ResizeTo(QSize(1024, 768));
    // Closing the table window leaves the table; the window goes once its close is done.
    connect(m_table.get(), &TableWindow::closed, this, [this] { QTimer::singleShot(0, this, [this] { m_table.reset(); }); });
    m_table->show();
    m_table->Opened();
}

void LobbyWindow::CloseTable() { m_table.reset(); }

}  // namespace hall
