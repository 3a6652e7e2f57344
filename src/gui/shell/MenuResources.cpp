#include "gui/shell/MenuResources.h"

#include "gui/toolkit/CommandIds.h"

#include <array>
#include <utility>

namespace lk {

namespace {

constexpr MenuItem kSeparator{};

std::vector<MenuItem> ViewItems()
{
    return {{"&Account Explorer       ", cmd::kToggleExplorer}, kSeparator, {"&Status Bar", cmd::kViewStatusBar}};
}

// The commands added to the historic menus, in a menu of their own before Help.
std::vector<MenuItem> ToolsItems()
{
    return {{"&Find\tCtrl+F", cmd::kFind},
            kSeparator,
            {"Copy &User Name\tCtrl+B", cmd::kCopyUserName},
            {"Copy &Password\tCtrl+Shift+C", cmd::kCopyPassword},
            {"Copy U&RL\tCtrl+Shift+U", cmd::kCopyUrl},
            kSeparator,
            {"&Generate Password...", cmd::kGeneratePassword},
            kSeparator,
            {"&Export CSV...", cmd::kExportCsv},
            kSeparator,
            {"Protect with &Master Password...", cmd::kProtectStore},
            {"C&hange Master Password...", cmd::kChangeMasterPassword},
            {"Remo&ve Protection...", cmd::kRemoveProtection},
            kSeparator,
            {"&Lock\tCtrl+L", cmd::kLock}};
}

std::vector<MenuItem> HelpItems()
{
    return {{"&Help Index", cmd::kHelpIndex}, kSeparator, {"&About LedgerKeeper", cmd::kAppAbout}};
}

// The part of the File and Account menus that both share: everything after
// their Printing Format item.
std::vector<MenuItem> WithSetupTransferAndExit(std::vector<MenuItem> items)
{
    items.insert(items.end(), {{"P&rint Setup...", cmd::kFilePrintSetup},
                               kSeparator,
                               {"Import...", cmd::kImport},
                               {"Export...", cmd::kExport},
                               kSeparator,
                               {"E&xit", cmd::kAppExit}});
    return items;
}

std::vector<MenuPopup> MainFrameMenu()
{
    return {
        {"&File", WithSetupTransferAndExit({{"&New\tCtrl+N", cmd::kFileNew},
                                            {"&Open...\tCtrl+O", cmd::kFileOpen},
                                            kSeparator,
                                            {"&Printing Format", cmd::kPrintingFormat}})},
        {"&View", ViewItems()},
        {"&Tools", ToolsItems()},
        {"&Help", HelpItems()},
    };
}

std::vector<MenuPopup> AccountWindowMenu()
{
    return {
        {"&Account", WithSetupTransferAndExit({{"&New", cmd::kAccountNew},
                                               {"&Delete", cmd::kAccountDelete},
                                               {"&Save", cmd::kAccountSave},
                                               kSeparator,
                                               {"&Login", cmd::kAccountLogin},
                                               kSeparator,
                                               {"&Printing Format...", cmd::kPrintingFormat}})},
        {"&Edit",
         {{"&Undo\tCtrl+Z", cmd::kEditUndo},
          kSeparator,
          {"Cu&t\tCtrl+X", cmd::kEditCut},
          {"&Copy\tCtrl+C", cmd::kEditCopy},
          {"&Paste\tCtrl+V", cmd::kEditPaste}}},
        {"&View", ViewItems()},
        {"&Tools", ToolsItems()},
        {"&Help", HelpItems()},
    };
}

constexpr std::array<std::pair<int, std::string_view>, 33> kPrompts{{
    {cmd::kFileNew, "Create a new document\nNew"},
    {cmd::kFileOpen, "Open an existing document\nOpen"},
    {cmd::kPrintingFormat, "List account in printing format\nPrinting format"},
    {cmd::kFilePrintSetup, "Change the printer and printing options\nPrint Setup"},
    {cmd::kExport, "Export all accounts into a file\nExporting"},
    {cmd::kAppExit, "Quit the application; prompts to save documents\nExit"},
    {cmd::kToggleExplorer, "List all accounts\nAccount List"},
    {cmd::kViewStatusBar, "Show or hide the status bar\nToggle StatusBar"},
    {cmd::kHelpIndex, "Explorer Online Helper\nOnline Helper"},
    {cmd::kAppAbout, "Display program information, version number and copyright\nAbout"},
    {cmd::kAccountSave, "Save an account\nSave"},
    {cmd::kAccountDelete, "Delete an account\nDelete"},
    {cmd::kAccountNew, "Create new account\nNew account"},
    {cmd::kAccountLogin, "Login an account\nLogin"},
    {cmd::kEditUndo, "Undo the last action\nUndo"},
    {cmd::kEditCut, "Cut the selection and put it on the Clipboard\nCut"},
    {cmd::kEditCopy, "Copy the selection and put it on the Clipboard\nCopy"},
    {cmd::kEditPaste, "Insert Clipboard contents\nPaste"},
    {cmd::kStyle8001, "Show xp theme\nXP theme"},
    {cmd::kStyle8002, "Show xp theme\nXP theme"},
    {cmd::kFileSave, "Save the active document\nSave"},
    {cmd::kNextPane, "Switch to the next window pane\nNext Pane"},
    {cmd::kPrevPane, "Switch back to the previous window pane\nPrevious Pane"},
    {cmd::kFind, "Show only the accounts whose name, URL or user name contains a text\nFind"},
    {cmd::kCopyUserName, "Copy the account's user name to the Clipboard\nCopy User Name"},
    {cmd::kCopyPassword, "Copy the account's password to the Clipboard, cleared again soon\nCopy Password"},
    {cmd::kCopyUrl, "Copy the account's URL to the Clipboard\nCopy URL"},
    {cmd::kGeneratePassword, "Make a new random password\nGenerate Password"},
    {cmd::kExportCsv, "Export all accounts into a CSV file for a browser or another password keeper\nExport CSV"},
    {cmd::kProtectStore, "Encrypt every account file under a master password\nProtect with Master Password"},
    {cmd::kChangeMasterPassword, "Change the master password of the protected store\nChange Master Password"},
    {cmd::kRemoveProtection, "Write every account file without encryption again\nRemove Protection"},
    {cmd::kLock, "Hide every account until the master password is given again\nLock"},
}};

constexpr std::array<Accelerator, 15> kAccelerators{{
    {"Ctrl+N", cmd::kFileNew},
    {"Ctrl+O", cmd::kFileOpen},
    {"Ctrl+P", cmd::kPrintingFormat},
    {"Ctrl+S", cmd::kFileSave},
    {"Alt+Backspace", cmd::kEditUndo},
    {"Shift+Del", cmd::kEditCut},
    {"F6", cmd::kNextPane},
    {"Shift+F6", cmd::kPrevPane},
    {"Ctrl+Ins", cmd::kEditCopy},
    {"Shift+Ins", cmd::kEditPaste},
    {"Ctrl+F", cmd::kFind},
    {"Ctrl+B", cmd::kCopyUserName},
    {"Ctrl+Shift+C", cmd::kCopyPassword},
    {"Ctrl+Shift+U", cmd::kCopyUrl},
    {"Ctrl+L", cmd::kLock},
}};

} // namespace

std::vector<MenuPopup> MenuResource(int resourceId)
{
    return resourceId == kAccountWindowMenu ? AccountWindowMenu() : MainFrameMenu();
}

std::string_view CommandPrompt(int id)
{
    for (const auto& [command, prompt] : kPrompts) {
        if (command == id) {
            return prompt;
        }
    }
    return {};
}

std::span<const Accelerator> MainAccelerators()
{
    return kAccelerators;
}

} // namespace lk
