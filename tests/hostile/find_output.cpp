#include "find_output.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "json_checker.h"
#include "tsv_decode.h"

extern char** environ;

namespace zandor::test {

namespace {

std::string fromHex(std::string_view hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        out.push_back(static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
    }
    return out;
}

std::vector<std::string_view> lines(std::string_view out) {
    std::vector<std::string_view> result;
    while (!out.empty()) {
        const std::size_t end = out.find('\n');
        if (end == std::string_view::npos) {
            ADD_FAILURE() << "output does not end with a line feed";
            result.push_back(out);
            break;
        }
        result.push_back(out.substr(0, end));
        out.remove_prefix(end + 1);
    }
    return result;
}

}  // namespace

std::vector<std::string> NulItems(std::string_view out) {
    std::vector<std::string> items;
    while (!out.empty()) {
        const std::size_t end = out.find('\0');
        if (end == std::string_view::npos) {
            ADD_FAILURE() << "output does not end with a NUL byte";
            items.emplace_back(out);
            break;
        }
        items.emplace_back(out.substr(0, end));
        out.remove_prefix(end + 1);
    }
    return items;
}

std::vector<FoundRow> TsvRows(std::string_view out) {
    std::vector<FoundRow> rows;
    for (const std::string_view line : lines(out)) {
        const auto fields = SplitTsvLine(line);
        if (fields.size() != 6) {
            ADD_FAILURE() << "a row of " << fields.size() << " fields: " << line;
            continue;
        }
        const auto name = DecodeTsvField(fields[0]);
        const auto path = DecodeTsvField(fields[1]);
        EXPECT_TRUE(name && path) << "bad escape in " << line;
        rows.push_back(FoundRow{name.value_or(""), path.value_or(""), std::string(fields[2]),
                                std::string(fields[3]), std::string(fields[4]),
                                std::string(fields[5]), ""});
    }
    return rows;
}

std::vector<FoundRow> JsonRows(std::string_view out) {
    std::vector<FoundRow> rows;
    for (const std::string_view line : lines(out)) {
        const JsonParse parsed = ParseJson(line);
        if (!parsed.value || parsed.value->kind != JsonValue::Kind::Object) {
            ADD_FAILURE() << "not a json object (" << parsed.error << "): " << line;
            continue;
        }
        const JsonValue& object = *parsed.value;
        const auto text = [&](const std::string& key) {
            const JsonValue* value = object.member(key);
            EXPECT_NE(value, nullptr) << key << " missing in " << line;
            return value != nullptr ? value->text : std::string();
        };
        const auto bytes = [&](const std::string& key) {
            const JsonValue* hex = object.member(key + "_hex");
            return hex != nullptr ? fromHex(hex->text) : text(key);
        };
        rows.push_back(FoundRow{bytes("name"), bytes("path"), text("size_text"), text("type"),
                                text("created"), text("last_write"), text("size")});
    }
    return rows;
}

std::vector<std::string> PathsOf(const std::vector<FoundRow>& rows) {
    std::vector<std::string> paths;
    for (const auto& row : rows) {
        paths.push_back(row.path);
    }
    return paths;
}

std::vector<std::string> Sorted(std::vector<std::string> items) {
    std::sort(items.begin(), items.end());
    return items;
}

void TreeShape::add(std::string_view path) {
    if (!path.starts_with(m_root + "/")) {
        ADD_FAILURE() << "not below the root: " << path.substr(0, 200);
        return;
    }
    const std::size_t slash = path.rfind('/');
    const std::string_view parent = path.substr(0, slash);
    const std::string_view name = path.substr(slash + 1);
    std::size_t depth = 1;
    if (parent.size() > m_root.size()) {
        // The parent must be the last path added or one of the folders on it.
        const auto at = std::find(m_ends.begin(), m_ends.end(), parent.size());
        if (at == m_ends.end() || m_current.compare(0, parent.size(), parent) != 0) {
            ADD_FAILURE() << "listed before its folder: ..." << path.substr(path.size() - 100);
            return;
        }
        depth = static_cast<std::size_t>(at - m_ends.begin()) + 2;
    }
    if (depth == 1) {
        m_current = m_root;
    } else {
        m_current.resize(parent.size());
    }
    m_current.push_back('/');
    m_current.append(name);
    m_ends.resize(depth - 1);
    m_ends.push_back(m_current.size());
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%06zu ", depth);
    m_entries.push_back(prefix + std::string(name));
}

std::vector<std::string> TreeShape::sorted() const {
    return Sorted(m_entries);
}

int StreamNulItems(const std::vector<std::string>& argv,
                   const std::function<void(std::string_view)>& onItem, std::string& err) {
    int outPipe[2];
    int errPipe[2];
    if (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(errPipe, O_CLOEXEC) != 0) {
        ADD_FAILURE() << "pipe";
        return -1;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    std::vector<char*> args;
    for (const auto& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = ::posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    if (spawned != 0) {
        ::close(outPipe[0]);
        ::close(errPipe[0]);
        ADD_FAILURE() << "cannot start " << argv[0];
        return -1;
    }
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string pending;
    char buffer[1 << 16];
    int open = 2;
    while (open > 0) {
        if (::poll(fds, 2, -1) < 0) {
            continue;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) {
                continue;
            }
            const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
                continue;
            }
            if (i == 1) {
                err.append(buffer, static_cast<std::size_t>(got));
                continue;
            }
            pending.append(buffer, static_cast<std::size_t>(got));
            std::size_t start = 0;
            for (std::size_t end; (end = pending.find('\0', start)) != std::string::npos;
                 start = end + 1) {
                onItem(std::string_view(pending).substr(start, end - start));
            }
            pending.erase(0, start);
        }
    }
    EXPECT_TRUE(pending.empty()) << "output does not end with a NUL byte";
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace zandor::test
