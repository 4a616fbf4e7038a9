#include "test_frame.h"

#include "common/store/query.h"
#include "common/table_layouts.h"

#include <QDir>

namespace verbalo::test {

namespace {

Folders foldersIn(const QString& root) {
    QDir(root).mkpath(QStringLiteral("prog"));
    QDir(root).mkpath(QStringLiteral("Data"));
    return computeFolders(root + QStringLiteral("/prog"), root);
}

} // namespace

TestFrame::TestFrame() : folders_(foldersIn(dir_.path())), ini_(folders_.configFile), sinkGuard_(&messages) {
    createMissingFolders(folders_, createEmptyCatalogue);
    createEmptyCatalogue(folders_.dataFolder, nullptr);
    settings_ = loadSettings(ini_, folders_);
    db_.connect(QStringLiteral("szotar"), folders_.dataFolder);
}

void TestFrame::showDictionaryStatus(const QString& name, const QString& position, const QPixmap& largeIcon,
                                     const QString& orderLanguage) {
    statuses.append(Status{name, position, orderLanguage, !largeIcon.isNull()});
}

int TestFrame::addDictionary(int type, const QString& name, const QString& table, const QString& language1,
                             const QString& language2) {
    store::Query q(db_);
    q.setSql(createDictionaryTableLines(type, table).join(QLatin1Char('\n')));
    q.exec();
    for (const QString& index : createDictionaryIndexStatements(type, table)) {
        q.setSql(index);
        q.exec();
    }
    q.setSql(QStringLiteral("INSERT INTO szotarak (szotarak_nev, tablanev, tipus, nyelv1, nyelv2, nyelv1szeles, nyelv2szeles, "
                            "sorrend, ablak, letezik) "
                            "VALUES (%1, %2, %3, %4, %5, 0.5, 0.5, 'nyelv1', 0, 'I')")
                 .arg(store::quoteLiteral(name), store::quoteLiteral(table))
                 .arg(type)
                 .arg(store::quoteLiteral(language1), store::quoteLiteral(language2)));
    q.exec();
    q.setSql(QStringLiteral("SELECT max(szotarak) FROM szotarak"));
    return q.open().value(0).toInt();
}

QString TestFrame::catalogueCells(int id, const QString& columns) {
    store::Query q(db_);
    q.setSql(QStringLiteral("SELECT %1 FROM szotarak WHERE szotarak=%2;").arg(columns).arg(id));
    store::ResultSet rs = q.open();
    QStringList cells;
    for (int i = 0; i < rs.fieldCount(); ++i) cells << rs.value(i).toString();
    return cells.join(QLatin1Char('|'));
}

} // namespace verbalo::test
