// Builds the project's own catalogue site, a folder any static web server can serve: the
// advert line (kisreklam.php, plain text), the dictionary list (data/internet.zip), the
// programs list (data/programok.zip) and one package per dictionary (szotarak/T.zip, holding
// T.DB, the settings file ".ini" and the icons T1.ico, T2.ico, T3.ico), all made from the word
// lists of a source folder.
//   verbalo-catalogue-site SITE_FOLDER SOURCE_FOLDER BASE_URL
#include "common/catalogue.h"
#include "common/safe_file_writer.h"
#include "common/store/database.h"
#include "common/store/store_error.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "common/text_file.h"
#include "internet/logic/list_tables.h"
#include "internet/logic/zip_pack.h"
#include "main/logic/catalogue_editing.h"
#include "widgets/default_icons.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

using namespace verbalo;

namespace {

struct Dictionary {
    QString table, name, language1, language2, source;
    int type;
    QColor colour;
};

QList<QStringList> readFields(const QString& path) {
    const TextReadResult file = readTextFile(path);
    if (!file.ok) throw store::StoreError(QStringLiteral("cannot read %1: %2").arg(path, file.error));
    QList<QStringList> rows;
    for (const QString& line : file.lines)
        if (line.contains(QLatin1Char(';'))) rows.append(line.split(QLatin1Char(';')));
    return rows;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage badge(int size, const QColor& colour) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colour);
    p.setPen(colour.darker());
    p.drawEllipse(image.rect().adjusted(1, 1, -2, -2));
    return image;
}

// JPEG keeps no transparency: the picture goes onto the white a page would show it on.
QImage onWhite(const QImage& picture) {
    QImage image(picture.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).drawImage(0, 0, picture);
    return image;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw store::StoreError(QStringLiteral("cannot read %1").arg(path));
    return f.readAll();
}

// The dictionary's table file, made in a scratch data folder with the type's statement.
QByteArray tableFile(const Dictionary& d, const QList<QStringList>& rows) {
    QTemporaryDir scratch;
    store::Database db;
    db.connect(QStringLiteral("szotar"), scratch.path());
    createDictionaryTable(db, d.type, d.table, QStringLiteral("50"), QStringLiteral("50"));
    {
        store::Table t(db);
        t.setTableName(d.table);
        t.open();
        store::WriteBatch batch(t);
        const QString second = d.type == Bilingual ? kSecondLanguageColumn : QStringLiteral("megjegyzes");
        for (const QStringList& r : rows) {
            t.insert();
            t.setValue(kFirstLanguageColumn, r.value(0).trimmed());
            t.setValue(second, r.value(1).trimmed());
            t.post();
        }
        batch.commit();
    }
    const QString file = db.tableFile(d.table);
    db.disconnect();
    return readAll(file);
}

QByteArray settingsFile(const Dictionary& d) {
    const QString text =
        QStringLiteral("[dict]\r\nszotarak_nev=%1\r\ntablanev=%2\r\ntipus=%3\r\nverzio=1\r\nnyelv1=%4\r\nnyelv2=%5\r\n"
                       "szerzo=Verbalo\r\nszerzo_emil=kelvora@localhost\r\nsorrend=nyelv1\r\nablak=0\r\n")
            .arg(d.name, d.table)
            .arg(d.type)
            .arg(d.language1, d.language2);
    return text.toUtf8();
}

void write(const QString& path, const QByteArray& bytes) {
    const FileWriteResult r = writeFileSafely(path, bytes);
    if (!r.ok) throw store::StoreError(r.error);
}

void writeZip(const QString& path, const QList<ZipMember>& members) {
    QString error;
    if (!writeZipArchive(path, members, &error)) throw store::StoreError(error);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: verbalo-catalogue-site SITE_FOLDER SOURCE_FOLDER BASE_URL\n");
        return 2;
    }
    const QDir site(QString::fromLocal8Bit(argv[1]));
    const QDir source(QString::fromLocal8Bit(argv[2]));
    const QString base = QString::fromLocal8Bit(argv[3]);
    const QList<Dictionary> dictionaries = {
        {QStringLiteral("nemet"), QStringLiteral("Magyar - Német szótár"), QStringLiteral("magyar"), QStringLiteral("német"),
         QStringLiteral("nemet.txt"), Bilingual, QColor(200, 60, 40)},
        {QStringLiteral("francia"), QStringLiteral("Magyar - Francia szótár"), QStringLiteral("magyar"),
         QStringLiteral("francia"), QStringLiteral("francia.txt"), Bilingual, QColor(40, 70, 180)},
        {QStringLiteral("szolasok"), QStringLiteral("Magyar szólások"), QStringLiteral("szólás"), QStringLiteral("jelentés"),
         QStringLiteral("szolasok.txt"), HeadwordList, QColor(60, 150, 60)},
        {QStringLiteral("kozmondas"), QStringLiteral("Magyar közmondások"), QStringLiteral("közmondás"),
         QStringLiteral("jelentés"), QStringLiteral("../../demo/kozmondasok.txt"), HeadwordList, QColor(150, 120, 30)},
    };
    try {
        for (const char* folder : {"data", "szotarak"}) site.mkpath(QLatin1String(folder));
        write(site.filePath(QStringLiteral("kisreklam.php")),
              QStringLiteral("Új szótárak a Szótárak letöltése ablakban!;%1/szotarak/").arg(base).toUtf8());
        QList<QVariantHash> listRows;
        for (const Dictionary& d : dictionaries) {
            const QList<QStringList> rows = readFields(source.filePath(d.source));
            const QString package = site.filePath(QStringLiteral("szotarak/%1.zip").arg(d.table));
            writeZip(package, {{d.table + QStringLiteral(".DB"), tableFile(d, rows)},
                               {QStringLiteral(".ini"), settingsFile(d)},
                               {d.table + QStringLiteral("1.ico"), iconFileBytes(paintLanguageIcon(16))},
                               {d.table + QStringLiteral("3.ico"), iconFileBytes(badge(48, d.colour))}});
            listRows.append({{"szotarnev", d.name},
                             {"filenev", QStringLiteral("%1/szotarak/%2.zip").arg(base, d.table)},
                             {"kep", encoded(badge(16, d.colour), "BMP")},
                             {"szerzo", QStringLiteral("Verbalo")},
                             {"szavakszama", rows.size()},
                             {"meret", QFile(package).size()},
                             {"tablanev", d.table}});
        }
        writeZip(site.filePath(QStringLiteral("data/internet.zip")),
                 {{QStringLiteral("internet.DB"),
                   makeListTableFile(QStringLiteral("internet"), dictionaryListStatements(), listRows)}});

        QList<QVariantHash> programRows;
        int id = 0;
        for (const QStringList& p : readFields(source.filePath(QStringLiteral("programok.txt")))) {
            ++id;
            programRows.append({{"programok", id},
                                {"programok_nev", p.value(0)},
                                {"kategoria", p.value(1)},
                                {"ingyenes", p.value(2)},
                                {"leiras", p.value(3)},
                                {"link", QStringLiteral("%1/programok/%2.html").arg(base).arg(id)},
                                {"letoltlink", QStringLiteral("%1/programok/%2.zip").arg(base).arg(id)},
                                {"kep", encoded(onWhite(paintProgramsIcon(96)), "JPG")}});
        }
        writeZip(site.filePath(QStringLiteral("data/programok.zip")),
                 {{QStringLiteral("programok.DB"),
                   makeListTableFile(QStringLiteral("programok"), programListStatements(), programRows)}});
        std::printf("%s: %d dictionaries, %d programs\n", argv[1], int(dictionaries.size()), id);
        return 0;
    } catch (const store::StoreError& e) {
        std::fprintf(stderr, "verbalo-catalogue-site: %s\n", qPrintable(e.message()));
        return 1;
    }
}
