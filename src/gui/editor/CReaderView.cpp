#include "gui/editor/CReaderView.h"

#include "core/document/AccountLogin.h"
#include "core/document/AccountSave.h"
#include "core/document/CReaderDoc.h"
#include "core/password/PasswordStrength.h"
#include "core/platform/TextConversion.h"
#include "gui/editor/PasswordGeneratorDialog.h"
#include "gui/explorer/CExplorerBar.h"
#include "gui/toolkit/CapsLock.h"
#include "gui/toolkit/CommandIds.h"
#include "gui/toolkit/CommandRouter.h"
#include "gui/toolkit/DialogUnits.h"
#include "gui/toolkit/GuiEdit.h"
#include "gui/toolkit/QtText.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

namespace lk {

namespace {

// The form's size and the places of its controls, in dialog units.
constexpr int kFormWidth = 268;
constexpr int kFormHeight = 169;

struct Place
{
    int x, y, width, height;
};

constexpr Place kAccountPlace{86, 16, 75, 12};
constexpr Place kUrlPlace{86, 32, 155, 12};
constexpr Place kUserNamePlace{86, 48, 74, 12};
constexpr Place kAccountIdPlace{86, 64, 74, 12};
constexpr Place kPasswordPlace{86, 80, 75, 12};
constexpr Place kCommentPlace{86, 96, 154, 35};
constexpr Place kNewPlace{27, 139, 43, 14};
constexpr Place kSavePlace{74, 139, 43, 14};
constexpr Place kDeletePlace{120, 139, 44, 14};
constexpr Place kLoginPlace{196, 139, 45, 14};
constexpr Place kRevealPlace{164, 81, 13, 12};
// Added beside the historic controls, in the free room right of the password box.
constexpr Place kGeneratePlace{179, 81, 13, 12};
constexpr Place kStrengthPlace{194, 77, 74, 19};

struct LabelPlace
{
    const char* name;
    const char* text;
    Place place;
};

constexpr LabelPlace kAccountLabel{"AccountLabel", "Account", {26, 18, 28, 8}};
constexpr LabelPlace kUrlLabel{"UrlLabel", "URL", {26, 34, 16, 8}};
constexpr LabelPlace kUserNameLabel{"1033", "User Name", {26, 50, 54, 8}};
constexpr LabelPlace kAccountIdLabel{"1034", "Account ID", {26, 66, 53, 8}};
constexpr LabelPlace kPasswordLabel{"1035", "Password", {26, 82, 54, 8}};
constexpr LabelPlace kCommentLabel{"CommentLabel", "Comment", {26, 98, 30, 8}};

// The multi-line box hands out its line breaks as the form always did, as a
// carriage return and a line feed, so that a comment saved before compares equal.
QString CommentBoxText(const GuiTextEdit& box)
{
    QString text = box.toPlainText();
    text.replace('\n', "\r\n");
    return text;
}

// A label as the slot gives it: without leading blanks, trailing blanks kept.
QString SlotLabelText(std::string_view slotLabel)
{
    QString text = EightBitToQString(slotLabel);
    qsizetype start = 0;
    while (start < text.size() && text[start] == ' ') {
        ++start;
    }
    return text.mid(start);
}

// Whether the box has the keyboard focus of its window; the window's focus
// widget stays while a menu of the window is open or the window is inactive.
bool HoldsFocus(const QWidget* box)
{
    return box->window()->focusWidget() == box;
}

} // namespace

CReaderView::CReaderView(CReaderDoc& document, CommandRouter& router, QWidget* parent)
    : QScrollArea(parent), m_document(document), m_router(router)
{
    setObjectName("AccountForm");
    setProperty("dialogTemplate", 103);
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    BuildControls();
    // The form itself takes no focus: whoever gives it the focus (the account
    // window when it comes to the front) gives it to the Account box.
    setFocusPolicy(Qt::NoFocus);
    setFocusProxy(m_accountBox);
}

CReaderView::~CReaderView()
{
    if (m_document.m_pFormView == this) {
        m_document.m_pFormView = nullptr;
    }
}

void CReaderView::BuildControls()
{
    auto* surface = new QWidget;
    surface->setObjectName("FormSurface");
    const DialogUnits units(surface->font());
    surface->setFixedSize(units.X(kFormWidth), units.Y(kFormHeight));

    auto place = [&units](QWidget* widget, const Place& p) {
        widget->setGeometry(units.Rect(p.x, p.y, p.width, p.height));
    };
    auto makeEdit = [&](int id, const Place& p) {
        auto* box = new GuiEdit(surface);
        box->setObjectName(QString::number(id));
        place(box, p);
        return box;
    };
    auto makeButton = [&](int id, const char* text, const Place& p) {
        auto* button = new QPushButton(text, surface);
        button->setObjectName(QString::number(id));
        button->setAutoDefault(false);
        place(button, p);
        connect(button, &QPushButton::clicked, this, [this, id] { m_router.RouteFrom(*this, id); });
        return button;
    };
    auto makeLabel = [&](const LabelPlace& l) {
        auto* label = new QLabel(l.text, surface);
        label->setObjectName(l.name);
        QRect rect = units.Rect(l.place.x, l.place.y, l.place.width, l.place.height);
        // The run-time texts ("User Name:") may be wider than the template's place.
        rect.setWidth(std::max(rect.width(), units.X(kAccountPlace.x - l.place.x - 2)));
        rect.setHeight(std::max(rect.height(), label->sizeHint().height()));
        label->setGeometry(rect);
        return label;
    };

    // Created in the tab order of the form.
    m_accountBox = makeEdit(ctl::kAccountBox, kAccountPlace);
    m_urlBox = makeEdit(ctl::kUrlBox, kUrlPlace);
    m_userNameBox = makeEdit(ctl::kUserNameBox, kUserNamePlace);
    m_accountIdBox = makeEdit(ctl::kAccountIdBox, kAccountIdPlace);
    m_passwordBox = makeEdit(ctl::kPasswordBox, kPasswordPlace);
    m_commentBox = new GuiTextEdit(surface);
    m_commentBox->setObjectName(QString::number(ctl::kCommentBox));
    place(m_commentBox, kCommentPlace);
    m_newButton = makeButton(cmd::kAccountNew, "&New", kNewPlace);
    m_saveButton = makeButton(cmd::kAccountSave, "&Save", kSavePlace);
    m_deleteButton = makeButton(cmd::kAccountDelete, "&Delete", kDeletePlace);
    m_loginButton = makeButton(cmd::kAccountLogin, "&Login", kLoginPlace);
    makeLabel(kAccountLabel);
    makeLabel(kUrlLabel);
    m_userNameLabel = makeLabel(kUserNameLabel);
    m_accountIdLabel = makeLabel(kAccountIdLabel);
    m_passwordLabel = makeLabel(kPasswordLabel);
    makeLabel(kCommentLabel);
    m_revealButton = makeButton(cmd::kRevealPassword, "...", kRevealPlace);
    m_revealButton->setToolTip("Show or hide the password");
    m_generateButton = makeButton(cmd::kGeneratePassword, "", kGeneratePlace);
    m_generateButton->setObjectName("GeneratePasswordButton");
    m_generateButton->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    m_generateButton->setToolTip("Generate a password");

    m_strengthLabel = new QLabel(surface);
    m_strengthLabel->setObjectName("PasswordStrength");
    QFont small = m_strengthLabel->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    m_strengthLabel->setFont(small);
    m_strengthLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    place(m_strengthLabel, kStrengthPlace);
    m_strengthLabel->hide();

    m_capsLockWarning =
        m_passwordBox->addAction(style()->standardIcon(QStyle::SP_MessageBoxWarning), QLineEdit::TrailingPosition);
    m_capsLockWarning->setObjectName("CapsLockWarning");
    m_capsLockWarning->setToolTip("Caps Lock is on");
    m_capsLockWarning->setVisible(false);
    m_passwordBox->installEventFilter(this);
    connect(m_passwordBox, &QLineEdit::textChanged, this, &CReaderView::UpdatePasswordNotes);

    QWidget* order[] = {m_accountBox, m_urlBox,     m_userNameBox,  m_accountIdBox, m_passwordBox,  m_commentBox,
                        m_newButton,  m_saveButton, m_deleteButton, m_loginButton,  m_revealButton, m_generateButton};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        QWidget::setTabOrder(order[i], order[i + 1]);
    }
    setWidget(surface);
}

void CReaderView::SetDocumentTitle(std::u16string title)
{
    m_document.SetTitle(std::move(title));
    emit TitleChanged();
}

void CReaderView::ApplyPasswordState()
{
    m_passwordBox->setReadOnly(m_bPasswordHidden);
    m_passwordBox->setEchoMode(m_bPasswordHidden ? QLineEdit::Password : QLineEdit::Normal);
    UpdatePasswordNotes();
}

void CReaderView::UpdatePasswordNotes()
{
    // A masked box shows nothing about the password it holds.
    const bool revealed = !m_bPasswordHidden;
    const QString password = m_passwordBox->text();
    if (revealed && !password.isEmpty()) {
        const PasswordStrength strength = EstimateStrength(ToEightBit(ToU16(password)));
        m_strengthLabel->setText(QString("Strength: %1\nabout 10^%2 guesses")
                                     .arg(QString::fromLatin1(RatingWord(strength.rating).data()))
                                     .arg(strength.GuessesExponent()));
        m_strengthLabel->show();
    } else {
        m_strengthLabel->clear();
        m_strengthLabel->hide();
    }
    m_capsLockWarning->setVisible(revealed && IsCapsLockOn());
}

bool CReaderView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_passwordBox && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
                                     event->type() == QEvent::FocusIn)) {
        m_capsLockWarning->setVisible(!m_bPasswordHidden && IsCapsLockOn());
    }
    return QScrollArea::eventFilter(watched, event);
}

void CReaderView::OnGeneratePassword()
{
    PasswordGeneratorDialog dialog(true, this);
    if (dialog.exec() == QDialog::Accepted) {
        UsePassword(dialog.Password());
    }
}

void CReaderView::UsePassword(const QString& password)
{
    if (password.isEmpty()) {
        return;
    }
    m_passwordBox->setText(password);
    m_bPasswordHidden = false;
    ApplyPasswordState();
    widget()->repaint();
}

void CReaderView::MaskPassword()
{
    m_bPasswordHidden = true;
    ApplyPasswordState();
}

void CReaderView::OnInitialUpdate()
{
    m_bPasswordHidden = true;
    m_document.m_pFormView = this;
    SetDocumentTitle(u"Untitled");
    const std::pair<QPushButton*, const char*> buttons[] = {
        {m_deleteButton, "&Delete"}, {m_saveButton, "&Save"}, {m_newButton, "&New"}, {m_loginButton, "&Login"}};
    for (const auto& [button, caption] : buttons) {
        button->setText(caption);
        button->setEnabled(true);
    }
    // Emptied as the program shows values, so that Undo finds nothing to bring back.
    for (GuiEdit* box : {m_accountBox, m_urlBox, m_userNameBox, m_accountIdBox, m_passwordBox}) {
        box->ShowValue(QString());
    }
    m_commentBox->ShowValue(QString());
    ApplyPasswordState();
    m_userNameLabel->setText("User Name");
    m_accountIdLabel->setText("Account ID");
    m_passwordLabel->setText("Password");
    if (g_pExplorerBar != nullptr) {
        g_pExplorerBar->ClearSelection();
    }
    m_pAccount = nullptr;
    widget()->update();
}

void CReaderView::SetSlotLabel(QLabel* label, std::string_view slotLabel)
{
    if (const QString text = SlotLabelText(slotLabel); !text.isEmpty()) {
        label->setText(text);
    }
}

bool CReaderView::ShowAccount(AccountRecord* record)
{
    m_pAccount = record;
    if (record == nullptr) {
        return false;
    }
    SetDocumentTitle(record->AccountName.str());
    const FormBoxes shown = ShownBoxes(*record);
    m_accountBox->ShowValue(ToQString(shown.account));
    m_urlBox->ShowValue(ToQString(shown.url));
    m_userNameLabel->setText("User Name:");
    m_accountIdLabel->setText("Account ID:");
    m_passwordLabel->setText("Password:");
    MaskPassword();

    // A slot in use carries its own label; the boxes of slots beyond SlotCount
    // are empty (ShownBoxes) and keep the default label.
    const std::uint32_t slotCount = record->SlotCount;
    const auto& slot = record->Slots;
    if (slotCount >= 3) {
        SetSlotLabel(m_accountIdLabel, slot[kAccountIdSlot].Label.view());
    }
    if (slotCount >= 2) {
        SetSlotLabel(m_userNameLabel, slot[kUserNameSlot].Label.view());
    }
    if (slotCount >= 1) {
        SetSlotLabel(m_passwordLabel, slot[kPasswordSlot].Label.view());
    }
    m_accountIdBox->ShowValue(ToQString(shown.accountId));
    m_userNameBox->ShowValue(ToQString(shown.userName));
    m_passwordBox->ShowValue(ToQString(shown.password));
    m_commentBox->ShowValue(ToQString(shown.comment));
    widget()->repaint();
    return true;
}

void CReaderView::FocusForm()
{
    QWidget* last = widget()->focusWidget();
    (last != nullptr ? last : m_accountBox)->setFocus(Qt::OtherFocusReason);
}

QSize CReaderView::MissingRoom() const
{
    const QSize room = maximumViewportSize();
    const QSize form = widget()->size();
    return {std::max(0, form.width() - room.width()), std::max(0, form.height() - room.height())};
}

void CReaderView::OnReveal()
{
    m_bPasswordHidden = !m_bPasswordHidden;
    ApplyPasswordState();
    widget()->repaint();
}

FormBoxes CReaderView::ReadBoxes() const
{
    FormBoxes boxes;
    boxes.account = ToU16(m_accountBox->text());
    boxes.url = ToU16(m_urlBox->text());
    boxes.userName = ToU16(m_userNameBox->text());
    boxes.accountId = ToU16(m_accountIdBox->text());
    boxes.password = ToU16(m_passwordBox->text());
    boxes.comment = ToU16(CommentBoxText(*m_commentBox));
    return ApplyReadLimits(std::move(boxes));
}

AccountRecord* CReaderView::ShownRecordInList() const
{
    // Every path that empties the list resets the form first; this only makes sure.
    if (m_pAccount == nullptr || m_document.Accounts().IndexOf(m_pAccount) < 0) {
        return nullptr;
    }
    return m_pAccount;
}

void CReaderView::OnNew()
{
    OnInitialUpdate();
}

void CReaderView::OnSave()
{
    const SaveOutcome outcome = SaveFormAccount(m_document, ShownRecordInList(), [this] { return ReadBoxes(); });
    if (!ResetsForm(outcome)) {
        return;
    }
    MaskPassword();
    OnInitialUpdate();
    m_document.RefreshAccounts();
}

void CReaderView::OnDelete()
{
    if (AccountRecord* shown = ShownRecordInList()) {
        // The record may be destroyed here; the form lets go of it in the reset below.
        // The explorer is reloaded whatever the answer; a failure has been shown.
        static_cast<void>(m_document.DeleteAccount(shown));
        m_document.RefreshAccounts();
    }
    OnInitialUpdate();
}

void CReaderView::OnLogin()
{
    // Every outcome leaves the form as it is but for the masked password; a
    // failed save has been shown.
    static_cast<void>(LoginAccount(m_document, ShownRecordInList(), ReadBoxes()));
    MaskPassword();
    widget()->repaint();
}

std::vector<CReaderView::EditBox> CReaderView::EditOrder() const
{
    return {{nullptr, m_commentBox},  {m_userNameBox, nullptr}, {m_accountIdBox, nullptr},
            {m_passwordBox, nullptr}, {m_urlBox, nullptr},      {m_accountBox, nullptr}};
}

void CReaderView::OnEditUndo()
{
    for (const EditBox& box : EditOrder()) {
        if (box.line != nullptr && HoldsFocus(box.line) && box.line->isUndoAvailable()) {
            box.line->undo();
        } else if (box.text != nullptr && HoldsFocus(box.text) && box.text->document()->isUndoAvailable()) {
            box.text->undo();
        }
    }
}

void CReaderView::OnEditCut()
{
    for (const EditBox& box : EditOrder()) {
        if (box.line != nullptr) {
            // A read-only box gives its selection but keeps its text; a masked
            // password box gives nothing at all.
            if (box.line->echoMode() != QLineEdit::Normal) {
                continue;
            }
            box.line->isReadOnly() ? box.line->copy() : box.line->cut();
        } else {
            box.text->cut();
        }
    }
}

void CReaderView::OnEditCopy()
{
    for (const EditBox& box : EditOrder()) {
        if (box.line != nullptr) {
            if (box.line->echoMode() == QLineEdit::Normal) {
                box.line->copy();
            }
        } else {
            box.text->copy();
        }
    }
}

void CReaderView::OnEditPaste()
{
    for (const EditBox& box : EditOrder()) {
        if (box.line != nullptr && HoldsFocus(box.line) && !box.line->isReadOnly()) {
            box.line->paste();
        } else if (box.text != nullptr && HoldsFocus(box.text)) {
            box.text->paste();
        }
    }
}

bool CReaderView::Handles(int id) const
{
    // The form's commands have no enabling rule: all of them are available
    // whenever the form is the active view.
    constexpr int kCommands[] = {cmd::kAccountNew,   cmd::kAccountSave,    cmd::kFileSave,        cmd::kAccountDelete,
                                 cmd::kAccountLogin, cmd::kRevealPassword, cmd::kEditUndo,        cmd::kEditCut,
                                 cmd::kEditCopy,     cmd::kEditPaste,      cmd::kGeneratePassword};
    return std::find(std::begin(kCommands), std::end(kCommands), id) != std::end(kCommands);
}

bool CReaderView::OnCommand(int id)
{
    switch (id) {
    case cmd::kAccountNew:
        OnNew();
        return true;
    case cmd::kAccountSave:
    case cmd::kFileSave: // Ctrl+S saves the account in the form
        OnSave();
        return true;
    case cmd::kAccountDelete:
        OnDelete();
        return true;
    case cmd::kAccountLogin:
        OnLogin();
        return true;
    case cmd::kRevealPassword:
        OnReveal();
        return true;
    case cmd::kGeneratePassword:
        OnGeneratePassword();
        return true;
    case cmd::kEditUndo:
        OnEditUndo();
        return true;
    case cmd::kEditCut:
        OnEditCut();
        return true;
    case cmd::kEditCopy:
        OnEditCopy();
        return true;
    case cmd::kEditPaste:
        OnEditPaste();
        return true;
    default:
        return false;
    }
}

} // namespace lk
