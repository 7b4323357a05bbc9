// gocli: replays a ".go" game record and prints the final position and the count, converts
// between ".go" records and SGF, or writes a short sample record to try it on.

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "record/file_io.h"
#include "record/game_record.h"
#include "record/record_replay.h"
#include "record/sgf.h"
#include "record/sgf_record.h"
#include "record/text_encoding.h"
#include "rules/count.h"
#include "rules/game.h"
#include "rules/score_text.h"
#include "tools/gocli/board_text.h"

namespace {

using namespace go;

constexpr size_t kMaxRecordFile = 16 * 1024 * 1024;

// A record file read and parsed, or nothing when either failed (and was said so). The record's
// moves view `file`.
std::optional<ParsedGameRecord> ReadRecordOrSay(const std::string& path, FileReadResult& file) {
    file = ReadWholeFile(path, kMaxRecordFile);
    if (!file.ok()) {
        std::fprintf(stderr, "读文件错误！ %s: %s\n", path.c_str(), file.detail.c_str());
        return std::nullopt;
    }
    ParsedGameRecord record = ParseGameRecord(file.bytes);
    if (!record.ok()) {
        std::fprintf(stderr, "错误的文件格式！，如果是旧版的存盘文件，请用旧版游戏打开！ (%s: %s)\n", path.c_str(),
                     record.errorDetail.c_str());
        return std::nullopt;
    }
    return record;
}

int Replay(const std::string& path) {
    FileReadResult file;
    const std::optional<ParsedGameRecord> read = ReadRecordOrSay(path, file);
    if (!read) return 1;
    const ParsedGameRecord& record = *read;
    Game board;
    const bool complete = ReplayRecordOnBoard(board, record.header.rules, record.moveBytes);
    const GameRecordHeader& h = record.header;
    std::printf("黑 %s   白 %s   (saved by %s)\n", GbkToUtf8(h.names[0]).c_str(), GbkToUtf8(h.names[1]).c_str(),
                h.localColor == kWhite ? "white" : "black");
    std::printf("%s  %s  %s\n", HandicapAndKomiText(h.rules).c_str(), ByoyomiText(h.rules).c_str(),
                MainTimeText(h.rules).c_str());
    std::printf("%d moves in the file, %d replayed%s\n", record.moveCount, board.PlayedCount(),
                complete ? "" : " (the next one is illegal)");
    if (record.moveBytes.size() % 3 != 0) std::printf("%zu trailing bytes ignored\n", record.moveBytes.size() % 3);
    std::printf("\n%s\n", BoardAsText(board.position()).c_str());
    std::printf("prisoners: black took %d, white took %d\n", board.position().whiteCaptured(), board.position().blackCaptured());
    // A ".go" record has no place for the result, and none for the dead stones: what can be
    // counted is the position, every stone on it taken as alive.
    std::printf("这个棋谱不含对局结果（.go 棋谱没有存放结果的地方）。\n");
    Count count;
    std::printf("终局局面的点目（盘上棋子都算活棋，不是对局的结果）：\n%s\n%s\n", BlackCountText(count.Score(board, kBlack)).c_str(),
                WhiteCountText(count.Score(board, kWhite)).c_str());
    return 0;
}

// The SGF of a record on standard output; what the rules refuse is left out, and said so.
int PrintSgf(const std::string& path) {
    FileReadResult file;
    const std::optional<ParsedGameRecord> record = ReadRecordOrSay(path, file);
    if (!record) return 1;
    const SgfGame game = SgfFromRecord(record->header, record->moveBytes);
    if (static_cast<int>(game.moves.size()) < record->moveCount) {
        std::fprintf(stderr, "棋谱第%zu手不合规则，只写出了前%zu手。\n", game.moves.size() + 1, game.moves.size());
    }
    std::fputs(WriteSgf(game).c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

// An SGF file as a ".go" record; notices of what was left out go to standard error.
int ConvertSgf(const std::string& path, const std::string& outPath) {
    const FileReadResult file = ReadWholeFile(path, kMaxRecordFile);
    if (!file.ok()) {
        std::fprintf(stderr, "读文件错误！ %s: %s\n", path.c_str(), file.detail.c_str());
        return 1;
    }
    const RecordFromSgfResult loaded =
        RecordFromSgf(std::string_view(reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()));
    if (!loaded.ok) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), loaded.message.c_str());
        return 1;
    }
    if (!loaded.message.empty()) std::fprintf(stderr, "%s\n", loaded.message.c_str());
    const std::vector<uint8_t> bytes = EncodeGameRecord(loaded.header, loaded.moveBytes);
    const FileWriteResult written = WriteFileAtomically(outPath, bytes);
    if (!written.written) {
        std::fprintf(stderr, "写文件错误！ %s: %s\n", outPath.c_str(), written.detail.c_str());
        return 1;
    }
    std::printf("wrote %s (%zu moves%s%s)\n", outPath.c_str(), loaded.moveBytes.size() / 3,
                loaded.result.empty() ? "" : ", result ", loaded.result.c_str());
    return 0;
}

// A short even game: an opening, then black catches a stone on B2.
constexpr const char* kDemoMoves[] = {
    "Q16", "D4", "Q4", "D16", "R6", "C10", "O17", "Q10", "R12", "R10", "P11", "Q11", "Q12", "O10", "F17", "C14",
    "K16", "N16", "N17", "M16", "L17", "K4", "A2", "B2", "C2", "R3", "B1", "R14", "B3", "C17", "E16",
};

int WriteDemo(const std::string& path) {
    Game board;
    board.Restart(0, 75);
    for (const char* name : kDemoMoves) {
        int x = 0;
        int y = 0;
        if (!ParsePointName(name, x, y) || !board.Play(board.GetSideToMove(), x, y)) {
            std::fprintf(stderr, "demo move %s refused\n", name);
            return 1;
        }
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
                 "usage: gocli replay FILE.go        print the final position of a record and its count\n"
                 "       gocli sgf FILE.go           print the record as SGF\n"
                 "       gocli go FILE.sgf OUT.go    convert an SGF game (19 x 19, its main line) to a record\n"
                 "       gocli demo FILE.go          write a short sample record\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "replay") == 0) return Replay(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "demo") == 0) return WriteDemo(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "sgf") == 0) return PrintSgf(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "go") == 0) return ConvertSgf(argv[2], argv[3]);
    PrintUsage();
    return 2;
}
