#pragma once

class QTextDocument;

// The document layout of the editing area: Qt's own, except that a small change (a typed key,
// a deleted character, their Undo and Redo) is laid out near the change only, when what follows
// it keeps its height. Qt's layout would walk every paragraph after the change to place it
// again, which costs tens of milliseconds a key in a document of thousands of pages.
namespace EditingLayout {

// Gives the document this layout, in place of any it has.
void install(QTextDocument &document);

// Whether this process lays out changes near themselves: only with the Qt whose layout state
// it knows, and not when CORVALA_QT_LAYOUT_ONLY asks for Qt's own layout (QtPrivateState.h).
bool laysOutNearChanges();

// How many changes the document's layout has laid out near the change only (for the tests and
// the benchmark, which must know that the short way was taken).
int localChanges(const QTextDocument &document);

} // namespace EditingLayout
