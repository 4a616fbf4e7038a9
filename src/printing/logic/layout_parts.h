#pragma once

#include "printing/logic/report_layout.h"

// The building blocks the layouts are written with.
namespace verbalo::printing {

PrintFont font(const QString& family, double points, bool bold = false, bool italic = false);
Element caption(const QString& text, double left, double top, double width, const PrintFont& font, HAlign align = HAlign::Left);
Element field(const QString& name, double left, double top, double width, const PrintFont& font, HAlign align = HAlign::Left,
              bool stretches = false);
// A text ending at the band's right edge.
Element rightAligned(Source source, const QString& text, double top, const PrintFont& font, double bandWidth = kBandWidth);
Element line(double left, double top, double width, double lineWidth = kDetailLine);
// Two horizontal lines, the top and bottom edge of a frame with no sides.
void addOpenFrame(Band& band, double left, double top, double width, double height);

Element underlinedBlue(Element e);

} // namespace verbalo::printing
