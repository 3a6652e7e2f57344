#include "platform/DirectoryListing.h"

#include "platform/TextConversion.h"

#include <algorithm>
#include <system_error>

namespace lk {
namespace {

bool EndsWithDat(const std::string& name)
{
    constexpr std::string_view kExtension = ".dat";
    return name.size() >= kExtension.size() &&
           EqualsIgnoringAsciiCase(std::string_view(name).substr(name.size() - kExtension.size()), kExtension);
}

} // namespace

bool ListingOrderLess(const std::string& a, const std::string& b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto ca = static_cast<unsigned char>(AsciiUpper(a[i]));
        const auto cb = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (ca != cb) {
            return ca < cb;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return a < b;
}

std::vector<std::string> ListDatFiles(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) {
        return names;
    }
    for (const std::filesystem::directory_iterator end; it != end; it.increment(error)) {
        if (error) {
            break;
        }
        std::string name = it->path().filename().string();
        if (!EndsWithDat(name)) {
            continue;
        }
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) {
            continue;
        }
        names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), ListingOrderLess);
    return names;
}

} // namespace lk
