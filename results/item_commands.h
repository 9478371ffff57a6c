// ItemCommands: what the results pane does to the items its rows name, on
// paths and rows rather than on a view: open them or their folders (with
// the registered program or one the user chooses), rename
// one, move them to the Trash (offering permanent deletion of what the Trash
// refuses), and report one's properties. It speaks to the user through the
// pane's prompts, so tests answer them without any window.
#pragma once

#include <QObject>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "results/pane_prompts.h"
#include "results/result_row.h"

namespace zandor {

class FileManagerShow;
class PropertiesCounter;

class ItemCommands final : public QObject {
    Q_OBJECT
  public:
    // owner: the widget the prompts and the progress dialog belong to.
    explicit ItemCommands(QWidget& owner);

    void setPrompts(PanePrompts prompts) { m_prompts = std::move(prompts); }
    PropertiesCounter& propertiesCounter() const { return *m_properties; }

    // Starts the program registered for each item's type on it; names those
    // that no longer exist, and then those no program could open with the
    // reason, in messages captioned "Open".
    void open(const std::vector<std::string>& paths);
    // Starts the program once on the first item and every other item of the
    // same content type (the rest are left alone); names missing items, and
    // tells a failure to start, in messages captioned "Open With".
    void openWith(const DesktopProgram& program, const std::vector<std::string>& paths);
    // Asks which program (of all the desktop shows) and opens the items with it.
    void openWithOther(const std::vector<std::string>& paths);
    // Asks the file manager to show the items, selected in their folders, in
    // one request; without a file manager that answers, opens each of their
    // folders once. Items that no longer exist are named first, and left out.
    void openContainingFolders(const std::vector<std::string>& paths);
    FileManagerShow& fileManagerShow() const { return *m_show; }

    // Gives the row's item the name the user typed in place of the shown
    // one; the new name's bytes when it now bears it. Nothing typed, or the
    // name unchanged, renames nothing; a rename that fails (the name is
    // taken, or leaves the folder) is told once the editor has closed.
    std::optional<std::string> rename(const ResultRow& row, const QString& typed);

    // Asks, then moves the items to the Trash; offers to delete for good
    // what the Trash refused, and deletes only when that is confirmed too.
    // An item inside a folder among the rows goes with that folder. Returns
    // the paths of the items now gone (those that had vanished included).
    std::vector<std::string> deleteItems(const std::vector<const ResultRow*>& rows);

    // The properties report of the item at path, counted away from this
    // thread and shown when ready; a missing item is named instead.
    void properties(const std::string& path);

  private:
    // Opens each item with its registered program. False when some items
    // were missing or could not be opened (and named in a message).
    bool handOver(const QString& command, const std::vector<std::string>& paths, bool folders);
    void showReport(const QString& report);
    // Opens the folder of each item with the default handler, once a folder.
    void openFolders(const std::vector<std::string>& paths);
    // Adds to gone the refused items that were deleted for good.
    void offerPermanentDeletion(const std::vector<std::string>& paths, const QStringList& refusals,
                                std::vector<std::string>& gone);

    QWidget& m_owner;
    PanePrompts m_prompts;
    PropertiesCounter* m_properties;
    FileManagerShow* m_show;
};

}  // namespace zandor
