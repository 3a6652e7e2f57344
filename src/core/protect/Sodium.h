#pragma once

namespace lk {

// Makes libsodium ready for use, once per process; every caller of its functions
// goes through here first. False when the library could not start (no source of
// randomness): nothing may then be encrypted.
[[nodiscard]] bool SodiumReady();

} // namespace lk
