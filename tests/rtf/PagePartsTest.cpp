// Headers and footers made ready for the printed pages: page fields become marks, nothing else
// changes.
#include "rtf/PageParts.h"

#include <gtest/gtest.h>

namespace {

const QByteArray number = "{\\uc1\\u-8192?}";
const QByteArray count = "{\\uc1\\u-8191?}";

TEST(PageParts, PageFieldsBecomeMarksAndNothingElseChanges)
{
    const struct {
        QByteArray content, marked;
    } cases[] = {
        {"Page \\chpgn  of x", "Page " + number + " of x"},
        {"P {\\field{\\*\\fldinst { PAGE \\\\* MERGEFORMAT}}{\\fldrslt 3}} end", "P " + number + " end"},
        {"{\\field{\\*\\fldinst NUMPAGES}{\\fldrslt 9}}/{\\field{\\*\\fldinst SECTIONPAGES}{\\fldrslt 9}}",
         count + "/" + count},
        // other fields, and \chpgn inside a field's result, stay as they are
        {"{\\field{\\*\\fldinst HYPERLINK \"http://a/PAGE\"}{\\fldrslt PAGE link}}",
         "{\\field{\\*\\fldinst HYPERLINK \"http://a/PAGE\"}{\\fldrslt PAGE link}}"},
        {"{\\field{\\*\\fldinst DATE}{\\fldrslt \\chpgn}}", "{\\field{\\*\\fldinst DATE}{\\fldrslt \\chpgn}}"},
        // binary data is never read as words
        {"{\\pict\\bin6 \\chpgn}\\chpgn", "{\\pict\\bin6 \\chpgn}" + number},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PageParts::markPageFields(c.content).toStdString(), c.marked.toStdString());
}

TEST(PageParts, EachPageShowsItsOwnPart)
{
    PageParts::Set set;
    set.header = "plain";
    set.headerFirst = "first";
    set.headerLeft = "left";
    set.headerRight = "right";
    const struct {
        bool titlePage, facingPages;
        const char *pages[3];
    } cases[] = {
        {false, false, {"plain", "plain", "plain"}},
        {true, false, {"first", "plain", "plain"}},
        {false, true, {"right", "left", "right"}},
        {true, true, {"first", "left", "right"}},
    };
    for (const auto &c : cases) {
        set.titlePage = c.titlePage;
        set.facingPages = c.facingPages;
        for (int page = 1; page <= 3; ++page)
            EXPECT_EQ(set.part(PageParts::Kind::Header, page), QByteArray(c.pages[page - 1]))
                << c.titlePage << c.facingPages << page;
        EXPECT_TRUE(set.part(PageParts::Kind::Footer, 2).isEmpty());
    }
}

} // namespace
