#!/usr/bin/env bash
# Takes the user manual's pictures again with build/bin/orlan-screenshot: "ru" writes them to
# resources/help/img/, "en" to resources/help/img/en/ (or either to the folder given after it).
# Needs xvfb-run, ImageMagick and the build (the English texts are build/bin/translations/*.qm).
# Each picture is the scene its caption describes, cut from the window where it is a part of it.
set -euo pipefail
cd "$(dirname "$0")/.."
usage="usage: scripts/help_pictures.sh ru|en [FOLDER]"
case "${1:-}" in
  ru) out=resources/help/img; flag= ;;
  en) out=resources/help/img/en; flag=--language=en ;;
  *) echo "$usage" >&2; exit 2 ;;
esac
out=${2:-$out}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# On the X server, as on a desktop, even when the shell asks for the offscreen platform.
unset QT_QPA_PLATFORM

shot() {  # NAME TACTS [OPTION]: the window or widget as orlan-screenshot grabs it
  local name=$1
  shift
  xvfb-run -a -s "-screen 0 1600x1200x24" build/bin/orlan-screenshot "$work/$name.png" "$@" $flag \
    2>/dev/null
}

save() {  # SHOT NAME [CONVERT OPTIONS]: a palette PNG without metadata, so that nothing changes in vain
  local shot=$1 name=$2
  shift 2
  convert "$work/$shot.png" "$@" -strip "PNG8:$out/$name.png"
}

# The big pictures are reduced to 256 colours first: PNG8 alone would leave the main window some
# 120. The small ones are left to PNG8, which keeps them smaller (the Russian ones were made so).
shot main 7
save main main -colors 256
shot scheme 30 --widget=SchemeImg
save scheme scheme -colors 256
shot halted 34
save halted lamps -crop 166x50+55+311 +repage -scale 200%
save halted memory -crop 200x308+463+24 +repage -colors 256
shot panel 0
save panel panel -crop 202x104+465+328 +repage
shot commands 6 --widget=CommPanel
save commands commands -colors 256
shot popup 0 --popup
save popup popup
shot stack 0 --stack
save stack stack -crop 192x260+469+24 +repage
shot breakpoint 6 --breakpoint
save breakpoint breakpoint -colors 256
shot timing 25 --timing
save timing timing -colors 256
