#include "exchange/logic/html_page_export.h"

#include "common/catalogue.h"
#include "common/safe_file_writer.h"
#include "common/store/store_error.h"
#include "common/store/table.h"
#include "common/text_routines.h"
#include "exchange/logic/data_export.h"
#include "exchange/logic/encoded_text_buffer.h"

#include <cmath>

namespace verbalo {

namespace {

const QString kIsoCharset = QStringLiteral("charset=iso-8859-2");
constexpr int kCharsetLine = 3;

// The page is made by the main program, whatever tool writes it.
const QString kProgramLine = QStringLiteral("<p><font face=\"Courier New\" size=\"1\">Verbalo9 1.0.0.1</font></p>");

QString alignmentPrefix(FieldAlignment alignment) {
    switch (alignment) {
    case FieldAlignment::Right: return QStringLiteral("<p align=\"right\">");
    case FieldAlignment::Center: return QStringLiteral("<p align=\"center\">");
    case FieldAlignment::Left: break;
    }
    return QString();
}

// Shares are fractions held as doubles: 0.29 * 100 is 28.999…, which must still give 29.
int percentOf(double share) {
    return static_cast<int>(std::floor(share * 100.0 + 1e-7));
}

} // namespace

std::vector<HtmlColumn> parseHtmlColumns(const QStringList& entries) {
    std::vector<HtmlColumn> columns;
    for (const QString& entry : entries) {
        if (static_cast<int>(columns.size()) == kMaxHtmlColumns) break;
        HtmlColumn c;
        c.field = getToken(QStringLiteral(";"), entry, 1);
        c.caption = getToken(QStringLiteral(";"), entry, 2);
        const QString width = getToken(QStringLiteral(";"), entry, 3);
        bool ok = false;
        c.width = width.trimmed().toInt(&ok);
        if (!ok) throw ExportError(QStringLiteral("'%1' nem érvényes egész szám.").arg(width));
        columns.push_back(c);
    }
    return columns;
}

QStringList bilingualHtmlColumns(const TSzotarak& info) {
    return {QStringLiteral("nyelv1;%1;%2;").arg(info.nyelv1).arg(percentOf(info.nyelv1szeles)),
            QStringLiteral("nyelv2;%1;%2;").arg(info.nyelv2).arg(percentOf(info.nyelv2szeles))};
}

QString defaultHtmlFileName(const QString& documentsFolder, const QString& title) {
    return documentsFolder + QLatin1Char('/') + cleanFileName(title + QStringLiteral(".htm"));
}

QString escapeHtml(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '"': out += QLatin1String("&quot;"); break;
        default: out += c;
        }
    }
    return out;
}

QStringList htmlPageLines(store::Table& table, const std::vector<HtmlColumn>& columns, const QString& title,
                          const std::function<QDateTime()>& clock, const HtmlProgress& progress) {
    const std::vector<ExportField> fields = exportFieldsOf(table);
    std::vector<int> fieldOf;
    for (const HtmlColumn& c : columns) {
        const int f = table.fieldIndex(c.field);
        if (f < 0)
            throw ExportError(QStringLiteral("A(z) %1 mező nem található a(z) %2 táblában.").arg(c.field, table.tableName()));
        fieldOf.push_back(f);
    }
    const QString t = escapeHtml(title);
    QStringList lines = {
        QStringLiteral("<!DOCTYPE html>"),
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\">"),
        QStringLiteral("<title>") + t + QStringLiteral("</title>"),
        QStringLiteral("<meta name=\"GENERATOR\" content=\"Kelvora Bt. Grid2Html\">"),
        QStringLiteral("</head>"),
        QStringLiteral("<body>"),
        QStringLiteral("<p><strong><font face=\"Verdana\" size=\"2\">") + t + QStringLiteral("</font></strong></p>"),
        QStringLiteral("<p><strong><font face=\"Verdana\" size=\"1\"></font></strong></p>"),
        QStringLiteral("<div align=\"center\"><center>"),
        QString(),
        QStringLiteral("<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\" width=\"90%\">"),
    };

    table.disableControls();
    try {
        store::ReadSpan reading(table);
        table.first();
        lines << QStringLiteral("  <tr>");
        for (size_t i = 0; i < columns.size(); ++i)
            lines << QStringLiteral("    <td width=\"%1%\" bgcolor=\"#C0C0C0\"><font face=\"Verdana\" size=\"1\"><strong>")
                             .arg(columns[i].width) +
                         alignmentPrefix(fields[static_cast<size_t>(fieldOf[i])].alignment) + escapeHtml(columns[i].caption) +
                         QStringLiteral("</strong></font></td>");
        lines << QStringLiteral("  </tr>");
        int rows = 0;
        while (!table.eof()) {
            ++rows;
            if (progress && rows % 10 == 0) progress(rows);
            lines << QStringLiteral("  <tr>");
            for (size_t i = 0; i < columns.size(); ++i) {
                const ExportField& f = fields[static_cast<size_t>(fieldOf[i])];
                lines << QStringLiteral("    <td width=\"%1%\"><font face=\"Verdana\" size=\"1\">").arg(columns[i].width) +
                             alignmentPrefix(f.alignment) + escapeHtml(fieldDisplayText(table.value(fieldOf[i]), f.kind)) +
                             QStringLiteral("</font></td>");
            }
            lines << QStringLiteral("  </tr>");
            table.next();
        }
        table.first();
    } catch (...) {
        table.enableControls();
        throw;
    }
    table.enableControls();

    lines << QStringLiteral("</table>") << QStringLiteral("</center></div>") << QString()
          << QStringLiteral("<p><font face=\"Verdana\" size=\"1\">") + clock().toString(QStringLiteral("yyyy.MM.dd HH:mm:ss")) +
                 QStringLiteral("</font></p>")
          << QString() << kProgramLine << QString() << QStringLiteral("</body>") << QStringLiteral("</html>");
    return lines;
}

QByteArray encodeHtmlPage(const QStringList& lines, bool* utf8) {
    EncodedTextBuffer page(EightBitCodePage::Iso8859_2);
    for (const QString& line : lines) page.addLine(line);
    if (utf8) *utf8 = page.isUtf8();
    if (!page.isUtf8()) return page.bytes();
    QByteArray bytes;
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        if (i == kCharsetLine) line.replace(kIsoCharset, QStringLiteral("charset=utf-8"));
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

HtmlPageResult writeHtmlPage(store::Table& table, const std::vector<HtmlColumn>& columns, const QString& title,
                             const QString& path, const std::function<QDateTime()>& clock, const HtmlProgress& progress) {
    HtmlPageResult result;
    QStringList lines;
    try {
        lines = htmlPageLines(table, columns, title, clock, progress);
        result.rows = table.recordCount();
    } catch (const ExportError& e) {
        result.error = e.message();
        return result;
    } catch (const store::StoreError& e) {
        result.error = e.message();
        return result;
    }
    const FileWriteResult written = writeFileSafely(path, encodeHtmlPage(lines, &result.utf8));
    result.ok = written.ok;
    result.error = written.error;
    return result;
}

} // namespace verbalo
