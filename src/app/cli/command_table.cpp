#include "app/cli/command_table.h"

#include "common/table_layouts.h"

#include "app/cli/commands.h"

namespace verbalo::cli {

namespace {

// Options and arguments are written out in full: the table is read more than it is written.
OptionSpec option(const QString& name, const QString& valueName, const QString& description,
                  Completion completion = Completion::None, const QStringList& choices = {}) {
    OptionSpec o;
    o.name = name;
    o.valueName = valueName;
    o.description = description;
    o.completion = completion;
    o.choices = choices;
    return o;
}

OptionSpec required(OptionSpec o) {
    o.required = true;
    return o;
}

OptionSpec hidden(OptionSpec o) {
    o.hidden = true;
    return o;
}

ArgumentSpec arguments(const QString& name, const QString& description, int min, int max,
                       Completion completion = Completion::None) {
    ArgumentSpec a;
    a.name = name;
    a.description = description;
    a.min = min;
    a.max = max;
    a.completion = completion;
    return a;
}

OptionSpec dictOption(const QString& kinds) {
    return required(option(QStringLiteral("dict"), QStringLiteral("NAME|ID"),
                           QStringLiteral("the %1, by its catalogue id, its name or its table name").arg(kinds)));
}

OptionSpec orderOption(const QString& what) {
    return option(QStringLiteral("order"), QStringLiteral("COLUMN"),
                  QStringLiteral("the column %1; default: the order the dictionary was last shown in").arg(what),
                  Completion::Choices, {kFirstLanguageColumn, kSecondLanguageColumn});
}

OptionSpec formatOption() {
    return option(
        QStringLiteral("format"), QStringLiteral("FORMAT"),
        QStringLiteral("tsv (default): tab-separated with a header line, tab, CR, LF and backslash written as \\t, \\r, "
                       "\\n and \\\\, blobs as <N bytes>; csv: RFC 4180 with a header record, values quoted where "
                       "needed with inner quotes doubled, line breaks kept inside the quotes, CR LF after every "
                       "record, blobs in base64; json: one array of objects per result, numbers as numbers, null as "
                       "null, blobs as base64 strings"),
        Completion::Choices, {QStringLiteral("tsv"), QStringLiteral("csv"), QStringLiteral("json")});
}

std::vector<CommandSpec> makeTable() {
    return {
        {QStringLiteral("sql"),
         QStringLiteral("run SQL statements on the data folder"),
         QStringLiteral("Runs STATEMENT, or the script of --file, one statement at a time. A statement that yields "
                        "rows prints them; any other prints how many rows it changed (tsv only: csv and json print "
                        "rows alone). A script file is read as the programs read text files: UTF-8 when it says so "
                        "or its bytes are UTF-8, Windows-1250 otherwise. The first statement that fails stops the "
                        "run with FILE:LINE: and the message; the statements before it stay done.\n\n"
                        "A statement that starts with \"-\" goes after \"--\"."),
         {formatOption(), option(QStringLiteral("file"), QStringLiteral("SCRIPT"),
                                 QStringLiteral("run the statements of a script file instead"), Completion::File)},
         arguments(QStringLiteral("STATEMENT"), QStringLiteral("one or more statements separated by \";\""), 0, 1),
         runSql},
        {QStringLiteral("tables"), QStringLiteral("list the tables of the data folder"), QString(), {}, {}, runTables},
        {QStringLiteral("check"),
         QStringLiteral("integrity check of one or every table file"),
         QStringLiteral("Prints TABLE: ok for each sound table and one line per problem otherwise; exit status 1 "
                        "when any table has a problem."),
         {},
         arguments(QStringLiteral("TABLE"), QStringLiteral("the table to check; every table when left out"), 0, 1),
         runCheck},
        {QStringLiteral("dicts"),
         QStringLiteral("list the dictionaries of the catalogue"),
         QStringLiteral("One row per catalogue entry in id order: szotarak (id), szotarak_nev (name), tablanev "
                        "(table), tipus (1 pairs, 2 list, 3 gallery, 5 recipes) and letezik: I when the table is in "
                        "the data folder now, N when it is not."),
         {formatOption()},
         {},
         runDicts},
        {QStringLiteral("new"),
         QStringLiteral("make a dictionary: its table and its catalogue row"),
         QStringLiteral("Makes the table with the layout of its type and the catalogue row, with the checks of "
                        "the properties window: a table name that is empty, that the SQL cannot take as it stands "
                        "(blanks, hyphens, quotes) or that exists already is refused, and nothing is made. Prints the "
                        "new dictionary's id."),
         {required(option(
              QStringLiteral("type"), QStringLiteral("TYPE"),
              QStringLiteral("pairs (bilingual word pairs), list (headwords with long texts), gallery (pictures), recipes"),
              Completion::Choices,
              {QStringLiteral("pairs"), QStringLiteral("list"), QStringLiteral("gallery"), QStringLiteral("recipes")})),
          required(option(QStringLiteral("name"), QStringLiteral("NAME"), QStringLiteral("the dictionary's name"))),
          required(option(QStringLiteral("table"), QStringLiteral("TABLE"),
                          QStringLiteral("the name of its table in the data folder"))),
          option(QStringLiteral("lang1"), QStringLiteral("L1"),
                 QStringLiteral("the first language, or the headword column's title")),
          option(QStringLiteral("lang2"), QStringLiteral("L2"),
                 QStringLiteral("the second language, or the text column's title")),
          option(QStringLiteral("width"), QStringLiteral("N"),
                 QStringLiteral("pairs: the width of both text columns (5..255); default 50"))},
         {},
         runNew},
        {QStringLiteral("lookup"),
         QStringLiteral("translate words with a bilingual dictionary"),
         QStringLiteral("Prints each WORD and under it, indented by three blanks, the other column of every pair "
                        "whose column equals the word without regard to letter case, as the quick finder finds "
                        "them. Exit status 1 when a word is not found (the others are still printed).\n\n"
                        "With --prefix, prints the pairs whose column starts with WORD (at least two characters; "
                        "\"%\" and \"_\" are wildcards), one pair a line: the column, a tab, the other column, as the "
                        "bilingual window's search list."),
         {dictOption(QStringLiteral("bilingual dictionary")), orderOption(QStringLiteral("looked in")),
          option(QStringLiteral("prefix"), QString(), QStringLiteral("list the pairs that start with WORD instead"))},
         arguments(QStringLiteral("WORD"), QStringLiteral("the words to look up"), 1, -1),
         runLookup},
        {QStringLiteral("dictionarize"),
         QStringLiteral("look every word of a text file up in a bilingual dictionary"),
         QStringLiteral("Prints each word of the text and its translations, as the bilingual window's "
                        "dictionarizing does."),
         {dictOption(QStringLiteral("bilingual dictionary")), orderOption(QStringLiteral("looked in"))},
         arguments(QStringLiteral("FILE"), QStringLiteral("the text file"), 1, 1, Completion::File),
         runDictionarize},
        {QStringLiteral("import-pairs"),
         QStringLiteral("add the word pairs of a text file to a bilingual dictionary"),
         QStringLiteral("One pair a line, the two words separated by CHAR; prints how many lines were offered, "
                        "stored and refused."),
         {dictOption(QStringLiteral("bilingual dictionary")),
          option(QStringLiteral("sep"), QStringLiteral("CHAR"),
                 QStringLiteral("the separator: one character, \"tab\" or \"\\t\" for TAB; default ;"))},
         arguments(QStringLiteral("FILE"), QStringLiteral("the text file"), 1, 1, Completion::File),
         runImportPairs},
        {QStringLiteral("import-list"),
         QStringLiteral("add the \"##\" headword blocks of a text file to a headword list"),
         QString(),
         {dictOption(QStringLiteral("headword list"))},
         arguments(QStringLiteral("FILE"), QStringLiteral("the text file"), 1, 1, Completion::File),
         runImportList},
        {QStringLiteral("import-gallery"),
         QStringLiteral("add the captioned pictures of a text file to an image gallery"),
         QStringLiteral("One picture a line: the caption, \"=\" and the picture file's path, neither trimmed; a line "
                        "whose path names no file is skipped. A relative path is looked for beside FILE first, then "
                        "in the current folder. The file's bytes are stored unchanged. Prints how many pictures were "
                        "offered, stored and refused (a caption that exists); a picture that cannot be read stops "
                        "the import with exit status 1, the pictures before it stay stored."),
         {dictOption(QStringLiteral("image gallery"))},
         arguments(QStringLiteral("FILE"), QStringLiteral("the text file"), 1, 1, Completion::File),
         runImportGallery},
        {QStringLiteral("import-recipes"),
         QStringLiteral("add the \"@\" recipes of a text file to a recipe book"),
         QStringLiteral("Recipes between \"@ujrecept\" and \"@receptvege\", with \"@kategoria=\", \"@finomsag=\", "
                        "\"@nehezseg=\", \"@ido=\", \"@kep=\" and the sections \"@hozzavalok\" and \"@elkeszites\". "
                        "Prints how many recipes were offered, stored and refused. A difficulty or time that is not a "
                        "whole number, a directive outside a recipe or a picture that cannot be read stops the import "
                        "with the line's number and exit status 1; the recipes before it stay stored."),
         {dictOption(QStringLiteral("recipe book"))},
         arguments(QStringLiteral("FILE"), QStringLiteral("the text file"), 1, 1, Completion::File),
         runImportRecipes},
        {QStringLiteral("export-list"),
         QStringLiteral("write a headword list as a \"##\" text file"),
         QString(),
         {dictOption(QStringLiteral("headword list"))},
         arguments(QStringLiteral("FILE"), QStringLiteral("the file to write"), 1, 1, Completion::File),
         runExportList},
        {QStringLiteral("export-delimited"),
         QStringLiteral("write a dictionary's rows as delimited text, or as a spreadsheet"),
         QStringLiteral("Writes every field of every row in the order the dictionary's window shows it, as the export "
                        "window does: a header line of the field names (an empty line with --no-header), then one "
                        "line per row, each value between the quote characters and followed by the separator, the "
                        "last one too; nothing inside a value is escaped. Memos are written as BLOB unless "
                        "--memo-lines joins their lines with \"|\". CR LF after every line; Windows-1250, or UTF-8 "
                        "with a byte order mark when a character needs it.\n\n"
                        "A FILE whose name ends in .xls (any letter case) gets an Excel 2.1 worksheet instead, with a "
                        "header row and typed cells; the text options are not used then. A worksheet holds 65535 "
                        "rows: the rest are left out, and the exit status is 1."),
         {dictOption(QStringLiteral("dictionary")),
          option(QStringLiteral("sep"), QStringLiteral("CHAR"), QStringLiteral("the separator: ; (default), tab, , or |")),
          option(QStringLiteral("quote"), QStringLiteral("CHAR"), QStringLiteral("the quote character: \", ' or none (default)")),
          option(QStringLiteral("no-header"), QString(), QStringLiteral("leave the first line empty")),
          option(QStringLiteral("field-names"), QString(),
                 QStringLiteral("head the columns with the field names rather than their captions")),
          option(QStringLiteral("memo-lines"), QString(),
                 QStringLiteral("write memos as their lines joined with \"|\" instead of BLOB"))},
         arguments(QStringLiteral("FILE"), QStringLiteral("the file to write"), 1, 1, Completion::File),
         runExportDelimited},
        {QStringLiteral("export-html"),
         QStringLiteral("write a bilingual dictionary as an HTML page"),
         QStringLiteral("One table with a column per language, as wide as in the dictionary's window, in the order "
                        "the window shows it, then the date and time of writing. The page is ISO-8859-2 as it "
                        "declares, or UTF-8 (and says so) when a character needs it."),
         {dictOption(QStringLiteral("bilingual dictionary"))},
         arguments(QStringLiteral("FILE"), QStringLiteral("the file to write"), 1, 1, Completion::File),
         runExportHtml},
        {QStringLiteral("install"),
         QStringLiteral("download and install a dictionary package"),
         QStringLiteral("Fetches the ZIP package at URL, checks its members and table files, puts them into the data "
                        "folder and, unless the catalogue already has a row for the table, adds one from the "
                        "package's settings file \".ini\" and its icons, as the download window does. A table "
                        "that exists is replaced in place; any failure leaves the data folder as it was."),
         {option(QStringLiteral("table"), QStringLiteral("TABLE"),
                 QStringLiteral("the dictionary's table name; default: the package's file name without \".zip\""))},
         arguments(QStringLiteral("URL"), QStringLiteral("the package's address"), 1, 1),
         runInstall},
        {QStringLiteral("print"),
         QStringLiteral("print a dictionary into a PDF file, as the print commands lay it out"),
         QStringLiteral("Renders the dictionary on A4 pages in the order its window shows it, as the program's "
                        "preview does, and writes them as one PDF file (complete, or the old file stays). list: a "
                        "bilingual dictionary as its word list, a headword list with its texts; columns2, columns3, "
                        "columns4: a bilingual dictionary in the dictionary format of that many columns, each "
                        "headword once with its translations below it. Tahoma and Arial are drawn in DejaVu Sans "
                        "where they are not installed. Prints the number of pages."),
         {dictOption(QStringLiteral("bilingual dictionary or headword list")),
          required(option(
              QStringLiteral("layout"), QStringLiteral("LAYOUT"), QStringLiteral("list, columns2, columns3 or columns4"),
              Completion::Choices,
              {QStringLiteral("list"), QStringLiteral("columns2"), QStringLiteral("columns3"), QStringLiteral("columns4")})),
          required(
              option(QStringLiteral("pdf"), QStringLiteral("FILE"), QStringLiteral("the PDF file to write"), Completion::File))},
         {},
         runPrint},
    };
}

} // namespace

const std::vector<OptionSpec>& globalOptions() {
    static const std::vector<OptionSpec> options = {
        option(QStringLiteral("data"), QStringLiteral("FOLDER"),
               QStringLiteral("the data folder; a new or empty folder gets an empty catalogue, a folder holding other "
                              "files but no catalogue is refused. Default: the data folder of Verbalo9.ini"),
               Completion::Folder),
        option(QStringLiteral("help"), QString(), QStringLiteral("show this help; COMMAND --help shows a command's")),
        hidden(option(QStringLiteral("man-page"), QString(), QStringLiteral("print the manual page"))),
        hidden(option(QStringLiteral("bash-completion"), QString(), QStringLiteral("print the bash completion script"))),
    };
    return options;
}

const std::vector<CommandSpec>& commandTable() {
    static const std::vector<CommandSpec> table = makeTable();
    return table;
}

const CommandSpec* findCommand(const QString& name) {
    for (const CommandSpec& c : commandTable())
        if (c.name == name) return &c;
    return nullptr;
}

} // namespace verbalo::cli
