#pragma once

#include <QColor>
#include <QList>
#include <QTextEdit>

namespace verbalo::quickfinder {

// A piece of a result line in its own type.
struct PaneSegment {
    QString text;
    bool bold = false;
    QColor color = Qt::black;
};

// A read-only rich-text pane that results are written into line by line.
class QuickResultPane : public QTextEdit {
    Q_OBJECT
public:
    explicit QuickResultPane(QWidget* parent = nullptr);

    void addLine(const QList<PaneSegment>& segments);
    void addLine(const QString& text, bool bold = false, const QColor& color = Qt::black) {
        addLine({PaneSegment{text, bold, color}});
    }
    // The caret to the start with nothing selected, which brings the beginning into view.
    void scrollToStart();
    // The pane's lines as plain text, for tests and saving.
    QStringList lines() const;

private:
    bool empty_ = true;
};

} // namespace verbalo::quickfinder
