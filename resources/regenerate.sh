#!/usr/bin/env bash
# Rebuild every binary resource of Rulvio from its sources in src/.
#
# Needs Debian's librsvg2-bin (rsvg-convert), imagemagick (convert) and python3
# (standard library only); sox, when present, is used to double-check the sounds.
# Outputs, next to rulvio.rc: symbols.bmp, logo.bmp, about_logo.bmp,
# paytable.bmp, rulvio.ico, spin_fast.wav, spin_slow.wav.
# Intermediate pictures and build/contact-sheet.png (for looking only) go to
# build/, which is not committed.
set -euo pipefail
export LC_ALL=C
cd "$(dirname "$0")"

for tool in rsvg-convert convert python3; do
    command -v "$tool" >/dev/null || { echo "regenerate.sh: $tool not found" >&2; exit 1; }
done

SRC=src
BUILD=build
rm -rf "$BUILD"
mkdir -p "$BUILD/fruits"

# Opaque 24-bit bottom-up BMP (BMP3 has no dates or colour-space header).
to_bmp() { # in.png background out.bmp
    convert "$1" -background "$2" -alpha remove -alpha off -type TrueColor BMP3:"$3"
}
# PNG without time stamps, for the pictures that are only looked at.
to_png() { # convert arguments...; the last one is the output file
    convert "$@"
}
PNG_OPTS=(-define png:exclude-chunks=date,time,tEXt,zTXt,iTXt +set date:create +set date:modify)

# --- symbol strip: twelve 96 x 96 fruits, in file-name order --------------
fruits=("$SRC"/fruits/*.svg)
if [ "${#fruits[@]}" -ne 12 ]; then
    echo "regenerate.sh: expected 12 fruit pictures, found ${#fruits[@]}" >&2
    exit 1
fi
cells=()
for svg in "${fruits[@]}"; do
    png="$BUILD/fruits/$(basename "${svg%.svg}").png"
    rsvg-convert -w 96 -h 96 "$svg" -o "$png"
    cells+=("$png")
done
convert "${cells[@]}" -background white +append -alpha remove -alpha off "$BUILD/symbols.png"
to_bmp "$BUILD/symbols.png" white symbols.bmp

# --- logos and pay table ----------------------------------------------------
rsvg-convert "$SRC/logo.svg" -o "$BUILD/logo.png"
to_bmp "$BUILD/logo.png" black logo.bmp
rsvg-convert "$SRC/about-logo.svg" -o "$BUILD/about_logo.png"
to_bmp "$BUILD/about_logo.png" black about_logo.bmp
rsvg-convert "$SRC/paytable.svg" -o "$BUILD/paytable.png"
to_bmp "$BUILD/paytable.png" black paytable.bmp

# --- icon: 16 and 32 px have their own drawings, 48 and 256 share one -------
rsvg-convert -w 16 -h 16 "$SRC/icon-16.svg" -o "$BUILD/icon-16.png"
rsvg-convert -w 32 -h 32 "$SRC/icon-32.svg" -o "$BUILD/icon-32.png"
rsvg-convert -w 48 -h 48 "$SRC/icon.svg" -o "$BUILD/icon-48.png"
rsvg-convert -w 256 -h 256 "$SRC/icon.svg" -o "$BUILD/icon-256.png"
python3 "$SRC/tools/make_ico.py" rulvio.ico \
    "$BUILD/icon-16.png" "$BUILD/icon-32.png" "$BUILD/icon-48.png" "$BUILD/icon-256.png"

# --- sounds -----------------------------------------------------------------
python3 "$SRC/make_sounds.py" .

# --- check what was made ----------------------------------------------------
python3 - <<'PY'
import struct
bitmaps = {"about_logo.bmp": (164, 50), "logo.bmp": (200, 50),
           "symbols.bmp": (1152, 96), "paytable.bmp": (287, 85)}
for name, (w, h) in bitmaps.items():
    d = open(name, "rb").read()
    bw, bh, planes, bpp, comp = struct.unpack("<iiHHI", d[18:34])
    assert d[:2] == b"BM" and struct.unpack("<I", d[14:18])[0] == 40, name
    assert (bw, bh, bpp, comp) == (w, h, 24, 0), (name, bw, bh, bpp, comp)
    assert len(d) == 54 + ((w * 3 + 3) // 4 * 4) * h, name
waves = {"spin_fast.wav": 16892, "spin_slow.wav": 71276}
for name, size in waves.items():
    d = open(name, "rb").read()
    assert len(d) == size, (name, len(d))
    assert d[:4] == b"RIFF" and d[8:16] == b"WAVEfmt " and d[36:40] == b"data", name
    assert struct.unpack("<IHHIIHH", d[16:36]) == (16, 1, 2, 44100, 176400, 4, 16), name
ico = open("rulvio.ico", "rb").read()
count = struct.unpack("<HHH", ico[:6])[2]
sizes = sorted(ico[6 + 16 * i] or 256 for i in range(count))
assert sizes == [16, 32, 48, 256], sizes
print("checked: 4 bitmaps, 2 waves, icon with", sizes)
PY
if command -v sox >/dev/null; then
    for w in spin_fast.wav spin_slow.wav; do
        printf '%s peak: ' "$w"
        sox "$w" -n stat 2>&1 | awk '/Maximum amplitude|Minimum amplitude/ {v=$3<0?-$3:$3; if (v>m) m=v} END {printf "%.1f dBFS\n", 20*log(m)/log(10)}'
    done
fi

# --- contact sheet, for looking only ----------------------------------------
# Rows: the strip at 2x (two rows of six); each cell cut to the 90 x 90 that a
# reel shows, at 2x; the strip at 1:1; the logo; the about logo on two dialog
# greys; the pay table beside yellow; the icons at 1:1 and at 4x.
visible=()
for i in $(seq 0 11); do
    convert "$BUILD/symbols.png" -crop "90x90+$((i * 96))+0" +repage -scale 200% \
        -bordercolor '#808080' -border 2 "$BUILD/visible-$i.png"
    visible+=("$BUILD/visible-$i.png")
done
convert "${visible[@]:0:6}" +append "$BUILD/visible-a.png"
convert "${visible[@]:6:6}" +append "$BUILD/visible-b.png"
convert "$BUILD/symbols.png" -crop 576x96+0+0 +repage -scale 200% "$BUILD/strip-a.png"
convert "$BUILD/symbols.png" -crop 576x96+576+0 +repage -scale 200% "$BUILD/strip-b.png"
convert \( "$BUILD/about_logo.png" -bordercolor '#f0f0f0' -border 12 \) \
        \( "$BUILD/about_logo.png" -bordercolor '#d4d0c8' -border 12 \) \
        \( "$BUILD/logo.png" -bordercolor black -border 12 \) \
        \( "$BUILD/paytable.png" -bordercolor black -border 12 -background '#ffe000' -gravity east -splice 24x0 \) \
        -gravity center -background white +append "$BUILD/logos.png"
convert \( "$BUILD/icon-16.png" "$BUILD/icon-32.png" "$BUILD/icon-48.png" \
           -background '#f0f0f0' -gravity south +append -alpha remove -bordercolor '#f0f0f0' -border 8 \) \
        \( "$BUILD/icon-16.png" "$BUILD/icon-32.png" -filter point -resize 400% \
           -background '#f0f0f0' -gravity south +append -alpha remove -bordercolor '#f0f0f0' -border 8 \) \
        \( "$BUILD/icon-256.png" -background '#3060a0' -alpha remove \) \
        -background white -gravity south +append "$BUILD/icons.png"
to_png "$BUILD/strip-a.png" "$BUILD/strip-b.png" "$BUILD/visible-a.png" "$BUILD/visible-b.png" \
       "$BUILD/symbols.png" "$BUILD/logos.png" "$BUILD/icons.png" \
       -background white -gravity north -splice 0x10 -gravity west -append -bordercolor white -border 10 \
       "${PNG_OPTS[@]}" "$BUILD/contact-sheet.png"
echo "contact sheet: $BUILD/contact-sheet.png"
