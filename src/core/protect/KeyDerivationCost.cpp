#include "core/protect/KeyDerivationCost.h"

#include "core/protect/Sodium.h"

#include <algorithm>
#include <sodium.h>

namespace lk {

static_assert(KeyDerivationCost::kLeastPasses >= crypto_pwhash_argon2id_OPSLIMIT_MIN);
static_assert(KeyDerivationCost::kLeastMemory >= crypto_pwhash_argon2id_MEMLIMIT_MIN);
static_assert(kSaltSize == crypto_pwhash_argon2id_SALTBYTES);

KeyDerivationCost KeyDerivationCost::Tuned(std::chrono::milliseconds target)
{
    const auto onePass = [] {
        // A throwaway password and salt: only the time counts.
        auto password = SecretBuffer::CopyOf(std::string_view("tuning"));
        const std::array<std::uint8_t, kSaltSize> salt{};
        const auto start = std::chrono::steady_clock::now();
        if (password) {
            static_cast<void>(DeriveWrappingKey(*password, salt, KeyDerivationCost{1, kMemory}));
        }
        return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start);
    };
    return TunedWith(onePass, target);
}

KeyDerivationCost KeyDerivationCost::TunedWith(const std::function<std::chrono::nanoseconds()>& onePass,
                                               std::chrono::milliseconds target)
{
    const std::chrono::nanoseconds perPass = std::max(onePass(), std::chrono::nanoseconds(1));
    const auto passes = static_cast<std::uint64_t>(std::chrono::nanoseconds(target) / perPass);
    return KeyDerivationCost{std::clamp(passes, kLeastTunedPasses, kMostPasses), kMemory};
}

bool KeyDerivationCost::Acceptable() const
{
    return passes >= kLeastPasses && passes <= kMostPasses && memory >= kLeastMemory && memory <= kMostMemory;
}

std::optional<SecretBuffer> DeriveWrappingKey(const SecretBuffer& password,
                                              const std::array<std::uint8_t, kSaltSize>& salt, KeyDerivationCost cost)
{
    if (!cost.Acceptable() || !SodiumReady()) {
        return std::nullopt;
    }
    auto key = SecretBuffer::Allocate(kDerivedKeySize);
    if (!key) {
        return std::nullopt;
    }
    // An empty password has no bytes to point at; libsodium takes any pointer then.
    static const char kNothing = 0;
    const char* text = password.empty() ? &kNothing : reinterpret_cast<const char*>(password.bytes().data());
    if (crypto_pwhash(key->bytes().data(), key->size(), text, password.size(), salt.data(), cost.passes,
                      static_cast<std::size_t>(cost.memory), crypto_pwhash_ALG_ARGON2ID13) != 0) {
        return std::nullopt;
    }
    return key;
}

} // namespace lk
