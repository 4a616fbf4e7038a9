#include "printing/logic/report_pager.h"

#include <algorithm>

namespace verbalo::printing {

ReportPager::ReportPager(const ReportLayout& layout, RowSource& rows, TextMeasure measure, QDateTime printedAt)
    : layout_(layout), rows_(rows), measure_(std::move(measure)), printedAt_(printedAt.toString(kPrintedAtFormat)) {}

bool ReportPager::atEnd() {
    if (rowCount_ < 0) rowCount_ = rows_.rowCount();
    return pages_ > 0 && row_ >= rowCount_;
}

void ReportPager::moveTo(const Position& position) {
    row_ = position.row;
    pages_ = position.pagesMade;
}

QString ReportPager::elementText(const Element& e, int row, int pageNumber) const {
    switch (e.source) {
    case Source::Caption: return e.text;
    case Source::Field: return row < rowCount_ ? rows_.text(row, e.text) : QString();
    case Source::PageNumber: return e.text + QString::number(pageNumber);
    case Source::PrintedAt: return e.text + printedAt_;
    case Source::GuideLetters: return pageFirstRow_ < rowCount_ ? rows_.text(pageFirstRow_, e.text).left(3) : QString();
    case Source::Picture:
    case Source::Line: break;
    }
    return QString();
}

double ReportPager::bandHeight(const Band& band, int row, double width) {
    double grow = 0;
    for (const Element& e : band.elements) {
        if (!e.stretches) continue;
        const QString text = elementText(e, row, 0);
        if (text.isEmpty()) continue;
        const double needed = measure_(e.font, text, std::min(e.width, width - e.left));
        grow = std::max(grow, needed - e.height);
    }
    return band.height + grow;
}

void ReportPager::placeBand(Page& page, const Band& band, int row, const BandPlace& place, double height) {
    const double grow = height - band.height;
    for (const Element& e : band.elements) {
        PlacedItem item;
        item.x = place.x + e.left;
        item.y = place.y + e.top;
        // A band narrower than the layout's (a newspaper column) holds its elements inside it.
        item.width = std::min(e.width, place.width - e.left);
        item.height = e.stretches ? e.height + grow : e.height;
        item.color = e.color;
        if (e.source == Source::Line) {
            item.kind = PlacedItem::Kind::Line;
            item.height = 0;
            item.lineWidth = e.lineWidth;
        } else if (e.source == Source::Picture) {
            item.kind = PlacedItem::Kind::Picture;
            item.picture = rows_.bytes(row, e.text);
            if (item.picture.isEmpty()) continue;
            item.text = rows_.text(row, e.pictureKind);
        } else {
            item.text = elementText(e, row, page.number);
            if (item.text.isEmpty()) continue;
            item.font = e.font;
            item.align = e.align;
            item.wraps = e.stretches;
        }
        page.items.push_back(std::move(item));
    }
    if (band.line != BandLine::None) {
        PlacedItem line;
        line.kind = PlacedItem::Kind::Line;
        line.x = place.x;
        line.y = band.line == BandLine::Top ? place.y : place.y + height;
        line.width = place.width;
        line.lineWidth = band.lineWidth;
        line.color = band.lineColor;
        page.items.push_back(line);
    }
}

bool ReportPager::startsGroup(int row) {
    if (!layout_.groupHeader.present()) return false;
    return row == 0 || rows_.text(row, layout_.groupField) != rows_.text(row - 1, layout_.groupField);
}

Page ReportPager::nextPage() {
    atEnd();
    Page page;
    page.number = ++pages_;
    pageFirstRow_ = row_;
    const double left = layout_.marginLeft;
    const double width = layout_.bandWidth;

    const double headerHeight = bandHeight(layout_.pageHeader, row_, width);
    placeBand(page, layout_.pageHeader, row_, {left, layout_.marginTop, width}, headerHeight);
    const double footerHeight = bandHeight(layout_.pageFooter, row_, width);
    const double bodyTop = layout_.marginTop + headerHeight;
    const double bodyBottom = kA4Height - layout_.marginBottom - footerHeight;
    placeBand(page, layout_.pageFooter, row_, {left, bodyBottom, width}, footerHeight);

    const int columns = std::max(1, layout_.columns);
    const double columnWidth = width / columns;
    int column = 0;
    double y = bodyTop;
    while (row_ < rowCount_) {
        const bool group = startsGroup(row_);
        const double groupHeight = group ? bandHeight(layout_.groupHeader, row_, columnWidth) : 0;
        const double detailHeight = bandHeight(layout_.detail, row_, columnWidth);
        // A band that is taller than a whole column still goes somewhere: at the top of one.
        if (y + groupHeight + detailHeight > bodyBottom && y > bodyTop) {
            if (++column >= columns) break;
            y = bodyTop;
        }
        const double x = left + column * columnWidth;
        if (group) {
            placeBand(page, layout_.groupHeader, row_, {x, y, columnWidth}, groupHeight);
            y += groupHeight;
        }
        placeBand(page, layout_.detail, row_, {x, y, columnWidth}, detailHeight);
        y += detailHeight;
        ++row_;
    }
    return page;
}

} // namespace verbalo::printing
