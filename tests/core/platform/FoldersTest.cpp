#include "core/platform/Folders.h"

#include "support/TempFolder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace lk {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedEnvironment()
    {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

mode_t ModeOf(const std::filesystem::path& path)
{
    struct stat info
    {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(Folders, DataAndProgramFoldersLieInTheProductFolder)
{
    const Folders folders = Folders::Under("/some/where");
    EXPECT_EQ(folders.product, "/some/where");
    EXPECT_EQ(folders.data, "/some/where/Account");
    EXPECT_EQ(folders.program, "/some/where/Program");
}

TEST(Folders, HomeVariableNamesTheProductFolder)
{
    ScopedEnvironment home("LEDGERKEEPER_HOME", "/tmp/lk-elsewhere");
    EXPECT_EQ(Folders::ForThisUser().product, "/tmp/lk-elsewhere");
}

TEST(Folders, WithoutHomeVariableTheUsersDataFolderIsUsed)
{
    ScopedEnvironment home("LEDGERKEEPER_HOME", nullptr);
    {
        ScopedEnvironment xdg("XDG_DATA_HOME", "/tmp/lk-xdg");
        EXPECT_EQ(Folders::ForThisUser().product, "/tmp/lk-xdg/LedgerKeeper");
    }
    ScopedEnvironment xdg("XDG_DATA_HOME", "");
    ScopedEnvironment userHome("HOME", "/tmp/lk-user");
    EXPECT_EQ(Folders::ForThisUser().product, "/tmp/lk-user/.local/share/LedgerKeeper");
    EXPECT_EQ(Folders::ForThisUser().data, "/tmp/lk-user/.local/share/LedgerKeeper/Account");
}

TEST(CreatePrivateFolder, MakesAFolderOnlyItsOwnerMayEnter)
{
    test::TempFolder temp;
    const auto folder = temp.path() / "made";
    ASSERT_TRUE(CreatePrivateFolder(folder));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    EXPECT_EQ(ModeOf(folder), 0700u);
    // A folder that exists already is fine.
    EXPECT_TRUE(CreatePrivateFolder(folder));
}

TEST(CreatePrivateFolder, FailsWhereAFileOrNoParentIsInTheWay)
{
    test::TempFolder temp;
    test::WriteBytes(temp.path() / "file", {'x'});
    EXPECT_FALSE(CreatePrivateFolder(temp.path() / "file"));
    EXPECT_FALSE(CreatePrivateFolder(temp.path() / "file" / "below"));
    EXPECT_FALSE(CreatePrivateFolder(temp.path() / "missing" / "below"));
}

} // namespace
} // namespace lk
