#pragma once
// The 20 × 20 pictograms of the property list rows, addressed by row code:
// 1..49 the properties, 100..106 the identity rows (name, origin, hardwood or
// softwood, composition, melting point, other name, chemical name).
#include <QPixmap>
#include <vector>

namespace trevane {

constexpr int kPropertyIconSize = 20;

// The icon of a row code, drawn once and kept. Unknown codes give a plain
// grey dot, so a row always has something in front of it.
QPixmap PropertyIcon(int code);

// Every row code that has its own icon, in ascending order.
std::vector<int> PropertyIconCodes();

}  // namespace trevane
