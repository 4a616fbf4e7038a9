#pragma once

#include "main/picker_context.h"

#include <QDialog>

#include <memory>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace verbalo {

namespace store {
class Table;
}

// The properties window of one catalogue row: a new dictionary (its row and its table) or the
// catalogue data of an existing one. The type and the table layout of an existing dictionary
// cannot change.
class Tfrm_Tulajdonsag : public QDialog {
    Q_OBJECT
public:
    // id -1 makes a new dictionary.
    Tfrm_Tulajdonsag(const PickerContext& context, int id, QWidget* parent = nullptr);
    ~Tfrm_Tulajdonsag() override;

    // False when the row to edit is not in the catalogue (any more).
    bool load();
    bool isNew() const { return id_ < 0; }
    // The row's id after a successful OK; -1 before.
    int savedId() const { return savedId_; }

    // Takes an icon file for one of the three pictures, as the picture buttons do after their
    // file dialog; false for a file that cannot be read or is empty (nothing changes then).
    enum class IconSlot { Large, Language1, Language2 };
    bool takeIconFile(IconSlot slot, const QString& path);

    // Placed (and given the configured font size) before it is first shown.
    void setVisible(bool visible) override;

    // The widths the two "hossz (5..255)" boxes ask for: an integer from 5 to 255.
    static constexpr int kShortestWidth = 5;
    static constexpr int kLongestWidth = 255;

public slots:
    // Writes the row (and in new mode first makes the table); the window stays open on failure.
    void accept() override;

protected:
    void done(int result) override;

private:
    void buildUi();
    void chooseIcon(QLabel* image, QByteArray* bytes, int size);
    bool takeIconFile(QLabel* image, QByteArray* bytes, int size, const QString& path);
    void writeRowFields();
    void makeTableName();
    int selectedType() const;
    // New mode: the length boxes follow the type chosen (a bilingual dictionary's two widths
    // are typed; the other types have fixed widths, shown and not editable).
    void showTypeWidths();
    // Edit mode: the widths the table has (empty for a column without one, a memo).
    void showTableWidths(const QString& tableName);
    // False, after saying which box is wrong, when a width to be typed is not 5..255.
    bool widthsAcceptable();

    const PickerContext& context_;
    int id_;
    int savedId_ = -1;
    std::unique_ptr<store::Table> table_;
    QLineEdit* name_ = nullptr;
    QLineEdit* version_ = nullptr;
    QLineEdit* author_ = nullptr;
    QLineEdit* authorAddress_ = nullptr;
    QPlainTextEdit* note_ = nullptr;
    QLineEdit* tableName_ = nullptr;
    QToolButton* makeTableNameButton_ = nullptr;
    QButtonGroup* typeGroup_ = nullptr;
    QWidget* typeBox_ = nullptr;
    QLineEdit* language1_ = nullptr;
    QLineEdit* length1_ = nullptr;
    QLineEdit* language2_ = nullptr;
    QLineEdit* length2_ = nullptr;
    QLabel* largeImage_ = nullptr;
    QLabel* firstIconLabel_ = nullptr;
    QLabel* secondIconLabel_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QByteArray largeIcon_, icon1_, icon2_;
    bool placed_ = false;
};

// Shows the properties window modally. id -1 makes a new dictionary. Returns the row's id after
// a successful OK, -1 after "Mégsem".
int editDictionaryProperties(const PickerContext& context, int id);

} // namespace verbalo
