#pragma once

#include "common/messages.h"

namespace verbalo {

// Shows the shared message boxes as real boxes owned by their window; the owner is disabled
// while the box is up, and boxes that ask for it give the focus back to the window that was
// active before.
class MessageBoxSink : public MessageSink {
public:
    Answer show(const Message& message) override;
};

} // namespace verbalo
