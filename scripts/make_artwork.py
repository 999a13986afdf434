#!/usr/bin/env python3
"""Draws every picture of the editor as an SVG source and renders it to the PNGs that the build embeds.

The SVG sources go to src/resources/artwork/ and the PNGs to src/resources/, both committed, so a
build never needs a drawing tool; only this step does (rsvg-convert from librsvg2-bin, and the
DejaVu Sans fonts). Every picture is white on the editor's blue 0xFF117FC6. Each is rendered twice
from the same source: NAME.png at the exact pixel size the layout is built around, and NAME_2x.png
with twice the pixels each way, which the editor draws when a window is zoomed or the screen has
more than one pixel per point. Run it from anywhere:
    python3 scripts/make_artwork.py
"""
import os
import struct
import subprocess
import sys
import zlib

ROOT = os.path.dirname (os.path.dirname (os.path.abspath (__file__)))
RESOURCES = os.path.join (ROOT, "src", "resources")
SOURCES = os.path.join (RESOURCES, "artwork")

BLUE = "#117FC6"           # the editor's blue
BLUE_LIGHT = "#2F95D9"     # hovered tabs
BLUE_DARK = "#0C659F"      # the view area and the controller's body
BLUE_DEEP = "#0A4C7C"      # recessed parts: screen, keybed well, list fields
NAVY = "#083A5E"           # black keys
WHITE = "#FFFFFF"
FONT = "DejaVu Sans"

# Cap height of DejaVu Sans as a fraction of the font size: puts the middle of capital letters
# on a given line, since librsvg places text by its baseline.
CAP_HEIGHT = 0.73


def fmt (value):
    """Numbers in the sources stay short and readable: 12 rather than 12.000000."""
    if isinstance (value, float):
        text = ("%.2f" % value).rstrip ("0").rstrip (".")
        return text if text != "-0" else "0"
    return str (value)


def element (tag, content = None, **attributes):
    parts = []
    for key, value in attributes.items():
        parts.append ('%s="%s"' % (key.rstrip ("_").replace ("_", "-"), fmt (value)))
    opening = "<%s%s" % (tag, (" " + " ".join (parts)) if parts else "")
    if content is None:
        return opening + "/>"
    return "%s>%s</%s>" % (opening, content, tag)


def rect (x, y, w, h, **attributes):
    return element ("rect", x = x, y = y, width = w, height = h, **attributes)


def circle (cx, cy, r, **attributes):
    return element ("circle", cx = cx, cy = cy, r = r, **attributes)


def line (x1, y1, x2, y2, **attributes):
    return element ("line", x1 = x1, y1 = y1, x2 = x2, y2 = y2, **attributes)


def path (d, **attributes):
    return element ("path", d = d, **attributes)


def polygon (points, **attributes):
    return element ("polygon", points = " ".join ("%s,%s" % (fmt (x), fmt (y)) for x, y in points),
                    **attributes)


def text (x, y, content, size, weight = "normal", anchor = "start", fill = WHITE, spacing = 0,
          family = FONT, **attributes):
    """Text whose capital letters are centred vertically on y."""
    baseline = y + size * CAP_HEIGHT / 2.0
    extra = {"letter_spacing": spacing} if spacing else {}
    extra.update (attributes)
    content = content.replace ("&", "&amp;").replace ("<", "&lt;")
    return element ("text", content, x = x, y = baseline, font_family = family, font_size = size,
                    font_weight = weight, text_anchor = anchor, fill = fill, **extra)


def vertical_gradient (ident, top, bottom):
    stops = element ("stop", offset = 0, stop_color = top) + element ("stop", offset = 1, stop_color = bottom)
    return element ("linearGradient", stops, id = ident, x1 = 0, y1 = 0, x2 = 0, y2 = 1)


def group (items, **attributes):
    return element ("g", "\n    " + "\n    ".join (items) + "\n  ", **attributes)


class Picture:
    """One SVG document of a fixed pixel size."""

    def __init__ (self, name, width, height, title):
        self.name, self.width, self.height, self.title = name, width, height, title
        self.definitions = []
        self.items = []

    def define (self, item):
        self.definitions.append (item)

    def add (self, *items):
        self.items.extend (items)

    def source (self):
        lines = ['<?xml version="1.0" encoding="UTF-8"?>',
                 '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
                 % (self.width, self.height, self.width, self.height),
                 "  <title>%s</title>" % self.title]
        if self.definitions:
            lines.append ("  <defs>")
            lines += ["    " + d for d in self.definitions]
            lines.append ("  </defs>")
        lines += ["  " + item for item in self.items]
        lines.append ("</svg>")
        return "\n".join (lines) + "\n"


PICTURES = []


def new_picture (name, width, height, title):
    picture = Picture (name, width, height, title)
    PICTURES.append (picture)
    return picture


#==============================================================================
# The controller as the product picture shows it. Positions are in picture coordinates; the
# clickable regions of the editor lie over these parts, so they move only together.

PRODUCT_SIZE = (1150, 286)

REGIONS = {
    # name: (x, y, width, height) inside the product picture
    "ModPitch":   (30, 10, 63, 85),
    "Transport":  (200, 56, 152, 35),
    "Roll":       (278, 56, 23, 15),
    "Knobs":      (384, 12, 503, 16),
    "ButtonBank": (379, 35, 511, 56),
    "PadBank":    (10, 120, 154, 153),
    "Keybed":     (170, 120, 957, 167),
}

NUM_COLUMNS = 16          # knobs in the row, and switches in each of the three rows
NUM_SWITCH_ROWS = 3
NUM_WHITE_KEYS = 36       # 61 keys from C to C
PADS_PER_SIDE = 4


def column_centres():
    """Knobs and switches share their columns, as on the controller's panel."""
    x, _, w, _ = REGIONS["Knobs"]
    pitch = w / float (NUM_COLUMNS)
    return [x + pitch * (i + 0.5) for i in range (NUM_COLUMNS)]


def draw_wheels (items):
    x, y, w, h = REGIONS["ModPitch"]
    slot_w, slot_h = 25, 77
    gap = w - 2 * slot_w - 8
    for index, label in enumerate (("PITCH", "MOD")):
        sx = x + 4 + index * (slot_w + gap)
        sy = y + 4
        items.append (rect (sx, sy, slot_w, slot_h, rx = 5, fill = BLUE_DEEP, stroke = WHITE,
                            stroke_width = 1.5))
        items.append (rect (sx + 4, sy + 5, slot_w - 8, slot_h - 10, rx = 3, fill = "url(#wheel)"))
        for rib in range (1, 14):
            ry = sy + 5 + rib * (slot_h - 10) / 14.0
            items.append (line (sx + 5, ry, sx + slot_w - 5, ry, stroke = WHITE, stroke_opacity = 0.35,
                                stroke_width = 1))
        # The pitch wheel rests in the middle, the mod wheel at the bottom.
        marker = sy + slot_h / 2.0 if index == 0 else sy + slot_h - 12
        items.append (rect (sx + 3, marker - 1.5, slot_w - 6, 3, rx = 1.5, fill = WHITE))
        items.append (text (sx + slot_w / 2.0, y + h + 9, label, 8, weight = "bold", anchor = "middle",
                            spacing = 0.5))


def draw_screen (items):
    items.append (rect (108, 14, 80, 34, rx = 4, fill = BLUE_DEEP, stroke = WHITE, stroke_width = 1.5))
    items.append (text (148, 26, "ZKM", 12, weight = "bold", anchor = "middle", spacing = 2,
                        family = "DejaVu Sans Mono"))
    items.append (text (148, 39, "PRESET 01", 7, anchor = "middle", spacing = 0.5, fill_opacity = 0.8,
                        family = "DejaVu Sans Mono"))


def transport_icon (kind, cx, cy):
    """A small white symbol of 9 x 7 pixels centred on (cx, cy)."""
    fill = {"fill": WHITE}
    if kind == "Rewind":
        return group ([polygon ([(cx, cy - 3.5), (cx, cy + 3.5), (cx - 4.5, cy)], **fill),
                       polygon ([(cx + 4.5, cy - 3.5), (cx + 4.5, cy + 3.5), (cx, cy)], **fill)])
    if kind == "Fast Forward":
        return group ([polygon ([(cx - 4.5, cy - 3.5), (cx - 4.5, cy + 3.5), (cx, cy)], **fill),
                       polygon ([(cx, cy - 3.5), (cx, cy + 3.5), (cx + 4.5, cy)], **fill)])
    if kind == "Stop":
        return rect (cx - 3, cy - 3, 6, 6, **fill)
    if kind == "Play":
        return polygon ([(cx - 3, cy - 4), (cx - 3, cy + 4), (cx + 4, cy)], **fill)
    if kind == "Loop":
        return group ([path ("M %s %s h -5 a 2.5 2.5 0 0 1 0 -5 h 6" % (fmt (cx + 2.5), fmt (cy + 2.5)),
                             fill = "none", stroke = WHITE, stroke_width = 1.3),
                       polygon ([(cx + 2, cy - 4.8), (cx + 2, cy - 0.2), (cx + 4.6, cy - 2.5)], **fill)])
    if kind == "Record":
        return circle (cx, cy, 3.3, **fill)
    if kind == "Roll":
        return group ([rect (cx - 4 + 3 * i, cy - 3.5, 1.6, 7, **fill) for i in range (3)])
    raise ValueError (kind)


def small_button (x, y, w, h):
    return rect (x + 0.75, y + 0.75, w - 1.5, h - 1.5, rx = 3, fill = BLUE_DEEP, stroke = WHITE,
                 stroke_width = 1.2)


def draw_transport (items):
    x, y, w, h = REGIONS["Transport"]
    rx, ry, rw, rh = REGIONS["Roll"]
    button_w, button_h = rw, rh
    pitch = (w - button_w) / 5.0
    bottom = y + h - button_h
    for index, kind in enumerate (("Rewind", "Fast Forward", "Stop", "Play", "Loop", "Record")):
        bx = x + index * pitch
        items.append (small_button (bx, bottom, button_w, button_h))
        items.append (transport_icon (kind, bx + button_w / 2.0, bottom + button_h / 2.0))
    items.append (small_button (rx, ry, rw, rh))
    items.append (transport_icon ("Roll", rx + rw / 2.0, ry + rh / 2.0))
    items.append (text (rx - 5, ry + rh / 2.0, "ROLL", 8, weight = "bold", anchor = "end", spacing = 0.5))
    items.append (text (x + w / 2.0, y + h + 9, "TRANSPORT", 8, weight = "bold", anchor = "middle",
                        spacing = 0.5))


def draw_knobs (items):
    _, y, _, h = REGIONS["Knobs"]
    cy = y + h / 2.0
    for index, cx in enumerate (column_centres()):
        items.append (circle (cx, cy, 6.8, fill = BLUE_DEEP, stroke = WHITE, stroke_width = 1.5))
        # Pointers at different angles, as a user leaves them.
        angle = (-135 + (index * 67) % 270)
        items.append (line (cx, cy, cx, cy - 5.5, stroke = WHITE, stroke_width = 1.6, stroke_linecap = "round",
                            transform = "rotate(%d %s %s)" % (angle, fmt (cx), fmt (cy))))


def draw_switches (items):
    _, y, _, h = REGIONS["ButtonBank"]
    button_w, button_h = 22, 14
    row_pitch = (h - button_h) / float (NUM_SWITCH_ROWS - 1)
    for row in range (NUM_SWITCH_ROWS):
        by = y + row * row_pitch
        for cx in column_centres():
            items.append (small_button (cx - button_w / 2.0, by, button_w, button_h))


def draw_pads (items):
    x, y, w, h = REGIONS["PadBank"]
    inset = 2
    pad_w, pad_h = 33, 32
    gap_x = (w - 2 * inset - PADS_PER_SIDE * pad_w) / float (PADS_PER_SIDE - 1)
    gap_y = (h - 2 * inset - PADS_PER_SIDE * pad_h) / float (PADS_PER_SIDE - 1)
    for row in range (PADS_PER_SIDE):
        for column in range (PADS_PER_SIDE):
            px = x + inset + column * (pad_w + gap_x)
            py = y + inset + row * (pad_h + gap_y)
            items.append (rect (px, py, pad_w, pad_h, rx = 4, fill = "url(#pad)", stroke = WHITE,
                                stroke_width = 1.5))


def draw_keybed (items):
    x, y, w, h = REGIONS["Keybed"]
    well = (x + 3, y + 3, w - 6, PRODUCT_SIZE[1] - y - 6)
    items.append (rect (*well, rx = 3, fill = NAVY))
    left, top = well[0] + 3, well[1] + 3
    key_w = (well[2] - 6) / float (NUM_WHITE_KEYS)
    key_h = well[3] - 6
    for index in range (NUM_WHITE_KEYS):
        kx = left + index * key_w
        items.append (rect (kx + 0.5, top, key_w - 1, key_h, rx = 2, fill = "url(#whiteKey)"))
    # Black keys sit after C, D, F, G and A, nudged the way a real keybed places them.
    nudges = {0: -0.12, 1: 0.12, 3: -0.16, 4: 0.0, 5: 0.16}
    black_w, black_h = key_w * 0.58, key_h * 0.62
    for index in range (NUM_WHITE_KEYS - 1):
        degree = index % 7
        if degree not in nudges:
            continue
        cx = left + (index + 1 + nudges[degree]) * key_w
        items.append (rect (cx - black_w / 2.0, top - 1, black_w, black_h, rx = 2, fill = "url(#blackKey)"))
        items.append (rect (cx - black_w / 2.0 + 2.5, top + black_h - 9, black_w - 5, 6, rx = 1.5,
                            fill = WHITE, fill_opacity = 0.12))


def draw_brand (items):
    right = PRODUCT_SIZE[0] - 26
    items.append (text (right, 32, "QUENLO", 20, weight = "bold", anchor = "end", spacing = 5))
    items.append (text (right, 68, "ZKM", 34, weight = "bold", anchor = "end", spacing = 2))
    items.append (line (right - 185, 93, right, 93, stroke = WHITE, stroke_opacity = 0.5, stroke_width = 1))
    items.append (text (right, 104, "61-KEY MIDI CONTROLLER", 8, weight = "bold", anchor = "end",
                        spacing = 1.5, fill_opacity = 0.85))


def make_product_picture():
    w, h = PRODUCT_SIZE
    picture = new_picture ("ZKM_Background", w, h, "The controller, with the parts the editor's views edit")
    picture.define (vertical_gradient ("body", "#1274B5", BLUE_DARK))
    picture.define (vertical_gradient ("wheel", "#3C9BDA", "#1570AE"))
    picture.define (vertical_gradient ("pad", "#1A7DBF", "#0E5F98"))
    picture.define (vertical_gradient ("whiteKey", "#FFFFFF", "#E4EEF6"))
    picture.define (vertical_gradient ("blackKey", "#1B4E75", "#062C48"))
    picture.add (rect (1, 1, w - 2, h - 2, rx = 14, fill = "url(#body)", stroke = WHITE, stroke_width = 2))
    parts = [("pitch and mod wheels", draw_wheels), ("display", draw_screen),
             ("transport and roll mode buttons", draw_transport), ("16 knobs", draw_knobs),
             ("48 switches in three rows", draw_switches), ("4 x 4 drum pads", draw_pads),
             ("61-key keybed", draw_keybed), ("maker and model", draw_brand)]
    for title, draw in parts:
        items = ["<!-- %s -->" % title]
        draw (items)
        picture.add (*items)


def make_regions():
    states = {
        "Normal": None,                           # the picture shows through
        "Hover":  dict (fill_opacity = 0.2, stroke_width = 1),
        "Select": dict (fill_opacity = 0.38, stroke_width = 2),
    }
    for name, (_, _, w, h) in REGIONS.items():
        for state, look in states.items():
            picture = new_picture ("ZKM_%s_%s" % (name, state), w, h, "%s region, %s" % (name, state.lower()))
            if look is None:
                continue
            inset = look["stroke_width"] / 2.0
            radius = min (4, h / 4.0)
            picture.add (rect (inset, inset, w - 2 * inset, h - 2 * inset, rx = radius, fill = WHITE,
                               fill_opacity = look["fill_opacity"], stroke = WHITE,
                               stroke_width = look["stroke_width"]))


#==============================================================================
# The editor window.

EDITOR_SIZE = (1200, 700)
TAB_ROW_Y = 450
TAB_HEIGHT = 40
VIEW_Y = 490


def make_editor_background():
    w, h = EDITOR_SIZE
    picture = new_picture ("ZKEditor_Background", w, h, "Editor background")
    picture.define (vertical_gradient ("top", "#1587D0", BLUE))
    picture.define (vertical_gradient ("view", BLUE_DARK, "#0A5589"))
    picture.add (rect (0, 0, w, VIEW_Y, fill = "url(#top)"),
                 rect (0, VIEW_Y, w, h - VIEW_Y, fill = "url(#view)"),
                 # The strip between the product picture and the tabs carries the name.
                 text (25, 393, "ZKM Editor", 34, weight = "bold"),
                 text (262, 396, "Preset editor for the Quenlo ZKM keyboard controller", 14,
                       fill_opacity = 0.8),
                 text (w - 25, 393, "QUENLO", 16, weight = "bold", anchor = "end", spacing = 4),
                 line (25, 428, w - 25, 428, stroke = WHITE, stroke_opacity = 0.25, stroke_width = 1))


TABS = [
    # resource name, text, width
    ("Main", "MAIN", 138),
    ("Knobs", "KNOBS", 132),
    ("Switches", "SWITCHES", 132),
    ("DrumPads", "DRUM PADS", 132),
    ("RollMode", "ROLL MODE", 132),
    ("Transport", "TRANSPORT", 132),
    ("Keybed", "KEYBED", 132),
    ("ModPitch", "MOD/PITCH", 132),
    ("Sustain", "SUSTAIN", 138),
]


def make_tabs():
    looks = {
        "Off":  ("#1583CB", "#0F71B2", WHITE),
        "Over": ("#3A9FE0", "#268BCF", WHITE),
        "On":   (WHITE, "#F1F7FC", BLUE),
    }
    for name, label, width in TABS:
        for state, (top, bottom, ink) in looks.items():
            picture = new_picture ("ZKEditor_MenuTabs_%s_%s" % (name, state), width, TAB_HEIGHT,
                                   "Tab %s, %s" % (label, state.lower()))
            picture.define (vertical_gradient ("face", top, bottom))
            radius = 6
            picture.add (path ("M 0 %d V %d Q 0 0 %d 0 H %d Q %d 0 %d %d V %d Z"
                               % (TAB_HEIGHT, radius, radius, width - radius, width, width, radius, TAB_HEIGHT),
                               fill = "url(#face)"))
            if state != "On":
                # A fine line closes each tab against the darker view area below it.
                picture.add (line (0, TAB_HEIGHT - 0.5, width, TAB_HEIGHT - 0.5, stroke = WHITE,
                                   stroke_opacity = 0.35, stroke_width = 1))
                picture.add (line (width - 0.5, 10, width - 0.5, TAB_HEIGHT - 10, stroke = WHITE,
                                   stroke_opacity = 0.3, stroke_width = 1))
            picture.add (text (width / 2.0, TAB_HEIGHT / 2.0 + 1, label, 13, weight = "bold",
                               anchor = "middle", fill = ink, spacing = 0.8))


def preset_icon (kind, x, y, ink):
    """A line icon of 18 x 18 pixels with its top-left at (x, y)."""
    stroke = dict (fill = "none", stroke = ink, stroke_width = 1.8, stroke_linecap = "round",
                   stroke_linejoin = "round")

    def p (d):
        return path (d, transform = "translate(%s %s)" % (fmt (x), fmt (y)), **stroke)

    if kind == "GetFromHardware":
        return group ([p ("M 9 1 V 11 M 5 7 L 9 11 L 13 7"), p ("M 2 12 V 16 H 16 V 12")])
    if kind == "SendToHardware":
        return group ([p ("M 9 11 V 1 M 5 5 L 9 1 L 13 5"), p ("M 2 12 V 16 H 16 V 12")])
    if kind == "SaveToHD":
        return group ([p ("M 2 2 H 13 L 16 5 V 16 H 2 Z"), p ("M 5 2 V 6 H 12 V 2"), p ("M 5 16 V 11 H 13 V 16")])
    if kind == "LoadFromHD":
        return group ([p ("M 1.5 4 V 15 H 16.5 V 6 H 8.5 L 7 4 Z"), p ("M 9 13 V 8.5 M 6.8 10.5 L 9 8.3 L 11.2 10.5")])
    raise ValueError (kind)


PRESET_BUTTONS = [
    ("GetFromHardware", "GET FROM HARDWARE"),
    ("SendToHardware", "SEND TO HARDWARE"),
    ("SaveToHD", "SAVE TO FILE"),
    ("LoadFromHD", "LOAD FROM FILE"),
]


def make_preset_buttons():
    w, h = 249, 35
    looks = {
        "Off":  (WHITE, 0.08, WHITE),
        "Over": (WHITE, 1.0, BLUE),
    }
    for name, label in PRESET_BUTTONS:
        for state, (face, opacity, ink) in looks.items():
            picture = new_picture ("Editor_PresetButton_%s_%s" % (name, state), w, h,
                                   "Preset button %s, %s" % (label, state.lower()))
            picture.add (rect (1, 1, w - 2, h - 2, rx = 6, fill = face, fill_opacity = opacity, stroke = WHITE,
                               stroke_width = 1.5),
                         preset_icon (name, 14, (h - 18) / 2.0, ink),
                         line (42, 8, 42, h - 8, stroke = ink, stroke_opacity = 0.4, stroke_width = 1),
                         text (42 + (w - 42) / 2.0, h / 2.0, label, 13, weight = "bold", anchor = "middle",
                               fill = ink, spacing = 0.8))


def make_bank_arrows():
    w, h = 17, 26
    looks = {
        "Normal": (WHITE, 0.85, 0),
        "Over":   (WHITE, 1.0, 0),
        "Down":   ("#BFDDF3", 1.0, 1),
    }
    for direction in ("Right", "Left"):
        for state, (ink, opacity, shift) in looks.items():
            picture = new_picture ("ZKEditor_BankArrow_%s_%s" % (direction, state), w, h,
                                   "Bank arrow pointing %s, %s" % (direction.lower(), state.lower()))
            points = [(3, 3), (14, 13), (3, 23)]
            if direction == "Left":
                points = [(w - px, py) for px, py in points]
            points = [(px, py + shift) for px, py in points]
            picture.add (polygon (points, fill = ink, stroke = ink, stroke_width = 3, stroke_linejoin = "round",
                                  opacity = opacity))


def make_divider():
    w, h = 3, 191
    picture = new_picture ("ZKEditor_VertDividerLine", w, h, "Divider between the keybed's split and zone settings")
    stops = "".join (element ("stop", offset = o, stop_color = WHITE, stop_opacity = a)
                     for o, a in ((0, 0.2), (0.08, 1), (0.92, 1), (1, 0.2)))
    picture.define (element ("linearGradient", stops, id = "fade", x1 = 0, y1 = 0, x2 = 0, y2 = 1))
    picture.add (rect (1, 0, 1, h, fill = "url(#fade)"),
                 rect (0, 0, 3, h, fill = "url(#fade)", fill_opacity = 0.25))


#==============================================================================
# The About picture and the device setup dialog. Where the application draws black text over
# them, they stay light.

def make_about():
    w, h = 484, 267
    picture = new_picture ("ZKM_AboutPage_Image", w, h, "About ZKM Editor")
    picture.define (vertical_gradient ("band", "#1689D3", BLUE_DARK))
    band_bottom = 98
    keys_bottom = 122
    picture.add (rect (0, 0, w, h, fill = WHITE),
                 rect (0, 0, w, band_bottom, fill = "url(#band)"),
                 text (w / 2.0, 22, "QUENLO", 13, weight = "bold", anchor = "middle", spacing = 6,
                       fill_opacity = 0.9),
                 text (w / 2.0, 56, "ZKM Editor", 38, weight = "bold", anchor = "middle"),
                 text (w / 2.0, 84, "Preset editor for the ZKM keyboard controller", 11, anchor = "middle",
                       fill_opacity = 0.85))
    # A keybed runs out of the blue band: the white keys are the page itself.
    key_w = w / 28.0
    items = []
    for index in range (1, 28):
        items.append (line (index * key_w, band_bottom, index * key_w, keys_bottom, stroke = BLUE,
                            stroke_opacity = 0.45, stroke_width = 1))
    for index in range (27):
        degree = index % 7
        if degree in (2, 6):
            continue
        cx = (index + 1) * key_w
        items.append (rect (cx - key_w * 0.3, band_bottom - 1, key_w * 0.6, 15, rx = 1.5, fill = NAVY))
    items.append (line (0, keys_bottom + 0.5, w, keys_bottom + 0.5, stroke = BLUE, stroke_opacity = 0.45,
                        stroke_width = 1))
    picture.add (*items)
    # The version line (y 133 to 148) and the notice (the bottom 50 pixels) are drawn over white.
    picture.add (text (w / 2.0, 172, "61 KEYS  \u00b7  16 KNOBS  \u00b7  16 PADS  \u00b7  48 SWITCHES", 10,
                       weight = "bold", anchor = "middle", fill = BLUE, spacing = 1),
                 text (w / 2.0, 192, "Edit, store and exchange the controller's presets", 11, anchor = "middle",
                       fill = BLUE, fill_opacity = 0.85),
                 line (w / 2.0 - 120, 209.5, w / 2.0 + 120, 209.5, stroke = BLUE, stroke_opacity = 0.35,
                       stroke_width = 1),
                 rect (0, h - 4, w, 4, fill = BLUE))


def make_device_setup():
    w, h = 360, 425
    picture = new_picture ("DeviceManager_Background", w, h, "MIDI device setup background")
    picture.define (vertical_gradient ("header", "#1689D3", BLUE))
    header = 30
    picture.add (rect (0, 0, w, h, fill = WHITE),
                 rect (0, 0, w, header, fill = "url(#header)"),
                 text (15, header / 2.0, "MIDI DEVICES", 12, weight = "bold", spacing = 1.5),
                 text (w - 15, header / 2.0, "ZKM Editor", 11, anchor = "end", fill_opacity = 0.85),
                 # Rules beside the "INPUT" and "OUTPUT" headings that the dialog writes in black.
                 line (74, 53.5, w - 18, 53.5, stroke = BLUE, stroke_opacity = 0.45, stroke_width = 1),
                 line (88, 221.5, w - 18, 221.5, stroke = BLUE, stroke_opacity = 0.45, stroke_width = 1),
                 # The buttons stand on a pale footer.
                 rect (0, 372, w, h - 372, fill = "#EEF5FB"),
                 line (0, 372.5, w, 372.5, stroke = BLUE, stroke_opacity = 0.3, stroke_width = 1),
                 rect (0, h - 3, w, 3, fill = BLUE))

    w, h = 327, 141
    picture = new_picture ("DeviceManager_ListField", w, h, "Panel behind a list of MIDI devices")
    picture.define (vertical_gradient ("field", "#0D67A3", BLUE_DEEP))
    picture.add (rect (0.5, 0.5, w - 1, h - 1, rx = 6, fill = "url(#field)", stroke = NAVY, stroke_width = 1),
                 rect (1.5, 1.5, w - 3, h - 3, rx = 5, fill = "none", stroke = WHITE, stroke_opacity = 0.15,
                       stroke_width = 1))


#==============================================================================

def png_size (file_name):
    with open (file_name, "rb") as f:
        head = f.read (24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        raise RuntimeError (file_name + " is not a PNG")
    return struct.unpack (">II", head[16:24])


#==============================================================================
# The PNG encoder of the renderer picks a row filter per row, often Paeth, which is the slowest
# one to undo. The editor decodes most pictures it draws while a window opens, so each PNG is
# stored again with the "Up" filter on every row (none on the first): quick to undo, and about as
# small.

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"

# A picture with no visible pixel (a region of the product picture before it is hovered) carries
# this empty private chunk before its image data, so that the editor knows it from the header and
# never decodes or draws it. Decoders skip the chunk.
BLANK_CHUNK = b"blNk"
BYTES_PER_PIXEL = { 2: 3, 6: 4 }   # 8-bit RGB and RGBA, the two kinds the renderer writes


def png_chunks (data):
    position = len (PNG_SIGNATURE)
    while position < len (data):
        length, kind = struct.unpack (">I4s", data[position:position + 8])
        yield kind, data[position + 8:position + 8 + length]
        position += 12 + length


def png_chunk (kind, body):
    return struct.pack (">I", len (body)) + kind + body + struct.pack (">I", zlib.crc32 (kind + body) & 0xFFFFFFFF)


def unfilter_rows (raw, width, height, bpp):
    stride = width * bpp
    rows, previous = [], bytearray (stride)
    for y in range (height):
        start = y * (stride + 1)
        kind, row = raw[start], bytearray (raw[start + 1:start + 1 + stride])
        for i in range (stride):
            left = row[i - bpp] if i >= bpp else 0
            up = previous[i]
            if kind == 1:
                row[i] = (row[i] + left) & 0xFF
            elif kind == 2:
                row[i] = (row[i] + up) & 0xFF
            elif kind == 3:
                row[i] = (row[i] + ((left + up) >> 1)) & 0xFF
            elif kind == 4:
                upper_left = previous[i - bpp] if i >= bpp else 0
                p = left + up - upper_left
                pa, pb, pc = abs (p - left), abs (p - up), abs (p - upper_left)
                predictor = left if pa <= pb and pa <= pc else (up if pb <= pc else upper_left)
                row[i] = (row[i] + predictor) & 0xFF
            elif kind != 0:
                raise RuntimeError ("unknown PNG row filter %d" % kind)
        rows.append (bytes (row))
        previous = row
    return rows


def store_with_up_filter (file_name):
    with open (file_name, "rb") as f:
        data = f.read()
    if not data.startswith (PNG_SIGNATURE):
        raise RuntimeError (file_name + " is not a PNG")
    chunks = list (png_chunks (data))
    header = chunks[0][1]
    width, height, depth, colour, _, _, interlace = struct.unpack (">IIBBBBB", header)
    if depth != 8 or colour not in BYTES_PER_PIXEL or interlace != 0:
        raise RuntimeError ("%s: only 8-bit RGB(A) without interlacing is expected" % file_name)
    raw = zlib.decompress (b"".join (body for kind, body in chunks if kind == b"IDAT"))
    rows = unfilter_rows (raw, width, height, BYTES_PER_PIXEL[colour])
    filtered = bytearray()
    previous = bytes (len (rows[0]))
    for y, row in enumerate (rows):
        filtered.append (0 if y == 0 else 2)
        filtered += row if y == 0 else bytes ((a - b) & 0xFF for a, b in zip (row, previous))
        previous = row
    image_data = zlib.compress (bytes (filtered), 9)
    out = bytearray (PNG_SIGNATURE)
    for kind, body in chunks:
        if kind == b"IDAT":
            if image_data is not None:
                if colour == 6 and all (row[3::4].count (0) == width for row in rows):
                    out += png_chunk (BLANK_CHUNK, b"")
                out += png_chunk (b"IDAT", image_data)
                image_data = None
        else:
            out += png_chunk (kind, body)
    with open (file_name, "wb") as f:
        f.write (out)


# The pixel densities every picture is rendered at, and the suffix of each one's file name.
SCALES = ((1, ""), (2, "_2x"))


def render (picture, scale, suffix):
    source = os.path.join (SOURCES, picture.name + ".svg")
    target = os.path.join (RESOURCES, picture.name + suffix + ".png")
    width, height = picture.width * scale, picture.height * scale
    subprocess.run (["rsvg-convert", "-w", str (width), "-h", str (height), "-o", target, source], check = True)
    store_with_up_filter (target)
    size = png_size (target)
    if size != (width, height):
        raise RuntimeError ("%s came out %dx%d" % (target, size[0], size[1]))
    return target


def main():
    os.makedirs (SOURCES, exist_ok = True)
    make_editor_background()
    make_tabs()
    make_preset_buttons()
    make_bank_arrows()
    make_divider()
    make_product_picture()
    make_regions()
    make_about()
    make_device_setup()
    totals = {}
    for picture in PICTURES:
        with open (os.path.join (SOURCES, picture.name + ".svg"), "w", encoding = "utf-8") as f:
            f.write (picture.source())
        for scale, suffix in SCALES:
            totals[scale] = totals.get (scale, 0) + os.path.getsize (render (picture, scale, suffix))
    print ("%d pictures; bytes of PNG: %s" % (len (PICTURES),
                                              ", ".join ("%d at %dx" % (totals[scale], scale) for scale, _ in SCALES)))
    return 0


if __name__ == "__main__":
    sys.exit (main())
