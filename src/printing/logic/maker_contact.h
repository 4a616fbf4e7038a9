#pragma once

#include <QString>

namespace verbalo::printing {

// How the maker is reached, as the page headers and footers print it: the web address and the
// mail address follow the server of the configuration file, the telephone number is the
// maker's own.
struct MakerContact {
    QString web;
    QString mail;
    QString telephone;
};

inline const QString kMakerName = QStringLiteral("Kelvora Bt.");

} // namespace verbalo::printing
