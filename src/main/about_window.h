#pragma once

#include <QDialog>

namespace verbalo {

class FrameServices;

// The about window: program name, version and maker, with a way to the support window.
class Tfrm_Nevjegy : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Nevjegy(FrameServices& frame, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    FrameServices& frame_;
};

void showAboutWindow(FrameServices& frame);

} // namespace verbalo
