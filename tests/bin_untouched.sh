#!/usr/bin/env bash
# The game a player starts lives in bin/ with its progress file beside it: no test may write
# there. "record" notes what bin/ holds before the tests run, "check" after them that it
# holds the same, in particular no "settings.txt" that was not there before.
#   bin_untouched.sh record|check BIN_FOLDER RECORD_FILE
set -u
mode=${1:?record or check}
bin=${2:?bin folder}
record=${3:?record file}

# Every entry with its type, size and time of last change.
listing() { (cd "$bin" && find . -printf '%p %y %s %T@\n' | sort); }

case "$mode" in
record)
    mkdir -p "$(dirname "$record")"
    listing > "$record"
    ;;
check)
    [ -f "$record" ] || { echo "no record of $bin from before the tests"; exit 1; }
    changed=$(listing | diff "$record" - )
    if [ -n "$changed" ]; then
        echo "the tests wrote into $bin:"
        echo "$changed"
        exit 1
    fi
    if [ -e "$bin/assets/settings.txt" ]; then
        echo "NOTE: $bin/assets/settings.txt was there before the tests and is unchanged"
    else
        echo "$bin is as it was, with no settings.txt"
    fi
    ;;
*)
    echo "usage: $0 record|check BIN_FOLDER RECORD_FILE"
    exit 2
    ;;
esac
