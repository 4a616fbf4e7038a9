#pragma once

#include "widgets/frame_child.h"

#include <QMainWindow>

class QAction;
class QProgressBar;
class QTabWidget;
class QTableView;

namespace verbalo {

class FrameServices;
class QueryResultModel;
class SqlEditor;

// "SQL lekérdezés": SQL text typed, opened, saved and run against the tables of the data
// folder. A text that begins with SELECT is one query whose rows the "Eredmény" grid shows and
// the export writes out; any other text is cut into statements at every ";" and run one after
// the other under the progress bar. While statements run, neither another run nor closing the
// window can start. The frame's print, import and export commands do nothing here.
class Tfrm_SQL : public QMainWindow, public FrameChild {
    Q_OBJECT
public:
    explicit Tfrm_SQL(FrameServices& frame, QWidget* parent = nullptr);
    ~Tfrm_SQL() override;

    // "Futtat": the selection, or the whole text when nothing is selected.
    void run();
    // "Új SQL file": the text goes; the remembered file name stays.
    void newText();
    // The file's text replaces the editing area's; false after the file system's message, with
    // the text and the remembered name as they were.
    bool openFile(const QString& path);
    // Writes the text to the file, replacing it; false after the message, the file as it was.
    bool saveFile(const QString& path);
    // "Export": the open result to a delimited text file.
    void exportResult();

    const QString& fileName() const { return fileName_; }
    bool running() const { return running_; }
    SqlEditor* editor() const { return editor_; }
    QueryResultModel* resultModel() const { return model_; }
    QAction* command(const QString& name) const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildCommands();
    void buildMenusAndToolbar();
    QWidget* buildTabs();
    void runQuery(const QString& text);
    void runStatements(const QString& text);
    void closeResult();
    // aExport follows the result: on exactly while one is open.
    void resultOpenChanged();
    void setRunning(bool running);
    void chooseFileToOpen();
    void chooseFileToSave();

    FrameServices& frame_;
    SqlEditor* editor_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QTableView* grid_ = nullptr;
    QueryResultModel* model_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QList<QAction*> commands_;
    QString fileName_;
    QString resultSql_; // the query text of the open result, run again for its export
    bool running_ = false;
    bool shown_ = false;
};

// The main window's "Szabad lekérdezés": the SQL window, modal over owner; returns when the
// window has closed, and the window is gone then.
void showFreeSqlWindow(FrameServices& frame, QWidget* owner);

} // namespace verbalo
