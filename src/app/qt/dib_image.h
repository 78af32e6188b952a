// Decoding the device-independent bitmaps of the survey's own resources (a
// BMP file, the entries of an ICO file) straight into QImages: cheaper than
// Qt's image readers, which look through the image-format plugins first.
#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QList>

namespace tavro::qt {

// A BMP file: its one uncompressed bitmap of 1, 4, 8, 24 or 32 bits a pixel.
// A null image when the bytes are not such a file.
QImage decode_bmp_file(QByteArrayView file);

// An ICO file: every image it holds (bitmaps with their transparency mask;
// PNG entries through Qt's PNG reader). Empty when the bytes are not one.
QList<QImage> decode_ico_file(QByteArrayView file);

}  // namespace tavro::qt
