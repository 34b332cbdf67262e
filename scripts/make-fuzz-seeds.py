#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora under fuzz/corpus/<target>/.

PNG, JPEG, GIF, WebP and TIFF seeds come from fuzz/seeds/make_image_seeds.cpp, built with the
fuzz preset (./run build fuzz); this script runs it, then writes the rest by hand: bitmaps,
icons and cursors, DIBs for the drawing calls, label markup, texts, drawing-call programs,
property bags, values, images for the image cache and whole form files.

Usage: scripts/make-fuzz-seeds.py [--image-writer build/fuzz/fuzz/make_image_seeds]
"""

import argparse
import base64
import json
import os
import shutil
import struct
import subprocess
import sys
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CORPUS = os.path.join(ROOT, "fuzz", "corpus")
FORMS = os.path.join(ROOT, "examples", "forms")


def save(target, name, data):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("utf-8")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def fresh(target):
    """Empties a target's seed folder so that seeds dropped from here do not linger."""
    shutil.rmtree(os.path.join(CORPUS, target), ignore_errors=True)


def sample(x, y, c):
    """The test picture of make_image_seeds.cpp: channel c of pixel (x, y)."""
    v = (x * 37 + y * 23 + c * 85) & 0xFF
    return 255 - v if (x + y) % 3 == 0 else v


# ---- bitmaps -------------------------------------------------------------------------------


def stride(width, bits):
    return (width * bits + 31) // 32 * 4


def pack_rows(width, height, bits, pixel, top_down=False):
    """Pixel rows, bottom row first unless top_down; pixel(x, y) gives an index or a value."""
    rows = []
    for y in range(height):
        row = bytearray(stride(width, bits))
        for x in range(width):
            v = pixel(x, y)
            if bits < 8:
                bit = x * bits
                row[bit // 8] |= v << (8 - bits - bit % 8)
            elif bits == 8:
                row[x] = v
            elif bits == 16:
                struct.pack_into("<H", row, x * 2, v)
            elif bits == 24:
                row[x * 3:x * 3 + 3] = bytes(v)
            else:
                struct.pack_into("<I", row, x * 4, v)
        rows.append(bytes(row))
    if not top_down:
        rows.reverse()
    return b"".join(rows)


def palette(count, entry_size=4):
    out = b""
    for i in range(count):
        bgr = bytes((sample(i, 2, 2), sample(i, 1, 1), sample(i, 0, 0)))
        out += bgr + (b"\0" if entry_size == 4 else b"")
    return out


def info_header(size, width, height, bits, compression, image_size=0, colours=0, masks=None):
    """BITMAPINFOHEADER and its later versions (52, 56, 108 and 124 bytes), masks inside."""
    h = struct.pack("<IiiHHIIiiII", size, width, height, 1, bits, compression, image_size,
                    2835, 2835, colours, 0)
    if size > 40:
        m = list(masks or (0, 0, 0, 0)) + [0] * 4
        h += struct.pack("<IIII", *m[:4])[:size - 40]
    if size >= 108:
        h = h[:56] + struct.pack("<I", 0x73524742) + b"\0" * 36 + b"\0" * 12  # sRGB, endpoints
    if size == 124:
        h += struct.pack("<IIII", 4, 0, 0, 0)  # intent, no profile
    assert len(h) == size, (size, len(h))
    return h


def bmp_file(dib, header_size, table_size):
    offset = 14 + header_size + table_size
    return b"BM" + struct.pack("<IHHI", 14 + len(dib), 0, 0, offset) + dib


def rle8(width, height):
    """Runs, literal runs, a move and both end markers, bottom row first."""
    out = bytearray()
    for y in range(height):
        if y == 1:
            out += bytes((0, 2, 1, 1))  # move right one and up one: row 1 is skipped
            out += bytes((width - 1, 3, 0, 0))
            continue
        out += bytes((2, y % 16))  # a run of two
        literal = [(x + y) % 16 for x in range(width - 2)]
        if len(literal) >= 3:
            out += bytes((0, len(literal))) + bytes(literal) + (b"\0" if len(literal) % 2 else b"")
        else:
            out += bytes((len(literal), 5))
        out += bytes((0, 0))
    out += bytes((0, 1))
    return bytes(out)


def rle4(width, height):
    out = bytearray()
    for y in range(height):
        out += bytes((3, 0x12))  # three pixels alternating 1 and 2
        n = width - 3
        if n >= 3:
            nibbles = [(x + y) % 16 for x in range(n)] + [0]
            packed = bytes(nibbles[i] << 4 | nibbles[i + 1] for i in range(0, n, 2))
            out += bytes((0, n)) + packed + (b"\0" if len(packed) % 2 else b"")
        else:
            out += bytes((n, 0x34))
        out += bytes((0, 0))
    out += bytes((0, 1))
    return bytes(out)


def bmp_seeds():
    t = "fuzz_bmp"
    fresh(t)
    w, h = 5, 3
    # The core header: 12 bytes, 3-byte colour entries.
    for bits in (1, 4, 8, 24):
        entries = 1 << bits if bits <= 8 else 0
        head = struct.pack("<IHHHH", 12, w, h, 1, bits)
        table = palette(entries, 3)
        pix = pack_rows(w, h, bits,
                        (lambda x, y: (x + y) % (1 << bits)) if bits <= 8
                        else (lambda x, y: (sample(x, y, 2), sample(x, y, 1), sample(x, y, 0))))
        save(t, f"core-{bits}.bmp", bmp_file(head + table + pix, 12, len(table)))
    # The info header with every plain depth, a short colour table and top-down rows.
    for bits in (1, 4, 8, 16, 24, 32):
        entries = min(1 << bits, 16) if bits <= 8 else 0
        if bits <= 8:
            pix = pack_rows(w, h, bits, lambda x, y: (x * 3 + y) % entries)
        elif bits == 16:
            pix = pack_rows(w, h, 16, lambda x, y: (sample(x, y, 0) >> 3) << 10 | (y * 9 + x))
        elif bits == 24:
            pix = pack_rows(w, h, 24, lambda x, y: (sample(x, y, 2), sample(x, y, 1), sample(x, y, 0)))
        else:
            pix = pack_rows(w, h, 32, lambda x, y: sample(x, y, 0) << 16 | sample(x, y, 1) << 8 | sample(x, y, 2))
        head = info_header(40, w, h, bits, 0, len(pix), entries if bits <= 8 else 0)
        table = palette(entries)
        save(t, f"info-rgb-{bits}.bmp", bmp_file(head + table + pix, 40, len(table)))
    pix = pack_rows(w, h, 24, lambda x, y: (x * 40, y * 80, 200), top_down=True)
    save(t, "info-rgb-24-topdown.bmp", bmp_file(info_header(40, w, -h, 24, 0) + pix, 40, 0))
    # Run-length encoded.
    data = rle8(6, 4)
    head = info_header(40, 6, 4, 8, 1, len(data), 16)
    save(t, "info-rle8.bmp", bmp_file(head + palette(16) + data, 40, 64))
    data = rle4(7, 3)
    head = info_header(40, 7, 3, 4, 2, len(data), 16)
    save(t, "info-rle4.bmp", bmp_file(head + palette(16) + data, 40, 64))
    # Bit fields: masks after the 40-byte header, then inside the later headers.
    masks565 = (0xF800, 0x07E0, 0x001F)
    pix16 = pack_rows(w, h, 16, lambda x, y: (x * 6) << 11 | (y * 20) << 5 | (x + y) * 3)
    head = info_header(40, w, h, 16, 3, len(pix16))
    save(t, "info-bitfields-565.bmp",
         bmp_file(head + struct.pack("<III", *masks565) + pix16, 40, 12))
    pix32 = pack_rows(w, h, 32, lambda x, y: (x * 50) << 24 | sample(x, y, 0) << 16 | sample(x, y, 1) << 8 | sample(x, y, 2))
    masks = (0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    save(t, "info-alphabitfields-32.bmp",
         bmp_file(info_header(40, w, h, 32, 6, len(pix32)) + struct.pack("<IIII", *masks) + pix32, 40, 16))
    save(t, "v2-bitfields-32.bmp", bmp_file(info_header(52, w, h, 32, 3, len(pix32), masks=masks) + pix32, 52, 0))
    save(t, "v3-bitfields-32-alpha.bmp", bmp_file(info_header(56, w, h, 32, 3, len(pix32), masks=masks) + pix32, 56, 0))
    save(t, "v4-bitfields-32-alpha.bmp", bmp_file(info_header(108, w, h, 32, 3, len(pix32), masks=masks) + pix32, 108, 0))
    save(t, "v4-rgb-24.bmp", bmp_file(info_header(108, w, h, 24, 0) + pack_rows(w, h, 24, lambda x, y: (1, 2, 3)), 108, 0))
    masks4444 = (0x0F00, 0x00F0, 0x000F, 0xF000)
    pix4444 = pack_rows(w, h, 16, lambda x, y: ((x * 3) & 15) << 12 | (x & 15) << 8 | (y * 5 & 15) << 4 | 9)
    save(t, "v5-bitfields-16-4444.bmp", bmp_file(info_header(124, w, h, 16, 3, len(pix4444), masks=masks4444) + pix4444, 124, 0))
    save(t, "v5-rgb-32-topdown.bmp", bmp_file(info_header(124, w, -h, 32, 0, len(pix32)) + pix32, 124, 0))
    save(t, "v5-rgb-8.bmp", bmp_file(info_header(124, 3, 2, 8, 0, 0, 4) + palette(4) + pack_rows(3, 2, 8, lambda x, y: x + y), 124, 16))
    # Bare bitmaps as icons hold them (twice the height: colours, then the AND mask).
    for bits in (4, 32):
        colour = pack_rows(4, 4, bits, (lambda x, y: (x + y) % 16) if bits == 4 else (lambda x, y: (x * 60) << 24 | 0x336699))
        mask = pack_rows(4, 4, 1, lambda x, y: 1 if x == y else 0)
        entries = 16 if bits == 4 else 0
        save(t, f"dib-icon-{bits}.bin", info_header(40, 4, 8, bits, 0, 0, entries) + palette(entries) + colour + mask)


def png_bytes(width, height, rgba):
    """A small RGBA PNG written by hand."""
    raw = b"".join(b"\0" + rgba[y * width * 4:(y + 1) * width * 4] for y in range(height))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def icon_bitmap(size, bits):
    """An icon's bare bitmap: colour rows and an AND mask with a transparent diagonal."""
    entries = 1 << bits if bits <= 8 else 0
    if bits <= 8:
        colour = pack_rows(size, size, bits, lambda x, y: (x + 2 * y) % entries)
    else:
        colour = pack_rows(size, size, 32, lambda x, y: (0 if x == y else 255) << 24 | sample(x, y, 0) << 16 | sample(x, y, 1) << 8 | sample(x, y, 2))
    mask = pack_rows(size, size, 1, lambda x, y: 1 if x == y else 0)
    return info_header(40, size, size * 2, bits, 0, 0, entries) + palette(entries) + colour + mask


def icon_file(images, cursor=False):
    """An icon or cursor file: (width, height, bits or hot spot, payload) per entry."""
    out = struct.pack("<HHH", 0, 2 if cursor else 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for width, height, extra, payload in images:
        planes, bits = (extra if cursor else (1, extra))
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, planes, bits, len(payload), offset + len(body))
        body += payload
    return out + body


def ico_seeds():
    t = "fuzz_ico"
    fresh(t)
    png = png_bytes(6, 6, bytes(sample(x, y, c) if c < 3 else (x * 40) for y in range(6) for x in range(6) for c in range(4)))
    # The first byte is the wanted size.
    save(t, "icon-1bit", bytes((4,)) + icon_file([(4, 4, 1, icon_bitmap(4, 1))]))
    save(t, "icon-4bit", bytes((4,)) + icon_file([(4, 4, 4, icon_bitmap(4, 4))]))
    save(t, "icon-8bit", bytes((0,)) + icon_file([(4, 4, 8, icon_bitmap(4, 8))]))
    save(t, "icon-32bit-alpha", bytes((4,)) + icon_file([(4, 4, 32, icon_bitmap(4, 32))]))
    save(t, "icon-png", bytes((6,)) + icon_file([(6, 6, 32, png)]))
    several = [(4, 4, 4, icon_bitmap(4, 4)), (8, 8, 32, icon_bitmap(8, 32)), (6, 6, 32, png)]
    for wanted in (5, 8, 16):
        save(t, f"icon-three-sizes-want-{wanted}", bytes((wanted,)) + icon_file(several))
    save(t, "cursor-bitmap", bytes((4,)) + icon_file([(4, 4, (2, 3), icon_bitmap(4, 4))], cursor=True))
    save(t, "cursor-png", bytes((6,)) + icon_file([(6, 6, (5, 1), png)], cursor=True))
    return png


def dib_seeds():
    """The fuzz_dib input: a 40-byte header, eight 16-bit call arguments (destination x, y,
    width, height, then source x, y, width, height), a 256-entry colour table and pixel rows."""
    t = "fuzz_dib"
    fresh(t)

    def seed(name, width, height, bits, compression, args, pixel, top_down=False):
        head = info_header(40, width, -height if top_down else height, bits, compression)
        table = palette(256)
        if compression == 3:
            table = struct.pack("<III", 0xFF0000, 0xFF00, 0xFF) + table[12:]
        save(t, name, head + struct.pack("<8h", *args) + table + pack_rows(width, height, bits, pixel, top_down))

    same = (2, 3, 6, 5, 0, 0, 6, 5)
    seed("rgb-1", 6, 5, 1, 0, same, lambda x, y: (x + y) & 1)
    seed("rgb-4", 6, 5, 4, 0, same, lambda x, y: (x * 5 + y) % 16)
    seed("rgb-8", 6, 5, 8, 0, same, lambda x, y: (x * 41 + y * 7) % 256)
    seed("rgb-24", 6, 5, 24, 0, same, lambda x, y: (sample(x, y, 0), sample(x, y, 1), sample(x, y, 2)))
    seed("rgb-32", 6, 5, 32, 0, same, lambda x, y: sample(x, y, 0) << 16 | sample(x, y, 1) << 8 | sample(x, y, 2))
    seed("bitfields-32", 6, 5, 32, 3, same, lambda x, y: 0x80000000 | sample(x, y, 0) << 16 | x * 9)
    seed("rgb-24-topdown", 6, 5, 24, 0, same, lambda x, y: (x * 40, y * 50, 90), top_down=True)
    seed("stretch-up", 4, 3, 8, 0, (0, 0, 40, 30, 0, 0, 4, 3), lambda x, y: x + 4 * y)
    seed("stretch-down-mirrored", 16, 16, 32, 0, (50, 10, -8, 8, 2, 2, 12, 12), lambda x, y: x << 16 | y << 8)
    seed("source-part", 8, 8, 4, 0, (60, 60, 10, 10, 6, 6, 4, 4), lambda x, y: (x ^ y) & 15)
    seed("clipped", 8, 8, 24, 0, (-4, -4, 8, 8, -2, 3, 8, 8), lambda x, y: (x, y, x + y))
    # Layouts the drawing calls refuse.
    seed("rgb-16", 6, 5, 16, 0, same, lambda x, y: x << 10 | y)
    seed("rle8", 6, 5, 8, 1, same, lambda x, y: 1)


# ---- texts ---------------------------------------------------------------------------------


def utf16(text):
    return text.encode("utf-16-le", "surrogatepass")


MARKUP = [
    "A label with <b>bold</b>, <i>italic</i>, <u>underlined</u> and <s>struck</s> words",
    "H<sub>2</sub>O and x<sup>2</sup>, <BR>then a new line",
    "<size=14>Large</size> and <size=7>small</size> and <size=x>no size</size>",
    "<name=arial>Arial</name>, <name=Courier New>not a screen font</name>",
    "<forecolor=0000C0>red</forecolor> <forecolor=zz>bad</forecolor> <backcolor=80FFFF>lit</backcolor> <backcolor=>none</backcolor>",
    "<b><i><u><s>all on</s></u></i></b> <sub><sup>nested</sup></sub>",
    "First line<br>Second &amp; third &lt;tag&gt; &nbsp;space &quot;q&quot; &#39; 100%20off",
    "<unknown>kept</unknown> < not a tag > <b unclosed",
    "<B>upper</B> <SIZE=12>case</SIZE> <FORECOLOR=ff00ff>tags</FORECOLOR>",
    "words words words words words words words words words words words words",
    "<b>bold <forecolor=008000>green</forecolor></b> end.<br><br>",
    "Gr\u00fc\u00dfe <b>\u65e5\u672c\u8a9e</b> \u0627\u0644\u0639\u0631\u0628\u064a\u0629 <i>\U0001F600</i>",
]


def markup_seeds():
    """Four bytes (width, flags, alignment, letter spacing), then UTF-16 text."""
    t = "fuzz_html_markup"
    fresh(t)
    settings = [(120, 0x01, 0, 0), (60, 0x03, 4, 1), (199, 0x84, 8, 0), (30, 0x81, 2, 0xFE),
                (90, 0x02, 6, 2), (150, 0x05, 1, 0)]
    for i, text in enumerate(MARKUP):
        width, flags, alignment, extra = settings[i % len(settings)]
        save(t, f"markup-{i:02}", bytes((width, flags, alignment, extra)) + utf16(text))
    with open(os.path.join(FORMS, "html-labels.json"), encoding="utf-8") as f:
        form = json.load(f)
    for i, c in enumerate(form["Controls"]):
        caption = c.get("Properties", {}).get("Caption")
        if caption:
            save(t, f"example-{i:02}", bytes((160, 0x01, 0, 0)) + utf16(caption))


TEXTS = [
    "Hello, world",
    "Tabs\tand\r\nnew lines\0and a NUL",
    "\u65e5\u672c\u8a9e\u306e\u30c6\u30ad\u30b9\u30c8",
    "\u0627\u0644\u0639\u0631\u0628\u064a\u0629 and \u05e2\u05d1\u05e8\u05d9\u05ea mixed",
    "e\u0301 a\u0308 combining, \u0928\u092e\u0938\u094d\u0924\u0947 \u0e2a\u0e27\u0e31\u0e2a\u0e14\u0e35",
    "emoji \U0001F600\U0001F44D\U0001F3FD family \U0001F468\u200D\U0001F469\u200D\U0001F467",
    "unpaired \ud800 high and \udc00 low",
    "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW iiiiiiiiiii",
    "\u00a0\u2007\u200b\u2028\u2029\ufeff\ufffd",
]


def text_seeds():
    """Height and escapement (16-bit), face, alignment, letter spacing and weight, then UTF-16."""
    t = "fuzz_text"
    fresh(t)
    settings = [(-11, 0, 0, 0, 0, 100), (20, 900, 1, 6, 1, 175), (-16, 450, 2, 24, 3, 0),
                (0, 0, 3, 1, 0, 255), (-40, 2700, 0, 7, 2, 3), (8, -900, 1, 0, 7, 6)]
    for i, text in enumerate(TEXTS):
        height, esc, face, align, extra, weight = settings[i % len(settings)]
        save(t, f"text-{i:02}", struct.pack("<hhBBBB", height, esc, face, align, extra, weight) + utf16(text))


def gdi_seeds():
    """Drawing programs: a 32-bit operation (taken modulo 16), four coordinates, then whatever
    the operation reads more. Values below 2^31 are taken modulo 200; others stay huge."""
    t = "fuzz_gdi"
    fresh(t)
    extra = {2: 2, 4: 4, 5: 2, 6: 2, 10: 2, 11: 4, 12: 3 + 32, 15: 2}

    def op(code, coords, more=None):
        values = [code] + list(coords) + list(more if more is not None else
                                              [(i * 17 + code) % 64 for i in range(extra.get(code, 0))])
        return b"".join(struct.pack("<i", v) for v in values)

    small = (5, 6, 50, 40)
    names = ["rectangle", "ellipse", "roundrect", "line", "polygon", "edge", "framecontrol",
             "focusrect", "clip", "viewport", "transform", "stretchblt", "regions", "rop2",
             "layout", "gradient"]
    for code, name in enumerate(names):
        save(t, f"{code:02}-{name}", op(code, small))
    huge = -2 ** 31 + 7
    save(t, "huge-coordinates", op(0, (huge, 3, -5, 2 ** 31 - 1 + huge)) + op(3, (0, 0, huge, huge))
         + op(1, (-2 ** 31, -2 ** 31, 10, 10)) + op(8, (huge, huge, 40, 40)) + op(0, small))
    program = b""
    for code in (13, 10, 9, 12, 8, 0, 1, 2, 3, 4, 5, 6, 7, 11, 14, 15):
        program += op(code, ((code * 13) % 64, (code * 7) % 64, 30 + code, 40 - code))
    save(t, "all-operations", program)
    # Every region operation, with point tests inside both shapes.
    for mode in range(4):
        points = [v for i in range(16) for v in (10 + i * 3, 12 + i * 2)]
        save(t, f"regions-mode-{mode + 1}", op(12, (4, 4, 40, 40), [8, 8, mode] + points))


# ---- property bags, values and forms -------------------------------------------------------


def load_forms():
    forms = {}
    for name in sorted(os.listdir(FORMS)):
        if name.endswith(".json"):
            with open(os.path.join(FORMS, name), encoding="utf-8") as f:
                forms[name] = json.load(f)
    return forms


def picture(width, height, icon=False, hot=None):
    pixels = bytes((x * 50) & 255 if c < 3 else (0 if x == y else 255)
                   for y in range(height) for x in range(width) for c in range(4))
    p = {"Width": width, "Height": height, "Pixels": base64.b64encode(pixels).decode()}
    if icon:
        p["Type"] = "Icon"
    if hot:
        p["HotSpot"] = list(hot)
    return p


def bag_seeds(forms):
    """Property bags as form files hold them: one JSON object of properties each."""
    t = "fuzz_bag_json"
    fresh(t)
    seen = set()
    for form in forms.values():
        for c in form.get("Controls", []):
            props = c.get("Properties")
            if not props:
                continue
            text = json.dumps(props, ensure_ascii=False, separators=(",", ":"))
            if text not in seen:
                seen.add(text)
    for i, text in enumerate(sorted(seen, key=lambda text: (len(text), text))[:40]):
        save(t, f"example-{i:02}", text)
    save(t, "every-kind", json.dumps({
        "Caption": "text \u00e9", "Value": True, "Count": 12, "Wide": {"Integer": 70000},
        "Small": {"Byte": 200}, "Ratio": {"Single": 1.5}, "Precise": {"Double": "NaN"},
        "Up": {"Double": "Infinity"}, "Down": {"Single": "-Infinity"}, "When": {"Date": 45000.5},
        "Raw": {"Bytes": base64.b64encode(b"\0\1\2\3\xff").decode()},
        "Font": {"Font": {"Name": "Arial", "Size": 9.75, "Weight": 700, "Bold": True, "Italic": False,
                          "Underline": True, "Strikethrough": False, "Charset": 0}},
        "None": {"Nothing": True}, "Blank": {"Empty": True},
    }))
    save(t, "pictures", json.dumps({
        "Picture": {"Picture": picture(3, 2)},
        "Icon": {"Picture": picture(2, 2, icon=True)},
        "Cursor": {"Picture": picture(4, 4, icon=True, hot=(1, 2))},
        "Plain": {"Picture": dict(picture(1, 1), Type="Bitmap")},
    }))


VALUES = ["0", "123", "-32768", "32767", "32768", "-2147483648", "2147483647", "2147483648",
          "255", "256", "-1", "&H7FFF", "&HFFFF", "&HFFFFFFFF", "&H", "&O17", "&o777777777777",
          "&HFF&", "1e308", "1.7976931348623157E+308", "4.9E-324", "-0", ".5", "5.", "1d2",
          "  12  ", "\t3.25\t", "1,000.25", "3,5", "$12", "(12)", "12abc", "abc", "", " ",
          "True", "false", " TRUE ", "yes", "2024-01-31", "2024-02-30 25:61:61", "1899-12-30",
          "0001-01-01", "9999-12-31 23:59:59", "-2024-1-1", "1/31/2024", "12:30:00 PM", "NaN",
          "Infinity", "\u0661\u0662\u0663", "\uff11\uff12", "1E", "1e+", "0x10", "+-1", "2.5",
          "3.5", "-2.5", "65535.5", "1" * 40]


def value_seeds():
    t = "fuzz_values"
    fresh(t)
    for i, v in enumerate(VALUES):
        save(t, f"value-{i:02}", utf16(v))


def image_cache_seeds(icon_png):
    """Width, height, angle and grey bytes, then an encoded image of any format."""
    t = "fuzz_image_cache"
    fresh(t)
    picks = [("fuzz_png", "rgba8.png"), ("fuzz_png", "palette4-trns.png"),
             ("fuzz_jpeg", "exif-6.jpg"), ("fuzz_jpeg", "cmyk.jpg"), ("fuzz_gif", "animated.gif"),
             ("fuzz_webp", "lossy-alpha.webp"), ("fuzz_webp", "animated-lossless.webp"),
             ("fuzz_tiff", "pages-3.tif"), ("fuzz_bmp", "info-rgb-8.bmp"),
             ("fuzz_bmp", "v4-bitfields-32-alpha.bmp")]
    settings = [(0, 0, 0, 0), (16, 12, 60, 1), (40, 0, 30, 0), (0, 20, 120, 1), (79, 79, 240, 0)]
    for i, (target, name) in enumerate(picks):
        path = os.path.join(CORPUS, target, name)
        if not os.path.exists(path):
            print(f"make-fuzz-seeds: {path} is missing; run the image writer first", file=sys.stderr)
            continue
        with open(path, "rb") as f:
            save(t, f"{i:02}-{name}", bytes(settings[i % len(settings)]) + f.read())
    with open(os.path.join(CORPUS, "fuzz_ico", "icon-three-sizes-want-8"), "rb") as f:
        save(t, "10-icon.ico", bytes((8, 8, 90, 1)) + f.read()[1:])


def form_file_seeds(forms):
    """Whole form files: the examples as they are, and small forms of one class each that use
    every key a form file knows (containers, indexes, alignment, default and cancel buttons)."""
    t = "fuzz_form_file"
    fresh(t)
    for name, form in forms.items():
        save(t, name, json.dumps(form, ensure_ascii=False, indent=1))
    by_class = {}
    for form in forms.values():
        for c in form.get("Controls", []):
            by_class.setdefault(c["Class"], []).append(c)
    for cls, controls in sorted(by_class.items()):
        # The control with the most properties, and a second one with other ones.
        ranked = sorted(controls, key=lambda c: -len(json.dumps(c.get("Properties", {}))))
        chosen = [dict(ranked[0])]
        if len(ranked) > 1:
            chosen.append(dict(ranked[len(ranked) // 2]))
        for i, c in enumerate(chosen):
            c.pop("Container", None)
            c["Name"] = f"{c['Name']}{i}"
        form = {"Form": {"Name": "F" + cls, "Width": 4800, "Height": 3600}, "Controls": chosen}
        save(t, f"class-{cls}.json", json.dumps(form, ensure_ascii=False, indent=1))
    # A frame holding an indexed array of options, aligned and ordered controls, and the
    # form's default and cancel buttons.
    form = {
        "Form": {"Name": "Keys", "Width": 6000, "Height": 4000, "Default": "cmdOk", "Cancel": "cmdCancel"},
        "Controls": [
            {"Class": "ucFrame", "Name": "fra", "Left": 120, "Top": 120, "Width": 3000, "Height": 2000,
             "TabIndex": 0, "Properties": {"Caption": "Frame"}},
            {"Class": "ucOption", "Name": "opt", "Index": 0, "Container": "fra", "Left": 120, "Top": 360,
             "Width": 2000, "Height": 360, "TabIndex": 1, "Properties": {"Caption": "One", "Value": True}},
            {"Class": "ucOption", "Name": "opt", "Index": 1, "Container": "fra", "Left": 120, "Top": 840,
             "Width": 2000, "Height": 360, "TabIndex": 2, "Properties": {"Caption": "Two"}},
            {"Class": "ucCheck", "Name": "chk", "Container": "fra", "Left": 120, "Top": 1320, "Width": 2000,
             "Height": 360, "Enabled": False, "Properties": {"Caption": "Off", "Value": 2}},
            {"Class": "ucLabel", "Name": "lblTop", "Align": 1, "Height": 300, "ZOrder": 0,
             "Properties": {"Caption": "On top"}},
            {"Class": "ucLabelHTML", "Name": "lblBottom", "Align": 2, "Height": 300, "Visible": False,
             "Tag": "hidden", "Properties": {"Caption": "<b>Below</b>"}},
            {"Class": "ucButton", "Name": "cmdOk", "Left": 3300, "Top": 240, "Width": 1200, "Height": 420,
             "TabStop": True, "Properties": {"Caption": "OK"}},
            {"Class": "ucButton", "Name": "cmdCancel", "Left": 3300, "Top": 780, "Width": 1200,
             "Height": 420, "TabStop": False, "Properties": {"Caption": "Cancel"}},
        ],
    }
    save(t, "keys.json", json.dumps(form, indent=1))
    save(t, "empty.json", json.dumps({"Form": {"Name": "Empty"}}))


def mask_stride(width):
    """Bytes of one mask row in an image-list record: (w + 7) / 8 rounded (halves to even),
    plus 3, integer-divided by 4, times 4."""
    return (round((width + 7) / 8) + 3) // 4 * 4


def icon_record(side, pixel, cursor=None):
    """One icon as an image list stores it; pixel(x, y) gives straight (r, g, b, a)."""
    hot = cursor if cursor else (side // 2, side // 2)
    out = struct.pack("<3I", 0 if cursor else 1, hot[0], hot[1])
    out += struct.pack("<4I2HI", 0, side, side, side * 4, 1, 32, 0)
    for y in reversed(range(side)):
        for x in range(side):
            r, g, b, a = pixel(x, y)
            out += bytes((b, g, r, a))
    out += struct.pack("<4I2HI", 0, side, side, (side + 15) // 16 * 2, 1, 1, 0)
    stride = mask_stride(side)
    for y in reversed(range(side)):
        row = bytearray(stride)
        for x in range(side):
            if pixel(x, y)[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        out += bytes(row)
    return out


def list_file(records, keys):
    """A list file: magic, the image block, the key string (one byte a character)."""
    block = b"".join(records)
    key_bytes = keys.encode("latin-1")
    return (struct.pack("<2I", 0x5745E456, len(block)) + block + struct.pack("<I", len(key_bytes))
            + key_bytes)


def shape(kind, colour):
    """A 16 x 16 shape of one colour with soft edges: "circle", "square", "triangle" or
    "diamond"."""
    def pixel(x, y):
        cx, cy = x - 7.5, y - 7.5
        inside = {"circle": 7 - (cx * cx + cy * cy) ** 0.5,
                  "square": 6.5 - max(abs(cx), abs(cy)),
                  "triangle": min(7 - cy, (cy + 7) / 2 - abs(cx)),
                  "diamond": 7.5 - abs(cx) - abs(cy)}[kind]
        alpha = max(0, min(255, int((inside + 0.5) * 255)))
        return colour + (alpha,)
    return pixel


def imagelist_seeds():
    """List files: keyed shapes, an empty list, a cursor, a wide icon, a file without keys."""
    t = "fuzz_imagelist_file"
    fresh(t)
    shapes = [("circle", (220, 40, 40)), ("square", (40, 160, 40)), ("triangle", (40, 80, 220)),
              ("diamond", (230, 180, 20))]
    save(t, "four-shapes", list_file([icon_record(16, shape(k, c)) for k, c in shapes],
                                     "circle\tsquare\ttriangle\tdiamond\t"))
    save(t, "empty", list_file([], ""))
    save(t, "cursor", list_file([icon_record(8, shape("diamond", (0, 0, 0)), cursor=(2, 3))], "\t"))
    save(t, "wide-32", list_file([icon_record(32, lambda x, y: (x * 8, y * 8, 0, 255 if x != y else 0))],
                                  "wide\t"))
    save(t, "no-keys", list_file([icon_record(1, lambda x, y: (1, 2, 3, 128))] * 2, ""))
    # The image list's stored properties for the form fuzzer (its class is number 11 there).
    block = b"".join(icon_record(16, shape(k, c)) for k, c in shapes[:2])
    save("fuzz_control_form", "ucImageList-90", bytes([11]) + json.dumps({
        "ImageWidth": {"Integer": 16}, "ColorDepth": 32, "UseMaskColor": 2, "MaskColor": 65280,
        "Size": len(block), "Images": {"Bytes": base64.b64encode(block).decode()},
        "KeyCount": 2, "Keys": "circle\tsquare\t", "Tags": "\tsecond\t"}).encode())
    save("fuzz_control_form", "ucImageList-91", bytes([11]) + b'{"Size":0,"Images":0}')


def image_control_seeds():
    """The image control's and the picture box's stored properties for the form fuzzer (classes
    12 and 13 there): an animated GIF sliced as a strip, and a glyph strip turned in 3D."""
    with open(os.path.join(CORPUS, "fuzz_gif", "animated.gif"), "rb") as f:
        animation = base64.b64encode(f.read()).decode()
    with open(os.path.join(ROOT, "src", "resources", "glyphs", "check.png"), "rb") as f:
        glyphs = base64.b64encode(f.read()).decode()
    save("fuzz_control_form", "ucImage-92", bytes([12]) + json.dumps({
        "PNG": {"Bytes": animation}, "Style": 1, "FrameCount": 3, "AutoSize": True,
        "Stretch": True, "FrameInterval": 1, "Brightness": -40}).encode())
    save("fuzz_control_form", "ucPicture-93", bytes([13]) + json.dumps({
        "PNG": {"Bytes": glyphs}, "Appearance": 1, "BackStyle": 1, "Angle": 30, "Alpha": 90,
        "GrayScale": True, "BorderWidth": 4}).encode())


def text_group_seeds():
    """The text group's stored properties for the form fuzzer (class 16 there): sorted items
    laid out right to left under the family's keys, one of them selected."""
    save("fuzz_control_form", "ucTextGroup-94", bytes([16]) + json.dumps({
        "Caption": "Ada|Grace||Edsger|Barbara", "Sorted": True, "RightToLeft": True,
        "RowsPerColumn": 2, "SelIndex": 3, "AutoSIze": True, "Borderwidth": 3, "CheckSize": 24,
        "ItemToolTips": "a|b", "ShowImage": False, "Stretch": True}).encode())


def list_view_seeds():
    """The list view's stored properties for the form fuzzer (class 18 there): a virtual report
    with the special columns past the columns there are, and an icon view with every switch."""
    save("fuzz_control_form", "ucListView-95", bytes([18]) + json.dumps({
        "ViewMode": 1, "Virtual": True, "ProgressColumn": 7, "RankingColumn": 2,
        "RankingLocked": -1, "HeaderHeight": 0, "HeaderHide": True, "BorderStyle": 2,
        "BackColor": 255, "ForeColor": 0x80000008}).encode())
    save("fuzz_control_form", "ucListView-96", bytes([18]) + json.dumps({
        "ViewMode": 4, "CheckBoxes": True, "FullRowSelect": True, "GridLines": True,
        "MultiSelect": True, "LabelEdit": True, "TrackSelect": True, "UnderlineHot": True,
        "RightToLeft": True, "HeaderHeight": 300, "ExplorerTheme": False}).encode())


def tree_view_seeds():
    """The tree view's stored properties for the form fuzzer (class 19 there): multi-column with
    check boxes and every switch, and a header taller than the control."""
    save("fuzz_control_form", "ucTreeView-97", bytes([19]) + json.dumps({
        "CheckBoxes": True, "MultiColumn": True, "HasButtons": True, "HasLines": True,
        "HasRootLines": True, "LabelEdit": True, "SingleExpand": True, "TrackSelect": True,
        "OLEDragMode": 1, "OLEDropMode": 2, "OLEDragInsertStyle": 1, "BorderStyle": 0,
        "HeaderBackColor": 0x80000005, "RaiseSubItemPrePaint": True}).encode())
    save("fuzz_control_form", "ucTreeView-98", bytes([19]) + json.dumps({
        "MultiColumn": True, "HeaderHeight": 999, "FullRowSelect": False, "HideSelection": True,
        "BackColor": 255, "ForeColor": 0x8000000F}).encode())


# ---- dictionaries --------------------------------------------------------------------------

MARKUP_WORDS = ["<b>", "</b>", "<i>", "</i>", "<u>", "</u>", "<s>", "</s>", "<sub>", "</sub>",
                "<sup>", "</sup>", "<br>", "<size=", "</size>", "<name=", "</name>",
                "<forecolor=", "</forecolor>", "<backcolor=", "</backcolor>", "&nbsp;", "&amp;",
                "&quot;", "&#", "&lt;", "&gt;", "%20", "arial"]

FORM_KEYS = ["Form", "Controls", "Class", "Name", "Index", "Container", "Left", "Top", "Width",
             "Height", "Visible", "Enabled", "TabIndex", "TabStop", "Tag", "Properties", "Align",
             "ZOrder", "Default", "Cancel"]

VALUE_KINDS = ["Integer", "Byte", "Single", "Double", "Date", "Bytes", "Font", "Picture",
               "Nothing", "Empty", "Size", "Weight", "Bold", "Italic", "Underline",
               "Strikethrough", "Charset", "Pixels", "Type", "Icon", "Bitmap", "HotSpot"]


def escape(data):
    return "".join(chr(b) if 32 <= b < 127 and chr(b) not in '"\\' else f"\\x{b:02x}" for b in data)


def write_dict(target, comment, words):
    folder = os.path.join(ROOT, "fuzz", "dict")
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, target + ".dict"), "w") as f:
        f.write(f"# {comment} Written by scripts/make-fuzz-seeds.py.\n")
        seen = set()
        for w in words:
            data = w if isinstance(w, bytes) else w.encode("utf-8")
            if data not in seen:
                seen.add(data)
                f.write(f'"{escape(data)}"\n')


def write_dicts(forms):
    classes, properties = set(), set()
    for form in forms.values():
        for c in form.get("Controls", []):
            classes.add(c["Class"])
            properties.update(c.get("Properties", {}).keys())
    json_words = ['"' + k + '":' for k in FORM_KEYS + sorted(properties) + VALUE_KINDS]
    json_words += ['"' + c + '"' for c in sorted(classes)] + ["true", "false", "null", "{}", "[]",
                                                              '"NaN"', '"Infinity"', "-1", "1e400"]
    write_dict("fuzz_form_file", "Form-file keys, control classes and property names.",
               json_words + [w for w in MARKUP_WORDS if w.startswith("<")])
    write_dict("fuzz_control_form", "Property names and value kinds of control property bags.",
               json_words)
    write_dict("fuzz_bag_json", "Property names and value kinds of property bags.", json_words)
    write_dict("fuzz_html_markup", "Label markup tags and entities in UTF-16.",
               [utf16(w) for w in MARKUP_WORDS + ["<size=12>", "<forecolor=ff0000>", "<b", ">"]])
    write_dict("fuzz_imagelist_file", "List-file magic, lengths and record fields.",
               [struct.pack("<I", v) for v in (0x5745E456, 0, 1, 16, 32, 1148, 0xFFFFFFFF)] +
               [struct.pack("<2H", 1, 32), struct.pack("<2H", 1, 1), b"\t"])
    write_dict("fuzz_values", "Number, date and boolean words in UTF-16.",
               [utf16(w) for w in ["&H", "&O", "&", "E+", "e-", "D", ".", ",", "-", "+", " ",
                                   "True", "False", "2147483647", "32767", "255", ":", "-01-01",
                                   " 12:00:00", "Infinity", "NaN"]])


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--image-writer", default=os.path.join(ROOT, "build", "fuzz", "fuzz", "make_image_seeds"))
    args = parser.parse_args()
    if not os.path.exists(args.image_writer):
        sys.exit(f"make-fuzz-seeds: {args.image_writer} is missing; build it with ./run build fuzz")
    for target in ("fuzz_png", "fuzz_jpeg", "fuzz_gif", "fuzz_webp", "fuzz_tiff"):
        fresh(target)
    # The writer is built with the fuzz preset's sanitizers; giflib keeps the last local
    # palette it was given past EGifCloseFile, which is no fault of the seeds.
    env = dict(os.environ, ASAN_OPTIONS="detect_leaks=0")
    subprocess.run([args.image_writer, CORPUS], check=True, env=env)
    bmp_seeds()
    icon_png = ico_seeds()
    dib_seeds()
    markup_seeds()
    text_seeds()
    gdi_seeds()
    forms = load_forms()
    bag_seeds(forms)
    value_seeds()
    image_cache_seeds(icon_png)
    imagelist_seeds()
    image_control_seeds()
    text_group_seeds()
    list_view_seeds()
    tree_view_seeds()
    form_file_seeds(forms)
    write_dicts(forms)


if __name__ == "__main__":
    main()
