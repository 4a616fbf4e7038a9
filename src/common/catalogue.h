#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace verbalo {

namespace store {
class Database;
}

// The in-memory copy of one catalogue row, held by every dictionary window and by the quick
// finder. The icons are held as the bytes of their icon files; the window layer turns them into
// pictures. An empty icon means "none": windows then show their default picture.
struct TSzotarak {
    int szotarak = 0;
    QString szotarak_nev;
    QString tablanev;
    int tipus = 0;
    int verzio = 0;
    QString nyelv1;
    QByteArray nyelv1ikon;
    QString nyelv2;
    QByteArray nyelv2ikon;
    QByteArray ikon_nagy;
    QString szerzo;
    QString szerzo_emil;
    QString megjegyzes;
    double nyelv1szeles = 0.5;
    double nyelv2szeles = 0.5;
    QString sorrend;
    int ablak = 0;
};

// Fills info from the catalogue row whose id is `id`. A row that is not there gives false and
// leaves info empty (type 0) but for the id, so no caller opens another dictionary in its place.
// Language icons missing or unreadable come from programFolder + "/Ico/Default16.ico".
// Errors of the store (no catalogue) reach the caller.
bool readDictionaryInfo(store::Database& db, int id, TSzotarak& info, const QString& programFolder);

// The catalogue's first row (the lowest id), for a program whose remembered dictionary is no
// longer in the catalogue. False, with info empty, for an empty catalogue.
bool readFirstDictionaryInfo(store::Database& db, TSzotarak& info, const QString& programFolder);

// The row's type code; 0 when the row does not exist or its type is empty.
int dictionaryTypeOf(store::Database& db, int id);

// Runs one statement that returns no rows (the catalogue updates, DROP TABLE, the name index).
void runStatement(store::Database& db, const QString& statement);

// Brings every row's letezik flag up to date with the table files of the data folder:
// "I" when its table exists, "N" when it does not. Errors of posting reach the caller.
void refreshExistence(store::Database& db);

// Whether a row's tablanev names one of the data folder's tables (tableNames: the folder's
// table list), compared without regard to case as the store matches files; an empty name never.
bool isTablePresent(const QStringList& tableNames, const QString& tablanev);

// One catalogue row as a listing shows it, with whether its table is there now (read from the
// folder, not from the letezik flag, which is only as fresh as the last refresh).
struct CatalogueEntry {
    int id = 0;
    QString name;
    QString table;
    int type = 0;
    bool present = false;
};

// Every catalogue row in id order. Store errors reach the caller.
QList<CatalogueEntry> catalogueEntries(store::Database& db);

// The id of a dictionary named by its id, its name or its table name (case-blind), the lowest
// id when several rows match; 0 when none does. Store errors reach the caller.
int findDictionaryId(store::Database& db, const QString& idOrName);

// "nyelv2" for "nyelv1", "nyelv1" for any other text.
QString otherLanguageColumn(const QString& column);

// Makes an empty catalogue with its name index in a data folder that has none.
bool createEmptyCatalogue(const QString& dataFolder, QString* error);

// Whether bytes look like an icon or picture file a window can show (ICO, PNG or BMP).
bool looksLikeIconFile(const QByteArray& bytes);
// The default small language icon beside the program; empty when it is missing.
QByteArray defaultSmallIcon(const QString& programFolder);

} // namespace verbalo
