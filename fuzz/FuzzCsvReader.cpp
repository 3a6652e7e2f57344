// The CSV reader, the format detection and the CSV import over an arbitrary
// file. The reader always ends and never gives a row without a field; what it
// reads, written again by the writer, reads back the same; and every account
// the import adds is in the list, named, of the saved kind and within the
// record's limits, its counts adding up to the rows that were read.
#include "FuzzSupport.h"
#include "core/store/AccountList.h"
#include "core/transfer/CsvImport.h"
#include "core/transfer/CsvReader.h"
#include "core/transfer/CsvWriter.h"
#include "core/transfer/ImportFormat.h"

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows ReadAll(std::string_view text)
{
    lk::CsvReader reader(text);
    Rows rows;
    while (auto row = reader.NextRow()) {
        lk::fuzz::Require(!row->empty(), "a row without a field");
        rows.push_back(std::move(*row));
    }
    return rows;
}

std::string WriteAll(const Rows& rows)
{
    lk::CsvWriter writer;
    for (const auto& row : rows) {
        const std::vector<std::string_view> fields(row.begin(), row.end());
        writer.WriteRow(fields);
    }
    return writer.Text();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace lk;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Rows rows = ReadAll(text);
    fuzz::Require(rows.size() <= size + 1, "more rows than bytes");
    // A field that begins with a byte-order mark would lose it in front of the
    // first row; writers never put one there.
    if (rows.empty() || rows.front().front().rfind("\xEF\xBB\xBF", 0) != 0) {
        fuzz::Require(ReadAll(WriteAll(rows)) == rows, "written rows read back otherwise");
    }

    static_cast<void>(DetectImportFormat(std::span<const std::uint8_t>(data, size)));

    AccountList list;
    std::size_t saved = 0;
    const CsvImportCounts counts = MergeCsvAccounts(text, list, [&](std::span<AccountRecord* const> added) {
        std::vector<bool> done;
        for (const AccountRecord* record : added) {
            fuzz::Require(list.IndexOf(record) >= 0, "a saved account is not in the list");
            done.push_back(++saved % 5 != 0); // now and then a save fails
        }
        return done;
    });
    fuzz::Require(static_cast<std::size_t>(list.GetCount()) == counts.imported + counts.notSaved,
                  "the list holds other accounts than the counts say");
    fuzz::Require(saved == counts.imported + counts.notSaved, "an added account saved other than once");
    fuzz::Require(counts.imported + counts.alreadyThere + counts.skipped + counts.notSaved <
                      std::max<std::size_t>(rows.size(), 1),
                  "more accounts than rows below the header");
    for (const auto& record : list) {
        fuzz::Require(!record->AccountName.empty() && record->Kind == kKindSaved, "an unnamed or unsaved kind");
        fuzz::Require(record->SlotCount == 1 || record->SlotCount == 2, "a SlotCount other than 1 or 2");
        fuzz::RequireWithinLimits(*record);
    }
    return 0;
}
