// The fault sweep over the in-memory registry: an operation run once for
// every registry call it makes, with that call failing.
#pragma once

#include <gtest/gtest.h>

#include <functional>

// For n = 0, 1, ... until the operation no longer reaches call n: once with
// call n failing alone, once with it and every later call failing. `run`
// makes a fresh registry, arms it with FailCall(call, fromThereOn), runs the
// operation, checks the outcome and returns the registry's CallCount().
inline void ForEachFailingCall(const std::function<int(int call, bool fromThereOn)>& run)
{
    for (bool fromThereOn : {false, true}) {
        for (int call = 0;; ++call) {
            SCOPED_TRACE(testing::Message()
                         << "call " << call << (fromThereOn ? " and every later one" : " alone") << " fails");
            ASSERT_LT(call, 1000) << "the operation never ran through";
            if (run(call, fromThereOn) <= call) break;
        }
    }
}
