#pragma once

#include <QString>

// Values the dictionary and programs lists show that are computed from their columns.
namespace verbalo {

// A count or size as both lists show it: thousands grouped by blanks ("1 234 567").
QString groupedNumber(qint64 value);

// The longest description shown whole in the list.
inline constexpr int kShortDescriptionLength = 67;

// "igen" for a free program (ingyenes "I"), "nem" for any other value.
QString freeProgramText(const QString& ingyenes);
bool isFreeProgram(const QString& ingyenes);

// A description longer than kShortDescriptionLength: its beginning of that length, with blanks
// and control characters dropped from both ends, and "..."; a shorter one unchanged.
QString shortDescription(const QString& leiras);

} // namespace verbalo
