#pragma once

#include <string>
#include <vector>

namespace vesk::test {

// The command-line arguments that GoogleTest left (paths that CMake passes to a test).
const std::vector<std::string>& Arguments();

}  // namespace vesk::test
