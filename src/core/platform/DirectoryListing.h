#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lk {

// The names of the regular files in `folder` whose name ends in ".dat" (letters
// compared without case), in a fixed order: names compared with ASCII letters
// folded to upper case, as the original file system compares them (so "_x"
// sorts after "B"), ties broken by the exact bytes of the name.
std::vector<std::string> ListDatFiles(const std::filesystem::path& folder);

#ifndef _WIN32
// The same listing of a folder open as the descriptor `folder`, which stays open.
std::vector<std::string> ListDatFilesAt(int folder);
#endif

// The order that ListDatFiles uses, for tests and other listings.
bool ListingOrderLess(const std::string& a, const std::string& b);

} // namespace lk
