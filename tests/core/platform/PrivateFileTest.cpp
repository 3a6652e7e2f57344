#include "core/platform/PrivateFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace lk {
namespace {

using Bytes = std::vector<std::uint8_t>;

mode_t ModeOf(const std::filesystem::path& path)
{
    struct stat info
    {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

Bytes Pattern(std::size_t size)
{
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    return bytes;
}

class PrivateFileTest : public testing::Test
{
protected:
    test::TempFolder temp;
    std::filesystem::path folder = temp.path();
};

TEST_F(PrivateFileTest, ReadWholeFileReadsEveryByte)
{
    for (const std::size_t size : {0u, 1u, 36u, 4096u, 4097u, 100000u}) {
        const auto file = folder / std::to_string(size);
        test::WriteBytes(file, Pattern(size));
        const auto bytes = ReadWholeFile(file);
        ASSERT_TRUE(bytes.has_value()) << size;
        EXPECT_EQ(*bytes, Pattern(size)) << size;
    }
}

TEST_F(PrivateFileTest, ReadWholeFileFailsForMissingFilesAndFolders)
{
    EXPECT_FALSE(ReadWholeFile(folder / "missing").has_value());
    EXPECT_FALSE(ReadWholeFile(folder).has_value());
}

TEST_F(PrivateFileTest, ReplaceCreatesAnOwnerOnlyFile)
{
    const auto target = folder / "a.dat";
    ASSERT_TRUE(ReplaceFileAtomically(target, Pattern(50)));
    EXPECT_EQ(test::ReadBytes(target), Pattern(50));
    EXPECT_EQ(ModeOf(target), 0600u);
    EXPECT_EQ(test::FileNames(folder), (std::vector<std::string>{"a.dat"}));
}

TEST_F(PrivateFileTest, ReplaceLeavesNothingOfALongerOldFile)
{
    const auto target = folder / "a.dat";
    test::WriteBytes(target, Pattern(500));
    ::chmod(target.c_str(), 0644);
    ASSERT_TRUE(ReplaceFileAtomically(target, Pattern(10)));
    EXPECT_EQ(test::ReadBytes(target), Pattern(10));
    EXPECT_EQ(ModeOf(target), 0600u);
    EXPECT_EQ(test::FileNames(folder), (std::vector<std::string>{"a.dat"}));
}

TEST_F(PrivateFileTest, ReplaceFailsWhenTheFolderIsAFile)
{
    test::WriteBytes(folder / "data", {'x'});
    EXPECT_FALSE(ReplaceFileAtomically(folder / "data" / "a.dat", Pattern(10)));
    EXPECT_EQ(test::ReadBytes(folder / "data"), Bytes{'x'});
}

TEST_F(PrivateFileTest, ReplaceFailsWhenAFolderStandsInTheTargetsPlace)
{
    const auto target = folder / "a.dat";
    std::filesystem::create_directory(target);
    test::WriteBytes(target / "inside", {'y'});
    EXPECT_FALSE(ReplaceFileAtomically(target, Pattern(10)));
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_EQ(test::ReadBytes(target / "inside"), Bytes{'y'});
    // The temporary file is gone again.
    EXPECT_EQ(test::FileNames(folder), (std::vector<std::string>{"a.dat"}));
}

TEST_F(PrivateFileTest, WritePrivateFileTruncatesAndKeepsOwnerOnly)
{
    const auto file = folder / "PrintFormat.txt";
    test::WriteBytes(file, Pattern(300));
    ASSERT_TRUE(WritePrivateFile(file, Pattern(3)));
    EXPECT_EQ(test::ReadBytes(file), Pattern(3));
    EXPECT_EQ(ModeOf(file), 0600u);
    EXPECT_FALSE(WritePrivateFile(folder, Pattern(3)));
    EXPECT_FALSE(WritePrivateFile(folder / "missing" / "x", Pattern(3)));
}

TEST_F(PrivateFileTest, OnlyStaleTemporaryFilesOfSavesAreRemoved)
{
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    for (const char* name : {".ledgerkeeper-save-AAAAAA", ".ledgerkeeper-save-BBBBBB", "1234.dat", "notes.txt"}) {
        test::WriteBytes(folder / name, {'x'});
        std::filesystem::last_write_time(folder / name, old);
    }
    test::WriteBytes(folder / ".ledgerkeeper-save-CCCCCC", {'y'}); // a save under way

    RemoveStaleTemporaryFiles(folder, std::chrono::minutes(10));

    EXPECT_EQ(test::FileNames(folder),
              (std::vector<std::string>{".ledgerkeeper-save-CCCCCC", "1234.dat", "notes.txt"}));
}

} // namespace
} // namespace lk
