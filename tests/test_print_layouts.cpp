// The printed layouts laid out on pages, without painting: where bands and texts land in mm,
// bands growing with their text, group headers once per headword, the newspaper column flow,
// guide letters, page numbers and the header and footer texts. Text is measured by a fixed
// rule (2 mm a character) so that the figures do not hang on the installed fonts.

#include "common/catalogue.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "printing/logic/dictionary_layouts.h"
#include "printing/logic/list_layouts.h"
#include "printing/logic/paged_report.h"
#include "printing/logic/report_pager.h"
#include "support/store_fixture.h"

#include <QTest>

#include <cmath>

using namespace verbalo;
using namespace verbalo::printing;
using verbalo::test::StoreFixture;

namespace {

const QDateTime kPrintedAt(QDate(2024, 3, 5), QTime(7, 8, 9));
const MakerContact kMaker{QStringLiteral("http://kelvora.test/"), QStringLiteral("kelvora@kelvora.test"),
                          QStringLiteral("+36 1 555 0142")};

double fixedMeasure(const PrintFont& font, const QString& text, double width) {
    int lines = 0;
    for (const QString& paragraph : text.split(QLatin1Char('\n')))
        lines += std::max(1, static_cast<int>(std::ceil(paragraph.size() * 2.0 / width)));
    return lines * font.points * 0.48;
}

std::vector<Page> layOut(const ReportLayout& layout, store::Table& table) {
    TableRows rows(table);
    ReportPager pager(layout, rows, &fixedMeasure, kPrintedAt);
    std::vector<Page> pages;
    while (!pager.atEnd()) pages.push_back(pager.nextPage());
    return pages;
}

std::vector<PlacedItem> textsOf(const Page& page) {
    std::vector<PlacedItem> texts;
    for (const PlacedItem& i : page.items)
        if (i.kind == PlacedItem::Kind::Text) texts.push_back(i);
    return texts;
}

const PlacedItem* findText(const Page& page, const QString& text) {
    for (const PlacedItem& i : page.items)
        if (i.kind == PlacedItem::Kind::Text && i.text == text) return &i;
    return nullptr;
}

int countText(const Page& page, const QString& text) {
    int n = 0;
    for (const PlacedItem& i : page.items) n += i.kind == PlacedItem::Kind::Text && i.text == text;
    return n;
}

TSzotarak pairInfo(const QString& order = kFirstLanguageColumn) {
    TSzotarak info;
    info.szotarak_nev = QStringLiteral("Angol-magyar");
    info.nyelv1 = QStringLiteral("angol");
    info.nyelv2 = QStringLiteral("magyar");
    info.sorrend = order;
    return info;
}

struct OpenTable {
    explicit OpenTable(StoreFixture& fx, const QString& name, const QString& order = QString()) : table(fx.db()) {
        table.setTableName(name);
        table.open();
        if (!order.isEmpty()) table.setIndexFieldNames(order);
    }
    store::Table table;
};

QStringList numberedPairs(int count, const QString& headword = QString()) {
    QStringList pairs;
    for (int i = 0; i < count; ++i)
        pairs << QStringLiteral("%1;t%2")
                     .arg(headword.isEmpty() ? QStringLiteral("w%1").arg(i, 5, 10, QLatin1Char('0')) : headword)
                     .arg(i);
    return pairs;
}

// Every item of a page as a line of text, so that two pages compare item by item.
QStringList itemsOf(const Page& page) {
    QStringList lines{QStringLiteral("page %1").arg(page.number)};
    for (const PlacedItem& i : page.items)
        lines << QStringLiteral("%1 %2,%3 %4x%5 [%6] %7/%8%9 a%10 c%11,%12,%13 w%14 l%15 p%16")
                     .arg(int(i.kind))
                     .arg(i.x)
                     .arg(i.y)
                     .arg(i.width)
                     .arg(i.height)
                     .arg(i.text, i.font.family)
                     .arg(i.font.points)
                     .arg(QLatin1String(i.font.bold ? "b" : "") + QLatin1String(i.font.italic ? "i" : "") +
                          QLatin1String(i.font.underline ? "u" : ""))
                     .arg(int(i.align))
                     .arg(i.color.red)
                     .arg(i.color.green)
                     .arg(i.color.blue)
                     .arg(int(i.wraps))
                     .arg(i.lineWidth)
                     .arg(QString::fromLatin1(i.picture.toHex()));
    return lines;
}

bool near(double a, double b) {
    return std::abs(a - b) < 0.01;
}

} // namespace

class PrintLayoutsTest : public QObject {
    Q_OBJECT
private slots:
    void dictionaryFormatGroupsTranslationsUnderTheirHeadword();
    void columnFlow_data();
    void columnFlow();
    void headwordIsNotRepeatedInTheNextColumn();
    void guideLettersComeFromEachPagesFirstRow();
    void emptyTableGivesOnePage_data();
    void emptyTableGivesOnePage();
    void everyPageHasItsNumberAndFooter();
    void bilingualColumnsFollowTheOrder_data();
    void bilingualColumnsFollowTheOrder();
    void bandGrowsWithItsText();
    void programListDescription_data();
    void programListDescription();
    void listHeadersCarryTheMakersContacts();
    void recipePictureOnlyWhereThereIsOne();
    void pagesMadeOnDemandEqualTheWholePass_data();
    void pagesMadeOnDemandEqualTheWholePass();
};

void PrintLayoutsTest::dictionaryFormatGroupsTranslationsUnderTheirHeadword() {
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), {QStringLiteral("alma;apple"), QStringLiteral("alma;apfel"), QStringLiteral("körte;pear")});
    OpenTable t(fx, QStringLiteral("t"), kFirstLanguageColumn);
    const std::vector<Page> pages = layOut(dictionaryFormatLayout(pairInfo(), 2, kMaker), t.table);
    QCOMPARE(pages.size(), size_t(1));
    const Page& page = pages.front();
    QCOMPARE(countText(page, QStringLiteral("alma")), 1);
    const PlacedItem* alma = findText(page, QStringLiteral("alma"));
    const PlacedItem* apple = findText(page, QStringLiteral("apple"));
    const PlacedItem* apfel = findText(page, QStringLiteral("apfel"));
    const PlacedItem* korte = findText(page, QStringLiteral("körte"));
    const PlacedItem* pear = findText(page, QStringLiteral("pear"));
    QVERIFY(alma && apple && apfel && korte && pear);
    QVERIFY(alma->font.bold);
    QVERIFY(!apple->font.bold);
    // Headwords at 0.7 mm into the column, translations indented to 4.0 mm, one 4 mm line each.
    QVERIFY(near(alma->x, 10.7));
    QVERIFY(near(apple->x, 14.0) && near(apfel->x, 14.0) && near(pear->x, 14.0));
    const double bodyTop = 10 + 8.9;
    QVERIFY(near(alma->y, bodyTop + 0.3));
    // Equal headwords keep the index's order among themselves.
    QVERIFY(near(std::min(apple->y, apfel->y), bodyTop + 4.0));
    QVERIFY(near(std::max(apple->y, apfel->y), bodyTop + 8.0));
    QVERIFY(near(korte->y, bodyTop + 12.0 + 0.3));
    QVERIFY(near(pear->y, bodyTop + 16.0));
    QCOMPARE(findText(page, QStringLiteral("Angol-magyar"))->font.points, 16.0);
    QVERIFY(findText(page, QStringLiteral("alm")));
}

void PrintLayoutsTest::columnFlow_data() {
    QTest::addColumn<int>("columns");
    QTest::newRow("2") << 2;
    QTest::newRow("3") << 3;
    QTest::newRow("4") << 4;
}

void PrintLayoutsTest::columnFlow() {
    QFETCH(int, columns);
    // Each headword with one translation: 8 mm a row. The body runs from below the 8.9 mm header
    // to above the 12.9 mm footer and the 15 mm bottom margin.
    const double bodyTop = 10 + 8.9;
    const double bodyBottom = 297 - 15 - 12.9;
    const int perColumn = static_cast<int>((bodyBottom - bodyTop) / 8.0);
    const int rows = perColumn * columns + 1;
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), numberedPairs(rows));
    OpenTable t(fx, QStringLiteral("t"), kFirstLanguageColumn);
    const std::vector<Page> pages = layOut(dictionaryFormatLayout(pairInfo(), columns, kMaker), t.table);
    QCOMPARE(pages.size(), size_t(2));
    const double columnWidth = 190.2 / columns;
    for (int c = 0; c < columns; ++c) {
        // The first headword of each column at the top of the body, its column's left edge plus 0.7.
        const PlacedItem* first = findText(pages[0], QStringLiteral("w%1").arg(c * perColumn, 5, 10, QLatin1Char('0')));
        QVERIFY2(first, qPrintable(QStringLiteral("column %1").arg(c)));
        QVERIFY(near(first->x, 10 + c * columnWidth + 0.7));
        QVERIFY(near(first->y, bodyTop + 0.3));
        QVERIFY(first->width <= columnWidth);
        const PlacedItem* last = findText(pages[0], QStringLiteral("t%1").arg((c + 1) * perColumn - 1));
        QVERIFY(last && last->y + 4.0 <= bodyBottom + 0.01);
    }
    const PlacedItem* overflow = findText(pages[1], QStringLiteral("w%1").arg(rows - 1, 5, 10, QLatin1Char('0')));
    QVERIFY(overflow && near(overflow->x, 10.7) && near(overflow->y, bodyTop + 0.3));
}

void PrintLayoutsTest::headwordIsNotRepeatedInTheNextColumn() {
    const double bodyTop = 10 + 8.9;
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), numberedPairs(150, QStringLiteral("running")));
    OpenTable t(fx, QStringLiteral("t"), kFirstLanguageColumn);
    const std::vector<Page> pages = layOut(dictionaryFormatLayout(pairInfo(), 2, kMaker), t.table);
    QCOMPARE(pages.size(), size_t(2));
    QCOMPARE(countText(pages[0], QStringLiteral("running")), 1);
    QCOMPARE(countText(pages[1], QStringLiteral("running")), 0);
    // The second column goes on with the translations at its top.
    const double columnX = 10 + 190.2 / 2 + 4.0;
    bool continued = false;
    for (const PlacedItem& i : textsOf(pages[0])) continued |= near(i.x, columnX) && near(i.y, bodyTop);
    QVERIFY(continued);
}

void PrintLayoutsTest::guideLettersComeFromEachPagesFirstRow() {
    StoreFixture fx;
    QStringList pairs = {QStringLiteral("alma;apple"), QStringLiteral("alma;apfel"), QStringLiteral("körte;pear")};
    for (int i = 0; i < 400; ++i) pairs << QStringLiteral("zöld%1;green").arg(i, 3, 10, QLatin1Char('0'));
    fx.makePairs(QStringLiteral("t"), pairs);
    OpenTable t(fx, QStringLiteral("t"), kFirstLanguageColumn);
    const std::vector<Page> pages = layOut(dictionaryFormatLayout(pairInfo(), 2, kMaker), t.table);
    QVERIFY(pages.size() >= 2);
    const PlacedItem* guide = findText(pages[0], QStringLiteral("alm"));
    QVERIFY(guide && guide->font.bold && near(guide->font.points, 11));
    QCOMPARE(guide->align, HAlign::Right);
    QVERIFY(near(guide->x + guide->width, 10 + 190.2));
    QVERIFY(findText(pages[1], QStringLiteral("zöl")));
    QVERIFY(!findText(pages[1], QStringLiteral("alm")));
}

void PrintLayoutsTest::emptyTableGivesOnePage_data() {
    QTest::addColumn<int>("layout");
    for (int i = 0; i < 6; ++i) QTest::newRow(qPrintable(QString::number(i))) << i;
}

void PrintLayoutsTest::emptyTableGivesOnePage() {
    QFETCH(int, layout);
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), {});
    OpenTable t(fx, QStringLiteral("t"));
    const ReportLayout layouts[] = {bilingualListLayout(pairInfo(), kMaker), dictionaryFormatLayout(pairInfo(), 3, kMaker),
                                    headwordListLayout(pairInfo(), kMaker),  recipeLayout(pairInfo(), kMaker),
                                    programListLayout(false, kMaker),        downloadListLayout(kMaker)};
    const std::vector<Page> pages = layOut(layouts[layout], t.table);
    QCOMPARE(pages.size(), size_t(1));
    const bool listLayout = layout >= 4;
    QVERIFY(findText(pages[0], listLayout ? QStringLiteral("oldal: 1") : QStringLiteral("Oldal: 1")));
    QVERIFY(findText(pages[0], layouts[layout].title));
}

void PrintLayoutsTest::everyPageHasItsNumberAndFooter() {
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), numberedPairs(120));
    OpenTable t(fx, QStringLiteral("t"), kFirstLanguageColumn);
    const std::vector<Page> pages = layOut(bilingualListLayout(pairInfo(), kMaker), t.table);
    // 5.3 mm a row between the 18.2 mm header and the 12.2 mm footer.
    const int perPage = static_cast<int>((297 - 10 - 12.2 - 10 - 18.2) / 5.3);
    QCOMPARE(pages.size(), size_t((120 + perPage - 1) / perPage));
    for (const Page& page : pages) {
        QVERIFY(findText(page, QStringLiteral("Oldal: %1").arg(page.number)));
        QVERIFY(findText(page, QStringLiteral("nyomtatva: 2024.03.05 07:08:09")));
        QVERIFY(findText(page, QStringLiteral("Verbalo V9")));
        QVERIFY(findText(page, kMaker.web));
        const PlacedItem* title = findText(page, QStringLiteral("Szavak nyomtatása"));
        QVERIFY(title && near(title->y, 297 - 10 - 12.2 + 1.3));
        QVERIFY(findText(page, QStringLiteral("VerbaloV9")));
        QVERIFY(findText(page, QStringLiteral("Angol-magyar")));
    }
}

void PrintLayoutsTest::bilingualColumnsFollowTheOrder_data() {
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("leftCaption");
    QTest::addColumn<QString>("leftWord");
    QTest::newRow("nyelv1") << kFirstLanguageColumn << "angol"
                            << "apple";
    QTest::newRow("nyelv2") << kSecondLanguageColumn << "magyar"
                            << "alma";
}

void PrintLayoutsTest::bilingualColumnsFollowTheOrder() {
    QFETCH(QString, order);
    QFETCH(QString, leftCaption);
    QFETCH(QString, leftWord);
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), {QStringLiteral("apple;alma")});
    fx.exec(QStringLiteral("create index idx_nyelv2 on t (nyelv2);"));
    OpenTable t(fx, QStringLiteral("t"), order);
    const std::vector<Page> pages = layOut(bilingualListLayout(pairInfo(order), kMaker), t.table);
    const PlacedItem* caption = findText(pages[0], leftCaption);
    QVERIFY(caption && near(caption->x, 10) && caption->font.italic);
    const PlacedItem* word = findText(pages[0], leftWord);
    QVERIFY(word && near(word->x, 10) && near(word->y, 10 + 18.2));
}

void PrintLayoutsTest::bandGrowsWithItsText() {
    StoreFixture fx;
    // 100 characters in 96.9 mm at 2 mm each: three lines.
    fx.makePairs(QStringLiteral("t"), {QStringLiteral("a;") + QString(100, QLatin1Char('x')), QStringLiteral("b;short")}, 50,
                 120);
    OpenTable t(fx, QStringLiteral("t"), kFirstLanguageColumn);
    const std::vector<Page> pages = layOut(bilingualListLayout(pairInfo(), kMaker), t.table);
    const double lineHeight = 9 * 0.48;
    const double grownBand = 5.3 + 3 * lineHeight - lineHeight;
    const PlacedItem* b = findText(pages[0], QStringLiteral("b"));
    QVERIFY(b && near(b->y, 10 + 18.2 + grownBand));
    // The grey line under the grown band.
    bool lineUnder = false;
    for (const PlacedItem& i : pages[0].items)
        lineUnder |= i.kind == PlacedItem::Kind::Line && near(i.y, 10 + 18.2 + grownBand) && near(i.width, 190.2);
    QVERIFY(lineUnder);
}

void PrintLayoutsTest::programListDescription_data() {
    QTest::addColumn<bool>("withDescription");
    QTest::addColumn<bool>("descriptionShown");
    QTest::addColumn<double>("secondRowY");
    const double bodyTop = 10 + 32.7;
    // The description of 300 characters in 184.2 mm takes 4 lines of 8 points.
    QTest::newRow("asked for") << true << true << bodyTop + 18.5 + 4 * 8 * 0.48 - 8 * 0.48;
    QTest::newRow("left out") << false << false << bodyTop + 13.2;
}

void PrintLayoutsTest::programListDescription() {
    QFETCH(bool, withDescription);
    QFETCH(bool, descriptionShown);
    QFETCH(double, secondRowY);
    StoreFixture fx;
    fx.exec(QStringLiteral("CREATE TABLE programok (programok_nev CHAR(60), rovid CHAR(120), kategoria CHAR(30), "
                           "ingyenesstr CHAR(10), link CHAR(200), letoltlink CHAR(200), leiras BLOB(0,1))"));
    const QString description(300, QLatin1Char('d'));
    fx.exec(QStringLiteral("INSERT INTO programok VALUES ('Alfa','rövid','szótár','igen','http://a/','http://a/a.zip','%1')")
                .arg(description));
    fx.exec(QStringLiteral("INSERT INTO programok VALUES ('Beta','b','x','nem','http://b/','http://b/b.zip','')"));
    OpenTable t(fx, QStringLiteral("programok"));
    const std::vector<Page> pages = layOut(programListLayout(withDescription, kMaker), t.table);
    QCOMPARE(bool(findText(pages[0], description)), descriptionShown);
    const PlacedItem* beta = findText(pages[0], QStringLiteral("Beta"));
    QVERIFY(beta);
    QVERIFY2(near(beta->y, secondRowY), qPrintable(QString::number(beta->y)));
    const PlacedItem* link = findText(pages[0], QStringLiteral("http://a/a.zip"));
    QVERIFY(link && link->font.underline && link->color.blue == 255);
}

void PrintLayoutsTest::listHeadersCarryTheMakersContacts() {
    StoreFixture fx;
    fx.exec(QStringLiteral("CREATE TABLE letoltes (szotarnev CHAR(60), filenev CHAR(200), szavakszama INT, meret INT, "
                           "szerzo CHAR(60))"));
    fx.exec(QStringLiteral("INSERT INTO letoltes VALUES ('Angol','angol.zip',2500,40000,'Kovács')"));
    OpenTable t(fx, QStringLiteral("letoltes"));
    const std::vector<Page> pages = layOut(downloadListLayout(kMaker), t.table);
    const Page& page = pages[0];
    for (const QString& text : {kMakerName, kMaker.web, kMaker.mail, kMaker.telephone}) {
        const PlacedItem* item = findText(page, text);
        QVERIFY2(item && item->align == HAlign::Right && near(item->x + item->width, 10 + 190.2), qPrintable(text));
    }
    for (const QString& text : {QStringLiteral("Letölthető szótárak listája"), QStringLiteral("qrInternet"),
                                QStringLiteral("oldal: 1"), QStringLiteral("Verbalo9"), QStringLiteral("2024.03.05 07:08:09"),
                                QStringLiteral("Kovács"), QStringLiteral("2500"), QStringLiteral("szerző:")})
        QVERIFY2(findText(page, text), qPrintable(text));
    QCOMPARE(findText(page, QStringLiteral("2500"))->align, HAlign::Right);
}

void PrintLayoutsTest::recipePictureOnlyWhereThereIsOne() {
    StoreFixture fx;
    fx.exec(createDictionaryTableLines(RecipeBook, QStringLiteral("r")).join(QLatin1Char('\n')));
    store::Table t(fx.db());
    t.setTableName(QStringLiteral("r"));
    t.open();
    t.insert();
    t.setValue(QStringLiteral("nyelv1"), QStringLiteral("Levesek"));
    t.setValue(QStringLiteral("nyelv2"), QStringLiteral("Gulyás"));
    t.setValue(QStringLiteral("hozzavalo"), QStringLiteral("hús\nhagyma"));
    t.setBlob(QStringLiteral("kep"), QByteArray("picture bytes"));
    t.setValue(QStringLiteral("filekit"), QStringLiteral(".jpg"));
    t.post();
    t.insert();
    t.setValue(QStringLiteral("nyelv1"), QStringLiteral("Levesek"));
    t.setValue(QStringLiteral("nyelv2"), QStringLiteral("Tyúkhúsleves"));
    t.post();
    const std::vector<Page> pages = layOut(recipeLayout(pairInfo(), kMaker), t);
    std::vector<PlacedItem> pictures;
    for (const PlacedItem& i : pages[0].items)
        if (i.kind == PlacedItem::Kind::Picture) pictures.push_back(i);
    QCOMPARE(pictures.size(), size_t(1));
    QCOMPARE(pictures[0].picture, QByteArray("picture bytes"));
    QCOMPARE(pictures[0].text, QStringLiteral(".jpg"));
    QVERIFY(near(pictures[0].width, 55.9) && near(pictures[0].height, 55.9));
    QVERIFY(findText(pages[0], QStringLiteral("hús\nhagyma")));
    QCOMPARE(countText(pages[0], QStringLiteral("hozzávalók")), 2);
}

void PrintLayoutsTest::pagesMadeOnDemandEqualTheWholePass_data() {
    QTest::addColumn<int>("layout");
    QTest::addColumn<int>("rows");
    QTest::newRow("bilingual list") << 0 << 300;
    QTest::newRow("dictionary format, 2 columns") << 2 << 900;
    QTest::newRow("dictionary format, 3 columns") << 3 << 1400;
    QTest::newRow("dictionary format, 4 columns") << 4 << 1900;
    QTest::newRow("headword list") << 5 << 100;
    QTest::newRow("one page") << 3 << 10;
    QTest::newRow("empty") << 2 << 0;
}

void PrintLayoutsTest::pagesMadeOnDemandEqualTheWholePass() {
    QFETCH(int, layout);
    QFETCH(int, rows);
    // Three translations a headword, with a long one now and then, so that groups and grown
    // bands cross column and page ends.
    QStringList pairs;
    for (int i = 0; i < rows; ++i)
        pairs << QStringLiteral("w%1;t%2%3")
                     .arg(i / 3, 5, 10, QLatin1Char('0'))
                     .arg(i)
                     .arg(i % 17 == 0 ? QStringLiteral(" with a translation long enough to take two lines") : QString());
    StoreFixture fx;
    fx.makePairs(QStringLiteral("t"), pairs, 50, 120);
    OpenTable t(fx, QStringLiteral("t"), kFirstLanguageColumn);
    const ReportLayout chosen = layout == 0   ? bilingualListLayout(pairInfo(), kMaker)
                                : layout == 5 ? headwordListLayout(pairInfo(), kMaker)
                                              : dictionaryFormatLayout(pairInfo(), layout, kMaker);
    const std::vector<Page> whole = layOut(chosen, t.table);
    const int count = int(whole.size());

    TableRows source(t.table);
    PagedReport report(chosen, source, &fixedMeasure, kPrintedAt);
    QVERIFY(report.layOutTo(1));
    QCOMPARE(report.pagesKnown(), 1);
    QCOMPARE(report.complete(), count == 1);
    // Asked for as a reader of the preview does: the first page, a jump ahead, back, the last,
    // then every page in turn.
    std::vector<int> asked{1, std::min(3, count), 1, count, std::max(1, count - 1)};
    for (int n = 1; n <= count; ++n) asked.push_back(n);
    for (int n : asked) QCOMPARE(itemsOf(report.page(n)), itemsOf(whole[size_t(n - 1)]));
    QVERIFY(report.complete());
    QCOMPARE(report.pageCount(), count);
    QVERIFY(!report.layOutTo(count + 1));
    QVERIFY(report.page(count + 1).items.empty());
}

QTEST_GUILESS_MAIN(PrintLayoutsTest)
#include "test_print_layouts.moc"
