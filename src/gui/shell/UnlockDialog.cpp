#include "gui/shell/UnlockDialog.h"

#include "gui/shell/SecretEntry.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace lk {

UnlockDialog::UnlockDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Unlock LedgerKeeper");
    setObjectName("UnlockDialog");
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel("Master password:", this);
    m_entry = new QLineEdit(this);
    m_entry->setObjectName("MasterPassword");
    m_entry->setEchoMode(QLineEdit::Password);
    label->setBuddy(m_entry);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(label);
    layout->addWidget(m_entry);
    layout->addWidget(buttons);
}

std::optional<SecretBuffer> UnlockDialog::TakePassword()
{
    return TakeSecretText(*m_entry);
}

std::optional<SecretBuffer> UnlockDialog::Ask(QWidget* parent)
{
    UnlockDialog dialog(parent);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    auto password = dialog.TakePassword();
    if (!accepted) {
        return std::nullopt;
    }
    return password;
}

} // namespace lk
