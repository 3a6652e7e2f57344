#pragma once

#include "platform/DesktopPort.h"
#include "platform/Folders.h"

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

// The once-a-day update check at start. Returns true when the program is to go
// on starting, false when it is to end for an upgrade.
bool RunUpdateCheck(const UpdateContext& context);

} // namespace lk
