#pragma once
// The small pictures of the pages' tool buttons, drawn by the program so that
// every page shows the same house, printer and help pictures.
#include <QIcon>

namespace trevane {

enum class ToolGlyph { House, Back, Printer, Titles, Font, Help, Transfer, Copy, DeleteRow };

// A picture of `glyph`, `size` pixels square (drawn on a 20 x 20 grid).
QIcon ToolGlyphIcon(ToolGlyph glyph, int size = 20);

}  // namespace trevane
