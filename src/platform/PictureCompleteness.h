#pragma once

#include <QByteArray>

// Whether a picture file holds its whole picture. Qt's JPEG, GIF and BMP readers decode a file
// cut short without a word: the missing part comes out grey or black, the image is valid and
// QImageReader::error() says nothing (libjpeg's "premature end" only goes to the log). So the
// file's own structure is walked to its end instead:
// - JPEG: segment by segment, through the scans' coded data, to the end-of-image marker;
// - GIF: block by block; an image whose data stops inside a block is cut short (a file that
//   ends after a complete block without the trailer is whole, as many writers leave it off);
// - BMP without compression: the rows its header promises must all be there.
// Other formats, and those Qt reports itself (PNG), are taken as whole.
namespace PictureCompleteness {

// `format` as QImageReader names it ("jpeg", "gif", "bmp", ...).
bool isCutShort(const QByteArray &data, const QByteArray &format);

} // namespace PictureCompleteness
