#!/usr/bin/env python3
"""The Veyrune theme: writes every theme image as an SVG source and renders it to PNG.

One visual language for the whole program: dark stone and walnut with gilded edges,
parchment faces for everything that carries dark text, an arcane azure glow for the
hover faces and an ember glow for the pressed ones, runic marks as ornaments.

    theme.py --svg-dir DIR --out-dir APPDIR/Images [--rsvg rsvg-convert]
    theme.py --list        (prints "path width height" for every image)

Sizes and the places the program draws on each image are listed in README.md beside
this file; the unit test ThemeData checks the rendered files against them.
"""
import argparse
import math
import os
import subprocess
import sys

IMAGES = []  # (path under Images/, width, height, svg text)

DARK = "#24170b"      # outline of every gilded glyph
BRONZE = "#7a5418"
INK = "#5b4220"


def add(path, w, h, body, extra_defs=""):
    IMAGES.append((path, w, h, svg(w, h, body, extra_defs)))


def svg(w, h, body, extra_defs=""):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">\n<defs>{defs(w, h)}{extra_defs}</defs>\n{body}\n</svg>\n')


def defs(w, h):
    """Paints shared by every image; gold runs over the image height (user space) so that
    strokes of straight lines get it too."""
    return f"""
<linearGradient id="gold" gradientUnits="userSpaceOnUse" x1="0" y1="0" x2="0" y2="{h}">
 <stop offset="0" stop-color="#fff4b8"/><stop offset="0.3" stop-color="#f0cc62"/>
 <stop offset="0.62" stop-color="#c08c2c"/><stop offset="1" stop-color="#7c5414"/></linearGradient>
<linearGradient id="goldHi" gradientUnits="userSpaceOnUse" x1="0" y1="0" x2="0" y2="{h}">
 <stop offset="0" stop-color="#ffffff"/><stop offset="0.3" stop-color="#fff0a0"/>
 <stop offset="0.65" stop-color="#f2bf42"/><stop offset="1" stop-color="#b07818"/></linearGradient>
<linearGradient id="goldB" x1="0" y1="0" x2="0" y2="1">
 <stop offset="0" stop-color="#fff4b8"/><stop offset="0.35" stop-color="#ecc45a"/>
 <stop offset="0.7" stop-color="#b58226"/><stop offset="1" stop-color="#6e4a12"/></linearGradient>
<linearGradient id="parch" x1="0" y1="0" x2="0" y2="1">
 <stop offset="0" stop-color="#fbf1d6"/><stop offset="0.55" stop-color="#f1e0b6"/>
 <stop offset="1" stop-color="#e2c992"/></linearGradient>
<linearGradient id="parchGold" x1="0" y1="0" x2="0" y2="1">
 <stop offset="0" stop-color="#fff3c4"/><stop offset="0.55" stop-color="#f5dc96"/>
 <stop offset="1" stop-color="#e2bb62"/></linearGradient>
<radialGradient id="vignette" cx="0.5" cy="0.45" r="0.75">
 <stop offset="0.55" stop-color="#8a5a1c" stop-opacity="0"/>
 <stop offset="1" stop-color="#8a5a1c" stop-opacity="0.28"/></radialGradient>
<linearGradient id="stone" x1="0" y1="0" x2="0" y2="1">
 <stop offset="0" stop-color="#54453a"/><stop offset="0.5" stop-color="#3a2e27"/>
 <stop offset="1" stop-color="#211914"/></linearGradient>
<linearGradient id="wood" x1="0" y1="0" x2="1" y2="0">
 <stop offset="0" stop-color="#2a180c"/><stop offset="0.35" stop-color="#6a4122"/>
 <stop offset="0.55" stop-color="#8a5a32"/><stop offset="1" stop-color="#2a180c"/></linearGradient>
<linearGradient id="azure" x1="0" y1="0" x2="0" y2="1">
 <stop offset="0" stop-color="#4f86b8"/><stop offset="0.5" stop-color="#2c5683"/>
 <stop offset="1" stop-color="#172f4e"/></linearGradient>
<linearGradient id="ember" x1="0" y1="0" x2="0" y2="1">
 <stop offset="0" stop-color="#5a1c0e"/><stop offset="0.45" stop-color="#8a3418"/>
 <stop offset="1" stop-color="#b0521e"/></linearGradient>
<radialGradient id="azureGlow" cx="0.5" cy="0.5" r="0.5">
 <stop offset="0" stop-color="#8fd6ff" stop-opacity="0.75"/>
 <stop offset="1" stop-color="#2c5683" stop-opacity="0"/></radialGradient>
<radialGradient id="emberGlow" cx="0.5" cy="0.55" r="0.5">
 <stop offset="0" stop-color="#ffb060" stop-opacity="0.7"/>
 <stop offset="1" stop-color="#8a3418" stop-opacity="0"/></radialGradient>
<filter id="paper" x="0" y="0" width="1" height="1">
 <feTurbulence type="fractalNoise" baseFrequency="0.85" numOctaves="3" seed="7" result="n"/>
 <feColorMatrix in="n" type="matrix" values="0 0 0 0 0.45 0 0 0 0 0.3 0 0 0 0 0.1 0 0 0 0.22 0" result="t"/>
 <feComposite in="t" in2="SourceAlpha" operator="in" result="g"/>
 <feMerge><feMergeNode in="SourceGraphic"/><feMergeNode in="g"/></feMerge></filter>
<filter id="shadow" x="-25%" y="-25%" width="150%" height="150%">
 <feGaussianBlur in="SourceAlpha" stdDeviation="1.6"/><feOffset dy="1.2" result="b"/>
 <feComponentTransfer in="b" result="s"><feFuncA type="linear" slope="0.6"/></feComponentTransfer>
 <feMerge><feMergeNode in="s"/><feMergeNode in="SourceGraphic"/></feMerge></filter>
<filter id="softShadow" x="-10%" y="-10%" width="120%" height="120%">
 <feGaussianBlur in="SourceAlpha" stdDeviation="2.5"/><feOffset dy="2" result="b"/>
 <feComponentTransfer in="b" result="s"><feFuncA type="linear" slope="0.55"/></feComponentTransfer>
 <feMerge><feMergeNode in="s"/><feMergeNode in="SourceGraphic"/></feMerge></filter>
<filter id="glow" x="-40%" y="-40%" width="180%" height="180%">
 <feGaussianBlur in="SourceAlpha" stdDeviation="1.8" result="b"/>
 <feFlood flood-color="#8fdcff" flood-opacity="0.9"/><feComposite in2="b" operator="in" result="g"/>
 <feMerge><feMergeNode in="g"/><feMergeNode in="SourceGraphic"/></feMerge></filter>
<filter id="emberFx" x="-40%" y="-40%" width="180%" height="180%">
 <feGaussianBlur in="SourceAlpha" stdDeviation="1.8" result="b"/>
 <feFlood flood-color="#ffb060" flood-opacity="0.9"/><feComposite in2="b" operator="in" result="g"/>
 <feMerge><feMergeNode in="g"/><feMergeNode in="SourceGraphic"/></feMerge></filter>
"""


def gilded(d, width, hover=False, fill=False, extra=""):
    """A glyph path drawn as gold over a dark outline; filled shapes get the same rim."""
    paint = "url(#goldHi)" if hover else "url(#gold)"
    if fill:
        return (f'<path d="{d}" fill="{paint}" stroke="{DARK}" stroke-width="{width}" '
                f'stroke-linejoin="round" {extra}/>')
    return (f'<g fill="none" stroke-linecap="round" stroke-linejoin="round" {extra}>'
            f'<path d="{d}" stroke="{DARK}" stroke-width="{width + 2.2}"/>'
            f'<path d="{d}" stroke="{paint}" stroke-width="{width}"/></g>')


def diamond(cx, cy, r, fill="url(#goldB)", stroke=DARK, sw=1.0):
    return (f'<path d="M{cx} {cy - r} L{cx + r} {cy} L{cx} {cy + r} L{cx - r} {cy} Z" '
            f'fill="{fill}" stroke="{stroke}" stroke-width="{sw}"/>')


def gear(cx, cy, r_out, r_in, teeth, hole):
    pts = []
    for i in range(teeth * 4):
        a = 2 * math.pi * i / (teeth * 4) - math.pi / 2
        r = r_out if (i % 4) in (1, 2) else r_in
        pts.append(f"{cx + r * math.cos(a):.2f} {cy + r * math.sin(a):.2f}")
    d = "M" + " L".join(pts) + " Z"
    d += (f" M{cx + hole} {cy} A{hole} {hole} 0 1 0 {cx - hole} {cy} "
          f"A{hole} {hole} 0 1 0 {cx + hole} {cy} Z")
    return d


# ---------------------------------------------------------------- runic letters
# A stroke alphabet of our own on a 6 x 10 grid, used for the banners.
LETTERS = {
    "Z": ["0 0 6 0 0 10 6 10"],
    "Y": ["0 0 3 5 6 0", "3 5 3 10"],
    "N": ["0 10 0 0 6 10 6 0"],
    "U": ["0 0 0 8 1.5 10 4.5 10 6 8 6 0"],
    "T": ["0 0 6 0", "3 0 3 10"],
    "I": ["3 0 3 10"],
    "L": ["0 0 0 10 6 10"],
    "S": ["6 1 5 0 1 0 0 1 0 4 1 5 5 5 6 6 6 9 5 10 1 10 0 9"],
    "W": ["0 0 1.5 10 3 4 4.5 10 6 0"],
    "E": ["6 0 0 0 0 10 6 10", "0 5 4.5 5"],
    "C": ["6 1.5 4.5 0 1.5 0 0 1.5 0 8.5 1.5 10 4.5 10 6 8.5"],
    "O": ["1.5 0 4.5 0 6 1.5 6 8.5 4.5 10 1.5 10 0 8.5 0 1.5 1.5 0"],
    "M": ["0 10 0 0 3 6 6 0 6 10"],
}


def runic_text(text, x, y, height, gap, hover=False, width=None):
    """Strokes text from LETTERS with its top-left at (x, y); returns (svg, advance)."""
    s = height / 10.0
    stroke = width or max(1.6, height / 9.0)
    paths = []
    cx = x
    for ch in text:
        if ch == " ":
            cx += 4 * s + gap
            continue
        for poly in LETTERS[ch]:
            v = [float(t) for t in poly.split()]
            pts = [f"{cx + v[i] * s:.2f} {y + v[i + 1] * s:.2f}" for i in range(0, len(v), 2)]
            paths.append("M" + " L".join(pts))
        cx += 6 * s + gap
    return gilded(" ".join(paths), stroke, hover), cx - gap - x


def runic_width(text, height, gap):
    s = height / 10.0
    return sum((4 * s if c == " " else 6 * s) + gap for c in text) - gap


# ---------------------------------------------------------------- launcher faces
def button_faces():
    """Icon-item slot, 60 x 60: the icon (46 x 46) is centred at (7, 7)."""
    for state in ("normal", "hover", "press"):
        add(f"background/btn_{state}.png", 60, 60, slot(60, state))
    add("etc/btn_preview.png", 64, 64, slot(64, "normal"))


def slot(size, state):
    o, i = 2, 6
    inner = size - 2 * i
    rim = {"normal": "url(#gold)", "hover": "url(#goldHi)", "press": "url(#gold)"}[state]
    glow = ""
    if state == "hover":
        glow = (f'<rect x="{i}" y="{i}" width="{inner}" height="{inner}" rx="6" fill="url(#azureGlow)"/>'
                f'<rect x="{o - 1}" y="{o - 1}" width="{size - 2 * o + 2}" height="{size - 2 * o + 2}" rx="10" '
                f'fill="none" stroke="#8fdcff" stroke-opacity="0.55" stroke-width="1.5"/>')
    elif state == "press":
        glow = f'<rect x="{i}" y="{i}" width="{inner}" height="{inner}" rx="6" fill="url(#emberGlow)"/>'
    studs = "".join(diamond(x, y, 2.2) for x, y in
                    ((size / 2, o + 2), (size / 2, size - o - 2), (o + 2, size / 2), (size - o - 2, size / 2)))
    well = "#1b1410" if state != "press" else "#140d0a"
    return f"""
<g filter="url(#shadow)">
 <rect x="{o}" y="{o}" width="{size - 2 * o}" height="{size - 2 * o - 1}" rx="9" fill="url(#stone)"
       stroke="{rim}" stroke-width="2"/>
</g>
<rect x="{i}" y="{i}" width="{inner}" height="{inner}" rx="6" fill="{well}" stroke="{DARK}" stroke-width="1"/>
<rect x="{i + 1}" y="{i + 1}" width="{inner - 2}" height="{inner - 2}" rx="5" fill="none"
      stroke="#000" stroke-opacity="0.45" stroke-width="2"/>
{glow}
<rect x="{i - 0.5}" y="{i - 0.5}" width="{inner + 1}" height="{inner + 1}" rx="6.5" fill="none"
      stroke="{rim}" stroke-opacity="0.55" stroke-width="0.8"/>
{studs}"""


FACE_FILL = {"normal": "url(#parch)", "hover": "url(#azure)", "press": "url(#ember)"}


def face(shape, state, selected=False):
    """A parchment face (dark text) or an azure / ember face (white text) on a gilded rim."""
    fill = FACE_FILL[state]
    if selected and state == "normal":
        fill = "url(#parchGold)"
    paper = ' filter="url(#paper)"' if state == "normal" else ""
    rim = "url(#goldHi)" if (state == "hover" or selected) else "url(#gold)"
    rim_w = 2.2 if selected else 1.6
    sheen = ""
    if state != "normal":
        sheen = (f'<path d="{shape}" fill="url(#vignette)" opacity="0.6"/>')
    return (f'<g filter="url(#shadow)"><path d="{shape}" fill="{fill}"{paper}/></g>{sheen}'
            f'<path d="{shape}" fill="none" stroke="{DARK}" stroke-width="{rim_w + 1.6}" stroke-opacity="0.7"/>'
            f'<path d="{shape}" fill="none" stroke="{rim}" stroke-width="{rim_w}"/>')


def socket(cx, cy, r, state):
    ring = "url(#gold)" if state != "hover" else "url(#goldHi)"
    well = {"normal": "#e3cc98", "hover": "#1f3c60", "press": "#4e170b"}[state]
    return (f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{well}" stroke="{DARK}" stroke-opacity="0.6" stroke-width="2.4"/>'
            f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="none" stroke="{ring}" stroke-width="1.3"/>')


def list_faces():
    """List row, 200 x 52 (pitch 50): icon (26 x 26) at (15, 13), name at (66, 31); the
    face right of the name stays plain, so a long name never runs into an ornament."""
    shape = "M10 3 H190 Q197 3 197 10 V42 Q197 49 190 49 H10 Q3 49 3 42 V10 Q3 3 10 3 Z"
    for state in ("normal", "hover", "press"):
        body = face(shape, state) + socket(28, 26, 16, state)
        add(f"background/list_{state}.png", 200, 52, body)
    add("etc/list_preview.png", 64, 64, preview_square("normal"))


def catalog_faces():
    """Catalog tab, 180 x 44 (pitch 42): icon (26 x 26) at (35, 9), name at (70, 27).
    Set A (cata) is the plain tab, set B (catb) the selected one; both the same size.
    The tab ends at column 160: the indicator of an open list stands on columns 163-186."""
    shape = "M3 22 L14 4 H152 Q160 4 160 12 V32 Q160 40 152 40 H14 Z"
    for state in ("normal", "hover", "press"):
        add(f"background/cata_{state}.png", 180, 44,
            face(shape, state) + socket(48, 22, 14, state))
        gem_fill = "#8fdcff" if state != "press" else "#ffb060"
        add(f"background/catb_{state}.png", 180, 44,
            face(shape, state, selected=True) + socket(48, 22, 14, state)
            + f'<circle cx="14" cy="22" r="4.2" fill="{gem_fill}" stroke="{DARK}" stroke-width="1"/>'
            + f'<circle cx="13" cy="21" r="1.4" fill="#fff" opacity="0.85"/>'
            + diamond(153, 22, 3))
    add("etc/cata_preview.png", 64, 64, preview_square("normal", tab=True))


def preview_square(state, tab=False):
    shape = ("M4 32 L14 6 H56 Q60 6 60 10 V54 Q60 58 56 58 H14 Z" if tab else
             "M10 6 H54 Q60 6 60 12 V52 Q60 58 54 58 H10 Q4 58 4 52 V12 Q4 6 10 6 Z")
    return face(shape, state) + socket(32 if not tab else 34, 32, 16, state)


def panel():
    """Information panel, 270 x 429: title strip 0-49 (title centred on x 123, baseline 40),
    picture area 50-285 centred on x 123, description from (25, 310), bottom border in rows
    421-428; the right 24 columns hold the pointer towards the item."""
    card = "M8 2 H238 Q244 2 244 8 V419 Q244 425 238 425 H8 Q2 425 2 419 V8 Q2 2 8 2 Z"
    inner = "M12 8 H234 Q238 8 238 12 V415 Q238 419 234 419 H12 Q8 419 8 415 V12 Q8 8 12 8 Z"
    rule = lambda y: (f'<path d="M22 {y} H224" stroke="url(#goldB)" stroke-width="1.4"/>'
                      f'<path d="M22 {y + 1.5} H224" stroke="{DARK}" stroke-opacity="0.25" stroke-width="1"/>'
                      + diamond(123, y, 4) + diamond(22, y, 2) + diamond(224, y, 2))
    body = f"""
<g filter="url(#softShadow)">
 <path d="M243 201 L258 215 L243 229 Z" fill="url(#stone)" stroke="url(#gold)" stroke-width="1.6"/>
 <path d="{card}" fill="url(#stone)"/>
</g>
<path d="{card}" fill="none" stroke="url(#gold)" stroke-width="2"/>
<path d="{inner}" fill="url(#parch)" filter="url(#paper)"/>
<path d="{inner}" fill="url(#vignette)"/>
<path d="{inner}" fill="none" stroke="{BRONZE}" stroke-width="1"/>
{rule(51)}
{rule(289)}
{''.join(diamond(x, y, 2.6) for x, y in ((5, 5), (241, 5)))}
"""
    add("background/panel.png", 270, 429, body)


def indicator():
    """Selection marker, 24 x 260: top cap rows 0-14, plain rail, a 26-row gem in the middle
    (rows 117-142), plain rail, bottom cap rows 245-259; any slice of it reads as a bracket."""
    h = 260
    rail = "M9 6 V254"
    body = f"""
<g filter="url(#glow)" opacity="0.95">
 {gilded(rail, 3.2)}
 {gilded("M9 6 Q9 2 14 2 H19", 2.6)}
 {gilded("M9 254 Q9 258 14 258 H19", 2.6)}
</g>
{diamond(19.5, 3, 2.4)}{diamond(19.5, 257, 2.4)}
<path d="M9 118 L21 130 L9 142 L3 130 Z" fill="url(#goldB)" stroke="{DARK}" stroke-width="1.2"/>
<path d="M9 122 L17 130 L9 138 L6 130 Z" fill="#7fd4ff" stroke="#173252" stroke-width="0.8"/>
<path d="M9 123.5 L12 127 L8.5 128 Z" fill="#fff" opacity="0.85"/>
"""
    add("etc/indicator.png", 24, h, body)


# ---------------------------------------------------------------- notifications
def message():
    """Message balloon, 400 x 237: top band rows 0-82, bottom band 147-236, the text centred
    on x 200 with its baseline on row 118; a scroll between two rollers."""
    card = "M22 34 H378 V202 H22 Z"
    roller = lambda x: (f'<rect x="{x}" y="26" width="18" height="184" rx="7" fill="url(#wood)" '
                        f'stroke="{DARK}" stroke-width="1.2"/>'
                        f'<rect x="{x - 2}" y="20" width="22" height="9" rx="3" fill="url(#goldB)" stroke="{DARK}"/>'
                        f'<rect x="{x - 2}" y="207" width="22" height="9" rx="3" fill="url(#goldB)" stroke="{DARK}"/>')
    body = f"""
<g filter="url(#softShadow)">
 <path d="{card}" fill="url(#parch)"/>
 {roller(8)}{roller(374)}
</g>
<path d="{card}" fill="url(#parch)" filter="url(#paper)"/>
<path d="{card}" fill="url(#vignette)"/>
<path d="M26 39 H374 M26 197 H374" stroke="url(#goldB)" stroke-width="1.6"/>
<path d="M26 42 H374 M26 194 H374" stroke="{BRONZE}" stroke-opacity="0.5" stroke-width="0.8"/>
{roller(8)}{roller(374)}
{diamond(200, 39, 7)}<circle cx="200" cy="39" r="2.6" fill="#8fdcff" stroke="{DARK}" stroke-width="0.8"/>
{diamond(200, 197, 4)}
"""
    add("background/message.png", 400, 237, body)


def alert():
    """Alert, 350 x 253: top band rows 0-82, middle 83-146 (question centred on x 175,
    baseline 126), bottom band 147-252 with the button sockets behind the 40 x 40 buttons
    at (80, 185) and (230, 185)."""
    card = "M18 22 H332 Q340 22 340 30 V232 Q340 240 332 240 H18 Q10 240 10 232 V30 Q10 22 18 22 Z"
    inner = "M22 30 H328 Q332 30 332 34 V228 Q332 232 328 232 H22 Q18 232 18 228 V34 Q18 30 22 30 Z"
    sock = lambda cx: (f'<circle cx="{cx}" cy="205" r="24" fill="#e0c68e" stroke="{BRONZE}" stroke-width="1.2"/>'
                       f'<circle cx="{cx}" cy="205" r="21.5" fill="none" stroke="#fff7df" stroke-opacity="0.7"/>')
    body = f"""
<g filter="url(#softShadow)"><path d="{card}" fill="url(#stone)"/></g>
<path d="{card}" fill="none" stroke="url(#gold)" stroke-width="2"/>
<path d="{inner}" fill="url(#parch)" filter="url(#paper)"/>
<path d="{inner}" fill="url(#vignette)"/>
<path d="{inner}" fill="none" stroke="{BRONZE}" stroke-width="1"/>
<path d="M40 168 H310" stroke="url(#goldB)" stroke-width="1.2"/>
{diamond(175, 168, 3.5)}
{sock(100)}{sock(250)}
<g filter="url(#shadow)">
 <path d="M175 6 L197 24 L175 42 L153 24 Z" fill="url(#goldB)" stroke="{DARK}" stroke-width="1.2"/>
 <path d="M175 12 L190 24 L175 36 L160 24 Z" fill="#b3261a" stroke="#4a0c06" stroke-width="1"/>
</g>
<path d="M175 15 L179 21 L175 22 Z" fill="#fff" opacity="0.7"/>
{gilded("M175 17 V27 M175 31 V31.5", 2.2)}
{''.join(diamond(x, y, 2.6) for x, y in ((14, 26), (336, 26), (14, 236), (336, 236)))}
"""
    add("background/alert.png", 350, 253, body)


def welcome():
    """Start-up notice, 320 x 128: a banner reading WELCOME, shown above the welcome balloon."""
    word = "WELCOME"
    lh, gap = 30, 9
    wd = runic_width(word, lh, gap)
    letters, _ = runic_text(word, (320 - wd) / 2, 57, lh, gap, width=3.2)
    ribbon = "M30 46 H290 L306 72 L290 98 H30 L14 72 Z"
    body = f"""
<g filter="url(#softShadow)"><path d="{ribbon}" fill="url(#stone)"/></g>
<path d="{ribbon}" fill="none" stroke="url(#gold)" stroke-width="2.2"/>
<path d="M34 51 H286 M34 93 H286" stroke="url(#gold)" stroke-width="0.8" opacity="0.7"/>
{letters}
<g filter="url(#shadow)">
 <path d="M160 8 L178 28 L160 48 L142 28 Z" fill="url(#goldB)" stroke="{DARK}" stroke-width="1.2"/>
 <path d="M160 15 L171 28 L160 41 L149 28 Z" fill="#4f9fd8" stroke="#173252"/>
</g>
<path d="M160 18 L164 25 L159 26 Z" fill="#fff" opacity="0.85"/>
{gilded("M138 28 Q110 14 84 26 M182 28 Q210 14 236 26", 2)}
{diamond(30, 110, 3)}{diamond(290, 110, 3)}{gilded("M40 110 H280", 1.2)}{diamond(160, 110, 4)}
"""
    add("etc/welcome.png", 320, 128, body)


def warning():
    """Warning notice, 120 x 120: a garnet plaque with the ! rune."""
    tri = "M60 10 L110 100 Q112 106 106 106 H14 Q8 106 10 100 Z"
    body = f"""
<g filter="url(#softShadow)"><path d="{tri}" fill="url(#goldB)" stroke="{DARK}" stroke-width="1.5"/></g>
<path d="M60 24 L99 96 H21 Z" fill="#a3241a" stroke="#3e0905" stroke-width="1.5"/>
<path d="M60 24 L99 96 H21 Z" fill="url(#vignette)"/>
<path d="M60 30 L70 48 L58 40 Z" fill="#fff" opacity="0.35"/>
{gilded("M60 46 L60 72", 7)}
{gilded("M60 84 L60 85", 7)}
"""
    add("etc/warning.png", 120, 120, body)


def default_picture():
    """Default information-panel picture, 220 x 220: a rune medallion with a compass star."""
    c = 110
    ticks = []
    for i in range(24):
        a = 2 * math.pi * i / 24
        r1, r2 = (84, 96) if i % 2 == 0 else (88, 93)
        ticks.append(f"M{c + r1 * math.sin(a):.2f} {c - r1 * math.cos(a):.2f} "
                     f"L{c + r2 * math.sin(a):.2f} {c - r2 * math.cos(a):.2f}")
    star = []
    for i in range(16):
        a = 2 * math.pi * i / 16
        r = 72 if i % 4 == 0 else (44 if i % 2 == 0 else 20)
        star.append(f"{c + r * math.sin(a):.2f} {c - r * math.cos(a):.2f}")
    body = f"""
<g filter="url(#softShadow)"><circle cx="{c}" cy="{c}" r="102" fill="url(#goldB)" stroke="{DARK}" stroke-width="1.5"/></g>
<circle cx="{c}" cy="{c}" r="98" fill="url(#stone)" stroke="{DARK}" stroke-width="1"/>
<circle cx="{c}" cy="{c}" r="80" fill="#1e1713" stroke="url(#gold)" stroke-width="1.5"/>
{gilded(" ".join(ticks), 2)}
<path d="M{' L'.join(star)} Z" fill="url(#goldB)" stroke="{DARK}" stroke-width="1.4"/>
<circle cx="{c}" cy="{c}" r="15" fill="#3f8ccc" stroke="{DARK}" stroke-width="1.4"/>
<circle cx="{c}" cy="{c}" r="15" fill="url(#azureGlow)"/>
<circle cx="{c - 5}" cy="{c - 5}" r="4" fill="#fff" opacity="0.8"/>
"""
    add("etc/default.png", 220, 220, body)


def spacer():
    """The spacer entry of the list menu's edit pop-up, 26 x 26."""
    add("etc/icon_spacer.png", 26, 26,
        f'<path d="M13 4 V22" stroke="{DARK}" stroke-opacity="0.5" stroke-width="3" stroke-linecap="round"/>'
        f'<path d="M13 4 V22" stroke="url(#gold)" stroke-width="1.2" stroke-linecap="round"/>' + diamond(13, 13, 3.5))


# ---------------------------------------------------------------- icons and symbols
ICON_GLYPHS = {  # 26 x 26 glyphs: (path, stroke width, filled)
    "help": ("M9 9.5 Q9 5.5 13 5.5 Q17.5 5.5 17.5 9.5 Q17.5 12 14.5 13.2 Q13 13.9 13 16 M13 20.5 L13 20.6", 2.6, False),
    "option": (gear(13, 13, 10.5, 7.6, 8, 3.2), 1.2, True),
    "logout": ("M12 5 H7 V21 H12 M12 13 H21 M17.5 9 L21.5 13 L17.5 17", 2.4, False),
    "modify": ("M21 4.5 Q12 5.5 8.5 14.5 L7 19.5 L11.5 17 Q19.5 13 21 4.5 Z M5.5 21.5 L14 11", 1.3, True),
    "add": ("M13 6 V20 M6 13 H20", 3.2, False),
    "upper": ("M6.5 16.5 L13 10 L19.5 16.5", 3.2, False),
    "lower": ("M6.5 9.5 L13 16 L19.5 9.5", 3.2, False),
    "remove": ("M8 8 L18 18 M18 8 L8 18", 3.2, False),
    "run": ("M9 6 L20.5 13 L9 20 Z", 1.3, True),
}


def icon(name, hover):
    d, w, filled = ICON_GLYPHS[name]
    g = gilded(d, w, hover=hover, fill=filled)
    if filled and name == "option":
        g += '<circle cx="13" cy="13" r="3.2" fill="none"/>'
    return f'<g filter="url(#{"glow" if hover else "shadow"})">{g}</g>'


def seal(kind, hover):
    """The alert's yes / no buttons and the item editor's OK / Cancel tools, 40 x 40."""
    enamel = {"ok": ("#5cc46a", "#1d6a2a", "#0d3514"), "cancel": ("#e0594a", "#8e1d14", "#420905")}[kind]
    lo, mid, hi = enamel if not hover else (enamel[0], enamel[0], enamel[1])
    glyph = "M12 20.5 L17.5 26 L28.5 14" if kind == "ok" else "M14 14 L26 26 M26 14 L14 26"
    grad = (f'<radialGradient id="en" cx="0.4" cy="0.35" r="0.7"><stop offset="0" stop-color="{lo}"/>'
            f'<stop offset="0.6" stop-color="{mid}"/><stop offset="1" stop-color="{hi}"/></radialGradient>')
    body = f"""
<g filter="url(#{'glow' if hover else 'shadow'})">
 <circle cx="20" cy="20" r="17" fill="url(#{'goldHi' if hover else 'gold'})" stroke="{DARK}" stroke-width="1.2"/>
</g>
<circle cx="20" cy="20" r="13.5" fill="url(#en)" stroke="{DARK}" stroke-width="1"/>
<g fill="none" stroke-linecap="round" stroke-linejoin="round">
 <path d="{glyph}" stroke="{DARK}" stroke-width="5.4"/>
 <path d="{glyph}" stroke="#fff6dc" stroke-width="3.2"/>
</g>
<ellipse cx="16" cy="13" rx="5" ry="2.5" fill="#fff" opacity="0.35"/>
"""
    return body, grad


def icons():
    for name in ICON_GLYPHS:
        for state, hover in (("normal", False), ("hover", True)):
            add(f"icon/{name}_{state}.png", 26, 26, icon(name, hover))
    for kind in ("ok", "cancel"):
        for state, hover in (("normal", False), ("hover", True)):
            body, grad = seal(kind, hover)
            add(f"icon/{kind}_{state}.png", 40, 40, body, grad)


def symbol(name, hover):
    """46 x 46 emblems of the built-in root entries and the system monitor."""
    fx = "glow" if hover else "shadow"
    if name == "info":
        orb = ('<radialGradient id="orb" cx="0.38" cy="0.32" r="0.75"><stop offset="0" stop-color="#bfe9ff"/>'
               '<stop offset="0.45" stop-color="#3f8ccc"/><stop offset="1" stop-color="#12305a"/></radialGradient>')
        body = (f'<g filter="url(#{fx})"><circle cx="23" cy="23" r="19" fill="url(#{"goldHi" if hover else "gold"})" '
                f'stroke="{DARK}" stroke-width="1.2"/></g>'
                f'<circle cx="23" cy="23" r="15.5" fill="url(#orb)" stroke="{DARK}" stroke-width="1"/>'
                + gilded("M23 21 V32 M23 15 L23 15.2", 3.6, hover)
                + '<ellipse cx="18" cy="15" rx="5" ry="2.6" fill="#fff" opacity="0.45"/>')
        return body, orb
    if name == "plugin":
        gem = ('<linearGradient id="gem" x1="0" y1="0" x2="1" y2="1"><stop offset="0" stop-color="#e2b8ff"/>'
               '<stop offset="0.5" stop-color="#8a3fc4"/><stop offset="1" stop-color="#3a1060"/></linearGradient>')
        hexa = "M23 5 L38 14 V32 L23 41 L8 32 V14 Z"
        facet = "M23 12 L32 17.5 V28.5 L23 34 L14 28.5 V17.5 Z"
        body = (f'<g filter="url(#{fx})"><path d="{hexa}" fill="url(#{"goldHi" if hover else "gold"})" '
                f'stroke="{DARK}" stroke-width="1.2" stroke-linejoin="round"/></g>'
                f'<path d="{facet}" fill="url(#gem)" stroke="{DARK}" stroke-width="1"/>'
                f'<path d="M23 12 V34 M14 17.5 L32 28.5 M32 17.5 L14 28.5" stroke="#fff" stroke-opacity="0.25"/>'
                f'<path d="M23 12 L32 17.5 L23 23 L14 17.5 Z" fill="#fff" opacity="0.25"/>'
                + "".join(diamond(x, y, 2) for x, y in ((23, 8), (35, 15.5), (35, 30.5), (23, 38), (11, 30.5), (11, 15.5))))
        return body, gem
    # setting: a gilded cog around a sapphire
    body = (f'<g filter="url(#{fx})">'
            + gilded(gear(23, 23, 19.5, 15, 10, 0.01), 1.3, hover, fill=True) + '</g>'
            f'<circle cx="23" cy="23" r="11" fill="url(#stone)" stroke="{DARK}" stroke-width="1.2"/>'
            f'<circle cx="23" cy="23" r="7" fill="#3f8ccc" stroke="{DARK}" stroke-width="1"/>'
            f'<circle cx="23" cy="23" r="7" fill="url(#azureGlow)"/>'
            f'<circle cx="20.5" cy="20.5" r="2.2" fill="#fff" opacity="0.8"/>')
    return body, ""


def symbols():
    for name in ("info", "plugin", "setting"):
        for state, hover in (("normal", False), ("hover", True)):
            body, extra = symbol(name, hover)
            add(f"symbol/{name}_{state}.png", 46, 46, body, extra)


# ---------------------------------------------------------------- preferences and editor
def tools():
    """Preferences tool bar images: 18 x 18 commands, 64 x 50 page tools; the about picture."""
    small = {
        "undefined": ("M14.5 6.5 A6 6 0 1 0 15 12 M14.5 2.5 V6.5 H10.5", 2.0),
        "save": ("M4 9.5 L7.5 13 L14 5.5", 2.4),
        "cancel": ("M5 5 L13 13 M13 5 L5 13", 2.4),
    }
    for name, (d, w) in small.items():
        add(f"etc/{name}.png", 18, 18, gilded(d, w))
    pages = {
        "general": gilded(gear(32, 25, 18, 13.5, 9, 5.5), 1.4, fill=True),
        "appearance": (f'<path d="M32 6 L48 25 L32 44 L16 25 Z" fill="url(#goldB)" stroke="{DARK}" stroke-width="1.4"/>'
                       f'<path d="M32 12 L43 25 L32 38 L21 25 Z" fill="#3f8ccc" stroke="{DARK}"/>'
                       f'<path d="M32 12 L43 25 L32 25 Z" fill="#bfe9ff" opacity="0.6"/>'
                       f'<path d="M21 25 L32 38 L32 25 Z" fill="#12305a" opacity="0.5"/>'),
        "sound": gilded("M12 20 H20 L32 10 V40 L20 30 H12 Z", 1.4, fill=True)
                 + gilded("M38 17 Q43 25 38 33 M43 12 Q51 25 43 38", 2.4),
        "plugin": '<g transform="translate(9 2)">' + symbol("plugin", False)[0] + "</g>",
        "about": (f'<rect x="16" y="8" width="32" height="34" rx="2" fill="url(#parch)" stroke="{DARK}" stroke-width="1.4"/>'
                  f'<rect x="12" y="5" width="40" height="7" rx="3.5" fill="url(#wood)" stroke="{DARK}"/>'
                  f'<rect x="12" y="38" width="40" height="7" rx="3.5" fill="url(#wood)" stroke="{DARK}"/>'
                  f'<path d="M21 18 H43 M21 24 H43 M21 30 H36" stroke="{INK}" stroke-width="1.8" stroke-linecap="round"/>'),
    }
    for name, body in pages.items():
        extra = symbol("plugin", False)[1] if name == "plugin" else ""
        add(f"etc/panel_{name}.png", 64, 50, f'<g filter="url(#shadow)">{body}</g>', extra)

    word = "ZYN UTILS"
    lh, gap = 36, 10
    letters, _ = runic_text(word, 120, 30, lh, gap, width=3.6)
    plaque = "M8 6 H392 Q398 6 398 12 V92 Q398 98 392 98 H8 Q2 98 2 92 V12 Q2 6 8 6 Z"
    body = f"""
<g filter="url(#softShadow)"><path d="{plaque}" fill="url(#stone)"/></g>
<path d="{plaque}" fill="none" stroke="url(#gold)" stroke-width="2"/>
<path d="M110 80 H382" stroke="url(#gold)" stroke-width="1" opacity="0.8"/>
{''.join(diamond(110 + 34 * i, 80, 2.2) for i in range(9))}
{letters}
<g transform="translate(14 10) scale(0.33)">{emblem(256)}</g>
"""
    add("etc/about.png", 400, 104, body)


# ---------------------------------------------------------------- desktop widgets
def hp_bar():
    """HP bar, 368 x 84: the fill (260 x 4) shows through the slim trough at (81, 33), just
    above the name's row; date at (40, 20), name at (42, 50), hit points centred on x 263 and
    level at x 315 on baseline 73, all white; the name icon (36 x 36) stands at (2, 34).
    Names of size 17 reach up to row 37, so the trough ends at row 36; the plate is wide
    enough for "Lv.100" at x 315."""
    plate = "M10 2 H358 Q366 2 366 10 V74 Q366 82 358 82 H10 Q2 82 2 74 V10 Q2 2 10 2 Z"
    trough = "M81 33 H341 V37 H81 Z"
    body = f"""
<defs><mask id="hole"><rect width="368" height="84" fill="#fff"/><path d="{trough}" fill="#000"/></mask>
<linearGradient id="glass" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#fff" stop-opacity="0.4"/>
<stop offset="0.5" stop-color="#fff" stop-opacity="0.05"/><stop offset="1" stop-color="#000" stop-opacity="0.2"/></linearGradient></defs>
<g mask="url(#hole)">
 <g filter="url(#softShadow)"><path d="{plate}" fill="url(#stone)" fill-opacity="0.93"/></g>
 <path d="{plate}" fill="none" stroke="url(#gold)" stroke-width="2"/>
 <circle cx="20" cy="52" r="20" fill="#140e0b" stroke="url(#gold)" stroke-width="1.6"/>
 <path d="M80 32 H342 V38 H80 Z" fill="#0e0906"/>
</g>
<path d="{trough}" fill="#000" fill-opacity="0.15"/>
<path d="{trough}" fill="url(#glass)"/>
<path d="M78.5 30.5 H343.5" stroke="url(#gold)" stroke-width="1"/>
<path d="M78.5 30 V37 M343.5 30 V37" stroke="url(#gold)" stroke-width="1"/>
{''.join(f'<path d="M{81 + 26 * i} 33 V37" stroke="{DARK}" stroke-opacity="0.45" stroke-width="1"/>' for i in range(1, 10))}
{diamond(76, 34, 3)}{diamond(346, 34, 3)}
<path d="M36 24.5 H352" stroke="url(#gold)" stroke-width="0.8" opacity="0.45"/>
{diamond(352, 12, 3)}{diamond(340, 12, 2)}
"""
    add("etc/hp_bar.png", 368, 84, body)
    fills = {"green": ("#b8f59a", "#4cbc3a", "#1c5e18"), "yellow": ("#fff0a0", "#e0b020", "#845e08"),
             "red": ("#ffb0a0", "#d83a26", "#6a100c")}
    for name, (a, b, c) in fills.items():
        grad = (f'<linearGradient id="f" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="{a}"/>'
                f'<stop offset="0.3" stop-color="{b}"/><stop offset="0.7" stop-color="{b}"/>'
                f'<stop offset="1" stop-color="{c}"/></linearGradient>')
        body = (f'<rect width="260" height="4" fill="url(#f)"/>'
                f'<rect width="260" height="1" fill="#fff" opacity="0.35"/>')
        add(f"etc/hp_{name}.png", 260, 4, body, grad)
    helm = "M18 6 C25 6 28 11 28 18 V28 H8 V18 C8 11 11 6 18 6 Z"
    add("etc/hp_icon.png", 36, 36,
        f'<g filter="url(#shadow)"><circle cx="18" cy="18" r="16.5" fill="url(#gold)" stroke="{DARK}"/></g>'
        f'<circle cx="18" cy="18" r="13.5" fill="url(#stone)" stroke="{DARK}"/>'
        + gilded(helm, 1.2, fill=True)
        + f'<path d="M11 16 H25 V19 H11 Z M17 19 V27" fill="#1a1411" stroke="#1a1411" stroke-width="1.4"/>')


def dial():
    """System monitor dial, 24 frames of 120 x 120: frame k lights the first k of 24 segments,
    clockwise from the top; the digits go inside the ring."""
    c, r_in, r_out = 60, 45, 56
    for k in range(24):
        segs = []
        for i in range(24):
            a0 = 2 * math.pi * i / 24 + math.radians(1.8)
            a1 = 2 * math.pi * (i + 1) / 24 - math.radians(1.8)
            p = lambda r, a: f"{c + r * math.sin(a):.2f} {c - r * math.cos(a):.2f}"
            d = (f"M{p(r_in, a0)} L{p(r_out, a0)} A{r_out} {r_out} 0 0 1 {p(r_out, a1)} "
                 f"L{p(r_in, a1)} A{r_in} {r_in} 0 0 0 {p(r_in, a0)} Z")
            if i < k:
                t = i / 23.0
                col = ("#3f8ccc" if t < 0.45 else "#e0a428" if t < 0.8 else "#d04020")
                segs.append(f'<path d="{d}" fill="{col}" stroke="{DARK}" stroke-width="0.8"/>')
            else:
                segs.append(f'<path d="{d}" fill="#7a5a30" fill-opacity="0.16" stroke="{BRONZE}" '
                            f'stroke-opacity="0.5" stroke-width="0.7"/>')
        lit = "".join(s for s in segs if "fill-opacity" not in s)
        dim = "".join(s for s in segs if "fill-opacity" in s)
        body = (f'<circle cx="{c}" cy="{c}" r="58.5" fill="none" stroke="url(#gold)" stroke-width="1.6"/>'
                f'<circle cx="{c}" cy="{c}" r="42.5" fill="none" stroke="{BRONZE}" stroke-opacity="0.6" stroke-width="1"/>'
                f'{dim}<g filter="url(#glow)">{lit}</g>' + diamond(c, 2.5, 2.6))
        add(f"etc/clock/b{k}.png", 120, 120, body)


# ---------------------------------------------------------------- application icons
def emblem(size):
    """The application's emblem on a 256 grid: a gilded roundel with the Z rune."""
    z = "M86 78 H170 L86 178 H170"
    return f"""
<g filter="url(#softShadow)"><circle cx="128" cy="128" r="118" fill="url(#goldB)" stroke="{DARK}" stroke-width="3"/></g>
<circle cx="128" cy="128" r="104" fill="url(#stone)" stroke="{DARK}" stroke-width="3"/>
<circle cx="128" cy="128" r="92" fill="none" stroke="url(#goldB)" stroke-width="2" opacity="0.8"/>
{''.join(diamond(x, y, 9, sw=2) for x, y in ((128, 17), (239, 128), (128, 239), (17, 128)))}
<g fill="none" stroke-linecap="round" stroke-linejoin="round">
 <path d="{z}" stroke="{DARK}" stroke-width="30"/>
 <path d="{z}" stroke="url(#goldB)" stroke-width="22"/>
</g>
<circle cx="128" cy="128" r="12" fill="#3f8ccc" stroke="{DARK}" stroke-width="3"/>
<circle cx="124" cy="124" r="4" fill="#fff" opacity="0.8"/>
"""


def small_emblem():
    """The same emblem drawn for 16 to 32 pixels: thick ring and rune, no fine detail."""
    z = "M7.5 7 H16.5 L7.5 17 H16.5"
    return f"""
<circle cx="12" cy="12" r="11.2" fill="url(#goldB)" stroke="{DARK}" stroke-width="0.8"/>
<circle cx="12" cy="12" r="8.8" fill="#2a201a" stroke="{DARK}" stroke-width="0.6"/>
<g fill="none" stroke-linecap="round" stroke-linejoin="round">
 <path d="{z}" stroke="{DARK}" stroke-width="3.4"/><path d="{z}" stroke="#ffd75a" stroke-width="2.2"/>
</g>"""


ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
TRAY_SIZES = (16, 22, 24, 32, 48, 64)


def app_icons():
    """Rendered separately: each size from the design that suits it (see render)."""
    big = svg(256, 256, emblem(256))
    small = svg(24, 24, small_emblem())
    return big, small


# ---------------------------------------------------------------- sample menu emblems
def emblem_glyph(name, hover):
    """46 x 46 emblems of the default menu's entries."""
    gold = "url(#goldHi)" if hover else "url(#goldB)"
    if name == "terminal":
        return (f'<rect x="6" y="9" width="34" height="28" rx="4" fill="url(#stone)" stroke="{gold}" stroke-width="2.2"/>'
                f'<rect x="9" y="12" width="28" height="22" rx="2" fill="#140e0b"/>'
                + gilded("M14 18 L20 23 L14 28 M23 29 H32", 2.6, hover))
    if name == "folder":
        return (f'<path d="M5 12 H18 L21 15 H41 V37 H5 Z" fill="{gold}" stroke="{DARK}" stroke-width="1.4" stroke-linejoin="round"/>'
                f'<path d="M5 19 H41 V37 H5 Z" fill="url(#wood)" stroke="{DARK}" stroke-width="1.4"/>'
                + diamond(23, 28, 4, fill=gold))
    if name == "globe":
        return (f'<circle cx="23" cy="23" r="17" fill="#2c6aa6" stroke="{gold}" stroke-width="2.4"/>'
                f'<circle cx="23" cy="23" r="17" fill="url(#azureGlow)"/>'
                + gilded("M6 23 H40 M23 6 V40 M23 6 Q11 23 23 40 M23 6 Q35 23 23 40 M9 14 H37 M9 32 H37", 1.3, hover))
    return (f'<rect x="11" y="8" width="24" height="30" rx="2" fill="url(#parch)" stroke="{DARK}" stroke-width="1.4"/>'
            f'<rect x="8" y="5" width="30" height="6" rx="3" fill="url(#wood)" stroke="{gold}"/>'
            f'<rect x="8" y="35" width="30" height="6" rx="3" fill="url(#wood)" stroke="{gold}"/>'
            f'<path d="M15 17 H31 M15 22 H31 M15 27 H26" stroke="{INK}" stroke-width="1.6" stroke-linecap="round"/>')


def menu_emblems():
    for name in ("terminal", "folder", "globe", "scroll"):
        for state, hover in (("normal", False), ("hover", True)):
            fx = "glow" if hover else "shadow"
            body = f'<g filter="url(#{fx})">{emblem_glyph(name, hover)}</g>'
            add(f"launcher/{name}_{state}.png", 46, 46, body)
            add(f"launcher/{name}_small_{state}.png", 26, 26,
                f'<g transform="scale({26 / 46:.5f})">{body}</g>')


def build_all():
    menu_emblems()
    button_faces()
    catalog_faces()
    list_faces()
    panel()
    message()
    alert()
    icons()
    symbols()
    default_picture()
    indicator()
    welcome()
    warning()
    spacer()
    tools()
    hp_bar()
    dial()


def render(svg_dir, out_dir, rsvg):
    def run(src, dst, w, h):
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        subprocess.run([rsvg, "-w", str(w), "-h", str(h), "-f", "png", "-o", dst, src], check=True)

    for path, w, h, text in IMAGES:
        src = os.path.join(svg_dir, path[:-4] + ".svg")
        os.makedirs(os.path.dirname(src), exist_ok=True)
        with open(src, "w", encoding="utf-8") as f:
            f.write(text)
        run(src, os.path.join(out_dir, path), w, h)

    big, small = app_icons()
    for name, text in (("app.svg", big), ("app_small.svg", small)):
        with open(os.path.join(svg_dir, name), "w", encoding="utf-8") as f:
            f.write(text)
    pick = lambda n: os.path.join(svg_dir, "app_small.svg" if n <= 32 else "app.svg")
    for n in ICON_SIZES:
        run(pick(n), os.path.join(out_dir, "icons", f"app_{n}.png"), n, n)
    for n in TRAY_SIZES:
        # The tray keeps the bold design at every size so that it stays legible when scaled.
        run(os.path.join(svg_dir, "app_small.svg"), os.path.join(out_dir, "icons", f"tray_{n}.png"), n, n)
    run(pick(256), os.path.join(out_dir, "app.png"), 256, 256)
    run(os.path.join(svg_dir, "app_small.svg"), os.path.join(out_dir, "tray.png"), 64, 64)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--svg-dir")
    ap.add_argument("--out-dir")
    ap.add_argument("--rsvg", default="rsvg-convert")
    ap.add_argument("--list", action="store_true")
    args = ap.parse_args()
    build_all()
    if args.list:
        for path, w, h, _ in IMAGES:
            print(f"Images/{path} {w} {h}")
        for n in ICON_SIZES:
            print(f"Images/icons/app_{n}.png {n} {n}")
        for n in TRAY_SIZES:
            print(f"Images/icons/tray_{n}.png {n} {n}")
        print("Images/app.png 256 256")
        print("Images/tray.png 64 64")
        return 0
    if not args.svg_dir or not args.out_dir:
        ap.error("--svg-dir and --out-dir are required")
    render(args.svg_dir, args.out_dir, args.rsvg)
    return 0


if __name__ == "__main__":
    sys.exit(main())
