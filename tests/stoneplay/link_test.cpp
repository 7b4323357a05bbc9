#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "legacylink/scramble.h"
#include "stoneplay/link/chat_line.h"
#include "stoneplay/link/skin_path.h"

namespace stoneplay {
namespace {

using namespace legacylink;

TEST(Scramble, StepsTheStateOncePerWordAndLeavesAnEmptyPayloadAlone) {
    const std::optional<ScrambledFrame> empty = ScrambleFrame(0x1234, 11, nullptr, 0);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->bytes, (std::vector<uint8_t>{0x34, 0x12}));
    EXPECT_EQ(empty->stateAfter, 0x1234);

    const uint8_t text[3] = {'a', 'b', 'c'};
    const std::optional<ScrambledFrame> three = ScrambleFrame(0x1234, 26, text, 3);
    ASSERT_TRUE(three);
    ASSERT_EQ(three->bytes.size(), 5u);
    const uint16_t first = NextScrambleState(0x1234);
    const uint16_t second = NextScrambleState(first);
    EXPECT_EQ(first, static_cast<uint16_t>((0x1234u * kScrambleMultiplier + kScrambleIncrement) >> 16));
    EXPECT_EQ(three->bytes[2], 'a' ^ (first & 0xFF));
    EXPECT_EQ(three->bytes[3], 'b' ^ (first >> 8));
    EXPECT_EQ(three->bytes[4], 'c' ^ (second & 0xFF)) << "the second word covers the third byte";
    EXPECT_EQ(three->stateAfter, second);
}

TEST(Scramble, RefusesWhatTheLinkCannotCarry) {
    const std::vector<uint8_t> data(kMaxScrambledPayload + 1, 7);
    EXPECT_TRUE(ScrambleFrame(0, 238, data.data(), 1));
    EXPECT_FALSE(ScrambleFrame(0, 239, data.data(), 1));
    EXPECT_FALSE(ScrambleFrame(0, 11, data.data(), -1));
    EXPECT_FALSE(ScrambleFrame(0, 11, nullptr, 2));
    EXPECT_TRUE(ScrambleFrame(0, 11, data.data(), kMaxScrambledPayload));
    EXPECT_FALSE(ScrambleFrame(0, 11, data.data(), kMaxScrambledPayload + 1)) << "never past the 4096-byte buffer";
}

TEST(Scramble, TheHallReadsBackEveryFrameInStepAndNothingOutOfIt) {
    uint16_t sender = 0xBEEF;
    uint16_t receiver = 0xBEEF;
    for (const std::string text : {"At DealGameCmdPutChess,can't put", "", "x", "\xC1\xBD\xB8\xF6"}) {
        const auto frame = ScrambleFrame(sender, 26, reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()));
        ASSERT_TRUE(frame);
        sender = frame->stateAfter;
        const auto payload = UnscrambleFrame(frame->bytes, receiver);
        ASSERT_TRUE(payload) << text;
        EXPECT_EQ(std::string(payload->begin(), payload->end()), text);
        EXPECT_EQ(receiver, sender);
    }
    const uint8_t one = 1;
    const auto frame = ScrambleFrame(0x1111, 26, &one, 1);
    uint16_t other = 0x2222;
    EXPECT_FALSE(UnscrambleFrame(frame->bytes, other)) << "out of step";
    EXPECT_EQ(other, 0x2222);
    EXPECT_FALSE(UnscrambleFrame(std::vector<uint8_t>{0x11}, other)) << "shorter than its state";
}

TEST(ChatLines, DeclareOnlyWhatDiffersFromThePlainLine) {
    // Texts are GBK: "黑方" and a full stop of its own.
    EXPECT_EQ(SystemTextLine("\xBA\xDA\xB7\xBD\xA1\xA3"), "<span class='SYSTEMTEXT'>\xBA\xDA\xB7\xBD\xA1\xA3</span>");
    ChatStyle style;
    EXPECT_EQ(ChatLine("a", style), "<span >a</span>");
    style.colour = 0x0000FF;
    EXPECT_EQ(ChatLine("a", style), "<span  style='color=#FF0000; '>a</span>") << "BGR: red in the low byte";
    style.colour = 0x123456;
    style.size = 12;
    style.flags = kBold | kItalic | kUnderline | kLineThrough;
    EXPECT_EQ(ChatLine("a", style),
              "<span  style='color=#563412; font-size=12pt; font-weight : bold; font-style: italic; text-decoration : "
              "underline; text-decoration : line-through; '>a</span>");
    ChatStyle underline;
    underline.flags = kUnderlineToo;
    EXPECT_EQ(ChatLine("a", underline), "<span  style='text-decoration : underline; '>a</span>");
    ChatStyle stamped;
    stamped.cssClass = "USERTEXT";
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = 9;
    t.tm_hour = 7;
    t.tm_min = 5;
    t.tm_sec = 3;
    stamped.utcStamp = t;
    EXPECT_EQ(ChatLine("hi", stamped), "<span class='USERTEXT'>hi, 2026-12-9 7:5:3</span>");
}

TEST(ChatLines, SystemTextIsCutOnACharacterTrimmedAndCannotCarryMarkup) {
    std::string longText(1022, 'a');
    longText += "\xBA\xDA";  // 黑 across the 1023rd byte
    EXPECT_EQ(SystemTextLine(longText), "<span class='SYSTEMTEXT'>" + std::string(1022, 'a') + "</span>");
    std::string spaced = "  x  " + std::string(1100, ' ');
    EXPECT_EQ(SystemTextLine(spaced), "<span class='SYSTEMTEXT'>x</span>");
    EXPECT_EQ(SystemTextLine("   "), "") << "nothing to say";
    EXPECT_EQ(SystemTextLine("<img src=x> agrees"), "<span class='SYSTEMTEXT'>&lt;img src=x&gt; agrees</span>");
    EXPECT_EQ(SystemTextLine("it's \"a&b\""), "<span class='SYSTEMTEXT'>it&#39;s &quot;a&amp;b&quot;</span>");
}

}  // namespace
}  // namespace stoneplay

namespace stoneplay {
namespace {

TEST(SkinFiles, PathsStayValidAndLibrariesTakeThisPlatformsNames) {
    const size_t before = SkinPathCount();
    const char* first = SkinPath("/opt/hall/", "startup.bmp");
    EXPECT_STREQ(first, "/opt/hall/go/go_img/startup.bmp");
    for (int i = 0; i < 1000; ++i) SkinPath("/opt/hall/", "savedown.bmp");
    EXPECT_STREQ(first, "/opt/hall/go/go_img/startup.bmp") << "kept where it was while the list grew";
    EXPECT_EQ(SkinPathCount(), before + 1001);
    EXPECT_EQ(LibraryFileName("stonemind.dll"), "libstonemind.so");
    EXPECT_EQ(LibraryFileName("Res.dll"), "libRes.so");
    EXPECT_EQ(LibraryFileName("gofaces"), "gofaces");
    EXPECT_EQ(LibraryFileName(".dll"), ".dll");
}

}  // namespace
}  // namespace stoneplay
