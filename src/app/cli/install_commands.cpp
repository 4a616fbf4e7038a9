// install: a dictionary package from the web, as the download window installs it.
#include "app/cli/command_run.h"
#include "app/cli/commands.h"

#include "internet/logic/catalogue_transfer.h"

#include <QFileInfo>
#include <QTemporaryDir>

namespace verbalo::cli {

int runInstall(CommandRun& run) {
    const QString address = run.arguments.value(0);
    const QString table = run.isSet("table") ? run.value("table") : QFileInfo(localArchiveName(address)).completeBaseName();
    if (table.isEmpty()) return run.usageError(QStringLiteral("a címből nem derül ki a tábla neve: adja meg --table-lel"));
    // The archive has no settings folder to wait in here; it goes when the command ends.
    QTemporaryDir scratch;
    if (!scratch.isValid()) return run.fail(QStringLiteral("File létrehozási hiba: %1").arg(scratch.errorString()));
    const TransferOutcome outcome = CatalogueTransfer(run.db, scratch.path()).installPackage(address, table, 0);
    if (!outcome.ok())
        return run.fail(QStringLiteral("%1 (%2)").arg(outcome.message().replace(QStringLiteral("\r\n"), QStringLiteral(" ")),
                                                      outcome.detail));
    run.out << QStringLiteral("Szótár telepítése kész.") << '\n';
    return 0;
}

} // namespace verbalo::cli
