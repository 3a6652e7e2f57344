#include "gui/toolkit/DisplayStyle.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace lk {

namespace {

int g_displayStyle = kStyleLight;

QPalette StylePalette(int style)
{
    QPalette palette;
    const QColor face = FaceColor(style);
    palette.setColor(QPalette::Window, face);
    palette.setColor(QPalette::Button, face.lighter(103));
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::AlternateBase, QColor("#f5f8fb"));
    palette.setColor(QPalette::WindowText, QColor("#1f2a36"));
    palette.setColor(QPalette::Text, QColor("#1f2a36"));
    palette.setColor(QPalette::ButtonText, QColor("#1f2a36"));
    palette.setColor(QPalette::Highlight, QColor("#2f7fc1"));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor("#9cc3e6"));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, QColor("#1f2a36"));
    palette.setColor(QPalette::ToolTipBase, QColor("#fffbe6"));
    palette.setColor(QPalette::ToolTipText, QColor("#1f2a36"));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor("#8a96a3"));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor("#8a96a3"));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor("#8a96a3"));
    return palette;
}

} // namespace

int CurrentDisplayStyle()
{
    return g_displayStyle;
}

void SetCurrentDisplayStyle(int style)
{
    g_displayStyle = style;
}

QColor FaceColor(int style)
{
    return style == kStyleTinted ? QColor("#dfe8f3") : QColor("#eef1f4");
}

void ApplyApplicationStyle(int style)
{
    if (QStyle* fusion = QStyleFactory::create("Fusion")) {
        QApplication::setStyle(fusion);
    }
    QApplication::setPalette(StylePalette(style));
}

void ApplyBarFace(QWidget& bar, int style)
{
    QPalette palette = bar.palette();
    palette.setColor(QPalette::Window, FaceColor(style));
    bar.setPalette(palette);
    bar.setAutoFillBackground(true);
}

} // namespace lk
