#!/usr/bin/env bash
# Kills a saving process at random moments, N times (default 1000) for the program file and N
# times for the settings file, and after every kill loads the file as the program does: it must
# hold exactly its old or its new contents. Not part of the test run:
#   bash tools/speicherstress.sh [N]
# Every 100 kills the replacement files that kills left behind are made eleven minutes old, so
# the next save must remove them. Ends with status 1 when a file did not load.
set -eu
cd "$(dirname "$0")/.."
n=${1:-1000}
bau=${BAU:-build}
cmake --build "$bau" --target vkr3x-speicherlast >/dev/null
last=$bau/tools/vkr3x-speicherlast
ordner=$(mktemp -d)
trap 'rm -rf "$ordner"' EXIT
fehler=0

# Replacement files in a folder: zahl DIR alt|jung counts those older or not older than ten
# minutes.
zahl() {
  local alter=(-mmin +10)
  [ "$2" = jung ] && alter=(! -mmin +10)
  find "$1" -maxdepth 1 -name '*$$*.TMP' "${alter[@]}" | wc -l
}

# lauf ART ZIEL ORDNER: ART is programm or einstellungen, ZIEL the file or folder handed over.
lauf() {
  local art=$1 ziel=$2 dir=$3 a=0 b=0 unlesbar=0 mitten=0 entfernt=0 gealtert=0 start=$SECONDS
  # A first complete save, so there is an old file from the first kill on.
  "$last" "$art" "$ziel" & pid=$!
  sleep 0.3
  kill -KILL $pid; wait $pid 2>/dev/null || true
  local alt jung
  alt=$(zahl "$dir" alt) jung=$(zahl "$dir" jung)
  for ((i = 1; i <= n; i++)); do
    "$last" "$art" "$ziel" & pid=$!
    sleep "$(printf '0.%03d' $((RANDOM % 60)))"
    kill -KILL $pid; wait $pid 2>/dev/null || true
    if fassung=$("$last" "$art-laden" "$ziel"); then
      [ "$fassung" = A ] && a=$((a + 1)) || b=$((b + 1))
    else
      unlesbar=$((unlesbar + 1))
      echo "$art, kill $i: $fassung" >&2
      cp -r "$dir" "$ordner/unlesbar-$art-$i"
    fi
    # Young replacement files are only ever added (by a kill inside a save), old ones only
    # ever removed (by the next save).
    jetzt=$(zahl "$dir" jung)
    if [ "$jetzt" -lt "$jung" ]; then
      echo "$art, kill $i: a replacement file younger than ten minutes was removed" >&2
      unlesbar=$((unlesbar + 1))
    fi
    mitten=$((mitten + jetzt - jung)) jung=$jetzt
    jetzt=$(zahl "$dir" alt)
    entfernt=$((entfernt + alt - jetzt)) alt=$jetzt
    if ((i % 100 == 0)) && [ "$jung" -gt 0 ]; then
      find "$dir" -maxdepth 1 -name '*$$*.TMP' -exec touch -d '-11 minutes' {} +
      gealtert=$((gealtert + jung)) alt=$((alt + jung)) jung=0
    fi
  done
  echo "$art: $n kills in $((SECONDS - start)) s; $((a + b)) loads with old or new contents" \
    "(A $a, B $b), $unlesbar failures; $mitten kills fell inside a save and left its" \
    "replacement file; of the $gealtert made eleven minutes old, $entfernt were removed by" \
    "the next save ($alt, made old after the last kill, remain)"
  [ "$unlesbar" -eq 0 ] || fehler=1
}

mkdir -p "$ordner/programm" "$ordner/einstellungen"
lauf programm "$ordner/programm/anlage.vkr" "$ordner/programm"
lauf einstellungen "$ordner/einstellungen" "$ordner/einstellungen"
echo "machine: $(nproc) cores,$(uptime | sed 's/.*,  *load/ load/')"
if [ "$fehler" -ne 0 ]; then
  trap - EXIT
  echo "unreadable files kept in $ordner" >&2
fi
exit "$fehler"
