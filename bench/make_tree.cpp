// zandor-make-tree: builds a deterministic, generated directory tree for walk
// benchmarks.
//
//   zandor-make-tree DIR [--files N] [--folders M] [--seed S] [--force]
//
// The tree holds exactly M folders (default 100,000) arranged as a complete
// 10-ary tree under DIR (10 top-level folders, each with 10 sub-folders, and so
// on: five levels for the defaults), and exactly N files (default 1,000,000)
// spread over those folders, about N/M per folder with some jitter. Names mix
// words, separators, numbers and extensions (about 1% ".h"); a few files and
// folders are hidden. Most files are empty; about 2% get between 1 byte and a
// few KiB of content.
//
// Everything depends only on (N, M, S), so two runs with the same parameters
// produce the same tree. When the tree is complete the program writes
// DIR/.zandor-tree-complete with the parameters; a later run with the same
// parameters reuses the tree. With other parameters, or after an interrupted
// build (DIR/.zandor-tree-building present), DIR's contents are removed and the
// tree is rebuilt. A non-empty DIR carrying neither marker is left alone unless
// --force is given.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fs_descent.h"
#include "platform/fs_dir.h"
#include "platform/fs_fd.h"
#include "platform/fs_file.h"
#include "platform/fs_path.h"

namespace {

using namespace zandor;

constexpr const char* kCompleteMarker = ".zandor-tree-complete";
constexpr const char* kBuildingMarker = ".zandor-tree-building";
constexpr std::uint64_t kFanOut = 10;

struct Params {
    std::string dir;
    std::uint64_t files = 1'000'000;
    std::uint64_t folders = 100'000;
    std::uint64_t seed = 1;
    bool force = false;
};

[[noreturn]] void die(const std::string& what) {
    std::fprintf(stderr, "zandor-make-tree: %s\n", what.c_str());
    std::exit(1);
}

[[noreturn]] void dieWith(const std::string& what, const Error& error) {
    die(what + ": " + error.message);
}

[[noreturn]] void dieErrno(const std::string& what) {
    dieWith(what, Error::fromErrno(errno));
}

[[noreturn]] void usage() {
    std::fprintf(stderr,
                 "usage: zandor-make-tree DIR [--files N] [--folders M] [--seed S] [--force]\n"
                 "  --files N    number of files (default 1000000)\n"
                 "  --folders M  number of folders, at least 1 (default 100000)\n"
                 "  --seed S     seed for names, counts and contents (default 1)\n"
                 "  --force      clear DIR even if it was not made by this program\n");
    std::exit(2);
}

std::uint64_t parseCount(std::string_view option, const char* text) {
    std::uint64_t value = 0;
    const std::string_view s(text);
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty()) {
        die(std::string(option) + ": not a non-negative integer: " + std::string(s));
    }
    return value;
}

Params parseArgs(int argc, char** argv) {
    Params p;
    bool haveDir = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) {
                die(std::string(arg) + " needs a value");
            }
            return argv[++i];
        };
        if (arg == "--files") {
            p.files = parseCount(arg, value());
        } else if (arg == "--folders") {
            p.folders = parseCount(arg, value());
        } else if (arg == "--seed") {
            p.seed = parseCount(arg, value());
        } else if (arg == "--force") {
            p.force = true;
        } else if (arg == "-h" || arg == "--help") {
            usage();
        } else if (!arg.empty() && arg[0] == '-') {
            die("unknown option: " + std::string(arg));
        } else if (!haveDir) {
            p.dir = std::string(arg);
            haveDir = true;
        } else {
            usage();
        }
    }
    if (!haveDir || p.dir.empty()) {
        usage();
    }
    if (p.folders == 0) {
        die("--folders must be at least 1");
    }
    if (p.folders > 100'000'000 || p.files > 1'000'000'000) {
        die("counts too large");
    }
    return p;
}

std::string markerText(const Params& p) {
    return "zandor-make-tree 1\nfiles " + std::to_string(p.files) + "\nfolders " +
           std::to_string(p.folders) + "\nseed " + std::to_string(p.seed) + "\n";
}

// ---------------------------------------------------------------------------
// Deterministic randomness: every folder gets its own generator seeded from
// (seed, folder index), so the result does not depend on creation order.

std::uint64_t splitmix(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

class Rng {
  public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next() {
        m_state += 0x9e3779b97f4a7c15ULL;
        std::uint64_t z = m_state;
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    std::uint64_t below(std::uint64_t n) { return n == 0 ? 0 : next() % n; }
    // True with probability perMille / 1000.
    bool chance(std::uint64_t perMille) { return below(1000) < perMille; }

  private:
    std::uint64_t m_state;
};

std::uint64_t nodeSeed(std::uint64_t seed, std::uint64_t node, std::uint64_t salt) {
    return splitmix(splitmix(seed ^ (salt * 0x632be59bd9b4e019ULL)) ^ node);
}

// ---------------------------------------------------------------------------
// Names. Words contain no digits and no dots, and every generated name holds
// exactly one run of digits (its index among its siblings), so siblings never
// collide. The few fixed names below contain no digits at all.

constexpr std::array<std::string_view, 48> kWords = {
    "src",     "lib",    "include", "core",   "util",   "main",   "test",   "docs",
    "assets",  "build",  "config",  "data",   "cache",  "module", "parser", "render",
    "network", "io",     "image",   "Icon",   "Report", "report", "notes",  "draft",
    "photo",   "backup", "archive", "vendor", "third",  "party",  "engine", "widget",
    "Client",  "server", "handler", "index",  "schema", "layout", "theme",  "font",
    "audio",   "video",  "kernel",  "driver", "Alpha",  "beta",   "gamma",  "delta"};

constexpr std::array<std::string_view, 4> kSeparators = {"", "-", "_", " "};

struct Ext {
    std::string_view ext;
    std::uint64_t weight;  // out of kExtTotal
};

// About 1% ".h"; 10% of names have no extension.
constexpr std::array<Ext, 26> kExts = {{
    {".h", 10},      {".c", 40},    {".cpp", 40},  {".hpp", 6},  {".txt", 110}, {".md", 30},
    {".json", 60},   {".png", 100}, {".jpg", 60},  {".o", 50},   {".py", 50},   {".js", 70},
    {".html", 30},   {".css", 20},  {".xml", 20},  {".log", 30}, {".gz", 20},   {".so", 4},
    {".rs", 20},     {".go", 20},   {".java", 30}, {".csv", 20}, {".yaml", 20}, {".svg", 30},
    {".tar.gz", 10}, {"", 100},
}};

constexpr std::uint64_t extTotal() {
    std::uint64_t total = 0;
    for (const auto& e : kExts) {
        total += e.weight;
    }
    return total;
}
constexpr std::uint64_t kExtTotal = extTotal();
static_assert(kExtTotal == 1000, "extension weights are per mille");

constexpr std::array<std::string_view, 8> kFixedNames = {
    "Makefile", "README.md", "CMakeLists.txt", ".gitignore",
    "LICENSE",  "config.h",  ".env",           "index.html"};

std::string_view pickExt(Rng& rng) {
    std::uint64_t r = rng.below(kExtTotal);
    for (const auto& e : kExts) {
        if (r < e.weight) {
            return e.ext;
        }
        r -= e.weight;
    }
    return "";
}

std::string folderName(Rng& rng, std::uint64_t childIndex) {
    std::string name;
    if (rng.chance(10)) {
        name += '.';
    }
    name += kWords[rng.below(kWords.size())];
    name += kSeparators[rng.below(kSeparators.size())];
    name += std::to_string(childIndex);
    return name;
}

std::string fileName(Rng& rng, std::uint64_t index) {
    if (index == 0 && rng.chance(100)) {
        return std::string(kFixedNames[rng.below(kFixedNames.size())]);
    }
    std::string name;
    if (rng.chance(5)) {
        name += '.';
    }
    name += kWords[rng.below(kWords.size())];
    if (rng.chance(400)) {
        name += kSeparators[rng.below(kSeparators.size())];
        name += kWords[rng.below(kWords.size())];
    }
    name += kSeparators[rng.below(kSeparators.size())];
    name += std::to_string(index);
    name += pickExt(rng);
    return name;
}

// Size of a file's content: 0 for about 98% of files, otherwise 1 byte to 4 KiB
// with small sizes more likely.
std::size_t contentSize(Rng& rng) {
    if (!rng.chance(20)) {
        return 0;
    }
    const std::uint64_t bits = 1 + rng.below(12);  // 1..12
    return static_cast<std::size_t>(1 + rng.below(std::uint64_t{1} << bits));
}

// ---------------------------------------------------------------------------
// Files per folder. Folders are numbered 1..M; folder i holds
// cum(i) - cum(i-1) files, where cum(i) = i*N/M plus a jitter of less than half
// the average, so counts vary but never go negative and the total is exactly N.

class FileCounts {
  public:
    FileCounts(std::uint64_t files, std::uint64_t folders, std::uint64_t seed)
        : m_files(files), m_folders(folders), m_seed(seed), m_jitter(files / folders / 2) {}

    std::uint64_t count(std::uint64_t folder) const { return cum(folder) - cum(folder - 1); }

  private:
    std::uint64_t cum(std::uint64_t i) const {
        const std::uint64_t base = i * m_files / m_folders;
        if (i == 0 || i == m_folders || m_jitter == 0) {
            return base;
        }
        // Jitter in (-m_jitter, +m_jitter), never taking cum below 0.
        Rng rng(nodeSeed(m_seed, i, 3));
        const std::uint64_t up = rng.below(2 * m_jitter - 1);
        const std::uint64_t down = m_jitter - 1;
        return base + up >= down ? base + up - down : 0;
    }

    std::uint64_t m_files;
    std::uint64_t m_folders;
    std::uint64_t m_seed;
    std::uint64_t m_jitter;
};

// ---------------------------------------------------------------------------

struct Stats {
    std::uint64_t files = 0;
    std::uint64_t folders = 0;
    std::uint64_t bytes = 0;
    std::uint64_t nextReport = 100'000;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

double secondsSince(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

// A count as printf's %llu takes it.
unsigned long long llu(std::uint64_t n) {
    return static_cast<unsigned long long>(n);
}

// Fills the tree folder by folder, depth first, a folder's files before its
// sub-folders, keeping the open folders on a stack of its own.
class Builder {
  public:
    explicit Builder(const Params& p) : m_params(p), m_counts(p.files, p.folders, p.seed) {
        m_content.resize(8192);
        Rng rng(nodeSeed(p.seed, 0, 7));
        for (auto& c : m_content) {
            // Printable text with some line breaks.
            const auto r = rng.below(64);
            c = r == 0 ? '\n' : static_cast<char>(' ' + rng.below(95));
        }
    }

    void build(UniqueFd root) {
        m_open.push_back(Folder{std::move(root), 0, Rng(nodeSeed(m_params.seed, 0, 1)), 1});
        while (!m_open.empty()) {
            Folder& folder = m_open.back();
            const std::uint64_t child = folder.node * kFanOut + folder.nextChild;
            if (folder.nextChild > kFanOut || child > m_params.folders) {
                m_open.pop_back();
                continue;
            }
            UniqueFd fd = makeFolder(folder, folder.nextChild);
            ++folder.nextChild;
            ++m_stats.folders;
            makeFiles(fd.get(), child);
            m_open.push_back(
                Folder{std::move(fd), child, Rng(nodeSeed(m_params.seed, child, 1)), 1});
        }
    }

    const Stats& stats() const { return m_stats; }

  private:
    // A folder being filled: its handle, its number, the generator of its
    // sub-folders' names, and the index of the next sub-folder to make.
    struct Folder {
        UniqueFd fd;
        std::uint64_t node;
        Rng rng;
        std::uint64_t nextChild;
    };

    UniqueFd makeFolder(Folder& parent, std::uint64_t childIndex) {
        std::string name = folderName(parent.rng, childIndex);
        // A file without extension may already carry this name; the
        // creation order is fixed, so the renamed folder is too.
        while (::mkdirat(parent.fd.get(), name.c_str(), 0755) != 0) {
            if (errno != EEXIST) {
                dieErrno("mkdir " + name);
            }
            name += ".d";
        }
        UniqueFd fd = openSubFolder(parent.fd.get(), name.c_str());
        if (!fd.valid()) {
            dieErrno("open " + name);
        }
        return fd;
    }

    void makeFiles(int dirFd, std::uint64_t node) {
        Rng rng(nodeSeed(m_params.seed, node, 2));
        const std::uint64_t n = m_counts.count(node);
        for (std::uint64_t j = 0; j < n; ++j) {
            const std::string name = fileName(rng, j);
            const std::size_t size = contentSize(rng);
            if (size == 0) {
                // One system call per empty file.
                if (::mknodat(dirFd, name.c_str(), S_IFREG | 0644, 0) != 0) {
                    dieErrno("create " + name);
                }
            } else {
                const UniqueFd file(
                    ::openat(dirFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
                if (!file.valid()) {
                    dieErrno("create " + name);
                }
                const std::size_t offset =
                    static_cast<std::size_t>(rng.below(m_content.size() - size + 1));
                const Result<void> written =
                    writeAll(file.get(), std::string_view(m_content.data() + offset, size));
                if (!written.ok()) {
                    dieWith("write " + name, written.error());
                }
                m_stats.bytes += size;
            }
            ++m_stats.files;
            if (m_stats.files >= m_stats.nextReport) {
                m_stats.nextReport += 100'000;
                std::fprintf(stderr, "  %llu files, %llu folders, %.1f s\n", llu(m_stats.files),
                             llu(m_stats.folders), secondsSince(m_stats.start));
            }
        }
    }

    const Params& m_params;
    FileCounts m_counts;
    std::vector<char> m_content;
    Stats m_stats;
    std::vector<Folder> m_open;
};

// ---------------------------------------------------------------------------

// The marker's text, or nothing when there is no marker.
std::optional<std::string> readMarker(const std::string& dir, const char* name) {
    const Result<std::string> text = readFileText(joinPath(dir, name));
    return text.ok() ? std::optional<std::string>(text.value()) : std::nullopt;
}

void writeMarker(int dirFd, const char* name, const std::string& text) {
    const UniqueFd fd(
        ::openat(dirFd, name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644));
    if (!fd.valid()) {
        dieErrno(std::string("write ") + name);
    }
    if (const Result<void> written = writeAll(fd.get(), text); !written.ok()) {
        dieWith(std::string("write ") + name, written.error());
    }
    if (::fsync(fd.get()) != 0) {
        dieErrno(std::string("write ") + name);
    }
}

UniqueFd openOrDie(const std::string& dir) {
    Result<UniqueFd> fd = openFolder(dir.c_str());
    if (!fd.ok()) {
        dieWith("open " + dir, fd.error());
    }
    return std::move(fd.value());
}

bool isEmptyFolder(const std::string& dir) {
    const UniqueFd fd = openOrDie(dir);
    DirListing listing;
    if (const Result<void> read = listing.read(fd.get()); !read.ok()) {
        dieWith("read " + dir, read.error());
    }
    auto cursor = listing.cursor();
    DirEntry entry{};
    while (cursor.next(entry)) {
        if (!IsDots(entry.name)) {
            return false;
        }
    }
    return true;
}

// Removes everything inside dir, at any depth, links removed as links and
// never followed, without recursion.
void clearFolder(const std::string& dir) {
    UniqueFd fd = openOrDie(dir);
    FolderDescent descent;
    std::vector<std::string> entered;  // each folder's name in the one that holds it
    const Result<FolderId> rootId = folderIdOf(fd.get());
    if (!rootId.ok()) {
        dieWith("clear", rootId.error());
    }
    if (const Result<void> read = descent.enter(std::move(fd), rootId.value()); !read.ok()) {
        dieWith("clear", read.error());
    }
    while (!descent.empty()) {
        DirEntry entry{};
        if (!descent.next(entry)) {
            descent.leave();
            if (!descent.empty()) {
                if (::unlinkat(descent.fd(), entered.back().c_str(), AT_REMOVEDIR) != 0) {
                    dieErrno("remove " + entered.back());
                }
                entered.pop_back();
            }
            continue;
        }
        if (IsDots(entry.name)) {
            continue;
        }
        const std::string name(entry.name);
        const bool isFolder =
            entry.kind == EntryKind::Folder ||
            (entry.kind == EntryKind::Unknown && isFolderAt(descent.fd(), name.c_str()));
        if (!isFolder) {
            if (::unlinkat(descent.fd(), name.c_str(), 0) != 0) {
                dieErrno("remove " + name);
            }
            continue;
        }
        UniqueFd sub = openSubFolder(descent.fd(), name.c_str());
        const Result<FolderId> id =
            sub.valid() ? folderIdOf(sub.get()) : Result<FolderId>(Error::fromErrno(errno));
        if (!id.ok()) {
            dieWith("open " + name, id.error());
        }
        if (descent.onPath(id.value())) {
            die("cannot clear " + name + ": it holds a folder above it");
        }
        if (const Result<void> read = descent.enter(std::move(sub), id.value()); !read.ok()) {
            dieWith("read " + name, read.error());
        }
        entered.push_back(name);
    }
}

}  // namespace

int main(int argc, char** argv) {
    Params p = parseArgs(argc, argv);
    while (p.dir.size() > 1 && p.dir.back() == '/') {
        p.dir.pop_back();
    }
    if (p.dir == "/") {
        die("refusing to use /");
    }

    if (::mkdir(p.dir.c_str(), 0755) != 0 && errno != EEXIST) {
        dieErrno("mkdir " + p.dir);
    }
    const UniqueFd root = openOrDie(p.dir);
    const int rootFd = root.get();

    const std::string wanted = markerText(p);
    const std::optional<std::string> complete = readMarker(p.dir, kCompleteMarker);
    if (complete == wanted) {
        std::fprintf(stderr,
                     "zandor-make-tree: reusing tree in %s (%llu files, %llu folders, seed %llu)\n",
                     p.dir.c_str(), llu(p.files), llu(p.folders), llu(p.seed));
        return 0;
    }

    const bool building = readMarker(p.dir, kBuildingMarker).has_value();
    if (!isEmptyFolder(p.dir)) {
        if (!complete && !building && !p.force) {
            die(p.dir +
                " is not empty and was not made by zandor-make-tree; use --force to clear it");
        }
        std::fprintf(stderr, "zandor-make-tree: clearing %s (%s)\n", p.dir.c_str(),
                     complete ? "other parameters" : "incomplete tree");
        const auto t = std::chrono::steady_clock::now();
        clearFolder(p.dir);
        std::fprintf(stderr, "zandor-make-tree: cleared in %.1f s\n", secondsSince(t));
    }

    std::fprintf(stderr,
                 "zandor-make-tree: building %llu files in %llu folders under %s (seed %llu)\n",
                 llu(p.files), llu(p.folders), p.dir.c_str(), llu(p.seed));
    writeMarker(rootFd, kBuildingMarker, wanted);

    Builder builder(p);
    builder.build(openOrDie(p.dir));
    const Stats& s = builder.stats();

    writeMarker(rootFd, kCompleteMarker, wanted);
    if (::unlinkat(rootFd, kBuildingMarker, 0) != 0) {
        dieErrno(std::string("remove ") + kBuildingMarker);
    }
    std::fprintf(
        stderr,
        "zandor-make-tree: built %llu files (%llu bytes of content) in %llu folders in %.1f s\n",
        llu(s.files), llu(s.bytes), llu(s.folders), secondsSince(s.start));
    return 0;
}
