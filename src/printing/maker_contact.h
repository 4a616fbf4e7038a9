#pragma once

#include "printing/logic/maker_contact.h"

namespace verbalo::printing {

// The maker's contacts for the page headers and footers, on the server of the configuration file.
MakerContact makerContactFor(const QString& server);

} // namespace verbalo::printing
