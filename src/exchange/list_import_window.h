#pragma once

#include "exchange/preview_import_window.h"

namespace verbalo {

struct TSzotarak;

// The headword-list import: Memo1 previews the chosen file (a sample of the format until one
// is chosen), and "Betölt" reads the file again and stores its "##" headword blocks in the
// list's table.
class Tfrm_ListaBetolt : public PreviewImportWindow {
    Q_OBJECT
public:
    Tfrm_ListaBetolt(FrameServices& frame, store::Table& table, QWidget* parent = nullptr);

    // The import command on a headword list window: the window on its open table, modal.
    static void run(FrameServices& frame, store::Table& table, const TSzotarak& info, QWidget* owner);

protected:
    void importFile(const QString& path) override;
};

} // namespace verbalo
