// Verbalo9, the main program: one frame window per user and settings folder.
#include "common/catalogue.h"
#include "common/folders.h"
#include "common/messages.h"
#include "main/logic/frame_rules.h"
#include "main/logic/single_instance.h"
#include "main/main_window.h"
#include "main/wheel_keys.h"
#include "widgets/message_box_sink.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(verbalo::applicationTitle());
    QGuiApplication::setDesktopFileName(QStringLiteral("verbalo9"));

    const verbalo::Folders folders = verbalo::currentFolders();
    verbalo::SingleInstance instance(verbalo::singleInstanceKey(folders.settingsFolder));
    if (instance.start() == verbalo::SingleInstance::Role::Secondary) return 0;

    // A first start makes its folders and an empty catalogue; what cannot be made shows itself
    // when the frame opens the catalogue.
    verbalo::createMissingFolders(folders, verbalo::createEmptyCatalogue);

    verbalo::MessageBoxSink messageBoxes;
    verbalo::ScopedMessageSink sinkGuard(&messageBoxes);
    verbalo::WheelToArrowKeys wheel;
    app.installEventFilter(&wheel);

    verbalo::Tfrm_Main frame(folders);
    QObject::connect(&instance, &verbalo::SingleInstance::raiseRequested, &frame, &verbalo::Tfrm_Main::bringToFront);
    frame.show();
    return app.exec();
}
