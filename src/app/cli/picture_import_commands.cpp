// import-gallery and import-recipes: the picture-bearing dictionaries filled from text files.
#include "app/cli/commands.h"
#include "app/cli/import_steps.h"

#include "common/table_layouts.h"
#include "common/text_routines.h"
#include "exchange/logic/gallery_import.h"
#include "exchange/logic/recipe_import.h"

#include <QFileInfo>

namespace verbalo::cli {

namespace {

// Relative picture paths are looked for beside the file that names them first.
QString folderOfFile(const CommandRun& run) {
    return QFileInfo(run.arguments.first()).absolutePath();
}

} // namespace

int runImportGallery(CommandRun& run) {
    const QString folder = folderOfFile(run);
    return importFileLines(
        run, ImageGallery, false, [&folder](store::Table& table) { return GalleryImporter(table, folder); },
        [](GalleryImporter& importer, QStringView line) { return importer.addLine(line); });
}

int runImportRecipes(CommandRun& run) {
    const QString folder = folderOfFile(run);
    return importFile(
        run, RecipeBook, [&folder](store::Table& table) { return RecipeImporter(table, folder); },
        [](RecipeImporter& importer, const QString& text) {
            const QList<QStringView> lines = lineViews(text);
            for (int i = 0; i < lines.size() && importer.addLine(lines, i); ++i) {}
        });
}

} // namespace verbalo::cli
