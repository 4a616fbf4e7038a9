#pragma once

#include "exchange/logic/export_fields.h"

#include <QDialog>
#include <QHash>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace verbalo {

class FrameServices;

namespace store {
class Table;
}

// "Határolt szöveg export": the rows of a dataset to a delimited text file, one line per row,
// with the fields, separator, quote and header chosen here; a name ending in ".xls" gets a
// spreadsheet instead. The dataset stays the caller's.
class Tfrm_Hatarolt : public QDialog {
    Q_OBJECT
public:
    // captions: the labels the owning window shows for the fields, by field name.
    Tfrm_Hatarolt(FrameServices& frame, store::Table& table, const QHash<QString, QString>& captions, QWidget* parent = nullptr);

    QString fileName() const;
    void setFileName(const QString& path);
    bool exporting() const { return running_; }

    // "Export indítás".
    void runExport();
    // "Megállít": the running delimited export ends before its next row.
    void stop() { running_ = false; }
    void done(int result) override;

protected:
    // Placed before it is shown, so that the window manager takes the saved corner as the
    // frame's corner, as it is saved.
    void setVisible(bool visible) override;

private:
    QListWidget* buildFieldList();
    QWidget* buildOptions();
    void setAllChecked(bool on);
    void chooseFile();
    std::vector<bool> checkedFields() const;
    void exportDelimitedText(const QString& path);
    void exportSpreadsheetFile(const QString& path);

    FrameServices& frame_;
    store::Table& table_;
    std::vector<ExportField> fields_;
    QListWidget* fieldList_ = nullptr;
    QButtonGroup* separators_ = nullptr;
    QButtonGroup* quotes_ = nullptr;
    QCheckBox* memoLines_ = nullptr;
    QCheckBox* fieldNames_ = nullptr;
    QCheckBox* noHeader_ = nullptr;
    QCheckBox* openAfter_ = nullptr;
    QLineEdit* fileEdit_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    bool running_ = false;
    bool placed_ = false;
};

// The export command on a window's dataset: Tfrm_Hatarolt, modal, with "File001.csv" in the
// documents folder as the file name.
void openDelimitedExport(FrameServices& frame, store::Table& table, const QHash<QString, QString>& captions = {},
                         QWidget* owner = nullptr);

} // namespace verbalo
