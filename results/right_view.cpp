#include "results/right_view.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStackedLayout>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

namespace zandor {

namespace {

constexpr int kColumnWidths[ResultModel::ColumnCount] = {100, 120, 50, 50, 120, 120};
constexpr int kListBatchSize = 2000;

// The key of a header section: its logical index names the column's content
// wherever the user has dragged it.
std::optional<SortKey> sortKeyOfColumn(int column) {
    switch (column) {
        case ResultModel::Name:
            return SortKey::Name;
        case ResultModel::Path:
            return SortKey::Path;
        case ResultModel::Size:
            return SortKey::Size;
        case ResultModel::Type:
            return SortKey::Type;
        case ResultModel::Creation:
            return SortKey::Created;
        case ResultModel::LastWrite:
            return SortKey::LastWrite;
        default:
            return std::nullopt;
    }
}

// Tells the pane when a name editor opens and when it goes, however it ends
// (committed, cancelled, or its row taken away).
class LabelEditDelegate : public QStyledItemDelegate {
  public:
    LabelEditDelegate(bool& editing, QObject* parent)
        : QStyledItemDelegate(parent), m_editing(editing) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        m_editing = true;
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        m_editing = false;
        QStyledItemDelegate::destroyEditor(editor, index);
    }

  private:
    bool& m_editing;
};

// Every item of an icon or list view has the same size, given here rather
// than measured, so a million items are laid out without asking each one;
// long names are elided within it.
class FixedSizeDelegate final : public LabelEditDelegate {
  public:
    FixedSizeDelegate(QSize size, bool& editing, QObject* parent)
        : LabelEditDelegate(editing, parent), m_size(size) {}
    QSize sizeHint(const QStyleOptionViewItem& /*option*/,
                   const QModelIndex& /*index*/) const override {
        return m_size;
    }

  private:
    QSize m_size;
};

void prepareView(QAbstractItemView* view) {
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    // A click on the name of a row that is already selected opens its editor.
    view->setEditTriggers(QAbstractItemView::SelectedClicked);
    view->setTextElideMode(Qt::ElideRight);
    // Rows go out to a file manager or a terminal as a list of files.
    view->setDragEnabled(true);
    view->setDragDropMode(QAbstractItemView::DragOnly);
    view->setDefaultDropAction(Qt::CopyAction);
}

}  // namespace

CRightView::CRightView(QWidget* parent)
    : QWidget(parent),
      m_filter(m_model),
      m_sorting(m_stores, m_filter),
      m_selection(new QItemSelectionModel(&m_model, this)),
      m_items(new ItemCommands(*this)) {
    setObjectName(QStringLiteral("rightView"));
    IconCache::ensureIconTheme();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(makeFilterBar());
    m_stack = new QStackedLayout;
    m_stack->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(m_stack, 1);
    m_details = makeDetailsView();
    m_stack->addWidget(m_details);
    m_lists = {makeListView(ViewType::LargeIcons), makeListView(ViewType::SmallIcons),
               makeListView(ViewType::List)};
    for (QListView* list : m_lists) {
        m_stack->addWidget(list);
    }
    attach(m_details);
    m_stack->setCurrentWidget(m_details);
    m_batcher.setReceiver([this](RowBatch rows) { takeRows(std::move(rows)); });
    m_model.setRenamer([this](int row, const QString& name) { return renameRow(row, name); });
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_details), static_cast<QAbstractItemView*>(m_lists[0]),
          static_cast<QAbstractItemView*>(m_lists[1]),
          static_cast<QAbstractItemView*>(m_lists[2])}) {
        connect(view, &QAbstractItemView::doubleClicked, this, &CRightView::OnDblClkList);
        view->installEventFilter(this);
    }
    // Once the window is up and idle, before any search: loading the icon
    // theme and the MIME database on the first rows made their first paint
    // the longest the window went without answering during a search.
    QTimer::singleShot(0, this, [this] {
        m_model.warmUpIcons(m_details->style()->pixelMetric(QStyle::PM_SmallIconSize));
    });
}

CRightView::~CRightView() {
    m_sorting.pause();
    // The views let go of the model before it goes.
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_details), static_cast<QAbstractItemView*>(m_lists[0]),
          static_cast<QAbstractItemView*>(m_lists[1]),
          static_cast<QAbstractItemView*>(m_lists[2])}) {
        view->setModel(nullptr);
    }
}

QWidget* CRightView::makeFilterBar() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 4, 4, 0);
    auto* label = new QLabel(tr("Filte&r:"), bar);
    m_filterEdit = new QLineEdit(bar);
    m_filterEdit->setObjectName(QStringLiteral("resultFilter"));
    m_filterEdit->setPlaceholderText(tr("Filter the results"));
    m_filterEdit->setAccessibleName(tr("Filter the results"));
    m_filterEdit->setToolTip(
        tr("Shows only the rows whose names hold every word; a word with a \"/\" is looked for "
           "in their paths (Ctrl+F)"));
    m_filterEdit->setClearButtonEnabled(true);
    label->setBuddy(m_filterEdit);
    row->addWidget(label);
    row->addWidget(m_filterEdit, 1);
    m_filterEdit->installEventFilter(this);
    connect(m_filterEdit, &QLineEdit::textChanged, &m_filter, &FilterController::setText);
    connect(&m_filter, &FilterController::countsChanged, this, &CRightView::filterStatusChanged);
    return bar;
}

void CRightView::focusFilter() {
    m_filterEdit->setFocus(Qt::ShortcutFocusReason);
    m_filterEdit->selectAll();
}

void CRightView::setFilterText(const QString& text) {
    m_filterEdit->setText(text);
}

QString CRightView::filterStatus() const {
    if (!m_filter.isFiltering()) {
        return {};
    }
    // Plain numbers, as the completion title writes them.
    return tr("Showing %1 of %2 items")
        .arg(static_cast<qulonglong>(m_filter.shownCount()))
        .arg(static_cast<qulonglong>(m_filter.listedCount()));
}

DetailsView* CRightView::makeDetailsView() {
    auto* view = new DetailsView(this);
    view->setObjectName(QStringLiteral("resultDetails"));
    view->setAccessibleName(tr("Results, details"));
    prepareView(view);
    view->setItemDelegate(new LabelEditDelegate(m_bEditingLabel, view));
    view->setSortingEnabled(false);  // the pane sorts its stores, not the view
    QHeaderView* header = view->header();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setStretchLastSection(false);
    connect(header, &QHeaderView::sectionClicked, this, [this](int logicalIndex) {
        if (const std::optional<SortKey> key = sortKeyOfColumn(logicalIndex)) {
            OnSort(*key);
        }
    });
    return view;
}

QListView* CRightView::makeListView(ViewType type) {
    auto* view = new QListView(this);
    prepareView(view);
    view->setUniformItemSizes(true);
    view->setLayoutMode(QListView::Batched);
    view->setBatchSize(kListBatchSize);
    view->setResizeMode(QListView::Adjust);
    view->setMovement(QListView::Static);
    view->setWrapping(true);
    view->setWordWrap(false);
    switch (type) {
        case ViewType::LargeIcons:
            view->setObjectName(QStringLiteral("resultLargeIcons"));
            view->setAccessibleName(tr("Results, large icons"));
            view->setViewMode(QListView::IconMode);
            view->setIconSize(QSize(32, 32));
            view->setWordWrap(true);
            view->setItemDelegate(new FixedSizeDelegate(QSize(100, 68), m_bEditingLabel, view));
            view->setFlow(QListView::LeftToRight);
            break;
        case ViewType::SmallIcons:
            view->setObjectName(QStringLiteral("resultSmallIcons"));
            view->setAccessibleName(tr("Results, small icons"));
            view->setViewMode(QListView::ListMode);
            view->setIconSize(QSize(16, 16));
            view->setItemDelegate(new FixedSizeDelegate(QSize(180, 20), m_bEditingLabel, view));
            view->setFlow(QListView::LeftToRight);
            break;
        default:
            view->setObjectName(QStringLiteral("resultList"));
            view->setAccessibleName(tr("Results, list"));
            view->setViewMode(QListView::ListMode);
            view->setIconSize(QSize(16, 16));
            view->setItemDelegate(new FixedSizeDelegate(QSize(220, 20), m_bEditingLabel, view));
            view->setFlow(QListView::TopToBottom);
            break;
    }
    view->setSpacing(2);
    return view;
}

// Only the view on show is attached to the model: a hidden icon view would
// otherwise lay out every row that arrives.
void CRightView::attach(QAbstractItemView* view) {
    view->setModel(&m_model);
    QItemSelectionModel* own = view->selectionModel();
    view->setSelectionModel(m_selection);
    if (own != nullptr && own != m_selection) {
        own->deleteLater();
    }
    if (view == m_details) {
        QHeaderView* header = m_details->header();
        if (m_headerState.isEmpty() || !header->restoreState(m_headerState)) {
            for (int column = 0; column < ResultModel::ColumnCount; ++column) {
                header->resizeSection(column, kColumnWidths[column]);
            }
        }
    }
}

void CRightView::detach(QAbstractItemView* view) {
    if (view == m_details) {
        m_headerState = m_details->header()->saveState();
    }
    view->setModel(nullptr);
}

QAbstractItemView* CRightView::viewFor(ViewType type) const {
    switch (type) {
        case ViewType::LargeIcons:
            return m_lists[0];
        case ViewType::SmallIcons:
            return m_lists[1];
        case ViewType::List:
            return m_lists[2];
        default:
            return m_details;
    }
}

QAbstractItemView* CRightView::currentView() const {
    return viewFor(m_viewType);
}

void CRightView::OnViewMode(ViewType type) {
    if (type == m_viewType) {
        return;
    }
    QAbstractItemView* before = currentView();
    QAbstractItemView* after = viewFor(type);
    const QModelIndex current = m_selection->currentIndex();
    detach(before);
    attach(after);
    m_stack->setCurrentWidget(after);
    m_viewType = type;
    if (current.isValid()) {
        after->scrollTo(current);
    }
}

void CRightView::AddResult(const FoundEntry& entry) {
    m_filter.append({&m_stores.add(entry)});
}

void CRightView::takeRows(RowBatch rows) {
    m_filter.append(m_stores.adopt(std::move(rows)));
}

void CRightView::beginSearch(std::uint64_t generation) {
    m_sorting.pause();
    m_batcher.accept(generation);
    m_filter.clear();  // the list lets go of the rows before they go
    m_stores.clear();
}

}  // namespace zandor
