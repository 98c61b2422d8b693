#!/usr/bin/env bash
# Makes the PNM, TIFF, WebP and GIF fixtures in this folder and, beside each, the pixels a
# second decoder reads from it (NAME.ref.ppm, a binary pixmap with maximum 255):
# netpbm for PNM (pamdepth rounds v × 255 / maxval to the nearest), ImageMagick for TIFF
# and GIF, dwebp for WebP. ImageMagick lays transparency over black (-flatten) and writes
# 16 bits, which pamdepth rounds to 8: its own -depth 8 cuts 16-bit samples short instead.
# Only the floating-point TIFF with not-a-number and infinities has a reference by hand.
# Needs imagemagick, netpbm, webp, giflib-tools and python3; none of them is needed to
# build or test. Run it from anywhere; it rewrites the files it makes.
set -euo pipefail

cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
im=convert-im6.q16

# Sources: a 16 × 12 colour plasma, a grey one spanning 0 … 65535, and a 40 × 20 plasma.
$im -size 16x12 -seed 7 plasma:fractal -depth 8 "$work/colour.ppm"
$im -size 16x12 -seed 3 plasma:fractal -colorspace gray -auto-level -depth 16 "$work/grey16.pgm"
$im "$work/grey16.pgm" -depth 8 "$work/grey8.pgm"
$im -size 40x20 -seed 11 plasma:fractal -depth 16 "$work/wide16.ppm"

netpbm_reference() { ppmtoppm <"$1" | pamdepth 255 >"${2:-${1%.*}}.ref.ppm"; }
over_black() { $im "$1" -background black -flatten -alpha off -depth 16 ppm:- | pamdepth 255 >"$2"; }
magick_reference() { over_black "$1[0]" "${1%.*}.ref.ppm"; }

# PNM: every kind, plain and binary, maxvals other than 255, comments, two pictures in a file.
$im "$work/grey8.pgm" -threshold 50% pbm:"$work/bits.pbm"
pamtopnm -plain "$work/bits.pbm" | sed '1a # a comment line' >pnm_p1_plain_bitmap.pbm
pamcut -width 13 -height 5 "$work/bits.pbm" >pnm_p4_binary_bitmap_13_wide.pbm
pamdepth 1000 "$work/grey16.pgm" >pnm_p5_maxval_1000.pgm
pamdepth 1000 "$work/grey16.pgm" | pamtopnm -plain | sed '1a # grey levels up to 1000' >pnm_p2_plain_maxval_1000.pgm
cp "$work/grey8.pgm" pnm_p5_grey.pgm
pamdepth 100 "$work/colour.ppm" | pamtopnm -plain >pnm_p3_plain_maxval_100.ppm
$im "$work/wide16.ppm" -depth 16 pnm_p6_16bit.ppm
cat "$work/colour.ppm" pnm_p6_16bit.ppm >pnm_p6_two_pictures.ppm
for f in pnm_p1_plain_bitmap.pbm pnm_p4_binary_bitmap_13_wide.pbm pnm_p5_maxval_1000.pgm pnm_p2_plain_maxval_1000.pgm \
  pnm_p5_grey.pgm pnm_p3_plain_maxval_100.ppm pnm_p6_16bit.ppm; do
  netpbm_reference "$f"
done
netpbm_reference "$work/colour.ppm" pnm_p6_two_pictures

# TIFF: grey and RGB at 8 and 16 bits, alpha, palette, bilevel fax data, tiles, two pages.
$im "$work/grey8.pgm" -compress zip tiff_grey_8bit_deflate.tif
$im "$work/grey16.pgm" -compress lzw tiff_grey_16bit_lzw.tif
$im "$work/colour.ppm" -compress none tiff_rgb_8bit.tif
$im "$work/wide16.ppm" -define tiff:tile-geometry=16x16 -compress zip tiff_rgb_16bit_tiled.tif
$im "$work/colour.ppm" "$work/grey8.pgm" -alpha off -compose CopyOpacity -composite -depth 8 \
  -define tiff:alpha=unassociated tiff_rgba_8bit_unassociated.tif
$im "$work/grey8.pgm" \( "$work/grey8.pgm" -negate \) -alpha off -compose CopyOpacity -composite -depth 8 \
  -define tiff:alpha=unassociated tiff_grey_alpha_8bit.tif
$im "$work/colour.ppm" -colors 16 -type palette -depth 4 -compress lzw tiff_palette_4bit.tif
$im "$work/grey8.pgm" -threshold 50% -monochrome -compress group4 tiff_bilevel_fax.tif
$im "$work/colour.ppm" "$work/wide16.ppm" tiff_two_pages.tif
for f in tiff_grey_8bit_deflate tiff_grey_16bit_lzw tiff_rgb_8bit tiff_rgb_16bit_tiled tiff_rgba_8bit_unassociated \
  tiff_grey_alpha_8bit tiff_palette_4bit tiff_bilevel_fax tiff_two_pages; do
  magick_reference "$f.tif"
done

# Floating-point grey: levels 0 … 255 stored as −1000 + 10 × level, read back by ImageMagick
# told that range; and a picture with not-a-number and infinities, whose finite samples
# 0, 5, 10 spread to 0, 128 (127.5 rounded up), 255.
python3 - "$work/grey8.pgm" <<'PY'
import struct, sys

def float_tiff(name, width, height, values):
    data = b''.join(struct.pack('<f', v) for v in values)
    tags = [(256, 4, width), (257, 4, height), (258, 3, 32), (259, 3, 1), (262, 3, 1), (273, 4, None),
            (277, 3, 1), (278, 4, height), (279, 4, len(data)), (339, 3, 3)]
    data_offset = 8 + 2 + 12 * len(tags) + 4
    ifd = struct.pack('<H', len(tags))
    for tag, kind, value in tags:
        value = data_offset if value is None else value
        ifd += struct.pack('<HHI', tag, kind, 1) + (struct.pack('<HH', value, 0) if kind == 3 else struct.pack('<I', value))
    open(name, 'wb').write(b'II*\0' + struct.pack('<I', 8) + ifd + struct.pack('<I', 0) + data)

grey = open(sys.argv[1], 'rb').read()[-16 * 12:]
float_tiff('tiff_float_grey.tif', 16, 12, [-1000 + 10 * level for level in grey])
inf, nan = float('inf'), float('nan')
float_tiff('tiff_float_grey_nan_inf.tif', 4, 2, [0, 5, 10, nan, inf, -inf, 10, 0])
levels = [0, 128, 255, 0, 0, 0, 255, 0]
open('tiff_float_grey_nan_inf.ref.ppm', 'wb').write(b'P6\n4 2\n255\n' + bytes(v for v in levels for _ in range(3)))
PY
$im -define quantum:minimum=-1000 -define quantum:maximum=1550 tiff_float_grey.tif -depth 16 ppm:- | pamdepth 255 \
  >tiff_float_grey.ref.ppm

# WebP: lossless, lossy, lossy with alpha, and an animation whose first frame is read.
$im "$work/colour.ppm" "$work/colour.png"
$im "$work/colour.ppm" "$work/grey8.pgm" -alpha off -compose CopyOpacity -composite "$work/alpha.png"
$im "$work/colour.ppm" -negate "$work/negated.png"
cwebp -quiet -lossless "$work/colour.png" -o webp_lossless.webp
cwebp -quiet -q 75 "$work/colour.png" -o webp_lossy.webp
cwebp -quiet -q 75 -exact "$work/alpha.png" -o webp_lossy_alpha.webp
img2webp -lossy "$work/colour.png" "$work/negated.png" -o webp_animated.webp >/dev/null 2>&1
webpmux -get frame 1 webp_animated.webp -o "$work/first_frame.webp" >/dev/null 2>&1
for f in webp_lossless webp_lossy webp_lossy_alpha; do dwebp -quiet "$f.webp" -pam -o "$work/$f.pam"; done
dwebp -quiet "$work/first_frame.webp" -pam -o "$work/webp_animated.pam"
for f in webp_lossless webp_lossy webp_lossy_alpha webp_animated; do
  over_black "$work/$f.pam" "$f.ref.ppm"
done

# GIF: a global palette; interlaced with a transparent colour; a frame with its own colours
# placed inside the screen; a frame partly off the screen; an animation.
$im "$work/colour.ppm" -colors 64 gif_global_palette.gif
$im "$work/colour.ppm" -colors 32 -fill none -draw 'color 3,3 floodfill' -interlace GIF gif_interlaced_transparent.gif
gif_frame() {  # NAME SCREEN_W SCREEN_H LEFT TOP WIDTH HEIGHT
  $im "$work/colour.ppm" -crop "$6x$7+0+0" +repage -colors 16 "$work/frame.gif"
  # The frame's colours become its own map; the screen's map holds black entries only.
  gifbuild -d "$work/frame.gif" | python3 -c '
import sys
lines = sys.stdin.read().split("\n")
colours = lines[lines.index("screen map") + 1:]
colours = [l for l in colours[:colours.index("end")] if "rgb" in l]
raster = lines[next(i for i, l in enumerate(lines) if l.startswith("image bits")):]
raster = raster[:next(i for i, l in enumerate(raster) if l == "")]
w, h, left, top = sys.argv[1:]
print("screen width", w, "\nscreen height", h, "\nscreen colors 2\nscreen background 0\npixel aspect byte 0")
print("screen map\n\trgb 000 000 000\n\trgb 000 000 000\nend\n\nimage # 1")
print("image left", left, "\nimage top", top, "\nimage map")
print("\n".join(colours) + "\nend\n" + "\n".join(raster))
' "$2" "$3" "$4" "$5" | gifbuild >"$1"
}
gif_frame gif_frame_with_own_colours.gif 16 12 5 3 8 6
gif_frame gif_frame_partly_off_screen.gif 16 12 10 8 10 8
$im -delay 10 "$work/colour.ppm" \( "$work/colour.ppm" -negate \) -colors 64 gif_animated.gif
for f in gif_global_palette gif_interlaced_transparent gif_frame_with_own_colours gif_frame_partly_off_screen gif_animated; do
  magick_reference "$f.gif"
done

# Hostile files, each named for what is wrong with it.
$im -size 4x4 xc:red -colorspace CMYK tiff_cmyk_unsupported.tif
python3 - <<'PY'
import struct

def write(name, data):
    open(name, 'wb').write(data)

write('pnm_claims_16384x16384_cut_short.pgm', b'P5\n16384 16384\n255\n' + bytes(range(100)))
write('pnm_plain_claims_16384x16384.pgm', b'P2\n16384 16384\n255\n' + b'1 2 3 4 5 6 7 8\n' * 8)
write('pnm_claims_100000x100000.ppm', b'P6\n100000 100000\n255\n' + bytes(30))
write('pnm_maxval_0.pgm', b'P5\n2 2\n0\n\0\0\0\0')
write('pnm_maxval_70000.pgm', b'P5\n2 2\n70000\n' + bytes(8))
write('pnm_plain_garbage.pgm', b'P2\n2 2\n255\n1 2 x 4\n')
p6 = open('pnm_p6_16bit.ppm', 'rb').read()
write('pnm_p6_pixels_truncated.ppm', p6[:len(p6) // 2])

tiff = open('tiff_float_grey.tif', 'rb').read()  # its directory comes before its pixels
write('tiff_pixels_truncated.tif', tiff[:len(tiff) // 2])

def grey_tiff(width, height, rows_per_strip, strip_count):
    tags = [(256, 4, 1, width), (257, 4, 1, height), (258, 3, 1, 8), (259, 3, 1, 1), (262, 3, 1, 1),
            (273, 4, strip_count, 200), (277, 3, 1, 1), (278, 4, 1, rows_per_strip), (279, 4, strip_count, 200)]
    ifd = struct.pack('<H', len(tags))
    for tag, kind, count, value in tags:
        ifd += struct.pack('<HHI', tag, kind, count) + (struct.pack('<HH', value, 0) if kind == 3 else struct.pack('<I', value))
    return b'II*\0' + struct.pack('<I', 8) + ifd + struct.pack('<I', 0) + bytes(16)

write('tiff_claims_100000x100000.tif', grey_tiff(100000, 100000, 100000, 1))
write('tiff_absurd_strip_count.tif', grey_tiff(1, 0x4000000, 1, 0x4000000))

webp = bytearray(open('webp_lossless.webp', 'rb').read())
assert webp[12:16] == b'VP8L' and webp[20] == 0x2f
webp[21:25] = (int.from_bytes(webp[21:25], 'little') | (1 << 28) - 1).to_bytes(4, 'little')  # 16384 x 16384
write('webp_claims_16384x16384.webp', bytes(webp))
write('webp_truncated.webp', open('webp_lossy.webp', 'rb').read()[:60])

gif = open('gif_global_palette.gif', 'rb').read()
write('gif_truncated.gif', gif[:len(gif) * 3 // 4])
write('gif_claims_65535x65535.gif', gif[:6] + struct.pack('<HH', 65535, 65535) + gif[10:])
# Screen and frame both 9000 x 9000, with the few bytes of the 16 x 12 frame's data.
at = 13 + (3 << ((gif[10] & 7) + 1) if gif[10] & 0x80 else 0)
while gif[at] == 0x21:  # extensions before the image descriptor
    at += 2
    while gif[at]:
        at += gif[at] + 1
    at += 1
assert gif[at] == 0x2c
write('gif_claims_9000x9000_data_cut_short.gif',
      gif[:6] + struct.pack('<HH', 9000, 9000) + gif[10:at + 5] + struct.pack('<HH', 9000, 9000) + gif[at + 9:])
PY
