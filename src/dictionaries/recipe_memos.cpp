#include "dictionaries/recipe_memos.h"

#include "common/store/store_error.h"
#include "common/store/table.h"
#include "common/text_routines.h"

#include <QPlainTextEdit>

#include <optional>

namespace verbalo {

namespace {

const QString kIngredients = QStringLiteral("hozzavalo");
const QString kMethod = QStringLiteral("elkeszites");

} // namespace

RecipeMemos::RecipeMemos(QPlainTextEdit* ingredients, QPlainTextEdit* method, QObject* parent)
    : QObject(parent), ingredients_(ingredients), method_(method) {}

void RecipeMemos::show(store::Table& table, bool hasRecipe) {
    QString ingredients;
    QString method;
    std::optional<store::StoreError> failure;
    try {
        if (hasRecipe) {
            ingredients = table.text(kIngredients);
            method = table.text(kMethod);
        }
    } catch (const store::StoreError& e) {
        failure = e;
        hasRecipe = false;
        ingredients.clear();
        method.clear();
    }
    for (auto [memo, text] : {std::pair{ingredients_, &ingredients}, std::pair{method_, &method}}) {
        memo->setPlainText(memoTextForEditing(*text));
        memo->document()->setModified(false);
        // Nothing to type into without a recipe to keep it.
        memo->setReadOnly(!hasRecipe);
    }
    if (failure) throw *failure;
}

bool RecipeMemos::pending() const {
    return ingredients_->document()->isModified() || method_->document()->isModified();
}

void RecipeMemos::post(store::Table& table) {
    if (!pending()) return;
    table.edit();
    try {
        if (ingredients_->document()->isModified()) table.setValue(kIngredients, memoTextForStoring(ingredients_->toPlainText()));
        if (method_->document()->isModified()) table.setValue(kMethod, memoTextForStoring(method_->toPlainText()));
        table.post();
    } catch (const store::StoreError&) {
        table.cancel();
        throw;
    }
    ingredients_->document()->setModified(false);
    method_->document()->setModified(false);
}

} // namespace verbalo
