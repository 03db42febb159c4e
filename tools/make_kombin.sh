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
# Usage: tools/make_kombin.sh [--quick | --pure | --records | --missing | --construct]
#   --quick      a fifth of the search budget
#   --pure       only the keys without doubles or without triples
#   --records    only the keys searched on one height (see focus_height below)
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
records=0
missing=0
patience=0.5
case "${1:-}" in
    --quick) scale=0.2 ;;
    --pure) pure=1 ;;
    --records) records=1 ;;
    --missing) missing=1 scale=10 patience=5 ;;
    --construct) scale=0 ;;
    "") ;;
    *) echo "usage: $0 [--quick | --pure | --records | --missing | --construct]" >&2; exit 2 ;;
esac
max_rows=2000
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Budget of one key, in seconds of one core per search thread: the perfect and
# trivial keys end at once; the record keys of the published tables get more.
# The keys with a height are searched by the matrix construction on that one
# height, where a budget unit costs a fraction of a real second.
budget() {
    local d=$1 t=$2 k=$3 results=$4
    if [ -n "${focus_budget[$d-$t-$k]:-}" ]; then
        echo "${focus_budget[$d-$t-$k]}"
        return
    fi
    case "$d-$t-$k" in
        0-8-7) echo 40 ;;
        0-12-9 | 0-11-8 | 0-7-6) echo 20 ;;
        *) if [ "$results" -le 1000 ]; then echo 1; elif [ "$results" -le 60000 ]; then echo 2; else echo 3; fi ;;
    esac
}

# Keys searched on one height of the check matrix: "height budget patience"
# each. With seed 1 and the shipped systems as building blocks these reach
# (wall time on one desktop core pair, about):
#   0-9-6 54 (15 s), 0-9-7 225 (20 s), 0-9-8 1377 (45 s), 0-10-7 108 (75 s),
#   0-10-8 558 (30 s), 5-6-10 1728 (50 s), 8-4-11 1296 (40 s), 7-5-11 1944 (45 s)
# From an empty folder the building blocks differ: two runs give 0-10-8 585
# and no 7-5-11 under 2,000 rows (2304).
declare -A focus_height focus_budget focus_patience
while read -r key h b p; do
    focus_height[$key]=$h
    focus_budget[$key]=$b
    focus_patience[$key]=$p
done <<'KEYS'
0-9-6 7 200 2
0-9-7 8 200 2
0-9-8 6 200 2
0-10-7 8 1000 5
0-10-8 8 300 3
5-6-10 7 200 2
8-4-11 6 200 2
7-5-11 7 200 2
KEYS

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
    local extra=() wait=$patience
    if [ -n "${focus_height[$d-$t-$k]:-}" ]; then
        extra=(--height "${focus_height[$d-$t-$k]}")
        wait=${focus_patience[$d-$t-$k]}
    elif [ "$records" = 1 ]; then
        return
    fi
    rm -f "$work"/*.txt
    "$cli" kombin generate --doubles "$d" --triples "$t" --hits "$k" --seconds "$seconds" \
        --patience "$wait" --seed "$seed" --library "$out" -o "$work" --max-rows "$max_rows" \
        "${extra[@]}" \
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
