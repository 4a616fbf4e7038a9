#pragma once

#include "common/store/schema.h"

#include <QString>
#include <QStringList>
#include <vector>

// The layouts of the catalogue and of each kind of dictionary table, and the statements that
// make them.
namespace verbalo {

// The two language columns of a word-pair table; the first is also the headword, caption or
// category column of the other kinds.
inline const QString kFirstLanguageColumn = QStringLiteral("nyelv1");
inline const QString kSecondLanguageColumn = QStringLiteral("nyelv2");

enum DictionaryType : int { NoDictionary = 0, Bilingual = 1, HeadwordList = 2, ImageGallery = 3, RecipeBook = 5 };

// True for the four type codes that have a window.
bool isKnownDictionaryType(int type);
// "Normál szótár", "Szöveggyűjtemény", "Képtár", "Receptgyűjtemény"; "" for other codes.
QString dictionaryTypeCaption(int type);

struct LayoutColumn {
    QString name;
    store::FieldKind kind;
    int width = 0; // characters, for text columns
};

// The columns a dictionary table of the type has, in order. firstWidth and secondWidth are the
// text widths of a bilingual table's two columns. Empty for unknown types.
std::vector<LayoutColumn> dictionaryColumns(int type, int firstWidth = 50, int secondWidth = 50);
QStringList dictionaryPrimaryKey(int type);

// The statement that makes a dictionary table, as lines of one query text. The widths are
// taken as typed: the store refuses what is not a number. Empty for unknown types.
QStringList createDictionaryTableLines(int type, const QString& tableName, const QString& firstWidth = QStringLiteral("50"),
                                       const QString& secondWidth = QStringLiteral("50"));
// The statements that make the secondary indexes a new table of the type gets with it: a
// recipe book is listed by category and dish name, and its search box finds a category.
QStringList createDictionaryIndexStatements(int type, const QString& tableName);
// The columns the recipe list is ordered by, when its table has the index for them.
inline const QString kRecipeOrder = QStringLiteral("nyelv1;nyelv2");

// The catalogue: its table name, name index and the statements that make an empty one.
inline const QString kCatalogueTable = QStringLiteral("szotarak");
inline const QString kCatalogueNameIndex = QStringLiteral("idx_szotarak_nev");
QString createCatalogueStatement();
QString createCatalogueIndexStatement();
QString dropCatalogueIndexStatement();

} // namespace verbalo
