#pragma once

#include <QTextFormat>

// A field other than a plain hyperlink (a date, a page number, a table of contents, a
// hyperlink with a tip) is its result in the document, and its instruction is kept on the
// result's characters, so that Save As writes the field again and word processors go on
// updating it. Each field read has a number of its own: two fields side by side stay two.
namespace RtfFieldProperties {
constexpr int instruction = QTextFormat::UserProperty + 0x4c20;   // as the file wrote it
constexpr int number = QTextFormat::UserProperty + 0x4c21;
} // namespace RtfFieldProperties
