#!/usr/bin/env python3
# Writes Tunedex's pictures as SVG files into src/ui/art: the type-picture strip, the pointer,
# the language flags, the globe, the unknown-language picture, the logo, the program's icon and
# the toolbar glyphs.
# Run it again after changing a picture here; the SVG files are committed.
import os

ART = os.path.join(os.path.dirname(__file__), "..", "src", "ui", "art")


def svg(body, w=16, h=16):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">{body}</svg>\n')


def label(text, size=9, colour="#fff", x=8, y=11.5):
    return (f'<text x="{x}" y="{y}" font-family="DejaVu Sans, sans-serif" font-weight="bold" '
            f'font-size="{size}" fill="{colour}" text-anchor="middle">{text}</text>')


# One song type: colour and short label.
TYPES = {
    "kar": ("#2f62c9", "K"),
    "st3": ("#23924a", "S"),
    "midi-lyrics": ("#c79a00", "M"),
    "midi": ("#7d7d2a", "m"),
    "mp3": ("#dc7300", "3"),
    "wma": ("#c22f2f", "W"),
    "kfn": ("#a23aa8", "F"),
    "mpeg": ("#15807f", "V"),
}


def song_picture(colour, text, variant):
    fill = "#9a9a9a" if variant == "missing" else colour
    body = (f'<path d="M2.5 1.5h8l3 3v10h-11z" fill="{fill}" stroke="#222" stroke-width="1"/>'
            f'<path d="M10.5 1.5v3h3" fill="#fff" fill-opacity="0.5" stroke="#222"/>')
    body += label(text, 8, x=8, y=12.5)
    if variant == "catalogue":
        body += ('<circle cx="12" cy="12" r="3.6" fill="#fff" stroke="#1d7d1d"/>'
                 '<path d="M10.2 12.1l1.3 1.3 2.4-2.6" fill="none" stroke="#1d7d1d" '
                 'stroke-width="1.4"/>')
    if variant == "missing":
        body += '<path d="M3 3l10 10M13 3L3 13" stroke="#d11" stroke-width="2"/>'
    return svg(body)


# Slot order of the strip: exists and in-catalogue pairs, the missing ones, unknown, then KFN
# and MPEG with their three variants.
STRIP = [("kar", "exists"), ("kar", "catalogue"), ("st3", "exists"), ("st3", "catalogue"),
         ("midi-lyrics", "exists"), ("midi-lyrics", "catalogue"), ("midi", "exists"),
         ("midi", "catalogue"), ("mp3", "exists"), ("mp3", "catalogue"), ("wma", "exists"),
         ("wma", "catalogue"), ("kar", "missing"), ("st3", "missing"),
         ("midi-lyrics", "missing"), ("midi", "missing"), ("mp3", "missing"),
         ("wma", "missing"), (None, None), ("kfn", "exists"), ("kfn", "catalogue"),
         ("kfn", "missing"), ("mpeg", "exists"), ("mpeg", "catalogue"), ("mpeg", "missing")]


def flag(stripes_or_body):
    frame = '<rect x="0.5" y="2.5" width="15" height="11" fill="none" stroke="#333"/>'
    return svg(f'<g>{stripes_or_body}</g>{frame}')


FLAGS = {
    "eng": flag('<rect x="0" y="2" width="16" height="12" fill="#fff"/>'
                '<rect x="6.5" y="2" width="3" height="12" fill="#c8102e"/>'
                '<rect x="0" y="6.5" width="16" height="3" fill="#c8102e"/>'),
    "sve": flag('<rect x="0" y="2" width="16" height="12" fill="#006aa7"/>'
                '<rect x="4.5" y="2" width="2.5" height="12" fill="#fecc00"/>'
                '<rect x="0" y="6.7" width="16" height="2.5" fill="#fecc00"/>'),
    "fra": flag('<rect x="0" y="2" width="5.4" height="12" fill="#0055a4"/>'
                '<rect x="5.3" y="2" width="5.4" height="12" fill="#fff"/>'
                '<rect x="10.6" y="2" width="5.4" height="12" fill="#ef4135"/>'),
    "esp": flag('<rect x="0" y="2" width="16" height="12" fill="#aa151b"/>'
                '<rect x="0" y="5" width="16" height="6" fill="#f1bf00"/>'),
    "por": flag('<rect x="0" y="2" width="16" height="12" fill="#da291c"/>'
                '<rect x="0" y="2" width="6.4" height="12" fill="#046a38"/>'
                '<circle cx="6.4" cy="8" r="2.2" fill="#ffe900" stroke="#333" stroke-width="0.5"/>'),
    "deu": flag('<rect x="0" y="2" width="16" height="4" fill="#000"/>'
                '<rect x="0" y="6" width="16" height="4" fill="#dd0000"/>'
                '<rect x="0" y="10" width="16" height="4" fill="#ffce00"/>'),
    "user": flag('<rect x="0" y="2" width="16" height="12" fill="#e9e4d4"/>'
                 '<path d="M3 11l4-6 3 4 2-2 2 4z" fill="#7a8f5a"/>'
                 '<circle cx="11.5" cy="5.5" r="1.4" fill="#d9a400"/>'),
}

OTHERS = {
    "pointer": svg('<path d="M4 1l7 7-7 7z" fill="#111"/>'),
    "globe": svg('<circle cx="8" cy="8" r="6.5" fill="#3f8fd8" stroke="#1c4f80"/>'
                 '<path d="M4 5c2 0 2 2 4 2s1 3-1 4-3 1-3-1-1-2 0-5zM10 3c2 1 3 3 3 5-1 0-2-1-3-1s-1-2 0-4z" '
                 'fill="#4caf50"/><path d="M1.5 8h13M8 1.5c-3 3-3 10 0 13M8 1.5c3 3 3 10 0 13" '
                 'fill="none" stroke="#cfe6ff" stroke-width="0.6"/>'),
    "unknown-language": svg('<circle cx="8" cy="8" r="6.5" fill="#fff" stroke="#777"/>'
                            + label("?", 10, "#555", y=11.8)),
    # The microphone keeps to the left quarter; the two lines of text are centred in the rest,
    # sized so that "Tunedex" (about 4.9 em wide in bold) keeps clear of both.
    "logo": svg('<rect x="1" y="1" width="94" height="46" rx="6" fill="#1f3f73"/>'
                '<circle cx="15" cy="16" r="6.5" fill="#d0d6e0" stroke="#fff"/>'
                '<path d="M11.5 16h7M11.5 13.5h7M11.5 18.5h7" stroke="#8a95a8"/>'
                '<path d="M15 24.5v11M10 35.5h10M7 15c0 6 3.5 9.5 8 9.5s8-3.5 8-9.5" fill="none" '
                'stroke="#fff" stroke-width="1.5"/>'
                + label("Tunedex", 12.5, "#ffd34d", x=59, y=23)
                + label("song catalogue", 6.6, "#cfe0ff", x=59, y=35), 96, 48),
    # The program's icon: the logo's microphone on its badge, square.
    "icon": svg('<rect x="2" y="2" width="60" height="60" rx="12" fill="#1f3f73"/>'
                '<circle cx="32" cy="23" r="11" fill="#d0d6e0" stroke="#fff" stroke-width="2"/>'
                '<path d="M25 23h14M25.5 18.5h13M25.5 27.5h13" stroke="#8a95a8" '
                'stroke-width="1.6"/>'
                '<path d="M18 22c0 11 6 17.5 14 17.5s14-6.5 14-17.5M32 39.5v10" fill="none" '
                'stroke="#fff" stroke-width="3"/>'
                '<path d="M21 51h22" stroke="#ffd34d" stroke-width="3.4" stroke-linecap="round"/>',
                64, 64),
}

GLYPHS = {
    "all-songs": svg('<path d="M6 3v8.5a2 2 0 1 1-1.5-1.9V2l8-1.5v9a2 2 0 1 1-1.5-1.9V3z" '
                     'fill="#2f62c9"/>'),
    "filter": svg('<path d="M1.5 2h13l-5 6v6l-3-2V8z" fill="#f0c419" stroke="#7a5b00"/>'),
    "scan": svg('<rect x="1" y="9" width="11" height="5" rx="1" fill="#999" stroke="#444"/>'
                '<circle cx="10" cy="6" r="4" fill="#e6f2ff" stroke="#1c4f80" stroke-width="1.5"/>'
                '<path d="M13 9l2.5 2.5" stroke="#1c4f80" stroke-width="2"/>'),
    "explorer": svg('<path d="M1 4h5l1.5 1.5H15v8.5H1z" fill="#f0c419" stroke="#7a5b00"/>'
                    '<path d="M9 7v4.5a1.3 1.3 0 1 1-1-1.3V7h3" fill="none" stroke="#2f62c9" '
                    'stroke-width="1.2"/>'),
    "add": svg('<circle cx="8" cy="8" r="7" fill="#23924a"/>'
               '<path d="M8 4v8M4 8h8" stroke="#fff" stroke-width="2.2"/>'),
    "edit": svg('<path d="M2 14l1-4 8-8 3 3-8 8z" fill="#f0c419" stroke="#5a4300"/>'
                '<path d="M2 14l1-4 3 3z" fill="#333"/>'),
    "delete": svg('<circle cx="8" cy="8" r="7" fill="#c22f2f"/>'
                  '<path d="M5 5l6 6M11 5l-6 6" stroke="#fff" stroke-width="2.2"/>'),
    "play": svg('<circle cx="8" cy="8" r="7" fill="#1d7d1d"/><path d="M6 4.5l5.5 3.5L6 11.5z" '
                'fill="#fff"/>'),
    "playlist": svg('<path d="M2 3h8M2 6.5h8M2 10h5" stroke="#333" stroke-width="1.6"/>'
                    '<path d="M9.5 9l5 3-5 3z" fill="#1d7d1d"/>'),
    "exit": svg('<rect x="2" y="1.5" width="8" height="13" fill="#b5835a" stroke="#4a3018"/>'
                '<path d="M8 8h7M12.5 5.5L15 8l-2.5 2.5" fill="none" stroke="#c22f2f" '
                'stroke-width="1.8"/>'),
    "first": svg('<path d="M3 3h2v10H3zM13 3v10L6 8z" fill="#1f3f73"/>'),
    "previous": svg('<path d="M11 3v10L4 8z" fill="#1f3f73"/>'),
    "next": svg('<path d="M5 3v10l7-5z" fill="#1f3f73"/>'),
    "last": svg('<path d="M11 3h2v10h-2zM3 3v10l7-5z" fill="#1f3f73"/>'),
    "find-next": svg('<circle cx="6" cy="6" r="4" fill="#e6f2ff" stroke="#1c4f80" stroke-width="1.5"/>'
                     '<path d="M9 9l2.5 2.5" stroke="#1c4f80" stroke-width="2"/>'
                     '<path d="M10 12h5M13 10l2 2-2 2" fill="none" stroke="#1d7d1d" stroke-width="1.3"/>'),
    "info": svg('<circle cx="8" cy="8" r="7" fill="#2f62c9"/>' + label("i", 10, y=12)),
}


def write(name, text):
    with open(os.path.join(ART, name + ".svg"), "w") as out:
        out.write(text)


def main():
    os.makedirs(ART, exist_ok=True)
    names = []
    for slot, (kind, variant) in enumerate(STRIP):
        if kind is None:
            text = svg('<path d="M2.5 1.5h8l3 3v10h-11z" fill="#d8d8d8" stroke="#555"/>'
                       + label("?", 9, "#555", y=12.5))
        else:
            colour, letters = TYPES[kind]
            text = song_picture(colour, letters, variant)
        write(f"type-{slot:02d}", text)
        names.append(f"type-{slot:02d}")
    for group in (FLAGS, OTHERS, GLYPHS):
        for name, text in group.items():
            prefix = "flag-" if group is FLAGS else ""
            write(prefix + name, text)
            names.append(prefix + name)
    with open(os.path.join(ART, "art.qrc"), "w") as qrc:
        qrc.write('<!DOCTYPE RCC>\n<RCC version="1.0">\n<qresource prefix="/art">\n')
        for name in names:
            qrc.write(f"  <file>{name}.svg</file>\n")
        qrc.write("</qresource>\n</RCC>\n")


if __name__ == "__main__":
    main()
