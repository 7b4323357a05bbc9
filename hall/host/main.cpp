// gohall: the stand-in game hall. By default a game against GNU Go; a table for two people at
// this machine, or a free board, on request.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "hall/host/engine_game_dialog.h"
#include "hall/host/engine_match.h"
#include "hall/host/hall_options.h"
#include "hall/host/lobby_window.h"
#include "hall/host/local_table.h"
#include "hall/host/plugin_library.h"
#include "hall/host/qt_translations.h"
#include "hall/host/resume_tokens.h"
#include "hall/host/serve_hall.h"
#include "hall/host/sound_player.h"
#include "hall/host/table_window.h"
#include "hall/net/tls_files.h"
#include "sdk/kit/code_page.h"
#include "sdk/kit/settings_store.h"

namespace {

bool ParseSize(const QString& text, QSize& size) {
    const QStringList parts = text.split('x');
    bool okW = false;
    bool okH = false;
    if (parts.size() != 2) return false;
    size = QSize(parts[0].toInt(&okW), parts[1].toInt(&okH));
    return okW && okH && size.width() > 0 && size.height() > 0;
}

// The players at a local table, from the hall's settings ("Hall/Seat0Name", "Hall/Seat0Face",
// and the same for seat 1 and the onlooker), with names that read well when nothing is stored.
hall::SeatUserInfo SeatUserFromSettings(const QString& key, const QString& defaultName, int defaultFace) {
    QSettings store(hall::SettingsStoreFile(), QSettings::IniFormat);
    store.beginGroup(QStringLiteral("Hall"));
    const QString name = store.value(key + QStringLiteral("Name"), defaultName).toString();
    const int face = store.value(key + QStringLiteral("Face"), defaultFace).toInt();
    return hall::SeatUserInfo{hall::ToGbk(name).toStdString(), face};
}

// The file for window `index` of a screenshot: FILE.png, then FILE-2.png, FILE-3.png.
QString ShotFile(const QString& target, int index) {
    if (index == 0) return target;
    const QFileInfo info(target);
    return info.dir().filePath(QStringLiteral("%1-%2.%3").arg(info.completeBaseName()).arg(index + 1).arg(info.suffix()));
}

}  // namespace

int main(int argc, char** argv) {
    // What needs no window needs no display: the server, the help and the version.
    if (AsksToServe(argc, argv)) return ServeHall(argc, argv);
    if (AsksForHelpOrVersion(argc, argv)) return ShowHelpOrVersion(argc, argv);
    const HallOptions option;
    JoinedArguments arguments(argc, argv, option);
    QApplication app(arguments.argc(), arguments.argv());
    NameApplication();
    QApplication::setApplicationDisplayName(QStringLiteral("围棋"));
    hall::InstallQtTranslations(app);

    QCommandLineParser parser;
    option.AddTo(parser);
    parser.process(app);
    for (const QCommandLineOption& serverOnly : option.ServerOptions()) {
        if (parser.isSet(serverOnly)) {
            std::fprintf(stderr, "gohall: --%s goes with --serve\n", qPrintable(serverOnly.names().first()));
            return 2;
        }
    }

    QSize windowSize;
    if (!ParseSize(parser.value(option.size), windowSize)) {
        std::fprintf(stderr, "gohall: --size takes WxH, e.g. 1024x768\n");
        return 2;
    }
    if (parser.isSet(option.screen)) {
        QSize screenSize;
        if (!ParseSize(parser.value(option.screen), screenSize)) {
            std::fprintf(stderr, "gohall: --screen takes WxH, e.g. 900x650\n");
            return 2;
        }
        qputenv("GOHALL_SCREEN_SIZE", parser.value(option.screen).toUtf8());
    }
    if (parser.isSet(option.settings)) hall::SetSettingsStoreFile(parser.value(option.settings));
    // A picture made from the command line has nobody to answer a dialog.
    if (parser.isSet(option.screenshot)) app.setProperty(HALL_UNATTENDED_PROPERTY, true);
    if (parser.isSet(option.earlier)) app.setProperty(HALL_VIEW_PROFILE_PROPERTY, QStringLiteral(HALL_VIEW_PROFILE_EARLIER));

    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dataFolder);
    hall::SoundPlayer sounds(QDir(QApplication::applicationDirPath()).filePath("sounds"));
    sounds.SetMuted(parser.isSet(option.mute) || parser.isSet(option.screenshot));

    hall::PluginLibrary plugin;
    QString error;
    if (!plugin.Load(QStringLiteral("matchview"), &error)) {
        std::fprintf(stderr, "gohall: cannot load the Go plug-in: %s\n", qPrintable(error));
        return 1;
    }
    // The legacy plug-in hosts one game: the person's window, or the one that watches an engine
    // match; any other window of the table has the current plug-in.
    hall::PluginLibrary legacyPlugin;
    if (parser.isSet(option.legacy) && !legacyPlugin.Load(QStringLiteral("stoneplay"), &error)) {
        std::fprintf(stderr, "gohall: cannot load the legacy Go plug-in: %s\n", qPrintable(error));
        return 1;
    }
    // The tables of the older plug-ins count passes free; their views and the table agree on it.
    const bool passesCostAPoint = !parser.isSet(option.legacy) && !parser.isSet(option.earlier);
    const hall::GamePlugin& firstPlugin = parser.isSet(option.legacy) ? legacyPlugin.plugin() : plugin.plugin();
    const std::optional<hall::GamePlugin> firstWindow =
        parser.isSet(option.legacy) ? std::optional<hall::GamePlugin>(legacyPlugin.plugin()) : std::nullopt;
    if (parser.isSet(option.join)) {
        // A bare HOST:PORT is plain ws, as before wss existed.
        const QString target = parser.value(option.join);
        const QUrl url(target.contains(QStringLiteral("://")) ? target : QStringLiteral("ws://") + target);
        const bool secure = url.scheme() == QStringLiteral("wss");
        if (!url.isValid() || (!secure && url.scheme() != QStringLiteral("ws")) || url.host().isEmpty() || url.port() <= 0) {
            std::fprintf(stderr, "gohall: --join HOST:PORT or wss://HOST:PORT, e.g. --join 192.168.1.5:7619\n");
            return 2;
        }
        if (parser.isSet(option.ca) && !secure) {
            std::fprintf(stderr, "gohall: --ca is for a wss:// server\n");
            return 2;
        }
        QString why;
        if (secure && !hall::TlsAvailable(&why)) {
            std::fprintf(stderr, "gohall: cannot join over wss: %s\n", qPrintable(why));
            return 1;
        }
        QList<QSslCertificate> trusted;
        if (parser.isSet(option.ca)) {
            trusted = hall::ReadCertificates(parser.value(option.ca), &why);
            if (trusted.isEmpty()) {
                std::fprintf(stderr, "gohall: --ca: %s\n", qPrintable(why));
                return 1;
            }
        }
        const hall::SeatUserInfo me = SeatUserFromSettings(QStringLiteral("Seat0"), QStringLiteral("棋手甲"), 3);
        const QString myName = parser.isSet(option.name) ? parser.value(option.name) : hall::FromGbk(QByteArray::fromStdString(me.name));
        hall::RemoteHall remote(myName, me.face);
        remote.SetTrustedCertificates(trusted);
        hall::LobbyWindow lobby(remote, firstPlugin, &sounds, dataFolder);
        lobby.show();
        // The token outlives the hall: started again, it comes back to its chair.
        QObject::connect(&remote, &hall::RemoteHall::tokenIssued,
                         [url, myName](const hall::wire::ResumeToken& token) { hall::RememberToken(url, myName, token); });
        remote.Open(url, hall::RememberedToken(url, myName));
        if (parser.isSet(option.screenshot)) {
            const QString target = parser.value(option.screenshot);
            QTimer::singleShot(1500, [&lobby, target] { QApplication::exit(lobby.grab().save(target, "PNG") ? 0 : 1); });
        }
        return app.exec();
    }
    std::vector<hall::TableWindow*> windows;
    std::unique_ptr<hall::TableWindow> freeBoard;
    std::unique_ptr<hall::LocalTable> localTable;
    if (parser.isSet(option.engines)) {
        hall::EngineMatchOptions options;
        bool okBlack = false;
        bool okWhite = false;
        bool okGames = false;
        options.levels = {parser.value(option.engines).toInt(&okBlack),
                          parser.positionalArguments().isEmpty() ? 0 : parser.positionalArguments().first().toInt(&okWhite)};
        options.games = parser.value(option.games).toInt(&okGames);
        if (!okBlack || !okWhite || !okGames || options.games < 1 || std::min(options.levels[0], options.levels[1]) < 1 ||
            std::max(options.levels[0], options.levels[1]) > 10) {
            std::fprintf(stderr, "gohall: --engines LEVEL_BLACK LEVEL_WHITE [--games N], levels 1 to 10\n");
            return 2;
        }
        options.recordDir = parser.value(option.recordDir);
        options.windowSize = windowSize;
        app.setProperty(HALL_UNATTENDED_PROPERTY, true);  // nobody is there to answer
        hall::EngineMatch match(firstPlugin, dataFolder, options);
        QString why;
        if (!match.Start(&why)) {
            std::fprintf(stderr, "gohall: %s\n", qPrintable(why));
            return 1;
        }
        match.finished = [](int code) { QApplication::exit(code); };
        return app.exec();
    }
    const bool unattended = parser.isSet(option.screenshot);
    QString record = parser.value(option.load);
    if (record.isEmpty() && !parser.positionalArguments().isEmpty()) record = parser.positionalArguments().first();
    if (!parser.isSet(option.table) && !parser.isSet(option.freeBoard) && record.isEmpty()) {
        // A game against GNU Go: the person chooses, GNU Go proposes those rules from seat 0.
        hall::EngineGameChoice choice = hall::EngineGameChoice::Load();
        if (!unattended) {
            hall::EngineGameDialog dialog(choice);
            if (dialog.exec() != QDialog::Accepted) return 0;
            choice = dialog.choice();
            choice.Save();
        }
        hall::LocalTableOptions options;
        options.players = {hall::SeatUserInfo{"GNU Go", 0},
                           SeatUserFromSettings(QStringLiteral("Seat0"), QStringLiteral("棋手甲"), 3)};
        hall::EngineOptions engine;
        engine.level = choice.level;
        engine.proposal = choice.rules;
        engine.proposal.side = static_cast<uint8_t>(go::Opponent(choice.color));
        options.engines[0] = engine;
        options.windowSize = windowSize;
        options.firstWindow = firstWindow;
        options.server.passesCostAPoint = passesCostAPoint;
        localTable = std::make_unique<hall::LocalTable>(plugin.plugin(), &sounds, dataFolder, options);
        QString why;
        if (!localTable->Ready(&why)) {
            std::fprintf(stderr, "gohall: %s\n", qPrintable(why));
            if (!unattended) QMessageBox::critical(nullptr, QStringLiteral("围棋"), why);
            return 1;
        }
        localTable->Show();
        windows = localTable->windows();
    } else if (parser.isSet(option.table)) {
        hall::LocalTableOptions options;
        options.players = {SeatUserFromSettings(QStringLiteral("Seat0"), QStringLiteral("棋手甲"), 3),
                           SeatUserFromSettings(QStringLiteral("Seat1"), QStringLiteral("棋手乙"), 8)};
        if (parser.isSet(option.watch)) {
            options.onlooker = SeatUserFromSettings(QStringLiteral("Onlooker"), QStringLiteral("观棋者"), 12);
            options.server.onlookersReferee = parser.isSet(option.referee);
        }
        options.windowSize = windowSize;
        options.firstWindow = firstWindow;
        options.server.passesCostAPoint = passesCostAPoint;
        localTable = std::make_unique<hall::LocalTable>(plugin.plugin(), &sounds, dataFolder, options);
        if (!localTable->Ready()) return 1;
        localTable->Show();
        windows = localTable->windows();
    } else {
        freeBoard = std::make_unique<hall::TableWindow>(firstPlugin, nullptr, &sounds, dataFolder);
        if (!freeBoard->HasView()) return 1;
        freeBoard->ResizeTo(windowSize);
        freeBoard->show();
        freeBoard->Opened();
        windows = {freeBoard.get()};
        if (!record.isEmpty() && !freeBoard->OpenRecord(record)) {
            std::fprintf(stderr, "gohall: could not open %s\n", qPrintable(record));
            if (parser.isSet(option.screenshot)) return 1;
        }
    }

    if (parser.isSet(option.screenshot)) {
        const QString target = parser.value(option.screenshot);
        QTimer::singleShot(500, [windows, target] {
            bool saved = true;
            for (size_t i = 0; i < windows.size(); ++i) {
                const QString file = ShotFile(target, static_cast<int>(i));
                if (!windows[i]->grab().save(file, "PNG")) {
                    std::fprintf(stderr, "gohall: cannot write %s\n", qPrintable(file));
                    saved = false;
                }
            }
            for (hall::TableWindow* window : windows) window->close();
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
