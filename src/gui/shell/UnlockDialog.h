#pragma once

#include "core/protect/SecretBuffer.h"

#include <QDialog>
#include <optional>

class QLineEdit;

namespace lk {

// "Unlock LedgerKeeper": asks for the master password of a protected store.
// The entry shows no characters, and the dialog keeps no copy of what was
// typed once it has been taken.
class UnlockDialog : public QDialog
{
public:
    explicit UnlockDialog(QWidget* parent = nullptr);

    // What was typed, moved into guarded memory; the entry is empty afterwards.
    std::optional<SecretBuffer> TakePassword();

    QLineEdit* Entry() const { return m_entry; }

    // Runs the dialog; nothing when it was cancelled.
    static std::optional<SecretBuffer> Ask(QWidget* parent);

private:
    QLineEdit* m_entry = nullptr;
};

} // namespace lk
