#pragma once

#include "quickfinder/logic/clipboard_watch.h"

namespace verbalo {

// The system clipboard of the running application, as the clipboard watch reads it.
class SystemClipboard : public ClipboardSource {
public:
    ClipboardText read() override;
};

} // namespace verbalo
