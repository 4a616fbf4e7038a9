#pragma once

namespace verbalo {

// QScintilla keeps an accessibility cursor up to date on every caret move by counting the
// characters from the start of the document, whether or not an assistive technology listens
// (Qt creates the accessible object of every widget it shows). On a file of a million lines
// that is 60 ms per caret move. While accessibility is off, the source editors get Qt's plain
// widget interface instead. Call after the first QScintilla editor has been made: the factory
// installed last is asked first, and QScintilla installs its own on its first editor. Only
// the first call does anything.
void quietenEditorAccessibility();

} // namespace verbalo
