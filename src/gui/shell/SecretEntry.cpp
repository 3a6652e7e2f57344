#include "gui/shell/SecretEntry.h"

#include <QByteArray>
#include <QLineEdit>
#include <sodium.h>
#include <string_view>

namespace lk {

std::optional<SecretBuffer> TakeSecretText(QLineEdit& entry)
{
    QByteArray typed = entry.text().toUtf8();
    // Setting the text anew also drops the entry's undo history, which would
    // otherwise keep what was typed.
    entry.setText(QString());
    auto secret = SecretBuffer::CopyOf(std::string_view(typed.constData(), static_cast<std::size_t>(typed.size())));
    sodium_memzero(typed.data(), static_cast<std::size_t>(typed.size()));
    return secret;
}

} // namespace lk
