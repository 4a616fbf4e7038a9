#pragma once

#include <QString>
#include <vector>

// A printed layout as data: an A4 page in millimetres with a page header, an optional group
// header, a detail band and a page footer. The bands hold elements whose texts come from fixed
// captions, from fields of the row being printed or from the page itself. The pager lays the
// rows of a table out on pages from this; the engine only paints what the pager placed.
namespace verbalo::printing {

struct PrintFont {
    QString family; // as the layouts name it ("Arial", "Tahoma"); the engine picks the nearest installed face
    double points = 9;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kBandLineGrey{128, 128, 128};
inline constexpr Rgb kLightGrey{228, 228, 228};
inline constexpr Rgb kLinkBlue{0, 0, 255};

enum class HAlign { Left, Center, Right };

// Where an element's text comes from.
enum class Source {
    Caption,      // text as it stands
    Field,        // the field named by text, of the row being printed
    PageNumber,   // text, then the page's number
    PrintedAt,    // text, then the date and time the layout was made
    GuideLetters, // the first three characters of the field named by text, of the page's first row
    Picture,      // the picture in the blob field named by text, its format by the field named by pictureKind
    Line,         // a horizontal line along the element's top edge
};

struct Element {
    Source source = Source::Caption;
    QString text;
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 4.3;
    PrintFont font;
    HAlign align = HAlign::Left;
    Rgb color = kBlack;
    // The element grows downwards with its text, and its band with it.
    bool stretches = false;
    double lineWidth = 0.2; // for Source::Line, in mm
    QString pictureKind;    // for Source::Picture: the field holding the file extension
};

enum class BandLine { None, Top, Bottom };

struct Band {
    double height = 0;
    std::vector<Element> elements;
    BandLine line = BandLine::None;
    double lineWidth = 0.2; // mm; the page headers' line is twice the detail bands'
    Rgb lineColor = kBandLineGrey;
    bool present() const { return height > 0; }
};

inline constexpr double kA4Width = 210.0;
inline constexpr double kA4Height = 297.0;
inline constexpr double kBandWidth = 190.2;
inline constexpr double kDetailLine = 0.2;
inline constexpr double kHeaderLine = 2 * kDetailLine;

struct ReportLayout {
    QString title; // the layout's own title, printed in the footer
    double marginLeft = 10;
    double marginTop = 10;
    double marginBottom = 10;
    double bandWidth = kBandWidth;
    Band pageHeader;
    Band groupHeader; // printed before a row whose groupField differs from the previous row's
    Band detail;
    Band pageFooter;
    QString groupField;
    int columns = 1; // newspaper columns of the group and detail bands, side by side with no gap
};

} // namespace verbalo::printing
