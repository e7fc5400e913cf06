#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QTextDocument;
class QTextEdit;

// Keeps what is wider than the editing area's window within reach, and the text of table cells
// inside its cells, whether or not lines wrap at the window's edge:
//
// - Lines that are not to wrap, in a document with tables, are laid out at the width of the
//   widest paragraph (the window's, at least), with wrapping left on. Qt's own no-wrap mode turns wrapping off in
//   every paragraph, table cells included: a cell's text then ran on over the next cell, and
//   the columns grew to their text instead of the widths the file gave them. Laid out this way,
//   no paragraph of the body is wider than the line, so none breaks, while a cell's text wraps
//   at the cell's width as it does with lines wrapping at the window's edge.
// - The horizontal scroll bar shows whenever the content (a wide table, a big picture) is wider
//   than the window, even while the bar is turned off, so that everything can be scrolled to.
class WideContent : public QObject
{
public:
    explicit WideContent(QTextEdit &box);

    // Whether lines run on past the window's edge (true), or wrap as the box's own line wrap
    // mode says (false). Turning it off leaves the mode to the caller.
    void setUnwrapped(bool unwrapped);
    bool unwrapped() const { return m_unwrapped; }

    // The horizontal scroll bar as it is turned on or off; it shows anyway while the content is
    // wider than the window.
    void setHorizontalBar(bool on);
    bool horizontalBar() const { return m_horizontalBar; }

    // To be called when the box is given another document, with its widest paragraph as
    // estimated before it is laid out (FontSurvey.h).
    void watch(QTextDocument &document, qreal widestEstimate);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void forgetMeasures();
    void startOver(qreal widestEstimate);
    void contentsChanged(int from, int removed, int added);
    void schedule();
    void measure();
    void measureBlocks(int from, int to, bool onlyLaidOut);
    void applyWidth();
    void updateHorizontalBar();
    bool hasTables() const;

    QTextEdit &m_box;
    QPointer<QTextDocument> m_document;
    bool m_unwrapped = false;
    bool m_horizontalBar = true;
    bool m_scheduled = false;
    bool m_laidOutForTables = false; // whether the lines are laid out at the widest paragraph
    // The widest paragraph of the body measured so far, at its full unbroken width, or as
    // estimated before the layout when that is wider.
    qreal m_widest = 0;
    // Paragraphs from the start up to here have been measured since the layout last started
    // over; changed ranges before it wait in m_changed.
    int m_measuredUpTo = 0;
    QList<std::pair<int, int>> m_changed;
};
