#include "hall/engine/engine_seat.h"

#include <QStandardPaths>
#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "hall/engine/gtp_vertex.h"
#include "match/chair.h"
#include "match/control_ids.h"
#include "match/table_rules.h"
#include "rules/handicap.h"
#include "rules/score_text.h"

namespace hall {

namespace {

using match::MatchState;
namespace control = match::control;

constexpr double kDrawMargin = 2.0;  // points either way within which a draw is fair

const char* ColorName(go::StoneColor color) { return color == go::kBlack ? "black" : "white"; }

// Every vertex of a whitespace-separated list; malformed ones are skipped.
std::vector<GtpMove> ParseVertexList(const std::string& text) {
    std::vector<GtpMove> points;
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        const std::optional<GtpMove> move = ParseGtpMove(word);
        if (move && move->kind == GtpMove::Kind::Point) points.push_back(*move);
    }
    return points;
}

// The stones of `dead` as GTP vertices, for the person to compare with his marks.
QString DeadStonesText(const std::set<std::pair<int, int>>& dead) {
    if (dead.empty()) return QStringLiteral("没有死子");
    QStringList points;
    for (const auto& [x, y] : dead) points << QString::fromStdString(GtpVertex(x, y));
    return points.join(QLatin1Char(' '));
}

bool InHandicapRange(int handicap) { return handicap == 0 || handicap == 1 || go::LookUpHandicap(handicap).has_value(); }

bool SameSetUp(const go::GameRules& a, const go::GameRules& b) {
    return a.handicap == b.handicap && a.komi == b.komi && a.mainTime == b.mainTime &&
           a.byoyomiSeconds == b.byoyomiSeconds && a.byoyomiCount == b.byoyomiCount;
}

}  // namespace

QString FindGnuGo() {
    // An explicit choice wins, found or not, so that a wrong one is reported rather than ignored.
    if (const QString chosen = qEnvironmentVariable("GOHALL_GNUGO"); !chosen.isEmpty()) return chosen;
    QString found = QStandardPaths::findExecutable(QStringLiteral("gnugo"));
    if (found.isEmpty()) found = QStandardPaths::findExecutable(QStringLiteral("gnugo"), {QStringLiteral("/usr/games")});
    return found;
}

EngineSeat::EngineSeat(TableDriver& driver, EngineOptions options, QObject* parent)
    : EngineSeat(driver.server(), [&driver] { driver.Schedule(); }, std::move(options), parent) {}

EngineSeat::EngineSeat(TableServer& server, std::function<void()> schedule, EngineOptions options, QObject* parent)
    : QObject(parent), m_server(server), m_schedule(std::move(schedule)), m_options(std::move(options)), m_seat(server) {
    m_seat.mailArrived = [this] { SchedulePump(); };
    m_seat.answerQuestion = [this](const match::effect::Ask& ask) { return Decide(ask); };
    m_seat.answerRules = [this](const match::effect::OpenRulesDialog& open, go::GameRules& record) {
        return ChooseRules(open, record);
    };
    m_gtp.failed = [this](const QString& why) { Failed(why); };
    // Its own clock, as a view's: it reports its own time-outs.
    m_clock.setInterval(1000);
    connect(&m_clock, &QTimer::timeout, this, [this] {
        m_seat.Tick();
        m_schedule();
    });
    m_clock.start();
    m_markingStill.setSingleShot(true);
    connect(&m_markingStill, &QTimer::timeout, this, &EngineSeat::ForceCount);
}

EngineSeat::~EngineSeat() {
    m_seat.mailArrived = nullptr;
    m_gtp.failed = nullptr;
}

bool EngineSeat::StartEngine(QString* error) {
    // How to get GNU Go, said with every failure to find or start it.
    const QString help = QStringLiteral("请安装 GNU Go（Debian、Ubuntu：sudo apt-get install gnugo），"
                                        "或用环境变量 GOHALL_GNUGO 指明 gnugo 程序的位置。");
    const QString program = m_options.program.isEmpty() ? FindGnuGo() : m_options.program;
    if (program.isEmpty()) {
        if (error != nullptr) *error = QStringLiteral("没有找到 GNU Go（gnugo）。") + help;
        return false;
    }
    const QStringList arguments = m_options.arguments.isEmpty() ? QStringList{QStringLiteral("--mode"), QStringLiteral("gtp")}
                                                                : m_options.arguments;
    QString why;
    if (!m_gtp.Start(program, arguments, &why)) {
        if (error != nullptr) *error = QStringLiteral("无法启动 GNU Go（%1）。").arg(why) + help;
        return false;
    }
    m_engineRules.reset();
    m_engineMoves.clear();
    m_busy = false;
    m_illegalAnswers = 0;
    return true;
}

bool EngineSeat::Join(int seat, SeatUserInfo user, QString* error) {
    if (!StartEngine(error)) return false;
    if (!m_seat.Join(seat, std::move(user))) {
        if (error != nullptr) *error = QStringLiteral("the seat is taken");
        return false;
    }
    SchedulePump();
    return true;
}

bool EngineSeat::Restart(QString* error) {
    if (!StartEngine(error)) return false;
    // Whatever was open when it failed is asked again by the table or the person.
    m_markedPhase = -1;
    m_countProposedPhase = -1;
    m_server.SubmitPresence(m_seat.id(), true);
    m_schedule();
    SchedulePump();
    return true;
}

void EngineSeat::Failed(const QString& why) {
    m_busy = false;
    m_engineRules.reset();
    m_server.SubmitPresence(m_seat.id(), false);
    m_schedule();
    if (tell) tell(QStringLiteral("GNU Go %1，已停止对局。棋局仍在，可以重新启动引擎接着下。").arg(why));
}

void EngineSeat::SchedulePump() {
    if (m_pumpScheduled) return;
    m_pumpScheduled = true;
    QTimer::singleShot(0, this, &EngineSeat::Pump);
}

void EngineSeat::Pump() {
    m_pumpScheduled = false;
    const int before = m_seat.game().PlayedCount();
    const bool news = m_seat.Pump() > 0;
    // Anything arriving while the dead stones are marked is the other side still at it.
    if (news && m_seat.controller().state() == MatchState::MarkingDead) {
        m_markingStill.start(m_options.markingPatience);
    }
    const auto& moves = m_seat.game().moves();
    if (stoneArrived && m_seat.game().PlayedCount() == before + 1 && !moves.empty() && moves.back().color != myColor()) {
        stoneArrived();
    }
    m_schedule();
    Think();
}

void EngineSeat::Send(const std::string& command, GtpClient::Done done) {
    m_gtp.Send(command, std::move(done), m_options.commandTimeout);
}

void EngineSeat::Analyse(const std::string& command, GtpClient::Done done) {
    // Reading the whole board takes as long as thinking of a move.
    m_gtp.Send(command, std::move(done), m_options.moveTimeout);
}

QString EngineSeat::Describe() const {
    const match::MatchController& match = m_seat.controller();
    const go::Game& game = m_seat.game();
    QString gtp;
    if (!m_gtp.running()) {
        gtp = QStringLiteral("engine stopped");
    } else if (const std::string waiting = m_gtp.waitingFor(); !waiting.empty()) {
        gtp = QStringLiteral("engine answering \"%1\" for %2 s, %3 queued")
                  .arg(QString::fromStdString(waiting))
                  .arg(static_cast<double>(m_gtp.waitingMs()) / 1000.0, 0, 'f', 1)
                  .arg(m_gtp.pending() - 1);
    } else {
        gtp = QStringLiteral("engine idle");
    }
    return QStringLiteral("%1 (%2): %3, %4; its board in mode %5 with %6 moves, %7 to move; "
                          "pending undo %8 clear %9 count %10; asked to clear at %11 moves; "
                          "marking phase %12, marked in %13, count proposed in %14; mail %15")
        .arg(m_seat.table().mySeat)
        .arg(QString::fromLatin1(ColorName(myColor())))
        .arg(m_busy ? QStringLiteral("busy") : QStringLiteral("not busy"), gtp)
        .arg(static_cast<int>(match.state()))
        .arg(game.PlayedCount())
        .arg(QString::fromLatin1(ColorName(game.GetSideToMove())))
        .arg(match.undoPending())
        .arg(match.clearPending())
        .arg(match.countPending())
        .arg(m_clearAskedAt)
        .arg(m_markingPhase)
        .arg(m_markedPhase)
        .arg(m_countProposedPhase)
        .arg(m_seat.HasMail() ? QStringLiteral("waiting") : QStringLiteral("none"));
}

// ---- Deciding ----

bool EngineSeat::MyTurn() const {
    const match::MatchController& match = m_seat.controller();
    return m_seat.controller().state() == MatchState::Playing &&
           m_seat.table().status == TableStatus::InGame && m_seat.game().GetSideToMove() == myColor() &&
           !match.undoPending() && !match.clearPending() && !match.countPending();
}

bool EngineSeat::MarksAre(const std::set<std::pair<int, int>>& dead) const {
    for (int x = 0; x < go::kBoardSize; ++x) {
        for (int y = 0; y < go::kBoardSize; ++y) {
            const go::BoardCell cell = m_seat.game().position().GetCell(x, y);
            if (cell.color > go::kWhite) continue;
            if ((cell.mark == go::kMarkDead) != (dead.count({x, y}) != 0)) return false;
        }
    }
    return true;
}

bool EngineSeat::BothPassedLast() const {
    const auto& moves = m_seat.game().moves();
    return moves.size() >= 2 && moves[moves.size() - 1].isPass() && moves[moves.size() - 2].isPass();
}

void EngineSeat::Think() {
    if (!m_gtp.running() || m_busy || m_seat.closed()) return;
    const MatchState state = m_seat.controller().state();
    if (state != m_lastState) {
        if (state == MatchState::MarkingDead) ++m_markingPhase;
        m_lastState = state;
    }
    const TableModel& table = m_seat.table();
    const int mySeat = table.mySeat;
    if (mySeat != 0 && mySeat != 1) return;
    if (table.status == TableStatus::BeforeGame) {
        const bool otherReady = table.seats[match::OtherChair(mySeat)].occupied && table.seats[match::OtherChair(mySeat)].state == 1;
        if (table.seats[mySeat].state == 0 && (otherReady || m_options.readyFirst) && m_seat.Press(control::kStart)) {
            m_schedule();
        }
        return;
    }
    if (table.status != TableStatus::InGame) return;
    if (state == MatchState::Playing) {
        // Both sides passed: time to clear the dead stones, asked once for each pair of passes.
        const size_t moves = m_seat.game().moves().size();
        if (BothPassedLast() && m_clearAskedAt != moves && m_seat.Press(control::kClearDead)) {
            m_clearAskedAt = moves;
            m_schedule();
            return;
        }
        if (MyTurn()) GenerateMove();
        return;
    }
    if (state != MatchState::MarkingDead) return;
    if (m_markedPhase != m_markingPhase) {
        MarkOwnDeadStones();
        return;
    }
    // The position is settled when every stone it thinks dead is marked, the other side's too.
    const match::MatchController& match = m_seat.controller();
    if (m_countProposedPhase != m_markingPhase && !match.countPending() && !match.clearPending() && MarksAre(m_dead)) {
        m_countProposedPhase = m_markingPhase;
        if (m_seat.Press(control::kClearDead)) m_schedule();
    }
    if (!m_markingStill.isActive()) m_markingStill.start(m_options.markingPatience);
}

void EngineSeat::ForceCount() {
    const match::MatchController& match = m_seat.controller();
    if (m_seat.controller().state() != MatchState::MarkingDead || m_seat.table().status != TableStatus::InGame) {
        return;
    }
    // Still reading its own marks, or a question waits: it is not the other side that keeps still.
    if (m_busy || m_markedPhase != m_markingPhase || match.countPending() || match.clearPending()) {
        m_markingStill.start(m_options.markingPatience);
        return;
    }
    // A count refused, or never asked for because each side keeps some of the other's stones
    // dead: both have passed, and the hall's rule then is that the table counts the marks.
    if (tell) tell(QStringLiteral("GNU Go 与对方对死子没有一致，申请强制数目。"));
    if (m_seat.Press(control::kForcedCount)) m_schedule();
}

std::optional<match::Answer> EngineSeat::Decide(const match::effect::Ask& ask) {
    using match::Answer;
    using match::Question;
    switch (ask.question) {
        // Its own steps, which it has decided already.
        case Question::ConfirmPass:
        case Question::ConfirmResign:
        case Question::RequestCount:
        case Question::ConfirmForcedCount: return Answer::Yes;
        // The table keeps the allowance.
        case Question::AnswerUndo: return Answer::Yes;
        case Question::AnswerClearDead: return BothPassedLast() ? Answer::Yes : Answer::No;
        case Question::AnswerDraw:
            if (!m_gtp.running()) return Answer::No;
            QTimer::singleShot(0, this, &EngineSeat::AnswerDraw);
            return std::nullopt;
        case Question::AnswerCount:
            if (!m_gtp.running()) return Answer::No;
            QTimer::singleShot(0, this, &EngineSeat::AnswerCount);
            return std::nullopt;
        // The table keeps the game; the engine keeps no records.
        default: return Answer::No;
    }
}

match::RulesChoice EngineSeat::ChooseRules(const match::effect::OpenRulesDialog& open, go::GameRules& record) const {
    if (!open.counterProposalAllowed) {
        // Its own proposal: its rules, unless the table fixed them, and its colour.
        if (open.editable) record = m_options.proposal;
        record.side = m_options.proposal.side;
        return match::RulesChoice::Ok;
    }
    if (InHandicapRange(record.handicap)) return match::RulesChoice::Ok;
    record.handicap = 0;  // stones it cannot place: it offers an even game instead
    return match::RulesChoice::ReApply;
}

// ---- The engine's game ----

void EngineSeat::SetUpEngine() {
    const go::GameRules& rules = m_seat.controller().currentRules();
    Send("boardsize 19");
    Send("clear_board");
    Send("komi " + go::FormatScore(rules.komi));
    Send("level " + std::to_string(std::clamp(m_options.level, 1, 10)));
    const int periods = rules.byoyomiSeconds > 0 ? 1 : 0;
    Send("time_settings " + std::to_string(rules.mainTime) + " " + std::to_string(rules.byoyomiSeconds) + " " +
         std::to_string(periods));
    m_engineRules = rules;
    m_engineMoves.clear();
}

void EngineSeat::Sync(std::function<void()> then) {
    const go::Game& game = m_seat.game();
    const go::GameRules& rules = m_seat.controller().currentRules();
    const std::vector<go::MoveRecord>& moves = game.moves();
    bool prefix = m_engineMoves.size() <= moves.size();
    for (size_t i = 0; prefix && i < m_engineMoves.size(); ++i) {
        prefix = m_engineMoves[i].color == moves[i].color && m_engineMoves[i].x == moves[i].x && m_engineMoves[i].y == moves[i].y;
    }
    if (!m_engineRules || !SameSetUp(*m_engineRules, rules)) {
        SetUpEngine();
    } else if (!prefix) {
        // An undo, a snapshot, a new game: the engine replays the table's game from the start.
        Send("clear_board");
        m_engineMoves.clear();
    }
    if (m_engineMoves.empty()) {
        if (const auto layout = go::LookUpHandicap(rules.handicap); layout && !layout->stones.empty()) {
            std::string command = "set_free_handicap";
            for (const go::BoardPoint& p : layout->stones) command += " " + GtpVertex(p.x, p.y);
            Send(command);
        }
    }
    for (size_t i = m_engineMoves.size(); i < moves.size(); ++i) {
        const go::MoveRecord& m = moves[i];
        Send(std::string("play ") + ColorName(m.color) + " " + (m.isPass() ? std::string("pass") : GtpVertex(m.x, m.y)),
             [this](const GtpReply& reply) {
                 if (!reply.ok) m_engineRules.reset();  // out of step: set up afresh next time
             });
        m_engineMoves.push_back(m);
    }
    // Its clock as the table keeps it: main time left, or the running period for one stone.
    const match::MatchController& match = m_seat.controller();
    const int mainLeft = rules.mainTime - match.mainTimeUsed(true);
    const std::string clock = mainLeft > 0 ? std::to_string(mainLeft) + " 0" : std::to_string(std::max(1, match.periodLeft())) + " 1";
    Send("time_left " + std::string(ColorName(myColor())) + " " + clock, [then = std::move(then)](const GtpReply&) { then(); });
}

void EngineSeat::GenerateMove() {
    m_busy = true;
    Sync([this] {
        m_gtp.Send(std::string("genmove ") + ColorName(myColor()),
                   [this](const GtpReply& reply) { PlayGenerated(reply); }, m_options.moveTimeout);
    });
}

void EngineSeat::PlayGenerated(const GtpReply& reply) {
    m_busy = false;
    const std::optional<GtpMove> move = reply.ok ? ParseGtpMove(reply.text) : std::nullopt;
    const go::StoneColor color = myColor();
    // What the engine played on its own board, whether or not the table takes it.
    if (move && move->kind == GtpMove::Kind::Point) {
        m_engineMoves.push_back({color, static_cast<uint8_t>(move->x), static_cast<uint8_t>(move->y)});
    } else if (move && move->kind == GtpMove::Kind::Pass) {
        m_engineMoves.push_back({color, go::kNoCoord, go::kNoCoord});
    }
    if (!MyTurn()) return;  // the game moved on meanwhile; the next turn syncs it
    const go::Game& game = m_seat.game();
    const bool legal = move && (move->kind != GtpMove::Kind::Point || game.IsLegalMove(color, move->x, move->y));
    if (!legal) {
        if (tell) tell(QStringLiteral("GNU Go 的着法不合规则：%1").arg(QString::fromStdString(reply.text).left(40)));
        m_engineRules.reset();  // its board is not ours: set up afresh and ask once more
        if (++m_illegalAnswers < 2) {
            SchedulePump();
            return;
        }
        m_illegalAnswers = 0;
        // Rather than a corrupted game: the game is given up.
        if (match::MayResign(game.PlayedCount())) {
            m_seat.Press(control::kResign);
        } else {
            m_server.SubmitLeave(m_seat.id());
        }
        m_schedule();
        return;
    }
    m_illegalAnswers = 0;
    if (moveAnswered) moveAnswered();
    // Simple ko lets two engines repeat a cycle of captures for ever; a game this long is one,
    // and passing lets it end.
    if (game.PlayedCount() >= match::kLongestEngineGame) {
        m_seat.Press(control::kPass);
        m_schedule();
        return;
    }
    switch (move->kind) {
        case GtpMove::Kind::Point: m_seat.Click(move->x, move->y); break;
        case GtpMove::Kind::Pass: m_seat.Press(control::kPass); break;
        case GtpMove::Kind::Resign:
            // Too early to resign at the table: it passes instead.
            if (match::MayResign(game.PlayedCount())) {
                m_seat.Press(control::kResign);
            } else {
                m_seat.Press(control::kPass);
            }
            break;
    }
    m_schedule();
}

void EngineSeat::MarkOwnDeadStones() {
    m_busy = true;
    Sync([this] {
        Analyse("final_status_list dead", [this, phase = m_markingPhase](const GtpReply& reply) {
            m_busy = false;
            m_markedPhase = phase;
            m_dead.clear();
            for (const GtpMove& p : ParseVertexList(reply.text)) m_dead.insert({p.x, p.y});
            if (!reply.ok || m_markingPhase != phase ||
                m_seat.controller().state() != MatchState::MarkingDead) {
                SchedulePump();
                return;
            }
            for (const GtpMove& p : ParseVertexList(reply.text)) {
                const go::BoardCell cell = m_seat.game().position().GetCell(p.x, p.y);
                if (cell.color == myColor() && cell.mark != go::kMarkDead) m_seat.Click(p.x, p.y);
            }
            m_schedule();
            SchedulePump();
        });
    });
}

void EngineSeat::AnswerCount() {
    Sync([this] {
        Analyse("final_status_list dead", [this](const GtpReply& reply) {
            // The count is right when the stones marked dead are exactly those it thinks dead.
            std::set<std::pair<int, int>> dead;
            for (const GtpMove& p : ParseVertexList(reply.text)) dead.insert({p.x, p.y});
            const bool same = reply.ok && MarksAre(dead);
            if (!same && tell) tell(QStringLiteral("GNU Go 认为死子没有标对：%1").arg(DeadStonesText(dead)));
            m_seat.Answer(match::Question::AnswerCount, same ? match::Answer::Yes : match::Answer::No);
            m_schedule();
        });
    });
}

void EngineSeat::AnswerDraw() {
    Sync([this] {
        Analyse("estimate_score", [this](const GtpReply& reply) {
            // "W+3.5 (upper bound: …)" or "B+…" or "0"
            bool fair = false;
            if (reply.ok) {
                const std::string& text = reply.text;
                if (text.rfind("0", 0) == 0) {
                    fair = true;
                } else if (text.size() > 2 && text[1] == '+') {
                    fair = std::strtod(text.c_str() + 2, nullptr) <= kDrawMargin;
                }
            }
            m_seat.Answer(match::Question::AnswerDraw, fair ? match::Answer::Yes : match::Answer::No);
            m_schedule();
        });
    });
}

}  // namespace hall
