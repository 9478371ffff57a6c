#include "results/item_commands.h"

#include <algorithm>
#include <cerrno>

#include "platform/fs_entry_info.h"
#include "platform/fs_path.h"
#include "platform/fs_rename.h"
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

QString missingText(const QStringList& paths) {
    const QString lead = paths.size() == 1 ? QStringLiteral("This item no longer exists:")
                                           : QStringLiteral("These items no longer exist:");
    return lead + QStringLiteral("\n\n") + listOf(paths);
}

std::vector<const ResultRow*> outermostOf(std::vector<const ResultRow*> rows) {
    // An item inside a folder that is itself selected goes with that folder:
    // it is neither asked about nor trashed on its own.
    PathSet selected;
    for (const ResultRow* row : rows) {
        selected.insert(row->m_strPath);
    }
    std::erase_if(rows, [&](const ResultRow* row) { return isBelowAny(row->m_strPath, selected); });
    return rows;
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

bool ItemCommands::handOver(const QString& command, const std::vector<std::string>& paths) {
    QStringList missing;
    for (const std::string& path : paths) {
        if (entryExists(path)) {
            // A desktop without a handler for files is told apart only where
            // folders are opened: Open Containing Folder reports it.
            static_cast<void>(openWithDefaultHandler(path));
        } else {
            missing << displayText(path);
        }
    }
    if (missing.isEmpty()) {
        return true;
    }
    // Moved or removed by another program since the search listed it: the
    // desktop would only fail quietly, so the user hears it here.
    m_prompts.message(&m_owner, command, missingText(missing), QMessageBox::Warning);
    return false;
}

void ItemCommands::open(const std::vector<std::string>& paths) {
    handOver(QStringLiteral("Open"), paths);
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
        m_prompts.message(&m_owner, QStringLiteral("Open Containing Folder"), missingText(missing),
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
    QStringList failures;
    for (const std::string& folder : folders) {
        const Result<void> opened = openWithDefaultHandler(folder);
        if (!opened.ok()) {
            failures << QStringLiteral("%1: %2").arg(displayText(folder),
                                                     messageText(opened.error()));
        }
    }
    if (!failures.isEmpty()) {
        m_prompts.message(&m_owner, QStringLiteral("Open Containing Folder"),
                          tr("These folders could not be opened:\n\n%1").arg(listOf(failures)),
                          QMessageBox::Warning);
    }
}

std::optional<std::string> ItemCommands::rename(const ResultRow& row, const QString& typed) {
    if (typed.isEmpty()) {
        return std::nullopt;  // nothing typed: nothing to rename
    }
    // Only what the user changed is new: bytes of the old name that were not
    // UTF-8, and so shown as replacement characters, stay as they were.
    std::string newName = editedNameBytes(row.m_strName, typed);
    if (newName == row.m_strName) {
        return std::nullopt;
    }
    if (!renameInFolder(containingFolder(row.m_strPath), row.m_strName, newName).ok()) {
        // Shown once the editor has closed, so that the message does not take
        // the focus from an editor that would then commit again.
        postToThreadOf(this, [this] {
            m_prompts.message(&m_owner, QStringLiteral("Error"),
                              QStringLiteral("Unable to rename the file"), QMessageBox::Critical);
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
        rows.size() == 1
            ? QStringLiteral("Move \"%1\" to the Trash?").arg(displayText(rows.front()->m_strName))
            : QStringLiteral("Move %1 items to the Trash?").arg(rows.size());
    // What goes to the Trash can be restored from it: Enter confirms.
    if (!m_prompts.ask(&m_owner, QStringLiteral("Delete"), question, QMessageBox::Yes)) {
        return {};
    }
    std::vector<std::string> gone;
    std::vector<std::string> refused;
    QStringList refusals;
    for (const ResultRow* row : rows) {
        const Result<void> trashed = moveToTrash(row->m_strPath);
        // An item that had vanished is listed no longer either.
        if (trashed.ok() || trashed.error().code == ENOENT) {
            gone.push_back(row->m_strPath);
        } else {
            refused.push_back(row->m_strPath);
            refusals << QStringLiteral("%1: %2").arg(displayText(row->m_strPath),
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
    m_prompts.message(
        &m_owner, QStringLiteral("Delete"),
        QStringLiteral("These items cannot be moved to the Trash:\n\n%1").arg(listOf(refusals)),
        QMessageBox::Warning);
    QStringList names;
    for (const std::string& path : paths) {
        names << displayText(path);
    }
    if (!m_prompts.ask(
            &m_owner, QStringLiteral("Delete"),
            QStringLiteral("Delete these items permanently? This cannot be undone.\n\n%1")
                .arg(listOf(names)),
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
        m_prompts.message(
            &m_owner, QStringLiteral("Delete"),
            QStringLiteral("These items could not be deleted:\n\n%1").arg(listOf(failures)),
            QMessageBox::Warning);
    }
}

void ItemCommands::properties(const std::string& path) {
    if (!entryExists(path)) {
        m_prompts.message(&m_owner, QStringLiteral("Properties"), missingText({displayText(path)}),
                          QMessageBox::Warning);
        return;
    }
    m_properties->start(path);
}

void ItemCommands::showReport(const QByteArray& report) {
    m_prompts.message(
        &m_owner,
        QString::fromLatin1(kPropertiesCaption.data(),
                            static_cast<qsizetype>(kPropertiesCaption.size())),
        displayText(std::string_view(report.constData(), static_cast<std::size_t>(report.size()))),
        QMessageBox::NoIcon);
}

}  // namespace zandor
