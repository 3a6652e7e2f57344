#include "gui/toolkit/DialogUnits.h"

#include <QFont>
#include <QFontMetricsF>
#include <cmath>

namespace lk {

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetricsF metrics(font);
    static const QString letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    m_baseX = metrics.horizontalAdvance(letters) / letters.size();
    m_baseY = metrics.height();
}

int DialogUnits::X(int units) const
{
    return static_cast<int>(std::lround(units * m_baseX / 4.0));
}

int DialogUnits::Y(int units) const
{
    return static_cast<int>(std::lround(units * m_baseY / 8.0));
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const
{
    return QRect(X(x), Y(y), X(width), Y(height));
}

} // namespace lk
