#include "store_fixture.h"

#include "common/store/table.h"

namespace verbalo::test {

StoreFixture::StoreFixture() : folder_(dir_.path()) {
    db_.connect(QStringLiteral("szotar"), folder_);
}

int StoreFixture::exec(const QString& sql) {
    store::Query q(db_);
    q.setSql(sql);
    return q.exec();
}

QStringList StoreFixture::rows(const QString& sql) {
    store::Query q(db_);
    q.setSql(sql);
    store::ResultSet rs = q.open();
    QStringList out;
    for (; !rs.eof(); rs.next()) {
        QStringList cells;
        for (int i = 0; i < rs.fieldCount(); ++i) {
            const QVariant v = rs.value(i);
            cells << (v.isNull() ? QString() : v.toString());
        }
        out << cells.join(QLatin1Char('\t'));
    }
    return out;
}

void StoreFixture::makePairs(const QString& table, const QStringList& pairs, int width1, int width2) {
    exec(QStringLiteral("CREATE TABLE %1 ( nyelv1 CHAR(%2), nyelv2 CHAR(%3), PRIMARY KEY (nyelv1,nyelv2));")
             .arg(table)
             .arg(width1)
             .arg(width2));
    store::Table t(db_);
    t.setTableName(table);
    t.open();
    for (const QString& p : pairs) {
        t.insert();
        t.setValue(QStringLiteral("nyelv1"), p.section(QLatin1Char(';'), 0, 0));
        t.setValue(QStringLiteral("nyelv2"), p.section(QLatin1Char(';'), 1));
        t.post();
    }
}

} // namespace verbalo::test
