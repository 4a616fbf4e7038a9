#pragma once

#include <QString>

#include <chrono>

// Fetching one file from the web, for the dictionary list, the programs list, the advert line
// and dictionary packages.
namespace verbalo {

// Fetches address into filePath and returns true only when the whole file was stored. Any
// failure (no such folder, a refused or broken connection, an HTTP error status even when the
// server sends a page with it, a transfer that makes no progress for stallTimeout, or one not
// finished within totalTimeout when that is given) gives false
// and leaves filePath as it was: the data goes to a temporary file beside it that replaces it
// only when complete. Never throws; *error (when given) gets a reason in plain words.
//
// Blocks the calling thread but runs its own event loop, so it needs a QCoreApplication (or a
// GUI one) and must be called from the thread that owns it; timers and sockets of that thread
// keep running meanwhile.
bool downloadToFile(const QString& address, const QString& filePath,
                    std::chrono::milliseconds stallTimeout = std::chrono::seconds(30), QString* error = nullptr,
                    std::chrono::milliseconds totalTimeout = std::chrono::milliseconds::zero());

} // namespace verbalo
