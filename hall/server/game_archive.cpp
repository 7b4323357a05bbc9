#include "hall/server/game_archive.h"

#include <QDateTime>
#include <QUrl>
#include <QVariant>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <atomic>

namespace hall {
namespace {

QByteArray Bytes(const std::vector<uint8_t>& bytes) {
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

QString Now() { return QDateTime::currentDateTimeUtc().toString(Qt::ISODate); }

// BYTEA is PostgreSQL's binary type and takes blob affinity's place in SQLite.
constexpr const char* kSchema[] = {
    "CREATE TABLE IF NOT EXISTS games ("
    " id BIGINT PRIMARY KEY, table_id INTEGER NOT NULL, started TEXT NOT NULL, ended TEXT,"
    " black BYTEA NOT NULL, white BYTEA NOT NULL, rules BYTEA NOT NULL, result TEXT,"
    " snapshot BYTEA, record BYTEA, sgf TEXT, table_password BYTEA, black_token BYTEA, white_token BYTEA)",
    "CREATE TABLE IF NOT EXISTS moves ("
    " game_id BIGINT NOT NULL, n INTEGER NOT NULL, color INTEGER NOT NULL, x INTEGER NOT NULL, y INTEGER NOT NULL,"
    " PRIMARY KEY (game_id, n))",
};

}  // namespace

GameArchive::GameArchive(QString connectionName) : m_connectionName(std::move(connectionName)) {}

GameArchive::~GameArchive() {
    m_worker.Post([name = m_connectionName] {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    });
}

std::unique_ptr<GameArchive> GameArchive::Open(const QString& connection, QString* why) {
    static std::atomic<int> opened{0};
    std::unique_ptr<GameArchive> archive(new GameArchive(QStringLiteral("gohall-archive-%1").arg(++opened)));
    QString reason;
    if (!archive->m_worker.Call([&] { return archive->Connect(connection, &reason) && archive->Prepare(&reason); })) {
        if (why != nullptr) *why = reason;
        return nullptr;
    }
    return archive;
}

bool GameArchive::Connect(const QString& connection, QString* why) {
    QSqlDatabase db;
    if (connection.startsWith(QLatin1String("sqlite:"))) {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
        db.setDatabaseName(connection.mid(7));
    } else if (connection.startsWith(QLatin1String("postgresql://"))) {
        const QUrl url(connection);
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connectionName);
        db.setHostName(url.host());
        if (url.port() > 0) db.setPort(url.port());
        db.setUserName(url.userName());
        db.setPassword(url.password());
        db.setDatabaseName(url.path().mid(1));
    } else {
        *why = QStringLiteral("an archive is sqlite:PATH or postgresql://USER@HOST:PORT/DATABASE");
        return false;
    }
    if (!db.isValid() || !db.open()) {
        *why = db.isValid() ? db.lastError().text() : QStringLiteral("no Qt SQL driver for it");
        return false;
    }
    return true;
}

bool GameArchive::Prepare(QString* why) {
    QSqlDatabase db = QSqlDatabase::database(m_connectionName);
    QSqlQuery query(db);
    if (db.driverName() == QLatin1String("QSQLITE")) {
        // A reader never waits for the writer. A commit is in the operating system's hands, so
        // it survives a crash of the server; a power cut may take the last moments back.
        query.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        query.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    }
    for (const char* statement : kSchema) {
        if (!query.exec(QString::fromLatin1(statement))) {
            *why = query.lastError().text();
            return false;
        }
    }
    if (query.exec(QStringLiteral("SELECT COALESCE(MAX(id), 0) FROM games")) && query.next()) {
        m_nextGame = query.value(0).toLongLong() + 1;
    }
    return true;
}

void GameArchive::Fail(const QString& what) {
    m_lastError = what;
    QSqlDatabase::database(m_connectionName).rollback();
}

QString GameArchive::lastError() const {
    return m_worker.Call([this] { return m_lastError; });
}

int64_t GameArchive::Begin(const Start& start) {
    const int64_t id = m_nextGame++;
    m_worker.Post([this, id, start] { Insert(id, start); });
    return id;
}

void GameArchive::Progress(int64_t game, std::span<const go::MoveRecord> moves, const std::vector<uint8_t>& snapshot) {
    m_worker.Post([this, game, moves = std::vector<go::MoveRecord>(moves.begin(), moves.end()), snapshot] {
        Store(game, moves, snapshot);
    });
}

void GameArchive::End(int64_t game, const Finish& finish) {
    m_worker.Post([this, game, finish] { Finalise(game, finish); });
}

std::vector<GameLog::Unfinished> GameArchive::Running() const {
    return m_worker.Call([this] { return ReadRunning(); });
}

std::vector<ArchivedGame> GameArchive::Recent(int count) const {
    return m_worker.Call([this, count] { return ReadRecent(count); });
}

std::vector<go::MoveRecord> GameArchive::Moves(int64_t game) const {
    return m_worker.Call([this, game] { return ReadMoves(game); });
}

std::optional<std::vector<uint8_t>> GameArchive::Record(int64_t game) const {
    return m_worker.Call([this, game] { return ReadRecord(game); });
}

std::optional<std::string> GameArchive::Sgf(int64_t game) const {
    return m_worker.Call([this, game] { return ReadSgf(game); });
}

void GameArchive::Insert(int64_t id, const Start& start) {
    QSqlQuery query(QSqlDatabase::database(m_connectionName));
    query.prepare(QStringLiteral(
        "INSERT INTO games (id, table_id, started, black, white, rules, table_password, black_token, white_token)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    query.addBindValue(static_cast<qlonglong>(id));
    query.addBindValue(start.tableId);
    query.addBindValue(Now());
    query.addBindValue(QByteArray::fromStdString(start.black));
    query.addBindValue(QByteArray::fromStdString(start.white));
    query.addBindValue(Bytes(start.rules));
    query.addBindValue(QByteArray::fromStdString(start.password));
    query.addBindValue(QByteArray::fromStdString(start.blackToken));
    query.addBindValue(QByteArray::fromStdString(start.whiteToken));
    if (!query.exec()) Fail(query.lastError().text());
    m_storedMoves[id] = 0;
}

void GameArchive::Store(int64_t game, const std::vector<go::MoveRecord>& moves, const std::vector<uint8_t>& snapshot) {
    QSqlDatabase db = QSqlDatabase::database(m_connectionName);
    db.transaction();
    QSqlQuery query(db);
    // A game this process did not begin (one taken up after a restart) starts from what is stored.
    if (!m_storedMoves.contains(game)) {
        query.prepare(QStringLiteral("SELECT COUNT(*) FROM moves WHERE game_id = ?"));
        query.addBindValue(static_cast<qlonglong>(game));
        if (!query.exec() || !query.next()) return Fail(query.lastError().text());
        m_storedMoves[game] = static_cast<size_t>(query.value(0).toLongLong());
    }
    // Moves taken back are gone from the table; the moves played since are added. What is
    // stored changes only with the commit: a failed change leaves it as it was.
    size_t& stored = m_storedMoves[game];
    size_t kept = stored;
    if (moves.size() < stored) {
        query.prepare(QStringLiteral("DELETE FROM moves WHERE game_id = ? AND n >= ?"));
        query.addBindValue(static_cast<qlonglong>(game));
        query.addBindValue(static_cast<int>(moves.size()));
        if (!query.exec()) return Fail(query.lastError().text());
        kept = moves.size();
    }
    query.prepare(QStringLiteral("INSERT INTO moves (game_id, n, color, x, y) VALUES (?, ?, ?, ?, ?)"));
    for (size_t n = kept; n < moves.size(); ++n) {
        query.bindValue(0, static_cast<qlonglong>(game));
        query.bindValue(1, static_cast<int>(n));
        query.bindValue(2, static_cast<int>(moves[n].color));
        query.bindValue(3, static_cast<int>(moves[n].x));
        query.bindValue(4, static_cast<int>(moves[n].y));
        if (!query.exec()) return Fail(query.lastError().text());
    }
    query.prepare(QStringLiteral("UPDATE games SET snapshot = ? WHERE id = ?"));
    query.addBindValue(Bytes(snapshot));
    query.addBindValue(static_cast<qlonglong>(game));
    if (!query.exec()) return Fail(query.lastError().text());
    if (!db.commit()) return Fail(db.lastError().text());
    stored = moves.size();
}

void GameArchive::Finalise(int64_t game, const Finish& finish) {
    QSqlQuery query(QSqlDatabase::database(m_connectionName));
    query.prepare(QStringLiteral("UPDATE games SET ended = ?, result = ?, snapshot = ?, record = ?, sgf = ? WHERE id = ?"));
    query.addBindValue(Now());
    query.addBindValue(QString::fromStdString(finish.result));
    query.addBindValue(Bytes(finish.snapshot));
    query.addBindValue(Bytes(finish.record));
    query.addBindValue(QString::fromStdString(finish.sgf));
    query.addBindValue(static_cast<qlonglong>(game));
    if (!query.exec()) Fail(query.lastError().text());
    m_storedMoves.erase(game);
}

std::vector<GameLog::Unfinished> GameArchive::ReadRunning() const {
    std::vector<Unfinished> games;
    QSqlQuery query(QSqlDatabase::database(m_connectionName));
    if (!query.exec(QStringLiteral(
            "SELECT id, table_id, black, white, rules, table_password, black_token, white_token, snapshot FROM games"
            " WHERE ended IS NULL ORDER BY id"))) {
        return games;
    }
    const auto bytes = [&](int column) {
        const QByteArray b = query.value(column).toByteArray();
        return std::vector<uint8_t>(b.begin(), b.end());
    };
    const auto text = [&](int column) { return query.value(column).toByteArray().toStdString(); };
    while (query.next()) {
        Unfinished g;
        g.id = query.value(0).toLongLong();
        g.start.tableId = query.value(1).toUInt();
        g.start.black = text(2);
        g.start.white = text(3);
        g.start.rules = bytes(4);
        g.start.password = text(5);
        g.start.blackToken = text(6);
        g.start.whiteToken = text(7);
        g.snapshot = bytes(8);
        games.push_back(std::move(g));
    }
    return games;
}

std::vector<ArchivedGame> GameArchive::ReadRecent(int count) const {
    std::vector<ArchivedGame> games;
    QSqlQuery query(QSqlDatabase::database(m_connectionName));
    query.prepare(QStringLiteral(
        "SELECT g.id, g.table_id, g.started, g.ended, g.black, g.white, g.result,"
        " (SELECT COUNT(*) FROM moves m WHERE m.game_id = g.id) FROM games g ORDER BY g.id DESC LIMIT ?"));
    query.addBindValue(count);
    if (!query.exec()) return games;
    while (query.next()) {
        ArchivedGame g;
        g.id = query.value(0).toLongLong();
        g.tableId = query.value(1).toUInt();
        g.started = query.value(2).toString().toStdString();
        g.ended = query.value(3).toString().toStdString();
        g.black = query.value(4).toByteArray().toStdString();
        g.white = query.value(5).toByteArray().toStdString();
        g.result = query.value(6).toString().toStdString();
        g.moves = query.value(7).toInt();
        games.push_back(std::move(g));
    }
    return games;
}

std::vector<go::MoveRecord> GameArchive::ReadMoves(int64_t game) const {
    std::vector<go::MoveRecord> moves;
    QSqlQuery query(QSqlDatabase::database(m_connectionName));
    query.prepare(QStringLiteral("SELECT color, x, y FROM moves WHERE game_id = ? ORDER BY n"));
    query.addBindValue(static_cast<qlonglong>(game));
    if (!query.exec()) return moves;
    while (query.next()) {
        moves.push_back(go::MoveRecord{static_cast<go::StoneColor>(static_cast<uint8_t>(query.value(0).toInt())), static_cast<uint8_t>(query.value(1).toInt()),
                                       static_cast<uint8_t>(query.value(2).toInt())});
    }
    return moves;
}

std::optional<std::vector<uint8_t>> GameArchive::ReadRecord(int64_t game) const {
    QSqlQuery query(QSqlDatabase::database(m_connectionName));
    query.prepare(QStringLiteral("SELECT record FROM games WHERE id = ? AND record IS NOT NULL"));
    query.addBindValue(static_cast<qlonglong>(game));
    if (!query.exec() || !query.next()) return std::nullopt;
    const QByteArray bytes = query.value(0).toByteArray();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

std::optional<std::string> GameArchive::ReadSgf(int64_t game) const {
    QSqlQuery query(QSqlDatabase::database(m_connectionName));
    query.prepare(QStringLiteral("SELECT sgf FROM games WHERE id = ? AND sgf IS NOT NULL"));
    query.addBindValue(static_cast<qlonglong>(game));
    if (!query.exec() || !query.next()) return std::nullopt;
    return query.value(0).toString().toStdString();
}

}  // namespace hall
