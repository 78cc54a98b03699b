#!/usr/bin/env bash
# Makes one episode of a demo series: a cold open, the series' opening (a
# title card and a fixed melody), the episode's own content, the series'
# closing credits (a credits card and another fixed melody), one after
# another, in H.264/AAC MP4. The cold open and the content are Chinese lines
# spoken by espeak-ng over quiet music and noise, all picked by the seed, so
# that two episodes share nothing but the opening and the credits; without
# espeak-ng, tones stand in for the voice. The opening and the credits are the
# first seconds of the same melodies and pictures in every episode, whatever
# their lengths: where they are follows from the lengths alone.
# Usage: make-series-episode.sh [--cold S] [--opening S] [--content S]
#        [--credits S] [--seed N] [--bitrate RATE] [--series NAME]
#        [--caption TEXT] OUT.mp4
# Lengths are whole seconds (0: no such part); seeds 0 to 250 speak lines no
# other seed speaks (parts up to 800 s).
set -euo pipefail
cold=0 opening=36 content=120 credits=24 seed=1 bitrate=64k series=演示剧集 caption=
while [ $# -gt 1 ]; do
    case $1 in
        --cold) cold=$2 ;; --opening) opening=$2 ;; --content) content=$2 ;; --credits) credits=$2 ;;
        --seed) seed=$2 ;; --bitrate) bitrate=$2 ;; --series) series=$2 ;; --caption) caption=$2 ;;
        *) echo "unknown option: $1" >&2; exit 2 ;;
    esac
    shift 2
done
[ $# -eq 1 ] || { echo "usage: $0 [options] OUT.mp4" >&2; exit 2; }
out=$1
caption=${caption:-$series}
# The music is worked out at a quarter of the file's rate (its notes are
# low), which takes a quarter of the time.
rate=44100 music_rate=11025 fps=10
font=$(fc-match -f '%{file}' 'Noto Sans CJK SC' 2>/dev/null || true)
[ -f "$font" ] || font=/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Sentence K of the 55 440 the five lists make. Its number is multiplied by a
# number prime to 55 440, so that neighbouring sentences differ everywhere;
# each seed's sentences start 211 further on, a prime too, so that no two
# seeds start with the same words.
sentence() {
    local times=(一大早 到了中午 傍晚时分 下雨的时候 快过年的时候 天刚亮 深夜里 周末)
    local people=(老王 小林 阿梅 张师傅 李奶奶 陈老师 小周 赵大哥 刘姐 孙伯伯)
    local places=(在面馆门口 在老街的石阶上 在江边码头 在菜市场 在小学的操场 在火车站 在茶馆里 在屋顶上 在桥头)
    local deeds=(煮了一锅牛肉面 修好了那辆旧自行车 写了一封长长的信 数着刚收到的零钱 等一位多年不见的朋友
        讲起了从前的故事 把灯笼挂了起来 听着收音机里的老歌 晒着刚洗好的被子 教孩子们下象棋 收拾着满屋的旧书)
    local ends=(谁也没有说话 大家都笑了 雾气慢慢散开了 远处传来了汽笛声 心里有点不安 一切都和昨天不一样 天色渐渐暗了)
    local k=$((($1 * 7919 + 13) % 55440))
    echo "${times[k % 8]}，${people[k / 8 % 10]}${places[k / 80 % 9]}${deeds[k / 720 % 11]}，${ends[k / 7920 % 7]}。"
}

# The voice of part PART (0: cold open, 1: content), SECONDS long, as a WAV
# file: about one sentence every eight seconds, cut where the part ends.
speak() {
    local part=$1 seconds=$2 file=$work/voice$1.wav text="<speak>" i
    for ((i = 0; i <= seconds / 8; i++)); do
        text+="$(sentence $((seed * 211 + part * 103 + i)))<break time=\"1500ms\"/>"
    done
    if ! { command -v espeak-ng && espeak-ng -v cmn -m -w "$file" "$text</speak>"; } > /dev/null 2>&1; then
        # Without it, syllables of changing pitch, a pause every six seconds.
        ffmpeg -nostdin -loglevel error -y -f lavfi -t "$seconds" -i "aevalsrc=exprs='st(0,floor(t*4));
            0.3*gt(mod(t,6),1.2)*pow(sin(PI*mod(t*4,1)),2)*
            sin(2*PI*(180+30*floor(mod(abs(sin((ld(0)+$seed*977+$part*31)*9.17))*43758.5453,1)*6))*t)':s=$music_rate" "$file"
    fi
    echo "$file"
}

# Expression statements for a voice of notes LENGTH seconds long: register
# R holds the note's number, R+1 the time into it, R+2 its pitch (PITCH of the
# note's number in ld(R)), worked out once a note: aevalsrc keeps registers
# from one sample to the next, and works out the whole expression each sample.
notes() {
    local r=$1 length=$2 pitch=$3
    echo "st($r,floor(t/$length));st($((r + 1)),t-ld($r)*$length);
        if(eq(ld($r)+1,ld($((r + 3)))),0,st($((r + 3)),ld($r)+1)+st($((r + 2)),$pitch));"
}

# A pitch from the note's number in register R: a pentatonic step of BASE Hz
# picked by a hash of the number and SALT, among the first STEPS.
pentatonic() {
    local r=$1 base=$2 salt=$3 steps=$4
    echo "$base*pow(2,floor(floor(mod(abs(sin(ld($r)*12.9898+$salt))*43758.5453,1)*$steps)*12/5+0.5)/12)"
}

# The opening's melody: quick bright notes over a slow bass line.
opening_melody() {
    echo "$(notes 0 0.375 "$(pentatonic 0 392 1 7)")$(notes 4 1.5 "$(pentatonic 4 98 5 4)")
        0.25*min(1,ld(1)/0.01)*exp(-4*ld(1))*(sin(2*PI*ld(2)*ld(1))+0.3*sin(4*PI*ld(2)*ld(1)))
        +0.15*min(1,ld(5)/0.02)*exp(-1.5*ld(5))*sin(2*PI*ld(6)*ld(5))"
}

# The credits' melody: slow low notes, each held, with a fifth above.
credits_melody() {
    echo "$(notes 0 0.8 "$(pentatonic 0 196 3 6)")
        0.22*sin(PI*ld(1)/0.8)*(sin(2*PI*ld(2)*ld(1))+0.4*sin(3*PI*ld(2)*ld(1))+0.11*sin(6*PI*ld(2)*ld(1)))"
}

# The quiet music under an episode's own part: long soft notes picked by the
# seed, of a length the seed picks too, so that two episodes' notes rarely meet.
bed_music() {
    local beat
    beat=$(awk "BEGIN { print 1.6 + 0.09 * (($seed * 7 + $1) % 11) }")
    echo "$(notes 0 "$beat" "$(pentatonic 0 $((110 + 7 * (seed % 13))) "$seed.$1" 5)")
        0.05*sin(PI*ld(1)/$beat)*sin(2*PI*ld(2)*ld(1))"
}

# Brought up to the file's rate, SAMPLES long exactly.
to_file_rate() { echo "aresample=$rate,apad=whole_len=$1,atrim=end_sample=$1,$format"; }

# Filters for part N's sound (exactly SECONDS long) and picture, into [aN] and [vN].
own_part() {
    local n=$1 seconds=$2 part=$3 voice=$4 samples=$(($2 * rate))
    local colors=(0x3a2a1a 0x1a3a2a 0x2a1a3a 0x3a3a1a 0x1a2a3a 0x3a1a2a)
    echo "amovie='$voice',volume=0.8,$(to_file_rate $samples)[voice$n];
        aevalsrc=exprs='$(bed_music "$part")':s=$music_rate:d=$seconds,$(to_file_rate $samples)[music$n];
        anoisesrc=color=pink:seed=$((seed * 2 + part)):amplitude=0.012:r=$rate:d=$seconds,$format[noise$n];
        [voice$n][music$n][noise$n]amix=inputs=3:normalize=0:duration=first,$format[a$n];
        color=c=${colors[seed % 6]}:s=320x180:r=$fps:d=$seconds,
        drawtext=fontfile=$font:textfile=$work/caption:fontsize=22:fontcolor=white:x=(w-tw)/2:y=20[v$n];"
}

# Part N made of a fixed melody and a card: the same samples and pictures in every episode.
shared_part() {
    local n=$1 seconds=$2 melody=$3 card=$4
    echo "aevalsrc=exprs='$melody':s=$music_rate:d=$seconds,$(to_file_rate $(($2 * rate)))[a$n];
        color=c=0x10243e:s=320x180:r=$fps:d=$seconds,$card[v$n];"
}

format="aformat=sample_fmts=fltp:sample_rates=$rate:channel_layouts=mono"
printf '%s' "$caption" > "$work/caption"
printf '%s' "$series" > "$work/series"
printf '片尾\n\n导演  林一帆\n编剧  周小雨\n主演  陈望  许青\n摄影  马力\n\n%s\n演示影业出品' "$series" > "$work/credits"
title_card="drawtext=fontfile=$font:textfile=$work/series:fontsize=34:fontcolor=white:x=(w-tw)/2:y=(h-th)/2:alpha='min(1,t/2)'"
credits_card="drawtext=fontfile=$font:textfile=$work/credits:fontsize=16:line_spacing=6:fontcolor=white:x=(w-tw)/2:y=h-t*12"

graph="" parts=0
add() { graph+=$1; parts=$((parts + 1)); }
[ "$cold" -gt 0 ] && add "$(own_part $parts "$cold" 0 "$(speak 0 "$cold")")"
[ "$opening" -gt 0 ] && add "$(shared_part $parts "$opening" "$(opening_melody)" "$title_card")"
[ "$content" -gt 0 ] && add "$(own_part $parts "$content" 1 "$(speak 1 "$content")")"
[ "$credits" -gt 0 ] && add "$(shared_part $parts "$credits" "$(credits_melody)" "$credits_card")"
for ((i = 0; i < parts; i++)); do graph+="[v$i][a$i]"; done
graph+="concat=n=$parts:v=1:a=1[v][joined];[joined]asetnsamples=n=1024:p=0[a]"  # the AAC encoder's frames

ffmpeg -nostdin -loglevel error -y -filter_complex "$graph" -map '[v]' -map '[a]' \
    -c:v libx264 -preset ultrafast -crf 30 -g 5 -pix_fmt yuv420p -c:a aac -aac_coder fast -b:a "$bitrate" \
    -movflags +faststart -f mp4 "$out"
