// Our rules engine beside KataGo's board, in one process: round by round each workload runs on one engine
// and then on the other (the order swapped every round, so that neither always runs warm), and
// each round gives the ratio of our figure to KataGo's. Reported: the median, the least
// and the greatest ratio of the rounds. Times: below 1.0 ours is faster; rates: above 1.0.
//
//   build/default/bin/katago_side_by_side [--rounds 15] [--replays 2000] [--scans 100] [--playouts 200]
//
// Both engines must do the same work: a round whose checksums differ is reported and fails the run.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench/side_by_side/workload_runner.h"

namespace {

using namespace go::sidebyside;

struct Options {
    int rounds = 15;
    int replays = 2000;  // W2: repeats of the 300-turn replay per round
    int scans = 100;     // W3: playouts scanned per round
    int playouts = 200;  // W1: playouts per round
};

bool ReadOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        int* field = std::strcmp(argv[i], "--rounds") == 0     ? &options.rounds
                     : std::strcmp(argv[i], "--replays") == 0  ? &options.replays
                     : std::strcmp(argv[i], "--scans") == 0    ? &options.scans
                     : std::strcmp(argv[i], "--playouts") == 0 ? &options.playouts
                                                               : nullptr;
        if (field == nullptr || i + 1 >= argc || (*field = std::atoi(argv[++i])) <= 0) return false;
    }
    return true;
}

// One workload's comparison over the rounds: the per-round ratio of ours's figure to KataGo's
// (time, or for a rate its inverse) and the mean time per unit of work of each engine.
class Comparison {
public:
    Comparison(const char* what, const char* unit, bool rate) : m_what(what), m_unit(unit), m_rate(rate) {}

    void Add(const RunResult& ours, const RunResult& theirs) {
        m_ratios.push_back(m_rate ? theirs.seconds / ours.seconds : ours.seconds / theirs.seconds);
        m_ns[0] += ours.seconds * 1e9 / static_cast<double>(ours.work);
        m_ns[1] += theirs.seconds * 1e9 / static_cast<double>(theirs.work);
    }
    void PrintRatio() const {
        std::vector<double> sorted = m_ratios;
        std::sort(sorted.begin(), sorted.end());
        const size_t n = sorted.size();
        const double median = n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
        std::printf("%-50s median %.3f  min %.3f  max %.3f\n", m_what, median, sorted.front(), sorted.back());
    }
    void PrintNanoseconds() const {
        const double rounds = static_cast<double>(m_ratios.size());
        std::printf("mean ns per %s: ours %.2f, KataGo %.2f\n", m_unit, m_ns[0] / rounds, m_ns[1] / rounds);
    }

private:
    const char* m_what;
    const char* m_unit;
    bool m_rate;  // the figure is work per second: the ratio is of rates, not of times
    std::vector<double> m_ratios;
    double m_ns[2] = {};
};

// Runs `run` on both engines, in the order the round gives; false when they did different work.
template <class Run>
bool Pair(int round, WorkloadRunner& ours, WorkloadRunner& theirs, Run run, RunResult& a, RunResult& b) {
    if (round % 2 == 0) {
        a = run(ours);
        b = run(theirs);
    } else {
        b = run(theirs);
        a = run(ours);
    }
    return a.checksum == b.checksum && a.work == b.work;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ReadOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: katago_side_by_side [--rounds N] [--replays N] [--scans N] [--playouts N]\n");
        return 2;
    }
    const std::vector<Turns> playouts = go::workloads::FirstPlayouts<go::workloads::PositionBoard>(options.scans);
    const Turns replay(playouts[0].begin(), playouts[0].begin() + 300);
    const auto ours = MakeOurRunner();
    const auto theirs = MakeKataGoRunner();

    struct Workload {
        const char* name;
        Comparison comparison;
        std::function<RunResult(WorkloadRunner&)> run;
    };
    Workload workloads[] = {
        {"W2", {"W2 checked replay, time (ours / KataGo)", "stone (W2)", false},
         [&](WorkloadRunner& r) { return r.CheckedReplay(replay, options.replays); }},
        {"W3", {"W3 legality scan, time (ours / KataGo)", "test (W3, replay included)", false},
         [&](WorkloadRunner& r) { return r.LegalityScan(playouts); }},
        {"W1", {"W1 playouts, stones per second (ours / KataGo)", "stone (W1, policy included)", true},
         [&](WorkloadRunner& r) { return r.RandomPlayouts(options.playouts); }},
    };
    for (int round = 0; round < options.rounds; ++round) {
        for (Workload& w : workloads) {
            RunResult a;
            RunResult b;
            if (!Pair(round, *ours, *theirs, w.run, a, b)) {
                std::fprintf(stderr, "round %d: the engines did different work on %s\n", round + 1, w.name);
                return 1;
            }
            w.comparison.Add(a, b);
        }
    }
    std::printf("%d rounds, each engine in turn; per round %d replays of 300 turns, %zu playouts scanned, %d playouts\n",
                options.rounds, options.replays, playouts.size(), options.playouts);
    for (const Workload& w : workloads) w.comparison.PrintRatio();
    for (const Workload& w : workloads) w.comparison.PrintNanoseconds();
    return 0;
}
