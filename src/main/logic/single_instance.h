#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <chrono>
#include <memory>

// Makes sure the main program runs once per user and settings folder. The first start holds a
// lock file for its lifetime and listens on a local socket; a later start finds the lock taken,
// asks the first one through the socket to bring its window forward, and ends.
namespace verbalo {

// The name of the lock and the socket: the user's id and a digest of the settings folder, so
// that two users, or two portable copies, do not meet.
QString singleInstanceKey(const QString& settingsFolder);

class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Role {
        Primary,   // this start runs the program
        Secondary, // another instance runs; it was asked to come forward
    };

    explicit SingleInstance(QString key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Takes the lock or, when another live instance holds it, asks that one to come forward,
    // trying for up to `wait` while it may still be starting. A lock or socket left by a killed
    // instance is cleared. Call once.
    Role start(std::chrono::milliseconds wait = std::chrono::seconds(3));

    QString serverName() const { return key_; }
    QString lockFilePath() const;

signals:
    // A later start asked this instance to bring its window forward.
    void raiseRequested();

private:
    void listen();
    bool askPrimaryToRaise(std::chrono::milliseconds wait);

    QString key_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

} // namespace verbalo
