#!/usr/bin/env bash
# Generates the demo portal's sample media with ffmpeg: a test pattern with the
# title and episode drawn on it and a tone, keyframes every half second so the
# player knows the bit rate early. H.264/AAC in MP4 for the program's player,
# VP8/Vorbis in WebM for the page player (every Chromium decodes it).
# Episodes made of parts (a series' shared opening and closing credits around
# spoken lines of their own) are made by make-series-episode.sh beside it.
# Besides the portal's clips it makes tracks.mkv: two audio tracks (国语 and
# English) and two Chinese subtitle tracks, for choosing tracks.
# Usage: make-media.sh [--progress] PORTAL_BINARY OUT_DIR. Files already made
# are kept. With --progress it prints "clips N" (the clips it has to make),
# then "made FILE" as each is done.
set -euo pipefail
progress=false
if [ "${1:-}" = --progress ]; then progress=true; shift; fi
portal=$1
out=$2
mkdir -p "$out"
here=$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")
font=$(fc-match -f '%{file}' 'Noto Sans CJK SC' 2>/dev/null || true)
[ -f "$font" ] || font=/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc

make_clip() {
    local file=$1 seconds=$2 caption=$3 tone=$4
    local target="$out/$file" partial="$out/.partial-$file"
    [ -s "$target" ] && return 0
    local text=${caption//:/\\:}
    local video="testsrc2=size=320x180:rate=25:duration=$seconds,drawtext=fontfile=$font:text='$text':fontsize=22:fontcolor=white:box=1:boxcolor=black@0.6:x=(w-tw)/2:y=20"
    local audio="sine=frequency=$tone:duration=$seconds:sample_rate=44100"
    if [[ $file == *.webm ]]; then
        ffmpeg -nostdin -loglevel error -y -f lavfi -i "$video" -f lavfi -i "$audio" \
            -c:v libvpx -deadline realtime -cpu-used 8 -b:v 300k -g 12 -c:a libvorbis -b:a 64k -f webm "$partial"
    else
        ffmpeg -nostdin -loglevel error -y -f lavfi -i "$video" -f lavfi -i "$audio" \
            -c:v libx264 -preset ultrafast -b:v 300k -g 12 -pix_fmt yuv420p -c:a aac -b:a 64k \
            -movflags +faststart -f mp4 "$partial"
    fi
    mv "$partial" "$target"
    if $progress; then echo "made $file"; fi
}

make_series_episode() {
    local file=$1 cold=$2 opening=$3 content=$4 credits=$5 seed=$6 series=$7 caption=$8
    local target="$out/$file" partial="$out/.partial-$file"
    [ -s "$target" ] && return 0
    bash "$here/make-series-episode.sh" --cold "$cold" --opening "$opening" --content "$content" \
        --credits "$credits" --seed "$seed" --series "$series" --caption "$caption" "$partial"
    mv "$partial" "$target"
    if $progress; then echo "made $file"; fi
}

mapfile -t clips < <("$portal" --list-media)
mapfile -t episodes < <("$portal" --list-series-media)
missing=0
for clip in "${episodes[@]}" "${clips[@]}"; do [ -s "$out/${clip%%|*}" ] || missing=$((missing + 1)); done
if $progress; then echo "clips $missing"; fi
# The long episodes first, so that the short clips fill in around them.
for episode in "${episodes[@]}"; do
    IFS='|' read -r file cold opening content credits seed series caption <<< "$episode"
    make_series_episode "$file" "$cold" "$opening" "$content" "$credits" "$seed" "$series" "$caption" &
    [ "$(jobs -r | wc -l)" -ge 2 ] && wait -n
done
for clip in "${clips[@]}"; do
    IFS='|' read -r file seconds caption tone <<< "$clip"
    make_clip "$file" "$seconds" "$caption" "$tone" &
    # two at a time: the machines have two cores
    [ "$(jobs -r | wc -l)" -ge 2 ] && wait -n
done
wait

# A film with two audio and two subtitle tracks, named as a film names them.
make_tracks_sample() {
    local target="$out/tracks.mkv" partial="$out/.partial-tracks.mkv" work
    [ -s "$target" ] && return 0
    work=$(mktemp -d)
    printf '1\n00:00:00,000 --> 00:00:30,000\n简体中文字幕\n' > "$work/simplified.srt"
    printf '1\n00:00:00,000 --> 00:00:30,000\n繁體中文字幕\n' > "$work/traditional.srt"
    ffmpeg -nostdin -loglevel error -y \
        -f lavfi -i "testsrc2=size=320x180:rate=25:duration=30" \
        -f lavfi -i "sine=frequency=440:duration=30:sample_rate=44100" \
        -f lavfi -i "sine=frequency=880:duration=30:sample_rate=44100" \
        -i "$work/simplified.srt" -i "$work/traditional.srt" \
        -map 0:v -map 1:a -map 2:a -map 3:s -map 4:s \
        -c:v libx264 -preset ultrafast -b:v 300k -g 12 -pix_fmt yuv420p -c:a aac -b:a 64k -c:s srt \
        -metadata:s:a:0 language=chi -metadata:s:a:0 title=国语 \
        -metadata:s:a:1 language=eng -metadata:s:a:1 title=English \
        -metadata:s:s:0 language=chi -metadata:s:s:0 title=简体中文 \
        -metadata:s:s:1 language=chi -metadata:s:s:1 title=繁體中文 \
        -f matroska "$partial"
    rm -rf "$work"
    mv "$partial" "$target"
}
make_tracks_sample
