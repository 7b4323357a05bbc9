// Any bytes given to the table view as a ".go" file: loaded onto the board without a table,
// painted (names, faces, the status lines), counted with every third stone marked dead and
// painted again (the counting picture, the score lines), then played on. A crash or a sanitizer
// report is the failure.

#include <QApplication>
#include <memory>

#include "goview/plugin_resources.h"
#include "goview/view/c_game_view.h"
#include "goview/view/match_panel.h"
#include "goview/view/prompter.h"

namespace {

// Nobody answers: every question is refused, every message is swallowed.
class SilentPrompter : public goview::Prompter {
public:
    bool AskYesNo(QWidget*, const QString&, goview::DefaultAnswer, const QString&) override { return false; }
    std::optional<int> AskRefereeVerdict(QWidget*) override { return std::nullopt; }
    bool AskWithCountdown(QWidget*, const QString&, int) override { return false; }
    goview::Choice AskYesNoCancel(QWidget*, const QString&) override { return goview::Choice::No; }
    void ShowMessage(QWidget*, const QString&, goview::MessageIcon) override {}
    QString ChooseSaveFile(QWidget*, const goview::FileRequest&) override { return {}; }
    QString ChooseOpenFile(QWidget*, const goview::FileRequest&) override { return {}; }
};

goview::CGameView* g_view = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Kept for the life of the process: Qt's objects must not be torn down by exit handlers.
    new QApplication(*argc, *argv);
    auto* host = new QWidget;
    host->resize(1024, 768);
    // No hall: the view is a free board, as after loading a record.
    g_view = new goview::CGameView(nullptr, goview::ViewProfile::Current(), goview::PluginResources(),
                                      std::make_shared<SilentPrompter>());
    g_view->AttachToParent(host);
    g_view->resize(1024, 768);
    host->show();
    QApplication::processEvents();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    goview::CGameView& view = *g_view;
    if (!view.OpenRecordBytes(std::span(data, size))) return 0;
    view.RenderFrame();
    view.OnCommand(goview::control::kClearDead);
    const std::vector<go::MoveRecord> moves = view.Game().moves();
    for (size_t i = 0; i < moves.size(); i += 3) view.OnBoardClick(moves[i].x, moves[i].y);
    view.RenderFrame();
    view.OnCommand(goview::control::kContinue);
    view.OnCommand(goview::control::kFirst);
    view.RenderFrame();
    return 0;
}
