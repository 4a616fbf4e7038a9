// The key comparison's shortcuts against the collator itself: whatever way compareKeys and
// compareKeysIgnoringCase reach their answer, it must be the one ICU's root collation gives
// (with the bytes as the last tie-break for the full order), or indexes built by one program
// version would be out of order for the next.

#include "common/store/collation.h"

#include <QTest>
#include <unicode/ucol.h>

#include <memory>
#include <string>
#include <vector>

using namespace verbalo::store;

namespace {

struct CollatorCloser {
    void operator()(UCollator* c) const { ucol_close(c); }
};
using CollatorPtr = std::unique_ptr<UCollator, CollatorCloser>;

CollatorPtr rootCollator(UCollationStrength strength) {
    UErrorCode status = U_ZERO_ERROR;
    CollatorPtr c(ucol_open("", &status));
    ucol_setStrength(c.get(), strength);
    return c;
}

int sign(int v) {
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

int icuOrder(UCollator* coll, const std::string& a, const std::string& b) {
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult r = ucol_strcollUTF8(coll, a.data(), static_cast<int32_t>(a.size()), b.data(),
                                                static_cast<int32_t>(b.size()), &status);
    return r == UCOL_LESS ? -1 : (r == UCOL_GREATER ? 1 : 0);
}

int referenceFull(UCollator* coll, const std::string& a, const std::string& b) {
    const int r = icuOrder(coll, a, b);
    return r != 0 ? r : sign(a.compare(b));
}

std::string utf8(char32_t c) {
    return QString::fromUcs4(&c, 1).toStdString();
}

// Every code point of the Latin blocks, the combining accents, and a few that ICU's root
// collation joins with their neighbours or weighs specially.
std::vector<std::string> probeCharacters() {
    std::vector<std::string> out;
    for (char32_t c = 1; c < 0x250; ++c) out.push_back(utf8(c));
    for (char32_t c : {0x0300, 0x0301, 0x0308, 0x030B, 0x0327, 0x0338, 0x0E40, 0x0E01, 0x0418, 0x0306, 0x00B7, 0x2260,
                       0xFFFD, 0x4E00, 0x1F600})
        out.push_back(utf8(c));
    return out;
}

} // namespace

class KeyComparisonTest : public QObject {
    Q_OBJECT
private slots:
    void agreesWithTheCollatorAtEveryDifferingCharacter_data();
    void agreesWithTheCollatorAtEveryDifferingCharacter();
    void agreesWithTheCollatorOnDictionaryWords();
};

void KeyComparisonTest::agreesWithTheCollatorAtEveryDifferingCharacter_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    // What stands around the first difference: nothing, a shared stem, an accented stem,
    // a following combining mark that could join the differing character.
    QTest::newRow("alone") << QString() << QString();
    QTest::newRow("after a stem") << QStringLiteral("kért") << QStringLiteral("ő");
    QTest::newRow("after an accent") << QStringLiteral("ó") << QStringLiteral("a");
    QTest::newRow("before a combining mark") << QStringLiteral("s") << QString(QChar(0x0301));
    QTest::newRow("same ending") << QStringLiteral("ház") << QStringLiteral("b");
    QTest::newRow("before a contraction's end") << QStringLiteral("a") << QStringLiteral("l") + QChar(0x00B7);
    QTest::newRow("after a combining mark") << QStringLiteral("e") + QChar(0x0308) << QStringLiteral("z");
}

void KeyComparisonTest::agreesWithTheCollatorAtEveryDifferingCharacter() {
    QFETCH(QString, before);
    QFETCH(QString, after);
    const std::string prefix = before.toStdString();
    const std::string suffix = after.toStdString();
    CollatorPtr full = rootCollator(UCOL_DEFAULT);
    CollatorPtr ignoringCase = rootCollator(UCOL_SECONDARY);
    const std::vector<std::string> chars = probeCharacters();
    int mismatches = 0;
    for (const std::string& x : chars) {
        const std::string a = prefix + x + suffix;
        for (const std::string& y : chars) {
            // The other string goes on differently, so that only the first difference decides.
            const std::string b = prefix + y + "b";
            const int got = compareKeys(a.data(), int(a.size()), b.data(), int(b.size()));
            const int gotIgnoringCase = compareKeysIgnoringCase(a.data(), int(a.size()), b.data(), int(b.size()));
            if (got != referenceFull(full.get(), a, b) || gotIgnoringCase != icuOrder(ignoringCase.get(), a, b)) {
                if (++mismatches <= 5)
                    qWarning("«%s» against «%s»: %d / %d", a.c_str(), b.c_str(), got, gotIgnoringCase);
            }
        }
    }
    QCOMPARE(mismatches, 0);
}

void KeyComparisonTest::agreesWithTheCollatorOnDictionaryWords() {
    // Words as a dictionary holds them: long shared stems, accents, capitals, phrases.
    const QStringList words = {
        QStringLiteral("alma"),         QStringLiteral("Alma"),          QStringLiteral("álma"),
        QStringLiteral("almafa"),       QStringLiteral("alma fa"),       QStringLiteral("alma-fa"),
        QStringLiteral("almáspite"),    QStringLiteral("almásPite"),     QStringLiteral("Ádám"),
        QStringLiteral("adam"),         QStringLiteral("köszönőlevél"),  QStringLiteral("köszönölevél"),
        QStringLiteral("kőszív"),       QStringLiteral("kosz"),          QStringLiteral("Kőszeg"),
        QStringLiteral("űr"),           QStringLiteral("ür"),            QStringLiteral("ur"),
        QStringLiteral("Úr"),           QStringLiteral("straße"),        QStringLiteral("strasse"),
        QStringLiteral("Œuvre"),        QStringLiteral("oeuvre"),        QStringLiteral("æble"),
        QStringLiteral("aeble"),        QStringLiteral("ĳs"),            QStringLiteral("ijs"),
        QStringLiteral("e") + QChar(0x0301) + QStringLiteral("g"),      QStringLiteral("ég"),
        QStringLiteral("egészségbiztosítási"), QStringLiteral("egészségbiztosító"), QStringLiteral("egészségügyi"),
        QStringLiteral("123"),          QStringLiteral("12a"),           QString(),
        QStringLiteral(" "),            QStringLiteral("ŀl"),            QStringLiteral("l·l"),
    };
    CollatorPtr full = rootCollator(UCOL_DEFAULT);
    CollatorPtr ignoringCase = rootCollator(UCOL_SECONDARY);
    for (const QString& wa : words) {
        for (const QString& wb : words) {
            const std::string a = wa.toStdString();
            const std::string b = wb.toStdString();
            const int got = compareKeys(a.data(), int(a.size()), b.data(), int(b.size()));
            const int gotIgnoringCase = compareKeysIgnoringCase(a.data(), int(a.size()), b.data(), int(b.size()));
            const QString pair = QStringLiteral("«%1» against «%2»: %3 / %4").arg(wa, wb).arg(got).arg(gotIgnoringCase);
            QVERIFY2(got == referenceFull(full.get(), a, b), qPrintable(pair));
            QVERIFY2(gotIgnoringCase == icuOrder(ignoringCase.get(), a, b), qPrintable(pair));
        }
    }
}

QTEST_APPLESS_MAIN(KeyComparisonTest)
#include "test_key_comparison.moc"
