#include "dictionaries/result_pane.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include <functional>

#include <algorithm>

namespace verbalo {

namespace {

constexpr int kMargin = 3;

QColor colourOf(LineColour colour) {
    switch (colour) {
    case LineColour::Red: return QColor(255, 0, 0);
    case LineColour::Blue: return QColor(0, 0, 255);
    case LineColour::Black: break;
    }
    return QColor(0, 0, 0);
}

} // namespace

ResultPane::ResultPane(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    boldFont_ = font();
    boldFont_.setBold(true);
    updateScrollBars();
}

void ResultPane::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        boldFont_ = font();
        boldFont_.setBold(true);
        updateScrollBars();
    }
    QAbstractScrollArea::changeEvent(event);
}

int ResultPane::lineHeight() const {
    return std::max(QFontMetrics(font()).height(), QFontMetrics(boldFont_).height()) + 1;
}

int ResultPane::visibleLineCount() const {
    return std::max(1, viewport()->height() / lineHeight());
}

void ResultPane::linesChanged() {
    anchor_ = cursor_ = Spot();
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void ResultPane::clear() {
    lines_.clear();
    linesChanged();
}

void ResultPane::updateScrollBars() {
    const int visible = visibleLineCount();
    verticalScrollBar()->setRange(0, std::max(0, lines_.count() - visible));
    verticalScrollBar()->setPageStep(visible);
    verticalScrollBar()->setSingleStep(1);
    // The widest line is estimated from the longest one: measuring every line would cost
    // what the pane is built to avoid.
    const int widest = lines_.longestLineLength() * QFontMetrics(boldFont_).averageCharWidth() * 6 / 5 + 2 * kMargin;
    horizontalScrollBar()->setRange(0, std::max(0, widest - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(QFontMetrics(font()).averageCharWidth() * 2);
}

void ResultPane::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void ResultPane::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const int h = lineHeight();
    const int first = verticalScrollBar()->value();
    const int last = std::min(lines_.count(), first + viewport()->height() / h + 2);
    const QFontMetrics regular(font());
    const QFontMetrics bold(boldFont_);
    const Spot selFrom = std::min(anchor_, cursor_);
    const Spot selTo = std::max(anchor_, cursor_);
    QColor highlight = palette().color(QPalette::Highlight);
    highlight.setAlpha(90);
    for (int i = first; i < last; ++i) {
        const ResultLines::Line& l = lines_.line(i);
        const QStringView text = lines_.textView(i);
        const int y = (i - first) * h;
        const int baseline = y + std::max(regular.ascent(), bold.ascent());
        int x = kMargin - horizontalScrollBar()->value();
        const int boldEnd = static_cast<int>(l.boldStart + l.boldLength);
        const int cuts[4] = {0, static_cast<int>(l.boldStart), boldEnd, static_cast<int>(l.length)};
        if (!(selFrom == selTo) && i >= selFrom.line && i <= selTo.line) {
            const int fromCol = i == selFrom.line ? selFrom.column : 0;
            const int toCol = i == selTo.line ? selTo.column : static_cast<int>(l.length);
            int x1 = x, x2 = x;
            for (int s = 0; s < 3; ++s) {
                const QFontMetrics& fm = s == 1 ? bold : regular;
                const int a = cuts[s], b = cuts[s + 1];
                if (b <= a) continue;
                if (fromCol > a) x1 += fm.horizontalAdvance(text.mid(a, std::min(fromCol, b) - a).toString());
                if (toCol > a) x2 += fm.horizontalAdvance(text.mid(a, std::min(toCol, b) - a).toString());
            }
            if (i != selTo.line) x2 += regular.averageCharWidth();
            p.fillRect(QRect(x1, y, std::max(0, x2 - x1), h), highlight);
        }
        p.setPen(colourOf(l.colour));
        for (int s = 0; s < 3; ++s) {
            const int a = cuts[s], b = cuts[s + 1];
            if (b <= a) continue;
            const QString part = text.mid(a, b - a).toString();
            p.setFont(s == 1 ? boldFont_ : font());
            p.drawText(x, baseline, part);
            x += (s == 1 ? bold : regular).horizontalAdvance(part);
        }
    }
}

int ResultPane::columnAtX(int line, int x) const {
    if (line < 0 || line >= lines_.count()) return 0;
    const ResultLines::Line& l = lines_.line(line);
    const QStringView text = lines_.textView(line);
    const QFontMetrics regular(font());
    const QFontMetrics bold(boldFont_);
    int left = kMargin - horizontalScrollBar()->value();
    for (int c = 0; c < static_cast<int>(l.length); ++c) {
        const bool isBold = c >= static_cast<int>(l.boldStart) && c < static_cast<int>(l.boldStart + l.boldLength);
        const int w = (isBold ? bold : regular).horizontalAdvance(text.at(c));
        if (x < left + w / 2) return c;
        left += w;
    }
    return static_cast<int>(l.length);
}

ResultPane::Spot ResultPane::spotAt(const QPoint& pos) const {
    if (lines_.isEmpty()) return Spot();
    Spot s;
    s.line = std::clamp(verticalScrollBar()->value() + pos.y() / lineHeight(), 0, lines_.count() - 1);
    s.column = columnAtX(s.line, pos.x());
    return s;
}

void ResultPane::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    cursor_ = spotAt(event->position().toPoint());
    if (!(event->modifiers() & Qt::ShiftModifier)) anchor_ = cursor_;
    selecting_ = true;
    viewport()->update();
}

void ResultPane::mouseMoveEvent(QMouseEvent* event) {
    if (!selecting_ || !(event->buttons() & Qt::LeftButton)) return;
    cursor_ = spotAt(event->position().toPoint());
    ensureLineVisible(cursor_.line);
    viewport()->update();
}

void ResultPane::mouseDoubleClickEvent(QMouseEvent* event) {
    const Spot s = spotAt(event->position().toPoint());
    if (lines_.isEmpty()) return;
    anchor_ = Spot{s.line, 0};
    cursor_ = Spot{s.line, static_cast<int>(lines_.line(s.line).length)};
    viewport()->update();
}

void ResultPane::ensureLineVisible(int line) {
    QScrollBar* bar = verticalScrollBar();
    if (line < bar->value())
        bar->setValue(line);
    else if (line >= bar->value() + visibleLineCount())
        bar->setValue(line - visibleLineCount() + 1);
}

void ResultPane::keyPressEvent(QKeyEvent* event) {
    QScrollBar* bar = verticalScrollBar();
    if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->key() == Qt::Key_Down) {
        bar->setValue(bar->value() + 1);
    } else if (event->key() == Qt::Key_Up) {
        bar->setValue(bar->value() - 1);
    } else if (event->key() == Qt::Key_PageDown) {
        bar->setValue(bar->value() + bar->pageStep());
    } else if (event->key() == Qt::Key_PageUp) {
        bar->setValue(bar->value() - bar->pageStep());
    } else if (event->key() == Qt::Key_Home && (event->modifiers() & Qt::ControlModifier)) {
        bar->setValue(0);
    } else if (event->key() == Qt::Key_End && (event->modifiers() & Qt::ControlModifier)) {
        bar->setValue(bar->maximum());
    } else {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

bool ResultPane::hasSelection() const {
    return !(anchor_ == cursor_) && !lines_.isEmpty();
}

QString ResultPane::selectedText() const {
    if (!hasSelection()) return QString();
    const Spot from = std::min(anchor_, cursor_);
    const Spot to = std::max(anchor_, cursor_);
    QString out;
    for (int i = from.line; i <= to.line && i < lines_.count(); ++i) {
        const QStringView t = lines_.textView(i);
        const int a = i == from.line ? from.column : 0;
        const int b = i == to.line ? to.column : static_cast<int>(t.size());
        out += t.mid(a, std::max(0, b - a));
        if (i != to.line) out += QLatin1Char('\n');
    }
    return out;
}

void ResultPane::selectAll() {
    if (lines_.isEmpty()) return;
    anchor_ = Spot();
    cursor_ = Spot{lines_.count() - 1, static_cast<int>(lines_.line(lines_.count() - 1).length)};
    viewport()->update();
}

void ResultPane::copy() const {
    if (hasSelection()) QApplication::clipboard()->setText(selectedText());
}

void ResultPane::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copyAction = menu.addAction(QStringLiteral("Másolás\tCtrl+C"), this, &ResultPane::copy);
    copyAction->setEnabled(hasSelection());
    menu.addAction(QStringLiteral("Mindet kijelöli\tCtrl+A"), this, &ResultPane::selectAll);
    if (menuExtender_) menuExtender_(&menu);
    menu.exec(event->globalPos());
}

} // namespace verbalo
