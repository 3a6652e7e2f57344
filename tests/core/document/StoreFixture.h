#pragma once

#include "core/document/CReaderDoc.h"
#include "core/store/AccountFile.h"
#include "support/ScriptedDesktop.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace lk::test {

// A product folder of its own, a scripted desktop and a fixed user name, and
// helpers that put account files into the data folder.
class StoreFixture : public testing::Test
{
public:
    static constexpr std::u16string_view kUser = u"tester";

    static AccountRecord Account(std::u16string_view name, std::string_view stem = "")
    {
        AccountRecord record;
        record.AccountName = name;
        record.FileStem = stem;
        record.SlotCount = 3;
        record.Slots[0].Value = "pw";
        return record;
    }

protected:
    TempFolder temp;
    Folders folders = temp.folders();
    ScriptedDesktop desktop;

    std::unique_ptr<CReaderDoc> MakeDocument(std::u16string_view user = kUser)
    {
        return std::make_unique<CReaderDoc>(DocumentContext{folders, std::u16string(user), &desktop, nullptr});
    }

    std::filesystem::path DataFile(const std::string& name) const { return folders.data / name; }

    // Writes `record` as the account file `fileName` of the data folder.
    void PutAccount(const std::string& fileName, const AccountRecord& record, std::u16string_view user = kUser)
    {
        WriteBytes(DataFile(fileName), WriteAccountFile(record, user));
    }

    static std::vector<std::u16string> NamesOf(const AccountList& list)
    {
        std::vector<std::u16string> names;
        for (const auto& record : list) {
            names.push_back(record->AccountName.str());
        }
        return names;
    }

    std::vector<std::string> DataFiles() const { return FileNames(folders.data); }
};

} // namespace lk::test
