// Both ends of the older hall's contract in one process: the stand-in hall's objects and the
// plug-in's port into them, meeting only through the C tables.

#include <gtest/gtest.h>

#include <QStandardPaths>
#include <QString>
#include <string>
#include <vector>

#include "hall/site/html_line.h"
#include "hall/site/legacy_hall_objects.h"
#include "match/match_types.h"
#include "stoneplay/legacy_link.h"
#include "stoneplay/link/chat_line.h"

namespace stoneplay {
namespace {

struct RecordingServices : hall::HallServices {
    hall::TableModel model;
    bool hasTable = true;
    std::vector<std::pair<int, std::vector<uint8_t>>> commands;
    int readies = 0;
    std::vector<std::string> cues;
    std::vector<std::string> texts;

    void SendGameCommand(match::MatchCommand command, std::span<const uint8_t> data) override {
        commands.push_back({match::CommandNumber(command), std::vector<uint8_t>(data.begin(), data.end())});
    }
    void SignalReady() override { ++readies; }
    void PlayCue(const std::string& file) override { cues.push_back(file); }
    std::string DataFolder() const override { return "/srv/hall"; }
    void ShowSystemText(const std::string& text) override { texts.push_back(text); }
    const hall::TableModel* Table() const override { return hasTable ? &model : nullptr; }
};

struct Connected : ::testing::Test {
    RecordingServices services;
    hall::LegacyHallObjects hall{services, 0x1357};
    ChatFormatter chat;
    LegacyLink link{hall.site(), chat};

    void SetUp() override {
        services.model.seats[0] = {true, true, true, "\xBC\xD7", 3, 1};  // 甲, ready
        services.model.seats[1] = {true, true, true, "\xD2\xD2", 8, 0};  // 乙
        hall.site()->vtbl->SetLinkSlot(hall.site(), link.LinkSlot());
        TextSink* sink = nullptr;
        hall.site()->vtbl->GetTextSink(hall.site(), &sink);
        chat.Connect(sink);
        link.AttachTable(hall.channel());
    }
};

TEST_F(Connected, TheMatchReadsTheHallsTableInItsOwnNumbers) {
    EXPECT_EQ(hall.channelReferences(), 1);
    const match::TableFacts& facts = link.Facts();
    ASSERT_TRUE(facts.HasTable());
    EXPECT_EQ(facts.Status(), static_cast<int>(match::TableStatus::BeforeGame));
    services.model.status = match::TableStatus::Referee;
    services.model.rights = 0x800;
    services.model.mySeat = 1;
    EXPECT_EQ(facts.Status(), static_cast<int>(match::TableStatus::Referee));
    EXPECT_EQ(facts.Rights(), 0x800);
    EXPECT_EQ(facts.MyChair(), 1);
    EXPECT_TRUE(facts.IsPlayer());
    EXPECT_EQ(facts.SeatUser(0)->name, "甲");
    EXPECT_EQ(facts.SeatUser(0)->state, 1);
    EXPECT_EQ(facts.SeatUser(1)->state, 0);
    services.model.seats[1].occupied = false;
    EXPECT_FALSE(facts.SeatUser(1));
    services.model.mySeat = -1;
    EXPECT_FALSE(facts.IsPlayer());
    services.hasTable = false;
    EXPECT_FALSE(facts.HasTable());
    // The skins lie under the hall's folder; the save dialogs start in a folder that can be
    // written to, which an installed hall's is not.
    EXPECT_EQ(link.SkinFile("startup.bmp"), QStringLiteral("/srv/hall/go/go_img/startup.bmp"));
    EXPECT_EQ(link.DataFolder(), QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

TEST_F(Connected, CommandsReadinessErrorsCuesAndLinesReachTheHallAsWhatTheyAre) {
    const uint8_t stone[3] = {0, 4, 4};
    link.SendGameCommand(match::MatchCommand::MatchOverNotice, stone, 3);
    link.SignalReady();
    const char error[] = "At DealGameCmdPutChess,can't put";
    link.SendGameCommand(match::MatchCommand::ErrorText, error, sizeof error);
    link.SignalReady();
    ASSERT_EQ(services.commands.size(), 2u);
    EXPECT_EQ(services.commands[0].first, 22);
    EXPECT_EQ(services.commands[1].first, 26);
    EXPECT_EQ(std::string(services.commands[1].second.begin(), services.commands[1].second.end()),
              std::string(error, sizeof error));
    EXPECT_EQ(services.readies, 2) << "the scrambled ready message, twice, in step";
    EXPECT_EQ(hall.refusedFrames(), 0);

    // A frame out of step or of a command the link does not carry is refused.
    const uint8_t forged[4] = {0, 0, 1, 2};
    hall.linkBlock()->link.vtbl->SendCmd(&hall.linkBlock()->link, 26, forged, 4);
    hall.linkBlock()->link.vtbl->SendCmd(&hall.linkBlock()->link, 26, nullptr, 9);
    EXPECT_EQ(link.ScrambledSend(40, stone, 3), 0) << "scrambled well, but no command of the link";
    EXPECT_EQ(hall.refusedFrames(), 3);
    EXPECT_EQ(services.commands.size(), 2u);

    link.PlayCue("put.wav");
    EXPECT_EQ(services.cues, std::vector<std::string>{"put.wav"});
    link.ShowSystemText(QStringLiteral("<i>甲</i> & 乙"));
    ASSERT_EQ(services.texts.size(), 1u);
    EXPECT_EQ(services.texts[0], "<i>\xBC\xD7</i> & \xD2\xD2") << "the pane gets the words as written, as text";
    EXPECT_EQ(hall::ReadHtmlLine("<span class='SYSTEMTEXT'>&lt;i&gt;a&amp;b&#39;&quot;</span>").text, "<i>a&b'\"");
}

}  // namespace
}  // namespace stoneplay

namespace stoneplay {
namespace {

// The hall reads back what the formatter writes, and nothing more than the look of the span.
TEST(HtmlLines, TheHallReadsTheSpansLookAndOnlyItsWords) {
    ChatStyle style;
    style.colour = 0x123456;
    style.size = 12;
    style.flags = kBold | kItalic | kUnderlineToo | kLineThrough;
    const hall::HtmlLine styled = hall::ReadHtmlLine(ChatLine("a&b", style));
    EXPECT_EQ(styled.text, "a&b");
    EXPECT_EQ(styled.rgb, 0x563412u);
    EXPECT_EQ(styled.pointSize, 12);
    EXPECT_TRUE(styled.bold && styled.italic && styled.underline && styled.lineThrough);
    EXPECT_TRUE(styled.spanClass.empty());

    const hall::HtmlLine system = hall::ReadHtmlLine(SystemTextLine("x"));
    EXPECT_EQ(system.spanClass, "SYSTEMTEXT");
    EXPECT_FALSE(system.rgb);
    EXPECT_EQ(system.pointSize, 9);
    EXPECT_FALSE(system.bold || system.italic || system.underline || system.lineThrough);

    // Markup a line brings of its own is left out; declarations the hall does not know, and
    // sizes that would swamp the pane, are not taken.
    const hall::HtmlLine hostile = hall::ReadHtmlLine(
        "<span style='color=#12345; font-size=400pt; background:url(x); '><img src='x'><a href='y'>hi</a></span>");
    EXPECT_EQ(hostile.text, "hi");
    EXPECT_FALSE(hostile.rgb);
    EXPECT_EQ(hostile.pointSize, 36);
    EXPECT_EQ(hall::ReadHtmlLine("<span style='font-size=").text, "");
    EXPECT_EQ(hall::ReadHtmlLine("plain & <b>bold").text, "plain & bold");
}

}  // namespace
}  // namespace stoneplay
