#pragma once

#include "core/protect/SecretBuffer.h"

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;

namespace lk {

// Asks for master passwords: a new one twice with its strength (to protect the
// store), the current one and then a new one twice (to change it), or the
// current one alone (to remove the protection). The entries show no characters,
// and the dialog keeps no copy of what was typed once it has been taken.
class MasterPasswordDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Purpose
    {
        Protect,
        Change,
        Remove,
    };

    // What was typed, in guarded memory; an entry the purpose has not stays empty.
    struct Typed
    {
        SecretBuffer current;
        SecretBuffer fresh;
        SecretBuffer repeated;
    };

    explicit MasterPasswordDialog(Purpose purpose, QWidget* parent = nullptr);

    // Moves what was typed into guarded memory; every entry is empty afterwards.
    // Nothing when guarded memory could not be had.
    std::optional<Typed> TakePasswords();

    Purpose GetPurpose() const { return m_purpose; }
    // The entries; null where the purpose has none.
    QLineEdit* CurrentEntry() const { return m_current; }
    QLineEdit* NewEntry() const { return m_fresh; }
    QLineEdit* RepeatEntry() const { return m_repeated; }
    // The strength of the new password as it is typed; null without a new one.
    QLabel* StrengthLine() const { return m_strength; }

    // Runs the dialog; nothing when it was cancelled.
    static std::optional<Typed> Ask(Purpose purpose, QWidget* parent);

private:
    QLineEdit* AddEntry(const QString& label, const char* name);
    void ShowStrength();

    Purpose m_purpose;
    QLineEdit* m_current = nullptr;
    QLineEdit* m_fresh = nullptr;
    QLineEdit* m_repeated = nullptr;
    QLabel* m_strength = nullptr;
};

} // namespace lk
