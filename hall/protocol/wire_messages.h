#pragma once

// The messages between a remote hall and the hall server, one per WebSocket binary message. They
// carry exactly the boundary's traffic (commands with their payloads, snapshots, game start and
// over, seat changes, the table as the seat sees it, system lines) plus the handshake and the
// lobby. Everything is little-endian; a text is a u16 length and its bytes, a payload a u32
// length and its bytes. Decoding checks every length against the bytes there and against its
// bound, and refuses trailing bytes: a message is taken whole or not at all. Plain C++, no Qt.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "hall/protocol/archived_game.h"
#include "hall/protocol/table_model.h"
#include "match/match_snapshot.h"

namespace hall::wire {

constexpr uint16_t kVersion = 3;
// No message is longer: a snapshot of the longest game the record can hold fits many times over.
constexpr size_t kMaxMessageBytes = 256 * 1024;
constexpr size_t kMaxNameBytes = 31;       // GBK, as the boundary shows names
constexpr size_t kMaxPasswordBytes = 64;
constexpr size_t kMaxTextBytes = 1024;     // refusals and system lines
constexpr size_t kMaxLobbyTables = 1000;  // in one Lobby or LobbyChanges message
constexpr size_t kLobbyPageSize = 50;
constexpr size_t kMaxListedGames = 200;
constexpr int kOnlookerSeat = -1;

// What a connection is given to take its seat back after a drop.
using ResumeToken = std::array<uint8_t, 16>;

// ---- From a remote hall to the server ----
struct Hello {
    uint16_t version = kVersion;
    std::string name;  // GBK
    int face = 0;      // 0..65535
    std::optional<ResumeToken> resume;
};
// A page of the lobby, open-seat tables first, then by table number, narrowed by the filter; the
// connection then follows the lobby's changes until it sits down or watches a table.
struct ListTables {
    uint32_t page = 0;           // from 0, kLobbyPageSize tables a page
    bool openSeatsOnly = false;  // tables with a free chair
    std::string player;          // GBK; tables where a player's name holds it
    uint32_t tableId = 0;        // that table only; 0 for any
};
struct CreateTable {
    std::string password;  // empty: a public table
};
struct TakeSeat {
    uint32_t tableId = 0;
    int seat = kOnlookerSeat;  // 0, 1, or kOnlookerSeat to watch
    std::string password;
};
struct LeaveTable {};
struct Ready {};
struct SendCommand {
    uint8_t command = 0;
    std::vector<uint8_t> data;
};
struct SeatEngine {
    uint32_t tableId = 0;
    int seat = 0;   // 0 or 1
    int level = 1;  // 1..10
};
// The archive: the recent games, and one of them as a ".go" record or as SGF.
struct ListGames {};
enum class GameFormat : uint8_t { GoRecord = 0, Sgf = 1 };
struct FetchGame {
    int64_t id = 0;
    GameFormat format = GameFormat::GoRecord;
};
using ClientMessage =
    std::variant<Hello, ListTables, CreateTable, TakeSeat, LeaveTable, Ready, SendCommand, SeatEngine, ListGames, FetchGame>;

// ---- From the server to a remote hall ----
struct Welcome {
    uint16_t version = kVersion;
    ResumeToken resume{};
    bool resumed = false;  // the token took back a seat held for this hall
};
struct Refusal {
    std::string reason;  // UTF-8, for the person
};
struct LobbyTable {
    uint32_t tableId = 0;
    TableStatus status = TableStatus::BeforeGame;
    bool isPrivate = false;
    std::array<SeatModel, 2> seats;
    uint16_t onlookers = 0;
    std::string rules;  // the rules' short text, UTF-8
};
// The hall at a glance: what a greeting gets instead of the list.
struct LobbySummary {
    uint32_t tables = 0;
    uint32_t players = 0;  // greeted connections
    uint32_t gamesRunning = 0;
};
// One page of the lobby, as ListTables asked for it.
struct Lobby {
    LobbySummary summary;
    uint32_t page = 0;
    uint32_t matching = 0;  // tables that pass the filter, on every page
    std::vector<LobbyTable> tables;
};
// Tables of the lobby that changed since the last batch, as they are now, for a connection that
// follows the lobby.
struct LobbyChanges {
    LobbySummary summary;
    std::vector<LobbyTable> tables;
};
struct TableState {
    TableModel table;
};
struct SeatChange {
    int seat = 0;
    int kind = 0;
    int value = 0;
};
struct Command {
    uint8_t command = 0;
    std::vector<uint8_t> data;
};
struct Snapshot {
    std::vector<uint8_t> bytes;
};
struct GameStart {};
struct GameOver {
    std::array<uint8_t, match::kGameResultSize> result{};
};
struct SystemLine {
    std::string text;  // GBK, as the boundary's system texts
};
struct GameList {
    std::vector<ArchivedGameEntry> games;
};
struct GameFile {
    int64_t id = 0;
    GameFormat format = GameFormat::GoRecord;
    std::vector<uint8_t> bytes;
};
// The table a CreateTable made, so that its maker can sit down there at once.
struct TableCreated {
    uint32_t tableId = 0;
};
using ServerMessage = std::variant<Welcome, Refusal, Lobby, TableState, SeatChange, Command, Snapshot, GameStart, GameOver,
                                   SystemLine, GameList, GameFile, TableCreated, LobbySummary, LobbyChanges>;

std::vector<uint8_t> Encode(const ClientMessage& message);
std::vector<uint8_t> Encode(const ServerMessage& message);
// The message, or nothing for bytes that are not one whole well-formed message.
std::optional<ClientMessage> DecodeClientMessage(std::span<const uint8_t> bytes);
std::optional<ServerMessage> DecodeServerMessage(std::span<const uint8_t> bytes);

}  // namespace hall::wire
