#pragma once

#include <QRect>

class QFont;

namespace lk {

// Converts the dialog units in which the program's forms are laid out into
// pixels of a font: a horizontal unit is a quarter of the font's average
// letter width, a vertical unit an eighth of its height.
class DialogUnits
{
public:
    explicit DialogUnits(const QFont& font);

    int X(int units) const;
    int Y(int units) const;
    QRect Rect(int x, int y, int width, int height) const;

private:
    double m_baseX = 0;
    double m_baseY = 0;
};

} // namespace lk
