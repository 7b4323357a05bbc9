// Between the ".go" record and SGF: our games out with their breakpoints and back, other
// programs' files in with their code pages, setups, passes and oddities, and clear refusals.

#include "record/sgf_record.h"

#include <gtest/gtest.h>

#include <random>

#include "record/record_replay.h"
#include "rules/game.h"
#include "rules/handicap.h"

namespace go {
namespace {

const std::string kBlackNameGbk = "\xba\xda\xc6\xe5\xca\xd6";  // 黑棋手
const std::string kWhiteNameGbk = "\xb0\xd7\xc6\xe5\xca\xd6";  // 白棋手

// Random legal moves from the position on `board`, a pass when no tried point is legal.
std::vector<MoveRecord> RandomGame(Game& board, int count, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<MoveRecord> moves;
    while (static_cast<int>(moves.size()) < count) {
        const StoneColor color = board.GetSideToMove();
        MoveRecord move{color, kNoCoord, kNoCoord};
        for (int attempt = 0; attempt < 100; ++attempt) {
            const auto x = static_cast<uint8_t>(rng() % kBoardSize);
            const auto y = static_cast<uint8_t>(rng() % kBoardSize);
            if (board.IsLegalMove(color, x, y)) {
                move = {color, x, y};
                break;
            }
        }
        EXPECT_TRUE(board.Play(move.color, move.x, move.y));
        moves.push_back(move);
    }
    return moves;
}

std::vector<uint8_t> Bytes(const std::vector<MoveRecord>& moves) {
    std::vector<uint8_t> bytes;
    for (const MoveRecord& m : moves) bytes.insert(bytes.end(), {m.color, m.x, m.y});
    return bytes;
}

// Every point's colour after replaying a record as the view does.
std::vector<int> Position(const GameRules& rules, std::span<const uint8_t> moveBytes) {
    Game board;
    EXPECT_TRUE(ReplayRecordOnBoard(board, rules, moveBytes));
    std::vector<int> colors;
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) colors.push_back(board.position().GetCell(x, y).color);
    }
    return colors;
}

TEST(SgfRecord, AHandicapGameWithTwoBreakpointsGoesOutAndComesBack) {
    GameRecordHeader header;
    header.names = {kBlackNameGbk, kWhiteNameGbk};
    header.rules.handicap = 4;
    header.rules.komi = 75;
    header.rules.mainTime = 1800;
    header.rules.byoyomiSeconds = 40;
    header.rules.byoyomiCount = 5;
    Game board;
    board.Restart(4, 75);
    const std::vector<MoveRecord> moves = RandomGame(board, 250, 7);
    // Two breakpoints of the study: lines that left the game at moves 101 and 181.
    std::vector<std::vector<MoveRecord>> breakpoints;
    for (const size_t leave : {100u, 180u}) {
        Game study;
        study.Restart(4, 75);
        for (size_t i = 0; i < leave; ++i) ASSERT_TRUE(study.Play(moves[i].color, moves[i].x, moves[i].y));
        std::vector<MoveRecord> line(moves.begin(), moves.begin() + static_cast<std::ptrdiff_t>(leave));
        std::vector<MoveRecord> rest;
        do {
            ASSERT_TRUE(study.Replay(line));
            rest = RandomGame(study, 12, static_cast<uint32_t>(leave));
        } while (rest.front() == moves[leave]);
        line.insert(line.end(), rest.begin(), rest.end());
        breakpoints.push_back(line);
    }

    SgfGame game = SgfFromRecord(header, Bytes(moves), "B+R");
    for (const auto& line : breakpoints) AddVariation(game, line);
    ASSERT_EQ(game.variations.size(), 2u);
    const std::string text = WriteSgf(game);
    EXPECT_NE(text.find("PB[黑棋手]PW[白棋手]"), std::string::npos) << "the names in UTF-8";
    EXPECT_NE(text.find("KM[0.0]HA[4]AB[dd][dp][pd][pp]"), std::string::npos) << "a handicap game has no komi";
    EXPECT_NE(text.find("TM[1800]OT[5x40 byo-yomi]"), std::string::npos);

    const SgfReadResult read = ReadSgf(text);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.game.moves, moves);
    const std::vector<SgfGame::Variation> expected = {
        {180, std::vector<MoveRecord>(breakpoints[1].begin() + 180, breakpoints[1].end())},
        {100, std::vector<MoveRecord>(breakpoints[0].begin() + 100, breakpoints[0].end())},
    };
    EXPECT_EQ(read.game.variations, expected) << "the later branch sits inside the main line's, so it comes first";

    const RecordFromSgfResult loaded = RecordFromSgf(text);
    ASSERT_TRUE(loaded.ok) << loaded.message;
    EXPECT_EQ(loaded.message, "");
    EXPECT_EQ(loaded.header.names, header.names) << "GBK again";
    EXPECT_EQ(loaded.header.rules.handicap, 4);
    EXPECT_EQ(int{loaded.header.rules.komi}, 0);
    EXPECT_EQ(loaded.header.rules.mainTime, 1800);
    EXPECT_EQ(loaded.header.rules.byoyomiSeconds, 40);
    EXPECT_EQ(int{loaded.header.rules.byoyomiCount}, 5);
    EXPECT_EQ(loaded.result, "B+R");
    EXPECT_EQ(loaded.moveBytes, Bytes(moves));
    EXPECT_EQ(Position(loaded.header.rules, loaded.moveBytes), Position(header.rules, Bytes(moves)));
}

TEST(SgfRecord, AVariationIsAddedOnlyWhereItIsNew) {
    SgfGame game;
    game.moves = {{kBlack, 1, 1}, {kWhite, 2, 2}, {kBlack, 3, 3}};
    AddVariation(game, std::span(game.moves).first(2));
    AddVariation(game, std::vector(game.moves));
    EXPECT_TRUE(game.variations.empty()) << "a prefix of the main line, and the main line itself";
    const std::vector<MoveRecord> line = {{kBlack, 1, 1}, {kWhite, 5, 5}, {kBlack, 6, 6}};
    AddVariation(game, line);
    AddVariation(game, line);
    AddVariation(game, std::span(line).first(2));
    ASSERT_EQ(game.variations, (std::vector<SgfGame::Variation>{{1, {{kWhite, 5, 5}, {kBlack, 6, 6}}}}));
    std::vector<MoveRecord> longer = line;
    longer.push_back({kWhite, 7, 7});
    AddVariation(game, longer);
    ASSERT_EQ(game.variations.size(), 1u);
    EXPECT_EQ(game.variations[0].moves.size(), 3u) << "a breakpoint further down the same line lengthens it";
    std::vector<MoveRecord> beyond = game.moves;
    beyond.push_back({kWhite, 8, 8});
    AddVariation(game, beyond);
    ASSERT_EQ(game.variations.size(), 2u);
    EXPECT_EQ(game.variations[1].from, 3u) << "a line going on past the main line's end";
}

TEST(SgfRecord, OurSgfOfARecordHoldsWhatTheRulesReplay) {
    GameRecordHeader header;
    header.rules.handicap = 1;  // black first without stones, no komi
    header.rules.mainTime = kUnlimitedMainTime;
    // The third move plays on an occupied point; the partial record after it is no move either.
    const SgfGame game = SgfFromRecord(header, std::vector<uint8_t>{0, 3, 3, 1, 4, 4, 0, 3, 3, 1, 5, 5, 0, 6});
    EXPECT_EQ(game.moves, (std::vector<MoveRecord>{{kBlack, 3, 3}, {kWhite, 4, 4}}));
    EXPECT_EQ(game.handicap, 0);
    EXPECT_TRUE(game.blackSetup.empty());
    EXPECT_EQ(game.komiTenths, 0);
    EXPECT_EQ(game.mainTimeSeconds, -1) << "no limit is no TM";
    EXPECT_TRUE(game.result.empty());
    header.rules = GameRules();
    header.rules.komi = 65;
    EXPECT_EQ(SgfFromRecord(header, {}).komiTenths, 65);
}

TEST(SgfRecord, NamesAreDecodedByTheirCharsetIntoWholeGbkCharacters) {
    const RecordFromSgfResult gb = RecordFromSgf("(;CA[GB2312]PB[" + kBlackNameGbk + "]PW[" + kWhiteNameGbk + "];B[pd])");
    ASSERT_TRUE(gb.ok) << gb.message;
    EXPECT_EQ(gb.header.names, (std::array<std::string, 2>{kBlackNameGbk, kWhiteNameGbk}));
    const RecordFromSgfResult latin = RecordFromSgf("(;PB[Jos\xe9]PW[M\xfcller];B[pd])");
    ASSERT_TRUE(latin.ok);
    EXPECT_EQ(latin.header.names[kBlack], "Jos\xa8\xa6") << "é, which GBK holds";
    EXPECT_EQ(latin.header.names[kWhite], "M\xa8\xb9ller");
    const RecordFromSgfResult utf8 = RecordFromSgf("(;CA[UTF-8]PB[李昌镐\n😀];B[pd])");
    ASSERT_TRUE(utf8.ok);
    EXPECT_EQ(utf8.header.names[kBlack], "\xc0\xee\xb2\xfd\xb8\xe4 ?") << "a line break and a character GBK lacks";

    // Sixteen characters are 32 bytes: the field keeps fifteen, never half of the sixteenth.
    const RecordFromSgfResult longName = RecordFromSgf("(;CA[UTF-8]PB[一二三四五六七八九十一二三四五六];B[pd])");
    ASSERT_TRUE(longName.ok);
    EXPECT_EQ(longName.header.names[kBlack].size(), 30u);
    const ParsedGameRecord saved = ParseGameRecord(EncodeGameRecord(longName.header, longName.moveBytes));
    EXPECT_EQ(saved.header, longName.header);
}

TEST(SgfRecord, SetupStonesBecomeAHandicapOnlyWhenTheyAreItsLayout) {
    // Four stones as the table places them, with HA, without it, and listed in another order.
    for (const char* root : {"HA[4]AB[dd][dp][pd][pp]", "AB[pp][dd][pd][dp]", "HA[3]AB[dd:dd][dp][pd][pp]"}) {
        const RecordFromSgfResult loaded = RecordFromSgf(std::string("(;SZ[19]KM[0.5]") + root + ";W[jj])");
        ASSERT_TRUE(loaded.ok) << root << loaded.message;
        EXPECT_EQ(loaded.header.rules.handicap, 4) << root;
        EXPECT_EQ(loaded.message, "") << root;
        EXPECT_EQ(loaded.moveBytes, (std::vector<uint8_t>{1, 9, 9})) << root;
    }
    const RecordFromSgfResult nine = RecordFromSgf("(;HA[9]AB[dd][jd][pd][dj][jj][pj][dp][jp][pp];W[cc])");
    EXPECT_EQ(nine.header.rules.handicap, 9);

    // Free placement and white setup stones cannot be held: the moves load, and the user is told.
    const RecordFromSgfResult free = RecordFromSgf("(;HA[2]AB[dd][pp];W[jj];B[kk])");
    ASSERT_TRUE(free.ok);
    EXPECT_EQ(free.header.rules.handicap, 0);
    EXPECT_EQ(free.message, "棋谱开始时摆有棋子（黑2子、白0子），本棋谱格式不能保存，只载入了着手。\n"
                            "棋谱第1手不合规则，只载入了前0手。")
        << "without the stones white cannot begin";
    const RecordFromSgfResult problem = RecordFromSgf("(;AB[aa][ba]AW[ca][cb];B[ab];W[bb])");
    ASSERT_TRUE(problem.ok);
    EXPECT_EQ(problem.header.rules.handicap, 0);
    EXPECT_EQ(problem.moveBytes, (std::vector<uint8_t>{0, 0, 1, 1, 1, 1}));
    EXPECT_EQ(problem.message, "棋谱开始时摆有棋子（黑2子、白2子），本棋谱格式不能保存，只载入了着手。");
}

TEST(SgfRecord, AFileFromAnotherProgramLoadsItsMainLine) {
    const RecordFromSgfResult loaded = RecordFromSgf(
        "(;GM[1]FF[4]CA[GB2312]AP[Another:1.2]ST[2]RU[Chinese]SZ[19]KM[7.50]TM[3600]OT[25/300 Canadian]\n"
        "PB[" + kBlackNameGbk + "]BR[5d]PW[Lee]RE[W+R]GC[a match \\] with brackets]\n"
        ";B[pd]C[first \\\\ move]LB[dd:A][pp:1]TR[dp]SQ[pq]\n"
        ";W[dd](;B[pq]MA[aa];W[]CR[jj];B[tt];W[dp])(;B[qq];W[oo]))");
    ASSERT_TRUE(loaded.ok) << loaded.message;
    EXPECT_EQ(loaded.message, "");
    EXPECT_EQ(loaded.header.names[kBlack], kBlackNameGbk);
    EXPECT_EQ(int{loaded.header.rules.komi}, 75);
    EXPECT_EQ(loaded.header.rules.mainTime, 3600);
    EXPECT_EQ(int{loaded.header.rules.byoyomiCount}, int{GameRules().byoyomiCount}) << "Canadian overtime is no byo-yomi";
    EXPECT_EQ(loaded.result, "W+R");
    EXPECT_EQ(loaded.moveBytes, (std::vector<uint8_t>{0, 15, 3, 1, 3, 3, 0, 15, 16, 1, 255, 255, 0, 255, 255, 1, 3, 15}))
        << "passes written as W[] and B[tt]";
}

TEST(SgfRecord, RefusalsAndNoticesSayWhatHappenedInChinese) {
    EXPECT_EQ(RecordFromSgf("(;GM[1]SZ[13];B[dd];W[jj])").message, "不是19路的棋谱，不能载入。");
    EXPECT_EQ(RecordFromSgf("(;GM[1]SZ[19]PB[x]AB[dd])").message, "棋谱里没有着手。");
    EXPECT_EQ(RecordFromSgf("(;GM[1]SZ[19];B[dd]C[cut off").message, "SGF棋谱格式错误：第21字节开始的属性值没有结尾的“]”。");
    EXPECT_EQ(RecordFromSgf("GM[1];B[dd]").message, "SGF棋谱格式错误：找不到棋局，SGF文件应以“(;”开始。");
    EXPECT_EQ(RecordFromSgf("(;B[dd];W[zz])").message, "SGF棋谱格式错误：第10字节的着手或摆子不在棋盘上。");

    // Moves the rules refuse end the load before them: a stone on a stone, a colour out of turn.
    const RecordFromSgfResult occupied = RecordFromSgf("(;B[dd];W[pp];B[dd];W[qq])");
    ASSERT_TRUE(occupied.ok);
    EXPECT_EQ(occupied.moveBytes.size(), 6u);
    EXPECT_EQ(occupied.message, "棋谱第3手不合规则，只载入了前2手。");
    EXPECT_EQ(RecordFromSgf("(;B[dd];B[pp])").moveBytes.size(), 3u);

    const RecordFromSgfResult cut = RecordFromSgf("(;B[dd](;W[pp];B[pd]");
    ASSERT_TRUE(cut.ok);
    EXPECT_EQ(cut.moveBytes.size(), 9u);
    EXPECT_EQ(cut.message, "棋谱文件不完整，载入了它中断之前的着手。");
}

TEST(SgfRecord, AThousandNestedVariationsLoadTheMainLine) {
    // Guards a stack overflow as much as the result: every level holds the next move and a side line.
    Game board;
    const std::vector<MoveRecord> moves = RandomGame(board, 1000, 3);
    std::string text = "(;GM[1]SZ[19]";
    for (const MoveRecord& m : moves) {
        text += m.color == kBlack ? "(;B[" : "(;W[";
        if (!m.isPass()) text += {static_cast<char>('a' + m.x), static_cast<char>('a' + m.y)};
        text += "]";
    }
    for (size_t i = 0; i < moves.size(); ++i) text += ")(;B[aa];W[bb])";
    text += ")";
    const RecordFromSgfResult loaded = RecordFromSgf(text);
    ASSERT_TRUE(loaded.ok) << loaded.message;
    EXPECT_EQ(loaded.message, "");
    EXPECT_EQ(loaded.moveBytes, Bytes(moves));
}

}  // namespace
}  // namespace go
