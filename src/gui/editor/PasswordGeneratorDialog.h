#pragma once

#include "core/password/PasswordGenerator.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace lk {

// "Generate Password": a length, the kinds of characters, and whether to leave
// out look-alikes; every change draws a new password and shows its strength.
// "Use" ends the dialog with the password for the password box; without a form
// to take it (no account window) the button is disabled.
class PasswordGeneratorDialog final : public QDialog
{
    Q_OBJECT

public:
    PasswordGeneratorDialog(bool canUse, QWidget* parent);
    ~PasswordGeneratorDialog() override;

    QString Password() const;
    PasswordRecipe Recipe() const;
    // Draws a new password from the recipe the controls show.
    void Generate();

private:
    QSpinBox* m_length = nullptr;
    QCheckBox* m_upper = nullptr;
    QCheckBox* m_lower = nullptr;
    QCheckBox* m_digits = nullptr;
    QCheckBox* m_symbols = nullptr;
    QCheckBox* m_noLookAlikes = nullptr;
    QLineEdit* m_password = nullptr;
    QLabel* m_strength = nullptr;
    QPushButton* m_use = nullptr;
    bool m_canUse = false;
};

} // namespace lk
