#include "survey_pictures.h"

#include <QImage>
#include <QImageReader>
#include <QString>

namespace tavro::qt {
namespace {

// A reader for a resource whose format is known: Qt neither guesses it from
// the name or the bytes nor asks each image plugin whether it can read it,
// which would load them all. BMP is decoded by Qt itself; ICO by its one plugin.
void fix_format(QImageReader& reader) {
  reader.setAutoDetectImageFormat(false);
  reader.setDecideFormatFromContent(false);
}

}  // namespace

QIcon survey_window_icon() {
  QImageReader reader(QStringLiteral(":/tavro.ico"), "ico");
  fix_format(reader);
  QIcon icon;
  const int sizes = reader.imageCount();
  for (int size = 0; size < sizes && reader.jumpToImage(size); ++size) {
    icon.addPixmap(QPixmap::fromImage(reader.read()));
  }
  return icon;
}

QPixmap survey_logo() {
  QImageReader reader(QStringLiteral(":/image1.bmp"), "bmp");
  fix_format(reader);
  return QPixmap::fromImage(reader.read());
}

}  // namespace tavro::qt
