#pragma once

#include "exchange/import_window.h"

class QPlainTextEdit;

namespace verbalo {

struct ImportText;

// An import window whose file is only looked at, not edited: Memo1 under "Minta állomány"
// shows a sample of the format until a file is chosen, then the beginning of that file.
// "Betölt" reads the file again, whatever the preview shows. A fixed-size dialog that keeps
// its place and takes the configured font size. The headword-list, gallery and recipe imports
// are built on it.
class PreviewImportWindow : public ImportWindow {
    Q_OBJECT
public:
    PreviewImportWindow(FrameServices& frame, store::Table& table, const QString& sample, QWidget* parent);

    QPlainTextEdit* preview() const { return preview_; }

    static constexpr int kDesignedWidth = 560;
    static constexpr int kDesignedHeight = 440;
    // The preview shows the beginning of a large file; the import reads it whole.
    static constexpr int kPreviewChars = 1 << 20;

protected:
    void loadFile(const QString& path) override;
    void restorePlacement() override;
    void savePlacement() override;

    // The whole import file as text; false after "Az állomány nem olvasható:" with the reason.
    bool readWholeFile(const QString& path, ImportText& file);
    // The progress bar's end for an import of that many lines.
    void setLineCount(qsizetype lines);

private:
    QPlainTextEdit* preview_ = nullptr;
};

} // namespace verbalo
