#include "core/store/FileStem.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <set>

namespace lk {
namespace {

TEST(IsUsableStem, OnlyNamesDirectlyInTheDataFolder)
{
    for (const std::string_view stem :
         {"1", "300000001234", "my account", "a.b", "x...", "\xc3\xa9t\xc3\xa9", "123456789012345678901234567"}) {
        EXPECT_TRUE(IsUsableStem(stem)) << stem;
    }
    for (const std::string_view stem : {"", ".", "..", "../x", "a/b", "/abs", "a\\b", "c:", "\x01", "a\tb", "a\x7f",
                                        "1234567890123456789012345678"}) {
        EXPECT_FALSE(IsUsableStem(stem)) << stem;
    }
    // A leading full stop makes a hidden file, and the saves' temporary files
    // begin with one.
    for (const std::string_view stem : {"...x", ".hidden", ".ledgerkeeper-save-x", ".ledgerkeeper-save-AAAAAA"}) {
        EXPECT_FALSE(IsUsableStem(stem)) << stem;
    }
    EXPECT_FALSE(IsUsableStem(std::string_view("a\0b", 3)));
    // The legacy combined file is no account file.
    EXPECT_FALSE(IsUsableStem("LedgerKeeper"));
    EXPECT_EQ(StemFromFileName("LedgerKeeper.dat"), "");
}

TEST(StemFromFileName, ThePartBeforeTheFirstFullStop)
{
    EXPECT_EQ(StemFromFileName("300000001234.dat"), "300000001234");
    EXPECT_EQ(StemFromFileName("a.b.dat"), "a");
    EXPECT_EQ(StemFromFileName("noext"), "noext");
    EXPECT_EQ(StemFromFileName(".dat"), "");
    EXPECT_EQ(StemFromFileName("1234567890123456789012345678.dat"), "");
    EXPECT_EQ(StemFromFileName("123456789012345678901234567.dat"), "123456789012345678901234567");
}

TEST(AccountFilePath, StemAndExtensionInTheDataFolder)
{
    EXPECT_EQ(AccountFilePath("/data", "123"), std::filesystem::path("/data/123.dat"));
}

bool AllDigits(const std::string& stem)
{
    return !stem.empty() && stem.find_first_not_of("0123456789") == std::string::npos;
}

TEST(NewFileStem, TheTwoHalvesOfTheClockInDecimal)
{
    test::TempFolder temp;
    // Far ahead of the clock, so that no stem given before in this process is in the way.
    const FileTime time{(std::uint64_t{40000000} << 32) | 1234};
    EXPECT_EQ(NewFileStem(temp.path(), time), "400000001234");
}

TEST(NewFileStem, NeverNamesAnExistingFile)
{
    test::TempFolder temp;
    const std::uint64_t base = (std::uint64_t{40000001} << 32) | 77;
    for (std::uint64_t t = base; t < base + 3; ++t) {
        const FileTime time{t};
        test::WriteBytes(AccountFilePath(temp.path(), std::to_string(time.High()) + std::to_string(time.Low())), {'x'});
    }
    EXPECT_EQ(NewFileStem(temp.path(), FileTime{base}), "4000000180");
}

TEST(NewFileStem, ManyInARowAreDistinctDigits)
{
    test::TempFolder temp;
    std::set<std::string> stems;
    for (int i = 0; i < 200; ++i) {
        const std::string stem = NewFileStem(temp.path());
        EXPECT_TRUE(AllDigits(stem)) << stem;
        EXPECT_LE(stem.size(), 20u);
        EXPECT_TRUE(IsUsableStem(stem));
        stems.insert(stem);
    }
    EXPECT_EQ(stems.size(), 200u);
}

TEST(DerivedFileStem, TheSameSourceAndPlaceGiveTheSameStem)
{
    const std::vector<std::uint8_t> source{1, 2, 3, 4};
    const std::vector<std::uint8_t> other{1, 2, 3, 5};
    const std::string stem = DerivedFileStem(source, 0);
    EXPECT_EQ(DerivedFileStem(source, 0), stem);
    EXPECT_TRUE(AllDigits(stem)) << stem;
    EXPECT_LE(stem.size(), 20u);
    EXPECT_TRUE(IsUsableStem(stem));
    std::set<std::string> stems{stem, DerivedFileStem(source, 1), DerivedFileStem(source, 256),
                                DerivedFileStem(other, 0), DerivedFileStem({}, 0)};
    EXPECT_EQ(stems.size(), 5u);
    // The 64-bit FNV-1a of no bytes at all followed by eight zero bytes: a fixed
    // value, so stems stay the same from one version of the program to the next.
    EXPECT_EQ(DerivedFileStem({}, 0), "12161962213042174405");
}

} // namespace
} // namespace lk
