#pragma once

class QTextDocument;

// Whether writing the document as plain text would lose something the user sees or wrote:
// a character or paragraph format other than the document's default (its default font, black
// text, a plain left-aligned paragraph), a picture or other object, a table, a list, or
// headers, footers, notes and document information kept from an opened file. Text alone,
// with tabs and line breaks, is kept by plain text.
bool plainTextLosesContent(const QTextDocument &document);
