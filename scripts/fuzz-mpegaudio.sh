#!/usr/bin/env bash
# Fuzzes the MPEG audio analyser's Analyse with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer for the given seconds (default 60), from a small
# seed corpus made here. Exits non-zero on a crash, leak or timeout.
#   scripts/fuzz-mpegaudio.sh [seconds]
set -uo pipefail

seconds=${1:-60}
repo=$(cd "$(dirname "$0")/.." && pwd)
out="$repo/build-fuzz/mpegaudio"
say() { echo "fuzz-mpegaudio: $*"; }

if ! command -v clang++ >/dev/null; then
  say "SKIPPED, no clang++ on this machine"
  exit 0
fi

mkdir -p "$out/artifacts"
work=$(mktemp -d "${TMPDIR:-/tmp}/fuzz-mpegaudio.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Built straight from the sources, outside the CMake build.
if ! clang++ -std=c++20 -g -O1 -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$repo/mpegaudio" "$repo"/mpegaudio/*.cpp "$repo/tests/fuzz/AnalyseFuzzer.cpp" \
    -o "$out/AnalyseFuzzer" 2>"$work/build.log"; then
  cat "$work/build.log" >&2
  say "FAILED, the fuzz target did not build"
  exit 1
fi

# Seeds: short real encodings, and built headers, Xing, ID3v1 and ID3v2 tags.
corpus="$work/corpus"
mkdir -p "$corpus"
ffmpeg -nostdin -v error -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=0.3" \
  -ac 2 "$work/tone.wav" || { say "FAILED, ffmpeg could not make a seed"; exit 1; }
lame --silent -b 32 "$work/tone.wav" "$corpus/cbr.mp3"
lame --silent -V 6 --resample 22.05 "$work/tone.wav" "$corpus/mpeg2-vbr.mp3"
lame --silent -b 8 --resample 8 --id3v1-only --tt Ring --tg Rock "$work/tone.wav" "$corpus/mpeg25-id3v1.mp3"
lame --silent -m m -b 32 --add-id3v2 --tt Ring "$work/tone.wav" "$corpus/mono-id3v2.mp3"
frame() { printf '\xff\xfb\x90\x64'; head -c 413 /dev/zero; }
{ frame; frame; } >"$corpus/pair"
{ printf '\xff\xfb\x90\x64'; head -c 32 /dev/zero; printf 'Xing\x00\x00\x00\x01\x00\x00\x27\x10';
  head -c 369 /dev/zero; frame; } >"$corpus/xing"
{ printf 'ID3\x04\x00\x10\x00\x00\x00\x14'; head -c 30 /dev/zero; frame; frame; } >"$corpus/id3v2-footer"
{ printf '\xff\xff\x10\xc0'; head -c 28 /dev/zero; printf '\xff\xff\x10\xc0'; head -c 28 /dev/zero;
  printf 'TAGTitle'; head -c 117 /dev/zero; printf '\x11'; } >"$corpus/layer1-tag"
printf 'plain text, not audio\n' >"$corpus/text"

log="$out/fuzz.log"
"$out/AnalyseFuzzer" -max_total_time="$seconds" -timeout=10 -max_len=8192 -rss_limit_mb=1024 \
  -print_final_stats=1 -artifact_prefix="$out/artifacts/" "$corpus" >"$log" 2>&1
status=$?

runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$')
if [ "$status" -eq 0 ]; then
  say "PASSED, ${runs:-?} runs in ${seconds} s without a crash, leak or timeout"
  exit 0
fi
grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error|ALARM|.*Test unit written)' "$log" | head -5 >&2
say "FAILED (libFuzzer exit $status), see $log and $out/artifacts/"
exit 1
