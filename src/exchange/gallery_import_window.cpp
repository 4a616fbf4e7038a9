#include "exchange/gallery_import_window.h"

#include "common/store/store_error.h"
#include "common/text_routines.h"
#include "exchange/logic/gallery_import.h"
#include "exchange/logic/import_file_text.h"
#include "widgets/frame_services.h"
#include "widgets/store_messages.h"

#include <QFileInfo>

namespace verbalo {

namespace {

const QString kSample = QStringLiteral("Az első kép=C:\\Képek\\első.jpg\nA második kép=C:\\Képek\\második.jpg\n"
                                       "Harmadik kép=C:\\Képek\\harmadik.jpg");

} // namespace

Tfrm_KeptarBetolt::Tfrm_KeptarBetolt(FrameServices& frame, store::Table& table, QWidget* parent)
    : PreviewImportWindow(frame, table, kSample, parent) {
    setObjectName(QStringLiteral("frm_KeptarBetolt"));
    setWindowTitle(QStringLiteral("Képtár betöltés"));
}

void Tfrm_KeptarBetolt::run(FrameServices& frame, store::Table& table, QWidget* owner) {
    Tfrm_KeptarBetolt window(frame, table, owner ? owner : frame.frameWindow());
    window.exec();
}

void Tfrm_KeptarBetolt::importFile(const QString& path) {
    ImportText file;
    if (!readWholeFile(path, file)) return;
    setLineCount(lineCount(file.text));
    try {
        // Picture paths written relative to the gallery file are found beside it.
        GalleryImporter importer(table(), QFileInfo(path).absolutePath());
        int row = 0;
        forEachLine(file.text, false, [&](QStringView line) {
            progress(row++);
            return importer.addLine(line);
        });
        const bool ok = importer.finish();
        reportFinished(ok, importer.failure(), importer.counts());
    } catch (const store::StoreError& e) {
        reportFinished(false, storeFailureText(e, table().tableName()), ImportCounts{});
    }
}

} // namespace verbalo
