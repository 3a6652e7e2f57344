// The command-line tool on a store it cannot write: a full disk and a
// read-only folder. Every command that could not do its work says so on
// standard error and exits 1, and nothing that was there is lost.
#include "CliRunner.h"
#include "support/TempFolder.h"

#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lk {
namespace {

// A mount made by the test and taken away with it: a small tmpfs, or a folder
// bound read-only onto itself. Only root may mount; elsewhere the tests skip.
class TestMount
{
public:
    TestMount() = default;
    TestMount(const TestMount&) = delete;
    TestMount& operator=(const TestMount&) = delete;
    ~TestMount()
    {
        if (!point_.empty()) {
            ::umount2(point_.c_str(), MNT_DETACH);
        }
    }

    bool SmallTmpfs(const std::filesystem::path& point)
    {
        if (::mount("tmpfs", point.c_str(), "tmpfs", 0, "size=256k,mode=0700") != 0) {
            return false;
        }
        point_ = point;
        return true;
    }

    bool ReadOnly(const std::filesystem::path& folder)
    {
        if (::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) != 0) {
            return false;
        }
        point_ = folder;
        return ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    }

private:
    std::filesystem::path point_;
};

// Fills the file system of `folder` to its last byte.
void FillUp(const std::filesystem::path& folder)
{
    const int fd = ::open((folder / "filler").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    const std::vector<char> block(4096, 'f');
    for (std::size_t size = block.size(); size > 0; size /= 2) {
        while (::write(fd, block.data(), size) == static_cast<ssize_t>(size)) {
        }
    }
    ::close(fd);
}

enum class Constraint
{
    FullDisk,
    ReadOnlyFolder,
};

struct FailureCase
{
    const char* label;
    Constraint constraint;
    std::vector<std::string> words; // "IMPORT" and "EXPORT" stand for the files of the fixture
    const char* message;
};

void PrintTo(const FailureCase& c, std::ostream* out)
{
    *out << c.label;
}

class CliOnAStoreItCannotWrite : public testing::TestWithParam<FailureCase>
{
protected:
    test::TempFolder temp;
    std::filesystem::path mounted = temp.path() / "mounted";
    Folders folders = Folders::Under(mounted / "home");
    std::filesystem::path importFile = temp.path() / "in.txt";
    std::filesystem::path exportFile = mounted / "home" / "last-export.txt";
    TestMount mount;

    void SetUp() override
    {
        if (::geteuid() != 0) {
            GTEST_SKIP() << "mounting a small tmpfs or a read-only folder needs root";
        }
        const Constraint constraint = GetParam().constraint;
        std::filesystem::create_directories(mounted);
        if (constraint == Constraint::FullDisk && !mount.SmallTmpfs(mounted)) {
            GTEST_SKIP() << "no tmpfs could be mounted here (errno " << errno << ")";
        }
        // Two accounts and the export of them; a third account to import.
        ASSERT_EQ(Add(folders, "Alpha"), 0);
        ASSERT_EQ(Add(folders, "Beta"), 0);
        ASSERT_EQ(test::RunCli(folders, {"export", exportFile.string()}).status, 0);
        const Folders other = Folders::Under(temp.path() / "other");
        ASSERT_EQ(Add(other, "Gamma"), 0);
        ASSERT_EQ(test::RunCli(other, {"export", importFile.string()}).status, 0);

        filesBefore = test::FileNames(folders.data);
        exportBefore = test::ReadBytes(exportFile);
        ASSERT_FALSE(exportBefore.empty());
        if (constraint == Constraint::FullDisk) {
            FillUp(mounted);
        } else if (!mount.ReadOnly(mounted)) {
            GTEST_SKIP() << "no read-only bind mount could be made here (errno " << errno << ")";
        }
    }

    static int Add(const Folders& where, const std::string& name)
    {
        return test::RunCli(where,
                            {"add", "--name", name, "--url", name + ".example", "--user", "me", "--password", "pw"})
            .status;
    }

    std::vector<std::string> filesBefore;
    std::vector<std::uint8_t> exportBefore;
};

TEST_P(CliOnAStoreItCannotWrite, SaysSoExitsOneAndLosesNothing)
{
    const FailureCase& c = GetParam();
    std::vector<std::string> words = c.words;
    for (std::string& word : words) {
        word = word == "IMPORT" ? importFile.string() : word == "EXPORT" ? exportFile.string() : word;
    }

    const test::CliRun run = test::RunCli(folders, words);

    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(test::FileNames(folders.data), filesBefore) << "no account gained, lost or left half-written";
    EXPECT_EQ(test::ReadBytes(exportFile), exportBefore) << "the previous export is whole";
    const std::vector<std::string> home = test::FileNames(mounted / "home");
    EXPECT_EQ(home, (std::vector<std::string>{"Account", "last-export.txt"})) << "no temporary file left";
}

const char* const kImportFailed = "Some accounts of the import file could not be saved.";
const char* const kListingFailed = "the listing file could not be written";
const char* const kExportFailed = "The export file could not be written.";
const char* const kDeleteFailed = "The account could not be deleted.";

INSTANTIATE_TEST_SUITE_P(
    Table, CliOnAStoreItCannotWrite,
    testing::Values(
        FailureCase{"import onto a full disk", Constraint::FullDisk, {"import", "IMPORT"}, kImportFailed},
        FailureCase{"print on a full disk", Constraint::FullDisk, {"print"}, kListingFailed},
        FailureCase{
            "export over the last one on a full disk", Constraint::FullDisk, {"export", "EXPORT"}, kExportFailed},
        FailureCase{"import into a read-only folder", Constraint::ReadOnlyFolder, {"import", "IMPORT"}, kImportFailed},
        FailureCase{"print from a read-only folder", Constraint::ReadOnlyFolder, {"print"}, kListingFailed},
        FailureCase{
            "delete in a read-only folder", Constraint::ReadOnlyFolder, {"delete", "Alpha", "--yes"}, kDeleteFailed},
        FailureCase{"export over the last one in a read-only folder",
                    Constraint::ReadOnlyFolder,
                    {"export", "EXPORT"},
                    kExportFailed}));

// --- what export replaces ---

class ExportReplacement : public testing::Test
{
protected:
    test::TempFolder temp;
    Folders folders = temp.folders();

    void SetUp() override
    {
        ASSERT_EQ(
            test::RunCli(folders, {"add", "--name", "Alpha", "--url", "a.example", "--user", "me", "--password", "pw"})
                .status,
            0);
    }
};

TEST_F(ExportReplacement, ANewFileTakesThePlaceOfTheOldOneWhole)
{
    const std::filesystem::path file = temp.path() / "export.txt";
    test::WriteBytes(file, std::vector<std::uint8_t>(100000, 'o'));
    struct stat before
    {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);

    ASSERT_EQ(test::RunCli(folders, {"export", file.string()}).status, 0);

    // Renamed into place, never rewritten in it: a kill at any moment leaves
    // the old file or the new one.
    struct stat after
    {};
    ASSERT_EQ(::stat(file.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 0777, 0600U);
    EXPECT_EQ(test::FileNames(temp.path()), (std::vector<std::string>{"export.txt", "home"}));
}

TEST_F(ExportReplacement, ALinkIsFollowedAndStays)
{
    const std::filesystem::path file = temp.path() / "real.txt";
    const std::filesystem::path link = temp.path() / "link.txt";
    test::WriteBytes(file, std::vector<std::uint8_t>{'o', 'l', 'd'});
    std::filesystem::create_symlink(file, link);

    ASSERT_EQ(test::RunCli(folders, {"export", link.string()}).status, 0);

    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_NE(test::ReadBytes(file), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(test::ReadBytes(link), test::ReadBytes(file));
}

TEST_F(ExportReplacement, WhatIsNotARegularFileIsNotReplaced)
{
    const std::filesystem::path fifo = temp.path() / "pipe.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    for (const std::vector<std::string>& words : {std::vector<std::string>{"export", fifo.string()},
                                                  std::vector<std::string>{"export", "--csv", fifo.string()}}) {
        const test::CliRun run = test::RunCli(folders, words);

        EXPECT_EQ(run.status, 1) << words.at(1);
        EXPECT_NE(run.err.find(kExportFailed), std::string::npos) << words.at(1);
        EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    }
}

} // namespace
} // namespace lk
