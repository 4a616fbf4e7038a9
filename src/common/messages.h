#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

// Message boxes with fixed captions. All of them go through one replaceable sink: the window
// layer installs one that shows real boxes, tests install a RecordingMessageSink that keeps the
// messages and gives pre-set answers.
namespace verbalo {

enum class MessageKind { Error, Info, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

struct Message {
    MessageKind kind = MessageKind::Info;
    QString caption;
    QString text;
    QObject* owner = nullptr; // the window that owns the box; may be null
    // Whether the window that was active before the box gets the focus back afterwards.
    bool reactivatePrevious = false;
};

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Shows the message and returns the button pressed: Ok for Error and Info, Yes or No for
    // YesNo, Yes, No or Cancel for YesNoCancel.
    virtual Answer show(const Message& message) = 0;
};

// Installs sink (not owned) and returns the one it replaces; nullptr brings back the default
// sink, which prints to stderr and answers No or Cancel, so nothing runs unattended on a guess.
MessageSink* setMessageSink(MessageSink* sink);
MessageSink& messageSink();

// Installs a sink for the lifetime of this object.
class ScopedMessageSink {
public:
    explicit ScopedMessageSink(MessageSink* sink) : previous_(setMessageSink(sink)) {}
    ~ScopedMessageSink() { setMessageSink(previous_); }
    ScopedMessageSink(const ScopedMessageSink&) = delete;
    ScopedMessageSink& operator=(const ScopedMessageSink&) = delete;

private:
    MessageSink* previous_;
};

// Caption "Hiba".
void showError(const QString& message, QObject* owner = nullptr);
// Caption "Üzenet".
void showInfo(const QString& message, QObject* owner = nullptr);
// True when Yes was pressed.
bool askYesNo(const QString& message, const QString& caption, QObject* owner = nullptr);
Answer askYesNoCancel(const QString& message, const QString& caption, QObject* owner = nullptr);

// Keeps every message; questions take the queued answers in order, then defaultAnswer.
class RecordingMessageSink : public MessageSink {
public:
    Answer show(const Message& message) override;

    void queueAnswer(Answer answer) { answers_.append(answer); }
    void setDefaultAnswer(Answer answer) { defaultAnswer_ = answer; }
    const QList<Message>& messages() const { return messages_; }
    QStringList texts() const;
    void clear() { messages_.clear(); }

private:
    QList<Message> messages_;
    QList<Answer> answers_;
    Answer defaultAnswer_ = Answer::No;
};

} // namespace verbalo
