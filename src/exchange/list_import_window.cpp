#include "exchange/list_import_window.h"

#include "common/store/store_error.h"
#include "common/text_routines.h"
#include "exchange/logic/import_file_text.h"
#include "exchange/logic/list_import.h"
#include "widgets/frame_services.h"
#include "widgets/store_messages.h"

namespace verbalo {

namespace {

const QString kSample = QStringLiteral("##első címszó\nSzöveg... első sor\nSzöveg... második sor\nSzöveg... harmadik sor\n"
                                       "##második címszó\n...");

} // namespace

Tfrm_ListaBetolt::Tfrm_ListaBetolt(FrameServices& frame, store::Table& table, QWidget* parent)
    : PreviewImportWindow(frame, table, kSample, parent) {
    setObjectName(QStringLiteral("frm_ListaBetolt"));
}

void Tfrm_ListaBetolt::run(FrameServices& frame, store::Table& table, const TSzotarak& info, QWidget* owner) {
    Q_UNUSED(info);
    Tfrm_ListaBetolt window(frame, table, owner ? owner : frame.frameWindow());
    window.exec();
}

void Tfrm_ListaBetolt::importFile(const QString& path) {
    // Its lines are taken one by one from the text, so a large file is not held a second time
    // as separate lines.
    ImportText file;
    if (!readWholeFile(path, file)) return;
    setLineCount(lineCount(file.text));
    try {
        ListImporter importer(table());
        int row = 0;
        forEachLine(file.text, false, [&](QStringView line) {
            progress(row++);
            importer.addLine(line);
            return !importer.failed();
        });
        const bool ok = importer.finish();
        reportFinished(ok, importer.failure(), importer.counts());
    } catch (const store::StoreError& e) {
        reportFinished(false, storeFailureText(e, table().tableName()), ImportCounts{});
    }
}

} // namespace verbalo
