// The GTP client against a scripted engine: answers matched to their commands, what it drops,
// and how it fails.

#include <gtest/gtest.h>

#include <optional>

#include "hall/engine/gtp_client.h"
#include "hall/engine/gtp_vertex.h"
#include "tests/engine/engine_test_support.h"

namespace hall {
namespace {

using testing::FakeEngine;
using testing::RunUntil;

struct Client {
    explicit Client(const FakeEngine& engine, std::chrono::milliseconds timeout = std::chrono::milliseconds(800))
        : timeout(timeout) {
        gtp.failed = [this](const QString& why) { failure = why; };
        QString error;
        EXPECT_TRUE(gtp.Start(engine.program(), engine.arguments(), &error)) << error.toStdString();
    }
    std::optional<GtpReply> Ask(const std::string& command) {
        std::optional<GtpReply> reply;
        gtp.Send(command, [&](const GtpReply& r) { reply = r; }, timeout);
        RunUntil([&] { return reply.has_value() || failure.has_value(); });
        return reply;
    }
    GtpClient gtp;
    std::chrono::milliseconds timeout;
    std::optional<QString> failure;
};

TEST(GtpClient, AnswersAreMatchedToTheirCommands) {
    FakeEngine engine(
        "when name = Fake Go\n"
        "when list_commands = name\\ngenmove\\nplay\n"
        "when play ? illegal move\n"
        "when genmove noid Q16\n"
        "when genmove garbage D4\n");
    Client client(engine);
    std::optional<GtpReply> reply = client.Ask("name");
    ASSERT_TRUE(reply);
    EXPECT_TRUE(reply->ok);
    EXPECT_EQ(reply->text, "Fake Go");
    reply = client.Ask("list_commands");
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->text, "name\ngenmove\nplay") << "a multi-line answer keeps its lines";
    reply = client.Ask("play black A1");
    ASSERT_TRUE(reply);
    EXPECT_FALSE(reply->ok);
    EXPECT_EQ(reply->text, "illegal move");
    reply = client.Ask("genmove black");
    ASSERT_TRUE(reply) << "an answer without a number is the waiting command's";
    EXPECT_EQ(reply->text, "Q16");
    reply = client.Ask("genmove black");
    ASSERT_TRUE(reply) << "a stray line before the answer is dropped";
    EXPECT_EQ(reply->text, "D4");
    EXPECT_FALSE(client.failure);

    // Queued commands go out one by one and come back in order.
    std::vector<std::string> answers;
    for (int i = 0; i < 5; ++i) client.gtp.Send("name", [&](const GtpReply& r) { answers.push_back(r.text); });
    EXPECT_TRUE(RunUntil([&] { return answers.size() == 5; }));
    EXPECT_EQ(client.gtp.pending(), 0u);
}

TEST(GtpClient, AnAnswerForAnotherCommandIsDroppedAndTheWaitingOneTimesOut) {
    FakeEngine engine("when genmove wrongid Q16\n");
    Client client(engine);
    bool called = false;
    client.gtp.Send("genmove black", [&](const GtpReply&) { called = true; }, std::chrono::milliseconds(500));
    EXPECT_TRUE(RunUntil([&] { return client.failure.has_value(); }));
    EXPECT_FALSE(called);
    EXPECT_EQ(client.failure->toStdString(), "stopped answering");
    EXPECT_FALSE(client.gtp.running());
}

TEST(GtpClient, AHangOrACrashFailsTheEngineOnceAndItCanStartAgain) {
    FakeEngine hanging("when genmove hang\n");
    Client client(hanging);
    EXPECT_FALSE(client.Ask("genmove black"));
    EXPECT_EQ(client.failure->toStdString(), "stopped answering");
    client.failure.reset();
    client.gtp.Send("name", [](const GtpReply&) {});
    EXPECT_EQ(client.gtp.pending(), 0u) << "a failed engine takes no commands";

    FakeEngine crashing("when genmove crash\n");
    QString error;
    ASSERT_TRUE(client.gtp.Start(crashing.program(), crashing.arguments(), &error));
    EXPECT_TRUE(client.Ask("boardsize 19"));
    int called = 0;
    client.gtp.Send("genmove black", [&](const GtpReply&) { ++called; });
    client.gtp.Send("name", [&](const GtpReply&) { ++called; });
    EXPECT_TRUE(RunUntil([&] { return client.failure.has_value(); }));
    EXPECT_EQ(client.failure->toStdString(), "crashed");
    EXPECT_EQ(called, 0) << "the commands still waiting are dropped";
    QCoreApplication::processEvents();
}

TEST(GtpClient, AMissingProgramIsAClearError) {
    GtpClient gtp;
    QString error;
    EXPECT_FALSE(gtp.Start(QStringLiteral("/nonexistent/gnugo"), {}, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("/nonexistent/gnugo")));
    EXPECT_FALSE(gtp.running());
}

TEST(GtpVertex, ReadsWhatTheProtocolAllowsAndNothingElse) {
    EXPECT_EQ(GtpVertex(0, 18), "A1");
    EXPECT_EQ(GtpVertex(8, 0), "J19") << "no I column";
    EXPECT_EQ(GtpVertex(18, 9), "T10");
    for (int x = 0; x < 19; ++x) {
        for (int y = 0; y < 19; ++y) {
            const auto back = ParseGtpMove(GtpVertex(x, y));
            ASSERT_TRUE(back);
            ASSERT_EQ(back->x, x);
            ASSERT_EQ(back->y, y);
        }
    }
    EXPECT_EQ(ParseGtpMove("q16")->x, 15) << "letters in either case";
    EXPECT_EQ(ParseGtpMove(" PASS ")->kind, GtpMove::Kind::Pass);
    EXPECT_EQ(ParseGtpMove("resign")->kind, GtpMove::Kind::Resign);
    for (const char* bad : {"I5", "A0", "A20", "U1", "Q16x", "Q", "", "16", "A01", "Z9", "Q-1"}) {
        EXPECT_FALSE(ParseGtpMove(bad)) << bad;
    }
}

}  // namespace
}  // namespace hall
