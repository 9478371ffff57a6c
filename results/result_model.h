// ResultModel: the rows the results pane lists, as one table model that the
// four views share. It refers to rows recorded in the stores; texts and icons
// are made when a view asks for them, so a million rows cost no more than
// their pointers here.
#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "results/icon_cache.h"
#include "results/result_row.h"

namespace zandor {

class ResultModel final : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { Name = 0, Path, Size, Type, Creation, LastWrite, ColumnCount };

    explicit ResultModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // The Name cell of a recorded row can be edited; committing it asks the
    // renamer, which gives the item its new name and updates the row.
    // index and flags answer without the base class's virtual row and column
    // counts: a list view lays out a million rows by asking both of each row.
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    // Recorded rows are dragged out as their paths (results/path_mime_data.h),
    // copied, never moved: the search's list is not a folder.
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }
    // The paths of the recorded rows among these indexes, top to bottom, each once.
    std::vector<std::string> pathsOf(const QModelIndexList& indexes) const;

    // Gives the row (listed at the index given) the typed name; true when it
    // now bears it.
    using Renamer = std::function<bool(int row, const QString& name)>;
    void setRenamer(Renamer renamer) { m_renamer = std::move(renamer); }

    // Readies the row icons at this size ahead of the first rows.
    void warmUpIcons(int size) const { m_icons.warmUp(size); }

    // Appends rows at the end in one insertion.
    void append(const std::vector<const ResultRow*>& rows);
    // Replaces every listed row (and the notice) with these.
    void relist(std::vector<const ResultRow*> rows);
    void clear();
    // The one row "Search is complete. There are no items to display",
    // which stands for no recorded row.
    void showNotice();

    // Takes these recorded rows out of the list, wherever they are listed.
    void removeRecords(const std::unordered_set<const ResultRow*>& records);

    // The recorded row listed at index, or null for the notice row.
    const ResultRow* rowAt(int row) const;
    // Every recorded row listed, top to bottom.
    const std::vector<const ResultRow*>& recordedRows() const { return m_rows; }

  private:
    // The rows listed: the recorded ones, and the notice when it is shown.
    int listedCount() const { return static_cast<int>(m_rows.size()) + (m_notice ? 1 : 0); }
    // Recorded rows changed (renamed, or moved with their folder): every
    // cell is shown anew.
    void rowsChanged();
    QVariant cellText(const ResultRow& row, int column) const;
    // Takes the rows at these indexes (any order) out of the list.
    void removeRowsAt(std::vector<int> rows);

    std::vector<const ResultRow*> m_rows;
    bool m_notice = false;
    // The type column's two words in the user's language, made once.
    QString m_fileTypeText = tr("File");
    QString m_folderTypeText = tr("File Folder");
    Renamer m_renamer;
    mutable IconCache m_icons;
};

}  // namespace zandor
