#pragma once

class QWidget;

namespace verbalo {
class QuickFinderSession;
}

namespace verbalo::quickfinder {

// The catalogue picker in its quick-finder form: the id of the dictionary chosen with OK, or
// -1 when the picker was closed otherwise. Errors of the store reach the caller.
int pickQuickDictionary(QuickFinderSession& session, QWidget* owner, int currentId);

} // namespace verbalo::quickfinder
