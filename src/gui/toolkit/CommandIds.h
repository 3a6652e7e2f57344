#pragma once

namespace lk::cmd {

// Every command the menus, accelerators and buttons issue. The numbers are the
// program's historic command ids: the account form's buttons share theirs with
// the Account menu and the explorer pane's toolbars, so one handler serves all three.

// File and application.
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kPrintingFormat = 57607;
inline constexpr int kImport = 32809;
inline constexpr int kExport = 32810;
inline constexpr int kAppExit = 57665;
inline constexpr int kAppAbout = 57664;

// View.
inline constexpr int kToggleExplorer = 32791;
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kStyle8001 = 32795;
inline constexpr int kStyle8002 = 32796;

// Help.
inline constexpr int kHelpIndex = 57670;
inline constexpr int kHelpFinder = 57667;
inline constexpr int kContextHelp = 57669;
inline constexpr int kDefaultHelp = 57671;

// The account form's commands.
inline constexpr int kAccountSave = 1028;
inline constexpr int kAccountDelete = 1030;
inline constexpr int kAccountNew = 1031;
inline constexpr int kAccountLogin = 1040;
inline constexpr int kRevealPassword = 1001;

// Edit.
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditPaste = 57637;

// Window.
inline constexpr int kNextPane = 57680;
inline constexpr int kPrevPane = 57681;

// Tools: the commands added beside the historic menus, in the Tools menu, on the
// trees' context menu and on their shortcuts.
inline constexpr int kFind = 33100;
inline constexpr int kCopyUserName = 33101;
inline constexpr int kCopyPassword = 33102;
inline constexpr int kCopyUrl = 33103;
inline constexpr int kGeneratePassword = 33104;
inline constexpr int kExportCsv = 33110;
inline constexpr int kProtectStore = 33111;
inline constexpr int kChangeMasterPassword = 33112;
inline constexpr int kRemoveProtection = 33113;
inline constexpr int kLock = 33114;

} // namespace lk::cmd

namespace lk::ctl {

// Control ids of the account form; the widgets carry them as object names.
inline constexpr int kAccountBox = 1020;
inline constexpr int kUrlBox = 1021;
inline constexpr int kUserNameBox = 1039;
inline constexpr int kAccountIdBox = 1025;
inline constexpr int kPasswordBox = 1027;
inline constexpr int kCommentBox = 1037;
inline constexpr int kUserNameLabel = 1033;
inline constexpr int kAccountIdLabel = 1034;
inline constexpr int kPasswordLabel = 1035;

// Control ids of the explorer pane.
inline constexpr int kExplorerPane = 2454;
inline constexpr int kAlphabetTree = 1;
inline constexpr int kFrequencyTree = 2;
inline constexpr int kPaneTabs = 39321;

} // namespace lk::ctl
