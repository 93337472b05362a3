#pragma once
// The program's own cursors, drawn at first use: HANDPNT (a pointing hand, over
// GridC and the start-page buttons) and MAGNIFY (a magnifier, over the preview).
#include <QCursor>

namespace trevane {

QCursor HandCursor();
QCursor MagnifyCursor();

}  // namespace trevane
