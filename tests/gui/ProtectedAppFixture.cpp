#include "ProtectedAppFixture.h"

#include "core/document/CReaderDoc.h"
#include "core/document/StoreProtection.h"
#include "core/platform/UserName.h"

namespace lk::test {

SecretBuffer Secret(std::string_view text)
{
    auto secret = SecretBuffer::CopyOf(text);
    EXPECT_TRUE(secret.has_value());
    return secret ? std::move(*secret) : SecretBuffer{};
}

void ProtectedAppFixture::ProtectTheStore(std::string_view master)
{
    WriteAccount(Named(u"Mail"));
    WriteAccount(Named(u"Bank"));
    CReaderDoc writer(DocumentContext{folders, CurrentUserName(), &desktop, nullptr});
    ASSERT_EQ(ProtectStore(writer, Secret(master), KeyDerivationCost::Least()), ProtectionOutcome::Done);
}

bool ProtectedAppFixture::Start(std::deque<std::optional<std::string>> typed)
{
    answers = std::move(typed);
    AppOptions options;
    options.desktop = &desktop;
    options.folders = folders;
    options.updateCheck = [](DesktopPort&) { return true; };
    options.masterPassword = [this]() -> std::optional<SecretBuffer> {
        ++asked;
        if (whileAsked) {
            whileAsked();
        }
        if (answers.empty() || !answers.front()) {
            if (!answers.empty()) {
                answers.pop_front();
            }
            return std::nullopt;
        }
        auto password = Secret(*answers.front());
        answers.pop_front();
        return password;
    };
    if (configure) {
        configure(options);
    }
    app = std::make_unique<CReaderApp>(std::move(options));
    const bool started = app->InitInstance();
    Settle();
    return started;
}

} // namespace lk::test
