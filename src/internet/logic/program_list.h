#pragma once

#include <QString>

// Values the programs list shows that are computed from its columns.
namespace verbalo {

// The longest description shown whole in the list.
inline constexpr int kShortDescriptionLength = 67;

// "igen" for a free program (ingyenes "I"), "nem" for any other value.
QString freeProgramText(const QString& ingyenes);
bool isFreeProgram(const QString& ingyenes);

// A description longer than kShortDescriptionLength: its beginning of that length, with blanks
// and control characters dropped from both ends, and "..."; a shorter one unchanged.
QString shortDescription(const QString& leiras);

} // namespace verbalo
