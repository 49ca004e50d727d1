#!/usr/bin/env python3
"""Draws the program's images: the icon (SVG and PNGs), the About window's picture and the tray
indicator's two states.

The drawings are SVG written here; rsvg-convert (Debian package librsvg2-bin) renders the PNGs.
The About picture is also drawn at twice its size, for screens at scale 2. The small icons leave out
what would only blur: the 32 pixel one has no tick marks and no side button, and the 16 pixel one is
drawn on its own pixel grid. The tray pictures are drawn on 16 and 22 pixel grids (the 22 pixel one
also with a pixel of margin, for trays of 24), each also at twice its size. Run from anywhere:
python3 assets/make-images.py
"""

import math
import os
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))

SLATE = "#24475a"
SLATE_DARK = "#17313f"
FACE = "#fbf8ef"
AMBER = "#f0892b"
AMBER_DARK = "#c9661a"
TICK = "#5d7684"
GO = "#23843b"
HALT = "#b8262b"


def point(cx, cy, radius, degrees):
    """A point on a circle; 0 degrees is twelve o'clock, angles run clockwise."""
    radians = math.radians(degrees)
    return cx + radius * math.sin(radians), cy - radius * math.cos(radians)


def wedge(cx, cy, radius, start, end, fill):
    x0, y0 = point(cx, cy, radius, start)
    x1, y1 = point(cx, cy, radius, end)
    large = 1 if end - start > 180 else 0
    return (f'<path d="M{cx:.2f},{cy:.2f} L{x0:.2f},{y0:.2f} '
            f'A{radius:.2f},{radius:.2f} 0 {large} 1 {x1:.2f},{y1:.2f} Z" fill="{fill}"/>')


def stopwatch(cx, cy, r, detail=True):
    """A stopwatch of body radius r centred at (cx, cy): a ring, a face, the elapsed time as an amber
    wedge from twelve o'clock, the hand at its edge, the crown on top and, in detail, a side button."""
    s = r / 100.0
    hand_angle = 130
    parts = []
    # Side button, drawn first so that the body covers its foot.
    if detail:
        bx, by = point(cx, cy, r + 6 * s, 45)
        parts.append(f'<rect x="{bx - 9 * s:.2f}" y="{by - 11 * s:.2f}" width="{18 * s:.2f}" '
                     f'height="{22 * s:.2f}" rx="{4 * s:.2f}" fill="{SLATE_DARK}" '
                     f'transform="rotate(45 {bx:.2f} {by:.2f})"/>')
    # Crown: a stem and a cap.
    parts.append(f'<rect x="{cx - 9 * s:.2f}" y="{cy - r - 16 * s:.2f}" width="{18 * s:.2f}" '
                 f'height="{20 * s:.2f}" fill="{SLATE_DARK}"/>')
    parts.append(f'<rect x="{cx - 24 * s:.2f}" y="{cy - r - 34 * s:.2f}" width="{48 * s:.2f}" '
                 f'height="{20 * s:.2f}" rx="{6 * s:.2f}" fill="{SLATE}"/>')
    # Body and face.
    parts.append(f'<circle cx="{cx}" cy="{cy}" r="{r:.2f}" fill="{SLATE}"/>')
    face = r - 17 * s
    parts.append(f'<circle cx="{cx}" cy="{cy}" r="{face:.2f}" fill="{FACE}"/>')
    parts.append(wedge(cx, cy, face - 4 * s, 0, hand_angle, AMBER))
    if detail:
        for hour in range(12):
            outer = face - 4 * s
            inner = outer - (14 if hour % 3 == 0 else 8) * s
            x0, y0 = point(cx, cy, outer, hour * 30)
            x1, y1 = point(cx, cy, inner, hour * 30)
            parts.append(f'<line x1="{x0:.2f}" y1="{y0:.2f}" x2="{x1:.2f}" y2="{y1:.2f}" '
                         f'stroke="{TICK}" stroke-width="{5 * s:.2f}" stroke-linecap="round"/>')
    hx, hy = point(cx, cy, face - 12 * s, hand_angle)
    parts.append(f'<line x1="{cx}" y1="{cy}" x2="{hx:.2f}" y2="{hy:.2f}" stroke="{SLATE_DARK}" '
                 f'stroke-width="{9 * s:.2f}" stroke-linecap="round"/>')
    parts.append(f'<circle cx="{cx}" cy="{cy}" r="{11 * s:.2f}" fill="{SLATE_DARK}"/>')
    return "\n".join(parts)


def icon_svg(detail=True):
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">\n'
            + stopwatch(128, 146, 104, detail) + "\n</svg>\n")


def small_icon_svg():
    """The stopwatch reduced to what a 16 pixel grid can hold: crown, ring, face, wedge, hand."""
    return f'''<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16" viewBox="0 0 16 16">
<rect x="5" y="0" width="6" height="2" fill="{SLATE}"/>
<rect x="7" y="2" width="2" height="1" fill="{SLATE_DARK}"/>
<circle cx="8" cy="9.5" r="6.5" fill="{SLATE}"/>
<circle cx="8" cy="9.5" r="4.9" fill="{FACE}"/>
{wedge(8, 9.5, 4.3, 0, 130, AMBER)}
<line x1="8" y1="9.5" x2="{point(8, 9.5, 3.6, 130)[0]:.2f}" y2="{point(8, 9.5, 3.6, 130)[1]:.2f}"
      stroke="{SLATE_DARK}" stroke-width="1.4" stroke-linecap="round"/>
<circle cx="8" cy="9.5" r="1.1" fill="{SLATE_DARK}"/>
</svg>
'''


def tray_svg(grid, running, margin=0):
    """The tray indicator on a 16 or 22 pixel grid: a plain stopwatch and, in a notch cut out of its
    lower right, a badge that says the state by shape as well as by colour: a white square on red while
    stopped, a white triangle on green while running. Running, the face also shows the amber wedge and
    the hand moves off twelve o'clock."""
    if grid == 16:
        cx, cy, r, ring, gap, mark = 6.5, 8.5, 6.5, 1.6, 1.0, 2.0
        crown, stem = (4.5, 0, 4, 2), (5.5, 1.5, 2, 1.5)
        bx, by, br = 12, 12, 4
    else:
        cx, cy, r, ring, gap, mark = 9, 11.5, 9, 2.2, 1.2, 2.5
        crown, stem = (6.5, 0, 5, 2.5), (8, 2, 2, 1.6)
        bx, by, br = 16.5, 16.5, 5.5
    face = r - ring
    hand_angle = 130 if running else 0
    size = grid + 2 * margin
    parts = [
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" '
        f'viewBox="{-margin} {-margin} {size} {size}">',
        f'<defs><mask id="notch"><rect x="{-margin}" y="{-margin}" width="{size}" height="{size}" '
        f'fill="#fff"/><circle cx="{bx}" cy="{by}" r="{br + gap}" fill="#000"/></mask></defs>',
        '<g mask="url(#notch)">',
        f'<rect x="{crown[0]}" y="{crown[1]}" width="{crown[2]}" height="{crown[3]}" fill="{SLATE}"/>',
        f'<rect x="{stem[0]}" y="{stem[1]}" width="{stem[2]}" height="{stem[3]}" fill="{SLATE_DARK}"/>',
        f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{SLATE}"/>',
        f'<circle cx="{cx}" cy="{cy}" r="{face:.2f}" fill="{FACE}"/>',
    ]
    if running:
        parts.append(wedge(cx, cy, face - 0.6, 0, hand_angle, AMBER))
    hx, hy = point(cx, cy, face - 0.8, hand_angle)
    parts.append(f'<line x1="{cx}" y1="{cy}" x2="{hx:.2f}" y2="{hy:.2f}" stroke="{SLATE_DARK}" '
                 f'stroke-width="{grid / 11:.2f}" stroke-linecap="round"/>')
    parts.append(f'<circle cx="{cx}" cy="{cy}" r="{grid / 14:.2f}" fill="{SLATE_DARK}"/>')
    parts.append('</g>')
    parts.append(f'<circle cx="{bx}" cy="{by}" r="{br}" fill="{GO if running else HALT}"/>')
    if running:
        parts.append(f'<path d="M{bx - 0.75 * mark},{by - 1.25 * mark} L{bx + 1.25 * mark},{by} '
                     f'L{bx - 0.75 * mark},{by + 1.25 * mark} Z" fill="#ffffff"/>')
    else:
        parts.append(f'<rect x="{bx - mark}" y="{by - mark}" width="{2 * mark}" height="{2 * mark}" '
                     f'fill="#ffffff"/>')
    parts.append("</svg>\n")
    return "\n".join(parts)


def tally_group(x, y, height, count, slash, colour):
    """Tally strokes: count upright strokes 7 pixels apart, and across them a slash when it is full."""
    parts = []
    for i in range(count):
        sx = x + i * 7
        parts.append(f'<line x1="{sx + 0.6:.1f}" y1="{y}" x2="{sx - 0.6:.1f}" y2="{y + height}" '
                     f'stroke="{colour}" stroke-width="3" stroke-linecap="round"/>')
    if slash:
        parts.append(f'<line x1="{x - 4}" y1="{y + height - 4}" x2="{x + 3 * 7 + 4}" y2="{y + 4}" '
                     f'stroke="{AMBER_DARK}" stroke-width="3.2" stroke-linecap="round"/>')
    return "\n".join(parts)


def about_svg():
    """192 x 106: the stopwatch beside tally marks that count the hours over a row of project bars."""
    bars = [(58, "#3f7f9c"), (34, "#6aa56e"), (46, AMBER), (20, "#9c6fb0")]
    parts = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="192" height="106" viewBox="0 0 192 106">',
        '<defs><linearGradient id="sky" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#eef4f7"/><stop offset="1" stop-color="#cfdee6"/>'
        '</linearGradient></defs>',
        '<rect x="0" y="0" width="192" height="106" rx="6" fill="url(#sky)"/>',
        '<rect x="0.5" y="0.5" width="191" height="105" rx="6" fill="none" stroke="#9fb6c2"/>',
        stopwatch(50, 58, 36),
        tally_group(104, 18, 24, 4, True, SLATE),
        tally_group(140, 18, 24, 3, False, SLATE),
    ]
    for row, (length, colour) in enumerate(bars):
        y = 54 + row * 11
        parts.append(f'<rect x="100" y="{y}" width="80" height="7" rx="3.5" fill="#ffffff" opacity="0.7"/>')
        parts.append(f'<rect x="100" y="{y}" width="{length}" height="7" rx="3.5" fill="{colour}"/>')
    parts.append("</svg>\n")
    return "\n".join(parts)


def render(svg_file, png_file, width, height):
    subprocess.run(["rsvg-convert", "--width", str(width), "--height", str(height),
                    "--output", png_file, svg_file], check=True)


def main():
    icon = os.path.join(HERE, "tallywick.svg")
    with open(icon, "w", encoding="utf-8") as out:
        out.write(icon_svg())
    with tempfile.TemporaryDirectory() as work:
        small = os.path.join(work, "small.svg")
        with open(small, "w", encoding="utf-8") as out:
            out.write(small_icon_svg())
        about = os.path.join(work, "about.svg")
        with open(about, "w", encoding="utf-8") as out:
            out.write(about_svg())
        plain = os.path.join(work, "plain.svg")
        with open(plain, "w", encoding="utf-8") as out:
            out.write(icon_svg(detail=False))
        render(small, os.path.join(HERE, "tallywick-16.png"), 16, 16)
        render(plain, os.path.join(HERE, "tallywick-32.png"), 32, 32)
        for size in (48, 64, 128, 256):
            render(icon, os.path.join(HERE, f"tallywick-{size}.png"), size, size)
        render(about, os.path.join(HERE, "about.png"), 192, 106)
        # Twice the size for screens at scale 2, where Qt picks the @2x file by its name.
        render(about, os.path.join(HERE, "about@2x.png"), 384, 212)
        for state in ("stopped", "running"):
            for grid, margin in ((16, 0), (22, 0), (22, 1)):
                drawing = os.path.join(work, f"tray-{state}-{grid}-{margin}.svg")
                with open(drawing, "w", encoding="utf-8") as out:
                    out.write(tray_svg(grid, state == "running", margin))
                size = grid + 2 * margin
                # The tray picks a picture by its size in device pixels: 32, 44 and 48 at scale 2.
                for scale in (1, 2):
                    render(drawing, os.path.join(HERE, f"tray-{state}-{size * scale}.png"),
                           size * scale, size * scale)


if __name__ == "__main__":
    main()
