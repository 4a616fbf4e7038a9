#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace verbalo {

class IniFile;

// The one-line input dialog: a prompt (Label1), an entry field (Edit1), "OK" and "Mégsem".
// Unless the case is kept, what is typed is shown folded at once (upper case, plain letters
// for the Hungarian accented ones), so the text handed back is the stored form of a caption.
class Tfrm_InpStr : public QDialog {
    Q_OBJECT
public:
    Tfrm_InpStr(const QString& caption, const QString& prompt, const QString& text, bool keepCase, QChar passwordChar,
                QWidget* parent = nullptr);

    QString text() const;
    QLineEdit* entry() const { return entry_; }

private:
    void foldTyped(const QString& typed);

    QLabel* prompt_ = nullptr;
    QLineEdit* entry_ = nullptr;
    bool folding_ = false;
};

// Shows the dialog modally, at the place it last closed ("frm_InpStr") and in the configured
// font size; on OK the entered text goes into text and the result is true, otherwise text is
// left as it was.
bool inputString(const IniFile& ini, int fontSize, const QString& caption, const QString& prompt, QString& text, bool keepCase,
                 QChar passwordChar, QWidget* parent);

} // namespace verbalo
