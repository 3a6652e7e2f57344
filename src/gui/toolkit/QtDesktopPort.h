#pragma once

#include "core/ports/DesktopPort.h"

#include <functional>

class QWidget;

namespace lk {

class PrintSettings;

// The desktop as Qt offers it: message boxes with the program's exact texts and
// captions, the file dialogs, the desktop's URL handler, and the listing window.
class QtDesktopPort final : public DesktopPort
{
public:
    explicit QtDesktopPort(PrintSettings& printing);

    // The window that owns a question or message of the given owner; without
    // one the box stands on its own.
    void SetOwnerLookup(std::function<QWidget*(Owner)> lookup) { m_ownerLookup = std::move(lookup); }

    bool AskYesNo(std::u16string_view text, std::u16string_view caption, Owner owner) override;
    void ShowMessage(std::u16string_view text, std::u16string_view caption, Owner owner) override;
    std::optional<std::filesystem::path> ChooseFileToOpen(const FileDialog& dialog) override;
    std::optional<std::filesystem::path> ChooseFileToSave(const FileDialog& dialog) override;
    bool OpenWebAddress(std::string_view address) override;
    bool ShowListing(const std::filesystem::path& listingFile) override;
    bool OpenLocalFile(const std::filesystem::path& file) override;

private:
    QWidget* OwnerWindow(Owner owner) const;
    std::optional<std::filesystem::path> ChooseFile(const FileDialog& dialog, bool toSave);

    PrintSettings& m_printing;
    std::function<QWidget*(Owner)> m_ownerLookup;
};

} // namespace lk
