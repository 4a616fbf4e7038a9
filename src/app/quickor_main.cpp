// Quickor, the quick finder: one small window that looks words up in a bilingual dictionary
// of the data folder Verbalo9 uses.
#include "common/catalogue.h"
#include "common/folders.h"
#include "common/messages.h"
#include "quickfinder/quick_finder_window.h"
#include "widgets/message_box_sink.h"
#include "widgets/translations.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quickor"));
    verbalo::installHungarianTranslations(app);
    verbalo::MessageBoxSink boxes;
    verbalo::ScopedMessageSink sink(&boxes);

    const verbalo::Folders folders = verbalo::currentFolders();
    verbalo::createMissingFolders(folders, verbalo::createEmptyCatalogue);
    verbalo::quickfinder::Tfrm_Main window(folders);
    window.show();
    return app.exec();
}
