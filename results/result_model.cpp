#include "results/result_model.h"

#include <algorithm>

#include "results/path_mime_data.h"
#include "text/name_text.h"

namespace zandor {

namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

ResultModel::ResultModel(QObject* parent) : QAbstractTableModel(parent) {}

int ResultModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    return listedCount();
}

int ResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

const ResultRow* ResultModel::rowAt(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < m_rows.size()
               ? m_rows[static_cast<std::size_t>(row)]
               : nullptr;
}

QVariant ResultModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const ResultRow* row = rowAt(index.row());
    if (row == nullptr) {
        if (m_notice && role == Qt::DisplayRole && index.column() == Name) {
            return tr("Search is complete. There are no items to display");
        }
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return cellText(*row, index.column());
        case Qt::EditRole:
            return index.column() == Name ? cellText(*row, Name) : QVariant();
        case Qt::ToolTipRole:
            return index.column() == Name || index.column() == Path ? displayText(row->path())
                                                                    : QVariant();
        case Qt::DecorationRole:
            if (index.column() != Name) {
                return {};
            }
            return row->isFile() ? m_icons.fileIcon(displayText(row->name()))
                                 : m_icons.folderIcon();
        default:
            return {};
    }
}

QVariant ResultModel::cellText(const ResultRow& row, int column) const {
    switch (column) {
        case Name:
            return displayText(row.name());
        case Path:
            return displayText(row.path());
        case Size:
            return fromUtf8(row.sizeText());
        case Type:
            return row.isFile() ? m_fileTypeText : m_folderTypeText;
        case Creation:
            return fromUtf8(row.createdText());
        case LastWrite:
            return fromUtf8(row.lastWriteText());
        default:
            return {};
    }
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    static const char* const kTitles[ColumnCount] = {
        QT_TR_NOOP("Name"), QT_TR_NOOP("Path"),     QT_TR_NOOP("Size"),
        QT_TR_NOOP("Type"), QT_TR_NOOP("Creation"), QT_TR_NOOP("Last Write")};
    return section >= 0 && section < ColumnCount ? tr(kTitles[section]) : QVariant();
}

QModelIndex ResultModel::index(int row, int column, const QModelIndex& parent) const {
    if (parent.isValid() || row < 0 || column < 0 || column >= ColumnCount ||
        row >= listedCount()) {
        return {};
    }
    return createIndex(row, column);
}

Qt::ItemFlags ResultModel::flags(const QModelIndex& index) const {
    // Every index this model made is valid while its row is listed; one from
    // elsewhere, or stale, has no flags.
    if (!index.isValid() || index.model() != this || index.row() >= listedCount() ||
        index.column() >= ColumnCount) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    if (static_cast<std::size_t>(index.row()) < m_rows.size()) {
        flags |= Qt::ItemIsDragEnabled;
        if (index.column() == Name) {
            flags |= Qt::ItemIsEditable;
        }
    }
    return flags;
}

QStringList ResultModel::mimeTypes() const {
    return {QStringLiteral("text/uri-list"), QStringLiteral("x-special/gnome-copied-files"),
            QStringLiteral("text/plain")};
}

QMimeData* ResultModel::mimeData(const QModelIndexList& indexes) const {
    const std::vector<std::string> paths = pathsOf(indexes);
    return paths.empty() ? nullptr : pathsMimeData(paths);
}

std::vector<std::string> ResultModel::pathsOf(const QModelIndexList& indexes) const {
    // A selected row comes once for each of its cells.
    std::vector<int> rows;
    for (const QModelIndex& index : indexes) {
        if (index.isValid() && rowAt(index.row()) != nullptr) {
            rows.push_back(index.row());
        }
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::vector<std::string> paths;
    paths.reserve(rows.size());
    for (const int row : rows) {
        paths.push_back(rowAt(row)->path());
    }
    return paths;
}

bool ResultModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable) || !m_renamer) {
        return false;
    }
    if (!m_renamer(index.row(), value.toString())) {
        return false;
    }
    rowsChanged();
    return true;
}

void ResultModel::rowsChanged() {
    if (!m_rows.empty()) {
        Q_EMIT dataChanged(index(0, 0),
                           index(static_cast<int>(m_rows.size()) - 1, ColumnCount - 1));
    }
}

void ResultModel::removeRecords(const std::unordered_set<const ResultRow*>& records) {
    std::vector<int> rows;
    for (std::size_t row = 0; row < m_rows.size() && !records.empty(); ++row) {
        if (records.contains(m_rows[row])) {
            rows.push_back(static_cast<int>(row));
        }
    }
    removeRowsAt(std::move(rows));
}

void ResultModel::removeRowsAt(std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // From the bottom up, one removal for each run of adjacent rows, so the
    // indexes still to remove stay valid.
    auto last = rows.rbegin();
    while (last != rows.rend()) {
        if (rowAt(*last) == nullptr) {
            ++last;
            continue;
        }
        auto first = last;
        while (std::next(first) != rows.rend() && *std::next(first) == *first - 1) {
            ++first;
        }
        beginRemoveRows({}, *first, *last);
        const auto begin = m_rows.begin() + *first;
        m_rows.erase(begin, begin + (*last - *first + 1));
        endRemoveRows();
        last = std::next(first);
    }
}

void ResultModel::append(const std::vector<const ResultRow*>& rows) {
    if (rows.empty()) {
        return;
    }
    // The notice belongs to a search that found nothing; rows mean it is gone.
    if (m_notice) {
        relist(m_rows);
    }
    const int first = static_cast<int>(m_rows.size());
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    m_rows.insert(m_rows.end(), rows.begin(), rows.end());
    endInsertRows();
}

void ResultModel::relist(std::vector<const ResultRow*> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    m_notice = false;
    endResetModel();
}

void ResultModel::clear() {
    relist({});
}

void ResultModel::showNotice() {
    const int row = static_cast<int>(m_rows.size());
    if (m_notice) {
        return;
    }
    beginInsertRows({}, row, row);
    m_notice = true;
    endInsertRows();
}

}  // namespace zandor
