#include "printing/logic/paged_report.h"

namespace verbalo::printing {

PagedReport::PagedReport(const ReportLayout& layout, RowSource& rows, TextMeasure measure, QDateTime printedAt)
    : pager_(layout, rows, std::move(measure), std::move(printedAt)) {}

bool PagedReport::layOutNext() {
    if (complete_) return false;
    pager_.moveTo(end_);
    // The pager gives a first page even for an empty table, so this is never true before it.
    if (pager_.atEnd()) {
        complete_ = true;
        return false;
    }
    starts_.push_back(end_);
    last_ = pager_.nextPage();
    end_ = pager_.position();
    complete_ = pager_.atEnd();
    return true;
}

bool PagedReport::layOutTo(int count) {
    while (pagesKnown() < count && layOutNext()) {
    }
    return pagesKnown() >= count;
}

Page PagedReport::page(int number) {
    if (number < 1 || !layOutTo(number)) return Page{};
    if (last_ && last_->number == number) return *last_;
    pager_.moveTo(starts_[size_t(number - 1)]);
    last_ = pager_.nextPage();
    return *last_;
}

} // namespace verbalo::printing
