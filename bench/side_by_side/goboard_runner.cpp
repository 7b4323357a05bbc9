#include "bench/side_by_side/workload_runner.h"
#include "rules/go_board.h"

namespace go::sidebyside {

std::unique_ptr<WorkloadRunner> MakeGoBoardRunner() { return std::make_unique<BoardRunner<GoBoard>>(); }

}  // namespace go::sidebyside
