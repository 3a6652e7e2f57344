#include "core/protect/ProtectionKeyFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sodium.h>
#include <sys/stat.h>

namespace lk {
namespace {

using Outcome = ProtectionKeyFile::Outcome;
using Bytes = std::vector<std::uint8_t>;

SecretBuffer Password(std::string_view text)
{
    auto buffer = SecretBuffer::CopyOf(text);
    return buffer ? std::move(*buffer) : SecretBuffer();
}

SecretBuffer DataKey()
{
    auto key = ProtectionKeyFile::NewDataKey();
    return key ? std::move(*key) : SecretBuffer();
}

// A key file as tests make them: the cheapest derivation, so each costs microseconds.
struct WrappedKey
{
    SecretBuffer dataKey = DataKey();
    Bytes bytes;

    explicit WrappedKey(std::string_view password)
    {
        const auto file = ProtectionKeyFile::Wrap(dataKey, Password(password), KeyDerivationCost::Least());
        EXPECT_TRUE(file.has_value());
        if (file) {
            const auto encoded = file->Encode();
            bytes.assign(encoded.begin(), encoded.end());
        }
    }
};

std::uint64_t Number(const Bytes& bytes, std::size_t offset, std::size_t width)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value |= static_cast<std::uint64_t>(bytes[offset + i]) << (8 * i);
    }
    return value;
}

void PutNumber(Bytes& bytes, std::size_t offset, std::uint64_t value, std::size_t width)
{
    for (std::size_t i = 0; i < width; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// Makes the checksum fit the changed bytes again, as a deliberate change would.
void Reseal(Bytes& bytes)
{
    crypto_generichash(bytes.data() + 128, 32, bytes.data(), 128, nullptr, 0);
}

TEST(ProtectionKeyFile, TheRightPasswordUnwrapsTheDataKey)
{
    const WrappedKey key("correct horse");
    const auto unwrapped = ProtectionKeyFile::Unwrap(key.bytes, Password("correct horse"));
    ASSERT_EQ(unwrapped.outcome, Outcome::Unlocked);
    ASSERT_TRUE(unwrapped.dataKey.has_value());
    EXPECT_TRUE(SameSecret(*unwrapped.dataKey, key.dataKey));
}

TEST(ProtectionKeyFile, TheFileFollowsItsLayout)
{
    const WrappedKey key("pw");
    ASSERT_EQ(key.bytes.size(), 160u);
    EXPECT_EQ(std::string(key.bytes.begin(), key.bytes.begin() + 16), "__LedgerKeeperK_");
    EXPECT_EQ(Number(key.bytes, 16, 4), 1u);
    EXPECT_EQ(Number(key.bytes, 20, 4), 2u); // Argon2id 1.3
    EXPECT_EQ(Number(key.bytes, 24, 8), KeyDerivationCost::Least().passes);
    EXPECT_EQ(Number(key.bytes, 32, 8), KeyDerivationCost::Least().memory);
    std::array<std::uint8_t, 32> sum{};
    crypto_generichash(sum.data(), sum.size(), key.bytes.data(), 128, nullptr, 0);
    EXPECT_TRUE(std::equal(sum.begin(), sum.end(), key.bytes.begin() + 128));
    // The data key itself is nowhere in the file.
    const auto raw = key.dataKey.bytes();
    EXPECT_EQ(std::search(key.bytes.begin(), key.bytes.end(), raw.begin(), raw.end()), key.bytes.end());
    const auto parsed = ProtectionKeyFile::Parse(key.bytes);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->Cost(), KeyDerivationCost::Least());
}

TEST(ProtectionKeyFile, TwoWrapsOfOneKeyShareNoSaltNonceOrCiphertext)
{
    const SecretBuffer dataKey = DataKey();
    const auto a = ProtectionKeyFile::Wrap(dataKey, Password("pw"), KeyDerivationCost::Least());
    const auto b = ProtectionKeyFile::Wrap(dataKey, Password("pw"), KeyDerivationCost::Least());
    ASSERT_TRUE(a && b);
    const auto x = a->Encode();
    const auto y = b->Encode();
    EXPECT_FALSE(std::equal(x.begin() + 40, x.begin() + 56, y.begin() + 40));  // salt
    EXPECT_FALSE(std::equal(x.begin() + 56, x.begin() + 80, y.begin() + 56));  // nonce
    EXPECT_FALSE(std::equal(x.begin() + 80, x.begin() + 128, y.begin() + 80)); // wrapped key
}

TEST(ProtectionKeyFile, NewDataKeysAreRandom)
{
    const SecretBuffer a = DataKey();
    const SecretBuffer b = DataKey();
    EXPECT_EQ(a.size(), 32u);
    EXPECT_FALSE(SameSecret(a, b));
}

class WrongPasswordTable : public ::testing::TestWithParam<std::string_view>
{};

TEST_P(WrongPasswordTable, IsToldApartFromDamage)
{
    const WrappedKey key("Correct Horse");
    const auto unwrapped = ProtectionKeyFile::Unwrap(key.bytes, Password(GetParam()));
    EXPECT_EQ(unwrapped.outcome, Outcome::WrongPassword);
    EXPECT_FALSE(unwrapped.dataKey.has_value());
}

INSTANTIATE_TEST_SUITE_P(ProtectionKeyFile, WrongPasswordTable,
                         ::testing::Values("", "correct horse", "Correct Horse ", "Correct Hors", " Correct Horse",
                                           "Correct Horse\n", "CORRECT HORSE"));

// Every single byte changed, whatever the change: the checksum finds it.
class ChangedByteTable : public ::testing::TestWithParam<std::size_t>
{};

TEST_P(ChangedByteTable, MakesTheFileDamaged)
{
    const WrappedKey key("pw");
    for (const std::uint8_t mask : {0x01, 0x80, 0xFF}) {
        Bytes bytes = key.bytes;
        bytes[GetParam()] ^= mask;
        const auto unwrapped = ProtectionKeyFile::Unwrap(bytes, Password("pw"));
        EXPECT_EQ(unwrapped.outcome, Outcome::Damaged) << "mask " << int(mask);
        EXPECT_FALSE(unwrapped.dataKey.has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(ProtectionKeyFile, ChangedByteTable, ::testing::Range<std::size_t>(0, 160, 7));

TEST(ProtectionKeyFile, EveryChangedByteMakesTheFileDamaged)
{
    const WrappedKey key("pw");
    for (std::size_t i = 0; i < key.bytes.size(); ++i) {
        Bytes bytes = key.bytes;
        bytes[i] ^= 0x10;
        EXPECT_FALSE(ProtectionKeyFile::Parse(bytes).has_value()) << "byte " << i;
    }
}

struct ResealedCase
{
    const char* name;
    std::size_t offset;
    std::size_t width;
    std::uint64_t value;
    Outcome outcome;
};

class ResealedTable : public ::testing::TestWithParam<ResealedCase>
{};

// A field changed on purpose, with the checksum made to fit: what is out of
// bounds or unknown is Damaged; what is in bounds no longer unwraps, since the
// parameters are the associated data and the input of the derivation.
TEST_P(ResealedTable, ChangedFieldsNeverUnwrap)
{
    const ResealedCase& c = GetParam();
    const WrappedKey key("pw");
    Bytes bytes = key.bytes;
    PutNumber(bytes, c.offset, c.value, c.width);
    Reseal(bytes);
    EXPECT_EQ(ProtectionKeyFile::Unwrap(bytes, Password("pw")).outcome, c.outcome);
}

INSTANTIATE_TEST_SUITE_P(ProtectionKeyFile, ResealedTable,
                         ::testing::Values(ResealedCase{"laterVersion", 16, 4, 2, Outcome::Damaged},
                                           ResealedCase{"versionZero", 16, 4, 0, Outcome::Damaged},
                                           ResealedCase{"argon2i", 20, 4, 1, Outcome::Damaged},
                                           ResealedCase{"noPasses", 24, 8, 0, Outcome::Damaged},
                                           ResealedCase{"tooManyPasses", 24, 8, 1000, Outcome::Damaged},
                                           ResealedCase{"tooMuchMemory", 32, 8, 1ULL << 40, Outcome::Damaged},
                                           ResealedCase{"tooLittleMemory", 32, 8, 1024, Outcome::Damaged},
                                           ResealedCase{"otherPasses", 24, 8, 2, Outcome::WrongPassword},
                                           ResealedCase{"otherMemory", 32, 8, 16384, Outcome::WrongPassword},
                                           ResealedCase{"otherSalt", 40, 8, 12345, Outcome::WrongPassword},
                                           ResealedCase{"otherNonce", 56, 8, 12345, Outcome::WrongPassword},
                                           ResealedCase{"otherCiphertext", 80, 8, 12345, Outcome::WrongPassword},
                                           ResealedCase{"otherTag", 112, 8, 12345, Outcome::WrongPassword}),
                         [](const auto& info) { return std::string(info.param.name); });

class SizeTable : public ::testing::TestWithParam<std::size_t>
{};

TEST_P(SizeTable, AFileOfAnotherSizeIsDamaged)
{
    const WrappedKey key("pw");
    Bytes bytes = key.bytes;
    bytes.resize(GetParam(), 0);
    EXPECT_EQ(ProtectionKeyFile::Unwrap(bytes, Password("pw")).outcome, Outcome::Damaged);
}

INSTANTIATE_TEST_SUITE_P(ProtectionKeyFile, SizeTable, ::testing::Values(0, 1, 16, 128, 159, 161, 320));

TEST(ProtectionKeyFile, AnAccountFileIsNoKeyFile)
{
    Bytes bytes(160, 0xFF);
    EXPECT_EQ(ProtectionKeyFile::Unwrap(bytes, Password("pw")).outcome, Outcome::Damaged);
}

TEST(ProtectionKeyFile, RewrappingChangesThePasswordButNotTheDataKey)
{
    const WrappedKey key("old");
    const auto file = ProtectionKeyFile::Parse(key.bytes);
    ASSERT_TRUE(file.has_value());
    const auto rewrapped = file->Rewrap(Password("old"), Password("new"), KeyDerivationCost{2, 16384});
    ASSERT_EQ(rewrapped.outcome, Outcome::Unlocked);
    ASSERT_TRUE(rewrapped.file.has_value());
    EXPECT_EQ(rewrapped.file->Cost(), (KeyDerivationCost{2, 16384}));

    const auto encoded = rewrapped.file->Encode();
    const auto withNew = ProtectionKeyFile::Unwrap(encoded, Password("new"));
    ASSERT_EQ(withNew.outcome, Outcome::Unlocked);
    EXPECT_TRUE(SameSecret(*withNew.dataKey, key.dataKey));
    EXPECT_EQ(ProtectionKeyFile::Unwrap(encoded, Password("old")).outcome, Outcome::WrongPassword);
}

TEST(ProtectionKeyFile, RewrappingWithAWrongPasswordGivesNoFile)
{
    const WrappedKey key("old");
    const auto file = ProtectionKeyFile::Parse(key.bytes);
    ASSERT_TRUE(file.has_value());
    const auto rewrapped = file->Rewrap(Password("wrong"), Password("new"), KeyDerivationCost::Least());
    EXPECT_EQ(rewrapped.outcome, Outcome::WrongPassword);
    EXPECT_FALSE(rewrapped.file.has_value());
}

TEST(ProtectionKeyFile, WrapRefusesWhatIsNoDataKeyAndCostsOutOfBounds)
{
    const auto shortKey = SecretBuffer::Allocate(31);
    ASSERT_TRUE(shortKey.has_value());
    EXPECT_FALSE(ProtectionKeyFile::Wrap(*shortKey, Password("pw"), KeyDerivationCost::Least()).has_value());
    EXPECT_FALSE(ProtectionKeyFile::Wrap(DataKey(), Password("pw"), KeyDerivationCost{0, 8192}).has_value());
    EXPECT_FALSE(ProtectionKeyFile::Wrap(DataKey(), Password("pw"), KeyDerivationCost{1, 1ULL << 31}).has_value());
}

class KeyFileOnDisk : public ::testing::Test
{
protected:
    KeyFileOnDisk() { std::filesystem::create_directories(temp_.folders().data); }
    std::filesystem::path Data() const { return temp_.folders().data; }

    test::TempFolder temp_;
};

TEST_F(KeyFileOnDisk, IsWrittenForItsOwnerOnlyAndReadsBack)
{
    const SecretBuffer dataKey = DataKey();
    const auto file = ProtectionKeyFile::Wrap(dataKey, Password("pw"), KeyDerivationCost::Least());
    ASSERT_TRUE(file.has_value());
    const std::filesystem::path path = ProtectionKeyFile::PathIn(Data());
    EXPECT_EQ(path.filename(), "Protection.key");
    EXPECT_FALSE(ProtectionKeyFile::ExistsIn(Data()));
    ASSERT_TRUE(file->WriteTo(path));
    EXPECT_TRUE(ProtectionKeyFile::ExistsIn(Data()));

    struct stat info
    {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(test::FileNames(Data()), std::vector<std::string>{"Protection.key"});

    const auto bytes = ProtectionKeyFile::ReadFrom(path);
    ASSERT_TRUE(bytes.has_value());
    const auto unwrapped = ProtectionKeyFile::Unwrap(*bytes, Password("pw"));
    ASSERT_EQ(unwrapped.outcome, Outcome::Unlocked);
    EXPECT_TRUE(SameSecret(*unwrapped.dataKey, dataKey));
}

TEST_F(KeyFileOnDisk, WhatIsNoRegularFileReadsAsNothingAtOnce)
{
    const std::filesystem::path path = ProtectionKeyFile::PathIn(Data());
    EXPECT_FALSE(ProtectionKeyFile::ReadFrom(path).has_value());
    std::filesystem::create_directory(path);
    EXPECT_FALSE(ProtectionKeyFile::ReadFrom(path).has_value());
    std::filesystem::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_FALSE(ProtectionKeyFile::ReadFrom(path).has_value()); // and does not wait for a writer
    EXPECT_TRUE(ProtectionKeyFile::ExistsIn(Data()));
}

TEST_F(KeyFileOnDisk, ALinkInTheKeyFilesPlaceIsRefusedWhereverItPoints)
{
    const std::filesystem::path path = ProtectionKeyFile::PathIn(Data());
    const auto file = ProtectionKeyFile::Wrap(DataKey(), Password("pw"), KeyDerivationCost::Least());
    ASSERT_TRUE(file.has_value());
    const std::filesystem::path elsewhere = Data().parent_path() / "elsewhere.key";
    ASSERT_TRUE(file->WriteTo(elsewhere));
    ASSERT_TRUE(ProtectionKeyFile::ReadFrom(elsewhere).has_value());
    std::filesystem::create_symlink(elsewhere, path);
    EXPECT_TRUE(ProtectionKeyFile::ExistsIn(Data())) << "the store stays protected";
    EXPECT_FALSE(ProtectionKeyFile::ReadFrom(path).has_value()) << "a link to a whole key file";
    std::filesystem::remove(path);
    std::filesystem::create_symlink(Data() / "nowhere", path);
    EXPECT_TRUE(ProtectionKeyFile::ExistsIn(Data()));
    EXPECT_FALSE(ProtectionKeyFile::ReadFrom(path).has_value()) << "a dangling link";
}

TEST_F(KeyFileOnDisk, AHugeFileIsReadOnlyAsFarAsTellsItIsDamaged)
{
    const std::filesystem::path path = ProtectionKeyFile::PathIn(Data());
    test::WriteBytes(path, Bytes(1 << 20, 0x41));
    const auto bytes = ProtectionKeyFile::ReadFrom(path);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), 161u);
    EXPECT_EQ(ProtectionKeyFile::Unwrap(*bytes, Password("pw")).outcome, Outcome::Damaged);
}

} // namespace
} // namespace lk
