#pragma once

#include <QDialog>
#include <QFont>

class QAction;
class QLineEdit;
class QPlainTextEdit;

namespace verbalo {

class IniFile;

namespace store {
class Table;
}

// The entry editor of a headword list ("Szöveg szerkesztése"): the headword in DBEdit1 and
// its text in the memo DBMemo1, for the row a table cursor is inserting or editing. "Elfogad"
// posts the row and closes; a row the table refuses (a headword that exists, an empty one)
// keeps the dialog open with the row still being edited, as does a failure of the store, said in
// its own words. Any other way of closing cancels the row. "Megnyit" loads the entry from a
// text file.
class Tfrm_Szerkeszt2 : public QDialog {
    Q_OBJECT
public:
    Tfrm_Szerkeszt2(store::Table& table, QWidget* parent = nullptr);

    // Loads the entry from a text file: a first line starting with "#" gives the headword
    // (without its leading "#" characters and surrounding blanks) and is not part of the text;
    // the other lines, each with CR LF after it, replace the text. An empty file changes nothing.
    // False, after a message, when the file cannot be read.
    bool loadFromFile(const QString& path);
    // "Elfogad".
    void acceptEntry();

    QLineEdit* headwordEdit() const { return headwordBox_; }
    QPlainTextEdit* textEdit() const { return bodyEditor_; }

    void done(int result) override;
    // Mégsem, Esc and the close button: a changed headword or text is thrown away only after
    // "Elveti a módosításokat?" is answered yes.
    void reject() override;

    static constexpr int kDesignedWidth = 560;
    static constexpr int kDesignedHeight = 420;

private:
    QAction* makeAction(const char* name, const QString& caption, const QKeySequence& shortcut);
    void chooseFile();
    void buildMemoMenu();
    // The text as the table keeps it: every line break CR LF.
    QString storedText() const;

    store::Table& table_;
    QLineEdit* headwordBox_ = nullptr;
    QPlainTextEdit* bodyEditor_ = nullptr;
    QAction* aBetolt_ = nullptr;
    QAction* aElfogad_ = nullptr;
    QAction* aMegsem_ = nullptr;
    QString shownHeadword_;
    QString shownText_;
};

// Shows the editor modally on a cursor already put into insert or edit mode. The headword
// field takes the font of the grid's first column, the memo that of its second. The dialog
// keeps its place and size in the configuration file and takes the configured font size.
// True when the row was posted.
bool editHeadword(store::Table& table, const QFont& headwordFont, const QFont& textFont, const IniFile& ini, int fontSize,
                  QWidget* parent);

} // namespace verbalo
