#include "gui/toolkit/QtDesktopPort.h"

#include "core/platform/PrivateFile.h"
#include "gui/toolkit/FileFilter.h"
#include "gui/toolkit/ListingWindow.h"
#include "gui/toolkit/QtText.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

namespace lk {

namespace {

QString FromPath(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

std::filesystem::path ToPath(const QString& path)
{
    return std::filesystem::path(path.toStdString());
}

// Wildcards in the initial name only repeat the filter; a name box that shows
// them would be chosen as a file name.
bool IsPlainName(const QString& name)
{
    return !name.isEmpty() && !name.contains('*') && !name.contains('?');
}

bool AskToCreate(QWidget* owner, const QString& title, const QString& path)
{
    QMessageBox box(QMessageBox::NoIcon, title,
                    QString("%1\nThis file does not exist.\nDo you want to create it?").arg(QFileInfo(path).fileName()),
                    QMessageBox::Yes | QMessageBox::No, owner);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

QtDesktopPort::QtDesktopPort(PrintSettings& printing) : m_printing(printing) {}

QWidget* QtDesktopPort::OwnerWindow(Owner owner) const
{
    return m_ownerLookup ? m_ownerLookup(owner) : nullptr;
}

bool QtDesktopPort::AskYesNo(std::u16string_view text, std::u16string_view caption, Owner owner)
{
    QMessageBox box(QMessageBox::NoIcon, ToQString(caption), ToQString(text), QMessageBox::Yes | QMessageBox::No,
                    OwnerWindow(owner));
    box.setDefaultButton(QMessageBox::Yes);
    // A question has only Yes and No; Escape and closing the box answer No, so
    // nothing is written unless the user said Yes.
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtDesktopPort::ShowMessage(std::u16string_view text, std::u16string_view caption, Owner owner)
{
    QMessageBox box(QMessageBox::NoIcon, ToQString(caption), ToQString(text), QMessageBox::Ok, OwnerWindow(owner));
    box.exec();
}

std::optional<std::filesystem::path> QtDesktopPort::ChooseFileToOpen(const FileDialog& dialog)
{
    return ChooseFile(dialog, false);
}

std::optional<std::filesystem::path> QtDesktopPort::ChooseFileToSave(const FileDialog& dialog)
{
    return ChooseFile(dialog, true);
}

std::optional<std::filesystem::path> QtDesktopPort::ChooseFile(const FileDialog& settings, bool toSave)
{
    QWidget* owner = OwnerWindow(Owner::MainWindow);
    const QString title = toSave ? "Save As" : "Open";
    QFileDialog dialog(owner, title);
    dialog.setAcceptMode(toSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(!toSave && settings.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // An existing file is replaced without a question, as the export has always done.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    SetNameFilters(dialog, ToQString(settings.filter));
    dialog.setDefaultSuffix(ToQString(settings.defaultExtension));
    if (const QString name = ToQString(settings.initialName); IsPlainName(name)) {
        dialog.selectFile(name);
    }
    while (dialog.exec() == QDialog::Accepted) {
        const QString chosen = dialog.selectedFiles().value(0);
        if (chosen.isEmpty()) {
            continue;
        }
        const QFileInfo info(chosen);
        if (settings.pathMustExist && !info.absoluteDir().exists()) {
            ShowMessage(ToU16(QString("%1\nPath does not exist.\nCheck the path and try again.").arg(chosen)),
                        ToU16(title), Owner::MainWindow);
            continue;
        }
        if (settings.askBeforeCreating && !info.exists() && !AskToCreate(&dialog, title, chosen)) {
            continue;
        }
        return ToPath(QDir::cleanPath(info.absoluteFilePath()));
    }
    return std::nullopt;
}

bool QtDesktopPort::OpenWebAddress(std::string_view address)
{
    // The address arrives as the account holds it, 8-bit text with blanks,
    // non-ASCII letters and stray "%" left as typed. The desktop's URL handler
    // takes only a valid URL, so it is handed over percent-encoded: the tolerant
    // parse encodes blanks, non-ASCII bytes and a "%" that starts no escape
    // ("A & B" becomes "A%20&%20B"), keeps escapes already there, and turns a
    // non-ASCII host into its IDNA form. That is what a browser makes of the
    // same text typed into its address bar.
    const QUrl url =
        QUrl::fromEncoded(QByteArray(address.data(), static_cast<qsizetype>(address.size())), QUrl::TolerantMode);
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool QtDesktopPort::ShowListing(const std::filesystem::path& listingFile)
{
    const auto bytes = ReadWholeFile(listingFile);
    if (!bytes) {
        return false;
    }
    QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(bytes->data()), static_cast<qsizetype>(bytes->size()));
    text.replace("\r\n", "\n");
    ListingWindow window(text, m_printing, OwnerWindow(Owner::MainWindow));
    window.exec();
    return true;
}

bool QtDesktopPort::OpenLocalFile(const std::filesystem::path& file)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(FromPath(file)));
}

} // namespace lk
