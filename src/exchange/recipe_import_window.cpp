#include "exchange/recipe_import_window.h"

#include "common/store/store_error.h"
#include "exchange/logic/import_file_text.h"
#include "exchange/logic/recipe_import.h"
#include "widgets/frame_services.h"
#include "widgets/store_messages.h"

#include <QFileInfo>

namespace verbalo {

namespace {

const QString kSample = QStringLiteral(
    "@ujrecept\n@kategoria=frissensültek\n@finomsag=Kacsapecsenye\n@nehezseg=1\n@ido=120\n@kep=C:\\Kepek\\kacsa.jpg\n"
    "@hozzavalok\n1 db kacsa\n20 dkg zsír\ncsipetnyi majoranna\n@elkeszites\n"
    "Tegyük a kacsát a tepsibe, sózzuk meg, szórjuk meg \nmajorannával.\nSüssük súlyától függően kilónként 40 percig.\n"
    "Jó étvágyat\n@receptvege");

} // namespace

Tfrm_ReceptBetolt::Tfrm_ReceptBetolt(FrameServices& frame, store::Table& table, QWidget* parent)
    : PreviewImportWindow(frame, table, kSample, parent) {
    setObjectName(QStringLiteral("frm_ReceptBetolt"));
    setWindowTitle(QStringLiteral("Recept betöltés"));
}

void Tfrm_ReceptBetolt::run(FrameServices& frame, store::Table& table, QWidget* owner) {
    Tfrm_ReceptBetolt window(frame, table, owner ? owner : frame.frameWindow());
    window.exec();
}

void Tfrm_ReceptBetolt::importFile(const QString& path) {
    ImportText file;
    if (!readWholeFile(path, file)) return;
    // A section takes the lines after its directive, so the importer sees the file as lines.
    const QList<QStringView> lines = lineViews(file.text);
    setLineCount(lines.size());
    try {
        RecipeImporter importer(table(), QFileInfo(path).absolutePath());
        for (int i = 0; i < lines.size(); ++i) {
            progress(i);
            if (!importer.addLine(lines, i)) break;
        }
        const bool ok = importer.finish();
        reportFinished(ok, importer.failure(), importer.counts());
    } catch (const store::StoreError& e) {
        reportFinished(false, storeFailureText(e, table().tableName()), ImportCounts{});
    }
}

} // namespace verbalo
