#include "gui/shell/MasterPasswordDialog.h"

#include "core/password/PasswordStrength.h"
#include "gui/shell/SecretEntry.h"

#include <QByteArray>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <sodium.h>

namespace lk {
namespace {

const char* TitleOf(MasterPasswordDialog::Purpose purpose)
{
    switch (purpose) {
    case MasterPasswordDialog::Purpose::Protect:
        return "Protect with Master Password";
    case MasterPasswordDialog::Purpose::Change:
        return "Change Master Password";
    case MasterPasswordDialog::Purpose::Remove:
        return "Remove Protection";
    }
    return "";
}

// An entry the dialog's purpose does without gives an empty secret.
std::optional<SecretBuffer> Take(QLineEdit* entry)
{
    return entry == nullptr ? SecretBuffer{} : TakeSecretText(*entry);
}

} // namespace

MasterPasswordDialog::MasterPasswordDialog(Purpose purpose, QWidget* parent) : QDialog(parent), m_purpose(purpose)
{
    setWindowTitle(TitleOf(purpose));
    setObjectName("MasterPasswordDialog");
    auto* layout = new QVBoxLayout(this);
    switch (purpose) {
    case Purpose::Protect:
        layout->addWidget(new QLabel("Every account file will be encrypted under this master password.\n"
                                     "Without it the accounts cannot be read again.",
                                     this));
        break;
    case Purpose::Change:
        break;
    case Purpose::Remove:
        layout->addWidget(new QLabel("Every account file will be written without encryption again.", this));
        break;
    }
    if (purpose != Purpose::Protect) {
        m_current = AddEntry(purpose == Purpose::Change ? "&Current master password:" : "&Master password:",
                             "CurrentMasterPassword");
    }
    if (purpose != Purpose::Remove) {
        m_fresh = AddEntry("&New master password:", "NewMasterPassword");
        m_strength = new QLabel(this);
        m_strength->setObjectName("MasterPasswordStrength");
        layout->addWidget(m_strength);
        m_repeated = AddEntry("&Repeat the new master password:", "RepeatedMasterPassword");
        connect(m_fresh, &QLineEdit::textChanged, this, &MasterPasswordDialog::ShowStrength);
        ShowStrength();
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QLineEdit* MasterPasswordDialog::AddEntry(const QString& label, const char* name)
{
    auto* caption = new QLabel(label, this);
    auto* entry = new QLineEdit(this);
    entry->setObjectName(name);
    entry->setEchoMode(QLineEdit::Password);
    caption->setBuddy(entry);
    layout()->addWidget(caption);
    layout()->addWidget(entry);
    return entry;
}

void MasterPasswordDialog::ShowStrength()
{
    if (m_fresh->text().isEmpty()) {
        m_strength->clear();
        return;
    }
    QByteArray typed = m_fresh->text().toUtf8();
    const PasswordStrength strength =
        EstimateStrength(std::string_view(typed.constData(), static_cast<std::size_t>(typed.size())));
    sodium_memzero(typed.data(), static_cast<std::size_t>(typed.size()));
    m_strength->setText(QString::fromStdString(lk::StrengthLine(strength)));
}

std::optional<MasterPasswordDialog::Typed> MasterPasswordDialog::TakePasswords()
{
    // Every entry is emptied, even when guarded memory fails for one of them.
    std::optional<SecretBuffer> current = Take(m_current);
    std::optional<SecretBuffer> fresh = Take(m_fresh);
    std::optional<SecretBuffer> repeated = Take(m_repeated);
    if (m_strength != nullptr) {
        m_strength->clear();
    }
    if (!current || !fresh || !repeated) {
        return std::nullopt;
    }
    return Typed{std::move(*current), std::move(*fresh), std::move(*repeated)};
}

std::optional<MasterPasswordDialog::Typed> MasterPasswordDialog::Ask(Purpose purpose, QWidget* parent)
{
    MasterPasswordDialog dialog(purpose, parent);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    auto typed = dialog.TakePasswords();
    if (!accepted) {
        return std::nullopt;
    }
    return typed;
}

} // namespace lk
