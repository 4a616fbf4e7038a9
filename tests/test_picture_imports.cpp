// The image gallery and recipe text formats stored into real tables, with the pictures they
// name lying in a temporary folder.

#include "common/picture_file.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "exchange/logic/gallery_import.h"
#include "exchange/logic/recipe_import.h"
#include "support/store_fixture.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace verbalo;
using verbalo::test::StoreFixture;

namespace {

QString visible(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("/"));
    return text;
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A data folder with an empty gallery "kepek" and recipe book "receptek", and beside them a
// folder of picture files: kutya.png (9 bytes), kacsa.JPG (5 bytes), ures.jpg (empty) and a
// folder mappa.jpg.
class PictureFixture : public StoreFixture {
public:
    PictureFixture() {
        exec(createDictionaryTableLines(ImageGallery, QStringLiteral("kepek")).join(QLatin1Char('\n')));
        exec(createDictionaryTableLines(RecipeBook, QStringLiteral("receptek")).join(QLatin1Char('\n')));
        pictures_ = folder() + QStringLiteral("/kepek");
        QDir().mkpath(pictures_ + QStringLiteral("/mappa.jpg"));
        writeBytes(picture(QStringLiteral("kutya.png")), QByteArray("PNG\0data!", 9));
        writeBytes(picture(QStringLiteral("kacsa.JPG")), QByteArray("JPEG!"));
        writeBytes(picture(QStringLiteral("ures.jpg")), QByteArray());
    }
    QString picture(const QString& name) const { return pictures_ + QLatin1Char('/') + name; }
    const QString& pictures() const { return pictures_; }
    // The lines with "%D" standing for the picture folder.
    QList<QString> placed(const QStringList& lines) const {
        QList<QString> out;
        for (const QString& l : lines) out << QString(l).replace(QLatin1String("%D"), pictures_);
        return out;
    }

private:
    QString pictures_;
};

struct Outcome {
    bool ok = false;
    QString failure;
    ImportCounts counts;
    qint64 skipped = 0;
};

Outcome importGallery(PictureFixture& fx, const QStringList& lines) {
    store::Table table(fx.db());
    table.setTableName(QStringLiteral("kepek"));
    table.open();
    GalleryImporter importer(table, fx.pictures());
    for (const QString& line : fx.placed(lines))
        if (!importer.addLine(line)) break;
    const bool ok = importer.finish();
    return Outcome{ok, importer.failure(), importer.counts(), importer.skipped()};
}

Outcome importRecipes(PictureFixture& fx, const QStringList& lines) {
    store::Table table(fx.db());
    table.setTableName(QStringLiteral("receptek"));
    table.open();
    RecipeImporter importer(table, fx.pictures());
    const QString text = fx.placed(lines).join(QLatin1String("\r\n"));
    const QList<QStringView> views = lineViews(text);
    for (int i = 0; i < views.size(); ++i)
        if (!importer.addLine(views, i)) break;
    const bool ok = importer.finish();
    return Outcome{ok, importer.failure(), importer.counts(), 0};
}

// Rows as "caption|filekit|bytes".
QStringList galleryRows(PictureFixture& fx) {
    QStringList rows;
    for (const QString& r : fx.rows(QStringLiteral("SELECT nyelv1, filekit, length(kep) FROM kepek ORDER BY nyelv1")))
        rows << QString(r).replace(QLatin1Char('\t'), QLatin1Char('|'));
    return rows;
}

// Rows as "category|dish|difficulty|minutes|ingredients|method|filekit|bytes", line breaks as "/".
QStringList recipeRows(PictureFixture& fx) {
    QStringList rows;
    for (const QString& r : fx.rows(QStringLiteral("SELECT nyelv1, nyelv2, nehezseg, perc, hozzavalo, elkeszites, filekit, "
                                                   "length(kep) FROM receptek ORDER BY recept")))
        rows << visible(QString(r).replace(QLatin1Char('\t'), QLatin1Char('|')));
    return rows;
}

const QStringList kSampleRecipe{"@ujrecept",
                                "@kategoria=frissensültek",
                                "@finomsag=Kacsapecsenye",
                                "@nehezseg=1",
                                "@ido=120",
                                "@kep=C:\\Kepek\\kacsa.jpg",
                                "@hozzavalok",
                                "1 db kacsa",
                                "20 dkg zsír",
                                "csipetnyi majoranna",
                                "@elkeszites",
                                "Tegyük a kacsát a tepsibe, sózzuk meg, szórjuk meg ",
                                "majorannával.",
                                "Süssük súlyától függően kilónként 40 percig.",
                                "Jó étvágyat",
                                "@receptvege"};

} // namespace

class TestPictureImports : public QObject {
    Q_OBJECT

private slots:
    void fileExtension_data();
    void fileExtension();
    void galleryLines_data();
    void galleryLines();
    void galleryStopsAtAnUnreadablePicture();
    void recipeDirectives_data();
    void recipeDirectives();
    void recipes_data();
    void recipes();
};

void TestPictureImports::fileExtension_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("extension");
    QTest::newRow("lower") << "/a/kutya.jpg"
                           << ".jpg";
    QTest::newRow("as written") << "kacsa.JPG"
                                << ".JPG";
    QTest::newRow("last dot only") << "a.tar.gz"
                                   << ".gz";
    QTest::newRow("none") << "/a.b/kutya"
                          << "";
    QTest::newRow("windows folder with a dot") << "C:\\K.k\\kutya"
                                               << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestPictureImports::fileExtension() {
    QFETCH(QString, path);
    QFETCH(QString, extension);
    QCOMPARE(fileExtensionWithDot(path), extension);
}

void TestPictureImports::galleryLines_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("refused");
    QTest::addColumn<int>("skipped");

    QTest::newRow("caption and path") << QStringList{"Kutya=%D/kutya.png"} << QStringList{"Kutya|.png|9"} << 0 << 0;
    QTest::newRow("third field ignored") << QStringList{"Kutya=%D/kutya.png=x"} << QStringList{"Kutya|.png|9"} << 0 << 0;
    QTest::newRow("blank before the path names no file") << QStringList{"Kutya = %D/kutya.png"} << QStringList{} << 0 << 1;
    QTest::newRow("caption kept with its blanks")
        << QStringList{" Kutya =%D/kutya.png"} << QStringList{" Kutya |.png|9"} << 0 << 0;
    QTest::newRow("relative to the file's folder") << QStringList{"Kacsa=kacsa.JPG"} << QStringList{"Kacsa|.JPG|5"} << 0 << 0;
    QTest::newRow("empty picture file") << QStringList{"Üres=%D/ures.jpg"} << QStringList{"Üres|.jpg|0"} << 0 << 0;
    QTest::newRow("same caption twice: first kept, goes on")
        << QStringList{"A=%D/kutya.png", "A=%D/kacsa.JPG", "B=%D/kacsa.JPG"} << QStringList{"A|.png|9", "B|.JPG|5"} << 1 << 0;
    QTest::newRow("no file: empty, comment, missing, folder")
        << QStringList{"", "csak szöveg", "X=%D/nincs.jpg", "Y=%D/mappa.jpg", "Z="} << QStringList{} << 0 << 5;
    QTest::newRow("long caption cut to the column") << QStringList{QString(100, QLatin1Char('k')) + "=%D/kutya.png"}
                                                    << QStringList{QString(75, QLatin1Char('k')) + "|.png|9"} << 0 << 0;
}

void TestPictureImports::galleryLines() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, rows);
    QFETCH(int, refused);
    QFETCH(int, skipped);
    PictureFixture fx;
    const Outcome out = importGallery(fx, lines);
    QVERIFY2(out.ok, qPrintable(out.failure));
    QCOMPARE(galleryRows(fx), rows);
    QCOMPARE(out.counts.stored, rows.size());
    QCOMPARE(out.counts.refused, refused);
    QCOMPARE(out.skipped, skipped);
    // The bytes are stored unchanged, a NUL included.
    if (rows.contains(QStringLiteral("Kutya|.png|9")))
        QCOMPARE(fx.rows(QStringLiteral("SELECT hex(kep) FROM kepek")).first(),
                 QString::fromLatin1(QByteArray("PNG\0data!", 9).toHex().toUpper()));
}

void TestPictureImports::galleryStopsAtAnUnreadablePicture() {
    PictureFixture fx;
    QFile::setPermissions(fx.picture(QStringLiteral("kacsa.JPG")), QFileDevice::Permissions());
    QFile probe(fx.picture(QStringLiteral("kacsa.JPG")));
    if (probe.open(QIODevice::ReadOnly)) QSKIP("this user reads files without read permission");
    const Outcome out = importGallery(fx, {"A=%D/kutya.png", "B=%D/kacsa.JPG", "C=%D/kutya.png"});
    QVERIFY(!out.ok);
    QVERIFY2(out.failure.contains(QStringLiteral("A kép nem olvasható")) && out.failure.contains(QLatin1String("kacsa.JPG")),
             qPrintable(out.failure));
    QCOMPARE(galleryRows(fx), QStringList{"A|.png|9"});
    QCOMPARE(out.counts.stored, 1);
}

void TestPictureImports::recipeDirectives_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("directive");
    QTest::addColumn<QString>("value");
    QTest::newRow("new") << "@ujrecept" << int(RecipeDirective::NewRecipe) << "";
    QTest::newRow("new, upper case") << "@UJRECEPT" << int(RecipeDirective::NewRecipe) << "";
    QTest::newRow("new, blanks around") << "  @ujrecept \t" << int(RecipeDirective::NewRecipe) << "";
    QTest::newRow("new with more is nothing") << "@ujreceptek" << int(RecipeDirective::None) << "";
    QTest::newRow("end") << "@ReceptVege" << int(RecipeDirective::EndRecipe) << "";
    QTest::newRow("category, second = ends the value")
        << "@kategoria=levesek=meleg" << int(RecipeDirective::Category) << "levesek";
    QTest::newRow("value keeps its blanks") << "@finomsag= Gulyás " << int(RecipeDirective::Dish) << " Gulyás ";
    QTest::newRow("minutes by prefix") << "@idopont=5" << int(RecipeDirective::Minutes) << "5";
    QTest::newRow("picture by prefix") << "@kepek=x.jpg" << int(RecipeDirective::Picture) << "x.jpg";
    QTest::newRow("section with text after it") << "@hozzavalok (4 főre)" << int(RecipeDirective::Ingredients) << "";
    QTest::newRow("method") << "@Elkeszites" << int(RecipeDirective::Method) << "";
    QTest::newRow("no value without =") << "@nehezseg" << int(RecipeDirective::Difficulty) << "";
    QTest::newRow("accented spelling is no directive") << "@kategória=x" << int(RecipeDirective::None) << "x";
    QTest::newRow("plain text") << "1 db kacsa" << int(RecipeDirective::None) << "";
}

void TestPictureImports::recipeDirectives() {
    QFETCH(QString, line);
    QFETCH(int, directive);
    QFETCH(QString, value);
    QCOMPARE(int(recipeDirectiveOf(line)), directive);
    QCOMPARE(recipeDirectiveValue(line), value);
}

void TestPictureImports::recipes_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("failure"); // a part of the message; empty when the import ends well

    QTest::newRow("the sample, its picture missing")
        << kSampleRecipe
        << QStringList{"frissensültek|Kacsapecsenye|1|120|1 db kacsa/20 dkg zsír/csipetnyi majoranna/|Tegyük a kacsát a tepsibe, "
                       "sózzuk meg, szórjuk meg /majorannával./Süssük súlyától függően kilónként 40 percig./Jó étvágyat/||"}
        << "";
    QTest::newRow("picture found beside the file, extension as written")
        << QStringList{"@UJRECEPT", "@finomsag=Kacsa", "@kep=kacsa.JPG", "@receptvege"} << QStringList{"|Kacsa|||||.JPG|5"} << "";
    QTest::newRow("empty picture file") << QStringList{"  @ujrecept  ", "@kep=%D/ures.jpg", "@receptvege"}
                                        << QStringList{"||||||.jpg|0"} << "";
    QTest::newRow("directive inside a section acts too")
        << QStringList{"@ujrecept", "@hozzavalok", "liszt", " @ido=5", "", "@receptvege"}
        << QStringList{"|||5|liszt/ @ido=5//|||"} << "";
    QTest::newRow("section up to the end, and an empty one")
        << QStringList{"@ujrecept", "@elkeszites", "@hozzavalok", "a", "b"} << QStringList{"||||a/b/|||"} << "";
    QTest::newRow("missing end: stored at the next start and at the end")
        << QStringList{"@ujrecept", "@finomsag=A", "@ujrecept", "@finomsag=B"} << QStringList{"|A||||||", "|B||||||"} << "";
    QTest::newRow("an empty open recipe is dropped, an empty ended one kept")
        << QStringList{"@ujrecept", "@ujrecept", "@receptvege", "@ujrecept"} << QStringList{"|||||||"} << "";
    QTest::newRow("no directives at all") << QStringList{"egy", "kettő"} << QStringList{} << "";
    QTest::newRow("minutes with blanks around the number")
        << QStringList{"@ujrecept", "@ido= 45 ", "@receptvege"} << QStringList{"|||45||||"} << "";
    QTest::newRow("difficulty not a number stops, recipes before stay")
        << QStringList{"@ujrecept",   "@finomsag=A",       "@receptvege", "@ujrecept",
                       "@finomsag=B", "@nehezseg=közepes", "@ido=5",      "@receptvege"}
        << QStringList{"|A||||||", "|B||||||"} << "6. sor: „közepes” nem egész szám.";
    QTest::newRow("empty minutes stop") << QStringList{"@ujrecept", "@ido="} << QStringList{} << "2. sor: „” nem egész szám.";
    QTest::newRow("column before any recipe stops") << QStringList{"@kategoria=levesek", "@ujrecept"} << QStringList{}
                                                    << "1. sor: „@kategoria=levesek” nem tartozik recepthez";
    QTest::newRow("end twice stops") << QStringList{"@ujrecept", "@receptvege", "@receptvege"} << QStringList{"|||||||"}
                                     << "3. sor:";
    QTest::newRow("missing picture outside a recipe is no error")
        << QStringList{"@kep=%D/nincs.jpg", "@ujrecept", "@finomsag=A"} << QStringList{"|A||||||"} << "";
    QTest::newRow("existing picture outside a recipe stops") << QStringList{"@kep=%D/kutya.png"} << QStringList{} << "1. sor:";
    QTest::newRow("category cut to the column") << QStringList{"@ujrecept", "@kategoria=" + QString(80, QLatin1Char('x'))}
                                                << QStringList{QString(75, QLatin1Char('x')) + "|||||||"} << "";
}

void TestPictureImports::recipes() {
    QFETCH(QStringList, lines);
    QFETCH(QStringList, rows);
    QFETCH(QString, failure);
    PictureFixture fx;
    const Outcome out = importRecipes(fx, lines);
    QCOMPARE(out.ok, failure.isEmpty());
    if (!failure.isEmpty()) QVERIFY2(out.failure.contains(failure), qPrintable(out.failure));
    QCOMPARE(recipeRows(fx), rows);
    QCOMPARE(out.counts.stored, rows.size());
}

QTEST_GUILESS_MAIN(TestPictureImports)
#include "test_picture_imports.moc"
