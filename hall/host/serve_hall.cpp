#include "hall/host/serve_hall.h"

#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QHostAddress>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "hall/engine/gnugo_engines.h"
#include "hall/host/hall_options.h"
#include "hall/net/epoll_event_dispatcher.h"
#include "hall/net/socket_hall_server.h"
#include "hall/net/tls_files.h"
#include "hall/server/game_archive.h"

namespace {

int g_stopPipe[2] = {-1, -1};

void AskToStop(int) {
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = write(g_stopPipe[1], &byte, 1);
}

// SIGINT and SIGTERM end the event loop instead of the process, so that the archive writes what
// it was given before the server goes. The handler only writes a byte: the loop does the rest.
void StopCleanlyOnSignals(QCoreApplication& app) {
    if (pipe(g_stopPipe) != 0) return;
    auto* notifier = new QSocketNotifier(g_stopPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        std::printf("gohall: stopping; every game is kept\n");
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = AskToStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace

bool AsksToServe(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--serve") == 0) return true;
    }
    return false;
}

int ServeHall(int argc, char** argv) {
    // A connection is a file: as many as the system allows this process.
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
    }
    // Thousands of connections on one loop: a turn costs what is ready, not what is open.
    QCoreApplication::setEventDispatcher(new hall::EpollEventDispatcher);
    QCoreApplication app(argc, argv);
    NameApplication();
    QCommandLineParser parser;
    const HallOptions options;
    options.AddTo(parser);
    parser.process(app);
    const QList<QCommandLineOption> ours = options.ServerOptions();
    for (const QString& given : parser.optionNames()) {
        const auto named = [&given](const QCommandLineOption& o) { return o.names().contains(given); };
        if (std::none_of(ours.begin(), ours.end(), named)) {
            std::fprintf(stderr, "gohall: --%s does not go with --serve\n", qPrintable(given));
            return 2;
        }
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "gohall: --serve opens no record: %s\n", qPrintable(parser.positionalArguments().first()));
        return 2;
    }
    bool portOk = false;
    const int portNumber = parser.value(options.port).toInt(&portOk);
    const QHostAddress address(parser.value(options.bind));
    if (!portOk || portNumber < 0 || portNumber > 65535 || address.isNull()) {
        std::fprintf(stderr, "gohall: --serve [--port 0..65535] [--bind ADDRESS] [--cert FILE --key FILE]\n");
        return 2;
    }
    if (parser.isSet(options.cert) != parser.isSet(options.key)) {
        std::fprintf(stderr, "gohall: --cert and --key go together: the certificate chain and its private key, both PEM\n");
        return 2;
    }
    QString why;
    std::optional<QSslConfiguration> tls;
    if (parser.isSet(options.cert)) {
        tls = hall::ReadServerTls(parser.value(options.cert), parser.value(options.key), &why);
        if (!tls) {
            std::fprintf(stderr, "gohall: cannot serve TLS: %s\n", qPrintable(why));
            return 1;
        }
    }
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dataFolder);
    const QString connection = parser.isSet(options.archive) ? parser.value(options.archive)
                                                           : QStringLiteral("sqlite:") + QDir(dataFolder).filePath(QStringLiteral("archive.db"));
    const std::unique_ptr<hall::GameArchive> archive = hall::GameArchive::Open(connection, &why);
    if (!archive) {
        std::fprintf(stderr, "gohall: cannot open the archive %s: %s\n", qPrintable(connection), qPrintable(why));
        return 1;
    }
    hall::SocketHallServer server({}, tls);
    server.hall().SetGameLog(archive.get());
    // The games that were running when the server last stopped go on once their players return.
    const size_t resumed = server.hall().ResumeUnfinishedGames();
    hall::GnuGoEngines engines;
    const bool offersEngines = !parser.isSet(options.noEngines) && !hall::FindGnuGo().isEmpty();
    if (offersEngines) server.hall().SetEngineHost(&engines);
    if (!server.Listen(address, static_cast<quint16>(portNumber), &why)) {
        std::fprintf(stderr, "gohall: cannot listen on %s:%d: %s\n", qPrintable(address.toString()), portNumber, qPrintable(why));
        return 1;
    }
    QString where = QStringLiteral("%1:%2").arg(address.toString()).arg(server.Port());
    if (server.IsSecure()) {
        // Over TLS the line is the URL to join, an IPv6 address in its brackets.
        QUrl url;
        url.setScheme(QStringLiteral("wss"));
        url.setHost(address.toString());
        url.setPort(server.Port());
        where = url.toString();
    }
    std::printf("gohall: serving tables on %s, every game kept in %s\n", qPrintable(where), qPrintable(connection));
    if (resumed > 0) std::printf("gohall: %zu running games taken up again, their players' chairs held for them\n", resumed);
    std::printf("gohall: %s\n", offersEngines ? "GNU Go plays at any table whose player asks for it" : "no GNU Go opponents");
    std::fflush(stdout);
    StopCleanlyOnSignals(app);
    return app.exec();
}
