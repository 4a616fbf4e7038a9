#pragma once

#include "printing/logic/report_layout.h"
#include "printing/logic/row_source.h"

#include <QByteArray>
#include <QDateTime>
#include <functional>
#include <vector>

// Lays the rows of a table out on pages by a layout, one page at a time, so that the first page
// can be shown before the last one is made. What it places is in millimetres from the page's
// top left corner; the engine paints it and measures text for it.
namespace verbalo::printing {

struct PlacedItem {
    enum class Kind { Text, Line, Picture };
    Kind kind = Kind::Text;
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    QString text;
    PrintFont font;
    HAlign align = HAlign::Left;
    Rgb color = kBlack;
    bool wraps = false;     // a stretching text breaks into lines within its width
    double lineWidth = 0.2; // for lines
    QByteArray picture;     // for pictures: the stored bytes, and their file extension in text
};

struct Page {
    int number = 0;
    std::vector<PlacedItem> items;
};

// The height in mm that text in the font takes when broken into lines of widthMm.
using TextMeasure = std::function<double(const PrintFont& font, const QString& text, double widthMm)>;

inline const QString kPrintedAtFormat = QStringLiteral("yyyy.MM.dd HH:mm:ss");

class ReportPager {
public:
    ReportPager(const ReportLayout& layout, RowSource& rows, TextMeasure measure, QDateTime printedAt);

    // True once every row is on a page; never before the first page is made, so an empty table
    // gives one page.
    bool atEnd();
    Page nextPage();
    int rowsPlaced() const { return row_; }

    // Where the next page starts. A pager put back to a position makes the same pages from
    // there again, so a page seen once need not be kept to be shown again.
    struct Position {
        int row = 0;
        int pagesMade = 0;
    };
    Position position() const { return {row_, pages_}; }
    void moveTo(const Position& position);

private:
    struct BandPlace {
        double x;
        double y;
        double width;
    };
    double bandHeight(const Band& band, int row, double width);
    void placeBand(Page& page, const Band& band, int row, const BandPlace& place, double height);
    QString elementText(const Element& e, int row, int pageNumber) const;
    bool startsGroup(int row);

    const ReportLayout& layout_;
    RowSource& rows_;
    TextMeasure measure_;
    QString printedAt_;
    int rowCount_ = -1;
    int row_ = 0;
    int pages_ = 0;
    int pageFirstRow_ = 0;
};

} // namespace verbalo::printing
