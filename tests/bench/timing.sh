#!/bin/bash
# Timing helpers shared by the benchmarks that drive Windows programs under
# Wine. Source it after tests/acceptance/lib.sh (a suite begun, a prefix made).

# Milliseconds since the epoch.
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Milliseconds from starting a program to a visible window of that title;
# the program is closed afterwards (Alt+F4) and waited for.
time_to_window() {  # title exe
    local start end pattern
    pattern=$(acc_title_pattern "$1")
    start=$(date +%s%N)
    acc_start "$2"
    until acc_search_windows --onlyvisible --name "$pattern" >/dev/null; do
        if [ $((($(date +%s%N) - start) / 1000000)) -gt 30000 ]; then
            echo "no window titled $1" >&2
            return 1
        fi
    done
    end=$(date +%s%N)
    acc_key "$(acc_search_windows --onlyvisible --name "$pattern" | head -n 1)" alt+F4
    acc_wait_exit 30
    echo $(((end - start) / 1000000))
}

# The median of the numbers on stdin, one a line (integer for an even count).
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

# The smallest and largest of the numbers on stdin as "MIN-MAX".
spread() { sort -n | awk 'NR == 1 { lo = $1 } { hi = $1 } END { printf "%s-%s", lo, hi }'; }

# The first number divided by the second, two decimals.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
