#!/bin/sh
# Whole-conversion time of a 30-second MP3 and AMR ringtone through the job
# (bench_ringtone_job) against the same ffmpeg work run directly.
# usage: compare-direct.sh [BUILD_DIR]    (default: /work/main/build-ring)
# Fails when the job's overhead exceeds 10 %.
set -eu
build=${1:-/work/main/build-ring}
cli=$build/benchmarks/ringtone/bench_ringtone_job
[ -x "$cli" ] || { echo "build bench_ringtone_job first: $cli" >&2; exit 2; }
command -v hyperfine >/dev/null || { echo "hyperfine is missing" >&2; exit 2; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
song="$tmp/歌曲 'three' minutes.mp3"
# Three minutes of a chord over soft noise, so the encoder has work to do.
ffmpeg -nostdin -hide_banner -loglevel error -y \
  -f lavfi -i "sine=f=220:d=180" -f lavfi -i "sine=f=277:d=180" -f lavfi -i "sine=f=330:d=180" \
  -f lavfi -i "anoisesrc=d=180:a=0.05:c=pink" \
  -filter_complex "amix=inputs=4,aformat=channel_layouts=stereo" -ar 44100 -c:a libmp3lame -b:a 192k "$song"

q() { printf "'%s'" "$(printf %s "$1" | sed "s/'/'\\\\''/g")"; }
status=0
for kind in mp3 amr; do
  direct=$("$cli" --print-command "$song" "$tmp/direct.$kind" 60 90)
  [ "$kind" = amr ] && direct="$direct | $(q "$cli") --encode-amr $(q "$tmp/direct.amr")"
  job="$(q "$cli") $(q "$song") $(q "$tmp/job.$kind") 60 90"
  hyperfine --style basic --warmup 3 --runs 30 --export-json "$tmp/$kind.json" \
    -n "job $kind" "$job" -n "direct $kind" "$direct" >/dev/null
  python3 - "$tmp/$kind.json" "$kind" <<'PY' || status=1
import json, sys
r = {x["command"].split()[0]: x for x in json.load(open(sys.argv[1]))["results"]}
job, direct = r["job"], r["direct"]
# The median: other work on the machine shows up as a few slow runs.
overhead = (job["median"] / direct["median"] - 1) * 100
ms = lambda x: f"median {x['median']*1000:6.1f} ms (mean {x['mean']*1000:6.1f} ± {x['stddev']*1000:4.1f})"
print(f"{sys.argv[2]}: job {ms(job)}   direct {ms(direct)}   overhead {overhead:+5.1f} %")
sys.exit(0 if overhead <= 10 else 1)
PY
done
exit $status
