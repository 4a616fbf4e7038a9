#include "exchange/logic/list_import.h"

#include "common/table_layouts.h"

namespace verbalo {

namespace {

bool isBlankOrControl(QChar c) {
    return c.unicode() <= 0x20;
}

const QLatin1String kCrLf("\r\n");

} // namespace

QStringView trimBlanksAndControls(QStringView text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isBlankOrControl(text.at(start))) ++start;
    while (end > start && isBlankOrControl(text.at(end - 1))) --end;
    return text.mid(start, end - start);
}

bool isHeadwordLine(QStringView line) {
    return trimBlanksAndControls(line).startsWith(QLatin1String("##"));
}

QString headwordOf(QStringView line) {
    return trimBlanksAndControls(trimBlanksAndControls(line).mid(2)).toString();
}

ListImporter::ListImporter(store::Table& table)
    : session_(table), headwordField_(requiredField(table, kFirstLanguageColumn)),
      bodyField_(requiredField(table, QStringLiteral("megjegyzes"))) {}

void ListImporter::addLine(QStringView line) {
    if (!isHeadwordLine(line)) {
        body_ += line;
        body_ += kCrLf;
        return;
    }
    // A block is only closed by a headword line when it has a headword of its own; otherwise
    // its lines wait for the next one.
    if (!headword_.isEmpty()) {
        storeEntry();
        body_.clear();
    }
    headword_ = headwordOf(line);
}

void ListImporter::storeEntry() {
    session_.storeRow([this](store::Table& table) {
        table.setValue(headwordField_, headword_);
        table.setValue(bodyField_, body_);
    });
}

bool ListImporter::finish() {
    if (!headword_.isEmpty()) {
        storeEntry();
        headword_.clear();
        body_.clear();
    }
    return session_.finish();
}

} // namespace verbalo
