// A second process for the store's concurrency tests. "bulk-insert" writes word pairs into a
// table in batches and says on stdout after each commit how many rows are stored for sure;
// "hold-read" keeps a read of a table file open for a while, as a slow reader in the other
// program would, and says "holding" once it has the file's shared lock.
#include "common/store/database.h"
#include "common/store/table.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QThread>

#include <cstdio>
#include <sqlite3.h>

namespace {

int holdRead(const QString& file, int millis) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "error: %s\n", sqlite3_errmsg(db));
        return 1;
    }
    // A statement stepped once and left unfinished holds the shared lock until it is reset.
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT rowid FROM sqlite_master", -1, &s, nullptr) != SQLITE_OK ||
        sqlite3_step(s) != SQLITE_ROW) {
        std::fprintf(stderr, "error: %s\n", sqlite3_errmsg(db));
        return 1;
    }
    std::printf("holding\n");
    std::fflush(stdout);
    QThread::msleep(static_cast<unsigned long>(millis));
    sqlite3_finalize(s);
    sqlite3_close(db);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args.at(1) == QLatin1String("hold-read")) return holdRead(args.at(2), args.at(3).toInt());
    if (args.size() != 6 || args.at(1) != QLatin1String("bulk-insert")) {
        std::fprintf(stderr, "usage: store_test_helper bulk-insert FOLDER TABLE ROWS BATCH | hold-read FILE MILLIS\n");
        return 2;
    }
    QTextStream out(stdout);
    try {
        verbalo::store::Database db;
        db.connect(QStringLiteral("szotar"), args.at(2));
        verbalo::store::Table t(db);
        t.setTableName(args.at(3));
        t.open();
        const int rows = args.at(4).toInt();
        const int batch = args.at(5).toInt();
        t.disableControls();
        t.beginBatch();
        for (int i = 0; i < rows; ++i) {
            t.insert();
            t.setValue(QStringLiteral("nyelv1"), QStringLiteral("szo%1").arg(i, 7, 10, QLatin1Char('0')));
            t.setValue(QStringLiteral("nyelv2"), QStringLiteral("word%1").arg(i));
            t.post();
            if ((i + 1) % batch == 0) {
                t.flushBatch();
                out << "committed " << (i + 1) << Qt::endl;
            }
        }
        t.endBatch();
        t.enableControls();
        out << "done " << rows << Qt::endl;
    } catch (const verbalo::store::StoreError& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
    return 0;
}
