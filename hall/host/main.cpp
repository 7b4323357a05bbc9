// gohall: the stand-in game hall. Opens one table window with the Go plug-in.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>

#include "hall/host/plugin_library.h"
#include "hall/host/sound_player.h"
#include "hall/host/table_window.h"
#include "hall/kit/code_page.h"
#include "hall/kit/settings_store.h"

namespace {

bool ParseSize(const QString& text, QSize& size) {
    const QStringList parts = text.split('x');
    bool okW = false;
    bool okH = false;
    if (parts.size() != 2) return false;
    size = QSize(parts[0].toInt(&okW), parts[1].toInt(&okH));
    return okW && okH && size.width() > 0 && size.height() > 0;
}

hall::TableModel DemoTable() {
    hall::TableModel table;
    table.tableId = 1;
    table.mySeat = 0;
    table.seats[0] = hall::SeatModel{true, true, true, hall::ToGbk(QStringLiteral("棋手")).toStdString(), 3, 0};
    table.seats[1] = hall::SeatModel{true, true, true, hall::ToGbk(QStringLiteral("对手")).toStdString(), 8, 0};
    return table;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("gohall"));
    QApplication::setApplicationDisplayName(QStringLiteral("围棋"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A Go table: play, study and keep game records."));
    parser.addHelpOption();
    const QCommandLineOption screenshot("screenshot", "Render the table window to FILE.png and exit.", "FILE");
    const QCommandLineOption size("size", "Size of the table window, e.g. 1024x768.", "WxH", "1024x768");
    const QCommandLineOption screen("screen", "Size of a maximised window the view assumes, e.g. 900x650.", "WxH");
    const QCommandLineOption table("table", "Sit down at a table with an opponent instead of a free board.");
    const QCommandLineOption settings("settings", "Keep the settings in FILE instead of the user's store.", "FILE");
    const QCommandLineOption mute("mute", "Play no sounds.");
    const QCommandLineOption load("load", "Open the game record FILE.go on the free board.", "FILE");
    parser.addOptions({screenshot, size, screen, table, settings, mute, load});
    parser.addPositionalArgument("record", "A game record (.go) to open.", "[FILE.go]");
    parser.process(app);

    QSize windowSize;
    if (!ParseSize(parser.value(size), windowSize)) {
        std::fprintf(stderr, "gohall: --size takes WxH, e.g. 1024x768\n");
        return 2;
    }
    if (parser.isSet(screen)) {
        QSize screenSize;
        if (!ParseSize(parser.value(screen), screenSize)) {
            std::fprintf(stderr, "gohall: --screen takes WxH, e.g. 900x650\n");
            return 2;
        }
        qputenv("GOHALL_SCREEN_SIZE", parser.value(screen).toUtf8());
    }
    if (parser.isSet(settings)) hall::SetSettingsStoreFile(parser.value(settings));
    // A picture made from the command line has nobody to answer a dialog.
    if (parser.isSet(screenshot)) app.setProperty(HALL_UNATTENDED_PROPERTY, true);

    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dataFolder);
    hall::SoundPlayer sounds(QDir(QApplication::applicationDirPath()).filePath("sounds"));
    sounds.SetMuted(parser.isSet(mute) || parser.isSet(screenshot));

    hall::PluginLibrary plugin;
    QString error;
    if (!plugin.Load(QStringLiteral("matchview"), &error)) {
        std::fprintf(stderr, "gohall: cannot load the Go plug-in: %s\n", qPrintable(error));
        return 1;
    }
    std::optional<hall::TableModel> model;
    if (parser.isSet(table)) model = DemoTable();
    hall::TableWindow window(plugin.create(), model, &sounds, dataFolder);
    if (!window.HasView()) return 1;
    window.resize(windowSize);
    window.show();
    window.Opened();
    QString record = parser.value(load);
    if (record.isEmpty() && !parser.positionalArguments().isEmpty()) record = parser.positionalArguments().first();
    if (!record.isEmpty() && !window.OpenRecord(record)) {
        std::fprintf(stderr, "gohall: could not open %s\n", qPrintable(record));
        if (parser.isSet(screenshot)) return 1;
    }

    if (parser.isSet(screenshot)) {
        const QString target = parser.value(screenshot);
        QTimer::singleShot(300, &window, [&window, target] {
            const bool saved = window.grab().save(target, "PNG");
            if (!saved) std::fprintf(stderr, "gohall: cannot write %s\n", qPrintable(target));
            window.close();
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
