#include "internet/programs_window.h"

#include "common/store/store_error.h"
#include "common/store/table.h"
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
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QTableView>
#include <QTextEdit>
#include <QVBoxLayout>

namespace verbalo {
namespace {

constexpr int kNameColumn = 0;
constexpr int kFreeColumn = 3;
constexpr int kFreeColumnWidth = 77;
const QColor kFreeProgramBackground(217, 255, 236);

QList<ListColumn> programColumns() {
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    return {
        {QStringLiteral("programok_nev"), QStringLiteral("program neve"), left, {}, QStringLiteral("programok_nev")},
        // The short description is computed: no field orders it.
        {QStringLiteral("leiras"), QStringLiteral("leírás"), left,
         [](const QVariant& v) { return shortDescription(v.toString()); }, QString()},
        {QStringLiteral("kategoria"), QStringLiteral("kategória"), left, {}, QStringLiteral("kategoria")},
        {QStringLiteral("ingyenes"), QStringLiteral("ingyenes?"), left,
         [](const QVariant& v) { return freeProgramText(v.toString()); }, QStringLiteral("ingyenes")},
    };
}

// Typing one of these in the list starts a search with it.
bool startsSearch(const QString& typed) {
    if (typed.size() != 1) return false;
    const QChar c = typed[0].toLower();
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || QStringLiteral("áéíóöőúüű").contains(c);
}

QPixmap placeholderPicture() {
    return QPixmap::fromImage(paintProgramsIcon(96));
}

} // namespace

Tfrm_Programok::Tfrm_Programok(FrameServices& frame, QWidget* parent)
    : CatalogueListWindow(frame, programListArchive(), programColumns(), parent) {
    setObjectName(QStringLiteral("frm_Programok"));
    setWindowTitle(QStringLiteral("További programok"));
    setWindowIcon(QIcon(QPixmap::fromImage(paintProgramsIcon(16))));
    setTitle(QStringLiteral("További letölthető programok"), QStringLiteral("/Ico/szotarikon48.ico"));

    commands_ = {
        makeWindowCommand(this, "aMegnezem", QStringLiteral("Megnézem..."), QStringLiteral("Megnézem..."), Qt::Key_Return),
        makeWindowCommand(this, "aLetolt", QStringLiteral("Letöltöm..."), QStringLiteral("Letöltöm..."), Qt::Key_F4),
        makeWindowCommand(this, "aFrissit", QStringLiteral("Lista frissítés"), QStringLiteral("Lista frissítés"), Qt::Key_F5),
        makeWindowCommand(this, "aBezar", QStringLiteral("Bezár"), QStringLiteral("Bezár"), Qt::Key_Escape),
    };
    command("aMegnezem")->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    connect(command("aMegnezem"), &QAction::triggered, this, [this] { openField("link"); });
    connect(command("aLetolt"), &QAction::triggered, this, [this] { openField("letoltlink"); });
    connect(command("aFrissit"), &QAction::triggered, this, &Tfrm_Programok::refresh);
    connect(command("aBezar"), &QAction::triggered, this, [this] {
        if (parentWidget())
            parentWidget()->close();
        else
            close();
    });
    giveCommandsPriority(this, [this] { return commands_; });

    model()->cellColours = [this](int row, int column, int role) { return cellColours(row, column, role); };
    grid_->setColumnWidth(kFreeColumn, kFreeColumnWidth);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu menu(this);
        menu.addActions({command("aMegnezem"), command("aLetolt")});
        menu.addSeparator();
        menu.addAction(command("aBezar"));
        menu.exec(grid_->viewport()->mapToGlobal(at));
    });
    connect(grid_, &QAbstractItemView::doubleClicked, this, [this] { openField("link"); });
    // The focus goes to the search box first, whatever the title does.
    connect(grid_->horizontalHeader(), &QHeaderView::sectionPressed, this, [this] { searchBox_->setFocus(); });
    grid_->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(buildHeader());
    layout->addWidget(grid_, 1);
    layout->addWidget(buildDetails());
    layout->addWidget(progress_);

    model()->setHighlightedColumn(kNameColumn);
    applyFontSize(this, frame_.settings().fontSize);
    openList(QStringLiteral("programok_nev"));
    resize(760, 560);
}

QAction* Tfrm_Programok::command(const char* name) const {
    for (QAction* a : commands_)
        if (a->objectName() == QLatin1String(name)) return a;
    return nullptr;
}

QWidget* Tfrm_Programok::buildHeader() {
    auto* header = new QWidget(this);
    header->setObjectName(QStringLiteral("Panel1"));
    auto* row = new QHBoxLayout(header);
    searchBox_ = new QLineEdit(header);
    searchBox_->setObjectName(QStringLiteral("Edit1"));
    searchBox_->installEventFilter(this);
    connect(searchBox_, &QLineEdit::textChanged, this, &Tfrm_Programok::search);
    auto* caption = new QLabel(QStringLiteral("Kelvora programjai  "), header);
    caption->setObjectName(QStringLiteral("Label1"));
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    row->addWidget(searchBox_);
    row->addStretch(1);
    row->addWidget(caption, 0, Qt::AlignRight);
    return header;
}

QWidget* Tfrm_Programok::buildDetails() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel2"));
    auto* grid = new QGridLayout(panel);
    downloadLink_ = new LinkLabel("Label3", panel);
    homeLink_ = new LinkLabel("Label5", panel);
    connect(downloadLink_, &LinkLabel::clicked, command("aLetolt"), &QAction::trigger);
    connect(homeLink_, &LinkLabel::clicked, command("aMegnezem"), &QAction::trigger);
    grid->addWidget(new QLabel(QStringLiteral("Letöltés link"), panel), 0, 0);
    grid->addWidget(downloadLink_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("A program honlapja"), panel), 1, 0);
    grid->addWidget(homeLink_, 1, 1);
    description_ = new QTextEdit(panel);
    description_->setObjectName(QStringLiteral("DBMemo1"));
    // The list is replaced by every refresh: text typed here would be lost, so none is taken.
    description_->setReadOnly(true);
    description_->setFrameShape(QFrame::NoFrame);
    description_->viewport()->setAutoFillBackground(false);
    description_->setMaximumHeight(90);
    grid->addWidget(description_, 2, 0, 1, 2);
    picture_ = new QLabel(panel);
    picture_->setObjectName(QStringLiteral("Image1"));
    picture_->setFixedSize(160, 120);
    picture_->setAlignment(Qt::AlignCenter);
    picture_->setPixmap(placeholderPicture());
    grid->addWidget(picture_, 0, 2, 3, 1);
    grid->setColumnStretch(1, 1);
    return panel;
}

QVariant Tfrm_Programok::cellColours(int row, int column, int role) const {
    // Selected rows keep the grid's colours of their own; the sort column its own colour.
    if (role != Qt::BackgroundRole || column == model()->highlightedColumn()) return QVariant();
    const bool isFree = isFreeProgram(model()->fieldValue(row, QStringLiteral("ingyenes")).toString());
    return isFree ? QBrush(kFreeProgramBackground) : QBrush(palette().color(QPalette::Base));
}

void Tfrm_Programok::currentRowChanged() {
    const int row = currentRow();
    const auto text = [this, row](const char* field) { return model()->fieldValue(row, QLatin1String(field)).toString(); };
    downloadLink_->setText(text("letoltlink"));
    homeLink_->setText(text("link"));
    description_->setPlainText(text("leiras"));
    const QByteArray bytes = model()->fieldValue(row, QStringLiteral("kep")).toByteArray();
    if (bytes.isEmpty()) {
        picture_->setPixmap(placeholderPicture());
        return;
    }
    QPixmap picture;
    // A picture that does not read as JPEG leaves the previous one.
    if (picture.loadFromData(bytes, "JPG"))
        picture_->setPixmap(picture.scaled(picture_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void Tfrm_Programok::openField(const char* field) {
    if (!table()) return;
    frame_.openAddress(model()->fieldValue(currentRow(), QLatin1String(field)).toString());
}

void Tfrm_Programok::search(const QString& text) {
    store::Table* t = table();
    if (!t || text.isEmpty()) return;
    try {
        const int before = t->recNo();
        if (!t->locate(t->indexFieldNames(), text, {true, true})) {
            t->setRecNo(before);
            return;
        }
    } catch (const store::StoreError&) {
        // A failed search leaves the list where it is, as one that found nothing.
        return;
    }
    grid_->selectRow(t->recNo() - 1);
}

bool Tfrm_Programok::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return CatalogueListWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == searchBox_ && key->key() == Qt::Key_Down) {
        grid_->setFocus();
        return true;
    }
    if (watched == grid_ && startsSearch(key->text()) && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        searchBox_->setFocus();
        searchBox_->setText(key->text().toLower());
        searchBox_->setCursorPosition(int(searchBox_->text().size()));
        return true;
    }
    return CatalogueListWindow::eventFilter(watched, event);
}

void Tfrm_Programok::resizeEvent(QResizeEvent* event) {
    CatalogueListWindow::resizeEvent(event);
    const double free = grid_->width() - 117;
    grid_->setColumnWidth(0, int(std::lround(free * 0.2)));
    grid_->setColumnWidth(1, int(std::lround(free * 0.6)));
    grid_->setColumnWidth(2, int(std::lround(free * 0.2)));
    grid_->setColumnWidth(kFreeColumn, kFreeColumnWidth);
}

void Tfrm_Programok::printList() {
    if (store::Table* list = table()) printProgramList(frame_, *list, this);
}

} // namespace verbalo
