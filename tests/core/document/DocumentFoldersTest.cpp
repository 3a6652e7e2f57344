#include "core/document/StoreFixture.h"
#include "support/FileModes.h"

#include <sys/stat.h>

namespace lk {
namespace {

using test::ModeOf;

class DocumentFoldersTest : public test::StoreFixture
{};

TEST_F(DocumentFoldersTest, LooseFoldersOfAnEarlierStartAreBroughtTo0700)
{
    for (const auto& folder : {folders.product, folders.data, folders.program}) {
        std::filesystem::create_directories(folder);
    }
    ASSERT_EQ(::chmod(folders.product.c_str(), 0777), 0);
    ASSERT_EQ(::chmod(folders.data.c_str(), 0755), 0);
    ASSERT_EQ(::chmod(folders.program.c_str(), 0775), 0);

    const auto document = MakeDocument();

    EXPECT_EQ(ModeOf(folders.product), 0700u);
    EXPECT_EQ(ModeOf(folders.data), 0700u);
    EXPECT_EQ(ModeOf(folders.program), 0700u);
}

TEST_F(DocumentFoldersTest, UnderAnOpenUmaskTheFoldersAreStillPrivateAndNoProgramFolderIsMade)
{
    const mode_t old = ::umask(0);
    const auto document = MakeDocument();
    ::umask(old);

    EXPECT_EQ(ModeOf(folders.product), 0700u);
    EXPECT_EQ(ModeOf(folders.data), 0700u);
    EXPECT_FALSE(std::filesystem::exists(folders.program));
}

} // namespace
} // namespace lk
