#pragma once

#include <QDialog>

namespace verbalo {

class FrameServices;

// The support window: how to help the maker, with a button that writes them a mail.
class Tfrm_Tamogat : public QDialog {
    Q_OBJECT
public:
    explicit Tfrm_Tamogat(FrameServices& frame, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    FrameServices& frame_;
};

void showSupportWindow(FrameServices& frame);

} // namespace verbalo
