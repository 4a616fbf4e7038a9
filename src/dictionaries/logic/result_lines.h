#pragma once

#include "common/text_file.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace verbalo {

// The colours of the result panes: found words red, missing words blue, the rest black.
enum class LineColour : std::uint8_t { Black, Red, Blue };

// The lines of a result pane (dictionarizing, the caret word, the expression search): each line
// has one colour and may have one bold stretch. All text lives in one buffer, so that a
// dictionarized book of a million words costs a few bytes per line, not a document block.
class ResultLines {
public:
    struct Line {
        std::uint32_t offset = 0;
        std::uint32_t length = 0;
        std::uint32_t boldStart = 0;
        std::uint32_t boldLength = 0;
        LineColour colour = LineColour::Black;
    };

    void clear();
    void reserve(qsizetype lines, qsizetype characters);
    // A whole line in one colour, bold or regular.
    void addLine(const QString& text, LineColour colour, bool bold);
    // A black line whose middle part is bold.
    void addLineWithBoldPart(const QString& before, const QString& bold, const QString& after);
    void removeFirstLine();

    int count() const { return static_cast<int>(lines_.size()); }
    bool isEmpty() const { return lines_.empty(); }
    const Line& line(int i) const { return lines_[static_cast<size_t>(i)]; }
    QString text(int i) const;
    // A view into the buffer; valid until the lines change.
    QStringView textView(int i) const;
    int longestLineLength() const { return static_cast<int>(longest_); }

    QStringList plainLines() const;
    // An HTML page that keeps the colours and the bold parts; charset names the encoding the
    // page will be written in.
    QString toHtml(const QString& title, const QString& charset) const;

private:
    QString buffer_;
    std::vector<Line> lines_;
    std::uint32_t longest_ = 0;
};

// Saves result lines as plain text or as an HTML page that keeps the colours. Windows-1250
// when every character fits, UTF-8 otherwise (the page then says so); CR LF line ends.
TextWriteResult writeResultFile(const ResultLines& lines, const QString& path, bool asHtml, const QString& title);

} // namespace verbalo
