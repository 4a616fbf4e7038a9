// Verbalo9, the main program: one frame window per user and settings folder.
#include "common/catalogue.h"
#include "common/folders.h"
#include "common/messages.h"
#include "common/table_layouts.h"
#include "main/logic/frame_rules.h"
#include "main/logic/single_instance.h"
#include "main/frame_window.h"
#include "main/wheel_keys.h"
#include "widgets/dictionary_window_factory.h"
#include "widgets/icons.h"
#include "widgets/message_box_sink.h"
#include "widgets/translations.h"

#include "dictionaries/pair_window.h"
#include "dictionaries/list_window.h"
#include "dictionaries/gallery_window.h"
#include "dictionaries/recipe_window.h"

#include <QApplication>

namespace {

// The window kind of each dictionary type; a type left out opens with the frame's
// "Nem megfelelő szótártípus" message.
void registerDictionaryWindows() {
    verbalo::registerDictionaryWindow(verbalo::Bilingual, [](verbalo::FrameServices& frame, QWidget* parent) {
        return new verbalo::Tfrm_Szotar(frame, parent);
    });
    verbalo::registerDictionaryWindow(verbalo::HeadwordList, [](verbalo::FrameServices& frame, QWidget* parent) {
        return new verbalo::Tfrm_Szotar2(frame, parent);
    });
    verbalo::registerDictionaryWindow(verbalo::ImageGallery, [](verbalo::FrameServices& frame, QWidget* parent) {
        return new verbalo::Tfrm_Szotar3(frame, parent);
    });
    verbalo::registerDictionaryWindow(verbalo::RecipeBook, [](verbalo::FrameServices& frame, QWidget* parent) {
        return new verbalo::Tfrm_Szotar5(frame, parent);
    });
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(verbalo::applicationTitle());
    verbalo::installHungarianTranslations(app);
    QGuiApplication::setDesktopFileName(QStringLiteral("verbalo9"));

    const verbalo::Folders folders = verbalo::currentFolders();
    verbalo::SingleInstance instance(verbalo::singleInstanceKey(folders.settingsFolder));
    if (instance.start() == verbalo::SingleInstance::Role::Secondary) return 0;

    // A first start makes its folders and an empty catalogue; what cannot be made shows itself
    // when the frame opens the catalogue.
    verbalo::createMissingFolders(folders, verbalo::createEmptyCatalogue);

    QApplication::setWindowIcon(verbalo::iconFromProgramFolder(folders.programFolder, QStringLiteral("Ico/verbalo9.ico")));
    verbalo::MessageBoxSink messageBoxes;
    verbalo::ScopedMessageSink sinkGuard(&messageBoxes);
    verbalo::WheelToArrowKeys wheel;
    app.installEventFilter(&wheel);

    registerDictionaryWindows();
    verbalo::Tfrm_Main frame(folders);
    QObject::connect(&instance, &verbalo::SingleInstance::raiseRequested, &frame, &verbalo::Tfrm_Main::bringToFront);
    frame.show();
    return app.exec();
}
