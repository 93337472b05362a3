#pragma once
// Importing a photo as a material picture: any JPEG or PNG, cropped to the
// picture's proportions, scaled to the picture size and written as JPEG into the
// pictures folder under a free number.
#include <QString>

#include "materials/database.h"

namespace trevane {

struct PictureImport {
    int number = 0;  // the picture number written (0: none)
    QString error;   // why nothing was written
};

PictureImport ImportPicture(const QString& source, const QString& picsDir, const TMaterialList& materials);

}  // namespace trevane
