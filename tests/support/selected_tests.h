#pragma once

#include <gtest/gtest.h>

#include <cstdio>

// Runs the tests the filter selects. A filter that selects none fails, so
// that a rerun of tests since renamed cannot pass by running nothing.
inline int runSelectedTests()
{
    const int status = RUN_ALL_TESTS();
    if (::testing::UnitTest::GetInstance()->test_to_run_count() > 0 || GTEST_FLAG_GET(list_tests))
        return status;
    std::fprintf(stderr, "no test matches --gtest_filter=%s\n", GTEST_FLAG_GET(filter).c_str());
    return 1;
}
