#pragma once

#include "exchange/logic/import_session.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <QVariant>

#include <array>

namespace verbalo {

// The directives of the recipe text format. A line is a directive by its text without the
// blanks and control characters at its ends, lower-cased: "@ujrecept" and "@receptvege" when
// it is exactly that, the others when it begins with the word (so "@idopont=5" is "@ido").
enum class RecipeDirective { None, NewRecipe, EndRecipe, Category, Dish, Difficulty, Minutes, Picture, Ingredients, Method };
RecipeDirective recipeDirectiveOf(QStringView line);
// The value of a valued directive: the raw line's text between the first "=" and the next
// one or the end, blanks kept ("@kategoria=levesek=meleg" gives "levesek").
QString recipeDirectiveValue(QStringView line);

// Stores the recipes of a recipe file in a recipe book table. The file is given as its lines;
// each line is offered by its index, because a section directive ("@hozzavalok", "@elkeszites")
// takes the lines after it, up to one that starts with "@" in its very first column, as the
// text of its column, each followed by CR LF. Every line is read for a directive as well, those
// inside a section included (" @ido=5" in the ingredients also sets the minutes).
//
// "@ujrecept" begins a recipe (storing one still open when any of its columns was set),
// "@receptvege" stores it. These stop the import at their line, with the recipes before them
// stored: a difficulty or time that is not a whole number; a column, a section, a picture that
// exists, or "@receptvege", while no recipe is open; a picture file that cannot be read; a
// failing store. A recipe still open at the end, or when the import stops, is stored when any
// of its columns was set, so that nothing written in the file is lost. A recipe the table
// refuses is counted as refused.
class RecipeImporter {
public:
    // Relative picture paths are looked for in baseFolder (the folder of the recipe file)
    // first, then in the current folder. Throws store::StoreError when the table has no recipe
    // columns.
    RecipeImporter(store::Table& table, QString baseFolder);

    // False once the import has stopped.
    bool addLine(const QList<QStringView>& lines, int index);
    // Stores an open recipe that has content and commits; false when the import stopped.
    bool finish();
    bool failed() const { return !failure_.isEmpty() || session_.failed(); }
    QString failure() const { return failure_.isEmpty() ? session_.failure() : failure_; }
    const ImportCounts& counts() const { return session_.counts(); }

private:
    enum Column { Category, Dish, Difficulty, Minutes, Ingredients, Method, Picture, Extension, ColumnCount };

    bool requireOpen(int index, QStringView line);
    bool setNumber(Column column, int index, QStringView line);
    bool setPicture(int index, QStringView line);
    void setColumn(Column column, const QVariant& value);
    // A recipe with no column set is only stored when evenEmpty is set ("@receptvege").
    void storeOpenRecipe(bool evenEmpty);
    bool stop(int index, const QString& reason);

    ImportSession session_;
    QString baseFolder_;
    std::array<int, ColumnCount> fields_{};
    std::array<QVariant, ColumnCount> values_;
    std::array<bool, ColumnCount> assigned_{};
    bool open_ = false;
    QString failure_;
};

// The lines of a text (CR LF, CR or LF; no empty line after a final break) as views into it.
QList<QStringView> lineViews(QStringView text);

} // namespace verbalo
