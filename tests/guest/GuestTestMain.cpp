// The guest's test runner. The virtual mouse's control pipe must not kill the
// runner if the mouse has died: a failed write is reported by the test instead.

#include <gtest/gtest.h>

#include <csignal>

int main(int argc, char** argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
