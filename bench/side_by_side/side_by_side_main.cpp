// GoBoard beside KataGo's board, in one process: round by round each workload runs on one engine
// and then on the other (the order swapped every round, so that neither always runs warm), and
// each round gives the ratio of GoBoard's figure to KataGo's. Reported: the median, the least
// and the greatest ratio of the rounds. Times: below 1.0 GoBoard is faster; rates: above 1.0.
//
//   build/default/bin/katago_side_by_side [--rounds 15] [--replays 2000] [--scans 100] [--playouts 200]
//
// Both engines must do the same work: a round whose checksums differ is reported and fails the run.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/side_by_side/workload_runner.h"
#include "rules/go_board.h"

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

class Ratios {
public:
    explicit Ratios(const char* what) : m_what(what) {}
    void Add(double ratio) { m_ratios.push_back(ratio); }
    void Print() const {
        std::vector<double> sorted = m_ratios;
        std::sort(sorted.begin(), sorted.end());
        const size_t n = sorted.size();
        const double median = n % 2 == 1 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
        std::printf("%-44s median %.3f  min %.3f  max %.3f\n", m_what, median, sorted.front(), sorted.back());
    }

private:
    const char* m_what;
    std::vector<double> m_ratios;
};

// Runs `run` on both engines, in the order the round gives; false when their checksums differ.
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
    const std::vector<Turns> playouts = go::workloads::FirstPlayouts<go::GoBoard>(options.scans);
    const Turns replay(playouts[0].begin(), playouts[0].begin() + 300);
    const auto ours = MakeGoBoardRunner();
    const auto theirs = MakeKataGoRunner();

    Ratios w2("W2 checked replay, time (GoBoard / KataGo)");
    Ratios w3("W3 legality scan, time (GoBoard / KataGo)");
    Ratios w1("W1 playouts, stones per second (GoBoard / KataGo)");
    double ns[3][2] = {};
    for (int round = 0; round < options.rounds; ++round) {
        RunResult a;
        RunResult b;
        const char* differs = nullptr;
        if (!Pair(round, *ours, *theirs, [&](WorkloadRunner& r) { return r.CheckedReplay(replay, options.replays); }, a, b)) differs = "W2";
        w2.Add(a.seconds / b.seconds);
        ns[0][0] += a.seconds * 1e9 / static_cast<double>(a.work);
        ns[0][1] += b.seconds * 1e9 / static_cast<double>(b.work);
        if (!Pair(round, *ours, *theirs, [&](WorkloadRunner& r) { return r.LegalityScan(playouts); }, a, b)) differs = "W3";
        w3.Add(a.seconds / b.seconds);
        ns[1][0] += a.seconds * 1e9 / static_cast<double>(a.work);
        ns[1][1] += b.seconds * 1e9 / static_cast<double>(b.work);
        if (!Pair(round, *ours, *theirs, [&](WorkloadRunner& r) { return r.RandomPlayouts(options.playouts); }, a, b)) differs = "W1";
        w1.Add((static_cast<double>(a.work) / a.seconds) / (static_cast<double>(b.work) / b.seconds));
        ns[2][0] += a.seconds * 1e9 / static_cast<double>(a.work);
        ns[2][1] += b.seconds * 1e9 / static_cast<double>(b.work);
        if (differs != nullptr) {
            std::fprintf(stderr, "round %d: the engines did different work on %s\n", round + 1, differs);
            return 1;
        }
    }
    std::printf("%d rounds, each engine in turn; per round %d replays of 300 turns, %zu playouts scanned, %d playouts\n",
                options.rounds, options.replays, playouts.size(), options.playouts);
    w2.Print();
    w3.Print();
    w1.Print();
    const double rounds = options.rounds;
    std::printf("mean ns per stone (W2): GoBoard %.1f, KataGo %.1f\n", ns[0][0] / rounds, ns[0][1] / rounds);
    std::printf("mean ns per test (W3, replay included): GoBoard %.2f, KataGo %.2f\n", ns[1][0] / rounds, ns[1][1] / rounds);
    std::printf("mean ns per stone (W1, policy included): GoBoard %.1f, KataGo %.1f\n", ns[2][0] / rounds, ns[2][1] / rounds);
    return 0;
}
