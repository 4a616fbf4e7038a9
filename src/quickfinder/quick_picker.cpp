#include "quickfinder/quick_picker.h"

#include "main/picker_context.h"
#include "main/catalogue_picker.h"
#include "quickfinder/logic/quick_finder_session.h"

namespace verbalo::quickfinder {

namespace {
// The quick finder's picker always uses this font size.
constexpr int kPickerFontSize = 9;
} // namespace

int pickQuickDictionary(QuickFinderSession& session, QWidget* owner, int currentId) {
    PickerContext context{session.database(), session.ini(), session.folders(), kPickerFontSize, PickerMode::QuickFinder, owner};
    return pickDictionary(context, currentId);
}

} // namespace verbalo::quickfinder
