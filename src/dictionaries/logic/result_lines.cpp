#include "dictionaries/logic/result_lines.h"

#include "common/codepage.h"

#include <algorithm>

namespace verbalo {

namespace {

QString colourName(LineColour colour) {
    switch (colour) {
    case LineColour::Red: return QStringLiteral("#ff0000");
    case LineColour::Blue: return QStringLiteral("#0000ff");
    case LineColour::Black: break;
    }
    return QStringLiteral("#000000");
}

} // namespace

void ResultLines::clear() {
    buffer_.clear();
    lines_.clear();
    longest_ = 0;
}

void ResultLines::reserve(qsizetype lines, qsizetype characters) {
    if (lines > count()) lines_.reserve(static_cast<size_t>(lines));
    if (characters > buffer_.capacity()) buffer_.reserve(characters);
}

void ResultLines::addLine(const QString& text, LineColour colour, bool bold) {
    Line l;
    l.offset = static_cast<std::uint32_t>(buffer_.size());
    l.length = static_cast<std::uint32_t>(text.size());
    l.boldLength = bold ? l.length : 0;
    l.colour = colour;
    buffer_ += text;
    longest_ = std::max(longest_, l.length);
    lines_.push_back(l);
}

void ResultLines::addLineWithBoldPart(const QString& before, const QString& bold, const QString& after) {
    Line l;
    l.offset = static_cast<std::uint32_t>(buffer_.size());
    l.length = static_cast<std::uint32_t>(before.size() + bold.size() + after.size());
    l.boldStart = static_cast<std::uint32_t>(before.size());
    l.boldLength = static_cast<std::uint32_t>(bold.size());
    buffer_ += before;
    buffer_ += bold;
    buffer_ += after;
    longest_ = std::max(longest_, l.length);
    lines_.push_back(l);
}

void ResultLines::removeFirstLine() {
    if (!lines_.empty()) lines_.erase(lines_.begin());
}

QString ResultLines::text(int i) const {
    return textView(i).toString();
}

QStringView ResultLines::textView(int i) const {
    const Line& l = line(i);
    return QStringView(buffer_).mid(l.offset, l.length);
}

QStringList ResultLines::plainLines() const {
    QStringList out;
    out.reserve(count());
    for (int i = 0; i < count(); ++i) out << text(i);
    return out;
}

QString ResultLines::toHtml(const QString& title, const QString& charset) const {
    QString html;
    html.reserve(buffer_.size() * 2 + count() * 40 + 300);
    html += QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=") +
            charset + QStringLiteral("\">\n<title>") + title.toHtmlEscaped() + QStringLiteral("</title>\n</head>\n<body>\n");
    html += QStringLiteral("<div style=\"white-space: pre; font-family: sans-serif\">\n");
    for (int i = 0; i < count(); ++i) {
        const Line& l = line(i);
        const QStringView t = textView(i);
        html += QStringLiteral("<div style=\"color: ") + colourName(l.colour) + QStringLiteral("\">");
        html += t.left(l.boldStart).toString().toHtmlEscaped();
        if (l.boldLength > 0)
            html += QStringLiteral("<b>") + t.mid(l.boldStart, l.boldLength).toString().toHtmlEscaped() + QStringLiteral("</b>");
        html += t.mid(l.boldStart + l.boldLength).toString().toHtmlEscaped();
        // An empty div has no height; keep empty lines visible.
        if (l.length == 0) html += QStringLiteral("<br>");
        html += QStringLiteral("</div>\n");
    }
    html += QStringLiteral("</div>\n</body>\n</html>");
    return html;
}

TextWriteResult writeResultFile(const ResultLines& lines, const QString& path, bool asHtml, const QString& title) {
    const QStringList plain = lines.plainLines();
    if (!asHtml) return writeTextFile(path, plain);
    bool fits = isRepresentable(title);
    for (const QString& l : plain) fits = fits && isRepresentable(l);
    const QString html = lines.toHtml(title, fits ? QStringLiteral("windows-1250") : QStringLiteral("utf-8"));
    return writeTextFile(path, html.split(QLatin1Char('\n')));
}

} // namespace verbalo
