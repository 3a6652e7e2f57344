#include "core/platform/OpenFolder.h"

#include "core/platform/DirectoryListing.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace lk {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(OpenFolder, ListsAsListDatFilesDoes)
{
    test::TempFolder temp;
    const auto& folder = temp.path();
    for (const char* name : {"b.dat", "A.DAT", "_x.dat", "c.Dat", "d.dat.txt", ".dat", "ab.dat", "AB.dat"}) {
        test::WriteBytes(folder / name, {'x'});
    }
    std::filesystem::create_directory(folder / "folder.dat");
    std::filesystem::create_symlink(folder / "missing", folder / "dangling.dat");
    const OpenFolder open(folder);
    ASSERT_TRUE(open.IsOpen());
    EXPECT_EQ(open.DatFiles(), ListDatFiles(folder));
    // Listed twice from the same open folder, the second listing starts at the top too.
    EXPECT_EQ(open.DatFiles(), ListDatFiles(folder));
}

TEST(OpenFolder, AMissingFolderListsAndReadsNothing)
{
    test::TempFolder temp;
    const OpenFolder open(temp.path() / "missing");
    EXPECT_FALSE(open.IsOpen());
    EXPECT_TRUE(open.DatFiles().empty());
    Bytes bytes{1, 2};
    EXPECT_FALSE(open.ReadRegularFile("a.dat", 100, bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST(OpenFolder, ReadsWholeFilesIntoTheSameBuffer)
{
    test::TempFolder temp;
    test::WriteBytes(temp.path() / "long.dat", Bytes(5000, 'l'));
    test::WriteBytes(temp.path() / "short.dat", {'s', 't'});
    test::WriteBytes(temp.path() / "empty.dat", {});
    const OpenFolder open(temp.path());
    Bytes bytes;
    ASSERT_TRUE(open.ReadRegularFile("long.dat", std::size_t{64} * 1024, bytes));
    EXPECT_EQ(bytes, Bytes(5000, 'l'));
    ASSERT_TRUE(open.ReadRegularFile("short.dat", std::size_t{64} * 1024, bytes));
    EXPECT_EQ(bytes, (Bytes{'s', 't'}));
    ASSERT_TRUE(open.ReadRegularFile("empty.dat", std::size_t{64} * 1024, bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST(OpenFolder, TurnsAwayAnythingButASmallRegularFileOfThatName)
{
    test::TempFolder temp;
    const auto& folder = temp.path();
    test::WriteBytes(folder / "target.dat", {'t'});
    test::WriteBytes(folder / "large.dat", Bytes(101, 'x'));
    std::filesystem::create_symlink(folder / "target.dat", folder / "link.dat");
    std::filesystem::create_directory(folder / "folder.dat");
    ASSERT_EQ(::mkfifo((folder / "fifo.dat").c_str(), 0600), 0);
    const OpenFolder open(folder);
    for (const char* name : {"large.dat", "link.dat", "folder.dat", "fifo.dat", "missing.dat"}) {
        Bytes bytes{1};
        EXPECT_FALSE(open.ReadRegularFile(name, 100, bytes)) << name;
        EXPECT_TRUE(bytes.empty()) << name;
    }
    Bytes bytes;
    EXPECT_TRUE(open.ReadRegularFile("target.dat", 100, bytes));
    EXPECT_TRUE(open.ReadRegularFile("large.dat", 101, bytes));
}

} // namespace
} // namespace lk
