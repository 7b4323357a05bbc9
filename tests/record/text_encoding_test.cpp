// Code pages to UTF-8 and UTF-8 to GBK: the names of record files and of other programs' games.

#include <gtest/gtest.h>

#include "record/text_encoding.h"

namespace go {
namespace {

const std::string kHeiQiShouGbk = "\xba\xda\xc6\xe5\xca\xd6";  // 黑棋手

TEST(TextEncoding, DecodesTheChineseCodePagesAndUtf8) {
    EXPECT_EQ(DecodeToUtf8(kHeiQiShouGbk, "GBK"), "黑棋手");
    EXPECT_EQ(DecodeToUtf8(kHeiQiShouGbk, "gb2312"), "黑棋手");
    EXPECT_EQ(DecodeToUtf8(kHeiQiShouGbk, "GB18030"), "黑棋手");
    // 镕 (0xE946) is GBK, not GB2312: files labelled GB2312 carry such names.
    EXPECT_EQ(DecodeToUtf8("\xe9\x46", "GB2312"), "镕");
    EXPECT_EQ(DecodeToUtf8("\x81\x30\x81\x30", "GB18030"), "\xc2\x80") << "a four-byte sequence";
    EXPECT_EQ(DecodeToUtf8("李昌镐", "utf-8"), "李昌镐");
    EXPECT_EQ(DecodeToUtf8("李昌镐", "UTF8"), "李昌镐");
    EXPECT_EQ(DecodeToUtf8("\xaa\xf7\xb4\xd1", "Big5"), "金棋") << "another East Asian page";
}

TEST(TextEncoding, UnknownOrMissingCharsetIsLatin1) {
    for (const char* charset : {"", "ISO-8859-1", "latin1", "KOI-9", "x"}) {
        EXPECT_EQ(DecodeToUtf8("Jos\xe9 \xc5", charset), "José Å") << charset;
    }
    EXPECT_EQ(DecodeToUtf8("plain", "no such page"), "plain");
}

TEST(TextEncoding, BadBytesBecomeQuestionMarksAndDecodingGoesOn) {
    EXPECT_EQ(DecodeToUtf8("a\xff" "b\xba\xda" "c\xba", "GBK"), "a?b黑c?") << "a bad lead and a lead cut short";
    EXPECT_EQ(DecodeToUtf8("a\x80" "b\xe9\x9b" "c\xed\xa0\x80" "d\xc0\xaf", "UTF-8"), "a?b??c???d??")
        << "one for each bad byte: a stray trail, a cut sequence, a surrogate, an overlong slash";
    EXPECT_EQ(DecodeToUtf8("\xf4\x90\x80\x80" "e", "UTF-8"), "????e") << "beyond U+10FFFF";
}

TEST(TextEncoding, Utf8ToGbkReplacesWhatGbkCannotHold) {
    EXPECT_EQ(Utf8ToGbk("黑棋手"), kHeiQiShouGbk);
    EXPECT_EQ(Utf8ToGbk("Ann"), "Ann");
    EXPECT_EQ(Utf8ToGbk("黑😀手"), "\xba\xda?\xca\xd6") << "one '?' for the whole character";
    EXPECT_EQ(Utf8ToGbk("a\xffz"), "a?z") << "bad UTF-8 input";
    EXPECT_EQ(GbkToUtf8(Utf8ToGbk("李昌镐 Lee")), "李昌镐 Lee");
}

TEST(TextEncoding, EveryGbkCharacterSurvivesTheWayThroughUtf8) {
    int characters = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            const std::string gbk{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string utf8 = GbkToUtf8(gbk);
            if (utf8.find('?') != std::string::npos) continue;  // unassigned in GBK
            ++characters;
            ASSERT_EQ(Utf8ToGbk(utf8), gbk) << std::hex << lead << " " << trail;
        }
    }
    EXPECT_GT(characters, 21000) << "GBK holds 21886 characters";
}

}  // namespace
}  // namespace go
