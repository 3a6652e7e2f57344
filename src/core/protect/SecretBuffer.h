#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace lk {

// Bytes that must never reach the disk or outlive their use: master passwords
// and keys. They live in libsodium's guarded memory (locked into RAM so that
// they are never swapped, fenced by guard pages), and are wiped when the buffer
// is destroyed, wiped or moved from. Move-only: a secret is never copied by
// accident.
class SecretBuffer
{
public:
    // An empty buffer.
    SecretBuffer() = default;
    // A buffer of `size` zero bytes, or nothing when guarded memory cannot be had.
    static std::optional<SecretBuffer> Allocate(std::size_t size);
    // A buffer holding a copy of `bytes`; the caller wipes its own copy.
    static std::optional<SecretBuffer> CopyOf(std::span<const std::uint8_t> bytes);
    static std::optional<SecretBuffer> CopyOf(std::string_view text);

    ~SecretBuffer();
    SecretBuffer(SecretBuffer&& other) noexcept;
    SecretBuffer& operator=(SecretBuffer&& other) noexcept;
    SecretBuffer(const SecretBuffer&) = delete;
    SecretBuffer& operator=(const SecretBuffer&) = delete;

    std::span<std::uint8_t> bytes() { return {data_, size_}; }
    std::span<const std::uint8_t> bytes() const { return {data_, size_}; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    // Zeroes the bytes and frees the memory; the buffer is empty afterwards.
    void Wipe();

private:
    SecretBuffer(std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

// The two buffers hold the same bytes (compared in constant time).
bool SameSecret(const SecretBuffer& a, const SecretBuffer& b);

} // namespace lk
