// The message box helpers and their replaceable sink.

#include "common/messages.h"

#include <QTest>

using namespace verbalo;

Q_DECLARE_METATYPE(verbalo::Answer)

class TestMessages : public QObject {
    Q_OBJECT

private slots:
    void helpersSendCaptionsAndKinds();
    void questionsTakeQueuedAnswers_data();
    void questionsTakeQueuedAnswers();
    void defaultSinkRefuses();
    void scopedSinkRestoresThePrevious();
};

void TestMessages::helpersSendCaptionsAndKinds() {
    RecordingMessageSink sink;
    ScopedMessageSink scope(&sink);
    QObject owner;
    sink.queueAnswer(Answer::Yes);
    sink.queueAnswer(Answer::No);

    showError(QStringLiteral("Nem sikerült"), &owner);
    showInfo(QStringLiteral("Kész"));
    QVERIFY(askYesNo(QStringLiteral("Törli?"), QStringLiteral("Megerősítés"), &owner));
    QCOMPARE(askYesNoCancel(QStringLiteral("Mentse?"), QStringLiteral("Kérdés")), Answer::No);

    const QList<Message>& m = sink.messages();
    QCOMPARE(m.size(), 4);
    QCOMPARE(m[0].kind, MessageKind::Error);
    QCOMPARE(m[0].caption, QStringLiteral("Hiba"));
    QCOMPARE(m[0].owner, &owner);
    QVERIFY(m[0].reactivatePrevious);
    QCOMPARE(m[1].kind, MessageKind::Info);
    QCOMPARE(m[1].caption, QStringLiteral("Üzenet"));
    QCOMPARE(m[1].owner, nullptr);
    QVERIFY(!m[1].reactivatePrevious);
    QCOMPARE(m[2].kind, MessageKind::YesNo);
    QCOMPARE(m[2].caption, QStringLiteral("Megerősítés"));
    QVERIFY(m[2].reactivatePrevious);
    QCOMPARE(m[3].kind, MessageKind::YesNoCancel);
    QCOMPARE(m[3].caption, QStringLiteral("Kérdés"));
    QVERIFY(m[3].reactivatePrevious);
    QCOMPARE(sink.texts(), (QStringList{"Nem sikerült", "Kész", "Törli?", "Mentse?"}));
}

void TestMessages::questionsTakeQueuedAnswers_data() {
    QTest::addColumn<Answer>("queued");
    QTest::addColumn<bool>("yesNo");
    QTest::addColumn<Answer>("yesNoCancel");
    QTest::newRow("yes") << Answer::Yes << true << Answer::Yes;
    QTest::newRow("no") << Answer::No << false << Answer::No;
    QTest::newRow("cancel is no for a yes/no question") << Answer::Cancel << false << Answer::Cancel;
    QTest::newRow("ok is the safe button") << Answer::Ok << false << Answer::Cancel;
}

void TestMessages::questionsTakeQueuedAnswers() {
    QFETCH(Answer, queued);
    QFETCH(bool, yesNo);
    QFETCH(Answer, yesNoCancel);
    RecordingMessageSink sink;
    ScopedMessageSink scope(&sink);
    sink.queueAnswer(queued);
    sink.queueAnswer(queued);
    showError(QStringLiteral("does not use an answer"));
    QCOMPARE(askYesNo(QStringLiteral("?"), QStringLiteral("c")), yesNo);
    QCOMPARE(askYesNoCancel(QStringLiteral("?"), QStringLiteral("c")), yesNoCancel);
    // The queue is empty now: the default answer follows.
    QCOMPARE(askYesNoCancel(QStringLiteral("?"), QStringLiteral("c")), Answer::No);
    sink.setDefaultAnswer(Answer::Yes);
    QVERIFY(askYesNo(QStringLiteral("?"), QStringLiteral("c")));
}

void TestMessages::defaultSinkRefuses() {
    setMessageSink(nullptr);
    QVERIFY(!askYesNo(QStringLiteral("Törli?"), QStringLiteral("Megerősítés")));
    QCOMPARE(askYesNoCancel(QStringLiteral("Mentse?"), QStringLiteral("Kérdés")), Answer::Cancel);
    showError(QStringLiteral("only printed"));
}

void TestMessages::scopedSinkRestoresThePrevious() {
    RecordingMessageSink outer;
    RecordingMessageSink inner;
    {
        ScopedMessageSink outerScope(&outer);
        {
            ScopedMessageSink innerScope(&inner);
            QCOMPARE(&messageSink(), &inner);
            showInfo(QStringLiteral("inner"));
        }
        QCOMPARE(&messageSink(), &outer);
        showInfo(QStringLiteral("outer"));
    }
    QVERIFY(&messageSink() != &outer);
    QCOMPARE(inner.texts(), QStringList{"inner"});
    QCOMPARE(outer.texts(), QStringList{"outer"});
}

QTEST_GUILESS_MAIN(TestMessages)
#include "test_messages.moc"
