// gocli: replays a ".go" game record and prints the final position and the count, or writes a
// short sample record to try it on.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "record/file_io.h"
#include "record/game_record.h"
#include "record/record_replay.h"
#include "record/text_encoding.h"
#include "rules/go_board.h"
#include "rules/score_text.h"
#include "tools/gocli/board_text.h"

namespace {

using namespace go;

constexpr size_t kMaxRecordFile = 16 * 1024 * 1024;

int Replay(const std::string& path) {
    const FileReadResult file = ReadWholeFile(path, kMaxRecordFile);
    if (!file.ok()) {
        std::fprintf(stderr, "读文件错误！ %s: %s\n", path.c_str(), file.detail.c_str());
        return 1;
    }
    const ParsedGameRecord record = ParseGameRecord(file.bytes);
    if (!record.ok()) {
        std::fprintf(stderr, "错误的文件格式！，如果是旧版的存盘文件，请用旧版游戏打开！ (%s: %s)\n", path.c_str(),
                     record.errorDetail.c_str());
        return 1;
    }
    GoBoard board;
    const bool complete = ReplayRecordOnBoard(board, record.header.rules, record.moveBytes);
    const GameRecordHeader& h = record.header;
    std::printf("黑 %s   白 %s   (saved by %s)\n", GbkToUtf8(h.names[0]).c_str(), GbkToUtf8(h.names[1]).c_str(),
                h.localColor == kWhite ? "white" : "black");
    std::printf("%s  %s  %s\n", HandicapAndKomiText(h.rules).c_str(), ByoyomiText(h.rules).c_str(),
                MainTimeText(h.rules).c_str());
    std::printf("%d moves in the file, %d replayed%s\n", record.moveCount, board.PlayedCount(),
                complete ? "" : " (the next one is illegal)");
    if (record.moveBytes.size() % 3 != 0) std::printf("%zu trailing bytes ignored\n", record.moveBytes.size() % 3);
    std::printf("\n%s\n", BoardAsText(board).c_str());
    std::printf("prisoners: black took %d, white took %d\n", board.whiteCaptured(), board.blackCaptured());
    const int black = board.Score(kBlack);
    const int white = board.Score(kWhite);
    std::printf("%s", CountAnnouncement(black, white).c_str());
    return 0;
}

// A short even game: an opening, then black catches a stone on B2.
constexpr const char* kDemoMoves[] = {
    "Q16", "D4", "Q4", "D16", "R6", "C10", "O17", "Q10", "R12", "R10", "P11", "Q11", "Q12", "O10", "F17", "C14",
    "K16", "N16", "N17", "M16", "L17", "K4", "A2", "B2", "C2", "R3", "B1", "R14", "B3", "C17", "E16",
};

int WriteDemo(const std::string& path) {
    GoBoard board;
    board.Reset();
    board.SetKomi(75);
    board.SetHandicap(0);
    for (const char* name : kDemoMoves) {
        int x = 0;
        int y = 0;
        const int color = board.GetSideToMove();
        if (!ParsePointName(name, x, y) || !board.PlaceStone(color, x, y)) {
            std::fprintf(stderr, "demo move %s refused\n", name);
            return 1;
        }
        board.AppendMove(color, x, y);
    }
    GameRecordHeader header;
    header.names = {Utf8ToGbk("黑棋手"), Utf8ToGbk("白棋手")};
    header.faces = {1, 2};
    const std::vector<uint8_t> bytes = EncodeGameRecord(header, board.SaveMoves());
    const FileWriteResult written = WriteFileAtomically(path, bytes);
    if (!written.written) {
        std::fprintf(stderr, "写文件错误！ %s: %s\n", path.c_str(), written.detail.c_str());
        return 1;
    }
    std::printf("wrote %s (%zu bytes, %d moves)\n", path.c_str(), bytes.size(), board.PlayedCount());
    return 0;
}

void PrintUsage() {
    std::fprintf(stderr,
                 "usage: gocli replay FILE.go   print the final position and the count of a record\n"
                 "       gocli demo FILE.go     write a short sample record\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "replay") == 0) return Replay(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "demo") == 0) return WriteDemo(argv[2]);
    PrintUsage();
    return 2;
}
