#include "results/file_actions.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace zandor {

namespace {

QByteArray bytesOf(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

QString errnoText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Whether Qt's own file functions reach this path: they take it as text, and
// a path that is not valid UTF-8 does not survive the trip.
bool qtCanCarry(const std::string& path) {
    return QFile::encodeName(QFile::decodeName(bytesOf(path))) == bytesOf(path);
}

std::string homeTrashFolder() {
    const QByteArray folder =
        QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                          QStringLiteral("/Trash"));
    return folder.toStdString();
}

std::string absolutePathOf(const std::string& path) {
    if (path.starts_with('/')) {
        return path;
    }
    return QFile::encodeName(QDir::currentPath()).toStdString() + "/" + path;
}

// The freedesktop home trash written directly, for an item whose path Qt
// cannot carry: the info file first (created exclusively, so a name already
// in the trash is never overwritten), then the item itself.
TrashOutcome moveToHomeTrashByBytes(const std::string& path) {
    const std::string trash = homeTrashFolder();
    const std::string files = trash + "/files";
    const std::string info = trash + "/info";
    for (const std::string& folder : {trash, files, info}) {
        ::mkdir(folder.c_str(), 0700);
    }
    struct stat item {};
    struct stat home {};
    if (::lstat(path.c_str(), &item) != 0) {
        return {false, true, errnoText(errno)};
    }
    if (::stat(files.c_str(), &home) != 0 || item.st_dev != home.st_dev) {
        return {false, false, QStringLiteral("its file system has no trash folder")};
    }
    const std::string absolute = absolutePathOf(path);
    const std::string name = absolute.substr(absolute.rfind('/') + 1);
    const QByteArray entry =
        "[Trash Info]\nPath=" + bytesOf(absolute).toPercentEncoding("/") +
        "\nDeletionDate=" + QDateTime::currentDateTime().toString(Qt::ISODate).toLatin1() + "\n";
    for (int attempt = 1; attempt < 10000; ++attempt) {
        const std::string stored = attempt == 1 ? name : name + "." + std::to_string(attempt);
        const std::string infoPath = info + "/" + stored + ".trashinfo";
        const int fd = ::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return {false, false, errnoText(errno)};
        }
        const bool written =
            ::write(fd, entry.constData(), static_cast<std::size_t>(entry.size())) == entry.size();
        ::close(fd);
        const std::string target = files + "/" + stored;
        if (written && ::syscall(SYS_renameat2, AT_FDCWD, path.c_str(), AT_FDCWD, target.c_str(),
                                 RENAME_NOREPLACE) == 0) {
            return {true, false, {}};
        }
        const int error = written ? errno : EIO;
        ::unlink(infoPath.c_str());
        if (error != EEXIST) {
            return {false, false, errnoText(error)};
        }
    }
    return {false, false, QStringLiteral("the trash is full")};
}

}  // namespace

QUrl FileUrlOf(const std::string& path) {
    return QUrl::fromEncoded("file://" + bytesOf(path).toPercentEncoding("/"));
}

void OpenWithDefaultHandler(const std::string& path) {
    QDesktopServices::openUrl(FileUrlOf(path));
}

TrashOutcome MoveItemToTrash(const std::string& path) {
    if (!qtCanCarry(path)) {
        return moveToHomeTrashByBytes(path);
    }
    QFile item(QFile::decodeName(bytesOf(path)));
    if (item.moveToTrash()) {
        return {true, false, {}};
    }
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        return {false, true, errnoText(errno)};
    }
    const QString why = item.errorString();
    return {false, false,
            why.isEmpty() ? QStringLiteral("it could not be moved to the Trash") : why};
}

QString DeletePermanently(const std::string& path) {
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::path(path), error);
    return error ? QString::fromLocal8Bit(error.message().c_str()) : QString();
}

}  // namespace zandor
