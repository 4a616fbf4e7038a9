#pragma once

#include <QPointer>
#include <QString>

#include <functional>
#include <stdexcept>

namespace verbalo {

class SafeFileWriter;

namespace store {
class Table;
}

// A failed or refused export, with the text to show.
class ExportError : public std::exception {
public:
    explicit ExportError(QString message) : message_(std::move(message)), utf8_(message_.toStdString()) {}
    const QString& message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    QString message_;
    std::string utf8_;
};

// An entry of an exporter's column list: the dataset field it takes its values from, and
// whether it is written at all.
struct TExportField {
    QString dataField;
    bool save = true;
};

// Walks a dataset from its first row to past its last and hands each row to writeRecord();
// a specialisation turns rows into a file format. The dataset's current row is the same after
// the export as before it, and its bound controls do not follow the loop.
class TDataExport {
public:
    using Event = std::function<void(TDataExport& sender)>;

    virtual ~TDataExport() = default;

    // Not owned; forgotten when the table is destroyed.
    void setDataSet(store::Table* table) { dataSet_ = table; }
    store::Table* dataSet() const { return dataSet_; }

    Event onBeginExport;
    Event afterWriteRecord;
    Event onEndExport;

    // Writes the file whole, replacing the previous one, or leaves that one as it was and throws
    // ExportError. The refusals (no dataset, a closed one, an empty one) come before any write.
    void saveToFile(const QString& path);
    // The export onto an open writer; the caller commits it.
    void saveToStream(SafeFileWriter& out);

    bool running() const { return running_; }
    void stop() { running_ = false; }
    int writtenRows() const { return writtenRows_; }

protected:
    virtual void beginExport(SafeFileWriter& out);
    virtual void endExport();
    virtual void exportAllRows();
    virtual void writeRecord() = 0;
    // False when the format holds no more rows; the loop then ends early.
    virtual bool roomForRow() const { return true; }

private:
    void refuseUnusableDataSet() const;

    QPointer<store::Table> dataSet_;
    bool running_ = false;
    int writtenRows_ = 0;
};

} // namespace verbalo
