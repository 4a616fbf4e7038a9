#pragma once

#include "printing/logic/maker_contact.h"
#include "printing/logic/report_layout.h"

// The two catalogue lists from the maker's server: further programs and downloadable
// dictionaries, each read from the table of its window in the window's order.
namespace verbalo::printing {

inline const QString kProgramListTitle = QStringLiteral("Programok listája");
inline const QString kDownloadListTitle = QStringLiteral("Letölthető szótárak listája");
inline const QString kDescriptionQuestion = QStringLiteral("A leírást is nyomtassam? (hosszabb nyomtatás)");

// withDescription: the detail band is 18.5 mm and prints leiras below the links; otherwise
// every program takes 13.2 mm.
ReportLayout programListLayout(bool withDescription, const MakerContact& maker);
ReportLayout downloadListLayout(const MakerContact& maker);

} // namespace verbalo::printing
