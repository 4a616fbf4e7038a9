#pragma once

#include "internet/catalogue_list_window.h"

class QAction;
class QLabel;
class QLineEdit;
class QTextEdit;

namespace verbalo {

class LinkLabel;

// "További programok": the maker's other programs with their description, category and home
// page; free ones on light green. A search box moves to the first row starting with its text.
class Tfrm_Programok : public CatalogueListWindow {
    Q_OBJECT
public:
    explicit Tfrm_Programok(FrameServices& frame, QWidget* parent = nullptr);

    // Nyomtatás: the list as it is ordered now.
    void printList() override;

    void refresh() { refreshList(); }
    // The search: the first row whose ordering column starts with text (case ignored); a text
    // that matches nothing leaves the list where it is.
    void search(const QString& text);
    QAction* command(const char* name) const;
    QLineEdit* searchBox() const { return searchBox_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void currentRowChanged() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildHeader();
    QWidget* buildDetails();
    QVariant cellColours(int row, int column, int role) const;
    void openField(const char* field);

    QList<QAction*> commands_;
    QLineEdit* searchBox_ = nullptr;
    LinkLabel* downloadLink_ = nullptr;
    LinkLabel* homeLink_ = nullptr;
    QLabel* picture_ = nullptr;
    QTextEdit* description_ = nullptr;
};

} // namespace verbalo
