// Any bytes given to the table view as a ".go" file: loaded onto the board without a table,
// painted (names, faces, the status lines), counted with every third stone marked dead and
// painted again (the counting picture, the score lines), then played on. A crash or a sanitizer
// report is the failure.

#include <QApplication>
#include <memory>

#include "matchview/plugin_resources.h"
#include "matchview/view/c_game_view.h"
#include "matchview/view/match_panel.h"
#include "matchview/view/prompter.h"

namespace {

// Nobody answers: every question is refused, every message is swallowed.
class SilentPrompter : public matchview::Prompter {
public:
    bool AskYesNo(QWidget*, const QString&, matchview::DefaultAnswer, const QString&) override { return false; }
    std::optional<int> AskRefereeVerdict(QWidget*) override { return std::nullopt; }
    bool AskWithCountdown(QWidget*, const QString&, int) override { return false; }
    matchview::Choice AskYesNoCancel(QWidget*, const QString&) override { return matchview::Choice::No; }
    void ShowMessage(QWidget*, const QString&, matchview::MessageIcon) override {}
    QString ChooseSaveFile(QWidget*, const matchview::FileRequest&) override { return {}; }
    QString ChooseOpenFile(QWidget*, const matchview::FileRequest&) override { return {}; }
};

matchview::CGameView* g_view = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Kept for the life of the process: Qt's objects must not be torn down by exit handlers.
    new QApplication(*argc, *argv);
    auto* host = new QWidget;
    host->resize(1024, 768);
    // No hall: the view is a free board, as after loading a record.
    g_view = new matchview::CGameView(nullptr, matchview::ViewProfile::Current(), matchview::PluginResources(),
                                      std::make_shared<SilentPrompter>());
    g_view->AttachToParent(host);
    g_view->resize(1024, 768);
    host->show();
    QApplication::processEvents();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    matchview::CGameView& view = *g_view;
    if (!view.OpenRecordBytes(std::span(data, size))) return 0;
    view.RenderFrame();
    view.OnCommand(matchview::control::kClearDead);
    const std::vector<go::MoveRecord> moves = view.Board().moves();
    for (size_t i = 0; i < moves.size(); i += 3) view.OnBoardClick(moves[i].x, moves[i].y);
    view.RenderFrame();
    view.OnCommand(matchview::control::kContinue);
    view.OnCommand(matchview::control::kFirst);
    view.RenderFrame();
    return 0;
}
