#pragma once

#include <QDialog>
#include <QStringList>

class QButtonGroup;
class QComboBox;
class QLabel;

namespace verbalo {

class FrameServices;

// "Nyomtatás típusa": what a print command makes of its layout: a preview, a print, a delimited
// export of the layout's table or, for the bilingual list, an HTML page.
class Tfrm_NyomValaszt : public QDialog {
    Q_OBJECT
public:
    enum Choice { Cancelled = -1, Preview = 0, Print = 1, DelimitedExport = 2, HtmlExport = 3 };

    // printers: the installed printers' names; printerName: the one to show, the first of the
    // list when empty.
    Tfrm_NyomValaszt(FrameServices& frame, const QStringList& printers, const QString& printerName, bool offerHtml,
                     QWidget* parent = nullptr);

    int choice() const;
    void setChoice(int choice);
    QString printerName() const;
    void done(int result) override;

protected:
    // Placed before it is shown, so that the window manager takes the saved corner as the
    // frame's corner, as it is saved.
    void setVisible(bool visible) override;

private:
    void choiceChanged();

    FrameServices& frame_;
    QButtonGroup* choices_ = nullptr;
    QComboBox* printerBox_ = nullptr;
    QLabel* printerLabel_ = nullptr;
    QList<QLabel*> pictures_;
    bool placed_ = false;
};

// ChoosePrintOutput: the window over the installed printers, modal. The choice, or -1 on
// cancel; on OK printerName becomes the printer box's text.
int choosePrintOutput(FrameServices& frame, QString& printerName, bool offerHtml, QWidget* owner = nullptr);

} // namespace verbalo
