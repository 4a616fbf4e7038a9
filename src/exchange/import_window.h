#pragma once

#include "exchange/logic/import_session.h"
#include "exchange/logic/progress_pacer.h"

#include <QDialog>

class QHBoxLayout;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;
class QVBoxLayout;

namespace verbalo {

class FrameServices;

namespace store {
class Table;
}

// What the two plain-text import windows share: the file name box Edit1 with its open-file
// button BitBtn1, the "Betölt" and "Bezár" buttons, the progress bar at the bottom, and the
// running import. The file is loaded for viewing when chosen and when Edit1 is left; "Betölt"
// imports into the table the window was opened on. An import runs to its end: meanwhile the
// controls are off and the window does not close.
class ImportWindow : public QDialog {
    Q_OBJECT
public:
    ImportWindow(FrameServices& frame, store::Table& table, QWidget* parent);

    // The file named in Edit1 as a file that exists (a folder does not count).
    bool namedFileExists() const;
    QString fileName() const;
    void setFileName(const QString& path);
    // Loads the file named in Edit1 for viewing when it exists, as leaving Edit1 does.
    void loadNamedFile();
    // "Betölt".
    void runImport();
    bool importing() const { return importing_; }

    void done(int result) override;
    // Placed before it is first shown.
    void setVisible(bool visible) override;

protected:
    // The window's own part, between the file row and the progress bar.
    QVBoxLayout* body() const { return body_; }
    // Puts a widget in the file row, between the file name and the buttons.
    void addToFileRow(QWidget* widget);
    QPushButton* importButton() const { return importButton_; }
    QPushButton* closeButton() const { return closeButton_; }
    QProgressBar* progressBar() const { return progressBar_; }
    store::Table& table() { return table_; }
    FrameServices& frame() { return frame_; }

    virtual void loadFile(const QString& path) = 0;
    // The import itself; called with the controls off.
    virtual void importFile(const QString& path) = 0;
    // What else is shown when the progress bar moves (the editor's caret).
    virtual void showRow(int row) { Q_UNUSED(row); }
    // Window placement: restored on the first show, saved when the window closes.
    virtual void restorePlacement() = 0;
    virtual void savePlacement() = 0;

    // Moves the progress bar to row + 1 and lets the window repaint, at most every 30 ms.
    void progress(int row);
    // The messages at the end of an import: "Állomány betöltése kész." with the rows stored and
    // refused on a second line, or the failure with what was stored before it.
    void reportFinished(bool ok, const QString& failure, const ImportCounts& counts);

    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chooseFile();
    void setControlsEnabled(bool on);

    FrameServices& frame_;
    store::Table& table_;
    QLineEdit* fileEdit_ = nullptr;
    QToolButton* browseButton_ = nullptr;
    QPushButton* importButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QVBoxLayout* body_ = nullptr;
    QHBoxLayout* fileRow_ = nullptr;
    QList<QWidget*> disabledWhileImporting_;
    bool importing_ = false;
    bool placed_ = false;
    ProgressPacer pacer_;
};

} // namespace verbalo
