#!/usr/bin/env bash
# Times the launcher's file digests (SHA-NI, scalar, and the collision-detecting
# one that stores fingerprints) against `openssl dgst -sha1`, `sha1sum` and
# `sha1cdsum` on the same warm files, in one run, tools alternating, median of
# several runs.
#
#   bench/sha1-vs-reference.sh BUILD/bench/qd_digest_file [RUNS]
#
# First one 64 MiB and one 1 GiB file, then a start-up-like check of 200
# files totalling about 1 GiB (`qd_digest_file --validate`) against sha1sum
# over the same files. The files live in $QD_BENCH_DIR (default
# /tmp/qd-sha1-bench) and are removed afterwards unless QD_BENCH_KEEP=1.
set -euo pipefail

if [[ $# -lt 1 || ! -x $1 ]]; then
    echo "usage: $0 PATH/TO/qd_digest_file [RUNS]" >&2
    exit 2
fi
qd=$(realpath "$1")
runs=${2:-7}
work=${QD_BENCH_DIR:-/tmp/qd-sha1-bench}
mkdir -p "$work"
[[ ${QD_BENCH_KEEP:-0} == 1 ]] || trap 'rm -rf "$work"' EXIT

# Random content, so nothing can shortcut the data; made once, kept while valid.
make_file() { # path bytes
    [[ -f $1 && $(stat -c %s "$1") == "$2" ]] && return
    head -c "$2" /dev/urandom >"$1"
}

now_us() { local t=$EPOCHREALTIME; echo $((10#${t/./})); }

# Runs a command line with its output discarded; prints microseconds taken.
time_us() {
    local start end
    start=$(now_us)
    eval "$1" >/dev/null
    end=$(now_us)
    echo $((end - start))
}

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# bench LABEL BYTES NAME=CMD...: alternates the commands, rotating who goes
# first, and prints each command's median time and throughput. Leaves the
# medians in the associative array `med`.
declare -A med
bench() {
    local label=$1 bytes=$2
    shift 2
    local names=() cmds=() entry
    for entry in "$@"; do
        names+=("${entry%%=*}")
        cmds+=("${entry#*=}")
    done
    local n=${#names[@]} r i k
    declare -A samples=()
    for ((r = 0; r < runs; r++)); do
        for ((i = 0; i < n; i++)); do
            k=$(((i + r) % n))
            samples[$k]+="$(time_us "${cmds[$k]}") "
        done
    done
    printf '\n%s (%d MiB, median of %d runs)\n' "$label" $((bytes >> 20)) "$runs"
    for ((k = 0; k < n; k++)); do
        # shellcheck disable=SC2086
        med[${names[$k]}]=$(median ${samples[$k]})
        awk -v name="${names[$k]}" -v us="${med[${names[$k]}]}" -v b="$bytes" \
            'BEGIN { printf "  %-22s %9.1f ms %8.0f MB/s\n", name, us / 1000, b / us }'
    done
}

ratio() { # label fast slow: throughput of `fast` relative to `slow`
    awk -v l="$1" -v f="${med[$2]}" -v s="${med[$3]}" 'BEGIN { printf "  %-34s %5.2f\n", l, s / f }'
}

lower() { tr 'A-F' 'a-f'; }

check_same_digest() { # file: all the tools must agree before any timing
    local want got
    want=$(sha1sum "$1" | cut -d' ' -f1)
    for got in "$("$qd" "$1" | cut -d' ' -f1 | lower)" \
        "$("$qd" --scalar "$1" | cut -d' ' -f1 | lower)" \
        "$("$qd" --detect "$1" | cut -d' ' -f1 | lower)" \
        "$(sha1cdsum "$1" | cut -d' ' -f1)" \
        "$(openssl dgst -sha1 -r "$1" | cut -d' ' -f1)"; do
        if [[ $got != "$want" ]]; then
            echo "digest mismatch on $1: $got, sha1sum says $want" >&2
            exit 1
        fi
    done
}

echo "CPU: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2-)," \
    "SHA instructions: $(grep -qw sha_ni /proc/cpuinfo && echo yes || echo no)"
echo "openssl: $(openssl version | cut -d' ' -f1-2); sha1sum: $(sha1sum --version | head -1);" \
    "$(sha1cdsum --version)"

for mib in 64 1024; do
    file=$work/digest-$mib.bin
    make_file "$file" $((mib << 20))
    cat "$file" >/dev/null
    check_same_digest "$file"
    bench "Single file" $((mib << 20)) \
        "qd_digest_file=\"$qd\" \"$file\"" \
        "qd_digest_file --scalar=\"$qd\" --scalar \"$file\"" \
        "qd_digest_file --detect=\"$qd\" --detect \"$file\"" \
        "openssl dgst -sha1=openssl dgst -sha1 \"$file\"" \
        "sha1sum=sha1sum \"$file\"" \
        "sha1cdsum=sha1cdsum \"$file\""
    ratio "SHA-NI / openssl" "qd_digest_file" "openssl dgst -sha1"
    ratio "SHA-NI / sha1sum" "qd_digest_file" "sha1sum"
    ratio "scalar / sha1sum" "qd_digest_file --scalar" "sha1sum"
    ratio "collision-detecting / SHA-NI" "qd_digest_file --detect" "qd_digest_file"
    ratio "collision-detecting / sha1cdsum" "qd_digest_file --detect" "sha1cdsum"
done

# 200 executables of 1 to about 9 MiB, about 1 GiB in all.
items=()
total=0
for ((i = 0; i < 200; i++)); do
    bytes=$(((1024 + i * 7919 % 8400) * 1024 + i))
    make_file "$work/item-$i.exe" $bytes
    items+=("$work/item-$i.exe")
    total=$((total + bytes))
done
cat "${items[@]}" >/dev/null
list=$(printf '"%s" ' "${items[@]}")
check_same_digest "${items[0]}"
bench "Start-up check of 200 items" $total \
    "start-up pass=\"$qd\" --validate $list" \
    "sha1sum=sha1sum $list" \
    "openssl dgst -sha1=openssl dgst -sha1 $list"
ratio "start-up pass / sha1sum" "start-up pass" "sha1sum"
ratio "start-up pass / openssl" "start-up pass" "openssl dgst -sha1"
