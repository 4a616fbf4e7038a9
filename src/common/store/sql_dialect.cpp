#include "sql_dialect.h"

#include "collation.h"
#include "schema.h"
#include "sqlite_handle.h"
#include "store_error.h"

#include "common/sql_script.h"

#include <vector>

namespace verbalo::store {
namespace {

struct Token {
    enum class Type { Word, Quoted, String, Punct, Number } type;
    QString text;
    int begin;
    int end;
};

// A small SQL tokenizer: enough to find statement boundaries, keywords and the parts of a
// CREATE TABLE; comments are skipped.
std::vector<Token> tokenize(const QString& s) {
    std::vector<Token> out;
    const int n = s.size();
    int i = 0;
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        if (c == QLatin1Char('-') && i + 1 < n && s[i + 1] == QLatin1Char('-')) {
            while (i < n && s[i] != QLatin1Char('\n')) ++i;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && s[i + 1] == QLatin1Char('*')) {
            int e = s.indexOf(QLatin1String("*/"), i + 2);
            i = e < 0 ? n : e + 2;
            continue;
        }
        const int start = i;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            ++i;
            while (i < n) {
                if (s[i] == close) {
                    if (close != QLatin1Char(']') && i + 1 < n && s[i + 1] == close) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            out.push_back(
                {c == QLatin1Char('\'') ? Token::Type::String : Token::Type::Quoted, s.mid(start, i - start), start, i});
            continue;
        }
        if (c.isLetter() || c == QLatin1Char('_')) {
            while (i < n && (s[i].isLetterOrNumber() || s[i] == QLatin1Char('_') || s[i] == QLatin1Char('$'))) ++i;
            out.push_back({Token::Type::Word, s.mid(start, i - start), start, i});
            continue;
        }
        if (c.isDigit()) {
            while (i < n && (s[i].isLetterOrNumber() || s[i] == QLatin1Char('.'))) ++i;
            out.push_back({Token::Type::Number, s.mid(start, i - start), start, i});
            continue;
        }
        out.push_back({Token::Type::Punct, QString(c), start, i + 1});
        ++i;
    }
    return out;
}

bool isWord(const std::vector<Token>& t, size_t i, const char* word) {
    return i < t.size() && t[i].type == Token::Type::Word && t[i].text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isPunct(const std::vector<Token>& t, size_t i, char p) {
    return i < t.size() && t[i].type == Token::Type::Punct && t[i].text == QLatin1Char(p);
}

bool isName(const std::vector<Token>& t, size_t i) {
    return i < t.size() && (t[i].type == Token::Type::Word || t[i].type == Token::Type::Quoted);
}

// The closing parenthesis that matches the one at `open`; t.size() when unbalanced.
size_t matchingParen(const std::vector<Token>& t, size_t open) {
    int depth = 0;
    for (size_t i = open; i < t.size(); ++i) {
        if (isPunct(t, i, '('))
            ++depth;
        else if (isPunct(t, i, ')') && --depth == 0)
            return i;
    }
    return t.size();
}

} // namespace

QString unquoteIdentifier(const QString& name) {
    if (name.size() >= 2) {
        const QChar a = name.front(), b = name.back();
        if ((a == QLatin1Char('"') && b == QLatin1Char('"')) || (a == QLatin1Char('`') && b == QLatin1Char('`'))) {
            QString inner = name.mid(1, name.size() - 2);
            inner.replace(QString(2, a), QString(a));
            return inner;
        }
        if (a == QLatin1Char('[') && b == QLatin1Char(']')) return name.mid(1, name.size() - 2);
    }
    return name;
}

QStringList splitStatements(const QString& script) {
    // SQLite's own idea of a complete statement keeps trigger bodies, quotes and comments whole.
    QStringList out;
    for (const ScriptStatement& st : splitScript(script)) out << st.text;
    return out;
}

StatementShape classifyStatement(const QString& sql) {
    StatementShape shape;
    const auto t = tokenize(sql);
    size_t i = 0;
    if (isWord(t, 0, "CREATE")) {
        i = 1;
        if (isWord(t, i, "TEMP") || isWord(t, i, "TEMPORARY")) return shape; // temporary tables stay in memory
        bool unique = false;
        if (isWord(t, i, "UNIQUE")) {
            unique = true;
            ++i;
        }
        if (!unique && isWord(t, i, "TABLE")) {
            ++i;
            if (isWord(t, i, "IF") && isWord(t, i + 1, "NOT") && isWord(t, i + 2, "EXISTS")) {
                shape.ifExists = true;
                i += 3;
            }
            if (!isName(t, i) || isPunct(t, i + 1, '.')) return shape; // schema-qualified: left to SQLite
            shape.table = unquoteIdentifier(t[i].text);
            ++i;
            if (isPunct(t, i, '(')) {
                size_t close = matchingParen(t, i);
                if (close >= t.size())
                    throw StoreError(QStringLiteral("unbalanced parentheses in CREATE TABLE %1").arg(shape.table));
                shape.kind = StatementShape::Kind::CreateTable;
                shape.body = sql.mid(t[i].end, t[close].begin - t[i].end);
                return shape;
            }
            if (isWord(t, i, "AS")) {
                shape.kind = StatementShape::Kind::CreateTableAs;
                shape.body = sql.mid(t[i].end).trimmed();
                return shape;
            }
            return shape;
        }
        if (isWord(t, i, "INDEX")) {
            ++i;
            if (isWord(t, i, "IF") && isWord(t, i + 1, "NOT") && isWord(t, i + 2, "EXISTS")) {
                shape.ifExists = true;
                i += 3;
            }
            if (!isName(t, i) || isPunct(t, i + 1, '.')) return shape;
            const size_t nameTok = i;
            shape.indexName = unquoteIdentifier(t[i].text);
            ++i;
            if (!isWord(t, i, "ON") || !isName(t, i + 1)) return shape;
            shape.table = unquoteIdentifier(t[i + 1].text);
            shape.kind = StatementShape::Kind::CreateIndex;
            // The index lives in its table's file, whose schema bears the table's name.
            shape.rewritten = sql.left(t[nameTok].begin) + quoteIdentifier(shape.table) + QLatin1Char('.') + t[nameTok].text +
                              sql.mid(t[nameTok].end);
            return shape;
        }
        return shape;
    }
    if (isWord(t, 0, "ALTER") && isWord(t, 1, "TABLE")) {
        i = 2;
        if (isName(t, i) && isPunct(t, i + 1, '.')) i += 2; // schema-qualified: the same table
        if (!isName(t, i)) return shape;
        if (isWord(t, i + 1, "RENAME") && isWord(t, i + 2, "TO")) {
            shape.kind = StatementShape::Kind::RenameTable;
            shape.table = unquoteIdentifier(t[i].text);
        }
        return shape;
    }
    if (isWord(t, 0, "DROP") && isWord(t, 1, "TABLE")) {
        i = 2;
        if (isWord(t, i, "IF") && isWord(t, i + 1, "EXISTS")) {
            shape.ifExists = true;
            i += 2;
        }
        if (!isName(t, i) || isPunct(t, i + 1, '.')) return shape;
        shape.kind = StatementShape::Kind::DropTable;
        shape.table = unquoteIdentifier(t[i].text);
        return shape;
    }
    return shape;
}

QString createTableStatement(const QString& table, const QString& body) {
    const auto t = tokenize(body);
    // Top-level elements separated by commas.
    std::vector<std::pair<size_t, size_t>> elements; // token ranges [a, b)
    size_t start = 0;
    int depth = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        if (isPunct(t, i, '('))
            ++depth;
        else if (isPunct(t, i, ')'))
            --depth;
        else if (depth == 0 && isPunct(t, i, ',')) {
            elements.emplace_back(start, i);
            start = i + 1;
        }
    }
    if (start < t.size()) elements.emplace_back(start, t.size());
    if (elements.empty()) throw StoreError(QStringLiteral("CREATE TABLE %1 names no columns").arg(table));

    auto textOf = [&](size_t a, size_t b) { return a >= b ? QString() : body.mid(t[a].begin, t[b - 1].end - t[a].begin); };

    struct Column {
        QString name;
        QString type;
        QString rest;
        bool autoinc = false;
    };
    std::vector<Column> columns;
    QStringList constraints;
    QStringList primaryKey;
    int pkConstraintIndex = -1;

    for (const auto& [a, b] : elements) {
        if (a >= b) throw StoreError(QStringLiteral("empty column definition in CREATE TABLE %1").arg(table));
        if (isWord(t, a, "PRIMARY") && isWord(t, a + 1, "KEY") && isPunct(t, a + 2, '(')) {
            size_t close = matchingParen(t, a + 2);
            for (size_t k = a + 3; k < close && k < b; ++k)
                if (isName(t, k)) primaryKey << unquoteIdentifier(t[k].text);
            pkConstraintIndex = constraints.size();
            constraints << textOf(a, b);
            continue;
        }
        if (isWord(t, a, "CONSTRAINT") || isWord(t, a, "UNIQUE") || isWord(t, a, "CHECK") || isWord(t, a, "FOREIGN")) {
            constraints << textOf(a, b);
            continue;
        }
        if (!isName(t, a))
            throw StoreError(QStringLiteral("bad column definition in CREATE TABLE %1: %2").arg(table, textOf(a, b)));
        Column col;
        col.name = t[a].text;
        size_t k = a + 1;
        static const char* stops[] = {"CONSTRAINT", "PRIMARY", "NOT",        "NULL",      "UNIQUE", "CHECK",
                                      "DEFAULT",    "COLLATE", "REFERENCES", "GENERATED", "AS"};
        while (k < b) {
            bool stop = false;
            for (const char* w : stops) stop = stop || isWord(t, k, w);
            if (stop) break;
            if (isPunct(t, k, '(')) {
                k = matchingParen(t, k) + 1;
                continue;
            }
            ++k;
        }
        col.type = textOf(a + 1, std::min(k, b));
        col.rest = textOf(k, b);
        const FieldDef f = describeDeclaredType(col.name, col.type);
        col.autoinc = f.kind == FieldKind::AutoInc;
        if (f.kind == FieldKind::Text && !col.rest.contains(QLatin1String("COLLATE"), Qt::CaseInsensitive))
            col.rest = (QStringLiteral("COLLATE ") + QLatin1String(kCollationName) + QLatin1Char(' ') + col.rest).trimmed();
        columns.push_back(col);
    }

    QStringList parts;
    for (const Column& col : columns) {
        if (col.autoinc) {
            const QString bare = unquoteIdentifier(col.name);
            if (!primaryKey.isEmpty() && !(primaryKey.size() == 1 && primaryKey.first().compare(bare, Qt::CaseInsensitive) == 0))
                throw StoreError(QStringLiteral("AUTOINC column %1 must be the only primary key column of %2").arg(bare, table));
            // The row id itself: numbers never come back, not even after the highest row is deleted.
            parts << col.name + QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT");
            if (pkConstraintIndex >= 0) {
                constraints.removeAt(pkConstraintIndex);
                pkConstraintIndex = -1;
            }
            primaryKey = QStringList{bare};
            continue;
        }
        parts << (col.name + QLatin1Char(' ') + col.type + QLatin1Char(' ') + col.rest).trimmed();
    }
    parts << constraints;
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteIdentifier(table), parts.join(QStringLiteral(", ")));
}

} // namespace verbalo::store
