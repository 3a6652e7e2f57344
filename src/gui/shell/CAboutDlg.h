#pragma once

#include <QDialog>

namespace lk {

// "About LedgerKeeper": the program's icon, its name and version, and OK.
// Enter and Escape close it too.
class CAboutDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace lk
