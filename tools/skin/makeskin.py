#!/usr/bin/env python3
"""Writes the player's skin as SVG files into resources/skin/.

One dark skin: light grey glyphs that turn white over a soft halo when hovered and green on a sunken
halo when pressed. Run it again after changing a glyph; the SVG files it writes are committed.
"""
import os
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "skin")

GREEN = "#64b628"
GREEN_DARK = "#3f7d16"
GLYPH = "#b9bec5"
GLYPH_OVER = "#ffffff"

# 24 x 24 glyphs, drawn in a 24-unit box; each is SVG markup using the colour placeholder {c}.
GLYPHS = {
    # stop
    "PLBTN2": '<rect x="7" y="7" width="10" height="10" rx="1.2" fill="{c}"/>',
    # open: an eject mark
    "PLBTN3": '<path d="M12 5.5 L18.5 13 H5.5 Z" fill="{c}"/><rect x="5.5" y="15" width="13" height="2.6" rx="0.8" fill="{c}"/>',
    # next
    "PLBTN4": '<path d="M6.5 6.5 L15 12 L6.5 17.5 Z" fill="{c}"/><rect x="15.5" y="6.5" width="2.4" height="11" rx="0.6" fill="{c}"/>',
    # previous
    "PLBTN5": '<path d="M17.5 6.5 L9 12 L17.5 17.5 Z" fill="{c}"/><rect x="6.1" y="6.5" width="2.4" height="11" rx="0.6" fill="{c}"/>',
    # fast forward
    "PLBTN6": '<path d="M4.5 7 L12 12 L4.5 17 Z M12 7 L19.5 12 L12 17 Z" fill="{c}"/>',
    # rewind
    "PLBTN7": '<path d="M19.5 7 L12 12 L19.5 17 Z M12 7 L4.5 12 L12 17 Z" fill="{c}"/>',
    # playlist: lines with a small play mark
    "PLBTN8": '<g fill="{c}"><rect x="5" y="6.5" width="10" height="2" rx="0.8"/><rect x="5" y="11" width="10" height="2" rx="0.8"/>'
              '<rect x="5" y="15.5" width="6.5" height="2" rx="0.8"/><path d="M14 14.2 L19.5 16.5 L14 18.8 Z"/></g>',
    # options: a gear
    "PLBTN9": '<g fill="{c}"><path fill-rule="evenodd" d="M10.6 4.5 h2.8 l0.45 2.1 a5.6 5.6 0 0 1 1.55 0.9 l2.05-0.7 1.4 2.4 -1.6 1.45 '
              'a5.6 5.6 0 0 1 0 1.8 l1.6 1.45 -1.4 2.4 -2.05-0.7 a5.6 5.6 0 0 1 -1.55 0.9 l-0.45 2.1 h-2.8 l-0.45-2.1 '
              'a5.6 5.6 0 0 1 -1.55-0.9 l-2.05 0.7 -1.4-2.4 1.6-1.45 a5.6 5.6 0 0 1 0-1.8 l-1.6-1.45 1.4-2.4 2.05 0.7 '
              'a5.6 5.6 0 0 1 1.55-0.9 Z M12 9.6 a2.4 2.4 0 1 0 0.001 0 Z"/></g>',
    # about: i in a ring
    "PLBTN10": '<circle cx="12" cy="12" r="7.2" fill="none" stroke="{c}" stroke-width="1.6"/>'
               '<circle cx="12" cy="8.6" r="1.15" fill="{c}"/><rect x="11" y="10.6" width="2" height="5.4" rx="0.7" fill="{c}"/>',
    # full screen: four corners
    "PLBTN11": '<g fill="none" stroke="{c}" stroke-width="1.9" stroke-linecap="round" stroke-linejoin="round">'
               '<path d="M5.5 9.5 V5.5 H9.5"/><path d="M14.5 5.5 H18.5 V9.5"/><path d="M18.5 14.5 V18.5 H14.5"/><path d="M9.5 18.5 H5.5 V14.5"/></g>',
    # single loop: a loop with a 1
    "PLBTN12": '<g fill="none" stroke="{c}" stroke-width="1.7" stroke-linecap="round" stroke-linejoin="round">'
               '<path d="M6 13.5 V11 a3 3 0 0 1 3-3 H16.5"/><path d="M18 10.5 V13 a3 3 0 0 1 -3 3 H7.5"/></g>'
               '<path d="M15.5 5.6 L18.6 8 L15.5 10.4 Z M8.5 13.6 L5.4 16 L8.5 18.4 Z" fill="{c}"/>'
               '<path d="M11.2 10.6 L12.6 9.9 V14.2" fill="none" stroke="{c}" stroke-width="1.3" stroke-linecap="round" stroke-linejoin="round"/>',
    # add files
    "LISTBTN0": '<rect x="11" y="5.5" width="2" height="13" rx="0.8" fill="{c}"/><rect x="5.5" y="11" width="13" height="2" rx="0.8" fill="{c}"/>',
    # remove selected
    "LISTBTN1": '<rect x="5.5" y="11" width="13" height="2" rx="0.8" fill="{c}"/>',
    # clear the list: a bin
    "LISTBTN2": '<g fill="{c}"><rect x="6" y="6.6" width="12" height="1.8" rx="0.7"/><rect x="10" y="5" width="4" height="1.8" rx="0.7"/>'
                '<path d="M7.4 9.4 H16.6 L15.8 18.4 a1 1 0 0 1 -1 0.9 H9.2 a1 1 0 0 1 -1-0.9 Z"/></g>'
                '<g stroke="#1e1e1e" stroke-width="1.1" stroke-linecap="round"><path d="M10.3 11.3 V17"/><path d="M13.7 11.3 V17"/></g>',
    # list file menu: a page with a drop-down mark
    "LISTBTN3": '<path d="M6 4.8 H12.8 L16 8 V16 a0.9 0.9 0 0 1 -0.9 0.9 H6.9 a0.9 0.9 0 0 1 -0.9-0.9 Z" fill="none" stroke="{c}" stroke-width="1.5" stroke-linejoin="round"/>'
                '<path d="M12.6 5 V8.2 H15.8" fill="none" stroke="{c}" stroke-width="1.2"/>'
                '<path d="M14.2 16.2 L19.6 16.2 L16.9 19.4 Z" fill="{c}"/>',
    # sound on: a speaker with two waves
    "SOUNDBTN0": '<path d="M4.5 9.5 H8 L12.5 5.8 V18.2 L8 14.5 H4.5 Z" fill="{c}" stroke="{c}" stroke-width="0.8" stroke-linejoin="round"/>'
                 '<g fill="none" stroke="{c}" stroke-width="1.6" stroke-linecap="round">'
                 '<path d="M15 9.4 a3.6 3.6 0 0 1 0 5.2"/><path d="M17.4 7 a7 7 0 0 1 0 10"/></g>',
    # muted: the speaker with a cross
    "SOUNDBTN1": '<path d="M4.5 9.5 H8 L12.5 5.8 V18.2 L8 14.5 H4.5 Z" fill="{c}" stroke="{c}" stroke-width="0.8" stroke-linejoin="round"/>'
                 '<path d="M15 9.5 L20 14.5 M20 9.5 L15 14.5" stroke="{c}" stroke-width="1.7" stroke-linecap="round"/>',
    # find in the list: a magnifier
    "FINDBTN0": '<circle cx="10.5" cy="10.5" r="4.6" fill="none" stroke="{c}" stroke-width="1.8"/>'
                '<path d="M14 14 L18.5 18.5" stroke="{c}" stroke-width="2.2" stroke-linecap="round"/>',
    # minimise
    "WINBTN0": '<rect x="6.5" y="14.5" width="11" height="1.8" rx="0.7" fill="{c}"/>',
    # maximise / restore
    "WINBTN1": '<rect x="6.9" y="6.9" width="10.2" height="10.2" rx="1.2" fill="none" stroke="{c}" stroke-width="1.7"/>'
               '<rect x="6.9" y="6.9" width="10.2" height="2.4" fill="{c}"/>',
    # close
    "WINBTN2": '<path d="M7.5 7.5 L16.5 16.5 M16.5 7.5 L7.5 16.5" stroke="{c}" stroke-width="1.9" stroke-linecap="round"/>',
}

BIG_GLYPHS = {
    "PLBTN0": '<path d="M16.5 12.6 L28.2 20 L16.5 27.4 Z" fill="{c}" stroke="{c}" stroke-width="1.2" stroke-linejoin="round"/>',
    "PLBTN1": '<rect x="14.2" y="12.8" width="4" height="14.4" rx="1" fill="{c}"/><rect x="21.8" y="12.8" width="4" height="14.4" rx="1" fill="{c}"/>',
}


def svg(width, height, body, defs=""):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" viewBox="0 0 {width} {height}">'
            f'{"<defs>" + defs + "</defs>" if defs else ""}{body}</svg>\n')


def small(name, state):
    glyph = GLYPHS[name]
    if state == "NORMAL":
        return svg(24, 24, glyph.format(c=GLYPH))
    if name == "WINBTN2":
        halo = '<circle cx="12" cy="12" r="11" fill="#d8453b"/>'
        colour = "#ffffff" if state == "OVER" else "#ffd9d6"
        if state == "DOWN":
            halo = '<circle cx="12" cy="12" r="11" fill="#a8322a"/>'
        return svg(24, 24, halo + glyph.format(c=colour))
    if state == "OVER":
        halo = '<circle cx="12" cy="12" r="11" fill="#ffffff" fill-opacity="0.13"/>'
        return svg(24, 24, halo + glyph.format(c=GLYPH_OVER))
    halo = ('<circle cx="12" cy="12" r="11" fill="#000000" fill-opacity="0.45"/>'
            '<circle cx="12" cy="12" r="10.5" fill="none" stroke="#64b628" stroke-opacity="0.55" stroke-width="1"/>')
    return svg(24, 24, halo + '<g transform="translate(0.4 0.6)">' + glyph.format(c=GREEN) + "</g>")


def big(name, state):
    glyph = BIG_GLYPHS[name]
    defs = ('<linearGradient id="face" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#3a3e44"/>'
            '<stop offset="1" stop-color="#1b1d20"/></linearGradient>'
            '<linearGradient id="lit" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#7dd23a"/>'
            '<stop offset="1" stop-color="#3f7d16"/></linearGradient>'
            '<linearGradient id="pressed" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#2f6210"/>'
            '<stop offset="1" stop-color="#4f9a1e"/></linearGradient>')
    if state == "NORMAL":
        body = ('<circle cx="20" cy="20" r="18.4" fill="url(#face)" stroke="#5d636b" stroke-width="1.4"/>'
                + glyph.format(c="#dfe3e8"))
    elif state == "OVER":
        body = ('<circle cx="20" cy="20" r="19.2" fill="#64b628" fill-opacity="0.25"/>'
                '<circle cx="20" cy="20" r="18" fill="url(#lit)" stroke="#9be35c" stroke-width="1.2"/>'
                + glyph.format(c="#ffffff"))
    else:
        body = ('<circle cx="20" cy="20" r="18.4" fill="url(#pressed)" stroke="#2a4f10" stroke-width="1.4"/>'
                '<g transform="translate(0.5 0.7)">' + glyph.format(c="#e8f6dc") + "</g>")
    return svg(40, 40, body, defs)


def big_open(state):
    folder = ('<path d="M0 1.5 a1.5 1.5 0 0 1 1.5-1.5 H6 L7.8 1.9 H14.5 a1.5 1.5 0 0 1 1.5 1.5 V11 a1.5 1.5 0 0 1 -1.5 1.5 '
              'H1.5 A1.5 1.5 0 0 1 0 11 Z" fill="{c}"/>')
    text = ('<text x="85" y="20.6" text-anchor="middle" font-family="Noto Sans CJK SC, WenQuanYi Micro Hei, sans-serif" '
            'font-size="13.5" font-weight="bold" fill="{c}">打开文件</text>')
    if state == "NORMAL":
        frame = '<rect x="1" y="1" width="148" height="29" rx="14.5" fill="#141414" stroke="#64b628" stroke-width="1.4"/>'
        colour = "#d6dade"
    elif state == "OVER":
        frame = ('<rect x="1" y="1" width="148" height="29" rx="14.5" fill="#64b628" fill-opacity="0.28" '
                 'stroke="#8fdc4f" stroke-width="1.4"/>')
        colour = "#ffffff"
    else:
        frame = '<rect x="1" y="1" width="148" height="29" rx="14.5" fill="#4f9a1e" stroke="#3a7312" stroke-width="1.4"/>'
        colour = "#0f1a08"
    body = frame + '<g transform="translate(32 9.3)">' + folder.format(c=colour) + "</g>" + text.format(c=colour)
    return svg(150, 31, body)


# The emblem: a green disc with a play mark swept by a comet trail, on a rounded dark tile.
EMBLEM_DEFS = ('<linearGradient id="tile" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#34383e"/>'
               '<stop offset="1" stop-color="#141517"/></linearGradient>'
               '<radialGradient id="disc" cx="0.38" cy="0.32" r="0.8"><stop offset="0" stop-color="#9be35c"/>'
               '<stop offset="0.6" stop-color="#64b628"/><stop offset="1" stop-color="#2f6210"/></radialGradient>')
EMBLEM = ('<rect x="8" y="8" width="240" height="240" rx="52" fill="url(#tile)" stroke="#4a4f56" stroke-width="4"/>'
          '<path d="M58 178 A84 84 0 0 1 190 66" fill="none" stroke="#64b628" stroke-opacity="0.35" stroke-width="10" stroke-linecap="round"/>'
          '<circle cx="128" cy="132" r="68" fill="url(#disc)"/>'
          '<path d="M108 96 L168 132 L108 168 Z" fill="#ffffff" stroke="#ffffff" stroke-width="8" stroke-linejoin="round"/>'
          '<circle cx="190" cy="66" r="12" fill="#c8f59a"/>')


def icon():
    return svg(256, 256, EMBLEM, EMBLEM_DEFS)


def logo():
    body = ('<g transform="translate(10 14) scale(0.35156)">' + EMBLEM + "</g>"
            '<text x="55" y="130" text-anchor="middle" font-family="DejaVu Sans, sans-serif" font-size="12.5" '
            'font-weight="bold" fill="#e6e9ec" letter-spacing="0.2">Quenbarrowick</text>'
            '<rect x="20" y="140" width="70" height="1.4" rx="0.7" fill="#64b628"/>'
            '<text x="55" y="158" text-anchor="middle" font-family="Noto Sans CJK SC, sans-serif" font-size="10" '
            'fill="#8c9299">Flash 播放器</text>')
    return svg(110, 168, body, EMBLEM_DEFS)


def main():
    os.makedirs(OUT, exist_ok=True)
    files = {}
    for name in list(BIG_GLYPHS) + list(GLYPHS):
        for state in ("NORMAL", "OVER", "DOWN"):
            maker = big if name in BIG_GLYPHS else small
            files[f"{name}_{state}.svg"] = maker(name, state)
    for state in ("NORMAL", "OVER", "DOWN"):
        files[f"BIGOPENBTN_{state}.svg"] = big_open(state)
    files["icon.svg"] = icon()
    files["logo.svg"] = logo()
    for name, text in files.items():
        with open(os.path.join(OUT, name), "w", encoding="utf-8") as f:
            f.write(text)
    print(f"{len(files)} files written to {os.path.normpath(OUT)}", file=sys.stderr)


if __name__ == "__main__":
    main()
