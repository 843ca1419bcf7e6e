#include <gtest/gtest.h>

#include "TestArguments.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vesk::test {

std::vector<std::string> g_arguments;

const std::vector<std::string>& Arguments() {
    return g_arguments;
}

}  // namespace vesk::test

int main(int argc, char** argv) {
#ifdef _WIN32
    // A crash must fail the test run, not wait for someone to close a dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
#endif
    testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        vesk::test::g_arguments.emplace_back(argv[i]);
    }
    return RUN_ALL_TESTS();
}
