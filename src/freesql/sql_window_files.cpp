// Tfrm_SQL: SQL files opened and saved in the SQL folder, and the export of the open result.
#include "freesql/sql_window.h"

#include "common/messages.h"
#include "common/store/database.h"
#include "common/store/table.h"
#include "common/text_file.h"
#include "exchange/delimited_export_window.h"
#include "freesql/logic/query_result_model.h"
#include "freesql/logic/result_copy.h"
#include "freesql/logic/sql_folder.h"
#include "freesql/sql_editor.h"
#include "widgets/frame_services.h"

#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace verbalo {

namespace {

// The dialogs start in the SQL folder, made when missing; a folder that cannot be made is
// said, and the dialog starts where the system puts it.
QString dialogFolder(FrameServices& frame, QWidget* owner) {
    QString error;
    if (!ensureSqlFolder(frame.folders(), &error)) {
        showError(error, owner);
        return QString();
    }
    return sqlFolder(frame.folders());
}

QString chooseSqlFile(QWidget* owner, QFileDialog::AcceptMode mode, const QString& title, const QString& filter,
                      const QString& folder, const QString& suggested) {
    QFileDialog dialog(owner, title, folder, filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("sql"));
    // A save replaces an existing file without a question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!suggested.isEmpty()) dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
}

} // namespace

void Tfrm_SQL::chooseFileToOpen() {
    const QString path = chooseSqlFile(this, QFileDialog::AcceptOpen, QStringLiteral("SQL megnyitás"),
                                       QStringLiteral("SQL állományok (*.sql)"), dialogFolder(frame_, this), QString());
    if (!path.isEmpty()) openFile(path);
}

void Tfrm_SQL::chooseFileToSave() {
    const QString path = chooseSqlFile(this, QFileDialog::AcceptSave, QStringLiteral("SQL mentése"),
                                       QStringLiteral("SQL file-ok (*.sql)"), dialogFolder(frame_, this), fileName_);
    if (!path.isEmpty()) saveFile(path);
}

bool Tfrm_SQL::openFile(const QString& path) {
    const TextReadResult read = readTextFile(path);
    if (!read.ok) {
        showError(read.error, this);
        return false;
    }
    editor_->setText(read.lines.join(QStringLiteral("\r\n")));
    fileName_ = path;
    return true;
}

bool Tfrm_SQL::saveFile(const QString& path) {
    QStringList lines = editor_->text().split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    // Every line is written with its line end: a text ending in one has no further line.
    if (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast();
    const TextWriteResult written = writeTextFile(path, lines);
    if (!written.ok) {
        showError(written.error, this);
        return false;
    }
    fileName_ = path;
    return true;
}

void Tfrm_SQL::exportResult() {
    if (!model_->isOpen()) return;
    // The export window works on a table: the query's rows are copied into one in a scratch
    // folder of its own, which goes when the export window closes.
    const QString temp = frame_.folders().tempFolder();
    QDir().mkpath(temp);
    QTemporaryDir scratchDir(temp + QStringLiteral("/sql-XXXXXX"));
    if (!scratchDir.isValid()) {
        showError(QStringLiteral("Az export munkamappája nem hozható létre: %1").arg(QDir::toNativeSeparators(temp)), this);
        return;
    }
    store::Database scratch;
    scratch.connect(QStringLiteral("eredmeny"), scratchDir.path());
    const QString table = QStringLiteral("eredmeny");
    try {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        copyQueryToTable(frame_.database(), resultSql_, scratch, table);
        QGuiApplication::restoreOverrideCursor();
    } catch (const store::StoreError& e) {
        QGuiApplication::restoreOverrideCursor();
        showError(QStringLiteral("SQL hiba:\r\n") + e.message(), this);
        return;
    }
    store::Table rows(scratch);
    try {
        rows.setTableName(table);
        rows.open();
    } catch (const store::StoreError& e) {
        showError(QStringLiteral("SQL hiba:\r\n") + e.message(), this);
        return;
    }
    openDelimitedExport(frame_, rows, {}, this);
    rows.close();
    scratch.disconnect();
}

} // namespace verbalo
