// Every file the programs write ends complete and in place, or fails with a reason and leaves
// the previous file byte for byte: a size limit of 0 (which fails a write as a full disk does),
// /dev/full, and a full tmpfs where the suite may mount one.
#include "common/ini_file.h"
#include "common/safe_file_writer.h"
#include "common/settings.h"
#include "common/text_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace verbalo;

namespace {

// Runs write in a child process whose files may not grow at all; its writes fail with EFBIG
// exactly where a full disk fails them with ENOSPC. True when the write reported success.
bool succeedsUnderSizeLimitZero(const std::function<bool()>& write) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        rlimit none{0, 0};
        ::setrlimit(RLIMIT_FSIZE, &none);
        std::signal(SIGXFSZ, SIG_IGN);
        ::_exit(write() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QByteArray kOld = "[Database]\r\nPath=/old/data\r\nLastGyDict=7\r\n[Screen]\r\nLeft=10\r\n";

} // namespace

class SafeFileWriterTest : public QObject {
    Q_OBJECT
private slots:
    void replacesTheFileWhole();
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
    void deviceWriteErrorsAreReported();
    void fullTmpfsKeepsTheOldFile();
    void linkStaysALink();
    void uncommittedWriterLeavesNothing();
};

void SafeFileWriterTest::replacesTheFileWhole() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    writeBytes(path, "old");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    // More than the writer's buffer, so the file is written in several pieces.
    const QByteArray big(300 * 1024, 'x');
    const FileWriteResult r = writeFileSafely(path, big);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(bytesOf(path), big);
    QCOMPARE(QFile::permissions(path) & (QFile::ReadGroup | QFile::ReadOther), QFile::ReadGroup);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("a.txt")});
}

void SafeFileWriterTest::failedWriteKeepsTheOldFile_data() {
    QTest::addColumn<int>("writer");
    QTest::newRow("whole file") << 0;
    QTest::newRow("text file") << 1;
    QTest::newRow("ini key") << 2;
    QTest::newRow("main program's settings") << 3;
    QTest::newRow("quick finder's settings") << 4;
}

void SafeFileWriterTest::failedWriteKeepsTheOldFile() {
    QFETCH(int, writer);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Verbalo9.ini"));
    writeBytes(path, kOld);
    const IniFile ini(path);
    const std::function<bool()> writes[] = {
        [&] { return writeFileSafely(path, "new content").ok; },
        [&] { return writeTextFile(path, {QStringLiteral("új sor")}).ok; },
        [&] { return ini.writeString(QStringLiteral("Screen"), QStringLiteral("Left"), QStringLiteral("99")); },
        [&] { return saveSettings(ini, MainSettings()); },
        [&] { return saveQuickFinderSettings(ini, QuickFinderSettings()); },
    };
    QVERIFY(!succeedsUnderSizeLimitZero(writes[writer]));
    QCOMPARE(bytesOf(path), kOld);
    // No temporary file is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot).filter(QStringLiteral(".Verbalo9")),
             QStringList());
    // Without the limit the same write goes through.
    QVERIFY(writes[writer]());
    QVERIFY(bytesOf(path) != kOld);
}

void SafeFileWriterTest::deviceWriteErrorsAreReported() {
    if (!QFileInfo::exists(QStringLiteral("/dev/full"))) QSKIP("no /dev/full here");
    const FileWriteResult r = writeFileSafely(QStringLiteral("/dev/full"), QByteArray(10, 'x'));
    QVERIFY(!r.ok);
    QVERIFY2(r.error.contains(QStringLiteral("/dev/full")) && r.error.contains(QStringLiteral("megtelt")), qPrintable(r.error));
    // The device is written in place, never replaced by a renamed file.
    QVERIFY(!QFileInfo(QStringLiteral("/dev/full")).isFile());
    QVERIFY(!writeTextFile(QStringLiteral("/dev/full"), {QStringLiteral("a")}).ok);
}

void SafeFileWriterTest::fullTmpfsKeepsTheOldFile() {
    if (::geteuid() != 0) QSKIP("mounting a small tmpfs needs root");
    QTemporaryDir dir;
    if (QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                                    QStringLiteral("size=64k"), QStringLiteral("tmpfs"), dir.path()}) != 0)
        QSKIP("this machine does not let the suite mount a tmpfs");
    const QString path = dir.filePath(QStringLiteral("Verbalo9.ini"));
    writeBytes(path, kOld);
    // Fill the rest of the disk.
    QProcess dd;
    dd.setStandardErrorFile(QProcess::nullDevice());
    dd.start(QStringLiteral("dd"), {QStringLiteral("if=/dev/zero"), QStringLiteral("of=") + dir.filePath(QStringLiteral("fill")),
                                    QStringLiteral("bs=4k"), QStringLiteral("status=none")});
    dd.waitForFinished(); // ends with "no space left", which is the point
    QString error;
    MainSettings s;
    s.dataFolder = QString(20000, QLatin1Char('d')); // more than one free block, if any is left
    const bool saved = saveSettings(IniFile(path), s, &error);
    QProcess::execute(QStringLiteral("umount"), {dir.path()});
    QVERIFY(!saved);
    QVERIFY2(error.contains(QStringLiteral("megtelt")), qPrintable(error));
}

void SafeFileWriterTest::linkStaysALink() {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("real.ini"));
    const QString link = dir.filePath(QStringLiteral("link.ini"));
    writeBytes(target, "old");
    QVERIFY(QFile::link(target, link));
    QVERIFY(writeFileSafely(link, "new").ok);
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(bytesOf(target), QByteArray("new"));
}

void SafeFileWriterTest::uncommittedWriterLeavesNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("export.csv"));
    writeBytes(path, "previous export");
    {
        SafeFileWriter w(path);
        QVERIFY(w.open());
        QVERIFY(w.write(QByteArray(200 * 1024, 'y')));
        // Stopped by the user, or by an error elsewhere: no commit.
    }
    QCOMPARE(bytesOf(path), QByteArray("previous export"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("export.csv")});
    // A folder that does not exist is a clear error, not a crash.
    SafeFileWriter missing(dir.filePath(QStringLiteral("nincs/ilyen.csv")));
    QVERIFY(!missing.open());
    QVERIFY(missing.errorString().contains(QStringLiteral("a mappa nem létezik")));
    QVERIFY(!missing.write("x"));
    QVERIFY(!missing.commit());
}

QTEST_GUILESS_MAIN(SafeFileWriterTest)
#include "test_safe_file_writer.moc"
