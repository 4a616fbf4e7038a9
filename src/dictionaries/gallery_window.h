#pragma once

#include "dictionaries/list_commands.h"
#include "widgets/dictionary_window.h"

#include <memory>

class QLabel;
class QLineEdit;
class QSplitter;
class QTableView;

namespace verbalo {

class GalleryCaptionsModel;
class PicturePanel;

// The window of an image gallery: the captions in alphabetical order (DBGrid1 on Panel1), the
// picture of the current one fitted into Panel2, an incremental search on the caption (Edit1),
// and adding, replacing, deleting and saving pictures.
class Tfrm_Szotar3 : public DictionaryWindow {
    Q_OBJECT
public:
    Tfrm_Szotar3(FrameServices& frame, QWidget* parent = nullptr);
    ~Tfrm_Szotar3() override;

    bool openDictionary(int id) override;
    store::Table* table() override;
    void reportActive() override;
    // Print and export are offered so that the frame can say this kind of dictionary has none.
    bool offers(Command command) const override { return command != Command::PrintDictionaryFormat; }
    void importData() override;
    void saveLayoutForDataSheet() override { savePanelRatio(); }
    void reloadDictionaryInfo() override;
    bool queryClose() override;

    // A new entry, or the current one replaced, with the caption and the picture file given
    // (what "Új sor" and "Szerkeszt" do after their dialogs). False, with the message shown and
    // the table as it was, when the picture cannot be read or the table refuses the entry.
    bool storeEntry(const QString& caption, const QString& picturePath, bool replacing);
    // "Mentés" into the given file: the current picture's bytes; false after the message when
    // the file cannot be written. An entry without a picture writes nothing.
    bool savePictureTo(const QString& path);
    // The file name "Mentés" proposes: the caption and ".jpg".
    QString proposedPictureName();
    void showPicture();
    void savePanelRatio();

    struct Actions : ListCommands {
        explicit Actions(QWidget* window);
        QAction* aMentes = nullptr;
    };
    const Actions& actions() const { return actions_; }
    PicturePanel* picturePanel() const { return picturePanel_; }

protected:
    QList<QAction*> windowCommands() const override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPopupMenu();
    void connectActions();
    void followCurrentRecord();
    void gridRowChosen(const QModelIndex& current);
    void applyColumnWidth();
    void addOrReplace(bool replacing);
    void savePicture();

    std::unique_ptr<store::Table> tbl_;
    Actions actions_;
    QLineEdit* searchBox_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QWidget* listPanel_ = nullptr;
    QTableView* captionGrid_ = nullptr;
    PicturePanel* picturePanel_ = nullptr;
    GalleryCaptionsModel* model_ = nullptr;
    bool following_ = false;
    bool closed_ = false;
};

} // namespace verbalo
