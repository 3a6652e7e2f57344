#pragma once

#include "gui/toolkit/CommandTarget.h"

#include <QMdiSubWindow>
#include <memory>

namespace lk {

class CommandRouter;
class CReaderDoc;
class CReaderView;
class DocumentCommands;
struct DocumentContext;

// An account window: one document with its form, shown maximised as a tab of
// the main window. Closing it closes the document, and nothing is asked: the
// form keeps no unsaved state of the store.
class CChildFrame : public QMdiSubWindow, public CommandTarget
{
    Q_OBJECT

public:
    CChildFrame(DocumentContext context, CommandRouter& router, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CReaderDoc& Document() const { return *m_document; }
    CReaderView& View() const { return *m_view; }
    CommandTarget& DocumentTarget() const;

    // The account window handles no command of its own.
    bool OnCommand(int) override { return false; }
    [[nodiscard]] bool Handles(int) const override { return false; }

signals:
    // The document's title changed.
    void TitleChanged();

private:
    void ShowTitle();

    std::unique_ptr<CReaderDoc> m_document;
    std::unique_ptr<DocumentCommands> m_documentCommands;
    CReaderView* m_view = nullptr;
};

} // namespace lk
