# The windowed program: Qt Widgets on top of the core. Included by src/CMakeLists.txt.
find_package(Qt6 REQUIRED COMPONENTS Core Gui Widgets PrintSupport Network)
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)

# --- Window sources (application, main frame, pane, form, toolkit stand-ins) ---
set(LK_GUI_WINDOW_SOURCES
)

# --- Update check: downloads over Qt Network and settings ---
set(LK_GUI_UPDATE_SOURCES
    shell/QtUpdateCheck.cpp
)

add_library(ledgerkeeper_gui STATIC ${LK_GUI_WINDOW_SOURCES} ${LK_GUI_UPDATE_SOURCES})
target_link_libraries(ledgerkeeper_gui PUBLIC ledgerkeeper_core Qt6::Widgets Qt6::PrintSupport Qt6::Network)
