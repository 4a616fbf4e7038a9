#pragma once

#include "common/ini_file.h"
#include "common/settings.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace verbalo {

class FrameServices;

// The settings window: the two screen choices, the data folder and the HTML folder. OK changes
// the settings record only; the values reach the configuration file when the program ends, and
// take effect as each says (children opened afterwards, the next start).
class Tfrm_Beallit : public QDialog {
    Q_OBJECT
public:
    Tfrm_Beallit(MainSettings& settings, const IniFile& ini, QWidget* parent = nullptr);

    // Placed (and given the configured font size) before it is first shown.
    void setVisible(bool visible) override;

public slots:
    void accept() override;

protected:
    void done(int result) override;

private:
    void browse(QLineEdit* edit, const QString& title);

    MainSettings& settings_;
    const IniFile& ini_;
    QRadioButton* fullScreen_ = nullptr;
    QRadioButton* keepSize_ = nullptr;
    QRadioButton* childrenMaximised_ = nullptr;
    QRadioButton* childrenNormal_ = nullptr;
    QLineEdit* dataFolder_ = nullptr;
    QLineEdit* htmlFolder_ = nullptr;
    bool placed_ = false;
};

// Shows the settings window modally over the frame.
void showSettings(FrameServices& frame);

} // namespace verbalo
