#pragma once

class QTextDocument;
class QTextImageFormat;
class RtfOutput;

// Writes the picture that an image format refers to as a {\pict ...} group: the picture's
// original data of its own type with its own words when the document keeps them (a metafile
// stays a metafile, a JPEG a JPEG), otherwise the image drawn, as PNG, at the size it is drawn
// at. Writes nothing and returns false when the document has no such picture.
bool writeRtfPicture(const QTextDocument &document, const QTextImageFormat &format, RtfOutput &out);
