// Writes the seed corpus of fuzz_protected_files into the folder given:
// protected account files under the fuzz target's data key and key files under
// its master password (with the cheapest derivation), and a few near misses.
// The files it writes are committed; run it again after changing it:
//   build-fuzz/make_protected_seeds fuzz/corpus/fuzz_protected_files
#include "ProtectedFuzzKeys.h"
#include "core/protect/ProtectedAccountFile.h"
#include "core/protect/ProtectionKeyFile.h"
#include "core/store/AccountFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Write(const std::filesystem::path& folder, const char* name, const Bytes& bytes)
{
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "could not write %s\n", name);
        std::exit(1);
    }
}

} // namespace

int main(int argc, char** argv)
{
    using namespace lk;
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_protected_seeds FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    const SecretBuffer key = fuzz::FuzzDataKey();

    AccountRecord full;
    full.AccountName = u"Bank";
    full.Url = "https://bank.example/login";
    full.FileStem = "133000000012345678";
    full.UseCount = 7;
    full.Kind = kKindSaved;
    full.SlotCount = 3;
    full.Slots[0].Flag = 1;
    full.Slots[0].Value = "s3cret";
    full.Comment = u"two\uE00Alines\uE02C and a comma";
    AccountRecord fresh;
    fresh.AccountName = u"A";

    Write(folder, "protected-account", *ProtectedAccountFile::Write(full, key));
    Write(folder, "protected-fresh-record", *ProtectedAccountFile::Write(fresh, key));
    Bytes cut = *ProtectedAccountFile::Write(fresh, key);
    cut.resize(ProtectedAccountFile::kLeastSize);
    Write(folder, "protected-cut-to-the-least", cut);
    Write(folder, "scrambled-account", WriteAccountFile(full, u"fuzzer"));

    const auto keyFile = ProtectionKeyFile::Wrap(key, fuzz::FuzzPassword(), KeyDerivationCost::Least());
    const auto otherPassword = ProtectionKeyFile::Wrap(key, fuzz::FuzzPassword("other"), KeyDerivationCost{2, 16384});
    if (!keyFile || !otherPassword) {
        std::fprintf(stderr, "could not wrap the data key\n");
        return 1;
    }
    const auto encoded = keyFile->Encode();
    Write(folder, "key-file", Bytes(encoded.begin(), encoded.end()));
    const auto other = otherPassword->Encode();
    Write(folder, "key-file-other-password", Bytes(other.begin(), other.end()));
    Bytes damaged(encoded.begin(), encoded.end());
    damaged[100] ^= 0x01;
    Write(folder, "key-file-damaged", damaged);
    return 0;
}
