#!/usr/bin/env bash
# Kills a process with SIGKILL while it saves the progress file over and over, and checks
# after every kill that "settings.txt" is exactly one of the two files it alternates
# between: never empty, cut short or mixed.
#   settings_kill.sh <tarn_tests> <asset dir> [kills, default 5]
set -u
tests_bin=${1:?path of tarn_tests}
assets=$(cd "${2:?built asset folder}" && pwd) || exit 1
kills=${3:-5}

work=$(mktemp -d /tmp/tarn-kill-XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/assets"
ln -s "$assets/original" "$work/assets/images"
ln -s "$assets/fonts" "$work/assets/fonts"
ln -s "$assets/audio" "$work/assets/audio"

small=$'111\r\n5|user|img;un|img;seaside|Jan 01, 2026\r\n3;7000\r\n'
board=""
for i in 0 1 2 3 4 5 6; do
    [ -n "$board" ] && board+="#"
    board+="$((900 - i))|user|img;calmday|img;farmville|Dec 24, 2026"
done
big=$'222222\r\n'"$board"$'\r\n11;123456\r\n'
printf '%s' "$small" > "$work/assets/settings.txt"

seen_small=0
seen_big=0
for ((k = 1; k <= kills; k++)); do
    TARN_KILL_DIR="$work" "$tests_bin" --gtest_also_run_disabled_tests \
        --gtest_filter='SettingsKillTarget.DISABLED_SaveForever' > "$work/log" 2>&1 &
    pid=$!
    # Wait for the first save, then let it run a random while longer.
    for ((w = 0; w < 200; w++)); do
        [ "$(cat "$work/assets/settings.txt")" != "$small" ] && break
        kill -0 "$pid" 2> /dev/null || break
        sleep 0.05
    done
    sleep "0.$((RANDOM % 300 + 10))"
    if ! kill -0 "$pid" 2> /dev/null; then
        echo "kill $k: the saving process ended on its own:"
        cat "$work/log"
        exit 1
    fi
    kill -KILL "$pid"
    wait "$pid" 2> /dev/null
    content=$(cat "$work/assets/settings.txt"; printf x)
    content=${content%x}
    if [ "$content" == "$small" ]; then
        seen_small=$((seen_small + 1))
    elif [ "$content" == "$big" ]; then
        seen_big=$((seen_big + 1))
    else
        echo "kill $k: settings.txt is neither the old nor the new file:"
        od -c "$work/assets/settings.txt" | head -20
        exit 1
    fi
done
echo "$kills kills: settings.txt whole every time (short file $seen_small times, long file $seen_big times)"
