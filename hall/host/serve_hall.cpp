#include "hall/host/serve_hall.h"

#include <sys/resource.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QHostAddress>
#include <QStandardPaths>
#include <cstdio>
#include <cstring>
#include <memory>

#include "hall/net/socket_hall_server.h"
#include "hall/server/game_archive.h"

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
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gohall"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The hall as a server of Go tables for remote halls."));
    parser.addHelpOption();
    const QCommandLineOption serve("serve", "Serve tables to remote halls (gohall --join HOST:PORT).");
    const QCommandLineOption port("port", "The port to listen on.", "P", "7619");
    // Loopback unless another address is given explicitly: a hall is not opened to a network by
    // accident.
    const QCommandLineOption bind("bind", "The address to listen on (0.0.0.0 for every one).", "ADDR", "127.0.0.1");
    const QCommandLineOption archiveOption(
        "archive", "Where every game is kept: sqlite:PATH (the default, in the hall's data folder) or postgresql://USER@HOST:PORT/DATABASE.",
        "CONNECTION");
    parser.addOptions({serve, port, bind, archiveOption});
    parser.process(app);

    bool portOk = false;
    const int portNumber = parser.value(port).toInt(&portOk);
    const QHostAddress address(parser.value(bind));
    if (!portOk || portNumber < 0 || portNumber > 65535 || address.isNull()) {
        std::fprintf(stderr, "gohall: --serve [--port 0..65535] [--bind ADDRESS]\n");
        return 2;
    }
    QString why;
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dataFolder);
    const QString connection = parser.isSet(archiveOption) ? parser.value(archiveOption)
                                                           : QStringLiteral("sqlite:") + QDir(dataFolder).filePath(QStringLiteral("archive.db"));
    const std::unique_ptr<hall::GameArchive> archive = hall::GameArchive::Open(connection, &why);
    if (!archive) {
        std::fprintf(stderr, "gohall: cannot open the archive %s: %s\n", qPrintable(connection), qPrintable(why));
        return 1;
    }
    hall::SocketHallServer server;
    server.hall().SetGameLog(archive.get());
    if (!server.Listen(address, static_cast<quint16>(portNumber), &why)) {
        std::fprintf(stderr, "gohall: cannot listen on %s:%d: %s\n", qPrintable(address.toString()), portNumber, qPrintable(why));
        return 1;
    }
    std::printf("gohall: serving tables on %s:%u, every game kept in %s\n", qPrintable(address.toString()), server.Port(),
                qPrintable(connection));
    std::fflush(stdout);
    return app.exec();
}
