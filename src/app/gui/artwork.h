#pragma once
// Pictures the program draws for itself: the start-page buttons, the splash
// window and the About box.
#include <QPixmap>
#include <QRectF>

class QPainter;

namespace trevane {

// The start-page button pictures: 0 browse, 1 search, 2 costing.
QPixmap MenuButtonPicture(int tag, int size);
// The splash picture (drawn to fill rect).
void PaintSplashPicture(QPainter& p, const QRectF& rect);
// The program's logo: a T built from a plank, a steel bar and an acrylic strip.
void PaintLogo(QPainter& p, const QRectF& rect);

// The teal of the start page and the splash panel.
inline constexpr unsigned kTeal = 0x008080;

}  // namespace trevane
