#include "gui/editor/PasswordGeneratorDialog.h"

#include "core/password/PasswordStrength.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lk {

PasswordGeneratorDialog::PasswordGeneratorDialog(bool canUse, QWidget* parent) : QDialog(parent), m_canUse(canUse)
{
    setObjectName("PasswordGenerator");
    setWindowTitle("Generate Password");
    auto* layout = new QVBoxLayout(this);

    m_password = new QLineEdit(this);
    m_password->setObjectName("GeneratedPassword");
    m_password->setReadOnly(true);
    m_password->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_password->setMinimumWidth(m_password->fontMetrics().horizontalAdvance(QString(34, 'M')));
    auto* again = new QPushButton("&Generate", this);
    again->setObjectName("GenerateAgain");
    again->setAutoDefault(false);
    auto* passwordRow = new QHBoxLayout;
    passwordRow->addWidget(m_password, 1);
    passwordRow->addWidget(again);
    layout->addLayout(passwordRow);

    m_strength = new QLabel(this);
    m_strength->setObjectName("GeneratedStrength");
    layout->addWidget(m_strength);

    auto* form = new QFormLayout;
    m_length = new QSpinBox(this);
    m_length->setObjectName("Length");
    m_length->setRange(static_cast<int>(PasswordRecipe::kMinLength), static_cast<int>(PasswordRecipe::kMaxLength));
    m_length->setValue(static_cast<int>(PasswordRecipe::kDefaultLength));
    form->addRow("&Length:", m_length);
    layout->addLayout(form);

    const auto makeBox = [this, layout](const char* name, const QString& text, bool checked) {
        auto* box = new QCheckBox(text, this);
        box->setObjectName(name);
        box->setChecked(checked);
        layout->addWidget(box);
        connect(box, &QCheckBox::toggled, this, &PasswordGeneratorDialog::Generate);
        return box;
    };
    m_upper = makeBox("UpperCase", "&Upper case (A-Z)", true);
    m_lower = makeBox("LowerCase", "L&ower case (a-z)", true);
    m_digits = makeBox("Digits", "&Digits (0-9)", true);
    m_symbols = makeBox("Symbols", "&Symbols (!#$%&&...)", true);
    m_noLookAlikes = makeBox("NoLookAlikes", "&No look-alike characters (0 O o 1 l I |)", false);

    auto* buttons = new QDialogButtonBox(this);
    m_use = buttons->addButton("&Use", QDialogButtonBox::AcceptRole);
    m_use->setObjectName("Use");
    m_use->setToolTip(canUse ? "Put the password into the account's password box"
                             : "Open an account window to use the password");
    buttons->addButton(QDialogButtonBox::Close);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(again, &QPushButton::clicked, this, &PasswordGeneratorDialog::Generate);
    connect(m_length, &QSpinBox::valueChanged, this, &PasswordGeneratorDialog::Generate);
    Generate();
}

PasswordGeneratorDialog::~PasswordGeneratorDialog()
{
    // The password box's text leaves no copy behind in this dialog's widgets.
    m_password->clear();
}

PasswordRecipe PasswordGeneratorDialog::Recipe() const
{
    PasswordRecipe recipe;
    recipe.length = static_cast<std::size_t>(m_length->value());
    recipe.upperCase = m_upper->isChecked();
    recipe.lowerCase = m_lower->isChecked();
    recipe.digits = m_digits->isChecked();
    recipe.symbols = m_symbols->isChecked();
    recipe.noLookAlikes = m_noLookAlikes->isChecked();
    return recipe;
}

QString PasswordGeneratorDialog::Password() const
{
    return m_password->text();
}

void PasswordGeneratorDialog::Generate()
{
    const std::optional<std::string> password = GeneratePassword(Recipe());
    if (!password) {
        m_password->clear();
        m_strength->setText("Choose at least one kind of character.");
        m_use->setEnabled(false);
        return;
    }
    m_password->setText(QString::fromLatin1(password->data(), static_cast<qsizetype>(password->size())));
    m_strength->setText(QString::fromStdString(StrengthLine(EstimateStrength(*password))));
    m_use->setEnabled(m_canUse);
}

} // namespace lk
