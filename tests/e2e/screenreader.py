"""What a screen reader hears of the drawing area, read over AT-SPI as Orca reads it.

Drives the real window with xdotool (the client area's origin in argv) and listens to the AT-SPI
events of the program: the focus that Tab and a letter give a handle, the value an
arrow says, the news said while P is dragged across A, and nothing of a hidden readout.
Exits 1 with the reason on the first fault."""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

WINDOW_X, WINDOW_Y = int(sys.argv[1]), int(sys.argv[2])
heard = []  # (kind, role, name, value)


def pump(seconds):
    end = time.time() + seconds
    context = GLib.MainContext.default()
    while time.time() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def listen(event):
    source = event.source
    try:
        role, name = source.getRoleName(), source.name
        value = source.queryValue().currentValue if role == "slider" else None
    except Exception:  # an object gone meanwhile tells nothing
        return
    kind = {"focus:": "focus", "object:property-change:accessible-value": "value",
            "object:state-changed:showing": "shown", "object:property-change:accessible-name": "named"}.get(event.type)
    if kind == "shown" and not event.detail1:
        return
    if kind:
        heard.append((kind, role, name, value))


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True)


def click(x, y):
    xdotool("mousemove", "--sync", WINDOW_X + x, WINDOW_Y + y, "click", "1")
    pump(0.6)


def key(name):
    xdotool("key", name)
    pump(0.6)


def fail(reason):
    print("FAIL:", reason, "\nheard:", *heard, sep="\n  ")
    sys.exit(1)


def find(root, role, name=None):
    for node in pyatspi.utils.findAllDescendants(root, lambda o: o.getRoleName() == role):
        if name is None or node.name == name:
            return node
    return None


for kind in ("focus:", "object:property-change:accessible-value", "object:state-changed:showing",
             "object:property-change:accessible-name"):
    pyatspi.Registry.registerEventListener(listen, kind)
app = next((a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "enshukaku"), None)
if app is None:
    fail("the program is not on the AT-SPI bus")
area = find(app, "canvas", "円周角の図")
if area is None or [c.name for c in area][:4] != ["点Ｐ（表示していない）", "点Ａ", "点Ｂ", "半径"]:
    fail("no drawing area with the four handles")

click(920, 72)  # 点Ｐ: the focus is on the box now
del heard[:]
key("shift+Tab")  # into the area, at the radius handle
if ("focus", "slider", "半径", 250.0) not in heard:
    fail("Shift+Tab into the area did not focus the radius handle")
del heard[:]
key("p")
if heard != [("focus", "slider", "点Ｐ", 110.0)]:
    fail("P did not move the focus to P, once")
for expected in (111.0, 112.0):
    del heard[:]
    key("Right")
    if heard != [("value", "slider", "点Ｐ", expected)]:
        fail("→ did not say P's value %g once" % expected)

click(920, 104)  # ∠ＡＰＢ
click(920, 136)  # 円周角: its value shows, and is said
if ("shown", "notification", "円周角 50 度", None) not in heard:
    fail("the readout shown was not said")

# P dragged across A (220°) to about 240°, over about four seconds: about a word a
# second (P's value while it has the focus, the news with P once the readout
# changes), and the last on release says where P ended.
p = pyatspi.findDescendant(area, lambda o: o.name == "点Ｐ").queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
cx, cy = p.x + p.width // 2, p.y + p.height // 2
del heard[:]
start = time.time()
xdotool("mousemove", "--sync", cx, cy, "mousedown", "1")
for step in range(1, 41):
    xdotool("mousemove", "--sync", cx - step, cy + int(11.5 * step))
    pump(0.1)
xdotool("mouseup", "1")
seconds = time.time() - start
pump(1)
words = [(kind, name, value) for kind, role, name, value in heard if kind == "value" or role == "notification"]
if not 2 <= len(words) <= seconds + 2:
    fail("%d words during a drag of %.1f s" % (len(words), seconds))
if not any(name.startswith("点Ｐ ") and "円周角 130 度" in name for kind, name, value in words):
    fail("the readout's change to 130 was not said with P")
if not (words[-1][0] == "value" and 235 < words[-1][2] < 245):
    fail("the release did not say where P ended")

# The central angle was hidden all along: nothing told its value.
central = find(app, "label", "中心角（表示していない）")
if central is None:
    fail("the hidden readout is named with more than what it is")
for kind, role, name, value in heard:
    if "中心角 " in name:
        fail("the hidden readout was told: " + name)
# メモ is read as a two-state control, on while its caption is bold.
memo = find(app, "check box", "メモ")
for on in (True, False):
    click(612, 24)
    if memo is None or memo.getState().contains(pyatspi.STATE_CHECKED) != on:
        fail("メモ switched %s is not read so: %s" % ("on" if on else "off", memo and [pyatspi.stateToString(x) for x in memo.getState().getStates()]))
print("heard:", *heard, sep="\n  ")
