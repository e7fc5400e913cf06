#include "editor/mTxtHelper.h"

#include "editor/CaseConversion.h"
#include "base/CheckedArithmetic.h"
#include "editor/PlainTextFile.h"
#include "platform/richtextbox/Clipboard.h"
#include "platform/richtextbox/DeferredLayout.h"
#include "base/Failure.h"
#include "platform/richtextbox/RichTextBox.h"
#include "platform/WindowMessages.h"
#include "rtf/files/PlainText.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <functional>
#include <optional>

using namespace WindowMessages;

namespace {

// The document's record of the code page its plain text was read in.
constexpr char readCodePageProperty[] = "plainTextCodePage";

// For the operations that go on after a failed step.
void skippingFailure(const std::function<void()> &step)
{
    try {
        step();
    } catch (const std::exception &) {
    }
}

} // namespace

RichTextBox &mTxtHelper::editor() const
{
    if (!Editor)
        throw Failure(QStringLiteral("Object variable or With block variable not set"));
    return *Editor;
}

void mTxtHelper::WordWrap(bool Wrap)
{
    RichTextBox &box = editor();
    int style = box.WindowStyle();
    // Wrapping comes with both scroll bits, and goes with them.
    constexpr int scrollBits = WS_HSCROLL | ES_AUTOHSCROLL;
    if (Wrap) {
        style |= scrollBits;
        box.SendMessage(EM_SETTARGETDEVICE, 0, 0);
    } else {
        style &= ~scrollBits;
        box.SendMessage(EM_SETTARGETDEVICE, 0, 1);
    }
    box.setWindowStyle(style);
    box.RefreshFrame();
}

void mTxtHelper::Convert(int ConvOp)
{
    RichTextBox &box = editor();
    const int start = box.SelStart();
    const int length = box.SelLength();
    std::function<QString(const QString &)> conversion;
    switch (ConvOp) {
    case 0: conversion = CaseConversion::upper; break;
    case 1: conversion = CaseConversion::lower; break;
    case 2:
        conversion = [words = CaseConversion::ProperCase()](const QString &s) mutable { return words.next(s); };
        break;
    case 3: conversion = [this](const QString &s) { return ToggleCase(s); }; break;
    default: break;
    }
    // Run by run, so that the text keeps its formats and pictures, and the converted text is
    // selected whatever its new length (a German sharp s becomes SS).
    int convertedLength = length;
    if (conversion) {
        if (length > 0)
            convertedLength = box.ConvertRuns(start, length, conversion);
        else
            box.ConvertRuns(0, box.TextLength(), conversion);
    }
    if (length > 0)
        SelectText(start, convertedLength);
}

void mTxtHelper::Cut() { editor().SendMessage(WM_CUT, 0, 0); }
void mTxtHelper::Clear() { editor().SendMessage(WM_CLEAR, 0, 0); }
void mTxtHelper::Copy() { editor().SendMessage(WM_COPY, 0, 0); }
void mTxtHelper::Undo() { editor().SendMessage(WM_UNDO, 0, 0); }
void mTxtHelper::Paste() { editor().SendMessage(WM_PASTE, 0, 0); }

void mTxtHelper::SelectAll()
{
    RichTextBox &box = editor();
    box.setSelStart(0);
    box.setSelLength(box.TextLength());
    box.SetFocus();
}

int mTxtHelper::SelPos() const { return editor().SelStart(); }
void mTxtHelper::setSelPos(int vNewSelPos) { editor().setSelStart(vNewSelPos); }

void mTxtHelper::SelectText(int Start, int Length)
{
    RichTextBox &box = editor();
    box.setSelStart(Start);
    box.setSelLength(Length);
    box.SetFocus();
}

void mTxtHelper::SetEditor(RichTextBox *vNewValue) { Editor = vNewValue; }

bool mTxtHelper::CanPaste() const
{
    editor();
    return Clipboard::HasText();
}

int mTxtHelper::LineCount() const
{
    return CheckedArithmetic::narrow(editor().SendMessage(EM_GETLINECOUNT, 0, 0));
}

int mTxtHelper::VisableLine() const
{
    return CheckedArithmetic::narrow(editor().SendMessage(EM_GETFIRSTVISIBLELINE, 0, 0));
}

int mTxtHelper::LineIndex() const
{
    RichTextBox &box = editor();
    const int end = CheckedArithmetic::add(box.SelStart(), box.SelLength());
    return CheckedArithmetic::add(CheckedArithmetic::narrow(box.SendMessage(EM_LINEFROMCHAR, end, 0)), 1);
}

int mTxtHelper::LineLength() const
{
    RichTextBox &box = editor();
    return CheckedArithmetic::add(
        CheckedArithmetic::narrow(box.SendMessage(EM_LINELENGTH, box.SelStart(), 0)), 1);
}

void mTxtHelper::LoadFromFile(const QString &FileName)
{
    RichTextBox &box = editor();
    const PlainTextFile::Decoded file = PlainTextFile::read(FileName, CodePage);
    box.setText(file.text);
    // A file read in another encoding than CodePage goes back in it, so that an unchanged
    // save gives the same bytes. The document keeps the encoding: another document put in
    // its place forgets it.
    box.document()->setProperty(readCodePageProperty,
                                file.codePage == CodePage ? QVariant() : QVariant(file.codePage));
}

void mTxtHelper::SaveToFile(const QString &FileName)
{
    RichTextBox &box = editor();
    writePlainText(FileName, box, plainCharactersOf(*box.document()));
}

void mTxtHelper::SaveSelection(const QString &FileName)
{
    RichTextBox &box = editor();
    QTextDocument selection;
    QTextCursor(&selection).insertFragment(box.textCursor().selection());
    writePlainText(FileName, box, plainCharactersOf(selection));
}

void mTxtHelper::writePlainText(const QString &FileName, const RichTextBox &box, const QString &text) const
{
    const QVariant readIn = box.document()->property(readCodePageProperty);
    PlainTextFile::write(FileName, text,
                         readIn.isValid() ? PlainTextFile::codePageToWrite(text, readIn.toInt(), CodePage) : CodePage);
}

bool mTxtHelper::CanUndo() const { return editor().SendMessage(EM_CANUNDO, 0, 0) != 0; }
bool mTxtHelper::CanReDo() const { return editor().SendMessage(EM_CANREDO, 0, 0) != 0; }

int mTxtHelper::GotoLine() const { return m_lastLine; }

void mTxtHelper::setGotoLine(int vNewLine)
{
    m_lastLine = vNewLine;
    qintptr position = 0;
    skippingFailure([&] {
        position = editor().SendMessage(EM_LINEINDEX, CheckedArithmetic::subtract(vNewLine, 1), 0);
    });
    skippingFailure([&] { editor().setSelStart(CheckedArithmetic::narrow(position)); });
    skippingFailure([&] { editor().setSelLength(0); });
    skippingFailure([&] { editor().SetFocus(); });
}

QString mTxtHelper::GetLineText(int Index)
{
    constexpr int capacity = 255;
    RichTextBox &box = editor();
    const int line = CheckedArithmetic::subtract(Index, 1);
    char16_t buffer[capacity + 1];
    std::fill(std::begin(buffer), std::end(buffer), u' ');
    buffer[0] = capacity;
    const qintptr copied = box.SendMessage(EM_GETLINE, line, reinterpret_cast<qintptr>(buffer));
    return QString::fromUtf16(buffer, std::clamp<qintptr>(copied, 0, capacity));
}

void mTxtHelper::setForeColor(int NewColor)
{
    // The whole text is selected, coloured and let go again: laid out once, afterwards and
    // lazily, rather than once for the selection and again to repaint where it was.
    std::optional<DeferredLayout> layout;
    skippingFailure([&] { layout.emplace(*editor().document(), editor().TextLength()); });
    skippingFailure([&] { editor().setHideSelection(true); });
    skippingFailure([&] { editor().setSelStart(0); });
    skippingFailure([&] { editor().setSelLength(editor().TextLength()); });
    skippingFailure([&] { editor().setSelColor(NewColor); });
    skippingFailure([&] { editor().setSelStart(0); });
    skippingFailure([&] { editor().setHideSelection(false); });
}

void mTxtHelper::TabStops(int TabStopSize)
{
    // One entry, and a count that says so: a stop every TabStopSize units.
    qint32 stops[] = {TabStopSize};
    editor().SendMessage(EM_SETTABSTOPS, std::size(stops), reinterpret_cast<qintptr>(stops));
}

QString mTxtHelper::ToggleCase(const QString &s) const { return CaseConversion::toggle(s, CodePage); }
