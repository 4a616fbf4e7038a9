#include "widgets/dictionary_window_factory.h"

#include <map>

namespace verbalo {

namespace {

std::map<int, DictionaryWindowCreator>& creators() {
    static std::map<int, DictionaryWindowCreator> map;
    return map;
}

} // namespace

void registerDictionaryWindow(int type, DictionaryWindowCreator creator) {
    creators()[type] = std::move(creator);
}

DictionaryWindow* createDictionaryWindow(int type, FrameServices& frame, QWidget* parent) {
    const auto it = creators().find(type);
    return it == creators().end() ? nullptr : it->second(frame, parent);
}

bool hasDictionaryWindow(int type) {
    return creators().count(type) != 0;
}

} // namespace verbalo
