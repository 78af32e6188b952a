#include "survey_pictures.h"

#include <QByteArray>
#include <QImage>
#include <QResource>
#include <QString>

#include "dib_image.h"

namespace tavro::qt {
namespace {

// The bytes of a compiled-in resource: stored uncompressed, in place.
QByteArray resource_bytes(const QString& name) {
  return QResource(name).uncompressedData();
}

}  // namespace

QIcon survey_window_icon() {
  QIcon icon;
  for (const QImage& image : decode_ico_file(resource_bytes(QStringLiteral(":/tavro.ico")))) {
    icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

QPixmap survey_logo() {
  return QPixmap::fromImage(decode_bmp_file(resource_bytes(QStringLiteral(":/image1.bmp"))));
}

}  // namespace tavro::qt
