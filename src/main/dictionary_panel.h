#pragma once

#include "main/logic/catalogue_editing.h"

#include <QFrame>
#include <QList>

class QListWidget;
class QToolButton;

namespace verbalo {

// The frame's side panel: the existing dictionaries with their large icons, after two fixed
// rows for the download window and the more-programs window. Opening a row (double click, Enter
// or the "Megnyit" context item) hands its key to the frame: a dictionary id in decimal, or one of
// kProgramsKey and kDownloadKey.
class DictionaryPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kWidth = 121;
    static const QString kProgramsKey;
    static const QString kDownloadKey;

    // programFolder holds Ico/default48.ico, the picture of a dictionary without its own icon.
    DictionaryPanel(QString programFolder, QWidget* parent = nullptr);

    // Clears the list and fills it with the two fixed rows and the dictionaries, sorted by
    // caption (the fixed rows' leading blank puts them first).
    void rebuild(const QList<DictionaryListing>& dictionaries);

    QListWidget* list() const { return list_; }
    // Opens the selected row; with none selected shows "Nincs állomány kiválasztva.".
    void openSelected();

signals:
    void openRequested(const QString& key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString programFolder_;
    QListWidget* list_ = nullptr;
    QToolButton* closeButton_ = nullptr;
};

} // namespace verbalo
