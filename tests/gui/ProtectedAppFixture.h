#pragma once

#include "AppFixture.h"
#include "core/protect/SecretBuffer.h"

#include <deque>
#include <optional>
#include <string>

namespace lk::test {

// A master password as the unlock dialog hands it over.
SecretBuffer Secret(std::string_view text);

// The program on a protected store: the unlock dialog is answered from a script.
class ProtectedAppFixture : public AppFixture
{
protected:
    // Two accounts, "Mail" and "Bank", in a store protected with `master`.
    void ProtectTheStore(std::string_view master = "master");

    // Starts the program with the unlock dialog answered from `typed`, in order
    // (none is Cancel), and lets it settle. False when it did not start.
    bool Start(std::deque<std::optional<std::string>> typed);

    // What each later unlock dialog is answered, in order (none is Cancel);
    // an unscripted one is cancelled.
    std::deque<std::optional<std::string>> answers;
    // How often the unlock dialog was shown.
    int asked = 0;
    // Runs each time the unlock dialog is shown, before it is answered: the
    // window as it stands while the store is locked.
    std::function<void()> whileAsked;
    // Options the program starts with beyond the fixture's.
    std::function<void(AppOptions&)> configure;
};

} // namespace lk::test
