#!/usr/bin/env python3
"""Generates front.svg and front.parts.tsv: the governing (front) end of the
turbine enlarged, as a longitudinal section.

Left to right: front bearing pedestal (speed control unit, main oil pump,
automatic safety device, front journal bearing), HP cylinder (steam flows
right to left: control valve with its actuator and steam supply pipe, control
stage, six pressure stages, end seals, extraction pipes, outlet pipe to the
reheater), middle pedestal with the thrust bearing, IP cylinder (steam flows
left to right: reheat steam supply pipe, nine stages, end seals, extraction
pipes), vertical keys under the casing ends.

One unit of the SVG is one pixel of the rendered picture (its size is in
sizes.tsv); the shaft axis lies at y = 292.  Every drawn element is registered with the part
it belongs to, and front.parts.tsv is written from those registrations, so
the data file always tells where each part really is drawn.

Usage: python3 front.py [FOLDER]   (writes front.svg and front.parts.tsv there,
by default beside the script).  Standard library only; the helpers it shares
with the other drawings are in drawing.py.
"""
import math

from drawing import (BLACK, BLADE, CENTRE_DASH, HEAVY, LEADER, MEDIUM, PIPE, RED, ROTOR, SHELL, THIN,
                     VANE, WHITE, Drawing, ink, num, output_dir, points)

AXIS = 292                      # shaft centre line


def outlined(fill, sw=MEDIUM, dash=None):
    """Filled, and outlined unless sw is 0."""
    return ink(fill, BLACK if sw else "none", sw, dash)


def stroked(sw=THIN, color=BLACK, dash=None):
    return ink(stroke=color, width=sw, dash=dash)


D = Drawing("front", AXIS, outlined, stroked, spaced=True)
W = D.width
poly, rect, line, polyline, circle = D.polygon, D.box, D.line, D.polyline, D.circle
group, end, mirror = D.group, D.end, D.mirror_y


def path(d, *paint, extent=(), part=None):
    """A filled path; its inner subpaths cut holes (even-odd rule)."""
    D.path(d, *paint, extent=extent, fill_rule="evenodd", part=part)


def spring(x0, x1, y0, y1, turns, part=None):
    """Coil spring seen from the side, axis along x, between x0 and x1."""
    pts = []
    n = 2 * turns
    for i in range(n + 1):
        pts.append((x0 + (x1 - x0) * i / n, y0 if i % 2 == 0 else y1))
    polyline(pts, "none", MEDIUM, part=part)


def vspring(x0, x1, y0, y1, turns, part=None):
    """Coil spring seen from the side, axis along y."""
    pts = []
    n = 2 * turns
    for i in range(n + 1):
        pts.append((x0 if i % 2 == 0 else x1, y0 + (y1 - y0) * i / n))
    polyline(pts, "none", MEDIUM, part=part)


def cut_end(x0, x1, y, top, bottom, part=None):
    """The end of a pipe that runs on beyond what is shown: a free-hand break line
    across x0..x1 at y, over a white band (top..bottom) hiding the pipe's sides there."""
    rect(x0 + 0.6, top, x1 - 0.6, bottom, WHITE, 0)
    w = x1 - x0
    d = "M%s,%s C%s,%s %s,%s %s,%s S%s,%s %s,%s" % (
        num(x0), num(y), num(x0 + w * 0.25), num(y - 5), num(x0 + w * 0.35), num(y - 5),
        num(x0 + w * 0.5), num(y), num(x0 + w * 0.85), num(y + 5), num(x1), num(y))
    D.path(d, "none", MEDIUM, extent=[(x0, y - 4), (x1, y + 4)], part=part)


def arrow(x0, y0, x1, y1):
    """Steam flow arrow from (x0, y0) to (x1, y1)."""
    ang = math.atan2(y1 - y0, x1 - x0)
    L, Wd = 7.0, 3.2
    bx, by = x1 - L * math.cos(ang), y1 - L * math.sin(ang)
    line(x0, y0, bx, by, MEDIUM)
    px, py = -math.sin(ang) * Wd, math.cos(ang) * Wd
    head = [(x1, y1), (bx + px, by + py), (bx - px, by - py)]
    D.element("polygon", 'points="%s"' % points(head), ink(BLACK))


def draw_flow_arrows():
    group("steam-flow", "Steam flow arrows")
    arrow(703, 150, 703, 184)          # reheat steam down into the IP inlet
    arrow(696, 212, 696, 233)          # into the IP inlet chamber
    arrow(938, 240, 938, 196)          # IP exhaust up to the crossover
    arrow(372, 176, 390, 176)          # live steam into the control valve
    arrow(254, 378, 254, 414)          # HP exhaust down to the reheater
    arrow(272, 224, 248, 224)          # HP exhaust chamber
    end()


def hatch(name):
    return "url(#%s)" % name


CASE = hatch("hatch-casing")        # casings, pedestals (45 deg)
DIA = hatch("hatch-diaphragm")      # diaphragms, nozzle boxes, valve bodies (135 deg)
SEAL = hatch("hatch-seal")          # seal housings, bearing housings, keys (135 deg, dense)

# ------------------------------------------------------------ geometry --
# HP cylinder: six pressure stages, steam flows from right to left.
HP_N = 6
HP_B = [392 - 19 * k for k in range(HP_N)] + [276]     # stage boundaries (right edge of stage k)
HP_ROOT_U, HP_ROOT_L = 244, 346                          # blade roots above / below the shaft
HP_HUB_U, HP_HUB_L = 257, 327                            # inner ends of the diaphragm webs


def hp_h(k):                      # blade height of stage k (grows toward the exhaust)
    return 16 + 12.0 * k / (HP_N - 1)


def hp_stage(k):
    xd1 = HP_B[k] - 3
    xd0 = xd1 - 8
    xb1 = xd0 - 3
    xb0 = xb1 - 5
    return xd0, xd1, xb0, xb1


# IP cylinder: nine stages, steam flows from left to right.
IP_N = 9
IP_ROOT_U, IP_ROOT_L = 248, 348
IP_HUB_U, IP_HUB_L = 258, 327


def ip_h(k):
    return 18 + 18.0 * k / (IP_N - 1)


def ip_stage(k):
    xd0 = 712 + 23 * k
    xd1 = xd0 + 10
    xb0 = xd1 + 4
    xb1 = xb0 + 7
    return xd0, xd1, xb0, xb1


IP_C = [ip_stage(k)[0] - 3 for k in range(IP_N)] + [920]  # stage boundaries (left edge of stage k)

# control stage (wheel, nozzles, nozzle boxes)
CS_DISC = (406, 426)
CS_BLADE = (410, 422)
CS_RIM = 232                 # blade root (upper); mirrored below
CS_TIP = 208
NB_X0, NB_X1 = 428, 451      # nozzle box
NB_Y0, NB_Y1 = 196, 234
VALVE_CX = 440               # control valve / nozzle box inlet centre

# rotor: shaft radius along the axis (upper and lower side identical) ...
SHAFT = [(27, 172, 11),      # front shaft extension carrying governor, oil pump, safety device
         (172, 210, 22),     # front journal
         (210, 276, 26),     # HP rear end seal
         (276, 446, 30),     # HP drum
         (446, 515, 26),     # HP front end seal
         (515, 650, 22),     # middle pedestal: journal and thrust collar
         (650, 698, 26),     # IP front end seal
         (698, 936, 30),     # IP drum
         (936, 1012, 20)]    # IP rear end seal, on toward the IP-LP coupling
# ... and the discs on it: (x0, x1, radius above, radius below)
DISCS = []
for _k in range(HP_N):
    _xd0, _xd1, _xb0, _xb1 = hp_stage(_k)
    DISCS.append((_xb0 - 1, _xb1 + 1, AXIS - HP_ROOT_U, HP_ROOT_L - AXIS))
DISCS.append((CS_DISC[0], CS_DISC[1], AXIS - CS_RIM, AXIS - CS_RIM))
DISCS.append((593, 603, 58, 58))          # thrust collar
for _k in range(IP_N):
    _xd0, _xd1, _xb0, _xb1 = ip_stage(_k)
    DISCS.append((_xb0 - 1, _xb1 + 1, AXIS - IP_ROOT_U, IP_ROOT_L - AXIS))


def shaft_r(x):
    for x0, x1, r in SHAFT:
        if x0 <= x < x1:
            return r
    return None


def profile(side):
    """Rotor outline on one side: list of (x, radius) corner points."""
    xs = set()
    for x0, x1, r in SHAFT:
        xs.update((x0, x1))
    for d in DISCS:
        xs.update((d[0], d[1]))
    xs = sorted(xs)
    pts = []
    for a, b in zip(xs[:-1], xs[1:]):
        r = shaft_r(a)
        for d in DISCS:
            if d[0] <= a < d[1]:
                r = max(r, d[2] if side == "u" else d[3])
        pts.append((a, r))
        pts.append((b, r))
    return pts


# ------------------------------------------------------------- drawing --
def draw_defs():
    D.hatches((("hatch-casing", 45, 4.5), ("hatch-diaphragm", -45, 4.0), ("hatch-seal", -45, 3.2)))


def draw_front_pedestal():
    group("front-pedestal", "Front bearing pedestal with the front journal bearing")
    P = "pedestal"
    rect(8, 208, 196, 216, CASE, HEAVY, part=P)                # bearing cover
    rect(8, 216, 16, 430, CASE, HEAVY, part=P)                 # end wall
    rect(188, 216, 196, 244, CASE, HEAVY, part=P)              # wall toward the HP cylinder
    rect(188, 340, 196, 384, CASE, HEAVY, part=P)
    rect(16, 356, 188, 364, CASE, HEAVY, part=P)               # bed of the governing gear
    poly([(188, 384), (234, 384), (234, 430), (188, 430)], CASE, HEAVY, part=P)   # console, key 1
    rect(8, 430, 234, 440, CASE, HEAVY, part=P)                # sole plate
    # front journal bearing: housing blocks and white-metal shells around the journal
    B = "front-bearing"
    rect(176, 244, 196, 266, SEAL, MEDIUM, part=B)
    rect(176, 318, 196, 340, SEAL, MEDIUM, part=B)
    rect(176, 266, 196, 270, SHELL, MEDIUM, part=B)
    rect(176, 314, 196, 318, SHELL, MEDIUM, part=B)
    rect(180, 340, 192, 356, SEAL, MEDIUM, part=B)             # support web
    end()


def draw_governor():
    group("speed-control-unit", "Speed control unit: centrifugal governor on the shaft end")
    P = "governor"
    # housing (section) with the hole for the shaft extension
    path("M20,246 H73 V280 H67 V252 H26 V349 H67 V304 H73 V355 H20 Z", SEAL, MEDIUM,
         extent=[(20, 246), (73, 355)], part=P)
    rect(46, 242, 60, 246, PIPE, MEDIUM, part=P)               # oil line connection
    # rotating yoke fixed on the shaft end
    rect(54, 262, 60, 322, ROTOR, MEDIUM, part=P)
    # flyweights on bell-crank arms
    for s in (1, -1):
        py = AXIS - s * 24            # arm pivot on the yoke
        wy = AXIS - s * 30            # flyweight centre
        line(55, py, 42, wy, MEDIUM, part=P)
        line(55, py, 40, AXIS - s * 9, MEDIUM, part=P)
        circle(42, wy, 6.5, BLADE, MEDIUM, part=P)
        circle(55, py, 1.6, WHITE, THIN, part=P)
    # sliding sleeve and the speeder spring
    rect(33, 282, 41, 302, ROTOR, MEDIUM, part=P)
    spring(41, 54, 279, 305, 4, P)
    # lever from the sleeve to the pilot valve
    line(37, 302, 34, 330, MEDIUM, part=P)
    rect(28, 330, 48, 346, DIA, MEDIUM, part=P)                # pilot valve body
    rect(32, 334, 44, 342, PIPE, THIN, part=P)                 # spool
    end()


def draw_oil_pump():
    group("oil-pump", "Main oil pump: centrifugal impeller on the shaft extension")
    P = "oil-pump"
    path("M70,234 Q70,228 76,228 H86 V221 H104 V228 H114 Q120,228 120,234 V280 H112 V236 H98 "
         "V228 H92 V236 H78 V280 H70 Z", SEAL, MEDIUM, extent=[(70, 221), (120, 280)], part=P)
    path("M70,304 H78 V344 H112 V304 H120 V346 Q120,352 114,352 H76 Q70,352 70,346 Z",
         SEAL, MEDIUM, extent=[(70, 304), (120, 352)], part=P)
    rect(83, 219, 107, 222, PIPE, MEDIUM, part=P)              # discharge flange
    rect(89, 216, 101, 219, PIPE, MEDIUM, part=P)              # discharge line to the oil system
    # impeller: hub, two shrouds, vanes between them
    rect(85, 276, 101, 308, ROTOR, MEDIUM, part=P)
    for s in (1, -1):
        y_in, y_out = AXIS - s * 16, AXIS - s * 46
        a, b = min(y_in, y_out), max(y_in, y_out)
        rect(87, a, 99, b, BLADE, MEDIUM, part=P)              # vane channel
        rect(84, a, 87, b, ROTOR, MEDIUM, part=P)              # shrouds
        rect(99, a, 102, b, ROTOR, MEDIUM, part=P)
    # suction from the oil tank below
    rect(74, 352, 84, 356, PIPE, MEDIUM, part=P)
    rect(86, 352, 104, 356, SEAL, MEDIUM, part=P)              # foot on the bed
    end()


def draw_safety_device():
    group("automatic-safety-device", "Automatic safety device: striker bolts in a shaft collar, trip pawls")
    P = "safety"
    # rotating collar with two spring-loaded eccentric striker bolts
    rect(126, 262, 152, 322, ROTOR, MEDIUM, part=P)
    for s in (1, -1):
        y_head = AXIS - s * 33
        y_in = AXIS - s * 13
        a, b = min(y_head, y_in), max(y_head, y_in)
        rect(134, a, 144, b, WHITE, THIN, part=P)              # bore in the collar
        if s == 1:
            rect(135, y_head, 143, y_head + 8, BLADE, MEDIUM, part=P)
            vspring(135.5, 142.5, y_head + 8, y_in, 3, P)
        else:
            rect(135, y_head - 8, 143, y_head, BLADE, MEDIUM, part=P)
            vspring(135.5, 142.5, y_in, y_head - 8, 3, P)
    # stationary trip housing (section)
    path("M116,247 H176 V280 H170 V253 H122 V331 H170 V304 H176 V346 H116 Z", SEAL, MEDIUM,
         extent=[(116, 247), (176, 346)], part=P)
    # trip pawls facing the bolt heads, with their pivots
    for s in (1, -1):
        yb = AXIS - s * 35.5
        rect(128, yb - 1.8, 166, yb + 1.8, BLADE, MEDIUM, part=P)
        circle(164, yb, 2, WHITE, THIN, part=P)
    rect(138, 340, 162, 356, SEAL, MEDIUM, part=P)             # foot on the bed
    end()


def draw_rotor():
    group("rotor", "Rotor: one forged shaft from the governor end to the IP-LP coupling, "
          "HP and IP drums with their discs, control stage wheel, thrust collar")
    up, lo = profile("u"), profile("l")
    d = "M%s,%s " % (num(up[0][0]), num(AXIS))
    d += " ".join("L%s,%s" % (num(x), num(AXIS - r)) for x, r in up)
    d += " " + " ".join("L%s,%s" % (num(x), num(AXIS + r)) for x, r in reversed(lo))
    d += " Z"
    path(d, ROTOR, HEAVY)
    # register the shaft and drums (not the discs) as the rotor part
    for x0, x1, r in SHAFT[1:]:
        D.register([(x0, AXIS - r), (min(x1, W), AXIS + r)], "rotor")
    D.register([(27, AXIS - 11), (172, AXIS + 11)], "rotor-ext")
    end()


def labyrinth(x0, x1, y_house, y_shaft, step=4, part=None):
    """Seal fins from a housing face toward the shaft."""
    x = x0 + 2
    while x <= x1 - 2:
        line(x, y_house, x, y_shaft, MEDIUM, part=part)
        x += step


def draw_seal(gid, comment, x0, x1, yt, yb, r_shaft, part):
    """End seal housing around the shaft, upper and lower halves with fins."""
    group(gid, comment)
    ys = AXIS - r_shaft
    rect(x0, yt, x1, ys - 5, SEAL, MEDIUM, part=part)
    rect(x0, mirror(ys) + 5, x1, yb, SEAL, MEDIUM, part=part)
    labyrinth(x0, x1, ys - 5, ys - 0.4, part=part)
    labyrinth(x0, x1, mirror(ys) + 0.4, mirror(ys) + 5, part=part)
    end()


def inner_contour(bounds, height, root, s):
    """The casing's inner outline over a row of stages, 2 px beyond the blade tips:
    bounds, x of the stage boundaries; height(k), blade height of stage k; root, y of
    the blade roots; s, -1 above the shaft and 1 below."""
    pts = []
    for k in range(len(bounds) - 1):
        y = root + s * height(k) + s * 2
        pts += [(bounds[k], y), (bounds[k + 1], y)]
    return pts


def contour_at(contour, x):
    """y of a stepped contour at x (of the last step that spans x)."""
    y = None
    for (xa, ya), (xb, _yb) in zip(contour[::2], contour[1::2]):
        if min(xa, xb) <= x <= max(xa, xb):
            y = ya
    return y


def draw_hp_casing():
    group("hp-casing", "HP cylinder casing (section)")
    P = "hp-casing"
    inner = inner_contour(HP_B, hp_h, HP_ROOT_U, -1)
    pts = [(208, 238), (208, 206), (216, 198), (400, 198), (400, 186), (470, 186), (470, 222),
           (515, 222), (515, 238), (505, 238), (505, 232), (458, 232), (458, 196), (400, 196),
           (400, 202), (392, 202)]
    pts += inner
    pts += [(276, 211), (216, 211), (216, 238)]
    poly(pts, CASE, HEAVY, part=P)
    # lower half: exhaust end with the paw of key 1 ...
    poly([(208, 320), (216, 320), (216, 350), (238, 350), (238, 358), (197, 358), (197, 346),
          (208, 346)], CASE, HEAVY, part=P)
    # ... and the stage part, control stage chamber, front end with the paw of key 2
    lo = inner_contour(HP_B, hp_h, HP_ROOT_L, 1)
    pts = [(276, 392)] + list(reversed(lo)) + [(392, mirror(202)), (400, mirror(202)),
                                               (400, mirror(196)), (458, mirror(196)),
                                               (458, 344), (515, 344), (515, 338), (539, 338),
                                               (539, 350), (480, 350), (466, 398), (392, 398),
                                               (392, 392)]
    poly(pts, CASE, HEAVY, part=P)
    # extraction ports through the lower wall
    for cx in (316, 350):
        rect(cx - 3, contour_at(lo, cx), cx + 3, 392.5, WHITE, THIN, part="hp-extraction")
    end()


def draw_stages(cylinder, comment, count, stage, height, roots, hubs, taper):
    """The pressure stages of a cylinder: T-shaped diaphragms (hatched) with their nozzle
    vanes and shaft labyrinths, and the moving blades, in the upper half (parts
    <cylinder>-diaphragms-u and <cylinder>-blades-u) and the lower (-l).  roots, hubs:
    y of the blade roots and of the diaphragm bodies' inner ends, upper and lower."""
    group(cylinder + "-stages", comment)
    for k in range(count):
        xd0, xd1, xb0, xb1 = stage(k)
        h = height(k)
        for side, s, root, hub in (("u", -1, roots[0], hubs[0]), ("l", 1, roots[1], hubs[1])):
            tip, drum = root + s * h, AXIS + s * 30
            rim = tip + s * 7
            pd, pb = "%s-diaphragms-%s" % (cylinder, side), "%s-blades-%s" % (cylinder, side)
            poly([(xd0 - 2, rim), (xd1 + 2, rim), (xd1 + 2, tip), (xd1, tip), (xd1, hub),
                  (xd0, hub), (xd0, tip), (xd0 - 2, tip)], DIA, MEDIUM, part=pd)
            rect(xd0, tip, xd1, root, VANE, MEDIUM, part=pd)
            labyrinth(xd0, xd1, *sorted((hub, drum + s * 0.4)), 3, pd)
            poly([(xb0, root), (xb1, root), (xb1 - taper, tip - s), (xb0 + taper, tip - s)],
                 BLADE, MEDIUM, part=pb)
    end()


def draw_control_stage():
    group("control-stage", "Control stage: nozzle boxes with nozzles and the control wheel")
    P = "control-stage"
    # the wheel disc, drawn with the rotor
    D.register([(CS_DISC[0], CS_TIP), (CS_DISC[1], mirror(CS_TIP))], P)
    for s in (1, -1):
        def Y(y):
            return y if s == 1 else mirror(y)
        # moving blades of the control wheel
        poly([(CS_BLADE[0], Y(CS_RIM)), (CS_BLADE[1], Y(CS_RIM)), (CS_BLADE[1] - 0.8, Y(CS_TIP)),
              (CS_BLADE[0] + 0.8, Y(CS_TIP))], BLADE, MEDIUM, part=P)
        # nozzle box: walls hatched, steam space white, nozzle row on its outlet face
        a, b = sorted((Y(NB_Y0), Y(NB_Y1)))
        ci0, ci1 = sorted((Y(NB_Y0 + 3), Y(NB_Y1 - 4)))
        path("M%s,%s H%s V%s H%s Z M%s,%s V%s H%s V%s Z" % (
            num(NB_X0 + 6), num(a), num(NB_X1), num(b), num(NB_X0 + 6), num(NB_X0 + 6), num(ci0), num(ci1),
            num(NB_X1 - 4), num(ci0)), DIA, MEDIUM, extent=[(NB_X0 + 6, a), (NB_X1, b)], part=P)
        n0, n1 = sorted((Y(CS_TIP), Y(CS_RIM)))
        rect(NB_X0, n0, NB_X0 + 6, n1, VANE, MEDIUM, part=P)   # nozzles
        rect(NB_X0, a, NB_X0 + 6, n0, DIA, MEDIUM, part=P)
        rect(NB_X0, n1, NB_X0 + 6, b, DIA, MEDIUM, part=P)
    end()


def draw_hp_outlet():
    group("hp-outlet", "Steam outlet pipe from the HP exhaust to the reheater")
    P = "hp-outlet"
    poly([(238, 350), (276, 350), (276, 392), (302, 392), (302, 424), (238, 424)], PIPE, MEDIUM, part=P)
    # the pipe widens below the branch to a larger bore for the long run to the boiler
    poly([(238, 424), (302, 424), (318, 436), (238, 436)], PIPE, MEDIUM, part=P)
    rect(234, 436, 322, 442, PIPE, MEDIUM, part=P)             # flange pair
    rect(234, 442, 322, 448, PIPE, MEDIUM, part=P)
    for x in (242, 258, 298, 314):
        line(x, 434, x, 450, THIN, part=P)                # bolts
    rect(238, 448, 318, 476, PIPE, MEDIUM, part=P)
    cut_end(238, 318, 475, 473, 479, P)
    line(270, 356, 270, 424, THIN, dash=CENTRE_DASH)
    line(278, 436, 278, 484, THIN, dash=CENTRE_DASH)
    end()


def draw_extraction(part, comment, xs, top, half, joint, bottom):
    """Extraction pipes (centre x in xs, half wide) going down from the casing's lower
    wall at top to a flange from joint to bottom, 4 px wider either side."""
    group(part, comment)
    for cx in xs:
        rect(cx - half, top, cx + half, joint, PIPE, MEDIUM, part=part)
        rect(cx - half - 4, joint, cx + half + 4, bottom, PIPE, MEDIUM, part=part)
    end()


def flanged_end(x0, x1, y, cut_y, centre, part):
    """The upper end of a rising pipe x0..x1 wide: a flange pair meeting at y, the
    pipe cut off above it at cut_y, and the centre line from centre[0] to centre[1]."""
    rect(x0 - 4, y, x1 + 4, y + 6, PIPE, MEDIUM, part=part)
    rect(x0, y - 6, x1, y, PIPE, MEDIUM, part=part)
    cut_end(x0, x1, cut_y, cut_y - 5, cut_y + 2, part)
    line((x0 + x1) / 2, centre[0], (x0 + x1) / 2, centre[1], THIN, dash=CENTRE_DASH)


def draw_control_valve():
    group("control-valve", "Control valve: steam chest, valve plug with stem, seat and outlet neck")
    P = "control-valve"
    # steam chest (cast body, section); inlet from the supply pipe at the left,
    # seat opening in the floor
    path("M398,136 H474 V186 H398 Z M404,142 H468 V180 H446 V186 H434 V180 H404 V176 H398 "
         "V164 H404 Z", DIA, MEDIUM, extent=[(398, 136), (474, 186)], part=P)
    rect(414, 128, 466, 136, DIA, MEDIUM, part=P)              # cover
    rect(432, 124, 448, 128, DIA, MEDIUM, part=P)              # stem gland
    # outlet neck through the casing boss into the nozzle box
    rect(428, 186, 434, 201, DIA, MEDIUM, part=P)
    rect(446, 186, 452, 201, DIA, MEDIUM, part=P)
    rect(434.6, 186.6, 445.4, 201.4, WHITE, 0, part=None)
    # seat and plug
    poly([(434, 180), (428, 174), (452, 174), (446, 180)], DIA, MEDIUM, part=P)
    path("M424,166 H456 V170 Q456,176 440,177 Q424,176 424,170 Z", SHELL, MEDIUM,
         extent=[(424, 164), (456, 177)], part=P)
    rect(438, 118, 442, 166, ROTOR, MEDIUM, part=P)             # stem
    end()


def draw_actuator():
    group("valve-actuator", "Control valve actuator: pilot slide valve, hydraulic servomotor "
          "lifting the valve through a lever; closing spring on the valve stem")
    P = "actuator"
    # closing spring between gland and spring plate
    rect(424, 84, 456, 90, PIPE, MEDIUM, part=P)
    vspring(427, 453, 90, 124, 5, P)
    rect(438, 48, 442, 84, ROTOR, MEDIUM, part=P)               # stem up to the lever
    # fulcrum column standing on the steam chest
    rect(400, 52, 410, 136, PIPE, MEDIUM, part=P)
    rect(396, 34, 414, 52, PIPE, MEDIUM, part=P)
    # lever
    path("M398,38 H528 Q533,44 528,50 H398 Z", PIPE, MEDIUM, extent=[(398, 38), (533, 50)], part=P)
    for x in (405, 440, 512):
        circle(x, 44, 2.6, WHITE, MEDIUM, part=P)
    rect(434, 46, 446, 56, PIPE, MEDIUM, part=P)                # stem clevis
    # servomotor: cylinder with covers, piston rod up to the lever
    rect(486, 60, 534, 67, PIPE, MEDIUM, part=P)
    rect(490, 67, 530, 128, PIPE, MEDIUM, part=P)
    rect(486, 128, 534, 135, PIPE, MEDIUM, part=P)
    rect(508, 50, 516, 60, ROTOR, MEDIUM, part=P)
    line(510, 64, 510, 131, THIN, dash=CENTRE_DASH, part=P)
    for y in (76, 118):                                   # oil connections
        rect(530, y - 3, 534, y + 3, ROTOR, THIN, part=P)
    line(494, 98, 526, 98, THIN, part=P)                  # piston position (hidden)
    # bracket from the steam chest to the servomotor
    poly([(474, 135), (534, 135), (534, 142), (474, 150)], DIA, MEDIUM, part=P)
    # pilot slide valve above the lever, moved by the governor's oil signal and
    # fed back from the lever; its oil lines run down to the servomotor
    rect(486, 8, 530, 30, PIPE, MEDIUM, part=P)
    rect(492, 13, 524, 25, WHITE, THIN, part=P)
    rect(497, 15, 519, 23, ROTOR, THIN, part=P)                 # spool
    rect(519, 30, 523, 38, ROTOR, MEDIUM, part=P)               # feedback rod from the lever
    for x in (530, 534):
        rect(x, 12 if x == 530 else 22, x + 4, 16 if x == 530 else 26, ROTOR, THIN, part=P)
    rect(534, 12, 538, 73, PIPE, THIN, part=P)                  # oil line to the upper chamber
    end()


def draw_valve_supply():
    group("valve-steam-supply", "Steam supply pipe to the control valve (from the stop valve)")
    P = "valve-supply"
    path("M342,146 V176 Q342,188 354,188 H392 V164 H368 V146 Z", PIPE, MEDIUM,
         extent=[(342, 146), (392, 188)], part=P)
    rect(392, 160, 398, 192, PIPE, MEDIUM, part=P)              # flange at the steam chest
    flanged_end(342, 368, 140, 135, (140, 180), P)
    end()


def draw_ip_casing():
    group("ip-casing", "IP cylinder casing (section) with the exhaust branch to the LP crossover")
    P = "ip-casing"
    # upper half, left of the reheat steam inlet
    poly([(648, 237), (648, 214), (656, 204), (668, 204), (668, 214), (658, 214), (658, 237)],
         CASE, HEAVY, part=P)
    # upper half, right of the inlet, with the exhaust branch
    up = inner_contour(IP_C, ip_h, IP_ROOT_U, -1)
    pts = [(708, 204), (742, 204), (752, 194), (918, 194), (918, 178), (912, 178), (912, 170),
           (964, 170), (964, 178), (958, 178), (958, 257), (950, 257), (950, 178), (926, 178),
           (926, up[-1][1])]
    pts += list(reversed(up))
    pts += [(708, up[0][1])]
    poly(pts, CASE, HEAVY, part=P)
    # lower half with the paws for keys 3 and 4
    lo = inner_contour(IP_C, ip_h, IP_ROOT_L, 1)
    pts = [(644, 320), (652, 320), (652, 344), (698, 344), (698, lo[0][1])]
    pts += lo
    pts += [(920, 392), (950, 392), (950, 338), (958, 338), (958, 376), (1010, 376),
            (1010, 388), (958, 388), (958, 404), (712, 404), (676, 350), (634, 350),
            (634, 338), (644, 338)]
    poly(pts, CASE, HEAVY, part=P)
    for cx in (742, 795, 846):
        rect(cx - 3.5, contour_at(lo, cx), cx + 3.5, 404.5, WHITE, THIN, part="ip-extraction")
    # crossover connection above the exhaust branch
    rect(922, 152, 954, 170, PIPE, MEDIUM, part=None)
    cut_end(922, 954, 152, 146, 154)
    end()


def draw_reheat_supply():
    group("reheat-steam-supply", "Steam supply pipe from the reheater to the IP inlet")
    P = "reheat-supply"
    rect(664, 110, 724, 194, PIPE, MEDIUM, part=P)
    rect(660, 194, 728, 204, PIPE, MEDIUM, part=P)              # flange on the casing
    for x in (666, 676, 712, 722):
        line(x, 192, x, 206, THIN, part=P)
    flanged_end(664, 724, 110, 103, (108, 200), P)
    end()


def draw_middle_pedestal():
    group("middle-pedestal", "Middle bearing pedestal between HP and IP cylinders")
    P = "middle-pedestal"
    poly([(540, 266), (540, 206), (632, 206), (632, 266), (624, 266), (624, 214), (548, 214),
          (548, 266)], CASE, HEAVY, part=P)
    poly([(540, 318), (548, 318), (548, 370), (624, 370), (624, 318), (632, 318), (632, 374),
          (678, 374), (678, 440), (486, 440), (486, 374), (540, 374)], CASE, HEAVY, part=P)
    end()


def draw_thrust_bearing():
    group("thrust-bearing", "Thrust bearing with journal part: collar on the shaft between two "
          "rings of thrust pads")
    P = "thrust"
    for s in (1, -1):
        def Y(y):
            return y if s == 1 else mirror(y)

        def P_(pts):
            return [(x, Y(y)) for x, y in pts]
        poly(P_([(560, 214), (624, 214), (624, 268), (612, 268), (612, 224), (584, 224),
                 (584, 268), (574, 268), (574, 266), (560, 266)]), SEAL, MEDIUM, part=P)
        a, b = sorted((Y(266), Y(270)))
        rect(560, a, 574, b, SHELL, MEDIUM, part=P)             # journal white metal
        a, b = sorted((Y(238), Y(264)))
        rect(585, a, 592, b, SHELL, MEDIUM, part=P)             # thrust pads
        rect(604, a, 611, b, SHELL, MEDIUM, part=P)
        for yy in (244, 251, 258):
            line(585, Y(yy), 592, Y(yy), THIN, part=P)
            line(604, Y(yy), 611, Y(yy), THIN, part=P)
    D.register([(593, AXIS - 58), (603, AXIS + 58)], P)    # collar (drawn with the rotor)
    end()


def T_key(x0, x1, y0, y1, sx0, sx1, part):
    """Vertical key: T-shaped key, head under the casing paw, stem in the slot of the console."""
    rect(sx0 - 1.5, y1 - 17, sx1 + 1.5, y1 + 1, WHITE, THIN, part=None)   # slot
    poly([(x0, y0), (x1, y0), (x1, y0 + 8), (sx1, y0 + 8), (sx1, y1), (sx0, y1), (sx0, y0 + 8),
          (x0, y0 + 8)], SEAL, MEDIUM, part=part)


def draw_keys():
    group("vertical-keys", "Vertical keys between the casing paws and the pedestals")
    T_key(197, 232, 358, 397, 208, 222, "key-1")
    T_key(492, 537, 350, 388, 507, 521, "key-2")
    T_key(634, 673, 350, 388, 647, 660, "key-3")
    # rear pedestal console (the pedestal itself lies beyond the picture)
    poly([(962, 420), (1010, 420), (1010, 440), (962, 440)], CASE, HEAVY, part="rear-pedestal")
    T_key(972, 1008, 388, 436, 984, 998, "key-4")
    end()


def draw_base():
    group("foundation", "Top of the foundation")
    line(0, 440, 232, 440, HEAVY)
    line(324, 440, W, 440, HEAVY)
    end()


# labels: text, x, baseline, anchor, leader points (last point = dot on the part)
LABELS = [
    ("Control valve actuator", 372, 30, "end", [(375, 26), (424, 26), (424, 41)]),
    ("Front bearing pedestal", 26, 96, "start", [(30, 100), (30, 212)]),
    ("Steam supply to control valve", 334, 122, "end", [(337, 118), (355, 152)]),
    ("HP stage diaphragms", 296, 148, "end", [(299, 144), (328, 238)]),
    ("HP stage blades", 290, 174, "end", [(293, 170), (300, 236)]),
    ("Rear end seal of HPP", 188, 196, "end", [(191, 192), (236, 250)]),
    ("Control valve", 486, 166, "start", [(483, 162), (466, 160)]),
    ("Rotor", 534, 190, "start", [(531, 186), (527, 186), (527, 284)]),
    ("Thrust bearing", 558, 128, "start", [(598, 131), (598, 246)]),
    ("Steam supply pipe from reheater", 560, 50, "start", [(690, 54), (690, 140)]),
    ("IP stage diaphragms", 786, 70, "start", [(790, 74), (786, 238)]),
    ("IP stage blades", 846, 96, "start", [(850, 100), (844, 236)]),
    ("Rear end seal of IPP", 1002, 126, "end", [(985, 130), (985, 262)]),
    # bottom band
    ("Control stage", 362, 436, "start", [(430, 425), (430, 383)]),
    ("Oil pump", 99, 458, "end", [(95, 447), (95, 334)]),
    ("Vertical key", 230, 458, "end", [(226, 447), (215, 392)]),
    ("HP extraction pipes", 345, 458, "start", [(349, 447), (350, 412)]),
    ("Vertical key", 510, 458, "start", [(514, 447), (514, 384)]),
    ("Front end seal of IPP", 684, 458, "start", [(688, 447), (688, 336)]),
    ("IP extraction pipes", 844, 458, "start", [(848, 447), (846, 428)]),
    ("Speed control unit", 28, 478, "start", [(32, 467), (32, 338)]),
    ("Front end seal of HPP", 470, 478, "start", [(474, 467), (474, 334)]),
    ("Vertical key", 653, 478, "start", [(657, 467), (653, 384)]),
    ("Vertical key", 994, 478, "end", [(990, 467), (991, 416)]),
    ("Automatic safety device", 146, 504, "start", [(150, 487), (150, 336)]),
    ("Steam outlet pipe to reheater", 340, 504, "start", [(337, 498), (292, 458)]),
]


def draw_labels():
    group("labels", "Leader lines, dots and names of the parts")
    for text, x, y, anchor, pts in LABELS:
        D.label(text, x, y, anchor, pts, ink("none", RED, LEADER), ink(RED))
    end()


# (node, name, part keys) of each row of the data file; nodes with several boxes have several rows
PARTS = [
    (13, "Speed control unit", ["governor"]),
    (12, "Oil pump", ["oil-pump"]),
    (25, "Automatic safety device", ["safety"]),
    (8, "Rotor (shaft and drums; discs and thrust collar reach farther out)", ["rotor"]),
    (33, "Rear end seal of HPP", ["hp-seal-rear"]),
    (23, "HP stage diaphragms, upper half", ["hp-diaphragms-u"]),
    (23, "HP stage diaphragms, lower half", ["hp-diaphragms-l"]),
    (24, "HP stage blades, upper half", ["hp-blades-u"]),
    (24, "HP stage blades, lower half", ["hp-blades-l"]),
    (4, "Control stage (nozzle boxes, nozzles, wheel)", ["control-stage"]),
    (34, "Front end seal of HPP", ["hp-seal-front"]),
    (5, "Control valve", ["control-valve"]),
    (32, "Control valve actuator (servomotor, lever, closing spring)", ["actuator"]),
    (16, "Steam supply pipe to control valve", ["valve-supply"]),
    (18, "Steam outlet pipe to reheater", ["hp-outlet"]),
    (14, "Steam extraction pipes from HPP", ["hp-extraction"]),
    (11, "Thrust bearing", ["thrust"]),
    (35, "Front end seal of IPP", ["ip-seal-front"]),
    (6, "IP stage diaphragms, upper half", ["ip-diaphragms-u"]),
    (6, "IP stage diaphragms, lower half", ["ip-diaphragms-l"]),
    (7, "IP stage blades, upper half", ["ip-blades-u"]),
    (7, "IP stage blades, lower half", ["ip-blades-l"]),
    (36, "Rear end seal of IPP", ["ip-seal-rear"]),
    (17, "Steam supply pipe from reheater", ["reheat-supply"]),
    (30, "Steam extraction pipes from IPP", ["ip-extraction"]),
    (26, "Vertical key under the HP exhaust end", ["key-1"]),
    (26, "Vertical key under the HP front end", ["key-2"]),
    (26, "Vertical key under the IP front end", ["key-3"]),
    (26, "Vertical key under the IP exhaust end", ["key-4"]),
]


# End seals: group id, comment, x0, x1, housing top and bottom, shaft radius, part.
END_SEALS = [
    ("hp-rear-end-seal", "Rear end seal of the HP cylinder", 210, 274, 238, 342, 26, "hp-seal-rear"),
    ("hp-front-end-seal", "Front end seal of the HP cylinder", 446, 513, 238, 342, 26, "hp-seal-front"),
    ("ip-front-end-seal", "Front end seal of the IP cylinder", 652, 698, 237, 344, 26, "ip-seal-front"),
    ("ip-rear-end-seal", "Rear end seal of the IP cylinder", 938, 1008, 255, 338, 20, "ip-seal-rear"),
]


def draw_cylinder(cylinder, casing, *stages):
    """Casing, end seals and stages (the further arguments of draw_stages) of a
    cylinder, in the order they overlap."""
    casing()
    for seal in END_SEALS:
        if seal[0].startswith(cylinder + "-"):
            draw_seal(*seal)
    draw_stages(cylinder, *stages)


def build():
    D.begin("Governing end of the turbine, longitudinal section. Generated by front.py.")
    draw_defs()
    draw_base()
    draw_front_pedestal()
    draw_middle_pedestal()
    draw_rotor()
    draw_governor()
    draw_oil_pump()
    draw_safety_device()
    draw_cylinder("hp", draw_hp_casing,
                  "HP pressure stages: diaphragms (T-shaped, hatched) and moving blades",
                  HP_N, hp_stage, hp_h, (HP_ROOT_U, HP_ROOT_L), (HP_HUB_U, HP_HUB_L), 0.6)
    draw_control_stage()
    draw_control_valve()
    draw_actuator()
    draw_valve_supply()
    draw_hp_outlet()
    draw_extraction("hp-extraction", "Steam extraction pipes from the HP cylinder (to the HP heaters)",
                    (316, 350), 392, 6, 410, 415)
    draw_thrust_bearing()
    draw_cylinder("ip", draw_ip_casing, "IP stages: diaphragms (T-shaped, hatched) and moving blades",
                  IP_N, ip_stage, ip_h, (IP_ROOT_U, IP_ROOT_L), (IP_HUB_U, IP_HUB_L), 1)
    draw_reheat_supply()
    draw_extraction("ip-extraction",
                    "Steam extraction pipes from the IP cylinder (to the deaerator and heaters)",
                    (742, 795, 846), 404, 7, 426, 432)
    draw_keys()
    draw_flow_arrows()
    group("centre-line", "Shaft centre line, one line along the whole axis")
    line(2, AXIS, W - 1, AXIS, THIN, dash=CENTRE_DASH)
    end()
    draw_labels()


def main():
    build()
    D.save(output_dir(), PARTS)


if __name__ == "__main__":
    main()
