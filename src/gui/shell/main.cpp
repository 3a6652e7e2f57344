#include "core/platform/MemoryTuning.h"
#include "gui/shell/CReaderApp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    lk::KeepFreedMemoryForReuse();
    QApplication application(argc, argv);
    lk::CReaderApp theApp;
    if (!theApp.InitInstance()) {
        return 0;
    }
    return QApplication::exec();
}
