#include "quickfinder/logic/quick_finder_session.h"

#include "common/table_layouts.h"

namespace verbalo {

QuickFinderSession::QuickFinderSession(Folders folders)
    : folders_(std::move(folders)), ini_(folders_.configFile), settings_(loadQuickFinderSettings(ini_, folders_)),
      lookup_(db_)
{
    lookup_.setSearchColumn(settings_.orderColumn);
}

void QuickFinderSession::connect()
{
    db_.connect(QStringLiteral("szotar"), settings_.dataFolder);
    refreshExistence(db_);
}

QuickFinderSession::OpenResult QuickFinderSession::openDictionary(int id)
{
    TSzotarak info;
    const bool found = readDictionaryInfo(db_, id, info, folders_.programFolder);
    if (!found || info.tipus != Bilingual) return OpenResult::NotBilingual;
    dictionary_ = info;
    hasDictionary_ = true;
    settings_.lastDict = id;
    lookup_.setTable(dictionary_.tablanev);
    setSearchColumn(settings_.orderColumn);
    return OpenResult::Opened;
}

void QuickFinderSession::setSearchColumn(const QString &column)
{
    settings_.orderColumn = column;
    lookup_.setSearchColumn(column);
}

QString QuickFinderSession::searchCommandCaption(const QString &column) const
{
    if (!hasDictionary_) return QStringLiteral("Keresés %1 szerint").arg(column);
    const QString language = column == QLatin1String("nyelv2") ? dictionary_.nyelv2 : dictionary_.nyelv1;
    return language + QStringLiteral(" szerint");
}

void QuickFinderSession::close(const WindowBounds &bounds)
{
    db_.disconnect();
    settings_.left = bounds.left;
    settings_.top = bounds.top;
    settings_.width = bounds.width;
    settings_.height = bounds.height;
    saveQuickFinderSettings(ini_, settings_);
}

} // namespace verbalo
