#include "core/update/UpdateDescription.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lk {
namespace {

using namespace std::string_literals;

UpdateRecord Record(int kind, std::string_view name, std::uint32_t size, std::uint32_t low, std::uint32_t high)
{
    UpdateRecord record;
    record.kind = kind;
    record.name = name;
    record.size = size;
    record.timeLow = low;
    record.timeHigh = high;
    return record;
}

struct ReaderCase
{
    const char* label;
    std::string text;
    std::vector<UpdateRecord> records;
    std::vector<bool> compared; // IsRecordToCompare of each record
    bool endedEarly = false;
};

void PrintTo(const ReaderCase& c, std::ostream* out)
{
    *out << c.label;
}

const std::string k63(63, 'n');
const std::string k64(64, 'n');

const ReaderCase kReaderCases[] = {
    {"one record per line",
     "0 LedgerKeeper 123456 1a2b3c4d 1d9f0e1\r\n1 helper.dll 2048 ABCDEF01 01D9F0E1\r\n",
     {Record(0, "LedgerKeeper", 123456, 0x1a2b3c4d, 0x1d9f0e1), Record(1, "helper.dll", 2048, 0xABCDEF01, 0x01D9F0E1)},
     {true, true}},
    {"records on one line",
     "0 LedgerKeeper 123456 1a2b3c4d 1d9f0e1 1\thelper.dll 2048 ABCDEF01 01D9F0E1",
     {Record(0, "LedgerKeeper", 123456, 0x1a2b3c4d, 0x1d9f0e1), Record(1, "helper.dll", 2048, 0xABCDEF01, 0x01D9F0E1)},
     {true, true}},
    {"a record over several lines",
     "\n\n2\nhelper.dll\r\n\r\n   4096\n\tff\n\v\f10\n",
     {Record(2, "helper.dll", 4096, 0xff, 0x10)},
     {true}},
    {"fields missing at the end are 0", "1 helper.dll 2048", {Record(1, "helper.dll", 2048, 0, 0)}, {true}},
    {"only a kind", "7 ", {Record(7, "", 0, 0, 0)}, {false}},
    {"a size of 9 is read and not compared, 10 is",
     "1 small.dll 9 0 0\n1 ten.dll 10 0 0",
     {Record(1, "small.dll", 9, 0, 0), Record(1, "ten.dll", 10, 0, 0)},
     {false, true}},
    {"a negative size is taken as unsigned", "1 a.dll -1 0 0", {Record(1, "a.dll", 0xFFFFFFFFu, 0, 0)}, {true}},
    {"hexadecimal with a prefix and a sign",
     "1 a.dll +12 0xDEADBEEF -1",
     {Record(1, "a.dll", 12, 0xDEADBEEF, 0xFFFFFFFFu)},
     {true}},
    {"numbers too long for 32 bits keep their low bits",
     "1 a.dll 4294967306 1FFFFFFFF 0",
     {Record(1, "a.dll", 10, 0xFFFFFFFFu, 0)},
     {true}},
    {"a kind too large never turns into the program's kind",
     "4294967296 a.dll 100 0 0",
     {Record(2147483647, "a.dll", 100, 0, 0)},
     {true}},
    {"a name of 63 characters is kept", "1 " + k63 + " 100 0 0", {Record(1, k63, 100, 0, 0)}, {true}},
    {"a name of 64 characters drops its record and the reading goes on",
     "1 " + k64 + " 100 0 0\n1 next.dll 200 0 0",
     {Record(1, "next.dll", 200, 0, 0)},
     {true}},
    {"a name with a zero byte drops its record",
     "1 a\0b.dll 100 0 0 1 next.dll 200 0 0"s,
     {Record(1, "next.dll", 200, 0, 0)},
     {true}},
    {"a page of HTML ends the reading at once",
     "<!DOCTYPE html>\n<html><head><title>404 Not Found</title></head>\n<body>1 evil.dll 100 0 0</body></html>\n",
     {},
     {},
     true},
    {"text after good records ends the reading and keeps them",
     "1 a.dll 100 0 0\n<html>\n1 b.dll 100 0 0",
     {Record(1, "a.dll", 100, 0, 0)},
     {true},
     true},
    {"a number field that doesn't match drops its record", "1 a.dll 100 zz 0\n1 b.dll 100 0 0", {}, {}, true},
    {"digits run into letters don't make a number", "1 a.dll 100abc 0 0", {}, {}, true},
    {"an empty file has no records", "", {}, {}},
    {"white space only has no records", " \r\n\t\n", {}, {}},
    {"names leaving the program folder are read but never compared",
     "1 ../up.dll 100 0 0 1 sub/a.dll 100 0 0 1 a\\b.dll 100 0 0 1 C:a.dll 100 0 0 1 /etc/passwd 100 0 0 "
     "1 .. 100 0 0 1 . 100 0 0 1 a..b 100 0 0 1 ok.dll 100 0 0",
     {Record(1, "../up.dll", 100, 0, 0), Record(1, "sub/a.dll", 100, 0, 0), Record(1, "a\\b.dll", 100, 0, 0),
      Record(1, "C:a.dll", 100, 0, 0), Record(1, "/etc/passwd", 100, 0, 0), Record(1, "..", 100, 0, 0),
      Record(1, ".", 100, 0, 0), Record(1, "a..b", 100, 0, 0), Record(1, "ok.dll", 100, 0, 0)},
     {false, false, false, false, false, false, false, false, true}},
};

class UpdateDescriptionReading : public testing::TestWithParam<ReaderCase>
{};

TEST_P(UpdateDescriptionReading, ReadsTheRecordsOfTheText)
{
    const ReaderCase& c = GetParam();
    const UpdateDescription description = ReadUpdateDescription(c.text);

    EXPECT_EQ(description.endedEarly, c.endedEarly);
    ASSERT_EQ(description.records.size(), c.records.size());
    for (std::size_t i = 0; i < c.records.size(); ++i) {
        const UpdateRecord& got = description.records[i];
        const UpdateRecord& want = c.records[i];
        EXPECT_EQ(got.kind, want.kind) << "record " << i;
        EXPECT_EQ(got.name.view(), want.name.view()) << "record " << i;
        EXPECT_EQ(got.size, want.size) << "record " << i;
        EXPECT_EQ(got.timeLow, want.timeLow) << "record " << i;
        EXPECT_EQ(got.timeHigh, want.timeHigh) << "record " << i;
        EXPECT_EQ(IsRecordToCompare(got), c.compared[i]) << "record " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, UpdateDescriptionReading, testing::ValuesIn(kReaderCases));

TEST(UpdateDescriptionReading, LongGarbageNeverStallsAndEndsAtTheFirstWord)
{
    std::string garbage;
    for (int i = 0; i < 100000; ++i) {
        garbage += "x<>& ";
    }
    const UpdateDescription description = ReadUpdateDescription(garbage);
    EXPECT_TRUE(description.records.empty());
    EXPECT_TRUE(description.endedEarly);
}

TEST(UpdateNames, OnlyPlainNamesAreSafe)
{
    for (const char* name : {"LedgerKeeper", "helper.dll", "a.b.c", "ledgerkeeper.html", "name-with_marks+1"}) {
        EXPECT_TRUE(IsSafeUpdateName(name)) << name;
    }
    for (const char* name :
         {"", ".", "..", "../x", "x/..", "a/b", "a\\b", "\\x", "/x", "C:", "C:x", "x:y", "...", "a\tb", "a\x7f"}) {
        EXPECT_FALSE(IsSafeUpdateName(name)) << name;
    }
}

} // namespace
} // namespace lk
