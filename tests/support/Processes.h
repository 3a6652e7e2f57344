#pragma once

#include <functional>
#include <vector>

namespace lk::test {

// Runs `work` in `count` child processes that are all let go at the same
// moment, each given its index, and waits for them. Returns what each child's
// `work` returned (0 to 255), or -1 for a child that ended otherwise. A child
// never returns into the test: it ends with its result.
std::vector<int> RunInProcesses(int count, const std::function<int(int index)>& work);

} // namespace lk::test
