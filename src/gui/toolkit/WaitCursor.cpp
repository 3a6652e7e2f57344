#include "gui/toolkit/WaitCursor.h"

#include <QApplication>
#include <QCursor>

namespace lk {

WaitCursor::WaitCursor()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

WaitCursor::~WaitCursor()
{
    QApplication::restoreOverrideCursor();
}

} // namespace lk
