#include "gui/shell/CAboutDlg.h"

#include "gui/toolkit/DialogUnits.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace lk {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName("AboutBox");
    setWindowTitle("About LedgerKeeper");
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    const DialogUnits units(font());

    auto* icon = new QLabel(this);
    icon->setObjectName("AboutIcon");
    const QRect iconPlace = units.Rect(8, 15, 20, 20);
    const int side = std::min(iconPlace.width(), iconPlace.height());
    icon->setPixmap(QIcon(":/ledgerkeeper/icons/ledgerkeeper-48.png").pixmap(side, side));
    icon->setGeometry(QRect(iconPlace.topLeft(), QSize(side, side)));

    auto* text = new QLabel("LedgerKeeper Version 1.8", this);
    text->setObjectName("AboutText");
    text->setTextFormat(Qt::PlainText);
    QRect textPlace = units.Rect(40, 10, 118, 8);
    textPlace.setHeight(std::max(textPlace.height(), text->sizeHint().height()));
    text->setGeometry(textPlace);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("1");
    ok->setDefault(true);
    ok->setGeometry(units.Rect(178, 7, 50, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(units.X(235), units.Y(55));
}

} // namespace lk
