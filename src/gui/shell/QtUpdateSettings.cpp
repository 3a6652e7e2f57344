#include "gui/shell/QtUpdateSettings.h"

#include <QSettings>

namespace lk {

std::optional<std::uint32_t> QtUpdateSettings::LastStartTime()
{
    QSettings settings(kOrganisation, kApplication);
    const QVariant value = settings.value(kLastStartKey);
    bool ok = false;
    const uint seconds = value.toUInt(&ok);
    // A value that isn't a time counts as none, so the check runs and stores a good one.
    if (!value.isValid() || !ok) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(seconds);
}

void QtUpdateSettings::SetLastStartTime(std::uint32_t seconds)
{
    QSettings settings(kOrganisation, kApplication);
    settings.setValue(kLastStartKey, static_cast<uint>(seconds));
}

} // namespace lk
