// The view's port into the older hall: which way each message leaves, and what the hall reads.

#include <gtest/gtest.h>

#include <QString>
#include <string>
#include <vector>

#include "legacylink/scramble.h"
#include "sdk/kit/code_page.h"
#include "stoneplay/legacy_link.h"
#include "tests/stoneplay/fake_legacy_hall.h"

namespace stoneplay {
namespace {

using legacylink::UnscrambleFrame;
using testing::FakeHall;

TEST(LegacyLink, CommandsTakeTheTableAndTheReadySignalAndErrorsTheScrambledLink) {
    FakeHall hall;
    ChatFormatter chat;
    LegacyLink link(&hall.site.object, chat);
    EXPECT_EQ(link.ScrambledSend(11, nullptr, 0), 1) << "no link block yet: nothing sent";
    *link.LinkSlot() = &hall.link.block;
    link.AttachTable(&hall.channel.object);
    EXPECT_EQ(hall.channel.references, 1);

    const uint8_t stone[3] = {0, 3, 3};
    link.SendGameCommand(match::MatchCommand::MatchOverNotice, stone, 3);
    ASSERT_EQ(hall.channel.commands.size(), 1u);
    EXPECT_EQ(hall.channel.commands[0].first, 22);
    EXPECT_EQ(hall.channel.commands[0].second, std::vector<uint8_t>(stone, stone + 3));

    uint16_t receiver = 0x5A5A;
    link.SignalReady();
    ASSERT_EQ(hall.link.frames.size(), 1u);
    EXPECT_EQ(hall.link.frames[0].first, 11);
    EXPECT_EQ(hall.link.frames[0].second, (std::vector<uint8_t>{0x5A, 0x5A})) << "no payload, the state alone";
    ASSERT_TRUE(UnscrambleFrame(hall.link.frames[0].second, receiver));

    const char error[] = "At DealGameCmdPutChess,can't put";
    link.SendGameCommand(match::MatchCommand::ErrorText, error, sizeof error);
    ASSERT_EQ(hall.link.frames.size(), 2u);
    EXPECT_EQ(hall.channel.commands.size(), 1u) << "the error text does not take the table";
    const auto text = UnscrambleFrame(hall.link.frames[1].second, receiver);
    ASSERT_TRUE(text);
    EXPECT_EQ(std::string(text->begin(), text->end()), std::string(error, sizeof error));
    EXPECT_EQ(hall.link.block.scrambleState, receiver) << "the block keeps the sender's state";
    EXPECT_EQ(link.ScrambledSend(239, nullptr, 0), 1);
    EXPECT_EQ(link.ScrambledSend(238, nullptr, 0), 7) << "what the link answers";
}

TEST(LegacyLink, CuesFolderAndSystemLinesGoToTheHallsOwnPlaces) {
    FakeHall hall;
    ChatFormatter chat;
    LegacyLink link(&hall.site.object, chat);
    link.PlayCue("start.wav");
    EXPECT_EQ(hall.site.sounds, std::vector<std::string>{"start.wav"});
    // The skins lie under the hall's folder, whose GBK name is read as such.
    EXPECT_EQ(link.SkinFile("bg712.bmp"), QStringLiteral("/opt/大厅/go/go_img/bg712.bmp"));
    link.ShowUserInOut(0);
    EXPECT_EQ(hall.site.showUserInOut, 0);

    link.ShowSystemText(QStringLiteral("黑方同意和棋。"));
    EXPECT_TRUE(hall.sink.lines.empty()) << "nobody connected: the line is dropped";
    EXPECT_EQ(chat.Connect(nullptr), LEGACY_E_INVALIDARG);
    EXPECT_EQ(chat.Connect(&hall.sink.object), 1);
    EXPECT_EQ(chat.ConnectionValue(), 42);
    link.ShowSystemText(QStringLiteral("<b>甲</b>同意和棋。"));
    ASSERT_EQ(hall.sink.lines.size(), 1u);
    EXPECT_EQ(hall::FromGbk(QByteArray::fromStdString(hall.sink.lines[0])),
              QStringLiteral("<span class='SYSTEMTEXT'>&lt;b&gt;甲&lt;/b&gt;同意和棋。</span>"));
    EXPECT_EQ(chat.Connect(&hall.otherSink.object), 1);
    EXPECT_EQ(hall.sink.released, 1) << "the sink replaced is released";
    link.ShowSystemText(QStringLiteral("x"));
    EXPECT_EQ(hall.otherSink.lines.size(), 1u);
    EXPECT_EQ(hall.sink.lines.size(), 1u);
}

}  // namespace
}  // namespace stoneplay
