#!/bin/bash
# Splits a 1 GiB file with the library's splitter and joins it again with the
# Union.bat it writes (through Wine's cmd), against plain copies of the same
# file made in the same run. Copies and splits alternate for a few rounds and
# the medians are printed, since other work on the machine makes single runs
# noisy. Wall times include writing the data out to disk (sync); in-process
# times are measured inside the Windows program, without Wine's start-up.
# Needs a build (scripts/build) and about 4 GiB free; removes what it made.
# Usage: bench/splitter.sh [piece size in bytes, default 100000000] [rounds, default 3]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${TARNEL_BUILD:-$top/build}
piece=${1:-100000000}
rounds=${2:-3}
size=$((1024 * 1024 * 1024))
prefix=$build/wine/prefix
bench=$build/bin/splitter_bench.exe
[ -f "$bench" ] || { echo "build first: scripts/build" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/tarnel-splitter.XXXXXX")
trap 'rm -rf "$work"' EXIT
avail=$(df -Pk "$work" | awk 'NR == 2 { print $4 }')
if (( avail < size / 1024 * 4 )); then
  echo "not enough free space in $work: $((avail / 1024)) MiB, need $((size / 1024 / 1024 * 4)) MiB" >&2
  exit 1
fi

win() { echo "Z:${1//\//\\}"; }
wine_run() { "$top/scripts/wine-run" "$prefix" "$@" | tr -d '\r'; }
now() { date +%s.%N; }
elapsed() { echo "$2 - $1" | bc; }
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ratio() { echo "scale=2; $1 / $2" | bc; }

echo "making a ${size}-byte source of random bytes..."
head -c "$size" /dev/urandom >"$work/source.bin"
# Keep Wine's server up for the whole run (it ends by itself 30 s after the
# last program), so that no timed step pays for starting it.
wine_run cmd /c exit >/dev/null 2>&1
WINEPREFIX=$prefix wineserver -p30 </dev/null >/dev/null 2>&1 &
wine_run cmd /c exit >/dev/null 2>&1

cp_wall=() copy_wall=() copy_in=() split_wall=() split_in=() start_wall=()
for ((r = 1; r <= rounds; r++)); do
  t0=$(now); wine_run cmd /c exit >/dev/null 2>&1; t1=$(now)
  start_wall+=("$(elapsed "$t0" "$t1")")
  rm -rf "$work/out"; sync
  t0=$(now); cp "$work/source.bin" "$work/copy.bin"; sync; t1=$(now)
  cp_wall+=("$(elapsed "$t0" "$t1")")
  rm -f "$work/copy.bin"; sync

  t0=$(now); read -r s rc < <(wine_run "$bench" copy "$(win "$work/source.bin")" "$(win "$work/copy.bin")"); sync; t1=$(now)
  [ "$rc" = 0 ] || { echo "plain copy failed" >&2; exit 1; }
  copy_wall+=("$(elapsed "$t0" "$t1")") copy_in+=("$s")
  rm -f "$work/copy.bin"; sync

  t0=$(now); read -r s rc < <(wine_run "$bench" split "$(win "$work/source.bin")" "$(win "$work/out")" "$piece"); sync; t1=$(now)
  [ "$rc" = 0 ] || { echo "split failed with result $rc" >&2; exit 1; }
  split_wall+=("$(elapsed "$t0" "$t1")") split_in+=("$s")
  echo "round $r: cp ${cp_wall[-1]} s, CopyFileA ${copy_wall[-1]} s (${copy_in[-1]} in process), split ${split_wall[-1]} s (${split_in[-1]} in process)"
done
pieces=$(ls "$work/out" | grep -c '^piece')

sync
t0=$(now); (cd "$work/out" && wine_run cmd /c Union.bat >/dev/null 2>&1); sync; t1=$(now)
join_wall=$(elapsed "$t0" "$t1")
if cmp -s "$work/source.bin" "$work/out/source.bin"; then same="identical"; else same="DIFFERENT"; fi

cw=$(median "${cp_wall[@]}") fw=$(median "${copy_wall[@]}") fi=$(median "${copy_in[@]}")
sw=$(median "${split_wall[@]}") si=$(median "${split_in[@]}") stw=$(median "${start_wall[@]}")
printf '\nsource %d bytes, pieces of %d bytes: %d pieces; medians of %d rounds\n' "$size" "$piece" "$pieces" "$rounds"
printf '%-42s %8s %10s\n' "" "wall s" "in-proc s"
printf '%-42s %8.2f %10s\n' "empty Windows program (Wine's start-up)" "$stw" "-"
printf '%-42s %8.2f %10s\n' "plain copy, host cp" "$cw" "-"
printf '%-42s %8.2f %10.2f\n' "plain copy, CopyFileA under Wine" "$fw" "$fi"
printf '%-42s %8.2f %10.2f\n' "split, CFileCat::FileCat(1) under Wine" "$sw" "$si"
printf '%-42s %8.2f %10s\n' "join, Union.bat through Wine's cmd" "$join_wall" "-"
printf '\nsplit / CopyFileA: %sx wall, %sx in process; split / cp: %sx wall\n' \
  "$(ratio "$sw" "$fw")" "$(ratio "$si" "$fi")" "$(ratio "$sw" "$cw")"
printf 'joined file: %s to the source\n' "$same"
