#!/usr/bin/env bash
# Draws Harbourlight's pictures with ImageMagick: picture.png (English) and
# picture.de-DE.png (German), the same disc with each edition's labels beside its buttons,
# and picture.installed.png and picture.installed.de-DE.png, with the labels the buttons
# take once Harbourlight is installed. The German edition has no third button, so nothing
# is painted in its place.
#   examples/harbourlight/draw.sh
set -eu
cd "$(dirname "$0")"

# The disc: deep harbour blue, a lighthouse and its beam, waves, grooves near the rim, a
# lighter rim line and a soft gloss; the corners outside the circle are the flat grey never seen.
disc() {
  convert -size 360x360 radial-gradient:'rgb(36,120,150)'-'rgb(4,18,40)' \
    -fill 'rgba(255,236,170,0.13)' -draw 'polygon 58,262 352,118 352,214' \
    -fill 'rgba(255,236,170,0.08)' -draw 'polygon 58,262 352,150 352,186' \
    -fill none -stroke 'rgba(255,255,255,0.06)' -strokewidth 1 \
    -draw 'circle 180,180 180,10' -draw 'circle 180,180 180,16' -draw 'circle 180,180 180,22' \
    -stroke 'rgba(200,235,245,0.7)' -strokewidth 1.5 -draw 'circle 180,180 180,2' \
    -stroke 'rgba(180,220,235,0.35)' -strokewidth 2 -fill none \
    -draw 'bezier 40,282 90,266 130,298 180,282' -draw 'bezier 180,282 230,266 270,298 320,282' \
    -draw 'bezier 64,306 110,292 150,320 196,306' -draw 'bezier 196,306 242,292 276,318 300,306' \
    -stroke none -fill 'rgb(10,22,34)' -draw 'polygon 50,300 54,258 62,258 66,300' \
    -fill 'rgb(255,240,190)' -draw 'circle 58,256 58,251' \
    \( -size 360x360 xc:none -fill 'rgba(255,255,255,0.16)' -draw 'ellipse 125,105 95,42 0,360' \
       -blur 0x22 \) -composite \
    \( -size 360x360 xc:black -fill white -draw 'circle 180,180 180,0' \) -alpha off \
    -compose copy_opacity -composite -background 'rgb(128,128,128)' -alpha remove -compose over \
    -stroke none -font DejaVu-Sans-Bold -pointsize 27 \
    -fill 'rgba(0,0,0,0.5)' -annotate +48+80 Harbourlight -fill white -annotate +46+78 Harbourlight \
    -font DejaVu-Sans -pointsize 13 -fill 'rgb(190,225,235)' -annotate +88+98 "$1" \
    -font DejaVu-Sans -pointsize 13 -fill 'rgb(240,246,250)' -gravity NorthEast \
    -annotate +152+122 "$2" -annotate +127+175 "$3" ${4:+-annotate +176+216 "$4"} "$5"
}

disc 'Atlas  ·  Setup' 'Install Harbourlight' 'Read the manual' 'Harbourlight online' \
  picture.png
disc 'Atlas  ·  Installation' 'Harbourlight installieren' 'Seekarten ansehen' '' \
  picture.de-DE.png
disc 'Atlas  ·  Setup' 'Start Harbourlight' 'Remove Harbourlight' 'Harbourlight online' \
  picture.installed.png
disc 'Atlas  ·  Installation' 'Harbourlight starten' 'Harbourlight entfernen' '' \
  picture.installed.de-DE.png
