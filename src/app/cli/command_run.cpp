#include "app/cli/command_run.h"

#include "app/cli/command_table.h"
#include "app/cli/help_texts.h"
#include "common/catalogue.h"
#include "common/table_layouts.h"

namespace verbalo::cli {

int CommandRun::fail(const QString& message) const {
    err << "error: " << message << '\n';
    return 1;
}

int CommandRun::usageError(const QString& reason) const {
    if (!reason.isEmpty()) err << "error: " << reason << '\n';
    err << usageLine(command) << '\n' << "(verbalo-cli " << command.name << " --help tells more)\n";
    return 2;
}

bool CommandRun::findDictionary(int type, TSzotarak& info) const {
    const QString dict = value("dict");
    const int id = findDictionaryId(db, dict);
    if (id == 0 || !readDictionaryInfo(db, id, info, QString())) {
        fail(QStringLiteral("no dictionary %1").arg(dict));
        return false;
    }
    if (info.tipus != type) {
        const QString kind = type == Bilingual      ? QStringLiteral("bilingual dictionary")
                             : type == HeadwordList ? QStringLiteral("headword list")
                             : type == ImageGallery ? QStringLiteral("image gallery")
                                                    : QStringLiteral("recipe book");
        fail(QStringLiteral("%1 is not a %2").arg(info.szotarak_nev, kind));
        return false;
    }
    return true;
}

} // namespace verbalo::cli
