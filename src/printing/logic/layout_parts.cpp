#include "printing/logic/layout_parts.h"

namespace verbalo::printing {

PrintFont font(const QString& family, double points, bool bold, bool italic) {
    PrintFont f;
    f.family = family;
    f.points = points;
    f.bold = bold;
    f.italic = italic;
    return f;
}

namespace {

// A line of text of the font, in mm, with the leading the layouts were drawn with.
double lineHeightOf(const PrintFont& f) {
    return f.points * 0.48;
}

} // namespace

Element caption(const QString& text, double left, double top, double width, const PrintFont& font, HAlign align) {
    Element e;
    e.source = Source::Caption;
    e.text = text;
    e.left = left;
    e.top = top;
    e.width = width;
    e.height = lineHeightOf(font);
    e.font = font;
    e.align = align;
    return e;
}

Element field(const QString& name, double left, double top, double width, const PrintFont& font, HAlign align, bool stretches) {
    Element e = caption(name, left, top, width, font, align);
    e.source = Source::Field;
    e.stretches = stretches;
    return e;
}

Element rightAligned(Source source, const QString& text, double top, const PrintFont& font, double bandWidth) {
    Element e = caption(text, 0, top, bandWidth, font, HAlign::Right);
    e.source = source;
    return e;
}

Element line(double left, double top, double width, double lineWidth) {
    Element e;
    e.source = Source::Line;
    e.left = left;
    e.top = top;
    e.width = width;
    e.height = 0;
    e.lineWidth = lineWidth;
    return e;
}

void addOpenFrame(Band& band, double left, double top, double width, double height) {
    band.elements.push_back(line(left, top, width));
    band.elements.push_back(line(left, top + height, width));
}

Element underlinedBlue(Element e) {
    e.font.underline = true;
    e.color = kLinkBlue;
    return e;
}

} // namespace verbalo::printing
