#include "exchange/logic/recipe_import.h"

#include "common/picture_file.h"
#include "common/text_routines.h"
#include "exchange/logic/list_import.h"

namespace verbalo {

namespace {

struct DirectiveWord {
    QLatin1String word;
    bool exact;
    RecipeDirective directive;
};

// In the order they are tried; no word is the beginning of another, so at most one matches.
const DirectiveWord kDirectives[] = {
    {QLatin1String("@ujrecept"), true, RecipeDirective::NewRecipe},
    {QLatin1String("@receptvege"), true, RecipeDirective::EndRecipe},
    {QLatin1String("@kategoria"), false, RecipeDirective::Category},
    {QLatin1String("@finomsag"), false, RecipeDirective::Dish},
    {QLatin1String("@nehezseg"), false, RecipeDirective::Difficulty},
    {QLatin1String("@ido"), false, RecipeDirective::Minutes},
    {QLatin1String("@kep"), false, RecipeDirective::Picture},
    {QLatin1String("@hozzavalok"), false, RecipeDirective::Ingredients},
    {QLatin1String("@elkeszites"), false, RecipeDirective::Method},
};

const QLatin1String kCrLf("\r\n");

// The column names of the recipe table, in the order of RecipeImporter's Column.
const char* const kColumnNames[] = {"nyelv1", "nyelv2", "nehezseg", "perc", "hozzavalo", "elkeszites", "kep", "filekit"};

} // namespace

RecipeDirective recipeDirectiveOf(QStringView line) {
    const QStringView trimmed = trimBlanksAndControls(line);
    if (!trimmed.startsWith(QLatin1Char('@'))) return RecipeDirective::None;
    const QString lower = trimmed.toString().toLower();
    for (const DirectiveWord& d : kDirectives) {
        if (d.exact ? lower == d.word : lower.startsWith(d.word)) return d.directive;
    }
    return RecipeDirective::None;
}

QString recipeDirectiveValue(QStringView line) {
    return getToken(QStringLiteral("="), line.toString(), 2);
}

QList<QStringView> lineViews(QStringView text) {
    QList<QStringView> lines;
    forEachLine(text, false, [&lines](QStringView line) {
        lines.append(line);
        return true;
    });
    return lines;
}

RecipeImporter::RecipeImporter(store::Table& table, QString baseFolder) : session_(table), baseFolder_(std::move(baseFolder)) {
    for (int c = 0; c < ColumnCount; ++c) fields_[c] = requiredField(table, QString::fromLatin1(kColumnNames[c]));
}

bool RecipeImporter::addLine(const QList<QStringView>& lines, int index) {
    if (failed()) return false;
    const QStringView line = lines.at(index);
    switch (recipeDirectiveOf(line)) {
    case RecipeDirective::None: break;
    case RecipeDirective::NewRecipe:
        if (open_) storeOpenRecipe(false);
        open_ = true;
        values_ = {};
        assigned_ = {};
        break;
    case RecipeDirective::EndRecipe:
        if (!requireOpen(index, line)) return false;
        // Stored even when nothing was set: the file asks for this recipe.
        storeOpenRecipe(true);
        break;
    case RecipeDirective::Category:
        if (!requireOpen(index, line)) return false;
        setColumn(Category, recipeDirectiveValue(line));
        break;
    case RecipeDirective::Dish:
        if (!requireOpen(index, line)) return false;
        setColumn(Dish, recipeDirectiveValue(line));
        break;
    case RecipeDirective::Difficulty: return setNumber(Difficulty, index, line);
    case RecipeDirective::Minutes: return setNumber(Minutes, index, line);
    case RecipeDirective::Picture: return setPicture(index, line);
    case RecipeDirective::Ingredients:
    case RecipeDirective::Method: {
        if (!requireOpen(index, line)) return false;
        QString text;
        for (int i = index + 1; i < lines.size() && !lines.at(i).startsWith(QLatin1Char('@')); ++i) {
            text += lines.at(i);
            text += kCrLf;
        }
        setColumn(recipeDirectiveOf(line) == RecipeDirective::Ingredients ? Ingredients : Method, text);
        break;
    }
    }
    if (session_.failed()) return stop(index, session_.failure());
    return true;
}

bool RecipeImporter::requireOpen(int index, QStringView line) {
    if (open_) return true;
    return stop(index, QStringLiteral("„%1” nem tartozik recepthez: előtte nincs @ujrecept.").arg(trimBlanksAndControls(line)));
}

bool RecipeImporter::setNumber(Column column, int index, QStringView line) {
    if (!requireOpen(index, line)) return false;
    const QString value = recipeDirectiveValue(line);
    bool ok = false;
    const int number = value.trimmed().toInt(&ok);
    if (!ok) return stop(index, QStringLiteral("„%1” nem egész szám.").arg(value));
    setColumn(column, number);
    return true;
}

bool RecipeImporter::setPicture(int index, QStringView line) {
    const QString written = recipeDirectiveValue(line);
    const QString path = resolvePicturePath(written, baseFolder_);
    // A picture that is not there is left out without a word, as the file format has it.
    if (path.isEmpty()) return true;
    if (!requireOpen(index, line)) return false;
    const PictureFileRead picture = readPictureFile(path);
    if (!picture.ok) return stop(index, picture.error);
    setColumn(Picture, picture.bytes);
    setColumn(Extension, fileExtensionWithDot(written));
    return true;
}

void RecipeImporter::setColumn(Column column, const QVariant& value) {
    values_[column] = value;
    assigned_[column] = true;
}

void RecipeImporter::storeOpenRecipe(bool evenEmpty) {
    open_ = false;
    bool any = evenEmpty;
    for (bool a : assigned_) any = any || a;
    if (!any) return;
    session_.storeRow([this](store::Table& table) {
        for (int c = 0; c < ColumnCount; ++c) {
            if (!assigned_[c]) continue;
            if (c == Picture)
                table.setBlob(QStringLiteral("kep"), values_[c].toByteArray());
            else
                table.setValue(fields_[c], values_[c]);
        }
    });
    values_ = {};
    assigned_ = {};
}

bool RecipeImporter::stop(int index, const QString& reason) {
    if (open_) storeOpenRecipe(false);
    failure_ = QStringLiteral("%1. sor: %2").arg(index + 1).arg(reason);
    session_.finish();
    return false;
}

bool RecipeImporter::finish() {
    if (!failed() && open_) storeOpenRecipe(false);
    session_.finish();
    return !failed();
}

} // namespace verbalo
