// The properties window: a new dictionary's row and table made together or not at all, edits of
// an existing row, icons, the table name made from the name, and the dialog habits.
#include "common/catalogue.h"
#include "common/store/database.h"
#include "common/store/query.h"
#include "common/store/schema.h"
#include "common/store/sqlite_handle.h"
#include "common/store/table.h"
#include "main/properties_window.h"
#include "support_gui/test_frame.h"
#include "widgets/editing_dialog.h"
#include "widgets/icons.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace verbalo;

namespace {

QLineEdit* edit(QWidget* w, const char* name) {
    return w->findChild<QLineEdit*>(QString::fromLatin1(name));
}

QStringList catalogueRows(test::TestFrame& frame) {
    store::Query q(frame.database());
    q.setSql(QStringLiteral("SELECT szotarak_nev, tablanev, tipus FROM szotarak ORDER BY szotarak"));
    QStringList rows;
    for (store::ResultSet rs = q.open(); !rs.eof(); rs.next())
        rows << rs.text(QStringLiteral("szotarak_nev")) + QLatin1Char('|') + rs.text(QStringLiteral("tablanev")) +
                    QLatin1Char('|') + rs.value(QStringLiteral("tipus")).toString();
    return rows;
}

QStringList dataFiles(test::TestFrame& frame) {
    return QDir(frame.folders().dataFolder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class PropertiesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TestFrame> frame_;
    PickerContext context() {
        return PickerContext{frame_->database(), frame_->ini(), frame_->folders(), 10, PickerMode::MainProgram, nullptr};
    }

private slots:
    void init() { frame_ = std::make_unique<test::TestFrame>(); }
    void cleanup() { frame_.reset(); }

    void newBilingualDictionaryWithDefaultLengths() {
        const PickerContext ctx = context();
        Tfrm_Tulajdonsag w(ctx, -1);
        QVERIFY(w.load());
        QCOMPARE(w.windowTitle(), QStringLiteral("Tulajdonságok"));
        QCOMPARE(edit(&w, "Edit1")->text(), QStringLiteral("50"));
        QCOMPARE(edit(&w, "Edit2")->text(), QStringLiteral("50"));
        edit(&w, "DBEdit1")->setText(QStringLiteral("Magyar–olasz"));
        edit(&w, "DBEdit2")->setText(QStringLiteral("3"));
        edit(&w, "DBEdit3")->setText(QStringLiteral("magyar"));
        edit(&w, "DBEdit4")->setText(QStringLiteral("olasz"));
        edit(&w, "DBEdit5")->setText(QStringLiteral("olasz"));
        w.findChild<QPlainTextEdit*>(QStringLiteral("DBMemo1"))->setPlainText(QStringLiteral("Első sor\nmásodik sor"));
        w.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(frame_->messages.messages().isEmpty());

        store::Connection conn = frame_->database().openTableFile(QStringLiteral("olasz"));
        const store::TableSchema schema = store::readSchema(conn);
        QCOMPARE(int(schema.fields.size()), 2);
        QCOMPARE(schema.fields[0].name, QStringLiteral("nyelv1"));
        QCOMPARE(schema.fields[0].width, 50);
        QCOMPARE(schema.fields[1].width, 50);
        QVERIFY(schema.primaryKey());
        QCOMPARE(schema.primaryKey()->columns, (QStringList{QStringLiteral("nyelv1"), QStringLiteral("nyelv2")}));
        QCOMPARE(int(schema.indexes.size()), 1);

        TSzotarak info;
        QVERIFY(readDictionaryInfo(frame_->database(), w.savedId(), info, frame_->folders().programFolder));
        QCOMPARE(info.szotarak_nev, QStringLiteral("Magyar–olasz"));
        QCOMPARE(info.tipus, 1);
        QCOMPARE(info.verzio, 3);
        QCOMPARE(info.sorrend, QStringLiteral("nyelv1"));
        QCOMPARE(info.nyelv1szeles, 0.5);
        QCOMPARE(info.megjegyzes, QStringLiteral("Első sor\nmásodik sor"));
        // No icon chosen: the built-in defaults are stored.
        QVERIFY(!pixmapFromIconBytes(info.ikon_nagy, 48).isNull());
        QCOMPARE(pixmapFromIconBytes(info.nyelv1ikon, 16).size(), QSize(16, 16));
        QVERIFY(!info.nyelv2ikon.isEmpty());
        // Its existence flag is set at once, so that lists show it.
        store::Query q(frame_->database());
        q.setSql(QStringLiteral("SELECT letezik FROM szotarak"));
        QCOMPARE(q.open().value(0).toString(), QStringLiteral("I"));
    }

    void otherTypesGetTheirLayouts_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("columns");
        QTest::newRow("headword list") << 2 << QStringList{QStringLiteral("nyelv1"), QStringLiteral("megjegyzes")};
        QTest::newRow("image gallery") << 3
                                       << QStringList{QStringLiteral("nyelv1"), QStringLiteral("kep"), QStringLiteral("filekit")};
        QTest::newRow("recipe book") << 5 << QStringList{QStringLiteral("recept"),     QStringLiteral("nyelv1"),
                                                         QStringLiteral("nyelv2"),     QStringLiteral("nehezseg"),
                                                         QStringLiteral("perc"),       QStringLiteral("hozzavalo"),
                                                         QStringLiteral("elkeszites"), QStringLiteral("kep"),
                                                         QStringLiteral("filekit")};
    }
    void otherTypesGetTheirLayouts() {
        QFETCH(int, type);
        QFETCH(QStringList, columns);
        const PickerContext ctx = context();
        Tfrm_Tulajdonsag w(ctx, -1);
        QVERIFY(w.load());
        w.findChild<QAbstractButton*>(QStringLiteral("DBRadioGroup1_%1").arg(type))->click();
        edit(&w, "DBEdit1")->setText(QStringLiteral("Gyűjtemény"));
        edit(&w, "DBEdit5")->setText(QStringLiteral("gyujtemeny"));
        w.accept();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        store::Connection conn = frame_->database().openTableFile(QStringLiteral("gyujtemeny"));
        QStringList names;
        for (const store::FieldDef& field : store::readSchema(conn).fields) names << field.name;
        QCOMPARE(names, columns);
        QCOMPARE(catalogueRows(*frame_), QStringList{QStringLiteral("Gyűjtemény|gyujtemeny|%1").arg(type)});
    }

    void failedCreationKeepsTheWindowOpenAndLeavesNothing_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("length");
        QTest::newRow("blank in the name") << "rossz nev"
                                           << "50";
        QTest::newRow("hyphen") << "rossz-nev"
                                << "50";
        QTest::newRow("empty name") << ""
                                    << "50";
        // A length out of 5..255 is refused before anything is made: see widthOutOfRangeIsRefused.
        QTest::newRow("existing table") << "szotarak"
                                        << "50";
        QTest::newRow("second statement") << "x (a INT); DROP TABLE szotarak; --"
                                          << "50";
        QTest::newRow("quote") << "o'brien"
                               << "50";
        QTest::newRow("path") << "\"../kint\""
                              << "50";
    }
    void failedCreationKeepsTheWindowOpenAndLeavesNothing() {
        QFETCH(QString, table);
        QFETCH(QString, length);
        const QStringList filesBefore = dataFiles(*frame_);
        const PickerContext ctx = context();
        Tfrm_Tulajdonsag w(ctx, -1);
        QVERIFY(w.load());
        w.show();
        edit(&w, "DBEdit1")->setText(QStringLiteral("Próba"));
        edit(&w, "DBEdit5")->setText(table);
        edit(&w, "Edit1")->setText(length);
        w.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        QVERIFY(w.isVisible());
        QCOMPARE(w.savedId(), -1);
        QCOMPARE(frame_->messages.messages().size(), 1);
        QVERIFY2(frame_->messages.texts().first().startsWith(QStringLiteral("Tábla létrehozása sikertelen: ")),
                 qPrintable(frame_->messages.texts().first()));
        QVERIFY(frame_->messages.texts().first().size() > QStringLiteral("Tábla létrehozása sikertelen: ").size());
        QCOMPARE(frame_->messages.messages().first().caption, QStringLiteral("Hiba"));
        QVERIFY(catalogueRows(*frame_).isEmpty());
        QCOMPARE(dataFiles(*frame_), filesBefore);
        QVERIFY(!QFile::exists(frame_->folders().dataFolder + QStringLiteral("/../kint.DB")));

        // Corrected, the next OK makes only the corrected table.
        frame_->messages.clear();
        edit(&w, "DBEdit5")->setText(QStringLiteral("javitott"));
        edit(&w, "Edit1")->setText(QStringLiteral("40"));
        w.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        QVERIFY(frame_->messages.messages().isEmpty());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(catalogueRows(*frame_), QStringList{QStringLiteral("Próba|javitott|1")});
        QCOMPARE(dataFiles(*frame_).size(), filesBefore.size() + 1);
    }

    void cancelMakesNothing() {
        const PickerContext ctx = context();
        QTimer::singleShot(0, [] {
            auto* w = qobject_cast<Tfrm_Tulajdonsag*>(QApplication::activeModalWidget());
            QVERIFY(w);
            edit(w, "DBEdit1")->setText(QStringLiteral("Elvetett"));
            edit(w, "DBEdit5")->setText(QStringLiteral("elvetett"));
            QTest::keyClick(w, Qt::Key_Escape);
        });
        QCOMPARE(editDictionaryProperties(ctx, -1), -1);
        QVERIFY(catalogueRows(*frame_).isEmpty());
        QVERIFY(!frame_->database().tableExists(QStringLiteral("elvetett")));
        QCOMPARE(frame_->ini().readInteger(QStringLiteral("frm_Tulajdonsag"), QStringLiteral("Left"), -999) != -999, true);
    }

    void editingChangesTheRowNeverTheTable() {
        const int id = frame_->addDictionary(1, QStringLiteral("Régi név"), QStringLiteral("regi"));
        runStatement(frame_->database(), QStringLiteral("INSERT INTO regi (nyelv1, nyelv2) VALUES ('alma', 'apple');"));
        const PickerContext ctx = context();
        QTimer::singleShot(0, [] {
            auto* w = qobject_cast<Tfrm_Tulajdonsag*>(QApplication::activeModalWidget());
            QVERIFY(w);
            QVERIFY(!w->isNew());
            QCOMPARE(edit(w, "DBEdit1")->text(), QStringLiteral("Régi név"));
            QCOMPARE(edit(w, "DBEdit3")->text(), QStringLiteral("magyar"));
            QVERIFY(!w->findChild<QGroupBox*>(QStringLiteral("DBRadioGroup1"))->isEnabled());
            QVERIFY(!edit(w, "Edit1")->isEnabled());
            QVERIFY(!edit(w, "Edit2")->isEnabled());
            QVERIFY(!w->findChild<QAbstractButton*>(QStringLiteral("BitBtn1"))->isEnabled());
            edit(w, "DBEdit1")->setText(QStringLiteral("Új név, 'idézettel'"));
            edit(w, "DBEdit9")->setText(QStringLiteral("Szerző Szilvia"));
            w->accept();
        });
        QCOMPARE(editDictionaryProperties(ctx, id), id);
        TSzotarak info;
        QVERIFY(readDictionaryInfo(frame_->database(), id, info, frame_->folders().programFolder));
        QCOMPARE(info.szotarak_nev, QStringLiteral("Új név, 'idézettel'"));
        QCOMPARE(info.szerzo, QStringLiteral("Szerző Szilvia"));
        QCOMPARE(info.tablanev, QStringLiteral("regi"));
        // A row without icons gets the built-in ones when saved.
        QVERIFY(!info.ikon_nagy.isEmpty());
        store::Query q(frame_->database());
        q.setSql(QStringLiteral("SELECT count(*) FROM regi"));
        QCOMPARE(q.open().value(0).toInt(), 1);
    }

    void anIdNoLongerInTheCatalogueIsRefused() {
        frame_->addDictionary(1, QStringLiteral("Első"), QStringLiteral("elso"));
        const PickerContext ctx = context();
        QCOMPARE(editDictionaryProperties(ctx, 4711), -1);
        QCOMPARE(catalogueRows(*frame_), QStringList{QStringLiteral("Első|elso|1")});
    }

    void tableNameMadeFromTheName() {
        const PickerContext ctx = context();
        Tfrm_Tulajdonsag w(ctx, -1);
        QVERIFY(w.load());
        w.show();
        edit(&w, "DBEdit1")->setText(QStringLiteral("Német Őszi Szótár"));
        w.findChild<QAbstractButton*>(QStringLiteral("BitBtn1"))->click();
        // A name the store takes: accents dropped, blanks as "_".
        QCOMPARE(edit(&w, "DBEdit5")->text(), QStringLiteral("nemet_oszi_szotar"));
    }

    void chosenIconFilesAreStoredWhole() {
        const QString small = frame_->folders().programFolder + QStringLiteral("/sajat16.ico");
        const QString large = frame_->folders().programFolder + QStringLiteral("/sajat48.png");
        QPixmap(16, 16).save(small, "ICO");
        QImage(48, 48, QImage::Format_ARGB32).save(large, "PNG");
        QFile empty(frame_->folders().programFolder + QStringLiteral("/ures.ico"));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        const auto bytes = [](const QString& path) {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };

        const PickerContext ctx = context();
        Tfrm_Tulajdonsag w(ctx, -1);
        QVERIFY(w.load());
        QVERIFY(w.takeIconFile(Tfrm_Tulajdonsag::IconSlot::Language2, small));
        QVERIFY(w.takeIconFile(Tfrm_Tulajdonsag::IconSlot::Large, large));
        QVERIFY(!w.takeIconFile(Tfrm_Tulajdonsag::IconSlot::Language1, empty.fileName()));
        QVERIFY(!w.findChild<QLabel*>(QStringLiteral("Image4"))->pixmap().isNull());
        edit(&w, "DBEdit1")->setText(QStringLiteral("Ikonos"));
        edit(&w, "DBEdit5")->setText(QStringLiteral("ikonos"));
        w.accept();
        TSzotarak info;
        QVERIFY(readDictionaryInfo(frame_->database(), w.savedId(), info, frame_->folders().programFolder));
        QCOMPARE(info.nyelv2ikon, bytes(small));
        QCOMPARE(info.ikon_nagy, bytes(large));
        QVERIFY(!info.nyelv1ikon.isEmpty()); // the empty file changed nothing: the default stays
    }

    void enterMovesToTheNextControlAndTheFocusIsPainted() {
        const PickerContext ctx = context();
        Tfrm_Tulajdonsag w(ctx, -1);
        QVERIFY(w.load());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QApplication::setActiveWindow(&w);
        edit(&w, "DBEdit1")->setFocus();
        QCOMPARE(edit(&w, "DBEdit1")->palette().color(QPalette::Base), kFocusColor);
        QTest::keyClick(edit(&w, "DBEdit1"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), edit(&w, "DBEdit2"));
        QVERIFY(w.isVisible());
        QVERIFY(edit(&w, "DBEdit1")->palette().color(QPalette::Base) != kFocusColor);
        QCOMPARE(w.font().pointSize(), 10);
    }
};

QTEST_MAIN(PropertiesTest)
#include "test_gui_picker_properties.moc"
