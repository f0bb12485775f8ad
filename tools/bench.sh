#!/usr/bin/env bash
# The benchmark (not part of the test run): tools/bench.sh [x86_64|i686]
# Builds the optimised build, prints reports through the driver, opens and converts the work files,
# converts the same report as PDF with pdftotext -layout, and prints one table of ratios. Each ratio
# is the median of pairs measured one right after the other (A, B, A, B, ...), so that both sides
# of a pair see the machine in the same state; the spread of the pairs stands beside it, and a row
# is met only when its median is. Takes about six minutes on x86_64 once built.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ARCH="${1:-x86_64}"
case "$ARCH" in i686|x86_64) ;; *) echo "usage: $0 [x86_64|i686]" >&2; exit 2;; esac
PAIRS=7         # pairs per ratio of whole conversions against pdftotext
OPEN_RUNS=3     # processes that open 10 against 1000 pages by turns, nine pairs each
START_PAIRS=11  # pairs of KEST.exe starts, which vary the most

# What the comparison needs: pdftotext (poppler-utils) and a text-to-PDF road (enscript, then
# ghostscript's ps2pdf).
missing=()
command -v pdftotext >/dev/null || missing+=(poppler-utils)
command -v enscript >/dev/null || missing+=(enscript)
command -v ps2pdf >/dev/null || missing+=(ghostscript)
if [ ${#missing[@]} -gt 0 ]; then
  echo "== bench: installing ${missing[*]}"
  SUDO=""; [ "$(id -u)" = 0 ] || SUDO=sudo
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null
fi

# The optimised build, in the folder where tools/build.sh puts it (through its compile cache). Only
# what the benchmark runs is built: the benchmark, the stand-in program the driver starts, KEST.exe.
BUILD="$ROOT/build/$ARCH-release"
mkdir -p "$ROOT/build"
"$ROOT/tools/build.sh" "$ARCH" Release kest_bench kest_program_standin KEST >"$ROOT/build/bench-build-$ARCH.log" 2>&1 || {
  cat "$ROOT/build/bench-build-$ARCH.log"; exit 1; }
BIN="$BUILD/bin"

source "$ROOT/tools/wine-env.sh"
trap kest_stop_display EXIT
kest_start_display
LOADER="$(kest_wine_for "$BIN/kest_bench.exe")"

WORK="$ROOT/build/bench-$ARCH"
rm -rf "$WORK"; mkdir -p "$WORK/jobs"
winpath() { echo "Z:$1" | tr / '\\'; }
JOBS="$(winpath "$WORK/jobs")"
PROGRAM="$(winpath "$BIN/kest_program_standin.exe")"
KEST="$(winpath "$BIN/KEST.exe")"

bench() { "$LOADER" "$BIN/kest_bench.exe" "$@" </dev/null 2>"$WORK/stderr.log" | tr -d '\r'; }
# The value of name= in the output of a run.
value() { sed -n "s/^$1=//p" <<<"$2" | head -n1; }
calc() { awk "BEGIN { printf \"%.2f\", $1 }"; }
unixpath() { local p="${1#Z:}"; echo "${p//\\//}"; }
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
# Median, lowest and highest of the numbers on standard input, one a line: "median low high".
stats() {
  # Blank lines (the ends of the lists built here) are no values.
  sed '/^[[:space:]]*$/d' | sort -g | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "0 0 0"; exit }
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%.4f %.4f %.4f\n", m, v[1], v[NR] }'
}
median() { stats | cut -d' ' -f1; }
# "low-high" of stats output, as the spread of a row.
spread() { awk '{ printf "%.2f-%.2f", $2, $3 }' <<<"$1"; }
verdict() { awk "BEGIN { print ($1) ? \"met\" : \"NOT MET\" }"; }

declare -A END_PAIRS END_MS PAGE_PAIRS PAGE_TO_FLOOR DRAW DEFLATE PEAK WORKFILE
LONGEST_600_COLOUR=100   # a 1000-page job at 600 dpi in colour takes too long for one run
echo "== bench: capture"
for dpi in 144 600; do
  for mode in mono colour; do
    for pages in 1 10 100 1000; do
      if [ "$dpi/$mode" = 600/colour ] && [ "$pages" -gt $LONGEST_600_COLOUR ]; then continue; fi
      key="$dpi/$mode/$pages"
      # Each sampled page gives one pair (the page's end, and the deflate of its image right before
      # and right after it); a job of one page is printed seven times to have seven, one of ten
      # pages twice.
      runs=1; [ "$pages" -ge 5 ] || runs=7; [ "$pages" != 10 ] || runs=2
      pairs=""
      for ((run = 0; run < runs; run++)); do
        out="$(bench capture "$pages" "$dpi" "$mode" "$JOBS" "$PROGRAM")" || {
          echo "capture $pages $dpi $mode failed:"; cat "$WORK/stderr.log"; exit 1; }
        pairs+="$(sed -n 's/^pair=//p' <<<"$out")"$'\n'
        file="$(unixpath "$(value workfile "$out")")"
        if [ "$dpi/$mode" = 144/mono ] && [ "$pages" -ge 10 ]; then
          mv "$file" "$WORK/report-$pages.kest"; WORKFILE[$pages]="$WORK/report-$pages.kest"
        else
          rm -f "$file"
        fi
        PEAK[$key]="$(value peak_mb "$out")"
      done
      END_PAIRS[$key]="$(awk 'NF == 4 && $2 > 0 { print $1 / $2 }' <<<"$pairs" | stats)"
      PAGE_PAIRS[$key]="$(awk 'NF == 4 { print $3 }' <<<"$pairs" | stats)"
      PAGE_TO_FLOOR[$key]="$(awk 'NF == 4 && $2 > 0 { print $3 / $2 }' <<<"$pairs" | median)"
      DRAW[$key]="$(awk 'NF == 4 { print $4 }' <<<"$pairs" | median)"
      DEFLATE[$key]="$(awk 'NF == 4 { print $2 }' <<<"$pairs" | median)"
      END_MS[$key]="$(awk 'NF == 4 { print $1 }' <<<"$pairs" | median)"
    done
  done
done

echo "== bench: the same report as PDF"
for pages in 10 100 1000; do
  # 60 lines a page in Courier 10, no headers, one PDF page per page.
  bench report "$pages" "$(winpath "$WORK/report-$pages.txt")" >/dev/null
  enscript -q -B -f Courier10 -L 60 -p "$WORK/report-$pages.ps" "$WORK/report-$pages.txt"
  ps2pdf "$WORK/report-$pages.ps" "$WORK/report-$pages.pdf"
  pdfpages="$(pdfinfo "$WORK/report-$pages.pdf" | sed -n 's/^Pages: *//p')"
  [ "$pdfpages" = "$pages" ] || { echo "the PDF has $pdfpages pages, not $pages"; exit 1; }
done

# The two sides of a pair take turns going first (A B, B A, A B, ...), so that neither gains from
# what the one before it left behind.
echo "== bench: conversion against pdftotext, $PAIRS pairs a size"
declare -A CONVERT_RATIO CONVERT_RATE PDF_RATE CONVERT_PEAK PARSED TEXT_MB RATES OPEN ARCHIVE
pdftotext_ms() {
  local start ms; start=$(now_ms)
  pdftotext -layout "$WORK/report-$1.pdf" "$WORK/report-$1.pdf.txt"
  ms=$(( $(now_ms) - start )); [ "$ms" -gt 0 ] || ms=1
  echo "$ms"
}
for pages in 10 100 1000; do
  file="$(winpath "${WORKFILE[$pages]}")"
  ratios="" rates="" pdfrates="" peaks="" parsed=""
  for ((pair = 0; pair < PAIRS; pair++)); do
    [ $((pair % 2)) = 0 ] || ms="$(pdftotext_ms "$pages")"
    out="$(bench convert "$file")" || { echo "convert $pages failed:"; cat "$WORK/stderr.log"; exit 1; }
    [ $((pair % 2)) = 1 ] || ms="$(pdftotext_ms "$pages")"
    rate="$(value convert_pages_per_s "$out")"
    pdfrate="$(calc "1000 * $pages / $ms")"
    ratios+="$(calc "$rate / $pdfrate")"$'\n'
    rates+="$rate"$'\n'; pdfrates+="$pdfrate"$'\n'
    peaks+="$(value peak_mb "$out")"$'\n'; parsed+="$(value parsed_mb "$out")"$'\n'
    TEXT_MB[$pages]="$(calc "$(value text_kb "$out") * 2 / 1024")"   # UTF-16: two bytes a character
  done
  CONVERT_RATIO[$pages]="$(stats <<<"$ratios")"
  CONVERT_RATE[$pages]="$(median <<<"$rates")"; PDF_RATE[$pages]="$(median <<<"$pdfrates")"
  RATES[$pages]="$rates"
  CONVERT_PEAK[$pages]="$(median <<<"$peaks")"; PARSED[$pages]="$(median <<<"$parsed")"
done

echo "== bench: open and page 1, 10 against 1000 pages, $OPEN_RUNS processes of 9 pairs"
openpairs=""
for ((run = 0; run < OPEN_RUNS; run++)); do
  out="$(bench open "$(winpath "${WORKFILE[10]}")" "$(winpath "${WORKFILE[1000]}")")" || {
    echo "open failed:"; cat "$WORK/stderr.log"; exit 1; }
  openpairs+="$(sed -n 's/^pair=//p' <<<"$out")"$'\n'
done
opens="$(awk 'NF == 4 && $1 > 0 { print $2 / $1 }' <<<"$openpairs")"
open10="$(awk 'NF == 4 { print $1 }' <<<"$openpairs")"; open1000="$(awk 'NF == 4 { print $2 }' <<<"$openpairs")"
archive10="$(awk 'NF == 4 { print $3 }' <<<"$openpairs")"; archive1000="$(awk 'NF == 4 { print $4 }' <<<"$openpairs")"

echo "== bench: KEST.exe to its window and to page 1, 10 against 1000 pages, $START_PAIRS pairs"
# The first start of a prefix sets up what later starts find; it is not counted.
bench start "$KEST" >/dev/null || { echo "KEST.exe did not start:"; cat "$WORK/stderr.log"; exit 1; }
start_with() {
  bench start "$KEST" "$(winpath "${WORKFILE[$1]}")" "${@:2}" || {
    echo "KEST.exe with $1 pages failed:" >&2; cat "$WORK/stderr.log" >&2; return 1; }
}
windows="" firsts="" first10="" first1000=""
for ((pair = 0; pair < START_PAIRS; pair++)); do
  picture=(); [ "$pair" -gt 0 ] || picture=("$(winpath "$WORK/first-page-1000.bmp")")
  if [ $((pair % 2)) = 0 ]; then small="$(start_with 10)"; large="$(start_with 1000 "${picture[@]}")"
  else large="$(start_with 1000 "${picture[@]}")"; small="$(start_with 10)"; fi
  windows+="$(value window_ms "$small")"$'\n'"$(value window_ms "$large")"$'\n'
  firsts+="$(calc "$(value first_page_ms "$large") / $(value first_page_ms "$small")")"$'\n'
  first10+="$(value first_page_ms "$small")"$'\n'; first1000+="$(value first_page_ms "$large")"$'\n'
done

row() { printf '%-44s %-40s %-32s %6s %-11s %-8s %s\n' "$@"; }
ratio_of() { calc "$(cut -d' ' -f1 <<<"$1")"; }
echo
echo "Kest benchmark: $ARCH Release build under wine, $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores," \
  "load $(cut -d' ' -f1 /proc/loadavg)"
row "measurement" "Kest" "against" "ratio" "spread" "target" ""
for dpi in 144 600; do
  for mode in mono colour; do
    for pages in 1 10 100 1000; do
      key="$dpi/$mode/$pages"
      if [ -z "${END_PAIRS[$key]:-}" ]; then
        row "page end $dpi dpi $mode, $pages pages" "not run: too slow for one run" \
          "(measured at $LONGEST_600_COLOUR pages)" "-" "" "" ""
        continue
      fi
      r="$(ratio_of "${END_PAIRS[$key]}")"
      row "page end $dpi dpi $mode, $pages pages" \
        "$(calc "${END_MS[$key]}") ms/page (engine drawing $(calc "${DRAW[$key]}"))" \
        "deflate $(calc "${DEFLATE[$key]}") ms/page" "${r}x" "$(spread "${END_PAIRS[$key]}")" "<= 1.2x" \
        "$(verdict "$r <= 1.2")"
    done
  done
done
for combo in 144/mono 144/colour 600/mono; do
  large="$(cut -d' ' -f1 <<<"${PAGE_PAIRS[$combo/1000]}")" small="$(cut -d' ' -f1 <<<"${PAGE_PAIRS[$combo/10]}")"
  # Each page's cost in units of the deflate measured around its end, so that the machine being
  # slower during one job than during the other does not count as the driver's.
  r="$(calc "${PAGE_TO_FLOOR[$combo/1000]} / ${PAGE_TO_FLOOR[$combo/10]}")"
  row "capture cost/page ${combo/\// dpi }, 1000 vs 10" "$(calc "$large") ms/page" "$(calc "$small") ms/page" \
    "${r}x" "" "<= 1.2x" "$(verdict "$r <= 1.2")"
done
o="$(stats <<<"$opens")"; r="$(ratio_of "$o")"
row "open + page 1, 1000 vs 10 pages" "$(calc "$(median <<<"$open1000")") ms" "$(calc "$(median <<<"$open10")") ms" \
  "${r}x" "$(spread "$o")" "<= 1.2x" \
  "$(verdict "$r <= 1.2"); archive directory alone $(calc "$(median <<<"$archive1000")") vs $(calc "$(median <<<"$archive10")") ms"
w="$(stats <<<"$windows")"
row "KEST.exe to its main window" "$(calc "$(cut -d' ' -f1 <<<"$w")") ms" "" "-" "$(spread "$w")" "" \
  "(what a user waits for; no target)"
o="$(stats <<<"$firsts")"; r="$(ratio_of "$o")"
row "KEST.exe to page 1 on the screen, 1000 vs 10" "$(calc "$(median <<<"$first1000")") ms" \
  "$(calc "$(median <<<"$first10")") ms" "${r}x" "$(spread "$o")" "<= 1.2x" "$(verdict "$r <= 1.2")"
for pages in 10 100 1000; do
  r="$(ratio_of "${CONVERT_RATIO[$pages]}")"
  row "words+detection+parse+text, $pages pages" "$(calc "${CONVERT_RATE[$pages]}") pages/s" \
    "pdftotext -layout $(calc "${PDF_RATE[$pages]}") pages/s" "${r}x" "$(spread "${CONVERT_RATIO[$pages]}")" \
    ">= 1.2x" "$(verdict "$r >= 1.2")"
done
# Pair k of the 10-page conversions with pair k of the 1000-page ones: the cost of a page at 1000
# pages against its cost at 10, as the 10-page rate over the 1000-page one.
c="$(paste <(echo -n "${RATES[10]}") <(echo -n "${RATES[1000]}") | awk 'NF == 2 && $2 > 0 { print $1 / $2 }' | stats)"
r="$(ratio_of "$c")"
row "conversion cost/page, 1000 vs 10 pages" "$(calc "${CONVERT_RATE[1000]}") pages/s" \
  "$(calc "${CONVERT_RATE[10]}") pages/s" "${r}x" "$(spread "$c")" "<= 1.2x" "$(verdict "$r <= 1.2")"
r="$(calc "${PEAK[144/mono/1000]} / ${PEAK[144/mono/10]}")"
row "peak memory, driver's process, 1000 vs 10" "${PEAK[144/mono/1000]} MB" "${PEAK[144/mono/10]} MB" \
  "${r}x" "" "<= 1.5x" "$(verdict "$r <= 1.5")"
r="$(calc "(${CONVERT_PEAK[1000]} - ${TEXT_MB[1000]}) / ${CONVERT_PEAK[10]}")"
row "peak memory, conversion, 1000 vs 10" "$(calc "${CONVERT_PEAK[1000]}") MB less its text ${TEXT_MB[1000]} MB" \
  "$(calc "${CONVERT_PEAK[10]}") MB" "${r}x" "" "<= 1.5x" \
  "$(verdict "$r <= 1.5"); parsed, before the text: $(calc "${PARSED[1000]}") vs $(calc "${PARSED[10]}") MB"
echo "Ratios are medians of pairs, each pair measured one right after the other; the spread is the"
echo "lowest and highest pair. A row is met when its median is."
echo "Page end: the driver's own part of a page, the image and the page's record written into the"
echo "archive, against zlib's deflate of the same page's bits at the work file's level, the mean of one"
echo "right before and one right after it, on up to ten pages spread over the job (twenty from 100"
echo "pages on; a job of one page is printed seven times, one of ten twice). The engine's"
echo "drawing of the page (wine's, on Windows the graphics engine's) is shown beside it, not counted."
echo "Capture cost/page: the sampled pages' whole time, white page to page end (medians beside); the"
echo "ratio is that of the medians of each page's time over the deflate floor measured around its end."
echo "Conversion: open, detection on page 1, per-page rows, parse and tab-separated text of every page"
echo "in one process, against pdftotext -layout timed as the whole command, the two one after the other;"
echo "the device context it measures text with is made before its clock starts, as the program's page"
echo "view has its own."
echo "KEST.exe: started with the work file as a user starts it, timed from outside to its main window"
echo "and to the first page drawn on the screen (pixels of the page view read back), then closed."
echo "Peak memory: peak working set of the process (capture: 144 dpi black and white); a conversion"
echo "of 1000 pages is held within 1.5x of one of 10 pages plus the size of its own text."
