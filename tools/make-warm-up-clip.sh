#!/usr/bin/env bash
# Writes resources/player/warm-up.mp4: a tenth of a second of black picture
# (H.264, 4:2:0) and silence (AAC, 44.1 kHz mono) in MP4, the formats most
# videos come in. The player plays it once, unseen, before the first real
# play, so that its demuxer, decoders and sound output are ready. Made once
# and kept in the sources; run again only to change it.
set -euo pipefail
out=$(dirname "$0")/../resources/player/warm-up.mp4
ffmpeg -nostdin -loglevel error -y -f lavfi -i color=c=black:s=320x180:r=25 -f lavfi -i anullsrc=r=44100:cl=mono \
    -t 0.1 -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac -b:a 16k \
    -map_metadata -1 -movflags +faststart -fflags +bitexact -flags:v +bitexact -flags:a +bitexact "$out"
