#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace lk::test {

// Runs `work` in `count` child processes that are all let go at the same
// moment, each given its index, and waits for them. Returns what each child's
// `work` returned (0 to 255), or -1 for a child that ended otherwise. A child
// never returns into the test: it ends with its result.
std::vector<int> RunInProcesses(int count, const std::function<int(int index)>& work);

// Runs `work` in a child process and kills it after `pause`, or, with no pause,
// as soon as `folder` lists more than `listed` account files: a batch's kill
// then lands while it is being put in place. True when the kill ended the
// child; false when it had finished already.
bool RunAndKill(const std::function<int()>& work, std::optional<std::chrono::microseconds> pause,
                const std::filesystem::path& folder, std::size_t listed);

} // namespace lk::test
