// Paint benchmarks of the table view: a full paint into the off-screen picture after the position
// changed, a repaint of an unchanged position, and the floor of tiling the window background
// alone. Run with
//   build/default/bin/view_paint_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
// and quote the medians.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include "bench/workloads.h"
#include "goview/plugin_resources.h"
#include "goview/view/c_game_view.h"
#include "goview/view/match_panel.h"

namespace {

using namespace go;
using goview::CGameView;

enum class Scene { Play, Count };

// A view on a free board showing the first 250 turns of the first playout (move numbers on), or
// its final position counted with a few chains dead.
std::unique_ptr<CGameView> MakeView(QSize size, Scene scene) {
    auto view = std::make_unique<CGameView>(nullptr, goview::ViewProfile::Current(), goview::PluginResources(),
                                            nullptr);
    view->resize(size);
    view->show();
    QApplication::processEvents();
    view->OnCommand(goview::control::kStart);
    workloads::SplitMix64 rng(workloads::kSeed);
    workloads::PositionBoard scratch;
    const std::vector<MoveRecord> turns = workloads::RunPlayout(scratch, rng).turns;
    Game& board = view->Game();
    const size_t count = scene == Scene::Play ? 250 : turns.size();
    for (size_t i = 0; i < count && i < turns.size(); ++i) board.Play(turns[i].color, turns[i].x, turns[i].y);
    if (scene == Scene::Count) {
        view->OnCommand(goview::control::kClearDead);  // the free board's count
        for (int p = 0, marked = 0; p < kPointCount && marked < 6; p += 29) {
            marked += board.position().MarkChainDead(p % kBoardSize, p / kBoardSize);
        }
    }
    return view;
}

void PaintScene(benchmark::State& state, Scene scene) {
    const QSize size(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    auto view = MakeView(size, scene);
    for (auto _ : state) benchmark::DoNotOptimize(view->RenderFrame().constBits());
}

// The paint after a move: every iteration the last stone is taken back or played again, so the
// whole board square is drawn anew (stones, marker, move numbers) along with the panels.
void PaintAfterMove(benchmark::State& state, Scene scene) {
    const QSize size(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    auto view = MakeView(size, scene);
    Game& board = view->Game();
    const MoveRecord last = board.moves().back();
    bool taken = false;
    for (auto _ : state) {
        state.PauseTiming();
        if (scene == Scene::Play) {
            if (taken) {
                board.Play(last.color, last.x, last.y);
            } else {
                board.Undo();
            }
        } else {
            // Counting: a dead chain is marked and unmarked, which changes the territory.
            const BoardCell cell = board.position().GetCell(last.x, last.y);
            if (cell.mark == kMarkDead) {
                board.position().UnmarkChainDead(last.x, last.y);
            } else {
                board.position().MarkChainDead(last.x, last.y);
            }
        }
        taken = !taken;
        state.ResumeTiming();
        benchmark::DoNotOptimize(view->RenderFrame().constBits());
    }
}

// The worst case: the move numbers are switched on and off, so every point is drawn again.
void BM_PaintWholeBoard(benchmark::State& state) {
    const QSize size(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    auto view = MakeView(size, Scene::Play);
    bool numbers = true;
    for (auto _ : state) {
        state.PauseTiming();
        numbers = !numbers;
        view->OnCommand(numbers ? goview::control::kShowNumbers : goview::control::kHideNumbers);
        state.ResumeTiming();
        benchmark::DoNotOptimize(view->RenderFrame().constBits());
    }
}

// An unchanged position painted again, as the clock ticks and the hovering buttons do.
void BM_RepaintPlay(benchmark::State& state) { PaintScene(state, Scene::Play); }
void BM_RepaintCount(benchmark::State& state) { PaintScene(state, Scene::Count); }
void BM_PaintPlay(benchmark::State& state) { PaintAfterMove(state, Scene::Play); }
void BM_PaintCount(benchmark::State& state) { PaintAfterMove(state, Scene::Count); }

void BM_PaintFloor(benchmark::State& state) {
    const QSize size(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    auto view = MakeView(size, Scene::Play);
    QImage frame(size, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&frame);
        view->Pictures().background.Tile(painter, QRect(QPoint(0, 0), size));
    }
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Args({1024, 768})->Args({1920, 1080})->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_PaintFloor)->Apply(Sizes);
BENCHMARK(BM_PaintPlay)->Apply(Sizes);
BENCHMARK(BM_PaintCount)->Apply(Sizes);
BENCHMARK(BM_PaintWholeBoard)->Apply(Sizes);
BENCHMARK(BM_RepaintPlay)->Apply(Sizes);
BENCHMARK(BM_RepaintCount)->Apply(Sizes);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
