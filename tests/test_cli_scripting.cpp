// verbalo-cli as scripts use it: command lines against real data folders, with their exact
// output and exit status; csv and json read back by Python; the generated documents.
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QString err;
};

Run cli(const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C")); // output is UTF-8 all the same
    env.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    p.setProcessEnvironment(env);
    p.start(qEnvironmentVariable("VERBALO_CLI"), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            QString::fromUtf8(p.readAllStandardError())};
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A data folder made the way a user makes one: "Angol" (id 1, pairs in angol) and "Lexikon"
// (id 2, a headword list in lexikon), both through verbalo-cli itself.
bool makeDataFolder(const QString& folder) {
    const QList<QStringList> steps = {
        {"new", "--type", "pairs", "--name", "Angol", "--table", "angol", "--lang1", "magyar", "--lang2", "angol"},
        {"new", "--type", "list", "--name", "Lexikon", "--table", "lexikon"},
        {"sql", "INSERT INTO angol VALUES ('alma','apple'),('Alma','Apple Inc'),('almafa','apple tree'),('körte','pear')"},
        {"sql", "INSERT INTO lexikon VALUES ('sor', 'első' || char(13) || char(10) || 'második' || char(9) || 'tab \\ per')"},
    };
    for (const QStringList& step : steps)
        if (cli(QStringList{"--data", folder} + step).status != 0) return false;
    return true;
}

} // namespace

class CliScriptingTest : public QObject {
    Q_OBJECT
private slots:
    void commandLines_data();
    void commandLines();
    void dataFolderRules_data();
    void dataFolderRules();
    void csvAndJsonReadBackByPython();
    void documentsFollowTheCommandTable();
};

void CliScriptingTest::commandLines_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("dicts")
        << QStringList{"dicts"} << 0
        << QByteArray("szotarak\tszotarak_nev\ttablanev\ttipus\tletezik\n1\tAngol\tangol\t1\tI\n2\tLexikon\tlexikon\t2\tI\n")
        << "";
    QTest::newRow("catalogue row of a new dictionary")
        << QStringList{"sql", "SELECT szotarak_nev, tablanev, tipus, nyelv1, nyelv2, nyelv1szeles, sorrend, ablak, letezik FROM "
                              "szotarak WHERE szotarak=1"}
        << 0
        << QByteArray("szotarak_"
                      "nev\ttablanev\ttipus\tnyelv1\tnyelv2\tnyelv1szeles\tsorrend\tablak\tletezik\nAngol\tangol\t1\tmagyar\tango"
                      "l\t0.5\tnyelv1\t0\t\n")
        << "";
    QTest::newRow("new recipes") << QStringList{"new", "--type", "recipes", "--name", "Receptek", "--table", "recept"} << 0
                                 << QByteArray("3\n") << "";
    QTest::newRow("new pairs with a width") << QStringList{"new",     "--type", "pairs",   "--name", "Német",
                                                           "--table", "nemet",  "--width", "20"}
                                            << 0 << QByteArray("3\n") << "";
    QTest::newRow("new on a table that exists") << QStringList{"new", "--type", "pairs", "--name", "Másik", "--table", "angol"}
                                                << 1 << QByteArray() << "Tábla létrehozása sikertelen: ";
    QTest::newRow("new on the catalogue") << QStringList{"new", "--type", "list", "--name", "K", "--table", "szotarak"} << 1
                                          << QByteArray() << "Tábla létrehozása sikertelen: ";
    QTest::newRow("new with a blank in the table") << QStringList{"new", "--type", "list", "--name", "K", "--table", "a b"} << 1
                                                   << QByteArray() << "Tábla létrehozása sikertelen: ";
    QTest::newRow("new with a width the store refuses")
        << QStringList{"new", "--type", "pairs", "--name", "K", "--table", "k", "--width", "x"} << 1 << QByteArray()
        << "Tábla létrehozása sikertelen: ";
    QTest::newRow("new of an unknown type") << QStringList{"new", "--type", "atlas", "--name", "K", "--table", "k"} << 2
                                            << QByteArray() << "usage:";
    QTest::newRow("new without a table") << QStringList{"new", "--type", "list", "--name", "K"} << 2 << QByteArray() << "--table";

    QTest::newRow("lookup ignores letter case") << QStringList{"lookup", "--dict", "Angol", "ALMA", "körte"} << 0
                                                << QByteArray("ALMA\n   apple\n   Apple Inc\nkörte\n   pear\n") << "";
    QTest::newRow("lookup of a word not there") << QStringList{"lookup", "--dict", "1", "szilva", "alma"} << 1
                                                << QByteArray("szilva\nalma\n   apple\n   Apple Inc\n") << "szilva";
    QTest::newRow("lookup the other way") << QStringList{"lookup", "--dict", "angol", "--order", "nyelv2", "pear"} << 1
                                          << QByteArray() << "nyelv2";
    QTest::newRow("prefix list") << QStringList{"lookup", "--dict", "Angol", "--prefix", "alm"} << 0
                                 << QByteArray("alma\tapple\nAlma\tApple Inc\nalmafa\tapple tree\n") << "";
    QTest::newRow("prefix too short") << QStringList{"lookup", "--dict", "Angol", "--prefix", "a"} << 1 << QByteArray()
                                      << "error:";
    QTest::newRow("lookup in a headword list")
        << QStringList{"lookup", "--dict", "Lexikon", "sor"} << 1 << QByteArray() << "is not a bilingual dictionary";
    QTest::newRow("lookup without a word") << QStringList{"lookup", "--dict", "Angol"} << 2 << QByteArray() << "usage:";

    QTest::newRow("tsv escapes instead of folding")
        << QStringList{"sql", "SELECT megjegyzes FROM lexikon"} << 0
        << QByteArray("megjegyzes\nels\xc5\x91\\r\\nm\xc3\xa1sodik\\ttab \\\\ per\n") << "";
    QTest::newRow("json of a change") << QStringList{"sql", "--format", "json",
                                                     "UPDATE angol SET nyelv2='x' WHERE nyelv1='nincs'"}
                                      << 0 << QByteArray() << "";
    QTest::newRow("empty json") << QStringList{"sql", "--format", "json", "SELECT * FROM angol WHERE nyelv1='nincs'"} << 0
                                << QByteArray("[]\n") << "";
    QTest::newRow("script stops at its first error")
        << QStringList{"sql", "--file", "@script.sql"} << 1 << QByteArray("1 row changed\nn\n1\n")
        << "script.sql:5: no such table: nincs";
    QTest::newRow("statement and script both")
        << QStringList{"sql", "--file", "@script.sql", "SELECT 1"} << 2 << QByteArray() << "usage:";
    QTest::newRow("unknown format") << QStringList{"sql", "--format", "xml", "SELECT 1"} << 2 << QByteArray() << "usage:";

    QTest::newRow("unknown command") << QStringList{"lookkup"} << 2 << QByteArray() << "unknown command lookkup";
    QTest::newRow("unknown option") << QStringList{"dicts", "--all"} << 2 << QByteArray()
                                    << "usage: verbalo-cli [--data FOLDER] dicts";
    QTest::newRow("extra argument") << QStringList{"tables", "angol"} << 2 << QByteArray() << "usage:";
    QTest::newRow("no command") << QStringList{} << 2 << QByteArray() << "usage:";
}

void CliScriptingTest::commandLines() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(QString, err);
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data"));
    QVERIFY(makeDataFolder(data));
    // The statements start on lines 1, 2 and 5; a comment takes line 4.
    QVERIFY(writeFile(dir.filePath(QStringLiteral("script.sql")),
                      "INSERT INTO angol VALUES ('a;b', 'x');\r\nSELECT count(*) AS n\r\n  FROM angol WHERE nyelv1 = 'a;b';\r\n"
                      "-- the next one fails\r\nSELECT * FROM nincs; INSERT INTO angol VALUES ('soha', 'never');\r\n"));
    for (QString& a : args)
        if (a.startsWith(QLatin1Char('@'))) a = dir.filePath(a.mid(1));
    const Run r = cli(QStringList{"--data", data} + args);
    QVERIFY2(r.err.contains(err), qPrintable(r.err));
    QCOMPARE(r.out, out);
    QCOMPARE(r.status, status);
    if (!args.isEmpty() && args.first() == QLatin1String("sql") && args.contains(QStringLiteral("--file")) && status == 1) {
        // The statements before the failing one stay done, the ones after it are not run.
        const Run rows = cli({"--data", data, "sql", "SELECT nyelv1 FROM angol WHERE nyelv2 IN ('x', 'never')"});
        QCOMPARE(rows.out, QByteArray("nyelv1\na;b\n"));
    }
}

void CliScriptingTest::dataFolderRules_data() {
    QTest::addColumn<QString>("existing"); // "" no folder, "/" an empty folder, else a file in it
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("catalogueAfter");
    QTest::newRow("new folder") << "" << 0 << true;
    QTest::newRow("empty folder") << "/" << 0 << true;
    QTest::newRow("folder with other files") << "jegyzet.txt" << 1 << false;
    QTest::newRow("folder with a table but no catalogue") << "angol.DB" << 1 << false;
}

void CliScriptingTest::dataFolderRules() {
    QFETCH(QString, existing);
    QFETCH(int, status);
    QFETCH(bool, catalogueAfter);
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("a/b/data"));
    if (!existing.isEmpty()) QVERIFY(QDir().mkpath(data));
    if (existing.size() > 1) QVERIFY(writeFile(data + QLatin1Char('/') + existing, QByteArray("x")));
    const QStringList before = QDir(data).entryList(QDir::Files);
    const Run r = cli({"--data", data, "dicts"});
    QCOMPARE(r.status, status);
    QCOMPARE(QFile::exists(data + QStringLiteral("/szotarak.DB")), catalogueAfter);
    if (status == 0 && catalogueAfter) {
        QCOMPARE(r.out, QByteArray("szotarak\tszotarak_nev\ttablanev\ttipus\tletezik\n"));
        // The name index the catalogue picker orders by comes with it.
        const Run index = cli({"--data", data, "sql", "drop index szotarak.idx_szotarak_nev"});
        QVERIFY2(index.status == 0, qPrintable(index.err));
    }
    if (status != 0) {
        QVERIFY2(r.err.contains(QStringLiteral("nincs szótárkatalógus")), qPrintable(r.err));
        QCOMPARE(QDir(data).entryList(QDir::Files), before);
    }
}

void CliScriptingTest::csvAndJsonReadBackByPython() {
    QTemporaryDir dir;
    const QString data = dir.filePath(QStringLiteral("data"));
    QVERIFY(makeDataFolder(data));
    // A memo with CR LF, a tab, quotes, a comma and a backslash; a blob; a null; numbers.
    const QByteArray memo = "\"Idézet\", mondta;\r\n\ttab\\vég \"\"";
    QVERIFY(writeFile(dir.filePath(QStringLiteral("memo.txt")), memo));
    Run r = cli(
        {"--data", data, "sql",
         "INSERT INTO lexikon VALUES ('idézet', '\"Idézet\", mondta;' || char(13) || char(10) || char(9) || 'tab\\vég \"\"')"});
    QVERIFY2(r.status == 0, qPrintable(r.err));
    const QString select = QStringLiteral("SELECT nyelv1, megjegyzes, x'00FF10' AS kep, NULL AS semmi, 42 AS szam, 0.25 AS tort "
                                          "FROM lexikon WHERE nyelv1 = 'idézet'");
    for (const char* format : {"csv", "json"}) {
        r = cli({"--data", data, "sql", "--format", QString::fromLatin1(format), select});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("out.") + QLatin1String(format)), r.out));
    }
    // Python reports what it read, as JSON of its own: the memo's bytes in hex, the types seen.
    const QString script = QStringLiteral(R"(
import base64, csv, json, sys
d = sys.argv[1]
with open(d + '/out.csv', newline='', encoding='utf-8') as f:
    rows = list(csv.reader(f))
with open(d + '/out.json', encoding='utf-8') as f:
    objs = json.load(f)
o = objs[0]
print(json.dumps({
    'csv_header': rows[0], 'csv_rows': len(rows) - 1,
    'csv_memo': rows[1][1].encode('utf-8').hex(), 'csv_blob': base64.b64decode(rows[1][2]).hex(), 'csv_null': rows[1][3],
    'json_keys': list(o.keys()), 'json_memo': o['megjegyzes'].encode('utf-8').hex(),
    'json_blob': base64.b64decode(o['kep']).hex(), 'json_null': o['semmi'] is None,
    'json_int': type(o['szam']).__name__ + str(o['szam']), 'json_float': type(o['tort']).__name__ + str(o['tort'])}))
)");
    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral("-c"), script, dir.path()});
    QVERIFY(python.waitForFinished(60000));
    QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
    const QJsonObject seen = QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    const QStringList columns{"nyelv1", "megjegyzes", "kep", "semmi", "szam", "tort"};
    QCOMPARE(seen.value("csv_header").toVariant().toStringList(), columns);
    QCOMPARE(seen.value("csv_rows").toInt(), 1);
    QCOMPARE(seen.value("csv_memo").toString(), QString::fromLatin1(memo.toHex()));
    QCOMPARE(seen.value("csv_blob").toString(), QStringLiteral("00ff10"));
    QCOMPARE(seen.value("csv_null").toString(), QString());
    QCOMPARE(seen.value("json_keys").toVariant().toStringList(), columns);
    QCOMPARE(seen.value("json_memo").toString(), QString::fromLatin1(memo.toHex()));
    QCOMPARE(seen.value("json_blob").toString(), QStringLiteral("00ff10"));
    QVERIFY(seen.value("json_null").toBool());
    QCOMPARE(seen.value("json_int").toString(), QStringLiteral("int42"));
    QCOMPARE(seen.value("json_float").toString(), QStringLiteral("float0.25"));
}

void CliScriptingTest::documentsFollowTheCommandTable() {
    const Run help = cli({"--help"});
    QCOMPARE(help.status, 0);
    const QString helpText = QString::fromUtf8(help.out);
    const QString man = QString::fromUtf8(cli({"--man-page"}).out);
    const QString completion = QString::fromUtf8(cli({"--bash-completion"}).out);
    QStringList commands;
    const QString listing = helpText.section(QStringLiteral("commands:\n"), 1).section(QStringLiteral("\n\n"), 0, 0);
    for (const QString& line : listing.split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("  ")) && !line.startsWith(QLatin1String("    ")))
            commands << line.trimmed().section(QLatin1Char(' '), 0, 0);
    QVERIFY2(commands.contains(QStringLiteral("lookup")) && commands.contains(QStringLiteral("import-pairs")),
             qPrintable(helpText));
    for (const QString& c : commands) {
        const Run own = cli({c, "--help"});
        QCOMPARE(own.status, 0);
        const QString usage = QString::fromUtf8(own.out).section(QLatin1Char('\n'), 0, 0);
        QVERIFY2(usage.startsWith(QStringLiteral("usage: verbalo-cli [--data FOLDER] ") + c), qPrintable(usage));
        // The man page's heading of the command is the same synopsis, in roff's minus signs.
        QString heading = usage.mid(QStringLiteral("usage: verbalo-cli [--data FOLDER] ").size());
        heading.replace(QLatin1Char('-'), QLatin1String("\\-"));
        QVERIFY2(man.contains(QStringLiteral(".SS \"") + heading + QLatin1Char('"')), qPrintable(c));
        QVERIFY2(completion.contains(QStringLiteral("        ") + c + QStringLiteral(")\n")), qPrintable(c));
    }

    // The completion run as bash runs it; the two bash-completion helpers it relies on are
    // stood in for when the package is not installed.
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(QStringLiteral("completion")), completion.toUtf8()));
    const auto complete = [&](const QString& line) {
        const QString script =
            QStringLiteral(
                "type _init_completion >/dev/null 2>&1 || _init_completion() { words=(\"${COMP_WORDS[@]}\"); cword=$COMP_CWORD; "
                "cur=${COMP_WORDS[COMP_CWORD]}; prev=${COMP_WORDS[COMP_CWORD-1]}; }\n"
                "type _filedir >/dev/null 2>&1 || _filedir() { COMPREPLY=(FILES); }\n"
                "source \"$1\"\nCOMP_WORDS=(%1)\nCOMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n_verbalo_cli\necho \"${COMPREPLY[*]}\"\n")
                .arg(line);
        QProcess bash;
        bash.start(QStringLiteral("bash"),
                   {QStringLiteral("-c"), script, QStringLiteral("bash"), dir.filePath(QStringLiteral("completion"))});
        bash.waitForFinished(30000);
        return QString::fromUtf8(bash.readAllStandardOutput()).trimmed();
    };
    QCOMPARE(complete(QStringLiteral("verbalo-cli --data d loo")), QStringLiteral("lookup"));
    QCOMPARE(complete(QStringLiteral("verbalo-cli sql --format ''")), QStringLiteral("tsv csv json"));
    QCOMPARE(complete(QStringLiteral("verbalo-cli lookup --o")), QStringLiteral("--order"));
    QCOMPARE(complete(QStringLiteral("verbalo-cli new --type g")), QStringLiteral("gallery"));
}

QTEST_GUILESS_MAIN(CliScriptingTest)
#include "test_cli_scripting.moc"
