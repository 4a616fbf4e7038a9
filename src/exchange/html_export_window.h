#pragma once

#include "exchange/logic/html_page_export.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QProgressBar;

namespace verbalo {

class FrameServices;

namespace store {
class Table;
}

// "HTML export": the dataset as one HTML page with a single table, opened in the browser
// after writing or handed to the mail program as an attachment.
class Tfrm_Grid2Html : public QDialog {
    Q_OBJECT
public:
    Tfrm_Grid2Html(FrameServices& frame, store::Table& table, std::vector<HtmlColumn> columns, QString title,
                   QWidget* parent = nullptr);

    QString fileName() const;
    void setFileName(const QString& path);
    // The clock the page's date line is read from; tests fix it.
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

    // "OK": the page, then the window closes.
    void writeAndClose();
    // "E-Mail": the page, then a mail with it attached; the window stays.
    void writeAndMail();
    void done(int result) override;

protected:
    // Placed before it is shown, so that the window manager takes the saved corner as the
    // frame's corner, as it is saved.
    void setVisible(bool visible) override;

private:
    bool writePage();
    void chooseFile();

    FrameServices& frame_;
    store::Table& table_;
    std::vector<HtmlColumn> columns_;
    QString title_;
    std::function<QDateTime()> clock_ = &QDateTime::currentDateTime;
    QLineEdit* fileEdit_ = nullptr;
    QCheckBox* openAfter_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    bool placed_ = false;
};

// The HTML export of a dataset: columns as entries "field;caption;width;", the page titled
// title. A width that is not a whole number is reported before the window shows.
void exportHtmlPage(FrameServices& frame, store::Table& table, const QStringList& columns, const QString& title,
                    QWidget* owner = nullptr);

} // namespace verbalo
