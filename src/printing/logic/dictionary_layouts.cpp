#include "printing/logic/dictionary_layouts.h"

#include "common/catalogue.h"
#include "common/table_layouts.h"
#include "printing/logic/layout_parts.h"

#include <algorithm>

namespace verbalo::printing {

namespace {

const QString kArial = QStringLiteral("Arial");
const QString kTahoma = QStringLiteral("Tahoma");
const QString kCourier = QStringLiteral("Courier New");

// The footer of the dictionary layouts. label: "Verbalo V9", or "Verbalo V8" where the layout
// has always said so.
Band dictionaryFooter(const QString& title, const QString& label, double height, const MakerContact& maker) {
    const PrintFont small = font(kCourier, 6);
    Band band;
    band.height = height;
    band.line = BandLine::Top;
    band.lineWidth = kDetailLine;
    Element page = caption(QStringLiteral("Oldal: "), 0, 1.0, 60, small);
    page.source = Source::PageNumber;
    band.elements.push_back(page);
    band.elements.push_back(caption(label, 0, 5.3, 60, small));
    band.elements.push_back(caption(maker.web, 0, 5.3, kBandWidth, small, HAlign::Center));
    band.elements.push_back(rightAligned(Source::Caption, title, 1.3, small));
    band.elements.push_back(rightAligned(Source::PrintedAt, QStringLiteral("nyomtatva: "), 5.3, small));
    return band;
}

// The header of the bilingual list, the headword list and the recipes; frameLeft is where the
// open frame around the dictionary's name starts.
Band dictionaryHeader(const TSzotarak& info, double height, double frameLeft) {
    Band band;
    band.height = height;
    band.line = BandLine::Bottom;
    band.lineWidth = kHeaderLine;
    Element label = caption(QStringLiteral("VerbaloV9"), 0, 0, 67.8, font(kArial, 24, true));
    label.height = 9.9;
    label.color = kLightGrey;
    band.elements.push_back(label);
    Element name = caption(info.szotarak_nev, 0, 2.0, 188.9, font(kArial, 14, true), HAlign::Right);
    band.elements.push_back(name);
    addOpenFrame(band, frameLeft, 0, 189.5 - frameLeft, 10.9);
    return band;
}

} // namespace

QString orderColumnOf(const TSzotarak& info) {
    return info.sorrend == kSecondLanguageColumn ? kSecondLanguageColumn : kFirstLanguageColumn;
}

ReportLayout bilingualListLayout(const TSzotarak& info, const MakerContact& maker) {
    const QString left = orderColumnOf(info);
    const QString right = otherLanguageColumn(left);
    const bool firstLeft = left == kFirstLanguageColumn;
    const PrintFont body = font(kTahoma, 9);
    PrintFont captionFont = body;
    captionFont.italic = true;

    ReportLayout layout;
    layout.title = kWordsTitle;
    layout.pageHeader = dictionaryHeader(info, 18.2, 97.9);
    layout.pageHeader.elements.push_back(
        caption(firstLeft ? info.nyelv1 : info.nyelv2, 0, 11.9, 91.6, captionFont, HAlign::Center));
    layout.pageHeader.elements.push_back(
        caption(firstLeft ? info.nyelv2 : info.nyelv1, 92.6, 11.9, 96.9, captionFont, HAlign::Center));
    layout.detail.height = 5.3;
    layout.detail.line = BandLine::Bottom;
    layout.detail.elements.push_back(field(left, 0, 0, 91.6, body, HAlign::Left, true));
    layout.detail.elements.push_back(field(right, 92.6, 0, 96.9, body, HAlign::Left, true));
    layout.pageFooter = dictionaryFooter(layout.title, QStringLiteral("Verbalo V9"), 12.2, maker);
    return layout;
}

ReportLayout dictionaryFormatLayout(const TSzotarak& info, int columns, const MakerContact& maker) {
    const QString order = orderColumnOf(info);
    ReportLayout layout;
    layout.title = kDictionaryFormatTitle;
    layout.marginBottom = 15;
    layout.columns = std::clamp(columns, 2, 4);
    const double columnWidth = layout.bandWidth / layout.columns;

    layout.pageHeader.height = 8.9;
    layout.pageHeader.line = BandLine::Bottom;
    layout.pageHeader.elements.push_back(caption(info.szotarak_nev, 1.3, 1.3, 120, font(kArial, 16, true)));
    layout.pageHeader.elements.push_back(rightAligned(Source::GuideLetters, order, 1.3, font(kArial, 11, true)));

    layout.groupField = order;
    layout.groupHeader.height = 4.0;
    layout.groupHeader.elements.push_back(field(order, 0.7, 0.3, columnWidth - 0.7, font(kTahoma, 9, true), HAlign::Left, true));
    layout.detail.height = 4.0;
    layout.detail.elements.push_back(
        field(otherLanguageColumn(order), 4.0, 0, columnWidth - 4.0, font(kTahoma, 9), HAlign::Left, true));
    layout.pageFooter = dictionaryFooter(layout.title, QStringLiteral("Verbalo V8"), 12.9, maker);
    return layout;
}

ReportLayout headwordListLayout(const TSzotarak& info, const MakerContact& maker) {
    ReportLayout layout;
    layout.title = kWordsTitle;
    layout.pageHeader = dictionaryHeader(info, 12.9, 96.6);
    layout.detail.height = 11.9;
    layout.detail.line = BandLine::Bottom;
    layout.detail.elements.push_back(field(kFirstLanguageColumn, 0, 1.3, 189.5, font(kTahoma, 9, true)));
    layout.detail.elements.push_back(
        field(QStringLiteral("megjegyzes"), 4.0, 6.6, 185.5, font(QStringLiteral("Times New Roman"), 9), HAlign::Left, true));
    layout.pageFooter = dictionaryFooter(layout.title, QStringLiteral("Verbalo V9"), 12.2, maker);
    return layout;
}

ReportLayout recipeLayout(const TSzotarak& info, const MakerContact& maker) {
    const PrintFont bold = font(kArial, 10, true);
    const PrintFont text = font(kArial, 9);
    ReportLayout layout;
    layout.title = kWordsTitle;
    layout.pageHeader = dictionaryHeader(info, 12.9, 88.6);
    Band& d = layout.detail;
    d.height = 64.8;
    d.line = BandLine::Bottom;
    d.elements.push_back(field(kSecondLanguageColumn, 0, 1.3, 79.7, bold));
    d.elements.push_back(field(kFirstLanguageColumn, 108.5, 1.3, 79.7, bold, HAlign::Right));
    d.elements.push_back(caption(QStringLiteral("hozzávalók"), 4.0, 6.6, 50.6, text));
    d.elements.push_back(caption(QStringLiteral("elkészítés"), 55.6, 6.6, 75.7, text));
    Element under = line(4.0, 6.6 + 4.3, 50.6);
    under.color = kLightGrey;
    d.elements.push_back(under);
    under = line(55.6, 6.6 + 4.3, 75.7);
    under.color = kLightGrey;
    d.elements.push_back(under);
    d.elements.push_back(field(QStringLiteral("hozzavalo"), 4.0, 11.9, 50.6, text, HAlign::Left, true));
    d.elements.push_back(field(QStringLiteral("elkeszites"), 55.6, 11.9, 75.7, text, HAlign::Left, true));
    Element picture;
    picture.source = Source::Picture;
    picture.text = QStringLiteral("kep");
    picture.pictureKind = QStringLiteral("filekit");
    picture.left = 132.3;
    picture.top = 6.6;
    picture.width = 55.9;
    picture.height = 55.9;
    d.elements.push_back(picture);
    layout.pageFooter = dictionaryFooter(layout.title, QStringLiteral("Verbalo V8"), 12.2, maker);
    return layout;
}

} // namespace verbalo::printing
