#pragma once

#include <QString>

namespace verbalo {

// Opens the desktop's mail compose window with the subject, the text and the file attached,
// through xdg-email, without waiting for it. False when the tool cannot be started (none is
// installed); callers that treat mailing as optional say nothing then.
bool sendMailWithAttachment(const QString& subject, const QString& text, const QString& attachment);

} // namespace verbalo
