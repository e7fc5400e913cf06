#pragma once

class QTextDocument;

namespace TextBuffer {

// Gives back the room the document's character buffer kept for growth: a document read from a
// file grew it by doubling, which leaves up to half of it (16 MB for a 16 MB file) holding nothing.
// The next change grows it again in place.
void trim(QTextDocument &document);

} // namespace TextBuffer
