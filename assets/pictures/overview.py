#!/usr/bin/env python3
"""Generates overview.svg and overview.parts.tsv: the whole turbine set as a
longitudinal section, with red leader lines and dots (no text labels) for
every part the trainer asks about.

Left to right: front bearing pedestal (speed control unit, main oil pump,
automatic safety device, front journal bearing), HP cylinder (steam flows
right to left: control valves with their actuator and steam supply pipe on
top, control stage, pressure stages, end seals, extraction pipe and outlet
pipe to the reheater below), middle pedestal with the thrust bearing, IP
cylinder (steam flows left to right: reheat steam supply pipe, stages,
extraction pipe, exhaust into the crossover pipe), IP/LP bearing pedestal and
coupling, double-flow LP cylinder (crossover pipe with expansion bellows
arching over the top into the inlet chamber, five stages per flow, the
fourth a two-tier Baumann stage, bearings inside the exhaust hood, end
seals, atmospheric valves, deflecting walls and outlet pipes to the
condenser), LP/generator coupling with the rotor turning gear, generator
bearing and the end of the generator.

One unit of the SVG is one pixel of the rendered picture (its size is in
sizes.tsv); the shaft axis lies at y = 352.  Every drawn element is registered with the part
it belongs to, and overview.parts.tsv is written from those registrations, so
the data file always tells where each part really is drawn.  Each red dot
sits on a fixed hotspot centre of the program window (DOTS below); its leader
line ends on the part named by that hotspot.

Usage: python3 overview.py [FOLDER]   (writes overview.svg and overview.parts.tsv
there, by default beside the script).  Standard library only; the helpers it
shares with the other drawings are in drawing.py.
"""
import math

from drawing import (BLACK, BLADE, CENTRE_DASH, HEAVY, LEADER, MEDIUM, PIPE, RED, ROTOR, SHELL, THIN,
                     VANE, WHITE, Drawing, ink, num, output_dir)

C = 352.0                       # shaft centre line (y)
PIPE_LIGHT = "#dedede"          # highlight band along a pipe
PLATE = "#5a5a5a"               # thin plates cut by the section
CASING, DIAPH, SEAL = "url(#hatch-casing)", "url(#hatch-diaphragm)", "url(#hatch-seal)"


def outlined(fill, sw, stroke=BLACK, dash=None):
    """Filled, and outlined unless sw is 0."""
    return ink(fill, stroke, sw, dash) if sw else ink(fill, dash=dash)


def stroked(sw=THIN, stroke=BLACK, dash=None):
    return outlined("none", sw, stroke, dash)


D = Drawing("overview", C, outlined, stroked, indent="  ")
W, H = D.width, D.height
poly, rect, line, circle, path, reg = D.polygon, D.box, D.line, D.circle, D.path, D.register
group, end, up, lo = D.group, D.end, D.above, D.below


def ring(x0, x1, r0, r1, fill=CASING, sw=MEDIUM, halves="ul"):
    """An annular body seen in section: one block above and one below the axis."""
    if "u" in halves:
        rect(x0, up(r1), x1, up(r0), fill, sw)
    if "l" in halves:
        rect(x0, lo(r0), x1, lo(r1), fill, sw)


def both(pts, fill=CASING, sw=HEAVY):
    for half in D.halves(pts):
        poly(half, fill, sw)


def offset_band(pts, t):
    """Polygon of a wall of thickness t lying to the right of the polyline
    pts (walked in order, y pointing down); pts is the outer surface."""
    n = len(pts)
    normals = []
    for i in range(n - 1):
        (x0, y0), (x1, y1) = pts[i], pts[i + 1]
        L = math.hypot(x1 - x0, y1 - y0)
        normals.append(((y0 - y1) / L * -1, (x1 - x0) / L))   # right-hand normal
    inner = []
    for i in range(n):
        if i == 0:
            nx, ny = normals[0]
            k = 1.0
        elif i == n - 1:
            nx, ny = normals[-1]
            k = 1.0
        else:
            ax, ay = normals[i - 1]
            bx, by = normals[i]
            nx, ny = ax + bx, ay + by
            L = math.hypot(nx, ny)
            nx, ny = nx / L, ny / L
            k = 1.0 / max(0.3, nx * ax + ny * ay)
        inner.append((pts[i][0] + nx * t * k, pts[i][1] + ny * t * k))
    return list(pts) + inner[::-1]


def mx(x, M=None):
    return x if M is None else 2 * M - x


# ------------------------------------------------------- shaft profile --
# (x0, x1, radius) of the rotating parts along the whole shaft line; the
# stage discs and collars are part of this outline.
def lp_rotor_half():
    """Right half of the LP rotor (x >= LP_MID); the left half is its mirror."""
    return [(LP_MID, 757, 30), (757, 764, 38), (764, 772, 30), (772, 780, 40), (780, 789, 30),
            (789, 798, 42), (798, 808, 30), (808, 818, 46), (818, 827, 30), (827, 836, 48),
            (836, 838, 30), (838, 848, 14), (848, 905, 12)]


LP_MID = 736.0                  # symmetry plane of the double-flow LP cylinder

# HP stages: flow from right to left; (diaphragm x0, x1, blade x0, x1, blade height)
HP_ROOT, HP_BODY, HP_RC = 28.0, 20.0, 50.0
HP_STAGES = []
for _k in range(8):
    _dr = 232 - 11.2 * _k
    HP_STAGES.append((_dr - 5, _dr, _dr - 12, _dr - 7, 8 + 1.2 * _k))
# IP stages: flow from left to right
IP_ROOT, IP_BODY, IP_RC = 26.0, 20.0, 50.0
IP_STAGES = []
for _k in range(8):
    _d0 = 352 + 10.5 * _k
    IP_STAGES.append((_d0, _d0 + 4.5, _d0 + 6.5, _d0 + 10.5, 8 + 1.6 * _k))
# LP stages of the right-hand flow (the left flow is the mirror image):
# (diaphragm x0, x1, vane root, vane tip, blade x0, x1, blade root, blade tip)
LP_STAGES = [(751, 756, 38, 48, 758, 763, 38, 49),
             (765, 771, 40, 54, 773, 779, 40, 55),
             (781, 788, 42, 65, 790, 797, 42, 66),
             (799, 807, 46, 99, 809, 817, 46, 100),    # Baumann (two-tier) stage
             (819, 826, 48, 75, 828, 835, 48, 73)]     # last stage, under the splitter
LP_BAUMANN_BAND = (75, 78)       # radius of the band between the two tiers
LP_SPLITTER = (818, 842, 75, 79)  # x0, x1, r0, r1 of the splitter ring
LP_ROOF = 228.0                  # top of the LP outer casing


def lp_roof(x):
    """Outer top of the right exhaust hood at x (flat, then sloping down to the end wall)."""
    return LP_ROOF if x <= 846 else LP_ROOF + (min(x, 894) - 846) * 30.0 / 48.0


def shaft_profile():
    prof = [(8, 116, 9), (116, 126, 10), (126, 236, HP_BODY), (236, 243, 36), (243, 260, HP_BODY),
            (260, 270, 10), (270, 294, 10), (294, 300, 27), (300, 340, 10), (340, 352, IP_BODY)]
    # HP discs under the blades
    discs = [(b0 - 1, b1 + 1, HP_ROOT) for (_d0, _d1, b0, b1, _h) in HP_STAGES]
    discs += [(b0 - 1, b1 + 1, IP_ROOT) for (_d0, _d1, b0, b1, _h) in IP_STAGES]
    prof += [(352, 438, IP_BODY), (438, 488, IP_BODY), (488, 502, 10), (502, 543, 11)]
    right = lp_rotor_half()
    left = [(mx(b, LP_MID), mx(a, LP_MID), r) for (a, b, r) in right][::-1]
    # the left end of the mirrored rotor (coupling side) continues as r = 12
    left[0] = (561, left[0][1], 12)
    prof += [(543, 561, 11)] + left + right[:-1] + [(848, 909, 12)]
    prof += [(909, 943, 12), (943, 980, 12), (980, 986, 22), (986, 1005, 34)]
    return prof, discs


def profile_points(prof, discs):
    """Upper outline of the rotor as a list of points from left to right."""
    xs = sorted(set([a for a, b, r in prof] + [b for a, b, r in prof] +
                    [a for a, b, r in discs] + [b for a, b, r in discs]))
    pts = []
    for i in range(len(xs) - 1):
        a, b = xs[i], xs[i + 1]
        m = (a + b) / 2
        r = 0
        for (p, q, rr) in prof + discs:
            if p <= m < q:
                r = max(r, rr)
        if pts and abs(pts[-1][1] - up(r)) < 1e-6:
            pts[-1] = (b, up(r))
        else:
            pts.append((a, up(r)))
            pts.append((b, up(r)))
    return pts


# --------------------------------------------------------------- stages --
def flow_contour(rows, extra=()):
    """Inner outline (x, r) of a casing over a row of stages, given as (diaphragm x0, x1,
    vane tip, blade x0, x1, blade tip): at the vane tip over each diaphragm rim, 2 px
    beyond the tips over the blades; extra: further (x0, x1, r) spans."""
    spans = list(extra)
    for d0, d1, vt, b0, b1, bt in rows:
        spans += [(d0 - 1.5, d1 + 1.5, vt), (b0 - 0.5, b1 + 0.5, bt + 2)]
    pts = []
    for a, b, r in sorted(spans):
        pts += [(a, r), (b, r)]
    return pts


def on_drum(rows, root):
    """Stages (diaphragm x0, x1, blade x0, x1, blade height) on a drum of radius root,
    as flow_contour takes them."""
    return [(d0, d1, root + h - 1, b0, b1, root + h) for d0, d1, b0, b1, h in rows]


def diaphragm(d0, d1, root, tip, body, rim_top, halves="ul", vane_line=True):
    """A T-shaped diaphragm: rim in the casing, nozzle vanes, body to the shaft seal."""
    ring(d0 - 1.5, d1 + 1.5, tip, rim_top, DIAPH, MEDIUM, halves)
    ring(d0, d1, root, tip, VANE, MEDIUM, halves)
    ring(d0 + 0.5, d1 - 0.5, body + 2, root, DIAPH, MEDIUM, halves)
    if vane_line:
        for s in halves:
            y0, y1 = (up(tip), up(root)) if s == "u" else (lo(root), lo(tip))
            line(d0 + 0.8, y0 + 1, d1 - 0.8, y1 - 1, THIN)


def blade_row(b0, b1, root, tip, halves="ul"):
    """Moving blades: a narrow trapezoid (slightly tapered) on its disc."""
    for s in halves:
        if s == "u":
            poly([(b0, up(root)), (b1, up(root)), (b1 - 0.5, up(tip)), (b0 + 0.5, up(tip))], BLADE, MEDIUM)
        else:
            poly([(b0, lo(root)), (b1, lo(root)), (b1 - 0.5, lo(tip)), (b0 + 0.5, lo(tip))], BLADE, MEDIUM)


def stages(rows, root, body, rim_cap, diaphragms, blades):
    """A row of stages (diaphragm x0, x1, blade x0, x1, blade height) on a drum of radius
    root: the diaphragms belong to part diaphragms, the moving blades to part blades."""
    with D.part(diaphragms):
        for (d0, d1, b0, b1, h) in rows:
            diaphragm(d0, d1, root, root + h - 1, body, min(rim_cap, root + h + 5))
    with D.part(blades):
        for (d0, d1, b0, b1, h) in rows:
            blade_row(b0, b1, root, root + h)


def labyrinth(x0, x1, r0, r1, shaft_r):
    """End / shaft seal: hatched seal housing with a comb of sealing strips."""
    ring(x0, x1, r0, r1, SEAL, MEDIUM)
    n = max(2, int((x1 - x0) / 3))
    for i in range(n):
        x = x0 + (i + 0.5) * (x1 - x0) / n
        line(x, up(r0), x, up(shaft_r + 0.6), THIN)
        line(x, lo(r0), x, lo(shaft_r + 0.6), THIN)


def end_seals(gid, comment, seals):
    """The end seals of a cylinder, each (part, x0, x1, r0, r1, shaft radius) a labyrinth."""
    group(gid, comment, None)
    for part, x0, x1, r0, r1, shaft_r in seals:
        with D.part(part):
            labyrinth(x0, x1, r0, r1, shaft_r)
    end()


def opening(x0, x1, y0, y1, left, right):
    """A passage through a sectioned wall: painted white from y0 to y1, its sides drawn
    from left[0] to left[1] at x0 and from right[0] to right[1] at x1."""
    rect(x0, y0, x1, y1, WHITE, 0)
    line(x0, left[0], x0, left[1], MEDIUM)
    line(x1, right[0], x1, right[1], MEDIUM)


def bearing(x0, x1, y0, y1, rj):
    """Journal bearing: hatched housing above and below, white-metal shell."""
    rect(x0, y0, x1, up(rj + 4), DIAPH, HEAVY)
    rect(x0, lo(rj + 4), x1, y1, DIAPH, HEAVY)
    ring(x0 + 1.5, x1 - 1.5, rj, rj + 4, SHELL, MEDIUM)


def coupling(xa, xb, xc, r_in, r_out):
    """Flanged coupling: two half-coupling flanges with bolts through both."""
    ring(xa, xb, r_in, r_out, ROTOR, HEAVY)
    ring(xb, xc, r_in, r_out, ROTOR, HEAVY)
    rb = (r_in + r_out) / 2 + 2
    for s in (up, lo):
        y = s(rb)
        rect(xa - 2.5, y - 1.6, xc + 2.5, y + 1.6, "#9a9a9a", MEDIUM)
        rect(xa - 4.5, y - 2.6, xa - 2.5, y + 2.6, "#9a9a9a", MEDIUM)
        rect(xc + 2.5, y - 2.6, xc + 4.5, y + 2.6, "#9a9a9a", MEDIUM)


def key(x0, y0, x1, y1):
    """Vertical key in its slots (dark block with a centre mark)."""
    rect(x0, y0, x1, y1, PLATE, MEDIUM)
    line((x0 + x1) / 2, y0 + 1.5, (x0 + x1) / 2, y1 - 1.5, THIN, WHITE)


def pipe_v(xc, d, y0, y1, fill=PIPE):
    """Straight vertical pipe seen from outside (outline and highlight band)."""
    rect(xc - d / 2, y0, xc + d / 2, y1, fill, MEDIUM)
    if d >= 10:
        line(xc - d / 6, y0 + 1, xc - d / 6, y1 - 1, THIN, "#a8a8a8")


def flange_pair(x0, x1, y, t):
    """Two bolted flanges across a pipe, each t thick, the upper one from y down."""
    rect(x0, y, x1, y + t, PIPE, MEDIUM)
    rect(x0, y + t, x1, y + 2 * t, PIPE, MEDIUM)


def downpipe(xc, d, top, flange_y, flange_half, t):
    """A pipe of diameter d from top straight down through the foundation and out of
    the picture, with a flange pair (flange_half wide either side of the pipe's axis)."""
    pipe_v(xc, d, top, H + 1)
    flange_pair(xc - flange_half, xc + flange_half, flange_y, t)


# ------------------------------------------------------------ drawings --
def draw_defs():
    D.hatches((("hatch-casing", 45, 4.5), ("hatch-diaphragm", -45, 4.0), ("hatch-seal", -45, 3.2),
               ("hatch-concrete", 45, 7.0)))


DECK = 475.0


def draw_foundation():
    group("foundation", "Foundation deck that the pedestals stand on (the LP exhaust "
          "necks pass through its opening)", "foundation")
    gaps = [(126, 146), (154, 162), (378, 386)]
    spans = []
    x = 0
    for a, b in gaps:
        spans.append((x, a))
        x = b
    spans.append((x, 524))
    spans.append((949, W))
    for a, b in spans:
        rect(a, DECK, b, DECK + 14, "url(#hatch-concrete)", 0)
        line(a, DECK, b, DECK, HEAVY)
    end()


def draw_front_pedestal():
    group("front-pedestal", "Front bearing pedestal: speed control unit, main oil pump, "
          "automatic safety device and front journal bearing on the shaft end", "pedestal-front")
    poly([(4, DECK), (4, 326), (10, 320), (112, 320), (112, DECK)], CASING, HEAVY)
    rect(10, 323, 86, 392, WHITE, MEDIUM)                 # oil-filled inner space
    rect(30, 392, 36, DECK - 1, WHITE, MEDIUM)            # oil drain to the tank
    end()
    # speed control unit (flyweight governor on the shaft end)
    group("speed-control-unit", "Speed control unit: flyweight governor on the shaft end", "speed")
    ring(12, 30, 24, 28, DIAPH, MEDIUM)
    rect(10, up(24), 12, lo(24), DIAPH, MEDIUM)
    ring(13, 27, 9, 12, ROTOR, MEDIUM)
    for s in (up, lo):
        rect(15, min(s(13), s(21)), 25, max(s(13), s(21)), BLADE, MEDIUM, rx=2)
        line(25, s(17), 28.5, s(11), MEDIUM)
    ring(27, 30, 9, 12.5, ROTOR, MEDIUM)
    end()
    group("oil-pump", "Main oil pump: impeller on the shaft in its volute casing", "oilpump")
    ring(32, 54, 23, 29, DIAPH, MEDIUM)
    ring(32, 35, 12, 23, DIAPH, MEDIUM)
    ring(51, 54, 12, 23, DIAPH, MEDIUM)
    ring(36, 50, 9, 21, ROTOR, MEDIUM)
    for s in (up, lo):
        line(43, s(10), 43, s(20.5), THIN)
        line(38.5, s(12), 38.5, s(20), THIN)
        line(47.5, s(12), 47.5, s(20), THIN)
    end()
    group("safety-device", "Automatic safety device: overspeed striker bolt in a shaft collar, "
          "trip latch above it", "safety")
    ring(60, 76, 9, 15, ROTOR, MEDIUM)
    rect(65, up(19), 70, up(15), BLADE, MEDIUM)            # striker bolt
    line(65, up(17), 70, up(17), THIN, WHITE)
    ring(58, 80, 23, 28, DIAPH, MEDIUM)
    rect(66.5, up(23), 69.5, up(20.5), PLATE, MEDIUM)      # latch
    end()
    group("front-bearing", "Front journal bearing", "brg-front")
    bearing(88, 110, 322, 377, 9)
    end()


def draw_hp():
    group("hp", "High-pressure cylinder (steam flows from the control stage at the right "
          "to the exhaust at the left)", "hp")
    group("hp-casing", "HP casing, outer wall and the stage liner", "hp-casing")
    inner = flow_contour(on_drum(HP_STAGES, HP_ROOT), [(236.5, 242.5, 46)])   # and the control stage
    inner = [(141, 50), (inner[0][0], 50)] + inner + [(inner[-1][0], 50), (243, 50), (260, 50)]
    # the inner outline runs from the inlet end at the right back to the exhaust space
    upper = [(116, up(22)), (116, 300), (126, 288), (262, 288), (270, 298), (270, up(22)),
             (260, up(22)), (260, up(50))] + [(x, up(r)) for x, r in inner[::-1]] + \
            [(126, up(50)), (126, up(22))]
    both(upper, CASING, HEAVY)
    # paws under the casing ends, resting on the keys
    rect(116, 404, 126, 416, CASING, MEDIUM)
    rect(260, 404, 270, 416, CASING, MEDIUM)
    # steam passage from the valve chest down to the nozzle box
    opening(250, 257, 286.5, 305, (287, 305), (287, 304))
    # opening in the lower wall into the outlet pipe to the reheater
    opening(128, 144, 400, 417.5, (400, 417), (401, 417))
    end()
    end_seals("hp-seals", "HP end seals: rear (exhaust end, left) and front (inlet end, right)",
              [("hp-seal-rear", 116.5, 126, 11, 22, 10), ("hp-seal-front", 260, 269.5, 11, 22, 10)])
    group("hp-nozzle-box", "Nozzle box of the control stage", "control-stage")
    ring(243.5, 259.5, 35, 50, DIAPH, MEDIUM)
    rect(250, up(48), 257, up(39), WHITE, MEDIUM)
    rect(250, lo(39), 257, lo(48), WHITE, MEDIUM)
    ring(244, 249, 36, 44, VANE, MEDIUM)
    end()
    end()  # hp (rotor, stages and valves are drawn after the rotor)


def draw_hp_stages():
    group("hp-stages", "HP stages: control stage and eight pressure stages; diaphragms "
          "(T-shaped, hatched) and moving blades (dark)", "hp")
    with D.part("control-stage"):
        blade_row(237, 242, 36, 44)
    stages(HP_STAGES, HP_ROOT, HP_BODY, HP_RC, "hp-diaphragms", "hp-blades")
    end()


def draw_hp_valves():
    group("hp-valves", "Control valves in the valve chest on top of the HP casing", "hp")
    with D.part("control-valve"):
        chest = [(182, 288), (182, 248), (258, 248), (258, 288)]
        poly(chest, CASING, HEAVY)
        for c in (201, 233):
            rect(c - 13, 254, c + 13, 283, WHITE, MEDIUM)                 # valve cavity
            poly([(c - 13, 283), (c - 9, 276), (c - 7, 276), (c - 7, 283)], CASING, MEDIUM)   # seat
            poly([(c + 13, 283), (c + 9, 276), (c + 7, 276), (c + 7, 283)], CASING, MEDIUM)
            path("M %s 264 L %s 264 L %s 272 Q %s 279 %s 279 Q %s 279 %s 272 Z" % (
                num(c - 8), num(c + 8), num(c + 8), num(c + 8), num(c), num(c - 8), num(c - 8)),
                ROTOR, MEDIUM, extent=[(c - 8, 264), (c + 8, 279)])         # valve plug
            rect(c - 1.5, 233, c + 1.5, 264, ROTOR, MEDIUM)                # stem
            rect(c - 6, 242, c + 6, 249, DIAPH, MEDIUM)                   # bonnet
        rect(188, 279, 257, 284, WHITE, 0)                                # outlet channel
        line(188, 284, 250, 284, MEDIUM)
    with D.part("cv-actuator"):
        rect(194, 229, 258, 234, "#9a9a9a", MEDIUM)                       # lifting beam
        rect(258, 213, 264, 248, CASING, MEDIUM)                          # bracket on the chest
        rect(238, 213, 258, 225, DIAPH, HEAVY)                            # servomotor cylinder
        rect(241, 215.5, 255, 222.5, WHITE, MEDIUM)
        rect(246, 216, 250, 222, ROTOR, MEDIUM)                           # piston
        rect(247, 222, 249, 229, ROTOR, MEDIUM)                           # piston rod to the beam
    end()
    group("hp-steam-supply", "Steam supply pipe to the control valves (from the stop valve)",
          "cv-supply")
    # horizontal run into the valve chest, elbow, rising leg to a flange
    path("M 183 262.5 L 160 262.5 Q 150 262.5 150 252 L 150 224 L 136 224 L 136 256 "
         "Q 136 276.5 156 276.5 L 183 276.5 Z", PIPE, MEDIUM, extent=[(136, 224), (183, 276.5)])
    line(143, 226, 143, 258, THIN, "#a8a8a8")
    rect(132, 219, 154, 224, PIPE, MEDIUM)                            # flange
    rect(132, 214, 154, 219, PIPE, MEDIUM)
    end()


def draw_hp_pipes():
    group("hp-outlet", "Steam outlet pipe to the reheater (from the HP exhaust, downward "
          "through the foundation)", "reheat-out")
    downpipe(136, 16, 417, 420, 12, 4)
    end()
    group("hp-extraction", "Steam extraction pipe from the HP cylinder", "hp-extr")
    downpipe(158, 8, 417, 424, 5, 3)
    end()


def draw_middle_pedestal():
    group("middle-pedestal", "Middle pedestal between HP and IP with the combined journal "
          "and thrust bearing and the rigid HP/IP coupling", "pedestal-mid")
    poly([(272, DECK), (272, 316), (278, 312), (319, 312), (325, 316), (325, DECK)], CASING, HEAVY)
    rect(276, 316, 321, 404, WHITE, MEDIUM)
    end()
    group("thrust-bearing", "Thrust bearing: collar on the shaft between two rings of pads",
          "thrust")
    housing = [(275, up(36)), (311, up(36)), (311, up(12)), (306, up(12)), (306, up(28)),
               (288, up(28)), (288, up(14)), (275, up(14))]
    both(housing, DIAPH, HEAVY)
    ring(289, 293.5, 11, 27, SHELL, MEDIUM)
    ring(300.5, 305, 11, 27, SHELL, MEDIUM)
    ring(276, 287, 10, 14, SHELL, MEDIUM)
    end()


def draw_ip():
    group("ip", "Intermediate-pressure cylinder (steam flows left to right and leaves "
          "upward into the crossover pipe)", "ip")
    group("ip-casing", "IP casing with its exhaust nozzle", "ip-casing")
    inner = flow_contour(on_drum(IP_STAGES, IP_ROOT))
    top_l = [(328, up(20)), (328, 298), (336, 286), (426, 286), (420, 281), (426, 281), (436, 302)]
    top_l += [(x, up(r)) for x, r in inner[::-1]] + [(350.5, up(50)), (340, up(50)), (340, up(20))]
    # the inlet chamber at the left opens to the reheat steam pipe in the top wall
    poly(top_l, CASING, HEAVY)
    top_r = [(448, 281), (454, 281), (459, 286), (494, 286), (502, 294), (502, up(20)),
             (488, up(20)), (488, up(50)), (476, up(50))]
    poly(top_r, CASING, HEAVY)
    low = [(328, lo(20)), (328, lo(50)), (333, 409), (497, 409), (502, lo(50)), (502, lo(20)),
           (488, lo(20)), (488, lo(50)), (437, lo(50))]
    low += [(x, lo(r)) for x, r in inner[::-1]] + [(350.5, lo(50)), (340, lo(50)), (340, lo(20))]
    poly(low, CASING, HEAVY)
    rect(328, 397, 338, 412, CASING, MEDIUM)              # paws on the keys
    rect(492, 397, 502, 412, CASING, MEDIUM)
    # reheat steam inlet through the top wall
    opening(341, 350, 284.5, 302.5, (285, 302), (285, 302))
    rect(413, 277, 461, 282, PIPE, MEDIUM)                # nozzle flange
    end()
    end_seals("ip-seals", "IP end seals: front (left) and rear (right)",
              [("ip-seal-front", 328.5, 340, 11, 20, 10), ("ip-seal-rear", 488, 501.5, 11, 20, 10)])
    end()


def draw_ip_stages():
    group("ip-stages", "IP stages: diaphragms (T-shaped, hatched) and moving blades (dark)", "ip")
    stages(IP_STAGES, IP_ROOT, IP_BODY, IP_RC, "ip-diaphragms", "ip-blades")
    end()


def draw_reheat_pipe():
    group("reheat-supply", "Steam supply pipe from the reheater: rises out of the IP inlet "
          "chamber and turns toward the reheat stop valve", "reheat-in")
    path("M 340.5 285.5 L 340.5 254 Q 340.5 240 326.5 240 L 298 240 L 298 222 L 326.5 222 "
         "Q 358.5 222 358.5 254 L 358.5 285.5 Z", PIPE, MEDIUM, extent=[(298, 222), (358.5, 285.5)])
    line(349.5, 284, 349.5, 254, THIN, "#a8a8a8")
    rect(294, 218, 298, 244, PIPE, MEDIUM)
    rect(290, 218, 294, 244, PIPE, MEDIUM)
    end()
    group("ip-extraction", "Steam extraction pipe from the IP cylinder", "ip-extr")
    downpipe(382, 8, 409.5, 416, 5, 3)
    end()


def draw_ip_lp_pedestal():
    group("ip-lp-pedestal", "Pedestal between IP and LP with the IP rear journal bearing",
          "pedestal-iplp")
    poly([(499, 316), (530, 316), (530, 405), (523, 405), (523, DECK), (499, DECK)], CASING, HEAVY)
    rect(502, 319, 527, 400, WHITE, MEDIUM)
    end()
    group("ip-lp-bearing", "IP rear journal bearing", "brg-iplp")
    bearing(503, 526, 322, 385, 11)
    end()


def lp_half(M, side):
    """One half of the double-flow LP cylinder; side = +1 right flow, -1 left flow.
    Coordinates are written for the right half and mirrored about x = M."""
    X = (lambda x: x) if side > 0 else (lambda x: 2 * M - x)

    def P(pts):
        return [(X(x), y) for x, y in pts]

    tag = "right" if side > 0 else "left"
    group("lp-casing-" + tag, "LP exhaust hood, %s half: outer wall, end wall and the cone "
          "of the bearing recess" % tag, "lp")
    upper = [(M, LP_ROOF), (846, LP_ROOF), (894, lp_roof(894)), (900, lp_roof(894) + 6),
             (900, 300), (848, 322)]
    poly(P(offset_band(upper, 6)), CASING, HEAVY)
    lower = [(848, 382), (900, 404), (900, 412), (942, 412), (942, 466)]
    poly(P(offset_band(lower, 6)), CASING, HEAVY)
    bottom = [(780, 466), (780, 440), (M, 440)]
    poly(P(offset_band(bottom, 6)), CASING, HEAVY)
    poly(P([(782, LP_ROOF + 6), (788, LP_ROOF + 6), (788, 278), (782, 278)]), CASING, MEDIUM)
    poly(P([(782, 426), (788, 426), (788, 434), (782, 434)]), CASING, MEDIUM)   # inner casing foot
    rect(X(936), 461, X(948), 466, PIPE, MEDIUM)          # flanges to the outlet pipe
    rect(X(774), 461, X(786), 466, PIPE, MEDIUM)
    end()
    group("lp-inner-" + tag, "LP inner casing carrying the diaphragms, %s flow" % tag, "lp")
    inner = flow_contour([(d0, d1, vt, b0, b1, bt) for d0, d1, vr, vt, b0, b1, br, bt in LP_STAGES[:4]])
    # a shell about 10 px thick following the flow path
    up_pts = [(x, up(r + 10)) for x, r in inner] + [(x, up(r)) for x, r in inner[::-1]]
    poly(P(up_pts), CASING, HEAVY)
    poly(P(D.mirrored(up_pts)), CASING, HEAVY)
    # splitter ring of the Baumann stage (outer ring of the last diaphragm) and its rib
    sx0, sx1, sr0, sr1 = LP_SPLITTER
    for s in (up, lo):
        poly(P([(sx0, min(s(sr0), s(sr1))), (sx1, min(s(sr0), s(sr1))), (sx1, max(s(sr0), s(sr1))),
                (sx0, max(s(sr0), s(sr1)))]), DIAPH, MEDIUM)
        poly(P([(818.5, min(s(sr1), s(104))), (822, min(s(sr1), s(104))), (822, max(s(sr1), s(104))),
                (818.5, max(s(sr1), s(104)))]), DIAPH, MEDIUM)
    end()
    group("lp-stages-" + tag, "LP stages, %s flow: diaphragms and moving blades; the fourth "
          "stage is the two-tier Baumann stage, its upper tier exhausting above the splitter"
          % tag, "lp")
    for i, (d0, d1, vr, vt, b0, b1, br, bt) in enumerate(LP_STAGES):
        xs = sorted((X(d0), X(d1)))
        baumann = "baumann" if i == 3 else None
        with D.part("lp-diaphragms"), D.part(baumann):
            rim_top = vt + 5 if i < 4 else vt
            if i < 4:
                ring(xs[0] - 1.5, xs[1] + 1.5, vt, rim_top, DIAPH, MEDIUM)
            ring(xs[0], xs[1], vr, vt, VANE, MEDIUM)
            ring(xs[0] + 0.5, xs[1] - 0.5, 32, vr, DIAPH, MEDIUM)
            for s in (up, lo):
                line(xs[0] + 0.8, s(vt - 1), xs[1] - 0.8, s(vr + 1), THIN)
        xs = sorted((X(b0), X(b1)))
        with D.part("lp-blades"), D.part(baumann):
            blade_row(xs[0], xs[1], br, bt)
            if baumann:
                ring(xs[0] + 0.3, xs[1] - 0.3, LP_BAUMANN_BAND[0], LP_BAUMANN_BAND[1], "#3a3a3a", THIN)
    end()
    group("lp-seal-" + tag, "LP end seal, %s" % tag, "lp-seal-" + tag)
    xs = sorted((X(838), X(848)))
    labyrinth(xs[0], xs[1], 16, 28, 14)
    end()
    group("lp-bearing-" + tag, "LP journal bearing inside the exhaust hood, %s" % tag,
          "brg-lp-" + tag)
    xs = (851, 870) if side > 0 else (600, 622)
    bearing(xs[0], xs[1], 322, 385, 12)
    end()
    group("lp-outlet-" + tag, "Steam outlet pipe (exhaust neck) to the condenser, %s" % tag,
          "lp-outlet-" + tag)
    for a, b in ((780, 786), (936, 942)):
        xs = sorted((X(a), X(b)))
        rect(xs[0], 471, xs[1], 494, CASING, HEAVY)
    for a, b in ((777, 789), (933, 946)):
        xs = sorted((X(a), X(b)))
        rect(xs[0], 466, xs[1], 471, PIPE, MEDIUM)
        rect(xs[0], 494, xs[1], 499, PIPE, MEDIUM)
    # far wall of the duct (light) with a tie tube and stays across the neck
    xa, xb = sorted((X(786), X(936)))
    rect(xa + 1, 471, xb - 1, 494, "#e2e2e2", 0)
    rect(xa, 481, xb, 484.2, PIPE, MEDIUM)
    for x in (816, 846, 876, 906):
        line(X(x), 472, X(x), 493, THIN)
    end()
    group("lp-deflector-" + tag, "Deflecting wall in the exhaust hood above the outlet, %s" % tag,
          "deflector-" + tag)
    # curved plate from below the last stages sweeping outward and down
    cx, cy = 823, 485
    outer = [(cx + 74 * math.sin(math.radians(t)), cy - 42 * math.cos(math.radians(t)))
             for t in range(0, 91, 6)]
    inner_ = [(cx + 68 * math.sin(math.radians(t)), cy - 36 * math.cos(math.radians(t)))
              for t in range(90, -1, -6)]
    poly(P(outer + inner_), PLATE, MEDIUM)
    # stays holding the plate to the hood walls
    for (a, b) in (((850, 450), (850, 441)),):
        (x0, y0), (x1, y1) = a, b
        line(X(x0), y0, X(x1), y1, MEDIUM)
    end()


def draw_lp():
    group("lp", "Low-pressure cylinder, double flow, symmetric about x = %s" % num(LP_MID), "lp")
    lp_half(LP_MID, +1)
    lp_half(LP_MID, -1)
    group("lp-inlet", "LP inlet chamber roof with the crossover connection", "lp")
    rect(736, 220, 784, 226, PIPE, MEDIUM)
    end()
    group("lp-extraction", "Steam extraction pipe from the LP cylinder: branches from the "
          "extraction chambers of both flows joined into one pipe going down at the middle",
          "lp-extr")
    M = LP_MID
    branches = "M %s 446 L %s 458 Q %s 466 %s 466 L %s 466 Q %s 466 %s 458 L %s 446" % (
        num(M - 26), num(M - 26), num(M - 26), num(M - 18), num(M + 18), num(M + 26), num(M + 26), num(M + 26))
    trunk = "M %s 466 L %s 505" % (num(M), num(M))
    for d, w in ((branches, 7.0), (trunk, 12.0)):
        D.band(d, w + 2.4, w, PIPE)
    reg([(M - 31, 446), (M + 31, 505)])
    flange_pair(M - 11, M + 11, 484, 4)
    end()
    end()


def draw_atm_valves():
    for tag, x in (("left", 583), ("right", 876)):
        group("atm-valve-" + tag, "Atmospheric valve (bursting diaphragm under a cover) on the exhaust hood roof, %s" % tag,
              "atm-" + tag)
        base = lp_roof(x if x > LP_MID else 2 * LP_MID - x)
        rect(x - 5, base - 12, x + 5, base + 2, PIPE, MEDIUM)                 # nozzle
        path("M %s %s L %s %s Q %s %s %s %s Q %s %s %s %s L %s %s Z" % (
            num(x - 8), num(base - 12), num(x - 8), num(base - 16), num(x - 8), num(base - 21), num(x), num(base - 21),
            num(x + 8), num(base - 21), num(x + 8), num(base - 16), num(x + 8), num(base - 12)),
            PIPE, MEDIUM, extent=[(x - 8, base - 21), (x + 8, base - 12)])     # cover
        line(x - 7, base - 14.5, x + 7, base - 14.5, THIN)                    # diaphragm
        end()


def draw_crossover():
    group("crossover", "Crossover (bypass) pipe from the IP exhaust to the LP inlet, with the "
          "expansion bellows on its lower run", "crossover")
    bore = 46.0
    # centre line: up out of the IP nozzle, short elbow into the lower run with the
    # bellows, short elbow up, long bends over the top and down into the LP inlet
    d = ("M 437 273 L 437 210 A 30 30 0 0 1 467 180 L 545 180 A 30 30 0 0 0 575 150 "
         "L 575 114 A 40 40 0 0 1 615 74 L 720 74 A 40 40 0 0 1 760 114 L 760 220")
    R = bore / 2 + 1.2
    reg([(437 - R, 74 - R), (760 + R, 273)])
    D.band(d, bore + 2.4, bore, PIPE)
    D.element("path", 'd="%s"' % d, ink("none", PIPE_LIGHT, bore * 0.4))
    rect(413, 273, 461, 277, PIPE, MEDIUM)                # flange on the IP nozzle
    rect(736, 216, 784, 220, PIPE, MEDIUM)                # flange on the LP inlet
    end()
    group("bellows", "Expansion bellows (lens compensators) on the crossover pipe", "bellows")
    for i in range(6):
        x = 470 + 12 * i
        rect(x, 148, x + 9, 212, "#bcbcbc", MEDIUM, rx=4)
        line(x + 4.5, 149, x + 4.5, 211, THIN)
    rect(466, 152.5, 543, 155, "#9a9a9a", THIN)          # tie rods over the lenses
    rect(466, 205, 543, 207.5, "#9a9a9a", THIN)
    end()


def draw_couplings():
    group("coupling-ip-lp", "Coupling between the IP and LP rotors", "coupling-iplp")
    coupling(544, 552, 560, 11, 28)
    end()
    group("coupling-lp-gen", "Coupling between the LP rotor and the generator rotor; the "
          "generator half carries the gear rim of the turning gear", "coupling-gen")
    coupling(910, 918, 926, 12, 28)
    for i in range(6):
        x = 918.8 + i * 1.3
        line(x, up(28), x, up(31), THIN)
    rect(918.5, up(31), 926, up(28), "#9a9a9a", THIN)
    end()
    group("turning-gear", "Rotor turning gear: electric motor and gearbox, pinion engaging "
          "the gear rim on the coupling", "turning")
    rect(924, 296, 946, 313, DIAPH, HEAVY)
    rect(928, 283, 944, 296, PIPE, MEDIUM)
    for x in (932, 936, 940):
        line(x, 284, x, 295, THIN)
    circle(926, 316, 4.5, ROTOR, MEDIUM)
    end()


def draw_generator():
    group("gen-pedestal", "Generator-side pedestal", "pedestal-gen")
    poly([(940, 316), (969, 316), (969, DECK), (949, DECK), (949, 405), (940, 405)], CASING, HEAVY)
    rect(942, 319, 967, 400, WHITE, MEDIUM)
    end()
    group("gen-bearing", "Generator-side journal bearing", "brg-gen")
    bearing(943, 966, 322, 385, 12)
    end()
    group("generator", "Electric generator (front end): end shield, stator, rotor", "gen")
    poly([(971, 262), (1006, 262), (1006, 268), (977, 268), (977, up(15)), (971, up(15))], CASING, HEAVY)
    poly([(971, lo(15)), (977, lo(15)), (977, 436), (1006, 436), (1006, 442), (971, 442)], CASING, HEAVY)
    rect(971, 442, 977, DECK, CASING, HEAVY)
    ring(998, 1006, 40, 78, DIAPH, MEDIUM)                       # stator core
    for s in (up, lo):
        y0, y1 = sorted((s(40), s(47)))
        rect(984, y0, 1006, y1, BLADE, MEDIUM, rx=2)             # winding end
    end()
    group("gen-rotor", "Generator rotor with its retaining ring and fan", "gen-rotor")
    ring(986, 996, 34, 37.5, SHELL, MEDIUM)
    for s in (up, lo):
        y0, y1 = sorted((s(13), s(27)))
        rect(979.5, y0, 982.5, y1, BLADE, MEDIUM)                # fan blades
    end()


def draw_rotor():
    prof, discs = shaft_profile()
    pts = profile_points(prof, discs)
    group("rotor", "Rotor line: shaft, drums and discs of HP, IP, LP and the generator rotor "
          "(medium grey)", "rotor")
    outline = pts + D.mirrored(pts)[::-1]
    poly(outline, ROTOR, HEAVY)
    end()
    # register the generator rotor part (the drawn rotor body at the right end)
    reg([(980, up(34)), (1005, lo(34))], "gen-rotor")
    reg([(294, up(27)), (300, lo(27))], "thrust")


def draw_keys():
    group("vertical-keys", "Vertical keys between the casing ends and the pedestals", None)
    for tag, x0, x1 in (("k-hp-front", 109, 119), ("k-hp-rear", 265, 277), ("k-ip-front", 321, 333),
                        ("k-ip-rear", 495, 505)):
        with D.part(tag):
            key(x0, 402, x1, 414)
    end()


def draw_centre_line():
    group("centre-line", "Shaft centre line, one line along the whole axis", None)
    line(2, C, W - 2, C, THIN, dash=CENTRE_DASH)
    end()


# hotspot centre (fixed by the program window) -> where its leader line ends
DOTS = [
    (1, (213, 439), (213, 413), "hp-casing"),
    (2, (404, 262), (402, 290), "ip-casing"),
    (3, (805, 182), (806, 231), "lp"),
    (4, (250, 294), (240, 310), "control-stage"),
    (5, (178, 246), (196, 270), "control-valve"),
    (6, (404, 439), (406, 395), "ip-diaphragms"),
    (7, (421, 457), (423, 386), "ip-blades"),
    (8, (370, 439), (352, 370), "rotor"),
    (9, (545, 277), (549, 326), "coupling-iplp"),
    (9, (921, 261), (913, 327), "coupling-gen"),
    (10, (101, 272), (99, 325), "brg-front"),
    (10, (526, 304), (516, 324), "brg-iplp"),
    (10, (918, 229), (862, 326), "brg-lp-right"),
    (10, (966, 280), (956, 324), "brg-gen"),
    (10, (560, 294), (606, 326), "brg-lp-left"),
    (11, (281, 438), (297, 383), "thrust"),
    (12, (31, 288), (41, 334), "oilpump"),
    (13, (18, 310), (19, 336), "speed"),
    (14, (165, 420), (158, 437), "hp-extr"),
    (15, (860, 186), (822, 290), "lp-diaphragms"),
    (16, (174, 272), (160, 269), "cv-supply"),
    (17, (335, 272), (349, 266), "reheat-in"),
    (18, (124, 432), (136, 444), "reheat-out"),
    (19, (606, 152), (590, 150), "crossover"),
    (20, (733, 516), (690, 497), "lp-outlet-left"),
    (21, (869, 208), (832, 292), "lp-blades"),
    (22, (989, 304), (994, 330), "gen-rotor"),
    (23, (181, 432), (174, 396), "hp-diaphragms"),
    (24, (189, 408), (189, 388), "hp-blades"),
    (25, (77, 288), (67, 335), "safety"),
    (26, (245, 440), (270, 412), "k-hp-rear"),
    (26, (330, 440), (327, 412), "k-ip-front"),
    (26, (482, 461), (500, 412), "k-ip-rear"),
    (26, (102, 434), (113, 412), "k-hp-front"),
    (27, (941, 272), (936, 290), "turning"),
    (28, (405, 181), (474, 181), "bellows"),
    (29, (571, 216), (579, 237), "atm-left"),
    (29, (896, 191), (878, 229), "atm-right"),
    (30, (390, 429), (382, 418), "ip-extr"),
    (31, (733, 498), (733, 478), "lp-extr"),
    (32, (246, 211), (252, 222), "cv-actuator"),
    (33, (121, 303), (121, 335), "hp-seal-rear"),
    (34, (259, 314), (265, 335), "hp-seal-front"),
    (35, (326, 309), (334, 336), "ip-seal-front"),
    (36, (516, 290), (495, 336), "ip-seal-rear"),
    (37, (598, 227), (629, 328), "lp-seal-left"),
    (37, (892, 237), (843, 328), "lp-seal-right"),
    (38, (833, 196), (813, 265), "baumann"),
    (39, (564, 506), (583, 463), "deflector-left"),
    (39, (933, 508), (889, 463), "deflector-right"),
]


def draw_leaders():
    group("leaders", "Red leader lines from the hotspot dots to their parts", None)
    for _n, (hx, hy), (tx, ty), _p in DOTS:
        line(hx, hy, tx, ty, LEADER, RED)
    end()
    group("dots", "Red dots at the hotspot centres", None)
    for _n, (hx, hy), _t, _p in DOTS:
        D.dot(hx, hy, ink(RED))
    end()


def draw_title():
    group("title", "Title", None)
    D.text(W / 2, 32, "middle", "CONDENSING STEAM TURBINE WITH REHEAT, 300 MW",
           'font-size="15" font-weight="bold" fill="%s"' % BLACK)
    end()


# part key -> (node, part name) for the data file; one row per drawn instance
PARTS = [
    ("hp", 1, "High-pressure part (HP cylinder with valve chest)"),
    ("ip", 2, "Intermediate pressure part (IP cylinder)"),
    ("lp", 3, "Low-pressure part (LP cylinder with exhaust hood and outlet pipes)"),
    ("control-stage", 4, "Control stage (nozzle box and first blade row of the HP)"),
    ("control-valve", 5, "Control valve (valve chest on the HP)"),
    ("ip-diaphragms", 6, "Stage diaphragms of the IP cylinder"),
    ("ip-blades", 7, "Stage blades of the IP cylinder"),
    ("rotor", 8, "Rotor (shaft line with drums and discs)"),
    ("coupling-iplp", 9, "Coupling IP-LP"),
    ("coupling-gen", 9, "Coupling LP-generator"),
    ("brg-front", 10, "Support bearing, front pedestal"),
    ("brg-iplp", 10, "Support bearing between IP and LP"),
    ("brg-lp-left", 10, "Support bearing, LP front (in the exhaust hood)"),
    ("brg-lp-right", 10, "Support bearing, LP rear (in the exhaust hood)"),
    ("brg-gen", 10, "Support bearing, generator side"),
    ("thrust", 11, "Thrust bearing (middle pedestal)"),
    ("oilpump", 12, "Oil pump"),
    ("speed", 13, "Speed control unit"),
    ("hp-extr", 14, "Steam extraction pipe from the HP cylinder"),
    ("lp-diaphragms", 15, "Stage diaphragms of the LP cylinder"),
    ("cv-supply", 16, "Steam supply pipe to the control valves"),
    ("reheat-in", 17, "Steam supply pipe from the reheater"),
    ("reheat-out", 18, "Steam outlet pipe to the reheater"),
    ("crossover", 19, "Steam bypass (crossover) pipe to the LP cylinder"),
    ("lp-outlet-left", 20, "Steam outlet pipe to the condenser, left"),
    ("lp-outlet-right", 20, "Steam outlet pipe to the condenser, right"),
    ("lp-blades", 21, "Stage blades of the LP cylinder"),
    ("gen-rotor", 22, "Electric generator rotor"),
    ("hp-diaphragms", 23, "Stage diaphragms of the HP cylinder"),
    ("hp-blades", 24, "Stage blades of the HP cylinder"),
    ("safety", 25, "Automatic safety device"),
    ("k-hp-front", 26, "Vertical key, HP front pedestal side"),
    ("k-hp-rear", 26, "Vertical key, HP middle pedestal side"),
    ("k-ip-front", 26, "Vertical key, IP middle pedestal side"),
    ("k-ip-rear", 26, "Vertical key, IP rear pedestal side"),
    ("turning", 27, "Rotor turning gear"),
    ("bellows", 28, "Expansion bellows"),
    ("atm-left", 29, "Atmospheric valve, left hood"),
    ("atm-right", 29, "Atmospheric valve, right hood"),
    ("ip-extr", 30, "Steam extraction pipe from the IP cylinder"),
    ("lp-extr", 31, "Steam extraction pipe from the LP cylinder"),
    ("cv-actuator", 32, "Control valve actuator"),
    ("hp-seal-rear", 33, "Rear end seal of the HP cylinder"),
    ("hp-seal-front", 34, "Front end seal of the HP cylinder"),
    ("ip-seal-front", 35, "Front end seal of the IP cylinder"),
    ("ip-seal-rear", 36, "Rear end seal of the IP cylinder"),
    ("lp-seal-left", 37, "End seal of the LP cylinder, left"),
    ("lp-seal-right", 37, "End seal of the LP cylinder, right"),
    ("baumann", 38, "Baumann (two-tier) stage, both flows"),
    ("deflector-left", 39, "Deflecting wall, left hood"),
    ("deflector-right", 39, "Deflecting wall, right hood"),
]


def build():
    D.begin("Whole turbine set, longitudinal section, leader lines and dots for the hotspots. "
            "Generated by overview.py.")
    draw_defs()
    draw_foundation()
    draw_front_pedestal()
    draw_middle_pedestal()
    draw_ip_lp_pedestal()
    draw_generator()
    draw_crossover()
    draw_hp()
    draw_ip()
    draw_lp()
    draw_rotor()
    draw_hp_stages()
    draw_ip_stages()
    draw_couplings()
    draw_hp_valves()
    draw_hp_pipes()
    draw_reheat_pipe()
    draw_atm_valves()
    draw_keys()
    draw_centre_line()
    draw_leaders()
    draw_title()


def check_leaders():
    """Every leader must end inside the drawn box of its part."""
    bad = []
    for n, _h, (tx, ty), key_ in DOTS:
        b = D.boxes.get(key_)
        if b is None or not (b[0] <= tx <= b[2] and b[1] <= ty <= b[3]):
            bad.append((n, key_, (tx, ty), b))
    return bad


def main():
    build()
    bad = check_leaders()
    if bad:
        raise SystemExit("leader ends outside their parts: %r" % bad)
    D.save(output_dir(), [(node, name, [key_]) for key_, node, name in PARTS])


if __name__ == "__main__":
    main()
