// A second process for the store's concurrency tests: it writes word pairs into a table in
// batches and says on stdout after each commit how many rows are stored for sure.
#include "common/store/database.h"
#include "common/store/table.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 6 || args.at(1) != QLatin1String("bulk-insert")) {
        std::fprintf(stderr, "usage: store_test_helper bulk-insert FOLDER TABLE ROWS BATCH\n");
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
