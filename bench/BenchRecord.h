#pragma once

#include "core/platform/TextConversion.h"
#include "core/store/AccountRecord.h"

#include <string>

namespace lk::bench {

// The account `i` of a benchmark store: a name, an address, three login fields
// and a comment of typical lengths, and a use count that varies.
inline AccountRecord BenchRecord(int i)
{
    AccountRecord record;
    record.AccountName =
        u"Account " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) + Wide(std::to_string(i));
    record.Url = "https://www.example.com/login/" + std::to_string(i);
    record.FileStem = std::to_string(1000000 + i);
    record.UseCount = static_cast<std::uint32_t>(i % 17);
    record.Kind = kKindSaved;
    record.SlotCount = 3;
    record.Slots[0].Flag = 1;
    record.Slots[0].Value = "secret-password";
    record.Slots[1].Value = "user.name@example.com";
    record.Slots[2].Value = "ID-" + std::to_string(i);
    record.Comment = u"A comment of a typical length, with a few words in it.";
    return record;
}

} // namespace lk::bench
