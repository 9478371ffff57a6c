#!/usr/bin/env bash
# Times zandor-find against GNU find and fd on a generated tree, warm and
# cold, the window's own search path end to end, the contents search
# against ripgrep and GNU grep on a real tree, and the search inside office
# documents and PDFs against pdfgrep.
#
#   bash bench/compare.sh TREE_DIR [BUILD_DIR]
#   ZANDOR_BENCH_GROUPS=contents bash bench/compare.sh [TREE_DIR [BUILD_DIR]]
#   ZANDOR_BENCH_GROUPS=documents bash bench/compare.sh TREE_DIR [BUILD_DIR]
#
# Builds the project in Release into BUILD_DIR (default: build-bench at the
# repository root), generates (or reuses) a tree of 1,000,000 files in 100,000
# folders under TREE_DIR with zandor-make-tree, then runs hyperfine once per
# comparison group so that all figures of a group come from the same run:
#
#   list       every entry with path, size, mtime and birth time
#              zandor-find TREE | find TREE -printf ... | fdfind -uu -l . TREE
#   names      names only: zandor-find --format null | find -print0 | fdfind -uu -0
#   selective  only the *.h files
#              zandor-find -n '*.h' TREE | find TREE -name '*.h' | fdfind -uu -e h . TREE
#   cold       (root only) list and names on the same tree in an ext4 image on a
#              loop device, caches dropped and the image mounted afresh before
#              every run; skipped with a message otherwise
#   window     zandor-results-bench --search TREE: the window's engine and
#              results pane, offscreen, to the completion (beside zandor-find)
#   xwindow    the window itself on Xvfb with openbox, driven with xdotool
#              (bench/window_x.sh): from the Search key to the completion
#              title, against zandor-find TREE in the same run, and its
#              resident memory empty and after the search; skipped with a
#              message when Xvfb, openbox, xdotool or xprop is missing
#   contents   files holding a word, on a real tree (not the generated one, whose
#              files are mostly empty), case-blind and case-sensitive:
#              zandor-find --format null [--case-sensitive] --containing WORD TREE
#              | rg -l -uu -0 [-i] -F WORD TREE | grep -rl[i]F WORD TREE;
#              warm only (a cold run would need the real tree copied into an
#              image); also prints how many files each found and how many of
#              zandor-find's and rg's differ
#   documents  the text inside office documents and PDFs, on a generated folder
#              (or the one made before) of ZANDOR_DOCS_PER_FORMAT files in each of
#              odt docx pdf (Writer, from plain text), ods xlsx (Calc, from CSV)
#              and odp pptx (Impress, from flat ODP), about one in ten holding the
#              word zandorquill, which their raw bytes never show:
#              zandor-find --format null --containing zandorquill DOCS
#              | zandor-find --format null --containing zandorquill DOCS/pdf
#              | pdfgrep -r -l -i -F zandorquill DOCS/pdf
#              (pdfgrep reads PDFs only: the fair pair is the second and the
#              third); warm only; prints how many files of each format each found
#              against how many hold the word. Needs soffice and pdfgrep (Debian:
#              pdfgrep libreoffice-writer-nogui libreoffice-calc-nogui
#              libreoffice-impress-nogui); skipped with a message without them, and
#              a format LibreOffice cannot make is left out with a message
#
# The warm groups run one warm-up run per command; output goes to /dev/null.
#
# Environment overrides:
#   ZANDOR_FIND          zandor-find binary to time (default BUILD_DIR/cli/zandor-find)
#   ZANDOR_NO_BUILD=1    skip the CMake configure and build; BUILD_DIR must hold
#                        bench/zandor-make-tree already
#   ZANDOR_BENCH_RUNS    timed runs per command (default 5; cold and xwindow: 3)
#   ZANDOR_BENCH_OUTPUT  hyperfine --output value: null (default) or pipe
#   ZANDOR_TREE_FILES    files in the tree (default 1000000)
#   ZANDOR_TREE_FOLDERS  folders in the tree (default 100000)
#   ZANDOR_COLD_IMAGE    the ext4 image of the cold group (default TREE_DIR.img;
#                        made on first use, about 2 GB)
#   ZANDOR_BENCH_GROUPS  the groups to run, separated by spaces or commas (default:
#                        list names selective cold window xwindow contents documents);
#                        with only contents and documents, no tree is made, and
#                        TREE_DIR may be left out when documents is not among them or
#                        ZANDOR_DOCS_DIR is set
#   ZANDOR_CONTENTS_TREE the real tree of the contents group (default /usr/include)
#   ZANDOR_CONTENTS_WORD the word it looks for (default mutex: in some files, not
#                        most)
#   ZANDOR_DOCS_DIR      the documents group's folder (default TREE_DIR-documents);
#                        reused when it holds what the settings ask for, else made
#                        afresh (only when empty, missing or made by this script)
#   ZANDOR_DOCS_PER_FORMAT  documents of each format (default 200)
set -euo pipefail

die() {
  echo "compare.sh: $*" >&2
  exit 1
}

groups=" ${ZANDOR_BENCH_GROUPS:-list names selective cold window xwindow contents documents} "
groups=${groups//,/ }
wants() { [[ $groups == *" $1 "* ]]; }
# Every group but contents and documents walks the generated tree.
needs_tree=0
for group in list names selective cold window xwindow; do
  wants "$group" && needs_tree=1
done

# The documents folder is named after the tree unless given.
needs_tree_dir=$needs_tree
wants documents && [[ -z ${ZANDOR_DOCS_DIR:-} ]] && needs_tree_dir=1

if [[ $# -gt 2 || ($# -lt 1 && $needs_tree_dir == 1) || ${1:-} == -h || ${1:-} == --help ]]; then
  sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2
  exit 2
fi

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
abspath() {
  case $1 in
    /*) printf '%s\n' "$1" ;;
    *) printf '%s\n' "$PWD/$1" ;;
  esac
}
tree_dir=$(abspath "${1:-/nonexistent}")
tree_dir=${tree_dir%/}
build_dir=$(abspath "${2:-$repo_root/build-bench}")

runs=${ZANDOR_BENCH_RUNS:-5}
output=${ZANDOR_BENCH_OUTPUT:-null}
tree_files=${ZANDOR_TREE_FILES:-1000000}
tree_folders=${ZANDOR_TREE_FOLDERS:-100000}

contents_tree=$(abspath "${ZANDOR_CONTENTS_TREE:-/usr/include}")
contents_word=${ZANDOR_CONTENTS_WORD:-mutex}

docs_dir=$(abspath "${ZANDOR_DOCS_DIR:-$tree_dir-documents}")
docs_dir=${docs_dir%/}
docs_per_format=${ZANDOR_DOCS_PER_FORMAT:-200}
# One lowercase word, so that it needs no quoting in CSV or XML; the files
# beside the documents (the stamp) must never hold it.
docs_word=zandorquill

tools=(hyperfine cmake)
[[ $needs_tree == 1 ]] && tools+=(fdfind find)
wants contents && tools+=(rg grep)
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null 2>&1 ||
    die "$tool not found; install with scripts/bootstrap.sh"
done
if wants documents; then
  if ! command -v soffice >/dev/null 2>&1 || ! command -v pdfgrep >/dev/null 2>&1; then
    echo "== Group \"documents\" skipped: needs soffice and pdfgrep (Debian: pdfgrep" \
      "libreoffice-writer-nogui libreoffice-calc-nogui libreoffice-impress-nogui)" >&2
    groups=${groups/ documents / }
  fi
  [[ $docs_per_format =~ ^[1-9][0-9]*$ ]] ||
    die "ZANDOR_DOCS_PER_FORMAT must be a whole number above 0, not $docs_per_format"
fi
if wants contents; then
  [[ -d $contents_tree ]] || die "contents tree $contents_tree is not a folder (ZANDOR_CONTENTS_TREE)"
  [[ -n $contents_word ]] || die "ZANDOR_CONTENTS_WORD is empty"
fi

# Reads hyperfine JSON with python3 when available, else awk.
python=
if [[ -x /usr/bin/python3 ]]; then
  python=/usr/bin/python3
elif command -v python3 >/dev/null 2>&1; then
  python=$(command -v python3)
fi

if [[ ${ZANDOR_NO_BUILD:-0} != 1 ]]; then
  echo "== Building (Release) in $build_dir" >&2
  (
    cd "$repo_root"
    cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release -DZANDOR_BUILD_TESTS=OFF \
      -DZANDOR_BUILD_BENCH=ON >&2
    cmake --build "$build_dir" -j2 >&2
  )
fi

make_tree=$build_dir/bench/zandor-make-tree
zandor=${ZANDOR_FIND:-$build_dir/cli/zandor-find}
[[ -x $zandor ]] || die "$zandor not found or not executable (set ZANDOR_FIND to override)"

if [[ $needs_tree == 1 ]]; then
  [[ -x $make_tree ]] || die "$make_tree not found; build failed?"
  echo "== Tree $tree_dir ($tree_files files, $tree_folders folders)" >&2
  tree_start=$(date +%s.%N)
  "$make_tree" "$tree_dir" --files "$tree_files" --folders "$tree_folders"
  tree_end=$(date +%s.%N)
  awk -v a="$tree_start" -v b="$tree_end" 'BEGIN { printf "tree ready in %.1f s\n", b - a }' >&2
fi

tmp=$(mktemp -d "${TMPDIR:-/tmp}/zandor-compare.XXXXXX")
trap 'rm -rf "$tmp"' EXIT

q_tree=$(printf '%q' "$tree_dir")
q_zandor=$(printf '%q' "$zandor")

# The documents group's folder: plain text, CSV and flat ODP sources made
# here, converted by LibreOffice in one call per format, so that the words
# sit in deflated XML or compressed PDF streams as real documents keep them.
# A stamp beside them says what was made, from which settings, and which
# files hold the word; it never holds the word itself.
docs_formats=(odt docx pdf ods xlsx odp pptx)
docs_stamp=$docs_dir/.zandor-documents
docs_stamp_head="zandor documents 1, $docs_per_format per format"

# docs_sources FOLDER: N sources of each kind under FOLDER/writer, /calc and
# /impress, varied in length, about one in ten holding the word (at times at
# a sentence start, so capitalized), and a few holding "zandor quill", which
# must not count. The same seed makes the same folder every time.
docs_sources() {
  mkdir -p "$1/writer" "$1/calc" "$1/impress"
  awk -v dir="$1" -v n="$docs_per_format" -v word="$docs_word" '
    function pick() { return vocab[int(rand() * nv) + 1] }
    function cap(w) { return toupper(substr(w, 1, 1)) substr(w, 2) }
    # k words in sentences of 6 to 16; the word at a random place if holds.
    function prose(k, holds,   at, i, s, w, left) {
      at = holds ? int(rand() * k) + 1 : 0
      s = ""
      left = 0
      for (i = 1; i <= k; i++) {
        w = (i == at) ? word : pick()
        if (!holds && rand() < 0.002) w = "zandor quill"
        if (left == 0) { w = cap(w); left = 6 + int(rand() * 11) }
        s = s (i > 1 ? " " : "") w
        left--
        if (left == 0 || i == k) s = s "."
        else if (rand() < 0.07) s = s ","
      }
      return s
    }
    function cell(   r) {
      r = rand()
      if (r < 0.3) return int(rand() * 100000)
      if (r < 0.4) return sprintf("%.2f", rand() * 1000)
      if (r < 0.8) return pick()
      return pick() " " pick()
    }
    BEGIN {
      srand(25)
      nv = split("account across action advice after afternoon again almost " \
        "along always amount animal answer anything apple april area around " \
        "autumn balance basket beach before behind bicycle bottle branch bread " \
        "bridge bright budget button candle carpet castle ceiling century chair " \
        "change charge cheese circle citizen climate clock cloud coffee column " \
        "common copper corner cotton council country course cover crystal " \
        "culture current curtain daily danger debate decade delivery desert " \
        "detail diamond dinner direction distance doctor dragon drawer dream " \
        "during eagle early earth editor effort eleven engine evening example " \
        "factory family farmer feather figure finger forest fortune friday " \
        "garden gather gentle glass golden grammar gravel harbor harvest health " \
        "hollow honest horizon hunger island jacket journey kettle kitchen " \
        "ladder lantern latest leather lemon letter library linen liquid market " \
        "meadow member method middle minute mirror moment monday morning " \
        "mountain museum napkin narrow nature needle network number ocean office " \
        "orange orchard paper parcel pencil pepper picture planet pocket " \
        "position powder purple quarter question rabbit ribbon river saddle " \
        "salmon schedule season second silver simple sister spring station " \
        "stream summer supply table thunder ticket timber tomato travel tuesday " \
        "valley velvet village violet voyage walnut weather window winter " \
        "wooden yellow", vocab, " ")
      for (f = 1; f <= n; f++) {
        # Text: one to four paragraphs, each a line, blank lines between.
        file = sprintf("%s/writer/text-%04d.txt", dir, f)
        np = 1 + int(rand() * 4)
        hp = rand() < 0.1 ? 1 + int(rand() * np) : 0
        for (p = 1; p <= np; p++)
          printf "%s%s\n", (p > 1 ? "\n" : ""), prose(15 + int(rand() * 90), p == hp) > file
        close(file)

        # CSV: a header and 2 to 11 rows of 2 to 5 columns.
        file = sprintf("%s/calc/sheet-%04d.csv", dir, f)
        nr = 3 + int(rand() * 10)
        nc = 2 + int(rand() * 4)
        hr = rand() < 0.1 ? 2 + int(rand() * (nr - 1)) : 0
        hc = 1 + int(rand() * nc)
        for (r = 1; r <= nr; r++) {
          line = ""
          for (c = 1; c <= nc; c++) {
            v = (r == 1) ? cap(pick()) : cell()
            if (r == hr && c == hc) v = rand() < 0.5 ? word : pick() " " word
            line = line (c > 1 ? "," : "") v
          }
          print line > file
        }
        close(file)

        # Flat ODP: one to three slides, each a title and one to three
        # paragraphs in a text box.
        file = sprintf("%s/impress/slides-%04d.fodp", dir, f)
        ns = 1 + int(rand() * 3)
        hs = rand() < 0.1 ? 1 + int(rand() * ns) : 0
        print "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" > file
        print "<office:document" \
          " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\"" \
          " xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\"" \
          " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"" \
          " xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\"" \
          " office:version=\"1.3\"" \
          " office:mimetype=\"application/vnd.oasis.opendocument.presentation\">" > file
        print "<office:body><office:presentation>" > file
        for (s = 1; s <= ns; s++) {
          printf "<draw:page draw:name=\"page%d\">\n", s > file
          printf "<draw:frame svg:x=\"2cm\" svg:y=\"1cm\" svg:width=\"24cm\" svg:height=\"3cm\">" \
            "<draw:text-box><text:p>%s %s</text:p></draw:text-box></draw:frame>\n",
            cap(pick()), pick() > file
          printf "<draw:frame svg:x=\"2cm\" svg:y=\"5cm\" svg:width=\"24cm\" svg:height=\"12cm\">" \
            "<draw:text-box>\n" > file
          npar = 1 + int(rand() * 3)
          hpar = (s == hs) ? 1 + int(rand() * npar) : 0
          for (p = 1; p <= npar; p++)
            printf "<text:p>%s</text:p>\n", prose(6 + int(rand() * 25), p == hpar) > file
          print "</draw:text-box></draw:frame></draw:page>" > file
        }
        print "</office:presentation></office:body></office:document>" > file
        close(file)
      }
    }'
}

# docs_convert FORMAT KIND EXT [INFILTER]: every KIND/*.EXT source into
# DOCS/FORMAT, in one soffice call. A format soffice made none of is left
# out (Impress missing, say); one it made only some of is an error.
docs_convert() {
  local format=$1 kind=$2 ext=$3 made
  local -a infilter=()
  [[ -n ${4:-} ]] && infilter=("--infilter=$4")
  mkdir -p "$docs_dir/$format"
  soffice "-env:UserInstallation=file://$tmp/lo-profile" --headless "${infilter[@]}" \
    --convert-to "$format" --outdir "$docs_dir/$format" "$tmp/sources/$kind"/*."$ext" \
    >"$tmp/soffice-$format.log" 2>&1 || true
  made=$(find "$docs_dir/$format" -type f -name "*.$format" | wc -l)
  if [[ $made -eq 0 ]]; then
    echo "== Documents: soffice made no .$format file; left out. It said:" >&2
    tail -n 3 "$tmp/soffice-$format.log" >&2
    rm -rf "${docs_dir:?}/$format"
    return 1
  fi
  if [[ $made -ne $docs_per_format ]]; then
    tail -n 5 "$tmp/soffice-$format.log" >&2
    die "soffice made $made of $docs_per_format .$format files in $docs_dir/$format"
  fi
}

# The documents of each kind holding the word, as paths below DOCS, from
# the sources (case-blind, as zandor-find and pdfgrep -i look).
docs_holding() {
  local kind=$1 ext=$2 format
  shift 2
  for format in "$@"; do
    [[ -d $docs_dir/$format ]] || continue
    { grep -rliF "$docs_word" "$tmp/sources/$kind" || true; } | LC_ALL=C sort |
      sed "s|^.*/\(.*\)\.$ext\$|$format/\1.$format|"
  done
}

make_documents() {
  if [[ -f $docs_stamp && $(sed -n 1p "$docs_stamp") == "$docs_stamp_head" &&
    $(sed -n 2p "$docs_stamp") == formats* ]]; then
    echo "== Documents $docs_dir (reused, $docs_per_format per format)" >&2
    return
  fi
  if [[ -e $docs_dir ]]; then
    [[ -d $docs_dir ]] || die "$docs_dir is not a folder (ZANDOR_DOCS_DIR)"
    if [[ ! -f $docs_stamp && -n $(ls -A "$docs_dir") ]]; then
      die "$docs_dir holds files this script did not make; give an empty or new folder (ZANDOR_DOCS_DIR)"
    fi
    local format
    for format in "${docs_formats[@]}"; do
      rm -rf "${docs_dir:?}/$format"
    done
    rm -f "$docs_stamp"
  fi
  mkdir -p "$docs_dir"
  echo "$docs_stamp_head" >"$docs_stamp"
  echo "incomplete" >>"$docs_stamp"

  echo "== Documents $docs_dir ($docs_per_format per format)" >&2
  local start end
  start=$(date +%s.%N)
  docs_sources "$tmp/sources"
  local -a made=()
  docs_convert odt writer txt && made+=(odt)
  docs_convert docx writer txt && made+=(docx)
  docs_convert pdf writer txt && made+=(pdf)
  # Comma-separated, double-quoted text, UTF-8, from the first line.
  docs_convert ods calc csv CSV:44,34,76,1 && made+=(ods)
  docs_convert xlsx calc csv CSV:44,34,76,1 && made+=(xlsx)
  docs_convert odp impress fodp && made+=(odp)
  docs_convert pptx impress fodp && made+=(pptx)
  end=$(date +%s.%N)
  [[ -d $docs_dir/pdf ]] || die "soffice made no PDF; the group needs them for pdfgrep"
  {
    echo "$docs_stamp_head"
    echo "formats ${made[*]}"
    docs_holding writer txt odt docx pdf
    docs_holding calc csv ods xlsx
    docs_holding impress fodp odp pptx
  } >"$docs_stamp.new"
  mv "$docs_stamp.new" "$docs_stamp"
  rm -rf "$tmp/sources" "$tmp/lo-profile"
  awk -v a="$start" -v b="$end" 'BEGIN { printf "documents ready in %.1f s\n", b - a }' >&2
}
wants documents && make_documents

# run_group NAME then pairs of (label, command).
run_group() {
  local group=$1
  shift
  local -a args=()
  while [[ $# -gt 0 ]]; do
    args+=(--command-name "$1" "$2")
    shift 2
  done
  echo >&2
  echo "== Group \"$group\"" >&2
  hyperfine --warmup 1 --runs "$runs" --output="$output" \
    --export-json "$tmp/$group.json" "${args[@]}" >&2
}

# Output line counts: a check that the tools did comparable work.
count_lines() {
  local label=$1 cmd=$2
  printf '  %-10s %s lines\n' "$label" "$(bash -c "$cmd" 2>/dev/null | wc -l)"
}

list_zandor="$q_zandor $q_tree"
list_find="find $q_tree -printf '%p\t%s\t%T@\t%B@\n'"
list_fd="fdfind -uu -l . $q_tree"
list_fd1="fdfind -uu -l -j1 . $q_tree"

sel_zandor="$q_zandor -n '*.h' $q_tree"
sel_find="find $q_tree -name '*.h'"
sel_fd="fdfind -uu -e h . $q_tree"
sel_fd1="fdfind -uu -j1 -e h . $q_tree"

names_zandor="$q_zandor --format null $q_tree"
names_find="find $q_tree -print0"
names_fd="fdfind -uu -0 . $q_tree"
names_fd8="fdfind -uu -j8 -0 . $q_tree"

wants list && run_group list zandor "$list_zandor" find "$list_find" fd "$list_fd" fd-j1 "$list_fd1"
wants names && run_group names zandor "$names_zandor" find "$names_find" fd "$names_fd" fd-j8 "$names_fd8"
wants selective && run_group selective zandor "$sel_zandor" find "$sel_find" fd "$sel_fd" fd-j1 "$sel_fd1"

# The contents group: a real tree, warm. zandor-find is case-blind unless
# told otherwise; rg and grep are case-sensitive unless given -i. rg exits
# with 1 when no file holds the word and grep with 2 when a file cannot be
# read, so failures are ignored: the counts below show what each found.
q_ctree=$(printf '%q' "$contents_tree")
q_word=$(printf '%q' "$contents_word")
cont_zandor="$q_zandor --format null --containing $q_word $q_ctree"
cont_rg_i="rg -l -uu -0 -i -F $q_word $q_ctree"
cont_grep_i="grep -rliF $q_word $q_ctree"
cont_zandor_cs="$q_zandor --format null --case-sensitive --containing $q_word $q_ctree"
cont_rg="rg -l -uu -0 -F $q_word $q_ctree"
cont_grep="grep -rlF $q_word $q_ctree"
if wants contents; then
  echo >&2
  echo "== Group \"contents\" ($contents_tree, word $contents_word)" >&2
  hyperfine --warmup 1 --runs "$runs" --output="$output" --ignore-failure \
    --export-json "$tmp/contents.json" \
    --command-name zandor "$cont_zandor" \
    --command-name rg-i "$cont_rg_i" \
    --command-name grep-i "$cont_grep_i" \
    --command-name zandor-cs "$cont_zandor_cs" \
    --command-name rg "$cont_rg" \
    --command-name grep "$cont_grep" >&2
fi

# The documents group, warm: zandor-find over every format, then over the
# PDFs alone against pdfgrep, which reads nothing else. pdfgrep is given -i
# and -F to look as zandor-find does (case-blind, literal), and exits with 1
# when no file holds the word, so failures are ignored here too.
q_docs=$(printf '%q' "$docs_dir")
q_docs_pdf=$(printf '%q' "$docs_dir/pdf")
docs_zandor="$q_zandor --format null --containing $docs_word $q_docs"
docs_zandor_pdf="$q_zandor --format null --containing $docs_word $q_docs_pdf"
docs_pdfgrep="pdfgrep -r -l -i -F $docs_word $q_docs_pdf"
if wants documents; then
  echo >&2
  echo "== Group \"documents\" ($docs_dir, word $docs_word)" >&2
  hyperfine --warmup 1 --runs "$runs" --output="$output" --ignore-failure \
    --export-json "$tmp/documents.json" \
    --command-name zandor "$docs_zandor" \
    --command-name zandor-pdf "$docs_zandor_pdf" \
    --command-name pdfgrep "$docs_pdfgrep" >&2
fi

# The cold group: the same tree in an ext4 image, mounted afresh with the
# page cache dropped before every run, so that every folder and inode comes
# from the disk.
cold_image=${ZANDOR_COLD_IMAGE:-$tree_dir.img}
cold_mnt=$tmp/cold
cold_ran=0
if ! wants cold; then
  :
elif [[ $(id -u) -ne 0 ]]; then
  echo "== Group \"cold\" skipped: dropping caches and mounting an image needs root" >&2
else
  mkdir -p "$cold_mnt"
  if [[ ! -f $cold_image ]]; then
    echo "== Making $cold_image" >&2
    truncate -s 3G "$cold_image"
    mkfs.ext4 -q -N 1400000 "$cold_image"
    mount -o loop "$cold_image" "$cold_mnt"
    "$make_tree" "$cold_mnt/tree" --files "$tree_files" --folders "$tree_folders"
    umount "$cold_mnt"
  fi
  q_mnt=$(printf '%q' "$cold_mnt")
  q_image=$(printf '%q' "$cold_image")
  cold_prepare="umount $q_mnt 2>/dev/null; sync; echo 3 > /proc/sys/vm/drop_caches; mount -o loop,ro $q_image $q_mnt"
  cold_tree="$q_mnt/tree"
  echo >&2
  echo "== Group \"cold\"" >&2
  hyperfine --runs "${ZANDOR_BENCH_RUNS:-3}" --output="$output" --prepare "$cold_prepare" \
    --export-json "$tmp/cold.json" \
    --command-name zandor "$q_zandor $cold_tree" \
    --command-name find "find $cold_tree -printf '%p\t%s\t%T@\t%B@\n'" \
    --command-name zandor-names "$q_zandor --format null $cold_tree" \
    --command-name fd-names "fdfind -uu -0 . $cold_tree" \
    --command-name fd-j8-names "fdfind -uu -j8 -0 . $cold_tree" >&2
  umount "$cold_mnt" 2>/dev/null || true
  cold_ran=1
fi

# The window's path: engine and pane in one process, offscreen.
results_bench=$build_dir/bench/zandor-results-bench
window_out=$tmp/window.txt
if ! wants window; then
  :
elif [[ -x $results_bench ]]; then
  echo >&2
  echo "== Group \"window\"" >&2
  # Warm like the other warm groups, with one run left out: the cold group
  # dropped the page cache, and the first search would otherwise read from
  # the disk what a names-only walk does not (every entry's inode, and the
  # window's libraries).
  "$results_bench" --search "$tree_dir" >/dev/null 2>&1
  for _ in 1 2 3; do
    "$results_bench" --search "$tree_dir" >>"$window_out"
  done
  cat "$window_out" >&2
else
  echo "== Group \"window\" skipped: $results_bench was not built (no Qt?)" >&2
fi

# The window itself on a real X server, driven from outside.
window_app=$build_dir/app/zandor
xwindow_out=$tmp/xwindow.txt
if ! wants xwindow; then
  :
elif ! command -v Xvfb >/dev/null 2>&1 || ! command -v openbox >/dev/null 2>&1 ||
  ! command -v xdotool >/dev/null 2>&1 || ! command -v xprop >/dev/null 2>&1; then
  echo "== Group \"xwindow\" skipped: needs Xvfb, openbox, xdotool and xprop" \
    "(Debian: xvfb openbox xdotool x11-utils; scripts/bootstrap.sh)" >&2
elif [[ ! -x $window_app ]]; then
  echo "== Group \"xwindow\" skipped: $window_app was not built (no Qt?)" >&2
else
  echo >&2
  echo "== Group \"xwindow\"" >&2
  # A window that fails to start or to finish costs this group, not the
  # figures of the others.
  if ! bash "$repo_root/bench/window_x.sh" "$window_app" "$zandor" "$tree_dir" \
    "${ZANDOR_BENCH_RUNS:-3}" >"$xwindow_out"; then
    echo "== Group \"xwindow\" failed (its message is above)" >&2
    rm -f "$xwindow_out"
  fi
fi

# Prints "label mean stddev" lines from a hyperfine JSON export.
means() {
  if [[ -n $python ]]; then
    "$python" - "$1" <<'EOF'
import json, sys
with open(sys.argv[1]) as f:
    for r in json.load(f)["results"]:
        print(r["command"], r["mean"], r["stddev"] if r["stddev"] is not None else 0)
EOF
  else
    # hyperfine writes one key per line; "command" precedes "mean" and "stddev".
    awk -F': ' '
      /"command":/ { c = $2; gsub(/[",]/, "", c) }
      /"mean":/    { m = $2; gsub(/,/, "", m) }
      /"stddev":/  { s = $2; gsub(/,/, "", s); if (s == "null") s = 0; print c, m, s }
    ' "$1"
  fi
}

# Prints "label failed-runs" lines from a hyperfine JSON export: the timed
# runs of each command that exited with a code other than 0.
failures() {
  if [[ -n $python ]]; then
    "$python" - "$1" <<'EOF'
import json, sys
with open(sys.argv[1]) as f:
    for r in json.load(f)["results"]:
        print(r["command"], sum(1 for c in r.get("exit_codes") or [] if c != 0))
EOF
  else
    # One exit code a line, after "exit_codes": [ and up to the ].
    awk '
      /"command":/    { c = $2; gsub(/[",]/, "", c) }
      /"exit_codes":/ { codes = 1; n = 0; next }
      codes && /\]/   { codes = 0; print c, n; next }
      codes           { v = $0; gsub(/[ ,]/, "", v); if (v != "0") n++ }
    ' "$1"
  fi
}

report() {
  local group=$1
  means "$tmp/$group.json" | awk -v group="$group" '
    { mean[$1] = $2; sd[$1] = $3; order[++n] = $1 }
    END {
      printf "\n%s\n", group
      for (i = 1; i <= n; i++)
        printf "  %-8s %9.3f s  +- %.3f\n", order[i], mean[order[i]], sd[order[i]]
      z = mean["zandor"]
      for (i = 1; i <= n; i++)
        if (order[i] != "zandor" && order[i] !~ /names/)
          printf "  zandor/%-7s %6.2f\n", order[i], z / mean[order[i]]
      if ("zandor-names" in mean) {
        printf "  names: zandor/fd      %6.2f\n", mean["zandor-names"] / mean["fd-names"]
        printf "  names: zandor/fd-j8   %6.2f\n", mean["zandor-names"] / mean["fd-j8-names"]
      }
    }'
}

# The window's mean time to the completion against the warm zandor-find list.
report_window() {
  [[ -s $window_out && -f $tmp/list.json ]] || return 0
  local zandor_mean
  zandor_mean=$(means "$tmp/list.json" | awk '$1 == "zandor" { print $2 }')
  awk -v z="$zandor_mean" '
    /^search to the completion:/ { t += $5; n++; if ($(NF - 1) + 0 > stall) stall = $(NF - 1) + 0 }
    /^sort by key/ { if ($(NF - 1) + 0 > sortStall) sortStall = $(NF - 1) + 0 }
    /^resident memory/ { if ($6 + 0 > mem) mem = $6 + 0 }
    END {
      printf "\nwindow (%d runs)\n", n
      printf "  search to completion %6.3f s, window/zandor-find %5.2f\n", t / n, t / n / z
      printf "  longest stall: search %d ms, sort %d ms; rows resident %.1f MB\n", stall, sortStall, mem
    }' "$window_out"
}

echo
echo "== Machine"
echo "  cpus       $(nproc)"
echo "  cpu        $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo 2>/dev/null || echo unknown)"
echo "  memory     $(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)"
echo "  kernel     $(uname -sr) $(uname -m)"
if [[ $needs_tree == 1 ]]; then
  echo "  filesystem $(stat -f -c %T "$tree_dir") (as reported by stat -f -c %T)"
  echo "  fd         $(fdfind --version | awk '{ print $2 }')"
  # shellcheck disable=SC2185 # GNU find prints its version without a path
  echo "  find       $(find --version 2>/dev/null | sed -n 1p)"
fi
if wants contents; then
  echo "  contents   $contents_tree on $(stat -f -c %T "$contents_tree"): $(
    find "$contents_tree" -type f 2>/dev/null | wc -l) files, $(
    find "$contents_tree" -type d 2>/dev/null | wc -l) folders, $(
    du -sh "$contents_tree" 2>/dev/null | cut -f1); word $contents_word"
  echo "  rg         $(rg --version | sed -n 1p)"
  echo "  grep       $(grep --version | sed -n 1p)"
fi
if wants documents; then
  echo "  documents  $docs_dir on $(stat -f -c %T "$docs_dir"): $(
    for format in $(sed -n '2s/^formats //p' "$docs_stamp"); do
      printf '%s %s, ' "$(find "$docs_dir/$format" -type f | wc -l)" "$format"
    done)$(du -sh "$docs_dir" | cut -f1); word $docs_word"
  echo "  pdfgrep    $(pdfgrep --version | sed -n 1p)"
  echo "  soffice    $(soffice --version 2>/dev/null | sed -n 1p)"
fi
echo "  hyperfine  $(hyperfine --version | awk '{ print $2 }')"
echo "  zandor     $zandor"
echo "  commit     $(git -C "$repo_root" rev-parse --short HEAD 2>/dev/null || echo none)$(
  [[ -n $(git -C "$repo_root" status --porcelain 2>/dev/null) ]] && echo ' (uncommitted changes)')"
echo "  runs       warm cache, 1 warm-up + $runs timed runs per command, --output=$output"

echo
echo "== Commands"
commands=()
wants list && commands+=("$list_zandor" "$list_find" "$list_fd" "$list_fd1")
wants names && commands+=("$names_zandor" "$names_find" "$names_fd" "$names_fd8")
wants selective && commands+=("$sel_zandor" "$sel_find" "$sel_fd" "$sel_fd1")
wants contents && commands+=("$cont_zandor" "$cont_rg_i" "$cont_grep_i" "$cont_zandor_cs"
  "$cont_rg" "$cont_grep")
wants documents && commands+=("$docs_zandor" "$docs_zandor_pdf" "$docs_pdfgrep")
for c in "${commands[@]}"; do
  echo "  $c"
done

if wants list || wants selective; then
  echo
  echo "== Output lines (list, selective)"
  if wants list; then
    count_lines zandor "$list_zandor"
    count_lines find "$list_find"
    count_lines fd "$list_fd"
  fi
  if wants selective; then
    count_lines zandor "$sel_zandor"
    count_lines find "$sel_find"
    count_lines fd "$sel_fd"
  fi
fi

# The files each contents command found, sorted; grep ends its names with a
# line feed, the others with a NUL.
contents_files() {
  local name=$1 cmd=$2
  if [[ $name == grep* ]]; then
    bash -c "$cmd" 2>/dev/null | LC_ALL=C sort >"$tmp/$name.files" || true
  else
    bash -c "$cmd" 2>/dev/null | tr '\0' '\n' | LC_ALL=C sort >"$tmp/$name.files" || true
  fi
}
if wants contents; then
  echo
  echo "== Files found (contents)"
  contents_files zandor "$cont_zandor"
  contents_files rg-i "$cont_rg_i"
  contents_files grep-i "$cont_grep_i"
  contents_files zandor-cs "$cont_zandor_cs"
  contents_files rg "$cont_rg"
  contents_files grep "$cont_grep"
  for name in zandor rg-i grep-i zandor-cs rg grep; do
    printf '  %-10s %s files\n' "$name" "$(wc -l <"$tmp/$name.files")"
  done
  printf '  case-blind:     %s only zandor-find found, %s only rg\n' \
    "$(comm -23 "$tmp/zandor.files" "$tmp/rg-i.files" | wc -l)" \
    "$(comm -13 "$tmp/zandor.files" "$tmp/rg-i.files" | wc -l)"
  printf '  case-sensitive: %s only zandor-find found, %s only rg\n' \
    "$(comm -23 "$tmp/zandor-cs.files" "$tmp/rg.files" | wc -l)" \
    "$(comm -13 "$tmp/zandor-cs.files" "$tmp/rg.files" | wc -l)"
fi

# The files each documents command found, as paths below DOCS, sorted;
# zandor-find ends its names with a NUL, pdfgrep with a line feed. Then a
# table of each format: documents made, those holding the word, and those
# each command found; then what each missed or found without the word, and
# how many hold the word in their raw bytes (none should: a byte search
# must not find it).
docs_files() {
  local name=$1 cmd=$2
  bash -c "$cmd" 2>/dev/null | tr '\0' '\n' |
    awk -v prefix="$docs_dir/" 'index($0, prefix) == 1 { print substr($0, length(prefix) + 1); next } { print }' |
    LC_ALL=C sort >"$tmp/docs-$name.files" || true
}
if wants documents; then
  echo
  echo "== Files found (documents, word $docs_word)"
  sed '1,2d' "$docs_stamp" | LC_ALL=C sort >"$tmp/docs-holding.files"
  docs_files zandor "$docs_zandor"
  docs_files zandor-pdf "$docs_zandor_pdf"
  docs_files pdfgrep "$docs_pdfgrep"
  for format in $(sed -n '2s/^formats //p' "$docs_stamp"); do
    printf '%s %s %s %s %s %s\n' "$format" \
      "$(find "$docs_dir/$format" -type f -name "*.$format" | wc -l)" \
      "$(grep -c "^$format/" "$tmp/docs-holding.files")" \
      "$(grep -c "^$format/" "$tmp/docs-zandor.files")" \
      "$(grep -c "^$format/" "$tmp/docs-zandor-pdf.files")" \
      "$(grep -c "^$format/" "$tmp/docs-pdfgrep.files")"
  done | awk '
    BEGIN { printf "  %-7s %6s %8s %7s %11s %8s\n", "format", "made", "holding", "zandor", "zandor-pdf", "pdfgrep" }
    { printf "  %-7s %6d %8d %7d %11s %8s\n", $1, $2, $3, $4, $1 == "pdf" ? $5 : "-", $1 == "pdf" ? $6 : "-"
      for (i = 2; i <= 6; i++) t[i] += $i }
    END { printf "  %-7s %6d %8d %7d %11d %8d\n", "all", t[2], t[3], t[4], t[5], t[6] }'
  # Files found that are not documents of a made format (the stamp, say)
  # count in no row: say so rather than lose them.
  others=$(cat "$tmp/docs-zandor.files" "$tmp/docs-pdfgrep.files" |
    grep -cvE "^($(sed -n '2s/^formats //p' "$docs_stamp" | tr ' ' '|'))/[^/]*$" || true)
  [[ $others -gt 0 ]] && echo "  $others other files found (not a document of a made format)"
  for name in zandor zandor-pdf pdfgrep; do
    holding=$tmp/docs-holding.files
    if [[ $name != zandor ]]; then
      grep '^pdf/' "$tmp/docs-holding.files" >"$tmp/docs-holding-pdf.files" || true
      holding=$tmp/docs-holding-pdf.files
    fi
    printf '  %-10s %s of %s holding the word missed, %s found without it\n' "$name" \
      "$(comm -23 "$holding" "$tmp/docs-$name.files" | wc -l)" "$(wc -l <"$holding")" \
      "$(comm -13 "$holding" "$tmp/docs-$name.files" | wc -l)"
  done
  echo "  raw bytes  $(grep -rlaiF "$docs_word" "$docs_dir" | wc -l) files hold the word as bytes (grep -rlaiF)"
fi

# The contents group's means and the ratios of each zandor-find run to the
# peers that compare letter case as it does.
report_contents() {
  means "$tmp/contents.json" | awk '
    { mean[$1] = $2; sd[$1] = $3; order[++n] = $1 }
    END {
      printf "\ncontents\n"
      for (i = 1; i <= n; i++)
        printf "  %-9s %9.3f s  +- %.3f\n", order[i], mean[order[i]], sd[order[i]]
      printf "  zandor/rg-i       %6.2f\n", mean["zandor"] / mean["rg-i"]
      printf "  zandor/grep-i     %6.2f\n", mean["zandor"] / mean["grep-i"]
      printf "  zandor-cs/rg      %6.2f\n", mean["zandor-cs"] / mean["rg"]
      printf "  zandor-cs/grep    %6.2f\n", mean["zandor-cs"] / mean["grep"]
    }'
}

echo
echo "== Mean wall time (ratio below 1: zandor faster)"
wants list && report list
wants names && report names
wants selective && report selective
[[ $cold_ran == 1 ]] && report cold
report_window
[[ -s $xwindow_out ]] && cat "$xwindow_out"
if wants contents; then
  report_contents
fi
if wants documents; then
  means "$tmp/documents.json" | awk '
    { mean[$1] = $2; sd[$1] = $3; order[++n] = $1 }
    END {
      printf "\ndocuments\n"
      for (i = 1; i <= n; i++)
        printf "  %-10s %9.3f s  +- %.3f\n", order[i], mean[order[i]], sd[order[i]]
      printf "  zandor-pdf/pdfgrep %6.2f\n", mean["zandor-pdf"] / mean["pdfgrep"]
    }'
  # Failures are ignored while timing, for pdfgrep's sake; a zandor-find
  # run that failed (its binary relinked mid-run, say) timed no search.
  failures "$tmp/documents.json" | awk -v runs="$runs" '
    $1 ~ /^zandor/ && $2 > 0 {
      printf "  %s: %d of %d runs exited with an error; its time is no search'"'"'s\n", $1, $2, runs
    }'
fi
