#!/usr/bin/env python3
"""Writes rear.svg, the rear close-up of the turbine set: a longitudinal section
of the low-pressure end from the intermediate-pressure exhaust through the
double-flow low-pressure cylinder to the generator.

One user unit is one pixel of the rendered picture (its size is in sizes.tsv),
shaft axis at y = 293.  Where a part must sit (couplings, stage region, Bauman
stages, end seals, atmospheric valves, extraction pipe, turning gear, generator
rotor) is read from rear.parts.tsv next to this script, so the drawing and that
data file share their numbers.  Only the Python standard library is used; the
helpers shared with the other drawings are in drawing.py.

    python3 assets/pictures/rear.py [FOLDER]   # then: scripts/render-pictures rear
"""
from drawing import (BLADE, CENTRE_DASH, FONT, HEAVY, LEADER, MEDIUM, PIPE, RED, ROTOR, THIN, VANE,
                     XML_DECLARATION, Drawing, css, leader_start, num, output_dir, read_parts)

AX = 293                      # shaft axis
# black and white as the style sheet writes them
INK, PAPER = "#000", "#fff"

D = Drawing("rear", AX, css, css, spaced=True)
W, H = D.width, D.height
poly, polyline, rect, line, circle, path = D.polygon, D.polyline, D.rect, D.line, D.circle, D.path
group, end, my, both = D.group, D.end, D.mirror_y, D.halves

# ---------------------------------------------------------------- part boxes
BOXES = read_parts("rear")
(CPL_IP, CPL_GEN, STAGES, GEN_ROTOR, TURNING, VALVE_L, VALVE_R, EXTRACT, SEAL_L, SEAL_R, BAUMAN_L,
 BAUMAN_R) = (BOXES[name] for name in (
     "Coupling IP-LP with the IP rear and LP front bearings",
     "Coupling LP-generator with the LP rear and generator bearings",
     "LP stage blades, upper half",
     "Generator rotor",
     "Turning gear: gear rim, pinion, gearbox and motor (upper half)",
     "Atmospheric valve, left exhaust hood",
     "Atmospheric valve, right exhaust hood",
     "LP steam extraction pipe",
     "LP end seal, IP side",
     "LP end seal, generator side",
     "Bauman stage, left flow, upper half",
     "Bauman stage, right flow, upper half"))

# The two LP flows are mirror images about the inlet plane.
MIRROR_X = BAUMAN_L[0] + BAUMAN_R[2]          # x' = MIRROR_X - x
INLET_X = MIRROR_X / 2.0
RIM = STAGES[3]                               # disc rim line (blade roots), upper half
SHAFT_R = 22                                  # LP shaft radius between the discs


def mx(x):
    """Mirror an x coordinate about the LP inlet plane."""
    return MIRROR_X - x


def fx(points):
    """Mirror points to the other LP flow."""
    return [(mx(x), y) for x, y in points]


def wall(d, width=6, fill=PIPE, outline=1.2):
    """A thin sectioned wall drawn along the centre path d: two outlines of
    `outline` px with a flat grey section between them."""
    D.band(d, width, width - 2 * outline, fill, INK, join="round")


def pipe(d, outer, wall_t=4.6):
    """A pipe in section along the centre path d: walls of wall_t px, bore white."""
    D.band(d, outer, outer - 2.4, PIPE, INK)
    D.band(d, outer - 2 * wall_t + 2.4, outer - 2 * wall_t, PAPER, INK)


# ---------------------------------------------------------------- elements
def rotor(profile, extra_cls=""):
    """A rotor drawn from its upper contour [(x, r), ...] and its mirror."""
    top = [(x, AX - r) for x, r in profile]
    bot = [(x, AX + r) for x, r in reversed(profile)]
    poly(top + bot, "rotor " + extra_cls)


def disc(x0, x1, rim_y=None, hub_extra=4, web_cut=3):
    """A shrunk-on disc carrying a blade row from x0 to x1 (upper and lower half)."""
    rim_y = RIM if rim_y is None else rim_y
    r_rim = AX - rim_y
    r_web = SHAFT_R + (r_rim - SHAFT_R) * 0.45
    shape = [(x0 - hub_extra, AX - SHAFT_R + 1), (x0 - hub_extra, AX - SHAFT_R - 6),
             (x0 + web_cut, AX - r_web), (x0 + web_cut, rim_y + 6), (x0 - 1, rim_y + 4),
             (x0 - 1, rim_y), (x1 + 1, rim_y), (x1 + 1, rim_y + 4), (x1 - web_cut, rim_y + 6),
             (x1 - web_cut, AX - r_web), (x1 + hub_extra, AX - SHAFT_R - 6),
             (x1 + hub_extra, AX - SHAFT_R + 1)]
    for p in both(shape):
        poly(p, "rotor thin")


def blade(x0, x1, tip, root=None, shroud=False, taper=None):
    """A moving blade row standing on its disc rim (upper and lower half)."""
    root = RIM if root is None else root
    t = (x1 - x0) * 0.22 if taper is None else taper
    shape = [(x0, root), (x1, root), (x1 - t, tip), (x0 + t, tip)]
    for p in both(shape):
        poly(p, "blade")
    if shroud:
        for y in (tip - 3, my(tip)):
            rect(x0 - 0.5, y, x1 - x0 + 1, 3, "blade")


def diaphragm(x0, x1, tip0, tip1, rim_top, root=None, hub_y=None, teeth=3):
    """A diaphragm: outer rim let into the casing (hatched), nozzle vanes across
    the flow path (light), inner body down to a labyrinth at the shaft (hatched),
    upper and lower half.  tip0/tip1 are the vane tip heights at x0/x1."""
    root = RIM if root is None else root
    hub_y = AX - SHAFT_R - 4 if hub_y is None else hub_y
    rim = [(x0 - 1.5, rim_top), (x1 + 1.5, rim_top), (x1 + 1.5, tip1), (x0 - 1.5, tip0)]
    vane = [(x0, root), (x1, root), (x1, tip1), (x0, tip0)]
    body = [(x0, root), (x1, root), (x1, root + 5), (x1 - 2, root + 8), (x1 - 2, hub_y),
            (x0 + 2, hub_y), (x0 + 2, root + 8), (x0, root + 5)]
    for k, (r, v, b) in enumerate(zip(both(rim), both(vane), both(body))):
        poly(r, "h135 thin")
        poly(v, "vane")
        poly(b, "h135 thin")
        yy = hub_y if k == 0 else my(hub_y)
        step = (x1 - x0 - 4) / float(teeth + 1)
        for i in range(1, teeth + 1):
            xx = x0 + 2 + i * step
            line(xx, yy, xx, yy + (3 if k == 0 else -3), "thin")


def bearing(x0, x1, r_j, r_out, bottom):
    """Journal bearing: hatched housing above and below the journal with the
    babbitted shells around it; the lower housing reaches down to `bottom`."""
    shell = 5
    for top, ht in ((AX - r_out, r_out - r_j - shell), (AX + r_j + shell, bottom - (AX + r_j + shell))):
        rect(x0, top, x1 - x0, ht, "h45 thick")
    for y in (AX - r_j - shell, AX + r_j):
        rect(x0 + 3, y, x1 - x0 - 6, shell, "h135 thin")
        rect(x0 + 3, y + (shell - 1.6 if y < AX else 0), x1 - x0 - 6, 1.6, "babbitt")
    # oil drain groove in the lower housing
    xm = (x0 + x1) / 2.0
    rect(xm - 2, AX + r_j + shell, 4, 6, "white thin")


def pedestal(x0, x1, top, base, foot=6):
    poly([(x0 + 2, top), (x1 - 2, top), (x1 + foot, base), (x0 - foot, base)], "h45 thick")


def bolts(xa, xb, r=31):
    """Coupling bolts through a flange pair xa..xb, upper and lower."""
    for yc in (AX - r, AX + r):
        rect(xa - 2, yc - 2.5, xb - xa + 4, 5, "bolt")
        rect(xa - 6, yc - 4, 4, 8, "bolt")
        rect(xb + 2, yc - 4, 4, 8, "bolt")


def seal(x0, x1, r_out, r_in=SHAFT_R, pitch=4):
    """Labyrinth end seal: hatched housing with fins against the shaft."""
    for k in (0, 1):
        if k == 0:
            y0, y1 = AX - r_out, AX - r_in - 3
        else:
            y0, y1 = AX + r_in + 3, AX + r_out
        rect(x0, y0, x1 - x0, y1 - y0, "h135 thick")
        # annular chamber (sealing steam supply / leak-off) splitting the labyrinth
        xm = (x0 + x1) / 2.0
        ch = 10
        rect(xm - 3, (y1 - ch) if k == 0 else y0, 6, ch, "white thin")
        x = x0 + 2
        while x <= x1 - 2:
            if abs(x - xm) < 4:
                x += pitch
                continue
            if k == 0:
                line(x, y1, x, y1 + 2.4, "fin")
            else:
                line(x, y0, x, y0 - 2.4, "fin")
            x += pitch


def valve(x0, y0, x1, y1):
    """Atmospheric valve standing on the exhaust hood: a thin bursting diaphragm
    clamped between the body flange and a clamping ring, and above it a knife on
    the cover; when the hood pressure rises above atmospheric the diaphragm bulges
    up against the knife, tears, and the steam escapes through the cover's side
    openings."""
    w = x1 - x0
    c = (x0 + x1) / 2.0
    rect(x0 + 23, y1 - 1, w - 46, 8, "white", ' stroke="none"')  # opening in the hood top
    for x in (x0 + 23, x1 - 23):
        line(x, y1, x, y1 + 6, "thin")
    rect(x0, y1 - 7, 23, 7, "h45 thin")                        # base flange (annular, cut)
    rect(x1 - 23, y1 - 7, 23, 7, "h45 thin")
    rect(x0 + 9, y0 + 41, 9, y1 - 7 - (y0 + 41), "h45 thin")   # body walls
    rect(x1 - 18, y0 + 41, 9, y1 - 7 - (y0 + 41), "h45 thin")
    rect(x0 + 3, y0 + 36, w - 6, 5, "h45 thin")                # body flange
    rect(x0 + 3, y0 + 34, w - 6, 2, "blade")                   # bursting diaphragm (thin sheet)
    rect(x0 + 3, y0 + 29, w - 6, 5, "h135 thin")               # clamping ring
    for x in (x0 + 6, x1 - 8):                                 # studs through ring and flange
        rect(x, y0 + 26, 2, 18, "bolt")
    rect(x0 + 9, y0 + 8, 9, 21, "h45 thin")                    # cover walls
    rect(x1 - 18, y0 + 8, 9, 21, "h45 thin")
    rect(x0 + 9, y0 + 3, w - 18, 5, "h45 thin")                # cover top
    for x in (x0 + 9, x1 - 18):                                # openings to atmosphere
        rect(x, y0 + 13, 9, 10, "white thin")
    # knife: stem from the cover, cross-shaped blade pointing down at the diaphragm
    rect(c - 2, y0 + 8, 4, 14, "stem")
    poly([(c - 12, y0 + 22), (c + 12, y0 + 22), (c, y0 + 32)], "blade")


def quad_y(p0, c, p1, x):
    """y of the quadratic Bezier p0-c-p1 at abscissa x (x monotonic along the curve)."""
    lo, hi = 0.0, 1.0
    bx = lambda t: (1 - t) ** 2 * p0[0] + 2 * t * (1 - t) * c[0] + t * t * p1[0]
    inc = p1[0] > p0[0]
    for _ in range(40):
        t = (lo + hi) / 2
        if (bx(t) < x) == inc:
            lo = t
        else:
            hi = t
    t = (lo + hi) / 2
    return (1 - t) ** 2 * p0[1] + 2 * t * (1 - t) * c[1] + t * t * p1[1]


def arrow(x1, y1, x2, y2, cls="flow"):
    line(x1, y1, x2, y2, cls, 'marker-end="url(#ah)"')


# ================================================================ drawing
D.emit(XML_DECLARATION)
D.emit(D.root())
D.comment("Rear close-up: IP exhaust, crossover, double-flow LP cylinder, generator end."
          " Longitudinal section, shaft axis at y=%d. Generated by rear.py." % AX)
D.emit("""<defs>
  <pattern id="p45" width="4.5" height="4.5" patternUnits="userSpaceOnUse" patternTransform="rotate(45)">
    <rect width="4.5" height="4.5" fill="{paper}"/><line x1="2.25" y1="0" x2="2.25" y2="4.5" stroke="{ink}" stroke-width="{thin}"/>
  </pattern>
  <pattern id="p135" width="4.5" height="4.5" patternUnits="userSpaceOnUse" patternTransform="rotate(-45)">
    <rect width="4.5" height="4.5" fill="{paper}"/><line x1="2.25" y1="0" x2="2.25" y2="4.5" stroke="{ink}" stroke-width="{thin}"/>
  </pattern>
  <pattern id="pground" width="6" height="6" patternUnits="userSpaceOnUse" patternTransform="rotate(45)">
    <rect width="6" height="6" fill="{paper}"/><line x1="3" y1="0" x2="3" y2="6" stroke="{ink}" stroke-width="{thin}"/>
  </pattern>
  <marker id="ah" markerWidth="8" markerHeight="8" refX="7" refY="4" orient="auto" markerUnits="userSpaceOnUse">
    <path d="M0,1 L7,4 L0,7 Z" fill="{ink}"/>
  </marker>
  <style>
    polygon, rect, path, circle, line, polyline {{ stroke-linejoin: round; }}
    .thick {{ stroke: {ink}; stroke-width: {heavy}; }}
    .thin {{ stroke: {ink}; stroke-width: {medium}; }}
    .h45 {{ fill: url(#p45); }}
    .h135 {{ fill: url(#p135); }}
    .ground {{ fill: url(#pground); stroke: none; }}
    .rotor {{ fill: {rotor}; stroke: {ink}; stroke-width: {heavy}; }}
    .rotor.thin {{ stroke-width: {medium}; }}
    .blade {{ fill: {blade}; stroke: {ink}; stroke-width: {medium}; }}
    .vane {{ fill: {vane}; stroke: {ink}; stroke-width: {medium}; }}
    .bolt {{ fill: {blade}; stroke: {ink}; stroke-width: {thin}; }}
    .stem {{ fill: {rotor}; stroke: {ink}; stroke-width: {medium}; }}
    .babbitt {{ fill: #505050; stroke: none; }}
    .white {{ fill: {paper}; }}
    .grey {{ fill: {pipe}; stroke: {ink}; stroke-width: {medium}; }}
    .none {{ fill: none; stroke: {ink}; stroke-width: {medium}; }}
    .fin {{ stroke: {ink}; stroke-width: 0.8; }}
    .detail {{ fill: none; stroke: {ink}; stroke-width: {thin}; }}
    .flow {{ stroke: {ink}; stroke-width: {thin}; }}
    .centre {{ fill: none; stroke: {ink}; stroke-width: {thin}; stroke-dasharray: {dash}; }}
    .leader {{ fill: none; stroke: {red}; stroke-width: {leader}; }}
    .dot {{ fill: {red}; stroke: none; }}
    text {{ font-family: 'Liberation Sans'; font-size: {font}px; fill: {ink}; }}
  </style>
</defs>""".format(ink=INK, paper=PAPER, heavy=num(HEAVY), medium=num(MEDIUM), thin=num(THIN), rotor=ROTOR,
                  blade=BLADE, vane=VANE, pipe=PIPE, red=RED, leader=num(LEADER), dash=CENTRE_DASH, font=FONT))
rect(0, 0, W, H, "white", ' id="background" stroke="none"')

BASE = 440            # foundation deck top
HOOD_L = VALVE_L[0] - 4 + 3           # centre of the left hood end wall (x)
HOOD_R = VALVE_R[2] + 3 - 3 + 0       # centre of the right hood end wall (x)
HOOD_TOP_L = VALVE_L[3] + 3           # centre line of the left hood top wall
HOOD_TOP_R = VALVE_R[3] + 3
ROOF = 137                            # centre line of the LP roof (outer casing)
INNER_TOP = 150                       # top of the LP inner casing
TIP_B = BAUMAN_L[1]                   # Bauman blade tip (upper half)
SPLIT = 210                           # Bauman splitter band (centre, upper half)

# ---------------------------------------------------------------- foundation
group("foundation", "Foundation deck the bearing pedestals, the IP casing and the generator stand on")
for x0, x1 in ((0, HOOD_L - 3), (HOOD_R + 3, W)):
    rect(x0, BASE, x1 - x0, 9, "ground")
    line(x0, BASE, x1, BASE, "thick")
end()

# ---------------------------------------------------------------- IP cylinder exhaust end
group("ip-exhaust", "IP cylinder, exhaust end: last three stages, exhaust chamber, branch to the crossover, rear end seal")
IP_RIM = 249
ip_stages = [  # diaphragm x0, x1, tip0, tip1, blade x0, x1, tip
    (10, 24, 229, 226, 29, 39, 223),
    (49, 63, 221, 217, 68, 80, 214),
    (91, 107, 212, 208, 112, 126, 204),
]
contour = [(0, 229)]
for d0, d1, t0, t1, b0, b1, bt in ip_stages:
    contour += [(d0 - 1.5, t0), (d1 + 1.5, t1), (b0 - 2, bt - 2), (b1 + 2, bt - 2)]
contour += [(130, 200)]
casing_l = [(0, 150), (188, 150), (188, 157), (160, 157), (140, 168), (132, 184)] + contour[::-1]
casing_end = [(222, 150), (259, 150), (259, 245), (252, 245), (252, 157), (222, 157)]
poly(casing_l, "h45 thick")
poly(casing_end, "h45 thick")
# lower half is closed (no branch)
lower = [(0, 150), (259, 150), (259, 245), (252, 245), (252, 157), (160, 157), (140, 168), (132, 184)] + contour[::-1]
poly([(x, my(y)) for x, y in lower], "h45 thick")
# casing paw on the foundation
poly([(232, my(150)), (259, my(150)), (262, BASE), (228, BASE)], "h45 thick")
# IP rotor, discs, blades, diaphragms
rotor([(0, 24), (286, 24), (290, 18), (336, 18), (341, 24), (343, 40), (CPL_IP[0] + 59, 40)])
for d0, d1, t0, t1, b0, b1, bt in ip_stages:
    disc(b0, b1, rim_y=IP_RIM, hub_extra=3)
    blade(b0, b1, bt, root=IP_RIM, shroud=True)
    diaphragm(d0, d1, t0, t1, 157, root=IP_RIM, hub_y=AX - 27)
# rear end seal of the IP cylinder
seal(250, 288, 48, r_in=24)
# steam flow in the IP exhaust
arrow(140, 226, 168, 226)
arrow(200, 205, 205, 170)
end()

# ---------------------------------------------------------------- crossover pipe
group("crossover", "Crossover pipe from the IP exhaust branch: a short rise, a lower run with the lens expansion joint, a rise to the upper run over the LP cylinder and down into the LP inlet")
XO_LOW, XO_TOP, XO_RISE = 104, 48, 330   # centre lines of the lower and upper runs, and of the rise
XO = ("M 205 144 L 205 128 Q 205 %d 229 %d L %d %d Q %d %d %d %d L %d %d Q %d %d %d %d "
      "L %s %d Q %s %d %s %d L %s 116") % (
    XO_LOW, XO_LOW, XO_RISE - 24, XO_LOW, XO_RISE, XO_LOW, XO_RISE, XO_LOW - 24, XO_RISE, XO_TOP + 24,
    XO_RISE, XO_TOP, XO_RISE + 24, XO_TOP, num(INLET_X - 42), XO_TOP, num(INLET_X), XO_TOP,
    num(INLET_X), XO_TOP + 42, num(INLET_X))
pipe(XO, 44)
# flanges at the IP branch and at the LP inlet
for y in (138, 144):
    rect(173, y, 64, 6, "h45 thin")
for y in (116, 122):
    rect(INLET_X - 28, y, 56, 6, "h45 thin")
for x in (178, 230):
    rect(x, 135, 3, 18, "bolt")
for x in (INLET_X - 24, INLET_X + 21):
    rect(x, 113, 3, 18, "bolt")
# lens expansion joint on the lower run
EJ = 240
top_edge, bottom_edge = XO_LOW - 22, XO_LOW + 22
for i in range(3):
    x0 = EJ + 4 + i * 16
    path("M %d %d Q %d %d %d %d Z" % (x0, top_edge, x0 + 8, top_edge - 26, x0 + 16, top_edge), "grey")
    path("M %d %d Q %d %d %d %d Z" % (x0, bottom_edge, x0 + 8, bottom_edge + 26, x0 + 16, bottom_edge), "grey")
rect(EJ, top_edge - 8, 4, 60, "h45 thin")
rect(EJ + 52, top_edge - 8, 4, 60, "h45 thin")
line(EJ + 2, top_edge - 11, EJ + 54, top_edge - 11, "detail")   # tie rods of the joint
line(EJ + 2, bottom_edge + 11, EJ + 54, bottom_edge + 11, "detail")
arrow(400, XO_TOP, 440, XO_TOP)
arrow(INLET_X, 84, INLET_X, 108)
end()

# ---------------------------------------------------------------- LP outer casing (exhaust hoods)
group("lp-outer-casing", "LP outer casing: roof over the inner casing, exhaust hoods at both ends, inlet nozzle; lower part open to the condenser")
roof_l = INLET_X - 136                   # where the roof slopes down to the hoods
roof_r = mx(roof_l)
hood = "M %s %s L %s %s L %s %s L %s %s L %s %s L %s %s L %s %s L %s %s" % (
    num(HOOD_L), num(HOOD_TOP_L + 12), num(HOOD_L), num(HOOD_TOP_L), num(VALVE_L[2] + 2), num(HOOD_TOP_L),
    num(roof_l), num(ROOF), num(roof_r), num(ROOF), num(VALVE_R[0] - 1), num(HOOD_TOP_R),
    num(HOOD_R), num(HOOD_TOP_R), num(HOOD_R), num(HOOD_TOP_R + 10))
wall(hood, 7, outline=2)
# lower end walls of the hoods = the condenser neck walls
for x, ytop in ((HOOD_L, my(HOOD_TOP_L + 10)), (HOOD_R, my(HOOD_TOP_R + 8))):
    wall("M %s %s L %s %s" % (num(x), num(ytop), num(x), num(H + 4)), 7, outline=2)
    rect(x - 9, BASE - 4, 18, 8, "h45 thin")       # hood-to-neck flange
# inlet nozzle through the roof to the inner casing
for x0 in (INLET_X - 17.5, INLET_X + 13.5):
    rect(x0, 128, 4, INNER_TOP - 128 + 2, "h45 thin")
rect(INLET_X - 28, 128, 56, 6, "h45 thin")
end()

# ---------------------------------------------------------------- deflecting walls
group("deflecting-walls", "Deflecting walls of the exhaust hoods: turn the exhaust steam up into the hood and down to the condenser, enclosing the bearing recesses")
# each wall is a quadratic curve (upper half) from the outer end of the end seal to the hood end wall
DEFL_L = ((SEAL_L[0] + 3, SEAL_L[1] - 2), (HOOD_L + 27, SEAL_L[1] - 7), (HOOD_L + 3, HOOD_TOP_L + 4))
DEFL_R = ((SEAL_R[2] - 3, SEAL_R[1] - 2), (HOOD_R - 40, SEAL_R[1] - 8), (HOOD_R - 3, HOOD_TOP_R + 4))
for p0, c, p1 in (DEFL_L, DEFL_R):
    for f in ((lambda y: y), my):
        wall("M %s %s Q %s %s %s %s" % (num(p0[0]), num(f(p0[1])), num(c[0]), num(f(c[1])),
                                        num(p1[0]), num(f(p1[1]))), 5.5)
end()

# ---------------------------------------------------------------- LP inner casing
group("lp-inner-casing", "LP inner casing carrying the diaphragms, with the annular inlet chamber and the extraction chambers")
bl0, bl1 = BAUMAN_L[0], BAUMAN_L[2]
# left flow, running outward from the inlet (x decreasing)
L1D = (INLET_X - 21.5, INLET_X - 11.5)       # first diaphragm
L1B = (INLET_X - 29.5, INLET_X - 23.5)       # first moving row
L2D = (INLET_X - 41.5, INLET_X - 32.5)
L2B = (INLET_X - 49.5, INLET_X - 43.5)
BD = (bl1 - 15.5, bl1 - 1.5)                  # Bauman diaphragm
BB = (bl0 + 1, bl0 + 19)                      # Bauman moving row
LD = (bl0 - 20, bl0 - 4)                      # last diaphragm (lower tier only)
LB = (STAGES[0], STAGES[0] + 18)              # last moving row
tips = {"L1D": (222, 226), "L1B": 224, "L2D": (214, 219), "L2B": 212,
        "BD": (TIP_B, 198), "LB": 186}
chamber = (INLET_X - 13.5, INLET_X + 13.5)
casing_left = [(chamber[0], INNER_TOP), (bl0 - 6, INNER_TOP), (bl0 - 6, TIP_B - 2),
               (BB[1] + 1, TIP_B - 2), (BD[0] - 1.5, tips["BD"][0]),
               (BD[1] + 1.5, tips["BD"][1]), (BD[1] + 1.5, 208), (L2D[0] - 1.5, 208),
               (L2D[0] - 1.5, tips["L2D"][0]), (L2D[1] + 1.5, tips["L2D"][1]),
               (L2D[1] + 1.5, 220), (L1D[0] - 1.5, 220), (L1D[0] - 1.5, tips["L1D"][0]),
               (L1D[1] + 1.5, tips["L1D"][1]), (chamber[0], 204)]
for pts_ in (casing_left, fx(casing_left)):
    for p in both(pts_):
        poly(p, "h45 thick")
# extraction chambers (lower half): from behind the second stage down to the nozzles
EXN = (EXTRACT[0] + 2, EXTRACT[0] + 20)        # left casing nozzle x range
for f in ((lambda x: x), mx):
    duct = [(f(L2B[0] - 3), my(209)), (f(L2B[0] + 1), my(209)), (f(EXN[1] - 5), my(INNER_TOP)),
            (f(EXN[0] + 5), my(INNER_TOP))]
    poly(duct, "white thin")
    xs = sorted((f(EXN[0]), f(EXN[1])))
    rect(xs[0], my(INNER_TOP), 5, EXTRACT[1] - my(INNER_TOP), "h45 thin")
    rect(xs[1] - 5, my(INNER_TOP), 5, EXTRACT[1] - my(INNER_TOP), "h45 thin")
# flow divider ring at the inlet, joining the two first diaphragms
ring = [(L1D[0], RIM), (mx(L1D[0]), RIM), (mx(L1D[0]), AX - SHAFT_R - 4), (L1D[0], AX - SHAFT_R - 4)]
for p in both(ring):
    poly(p, "h135 thin")
for p in both([(INLET_X - 6, RIM), (INLET_X, RIM - 8), (INLET_X + 6, RIM)]):
    poly(p, "h135 thin")
end()

# ---------------------------------------------------------------- LP rotor
group("lp-rotor", "LP rotor: shaft with shrunk-on discs, half-couplings at both ends")
j_l0 = CPL_IP[2] - 34                      # LP front journal
j_r1 = CPL_GEN[0] + 26                     # LP rear journal end
rotor([(CPL_IP[0] + 59, 40), (CPL_IP[0] + 73, 40), (CPL_IP[0] + 75, 24), (CPL_IP[0] + 80, 18),
       (CPL_IP[2] + 6, 18), (CPL_IP[2] + 10, SHAFT_R), (CPL_GEN[0] - 8, SHAFT_R),
       (CPL_GEN[0] - 4, 18), (j_r1 + 2, 18), (j_r1 + 4, 24), (CPL_GEN[0] + 30, 40),
       (CPL_GEN[0] + 44, 40)])
end()

# ---------------------------------------------------------------- LP stages
group("lp-stages", "LP stages of both flows: diaphragms (hatched bodies, light nozzle vanes) and moving blade rows (dark) on the discs; blades grow toward the exhausts")
for side in (0, 1):
    f = (lambda a, b: (a, b)) if side == 0 else (lambda a, b: (mx(b), mx(a)))
    # first and second stage
    d = f(*L1D); t = tips["L1D"] if side == 0 else tips["L1D"][::-1]
    diaphragm(d[0], d[1], t[0], t[1], 214)
    b = f(*L1B); disc(b[0], b[1], hub_extra=2, web_cut=1.5); blade(b[0], b[1], tips["L1B"], shroud=True)
    d = f(*L2D); t = tips["L2D"] if side == 0 else tips["L2D"][::-1]
    diaphragm(d[0], d[1], t[0], t[1], 202)
    b = f(*L2B); disc(b[0], b[1], hub_extra=2, web_cut=1.5); blade(b[0], b[1], tips["L2B"], shroud=True)
end()

group("bauman-stages", "Bauman (multi-exhaust) stage of each flow: two-tier diaphragm and two-tier moving blade split by a band; the outer tier exhausts straight to the hood, the inner tier feeds the last stage")
for side in (0, 1):
    f = (lambda a, b: (a, b)) if side == 0 else (lambda a, b: (mx(b), mx(a)))
    d = f(*BD)
    t = tips["BD"] if side == 0 else tips["BD"][::-1]
    diaphragm(d[0], d[1], t[0], t[1], TIP_B - 4, teeth=4)
    for y in (SPLIT, my(SPLIT)):
        rect(d[0] + 1, y - 2.5, d[1] - d[0] - 2, 5, "h135 thin")   # splitter in the diaphragm
    b = f(*BB)
    disc(b[0], b[1], hub_extra=1, web_cut=4)
    blade(b[0], b[1], TIP_B, taper=4)
    for y in (SPLIT, my(SPLIT)):
        rect(b[0] - 1.5, y - 2.5, b[1] - b[0] + 3, 5, "rotor thin")  # splitter band on the blades
end()

group("last-stages", "Last stage of each flow behind the Bauman stage, with the splitter ring that carries the outer-tier steam past it")
for side in (0, 1):
    g = (lambda p: p) if side == 0 else fx
    f = (lambda a, b: (a, b)) if side == 0 else (lambda a, b: (mx(b), mx(a)))
    lt = tips["LB"] - 1.5                     # underside of the ring over the last blades
    # it runs on past the last row's exit, so the outer-tier steam and the steam
    # leaving the last blades below it meet only in the hood
    ring = [(bl0 - 1, SPLIT - 2.5), (LD[0], lt + 6), (LB[1], lt - 5), (LB[0] - 14, lt - 8),
            (LB[0] - 17, lt - 4), (LB[0] - 14, lt), (LB[1], lt), (LD[0] - 1, lt + 8), (LD[0], SPLIT + 2.5),
            (bl0 - 1, SPLIT + 2.5)]
    for p in both(g(ring)):
        poly(p, "h135 thin")
    d = f(*LD)
    vane = [(LD[0], RIM), (LD[1], RIM), (LD[1], SPLIT + 2.5), (LD[0], lt + 8)]
    for p in both(g(vane)):
        poly(p, "vane")
    body = [(LD[0], RIM), (LD[1], RIM), (LD[1], RIM + 5), (LD[1] - 3, RIM + 8), (LD[1] - 3, AX - SHAFT_R - 4),
            (LD[0] + 3, AX - SHAFT_R - 4), (LD[0] + 3, RIM + 8), (LD[0], RIM + 5)]
    for p in both(g(body)):
        poly(p, "h135 thin")
    b = f(*LB)
    disc(b[0], b[1], hub_extra=5, web_cut=5)
    blade(b[0], b[1], tips["LB"], taper=5)
    # lacing wire
    for y in (216, my(216)):
        line(b[0] + 1, y, b[1] - 1, y, "detail")
end()

# ---------------------------------------------------------------- LP end seals
group("lp-end-seals", "LP end seals where the shaft leaves the exhaust hoods")
seal(SEAL_L[0], SEAL_L[2], AX - SEAL_L[1], r_in=SHAFT_R)
seal(SEAL_R[0], SEAL_R[2], AX - SEAL_R[1], r_in=SHAFT_R)
end()

# ---------------------------------------------------------------- steam flow
group("steam-flow", "Steam flow arrows: inlet, both flows, outer-tier bypass, exhaust to the condenser")
arrow(INLET_X, 160, INLET_X, 196)
arrow(INLET_X - 4, 236, INLET_X - 20, 236)
arrow(INLET_X + 4, 236, INLET_X + 20, 236)
for s in (0, 1):
    f = (lambda x: x) if s == 0 else mx
    arrow(f(bl0 - 9), 170, f(bl0 - 34), 163)      # outer tier straight to the hood
    arrow(f(STAGES[0] - 4), 222, f(STAGES[0] - 22), 220)
    arrow(f(STAGES[0] - 4), my(222), f(STAGES[0] - 22), my(220))
# exhaust to the condenser
for xc in ((HOOD_L + BAUMAN_L[0]) / 2.0 + 10, (HOOD_R + BAUMAN_R[2]) / 2.0 - 10):
    poly([(xc - 10, 466), (xc + 10, 466), (xc + 10, 490), (xc + 20, 490), (xc, 512), (xc - 20, 490), (xc - 10, 490)], "none")
end()

# ---------------------------------------------------------------- extraction pipe
group("extraction-pipe", "LP steam extraction pipe: branches from the extraction chambers of both flows joined into one pipe going down through the condenser neck")
ex_l = EXN[0] + 9
ex_r = mx(ex_l)
yj = EXTRACT[1] + 32
for x in (ex_l, ex_r):
    rect(x - 11, EXTRACT[1], 22, 5, "h45 thin")        # flange on the casing nozzle
d = "M %s %s L %s %s Q %s %s %s %s L %s %s Q %s %s %s %s L %s %s" % (
    num(ex_l), num(EXTRACT[1] + 5), num(ex_l), num(yj - 14), num(ex_l), num(yj), num(ex_l + 14), num(yj),
    num(ex_r - 14), num(yj), num(ex_r), num(yj), num(ex_r), num(yj - 14), num(ex_r), num(EXTRACT[1] + 5))
pipe(d, 18, 4)
pipe("M %s %s L %s %s" % (num(INLET_X), num(yj - 8), num(INLET_X), num(H + 4)), 30, 4.6)
rect(INLET_X - 21, 505, 42, 6, "h45 thin")
arrow(INLET_X, yj + 10, INLET_X, yj + 30)
end()

# ---------------------------------------------------------------- atmospheric valves
group("atmospheric-valves", "Atmospheric relief valves on the tops of the exhaust hoods")
valve(*VALVE_L)
valve(*VALVE_R)
end()

# ---------------------------------------------------------------- coupling IP-LP and its bearings
group("coupling-ip-lp", "Coupling IP-LP: flanged half-couplings with fitted bolts; IP rear bearing on its pedestal, LP front bearing in the hood recess")
x0, y0, x1, y1 = CPL_IP
bearing(x0, x0 + 34, 18, AX - y0, y1)
pedestal(x0, x0 + 34, y1, BASE)
bearing(x1 - 34, x1, 18, AX - y0, y1)
lower_defl = (DEFL_L[0], DEFL_L[1], DEFL_L[2])
ya = my(quad_y(*lower_defl, x=x1 - 30)) + 1
yb = my(quad_y(*lower_defl, x=x1 - 4)) + 1
poly([(x1 - 30, y1), (x1 - 4, y1), (x1 - 4, yb), (x1 - 30, ya)], "h45 thick")   # support on the hood
bolts(x0 + 45, x0 + 73)
end()

# ---------------------------------------------------------------- coupling LP-generator, turning gear
group("coupling-lp-gen", "Coupling LP-generator: LP rear bearing in the hood recess, flanged half-couplings with bolts, generator bearing on its pedestal")
x0, y0, x1, y1 = CPL_GEN
bearing(x0, x0 + 26, 18, AX - y0, y1)
ya = my(quad_y(*DEFL_R, x=x0 + 3)) + 1
yb = my(quad_y(*DEFL_R, x=x0 + 23)) + 1
poly([(x0 + 3, y1), (x0 + 23, y1), (x0 + 23, yb), (x0 + 3, ya)], "h45 thick")   # support on the hood
bolts(x0 + 30, x0 + 54)
rotor([(x0 + 44, 40), (GEN_ROTOR[0], 40), (GEN_ROTOR[0] + 3, AX - GEN_ROTOR[1]),
       (GEN_ROTOR[2], AX - GEN_ROTOR[1])])
bearing(x1 - 34, x1, AX - GEN_ROTOR[1], AX - y0, y1)
pedestal(x1 - 34, x1, y1, BASE)
end()

group("turning-gear", "Turning gear: gear rim on the LP half-coupling, pinion in its gearbox, electric motor on top")
tx0, ty0, tx1, ty1 = TURNING
gx0, gx1 = tx0, tx0 + 26                  # gear rim on the coupling
for y, h in ((AX - 46, 9), (AX + 37, 9)):
    rect(gx0, y, gx1 - gx0, h, "rotor thin")
for i in range(1, 9):
    xx = gx0 + i * (gx1 - gx0) / 9.0
    line(xx, AX - 46, xx, AX - 42, "detail")
    line(xx, AX + 46, xx, AX + 42, "detail")
# web of the gear wheel down to the coupling flange
rect(gx0 + 8, AX - 37, 10, 8, "rotor thin")
rect(gx0 + 8, AX + 29, 10, 8, "rotor thin")
# gearbox with the pinion, standing on the generator bearing cover
gb_top = AX - 68
poly([(tx0 + 10, AX - 44), (tx0 + 10, gb_top + 6), (tx0 + 18, gb_top), (tx1 - 4, gb_top),
      (tx1 - 4, CPL_GEN[1] - 1), (CPL_GEN[2] - 34, CPL_GEN[1] - 1), (CPL_GEN[2] - 34, AX - 44)], "h45 thick")
circle(tx0 + 26, AX - 57, 10.5, "white thin")
circle(tx0 + 26, AX - 57, 8, "rotor thin")
circle(tx0 + 26, AX - 57, 2, "white thin")
circle(tx0 + 26, AX - 57, 9.5, "detail", 'stroke-dasharray="2 1.5"')
# worm shaft from the motor to the pinion's worm wheel
rect(tx0 + 38, gb_top + 5, tx1 - tx0 - 50, 6, "white thin")
rect(tx0 + 40, gb_top + 6, tx1 - tx0 - 54, 4, "stem")
for i in range(6):
    xx = tx0 + 44 + i * 5
    line(xx, gb_top + 6, xx + 3, gb_top + 10, "detail")
# electric motor on top of the gearbox
mx0, mx1 = tx0 + 40, tx1
rect(mx0 + 4, ty0 + 28, mx1 - mx0 - 8, gb_top - ty0 - 28, "h45 thin")   # motor feet
rect(mx0, ty0 + 6, mx1 - mx0, 22, "grey")
for i in range(1, 10):
    xx = mx0 + 4 + i * (mx1 - mx0 - 8) / 10.0
    line(xx, ty0 + 8, xx, ty0 + 26, "detail")
rect(mx0 - 4, ty0 + 10, 4, 14, "grey")                               # end shield
rect(mx0 + 18, ty0, 14, 6, "grey")                                   # terminal box
end()

# ---------------------------------------------------------------- generator end
group("generator", "Generator end: frame with end shield and shaft seal, stator core and end windings around the rotor")
gx = 940
for k in (0, 1):
    f = (lambda y: y) if k == 0 else my
    poly([(gx, f(200)), (W + 2, f(200)), (W + 2, f(206)), (gx + 6, f(206)), (gx + 6, f(AX - 23)),
          (gx, f(AX - 23))], "h45 thick")
    rect(gx - 3, min(f(AX - 23), f(GEN_ROTOR[1] - 1)), 12, 5, "h135 thin")   # shaft seal
    rect(gx + 28, min(f(214), f(AX - 23)), W + 2 - gx - 28, abs(f(AX - 23) - f(214)), "h135 thin")  # stator core
    rect(gx + 11, min(f(222), f(262)), 16, 40, "blade", ' rx="4"')     # end winding
# generator feet on the foundation
poly([(gx + 8, my(200)), (W + 2, my(200)), (W + 2, BASE), (gx + 2, BASE)], "h45 thick")
# rotor winding slots and retaining ring
line(gx + 30, AX - 9, W, AX - 9, "detail")
line(gx + 30, AX + 9, W, AX + 9, "detail")
rect(gx + 12, GEN_ROTOR[1], 16, 5, "blade")
rect(gx + 12, my(GEN_ROTOR[1]) - 5, 16, 5, "blade")
end()

# ---------------------------------------------------------------- shaft centre line
group("centre-line", "Shaft centre line, one continuous dash-dot line")
line(0, AX, W, AX, "centre")
end()

# ---------------------------------------------------------------- labels
# (text, x, y, anchor, leader points ending at the dot on the part)
dw_x = 400
dw_y = my(quad_y(*DEFL_L, x=dw_x)) + 1
arrow_l = (HOOD_L + BAUMAN_L[0]) / 2.0 + 10
LABELS = [
    # top margin
    ("Crossover pipe", 258, 20, "start", [(380, 30)]),
    ("Expansion joint", 40, 62, "start", [(268, 86)]),
    ("LP steam inlet", 650, 20, "start", [(636, 104)]),
    ("Moving blades", 650, 48, "start", [(mx(LB[0] + 9), 228)]),
    ("Diaphragm", 650, 66, "start", [(mx(LD[0] + 8), 228)]),
    ("LP stages", 650, 84, "start", [(mx(L2B[0] + 3), 232)]),
    ("Bauman stage", 462, 100, "start", [(536, 186)]),
    ("IP cylinder exhaust", 8, 118, "start", [(160, 186)]),
    ("Atmospheric valve", 470, 20, "start", [(VALVE_L[0] + 13, 160)]),
    ("Coupling", 262, 170, "start", [(CPL_IP[0] + 52, 262)]),
    ("Bearing", 262, 188, "start", [(CPL_IP[0] + 17, 258)]),
    ("Atmospheric valve", 884, 130, "start", [(VALVE_R[2] - 13, 160)]),
    ("Turning gear", 892, 178, "start", [(TURNING[0] + 72, 206)]),
    ("Generator", 944, 160, "start", [(986, 232)]),
    # bottom-left margin, right-aligned
    ("Deflecting wall", 350, 466, "end", [(dw_x, dw_y)]),
    ("End seal", 350, 484, "end", [(SEAL_L[0] + 13, 330)]),
    ("Exhaust hood", 350, 502, "end", [(HOOD_L, 498)]),
    ("Exhaust to condenser", 350, 520, "end", [(arrow_l - 10, 484)]),
    # bottom-right margin
    ("Coupling", 892, 468, "start", [(CPL_GEN[0] + 47, 328)]),
    ("End seal", 892, 486, "start", [(SEAL_R[0] + 15, 334)]),
    ("Generator rotor", 892, 504, "start", [(996, 484), (996, 302)]),
    ("Extraction pipe", 892, 520, "start", [(INLET_X + 15, 516)]),
]
group("labels", "Labels: red leader lines ending in red dots on the parts")
for text, x, y, anchor, lead in LABELS:
    D.label(text, x, y, anchor, [leader_start(text, x, y, anchor, lead[0])] + lead, css("leader"), css("dot"))
end()

D.save(output_dir())
