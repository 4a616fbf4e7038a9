#include "widgets/store_messages.h"

#include "common/messages.h"
#include "common/store/store_error.h"

#include <QDir>

namespace verbalo {

namespace {

QString tableFile(const QString& table) {
    return table.endsWith(QLatin1String(".DB"), Qt::CaseInsensitive) ? table : table + QStringLiteral(".DB");
}

} // namespace

QString storeFailureText(const store::StoreError& error, const QString& table) {
    using Kind = store::StoreError::Kind;
    const QString named = table.isEmpty() ? QString() : QStringLiteral("„%1” (%2)").arg(table, tableFile(table));
    QString text;
    switch (error.kind()) {
    case Kind::RowRefused:
        text =
            named.isEmpty()
                ? QStringLiteral("A tábla nem fogadta el a sort: már van ilyen, vagy üres a kulcsa, vagy túl hosszú egy értéke.")
                : QStringLiteral(
                      "A(z) %1 tábla nem fogadta el a sort: már van ilyen, vagy üres a kulcsa, vagy túl hosszú egy értéke.")
                      .arg(named);
        break;
    case Kind::Busy:
        text = (named.isEmpty() ? QStringLiteral("A tábla foglalt") : QStringLiteral("A(z) %1 tábla foglalt").arg(named)) +
               QStringLiteral(": a másik program (Verbalo9 vagy Quickor) éppen használja. Próbálja újra egy kis idő múlva.");
        break;
    case Kind::Damaged:
        text = (named.isEmpty() ? QStringLiteral("A tábla állománya sérült")
                                : QStringLiteral("A(z) %1 tábla állománya sérült").arg(named)) +
               QStringLiteral(". Amit eddig tárolt, megmaradt; a sérült állományt egy mentésből pótolhatja.");
        break;
    case Kind::Io:
        text = (named.isEmpty() ? QStringLiteral("A tábla állománya nem írható vagy nem olvasható")
                                : QStringLiteral("A(z) %1 tábla állománya nem írható vagy nem olvasható").arg(named)) +
               QStringLiteral(": megtelt a lemez, vagy nincs jog az adatmappához.");
        break;
    case Kind::Other:
        text = named.isEmpty() ? QStringLiteral("Hiba az adatbázisban.") : QStringLiteral("Hiba a(z) %1 táblában.").arg(named);
        break;
    }
    if (!error.message().isEmpty()) text += QStringLiteral("\r\n(") + error.message() + QLatin1Char(')');
    return text;
}

QString missingCatalogueText(const QString& dataFolder) {
    return QStringLiteral("Az adatmappában (%1) nincs szótárkatalógus (szotarak.DB), így egy szótár sem nyitható meg.\r\n"
                          "Másik adatmappát a Verbalo9 Rendszer / Beállítások ablakában választhat; a program következő "
                          "indításakor az lesz érvényes.")
        .arg(QDir::toNativeSeparators(dataFolder));
}

void showStoreError(const store::StoreError& error, const QString& table, QObject* owner, const QString& firstLine) {
    const QString text = storeFailureText(error, table);
    showError(firstLine.isEmpty() ? text : firstLine + QStringLiteral("\r\n") + text, owner);
}

void showPostError(const store::StoreError& error, const QString& refusedText, const QString& table, QObject* owner) {
    if (error.isRowRefusal())
        showError(refusedText, owner);
    else
        showStoreError(error, table, owner);
}

} // namespace verbalo
