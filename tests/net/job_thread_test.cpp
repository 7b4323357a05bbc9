// The archive's worker: jobs in the order given, a call that waits for everything before it, and
// nothing posted lost when it is destroyed. Also run under ThreadSanitizer.

#include "hall/server/job_thread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace hall {
namespace {

TEST(JobThread, JobsRunInOrderACallSeesEveryEarlierJobAndTheEndRunsWhatIsQueued) {
    std::vector<int> done;  // touched by the worker only, until the calls below read it
    {
        JobThread worker;
        for (int i = 0; i < 1000; ++i) worker.Post([&done, i] { done.push_back(i); });
        EXPECT_EQ(worker.Call([&done] { return done.size(); }), 1000u);
        for (int i = 1000; i < 2000; ++i) {
            worker.Post([&done, i] {
                // A slow job: the destructor must still wait for it and for those after it.
                if (i == 1000) std::this_thread::sleep_for(std::chrono::milliseconds(20));
                done.push_back(i);
            });
        }
    }
    ASSERT_EQ(done.size(), 2000u);
    for (int i = 0; i < 2000; ++i) ASSERT_EQ(done[i], i);
}

TEST(JobThread, ACallGivesItsJobsResultAndRunsOnTheWorker) {
    JobThread worker;
    const std::thread::id here = std::this_thread::get_id();
    EXPECT_NE(worker.Call([] { return std::this_thread::get_id(); }), here);
    EXPECT_EQ(worker.Call([] { return std::string("kept"); }), "kept");
    worker.Call([] {});
}

}  // namespace
}  // namespace hall
