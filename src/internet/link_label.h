#pragma once

#include <QLabel>

namespace verbalo {

// An address in a detail panel: blue, underlined, a hand cursor; a click reports clicked().
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const char* objectName, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace verbalo
