#include "results/item_commands.h"

#include <algorithm>
#include <cerrno>

#include "platform/fs_entry_info.h"
#include "platform/fs_path.h"
#include "platform/fs_rename.h"
#include "platform/shell_apps.h"
#include "platform/shell_trash.h"
#include "results/file_actions.h"
#include "results/file_manager_show.h"
#include "results/properties_counter.h"
#include "results/properties_report.h"
#include "results/ui_post.h"
#include "text/name_text.h"

namespace zandor {

namespace {

QString listOf(const QStringList& lines) {
    return lines.join(QLatin1Char('\n'));
}

// The system's and GIO's messages are text of the locale, which Qt 6 reads
// as UTF-8.
QString messageText(const Error& error) {
    return QString::fromLocal8Bit(error.message.data(),
                                  static_cast<qsizetype>(error.message.size()));
}

QString missingText(const QStringList& paths, bool folders) {
    const QString lead = paths.size() == 1
                             ? (folders ? ItemCommands::tr("This folder no longer exists:")
                                        : ItemCommands::tr("This item no longer exists:"))
                             : (folders ? ItemCommands::tr("These folders no longer exist:")
                                        : ItemCommands::tr("These items no longer exist:"));
    return lead + QStringLiteral("\n\n") + listOf(paths);
}

std::vector<const ResultRow*> outermostOf(std::vector<const ResultRow*> rows) {
    // An item inside a folder that is itself selected goes with that folder:
    // it is neither asked about nor trashed on its own.
    std::vector<std::string> paths;  // the set below views them
    paths.reserve(rows.size());
    for (const ResultRow* row : rows) {
        paths.push_back(row->path());
    }
    const PathSet selected(paths.begin(), paths.end());
    std::vector<const ResultRow*> outermost;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!isBelowAny(paths[i], selected)) {
            outermost.push_back(rows[i]);
        }
    }
    return outermost;
}

}  // namespace

ItemCommands::ItemCommands(QWidget& owner)
    : QObject(&owner),
      m_owner(owner),
      m_prompts(messageBoxPrompts()),
      m_properties(new PropertiesCounter(&owner)),
      m_show(new FileManagerShow(this)) {
    connect(m_properties, &PropertiesCounter::reportReady, this, &ItemCommands::showReport);
    m_show->setFallback([this](const std::vector<std::string>& paths) { openFolders(paths); });
}

bool ItemCommands::handOver(const QString& command, const std::vector<std::string>& paths,
                            bool folders) {
    QStringList missing;
    QStringList failures;
    for (const std::string& path : paths) {
        if (!entryExists(path)) {
            missing << displayText(path);
        } else if (const Result<void> opened = openWithDefaultHandler(path); !opened.ok()) {
            failures << QStringLiteral("%1: %2").arg(displayText(path),
                                                     messageText(opened.error()));
        }
    }
    // Moved or removed by another program since the search listed it: the
    // desktop would only fail quietly, so the user hears it here.
    if (!missing.isEmpty()) {
        m_prompts.message(&m_owner, command, missingText(missing, folders), QMessageBox::Warning);
    }
    if (!failures.isEmpty()) {
        const QString lead = failures.size() == 1 ? (folders ? tr("Could not open this folder:")
                                                             : tr("Could not open this item:"))
                                                  : (folders ? tr("Could not open these folders:")
                                                             : tr("Could not open these items:"));
        m_prompts.message(&m_owner, command, lead + QStringLiteral("\n\n") + listOf(failures),
                          QMessageBox::Warning);
    }
    return missing.isEmpty() && failures.isEmpty();
}

void ItemCommands::open(const std::vector<std::string>& paths) {
    handOver(tr("Open"), paths, false);
}

void ItemCommands::openWith(const DesktopProgram& program, const std::vector<std::string>& paths) {
    if (paths.empty()) {
        return;
    }
    const QString caption = tr("Open With");
    // The program was offered for the first item's type: the other items go
    // with it only when they are of that type too.
    const std::string type = contentTypeOf(paths.front());
    std::vector<std::string> chosen;
    QStringList missing;
    for (const std::string& path : paths) {
        if (!entryExists(path)) {
            missing << displayText(path);
        } else if (&path == &paths.front() || (!type.empty() && contentTypeOf(path) == type)) {
            chosen.push_back(path);
        }
    }
    if (!missing.isEmpty()) {
        m_prompts.message(&m_owner, caption, missingText(missing, false), QMessageBox::Warning);
    }
    if (chosen.empty()) {
        return;
    }
    if (const Result<void> opened = openWithProgram(program.id, chosen); !opened.ok()) {
        m_prompts.message(
            &m_owner, caption,
            tr("Could not open with %1:\n\n%2")
                .arg(QString::fromStdString(program.name), messageText(opened.error())),
            QMessageBox::Warning);
    }
}

void ItemCommands::openWithOther(const std::vector<std::string>& paths) {
    if (paths.empty() || !m_prompts.chooseProgram) {
        return;
    }
    if (const std::optional<DesktopProgram> program = m_prompts.chooseProgram(&m_owner)) {
        openWith(*program, paths);
    }
}

void ItemCommands::openContainingFolders(const std::vector<std::string>& paths) {
    std::vector<std::string> present;
    QStringList missing;
    for (const std::string& path : paths) {
        if (entryExists(path)) {
            present.push_back(path);
        } else {
            missing << displayText(path);
        }
    }
    if (!missing.isEmpty()) {
        m_prompts.message(&m_owner, tr("Open Containing Folder"), missingText(missing, false),
                          QMessageBox::Warning);
    }
    if (!present.empty()) {
        m_show->showItems(present);
    }
}

void ItemCommands::openFolders(const std::vector<std::string>& paths) {
    std::vector<std::string> folders;
    for (const std::string& path : paths) {
        std::string folder = containingFolder(path);
        if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end()) {
            folders.push_back(std::move(folder));
        }
    }
    handOver(tr("Open Containing Folder"), folders, true);
}

std::optional<std::string> ItemCommands::rename(const ResultRow& row, const QString& typed) {
    if (typed.isEmpty()) {
        return std::nullopt;  // nothing typed: nothing to rename
    }
    // Only what the user changed is new: bytes of the old name that were not
    // UTF-8, and so shown as replacement characters, stay as they were.
    std::string newName = editedNameBytes(row.name(), typed);
    if (newName == row.name()) {
        return std::nullopt;
    }
    if (!renameInFolder(containingFolder(row.path()), std::string(row.name()), newName).ok()) {
        // Shown once the editor has closed, so that the message does not take
        // the focus from an editor that would then commit again.
        postToThreadOf(this, [this] {
            m_prompts.message(&m_owner, tr("Error"), tr("Unable to rename the file"),
                              QMessageBox::Critical);
        });
        return std::nullopt;
    }
    return newName;
}

std::vector<std::string> ItemCommands::deleteItems(const std::vector<const ResultRow*>& selected) {
    const std::vector<const ResultRow*> rows = outermostOf(selected);
    if (rows.empty()) {
        return {};
    }
    const QString question =
        rows.size() == 1 ? tr("Move \"%1\" to the Trash?").arg(displayText(rows.front()->name()))
                         : tr("Move %1 items to the Trash?").arg(rows.size());
    // What goes to the Trash can be restored from it: Enter confirms.
    if (!m_prompts.ask(&m_owner, tr("Delete"), question, QMessageBox::Yes)) {
        return {};
    }
    std::vector<std::string> gone;
    std::vector<std::string> refused;
    QStringList refusals;
    for (const ResultRow* row : rows) {
        const std::string path = row->path();
        const Result<void> trashed = moveToTrash(path);
        // An item that had vanished is listed no longer either.
        if (trashed.ok() || trashed.error().code == ENOENT) {
            gone.push_back(path);
        } else {
            refused.push_back(path);
            refusals << QStringLiteral("%1: %2").arg(displayText(path),
                                                     messageText(trashed.error()));
        }
    }
    if (!refused.empty()) {
        offerPermanentDeletion(refused, refusals, gone);
    }
    return gone;
}

void ItemCommands::offerPermanentDeletion(const std::vector<std::string>& paths,
                                          const QStringList& refusals,
                                          std::vector<std::string>& gone) {
    m_prompts.message(&m_owner, tr("Delete"),
                      tr("These items cannot be moved to the Trash:\n\n%1").arg(listOf(refusals)),
                      QMessageBox::Warning);
    QStringList names;
    for (const std::string& path : paths) {
        names << displayText(path);
    }
    if (!m_prompts.ask(
            &m_owner, tr("Delete"),
            tr("Delete these items permanently? This cannot be undone.\n\n%1").arg(listOf(names)),
            QMessageBox::No)) {
        return;
    }
    QStringList failures;
    for (const std::string& path : paths) {
        const Result<void> deleted = deletePermanently(path);
        if (deleted.ok()) {
            gone.push_back(path);
        } else {
            failures << QStringLiteral("%1: %2").arg(displayText(path),
                                                     messageText(deleted.error()));
        }
    }
    if (!failures.isEmpty()) {
        m_prompts.message(&m_owner, tr("Delete"),
                          tr("These items could not be deleted:\n\n%1").arg(listOf(failures)),
                          QMessageBox::Warning);
    }
}

void ItemCommands::properties(const std::string& path) {
    if (!entryExists(path)) {
        m_prompts.message(&m_owner, tr("Properties"), missingText({displayText(path)}, false),
                          QMessageBox::Warning);
        return;
    }
    m_properties->start(path);
}

void ItemCommands::showReport(const QString& report) {
    m_prompts.message(&m_owner, tr("Properties"), report, QMessageBox::NoIcon);
}

}  // namespace zandor
