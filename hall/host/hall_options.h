#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QByteArray>
#include <QList>
#include <QString>
#include <vector>

// Every option of gohall, declared once: the windows' and the server's. `--help` lists them all,
// whichever way the hall is started.
struct HallOptions {
    // ---- The windows ----
    QCommandLineOption table{"table", "Open a table with two players, each in a window of their own."};
    QCommandLineOption freeBoard{"free", "Open a free board instead of a game against GNU Go."};
    QCommandLineOption load{"load", "Open the game record FILE (.go or .sgf) on the free board.", "FILE"};
    QCommandLineOption watch{"watch", "With --table: a third window that watches the game."};
    QCommandLineOption referee{"referee", "With --watch: the onlooker may act as referee when the players cannot agree on the count."};
    QCommandLineOption engines{"engines", "GNU Go against GNU Go, headless: black's level, then white's level as an argument.", "LEVEL_BLACK"};
    QCommandLineOption games{"games", "With --engines: how many games.", "N", "1"};
    QCommandLineOption recordDir{"record-dir", "With --engines: save each game there as a .go record.", "DIR"};
    QCommandLineOption legacy{"legacy", "Host the legacy plug-in stoneplay as the older hall did."};
    QCommandLineOption earlier{"earlier-build", "The view behaves as its earlier builds: three passes a game, no forced counting."};
    QCommandLineOption join{"join", "Join the hall server at HOST:PORT, ws://HOST:PORT or wss://HOST:PORT (gohall --serve there).", "URL"};
    QCommandLineOption name{"name", "With --join: the name to play under.", "NAME"};
    QCommandLineOption ca{"ca", "With --join wss://: trust the PEM certificates in FILE too (a self-signed server's own).", "FILE"};
    QCommandLineOption size{"size", "Size of the table window, e.g. 1024x768.", "WxH", "1024x768"};
    QCommandLineOption screen{"screen", "Size of a maximised window the view assumes, e.g. 900x650.", "WxH"};
    QCommandLineOption screenshot{"screenshot", "Render every window to FILE.png (FILE-2.png, ... for the others) and exit; nobody answers questions.", "FILE"};
    QCommandLineOption settings{"settings", "Keep the settings in FILE instead of the user's store.", "FILE"};
    QCommandLineOption mute{"mute", "Play no sounds."};
    // ---- The server (no display needed) ----
    QCommandLineOption serve{"serve", "Run headless as a server of tables for remote halls (gohall --join HOST:PORT)."};
    QCommandLineOption port{"port", "With --serve: the port to listen on.", "P", "7619"};
    // Loopback unless another address is given explicitly: a hall is not opened to a network by
    // accident.
    QCommandLineOption bind{"bind", "With --serve: the address to listen on (0.0.0.0 for every one).", "ADDR", "127.0.0.1"};
    QCommandLineOption archive{"archive",
                               "With --serve: where every game is kept: sqlite:PATH (the default, in the hall's data folder) or "
                               "postgresql://USER@HOST:PORT/DATABASE.",
                               "CONNECTION"};
    QCommandLineOption cert{"cert", "With --serve and --key: serve wss (TLS) with the PEM certificate chain in FILE, the server's own first.", "FILE"};
    QCommandLineOption key{"key", "With --cert: the certificate's unencrypted PEM private key.", "FILE"};
    QCommandLineOption noEngines{"no-engines", "With --serve: offer no GNU Go opponents at the tables."};

    // Help, version, every option above, and the record to open.
    void AddTo(QCommandLineParser& parser) const;
    // The options that mean something to the server.
    QList<QCommandLineOption> ServerOptions() const { return {serve, port, bind, archive, cert, key, noEngines}; }
    // Every option above.
    QList<QCommandLineOption> All() const;
};

// Whether the command line asks for the help or the version (they need no display, so this is
// known before any application object is made).
bool AsksForHelpOrVersion(int argc, char** argv);
// Prints the help or the version, without a display; the exit code.
int ShowHelpOrVersion(int argc, char** argv);
// The names and version every gohall application object carries.
void NameApplication();

// The command line with `--name X` written as `--name=X`: Qt's own `-name` (which it also takes
// written `--name`) would otherwise take the pair before gohall sees it. The application object
// keeps a reference to the count: this outlives it.
class JoinedArguments {
public:
    // `options` says which words are values (the word after `--load` is a file, whatever it reads).
    JoinedArguments(int argc, char** argv, const HallOptions& options);
    JoinedArguments(const JoinedArguments&) = delete;
    JoinedArguments& operator=(const JoinedArguments&) = delete;
    int& argc() { return m_count; }
    char** argv() { return m_pointers.data(); }

private:
    std::vector<QByteArray> m_arguments;
    std::vector<char*> m_pointers;  // into m_arguments, then a null
    int m_count = 0;
};
