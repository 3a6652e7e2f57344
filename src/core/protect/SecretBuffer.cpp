#include "core/protect/SecretBuffer.h"

#include "core/protect/Sodium.h"

#include <algorithm>
#include <sodium.h>
#include <utility>

namespace lk {

std::optional<SecretBuffer> SecretBuffer::Allocate(std::size_t size)
{
    if (size == 0) {
        return SecretBuffer();
    }
    if (!SodiumReady()) {
        return std::nullopt;
    }
    // sodium_malloc places the bytes against a guard page and locks them into
    // RAM (where the system allows it), so they are never written to swap.
    auto* data = static_cast<std::uint8_t*>(sodium_malloc(size));
    if (data == nullptr) {
        return std::nullopt;
    }
    sodium_memzero(data, size);
    return SecretBuffer(data, size);
}

std::optional<SecretBuffer> SecretBuffer::CopyOf(std::span<const std::uint8_t> bytes)
{
    auto buffer = Allocate(bytes.size());
    if (buffer) {
        std::copy(bytes.begin(), bytes.end(), buffer->bytes().begin());
    }
    return buffer;
}

std::optional<SecretBuffer> SecretBuffer::CopyOf(std::string_view text)
{
    auto buffer = Allocate(text.size());
    if (buffer) {
        std::transform(text.begin(), text.end(), buffer->bytes().begin(),
                       [](char c) { return static_cast<std::uint8_t>(c); });
    }
    return buffer;
}

SecretBuffer::~SecretBuffer()
{
    Wipe();
}

SecretBuffer::SecretBuffer(SecretBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0))
{}

SecretBuffer& SecretBuffer::operator=(SecretBuffer&& other) noexcept
{
    if (this != &other) {
        Wipe();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

void SecretBuffer::Wipe()
{
    if (data_ != nullptr) {
        // sodium_free zeroes the bytes as well; the explicit wipe keeps that
        // promise visible where it matters.
        sodium_memzero(data_, size_);
        sodium_free(data_);
    }
    data_ = nullptr;
    size_ = 0;
}

bool SameSecret(const SecretBuffer& a, const SecretBuffer& b)
{
    return a.size() == b.size() && (a.empty() || sodium_memcmp(a.bytes().data(), b.bytes().data(), a.size()) == 0);
}

} // namespace lk
