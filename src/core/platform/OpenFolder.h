#pragma once

#include "core/platform/FileDescriptor.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lk {

// A folder held open while its files are listed and read. A refresh reads every
// file of the data folder: each name is looked up within the open folder rather
// than along the whole path again, and the bytes go into a buffer the caller
// keeps from file to file.
class OpenFolder
{
public:
    explicit OpenFolder(const std::filesystem::path& folder);

    // Whether the folder could be opened; a folder that cannot lists nothing.
    bool IsOpen() const;

    // As ListDatFiles lists the folder: the regular files ending in ".dat", in
    // the listing order.
    std::vector<std::string> DatFiles() const;

    // Reads the file `name` (a name DatFiles gave) into `bytes`, replacing what
    // they held. False, with nothing read, unless it is a regular file of that
    // very name (a link is refused) of at most `maxBytes` bytes. The listing has
    // looked at the entry already; what the open finds is looked at again, and
    // the open never waits (a FIFO put in its place meanwhile is turned away).
    bool ReadRegularFile(const std::string& name, std::size_t maxBytes, std::vector<std::uint8_t>& bytes) const;

private:
#ifndef _WIN32
    FileDescriptor folder_;
#else
    std::filesystem::path folder_;
#endif
};

} // namespace lk
