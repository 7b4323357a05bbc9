#include "hall/host/hall_options.h"

#include <QCoreApplication>
#include <cstring>

void HallOptions::AddTo(QCommandLineParser& parser) const {
    parser.setApplicationDescription(QStringLiteral(
        "A Go table: play against GNU Go (the default), two people at one machine (--table), a free board (--free), "
        "or across machines: gohall --serve on one, gohall --join HOST:PORT on the others."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions(All());
    parser.addPositionalArgument("record", "A game record (.go or .sgf) to open on the free board.", "[FILE]");
}

QList<QCommandLineOption> HallOptions::All() const {
    return {table, freeBoard, load,  watch,  referee,    engines,  games, recordDir, legacy, earlier, join,   name,     ca,
            size,  screen,    screenshot, settings, mute, serve, port,  bind,      archive, cert,    key,    noEngines};
}

bool AsksForHelpOrVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        for (const char* asked : {"-h", "--help", "-?", "--help-all", "-v", "--version"}) {
            if (std::strcmp(argv[i], asked) == 0) return true;
        }
    }
    return false;
}

JoinedArguments::JoinedArguments(int argc, char** argv, const HallOptions& options) {
    QStringList valueWords;
    for (const QCommandLineOption& option : options.All()) {
        if (option.valueName().isEmpty()) continue;
        for (const QString& name : option.names()) valueWords << QStringLiteral("--") + name;
    }
    for (int i = 0; i < argc; ++i) {
        const QByteArray word(argv[i]);
        if (i + 1 < argc && word == "--name") {
            m_arguments.push_back("--name=" + QByteArray(argv[++i]));
            continue;
        }
        m_arguments.push_back(word);
        if (i + 1 < argc && valueWords.contains(QString::fromUtf8(word))) m_arguments.push_back(QByteArray(argv[++i]));
    }
    for (QByteArray& argument : m_arguments) m_pointers.push_back(argument.data());
    m_pointers.push_back(nullptr);
    m_count = static_cast<int>(m_arguments.size());
}

void NameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("gohall"));
    QCoreApplication::setApplicationVersion(QStringLiteral(GOHALL_VERSION));
}

int ShowHelpOrVersion(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    NameApplication();
    QCommandLineParser parser;
    const HallOptions options;
    options.AddTo(parser);
    parser.process(app);  // prints and exits
    return 0;
}
