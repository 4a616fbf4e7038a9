#pragma once

#include "exchange/preview_import_window.h"

namespace verbalo {

// The recipe import ("Recept betöltés"): a text file of recipes written with "@" directives;
// "Betölt" stores them in the recipe book's table.
class Tfrm_ReceptBetolt : public PreviewImportWindow {
    Q_OBJECT
public:
    Tfrm_ReceptBetolt(FrameServices& frame, store::Table& table, QWidget* parent = nullptr);

    // The import command on a recipe window: the window on its open table, modal.
    static void run(FrameServices& frame, store::Table& table, QWidget* owner);

protected:
    void importFile(const QString& path) override;
};

} // namespace verbalo
