#pragma once

#include "core/store/FixedText.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace lk {

// One record of the update description "update.dat": a file of the program
// folder as the maker's server has it.
struct UpdateRecord
{
    // The kind of the program itself; a difference means a new version exists.
    static constexpr int kProgram = 0;

    int kind = 0;
    FixedText<64> name;     // relative to the program folder and to the base address
    std::uint32_t size = 0; // bytes, the low 32 bits of the file's size
    std::uint32_t timeLow = 0;
    std::uint32_t timeHigh = 0;

    friend bool operator==(const UpdateRecord&, const UpdateRecord&) = default;
};

struct UpdateDescription
{
    // Every record read, in the order of the file.
    std::vector<UpdateRecord> records;
    // True when a field that did not match its format ended the reading before
    // the end of the text (a page of HTML in place of the description, say).
    bool endedEarly = false;
};

// Reads the description's records: kind (decimal), name (one word), size
// (decimal, taken as unsigned), low and high half of the last-write time
// (hexadecimal), separated by any run of white space. A field that the text
// ends before is 0. A word that doesn't match its field ends the reading, since
// a description that has gone wrong once can't be trusted to line up again; the
// record it is in is dropped. A record whose name is longer than 63 characters
// is dropped whole, as a shortened name would name another file; the reading
// goes on after it.
UpdateDescription ReadUpdateDescription(std::string_view text);

// True when a name stays inside the program folder: not empty, not "." or "..",
// no "/" or "\", no drive or stream (":"), no ".." part, no control character.
bool IsSafeUpdateName(std::string_view name);

// True when the check compares the record with the local file at all: it has a
// safe name and a size of at least 10 bytes.
bool IsRecordToCompare(const UpdateRecord& record);

} // namespace lk
