#include "quickfinder/logic/quick_finder_session.h"

#include "common/table_layouts.h"

namespace verbalo {

QuickFinderSession::QuickFinderSession(Folders folders)
    : folders_(std::move(folders)), ini_(folders_.configFile), settings_(loadQuickFinderSettings(ini_, folders_)), lookup_(db_) {
    lookup_.setSearchColumn(settings_.orderColumn);
}

void QuickFinderSession::connect() {
    db_.connect(QStringLiteral("szotar"), settings_.dataFolder);
    refreshExistence(db_);
}

QuickFinderSession::OpenResult QuickFinderSession::openDictionary(int id) {
    TSzotarak info;
    if (!readDictionaryInfo(db_, id, info, folders_.programFolder)) {
        // A remembered id the catalogue no longer holds (the default on a first start among
        // them) falls back on the catalogue's first row when that is a word-pair dictionary;
        // the id is kept, so the remembered dictionary opens again once it is back.
        if (!readFirstDictionaryInfo(db_, info, folders_.programFolder) || info.tipus != Bilingual) return OpenResult::Missing;
        settings_.lastDict = id;
    } else if (info.tipus != Bilingual) {
        return OpenResult::NotBilingual;
    } else {
        settings_.lastDict = id;
    }
    dictionary_ = info;
    hasDictionary_ = true;
    lookup_.setTable(dictionary_.tablanev);
    setSearchColumn(settings_.orderColumn);
    return OpenResult::Opened;
}

void QuickFinderSession::setSearchColumn(const QString& column) {
    settings_.orderColumn = column;
    lookup_.setSearchColumn(column);
}

QString QuickFinderSession::searchCommandCaption(const QString& column) const {
    if (!hasDictionary_) return QStringLiteral("Keresés %1 szerint").arg(column);
    const QString language = column == kSecondLanguageColumn ? dictionary_.nyelv2 : dictionary_.nyelv1;
    return language + QStringLiteral(" szerint");
}

void QuickFinderSession::close(const WindowBounds& bounds) {
    db_.disconnect();
    settings_.left = bounds.left;
    settings_.top = bounds.top;
    settings_.width = bounds.width;
    settings_.height = bounds.height;
    saveQuickFinderSettings(ini_, settings_, &saveError_);
}

} // namespace verbalo
