// The clipboard watch of the quick finder, paced by a clock the test moves by hand.
#include "test_quick_fixture.h"

#include "quickfinder/logic/clipboard_watch.h"
#include "quickfinder/system_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

using namespace verbalo;
using verbalo::test::ManualClock;
using verbalo::test::ScriptedClipboard;

namespace {

QMimeData* mimeWithText(const QString& text, const QByteArray& passwordHint = QByteArray()) {
    auto* data = new QMimeData;
    data->setText(text);
    if (!passwordHint.isNull()) data->setData(QStringLiteral("x-kde-passwordManagerHint"), passwordHint);
    return data;
}

} // namespace

class QuickClipboardTest : public QObject {
    Q_OBJECT
private slots:
    void firstTickTakesWhatIsAlreadyThere();
    void sameTextTwiceIsBroughtInOnce();
    void onlyWhileTheSearchTabIsActive();
    void errorsAreIgnored();
    void stoppedWatchLooksAtNothing();
    void clipboardContent_data();
    void clipboardContent();
    void longTextIsCut_data();
    void longTextIsCut();
    void secretOnTheSystemClipboardIsNeverBroughtIn();
};

void QuickClipboardTest::firstTickTakesWhatIsAlreadyThere() {
    ManualClock clock;
    ScriptedClipboard clipboard;
    clipboard.setText(QStringLiteral("alma a fa alatt"));
    ClipboardWatch watch(clipboard, clock);
    QSignalSpy arrived(&watch, &ClipboardWatch::textArrived);
    watch.start();
    QVERIFY(clock.isActive());
    QCOMPARE(clock.interval(), 1000);
    QCOMPARE(arrived.count(), 0); // nothing before the first tick
    clock.fire();
    QCOMPARE(arrived.count(), 1);
    QCOMPARE(arrived.at(0).at(0).toString(), QStringLiteral("alma a fa alatt"));
}

void QuickClipboardTest::sameTextTwiceIsBroughtInOnce() {
    ManualClock clock;
    ScriptedClipboard clipboard;
    ClipboardWatch watch(clipboard, clock);
    QSignalSpy arrived(&watch, &ClipboardWatch::textArrived);
    watch.start();
    clock.fire(); // an empty clipboard brings nothing
    clipboard.content = ClipboardText{true, QString()};
    clock.fire(); // nor does an empty text
    QCOMPARE(arrived.count(), 0);
    clipboard.setText(QStringLiteral("ház"));
    clock.fire();
    clock.fire();
    clipboard.setText(QStringLiteral("ház")); // copied again elsewhere: the same text
    clock.fire();
    QCOMPARE(arrived.count(), 1);
    clipboard.setText(QStringLiteral("kert"));
    clock.fire();
    clipboard.setText(QStringLiteral("ház"));
    clock.fire();
    QCOMPARE(arrived.count(), 3);
    QCOMPARE(watch.lastSeen(), QStringLiteral("ház"));
}

void QuickClipboardTest::onlyWhileTheSearchTabIsActive() {
    ManualClock clock;
    ScriptedClipboard clipboard;
    ClipboardWatch watch(clipboard, clock);
    bool searchTab = false;
    watch.setSearchTabActive([&searchTab] { return searchTab; });
    QSignalSpy arrived(&watch, &ClipboardWatch::textArrived);
    watch.start();
    clipboard.setText(QStringLiteral("körte"));
    clock.fire();
    clock.fire();
    QCOMPARE(arrived.count(), 0);
    QCOMPARE(clipboard.reads, 0); // the clipboard is not even read
    // Copied while "Előfordulás" was active: brought in once "Keresés" is active again.
    searchTab = true;
    clock.fire();
    QCOMPARE(arrived.count(), 1);
    QCOMPARE(arrived.at(0).at(0).toString(), QStringLiteral("körte"));
}

void QuickClipboardTest::errorsAreIgnored() {
    ManualClock clock;
    ScriptedClipboard clipboard;
    ClipboardWatch watch(clipboard, clock);
    QSignalSpy arrived(&watch, &ClipboardWatch::textArrived);
    watch.start();
    clipboard.setText(QStringLiteral("alma"));
    clipboard.failNext = true;
    clock.fire();
    QCOMPARE(arrived.count(), 0);
    clock.fire();
    QCOMPARE(arrived.count(), 1);
    clipboard.setText(QStringLiteral("körte"));
    clock.fire();
    QCOMPARE(arrived.count(), 2);
    QVERIFY(watch.isRunning());
}

void QuickClipboardTest::stoppedWatchLooksAtNothing() {
    ManualClock clock;
    ScriptedClipboard clipboard;
    ClipboardWatch watch(clipboard, clock);
    QSignalSpy arrived(&watch, &ClipboardWatch::textArrived);
    clipboard.setText(QStringLiteral("alma"));
    watch.check(); // not started yet
    QCOMPARE(arrived.count(), 0);
    watch.start();
    watch.check(); // the window's activation look
    QCOMPARE(arrived.count(), 1);
    // Opening another dictionary stops and starts the watch; the last text seen survives.
    watch.stop();
    QVERIFY(!clock.isActive());
    watch.check();
    watch.start();
    clock.fire();
    QCOMPARE(arrived.count(), 1);
}

void QuickClipboardTest::clipboardContent_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("hint");
    QTest::addColumn<bool>("hasText");
    QTest::newRow("plain text") << QStringLiteral("alma") << QByteArray() << true;
    QTest::newRow("marked secret by a password manager") << QStringLiteral("jelszó123") << QByteArray("secret") << false;
    QTest::newRow("secret with a line break after it") << QStringLiteral("jelszó123") << QByteArray("secret\n") << false;
    QTest::newRow("a hint that is not secret") << QStringLiteral("alma") << QByteArray("public") << true;
}

void QuickClipboardTest::clipboardContent() {
    QFETCH(QString, text);
    QFETCH(QByteArray, hint);
    QFETCH(bool, hasText);
    std::unique_ptr<QMimeData> data(mimeWithText(text, hint));
    const ClipboardText content = clipboardTextOf(data.get());
    QCOMPARE(content.hasText, hasText);
    QCOMPARE(content.text, hasText ? text : QString());

    QVERIFY(!clipboardTextOf(nullptr).hasText);
    QMimeData image;
    image.setImageData(QImage(4, 4, QImage::Format_RGB32));
    QVERIFY(!clipboardTextOf(&image).hasText);
}

void QuickClipboardTest::longTextIsCut_data() {
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("keptUnits");
    QTest::newRow("one byte a character") << QStringLiteral("a") << kClipboardTextLimit;
    QTest::newRow("two bytes a character") << QStringLiteral("ő") << kClipboardTextLimit / 2;
    QTest::newRow("three bytes a character") << QStringLiteral("€") << kClipboardTextLimit / 3;
    QTest::newRow("four bytes, never split") << QStringLiteral("\U0001F600") << kClipboardTextLimit / 4;
}

void QuickClipboardTest::longTextIsCut() {
    QFETCH(QString, unit);
    QFETCH(int, keptUnits);
    const QString text = unit.repeated(kClipboardTextLimit); // well beyond the limit in every case
    std::unique_ptr<QMimeData> data(mimeWithText(text));
    const ClipboardText content = clipboardTextOf(data.get());
    QVERIFY(content.hasText);
    QCOMPARE(content.text, unit.repeated(keptUnits));
    QVERIFY(content.text.toUtf8().size() <= kClipboardTextLimit);
    // A text within the limit comes whole.
    std::unique_ptr<QMimeData> small(mimeWithText(unit.repeated(100)));
    QCOMPARE(clipboardTextOf(small.get()).text, unit.repeated(100));
}

void QuickClipboardTest::secretOnTheSystemClipboardIsNeverBroughtIn() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    ManualClock clock;
    SystemClipboard source;
    ClipboardWatch watch(source, clock);
    QSignalSpy arrived(&watch, &ClipboardWatch::textArrived);
    watch.start();
    clipboard->setMimeData(mimeWithText(QStringLiteral("titok"), "secret"));
    clock.fire();
    QCOMPARE(arrived.count(), 0);
    clipboard->setText(QStringLiteral("nyilvános szöveg"));
    clock.fire();
    QCOMPARE(arrived.count(), 1);
    QCOMPARE(arrived.at(0).at(0).toString(), QStringLiteral("nyilvános szöveg"));
    // The same text copied by a password manager afterwards is not taken for a new copy, and
    // nothing of it is kept.
    clipboard->setMimeData(mimeWithText(QStringLiteral("titok2"), "secret"));
    clock.fire();
    QCOMPARE(arrived.count(), 1);
    QCOMPARE(watch.lastSeen(), QStringLiteral("nyilvános szöveg"));
}

QTEST_MAIN(QuickClipboardTest)
#include "test_quick_clipboard.moc"
