#include "exchange/logic/list_text_writer.h"

#include "common/table_layouts.h"

#include "common/store/store_error.h"
#include "common/store/table.h"
#include "common/text_routines.h"

namespace verbalo {

QStringList listTextLines(store::Table& table) {
    const int headwordField = table.fieldIndex(kFirstLanguageColumn);
    const int bodyField = table.fieldIndex(QStringLiteral("megjegyzes"));
    if (headwordField < 0 || bodyField < 0)
        throw store::StoreError(QStringLiteral("table %1 is not a headword list").arg(table.tableName()));
    QStringList lines;
    store::ReadSpan reading(table);
    const int rows = table.recordCount();
    for (int row = 0; row < rows; ++row) {
        lines << QStringLiteral("##") + nullToStr(table.valueAt(row, headwordField), QString());
        const QString body = nullToStr(table.valueAt(row, bodyField), QString());
        // The body goes out as its own lines, whatever line ends it was stored with, so that
        // every line of the file ends with CR LF.
        if (body.isEmpty())
            lines << QString();
        else
            lines << splitLines(body, true);
    }
    return lines;
}

TextWriteResult writeListText(store::Table& table, const QString& path) {
    return writeTextFile(path, listTextLines(table));
}

} // namespace verbalo
