#pragma once

#include "printing/logic/report_pager.h"

#include <optional>
#include <vector>

// A report laid out page by page as far as it is asked for: page N is made only when it is
// needed, and the layout goes on from where it stopped. Of every page made it keeps where the
// page starts, not its items, so a long report costs a few bytes a page; a page asked for
// again is made again from its start.
namespace verbalo::printing {

class PagedReport {
public:
    PagedReport(const ReportLayout& layout, RowSource& rows, TextMeasure measure, QDateTime printedAt);

    // Pages made so far, and whether they are all there are.
    int pagesKnown() const { return int(starts_.size()); }
    bool complete() const { return complete_; }
    // The number of pages once complete, otherwise 0.
    int pageCount() const { return complete_ ? pagesKnown() : 0; }

    // Makes pages until there are at least count of them or the report is complete; false when
    // the report has fewer pages than that.
    bool layOutTo(int count);
    // Makes one more page; false when the report was already complete.
    bool layOutNext();
    // Page number (1-based), made first if it is not yet; an empty page past the end.
    Page page(int number);

private:
    ReportPager pager_;
    std::vector<ReportPager::Position> starts_;
    ReportPager::Position end_; // where the next new page starts
    bool complete_ = false;
    std::optional<Page> last_; // the page made last, asked for at once by the preview
};

} // namespace verbalo::printing
