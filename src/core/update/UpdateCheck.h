#pragma once

#include "core/platform/Folders.h"
#include "core/ports/DesktopPort.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace lk {

// Fetches one address to a local file, blocking; true when the whole file arrived.
class UpdateDownloader
{
public:
    virtual ~UpdateDownloader() = default;
    virtual bool Download(const std::string& address, const std::filesystem::path& target) = 0;
};

// Where the check remembers the time of the previous start (seconds, 32-bit).
class UpdateSettings
{
public:
    virtual ~UpdateSettings() = default;
    virtual std::optional<std::uint32_t> LastStartTime() = 0;
    virtual void SetLastStartTime(std::uint32_t seconds) = 0;
};

struct UpdateContext
{
    Folders folders;
    std::string baseAddress;      // ends in "/"; the description is baseAddress + "update.dat"
    std::string installerAddress; // opened when the user takes the upgrade
    std::uint32_t now = 0;        // the current time in seconds
    UpdateDownloader* downloader = nullptr;
    UpdateSettings* settings = nullptr;
    DesktopPort* desktop = nullptr;
};

// The once-a-day update check at start. The current time is remembered at every
// start; the check runs when no time was remembered or the remembered one is at
// least a day old. It downloads the description into the program folder
// (creating the folder for its owner only when missing), fetches every support
// file that differs from the local one in size or last-write time, and asks
// about an upgrade when the program's own file differs. Everything is addressed
// by full paths in the program folder; the process's current folder is left
// alone. Returns true when the program is to go on starting, which every failure
// leads to; false only when the user took the upgrade.
bool RunUpdateCheck(const UpdateContext& context);

} // namespace lk
