#include "cli_commands.h"

#include "common/store/database.h"
#include "common/store/integrity.h"
#include "common/store/query.h"
#include "common/store/sql_dialect.h"
#include "common/store/sql_session.h"
#include "common/catalogue.h"
#include "common/table_layouts.h"
#include "common/text_file.h"
#include "common/text_routines.h"
#include "dictionaries/logic/dictionarizing_text.h"
#include "dictionaries/logic/pair_lookup.h"
#include "dictionaries/logic/result_writers.h"
#include "exchange/logic/import_file_text.h"
#include "exchange/logic/list_import.h"
#include "exchange/logic/list_text_writer.h"
#include "exchange/logic/pair_import.h"

namespace verbalo::cli {

using namespace verbalo::store;

namespace {

QString cellText(const QVariant& v) {
    if (v.isNull()) return QString();
    if (v.typeId() == QMetaType::QByteArray) return QStringLiteral("<%1 bytes>").arg(v.toByteArray().size());
    QString t = v.toString();
    // One row per line: keep tabs and line breaks inside a value from splitting it.
    t.replace(QLatin1Char('\t'), QLatin1Char(' '));
    t.replace(QLatin1String("\r\n"), QLatin1String(" "));
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return t;
}

} // namespace

int runSql(Database& db, const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() != 1) {
        err << "usage: verbalo-cli [--data FOLDER] sql \"STATEMENT\"\n";
        return 2;
    }
    const QStringList statements = splitStatements(args.first());
    if (statements.isEmpty()) {
        err << "no SQL statement given\n";
        return 1;
    }
    try {
        for (const QString& st : statements) {
            bool returnsRows = false;
            {
                // Prepared once to learn whether it yields rows; file-level statements never do.
                if (classifyStatement(st).kind == StatementShape::Kind::Other) {
                    Statement probe = db.session().prepare(st);
                    returnsRows = probe.columnCount() > 0;
                }
            }
            Query q(db);
            q.setSql(st);
            if (returnsRows) {
                ResultSet rs = q.open();
                QStringList header;
                for (const FieldDef& f : rs.fields()) header << f.name;
                out << header.join(QLatin1Char('\t')) << '\n';
                int rows = 0;
                for (; !rs.eof(); rs.next(), ++rows) {
                    QStringList cells;
                    for (int i = 0; i < rs.fieldCount(); ++i) cells << cellText(rs.value(i));
                    out << cells.join(QLatin1Char('\t')) << '\n';
                }
            } else {
                const int changed = q.exec();
                out << changed << (changed == 1 ? " row changed\n" : " rows changed\n");
            }
        }
    } catch (const StoreError& e) {
        err << "error: " << e.message() << '\n';
        return 1;
    }
    return 0;
}

int runTables(Database& db, const QStringList& args, QTextStream& out, QTextStream& err) {
    if (!args.isEmpty()) {
        err << "usage: verbalo-cli [--data FOLDER] tables\n";
        return 2;
    }
    try {
        for (const QString& t : db.tableNames()) out << t << '\n';
    } catch (const StoreError& e) {
        err << "error: " << e.message() << '\n';
        return 1;
    }
    return 0;
}

int runCheck(Database& db, const QStringList& args, QTextStream& out, QTextStream& err) {
    if (args.size() > 1) {
        err << "usage: verbalo-cli [--data FOLDER] check [TABLE]\n";
        return 2;
    }
    QStringList tables;
    try {
        if (args.isEmpty()) tables = db.tableNames();
        else if (db.tableExists(args.first())) tables << args.first();
        else {
            err << "error: no such table: " << args.first() << '\n';
            return 1;
        }
    } catch (const StoreError& e) {
        err << "error: " << e.message() << '\n';
        return 1;
    }
    bool allOk = true;
    for (const QString& t : tables) {
        const QStringList problems = checkTableIntegrity(db, t);
        if (problems.isEmpty()) {
            out << t << ": ok\n";
        } else {
            allOk = false;
            for (const QString& p : problems) out << t << ": " << p << '\n';
        }
    }
    return allOk ? 0 : 1;
}

namespace {

// The catalogue id of a dictionary named by its id, its name or its table name; 0 when none.
int dictionaryIdOf(Database& db, const QString& nameOrId) {
    bool numeric = false;
    const int id = nameOrId.toInt(&numeric);
    if (numeric) return dictionaryTypeOf(db, id) != NoDictionary ? id : 0;
    Query q(db);
    q.setSql(QStringLiteral("SELECT szotarak FROM szotarak WHERE szotarak_nev=%1 OR lower(tablanev)=lower(%1) ORDER BY szotarak;")
                 .arg(quoteLiteral(nameOrId)));
    ResultSet rs = q.open();
    return rs.eof() ? 0 : rs.value(0).toInt();
}

} // namespace

int runDictionarize(Database& db, const QStringList& args, QTextStream& out, QTextStream& err) {
    const char* usage = "usage: verbalo-cli [--data FOLDER] dictionarize --dict NAME|ID [--order nyelv1|nyelv2] FILE\n";
    QString dict, order, file;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--dict") && i + 1 < args.size()) dict = args[++i];
        else if (args[i] == QLatin1String("--order") && i + 1 < args.size()) order = args[++i];
        else if (file.isEmpty() && !args[i].startsWith(QLatin1String("--"))) file = args[i];
        else {
            err << usage;
            return 2;
        }
    }
    if (dict.isEmpty() || file.isEmpty() || (!order.isEmpty() && order != QLatin1String("nyelv1") && order != QLatin1String("nyelv2"))) {
        err << usage;
        return 2;
    }
    try {
        const int id = dictionaryIdOf(db, dict);
        TSzotarak info;
        if (id == 0 || !readDictionaryInfo(db, id, info, QString())) {
            err << "error: no dictionary " << dict << '\n';
            return 1;
        }
        if (info.tipus != Bilingual) {
            err << "error: " << info.szotarak_nev << " is not a bilingual dictionary\n";
            return 1;
        }
        // Like the window: the stored order unless another is asked for.
        if (order.isEmpty()) order = info.sorrend == QLatin1String("nyelv2") ? QStringLiteral("nyelv2") : QStringLiteral("nyelv1");
        const TextReadResult text = readTextFile(file);
        if (!text.ok) {
            err << "error: " << text.error << '\n';
            return 1;
        }
        const QStringList words = dictionarizingWords(joinEditorLines(text.lines));
        dictionarizeWords(db, info.tablanev, order, words, [&out](int, const DictionarizedWord& word) {
            ResultLines lines;
            appendDictionarizedWord(lines, word);
            for (int i = 0; i < lines.count(); ++i) out << lines.textView(i) << '\n';
        });
    } catch (const StoreError& e) {
        err << "error: " << e.message() << '\n';
        return 1;
    }
    return 0;
}


namespace {

// The arguments of the import and export commands: --dict NAME|ID, a --sep CHAR where allowed,
// and one file. False after printing the usage.
struct ExchangeArgs {
    QString dict;
    QString separator;
    QString file;
};

bool parseExchangeArgs(const QStringList& args, bool withSeparator, const char* usage, ExchangeArgs& parsed, QTextStream& err) {
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--dict") && i + 1 < args.size()) parsed.dict = args[++i];
        else if (withSeparator && args[i] == QLatin1String("--sep") && i + 1 < args.size()) parsed.separator = args[++i];
        else if (parsed.file.isEmpty() && !args[i].startsWith(QLatin1String("--"))) parsed.file = args[i];
        else {
            err << usage;
            return false;
        }
    }
    if (parsed.dict.isEmpty() || parsed.file.isEmpty()) {
        err << usage;
        return false;
    }
    return true;
}

// The dictionary named on the command line when it is of the type wanted; false after the error.
bool findDictionary(Database& db, const QString& dict, int type, TSzotarak& info, QTextStream& err) {
    const int id = dictionaryIdOf(db, dict);
    if (id == 0 || !readDictionaryInfo(db, id, info, QString())) {
        err << "error: no dictionary " << dict << '\n';
        return false;
    }
    if (info.tipus != type) {
        err << "error: " << info.szotarak_nev << " is not a " << (type == Bilingual ? "bilingual dictionary" : "headword list") << '\n';
        return false;
    }
    return true;
}

void printCounts(const QString& file, const ImportCounts& counts, QTextStream& out) {
    out << file << ": " << counts.offered << " offered, " << counts.stored << " stored, " << counts.refused << " refused\n";
}

} // namespace

// The steps both imports share: the dictionary of the kind asked for, the file read as the
// import windows read it, the dictionary's table opened; makeImporter(table) makes the
// importer and feed(importer, text) offers it the file's lines. The counts are printed and a
// stop is reported; the exit code is returned.
template <typename MakeImporter, typename Feed>
int importFile(Database& db, const ExchangeArgs& a, int type, QTextStream& out, QTextStream& err, MakeImporter makeImporter,
               Feed feed) {
    try {
        TSzotarak info;
        if (!findDictionary(db, a.dict, type, info, err)) return 1;
        const ImportText file = readImportText(a.file);
        if (!file.ok) {
            err << "error: " << file.error << '\n';
            return 1;
        }
        Table table(db);
        table.setTableName(info.tablanev);
        table.open();
        auto importer = makeImporter(table);
        feed(importer, file.text);
        const bool ok = importer.finish();
        printCounts(a.file, importer.counts(), out);
        if (!ok) {
            err << "error: import stopped: " << importer.failure() << '\n';
            return 1;
        }
    } catch (const StoreError& e) {
        err << "error: " << e.message() << '\n';
        return 1;
    }
    return 0;
}

int runImportPairs(Database& db, const QStringList& args, QTextStream& out, QTextStream& err) {
    const char* usage = "usage: verbalo-cli [--data FOLDER] import-pairs --dict NAME|ID [--sep CHAR] FILE\n"
                        "CHAR is one character; \"tab\" or \"\\t\" for TAB; default ;\n";
    ExchangeArgs a;
    if (!parseExchangeArgs(args, true, usage, a, err)) return 2;
    if (a.separator.isEmpty()) a.separator = QStringLiteral(";");
    else if (a.separator == QLatin1String("tab") || a.separator == QLatin1String("\\t")) a.separator = QStringLiteral("\t");
    if (a.separator.size() != 1) {
        err << usage;
        return 2;
    }
    const QChar separator = a.separator.at(0);
    return importFile(
        db, a, Bilingual, out, err, [separator](Table& table) { return PairImporter(table, separator); },
        [](PairImporter& importer, const QString& text) {
            // Lines as the import window's editor holds them: a final line break offers an empty line.
            forEachLine(text, true, [&importer](QStringView line) { return importer.offer(line.toString()) != RowResult::Failed; });
        });
}

int runImportList(Database& db, const QStringList& args, QTextStream& out, QTextStream& err) {
    const char* usage = "usage: verbalo-cli [--data FOLDER] import-list --dict NAME|ID FILE\n";
    ExchangeArgs a;
    if (!parseExchangeArgs(args, false, usage, a, err)) return 2;
    return importFile(
        db, a, HeadwordList, out, err, [](Table& table) { return ListImporter(table); },
        [](ListImporter& importer, const QString& text) {
            forEachLine(text, false, [&importer](QStringView line) {
                importer.addLine(line);
                return !importer.failed();
            });
        });
}

int runExportList(Database& db, const QStringList& args, QTextStream& out, QTextStream& err) {
    const char* usage = "usage: verbalo-cli [--data FOLDER] export-list --dict NAME|ID FILE\n";
    ExchangeArgs a;
    if (!parseExchangeArgs(args, false, usage, a, err)) return 2;
    try {
        TSzotarak info;
        if (!findDictionary(db, a.dict, HeadwordList, info, err)) return 1;
        Table table(db);
        table.setTableName(info.tablanev);
        table.open();
        const TextWriteResult written = writeListText(table, a.file);
        if (!written.ok) {
            err << "error: " << written.error << '\n';
            return 1;
        }
        out << a.file << ": " << table.recordCount() << " entries written ("
            << (written.encoding == TextEncoding::Utf8 ? "UTF-8" : "Windows-1250") << ")\n";
    } catch (const StoreError& e) {
        err << "error: " << e.message() << '\n';
        return 1;
    }
    return 0;
}

} // namespace verbalo::cli
