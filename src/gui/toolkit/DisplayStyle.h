#pragma once

#include <QColor>

class QWidget;

namespace lk {

// The two display styles of the windows: 0x8001, the light face the program
// starts with, and 0x8002, a blue-tinted face. Both are our own look on Qt's
// Fusion style.
inline constexpr int kStyleLight = 0x8001;
inline constexpr int kStyleTinted = 0x8002;

// The process-wide display style, as the bars draw it.
int CurrentDisplayStyle();
void SetCurrentDisplayStyle(int style);

// The face colour of the bars for a display style.
QColor FaceColor(int style);

// Gives the application the style's palette and the Fusion look.
void ApplyApplicationStyle(int style);
// Gives one bar (and its children) the style's face colour.
void ApplyBarFace(QWidget& bar, int style);

} // namespace lk
