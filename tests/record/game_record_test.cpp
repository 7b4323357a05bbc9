#include "record/game_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace go {
namespace {

GameRecordHeader SampleHeader() {
    GameRecordHeader header;
    header.localColor = 1;
    header.names = {"\xba\xda\xc6\xe5", "white player"};  // "黑棋" in GBK, and plain ASCII
    header.faces = {7, 12};
    header.rules.handicap = 2;
    header.rules.komi = 55;
    header.rules.side = 1;
    return header;
}

const std::vector<uint8_t> kThreeMoves = {0, 3, 3, 1, 15, 15, 0, 255, 255};

TEST(GameRecordFormat, ThreeMovesMakeA150ByteFileWithTheHeaderInPlace) {
    const std::vector<uint8_t> bytes = EncodeGameRecord(SampleHeader(), kThreeMoves);
    ASSERT_EQ(bytes.size(), 150u);
    EXPECT_EQ(std::memcmp(bytes.data(), "go2\0", 4), 0);
    EXPECT_EQ(bytes[32], 1) << "version";
    EXPECT_EQ(bytes[36], 1) << "localColor";
    EXPECT_EQ(bytes[40], 0xba);
    EXPECT_EQ(bytes[44], 0) << "name terminated";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[72])), "white player");
    EXPECT_EQ(bytes[104], 7);
    EXPECT_EQ(bytes[108], 12);
    EXPECT_EQ(bytes[112], 29) << "rules record";
    EXPECT_EQ(bytes[116], 2) << "handicap";
    EXPECT_EQ(bytes[128], 1) << "side";
    EXPECT_EQ(bytes[133], 55) << "komi";
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 141, bytes.end()), kThreeMoves);
    for (size_t i = 4; i < 32; ++i) EXPECT_EQ(bytes[i], 0) << "magic field padding at " << i;
}

TEST(GameRecordFormat, ParseInvertsEncode) {
    const std::vector<uint8_t> bytes = EncodeGameRecord(SampleHeader(), kThreeMoves);
    const ParsedGameRecord parsed = ParseGameRecord(bytes);
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed.header, SampleHeader());
    EXPECT_EQ(parsed.moveCount, 3);
    EXPECT_EQ(std::vector<uint8_t>(parsed.moveBytes.begin(), parsed.moveBytes.end()), kThreeMoves);
}

TEST(GameRecordFormat, HeaderOnlyIsAnEmptyGame) {
    const std::vector<uint8_t> bytes = EncodeGameRecord(SampleHeader(), {});
    ASSERT_EQ(bytes.size(), kRecordHeaderSize);
    const ParsedGameRecord parsed = ParseGameRecord(bytes);
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed.moveCount, 0);
    EXPECT_TRUE(parsed.moveBytes.empty());
}

TEST(GameRecordFormat, VersionOneOrMagicIsEnough) {
    std::vector<uint8_t> bytes = EncodeGameRecord(SampleHeader(), kThreeMoves);
    std::vector<uint8_t> noMagic = bytes;
    std::memcpy(noMagic.data(), "go1", 4);
    EXPECT_TRUE(ParseGameRecord(noMagic).ok()) << "version 1 without the magic";

    std::vector<uint8_t> versionTwo = bytes;
    versionTwo[32] = 2;
    EXPECT_TRUE(ParseGameRecord(versionTwo).ok()) << "magic with another version";

    std::vector<uint8_t> neither = noMagic;
    neither[32] = 2;
    const ParsedGameRecord parsed = ParseGameRecord(neither);
    EXPECT_EQ(parsed.error, RecordFormatError::UnknownFormat);
    EXPECT_NE(parsed.errorDetail.find("offset 32"), std::string::npos);

    std::vector<uint8_t> longerMagic = neither;
    std::memcpy(longerMagic.data(), "go2x", 5);
    EXPECT_EQ(ParseGameRecord(longerMagic).error, RecordFormatError::UnknownFormat) << "\"go2x\" is not \"go2\"";
}

TEST(GameRecordFormat, ShortInputsAreRefusedAndTrailingBytesIgnored) {
    const std::vector<uint8_t> bytes = EncodeGameRecord(SampleHeader(), kThreeMoves);
    for (size_t n = 0; n < kRecordHeaderSize; ++n) {
        const ParsedGameRecord parsed = ParseGameRecord(std::span(bytes.data(), n));
        EXPECT_EQ(parsed.error, RecordFormatError::TooShort) << n;
    }
    for (size_t extra = 1; extra <= 2; ++extra) {
        const ParsedGameRecord parsed = ParseGameRecord(std::span(bytes.data(), 147 + extra));
        ASSERT_TRUE(parsed.ok());
        EXPECT_EQ(parsed.moveCount, 2) << "a partial move is not a move";
    }
}

TEST(GameRecordNames, UnterminatedNamesAreCutAt31Bytes) {
    std::vector<uint8_t> bytes = EncodeGameRecord(SampleHeader(), {});
    std::memset(bytes.data() + 40, 'a', 64);  // both name fields full, no zero anywhere
    const ParsedGameRecord parsed = ParseGameRecord(bytes);
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed.header.names[0], std::string(31, 'a'));
    EXPECT_EQ(parsed.header.names[1], std::string(31, 'a'));
    EXPECT_EQ(parsed.header.faces[0], 7) << "fields after the names are untouched";
}

TEST(GameRecordNames, LongNamesAreCutWithoutSplittingACharacter) {
    GameRecordHeader header = SampleHeader();
    header.names[0] = std::string(40, 'b');
    std::string wide;
    for (int i = 0; i < 20; ++i) wide += "\xba\xda";  // 40 bytes of double-byte characters
    header.names[1] = wide;
    const ParsedGameRecord parsed = ParseGameRecord(EncodeGameRecord(header, {}));
    ASSERT_TRUE(parsed.ok());
    EXPECT_EQ(parsed.header.names[0], std::string(31, 'b'));
    EXPECT_EQ(parsed.header.names[1], wide.substr(0, 30)) << "15 whole characters, not 15 and a half";
}

}  // namespace
}  // namespace go
