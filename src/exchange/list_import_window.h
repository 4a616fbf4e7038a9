#pragma once

#include "exchange/import_window.h"

class QPlainTextEdit;

namespace verbalo {

struct TSzotarak;

// The headword-list import: Memo1 previews the chosen file (a sample of the format until one
// is chosen), and "Betölt" reads the file again and stores its "##" headword blocks in the
// list's table. A fixed-size dialog.
class Tfrm_ListaBetolt : public ImportWindow {
    Q_OBJECT
public:
    Tfrm_ListaBetolt(FrameServices& frame, store::Table& table, QWidget* parent = nullptr);

    // The import command on a headword list window: the window on its open table, modal.
    static void run(FrameServices& frame, store::Table& table, const TSzotarak& info, QWidget* owner);

    QPlainTextEdit* preview() const { return preview_; }

    static constexpr int kDesignedWidth = 560;
    static constexpr int kDesignedHeight = 440;
    // The preview shows the beginning of a large file; the import reads it whole.
    static constexpr int kPreviewChars = 1 << 20;

protected:
    void loadFile(const QString& path) override;
    void importFile(const QString& path) override;
    void restorePlacement() override;
    void savePlacement() override;

private:
    QPlainTextEdit* preview_ = nullptr;
};

} // namespace verbalo
