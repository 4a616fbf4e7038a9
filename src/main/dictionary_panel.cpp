#include "main/dictionary_panel.h"

#include "common/messages.h"
#include "common/store/collation.h"
#include "widgets/default_icons.h"
#include "widgets/icons.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace verbalo {

const QString DictionaryPanel::kProgramsKey = QStringLiteral("programletolt");
const QString DictionaryPanel::kDownloadKey = QStringLiteral("szotarletolt");

DictionaryPanel::DictionaryPanel(QString programFolder, QWidget* parent)
    : QFrame(parent), programFolder_(std::move(programFolder)) {
    setObjectName(QStringLiteral("Panel5"));
    setFixedWidth(kWidth);
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);

    auto* header = new QFrame(this);
    header->setObjectName(QStringLiteral("Panel6"));
    header->setAutoFillBackground(true);
    QPalette hp = header->palette();
    hp.setColor(QPalette::Window, hp.color(QPalette::Mid));
    hp.setColor(QPalette::WindowText, Qt::white);
    header->setPalette(hp);
    auto* headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(0, 2, 2, 2);
    auto* caption = new QLabel(QStringLiteral("  Szótárak"), header);
    caption->setObjectName(QStringLiteral("Label2"));
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    closeButton_ = new QToolButton(header);
    closeButton_->setObjectName(QStringLiteral("SpeedButton1"));
    closeButton_->setAutoRaise(true);
    closeButton_->setText(QStringLiteral("×"));
    closeButton_->setToolTip(QStringLiteral("Bezár"));
    closeButton_->setFixedSize(18, 18);
    headerLayout->addWidget(caption, 1);
    headerLayout->addWidget(closeButton_);
    layout->addWidget(header);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListView1"));
    list_->setViewMode(QListView::IconMode);
    list_->setIconSize(QSize(48, 48));
    list_->setMovement(QListView::Static);
    list_->setResizeMode(QListView::Adjust);
    list_->setFlow(QListView::LeftToRight);
    list_->setWrapping(true);
    list_->setWordWrap(true);
    list_->setGridSize(QSize(kWidth - 22, 84));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* open = new QAction(QStringLiteral("Megnyit"), list_);
    open->setObjectName(QStringLiteral("Megnyit1"));
    list_->addAction(open);
    layout->addWidget(list_, 1);

    connect(closeButton_, &QToolButton::clicked, this, &QWidget::hide);
    connect(open, &QAction::triggered, this, &DictionaryPanel::openSelected);
    connect(list_, &QListWidget::itemDoubleClicked, this, &DictionaryPanel::openSelected);
    list_->installEventFilter(this);
    hide();
}

void DictionaryPanel::rebuild(const QList<DictionaryListing>& dictionaries) {
    list_->clear();
    struct Row {
        QString caption;
        QIcon icon;
        QString key;
    };
    QList<Row> rows;
    rows.append({QStringLiteral(" További programok"), QIcon(QPixmap::fromImage(paintProgramsIcon(48))), kProgramsKey});
    rows.append({QStringLiteral(" Szótárak letöltése"), QIcon(QPixmap::fromImage(paintDownloadIcon(48))), kDownloadKey});
    QIcon fallback = iconFromProgramFolder(programFolder_, QStringLiteral("Ico/default48.ico"));
    if (fallback.isNull()) fallback = QIcon(QPixmap::fromImage(paintDictionaryIcon(48)));
    for (const DictionaryListing& d : dictionaries) {
        // An icon that cannot be read shows the default picture, never another dictionary's.
        const QPixmap own = pixmapFromIconBytes(d.largeIcon, 48);
        rows.append({d.name, own.isNull() ? fallback : QIcon(own), QString::number(d.id)});
    }
    // The names in the order the store sorts them everywhere else (accent-aware, Á beside A);
    // the fixed rows' leading blank must rank before any letter whatever the collation says.
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        const bool blankA = a.caption.startsWith(QLatin1Char(' '));
        const bool blankB = b.caption.startsWith(QLatin1Char(' '));
        if (blankA != blankB) return blankA;
        const QByteArray x = a.caption.toUtf8(), y = b.caption.toUtf8();
        return store::compareKeys(x.constData(), int(x.size()), y.constData(), int(y.size())) < 0;
    });
    for (const Row& row : rows) {
        auto* item = new QListWidgetItem(row.icon, row.caption, list_);
        item->setData(Qt::UserRole, row.key);
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
}

bool DictionaryPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            openSelected();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void DictionaryPanel::openSelected() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) {
        showError(QStringLiteral("Nincs állomány kiválasztva."), this);
        return;
    }
    emit openRequested(selected.first()->data(Qt::UserRole).toString());
}

} // namespace verbalo
