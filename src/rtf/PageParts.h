#pragma once

#include "rtf/KeptRtfParts.h"

#include <QByteArray>
#include <QChar>

// The headers and footers that a document keeps (KeptRtfParts), each made into an RTF file of
// its own that the reader can open, so that printing can put them on the pages in their fonts
// and colours. The number of the page and the count of pages are known only when a page is
// printed: page-number fields (\chpgn, the PAGE field) become `pageNumberMark` and page-count
// fields (NUMPAGES, SECTIONPAGES) `pageCountMark`, which the printer replaces on each page.
namespace PageParts {

constexpr QChar pageNumberMark(0xE000);
constexpr QChar pageCountMark(0xE001);

enum class Kind { Header, Footer };
enum class Page { First, Left, Right };

struct Set
{
    // Standalone RTF of each part, empty where the document has none.
    QByteArray header, headerFirst, headerLeft, headerRight;
    QByteArray footer, footerFirst, footerLeft, footerRight;
    bool titlePage = false;    // \titlepg: the first page has its own (\headerf, \footerf)
    bool facingPages = false;  // \facingp: left and right pages have theirs

    bool isEmpty() const
    {
        return header.isEmpty() && headerFirst.isEmpty() && headerLeft.isEmpty() && headerRight.isEmpty()
            && footer.isEmpty() && footerFirst.isEmpty() && footerLeft.isEmpty() && footerRight.isEmpty();
    }

    // The part that a page shows (page counts from 1), empty when it shows none.
    const QByteArray &part(Kind kind, int page) const;
};

Set pageParts(const KeptRtfParts &kept);

// The group's content (a part without its destination word) with its page fields made marks.
QByteArray markPageFields(QByteArrayView content);

} // namespace PageParts
