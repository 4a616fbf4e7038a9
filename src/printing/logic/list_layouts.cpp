#include "printing/logic/list_layouts.h"

#include "printing/logic/layout_parts.h"

namespace verbalo::printing {

namespace {

const QString kArial = QStringLiteral("Arial");
const QString kTahoma = QStringLiteral("Tahoma");

PrintFont italicCaptionFont() {
    return font(kTahoma, 8, false, true);
}

// The header both lists share: their title, a frame on each side and the maker's contacts.
Band listHeader(const QString& title, double height, double leftFrameWidth, const MakerContact& maker) {
    Band band;
    band.height = height;
    band.line = BandLine::Bottom;
    band.lineWidth = kHeaderLine;
    band.elements.push_back(caption(title, 0, 1.3, 120, font(kArial, 16, true)));
    addOpenFrame(band, 0, 0, leftFrameWidth, 20.2);
    addOpenFrame(band, 125.7, 0, 63.8, 20.2);
    band.elements.push_back(rightAligned(Source::Caption, kMakerName, 1.3, font(kArial, 10, true)));
    const PrintFont contact = font(kArial, 9);
    band.elements.push_back(rightAligned(Source::Caption, maker.web, 6.6, contact));
    band.elements.push_back(rightAligned(Source::Caption, maker.mail, 10.6, contact));
    band.elements.push_back(rightAligned(Source::Caption, maker.telephone, 14.6, contact));
    return band;
}

Band listFooter(const QString& title, const QString& label, const MakerContact& maker) {
    const PrintFont small = font(QStringLiteral("Courier New"), 6);
    Band band;
    band.height = 11.9;
    band.line = BandLine::Top;
    band.elements.push_back(caption(QStringLiteral("Verbalo9"), 0, 1.3, 60, small));
    Element page = caption(QStringLiteral("oldal: "), 0, 6.6, 60, small);
    page.source = Source::PageNumber;
    band.elements.push_back(page);
    band.elements.push_back(caption(maker.web, 0, 6.6, kBandWidth, small, HAlign::Center));
    band.elements.push_back(rightAligned(Source::PrintedAt, QString(), 1.3, small));
    band.elements.push_back(rightAligned(Source::Caption, title, 4.0, small));
    band.elements.push_back(rightAligned(Source::Caption, label, 6.6, small));
    return band;
}

} // namespace

ReportLayout programListLayout(bool withDescription, const MakerContact& maker) {
    const PrintFont text = font(kTahoma, 8);
    ReportLayout layout;
    layout.title = kProgramListTitle;
    layout.pageHeader = listHeader(layout.title, 32.7, 63.8, maker);
    auto& header = layout.pageHeader.elements;
    header.push_back(caption(QStringLiteral("program neve"), 0, 26.5, 45.3, italicCaptionFont()));
    header.push_back(caption(QStringLiteral("rövid leírás"), 46.3, 26.5, 99.5, italicCaptionFont()));
    header.push_back(caption(QStringLiteral("kategória"), 146.8, 26.5, 25.5, italicCaptionFont()));
    header.push_back(caption(QStringLiteral("ingyenes?"), 173.3, 26.5, 16.2, italicCaptionFont(), HAlign::Center));

    Band& d = layout.detail;
    d.height = withDescription ? 18.5 : 13.2;
    d.line = BandLine::Bottom;
    d.elements.push_back(field(QStringLiteral("programok_nev"), 0, 0, 45.3, font(kArial, 9, true)));
    d.elements.push_back(field(QStringLiteral("rovid"), 46.3, 0, 99.5, text));
    d.elements.push_back(field(QStringLiteral("kategoria"), 146.8, 0, 25.5, text));
    d.elements.push_back(field(QStringLiteral("ingyenesstr"), 173.3, 0, 16.2, text, HAlign::Center));
    d.elements.push_back(caption(QStringLiteral("honlap"), 7.9, 4.0, 17.5, italicCaptionFont()));
    d.elements.push_back(underlinedBlue(field(QStringLiteral("link"), 31.8, 4.0, kBandWidth - 31.8, text)));
    d.elements.push_back(caption(QStringLiteral("direkt letöltés"), 7.9, 7.9, 22.8, italicCaptionFont()));
    d.elements.push_back(underlinedBlue(field(QStringLiteral("letoltlink"), 31.8, 7.9, kBandWidth - 31.8, text)));
    if (withDescription) d.elements.push_back(field(QStringLiteral("leiras"), 4.0, 13.2, 184.2, text, HAlign::Left, true));
    layout.pageFooter = listFooter(layout.title, QStringLiteral("qrProgramok"), maker);
    return layout;
}

ReportLayout downloadListLayout(const MakerContact& maker) {
    const PrintFont text = font(kTahoma, 8);
    ReportLayout layout;
    layout.title = kDownloadListTitle;
    layout.pageHeader = listHeader(layout.title, 28.8, 74.4, maker);
    auto& header = layout.pageHeader.elements;
    header.push_back(caption(QStringLiteral("szótár neve"), 0, 22.5, 58.5, italicCaptionFont()));
    header.push_back(caption(QStringLiteral("letöltés link"), 59.5, 22.5, 91.6, italicCaptionFont()));
    header.push_back(caption(QStringLiteral("szavak száma"), 152.1, 22.5, 18.9, italicCaptionFont(), HAlign::Right));
    header.push_back(caption(QStringLiteral("méret"), 172.0, 22.5, 17.5, italicCaptionFont(), HAlign::Right));

    Band& d = layout.detail;
    d.height = 7.9;
    d.line = BandLine::Bottom;
    d.elements.push_back(field(QStringLiteral("szotarnev"), 0, 0, 58.5, text));
    d.elements.push_back(underlinedBlue(field(QStringLiteral("filenev"), 59.5, 0, 91.6, text)));
    d.elements.push_back(field(QStringLiteral("szavakszama"), 152.1, 0, 18.9, text, HAlign::Right));
    d.elements.push_back(field(QStringLiteral("meret"), 172.0, 0, 17.5, text, HAlign::Right));
    d.elements.push_back(caption(QStringLiteral("szerző:"), 42.3, 4.0, 16.2, italicCaptionFont(), HAlign::Right));
    d.elements.push_back(field(QStringLiteral("szerzo"), 59.5, 4.0, 69.1, text));
    layout.pageFooter = listFooter(layout.title, QStringLiteral("qrInternet"), maker);
    return layout;
}

} // namespace verbalo::printing
