#include "core/transfer/CsvImport.h"

#include "core/platform/TextConversion.h"
#include "core/store/AccountList.h"
#include "core/store/AccountRecord.h"
#include "core/transfer/AccountNameIndex.h"
#include "core/transfer/CsvColumns.h"
#include "core/transfer/CsvReader.h"

#include <algorithm>

namespace lk {
namespace {

// Each assignment below cuts to fit; the size afterwards tells whether it did.
template <std::size_t N> std::size_t Take(FixedText<N>& field, std::string_view value)
{
    field = value;
    return field.size() < value.size() ? 1 : 0;
}

template <std::size_t N> std::size_t Take(FixedWideText<N>& field, std::string_view value)
{
    const std::u16string wide = FromEightBit(value);
    field = wide;
    return field.size() < wide.size() ? 1 : 0;
}

// The comment box holds its line breaks as CR LF; notes written elsewhere may
// break lines with a bare LF or CR.
std::string WithCrLfBreaks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            out.push_back(c);
        }
    }
    return out;
}

// A row's text of the field as the record can hold it: a zero ends every text
// of the record, so nothing after one could be kept.
std::string_view FieldOf(const CsvColumns& columns, const std::vector<std::string>& row, CsvField field)
{
    const std::string_view value = columns.Value(row, field);
    return value.substr(0, value.find('\0'));
}

bool IsBlank(const std::vector<std::string>& row)
{
    return std::all_of(row.begin(), row.end(), [](const std::string& field) { return field.empty(); });
}

// "1 row was skipped", "2 rows were skipped".
std::string Counted(std::size_t n, std::string_view one, std::string_view many)
{
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

} // namespace

std::string_view UrlHost(std::string_view url)
{
    if (const std::size_t scheme = url.find("://"); scheme != std::string_view::npos) {
        url.remove_prefix(scheme + 3);
    }
    url = url.substr(0, url.find_first_of("/?#"));
    if (const std::size_t at = url.rfind('@'); at != std::string_view::npos) {
        url.remove_prefix(at + 1);
    }
    if (url.starts_with('[')) {
        // An IPv6 address keeps its brackets; its colons are not a port.
        const std::size_t close = url.find(']');
        return close == std::string_view::npos ? url : url.substr(0, close + 1);
    }
    return url.substr(0, url.find(':'));
}

CsvRowAccount AccountFromCsvRow(const CsvColumns& columns, const std::vector<std::string>& row)
{
    const std::string_view name = FieldOf(columns, row, CsvField::Name);
    const std::string_view url = FieldOf(columns, row, CsvField::Url);
    if (name.empty() && url.empty()) {
        return {};
    }
    CsvRowAccount account{std::make_unique<AccountRecord>()};
    AccountRecord& record = *account.record;
    std::string_view shownName = name;
    if (shownName.empty()) {
        const std::string_view host = UrlHost(url);
        shownName = host.empty() ? url : host;
    }
    account.cut += Take(record.AccountName, shownName);
    account.cut += Take(record.Url, url);
    const std::string_view password = FieldOf(columns, row, CsvField::Password);
    const std::string_view userName = FieldOf(columns, row, CsvField::UserName);
    account.cut += Take(record.Slots[kPasswordSlot].Value, password);
    if (!password.empty()) {
        record.Slots[kPasswordSlot].Flag = 1;
    }
    account.cut += Take(record.Slots[kUserNameSlot].Value, userName);
    account.cut += Take(record.Comment, WithCrLfBreaks(FieldOf(columns, row, CsvField::Notes)));
    record.Kind = kKindSaved;
    record.SlotCount = userName.empty() ? 1 : 2;
    return account;
}

CsvImportCounts MergeCsvAccounts(std::string_view text, AccountList& list, const SaveAddedAccounts& saveAll)
{
    CsvImportCounts counts;
    CsvReader reader(text);
    const auto header = reader.NextRow();
    const auto columns = header ? CsvColumns::FromHeader(*header) : std::nullopt;
    if (!columns) {
        return counts;
    }
    AccountNameIndex names(list);
    std::vector<AccountRecord*> added;
    std::vector<std::size_t> cut; // of each added account
    while (const auto row = reader.NextRow()) {
        if (IsBlank(*row)) {
            continue;
        }
        CsvRowAccount account = AccountFromCsvRow(*columns, *row);
        if (!account.record) {
            ++counts.skipped;
            continue;
        }
        if (names.IsHeldByAny(list, *account.record)) {
            ++counts.alreadyThere;
            continue;
        }
        AccountRecord& kept = *account.record;
        const std::ptrdiff_t index = list.GetCount();
        if (!list.Add(std::move(account.record))) {
            ++counts.notSaved;
            continue;
        }
        names.Appended(kept, index);
        added.push_back(&kept);
        cut.push_back(account.cut);
    }
    if (added.empty()) {
        return counts;
    }
    const std::vector<bool> saved = saveAll(added);
    for (std::size_t i = 0; i < added.size(); ++i) {
        // A saver that answers for fewer accounts than it was given saved none of the rest.
        if (i < saved.size() && saved[i]) {
            ++counts.imported;
            counts.cut += cut[i];
        } else {
            ++counts.notSaved;
        }
    }
    return counts;
}

std::u16string CsvImportSummary(const CsvImportCounts& counts)
{
    std::string text = "Imported " + Counted(counts.imported, "account", "accounts");
    if (counts.alreadyThere != 0) {
        text += "; " + Counted(counts.alreadyThere, "was already there", "were already there");
    }
    if (counts.skipped != 0) {
        text += "; " + Counted(counts.skipped, "row was skipped", "rows were skipped");
    }
    if (counts.cut != 0) {
        text += "; " + Counted(counts.cut, "value was cut to fit", "values were cut to fit");
    }
    text += ".";
    return Wide(text);
}

} // namespace lk
