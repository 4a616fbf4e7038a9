#pragma once

#include "exchange/logic/export_fields.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace verbalo {

struct TSzotarak;

namespace store {
class Table;
}

// A column of the page: the field shown, its caption and its width in percent.
struct HtmlColumn {
    QString field;
    QString caption;
    int width = 0;
};

constexpr int kMaxHtmlColumns = 50;

// Columns from entries "field;caption;width;". Throws ExportError for a width that is not a
// whole number, before anything is shown or written. Entries past the fiftieth are dropped.
std::vector<HtmlColumn> parseHtmlColumns(const QStringList& entries);

// The bilingual dictionary's two columns, named by its languages, as wide as their shares of
// the window (0.62 gives 62).
QStringList bilingualHtmlColumns(const TSzotarak& info);

// The documents folder, "/", and the title with ".htm" made into a file name.
QString defaultHtmlFileName(const QString& documentsFolder, const QString& title);

// "&", "<", ">" and '"' as character references, so that a value reads as text and cannot add
// markup to the page.
QString escapeHtml(const QString& text);

// Called every tenth row with the rows done.
using HtmlProgress = std::function<void(int rowsDone)>;

// The page's lines: head, title, the table with a grey header row and one row per record from
// the first in the table's order, the time now (from clock) and the program line. The table is
// left on its first row; its controls do not follow the loop. Throws ExportError for a column
// whose field the table lacks, and the store's errors.
QStringList htmlPageLines(store::Table& table, const std::vector<HtmlColumn>& columns, const QString& title,
                          const std::function<QDateTime()>& clock, const HtmlProgress& progress = {});

// The page's bytes in ISO-8859-2, as its head declares, when every character fits; otherwise
// in UTF-8 with the declaration changed to match.
QByteArray encodeHtmlPage(const QStringList& lines, bool* utf8 = nullptr);

struct HtmlPageResult {
    bool ok = false;
    QString error;
    int rows = 0;
    bool utf8 = false;
};

// Builds the page and writes it whole, or leaves the previous file as it was.
HtmlPageResult writeHtmlPage(store::Table& table, const std::vector<HtmlColumn>& columns, const QString& title,
                             const QString& path, const std::function<QDateTime()>& clock = &QDateTime::currentDateTime,
                             const HtmlProgress& progress = {});

} // namespace verbalo
