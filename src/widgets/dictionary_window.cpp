#include "widgets/dictionary_window.h"

namespace verbalo {

DictionaryWindow::DictionaryWindow(FrameServices& frame, QWidget* parent) : QWidget(parent), frame_(frame) {}

} // namespace verbalo
