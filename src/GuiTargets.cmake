# The windowed program: Qt Widgets on top of the core. Included by src/CMakeLists.txt.
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets PrintSupport Network)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)

# --- Window sources (application, main frame, pane, form, toolkit stand-ins) ---
set(LK_GUI_WINDOW_SOURCES
    editor/CReaderView.cpp
    explorer/CAccountTree.cpp
    explorer/CExplorerBar.cpp
    shell/CAboutDlg.cpp
    shell/CChildFrame.cpp
    shell/CDocTemplate.cpp
    shell/CMainFrame.cpp
    shell/CReaderApp.cpp
    shell/DocumentCommands.cpp
    shell/HelpManual.cpp
    shell/MenuResources.cpp
    shell/toolkit/CommandRouter.cpp
    shell/toolkit/DialogUnits.cpp
    shell/toolkit/DisplayStyle.cpp
    shell/toolkit/FileFilter.cpp
    shell/toolkit/GuiEdit.cpp
    shell/toolkit/ListingWindow.cpp
    shell/toolkit/PrintSettings.cpp
    shell/toolkit/QtDesktopPort.cpp
    shell/toolkit/Resources.cpp
    shell/toolkit/ToolPage.cpp
    resources/ledgerkeeper.qrc
)

# --- Update check: downloads over Qt Network and settings ---
set(LK_GUI_UPDATE_SOURCES
    shell/QtDownloader.cpp
    shell/QtUpdateCheck.cpp
    shell/QtUpdateSettings.cpp
)

add_library(ledgerkeeper_gui STATIC ${LK_GUI_WINDOW_SOURCES} ${LK_GUI_UPDATE_SOURCES})
target_link_libraries(ledgerkeeper_gui PUBLIC ledgerkeeper_core Qt6::Widgets Qt6::PrintSupport Qt6::Network)

# --- The program, and what `make install` puts on the desktop ---
add_executable(ledgerkeeper shell/main.cpp)
target_link_libraries(ledgerkeeper PRIVATE ledgerkeeper_gui)
set_target_properties(ledgerkeeper PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})

install(TARGETS ledgerkeeper RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/ledgerkeeper.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16 32 48 128 256)
    install(FILES resources/icons/ledgerkeeper-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ledgerkeeper.png)
endforeach()
install(FILES resources/ledgerkeeper.html DESTINATION ${CMAKE_INSTALL_DOCDIR})
