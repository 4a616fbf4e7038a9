// The code page mapping and the small text and value routines.

#include "common/codepage.h"
#include "common/text_routines.h"

#include <QLocale>
#include <QStringDecoder>
#include <QTest>

#include <clocale>

using namespace verbalo;

Q_DECLARE_METATYPE(verbalo::RgbColor)

namespace {

QString ch(char32_t c) {
    return QString::fromUcs4(&c, 1);
}

} // namespace

class TestTextRoutines : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void codepageKnownCharacters_data();
    void codepageKnownCharacters();
    void codepageMatchesSystemCodec();
    void codepageRoundTripsEveryByte();
    void representability_data();
    void representability();
    void encodeMarksLostCharacters();

    void getToken_data();
    void getToken();
    void foldAccents_data();
    void foldAccents();
    void cleanFileName_data();
    void cleanFileName();
    void splitLines_data();
    void splitLines();
    void joinLines_data();
    void joinLines();
    void keepNumberChars_data();
    void keepNumberChars();
    void extractInt_data();
    void extractInt();
    void countAndRemoveChar_data();
    void countAndRemoveChar();
    void floatToStrDot_data();
    void floatToStrDot();

    void nullableValues_data();
    void nullableValues();
    void replaceChar_data();
    void replaceChar();
    void colours_data();
    void colours();
};

void TestTextRoutines::initTestCase() {
    // A decimal-comma locale both for Qt and for the C library, where one is installed, so
    // floatToStrDot is seen to ignore it.
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    for (const char* name : {"hu_HU.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name)) break;
    }
    QCOMPARE(QLocale().decimalPoint(), QStringLiteral(","));
}

void TestTextRoutines::codepageKnownCharacters_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("codePoint");
    QTest::newRow("ASCII A") << 0x41 << 0x41;
    QTest::newRow("127") << 0x7F << 0x7F;
    QTest::newRow("128 euro") << 0x80 << 0x20AC;
    QTest::newRow("129 undefined") << 0x81 << 0x81;
    QTest::newRow("S caron") << 0x8A << 0x160;
    QTest::newRow("no-break space") << 0xA0 << 0xA0;
    QTest::newRow("O double acute") << 0xD5 << 0x150;
    QTest::newRow("U double acute") << 0xDB << 0x170;
    QTest::newRow("sharp s") << 0xDF << 0xDF;
    QTest::newRow("o double acute") << 0xF5 << 0x151;
    QTest::newRow("u double acute") << 0xFB << 0x171;
    QTest::newRow("255 dot above") << 0xFF << 0x2D9;
}

void TestTextRoutines::codepageKnownCharacters() {
    QFETCH(int, byte);
    QFETCH(int, codePoint);
    QCOMPARE(int(cp1250Char(static_cast<unsigned char>(byte))), codePoint);
    QCOMPARE(cp1250Code(char32_t(codePoint)), byte);
    QCOMPARE(cp1250Code(QChar(char16_t(codePoint))), byte);
}

void TestTextRoutines::codepageMatchesSystemCodec() {
    QStringDecoder reference("windows-1250");
    if (!reference.isValid()) QSKIP("this Qt build has no Windows-1250 codec to compare with");
    QByteArray all;
    for (int b = 0; b < 256; ++b) all.append(char(b));
    const QString expected = reference.decode(all);
    QCOMPARE(expected.size(), 256);
    for (int b = 0; b < 256; ++b) {
        // Codecs differ on the five undefined bytes; the others must agree.
        if (b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98) continue;
        QVERIFY2(cp1250Char(static_cast<unsigned char>(b)) == expected.at(b).unicode(),
                 qPrintable(QStringLiteral("byte %1").arg(b, 2, 16)));
    }
}

void TestTextRoutines::codepageRoundTripsEveryByte() {
    QByteArray all;
    for (int b = 0; b < 256; ++b) all.append(char(b));
    const QString text = decodeCp1250(all);
    QCOMPARE(text.size(), 256);
    QVERIFY(isRepresentable(text));
    bool lossless = false;
    QCOMPARE(encodeCp1250(text, &lossless), all);
    QVERIFY(lossless);
}

void TestTextRoutines::representability_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("representable");
    QTest::newRow("empty") << QString() << true;
    QTest::newRow("Hungarian") << QStringLiteral("árvíztűrő TÜKÖRFÚRÓGÉP") << true;
    QTest::newRow("euro and quotes") << QStringLiteral("„10 €”") << true;
    QTest::newRow("y diaeresis is Latin-1 only") << QStringLiteral("ÿ") << false;
    QTest::newRow("Cyrillic") << QStringLiteral("Жук") << false;
    QTest::newRow("outside the BMP") << ch(0x1F600) << false;
}

void TestTextRoutines::representability() {
    QFETCH(QString, text);
    QFETCH(bool, representable);
    QCOMPARE(isRepresentable(text), representable);
}

void TestTextRoutines::encodeMarksLostCharacters() {
    bool lossless = true;
    // One '?' for a character outside the BMP, not one per surrogate half.
    QCOMPARE(encodeCp1250(QStringLiteral("a") + ch(0x1F600) + QStringLiteral("Жő"), &lossless), QByteArray("a??\xF5"));
    QVERIFY(!lossless);
}

void TestTextRoutines::getToken_data() {
    QTest::addColumn<QString>("separators");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("expected");
    QTest::newRow("second field") << ";"
                                  << "szo;link" << 2 << "link";
    QTest::newRow("first field") << ";"
                                 << "szo;link" << 1 << "szo";
    QTest::newRow("middle field, one separator") << ";"
                                                 << "a;b;c" << 2 << "b";
    QTest::newRow("last field, one separator") << ";"
                                               << "a;b;c" << 3 << "c";
    QTest::newRow("past the end, one separator") << ";"
                                                 << "a;b;c" << 4 << "";
    QTest::newRow("too few fields") << ";"
                                    << "abc" << 2 << "";
    QTest::newRow("two separators, empty field") << ";,"
                                                 << "a;;b,c" << 2 << "";
    QTest::newRow("any separator counts") << ";,"
                                          << "a;;b,c" << 3 << "b";
    QTest::newRow("last field") << ";,"
                                << "a;;b,c" << 4 << "c";
    QTest::newRow("past the end") << ";,"
                                  << "a;;b,c" << 5 << "";
    QTest::newRow("empty field after final separator") << ";"
                                                       << "a;" << 2 << "";
    QTest::newRow("empty text") << ";"
                                << "" << 1 << "";
    QTest::newRow("n zero") << ";"
                            << "a;b" << 0 << "";
    QTest::newRow("no separators given") << ""
                                         << "a;b" << 1 << "a;b";
}

void TestTextRoutines::getToken() {
    QFETCH(QString, separators);
    QFETCH(QString, text);
    QFETCH(int, n);
    QFETCH(QString, expected);
    QCOMPARE(verbalo::getToken(separators, text, n), expected);
}

void TestTextRoutines::foldAccents_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("accents and apostrophe") << QStringLiteral("Ökör-Űrlap's") << "OKOR-URLAP S";
    QTest::newRow("sharp s has no capital") << QStringLiteral("Straße") << "STRA#E";
    QTest::newRow("all Hungarian vowels") << QStringLiteral("árvíztűrő tükörfúrógép") << "ARVIZTURO TUKORFUROGEP";
    QTest::newRow("double quote") << QStringLiteral("\"a\"") << " A ";
    QTest::newRow("other accented capital") << QStringLiteral("Äpfel") << "#PFEL";
    QTest::newRow("128 euro stays") << QStringLiteral("5€") << QStringLiteral("5€");
    QTest::newRow("129 becomes #") << QStringLiteral("a") + ch(0x81) << "A#";
    QTest::newRow("255 becomes #") << QStringLiteral("a") + ch(0x2D9) << "A#";
    QTest::newRow("outside the code page") << QStringLiteral("Жук") << "###";
    QTest::newRow("outside the BMP is one character") << ch(0x1F600) << "#";
    QTest::newRow("ASCII punctuation stays") << QStringLiteral("a-b_c.d/1") << "A-B_C.D/1";
    QTest::newRow("empty") << QString() << "";
}

void TestTextRoutines::foldAccents() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(verbalo::foldAccents(text), expected);
}

void TestTextRoutines::cleanFileName_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("example") << QStringLiteral("Szó & Kép: 2/3") << "sz_---k_p--2-3";
    QTest::newRow("every unsafe character") << QStringLiteral(" !\"#%&'*+/:?@\\") << "--------------";
    QTest::newRow("kept punctuation") << QStringLiteral("$,.-<>|;=") << "$,.-<>|;=";
    QTest::newRow("lower-cased") << QStringLiteral("ABC.TXT") << "abc.txt";
    QTest::newRow("128 euro stays") << QStringLiteral("€") << QStringLiteral("€");
    QTest::newRow("129 becomes _") << ch(0x81) << "_";
    QTest::newRow("255 becomes _") << ch(0x2D9) << "_";
    QTest::newRow("capital accent becomes _") << QStringLiteral("ÁB") << "_b";
    QTest::newRow("outside the code page") << QStringLiteral("Жук") << "___";
    QTest::newRow("empty") << QString() << "";
}

void TestTextRoutines::cleanFileName() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(verbalo::cleanFileName(text), expected);
}

void TestTextRoutines::splitLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("keepEmptyLast");
    QTest::addColumn<QStringList>("expected");
    const QStringList ab{"a", "b"};
    QTest::newRow("CR LF") << "a\r\nb" << false << ab;
    QTest::newRow("CR") << "a\rb" << false << ab;
    QTest::newRow("LF") << "a\nb" << false << ab;
    QTest::newRow("final break adds nothing") << "a\r\nb\r\n" << false << ab;
    QTest::newRow("final break kept") << "a\r\nb\r\n" << true << QStringList{"a", "b", ""};
    QTest::newRow("no final break, kept variant") << "a\r\nb" << true << ab;
    QTest::newRow("empty line inside") << "a\n\nb" << false << QStringList{"a", "", "b"};
    QTest::newRow("LF CR is two breaks") << "a\n\rb" << false << QStringList{"a", "", "b"};
    QTest::newRow("only a break") << "\r\n" << false << QStringList{""};
    QTest::newRow("empty") << "" << false << QStringList{};
    QTest::newRow("empty, kept variant") << "" << true << QStringList{};
}

void TestTextRoutines::splitLines() {
    QFETCH(QString, text);
    QFETCH(bool, keepEmptyLast);
    QFETCH(QStringList, expected);
    QCOMPARE(verbalo::splitLines(text, keepEmptyLast), expected);
    QCOMPARE(verbalo::lineCount(text, keepEmptyLast), expected.size());
}

void TestTextRoutines::joinLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("mixed breaks") << "a\r\nb\rc\nd"
                                  << "a,b,c,d";
    QTest::newRow("final break") << "a\r\nb\r\n"
                                 << "a,b";
    QTest::newRow("empty line inside") << "a\r\n\r\nb"
                                       << "a,,b";
    QTest::newRow("one line") << "abc"
                              << "abc";
    QTest::newRow("empty") << ""
                           << "";
}

void TestTextRoutines::joinLines() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(verbalo::joinLines(text, QLatin1Char(',')), expected);
}

void TestTextRoutines::keepNumberChars_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("label and blanks") << "id: 42 "
                                      << "42";
    QTest::newRow("separators kept") << "1.234,5 Ft"
                                     << "1.234,5";
    QTest::newRow("sign dropped") << "-7"
                                  << "7";
    QTest::newRow("non-ASCII digits dropped") << QStringLiteral("٣4") << "4";
    QTest::newRow("empty") << ""
                           << "";
}

void TestTextRoutines::keepNumberChars() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(verbalo::keepNumberChars(text), expected);
}

void TestTextRoutines::extractInt_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("label and blanks") << "id: 42 " << 42;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("fraction is not an integer") << "12.5" << 0;
    QTest::newRow("grouped is not an integer") << "1,000" << 0;
    QTest::newRow("sign dropped") << "-7" << 7;
    QTest::newRow("largest") << "2147483647" << 2147483647;
    QTest::newRow("too large") << "2147483648" << 0;
    QTest::newRow("leading zeros") << "007" << 7;
}

void TestTextRoutines::extractInt() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(verbalo::extractInt(text), expected);
}

void TestTextRoutines::countAndRemoveChar_data() {
    QTest::addColumn<QChar>("c");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("removed");
    QTest::newRow("several") << QChar(u';') << "a;b;;c" << 3 << "abc";
    QTest::newRow("none") << QChar(u';') << "abc" << 0 << "abc";
    QTest::newRow("case matters") << QChar(u'a') << "Aaa" << 2 << "A";
    QTest::newRow("accented") << QChar(u'ő') << QStringLiteral("őrölő") << 2 << QStringLiteral("röl");
    QTest::newRow("empty") << QChar(u'x') << "" << 0 << "";
}

void TestTextRoutines::countAndRemoveChar() {
    QFETCH(QChar, c);
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, removed);
    QCOMPARE(verbalo::countChar(c, text), count);
    QCOMPARE(verbalo::removeChar(c, text), removed);
}

void TestTextRoutines::floatToStrDot_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0.35") << 0.35 << "0.35";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("whole") << 100.0 << "100";
    QTest::newRow("negative") << -2.5 << "-2.5";
    QTest::newRow("rounded to 15 digits") << 0.1 + 0.2 << "0.3";
    QTest::newRow("15 significant digits") << 3.14159265358979 << "3.14159265358979";
    QTest::newRow("15 integer digits") << 123456789012345.0 << "123456789012345";
    QTest::newRow("16 integer digits") << 1e15 << "1E15";
    QTest::newRow("large with fraction") << 1.5e20 << "1.5E20";
    QTest::newRow("smallest plain") << 0.00001 << "0.00001";
    QTest::newRow("small") << 0.000001 << "1E-6";
    QTest::newRow("small with digits") << -0.00000125 << "-1.25E-6";
}

void TestTextRoutines::floatToStrDot() {
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(verbalo::floatToStrDot(value), expected);
}

void TestTextRoutines::nullableValues_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("asText");
    QTest::addColumn<int>("asInt");
    QTest::addColumn<double>("asFloat");
    // Defaults used below: "def", -1, -1.5.
    QTest::newRow("invalid") << QVariant() << "def" << -1 << -1.5;
    QTest::newRow("typed null text") << QVariant(QMetaType::fromType<QString>()) << "def" << -1 << -1.5;
    QTest::newRow("typed null integer") << QVariant(QMetaType::fromType<int>()) << "def" << -1 << -1.5;
    QTest::newRow("integer") << QVariant(42) << "42" << 42 << 42.0;
    QTest::newRow("zero is not null") << QVariant(0) << "0" << 0 << 0.0;
    QTest::newRow("empty text is not null") << QVariant(QStringLiteral("")) << "" << -1 << -1.5;
    QTest::newRow("numeric text") << QVariant(QStringLiteral("42")) << "42" << 42 << 42.0;
    QTest::newRow("fraction text") << QVariant(QStringLiteral("2.5")) << "2.5" << -1 << 2.5;
    QTest::newRow("word") << QVariant(QStringLiteral("abc")) << "abc" << -1 << -1.5;
    QTest::newRow("double") << QVariant(2.25) << "2.25" << 2 << 2.25;
}

void TestTextRoutines::nullableValues() {
    QFETCH(QVariant, value);
    QFETCH(QString, asText);
    QFETCH(int, asInt);
    QFETCH(double, asFloat);
    QCOMPARE(nullToStr(value, QStringLiteral("def")), asText);
    QCOMPARE(nullToInt(value, -1), asInt);
    QCOMPARE(nullToFloat(value, -1.5), asFloat);
}

void TestTextRoutines::replaceChar_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("null") << QVariant() << "";
    QTest::newRow("typed null") << QVariant(QMetaType::fromType<QString>()) << "";
    QTest::newRow("text") << QVariant(QStringLiteral("a b  c")) << "a_b__c";
    QTest::newRow("number") << QVariant(12) << "12";
}

void TestTextRoutines::replaceChar() {
    QFETCH(QVariant, value);
    QFETCH(QString, expected);
    QCOMPARE(verbalo::replaceChar(value, QLatin1Char(' '), QLatin1Char('_')), expected);
}

void TestTextRoutines::colours_data() {
    QTest::addColumn<RgbColor>("colour");
    QTest::addColumn<int>("amount");
    QTest::addColumn<RgbColor>("expected");
    QTest::newRow("raised") << RgbColor{100, 150, 200} << 30 << RgbColor{130, 180, 230};
    QTest::newRow("capped at 255") << RgbColor{250, 255, 0} << 10 << RgbColor{255, 255, 10};
    QTest::newRow("zero") << RgbColor{1, 2, 3} << 0 << RgbColor{1, 2, 3};
    QTest::newRow("negative stays at 0") << RgbColor{5, 100, 255} << -10 << RgbColor{0, 90, 245};
}

void TestTextRoutines::colours() {
    QFETCH(RgbColor, colour);
    QFETCH(int, amount);
    QFETCH(RgbColor, expected);
    QCOMPARE(lightenColor(colour, amount), expected);
    QCOMPARE(sortColumnColor(), (RgbColor{255, 255, 185}));
}

QTEST_GUILESS_MAIN(TestTextRoutines)
#include "test_text_routines.moc"
