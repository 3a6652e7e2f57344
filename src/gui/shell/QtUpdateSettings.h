#pragma once

#include "core/update/UpdateCheck.h"

namespace lk {

// The update check's remembered start time in the program's per-user settings,
// beside the program's other ones (organisation "Local AppWizard-Generated
// Applications", application "LedgerKeeper").
class QtUpdateSettings final : public UpdateSettings
{
public:
    static constexpr const char* kOrganisation = "Local AppWizard-Generated Applications";
    static constexpr const char* kApplication = "LedgerKeeper";
    static constexpr const char* kLastStartKey = "UpdateCheck/LastStartTime";

    std::optional<std::uint32_t> LastStartTime() override;
    void SetLastStartTime(std::uint32_t seconds) override;
};

} // namespace lk
