#include "hall/protocol/wire_messages.h"

#include <cstring>
#include <type_traits>

namespace hall::wire {
namespace {

// The first byte names the message: a client message its place in ClientMessage plus one, a
// server message its place in ServerMessage plus kServerTagBase. The order of both variants is
// the wire's and is kept for version 1.
constexpr uint8_t kServerTagBase = 0x40;

class Writer {
public:
    void U8(uint32_t v) { m_bytes.push_back(static_cast<uint8_t>(v)); }
    void U16(uint32_t v) {
        U8(v);
        U8(v >> 8);
    }
    void U32(uint32_t v) {
        U16(v);
        U16(v >> 16);
    }
    void I32(int v) { U32(static_cast<uint32_t>(v)); }
    void I64(int64_t v) {
        U32(static_cast<uint32_t>(v));
        U32(static_cast<uint32_t>(static_cast<uint64_t>(v) >> 32));
    }
    void Raw(std::span<const uint8_t> bytes) { m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end()); }
    // Longer texts than the bound are cut: what is sent is always what can be read back.
    void Text(const std::string& text, size_t bound) {
        const size_t size = std::min(text.size(), bound);
        U16(static_cast<uint32_t>(size));
        Raw(std::span(reinterpret_cast<const uint8_t*>(text.data()), size));
    }
    void Payload(const std::vector<uint8_t>& data) {
        U32(static_cast<uint32_t>(data.size()));
        Raw(data);
    }
    std::vector<uint8_t> Take() { return std::move(m_bytes); }

private:
    std::vector<uint8_t> m_bytes;
};

class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : m_rest(bytes) {}
    bool ok() const { return m_ok; }
    bool AtEnd() const { return m_ok && m_rest.empty(); }

    uint32_t U8() { return Take(1).empty() ? 0 : m_last[0]; }
    uint32_t U16() {
        const uint32_t low = U8();
        return low | U8() << 8;
    }
    uint32_t U32() {
        const uint32_t low = U16();
        return low | U16() << 16;
    }
    int I32() { return static_cast<int>(U32()); }
    int64_t I64() {
        const uint64_t low = U32();
        return static_cast<int64_t>(low | static_cast<uint64_t>(U32()) << 32);
    }
    bool Flag() {
        const uint32_t v = U8();
        if (v > 1) m_ok = false;
        return v == 1;
    }
    std::span<const uint8_t> Take(size_t size) {
        if (!m_ok || size > m_rest.size()) {
            m_ok = false;
            m_last = {};
            return {};
        }
        m_last = m_rest.first(size);
        m_rest = m_rest.subspan(size);
        return m_last;
    }
    std::string Text(size_t bound) {
        const size_t size = U16();
        if (size > bound) m_ok = false;
        const std::span<const uint8_t> bytes = Take(size);
        return std::string(bytes.begin(), bytes.end());
    }
    std::vector<uint8_t> Payload() {
        const size_t size = U32();
        if (size > kMaxMessageBytes) m_ok = false;
        const std::span<const uint8_t> bytes = Take(size);
        return std::vector<uint8_t>(bytes.begin(), bytes.end());
    }
    // A value that must lie in [low, high].
    int Within(int value, int low, int high) {
        if (value < low || value > high) m_ok = false;
        return value;
    }
    void Fail() { m_ok = false; }

private:
    std::span<const uint8_t> m_rest;
    std::span<const uint8_t> m_last;
    bool m_ok = true;
};

void WriteToken(Writer& w, const ResumeToken& token) { w.Raw(token); }
ResumeToken ReadToken(Reader& r) {
    ResumeToken token{};
    const std::span<const uint8_t> bytes = r.Take(token.size());
    if (!bytes.empty()) std::memcpy(token.data(), bytes.data(), token.size());
    return token;
}

void WriteStatus(Writer& w, TableStatus status) { w.U8(static_cast<uint32_t>(status)); }
TableStatus ReadStatus(Reader& r) {
    const uint32_t v = r.U8();
    if (v != 0 && v != 2 && v != 4) r.Fail();
    return static_cast<TableStatus>(v);
}

void WriteSeat(Writer& w, const SeatModel& seat) {
    w.U8(seat.occupied);
    w.U8(seat.present);
    w.U8(seat.hasProfile);
    w.Text(seat.name, kMaxNameBytes);
    w.U16(static_cast<uint32_t>(seat.face));
    w.U8(static_cast<uint32_t>(seat.state));
}
SeatModel ReadSeat(Reader& r) {
    SeatModel seat;
    seat.occupied = r.Flag();
    seat.present = r.Flag();
    seat.hasProfile = r.Flag();
    seat.name = r.Text(kMaxNameBytes);
    seat.face = static_cast<int>(r.U16());
    seat.state = r.Within(static_cast<int>(r.U8()), 0, 4);
    return seat;
}

// ---- Client messages ----
void Write(Writer& w, const Hello& m) {
    w.U16(m.version);
    w.Text(m.name, kMaxNameBytes);
    w.U16(static_cast<uint32_t>(m.face));
    w.U8(m.resume.has_value());
    if (m.resume) WriteToken(w, *m.resume);
}
void Read(Reader& r, Hello& m) {
    m.version = static_cast<uint16_t>(r.U16());
    m.name = r.Text(kMaxNameBytes);
    m.face = static_cast<int>(r.U16());
    if (r.Flag()) m.resume = ReadToken(r);
}
void Write(Writer& w, const ListTables& m) {
    w.U32(m.page);
    w.U8(m.openSeatsOnly);
    w.Text(m.player, kMaxNameBytes);
    w.U32(m.tableId);
}
void Read(Reader& r, ListTables& m) {
    m.page = r.U32();
    m.openSeatsOnly = r.Flag();
    m.player = r.Text(kMaxNameBytes);
    m.tableId = r.U32();
}
void Write(Writer& w, const CreateTable& m) { w.Text(m.password, kMaxPasswordBytes); }
void Read(Reader& r, CreateTable& m) { m.password = r.Text(kMaxPasswordBytes); }
void Write(Writer& w, const TakeSeat& m) {
    w.U32(m.tableId);
    w.U8(static_cast<uint32_t>(m.seat == kOnlookerSeat ? 0xFF : m.seat));
    w.Text(m.password, kMaxPasswordBytes);
}
void Read(Reader& r, TakeSeat& m) {
    m.tableId = r.U32();
    const int seat = static_cast<int>(r.U8());
    m.seat = seat == 0xFF ? kOnlookerSeat : r.Within(seat, 0, 1);
    m.password = r.Text(kMaxPasswordBytes);
}
void Write(Writer&, const LeaveTable&) {}
void Read(Reader&, LeaveTable&) {}
void Write(Writer&, const Ready&) {}
void Read(Reader&, Ready&) {}
void Write(Writer& w, const SendCommand& m) {
    w.U8(m.command);
    w.Payload(m.data);
}
void Read(Reader& r, SendCommand& m) {
    m.command = static_cast<uint8_t>(r.U8());
    m.data = r.Payload();
}
void Write(Writer& w, const SeatEngine& m) {
    w.U32(m.tableId);
    w.U8(static_cast<uint32_t>(m.seat));
    w.U8(static_cast<uint32_t>(m.level));
}
void Read(Reader& r, SeatEngine& m) {
    m.tableId = r.U32();
    m.seat = r.Within(static_cast<int>(r.U8()), 0, 1);
    m.level = r.Within(static_cast<int>(r.U8()), 1, 10);
}

void Write(Writer&, const ListGames&) {}
void Read(Reader&, ListGames&) {}
void WriteFormat(Writer& w, GameFormat format) { w.U8(static_cast<uint32_t>(format)); }
GameFormat ReadFormat(Reader& r) { return static_cast<GameFormat>(r.Within(static_cast<int>(r.U8()), 0, 1)); }
void Write(Writer& w, const FetchGame& m) {
    w.I64(m.id);
    WriteFormat(w, m.format);
}
void Read(Reader& r, FetchGame& m) {
    m.id = r.I64();
    m.format = ReadFormat(r);
}

// ---- Server messages ----
void Write(Writer& w, const Welcome& m) {
    w.U16(m.version);
    WriteToken(w, m.resume);
    w.U8(m.resumed);
}
void Read(Reader& r, Welcome& m) {
    m.version = static_cast<uint16_t>(r.U16());
    m.resume = ReadToken(r);
    m.resumed = r.Flag();
}
void Write(Writer& w, const Refusal& m) { w.Text(m.reason, kMaxTextBytes); }
void Read(Reader& r, Refusal& m) { m.reason = r.Text(kMaxTextBytes); }
void Write(Writer& w, const LobbySummary& m) {
    w.U32(m.tables);
    w.U32(m.players);
    w.U32(m.gamesRunning);
}
void Read(Reader& r, LobbySummary& m) {
    m.tables = r.U32();
    m.players = r.U32();
    m.gamesRunning = r.U32();
}
void WriteTables(Writer& w, const std::vector<LobbyTable>& tables) {
    const size_t count = std::min(tables.size(), kMaxLobbyTables);
    w.U16(static_cast<uint32_t>(count));
    for (size_t i = 0; i < count; ++i) {
        const LobbyTable& t = tables[i];
        w.U32(t.tableId);
        WriteStatus(w, t.status);
        w.U8(t.isPrivate);
        for (const SeatModel& seat : t.seats) WriteSeat(w, seat);
        w.U16(t.onlookers);
        w.Text(t.rules, kMaxTextBytes);
    }
}
void ReadTables(Reader& r, std::vector<LobbyTable>& tables) {
    const size_t count = r.U16();
    if (count > kMaxLobbyTables) r.Fail();
    for (size_t i = 0; i < count && r.ok(); ++i) {
        LobbyTable t;
        t.tableId = r.U32();
        t.status = ReadStatus(r);
        t.isPrivate = r.Flag();
        for (SeatModel& seat : t.seats) seat = ReadSeat(r);
        t.onlookers = static_cast<uint16_t>(r.U16());
        t.rules = r.Text(kMaxTextBytes);
        tables.push_back(std::move(t));
    }
}
void Write(Writer& w, const Lobby& m) {
    Write(w, m.summary);
    w.U32(m.page);
    w.U32(m.matching);
    WriteTables(w, m.tables);
}
void Read(Reader& r, Lobby& m) {
    Read(r, m.summary);
    m.page = r.U32();
    m.matching = r.U32();
    ReadTables(r, m.tables);
}
void Write(Writer& w, const LobbyChanges& m) {
    Write(w, m.summary);
    WriteTables(w, m.tables);
}
void Read(Reader& r, LobbyChanges& m) {
    Read(r, m.summary);
    ReadTables(r, m.tables);
}
void Write(Writer& w, const TableState& m) {
    w.U32(static_cast<uint32_t>(m.table.tableId));
    WriteStatus(w, m.table.status);
    w.I32(m.table.rights);
    w.U8(static_cast<uint32_t>(m.table.IsPlayer() ? m.table.mySeat : 0xFF));
    for (const SeatModel& seat : m.table.seats) WriteSeat(w, seat);
}
void Read(Reader& r, TableState& m) {
    m.table.tableId = static_cast<int>(r.U32());
    m.table.status = ReadStatus(r);
    m.table.rights = r.I32();
    const int seat = static_cast<int>(r.U8());
    m.table.mySeat = seat == 0xFF ? kOnlookerSeat : r.Within(seat, 0, 1);
    for (SeatModel& s : m.table.seats) s = ReadSeat(r);
}
void Write(Writer& w, const SeatChange& m) {
    w.U8(static_cast<uint32_t>(m.seat));
    w.I32(m.kind);
    w.I32(m.value);
}
void Read(Reader& r, SeatChange& m) {
    m.seat = r.Within(static_cast<int>(r.U8()), 0, 1);
    m.kind = r.I32();
    m.value = r.I32();
}
void Write(Writer& w, const Command& m) {
    w.U8(m.command);
    w.Payload(m.data);
}
void Read(Reader& r, Command& m) {
    m.command = static_cast<uint8_t>(r.U8());
    m.data = r.Payload();
}
void Write(Writer& w, const Snapshot& m) { w.Payload(m.bytes); }
void Read(Reader& r, Snapshot& m) { m.bytes = r.Payload(); }
void Write(Writer&, const GameStart&) {}
void Read(Reader&, GameStart&) {}
void Write(Writer& w, const GameOver& m) { w.Raw(m.result); }
void Read(Reader& r, GameOver& m) {
    const std::span<const uint8_t> bytes = r.Take(m.result.size());
    if (!bytes.empty()) std::memcpy(m.result.data(), bytes.data(), m.result.size());
}
void Write(Writer& w, const SystemLine& m) { w.Text(m.text, kMaxTextBytes); }
void Read(Reader& r, SystemLine& m) { m.text = r.Text(kMaxTextBytes); }

void Write(Writer& w, const GameList& m) {
    const size_t count = std::min(m.games.size(), kMaxListedGames);
    w.U16(static_cast<uint32_t>(count));
    for (size_t i = 0; i < count; ++i) {
        const ArchivedGameEntry& g = m.games[i];
        w.I64(g.id);
        w.U32(g.tableId);
        w.Text(g.started, kMaxTextBytes);
        w.Text(g.ended, kMaxTextBytes);
        w.Text(g.black, kMaxNameBytes);
        w.Text(g.white, kMaxNameBytes);
        w.Text(g.result, kMaxTextBytes);
        w.U32(static_cast<uint32_t>(g.moves));
    }
}
void Read(Reader& r, GameList& m) {
    const size_t count = r.U16();
    if (count > kMaxListedGames) r.Fail();
    for (size_t i = 0; i < count && r.ok(); ++i) {
        ArchivedGameEntry g;
        g.id = r.I64();
        g.tableId = r.U32();
        g.started = r.Text(kMaxTextBytes);
        g.ended = r.Text(kMaxTextBytes);
        g.black = r.Text(kMaxNameBytes);
        g.white = r.Text(kMaxNameBytes);
        g.result = r.Text(kMaxTextBytes);
        g.moves = static_cast<int>(r.Within(static_cast<int>(r.U32()), 0, 1 << 20));
        m.games.push_back(std::move(g));
    }
}
void Write(Writer& w, const GameFile& m) {
    w.I64(m.id);
    WriteFormat(w, m.format);
    w.Payload(m.bytes);
}
void Read(Reader& r, GameFile& m) {
    m.id = r.I64();
    m.format = ReadFormat(r);
    m.bytes = r.Payload();
}

void Write(Writer& w, const TableCreated& m) { w.U32(m.tableId); }
void Read(Reader& r, TableCreated& m) { m.tableId = r.U32(); }

template <class Variant>
std::vector<uint8_t> EncodeWith(const Variant& message, uint8_t tagBase) {
    Writer w;
    w.U8(tagBase + static_cast<uint32_t>(message.index()));
    std::visit([&w](const auto& m) { Write(w, m); }, message);
    return w.Take();
}

// The alternative of `Variant` at `index`, read from `r`.
template <class Variant, size_t I = 0>
std::optional<Variant> ReadAlternative(Reader& r, size_t index) {
    if constexpr (I == std::variant_size_v<Variant>) {
        return std::nullopt;
    } else {
        if (index != I) return ReadAlternative<Variant, I + 1>(r, index);
        std::variant_alternative_t<I, Variant> m;
        Read(r, m);
        return Variant(std::move(m));
    }
}

template <class Variant>
std::optional<Variant> DecodeWith(std::span<const uint8_t> bytes, uint8_t tagBase) {
    if (bytes.empty() || bytes.size() > kMaxMessageBytes || bytes[0] < tagBase) return std::nullopt;
    Reader r(bytes.subspan(1));
    std::optional<Variant> message = ReadAlternative<Variant>(r, bytes[0] - tagBase);
    if (!message || !r.AtEnd()) return std::nullopt;
    return message;
}

}  // namespace

std::vector<uint8_t> Encode(const ClientMessage& message) { return EncodeWith(message, 1); }
std::vector<uint8_t> Encode(const ServerMessage& message) { return EncodeWith(message, kServerTagBase); }
std::optional<ClientMessage> DecodeClientMessage(std::span<const uint8_t> bytes) {
    return DecodeWith<ClientMessage>(bytes, 1);
}
std::optional<ServerMessage> DecodeServerMessage(std::span<const uint8_t> bytes) {
    return DecodeWith<ServerMessage>(bytes, kServerTagBase);
}

}  // namespace hall::wire
