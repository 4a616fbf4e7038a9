#pragma once

#include "dictionaries/logic/result_lines.h"

#include <QAbstractScrollArea>

#include <functional>

class QMenu;

namespace verbalo {

// A read-only pane of coloured result lines (dictionarizing, the caret word, the expression
// search). It paints only the lines in view, so a result of a million lines shows at once and
// scrolls freely; lines can be selected with the mouse or Ctrl+A and copied with Ctrl+C.
class ResultPane : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ResultPane(QWidget* parent = nullptr);

    // Change the lines through this, then call linesChanged (or clear).
    ResultLines& lines() { return lines_; }
    const ResultLines& lines() const { return lines_; }
    void linesChanged();
    void clear();

    bool hasSelection() const;
    QString selectedText() const;
    void selectAll();
    void copy() const;

    // Adds the owner's items to the pane's pop-up menu, after its copy commands.
    void setMenuExtender(std::function<void(QMenu*)> extender) { menuExtender_ = std::move(extender); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Spot {
        int line = 0;
        int column = 0;
        bool operator<(const Spot& o) const { return line < o.line || (line == o.line && column < o.column); }
        bool operator==(const Spot& o) const { return line == o.line && column == o.column; }
    };
    int lineHeight() const;
    int visibleLineCount() const;
    void updateScrollBars();
    Spot spotAt(const QPoint& pos) const;
    int columnAtX(int line, int x) const;
    void ensureLineVisible(int line);

    ResultLines lines_;
    QFont boldFont_;
    Spot anchor_;
    Spot cursor_;
    bool selecting_ = false;
    std::function<void(QMenu*)> menuExtender_;
};

} // namespace verbalo
