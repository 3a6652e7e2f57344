#include "core/store/FileStem.h"

#include "core/platform/FileTime.h"
#include "core/platform/TextConversion.h"

#include <set>
#include <system_error>

namespace lk {

bool IsUsableStem(std::string_view stem)
{
    // A leading full stop would make a hidden file, and the saves' temporary
    // files begin with one: such a name is never an account's.
    if (stem.empty() || stem.front() == '.' || EqualsIgnoringAsciiCase(stem, kCombinedFileStem) ||
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

std::string DerivedFileStem(std::span<const std::uint8_t> source, std::uint64_t position)
{
    constexpr std::uint64_t kOffsetBasis = 14695981039346656037ULL;
    constexpr std::uint64_t kPrime = 1099511628211ULL;
    std::uint64_t hash = kOffsetBasis;
    const auto mix = [&hash](std::uint8_t byte) {
        hash ^= byte;
        hash *= kPrime;
    };
    for (const std::uint8_t byte : source) {
        mix(byte);
    }
    for (int shift = 0; shift < 64; shift += 8) {
        mix(static_cast<std::uint8_t>(position >> shift));
    }
    return std::to_string(hash);
}

} // namespace lk
