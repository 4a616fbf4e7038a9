// How the recipe window's controls are placed: the recipe list with the details and the
// ingredients under it on the left, the method and the picture on the right, and the pop-up
// menu of the list and the picture.
#include "dictionaries/recipe_window.h"

#include "dictionaries/pair_grid.h"
#include "dictionaries/picture_panel.h"
#include "dictionaries/recipe_list_model.h"
#include "dictionaries/recipe_window_widths.h"
#include "widgets/frame_services.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

namespace verbalo {

namespace {

QLabel* boldLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QLabel* header(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setContentsMargins(4, 2, 4, 2);
    return label;
}

} // namespace
QWidget* Tfrm_Szotar5::buildTopBar() {
    auto* panel9 = new QWidget(this);
    panel9->setObjectName(QStringLiteral("Panel9"));
    searchBox_ = new QLineEdit(panel9);
    searchBox_->setObjectName(QStringLiteral("Edit1"));
    searchBox_->setMinimumWidth(160);
    auto* toolBar = new QToolBar(panel9);
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar->setIconSize(QSize(16, 16));
    toolBar->addAction(actions_.aNezet);
    toolBar->addSeparator();
    toolBar->addAction(actions_.aUj);
    toolBar->addAction(actions_.aSzerkeszt);
    toolBar->addAction(actions_.aTorol);
    toolBar->addSeparator();
    toolBar->addAction(actions_.aBezar);
    nameLabel_ = boldLabel("Label1", panel9);
    nameLabel_->setForegroundRole(QPalette::Highlight);
    auto* bar = new QHBoxLayout(panel9);
    bar->setContentsMargins(4, 2, 4, 2);
    bar->addWidget(searchBox_);
    bar->addWidget(toolBar, 1);
    bar->addWidget(nameLabel_, 0, Qt::AlignRight | Qt::AlignVCenter);
    return panel9;
}

QWidget* Tfrm_Szotar5::buildListPanel() {
    listPanel_ = new QWidget(splitter_);
    listPanel_->setObjectName(QStringLiteral("Panel1"));
    listPanel_->setMinimumWidth(recipe_widths::kListPanelMinimum);
    recipeGrid_ = new SearchBoxGrid(listPanel_);
    recipeGrid_->setObjectName(QStringLiteral("DBGrid1"));
    configurePairGrid(recipeGrid_);
    // The list has one order: its titles are not clicked.
    recipeGrid_->horizontalHeader()->setSectionsClickable(false);
    recipeGrid_->horizontalHeader()->unsetCursor();
    model_ = new RecipeListModel(this);
    model_->setFailureHandler([this](const store::StoreError& e) { showStoreFailure(e); });
    recipeGrid_->setModel(model_);

    auto* details = new QWidget(listPanel_);
    details->setObjectName(QStringLiteral("Panel4"));
    dishLabel_ = boldLabel("DBText1", details);
    difficultyLabel_ = boldLabel("DBText2", details);
    minutesLabel_ = boldLabel("DBText3", details);
    // The dish on a line of its own: a long name beside the figures would cut their labels.
    auto* detailRows = new QVBoxLayout(details);
    detailRows->setContentsMargins(4, 2, 4, 2);
    detailRows->setSpacing(2);
    detailRows->addWidget(dishLabel_);
    auto* figures = new QHBoxLayout;
    figures->addWidget(new QLabel(QStringLiteral("Nehézség foka"), details));
    figures->addWidget(difficultyLabel_);
    figures->addSpacing(12);
    figures->addWidget(new QLabel(QStringLiteral("Elkészítés (perc)"), details));
    figures->addWidget(minutesLabel_);
    figures->addStretch(1);
    detailRows->addLayout(figures);

    ingredientsMemo_ = new QPlainTextEdit(listPanel_);
    ingredientsMemo_->setObjectName(QStringLiteral("DBMemo1"));
    auto* column = new QVBoxLayout(listPanel_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(recipeGrid_, 3);
    column->addWidget(details);
    column->addWidget(header(QStringLiteral("Hozzávalók"), listPanel_));
    column->addWidget(ingredientsMemo_, 2);
    return listPanel_;
}

QWidget* Tfrm_Szotar5::buildRightPanel() {
    auto* right = new QWidget(splitter_);
    right->setObjectName(QStringLiteral("Panel2"));
    rightSplitter_ = new QSplitter(Qt::Vertical, right);
    rightSplitter_->setObjectName(QStringLiteral("Splitter2"));
    rightSplitter_->setChildrenCollapsible(false);
    methodMemo_ = new QPlainTextEdit(rightSplitter_);
    methodMemo_->setObjectName(QStringLiteral("DBMemo2"));
    auto* plate = new QWidget(rightSplitter_);
    plate->setObjectName(QStringLiteral("Panel7"));
    picturePanel_ = new PicturePanel(QStringLiteral("Panel8"), plate);
    auto* plateColumn = new QVBoxLayout(plate);
    plateColumn->setContentsMargins(0, 0, 0, 0);
    plateColumn->setSpacing(0);
    plateColumn->addWidget(header(QStringLiteral("Ha már a tányéron van..."), plate));
    plateColumn->addWidget(picturePanel_, 1);
    rightSplitter_->addWidget(methodMemo_);
    rightSplitter_->addWidget(plate);
    rightSplitter_->setStretchFactor(0, 1);
    rightSplitter_->setStretchFactor(1, 1);
    auto* column = new QVBoxLayout(right);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(header(QStringLiteral("Elkészítés"), right));
    column->addWidget(rightSplitter_, 1);
    return right;
}

void Tfrm_Szotar5::buildPopupMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    menu->addAction(actions_.aKeres);
    menu->addSeparator();
    menu->addAction(actions_.aUj);
    menu->addAction(actions_.aSzerkeszt);
    menu->addAction(actions_.aTorol);
    menu->addSeparator();
    menu->addAction(actions_.aMentes);
    menu->addSeparator();
    // The frame's data sheet command carries Alt+Enter; the item only shows it.
    QAction* sheet = menu->addAction(QStringLiteral("Tulajdonság\tAlt+Enter"), this, [this] { frame_.showDataSheet(); });
    sheet->setObjectName(QStringLiteral("miTulajdonsag"));
    sheet->setToolTip(QStringLiteral("Tulajdonságok"));
    sheet->setStatusTip(QStringLiteral("Tulajdonságok"));
    menu->addSeparator();
    menu->addAction(actions_.aBezar);
    for (QWidget* w : {static_cast<QWidget*>(recipeGrid_), static_cast<QWidget*>(picturePanel_)}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this,
                [w, menu](const QPoint& pos) { menu->popup(w->mapToGlobal(pos)); });
    }
}

} // namespace verbalo
