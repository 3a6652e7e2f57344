#include "core/platform/MemoryTuning.h"
#include "gui/shell/CReaderApp.h"
#include "gui/shell/CommandLine.h"

#include <QApplication>
#include <iostream>

int main(int argc, char* argv[])
{
    // Before the application object: --version and --help need no display.
    if (lk::AnswerCommandLine({argv + 1, argv + argc}, std::cout) == lk::StartRequest::Answered) {
        return 0;
    }
    lk::KeepFreedMemoryForReuse();
    QApplication application(argc, argv);
    lk::CReaderApp theApp;
    if (!theApp.InitInstance()) {
        return 0;
    }
    return QApplication::exec();
}
