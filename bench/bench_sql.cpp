// A long statement list through the SQL window, offscreen.
//
//   bench_sql --work FOLDER [--sqlite3 PROGRAM] [--statements N]
//
// A script of N (default 10,000) INSERTs, one statement per line, goes into the SQL window's
// editor and runs with "Futtat": cut at every ";", each statement run on the data folder's SQL
// session in a transaction of its own, the progress bar moving. The sqlite3 shell runs the
// same script on a plain table file of the same layout in the same run; both commit every
// statement on its own. The work folder is emptied first.

#include "support/bench_frame.h"
#include "support/bench_support.h"

#include "common/messages.h"
#include "common/store/database.h"
#include "common/store/query.h"
#include "freesql/sql_editor.h"
#include "freesql/sql_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProgressBar>

#include <cstdio>
#include <string>

using namespace verbalo;
using namespace bench;

namespace {

constexpr double kGoal = 2.0;

QString insertScript(int statements) {
    QString script;
    for (int i = 1; i <= statements; ++i)
        script += QStringLiteral("INSERT INTO szavak (szo, szam) VALUES ('szó %1', %1);\r\n").arg(i);
    return script;
}

int rowCount(store::Database& db) {
    store::Query q(db);
    q.setSql(QStringLiteral("SELECT count(*) FROM szavak"));
    return q.open().value(0).toInt();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QString work;
    QString sqlite3 = QStringLiteral("sqlite3");
    int statements = 10000;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--work"))
            work = args[i + 1];
        else if (args[i] == QLatin1String("--sqlite3"))
            sqlite3 = args[i + 1];
        else if (args[i] == QLatin1String("--statements"))
            statements = args[i + 1].toInt();
    }
    if (work.isEmpty() || statements <= 0) {
        std::fprintf(stderr, "usage: bench_sql --work FOLDER [--sqlite3 PROGRAM] [--statements N]\n");
        return 2;
    }
    QDir(work).removeRecursively();
    QDir().mkpath(work + QStringLiteral("/data"));
    work = QFileInfo(work).absoluteFilePath();

    RecordingMessageSink sink;
    ScopedMessageSink sinkGuard(&sink);
    BenchFrame frame(work);
    const QString layout = QStringLiteral("CREATE TABLE szavak (szo CHAR(40), szam INT)");
    {
        store::Query q(frame.database());
        q.setSql(layout);
        q.exec();
    }
    const QString script = insertScript(statements);
    say(QStringLiteral("sql: %1 INSERTs through the SQL window, offscreen, against the sqlite3 shell").arg(statements));

    // The reference: the shell on a plain file of the same layout, the same statements.
    const std::string plain = (work + QStringLiteral("/plain.db")).toStdString();
    const std::string scriptFile = (work + QStringLiteral("/inserts.sql")).toStdString();
    writeFile(scriptFile, (layout + QStringLiteral(";\n") + script).toStdString());
    const ChildRun shell = runChild({sqlite3.toStdString(), plain}, scriptFile, "/dev/null");
    if (shell.status != 0) {
        std::fprintf(stderr, "bench_sql: the sqlite3 shell failed (%d)\n", shell.status);
        return 1;
    }

    Tfrm_SQL window(frame);
    window.show();
    QApplication::processEvents();
    auto* bar = window.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    int barMoves = 0;
    QObject::connect(bar, &QProgressBar::valueChanged, &window, [&barMoves] { ++barMoves; });
    window.editor()->setText(script);
    sink.clear();
    const auto start = Clock::now();
    window.run();
    const double seconds = secondsSince(start);
    const bool finished = sink.texts() == QStringList{QStringLiteral("SQL futtatás kész.")};
    if (!finished) say(QStringLiteral("  messages: ") + sink.texts().join(QStringLiteral(" / ")));
    const int rows = rowCount(frame.database());

    const double ratio = seconds / shell.seconds;
    say(QStringLiteral("  window: %1 s, %2 statements/s, %3 rows, the progress bar moved %4 times")
            .arg(seconds, 0, 'f', 2)
            .arg(statements / seconds, 0, 'f', 0)
            .arg(rows)
            .arg(barMoves));
    say(QStringLiteral("  sqlite3 shell: %1 s, %2 statements/s")
            .arg(shell.seconds, 0, 'f', 2)
            .arg(statements / shell.seconds, 0, 'f', 0));
    say(QStringLiteral("  window / shell = %1x (goal <= %2x) %3")
            .arg(ratio, 0, 'f', 2)
            .arg(kGoal, 0, 'f', 1)
            .arg(QLatin1String(verdict(ratio <= kGoal && finished && rows == statements))));
    say(QStringLiteral("  (other builds on this machine share its cores and disk: the figures are of this run)"));
    return 0;
}
