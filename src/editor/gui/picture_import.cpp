#include "editor/gui/picture_import.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include "editor/pictures.h"
#include "common/errors.h"
#include "common/file_io.h"

namespace trevane {

PictureImport ImportPicture(const QString& source, const QString& picsDir, const TMaterialList& materials) {
    PictureImport result;
    QImageReader reader(source);
    reader.setAutoTransform(true);  // photos from a phone stand the right way up
    const QByteArray format = reader.format();
    if (format != "jpeg" && format != "png") {
        result.error = source + " is not a JPEG or PNG picture.";
        return result;
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        result.error = source + " cannot be read: " + reader.errorString();
        return result;
    }
    const CropRect crop = PictureCrop(image.width(), image.height());
    const QImage picture = image.copy(crop.x, crop.y, crop.width, crop.height)
                               .scaled(kPictureWidth, kPictureHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                               .convertToFormat(QImage::Format_RGB888);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    if (!writer.write(picture)) {
        result.error = "The picture cannot be made into a JPEG: " + writer.errorString();
        return result;
    }
    if (!QDir().mkpath(picsDir)) {
        result.error = "The pictures folder " + picsDir + " cannot be made.";
        return result;
    }
    const int number = FreePictureNumber(picsDir.toStdString(), materials);
    try {
        WriteFileAtomically(PicturePath(picsDir.toStdString(), number),
                            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    } catch (const EQelError& e) {
        result.error = QString::fromStdString(e.what());
        return result;
    }
    result.number = number;
    return result;
}

}  // namespace trevane
