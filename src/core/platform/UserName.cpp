#include "core/platform/UserName.h"

#include "core/platform/TextConversion.h"

#include <cstdlib>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace lk {

std::u16string UsableUserName(std::u16string name)
{
    constexpr std::size_t kMostUnits = 15;
    if (name.size() > kMostUnits) {
        return {};
    }
    return name;
}

std::u16string CurrentUserName()
{
    std::string name;
#ifndef _WIN32
    if (const passwd* entry = ::getpwuid(::geteuid()); entry != nullptr && entry->pw_name != nullptr) {
        name = entry->pw_name;
    }
#endif
    if (name.empty()) {
        if (const char* user = std::getenv("USER"); user != nullptr) {
            name = user;
        }
    }
    return UsableUserName(FromEightBit(name));
}

} // namespace lk
