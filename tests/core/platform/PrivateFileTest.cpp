#include "core/platform/PrivateFile.h"

#include "support/TempFolder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

constexpr std::size_t kBound = 64 * std::size_t{1024};

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

    // An open that waited would hang the test: the alarm ends it instead.
    void SetUp() override { ::alarm(60); }
    void TearDown() override { ::alarm(0); }
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
    // Names that only begin like a temporary file's are someone else's: a hidden
    // account file, a longer or shorter name, a folder of a temporary's name.
    const std::vector<std::string> others{".ledgerkeeper-save-x.dat",
                                          ".ledgerkeeper-save-DDDDDDD",
                                          ".ledgerkeeper-save-EEEEE",
                                          ".ledgerkeeper-save-FF-FFF",
                                          "1234.dat",
                                          "notes.txt"};
    for (const std::string& name : others) {
        test::WriteBytes(folder / name, {'x'});
    }
    for (const char* name : {".ledgerkeeper-save-AAAAAA", ".ledgerkeeper-save-b1c2D3"}) {
        test::WriteBytes(folder / name, {'x'});
    }
    std::filesystem::create_directory(folder / ".ledgerkeeper-save-GGGGGG");
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::filesystem::last_write_time(entry.path(), old);
    }
    test::WriteBytes(folder / ".ledgerkeeper-save-CCCCCC", {'y'}); // a save under way

    RemoveStaleTemporaryFiles(folder, std::chrono::minutes(10));

    std::vector<std::string> expected = others;
    expected.emplace_back(".ledgerkeeper-save-CCCCCC");
    expected.emplace_back(".ledgerkeeper-save-GGGGGG");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(test::FileNames(folder), expected);
}

TEST_F(PrivateFileTest, ABoundedReadTakesOnlyASmallRegularFile)
{
    const std::filesystem::path file = folder / "file";
    test::WriteBytes(file, Pattern(100));
    EXPECT_EQ(ReadRegularFile(file, 100, LinkRule::Refuse), Pattern(100));
    EXPECT_FALSE(ReadRegularFile(file, 99, LinkRule::Refuse).has_value());
    test::WriteBytes(file, {});
    EXPECT_EQ(ReadRegularFile(file, 0, LinkRule::Refuse), Bytes{});
}

TEST_F(PrivateFileTest, AHugeSparseFileIsTurnedAwayUnread)
{
    const std::filesystem::path file = folder / "big.dat";
    test::WriteBytes(file, {});
    // 100 GB that take no room on the disk; reading them whole would not fit
    // in memory.
    std::filesystem::resize_file(file, std::uintmax_t{100} * 1000 * 1000 * 1000);
    EXPECT_FALSE(ReadRegularFile(file, kBound, LinkRule::Refuse).has_value());
    EXPECT_FALSE(ReadRegularFile(file, kBound, LinkRule::Follow).has_value());
}

TEST_F(PrivateFileTest, NoOpenWaitsForAFifo)
{
    const std::filesystem::path fifo = folder / "LedgerKeeper.dat";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(ReadRegularFile(fifo, kBound, LinkRule::Refuse).has_value());
    EXPECT_FALSE(ReadRegularFile(fifo, kBound, LinkRule::Follow).has_value());
    EXPECT_FALSE(ReadWholeFile(fifo).has_value());
    // Nor does a write wait for a reader that never comes.
    EXPECT_FALSE(WritePrivateFile(fifo, Pattern(3)));
}

TEST_F(PrivateFileTest, LinksAreFollowedOnlyWhenAsked)
{
    const std::filesystem::path file = folder / "file";
    test::WriteBytes(file, Pattern(5));
    std::filesystem::create_symlink(file, folder / "link");
    EXPECT_EQ(ReadRegularFile(folder / "link", 100, LinkRule::Follow), Pattern(5));
    EXPECT_FALSE(ReadRegularFile(folder / "link", 100, LinkRule::Refuse).has_value());
    EXPECT_FALSE(ReadRegularFile(folder, 100, LinkRule::Follow).has_value());
    EXPECT_FALSE(ReadRegularFile(folder / "missing", 100, LinkRule::Follow).has_value());
}

TEST_F(PrivateFileTest, AnExclusiveCreateNeverReplacesAnything)
{
    const std::filesystem::path target = folder / "new.dat";
    EXPECT_EQ(CreateFileExclusively(target, Pattern(40)), CreateOutcome::Created);
    EXPECT_EQ(test::ReadBytes(target), Pattern(40));
    EXPECT_EQ(ModeOf(target), 0600u);

    // Whatever holds the name stays as it was: a file, a folder, a link to nowhere.
    EXPECT_EQ(CreateFileExclusively(target, Pattern(7)), CreateOutcome::NameTaken);
    EXPECT_EQ(test::ReadBytes(target), Pattern(40));
    std::filesystem::create_directory(folder / "folder.dat");
    EXPECT_EQ(CreateFileExclusively(folder / "folder.dat", Pattern(7)), CreateOutcome::NameTaken);
    std::filesystem::create_symlink(folder / "nowhere", folder / "dangling.dat");
    EXPECT_EQ(CreateFileExclusively(folder / "dangling.dat", Pattern(7)), CreateOutcome::NameTaken);
    EXPECT_FALSE(std::filesystem::exists(folder / "nowhere"));

    EXPECT_EQ(CreateFileExclusively(folder / "missing" / "x.dat", Pattern(7)), CreateOutcome::Failed);
    // No temporary file is left behind by any of them.
    EXPECT_EQ(test::FileNames(folder), (std::vector<std::string>{"dangling.dat", "folder.dat", "new.dat"}));
}

TEST_F(PrivateFileTest, ABatchReplacesOrCreatesEachFileAsAskedInOrder)
{
    test::WriteBytes(folder / "old.dat", Pattern(3));
    test::WriteBytes(folder / "taken.dat", Pattern(4));
    const std::vector<BatchedFile> files{
        {folder / "old.dat", Pattern(30), true},    // replaces
        {folder / "taken.dat", Pattern(31), false}, // must not replace
        {folder / "new.dat", Pattern(32), false},   // created
        {folder / "new.dat", Pattern(33), false},   // taken by the one before it
        {folder / "twice.dat", Pattern(34), true},
        {folder / "twice.dat", Pattern(35), true}, // the later one wins, as one by one
    };
    EXPECT_EQ(WriteFilesTogether(folder, files),
              (std::vector<CreateOutcome>{CreateOutcome::Created, CreateOutcome::NameTaken, CreateOutcome::Created,
                                          CreateOutcome::NameTaken, CreateOutcome::Created, CreateOutcome::Created}));
    EXPECT_EQ(test::ReadBytes(folder / "old.dat"), Pattern(30));
    EXPECT_EQ(test::ReadBytes(folder / "taken.dat"), Pattern(4));
    EXPECT_EQ(test::ReadBytes(folder / "new.dat"), Pattern(32));
    EXPECT_EQ(test::ReadBytes(folder / "twice.dat"), Pattern(35));
    EXPECT_EQ(ModeOf(folder / "new.dat"), 0600u);
    // No temporary file stays behind.
    EXPECT_EQ(test::FileNames(folder), (std::vector<std::string>{"new.dat", "old.dat", "taken.dat", "twice.dat"}));

    const std::vector<BatchedFile> nowhere{{folder / "missing" / "x.dat", Pattern(3), false}};
    EXPECT_EQ(WriteFilesTogether(folder / "missing", nowhere), std::vector<CreateOutcome>{CreateOutcome::Failed});
    EXPECT_TRUE(WriteFilesTogether(folder, {}).empty());
}

// Processes that create the same names at the same moment: each name is
// created by exactly one of them, and each file is whole, one writer's bytes.
TEST_F(PrivateFileTest, RacingCreatesGiveEachNameToOneProcess)
{
    constexpr int kProcesses = 4;
    constexpr int kNames = 150;
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(start[1]);
            char byte = 0;
            if (::read(start[0], &byte, 1) < 0) { // all start together, at the end of the pipe
                ::_exit(254);
            }
            int created = 0;
            for (int n = 0; n < kNames; ++n) {
                const Bytes bytes(300 + p, static_cast<std::uint8_t>(p));
                const CreateOutcome outcome = CreateFileExclusively(folder / (std::to_string(n) + ".dat"), bytes);
                if (outcome == CreateOutcome::Failed) {
                    ::_exit(255);
                }
                created += outcome == CreateOutcome::Created ? 1 : 0;
            }
            ::_exit(created);
        }
        children.push_back(child);
    }
    ::close(start[0]);
    ::close(start[1]); // end of file: every child goes
    int createdInAll = 0;
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        ASSERT_LT(WEXITSTATUS(status), 254);
        createdInAll += WEXITSTATUS(status);
    }
    EXPECT_EQ(createdInAll, kNames);
    ASSERT_EQ(test::FileNames(folder).size(), static_cast<std::size_t>(kNames));
    for (int n = 0; n < kNames; ++n) {
        const Bytes bytes = test::ReadBytes(folder / (std::to_string(n) + ".dat"));
        ASSERT_GE(bytes.size(), 300u);
        const int writer = static_cast<int>(bytes.size()) - 300;
        EXPECT_EQ(bytes, Bytes(bytes.size(), static_cast<std::uint8_t>(writer))) << n;
    }
}

TEST_F(PrivateFileTest, OnlyARegularFileIsRemoved)
{
    test::WriteBytes(folder / "file.dat", {'x'});
    std::filesystem::create_directory(folder / "folder.dat");
    ASSERT_EQ(::mkfifo((folder / "fifo.dat").c_str(), 0600), 0);
    std::filesystem::create_symlink(folder / "file.dat", folder / "link.dat");

    EXPECT_TRUE(RemoveRegularFile(folder / "file.dat"));
    EXPECT_TRUE(RemoveRegularFile(folder / "missing.dat"));
    EXPECT_FALSE(RemoveRegularFile(folder / "folder.dat"));
    EXPECT_FALSE(RemoveRegularFile(folder / "fifo.dat"));
    EXPECT_FALSE(RemoveRegularFile(folder / "link.dat"));
    EXPECT_EQ(test::FileNames(folder), (std::vector<std::string>{"fifo.dat", "folder.dat", "link.dat"}));
}

} // namespace
} // namespace lk
