#include "core/store/FileStem.h"

#include "core/platform/FileTime.h"
#include "core/platform/TextConversion.h"

#include <set>
#include <system_error>

namespace lk {

bool IsUsableStem(std::string_view stem)
{
    if (stem.empty() || stem == "." || stem == ".." || EqualsIgnoringAsciiCase(stem, kCombinedFileStem) ||
        !StemText::Fits(stem)) {
        return false;
    }
    for (const char c : stem) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || c == '/' || c == '\\' || c == ':') {
            return false;
        }
    }
    return true;
}

std::string StemFromFileName(std::string_view fileName)
{
    const std::string_view stem = fileName.substr(0, fileName.find('.'));
    return IsUsableStem(stem) ? std::string(stem) : std::string();
}

std::filesystem::path AccountFilePath(const std::filesystem::path& dataFolder, std::string_view stem)
{
    return dataFolder / (std::string(stem) + ".dat");
}

std::string NewFileStem(const std::filesystem::path& dataFolder)
{
    return NewFileStem(dataFolder, FileTime::Now());
}

std::string NewFileStem(const std::filesystem::path& dataFolder, FileTime now)
{
    static std::set<std::string> given;
    static std::uint64_t lastTicks = 0;
    std::uint64_t ticks = now.ticks;
    if (ticks <= lastTicks) {
        ticks = lastTicks + 1;
    }
    for (;; ++ticks) {
        const FileTime time{ticks};
        std::string stem = std::to_string(time.High()) + std::to_string(time.Low());
        std::error_code error;
        if (given.count(stem) == 0 && !std::filesystem::exists(AccountFilePath(dataFolder, stem), error)) {
            given.insert(stem);
            lastTicks = ticks;
            return stem;
        }
    }
}

} // namespace lk
