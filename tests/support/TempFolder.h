#pragma once

#include "core/platform/Folders.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lk::test {

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The product folder "home" inside, with its data and program folders.
    Folders folders() const { return Folders::Under(path_ / "home"); }

private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes);
// The names of the files in a folder, sorted.
std::vector<std::string> FileNames(const std::filesystem::path& folder);

} // namespace lk::test
