#!/usr/bin/env bash
# The benchmark (not part of the test run): tools/bench.sh [x86_64|i686]
# Builds the optimised build, prints reports through the driver, opens and converts the work files,
# converts the same report as PDF with pdftotext -layout, and prints one table of ratios, each
# measured side by side in this run. Takes about five minutes on x86_64 once built.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ARCH="${1:-x86_64}"
case "$ARCH" in i686|x86_64) ;; *) echo "usage: $0 [x86_64|i686]" >&2; exit 2;; esac

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

# The optimised build, in the folder where tools/build.sh puts it; configured here when it is not
# there yet. Only what the benchmark runs is built.
BUILD="$ROOT/build/$ARCH-release"
if [ ! -f "$BUILD/build.ninja" ]; then
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-$ARCH.cmake" >/dev/null
fi
cmake --build "$BUILD" --target kest_bench kest_program_standin >"$BUILD/bench-build.log" 2>&1 || {
  cat "$BUILD/bench-build.log"; exit 1; }
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

bench() { "$LOADER" "$BIN/kest_bench.exe" "$@" </dev/null 2>"$WORK/stderr.log" | tr -d '\r'; }
# The value of name= in the output of a run.
value() { sed -n "s/^$1=//p" <<<"$2" | head -n1; }
calc() { awk "BEGIN { printf \"%.2f\", $1 }"; }
unixpath() { local p="${1#Z:}"; echo "${p//\\//}"; }

declare -A CAPTURE DEFLATE PEAK WORKFILE PHASES RATIO END_RATIO
LONGEST_600_COLOUR=100   # a 1000-page job at 600 dpi in colour takes too long for one run
echo "== bench: capture"
for dpi in 144 600; do
  for mode in mono colour; do
    for pages in 1 10 100 1000; do
      run_pages=$pages
      if [ "$dpi/$mode" = 600/colour ] && [ "$pages" -gt $LONGEST_600_COLOUR ]; then continue; fi
      out="$(bench capture "$run_pages" "$dpi" "$mode" "$JOBS" "$PROGRAM")" || {
        echo "capture $pages $dpi $mode failed:"; cat "$WORK/stderr.log"; exit 1; }
      key="$dpi/$mode/$pages"
      CAPTURE[$key]="$(value capture_ms_per_page "$out")"
      DEFLATE[$key]="$(value deflate_ms_per_page "$out")"
      PEAK[$key]="$(value peak_mb "$out")"
      RATIO[$key]="$(value capture_to_deflate "$out")"
      END_RATIO[$key]="$(value page_end_to_deflate "$out")"
      PHASES[$key]="$(printf '%.1f+%.1f+%.1f' "$(value start_page_ms "$out")" "$(value drawing_ms "$out")" \
        "$(value send_page_ms "$out")")"
      file="$(unixpath "$(value workfile "$out")")"
      if [ "$dpi/$mode" = 144/mono ] && [ "$pages" -ge 10 ]; then
        mv "$file" "$WORK/report-$pages.kest"; WORKFILE[$pages]="$WORK/report-$pages.kest"
      else
        rm -f "$file"
      fi
    done
  done
done

echo "== bench: open, conversion, pdftotext"
declare -A OPEN ARCHIVE CONVERT CONVERT_PEAK PARSED PDF
for pages in 10 100 1000; do
  file="$(winpath "${WORKFILE[$pages]}")"
  if [ "$pages" != 100 ]; then
    out="$(bench open "$file")" || { echo "open $pages failed:"; cat "$WORK/stderr.log"; exit 1; }
    OPEN[$pages]="$(value open_ms "$out")"; ARCHIVE[$pages]="$(value archive_open_ms "$out")"
  fi
  # The best of three processes, as for pdftotext: the first of a run also pays for cold caches.
  CONVERT[$pages]=0
  for _ in 1 2 3; do
    out="$(bench convert "$file")" || { echo "convert $pages failed:"; cat "$WORK/stderr.log"; exit 1; }
    rate="$(value convert_pages_per_s "$out")"
    if awk "BEGIN { exit !($rate > ${CONVERT[$pages]}) }"; then
      CONVERT[$pages]="$rate"; CONVERT_PEAK[$pages]="$(value peak_mb "$out")"
      PARSED[$pages]="$(value parsed_mb "$out")"
    fi
  done

  # The same report as PDF: 60 lines a page in Courier 10, no headers, one PDF page per page.
  bench report "$pages" "$(winpath "$WORK/report-$pages.txt")" >/dev/null
  enscript -q -B -f Courier10 -L 60 -p "$WORK/report-$pages.ps" "$WORK/report-$pages.txt"
  ps2pdf "$WORK/report-$pages.ps" "$WORK/report-$pages.pdf"
  pdfpages="$(pdfinfo "$WORK/report-$pages.pdf" | sed -n 's/^Pages: *//p')"
  [ "$pdfpages" = "$pages" ] || { echo "the PDF has $pdfpages pages, not $pages"; exit 1; }
  best=""
  for _ in 1 2 3; do
    start=$(date +%s%N)
    pdftotext -layout "$WORK/report-$pages.pdf" "$WORK/report-$pages.pdf.txt"
    ms=$(( ($(date +%s%N) - start) / 1000000 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  [ "$best" -gt 0 ] || best=1
  PDF[$pages]="$(calc "1000 * $pages / $best")"
done

verdict() { awk "BEGIN { print ($1) ? \"met\" : \"NOT MET\" }"; }
row() { printf '%-44s %-38s %-34s %7s  %-8s %s\n' "$@"; }
echo
echo "Kest benchmark: $ARCH Release build under wine, $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores"
row "measurement" "Kest" "against" "ratio" "target" ""
for dpi in 144 600; do
  for mode in mono colour; do
    for pages in 1 10 100 1000; do
      key="$dpi/$mode/$pages"
      if [ -z "${CAPTURE[$key]:-}" ]; then
        row "capture $dpi dpi $mode, $pages pages" "not run: too slow for one run" "(measured at $LONGEST_600_COLOUR pages)" \
          "-" "" ""
        continue
      fi
      r="$(calc "${RATIO[$key]}")"
      end="$(calc "${END_RATIO[$key]}")"
      row "capture $dpi dpi $mode, $pages pages" "${CAPTURE[$key]} ms/page (${PHASES[$key]})" "deflate ${DEFLATE[$key]} ms/page" \
        "${r}x" "<= 1.2x" "$(verdict "$r <= 1.2"); page end alone ${end}x"
    done
  done
done
for combo in 144/mono 144/colour 600/mono; do
  r="$(calc "${CAPTURE[$combo/1000]} / ${CAPTURE[$combo/10]}")"
  row "capture cost/page ${combo/\// dpi }, 1000 vs 10" "${CAPTURE[$combo/1000]} ms/page" "${CAPTURE[$combo/10]} ms/page" \
    "${r}x" "<= 1.2x" "$(verdict "$r <= 1.2")"
done
r="$(calc "${OPEN[1000]} / ${OPEN[10]}")"
row "open + page 1, 1000 vs 10 pages" "${OPEN[1000]} ms" "${OPEN[10]} ms" "${r}x" "<= 1.2x" \
  "$(verdict "$r <= 1.2"); archive directory alone ${ARCHIVE[1000]} vs ${ARCHIVE[10]} ms"
for pages in 10 100 1000; do
  r="$(calc "${CONVERT[$pages]} / ${PDF[$pages]}")"
  row "words+detection+parse+text, $pages pages" "${CONVERT[$pages]} pages/s" "pdftotext -layout ${PDF[$pages]} pages/s" \
    "${r}x" ">= 1.0x" "$(verdict "$r >= 1.0")"
done
r="$(calc "${CONVERT[10]} / ${CONVERT[1000]}")"
row "conversion cost/page, 1000 vs 10 pages" "${CONVERT[1000]} pages/s" "${CONVERT[10]} pages/s" \
  "${r}x" "<= 1.2x" "$(verdict "$r <= 1.2")"
r="$(calc "${PEAK[144/mono/1000]} / ${PEAK[144/mono/10]}")"
row "peak memory, driver's process, 1000 vs 10" "${PEAK[144/mono/1000]} MB" "${PEAK[144/mono/10]} MB" \
  "${r}x" "<= 1.5x" "$(verdict "$r <= 1.5")"
r="$(calc "${CONVERT_PEAK[1000]} / ${CONVERT_PEAK[10]}")"
row "peak memory, conversion, 1000 vs 10" "${CONVERT_PEAK[1000]} MB" "${CONVERT_PEAK[10]} MB" "${r}x" "<= 1.5x" \
  "$(verdict "$r <= 1.5"); once parsed, before the text: ${PARSED[1000]} vs ${PARSED[10]} MB"
echo "Capture: the driver's calls from start to end of each page (the application's page making not"
echo "counted), in brackets: white page + engine drawing with text capture + page end (image and record"
echo "into the archive); against zlib's deflate of the same page's bits at the work file's level, right"
echo "after the page on up to ten pages spread over the job (the ratios are of those pages). Start and"
echo "end of the job (work file finished, program started) are outside the per-page figure."
echo "Conversion: open, detection on page 1, per-page rows, parse and tab-separated text of every page,"
echo "in one process, best of three processes; pdftotext timed as the whole command, best of three."
echo "Peak memory: peak working set of the process (capture: 144 dpi black and white)."
