#pragma once

#include "internet/catalogue_list_window.h"

#include <QStringList>

class QAction;
class QLabel;

namespace verbalo {

class LinkLabel;

// "Szótárak letöltése Internetről": the dictionaries the maker's server offers, with the ones
// already in the data folder greyed; a row's package is downloaded and installed on request.
class Tfrm_Internet : public CatalogueListWindow {
    Q_OBJECT
public:
    explicit Tfrm_Internet(FrameServices& frame, QWidget* parent = nullptr);

    // Nyomtatás: the list as it is ordered now.
    void printList() override;

    // Letölt: the current row's package fetched, unpacked into the data folder and put in the
    // catalogue. Nothing for an empty list.
    void downloadCurrent();
    void refresh() { refreshList(); }
    // Whether a list row's table is in the data folder (compared without regard to case).
    bool isInstalled(int row) const;
    QAction* command(const char* name) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void currentRowChanged() override;

private:
    QWidget* buildToolbar();
    QWidget* buildDetails();
    void rebuildInstalledTables();
    QVariant cellColours(int row, int column, int role) const;

    QList<QAction*> commands_;
    QStringList installedTables_;
    LinkLabel* addressLink_ = nullptr;
    QLabel* nameValue_ = nullptr;
    QLabel* authorValue_ = nullptr;
    QLabel* wordsValue_ = nullptr;
    QLabel* sizeValue_ = nullptr;
};

} // namespace verbalo
