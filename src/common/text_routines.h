#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

// Small text and value routines that every window of both programs uses. The byte rules
// (foldAccents, cleanFileName) look at each character's Windows-1250 code; a character the code
// page lacks counts like a byte above 128.
namespace verbalo {

// The n-th field (counted from 1) of text, fields being delimited by any one character of
// separators; two separators in a row delimit an empty field. "" when there are fewer fields.
QString getToken(const QString& separators, const QString& text, int n);

// A search key or file-name stem: upper-cased, quotes turned into blanks, Hungarian accents
// dropped, and every other character above code 128 turned into '#'.
QString foldAccents(const QString& text);

// A safe file name: punctuation that shells and file systems dislike becomes '-', every
// character from code 129 up becomes '_', the result is lower-cased.
QString cleanFileName(const QString& text);

// The lines of text, split at CR LF, CR or LF. A final line break adds no empty line unless
// keepEmptyLastLine asks for it; an empty text has no lines.
QStringList splitLines(const QString& text, bool keepEmptyLastLine = false);

// The same lines one by one, for a large text that should not be held twice; use returns false
// to stop. The views point into text.
void forEachLine(QStringView text, bool keepEmptyLastLine, const std::function<bool(QStringView)>& use);
// How many lines splitLines would give.
qsizetype lineCount(QStringView text, bool keepEmptyLastLine = false);

// A memo's text as the tables keep it (every line break CR LF) and as an edit control holds
// it (every line break LF), one into the other.
QString memoTextForEditing(const QString& stored);
QString memoTextForStoring(const QString& edited);

// The lines of text (split at CR LF, CR or LF; a final break adds no empty line) joined with
// separator between them.
QString joinLines(const QString& text, QChar separator);

// Only the characters 0-9, ',' and '.' of text, in order.
QString keepNumberChars(const QString& text);

// The whole number in text after keepNumberChars; 0 when what is left is not one ("12.5").
int extractInt(const QString& text);

int countChar(QChar c, const QString& text);
QString removeChar(QChar c, const QString& text);

// The number with up to 15 significant digits in its shortest general form and always with a
// decimal point, whatever the locale: SQL statements are built with it.
QString floatToStrDot(double value);

// Table-store field values arrive as QVariant; a null or invalid one stands for SQL NULL.
// A value that does not convert to the asked type also gives the default.
QString nullToStr(const QVariant& value, const QString& defaultValue);
int nullToInt(const QVariant& value, int defaultValue);
double nullToFloat(const QVariant& value, double defaultValue);

// The value as text with every from turned into to; "" for null.
QString replaceChar(const QVariant& value, QChar from, QChar to);

template <typename T>
T chooseValue(bool flag, const T& first, const T& second) {
    return flag ? first : second;
}

// A colour by its components 0..255; this library has no GUI types.
struct RgbColor {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const RgbColor& a, const RgbColor& b) {
        return a.red == b.red && a.green == b.green && a.blue == b.blue;
    }
    friend bool operator!=(const RgbColor& a, const RgbColor& b) { return !(a == b); }
};

// The light yellow behind the column a list is ordered by.
RgbColor sortColumnColor();

// Each component raised by amount, kept within 0..255.
RgbColor lightenColor(RgbColor colour, int amount);

// Rounds to the nearest whole number, halves to the even one (350.5 gives 350, 351.5 gives
// 352), as the window width rules want; 0 for a value that is not a number.
int roundHalfEven(double value);

} // namespace verbalo
