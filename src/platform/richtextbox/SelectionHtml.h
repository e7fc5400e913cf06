#pragma once

#include <QString>

#include <memory>

class QTextCursor;
class QTextDocument;

// The selection as HTML, for the programs that take HTML but not RTF (mail programs, browsers,
// web editors), and HTML from such programs read back into a document.
namespace SelectionHtml {

// The clipboard's name for HTML.
inline const QString htmlFormat = QStringLiteral("text/html");

// The selection as an HTML document, as Qt writes one: character and paragraph formats, lists
// and tables. Each picture goes inline as a data: URL, so that it arrives without files beside
// it: a JPEG or PNG as its own bytes, anything else as PNG of the picture drawn.
QString fromSelection(const QTextCursor &selection);

// HTML read into a document of its own. Its pictures, given as data: URLs or local files, are
// among the document's images under names of their own (see `pictureName`), with their JPEG or
// PNG bytes kept beside them; a picture that can't be had (a web address, damaged data) is left
// out.
std::unique_ptr<QTextDocument> documentFromHtml(const QString &html);

} // namespace SelectionHtml
