#pragma once

#include <QDialog>
#include <QFont>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace verbalo {

class IniFile;

namespace store {
class Table;
}

// The word-pair editor ("Szavak szerkesztése"): edits the row a table cursor is inserting or
// editing. The first field always holds the order column, so the language the list is ordered
// by comes first. OK posts the row and closes; a row the table refuses (a pair that already
// exists, an empty key) keeps the dialog open with the row still being edited, and so does a
// failure of the store (busy, damaged, the disk), which is said in its own words. Any other
// way of closing cancels the row. Enter goes from field to field and presses a focused button;
// Ctrl+Enter is OK from anywhere.
class Tfrm_Szerkeszt : public QDialog {
    Q_OBJECT
public:
    Tfrm_Szerkeszt(store::Table& table, const QString& orderColumn, const QString& otherColumn, const QString& firstLanguage,
                   const QString& secondLanguage, QWidget* parent = nullptr);

    void done(int result) override;

private:
    void post();

    store::Table& table_;
    QString orderColumn_;
    QString otherColumn_;
    QLabel* firstLanguageLabel_;
    QLabel* secondLanguageLabel_;
    QLineEdit* firstWordBox_;
    QLineEdit* secondWordBox_;
};

// Shows the editor modally on a cursor already put into insert or edit mode. language1 and
// language2 are the dictionary's language names; the labels follow the order column. The
// fields take the fonts of the grid's two columns. The dialog keeps its place in the
// configuration file and takes the configured font size. True when the row was posted.
bool editWordPair(store::Table& table, const QString& orderColumn, const QString& otherColumn, const QString& language1,
                  const QString& language2, const QFont& firstColumnFont, const QFont& secondColumnFont, const IniFile& ini,
                  int fontSize, QWidget* parent);

} // namespace verbalo
