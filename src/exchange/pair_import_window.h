#pragma once

#include "exchange/import_window.h"

class QButtonGroup;
class QGroupBox;

namespace verbalo {

class PairFileEditor;
struct TSzotarak;

// The word-pair import: a text file is loaded into the editor SynEdit1, where it can be edited,
// and "Betölt" stores every line of the editor as a word pair in the bilingual dictionary's
// table, cut at the separator chosen in RadioGroup1. Resizable, never narrower than 609 pixels.
class Tfrm_SzotarBetolt : public ImportWindow {
    Q_OBJECT
public:
    Tfrm_SzotarBetolt(FrameServices& frame, store::Table& table, QWidget* parent = nullptr);

    // The import command on a bilingual dictionary window: the window on its open table, modal.
    static void run(FrameServices& frame, store::Table& table, const TSzotarak& info, QWidget* owner);

    // The index of the separator chosen: 0 ";", 1 ",", 2 TAB, 3 "|".
    int separatorChoice() const;
    void setSeparatorChoice(int choice);
    PairFileEditor* editor() const { return editor_; }

    static constexpr int kDesignedWidth = 640;
    static constexpr int kDesignedHeight = 520;
    static constexpr int kMinimumWidth = 609;

protected:
    void loadFile(const QString& path) override;
    void importFile(const QString& path) override;
    void showRow(int row) override;
    void restorePlacement() override;
    void savePlacement() override;

private:
    QGroupBox* separators_ = nullptr;
    QButtonGroup* separatorButtons_ = nullptr;
    PairFileEditor* editor_ = nullptr;
};

} // namespace verbalo
