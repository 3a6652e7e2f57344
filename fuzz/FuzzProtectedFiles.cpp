// The readers of a protected store on arbitrary bytes: the protected account
// file under a fixed data key, and the key file under a fixed master password.
// A protected file gives text only when it decrypts whole, and a record read from
// it comes back whole through a write and a read of its own. A key file parses
// only as the exact bytes its encoding gives, and one that parses unwraps to a
// data key or is refused, never anything between.
#include "FuzzSupport.h"
#include "ProtectedFuzzKeys.h"
#include "core/protect/ProtectedAccountFile.h"
#include "core/protect/ProtectionKeyFile.h"
#include "core/store/AccountLine.h"

#include <algorithm>
#include <span>

namespace {

void CheckAccountFile(std::span<const std::uint8_t> bytes, const lk::SecretBuffer& key)
{
    using namespace lk;
    const AccountFileContent content = ProtectedAccountFile::Read(bytes, key);
    const bool longEnough = bytes.size() >= AccountFileHeader::kSize;
    fuzz::Require((content.outcome == AccountFileOutcome::Short) == !longEnough, "Short for a long file, or not");
    if (content.outcome == AccountFileOutcome::NotAccount || content.outcome == AccountFileOutcome::Short) {
        fuzz::Require(content.text.empty(), "text from a file that is not an account");
        return;
    }
    fuzz::Require(ProtectedAccountFile::HasMarker(bytes), "a file without the marker decrypted");
    if (content.outcome == AccountFileOutcome::Empty) {
        fuzz::Require(bytes.size() == ProtectedAccountFile::kLeastSize, "Empty for a file with a body");
        return;
    }
    fuzz::Require(content.text.find(u'\0') == std::u16string::npos, "a zero unit inside the text");
    fuzz::Require(2 * content.text.size() + ProtectedAccountFile::kLeastSize <= bytes.size(),
                  "text longer than the body");

    AccountRecord record;
    if (!ParseAccountLine(content.text, record)) {
        return;
    }
    fuzz::RequireWithinLimits(record);
    const auto written = ProtectedAccountFile::Write(record, key);
    fuzz::Require(written.has_value(), "a record could not be written protected");
    const AccountFileContent again = ProtectedAccountFile::Read(*written, key);
    fuzz::Require(again.outcome == AccountFileOutcome::Text, "a written protected file does not read as text");
    fuzz::Require(again.text == FormatAccountLine(record), "a written protected file reads as another line");
}

void CheckKeyFile(std::span<const std::uint8_t> bytes, const lk::SecretBuffer& password)
{
    using namespace lk;
    const auto file = ProtectionKeyFile::Parse(bytes);
    if (!file) {
        fuzz::Require(ProtectionKeyFile::Unwrap(bytes, password).outcome == ProtectionKeyFile::Outcome::Damaged,
                      "a key file that does not parse is not called damaged");
        return;
    }
    const auto encoded = file->Encode();
    fuzz::Require(std::equal(encoded.begin(), encoded.end(), bytes.begin(), bytes.end()),
                  "a parsed key file encodes to other bytes");
    // Only cheap derivations are tried: a stored cost may ask for a gigabyte.
    if (file->Cost().memory > (64u << 10) || file->Cost().passes > 4) {
        return;
    }
    const auto unwrapped = file->Unwrap(password);
    fuzz::Require(unwrapped.outcome == ProtectionKeyFile::Outcome::Unlocked ||
                      unwrapped.outcome == ProtectionKeyFile::Outcome::WrongPassword,
                  "a whole key file neither unlocks nor refuses");
    fuzz::Require(unwrapped.dataKey.has_value() == (unwrapped.outcome == ProtectionKeyFile::Outcome::Unlocked),
                  "a data key without Unlocked, or Unlocked without one");
    if (unwrapped.dataKey) {
        fuzz::Require(unwrapped.dataKey->size() == ProtectionKeyFile::kDataKeySize, "a data key of another size");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const lk::SecretBuffer key = lk::fuzz::FuzzDataKey();
    static const lk::SecretBuffer password = lk::fuzz::FuzzPassword();
    const std::span<const std::uint8_t> bytes(data, size);
    CheckAccountFile(bytes, key);
    CheckKeyFile(bytes, password);
    return 0;
}
