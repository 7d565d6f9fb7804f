#!/bin/sh
# Whole-conversion time of a 30-second MP3 and AMR ringtone through the job
# (bench_ringtone_job) against the same ffmpeg work run directly.
# usage: compare-direct.sh [BUILD_DIR] [ROUNDS]   (default: the checkout's build/, 25)
# Fails when the job's median time is more than 10 % above the direct one.
set -eu
build=${1:-$(cd "$(dirname "$0")/../.." && pwd)/build}
rounds=${2:-25}
cli=$build/benchmarks/ringtone/bench_ringtone_job
[ -x "$cli" ] || { echo "build bench_ringtone_job first: $cli" >&2; exit 2; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
song="$tmp/歌曲 'three' minutes.mp3"
# Three minutes of a chord over soft noise, so the encoder has work to do.
ffmpeg -nostdin -hide_banner -loglevel error -y \
  -f lavfi -i "sine=f=220:d=180" -f lavfi -i "sine=f=277:d=180" -f lavfi -i "sine=f=330:d=180" \
  -f lavfi -i "anoisesrc=d=180:a=0.05:c=pink" \
  -filter_complex "amix=inputs=4,aformat=channel_layouts=stereo" -ar 44100 \
  -c:a libmp3lame -b:a 192k "$song"

q() { printf "'%s'" "$(printf %s "$1" | sed "s/'/'\\\\''/g")"; }
ms() { # milliseconds one run of the shell command $1 takes
  start=$(date +%s%N)
  sh -c "$1" >/dev/null || { echo "failed: $1" >&2; exit 1; }
  echo $(( ($(date +%s%N) - start) / 1000000 ))
}
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

status=0
for kind in mp3 amr; do
  direct=$("$cli" --print-command "$song" "$tmp/direct.$kind" 60 90)
  [ "$kind" = amr ] && direct="$direct | $(q "$cli") --encode-amr $(q "$tmp/direct.amr")"
  job="$(q "$cli") $(q "$song") $(q "$tmp/job.$kind") 60 90"
  : >"$tmp/job.ms"
  : >"$tmp/direct.ms"
  for warmup in 1 2 3; do ms "$job" >/dev/null; ms "$direct" >/dev/null; done
  # Alternating runs: load from elsewhere on the machine hits both sides alike.
  i=0
  while [ $i -lt "$rounds" ]; do
    ms "$job" >>"$tmp/job.ms"
    ms "$direct" >>"$tmp/direct.ms"
    i=$((i + 1))
  done
  j=$(median "$tmp/job.ms")
  d=$(median "$tmp/direct.ms")
  awk -v k="$kind" -v j="$j" -v d="$d" -v jmin="$(sort -n "$tmp/job.ms" | head -1)" \
    -v dmin="$(sort -n "$tmp/direct.ms" | head -1)" -v n="$rounds" 'BEGIN {
      o = (j / d - 1) * 100
      printf "%s: job median %6.1f ms (min %d)   direct median %6.1f ms (min %d)   overhead %+5.1f %%   (%d runs each)\n", k, j, jmin, d, dmin, o, n
      exit (o > 10) }' || status=1
done
exit $status
