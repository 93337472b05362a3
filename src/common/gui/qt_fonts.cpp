#include "common/gui/qt_fonts.h"

namespace trevane {

QFont ToQFont(const PageFont& font) {
    QFont f(QString::fromStdString(font.name));
    f.setPixelSize(font.height > 0 ? font.height : 13);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikeOut);
    return f;
}

}  // namespace trevane
