#include <gtest/gtest.h>

#include "platform/rtl/threads.h"

TEST(Threads, PriorityMovesTheNiceValueFromTheThreadsStartClampedAtBothEnds) {
    struct Row {
        TThreadPriority Priority;
        int BaseNice, Nice;
    };
    const Row rows[] = {
        {tpIdle, 0, 19},          {tpIdle, -5, 19},          {tpLowest, 0, 10},
        {tpLowest, 15, 19},       {tpLower, 3, 8},           {tpNormal, 7, 7},
        {tpHigher, 0, -5},        {tpHighest, 4, -6},        {tpHighest, -15, -20},
        {tpTimeCritical, 0, -20}, {tpTimeCritical, 10, -20},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ThreadNiceValue(r.Priority, r.BaseNice), r.Nice)
            << "priority " << r.Priority << " from " << r.BaseNice;
}
