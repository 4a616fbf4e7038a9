#include "internet/download_window.h"

#include "common/catalogue.h"
#include "common/messages.h"
#include "common/store/database.h"
#include "common/store/table.h"
#include "common/table_layouts.h"
#include "internet/link_label.h"
#include "internet/list_table_model.h"
#include "printing/print_commands.h"
#include "internet/logic/catalogue_transfer.h"
#include "internet/logic/list_values.h"
#include "widgets/default_icons.h"
#include "widgets/frame_services.h"
#include "widgets/window_commands.h"
#include "widgets/window_geometry.h"

#include <QAction>
#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace verbalo {
namespace {

constexpr int kPictureColumn = 0;
constexpr int kNameColumn = 1;
const QColor kInstalledText(128, 128, 128);
const QColor kInstalledSelectedText(192, 192, 192);
const QColor kInstalledBackground(233, 233, 233);

QList<ListColumn> downloadColumns() {
    const auto number = [](const QVariant& v) { return v.isNull() ? QString() : groupedNumber(v.toLongLong()); };
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    return {
        {QStringLiteral("kep"), QStringLiteral("*"), Qt::AlignCenter, [](const QVariant&) { return QString(); }, QString()},
        {QStringLiteral("szotarnev"),
         QStringLiteral("szótár neve"),
         Qt::AlignLeft | Qt::AlignVCenter,
         {},
         QStringLiteral("szotarnev")},
        {QStringLiteral("filenev"),
         QStringLiteral("internetcím"),
         Qt::AlignLeft | Qt::AlignVCenter,
         {},
         QStringLiteral("filenev")},
        {QStringLiteral("szavakszama"), QStringLiteral("szavak"), right, number, QStringLiteral("szavakszama")},
        {QStringLiteral("meret"), QStringLiteral("méret"), right, number, QStringLiteral("meret")},
    };
}

// Installed rows keep their grey text when selected (silver then); the picture column shows the
// row's bitmap with its bottom-left colour taken as transparent.
class DownloadListDelegate : public QStyledItemDelegate {
public:
    DownloadListDelegate(Tfrm_Internet& window, ListTableModel& model)
        : QStyledItemDelegate(&window), window_(window), model_(model) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        if (index.column() != kPictureColumn) {
            QStyleOptionViewItem own(option);
            if (selected && window_.isInstalled(index.row()))
                own.palette.setColor(QPalette::HighlightedText, kInstalledSelectedText);
            QStyledItemDelegate::paint(painter, own, index);
            return;
        }
        painter->fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        const QByteArray bytes = model_.fieldValue(index.row(), QStringLiteral("kep")).toByteArray();
        QImage picture;
        if (bytes.isEmpty() || !picture.loadFromData(bytes)) return;
        QPixmap pixmap = QPixmap::fromImage(picture);
        pixmap.setMask(pixmap.createMaskFromColor(picture.pixelColor(0, picture.height() - 1)));
        painter->drawPixmap(option.rect.left() + 5, option.rect.top(), pixmap);
    }

private:
    Tfrm_Internet& window_;
    ListTableModel& model_;
};

QLabel* valueLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

Tfrm_Internet::Tfrm_Internet(FrameServices& frame, QWidget* parent)
    : CatalogueListWindow(frame, dictionaryListArchive(), downloadColumns(), parent) {
    setObjectName(QStringLiteral("frm_Internet"));
    setWindowTitle(QStringLiteral("Szótárak letöltése Internetről"));
    setWindowIcon(QIcon(QPixmap::fromImage(paintDownloadIcon(16))));
    setTitle(QStringLiteral("Internetről letölthető szótárak"), QStringLiteral("/Ico/database48.ico"));

    commands_ = {
        makeWindowCommand(this, "aFrissit", QStringLiteral("Lista frissítés"), QStringLiteral("Lista frissítés"), Qt::Key_F5,
                          QStyle::SP_BrowserReload),
        makeWindowCommand(this, "aLetolt", QStringLiteral("Letölt"),
                          QStringLiteral("Letölt\nHa direkt letöltés pl. proxibeállítások miatt nem működik,\n"
                                         "használja a képernyő bal alsó sarkában látható linket."),
                          Qt::Key_Return, QStyle::SP_ArrowDown),
        makeWindowCommand(this, "aMasol", QStringLiteral("Link másolása"), QStringLiteral("Link másolása"),
                          QKeySequence(Qt::CTRL | Qt::Key_C), QStyle::SP_FileLinkIcon),
        makeWindowCommand(this, "aBezar", QStringLiteral("Bezár"), QStringLiteral("Bezár"), QKeySequence(Qt::CTRL | Qt::Key_F4),
                          QStyle::SP_DialogCloseButton),
    };
    command("aLetolt")->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    connect(command("aFrissit"), &QAction::triggered, this, &Tfrm_Internet::refresh);
    connect(command("aLetolt"), &QAction::triggered, this, &Tfrm_Internet::downloadCurrent);
    connect(command("aMasol"), &QAction::triggered, this, [this] {
        QGuiApplication::clipboard()->setText(model()->fieldValue(currentRow(), QStringLiteral("filenev")).toString());
    });
    connect(command("aBezar"), &QAction::triggered, this, [this] {
        if (parentWidget())
            parentWidget()->close();
        else
            close();
    });
    giveCommandsPriority(this, [this] { return commands_; });

    model()->cellColours = [this](int row, int column, int role) { return cellColours(row, column, role); };
    grid_->setItemDelegate(new DownloadListDelegate(*this, *model()));
    grid_->horizontalHeader()->setMinimumSectionSize(16);
    grid_->setColumnWidth(kPictureColumn, 22);
    grid_->horizontalHeader()->setSectionResizeMode(kPictureColumn, QHeaderView::Fixed);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addActions({command("aFrissit"), command("aLetolt")});
        menu.addSeparator();
        menu.addAction(command("aMasol"));
        menu.addSeparator();
        menu.addAction(command("aBezar"));
        menu.exec(grid_->viewport()->mapToGlobal(at));
    });
    connect(grid_, &QAbstractItemView::doubleClicked, this, &Tfrm_Internet::downloadCurrent);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(buildToolbar());
    layout->addWidget(grid_, 1);
    layout->addWidget(buildDetails());
    layout->addWidget(progress_);

    // The installed tables are known even when the list cannot be opened, so that a first
    // refresh already greys the right rows.
    rebuildInstalledTables();
    openList(QStringLiteral("szotarnev"));
    model()->setHighlightedColumn(kNameColumn);
    applyFontSize(this, frame_.settings().fontSize);
    resize(760, 520);
}

QAction* Tfrm_Internet::command(const char* name) const {
    for (QAction* a : commands_)
        if (a->objectName() == QLatin1String(name)) return a;
    return nullptr;
}

QWidget* Tfrm_Internet::buildToolbar() {
    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("ToolBar1"));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    toolbar->addActions(commands_);
    return toolbar;
}

QWidget* Tfrm_Internet::buildDetails() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    auto* grid = new QGridLayout(panel);
    addressLink_ = new LinkLabel("Label1", panel);
    connect(addressLink_, &LinkLabel::clicked, this, [this] { frame_.openAddress(addressLink_->text()); });
    grid->addWidget(addressLink_, 0, 0, 1, 2);
    nameValue_ = valueLabel("DBText1", panel);
    authorValue_ = valueLabel("DBText2", panel);
    wordsValue_ = valueLabel("DBText3", panel);
    sizeValue_ = valueLabel("DBText4", panel);
    const QList<QPair<QString, QLabel*>> rows = {{QStringLiteral("Szótár neve"), nameValue_},
                                                 {QStringLiteral("Szerző"), authorValue_},
                                                 {QStringLiteral("Szavak száma"), wordsValue_},
                                                 {QStringLiteral("Méret (byte)"), sizeValue_}};
    for (int i = 0; i < rows.size(); ++i) {
        grid->addWidget(new QLabel(rows[i].first, panel), i + 1, 0);
        grid->addWidget(rows[i].second, i + 1, 1);
    }
    auto* picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(QPixmap::fromImage(paintDownloadIcon(48)));
    grid->addWidget(picture, 0, 2, 5, 1, Qt::AlignRight | Qt::AlignVCenter);
    grid->setColumnStretch(1, 1);
    return panel;
}

void Tfrm_Internet::rebuildInstalledTables() {
    installedTables_ = frame_.database().tableNames();
    installedTables_.removeIf([](const QString& t) { return t.compare(kCatalogueTable, Qt::CaseInsensitive) == 0; });
}

bool Tfrm_Internet::isInstalled(int row) const {
    return isTablePresent(installedTables_, model()->fieldValue(row, QStringLiteral("tablanev")).toString());
}

QVariant Tfrm_Internet::cellColours(int row, int column, int role) const {
    if (!isInstalled(row)) return QVariant();
    if (role == Qt::ForegroundRole) return QBrush(kInstalledText);
    if (column != model()->highlightedColumn() && column != kPictureColumn) return QBrush(kInstalledBackground);
    return QVariant();
}

void Tfrm_Internet::currentRowChanged() {
    const int row = currentRow();
    const auto text = [this, row](const char* field) { return model()->fieldValue(row, QLatin1String(field)).toString(); };
    const auto number = [this, row](const char* field) {
        const QVariant v = model()->fieldValue(row, QLatin1String(field));
        return v.isNull() ? QString() : groupedNumber(v.toLongLong());
    };
    addressLink_->setText(text("filenev"));
    nameValue_->setText(text("szotarnev"));
    authorValue_->setText(text("szerzo"));
    wordsValue_->setText(number("szavakszama"));
    sizeValue_->setText(number("meret"));
}

void Tfrm_Internet::downloadCurrent() {
    const int row = currentRow();
    if (!table() || row < 0) return;
    const QString address = model()->fieldValue(row, QStringLiteral("filenev")).toString();
    const QString listTable = model()->fieldValue(row, QStringLiteral("tablanev")).toString();
    const qint64 size = model()->fieldValue(row, QStringLiteral("meret")).toLongLong();
    TransferOptions options;
    options.beforeReplace = [this](const QStringList& tables) { return frame_.closeTableWindows(tables); };
    CatalogueTransfer transfer(frame_.database(), frame_.folders().settingsFolder, options,
                               {[this](int lo, int hi) { showProgress(lo, hi); }, [this](qint64 at) { setProgress(at); }});
    if (!reportOutcome(transfer.installPackage(address, listTable, size), false)) return;
    frame_.catalogueChanged();
    rebuildInstalledTables();
    model()->reload();
    grid_->selectRow(row);
    showInfo(QStringLiteral("Szótár telepítése kész."), this);
    progress_->hide();
}

void Tfrm_Internet::resizeEvent(QResizeEvent* event) {
    CatalogueListWindow::resizeEvent(event);
    const double free = grid_->width() - 60;
    const double shares[] = {0.32, 0.44, 0.12, 0.12};
    for (int c = 1; c <= 4; ++c) grid_->setColumnWidth(c, int(std::lround(free * shares[c - 1])));
}

void Tfrm_Internet::printList() {
    if (store::Table* list = table()) printDownloadList(frame_, *list, this);
}

} // namespace verbalo
