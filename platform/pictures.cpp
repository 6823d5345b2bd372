#include "platform/pictures.h"

#include <QImageReader>

QImage Pictures::read(const QString &path, QString *why)
{
    QImageReader reader(path);
    if (!reader.canRead()) {
        *why = reader.errorString();
        return {};
    }
    const QSize size = reader.size();
    if (size.isValid() && static_cast<qint64>(size.width()) * size.height() > kMaxPixels) {
        *why = QStringLiteral("%1x%2 pixels is more than a picture may have").arg(size.width()).arg(size.height());
        return {};
    }
    QImage image;
    if (!reader.read(&image)) {
        *why = reader.errorString();
        return {};
    }
    return image;
}
