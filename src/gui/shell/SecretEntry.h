#pragma once

#include "core/protect/SecretBuffer.h"

#include <optional>

class QLineEdit;

namespace lk {

// The password box's text moved into guarded memory: the box is empty
// afterwards, its undo history dropped, and the text's own copy wiped.
std::optional<SecretBuffer> TakeSecretText(QLineEdit& entry);

} // namespace lk
