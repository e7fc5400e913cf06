#pragma once

class QTextDocument;
class QTextImageFormat;
class RtfOutput;

// Writes the picture that an image format refers to as a {\pict ...} group: the picture's own
// PNG or JPEG bytes when the document holds them, otherwise the image encoded as PNG, with the
// size it is drawn at. Writes nothing and returns false when the document has no such picture.
bool writeRtfPicture(const QTextDocument &document, const QTextImageFormat &format, RtfOutput &out);
