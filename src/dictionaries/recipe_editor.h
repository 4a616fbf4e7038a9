#pragma once

#include <QDialog>

class QAction;
class QLineEdit;
class QPlainTextEdit;

namespace verbalo {

class IniFile;

namespace store {
class Table;
}

// The recipe editor ("Szöveg szerkesztése") on the row a table cursor is inserting or editing:
// category, dish, difficulty, time, ingredients, method and the picture. "Elfogad" posts the
// row and closes; a value the table refuses keeps the dialog open with
// "Hibás adatmegadás, vagy már létező tétel" and the row still being edited. Any other way of
// closing cancels the row, the picture chosen in it included.
class Tfrm_Szerkeszt5 : public QDialog {
    Q_OBJECT
public:
    Tfrm_Szerkeszt5(store::Table& table, QWidget* parent = nullptr);

    // "Elfogad"; false when the row was not posted (the dialog then stays open).
    bool acceptRecipe();
    // "Kép": the file's bytes and its extension with the dot, as written, go into the row.
    // False after the message when the file cannot be read.
    bool takePicture(const QString& path);
    // "Betöltés file-ból": the text file replaces the text of the memo that has the focus (the
    // ingredients when neither has). False after the message when it cannot be read.
    bool loadMemoFromFile(const QString& path);

    QLineEdit* categoryEdit() const { return categoryBox_; }
    QLineEdit* dishEdit() const { return dishBox_; }
    QLineEdit* difficultyEdit() const { return difficultyBox_; }
    QLineEdit* minutesEdit() const { return minutesBox_; }
    QPlainTextEdit* ingredientsEdit() const { return ingredientsMemo_; }
    QPlainTextEdit* methodEdit() const { return methodMemo_; }

    void done(int result) override;

    static constexpr int kDesignedWidth = 560;
    static constexpr int kDesignedHeight = 480;

private:
    QLineEdit* addField(const char* name, const QString& column);
    void fillFields();
    void choosePicture();
    void chooseMemoFile();

    store::Table& table_;
    QLineEdit* categoryBox_ = nullptr;
    QLineEdit* dishBox_ = nullptr;
    QLineEdit* difficultyBox_ = nullptr;
    QLineEdit* minutesBox_ = nullptr;
    QPlainTextEdit* ingredientsMemo_ = nullptr;
    QPlainTextEdit* methodMemo_ = nullptr;
};

// Shows the editor modally on a cursor already put into insert or edit mode; it keeps its
// place in the configuration file. True when the row was posted.
bool editRecipe(store::Table& table, const IniFile& ini, QWidget* parent);

} // namespace verbalo
