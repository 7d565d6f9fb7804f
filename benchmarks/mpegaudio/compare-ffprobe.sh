#!/usr/bin/env bash
# Whole-process time of chimora-info against ffprobe's duration query on the
# same 5 MB MP3, side by side (hyperfine). Goal: chimora-info 5 times faster.
#   benchmarks/mpegaudio/compare-ffprobe.sh [path/to/chimora-info]
set -euo pipefail

repo=$(cd "$(dirname "$0")/../.." && pwd)
tool=${1:-}
if [ -z "$tool" ]; then
  for candidate in "$repo"/build/tools/chimora-info "$repo"/build-*/tools/chimora-info; do
    if [ -x "$candidate" ]; then tool=$candidate; break; fi
  done
fi
if [ -z "$tool" ] || [ ! -x "$tool" ]; then
  echo "compare-ffprobe: no chimora-info found; build it or give its path" >&2
  exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/compare-ffprobe.XXXXXX")
trap 'rm -rf "$work"' EXIT
song="$work/song.mp3"
# 312 s at 128 kbit/s is 5 MB.
ffmpeg -nostdin -v error -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=312" \
  -ac 2 -c:a libmp3lame -b:a 128k "$song"
echo "file: $(stat -c %s "$song") bytes"

hyperfine --warmup 5 --min-runs 50 -N --export-json "$work/times.json" \
  -n chimora-info "$tool $song" \
  -n ffprobe "ffprobe -v error -show_entries format=duration $song"

python3 - "$work/times.json" <<'PY'
import json, sys
runs = {r["command"]: r["mean"] for r in json.load(open(sys.argv[1]))["results"]}
ours, theirs = runs["chimora-info"], runs["ffprobe"]
print(f"chimora-info {ours * 1000:.2f} ms, ffprobe {theirs * 1000:.2f} ms: "
      f"chimora-info {theirs / ours:.1f} times faster (goal 5)")
sys.exit(0 if theirs / ours >= 5 else 1)
PY
