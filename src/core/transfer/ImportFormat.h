#pragma once

#include <cstdint>
#include <span>

namespace lk {

// What an import file holds, decided from its bytes alone.
enum class ImportFormat
{
    // Account lines in UTF-16, as Export writes them: read exactly as they always were.
    AccountLines,
    // A UTF-8 CSV file whose first row is a header naming a password or URL column.
    Csv,
    // Anything else: nothing can be imported from it.
    Neither,
};

// The two formats cannot be taken for each other. A file of account lines holds
// a line feed in its UTF-16 reading, which needs the bytes 0A 00 at an even
// offset; valid UTF-8 text never holds a zero byte, so a CSV file never has one,
// and any file that does is looked at as account lines first. An empty file is
// what Export writes for a store without accounts: account lines, none of them.
ImportFormat DetectImportFormat(std::span<const std::uint8_t> bytes);

} // namespace lk
