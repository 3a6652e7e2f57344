#include "core/platform/PrivatePermissions.h"

#include "core/platform/Folders.h"
#include "support/FileModes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace lk {
namespace {

using test::ModeOf;
using test::WithUmask;

class PrivateUnderAnyUmask : public testing::TestWithParam<mode_t>
{};

TEST_P(PrivateUnderAnyUmask, NewFoldersAre0700AndNewFiles0600)
{
    test::TempFolder temp;
    const WithUmask mask(GetParam());

    ASSERT_TRUE(CreatePrivateFolder(temp.path() / "folder"));
    ASSERT_TRUE(MakePrivateFile(temp.path() / "folder" / "settings.conf"));

    EXPECT_EQ(ModeOf(temp.path() / "folder"), 0700u);
    EXPECT_EQ(ModeOf(temp.path() / "folder" / "settings.conf"), 0600u);
}

INSTANTIATE_TEST_SUITE_P(Umasks, PrivateUnderAnyUmask, testing::Values(0000, 0022, 0077, 0277));

struct LooseCase
{
    const char* label;
    mode_t before;
    mode_t after;
};

void PrintTo(const LooseCase& c, std::ostream* out)
{
    *out << c.label;
}

class LooseFolder : public testing::TestWithParam<LooseCase>
{};

TEST_P(LooseFolder, IsBroughtTo0700WhenOthersMayUseIt)
{
    const LooseCase& c = GetParam();
    test::TempFolder temp;
    const auto folder = temp.path() / "made earlier";
    std::filesystem::create_directory(folder);
    ASSERT_EQ(::chmod(folder.c_str(), c.before), 0);

    EXPECT_TRUE(CreatePrivateFolder(folder));
    EXPECT_EQ(ModeOf(folder), c.after);

    ASSERT_EQ(::chmod(folder.c_str(), c.before), 0);
    TightenPrivateFolder(folder);
    EXPECT_EQ(ModeOf(folder), c.after);
    ASSERT_EQ(::chmod(folder.c_str(), 0700), 0);
}

INSTANTIATE_TEST_SUITE_P(Table, LooseFolder,
                         testing::Values(LooseCase{"open to everyone", 0777, 0700},
                                         LooseCase{"readable by all", 0755, 0700},
                                         LooseCase{"group may enter", 0710, 0700},
                                         LooseCase{"sticky and open", 01777, 0700},
                                         LooseCase{"private already", 0700, 0700},
                                         LooseCase{"made read-only by its owner: left so", 0500, 0500}));

TEST(TightenPrivateFolder, LeavesWhatIsMissingOrNotAFolderAlone)
{
    test::TempFolder temp;
    TightenPrivateFolder(temp.path() / "missing");
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "missing"));
    test::WriteBytes(temp.path() / "file", {'x'});
    ASSERT_EQ(::chmod((temp.path() / "file").c_str(), 0644), 0);
    TightenPrivateFolder(temp.path() / "file");
    EXPECT_EQ(ModeOf(temp.path() / "file"), 0644u);
}

TEST(MakePrivateFile, TightensALooseFileAndKeepsWhatItHolds)
{
    test::TempFolder temp;
    const auto file = temp.path() / "settings.conf";
    test::WriteBytes(file, {'k', '=', 'v'});
    ASSERT_EQ(::chmod(file.c_str(), 0666), 0);

    EXPECT_TRUE(MakePrivateFile(file));

    EXPECT_EQ(ModeOf(file), 0600u);
    EXPECT_EQ(test::ReadBytes(file), (std::vector<std::uint8_t>{'k', '=', 'v'}));
}

TEST(MakePrivateFile, RefusesALinkAFolderAndAPipeWithoutWaiting)
{
    test::TempFolder temp;
    const auto target = temp.path() / "elsewhere";
    test::WriteBytes(target, {'x'});
    ASSERT_EQ(::chmod(target.c_str(), 0644), 0);
    std::filesystem::create_symlink(target, temp.path() / "link");
    std::filesystem::create_directory(temp.path() / "folder");
    ASSERT_EQ(::mkfifo((temp.path() / "pipe").c_str(), 0644), 0);

    EXPECT_FALSE(MakePrivateFile(temp.path() / "link"));
    EXPECT_FALSE(MakePrivateFile(temp.path() / "folder"));
    EXPECT_FALSE(MakePrivateFile(temp.path() / "pipe"));

    EXPECT_EQ(ModeOf(target), 0644u);
    EXPECT_EQ(ModeOf(temp.path() / "pipe"), 0644u);
}

} // namespace
} // namespace lk
