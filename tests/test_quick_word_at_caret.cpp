// The word at the caret of the quick finder's editing area, and its word characters counted
// on Windows-1250 codes.
#include "common/codepage.h"
#include "common/word_at_caret.h"

#include <QTest>

using namespace verbalo;

class QuickWordAtCaretTest : public QObject {
    Q_OBJECT
private slots:
    void wordAtCaret_data();
    void wordAtCaret();
    void wordCharacters_data();
    void wordCharacters();
    void everyCodePageByte();
};

void QuickWordAtCaretTest::wordAtCaret_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("word");

    const QString text = QStringLiteral("az alma  piros");
    //                                   12345678901234
    QTest::newRow("caret inside a word") << text << 5 << QStringLiteral("alma");
    QTest::newRow("caret on a word's first letter") << text << 4 << QStringLiteral("alma");
    QTest::newRow("caret right after a word") << text << 8 << QStringLiteral("alma");
    QTest::newRow("caret right before a word, after a blank") << text << 10 << QStringLiteral("piros");
    QTest::newRow("caret between two blanks") << text << 9 << QString();
    QTest::newRow("caret at the start of the line") << text << 1 << QStringLiteral("az");
    QTest::newRow("caret at the end of the line") << text << 15 << QStringLiteral("piros");
    QTest::newRow("caret beyond the end of the line") << text << 40 << QStringLiteral("piros");
    QTest::newRow("empty line") << QString() << 1 << QString();
    QTest::newRow("beyond the end of a line ending in a blank") << QStringLiteral("alma ") << 9 << QString();
    QTest::newRow("line of separators") << QStringLiteral(" - ; ") << 3 << QString();
    QTest::newRow("digits and underscore are word characters") << QStringLiteral("x=a_1b2;") << 4 << QStringLiteral("a_1b2");
    QTest::newRow("punctuation ends the word") << QStringLiteral("(ház),") << 3 << QStringLiteral("ház");
    QTest::newRow("Hungarian accented letters") << QStringLiteral("ŐSZ Űrhajó tűz") << 8 << QStringLiteral("Űrhajó");
    QTest::newRow("hyphen separates") << QStringLiteral("sárga-zöld") << 8 << QStringLiteral("zöld");
    QTest::newRow("× separates (code 215)") << QStringLiteral("3×4") << 1 << QStringLiteral("3");
    QTest::newRow("÷ separates (code 247)") << QStringLiteral("a÷b") << 3 << QStringLiteral("b");
    QTest::newRow("Š separates (code 138)") << QStringLiteral("aŠb") << 2 << QStringLiteral("a");
    QTest::newRow("ł separates (code 179)") << QStringLiteral("płot") << 3 << QStringLiteral("ot");
    QTest::newRow("non-breaking space separates (code 160)") << QStringLiteral("kék\u00A0ég") << 5 << QStringLiteral("ég");
    QTest::newRow("a letter outside the code page joins the word") << QStringLiteral("ж ёлка") << 4 << QStringLiteral("ёлка");
    QTest::newRow("a sign outside the code page separates") << QStringLiteral("ab\u2192cd") << 4 << QStringLiteral("cd");
    QTest::newRow("columns count characters, not UTF-16 units")
        << QStringLiteral("\U0001F600 alma") << 3 << QStringLiteral("alma");
    QTest::newRow("tab separates") << QStringLiteral("alma\tkörte") << 6 << QStringLiteral("körte");
}

void QuickWordAtCaretTest::wordAtCaret() {
    QFETCH(QString, line);
    QFETCH(int, column);
    QFETCH(QString, word);
    QCOMPARE(verbalo::wordAtCaret(line, column), word);
}

void QuickWordAtCaretTest::wordCharacters_data() {
    QTest::addColumn<uint>("character");
    QTest::addColumn<bool>("isWord");
    QTest::newRow("0") << uint('0') << true;
    QTest::newRow("9") << uint('9') << true;
    QTest::newRow("A") << uint('A') << true;
    QTest::newRow("z") << uint('z') << true;
    QTest::newRow("_") << uint('_') << true;
    QTest::newRow("blank") << uint(' ') << false;
    QTest::newRow("apostrophe") << uint('\'') << false;
    QTest::newRow("Á (193)") << uint(0xC1) << true;
    QTest::newRow("Ŕ (192)") << uint(0x154) << true;
    QTest::newRow("× (215)") << uint(0xD7) << false;
    QTest::newRow("Ř (216)") << uint(0x158) << true;
    QTest::newRow("ö (246)") << uint(0xF6) << true;
    QTest::newRow("÷ (247)") << uint(0xF7) << false;
    QTest::newRow("ű (251)") << uint(0x171) << true;
    QTest::newRow("˙ (255)") << uint(0x2D9) << true;
    QTest::newRow("ż (191)") << uint(0x17C) << false;
    QTest::newRow("€ (128)") << uint(0x20AC) << false;
    QTest::newRow("Greek alpha, not in the code page") << uint(0x3B1) << true;
    QTest::newRow("CJK letter") << uint(0x5B57) << true;
    QTest::newRow("arrow, not in the code page") << uint(0x2192) << false;
}

void QuickWordAtCaretTest::wordCharacters() {
    QFETCH(uint, character);
    QFETCH(bool, isWord);
    QCOMPARE(isQuickWordCharacter(char32_t(character)), isWord);
}

// The rule stated on codes: every byte of the code page, through the shared mapping.
void QuickWordAtCaretTest::everyCodePageByte() {
    for (int code = 0; code < 256; ++code) {
        const bool expected = (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z') ||
                              code == '_' || (code >= 192 && code <= 214) || (code >= 216 && code <= 246) || code >= 248;
        QVERIFY2(isQuickWordCharacter(cp1250Char(static_cast<unsigned char>(code))) == expected,
                 qPrintable(QStringLiteral("code %1").arg(code)));
    }
}

QTEST_GUILESS_MAIN(QuickWordAtCaretTest)
#include "test_quick_word_at_caret.moc"
