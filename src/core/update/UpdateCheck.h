#pragma once

#include "core/platform/Folders.h"
#include "core/ports/DesktopPort.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace lk {

// The bounds that keep a misbehaving server from filling the disk or holding
// the program's start: the description is a few lines per file, and no support
// file the program ships comes near its bound.
inline constexpr std::uint64_t kMaxDescriptionBytes = std::uint64_t{1} << 20;
inline constexpr std::uint64_t kMaxSupportFileBytes = std::uint64_t{64} << 20;
// The whole check, however many records the description lists and however
// slowly the server answers.
inline constexpr std::chrono::milliseconds kCheckTimeLimit{30000};

// One download of the check.
struct DownloadRequest
{
    std::string address;
    std::filesystem::path target;
    // An answer longer than this is an error: no more of it is written, and the
    // target stays as it was.
    std::uint64_t maxBytes = 0;
    // The end of the whole check: a download still running then is given up,
    // and none starts after it.
    std::chrono::steady_clock::time_point deadline;
};

// Fetches one address to a local file, blocking; true when the whole file
// arrived within the request's bounds and replaced the target.
class UpdateDownloader
{
public:
    virtual ~UpdateDownloader() = default;
    virtual bool Download(const DownloadRequest& request) = 0;
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
    // The time the whole check may take, from its first download on.
    std::chrono::milliseconds timeLimit = kCheckTimeLimit;
};

// The once-a-day update check at start. The current time is remembered at every
// start; the check runs when no time was remembered or the remembered one is at
// least a day old. It downloads the description into the program folder
// (creating the folder for its owner only when missing), fetches every support
// file that differs from the local one in size or last-write time, and asks
// about an upgrade when the program's own file differs. Each name is fetched
// at most once per check (the description's own name included), every
// download is bounded in size, and all of them share one deadline. Everything is addressed
// by full paths in the program folder; the process's current folder is left
// alone. Returns true when the program is to go on starting, which every failure
// leads to; false only when the user took the upgrade.
bool RunUpdateCheck(const UpdateContext& context);

} // namespace lk
