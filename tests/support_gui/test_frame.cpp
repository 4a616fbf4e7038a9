#include "test_frame.h"

namespace verbalo::test {

TestFrame::TestFrame() : ini_(data_.folders().configFile), sinkGuard_(&messages) {
    settings_ = loadSettings(ini_, data_.folders());
}

void TestFrame::showDictionaryStatus(const QString& name, const QString& position, const QPixmap& largeIcon,
                                     const QString& orderLanguage) {
    statuses.append(Status{name, position, orderLanguage, !largeIcon.isNull()});
}

int TestFrame::addDictionary(int type, const QString& name, const QString& table, const QString& language1,
                             const QString& language2) {
    DictionaryRow row;
    row.language1 = language1;
    row.language2 = language2;
    return data_.addDictionary(type, name, table, row);
}

} // namespace verbalo::test
