#pragma once

#include <QString>

#include <chrono>
#include <functional>

class QObject;

// The one-line advert the maker's server offers, shown as a link in the frame's status bar.
namespace verbalo {

struct AdvertLine {
    QString text; // empty: no advert
    QString link;
};

// The advert's address on the maker's server.
QString advertAddress(const QString& server);

// The first line of the advert file: its text before the first ";" and its link after it; a
// line without ";" is all text with an empty link. No file or an empty one gives no advert.
AdvertLine readAdvertFile(const QString& path);

// Fetches the advert into path, waiting at most `timeout` for the server; a failed fetch leaves
// an earlier copy in place. Then reads whichever copy is there.
AdvertLine fetchAdvertLine(const QString& server, const QString& path,
                           std::chrono::milliseconds timeout = std::chrono::seconds(3));

// The same without waiting: the fetch runs while the program goes on, and shown gets the
// advert (from the fresh copy, or the earlier one when the fetch failed) once it has ended.
// The fetch belongs to context and ends with it.
void fetchAdvertLineLater(const QString& server, const QString& path, QObject* context,
                          std::function<void(const AdvertLine&)> shown,
                          std::chrono::milliseconds timeout = std::chrono::seconds(3));

} // namespace verbalo
