#pragma once

#include <QObject>

class QPlainTextEdit;

namespace verbalo {

namespace store {
class Table;
}

// The recipe window's memos on the current recipe: the ingredients (DBMemo1, hozzavalo) and the
// method (DBMemo2, elkeszites), editable in place. What is typed there belongs to the recipe
// shown and waits until post() stores it; the window posts before the current recipe changes
// and when it closes, so nothing typed is lost.
class RecipeMemos : public QObject {
    Q_OBJECT
public:
    RecipeMemos(QPlainTextEdit* ingredients, QPlainTextEdit* method, QObject* parent);

    // The current recipe's texts, nothing pending; with no recipe, empty and read-only.
    // Throws store::StoreError when the row cannot be read (the memos are then empty).
    void show(store::Table& table, bool hasRecipe);
    bool pending() const;
    // Stores the changed texts into the current recipe. Throws store::StoreError, with the
    // table back as it was and the typed texts still pending.
    void post(store::Table& table);

private:
    QPlainTextEdit* ingredients_;
    QPlainTextEdit* method_;
};

} // namespace verbalo
