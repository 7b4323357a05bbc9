#!/usr/bin/env bash
# Makes the sound cues the plug-in names: the spoken byo-yomi count in Mandarin (espeak-ng), the
# stone click, the alarm beep and two chimes (sox). Usage: make_sounds.sh OUTPUT_FOLDER
set -euo pipefail
out="$1"
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

say() {  # file, text
  espeak-ng -v cmn -s 155 -p 40 -a 160 -w "$tmp/voice.wav" "$2"
  sox -q "$tmp/voice.wav" -r 22050 -c 1 "$out/$1" gain -n -3
}

numerals=(零 一 二 三 四 五 六 七 八 九 十)
for i in $(seq 0 10); do say "$i.wav" "${numerals[$i]}"; done
for tens in 2 3 4 5 6; do say "${tens}0s.wav" "${numerals[$tens]}十秒"; done
for period in 1 2 3 4 5; do say "t$period.wav" "第${numerals[$period]}次读秒"; done
say lasttime.wav "最后一次读秒"
say startc.wav "开始读秒"
say timeout.wav "超时判负"

# A stone on wood: a short filtered knock with a little body.
sox -q -n -r 22050 -c 1 "$tmp/knock.wav" synth 0.05 noise lowpass 1800 highpass 300 fade q 0 0.05 0.046
sox -q -n -r 22050 -c 1 "$tmp/body.wav" synth 0.09 sine 620 fade q 0 0.09 0.085 gain -12
sox -q -m "$tmp/knock.wav" "$tmp/body.wav" "$out/put.wav" gain -n -2

# A short beep for each second of the start countdown.
sox -q -n -r 22050 -c 1 "$out/alarm.wav" synth 0.12 sine 880 fade q 0.005 0.12 0.04 gain -9

# Two soft chimes, rising at the start and falling at the end of a game, each with its words.
chime() {  # file, first tone, second tone, text
  sox -q -n -r 22050 -c 1 "$tmp/a.wav" synth 0.35 pluck "$2" fade q 0 0.35 0.3 gain -8
  sox -q -n -r 22050 -c 1 "$tmp/b.wav" synth 0.5 pluck "$3" fade q 0 0.5 0.45 gain -8
  espeak-ng -v cmn -s 150 -p 40 -a 150 -w "$tmp/voice.wav" "$4"
  sox -q "$tmp/voice.wav" -r 22050 -c 1 "$tmp/v.wav" gain -n -3
  sox -q "$tmp/a.wav" "$tmp/b.wav" "$tmp/v.wav" "$out/$1"
}
chime start.wav 523 784 "对局开始"
chime gameover.wav 784 523 "对局结束"
