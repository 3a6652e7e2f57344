#pragma once

#include "core/editor/FormBoxes.h"
#include "core/ports/FormPort.h"
#include "gui/toolkit/CommandTarget.h"

#include <QScrollArea>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QPushButton;

namespace lk {

class AccountRecord;
class CommandRouter;
class CReaderDoc;
class GuiEdit;
class GuiTextEdit;

// The account form: six boxes for one account, the buttons New, Save, Delete
// and Login, and the reveal button beside the password. It either shows one
// account of the document's list (m_pAccount) or an empty, untitled form for a
// new account. The widgets carry their control ids as object names.
class CReaderView : public QScrollArea, public FormPort, public CommandTarget
{
    Q_OBJECT

public:
    CReaderView(CReaderDoc& document, CommandRouter& router, QWidget* parent = nullptr);
    ~CReaderView() override;

    // The reset: an empty, untitled form with a masked password box.
    void OnInitialUpdate() override;
    bool ShowAccount(AccountRecord* record) override;
    bool OnCommand(int id) override;
    [[nodiscard]] bool Handles(int id) const override;

    void OnNew();
    void OnSave();
    void OnDelete();
    void OnLogin();
    void OnReveal();
    // Gives the keyboard focus to the box that had it last, the Account box at first.
    void FocusForm();
    // How much wider and taller the form's area would have to be to show the
    // whole form without scroll bars; nothing when it fits.
    QSize MissingRoom() const;
    // Tools > Generate Password... and the button beside the password box.
    void OnGeneratePassword();
    // Puts a password into the password box, revealed and editable; Save stores
    // it by the usual rules.
    void UsePassword(const QString& password);
    // The strength line under a revealed password box, and the Caps Lock warning
    // in an editable one (for tests: what they show now).
    QLabel* StrengthLine() const { return m_strengthLabel; }
    QAction* CapsLockWarning() const { return m_capsLockWarning; }
    // Shows or hides the strength line and the Caps Lock warning as the box stands.
    void UpdatePasswordNotes();
    void OnEditUndo();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();

    CReaderDoc& GetDocument() const { return m_document; }
    AccountRecord* ShownAccount() const { return m_pAccount; }
    bool IsPasswordHidden() const { return m_bPasswordHidden; }
    // The six boxes as every read of the form takes them, cut to their limits.
    FormBoxes ReadBoxes() const;

signals:
    // The document's title changed ("Untitled" or the account's name).
    void TitleChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One of the six boxes, as the Edit commands see it.
    struct EditBox
    {
        GuiEdit* line = nullptr;
        GuiTextEdit* text = nullptr;
    };

    void BuildControls();
    void SetDocumentTitle(std::u16string title);
    void ApplyPasswordState();
    void MaskPassword();
    void SetSlotLabel(QLabel* label, std::string_view slotLabel);
    // The shown record, if it is still one of the document's list.
    AccountRecord* ShownRecordInList() const;
    std::vector<EditBox> EditOrder() const;

    CReaderDoc& m_document;
    CommandRouter& m_router;

    AccountRecord* m_pAccount = nullptr;
    bool m_bPasswordHidden = true;

    GuiEdit* m_accountBox = nullptr;
    GuiEdit* m_urlBox = nullptr;
    GuiEdit* m_userNameBox = nullptr;
    GuiEdit* m_accountIdBox = nullptr;
    GuiEdit* m_passwordBox = nullptr;
    GuiTextEdit* m_commentBox = nullptr;
    QPushButton* m_newButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_loginButton = nullptr;
    QPushButton* m_revealButton = nullptr;
    QPushButton* m_generateButton = nullptr;
    QLabel* m_strengthLabel = nullptr;
    QAction* m_capsLockWarning = nullptr;
    QLabel* m_userNameLabel = nullptr;
    QLabel* m_accountIdLabel = nullptr;
    QLabel* m_passwordLabel = nullptr;
};

} // namespace lk
