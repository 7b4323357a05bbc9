#include "bench/side_by_side/workload_runner.h"

namespace go::sidebyside {

std::unique_ptr<WorkloadRunner> MakeOurRunner() { return std::make_unique<BoardRunner<workloads::PositionBoard>>(); }

}  // namespace go::sidebyside
