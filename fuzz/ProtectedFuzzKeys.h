#pragma once

#include "core/protect/SecretBuffer.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace lk::fuzz {

// The data key and the master password that the protected-file target reads
// with, and that its seeds were written with, so that seeds decrypt.
inline constexpr std::uint8_t kDataKeyByte = 0x42;
inline constexpr std::string_view kMasterPassword = "fuzzer";

inline SecretBuffer FuzzDataKey()
{
    auto key = SecretBuffer::Allocate(32);
    if (!key) {
        std::abort();
    }
    for (std::uint8_t& b : key->bytes()) {
        b = kDataKeyByte;
    }
    return std::move(*key);
}

inline SecretBuffer FuzzPassword(std::string_view text = kMasterPassword)
{
    auto password = SecretBuffer::CopyOf(text);
    if (!password) {
        std::abort();
    }
    return std::move(*password);
}

} // namespace lk::fuzz
