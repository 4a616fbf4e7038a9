#include "common/messages.h"

#include <QStringList>

#include <cstdio>

namespace verbalo {
namespace {

class StderrMessageSink : public MessageSink {
public:
    Answer show(const Message& message) override {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(message.caption), qUtf8Printable(message.text));
        switch (message.kind) {
        case MessageKind::YesNo: return Answer::No;
        case MessageKind::YesNoCancel: return Answer::Cancel;
        default: return Answer::Ok;
        }
    }
};

StderrMessageSink g_defaultSink;
MessageSink* g_sink = &g_defaultSink;

Answer send(MessageKind kind, const QString& caption, const QString& text, QObject* owner, bool reactivatePrevious) {
    return g_sink->show(Message{kind, caption, text, owner, reactivatePrevious});
}

} // namespace

MessageSink* setMessageSink(MessageSink* sink) {
    MessageSink* previous = g_sink == &g_defaultSink ? nullptr : g_sink;
    g_sink = sink ? sink : &g_defaultSink;
    return previous;
}

MessageSink& messageSink() {
    return *g_sink;
}

void showError(const QString& message, QObject* owner) {
    send(MessageKind::Error, QStringLiteral("Hiba"), message, owner, true);
}

void showInfo(const QString& message, QObject* owner) {
    send(MessageKind::Info, QStringLiteral("Üzenet"), message, owner, false);
}

bool askYesNo(const QString& message, const QString& caption, QObject* owner) {
    return send(MessageKind::YesNo, caption, message, owner, true) == Answer::Yes;
}

Answer askYesNoCancel(const QString& message, const QString& caption, QObject* owner) {
    return send(MessageKind::YesNoCancel, caption, message, owner, true);
}

Answer RecordingMessageSink::show(const Message& message) {
    messages_.append(message);
    if (message.kind == MessageKind::Error || message.kind == MessageKind::Info) return Answer::Ok;
    Answer answer = answers_.isEmpty() ? defaultAnswer_ : answers_.takeFirst();
    // A question offers only its own buttons; an answer it does not have counts as the
    // safe one.
    if (message.kind == MessageKind::YesNo && answer != Answer::Yes) answer = Answer::No;
    if (message.kind == MessageKind::YesNoCancel && answer == Answer::Ok) answer = Answer::Cancel;
    return answer;
}

QStringList RecordingMessageSink::texts() const {
    QStringList result;
    for (const Message& m : messages_) result.append(m.text);
    return result;
}

} // namespace verbalo
