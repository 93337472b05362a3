#pragma once
// The Qt font of a font as the pages keep it (name, pixel height, style).
#include <QFont>

#include "common/user_interface.h"

namespace trevane {

QFont ToQFont(const PageFont& font);

}  // namespace trevane
