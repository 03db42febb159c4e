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
# Usage: tools/make_kombin.sh [--quick | --pure | --records | --missing | --construct | --from KEY]
#   --quick      a fifth of the search budget
#   --pure       only the keys without doubles or without triples
#   --records    only the keys with a recipe of their own (see recipes below)
#   --missing    only the keys without a file, with ten times the budget
#   --construct  constructions only: carries improved systems into longer keys
#   --from KEY   resumes a run at the key d-t-k: the keys before it stay as they are
# (KAVENDIX_CLI overrides the program; KOMBIN_SEED the seed of the keys without
# a recipe.)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${KAVENDIX_CLI:-$root/build/kavendix-cli}
out=$root/data/Kombin
seed=${KOMBIN_SEED:-1}
scale=1
pure=0
records=0
missing=0
from=""
patience=0.5
case "${1:-}" in
    --quick) scale=0.2 ;;
    --pure) pure=1 ;;
    --records) records=1 ;;
    --missing) missing=1 scale=10 patience=5 ;;
    --construct) scale=0 ;;
    --from) from=${2:?"--from needs a key d-t-k"} ;;
    "") ;;
    *) echo "usage: $0 [--quick | --pure | --records | --missing | --construct | --from KEY]" >&2; exit 2 ;;
esac
max_rows=2000
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Default budget of a key with this many results, in seconds of one core per
# search thread; keys that need more have a recipe below.
budget() {
    if [ "$1" -le 1000 ]; then echo 1; elif [ "$1" -le 60000 ]; then echo 2; else echo 3; fi
}

# Keys with a recipe of their own: "key height budget patience seeds [options]".
# A height searches the matrix construction on that one height only ("-": every
# height, then the plain search); there a budget unit costs a fraction of a real
# second. Each seed is one pass, and a pass starts from the system the passes
# before it kept, so a list of seeds walks the key down step by step. Options
# are passed to every pass of the key: --columns fixes the check matrix and
# --exchange lets a search step replace any row (see kavendix-cli kombin
# generate --help). Every key not listed is made in one pass with the default
# budget above and seed 1.
#
# From an empty folder the script makes the shipped library file for file, in
# about 22 minutes on two cores: the keys are made in order, each key's building
# blocks are the files made before it, and a search depends only on its seed,
# budget and building blocks, never on the machine's speed. The rows matter, not
# only their number: an amalgamated sum needs parts that can be joined, so a
# recipe holds for the files this script makes, not for other systems of the
# same sizes.
declare -A recipe_height recipe_budget recipe_patience recipe_seeds recipe_options
while read -r key h b p seeds options; do
    recipe_height[$key]=$h
    recipe_budget[$key]=$b
    recipe_patience[$key]=$p
    recipe_seeds[$key]=$seeds
    recipe_options[$key]=$options
done <<'KEYS'
2-3-4 - 20 10 1
2-4-4 - 20 10 1
0-7-6 - 20 0.5 1
2-5-5 - 20 10 7
0-8-7 - 40 0.5 1
0-9-8 - 20 10 1
5-4-8 - 20 10 1
0-9-7 8 40 20 1 --columns 12000000 --exchange
3-6-7 - 20 10 1
0-9-6 7 200 2 1
2-8-9 - 20 10 1
5-5-9 - 20 10 1
9-1-9 8 20 10 1
0-10-8 8 300 3 6
7-3-8 - 20 10 1
10-0-8 - 20 10 2
0-10-7 8 1000 5 1
2-8-7 - 20 10 2
7-3-7 - 20 10 1
0-10-6 8 20 10 3
1-9-6 - 20 10 1
5-6-10 - 20 10 1
6-5-10 - 20 10 1
7-4-10 - 20 10 1
9-2-10 - 60 30 2,1
3-8-9 - 20 10 1
9-2-9 - 20 10 1
10-1-9 - 20 10 1
0-11-8 - 20 0.5 1
3-8-8 - 20 10 2
8-3-8 - 20 10 1
9-2-8 - 60 30 1
1-10-7 - 20 10 1
3-8-7 - 20 10 1
3-8-6 - 20 10 4
7-5-11 7 200 2 3
8-4-11 6 200 2 1
9-3-11 - 20 10 1
12-0-11 - 20 10 1
3-9-10 - 120 60 1,2,3
4-8-10 - 20 10 1
5-7-10 - 20 10 1
6-6-10 - 20 10 1
7-5-10 - 20 10 1
8-4-10 - 20 10 1
10-2-10 - 20 10 1
12-0-10 - 20 10 1
0-12-9 - 20 0.5 1
3-9-9 - 20 10 1
5-7-9 - 20 10 1
11-1-9 - 20 10 1
3-9-8 - 20 10 9
6-6-7 - 20 10 1
7-5-7 - 20 10 1
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

# One pass over a key: "make_pass d t k seed budget patience [generate options]".
make_pass() {
    local d=$1 t=$2 k=$3 pass_seed=$4 pass_budget=$5 wait=$6
    shift 6
    local extra=("$@")
    local seconds
    seconds=$(awk -v b="$pass_budget" -v s="$scale" 'BEGIN { print b * s }')
    rm -f "$work"/*.txt
    "$cli" kombin generate --doubles "$d" --triples "$t" --hits "$k" --seconds "$seconds" \
        --patience "$wait" --seed "$pass_seed" --library "$out" -o "$work" --max-rows "$max_rows" \
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

# A key in the passes of its recipe, or in one pass with the defaults.
make_key() {
    local d=$1 t=$2 k=$3
    local key=$d-$t-$k
    if [ -n "$from" ]; then
        [ "$key" != "$from" ] && return
        from=""
    fi
    if [ -z "${recipe_seeds[$key]:-}" ]; then
        [ "$records" = 1 ] && return
        make_pass "$d" "$t" "$k" "$seed" "$(budget $((2 ** d * 3 ** t)))" "$patience"
        return
    fi
    local extra=()
    [ "${recipe_height[$key]}" != - ] && extra=(--height "${recipe_height[$key]}")
    # The options are words of their own: split them on purpose.
    # shellcheck disable=SC2206
    extra+=(${recipe_options[$key]})
    local s
    for s in ${recipe_seeds[$key]//,/ }; do
        make_pass "$d" "$t" "$k" "$s" "${recipe_budget[$key]}" "${recipe_patience[$key]}" "${extra[@]}"
    done
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
if [ -n "$from" ]; then
    echo "$0: no key $from (keys are written d-t-k, as in the file names)" >&2
    exit 2
fi
rm -f "$out/.keep"
"$cli" kombin verify "$out" >/dev/null && echo "all files of $out verified"
mkdir -p "$root/docs"
"$cli" kombin report "$out" >"$root/docs/kombin.md"
echo "wrote docs/kombin.md"
