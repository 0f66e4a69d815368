#!/bin/sh
set -e
cd "$(dirname "$0")"
convert -size 128x128 xc:none \
  -fill '#1c5fb8' -draw 'roundrectangle 6,8 123,125 24,24' \
  -fill '#2f80ed' -draw 'roundrectangle 4,4 121,121 24,24' \
  -fill '#00000033' -draw 'polygon 35,23 83,23 99,39 99,111 35,111' \
  -fill white -draw 'polygon 32,20 80,20 96,36 96,108 32,108' \
  -fill '#c9d6e8' -draw 'polygon 80,20 80,36 96,36' \
  -stroke '#9fb3cc' -strokewidth 4 \
  -draw 'stroke-linecap round line 42,34 68,34' \
  -draw 'stroke-linecap round line 42,46 84,46' \
  -draw 'stroke-linecap round line 42,58 84,58' \
  -draw 'stroke-linecap round line 42,96 58,96' \
  -stroke '#e53935' -strokewidth 11 -fill none \
  -draw 'stroke-linecap round stroke-linejoin round polyline 50,80 64,94 102,54' \
  -define png:color-type=6 -define png:exclude-chunks=date,time PNG32:lumo_test.png
# The Windows programs' icon, in the sizes Explorer, the taskbar and the title bar ask for.
convert lumo_test.png -define icon:auto-resize=128,64,48,32,24,16 lumo_test.ico
