// SGF: our games written and read back, games as other programs write them, what is refused, and
// GNU Go loading what we write to the same position.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

#include "record/sgf.h"
#include "rules/game.h"
#include "rules/handicap.h"

namespace go {
namespace {

SgfGame SampleGame() {
    SgfGame game;
    game.komiTenths = 5;
    game.handicap = 4;
    const std::optional<HandicapLayout> four = LookUpHandicap(4);
    for (const BoardPoint& p : four->stones) game.blackSetup.push_back(p);
    game.names = {"黑 [x]", "white\\back"};
    game.result = "W+3.5";
    game.mainTimeSeconds = 600;
    game.overtime = "3x30 byo-yomi";
    game.moves = {{kWhite, 2, 16}, {kBlack, 9, 9}, {kWhite, 16, 2}, {kBlack, kNoCoord, kNoCoord}, {kWhite, 2, 2}, {kBlack, 10, 10}};
    game.variations = {{3, {{kBlack, 4, 4}, {kWhite, 5, 5}}}, {3, {{kBlack, 6, 6}}}, {6, {{kWhite, 7, 7}}}};
    return game;
}

TEST(Sgf, OurGameReadsBackWithItsRulesNamesMainLineAndVariations) {
    const SgfGame game = SampleGame();
    const std::string text = WriteSgf(game);
    const SgfReadResult read = ReadSgf(text);
    ASSERT_TRUE(read.ok) << read.error << "\n" << text;
    EXPECT_TRUE(read.complete);
    SgfGame expected = game;
    expected.charset = "UTF-8";
    expected.variations.pop_back();
    expected.moves.push_back({kWhite, 7, 7});  // which the line left after the last move continues
    EXPECT_EQ(read.game, expected) << text;
    // Each variation is a branch of its own where it leaves the main line, after the main line's.
    EXPECT_NE(text.find(";W[qc](;B[];W[cc]"), std::string::npos) << text;
    EXPECT_NE(text.find("(;B[ee];W[ff])(;B[gg])"), std::string::npos) << text;
    EXPECT_NE(text.find("KM[0.5]HA[4]AB[dd][dp][pd][pp]"), std::string::npos) << text;
}

TEST(Sgf, GamesFromOtherProgramsLoadTheirMainLine) {
    const SgfReadResult read = ReadSgf(
        "  (;GM[1]FF[4]SZ[19]KM[6.5]HA[2]AB[pd][dp]C[a comment with \\] in it]PB[Black]PW[White]\n"
        "   ;W[qp]C[hi](;B[dd]LB[aa:x];W[tt](;B[])(;B[aa]))(;B[cc]MA[dd]))(;B[ss])");
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.game.komiTenths, 65);
    EXPECT_EQ(read.game.handicap, 2);
    EXPECT_EQ(read.game.blackSetup, (std::vector<BoardPoint>{{15, 3}, {3, 15}}));
    EXPECT_EQ(read.game.names[kBlack], "Black");
    EXPECT_EQ(read.game.moves, (std::vector<MoveRecord>{{kWhite, 16, 15}, {kBlack, 3, 3}, {kWhite, kNoCoord, kNoCoord},
                                                         {kBlack, kNoCoord, kNoCoord}}));
    const SgfReadResult old = ReadSgf("(;GaMe[1]SiZe[19]AddWhite[aa:bb];B[];W[ss])");
    ASSERT_TRUE(old.ok) << old.error;
    EXPECT_EQ(old.game.whiteSetup.size(), 4u) << "a compressed rectangle";
    EXPECT_EQ(old.game.moves.size(), 2u);
    EXPECT_TRUE(ReadSgf("(;FF[4])").ok) << "no SZ is 19 x 19";
}

TEST(Sgf, RefusesWhatItCannotPlayAndNeverReadsPastTheEnd) {
    for (const char* bad : {"", "B[aa]", "(;SZ[13];B[aa])", "(;B[aa", "(;B[zz])", "(;AB[aa:zz])", "(;B[a])", "(;KM)"}) {
        const SgfReadResult read = ReadSgf(bad);
        EXPECT_FALSE(read.ok) << bad;
        EXPECT_FALSE(read.error.empty()) << bad;
    }
    EXPECT_TRUE(ReadSgf("(;B[aa]\\").ok) << "an unfinished tree after the main line's nodes";
}

TEST(Sgf, EachBranchOffTheMainLineIsAVariationInTheOrderOfTheText) {
    const SgfReadResult read = ReadSgf(
        "(;CA[gb2312]SZ[19];B[aa]"
        "(;W[bb](;B[cc];W[dd])(;B[ee](;W[ff])(;W[gg]))(;B[hh]PB[not the root]))"  // gg: a variation's branch
        "(;W[ii];B[jj])"
        "(;C[no move])"
        "(;W[kk]))");
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.game.charset, "gb2312") << "as written";
    EXPECT_TRUE(read.game.names[kBlack].empty()) << "root properties count on the main line only";
    EXPECT_EQ(read.game.moves, (std::vector<MoveRecord>{{kBlack, 0, 0}, {kWhite, 1, 1}, {kBlack, 2, 2}, {kWhite, 3, 3}}));
    const std::vector<SgfGame::Variation> expected = {
        {2, {{kBlack, 4, 4}, {kWhite, 5, 5}}},
        {2, {{kBlack, 7, 7}}},
        {1, {{kWhite, 8, 8}, {kBlack, 9, 9}}},
        {1, {{kWhite, 10, 10}}},
    };
    EXPECT_EQ(read.game.variations, expected) << "the empty branch is none";

    // A main line whose first branch holds no move goes on with the next one, as we write it.
    const SgfReadResult empty = ReadSgf("(;B[aa](;C[x])(;W[bb])(;W[cc]))");
    ASSERT_TRUE(empty.ok);
    EXPECT_EQ(empty.game.moves, (std::vector<MoveRecord>{{kBlack, 0, 0}, {kWhite, 1, 1}}));
    EXPECT_EQ(empty.game.variations, (std::vector<SgfGame::Variation>{{1, {{kWhite, 2, 2}}}}));
    const SgfReadResult again = ReadSgf(WriteSgf(read.game));
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(again.game.moves, read.game.moves);
    EXPECT_EQ(again.game.variations, read.game.variations);
}

TEST(Sgf, DeepNestingCostsNoStack) {
    // Guards a stack overflow: a thousand levels, each with a side branch, and far more without.
    std::string text = "(;SZ[19]";
    for (int i = 0; i < 1000; ++i) text += std::string("(;") + (i % 2 ? "W" : "B") + "[" + static_cast<char>('a' + i % 19) + "a]";
    for (int i = 999; i >= 0; --i) text += std::string(")(;") + (i % 2 ? "W" : "B") + "[ss])";
    text += ")";
    const SgfReadResult read = ReadSgf(text);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_TRUE(read.complete);
    ASSERT_EQ(read.game.moves.size(), 1000u);
    ASSERT_EQ(read.game.variations.size(), 1000u);
    EXPECT_EQ(read.game.variations.front().from, 999u) << "the innermost branch comes first in the text";
    EXPECT_EQ(read.game.variations.back().from, 0u);

    std::string deep;
    for (int i = 0; i < 500000; ++i) deep += "(;B[aa]";
    const SgfReadResult unclosed = ReadSgf(deep);
    ASSERT_TRUE(unclosed.ok) << unclosed.error;
    EXPECT_FALSE(unclosed.complete);
    EXPECT_EQ(unclosed.game.moves.size(), 500000u);
}

TEST(Sgf, MalformedTextSaysWhatAndWhere) {
    struct Case {
        const char* text;
        SgfReadError kind;
        size_t offset;
    };
    for (const Case& c : {Case{"(;B[aa];W[bb", SgfReadError::UnterminatedValue, 9},
                          Case{"(;B[aa]C[ends in \\", SgfReadError::UnterminatedValue, 8},
                          Case{"(;B]aa])", SgfReadError::PropertyWithoutValue, 2},
                          Case{"(;B[aa];W[zz])", SgfReadError::PointOffTheBoard, 9},
                          Case{"\xEF\xBB\xBF  ;B[aa])", SgfReadError::NoGameTree, 5},
                          Case{"(;SZ[9];B[aa])", SgfReadError::NotNineteen, 4},
                          Case{"(;SZ[19:13])", SgfReadError::NotNineteen, 4}}) {
        const SgfReadResult read = ReadSgf(c.text);
        EXPECT_FALSE(read.ok) << c.text;
        EXPECT_EQ(read.errorKind, c.kind) << c.text;
        EXPECT_EQ(read.errorOffset, c.offset) << c.text;
    }
    // Brackets left open at the end keep what came before them; what follows the game is not read.
    const SgfReadResult cut = ReadSgf("(;B[aa](;W[bb];B[cc]");
    ASSERT_TRUE(cut.ok);
    EXPECT_FALSE(cut.complete);
    EXPECT_EQ(cut.game.moves.size(), 3u);
    const SgfReadResult closedTwice = ReadSgf("(;B[aa]));W[bb]] junk [");
    ASSERT_TRUE(closedTwice.ok) << closedTwice.error;
    EXPECT_TRUE(closedTwice.complete);
    EXPECT_EQ(closedTwice.game.moves.size(), 1u);
    EXPECT_TRUE(ReadSgf("\xEF\xBB\xBF (;SZ[19:19];B[aa])").ok) << "a byte-order mark and a square written as a rectangle";
    EXPECT_EQ(ReadSgf("(;B[aa] stray ] chars % ;W[bb])").game.moves.size(), 2u);
}

TEST(Sgf, ATenMegabyteCommentIsPassedOver) {
    std::string text = "(;SZ[19];B[aa]C[";
    text.append(10u << 20, 'x');
    text += "\\]];W[bb])";
    const SgfReadResult read = ReadSgf(text);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.game.moves.size(), 2u);
    std::string tooLarge(17u << 20, ' ');
    tooLarge[0] = '(';
    EXPECT_EQ(ReadSgf(tooLarge).errorKind, SgfReadError::TooLarge);
}

// GTP's vertex of a point, for comparing with GNU Go.
std::string Vertex(int x, int y) { return std::string(1, "ABCDEFGHJKLMNOPQRST"[x]) + std::to_string(kBoardSize - y); }

TEST(Sgf, GnuGoLoadsWhatWeWriteToTheSamePosition) {
    const char* gnugo = std::ifstream("/usr/games/gnugo").good() ? "/usr/games/gnugo" : nullptr;
    if (gnugo == nullptr) GTEST_SKIP() << "GNU Go is not installed";
    SgfGame game = SampleGame();
    game.variations.clear();
    const std::string path = ::testing::TempDir() + "/sgf_test_game.sgf";
    std::ofstream(path) << WriteSgf(game);
    const std::string command = std::string("printf 'loadsgf ") + path +
                                "\\nlist_stones black\\nlist_stones white\\nquit\\n' | " + gnugo + " --mode gtp";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string answers;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) answers += buffer;
    pclose(pipe);
    std::vector<std::set<std::string>> theirs;
    std::istringstream lines(answers);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("= ", 0) != 0 || line.find_first_of("0123456789", 2) == std::string::npos) continue;
        if (line.find("white") != std::string::npos || line.find("black") != std::string::npos) continue;  // loadsgf's answer
        std::istringstream words(line.substr(2));
        std::set<std::string> stones;
        for (std::string w; words >> w;) stones.insert(w);
        theirs.push_back(stones);
    }
    Game board;
    board.Restart(game.handicap, 0);
    for (const MoveRecord& m : game.moves) ASSERT_TRUE(board.Play(m.color, m.x, m.y));
    std::vector<std::set<std::string>> ours(2);
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            const int color = board.position().GetCell(x, y).color;
            if (color == kBlack || color == kWhite) ours[color].insert(Vertex(x, y));
        }
    }
    ASSERT_EQ(theirs.size(), 2u) << answers;
    EXPECT_EQ(theirs, ours) << answers;
}

}  // namespace
}  // namespace go
