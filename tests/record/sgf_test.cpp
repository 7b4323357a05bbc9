// SGF: our games written and read back, games as other programs write them, what is refused, and
// GNU Go loading what we write to the same position.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

#include "record/sgf.h"
#include "rules/go_board.h"
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

TEST(Sgf, OurGameReadsBackWithItsRulesNamesAndMainLine) {
    const SgfGame game = SampleGame();
    const std::string text = WriteSgf(game);
    const SgfReadResult read = ReadSgf(text);
    ASSERT_TRUE(read.ok) << read.error << "\n" << text;
    SgfGame expected = game;
    expected.variations.clear();  // the reader follows the main line only
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
    GoBoard board;
    board.SetHandicap(game.handicap);
    for (const MoveRecord& m : game.moves) ASSERT_TRUE(board.PlaceStone(m.color, m.x, m.y));
    std::vector<std::set<std::string>> ours(2);
    for (int x = 0; x < kBoardSize; ++x) {
        for (int y = 0; y < kBoardSize; ++y) {
            const int color = board.GetCell(x, y).color;
            if (color == kBlack || color == kWhite) ours[color].insert(Vertex(x, y));
        }
    }
    ASSERT_EQ(theirs.size(), 2u) << answers;
    EXPECT_EQ(theirs, ours) << answers;
}

}  // namespace
}  // namespace go
