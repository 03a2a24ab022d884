#!/usr/bin/env bash
# Start-up of the program beside a bare Qt window with three Japanese buttons: wall time
# from launch to the first paint and exit, and peak resident memory, over alternating runs.
# Both quit right after their first paint (LINTARO_EXIT_AFTER_FIRST_PAINT).
# Then the first presses after start-up, each in a fresh process (lintaro_first_press), beside
# the same press once warm: what start-up leaves undone, the first press pays for.
#
# Usage: bench/startup/startup.sh [BUILD_DIR] [RUNS]     (default build/rel, 15 runs each)
# Runs on the current X display, or starts a virtual one when there is none.
set -euo pipefail

build=${1:-build/rel}
runs=${2:-15}
program=$build/lintaro
bare=$build/bench/lintaro_bare_window
press=$build/bench/lintaro_first_press
for binary in "$program" "$bare" "$press"; do
  [ -x "$binary" ] || { echo "missing $binary: build the targets lintaro, lintaro_bare_window and lintaro_first_press" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "missing /usr/bin/time (Debian package time)" >&2; exit 1; }

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
export LINTARO_EXIT_AFTER_FIRST_PAINT=1 QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

results=$(mktemp)
presses=$(mktemp)
trap 'rm -f "$results" "$presses"' EXIT

# One run: prints "name milliseconds kilobytes".
measure() {
  local name=$1 binary=$2 start end rss
  start=$EPOCHREALTIME
  rss=$(/usr/bin/time -f %M "$binary" 2>&1 >/dev/null | tail -n 1)
  end=$EPOCHREALTIME
  echo "$name $(echo "($end - $start) * 1000" | bc -l) $rss"
}

# One run of each first, unmeasured, so that both find the libraries and fonts cached.
measure warm "$program" >/dev/null
measure warm "$bare" >/dev/null
for ((i = 0; i < runs; i++)); do
  measure program "$program" >>"$results"
  measure bare "$bare" >>"$results"
done

median() { # name column
  awk -v n="$1" -v c="$2" '$1 == n { print $c }' "$results" | sort -g |
    awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
pt=$(median program 2); bt=$(median bare 2)
pm=$(median program 3); bm=$(median bare 3)
printf '%-8s %14s %14s\n' "" "first paint ms" "peak RSS MB"
printf '%-8s %14.1f %14.1f\n' program "$pt" "$(echo "$pm / 1024" | bc -l)"
printf '%-8s %14.1f %14.1f\n' bare "$bt" "$(echo "$bm / 1024" | bc -l)"
printf '%-8s %14.2f %14.2f\n' ratio "$(echo "$pt / $bt" | bc -l)" "$(echo "$pm / $bm" | bc -l)"
echo "medians of $runs alternating runs each"

# The first presses: "合成" on the empty slots, and both slots filled then "合成"; each step's
# handler and repaint in microseconds, and the pages of memory it touched for the first time.
for ((i = 0; i < runs; i++)); do
  echo "compose $(env -u LINTARO_EXIT_AFTER_FIRST_PAINT "$press" compose)" >>"$presses"
  echo "load $(env -u LINTARO_EXIT_AFTER_FIRST_PAINT "$press" load)" >>"$presses"
done
column_median() { # mode column
  awk -v m="$1" -v c="$2" '$1 == m { print $c }' "$presses" | sort -g |
    awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
step() { # label mode first-column
  printf '%-34s %9.0f %9.0f %7.0f\n' "$1" "$(column_median "$2" "$3")" \
    "$(column_median "$2" $(($3 + 1)))" "$(column_median "$2" $(($3 + 2)))"
}
echo
printf '%-34s %9s %9s %7s\n' "first presses after start-up" "handler us" "paint us" "faults"
step "compose, empty slots, first" compose 2
step "compose, empty slots, again" compose 5
step "slot 1 filled (1000 x 750)" load 2
step "slot 2 filled (1000 x 750)" load 5
step "compose after filling, first" load 8
step "compose after filling, again" load 11
echo "medians of $runs fresh processes each"
