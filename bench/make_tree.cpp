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

#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

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

[[noreturn]] void die_errno(const std::string& what) {
    const int err = errno;
    die(what + ": " + std::strerror(err));
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

std::uint64_t parse_count(std::string_view option, const char* text) {
    std::uint64_t value = 0;
    const std::string_view s(text);
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty()) {
        die(std::string(option) + ": not a non-negative integer: " + std::string(s));
    }
    return value;
}

Params parse_args(int argc, char** argv) {
    Params p;
    bool have_dir = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        auto value = [&]() -> const char* {
            if (i + 1 >= argc) {
                die(std::string(arg) + " needs a value");
            }
            return argv[++i];
        };
        if (arg == "--files") {
            p.files = parse_count(arg, value());
        } else if (arg == "--folders") {
            p.folders = parse_count(arg, value());
        } else if (arg == "--seed") {
            p.seed = parse_count(arg, value());
        } else if (arg == "--force") {
            p.force = true;
        } else if (arg == "-h" || arg == "--help") {
            usage();
        } else if (!arg.empty() && arg[0] == '-') {
            die("unknown option: " + std::string(arg));
        } else if (!have_dir) {
            p.dir = std::string(arg);
            have_dir = true;
        } else {
            usage();
        }
    }
    if (!have_dir || p.dir.empty()) {
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

std::string marker_text(const Params& p) {
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
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        state_ += 0x9e3779b97f4a7c15ULL;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
    std::uint64_t below(std::uint64_t n) { return n == 0 ? 0 : next() % n; }
    // True with probability per_mille / 1000.
    bool chance(std::uint64_t per_mille) { return below(1000) < per_mille; }

  private:
    std::uint64_t state_;
};

std::uint64_t node_seed(std::uint64_t seed, std::uint64_t node, std::uint64_t salt) {
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

constexpr std::uint64_t ext_total() {
    std::uint64_t t = 0;
    for (const auto& e : kExts) {
        t += e.weight;
    }
    return t;
}
constexpr std::uint64_t kExtTotal = ext_total();
static_assert(kExtTotal == 1000, "extension weights are per mille");

constexpr std::array<std::string_view, 8> kFixedNames = {
    "Makefile", "README.md", "CMakeLists.txt", ".gitignore",
    "LICENSE",  "config.h",  ".env",           "index.html"};

std::string_view pick_ext(Rng& rng) {
    std::uint64_t r = rng.below(kExtTotal);
    for (const auto& e : kExts) {
        if (r < e.weight) {
            return e.ext;
        }
        r -= e.weight;
    }
    return "";
}

std::string folder_name(Rng& rng, std::uint64_t child_index) {
    std::string name;
    if (rng.chance(10)) {
        name += '.';
    }
    name += kWords[rng.below(kWords.size())];
    name += kSeparators[rng.below(kSeparators.size())];
    name += std::to_string(child_index);
    return name;
}

std::string file_name(Rng& rng, std::uint64_t index) {
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
    name += pick_ext(rng);
    return name;
}

// Size of a file's content: 0 for about 98% of files, otherwise 1 byte to 4 KiB
// with small sizes more likely.
std::size_t content_size(Rng& rng) {
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
        : files_(files), folders_(folders), seed_(seed), jitter_(files / folders / 2) {}

    std::uint64_t count(std::uint64_t folder) const { return cum(folder) - cum(folder - 1); }

  private:
    std::uint64_t cum(std::uint64_t i) const {
        const std::uint64_t base = i * files_ / folders_;
        if (i == 0 || i == folders_ || jitter_ == 0) {
            return base;
        }
        // Jitter in (-jitter_, +jitter_), never taking cum below 0.
        Rng rng(node_seed(seed_, i, 3));
        const std::uint64_t up = rng.below(2 * jitter_ - 1);
        const std::uint64_t down = jitter_ - 1;
        return base + up >= down ? base + up - down : 0;
    }

    std::uint64_t files_;
    std::uint64_t folders_;
    std::uint64_t seed_;
    std::uint64_t jitter_;
};

// ---------------------------------------------------------------------------

struct Stats {
    std::uint64_t files = 0;
    std::uint64_t folders = 0;
    std::uint64_t bytes = 0;
    std::uint64_t next_report = 100'000;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

double seconds_since(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

class Builder {
  public:
    explicit Builder(const Params& p) : p_(p), counts_(p.files, p.folders, p.seed) {
        content_.resize(8192);
        Rng rng(node_seed(p.seed, 0, 7));
        for (auto& c : content_) {
            // Printable text with some line breaks.
            const auto r = rng.below(64);
            c = r == 0 ? '\n' : static_cast<char>(' ' + rng.below(95));
        }
    }

    void build(int root_fd) { fill_folder(root_fd, 0); }
    const Stats& stats() const { return stats_; }

  private:
    void fill_folder(int fd, std::uint64_t node) {
        if (node != 0) {
            make_files(fd, node);
        }
        Rng rng(node_seed(p_.seed, node, 1));
        for (std::uint64_t k = 1; k <= kFanOut; ++k) {
            const std::uint64_t child = node * kFanOut + k;
            if (child > p_.folders) {
                break;
            }
            std::string name = folder_name(rng, k);
            // A file without extension may already carry this name; the
            // creation order is fixed, so the renamed folder is too.
            while (mkdirat(fd, name.c_str(), 0755) != 0) {
                if (errno != EEXIST) {
                    die_errno("mkdir " + name);
                }
                name += ".d";
            }
            const int child_fd =
                openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
            if (child_fd < 0) {
                die_errno("open " + name);
            }
            ++stats_.folders;
            fill_folder(child_fd, child);
            close(child_fd);
        }
    }

    void make_files(int fd, std::uint64_t node) {
        Rng rng(node_seed(p_.seed, node, 2));
        const std::uint64_t n = counts_.count(node);
        for (std::uint64_t j = 0; j < n; ++j) {
            const std::string name = file_name(rng, j);
            const std::size_t size = content_size(rng);
            if (size == 0) {
                // One system call per empty file.
                if (mknodat(fd, name.c_str(), S_IFREG | 0644, 0) != 0) {
                    die_errno("create " + name);
                }
            } else {
                const int f =
                    openat(fd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
                if (f < 0) {
                    die_errno("create " + name);
                }
                const std::size_t offset =
                    static_cast<std::size_t>(rng.below(content_.size() - size + 1));
                write_all(f, content_.data() + offset, size, name);
                close(f);
                stats_.bytes += size;
            }
            ++stats_.files;
            if (stats_.files >= stats_.next_report) {
                stats_.next_report += 100'000;
                std::fprintf(stderr, "  %llu files, %llu folders, %.1f s\n",
                             static_cast<unsigned long long>(stats_.files),
                             static_cast<unsigned long long>(stats_.folders),
                             seconds_since(stats_.start));
            }
        }
    }

    static void write_all(int fd, const char* data, std::size_t size, const std::string& name) {
        while (size > 0) {
            const ssize_t w = write(fd, data, size);
            if (w < 0) {
                if (errno == EINTR) {
                    continue;
                }
                die_errno("write " + name);
            }
            data += w;
            size -= static_cast<std::size_t>(w);
        }
    }

    const Params& p_;
    FileCounts counts_;
    std::vector<char> content_;
    Stats stats_;
};

// ---------------------------------------------------------------------------

bool read_small_file(int dir_fd, const char* name, std::string& out) {
    const int fd = openat(dir_fd, name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        return false;
    }
    out.clear();
    char buf[512];
    for (;;) {
        const ssize_t r = read(fd, buf, sizeof buf);
        if (r < 0 && errno == EINTR) {
            continue;
        }
        if (r <= 0) {
            break;
        }
        out.append(buf, static_cast<std::size_t>(r));
        if (out.size() > 4096) {
            break;
        }
    }
    close(fd);
    return true;
}

void write_small_file(int dir_fd, const char* name, const std::string& text) {
    const int fd =
        openat(dir_fd, name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) {
        die_errno(std::string("write ") + name);
    }
    const char* data = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t w = write(fd, data, left);
        if (w < 0 && errno == EINTR) {
            continue;
        }
        if (w < 0) {
            die_errno(std::string("write ") + name);
        }
        data += w;
        left -= static_cast<std::size_t>(w);
    }
    if (fsync(fd) != 0 || close(fd) != 0) {
        die_errno(std::string("write ") + name);
    }
}

std::vector<std::string> list_entries(const std::string& dir) {
    std::vector<std::string> names;
    DIR* d = opendir(dir.c_str());
    if (d == nullptr) {
        die_errno("open " + dir);
    }
    while (const dirent* e = readdir(d)) {
        const std::string_view n(e->d_name);
        if (n != "." && n != "..") {
            names.emplace_back(n);
        }
    }
    closedir(d);
    return names;
}

// Runs "rm -rf -- PATH..." and waits for it.
void run_rm(const std::vector<std::string>& paths) {
    std::vector<char*> argv;
    static char rm[] = "rm";
    static char rf[] = "-rf";
    static char dashes[] = "--";
    argv.push_back(rm);
    argv.push_back(rf);
    argv.push_back(dashes);
    for (const auto& path : paths) {
        argv.push_back(const_cast<char*>(path.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int err = posix_spawnp(&pid, "rm", nullptr, nullptr, argv.data(), environ);
    if (err != 0) {
        errno = err;
        die_errno("cannot run rm");
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            die_errno("waitpid");
        }
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        die("rm -rf failed while clearing the directory");
    }
}

void clear_directory(const std::string& dir) {
    const std::vector<std::string> names = list_entries(dir);
    std::vector<std::string> batch;
    for (const auto& name : names) {
        batch.push_back(dir + "/" + name);
        if (batch.size() == 256) {
            run_rm(batch);
            batch.clear();
        }
    }
    if (!batch.empty()) {
        run_rm(batch);
    }
}

}  // namespace

int main(int argc, char** argv) {
    Params p = parse_args(argc, argv);
    while (p.dir.size() > 1 && p.dir.back() == '/') {
        p.dir.pop_back();
    }
    if (p.dir == "/") {
        die("refusing to use /");
    }

    if (mkdir(p.dir.c_str(), 0755) != 0 && errno != EEXIST) {
        die_errno("mkdir " + p.dir);
    }
    const int root_fd = open(p.dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (root_fd < 0) {
        die_errno("open " + p.dir);
    }

    const std::string wanted = marker_text(p);
    std::string found;
    const bool have_complete = read_small_file(root_fd, kCompleteMarker, found);
    if (have_complete && found == wanted) {
        std::fprintf(
            stderr, "zandor-make-tree: reusing tree in %s (%llu files, %llu folders, seed %llu)\n",
            p.dir.c_str(), static_cast<unsigned long long>(p.files),
            static_cast<unsigned long long>(p.folders), static_cast<unsigned long long>(p.seed));
        close(root_fd);
        return 0;
    }

    std::string ignored;
    const bool have_building = read_small_file(root_fd, kBuildingMarker, ignored);
    if (!list_entries(p.dir).empty()) {
        if (!have_complete && !have_building && !p.force) {
            die(p.dir +
                " is not empty and was not made by zandor-make-tree; use --force to clear it");
        }
        std::fprintf(stderr, "zandor-make-tree: clearing %s (%s)\n", p.dir.c_str(),
                     have_complete ? "other parameters" : "incomplete tree");
        const auto t = std::chrono::steady_clock::now();
        clear_directory(p.dir);
        std::fprintf(stderr, "zandor-make-tree: cleared in %.1f s\n", seconds_since(t));
    }

    std::fprintf(
        stderr, "zandor-make-tree: building %llu files in %llu folders under %s (seed %llu)\n",
        static_cast<unsigned long long>(p.files), static_cast<unsigned long long>(p.folders),
        p.dir.c_str(), static_cast<unsigned long long>(p.seed));
    write_small_file(root_fd, kBuildingMarker, wanted);

    Builder builder(p);
    builder.build(root_fd);
    const Stats& s = builder.stats();

    write_small_file(root_fd, kCompleteMarker, wanted);
    if (unlinkat(root_fd, kBuildingMarker, 0) != 0) {
        die_errno(std::string("remove ") + kBuildingMarker);
    }
    close(root_fd);
    std::fprintf(
        stderr,
        "zandor-make-tree: built %llu files (%llu bytes of content) in %llu folders in %.1f s\n",
        static_cast<unsigned long long>(s.files), static_cast<unsigned long long>(s.bytes),
        static_cast<unsigned long long>(s.folders), seconds_since(s.start));
    return 0;
}
