#include "core/platform/FileInfo.h"

#include "support/TempFolder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace lk {
namespace {

// Sets a file's last-write time to whole seconds and nanoseconds since 1970.
void SetLastWrite(const std::filesystem::path& file, std::int64_t seconds, long nanoseconds)
{
    const timespec times[2] = {{static_cast<time_t>(seconds), nanoseconds},
                               {static_cast<time_t>(seconds), nanoseconds}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
}

class FileInfoReading : public testing::Test
{
protected:
    test::TempFolder temp;
};

TEST_F(FileInfoReading, SizeAndLastWriteTimeAsAFileTime)
{
    const auto file = temp.path() / "helper.dll";
    test::WriteBytes(file, std::vector<std::uint8_t>(1234, 'x'));
    // 2020-01-01 00:00:00.1234567 UTC.
    SetLastWrite(file, 1577836800, 123456700);

    const auto info = ReadFileInfo(file);

    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->size, 1234u);
    EXPECT_EQ(info->lastWrite.ticks, 132223104001234567ULL);
    EXPECT_EQ(info->lastWrite.High(), 0x01D5C036u);
    EXPECT_EQ(info->lastWrite.Low(), 0x6917D687u);
}

TEST_F(FileInfoReading, NothingForMissingFilesAndFolders)
{
    EXPECT_FALSE(ReadFileInfo(temp.path() / "missing").has_value());
    EXPECT_FALSE(ReadFileInfo(temp.path()).has_value());
}

TEST_F(FileInfoReading, FollowsLinks)
{
    const auto file = temp.path() / "target.dll";
    test::WriteBytes(file, std::vector<std::uint8_t>(50, 'y'));
    std::filesystem::create_symlink(file, temp.path() / "link.dll");

    const auto info = ReadFileInfo(temp.path() / "link.dll");

    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->size, 50u);
    EXPECT_EQ(info->lastWrite, ReadFileInfo(file)->lastWrite);
}

} // namespace
} // namespace lk
