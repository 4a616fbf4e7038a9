#pragma once

// The command handlers the command table names. Each gets the parsed command line and the
// connected data folder, and returns the exit status: 0 done, 1 an error, 2 a usage error.
namespace verbalo::cli {

struct CommandRun;

int runSql(CommandRun& run);
int runTables(CommandRun& run);
int runCheck(CommandRun& run);
int runNew(CommandRun& run);
int runDicts(CommandRun& run);
int runLookup(CommandRun& run);
int runDictionarize(CommandRun& run);
int runImportPairs(CommandRun& run);
int runImportList(CommandRun& run);
int runImportGallery(CommandRun& run);
int runImportRecipes(CommandRun& run);
int runExportList(CommandRun& run);
int runExportDelimited(CommandRun& run);
int runExportHtml(CommandRun& run);
int runInstall(CommandRun& run);
int runPrint(CommandRun& run);

} // namespace verbalo::cli
