// Splitting SQL scripts into statements with the line each starts on.
#include "common/sql_script.h"

#include <QtTest>

using namespace verbalo;

class SqlScriptTest : public QObject {
    Q_OBJECT
private slots:
    void split_data();
    void split();
};

void SqlScriptTest::split_data() {
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QList<int>>("lines");
    QTest::newRow("two on one line") << "SELECT 1; SELECT 2;" << QStringList{"SELECT 1", "SELECT 2"} << QList<int>{1, 1};
    QTest::newRow("last without a semicolon") << "SELECT 1;\nSELECT 2" << QStringList{"SELECT 1", "SELECT 2"} << QList<int>{1, 2};
    QTest::newRow("semicolons in quotes and comments")
        << "INSERT INTO t VALUES ('a;b');\n-- not; here\nSELECT \"x;y\" /* ; */ FROM t;"
        << QStringList{"INSERT INTO t VALUES ('a;b')", "SELECT \"x;y\" /* ; */ FROM t"} << QList<int>{1, 3};
    QTest::newRow("CR LF, CR and LF lines") << "SELECT 1;\r\n\r\nSELECT 2;\rSELECT 3;\nSELECT 4;"
                                            << QStringList{"SELECT 1", "SELECT 2", "SELECT 3", "SELECT 4"}
                                            << QList<int>{1, 3, 4, 5};
    QTest::newRow("line breaks inside a literal count")
        << "INSERT INTO t VALUES ('a\r\nb\nc');\nSELECT 1;" << QStringList{"INSERT INTO t VALUES ('a\r\nb\nc')", "SELECT 1"}
        << QList<int>{1, 4};
    QTest::newRow("trigger body kept whole")
        << "CREATE TRIGGER g AFTER INSERT ON t BEGIN\n  UPDATE t SET a = 1;\nEND;\nSELECT 1;"
        << QStringList{"CREATE TRIGGER g AFTER INSERT ON t BEGIN\n  UPDATE t SET a = 1;\nEND", "SELECT 1"} << QList<int>{1, 4};
    QTest::newRow("only blanks, comments and semicolons") << " ;; -- x\n/* y */ ;" << QStringList{} << QList<int>{};
    QTest::newRow("unfinished quote") << "SELECT 'a;b" << QStringList{"SELECT 'a;b"} << QList<int>{1};
}

void SqlScriptTest::split() {
    QFETCH(QString, script);
    QFETCH(QStringList, statements);
    QFETCH(QList<int>, lines);
    QStringList gotStatements;
    QList<int> gotLines;
    for (const ScriptStatement& s : splitScript(script)) {
        gotStatements << s.text;
        gotLines << s.line;
    }
    QCOMPARE(gotStatements, statements);
    QCOMPARE(gotLines, lines);
}

QTEST_GUILESS_MAIN(SqlScriptTest)
#include "test_sql_script.moc"
