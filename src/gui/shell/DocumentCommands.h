#pragma once

#include "gui/toolkit/CommandTarget.h"

namespace lk {

class CReaderDoc;

// The commands that the document answers in the window: Import, Export,
// Export CSV, Printing Format and its own Help. They are offered to the document after
// the form and before the account window.
class DocumentCommands final : public CommandTarget
{
public:
    explicit DocumentCommands(CReaderDoc& document) : m_document(document) {}

    bool OnCommand(int id) override;
    [[nodiscard]] bool Handles(int id) const override;
    void OnDocHelp();

private:
    CReaderDoc& m_document;
};

} // namespace lk
