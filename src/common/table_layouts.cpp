#include "common/table_layouts.h"

namespace verbalo {

using store::FieldKind;

bool isKnownDictionaryType(int type) {
    return type == Bilingual || type == HeadwordList || type == ImageGallery || type == RecipeBook;
}

QString dictionaryTypeCaption(int type) {
    switch (type) {
    case Bilingual: return QStringLiteral("Normál szótár");
    case HeadwordList: return QStringLiteral("Szöveggyűjtemény");
    case ImageGallery: return QStringLiteral("Képtár");
    case RecipeBook: return QStringLiteral("Receptgyűjtemény");
    default: return QString();
    }
}

std::vector<LayoutColumn> dictionaryColumns(int type, int firstWidth, int secondWidth) {
    switch (type) {
    case Bilingual:
        return {{kFirstLanguageColumn, FieldKind::Text, firstWidth}, {kSecondLanguageColumn, FieldKind::Text, secondWidth}};
    case HeadwordList: return {{kFirstLanguageColumn, FieldKind::Text, 75}, {QStringLiteral("megjegyzes"), FieldKind::Memo, 0}};
    case ImageGallery:
        return {{kFirstLanguageColumn, FieldKind::Text, 75},
                {QStringLiteral("kep"), FieldKind::Binary, 0},
                {QStringLiteral("filekit"), FieldKind::Text, 10}};
    case RecipeBook:
        return {{QStringLiteral("recept"), FieldKind::AutoInc, 0},  {kFirstLanguageColumn, FieldKind::Text, 75},
                {kSecondLanguageColumn, FieldKind::Text, 75},       {QStringLiteral("nehezseg"), FieldKind::Integer, 0},
                {QStringLiteral("perc"), FieldKind::Integer, 0},    {QStringLiteral("hozzavalo"), FieldKind::Memo, 0},
                {QStringLiteral("elkeszites"), FieldKind::Memo, 0}, {QStringLiteral("kep"), FieldKind::Binary, 0},
                {QStringLiteral("filekit"), FieldKind::Text, 10}};
    default: return {};
    }
}

QStringList dictionaryPrimaryKey(int type) {
    switch (type) {
    case Bilingual: return {kFirstLanguageColumn, kSecondLanguageColumn};
    case HeadwordList:
    case ImageGallery: return {kFirstLanguageColumn};
    case RecipeBook: return {QStringLiteral("recept")};
    default: return {};
    }
}

QStringList createDictionaryTableLines(int type, const QString& tableName, const QString& firstWidth,
                                       const QString& secondWidth) {
    const QString head = QStringLiteral("CREATE TABLE ") + tableName + QStringLiteral(" (");
    switch (type) {
    case Bilingual:
        return {head, QStringLiteral(" nyelv1 CHAR(") + firstWidth + QStringLiteral("),"),
                QStringLiteral(" nyelv2 CHAR(") + secondWidth + QStringLiteral("),"),
                QStringLiteral("PRIMARY KEY (nyelv1,nyelv2));")};
    case HeadwordList:
        return {head, QStringLiteral(" nyelv1 CHAR(75),"), QStringLiteral(" megjegyzes BLOB(0,1),"),
                QStringLiteral("PRIMARY KEY (nyelv1));")};
    case ImageGallery:
        // filekit keeps the picture file's extension, with its dot, so it can be decoded again.
        return {head, QStringLiteral(" nyelv1 CHAR(75),"), QStringLiteral(" kep BLOB(0,2),"),
                QStringLiteral(" filekit CHAR(10),"), QStringLiteral("PRIMARY KEY (nyelv1));")};
    case RecipeBook:
        return {head,
                QStringLiteral(" recept AUTOINC,"),
                QStringLiteral(" nyelv1 CHAR(75),"),
                QStringLiteral(" nyelv2 CHAR(75),"),
                QStringLiteral(" nehezseg INT,"),
                QStringLiteral(" perc INT,"),
                QStringLiteral(" hozzavalo BLOB(0,1),"),
                QStringLiteral(" elkeszites BLOB(0,1),"),
                QStringLiteral(" kep BLOB(0,2),"),
                QStringLiteral(" filekit CHAR(10),"),
                QStringLiteral("PRIMARY KEY (recept));")};
    default: return {};
    }
}

QStringList createDictionaryIndexStatements(int type, const QString& tableName) {
    if (type != RecipeBook) return {};
    return {QStringLiteral("create index idx_") + tableName + QStringLiteral("_kategoria on ") + tableName +
            QStringLiteral(" (nyelv1, nyelv2);")};
}

QString createCatalogueStatement() {
    return QStringLiteral("CREATE TABLE szotarak (\n"
                          " szotarak AUTOINC,\n"
                          " szotarak_nev CHAR(100),\n"
                          " tablanev CHAR(50),\n"
                          " tipus INT,\n"
                          " verzio INT,\n"
                          " nyelv1 CHAR(25),\n"
                          " nyelv1ikon BLOB(0,2),\n"
                          " nyelv2 CHAR(25),\n"
                          " nyelv2ikon BLOB(0,2),\n"
                          " ikon_nagy BLOB(0,2),\n"
                          " szerzo CHAR(25),\n"
                          " szerzo_emil CHAR(25),\n"
                          " megjegyzes CHAR(255),\n"
                          " nyelv1szeles FLOAT,\n"
                          " nyelv2szeles FLOAT,\n"
                          " sorrend CHAR(25),\n"
                          " ablak INT,\n"
                          " letezik CHAR(1),\n"
                          "PRIMARY KEY (szotarak));");
}

QString createCatalogueIndexStatement() {
    return QStringLiteral("create index idx_szotarak_nev on szotarak (szotarak_nev);");
}
QString dropCatalogueIndexStatement() {
    return QStringLiteral("drop index szotarak.idx_szotarak_nev;");
}

} // namespace verbalo
