// new, dicts, lookup and dictionarize: the catalogue and the bilingual dictionaries.
#include "app/cli/command_run.h"
#include "app/cli/commands.h"
#include "app/cli/row_formats.h"

#include "common/catalogue.h"
#include "common/store/database.h"
#include "common/store/query.h"
#include "common/store/store_error.h"
#include "common/table_layouts.h"
#include "common/text_file.h"
#include "dictionaries/logic/dictionarizing_text.h"
#include "dictionaries/logic/pair_lookup.h"
#include "dictionaries/logic/pair_search.h"
#include "dictionaries/logic/result_writers.h"
#include "main/logic/dictionary_creation.h"
#include "quickfinder/logic/word_lookup.h"

namespace verbalo::cli {

using namespace verbalo::store;

namespace {

int typeCodeNamed(const QString& name) {
    if (name == QLatin1String("pairs")) return Bilingual;
    if (name == QLatin1String("list")) return HeadwordList;
    if (name == QLatin1String("gallery")) return ImageGallery;
    if (name == QLatin1String("recipes")) return RecipeBook;
    return NoDictionary;
}

// --order when given, otherwise the order the dictionary's window was last left in.
QString orderColumnOf(const CommandRun& run, const TSzotarak& info) {
    if (run.isSet("order")) return run.value("order");
    return info.sorrend == kSecondLanguageColumn ? kSecondLanguageColumn : kFirstLanguageColumn;
}

void printLines(const ResultLines& lines, QTextStream& out) {
    for (int i = 0; i < lines.count(); ++i) out << lines.textView(i) << '\n';
}

} // namespace

int runNew(CommandRun& run) {
    NewDictionary d;
    d.type = typeCodeNamed(run.value("type"));
    d.name = run.value("name");
    d.table = run.value("table");
    d.language1 = run.value("lang1");
    d.language2 = run.value("lang2");
    if (run.isSet("width")) {
        if (d.type != Bilingual) return run.usageError(QStringLiteral("--width csak a pairs típusnál adható meg"));
        d.firstWidth = d.secondWidth = run.value("width");
    }
    try {
        run.out << createDictionary(run.db, d) << '\n';
    } catch (const StoreError& e) {
        return run.fail(QStringLiteral("Tábla létrehozása sikertelen: ") + e.message());
    }
    return 0;
}

int runDicts(CommandRun& run) {
    const RowFormat format = rowFormatNamed(run.value("format")).value_or(RowFormat::Tsv);
    try {
        const QList<CatalogueEntry> entries = catalogueEntries(run.db);
        const std::unique_ptr<RowWriter> writer = makeRowWriter(format, run.out);
        writer->begin({QStringLiteral("szotarak"), QStringLiteral("szotarak_nev"), QStringLiteral("tablanev"),
                       QStringLiteral("tipus"), QStringLiteral("letezik")});
        for (const CatalogueEntry& e : entries)
            writer->row({QVariant::fromValue<qlonglong>(e.id), e.name, e.table, QVariant::fromValue<qlonglong>(e.type),
                         e.present ? QStringLiteral("I") : QStringLiteral("N")});
        writer->end();
    } catch (const StoreError& e) {
        return run.fail(e.message());
    }
    return 0;
}

int runLookup(CommandRun& run) {
    try {
        TSzotarak info;
        if (!run.findDictionary(Bilingual, info)) return 1;
        const QString column = orderColumnOf(run, info);
        if (run.isSet("prefix")) {
            // The search tab's prefix list, with the statement it runs.
            for (const QString& prefix : run.arguments) {
                if (prefix.size() < kPrefixListMinLength)
                    return run.fail(
                        QStringLiteral("Túl rövid kezdet: %1 (legalább %2 karakter kell)").arg(prefix).arg(kPrefixListMinLength));
                Query q(run.db);
                q.setSql(prefixListStatement(info.tablanev, column, prefix));
                for (ResultSet rs = q.open(); !rs.eof(); rs.next())
                    run.out << tsvEscaped(rs.text(column)) << '\t' << tsvEscaped(rs.text(otherLanguageColumn(column))) << '\n';
            }
            return 0;
        }
        bool allFound = true;
        for (const QString& word : run.arguments) {
            // A lookup of its own per word: the quick finder skips a word asked for twice in a row.
            WordLookup lookup(run.db);
            lookup.setTable(info.tablanev);
            lookup.setSearchColumn(column);
            const std::optional<LookupOutcome> outcome = lookup.lookUp(word);
            if (!outcome) continue; // an empty word has nothing to look up
            if (!outcome->error.isEmpty()) return run.fail(outcome->error);
            ResultLines lines;
            appendCaretWord(lines, {outcome->word, !outcome->translations.isEmpty(), outcome->translations});
            printLines(lines, run.out);
            if (outcome->translations.isEmpty()) {
                allFound = false;
                run.err << "nincs találat: " << word << '\n';
            }
        }
        return allFound ? 0 : 1;
    } catch (const StoreError& e) {
        return run.fail(e.message());
    }
}

int runDictionarize(CommandRun& run) {
    try {
        TSzotarak info;
        if (!run.findDictionary(Bilingual, info)) return 1;
        const TextReadResult text = readTextFile(run.arguments.first());
        if (!text.ok) return run.fail(text.error);
        const QStringList words = dictionarizingWords(joinEditorLines(text.lines));
        dictionarizeWords(run.db, info.tablanev, orderColumnOf(run, info), words, [&run](int, const DictionarizedWord& word) {
            ResultLines lines;
            appendDictionarizedWord(lines, word);
            printLines(lines, run.out);
        });
    } catch (const StoreError& e) {
        return run.fail(e.message());
    }
    return 0;
}

} // namespace verbalo::cli
