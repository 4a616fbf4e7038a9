#pragma once

#include "widgets/frame_child.h"

#include <QList>
#include <QPixmap>
#include <QWidget>

#include <memory>

class QLabel;
class QProgressBar;
class QTableView;

namespace verbalo {

class FrameServices;
class ListTableModel;
struct ListArchive;
struct ListColumn;
struct TransferOutcome;

namespace store {
class Table;
}

// What the dictionary download window and the programs window share: a list table from the
// maker's server shown in a read-only grid, ordered by a title click, refreshed from the server
// with a progress bar, and the frame's title area while the window is active.
class CatalogueListWindow : public QWidget, public FrameChild {
    Q_OBJECT
public:
    ~CatalogueListWindow() override;

    // The frame's print and export run on the list; the other commands are nothing here.
    bool offers(Command command) const override { return command == Command::Print || command == Command::Export; }
    // Adatok exportja: the list table to a delimited file.
    void exportData() override;

    QTableView* grid() const { return grid_; }
    QProgressBar* progressBar() const { return progress_; }
    store::Table* table() const;
    ListTableModel* model() const { return model_; }

protected:
    CatalogueListWindow(FrameServices& frame, const ListArchive& list, QList<ListColumn> columns, QWidget* parent);

    // Opens the list table ordered by field; false after showing the store's message.
    bool openList(const QString& orderField);
    void closeList();
    // Lista frissítés: the list closed, fetched, unpacked and opened again.
    void refreshList();
    // A title click: the list ordered by the column's field and the column marked; a column
    // without an order field changes nothing.
    void orderByColumn(int column);
    // The list's current row moved (the grid follows the cursor and the other way round).
    virtual void currentRowChanged() {}
    // Shows an ended transfer's message; the bar is hidden when hideBarOnFailure.
    bool reportOutcome(const TransferOutcome& outcome, bool hideBarOnFailure);
    // Runs a transfer with the bar following it.
    void showProgress(int minimum, int maximum);
    void setProgress(qint64 position);
    // The title area while this window is the frame's active one.
    void setTitle(const QString& text, const QString& programIcon);
    int currentRow() const;

    void showEvent(QShowEvent* event) override;

    FrameServices& frame_;
    QTableView* grid_ = nullptr;
    QProgressBar* progress_ = nullptr;

private:
    void followCursor();

    const ListArchive& list_;
    std::unique_ptr<store::Table> table_;
    ListTableModel* model_ = nullptr;
    QString titleText_;
    QPixmap titlePicture_;
    bool activationHooked_ = false;
};

} // namespace verbalo
