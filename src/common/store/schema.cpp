#include "schema.h"

#include "collation.h"
#include "sqlite_handle.h"

#include <QRegularExpression>

namespace verbalo::store {

int TableSchema::fieldIndex(const QString& name) const {
    // Callers nearly always spell the name as the table does: try that first, as bulk loops
    // look fields up by name on every row.
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name == name) return static_cast<int>(i);
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
}

const FieldDef* TableSchema::field(const QString& name) const {
    int i = fieldIndex(name);
    return i < 0 ? nullptr : &fields[static_cast<size_t>(i)];
}

const IndexDef* TableSchema::indexLeadingWith(const QString& column) const {
    for (const IndexDef& idx : indexes)
        if (!idx.columns.isEmpty() && idx.columns.first().compare(column, Qt::CaseInsensitive) == 0) return &idx;
    return nullptr;
}

QStringList TableSchema::orderColumns(const QStringList& wanted, const IndexDef& idx) {
    QStringList columns = wanted;
    for (const QString& c : idx.columns)
        if (!columns.contains(c, Qt::CaseInsensitive)) columns << c;
    return columns;
}

QString TableSchema::orderTerm(const QString& column, bool descending) const {
    const FieldDef* f = column == QLatin1String("rowid") ? nullptr : field(column);
    QString term = column == QLatin1String("rowid") ? column : quoteIdentifier(f ? f->name : column);
    if (f && f->kind == FieldKind::Text) term += QStringLiteral(" COLLATE ") + QLatin1String(kCollationName);
    if (descending) term += QStringLiteral(" DESC");
    return term;
}

const IndexDef* TableSchema::primaryKey() const {
    for (const IndexDef& idx : indexes)
        if (idx.primary) return &idx;
    return nullptr;
}

FieldDef describeDeclaredType(const QString& name, const QString& declaredType) {
    FieldDef f;
    f.name = name;
    f.declaredType = declaredType;
    static const QRegularExpression re(QStringLiteral(R"(^\s*([A-Za-z_ ]*?)\s*(?:\(\s*(-?\d+)\s*(?:,\s*(-?\d+)\s*)?\))?\s*$)"));
    const auto m = re.match(declaredType);
    const QString base = m.hasMatch() ? m.captured(1).toUpper() : declaredType.toUpper();
    const int first = m.hasMatch() && !m.captured(2).isEmpty() ? m.captured(2).toInt() : -1;
    const int second = m.hasMatch() && !m.captured(3).isEmpty() ? m.captured(3).toInt() : -1;

    if (base.contains(QLatin1String("AUTOINC"))) {
        f.kind = FieldKind::AutoInc;
    } else if (base == QLatin1String("BLOB") || base == QLatin1String("BINARY")) {
        // Blob sub-types: 1 and 3 are memos (plain and formatted), 5 graphic, others binary.
        if (second == 1 || second == 3)
            f.kind = FieldKind::Memo;
        else if (second == 5)
            f.kind = FieldKind::Graphic;
        else
            f.kind = FieldKind::Binary;
    } else if (base == QLatin1String("MEMO") || base == QLatin1String("CLOB")) {
        f.kind = FieldKind::Memo;
    } else if (base == QLatin1String("GRAPHIC") || base == QLatin1String("IMAGE")) {
        f.kind = FieldKind::Graphic;
    } else if (base.contains(QLatin1String("CHAR")) || base == QLatin1String("ALPHA") || base == QLatin1String("TEXT") ||
               base == QLatin1String("STRING")) {
        f.kind = FieldKind::Text;
        f.width = first > 0 ? first : 0;
    } else if (base.startsWith(QLatin1String("BOOL")) || base == QLatin1String("LOGICAL")) {
        f.kind = FieldKind::Boolean;
    } else if (base == QLatin1String("DATETIME") || base == QLatin1String("TIMESTAMP")) {
        f.kind = FieldKind::DateTime;
    } else if (base == QLatin1String("DATE")) {
        f.kind = FieldKind::Date;
    } else if (base == QLatin1String("TIME")) {
        f.kind = FieldKind::Time;
    } else if (base.contains(QLatin1String("INT"))) {
        f.kind = FieldKind::Integer;
    } else if (base.contains(QLatin1String("REAL")) || base.contains(QLatin1String("FLOA")) ||
               base.contains(QLatin1String("DOUB")) || base == QLatin1String("NUMERIC") || base == QLatin1String("DECIMAL") ||
               base == QLatin1String("MONEY") || base == QLatin1String("NUMBER")) {
        f.kind = FieldKind::Float;
    } else if (base.isEmpty()) {
        f.kind = FieldKind::Unknown;
    } else {
        f.kind = FieldKind::Unknown;
    }
    return f;
}

namespace {

QString userTableName(Connection& conn) {
    Statement s(
        conn, QStringLiteral(
                  "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid"));
    StatementResetter r(s);
    if (!s.step()) throw StoreError(QStringLiteral("%1 holds no table").arg(conn.path()));
    return s.text(0);
}

bool tableHasAutoincrement(Connection& conn, const QString& table) {
    Statement s(conn, QStringLiteral("SELECT sql FROM sqlite_master WHERE type='table' AND name=?"));
    s.bindText(1, table);
    StatementResetter r(s);
    return s.step() && s.text(0).contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive);
}

} // namespace

TableSchema readSchema(Connection& conn) {
    TableSchema schema;
    schema.tableName = userTableName(conn);
    const bool autoinc = tableHasAutoincrement(conn, schema.tableName);

    QStringList pkColumns;
    std::vector<std::pair<int, QString>> pkOrdered;
    {
        Statement s(conn, QStringLiteral("SELECT name, type, pk FROM pragma_table_info(?)"));
        s.bindText(1, schema.tableName);
        StatementResetter r(s);
        while (s.step()) {
            FieldDef f = describeDeclaredType(s.text(0), s.text(1));
            const int pk = static_cast<int>(s.int64(2));
            f.inPrimaryKey = pk > 0;
            if (pk > 0) pkOrdered.emplace_back(pk, f.name);
            schema.fields.push_back(f);
        }
    }
    std::sort(pkOrdered.begin(), pkOrdered.end());
    for (const auto& p : pkOrdered) pkColumns << p.second;

    // An INTEGER PRIMARY KEY is the rowid itself and has no index of its own.
    if (pkColumns.size() == 1) {
        FieldDef* f = nullptr;
        for (auto& fd : schema.fields)
            if (fd.name == pkColumns.first()) f = &fd;
        if (f && f->declaredType.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0) {
            if (autoinc) f->kind = FieldKind::AutoInc;
            IndexDef pk;
            pk.name = QStringLiteral("PRIMARY");
            pk.columns = pkColumns;
            pk.unique = pk.primary = true;
            schema.indexes.push_back(pk);
        }
    }

    Statement list(conn, QStringLiteral("SELECT name, \"unique\", origin FROM pragma_index_list(?) ORDER BY seq DESC"));
    list.bindText(1, schema.tableName);
    std::vector<IndexDef> found;
    {
        StatementResetter r(list);
        while (list.step()) {
            IndexDef idx;
            idx.name = list.text(0);
            idx.unique = list.int64(1) != 0;
            idx.primary = list.text(2) == QLatin1String("pk");
            found.push_back(idx);
        }
    }
    for (IndexDef& idx : found) {
        Statement cols(conn, QStringLiteral("SELECT name FROM pragma_index_info(?) ORDER BY seqno"));
        cols.bindText(1, idx.name);
        StatementResetter r(cols);
        while (cols.step()) idx.columns << cols.text(0);
        if (idx.primary) {
            idx.name = QStringLiteral("PRIMARY");
            schema.indexes.insert(schema.indexes.begin(), idx);
        } else {
            schema.indexes.push_back(idx);
        }
    }
    return schema;
}

const char* fieldKindName(FieldKind kind) {
    switch (kind) {
    case FieldKind::Text: return "text";
    case FieldKind::Memo: return "memo";
    case FieldKind::Binary: return "binary";
    case FieldKind::Graphic: return "graphic";
    case FieldKind::Integer: return "integer";
    case FieldKind::AutoInc: return "autoinc";
    case FieldKind::Float: return "float";
    case FieldKind::Boolean: return "boolean";
    case FieldKind::Date: return "date";
    case FieldKind::Time: return "time";
    case FieldKind::DateTime: return "datetime";
    case FieldKind::Unknown: break;
    }
    return "unknown";
}

} // namespace verbalo::store
