#pragma once

#include "exchange/preview_import_window.h"

namespace verbalo {

// The image gallery import ("Képtár betöltés"): a text file of "caption=picture file" lines;
// "Betölt" copies every picture it names into the gallery's table.
class Tfrm_KeptarBetolt : public PreviewImportWindow {
    Q_OBJECT
public:
    Tfrm_KeptarBetolt(FrameServices& frame, store::Table& table, QWidget* parent = nullptr);

    // The import command on a gallery window: the window on its open table, modal.
    static void run(FrameServices& frame, store::Table& table, QWidget* owner);

protected:
    void importFile(const QString& path) override;
};

} // namespace verbalo
