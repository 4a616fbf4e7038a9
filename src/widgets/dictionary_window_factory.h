#pragma once

#include <functional>

class QWidget;

namespace verbalo {

class DictionaryWindow;
class FrameServices;

// Which window class shows which dictionary type. The program registers its window kinds at
// start, so the frame needs no knowledge of them; a type without a window gives nullptr.
using DictionaryWindowCreator = std::function<DictionaryWindow*(FrameServices&, QWidget* parent)>;

void registerDictionaryWindow(int type, DictionaryWindowCreator creator);
DictionaryWindow* createDictionaryWindow(int type, FrameServices& frame, QWidget* parent);
bool hasDictionaryWindow(int type);

} // namespace verbalo
