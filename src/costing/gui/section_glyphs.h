#pragma once
// Pictures of stock cross-sections for the section buttons of the costing tabs.
#include <QColor>
#include <QIcon>

namespace trevane {

// The cross-section of a section kind (1 strip, 2 square, 3 round bar or rod,
// 4 square tube, 5 round tube, 6 box section, 7 angle, 8 sheet, 9 galvanised
// sheet) drawn in outline on a transparent square of `size` pixels, filled with
// `fill` (metal grey by default). Unknown kinds give an empty picture.
QPixmap SectionGlyph(int kind, int size = 32, QColor fill = QColor(176, 184, 194));

}  // namespace trevane
