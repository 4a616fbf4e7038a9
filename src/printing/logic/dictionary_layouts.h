#pragma once

#include "printing/logic/maker_contact.h"
#include "printing/logic/report_layout.h"

namespace verbalo {
struct TSzotarak;
}

// The four layouts a dictionary prints in: the bilingual list, the dictionary format in 2, 3 or
// 4 newspaper columns, the headword list and the recipes. Each reads the window's table in its
// current order; the bilingual ones take their order column from the record's sorrend.
namespace verbalo::printing {

inline const QString kWordsTitle = QStringLiteral("Szavak nyomtatása");
inline const QString kDictionaryFormatTitle = QStringLiteral("Szótár nyomtatás");

// The left column and caption show the order column, the right ones the other language.
ReportLayout bilingualListLayout(const TSzotarak& info, const MakerContact& maker);
// columns: 2, 3 or 4 (other values are taken as the nearest of them).
ReportLayout dictionaryFormatLayout(const TSzotarak& info, int columns, const MakerContact& maker);
ReportLayout headwordListLayout(const TSzotarak& info, const MakerContact& maker);
ReportLayout recipeLayout(const TSzotarak& info, const MakerContact& maker);

// The order column of a bilingual record: "nyelv2" when sorrend says so, otherwise "nyelv1".
QString orderColumnOf(const TSzotarak& info);

} // namespace verbalo::printing
