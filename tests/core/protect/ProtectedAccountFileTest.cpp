#include "core/protect/ProtectedAccountFile.h"

#include "core/platform/TextConversion.h"
#include "core/protect/ProtectionKeyFile.h"
#include "core/store/AccountFile.h"
#include "core/store/AccountLine.h"

#include <gtest/gtest.h>
#include <sodium.h>

namespace lk {
namespace {

using Bytes = std::vector<std::uint8_t>;

SecretBuffer DataKey()
{
    auto key = ProtectionKeyFile::NewDataKey();
    return key ? std::move(*key) : SecretBuffer();
}

AccountRecord Bank()
{
    AccountRecord r;
    r.AccountName = u"Bank of Examples";
    r.Url = "https://bank.example/login";
    r.FileStem = "300000001234";
    r.UseCount = 7;
    r.Kind = kKindSaved;
    r.SlotCount = 3;
    r.Slots[0].Flag = 1;
    r.Slots[0].Value = "hunter2-secret";
    r.Slots[1].Value = "alice.example";
    r.Slots[2].Value = "ID-4711";
    r.Comment = u"PIN is in the drawer";
    return r;
}

Bytes Protected(const AccountRecord& record, const SecretBuffer& key)
{
    auto bytes = ProtectedAccountFile::Write(record, key);
    EXPECT_TRUE(bytes.has_value());
    return bytes ? *bytes : Bytes();
}

Bytes Utf16(std::u16string_view text)
{
    Bytes bytes;
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

bool Holds(const Bytes& haystack, const Bytes& needle)
{
    return std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end()) != haystack.end();
}

// A protected file with any plain bytes, encrypted by hand as the format says.
Bytes HandEncrypted(const Bytes& plain, const SecretBuffer& key)
{
    Bytes bytes = Protected(AccountRecord(), key);
    bytes.resize(60 + plain.size() + 16);
    unsigned long long size = 0;
    crypto_aead_xchacha20poly1305_ietf_encrypt(bytes.data() + 60, &size, plain.data(), plain.size(), bytes.data(), 36,
                                               nullptr, bytes.data() + 36, key.bytes().data());
    return bytes;
}

TEST(ProtectedAccountFile, AWrittenFileReadsBackAsTheAccountLine)
{
    const SecretBuffer key = DataKey();
    const Bytes bytes = Protected(Bank(), key);
    const AccountFileContent content = ProtectedAccountFile::Read(bytes, key);
    ASSERT_EQ(content.outcome, AccountFileOutcome::Text);
    EXPECT_EQ(content.recordCount, 0u);
    EXPECT_EQ(content.text, FormatAccountLine(Bank()));
}

TEST(ProtectedAccountFile, TheFileFollowsItsLayout)
{
    const SecretBuffer key = DataKey();
    const Bytes bytes = Protected(Bank(), key);
    const std::size_t units = FormatAccountLine(Bank()).size();
    ASSERT_EQ(bytes.size(), 36 + 24 + 2 * units + 16);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(bytes[i], 0xFF) << "count byte " << i;
    }
    const std::string_view marker = "__LedgerKeeperP_";
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(bytes[4 + i], static_cast<std::uint8_t>(~static_cast<std::uint8_t>(marker[i]))) << "marker " << i;
        EXPECT_EQ(bytes[20 + i], 0xFF) << "the user name field is empty: " << i;
    }
    EXPECT_TRUE(ProtectedAccountFile::HasMarker(bytes));
}

TEST(ProtectedAccountFile, EverySaveTakesAFreshNonce)
{
    const SecretBuffer key = DataKey();
    const Bytes a = Protected(Bank(), key);
    const Bytes b = Protected(Bank(), key);
    EXPECT_FALSE(std::equal(a.begin() + 36, a.begin() + 60, b.begin() + 36));
    EXPECT_NE(a, b);
    EXPECT_EQ(ProtectedAccountFile::Read(b, key).text, FormatAccountLine(Bank()));
}

TEST(ProtectedAccountFile, HoldsNoFieldInAnyReadableForm)
{
    const SecretBuffer key = DataKey();
    const Bytes bytes = Protected(Bank(), key);
    for (const std::string_view field :
         {"Bank of Examples", "bank.example", "hunter2-secret", "alice.example", "ID-4711", "PIN is in the drawer"}) {
        SCOPED_TRACE(field);
        EXPECT_FALSE(Holds(bytes, Bytes(field.begin(), field.end())));
        EXPECT_FALSE(Holds(bytes, Utf16(Wide(field))));
    }
}

TEST(ProtectedAccountFile, TheScrambledReaderSkipsItAsNotAnAccount)
{
    const SecretBuffer key = DataKey();
    const Bytes bytes = Protected(Bank(), key);
    for (const std::u16string_view user : {u"", u"alice", u"a-very-long-user-name"}) {
        EXPECT_EQ(ReadAccountFile(bytes, user).outcome, AccountFileOutcome::NotAccount);
    }
}

TEST(ProtectedAccountFile, AScrambledFileIsNoProtectedOne)
{
    const SecretBuffer key = DataKey();
    const Bytes scrambled = WriteAccountFile(Bank(), u"alice");
    EXPECT_FALSE(ProtectedAccountFile::HasMarker(scrambled));
    EXPECT_EQ(ProtectedAccountFile::Read(scrambled, key).outcome, AccountFileOutcome::NotAccount);
}

TEST(ProtectedAccountFile, AnotherStoresKeyOpensNothing)
{
    const Bytes bytes = Protected(Bank(), DataKey());
    const AccountFileContent content = ProtectedAccountFile::Read(bytes, DataKey());
    EXPECT_EQ(content.outcome, AccountFileOutcome::NotAccount);
    EXPECT_TRUE(content.text.empty());
}

struct FlipCase
{
    const char* name;
    std::uint8_t mask;
};

class FlippedByteTable : public ::testing::TestWithParam<FlipCase>
{};

// Header, nonce, ciphertext or tag: one changed byte anywhere, and the file is
// not an account; no part of its line comes out.
TEST_P(FlippedByteTable, AnywhereMakesTheFileNoAccount)
{
    const SecretBuffer key = DataKey();
    const Bytes bytes = Protected(Bank(), key);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        Bytes changed = bytes;
        changed[i] ^= GetParam().mask;
        const AccountFileContent content = ProtectedAccountFile::Read(changed, key);
        EXPECT_EQ(content.outcome, AccountFileOutcome::NotAccount) << "byte " << i;
        EXPECT_TRUE(content.text.empty()) << "byte " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(ProtectedAccountFile, FlippedByteTable,
                         ::testing::Values(FlipCase{"lowBit", 0x01}, FlipCase{"highBit", 0x80},
                                           FlipCase{"wholeByte", 0xFF}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProtectedAccountFile, ACutFileIsShortOrNoAccount)
{
    const SecretBuffer key = DataKey();
    const Bytes bytes = Protected(Bank(), key);
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        const Bytes cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
        const AccountFileContent content = ProtectedAccountFile::Read(cut, key);
        EXPECT_EQ(content.outcome, size < 36 ? AccountFileOutcome::Short : AccountFileOutcome::NotAccount)
            << "size " << size;
    }
}

struct AddedCase
{
    const char* name;
    Bytes tail;
};

class AddedBytesTable : public ::testing::TestWithParam<AddedCase>
{};

TEST_P(AddedBytesTable, MakeTheFileNoAccount)
{
    const SecretBuffer key = DataKey();
    Bytes bytes = Protected(Bank(), key);
    bytes.insert(bytes.end(), GetParam().tail.begin(), GetParam().tail.end());
    EXPECT_EQ(ProtectedAccountFile::Read(bytes, key).outcome, AccountFileOutcome::NotAccount);
}

INSTANTIATE_TEST_SUITE_P(ProtectedAccountFile, AddedBytesTable,
                         ::testing::Values(AddedCase{"oneZero", {0}}, AddedCase{"twoZeroes", {0, 0}},
                                           AddedCase{"aLineFeed", {'\n', 0}}, AddedCase{"aWholeTag", Bytes(16, 0)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProtectedAccountFile, TheHeaderOfAnotherFileCannotBeSwappedIn)
{
    const SecretBuffer key = DataKey();
    Bytes bytes = Protected(Bank(), key);
    // The same marker, with a user name written in: the associated data differ.
    const std::string_view name = "alice";
    for (std::size_t i = 0; i < name.size(); ++i) {
        bytes[20 + i] = static_cast<std::uint8_t>(~static_cast<std::uint8_t>(name[i]));
    }
    EXPECT_TRUE(ProtectedAccountFile::HasMarker(bytes));
    EXPECT_EQ(ProtectedAccountFile::Read(bytes, key).outcome, AccountFileOutcome::NotAccount);
}

TEST(ProtectedAccountFile, TheBodiesOfTwoFilesCannotBeSwapped)
{
    const SecretBuffer key = DataKey();
    AccountRecord other = Bank();
    other.AccountName = u"Other bank, same length";
    const Bytes a = Protected(Bank(), key);
    Bytes b = Protected(other, key);
    // a's nonce with b's ciphertext
    std::copy(a.begin() + 36, a.begin() + 60, b.begin() + 36);
    EXPECT_EQ(ProtectedAccountFile::Read(b, key).outcome, AccountFileOutcome::NotAccount);
}

TEST(ProtectedAccountFile, AnEmptyLineIsEmpty)
{
    const SecretBuffer key = DataKey();
    const Bytes bytes = HandEncrypted({}, key);
    EXPECT_EQ(bytes.size(), ProtectedAccountFile::kLeastSize);
    EXPECT_EQ(ProtectedAccountFile::Read(bytes, key).outcome, AccountFileOutcome::Empty);
}

TEST(ProtectedAccountFile, AnOddPlainLengthIsNoAccount)
{
    const SecretBuffer key = DataKey();
    EXPECT_EQ(ProtectedAccountFile::Read(HandEncrypted({'A', 0, 'B'}, key), key).outcome,
              AccountFileOutcome::NotAccount);
}

TEST(ProtectedAccountFile, TheLineEndsAtItsFirstZeroUnitAsInAScrambledFile)
{
    const SecretBuffer key = DataKey();
    const AccountFileContent content = ProtectedAccountFile::Read(HandEncrypted({'A', 0, 0, 0, 'B', 0}, key), key);
    ASSERT_EQ(content.outcome, AccountFileOutcome::Text);
    EXPECT_EQ(content.text, u"A");
}

TEST(ProtectedAccountFile, NothingIsWrittenOrReadWithoutADataKey)
{
    const auto shortKey = SecretBuffer::Allocate(16);
    ASSERT_TRUE(shortKey.has_value());
    EXPECT_FALSE(ProtectedAccountFile::Write(Bank(), *shortKey).has_value());
    EXPECT_FALSE(ProtectedAccountFile::Write(Bank(), SecretBuffer()).has_value());
    const SecretBuffer key = DataKey();
    EXPECT_EQ(ProtectedAccountFile::Read(Protected(Bank(), key), *shortKey).outcome, AccountFileOutcome::NotAccount);
}

struct MarkerCase
{
    const char* name;
    Bytes bytes;
    bool marked;
};

class MarkerTable : public ::testing::TestWithParam<MarkerCase>
{};

TEST_P(MarkerTable, IsSeenOnlyInAWholeHeader)
{
    EXPECT_EQ(ProtectedAccountFile::HasMarker(GetParam().bytes), GetParam().marked);
}

Bytes Header(std::string_view marker, std::size_t size = 36)
{
    Bytes bytes(36, 0);
    std::copy(marker.begin(), marker.end(), bytes.begin() + 4);
    for (std::uint8_t& b : bytes) {
        b = static_cast<std::uint8_t>(~b);
    }
    bytes.resize(size);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(ProtectedAccountFile, MarkerTable,
                         ::testing::Values(MarkerCase{"protected", Header("__LedgerKeeperP_"), true},
                                           MarkerCase{"scrambled", Header("__LedgerKeeper__"), false},
                                           MarkerCase{"notInverted", Bytes(36, 0), false},
                                           MarkerCase{"cutHeader", Header("__LedgerKeeperP_", 35), false},
                                           MarkerCase{"nothing", Bytes(), false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProtectedAccountFile, ARecordOfEveryFieldComesBackWhole)
{
    const SecretBuffer key = DataKey();
    AccountRecord r = Bank();
    r.AuxText = u"aux, with a comma";
    r.Comment = u"line one\nline two, and a comma \u00e9\U0001F511";
    r.Slots[3].Label = "label";
    const AccountFileContent content = ProtectedAccountFile::Read(Protected(r, key), key);
    ASSERT_EQ(content.outcome, AccountFileOutcome::Text);
    AccountRecord back;
    ASSERT_TRUE(ParseAccountLine(content.text, back));
    EXPECT_EQ(back.AuxText, r.AuxText);
    EXPECT_EQ(back.Comment, r.Comment);
    EXPECT_EQ(back.Slots[0].Value, r.Slots[0].Value);
    EXPECT_EQ(back.Slots[3].Label, r.Slots[3].Label);
    EXPECT_EQ(back.FileStem, r.FileStem);
}

} // namespace
} // namespace lk
