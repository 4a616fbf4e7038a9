// Reading and writing plain-text files: line ends, encodings, NUL, errors.

#include "common/text_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace verbalo;

Q_DECLARE_METATYPE(verbalo::TextEncoding)
Q_DECLARE_METATYPE(verbalo::LastLine)

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestTextFile : public QObject {
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void readErrors_data();
    void readErrors();
    void write_data();
    void write();
    void writeThenReadGivesTheLinesBack_data();
    void writeThenReadGivesTheLinesBack();
    void failedWriteCreatesNothing();

private:
    QTemporaryDir dir_;
};

void TestTextFile::read_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<LastLine>("lastLine");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<TextEncoding>("encoding");

    const auto drop = LastLine::DropEmpty;
    const auto keep = LastLine::KeepEmpty;
    const auto cp = TextEncoding::Windows1250;
    const auto utf8 = TextEncoding::Utf8;
    const QStringList ab{"a", "b"};

    QTest::newRow("CR LF") << QByteArray("a\r\nb") << drop << ab << cp;
    QTest::newRow("CR") << QByteArray("a\rb\r") << drop << ab << cp;
    QTest::newRow("LF") << QByteArray("a\nb\n") << drop << ab << cp;
    QTest::newRow("final break, dropped") << QByteArray("a\r\nb\r\n") << drop << ab << cp;
    QTest::newRow("final break, kept") << QByteArray("a\r\nb\r\n") << keep << QStringList{"a", "b", ""} << cp;
    QTest::newRow("empty lines inside") << QByteArray("a\r\n\r\nb") << drop << QStringList{"a", "", "b"} << cp;
    QTest::newRow("empty file") << QByteArray() << drop << QStringList{} << cp;
    QTest::newRow("Windows-1250") << QByteArray("\xF5r\xFClt\r\n\xC1rv\xEDz") << drop
                                  << QStringList{QStringLiteral("őrült"), QStringLiteral("Árvíz")} << cp;
    QTest::newRow("bytes 128, 129, 255") << QByteArray("\x80\x81\xFF") << drop << QStringList{QStringLiteral("€\u0081˙")} << cp;
    QTest::newRow("UTF-8 without mark") << QByteArray("\xC5\x91r\xC3\xBClt\nb") << drop
                                        << QStringList{QStringLiteral("őrült"), "b"} << utf8;
    QTest::newRow("UTF-8 mark dropped, ASCII only") << kBom + "ab\r\ncd" << drop << QStringList{"ab", "cd"} << utf8;
    QTest::newRow("UTF-8 mark dropped, accents") << kBom + "\xC5\x91" << drop << QStringList{QStringLiteral("ő")} << utf8;
    QTest::newRow("ASCII only counts as Windows-1250") << QByteArray("abc") << drop << QStringList{"abc"} << cp;
    QTest::newRow("broken UTF-8 sequence") << QByteArray("\xC3X") << drop << QStringList{QStringLiteral("ĂX")} << cp;
    QTest::newRow("overlong UTF-8 form") << QByteArray("\xC0\xAF") << drop << QStringList{QStringLiteral("ŔŻ")} << cp;
    QTest::newRow("encoded surrogate") << QByteArray("\xED\xA0\x80") << drop << QStringList{QStringLiteral("í\u00A0€")} << cp;
    QTest::newRow("truncated UTF-8 at end") << QByteArray("a\xC5") << drop << QStringList{QStringLiteral("aĹ")} << cp;
    QTest::newRow("NUL ends the text") << QByteArray("a\r\nb\0c\r\nd", 10) << drop << ab << cp;
    QTest::newRow("NUL before the only non-ASCII byte") << QByteArray("abc\0\xC5\x91", 6) << drop << QStringList{"abc"} << cp;
}

void TestTextFile::read() {
    QFETCH(QByteArray, bytes);
    QFETCH(LastLine, lastLine);
    QFETCH(QStringList, lines);
    QFETCH(TextEncoding, encoding);
    const QString path = dir_.filePath(QStringLiteral("in.txt"));
    QVERIFY(writeBytes(path, bytes));
    const TextReadResult result = readTextFile(path, lastLine);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.lines, lines);
    QCOMPARE(result.encoding, encoding);
}

void TestTextFile::readErrors_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("missing file") << dir_.filePath(QStringLiteral("missing.txt"));
    QTest::newRow("missing folder") << dir_.filePath(QStringLiteral("nowhere/in.txt"));
    QTest::newRow("a folder") << dir_.path();
}

void TestTextFile::readErrors() {
    QFETCH(QString, path);
    const TextReadResult result = readTextFile(path);
    QVERIFY(!result.ok);
    QVERIFY(result.lines.isEmpty());
    QVERIFY2(result.error.contains(path), qPrintable(result.error));
}

void TestTextFile::write_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TextEncoding>("encoding");
    const auto cp = TextEncoding::Windows1250;
    QTest::newRow("CR LF after every line") << QStringList{"a", "b"} << QByteArray("a\r\nb\r\n") << cp;
    QTest::newRow("no lines") << QStringList{} << QByteArray() << cp;
    QTest::newRow("one empty line") << QStringList{""} << QByteArray("\r\n") << cp;
    QTest::newRow("Windows-1250 characters")
        << QStringList{QStringLiteral("őz €"), QStringLiteral("˙")} << QByteArray("\xF5z \x80\r\n\xFF\r\n") << cp;
    QTest::newRow("one foreign character makes all UTF-8")
        << QStringList{QStringLiteral("ő"), QStringLiteral("Жук")} << kBom + QStringLiteral("ő\r\nЖук\r\n").toUtf8()
        << TextEncoding::Utf8;
}

void TestTextFile::write() {
    QFETCH(QStringList, lines);
    QFETCH(QByteArray, bytes);
    QFETCH(TextEncoding, encoding);
    const QString path = dir_.filePath(QStringLiteral("out.txt"));
    QVERIFY(writeBytes(path, "old content that is longer than the new one"));
    const TextWriteResult result = writeTextFile(path, lines);
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(result.encoding, encoding);
    QCOMPARE(readBytes(path), bytes);
}

void TestTextFile::writeThenReadGivesTheLinesBack_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("Windows-1250") << QStringList{QStringLiteral("árvíztűrő"), "", "x"};
    QTest::newRow("UTF-8") << QStringList{QStringLiteral("Жук"), QStringLiteral("ő")};
    const char32_t emoji = 0x1F600;
    QTest::newRow("UTF-8, outside the BMP") << QStringList{"abc", QString::fromUcs4(&emoji, 1)};
}

void TestTextFile::writeThenReadGivesTheLinesBack() {
    QFETCH(QStringList, lines);
    const QString path = dir_.filePath(QStringLiteral("round.txt"));
    const TextWriteResult written = writeTextFile(path, lines);
    QVERIFY(written.ok);
    const TextReadResult read = readTextFile(path);
    QVERIFY(read.ok);
    QCOMPARE(read.lines, lines);
    QCOMPARE(read.encoding, written.encoding);
}

void TestTextFile::failedWriteCreatesNothing() {
    const QString inMissingFolder = dir_.filePath(QStringLiteral("nowhere/out.txt"));
    TextWriteResult result = writeTextFile(inMissingFolder, {"a"});
    QVERIFY(!result.ok);
    QVERIFY(result.error.contains(inMissingFolder));
    QVERIFY(!QFileInfo::exists(dir_.filePath(QStringLiteral("nowhere"))));

    // A folder in the file's place cannot be replaced; it stays, and no stray file is left.
    const QString folder = dir_.filePath(QStringLiteral("taken"));
    QVERIFY(QDir().mkpath(folder));
    const QStringList before = QDir(dir_.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    result = writeTextFile(folder, {"a"});
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(QDir(dir_.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), before);
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_text_file.moc"
