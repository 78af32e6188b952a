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

// An ICO file: its bitmaps, with their transparency masks. Entries stored
// as PNG (by custom only the 256-pixel one, for Windows' large views) are
// left out: decoding one takes Qt's image readers, which cost the survey
// more than its whole load sequence, and an X11 window manager scales the
// largest bitmap where it wants more. Empty when the bytes are not an ICO.
QList<QImage> decode_ico_file(QByteArrayView file);

}  // namespace tavro::qt
