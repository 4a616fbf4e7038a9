#include "exchange/logic/pair_import.h"

#include "common/table_layouts.h"

#include "common/text_routines.h"

namespace verbalo {

QChar pairSeparator(int choice) {
    switch (choice) {
    case 1: return QLatin1Char(',');
    case 2: return QLatin1Char('\t');
    case 3: return QLatin1Char('|');
    default: return QLatin1Char(';');
    }
}

PairFields splitPairLine(const QString& line, QChar separator) {
    const QString separators(separator);
    return PairFields{getToken(separators, line, 1), getToken(separators, line, 2)};
}

PairImporter::PairImporter(store::Table& table, QChar separator)
    : session_(table), separator_(separator), firstField_(requiredField(table, kFirstLanguageColumn)),
      secondField_(requiredField(table, kSecondLanguageColumn)) {}

RowResult PairImporter::offer(const QString& line) {
    const PairFields fields = splitPairLine(line, separator_);
    return session_.storeRow([&](store::Table& table) {
        table.setValue(firstField_, fields.first);
        table.setValue(secondField_, fields.second);
    });
}

} // namespace verbalo
