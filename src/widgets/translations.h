#pragma once

class QCoreApplication;

namespace verbalo {

// Makes what Qt draws by itself Hungarian in both programs: Qt's own translation (qtbase_hu.qm
// from Qt's translations folder, Debian's qt6-translations-l10n) for the standard context menus,
// the file, print and colour dialogs and the button texts, and Hungarian captions for the
// QScintilla editors' context menu (Visszavonás, Kivágás, ...), which Qt's translation does not
// cover. Call once, right after the application object is made. False when qtbase_hu.qm was not
// found; the QScintilla captions are Hungarian either way.
bool installHungarianTranslations(QCoreApplication& app);

} // namespace verbalo
