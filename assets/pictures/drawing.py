"""What the three drawing generators (overview.py, front.py, rear.py) share:
the palette and line weights, the picture sizes (sizes.tsv, which
scripts/render-pictures and the asset tests read as well), the shapes, bands
and labels written as SVG elements, the mirroring of a section's upper half
about the shaft axis, and the writers of <name>.svg and <name>.parts.tsv.

A Drawing collects the lines of one SVG.  Every shape registers its extent
with the parts it belongs to (its `part` argument and the parts of the groups
it is drawn in), so that the parts table written from those registrations
tells where each part really is drawn.  How shapes are painted is the
drawing's own choice, given as two functions from a call's paint arguments to
a Paint: one for filled shapes, one for lines.  A Paint is either presentation
attributes written after the geometry (ink) or a style-sheet class written
before it (css).

Each generator writes into the folder named on its command line, by default
the folder of the scripts.  Standard library only.
"""
import contextlib
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SIZES = os.path.join(HERE, "sizes.tsv")

# colours and line weights of the turbine drawings
BLACK, WHITE, RED = "#000000", "#ffffff", "#ff0000"
ROTOR = "#b8b8b8"               # rotor, discs and other rotating metal
BLADE = "#707070"               # moving blades
VANE = "#c4c4c4"                # nozzle / diaphragm vanes
PIPE = "#d4d4d4"                # pipes and valve parts seen from outside
SHELL = "#8c8c8c"               # bearing white-metal shells, thrust pads
HEAVY, MEDIUM, THIN = 2.0, 1.2, 0.6
LEADER = 1.0                    # width of a label's leader line
DOT = 4.5                       # radius of the dot that ends a leader
CENTRE_DASH = "12 3 2 3"        # dash-dot of centre lines
FONT = 13                       # label text size, Liberation Sans

XML_DECLARATION = '<?xml version="1.0" encoding="UTF-8"?>'
# Text and line-join defaults of the drawings painted by presentation attributes.
ROOT_DEFAULTS = ' font-family="Liberation Sans" font-size="%d" stroke-linejoin="round"' % FONT


def num(v):
    """A coordinate as the SVG carries it: at most two decimals, no trailing zeros, never -0."""
    s = ("%.2f" % v).rstrip("0").rstrip(".")
    return s if s != "-0" else "0"


def points(pts):
    return " ".join("%s,%s" % (num(x), num(y)) for x, y in pts)


# ----------------------------------------------------------- tab tables --
def table_rows(path):
    """The tab-separated fields of each line of a table, without blank and # lines."""
    with open(path, encoding="utf-8") as fh:
        for line in fh:
            if line.strip() and not line.startswith("#"):
                yield line.rstrip("\n").split("\t")


def picture_names():
    """The pictures of sizes.tsv, in its order."""
    return [row[0] for row in table_rows(SIZES) if row[0] != "scales"]


def picture_size(name):
    """Width and height of the picture `name` in layout pixels (one SVG unit each)."""
    for row in table_rows(SIZES):
        if row[0] == name:
            return int(row[1]), int(row[2])
    raise SystemExit("%s names no picture %r" % (SIZES, name))


def read_parts(name):
    """The boxes of <name>.parts.tsv by part name: (x0, y0, x1, y1)."""
    boxes = {}
    for _node, part, x0, y0, x1, y1 in table_rows(os.path.join(HERE, name + ".parts.tsv")):
        boxes[part] = (int(x0), int(y0), int(x1), int(y1))
    return boxes


def output_dir():
    """The folder named on the command line, else the folder of the scripts."""
    return sys.argv[1] if len(sys.argv) > 1 else HERE


# ---------------------------------------------------------------- paint --
class Paint:
    """How an element is painted: a style-sheet class (written first) and
    attributes (written after the geometry)."""

    def __init__(self, attrs="", cls=None):
        self.attrs, self.cls = attrs, cls


def ink(fill=None, stroke=None, width=None, dash=None, join=None):
    """Presentation attributes; those left None are not written."""
    attrs = []
    if fill is not None:
        attrs.append('fill="%s"' % fill)
    if stroke is not None:
        attrs.append('stroke="%s"' % stroke)
    if width is not None:
        attrs.append('stroke-width="%s"' % num(width))
    if dash:
        attrs.append('stroke-dasharray="%s"' % dash)
    if join:
        attrs.append('stroke-linejoin="%s"' % join)
    return Paint(" ".join(attrs))


def css(cls, extra=""):
    """A style-sheet class, and any further attributes (extra) after the geometry."""
    return Paint(extra.strip(), cls)


def element(tag, geometry, paint, *extras):
    """One empty SVG element: class, geometry, extras (such as rx), attributes."""
    chunks = ['class="%s"' % paint.cls] if paint.cls else []
    chunks += [geometry] + [e for e in extras if e]
    if paint.attrs:
        chunks.append(paint.attrs)
    return "<%s %s/>" % (tag, " ".join(chunks))


# --------------------------------------------------------------- labels --
# Advance widths of Liberation Sans (metric-compatible with Arial), 1/1000 em;
# other characters count as 556.
ADVANCE = dict(zip(" abcdefghijklmnopqrstuvwxyz",
                   [278, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833,
                    556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500]))
ADVANCE.update(zip("ABCDEFGHIJKLMNOPQRSTUVWXYZ",
                   [667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722,
                    778, 667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611]))


def text_span(text, x, anchor):
    """x from and to of a label's text at FONT size, anchored at x ("start" or "end")."""
    w = sum(ADVANCE.get(c, 556) for c in text) * FONT / 1000.0
    return (x, x + w) if anchor == "start" else (x - w, x)


def leader_start(text, x, y, anchor, target):
    """Where a label's leader leaves it, toward the leader's next point target: beside
    the end of the text nearer the target, or above or below the text when the target
    lies within its width."""
    x0, x1 = text_span(text, x, anchor)
    if target[0] > x1:
        return (x1 + 3, y - 4)
    if target[0] < x0:
        return (x0 - 3, y - 4)
    return (target[0], y + 3 if target[1] > y else y - 13)


# -------------------------------------------------------------- drawing --
class Drawing:
    """The SVG lines and part boxes of one picture.

    name: the picture's base name (its size is looked up in sizes.tsv);
    axis: y of the shaft centre line, which the lower half mirrors the upper about;
    fill_paint, line_paint: a call's paint arguments -> Paint, for filled shapes
    and for lines;
    indent: written once per open group before each line;
    spaced: a blank line before each group."""

    def __init__(self, name, axis, fill_paint, line_paint, indent="", spaced=False):
        self.name = name
        self.width, self.height = picture_size(name)
        self.axis = axis
        self.fill_paint, self.line_paint = fill_paint, line_paint
        self.indent, self.spaced = indent, spaced
        self.lines = []
        self.boxes = {}       # part key -> [x0, y0, x1, y1] of everything drawn for it
        self.current = []     # the parts of the open groups and part() blocks
        self.depth = 0

    # ---- lines, groups, parts
    def emit(self, s):
        self.lines.append(self.indent * self.depth + s)

    def comment(self, text):
        self.emit("<!-- %s -->" % text)

    def group(self, gid, comment, part=None):
        """Opens <g id=gid> after a comment; what is drawn until end() belongs to part."""
        if self.spaced:
            self.lines.append("")
        self.comment(comment)
        self.emit('<g id="%s">' % gid)
        self.depth += 1
        self.current.append(part)

    def end(self):
        self.depth -= 1
        self.emit("</g>")
        self.current.pop()

    @contextlib.contextmanager
    def part(self, key):
        """What is drawn in the block belongs to part key as well (None: to no further part)."""
        self.current.append(key)
        yield
        self.current.pop()

    def register(self, pts, part=None):
        for key in [part] + self.current:
            if key is None:
                continue
            b = self.boxes.setdefault(key, [1e9, 1e9, -1e9, -1e9])
            for x, y in pts:
                b[0] = min(b[0], x)
                b[1] = min(b[1], y)
                b[2] = max(b[2], x)
                b[3] = max(b[3], y)

    def element(self, tag, geometry, paint, *extras):
        """An element painted as given, registered with no part."""
        self.emit(element(tag, geometry, paint, *extras))

    # ---- mirrored halves
    def above(self, r):
        """y at distance r above the shaft axis."""
        return self.axis - r

    def below(self, r):
        return self.axis + r

    def mirror_y(self, y):
        """y mirrored about the shaft axis."""
        return 2 * self.axis - y

    def mirrored(self, pts):
        return [(x, self.mirror_y(y)) for x, y in pts]

    def halves(self, pts):
        """The upper half's points and their mirror image, the lower half."""
        return [pts, self.mirrored(pts)]

    # ---- shapes
    def polygon(self, pts, *paint, part=None, **style):
        self.register(pts, part)
        self.emit(element("polygon", 'points="%s"' % points(pts), self.fill_paint(*paint, **style)))

    def polyline(self, pts, *paint, part=None, **style):
        self.register(pts, part)
        self.emit(element("polyline", 'points="%s"' % points(pts), self.fill_paint(*paint, **style)))

    def rect(self, x, y, w, h, *paint, part=None, rx=0, **style):
        """A rectangle by its top-left corner and size."""
        self.register([(x, y), (x + w, y + h)], part)
        self._rect(x, y, w, h, self.fill_paint(*paint, **style), rx)

    def box(self, x0, y0, x1, y1, *paint, part=None, rx=0, **style):
        """A rectangle between two opposite corners, in either order."""
        self.register([(x0, y0), (x1, y1)], part)
        self._rect(min(x0, x1), min(y0, y1), abs(x1 - x0), abs(y1 - y0), self.fill_paint(*paint, **style), rx)

    def _rect(self, x, y, w, h, paint, rx):
        self.emit(element("rect", 'x="%s" y="%s" width="%s" height="%s"' % (num(x), num(y), num(w), num(h)),
                          paint, 'rx="%s"' % num(rx) if rx else ""))

    def circle(self, cx, cy, r, *paint, part=None, **style):
        self.register([(cx - r, cy - r), (cx + r, cy + r)], part)
        self.emit(element("circle", 'cx="%s" cy="%s" r="%s"' % (num(cx), num(cy), num(r)),
                          self.fill_paint(*paint, **style)))

    def path(self, d, *paint, extent=(), fill_rule=None, part=None, **style):
        """A path; extent: points that span it (a path's own extent is not worked out)."""
        self.register(extent, part)
        self.emit(element("path", 'd="%s"' % d, self.fill_paint(*paint, **style),
                          'fill-rule="%s"' % fill_rule if fill_rule else ""))

    def line(self, x1, y1, x2, y2, *paint, part=None, **style):
        self.register([(x1, y1), (x2, y2)], part)
        self.emit(element("line", 'x1="%s" y1="%s" x2="%s" y2="%s"' % (num(x1), num(y1), num(x2), num(y2)),
                          self.line_paint(*paint, **style)))

    def band(self, d, outer, inner, core, edge=BLACK, join=None):
        """A band along the centre path d: edge-coloured at the outer width, core-coloured
        at the inner width over it (a pipe seen from outside, a sectioned wall)."""
        self.element("path", 'd="%s"' % d, ink("none", edge, outer, join=join))
        self.element("path", 'd="%s"' % d, ink("none", core, inner, join=join))

    # ---- labels
    def text(self, x, y, anchor, text, extra=""):
        self.emit('<text x="%s" y="%s" text-anchor="%s"%s>%s</text>' % (
            num(x), num(y), anchor, " " + extra if extra else "", text))

    def dot(self, x, y, paint):
        """The dot that ends a leader line, on the part it names."""
        self.element("circle", 'cx="%s" cy="%s" r="%s"' % (num(x), num(y), num(DOT)), paint)

    def label(self, text, x, y, anchor, leader, leader_paint, dot_paint):
        """A part's name: the leader polyline, its dot at the last point, the text."""
        self.element("polyline", 'points="%s"' % points(leader), leader_paint)
        self.dot(leader[-1][0], leader[-1][1], dot_paint)
        self.text(x, y, anchor, text)

    # ---- the file's frame
    def begin(self, comment):
        """The head of a drawing painted by attributes: declaration, comment, root, white paper."""
        self.emit(XML_DECLARATION)
        self.comment(comment)
        self.emit(self.root(ROOT_DEFAULTS))
        self.emit('<rect width="%d" height="%d" fill="%s"/>' % (self.width, self.height, WHITE))

    def root(self, attributes=""):
        """The <svg> start tag: one unit is one pixel of the rendered picture."""
        return '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d"%s>' % (
            self.width, self.height, self.width, self.height, attributes)

    def hatches(self, patterns):
        """<defs> with the hatch patterns (id, angle, spacing) that sections fill with url(#id)."""
        self.emit("<defs>")
        for pid, angle, step in patterns:
            self.emit('<pattern id="%s" patternUnits="userSpaceOnUse" width="%s" height="%s" '
                      'patternTransform="rotate(%d)">' % (pid, num(step), num(step), angle))
            self.depth += 1
            self.emit('<rect width="%s" height="%s" fill="%s"/>' % (num(step), num(step), WHITE))
            self.emit('<line x1="%s" y1="0" x2="%s" y2="%s" stroke="%s" stroke-width="%s"/>' % (
                num(step / 2), num(step / 2), num(step), BLACK, num(THIN)))
            self.depth -= 1
            self.emit("</pattern>")
        self.emit("</defs>")

    def parts_text(self, rows):
        """The parts table: rows of (node, name, part keys); each row's box is the union of
        its parts' boxes, clipped to the picture."""
        out = ["# node\tpart name\tx0\ty0\tx1\ty1  (picture pixels of the drawn part, "
               "written by %s.py)" % self.name]
        for node, name, keys in rows:
            missing = [k for k in keys if k not in self.boxes]
            if missing:
                raise SystemExit("%s: %r lists parts that nothing draws: %s" % (self.name, name, missing))
            bs = [self.boxes[k] for k in keys]
            x0 = max(0, min(b[0] for b in bs))
            y0 = max(0, min(b[1] for b in bs))
            x1 = min(self.width, max(b[2] for b in bs))
            y1 = min(self.height, max(b[3] for b in bs))
            out.append("%d\t%s\t%d\t%d\t%d\t%d" % (node, name, round(x0), round(y0), round(x1), round(y1)))
        return "\n".join(out) + "\n"

    def save(self, folder, parts=None):
        """Closes the root and writes <name>.svg, and <name>.parts.tsv from parts if given."""
        self.emit("</svg>")
        files = [(".svg", "\n".join(self.lines) + "\n")]
        if parts is not None:
            files.append((".parts.tsv", self.parts_text(parts)))
        for suffix, text in files:
            with open(os.path.join(folder, self.name + suffix), "w", encoding="utf-8") as fh:
                fh.write(text)
