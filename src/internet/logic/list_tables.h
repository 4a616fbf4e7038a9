#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QVariantHash>

// The statements that make the two list tables the maker's server delivers, with an index for
// every column their windows order by. The programs never make these tables themselves; the
// catalogue site builder and the tests do.
namespace verbalo {

QStringList dictionaryListStatements(); // internet
QStringList programListStatements();    // programok

// The bytes of a list table's file, made in a scratch folder with statements and filled with
// rows of values by column name. Store errors reach the caller.
QByteArray makeListTableFile(const QString& table, const QStringList& statements, const QList<QVariantHash>& rows);

} // namespace verbalo
