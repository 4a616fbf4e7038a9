#include "printing/maker_contact.h"

#include "main/logic/frame_rules.h"

namespace verbalo::printing {

MakerContact makerContactFor(const QString& server) {
    const MakerAddresses addresses = makerAddresses(server);
    QString mail = addresses.mail;
    mail.remove(QStringLiteral("mailto:"));
    return {addresses.homePage, mail, kMakerTelephone};
}

} // namespace verbalo::printing
