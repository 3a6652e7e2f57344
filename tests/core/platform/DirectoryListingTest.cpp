#include "core/platform/DirectoryListing.h"

#include "support/TempFolder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace lk {
namespace {

using Names = std::vector<std::string>;

TEST(ListingOrder, FoldsAsciiLettersToUpperCase)
{
    // Folded to upper case, "_" (0x5F) sorts after every letter, digits before them.
    const Names expected = {"1.dat", "a.dat", "B.dat", "b2.dat", "Zeta.dat", "_x.dat"};
    Names names = {"_x.dat", "Zeta.dat", "b2.dat", "B.dat", "a.dat", "1.dat"};
    std::sort(names.begin(), names.end(), ListingOrderLess);
    EXPECT_EQ(names, expected);
}

TEST(ListingOrder, ShorterPrefixFirstAndTiesByBytes)
{
    EXPECT_TRUE(ListingOrderLess("ab", "abc"));
    EXPECT_FALSE(ListingOrderLess("abc", "ab"));
    // Equal when folded: the exact bytes decide, so upper case first.
    EXPECT_TRUE(ListingOrderLess("AB.dat", "ab.dat"));
    EXPECT_FALSE(ListingOrderLess("ab.dat", "AB.dat"));
    EXPECT_FALSE(ListingOrderLess("ab.dat", "ab.dat"));
    // Bytes above 0x7F compare as unsigned, after ASCII.
    EXPECT_TRUE(ListingOrderLess("z", "\xc3\xa9"));
}

TEST(ListDatFiles, OnlyRegularFilesEndingInDatInAnyCase)
{
    test::TempFolder temp;
    const auto& folder = temp.path();
    for (const char* name : {"b.dat", "A.DAT", "c.Dat", "d.dat.txt", "e.da", "dat", ".dat", "f.dat~"}) {
        test::WriteBytes(folder / name, {'x'});
    }
    std::filesystem::create_directory(folder / "folder.dat");
    std::filesystem::create_symlink(folder / "missing", folder / "dangling.dat");
    EXPECT_EQ(ListDatFiles(folder), (Names{".dat", "A.DAT", "b.dat", "c.Dat"}));
}

TEST(ListDatFiles, MissingFolderListsNothing)
{
    test::TempFolder temp;
    EXPECT_TRUE(ListDatFiles(temp.path() / "missing").empty());
    test::WriteBytes(temp.path() / "file.dat", {'x'});
    EXPECT_TRUE(ListDatFiles(temp.path() / "file.dat").empty());
}

TEST(ListDatFiles, ListsInTheListingOrder)
{
    test::TempFolder temp;
    const Names expected = {"a.dat", "AB.dat", "ab.dat", "B.dat", "Zeta.dat", "_x.dat"};
    for (const auto& name : expected) {
        test::WriteBytes(temp.path() / name, {'x'});
    }
    EXPECT_EQ(ListDatFiles(temp.path()), expected);
}

} // namespace
} // namespace lk
