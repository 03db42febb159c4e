#!/usr/bin/env bash
# Makes the brief-system library data/Kombin with kavendix-cli kombin generate:
# every key with 3 <= d + t <= 12 and 2 <= k < d + t whose system has at most
# 2,000 rows, plus the one-hit systems 1-0-1 and 0-1-1 that the expansion uses.
# Keys are made from short to long, so that shorter systems serve as building
# blocks; a key keeps its existing file unless the new system is smaller, so
# running the script again can only improve the library. Every file is
# verified exhaustively before it is kept.
#
# The report docs/kombin.md is written from the finished library.
#
# Usage: tools/make_kombin.sh [--quick | --pure | --missing | --construct]
#   --quick      a fifth of the search budget
#   --pure       only the keys without doubles or without triples
#   --missing    only the keys without a file, with ten times the budget
#   --construct  constructions only: carries improved systems into longer keys
# (KAVENDIX_CLI and KOMBIN_SEED override the program and the seed.)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${KAVENDIX_CLI:-$root/build/kavendix-cli}
out=$root/data/Kombin
seed=${KOMBIN_SEED:-1}
scale=1
pure=0
missing=0
patience=0.5
case "${1:-}" in
    --quick) scale=0.2 ;;
    --pure) pure=1 ;;
    --missing) missing=1 scale=10 patience=5 ;;
    --construct) scale=0 ;;
    "") ;;
    *) echo "usage: $0 [--quick | --pure | --missing | --construct]" >&2; exit 2 ;;
esac
max_rows=2000
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Budget of one key, in seconds of one core per search thread: the perfect and
# trivial keys end at once; the record keys of the published tables get more.
budget() {
    local d=$1 t=$2 k=$3 results=$4
    case "$d-$t-$k" in
        0-8-7 | 0-9-8) echo 40 ;;
        0-9-7 | 0-10-8 | 0-10-7 | 0-12-9 | 0-11-8 | 0-7-6 | 0-9-6) echo 20 ;;
        *) if [ "$results" -le 1000 ]; then echo 1; elif [ "$results" -le 60000 ]; then echo 2; else echo 3; fi ;;
    esac
}

existing_rows() { # smallest row count among the files of a key, or nothing
    local best=""
    for f in "$out/$1"-*.txt; do
        [ -e "$f" ] || continue
        local r=${f##*-}
        r=${r%.txt}
        if [ -z "$best" ] || [ "$r" -lt "$best" ]; then best=$r; fi
    done
    echo "$best"
}

make_key() {
    local d=$1 t=$2 k=$3
    local results=$((2 ** d * 3 ** t))
    local seconds
    seconds=$(awk -v b="$(budget "$d" "$t" "$k" "$results")" -v s="$scale" 'BEGIN { print b * s }')
    rm -f "$work"/*.txt
    "$cli" kombin generate --doubles "$d" --triples "$t" --hits "$k" --seconds "$seconds" \
        --patience "$patience" --seed "$seed" --library "$out" -o "$work" --max-rows "$max_rows" \
        >/dev/null 2>"$work/log" || {
        if grep -q "no system of at most" "$work/log"; then
            printf '%-16s bound over %s, skipped\n' "$d-$t-$k" "$max_rows"
            return
        fi
        cat "$work/log" >&2
        return 1
    }
    local file
    file=$(basename "$(ls "$work"/*.txt)")
    local rows=${file##*-}
    rows=${rows%.txt}
    local old
    old=$(existing_rows "$d-$t-$k")
    if [ -n "$old" ] && [ "$old" -le "$rows" ]; then
        printf '%-16s %6s rows (kept; new %s)\n' "$d-$t-$k" "$old" "$rows"
        return
    fi
    rm -f "$out/$d-$t-$k"-*.txt
    if [ "$rows" -le "$max_rows" ] || [ "$d-$t-$k" = "1-0-1" ] || [ "$d-$t-$k" = "0-1-1" ]; then
        "$cli" kombin verify "$work/$file" >/dev/null
        mv "$work/$file" "$out/$file"
        printf '%-16s %6s rows  %s\n' "$d-$t-$k" "$rows" "$(sed 's/.*rows, //' "$work/log")"
    else
        printf '%-16s %6s rows (over %s, not shipped)\n' "$d-$t-$k" "$rows" "$max_rows"
    fi
}

max_rows=0 make_key 1 0 1
max_rows=0 make_key 0 1 1
for n in $(seq 3 12); do
    for r in $(seq 1 $((n - 2))); do
        # More triples first: a system for more triples also serves fewer.
        for d in $(seq 0 "$n"); do
            [ "$pure" = 1 ] && [ "$d" != 0 ] && [ "$d" != "$n" ] && continue
            [ "$missing" = 1 ] && [ -n "$(existing_rows "$d-$((n - d))-$((n - r))")" ] && continue
            make_key "$d" $((n - d)) $((n - r))
        done
    done
done
rm -f "$out/.keep"
"$cli" kombin verify "$out" >/dev/null && echo "all files of $out verified"
mkdir -p "$root/docs"
"$cli" kombin report "$out" >"$root/docs/kombin.md"
echo "wrote docs/kombin.md"
