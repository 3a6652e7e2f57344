// ledgerkeeper-read-floor FOLDER: the floor of listing a store. It lists the
// folder and opens, reads and closes every file whose name ends in ".dat", with
// nothing else: no checks, no decoding, no order. It prints how many files and
// bytes it read.
#include <array>
#include <cstddef>
#include <dirent.h>
#include <fcntl.h>
#include <iostream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: ledgerkeeper-read-floor FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    std::vector<std::string> files;
    if (DIR* directory = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(directory)) {
            const std::string_view name = entry->d_name;
            if (name.size() > 4 && name.substr(name.size() - 4) == ".dat") {
                files.push_back(folder + "/" + std::string(name));
            }
        }
        ::closedir(directory);
    }
    std::array<char, 8192> buffer{};
    std::size_t total = 0;
    for (const std::string& file : files) {
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        ssize_t got = 0;
        while ((got = ::read(fd, buffer.data(), buffer.size())) > 0) {
            total += static_cast<std::size_t>(got);
        }
        ::close(fd);
    }
    std::cout << files.size() << " files, " << total << " bytes\n";
    return 0;
}
