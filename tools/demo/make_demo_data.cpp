// Makes the demo data folder that scripts/run starts the programs on: a catalogue with a
// Hungarian-English dictionary of a few hundred pairs (tools/demo/angol.txt) and a small
// collection of proverbs (tools/demo/kozmondasok.txt). A folder that already holds the demo
// is left alone.
//   verbalo-demo-data DATA_FOLDER PAIRS_FILE PROVERBS_FILE PROGRAM_FOLDER
#include "common/catalogue.h"
#include "common/store/database.h"
#include "common/store/query.h"
#include "common/store/store_error.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "common/text_file.h"
#include "main/logic/catalogue_editing.h"
#include "widgets/default_icons.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>

using namespace verbalo;

namespace {

// Small flags for the two languages of the demo dictionary.
QByteArray hungarianFlag() {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.fillRect(0, 2, 16, 4, QColor(205, 42, 62));
    p.fillRect(0, 6, 16, 4, Qt::white);
    p.fillRect(0, 10, 16, 4, QColor(67, 111, 77));
    p.setPen(QColor(120, 120, 120));
    p.drawRect(0, 2, 15, 11);
    return iconFileBytes(image);
}

QByteArray englishFlag() {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.fillRect(0, 2, 16, 12, QColor(1, 33, 105));
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(0, 2, 15, 13);
    p.drawLine(0, 13, 15, 2);
    p.setPen(QPen(QColor(200, 16, 46), 1));
    p.drawLine(0, 2, 15, 13);
    p.drawLine(0, 13, 15, 2);
    p.fillRect(0, 6, 16, 4, Qt::white);
    p.fillRect(6, 2, 4, 12, Qt::white);
    p.fillRect(0, 7, 16, 2, QColor(200, 16, 46));
    p.fillRect(7, 2, 2, 12, QColor(200, 16, 46));
    return iconFileBytes(image);
}

QList<QPair<QString, QString>> readPairs(const QString& path) {
    QList<QPair<QString, QString>> pairs;
    const TextReadResult file = readTextFile(path);
    if (!file.ok) throw store::StoreError(QStringLiteral("cannot read %1: %2").arg(path, file.error));
    for (const QString& line : file.lines) {
        const int cut = line.indexOf(QLatin1Char(';'));
        if (cut > 0) pairs.append({line.left(cut).trimmed(), line.mid(cut + 1).trimmed()});
    }
    return pairs;
}

struct CatalogueRow {
    QString name, table;
    int type;
    QString language1, language2, note;
    QByteArray icon1, icon2, large;
};

void addCatalogueRow(store::Database& db, const CatalogueRow& row) {
    store::Table t(db);
    t.setTableName(kCatalogueTable);
    t.open();
    t.insert();
    t.setValue(QStringLiteral("szotarak_nev"), row.name);
    t.setValue(QStringLiteral("tablanev"), row.table);
    t.setValue(QStringLiteral("tipus"), row.type);
    t.setValue(QStringLiteral("verzio"), 1);
    t.setValue(QStringLiteral("nyelv1"), row.language1);
    t.setValue(QStringLiteral("nyelv2"), row.language2);
    t.setBlob(QStringLiteral("nyelv1ikon"), row.icon1);
    t.setBlob(QStringLiteral("nyelv2ikon"), row.icon2);
    t.setBlob(QStringLiteral("ikon_nagy"), row.large);
    t.setValue(QStringLiteral("szerzo"), QStringLiteral("Verbalo"));
    t.setValue(QStringLiteral("szerzo_emil"), QStringLiteral("kelvora@localhost"));
    t.setValue(QStringLiteral("megjegyzes"), row.note);
    t.setValue(QStringLiteral("nyelv1szeles"), 0.5);
    t.setValue(QStringLiteral("nyelv2szeles"), 0.5);
    t.setValue(QStringLiteral("sorrend"), QStringLiteral("nyelv1"));
    t.setValue(QStringLiteral("ablak"), 0);
    t.setValue(QStringLiteral("letezik"), QStringLiteral("I"));
    t.post();
}

void fill(store::Database& db, const QString& table, const QString& second, const QList<QPair<QString, QString>>& rows) {
    store::Table t(db);
    t.setTableName(table);
    t.open();
    t.disableControls();
    store::WriteBatch batch(t);
    for (const auto& [first, other] : rows) {
        t.insert();
        t.setValue(QStringLiteral("nyelv1"), first);
        t.setValue(second, other);
        t.post();
    }
    batch.commit();
    t.enableControls();
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: verbalo-demo-data DATA_FOLDER PAIRS_FILE PROVERBS_FILE\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    try {
        QDir().mkpath(folder);
        QString error;
        if (!createEmptyCatalogue(folder, &error)) throw store::StoreError(error);
        store::Database db;
        db.connect(QStringLiteral("szotar"), folder);
        if (db.tableExists(QStringLiteral("angol"))) {
            std::printf("%s already holds the demo dictionaries\n", argv[1]);
            return 0;
        }
        const auto pairs = readPairs(QString::fromLocal8Bit(argv[2]));
        createDictionaryTable(db, Bilingual, QStringLiteral("angol"), QStringLiteral("50"), QStringLiteral("50"));
        fill(db, QStringLiteral("angol"), QStringLiteral("nyelv2"), pairs);
        // The English side gets an index too, so the dictionary can be ordered by it.
        runStatement(db, QStringLiteral("create index idx_angol_nyelv2 on angol (nyelv2);"));
        addCatalogueRow(db, {QStringLiteral("Magyar - Angol szótár"), QStringLiteral("angol"), Bilingual,
                             QStringLiteral("magyar"), QStringLiteral("angol"),
                             QStringLiteral("Bemutató szótár néhány száz gyakori magyar szóval és angol megfelelőjével."),
                             hungarianFlag(), englishFlag(), iconFileBytes(paintDictionaryIcon(48))});

        const auto proverbs = readPairs(QString::fromLocal8Bit(argv[3]));
        createDictionaryTable(db, HeadwordList, QStringLiteral("kozmondas"), QString(), QString());
        fill(db, QStringLiteral("kozmondas"), QStringLiteral("megjegyzes"), proverbs);
        addCatalogueRow(db,
                        {QStringLiteral("Magyar közmondások"), QStringLiteral("kozmondas"), HeadwordList,
                         QStringLiteral("közmondás"), QStringLiteral("jelentés"),
                         QStringLiteral("Ismert magyar közmondások és jelentésük."), QByteArray(), QByteArray(), QByteArray()});
        std::printf("%s: %d word pairs, %d proverbs\n", argv[1], int(pairs.size()), int(proverbs.size()));
        return 0;
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "verbalo-demo-data: %s\n", qPrintable(e.message()));
        return 1;
    }
}
