#include "quickfinder/system_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace verbalo {

ClipboardText SystemClipboard::read() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard ? clipboardTextOf(clipboard->mimeData(QClipboard::Clipboard)) : ClipboardText();
}

} // namespace verbalo
