#pragma once

#include <QString>

// Small rules of the frame window that need no window.
namespace verbalo {

// The zoom commands keep the font size within 8..10; a size from the configuration file outside
// that range is stepped back towards it and never pushed further out.
constexpr int kSmallestZoomSize = 8;
constexpr int kLargestZoomSize = 10;
inline int zoomedIn(int fontSize) {
    return fontSize < kLargestZoomSize ? fontSize + 1 : fontSize;
}
inline int zoomedOut(int fontSize) {
    return fontSize > kSmallestZoomSize ? fontSize - 1 : fontSize;
}

// The frame's caption and the application's title.
inline QString frameCaption() {
    return QStringLiteral("Verbalo V9.3.0.320");
}
inline QString applicationTitle() {
    return QStringLiteral("Verbalo9");
}
inline QString programVersion() {
    return QStringLiteral("V9.3.0.320");
}

// The maker's addresses, built on the server address of the configuration file.
struct MakerAddresses {
    QString homePage;
    QString mail; // with "mailto:"
    QString programStore;
};
MakerAddresses makerAddresses(const QString& server);
// The maker's telephone number, as the printed lists give it.
inline const QString kMakerTelephone = QStringLiteral("+36 1 555 0142");

} // namespace verbalo
