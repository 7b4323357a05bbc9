// gohall's command line: every option as the README writes it reaches gohall, whatever Qt takes
// for itself first.

#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>
#include <memory>
#include <vector>

#include "hall/host/hall_options.h"
#include "hall/host/qt_translations.h"

namespace {

using hall::InstallQtTranslations;

// What gohall reads of `words` once the application object has taken Qt's own options.
std::unique_ptr<QCommandLineParser> ParsedAsGohall(std::vector<QByteArray> words) {
    std::vector<char*> pointers;
    for (QByteArray& word : words) pointers.push_back(word.data());
    pointers.push_back(nullptr);
    const HallOptions options;
    JoinedArguments arguments(static_cast<int>(words.size()), pointers.data(), options);
    QApplication app(arguments.argc(), arguments.argv());
    auto parser = std::make_unique<QCommandLineParser>();
    options.AddTo(*parser);
    EXPECT_TRUE(parser->parse(QApplication::arguments())) << parser->errorText().toStdString();
    return parser;
}

TEST(HallCommandLine, TheNameIsReadWrittenEitherWayBesideQtsOwnOptions) {
    const HallOptions options;
    for (const std::vector<QByteArray>& words :
         {std::vector<QByteArray>{"gohall", "--join", "127.0.0.1:7619", "--name", "棋手A", "-platform", "offscreen"},
          std::vector<QByteArray>{"gohall", "-platform", "offscreen", "--join", "127.0.0.1:7619", "--name=棋手A"}}) {
        SCOPED_TRACE(words.back().toStdString());
        const std::unique_ptr<QCommandLineParser> parser = ParsedAsGohall(words);
        EXPECT_EQ(parser->value(options.name), QStringLiteral("棋手A"));
        EXPECT_EQ(parser->value(options.join), QStringLiteral("127.0.0.1:7619"));
        EXPECT_TRUE(parser->positionalArguments().isEmpty());
    }
}

TEST(HallCommandLine, AValueIsTakenAsItIsEvenWhenItReadsLikeAnOption) {
    const HallOptions options;
    const std::unique_ptr<QCommandLineParser> parser =
        ParsedAsGohall({"gohall", "-platform", "offscreen", "--load", "--name", "--mute"});
    EXPECT_EQ(parser->value(options.load), QStringLiteral("--name")) << "a file of that name";
    EXPECT_TRUE(parser->isSet(options.mute));
    EXPECT_FALSE(parser->isSet(options.name));
}

TEST(QtTranslations, QtsOwnDialogsSpeakTheInterfacesLanguage) {
    int argc = 3;
    char name[] = "gohall";
    char platform[] = "-platform";
    char offscreen[] = "offscreen";
    char* argv[] = {name, platform, offscreen, nullptr};
    QApplication app(argc, argv);
    ASSERT_TRUE(InstallQtTranslations(app)) << "Qt's Chinese translations are installed with the hall";
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("文件名称(&N)："));
}

}  // namespace
