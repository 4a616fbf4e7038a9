#pragma once

#include <QDialog>

namespace verbalo::quickfinder {

// The quick finder's about window: program name, version and what it does.
class QuickAbout : public QDialog {
    Q_OBJECT
public:
    explicit QuickAbout(QWidget* parent = nullptr);
};

} // namespace verbalo::quickfinder
