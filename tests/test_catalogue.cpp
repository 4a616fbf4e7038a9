// The catalogue routines and the dictionary table layouts, on real table files.
#include "support/store_fixture.h"

#include "common/catalogue.h"
#include "common/store/table.h"
#include "common/table_layouts.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace verbalo;
using verbalo::test::StoreFixture;

namespace {

// A minimal valid one-image ICO file.
QByteArray tinyIcon(char fill) {
    QByteArray ico;
    QDataStream s(&ico, QIODevice::WriteOnly);
    s.setByteOrder(QDataStream::LittleEndian);
    const quint32 size = 40;
    s << quint16(0) << quint16(1) << quint16(1);
    s << quint8(16) << quint8(16) << quint8(0) << quint8(0) << quint16(1) << quint16(32) << size << quint32(22);
    ico.append(QByteArray(int(size), fill));
    return ico;
}

void addRow(StoreFixture& f, const QString& values) {
    f.exec(QStringLiteral("INSERT INTO szotarak (szotarak_nev, tablanev, tipus, letezik) VALUES %1").arg(values));
}

} // namespace

class CatalogueTest : public QObject {
    Q_OBJECT
private slots:
    void creationStatements_data();
    void creationStatements();
    void unknownTypeHasNoLayout();
    void emptyCatalogueIsMadeOnceAndNeverTouchedAgain();
    void readDictionaryInfo();
    void readDictionaryInfoOfMissingId();
    void brokenIconsFallBackOnDefaults();
    void dictionaryTypeOf();
    void refreshExistence();
    void otherLanguageColumn_data();
    void otherLanguageColumn();
};

void CatalogueTest::creationStatements_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("bilingual") << 1
                               << QStringList{"CREATE TABLE t (", " nyelv1 CHAR(40),", " nyelv2 CHAR(60),",
                                              "PRIMARY KEY (nyelv1,nyelv2));"};
    QTest::newRow("headword list") << 2
                                   << QStringList{"CREATE TABLE t (", " nyelv1 CHAR(75),", " megjegyzes BLOB(0,1),",
                                                  "PRIMARY KEY (nyelv1));"};
    QTest::newRow("image gallery") << 3
                                   << QStringList{"CREATE TABLE t (", " nyelv1 CHAR(75),", " kep BLOB(0,2),",
                                                  " filekit CHAR(10),", "PRIMARY KEY (nyelv1));"};
    QTest::newRow("recipe book") << 5 << QStringList{"CREATE TABLE t (",      " recept AUTOINC,",       " nyelv1 CHAR(75),",
                                                     " nyelv2 CHAR(75),",     " nehezseg INT,",         " perc INT,",
                                                     " hozzavalo BLOB(0,1),", " elkeszites BLOB(0,1),", " kep BLOB(0,2),",
                                                     " filekit CHAR(10),",    "PRIMARY KEY (recept));"};
}

void CatalogueTest::creationStatements() {
    QFETCH(int, type);
    QFETCH(QStringList, lines);
    QCOMPARE(createDictionaryTableLines(type, QStringLiteral("t"), QStringLiteral("40"), QStringLiteral("60")), lines);

    // The statement makes exactly the layout the other modules are told about.
    StoreFixture f;
    f.exec(lines.join(QLatin1Char('\n')));
    store::Table t(f.db());
    t.setTableName(QStringLiteral("t"));
    t.open();
    const auto columns = dictionaryColumns(type, 40, 60);
    QCOMPARE(t.schema().fields.size(), columns.size());
    for (size_t i = 0; i < columns.size(); ++i) {
        QCOMPARE(t.schema().fields[i].name, columns[i].name);
        QCOMPARE(t.schema().fields[i].kind, columns[i].kind);
        QCOMPARE(t.schema().fields[i].width, columns[i].width);
    }
    QCOMPARE(t.schema().primaryKey()->columns, dictionaryPrimaryKey(type));
    QCOMPARE(t.schema().indexes.size(), size_t(1)); // the key and nothing else
}

void CatalogueTest::unknownTypeHasNoLayout() {
    QVERIFY(createDictionaryTableLines(4, QStringLiteral("t")).isEmpty());
    QVERIFY(dictionaryColumns(0).empty());
    QCOMPARE(dictionaryTypeCaption(3), QStringLiteral("Képtár"));
    QVERIFY(!isKnownDictionaryType(4));
}

void CatalogueTest::emptyCatalogueIsMadeOnceAndNeverTouchedAgain() {
    QTemporaryDir dir;
    QString error;
    QVERIFY(createEmptyCatalogue(dir.path(), &error));
    store::Database db;
    db.connect(QStringLiteral("szotar"), dir.path());
    runStatement(db, QStringLiteral("INSERT INTO szotarak (szotarak_nev) VALUES ('megmarad')"));
    QVERIFY(createEmptyCatalogue(dir.path(), &error));
    store::Table t(db);
    t.setTableName(kCatalogueTable);
    t.setIndexFieldNames(QStringLiteral("szotarak_nev")); // the name index is there
    t.open();
    QCOMPARE(t.recordCount(), 1);
    QCOMPARE(t.text(QStringLiteral("szotarak_nev")), QStringLiteral("megmarad"));

    QVERIFY(!createEmptyCatalogue(dir.path() + QStringLiteral("/nincs"), &error));
    QVERIFY(!error.isEmpty());
}

void CatalogueTest::readDictionaryInfo() {
    StoreFixture f;
    f.exec(createCatalogueStatement());
    f.exec(QStringLiteral(
        "INSERT INTO szotarak (szotarak_nev, tablanev, tipus, verzio, nyelv1, nyelv2, szerzo, szerzo_emil, megjegyzes, "
        "nyelv1szeles, nyelv2szeles, sorrend, ablak) VALUES ('Angol', 'angol', 1, 3, 'magyar', 'angol', 'Kiss', 'k@x', "
        "'jegyzet', "
        "0.3, 0.7, 'nyelv2', 1)"));
    f.exec(QStringLiteral("INSERT INTO szotarak (szotarak_nev) VALUES ('Üres')"));
    TSzotarak info;
    QVERIFY(verbalo::readDictionaryInfo(f.db(), 1, info, f.folder()));
    QCOMPARE(info.szotarak, 1);
    QCOMPARE(info.szotarak_nev, QStringLiteral("Angol"));
    QCOMPARE(info.tablanev, QStringLiteral("angol"));
    QCOMPARE(info.tipus, 1);
    QCOMPARE(info.verzio, 3);
    QCOMPARE(info.nyelv1 + info.nyelv2, QStringLiteral("magyarangol"));
    QCOMPARE(info.szerzo + info.szerzo_emil + info.megjegyzes, QStringLiteral("Kissk@xjegyzet"));
    QCOMPARE(info.nyelv1szeles, 0.3);
    QCOMPARE(info.nyelv2szeles, 0.7);
    QCOMPARE(info.sorrend, QStringLiteral("nyelv2"));
    QCOMPARE(info.ablak, 1);

    QVERIFY(verbalo::readDictionaryInfo(f.db(), 2, info, f.folder()));
    QCOMPARE(info.tipus, 0);
    QCOMPARE(info.verzio, 0);
    QCOMPARE(info.nyelv1szeles, 0.5); // an empty share reads as half
    QCOMPARE(info.nyelv2szeles, 0.5);
    QVERIFY(info.tablanev.isEmpty() && info.sorrend.isEmpty());
}

void CatalogueTest::readDictionaryInfoOfMissingId() {
    StoreFixture f;
    f.exec(createCatalogueStatement());
    addRow(f, QStringLiteral("('Angol', 'angol', 1, 'I')"));
    TSzotarak info;
    QVERIFY(!verbalo::readDictionaryInfo(f.db(), 42, info, f.folder()));
    QCOMPARE(info.szotarak, 42);
    QCOMPARE(info.tipus, 0);
    QVERIFY(info.szotarak_nev.isEmpty()); // nothing borrowed from another row

    StoreFixture noCatalogue;
    QVERIFY_THROWS_EXCEPTION(store::StoreError, verbalo::readDictionaryInfo(noCatalogue.db(), 1, info, noCatalogue.folder()));
}

void CatalogueTest::brokenIconsFallBackOnDefaults() {
    StoreFixture f;
    QVERIFY(QDir(f.folder()).mkpath(QStringLiteral("Ico")));
    {
        QFile def(f.folder() + QStringLiteral("/Ico/Default16.ico"));
        QVERIFY(def.open(QIODevice::WriteOnly));
        def.write(tinyIcon('d'));
    }
    f.exec(createCatalogueStatement());
    store::Table t(f.db());
    t.setTableName(kCatalogueTable);
    t.open();
    t.insert();
    t.setValue(QStringLiteral("szotarak_nev"), QStringLiteral("ikonos"));
    t.setBlob(QStringLiteral("nyelv1ikon"), tinyIcon('1'));
    t.setBlob(QStringLiteral("nyelv2ikon"), QByteArray("not an icon at all, just text"));
    t.setBlob(QStringLiteral("ikon_nagy"), QByteArray("\0\0\1\0\5\0", 6)); // a header promising entries it lacks
    t.post();
    t.insert();
    t.setValue(QStringLiteral("szotarak_nev"), QStringLiteral("ikontalan"));
    t.post();

    TSzotarak info;
    QVERIFY(verbalo::readDictionaryInfo(f.db(), 1, info, f.folder()));
    QCOMPARE(info.nyelv1ikon, tinyIcon('1'));
    QCOMPARE(info.nyelv2ikon, tinyIcon('d'));
    QVERIFY(info.ikon_nagy.isEmpty());
    QVERIFY(verbalo::readDictionaryInfo(f.db(), 2, info, f.folder()));
    QCOMPARE(info.nyelv1ikon, tinyIcon('d'));
    QCOMPARE(info.nyelv2ikon, tinyIcon('d'));
    QVERIFY(info.ikon_nagy.isEmpty());
}

void CatalogueTest::dictionaryTypeOf() {
    StoreFixture f;
    f.exec(createCatalogueStatement());
    addRow(f, QStringLiteral("('Angol', 'angol', 2, 'I'), ('Típus nélkül', 'x', NULL, 'I')"));
    QCOMPARE(verbalo::dictionaryTypeOf(f.db(), 1), 2);
    QCOMPARE(verbalo::dictionaryTypeOf(f.db(), 2), 0);
    QCOMPARE(verbalo::dictionaryTypeOf(f.db(), 99), 0);
}

void CatalogueTest::refreshExistence() {
    StoreFixture f;
    f.exec(createCatalogueStatement());
    f.makePairs(QStringLiteral("Angol"), {});
    f.makePairs(QStringLiteral("nemet"), {});
    addRow(f, QStringLiteral("('a', 'angol', 1, NULL), ('b', 'nemet', 1, 'N'), ('c', 'francia', 1, 'I'), ('d', NULL, 1, ''), "
                             "('e', 'NEMET.DB', 1, 'I')"));
    verbalo::refreshExistence(f.db());
    QCOMPARE(f.rows(QStringLiteral("SELECT szotarak_nev, letezik FROM szotarak ORDER BY szotarak")),
             (QStringList{"a\tI", "b\tI", "c\tN", "d\tN", "e\tI"}));
    // A table file removed outside the program, then brought back.
    QVERIFY(QFile::rename(f.folder() + QStringLiteral("/nemet.DB"), f.folder() + QStringLiteral("/nemet.bak")));
    verbalo::refreshExistence(f.db());
    QCOMPARE(f.rows(QStringLiteral("SELECT letezik FROM szotarak WHERE szotarak_nev='b'")), QStringList{"N"});
    QVERIFY(QFile::rename(f.folder() + QStringLiteral("/nemet.bak"), f.folder() + QStringLiteral("/nemet.DB")));
    verbalo::refreshExistence(f.db());
    QCOMPARE(f.rows(QStringLiteral("SELECT letezik FROM szotarak WHERE szotarak_nev='b'")), QStringList{"I"});
}

void CatalogueTest::otherLanguageColumn_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("other");
    QTest::newRow("first") << "nyelv1"
                           << "nyelv2";
    QTest::newRow("second") << "nyelv2"
                            << "nyelv1";
    QTest::newRow("anything else") << "NYELV1"
                                   << "nyelv1";
    QTest::newRow("empty") << ""
                           << "nyelv1";
}

void CatalogueTest::otherLanguageColumn() {
    QFETCH(QString, column);
    QFETCH(QString, other);
    QCOMPARE(verbalo::otherLanguageColumn(column), other);
}

QTEST_GUILESS_MAIN(CatalogueTest)
#include "test_catalogue.moc"
