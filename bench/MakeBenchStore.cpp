// ledgerkeeper-make-bench-store PRODUCT_FOLDER COUNT: fills the data folder of
// a product folder with COUNT account files of the benchmark accounts, written
// for the user running it, so that ledgerkeeper-cli --home PRODUCT_FOLDER reads
// them. The files are written plainly, without a flush: the folder is a test
// input, not a store to keep.
#include "BenchRecord.h"
#include "core/platform/Folders.h"
#include "core/platform/PrivateFile.h"
#include "core/platform/UserName.h"
#include "core/store/AccountFile.h"
#include "core/store/FileStem.h"

#include <charconv>
#include <iostream>
#include <string_view>

int main(int argc, char** argv)
{
    int count = 0;
    const std::string_view countText = argc == 3 ? argv[2] : "";
    if (std::from_chars(countText.data(), countText.data() + countText.size(), count).ec != std::errc{} || count < 0) {
        std::cerr << "usage: ledgerkeeper-make-bench-store PRODUCT_FOLDER COUNT\n";
        return 2;
    }
    const lk::Folders folders = lk::Folders::Under(argv[1]);
    if (!lk::CreatePrivateFolder(folders.product) || !lk::CreatePrivateFolder(folders.data)) {
        std::cerr << "cannot make " << folders.data << '\n';
        return 1;
    }
    const std::u16string user = lk::CurrentUserName();
    for (int i = 0; i < count; ++i) {
        const lk::AccountRecord record = lk::bench::BenchRecord(i);
        const auto bytes = lk::WriteAccountFile(record, user);
        if (!lk::WritePrivateFile(lk::AccountFilePath(folders.data, record.FileStem.view()), bytes)) {
            std::cerr << "cannot write account " << i << '\n';
            return 1;
        }
    }
    return 0;
}
