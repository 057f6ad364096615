#!/usr/bin/env python3
"""Writes the example sheets of this folder.

Coordinates are given in grid steps (1 step = 100 mil = 1 000 000 sheet
units) and may use half steps for body outlines; pin ends, wires and
junctions sit on whole steps. Every object is written with all of its
fields, exactly as the workbench saves it, so that loading and saving an
example gives the file back.

    python3 examples/make_examples.py   # rewrites examples/*.json
"""
import json
import os

G = 1_000_000
SHEET_W = 110 * G
SHEET_H = 85 * G


def u(v):
    """Grid steps to sheet units (integers only)."""
    return int(round(v * G))


def pt(x, y):
    return [u(x), u(y)]


def rect(l, b, r, t):
    return [u(l), u(b), u(r), u(t)]


def base(kind, text="", part=1, view=0):
    return {"kind": kind, "text": text, "part": part, "view": view}


def graphic(kind, l, b, r, t, text="", anchor=None, part=1, view=0):
    o = base(kind, text, part, view)
    o["anchor"] = pt(*(anchor or (l, b)))
    o["rect"] = rect(l, b, r, t)
    return o


def label(x, y, text, hidden=False, size=0.7):
    # A label's rectangle grows with its text: half a step per character.
    o = base("label", text)
    o["anchor"] = pt(x, y)
    o["rect"] = rect(x, y, x + 0.5 * max(len(text), 1), y + size)
    o["hidden"] = hidden
    return o


LEAD_DIR = {0: (1, 0), 1: (0, 1), 2: (-1, 0), 3: (0, -1)}


def pin(x, y, orientation, name, length=1, hidden=False, part=1, view=0, number=""):
    dx, dy = LEAD_DIR[orientation]
    ex, ey = x + dx * length, y + dy * length
    o = base("pin", name, part, view)
    o["anchor"] = pt(x, y)
    o["rect"] = rect(min(x, ex), min(y, ey), max(x, ex), max(y, ey))
    o["orientation"] = orientation
    o["length"] = u(length)
    o["hidden"] = hidden
    if number:  # written only when the symbol numbers its pins
        o["number"] = number
    return o


def symbol(designator, children, label_at, hidden_pins_visible=False, current_part=1,
           current_view=0, text=""):
    boxes = [c["rect"] for c in children]
    lab = label(label_at[0], label_at[1], designator)
    boxes.append(lab["rect"])
    box = [min(b[0] for b in boxes), min(b[1] for b in boxes),
           max(b[2] for b in boxes), max(b[3] for b in boxes)]
    o = base("symbol", text)
    o["anchor"] = [box[0], box[1]]
    o["rect"] = box
    o["current-part"] = current_part
    o["current-view"] = current_view
    o["hidden-pins-visible"] = hidden_pins_visible
    o["children"] = children
    o["label"] = lab
    return o


def polyline(kind, points, text=""):
    o = base(kind, text)
    o["vertices"] = [pt(x, y) for x, y in points]
    return o


def wire(*points):
    return polyline("wire", points)


def bus(*points):
    return polyline("bus", points)


def junction(x, y):
    o = base("junction")
    o["anchor"] = pt(x, y)
    r = 0.15
    o["rect"] = rect(x - r, y - r, x + r, y + r)
    return o


def bus_entry(x, y, ex, ey):
    o = base("bus-entry")
    o["anchor"] = pt(x, y)
    o["rect"] = rect(min(x, ex), min(y, ey), max(x, ex), max(y, ey))
    o["end"] = pt(ex, ey)
    return o


def power(x, y, text, up=True):
    # A power object: a small bar above (or below) its connection point.
    if up:
        return graphic("power-object", x - 0.5, y, x + 0.5, y + 1, text, anchor=(x, y))
    return graphic("power-object", x - 0.5, y - 1, x + 0.5, y, text, anchor=(x, y))


# Parts: each returns a symbol; (x, y) is the first pin's end unless noted.

def resistor_h(des, x, y, value):
    """Horizontal resistor with pin ends at (x, y) and (x + 4, y)."""
    body = graphic("rectangle", x + 1, y - 0.4, x + 3, y + 0.4, value)
    return symbol(des, [body, pin(x, y, 0, "1"), pin(x + 4, y, 2, "2")], (x + 1, y + 0.6))


def resistor_v(des, x, y, value):
    """Vertical resistor with pin ends at (x, y) (top) and (x, y - 4)."""
    body = graphic("rectangle", x - 0.4, y - 3, x + 0.4, y - 1, value)
    return symbol(des, [body, pin(x, y, 3, "1"), pin(x, y - 4, 1, "2")], (x + 0.7, y - 2.3))


def capacitor_v(des, x, y, value):
    """Vertical capacitor with pin ends at (x, y) (top) and (x, y - 3)."""
    body = graphic("rectangle", x - 0.6, y - 1.7, x + 0.6, y - 1.3, value)
    return symbol(des, [body, pin(x, y, 3, "1", 1.3), pin(x, y - 3, 1, "2", 1.3)],
                  (x + 0.9, y - 1.8))


def capacitor_h(des, x, y, value):
    """Horizontal capacitor with pin ends at (x, y) and (x + 3, y)."""
    body = graphic("rectangle", x + 1.3, y - 0.6, x + 1.7, y + 0.6, value)
    return symbol(des, [body, pin(x, y, 0, "1", 1.3), pin(x + 3, y, 2, "2", 1.3)],
                  (x + 0.9, y + 0.9))


def opamp(des, x, y):
    """Dual op-amp, part A current. (x, y) is the body's lower left corner;
    the body spans 4 x 4 steps. Part B's pins are children too, but belong
    to another part and so are not drawn nor seen by the router."""
    kids = [
        graphic("rectangle", x, y, x + 4, y + 4, "OPAMP"),
        pin(x - 2, y + 3, 0, "-IN", 2, number="2"),
        pin(x - 2, y + 1, 0, "+IN", 2, number="3"),
        pin(x + 6, y + 2, 2, "OUT", 2, number="1"),
        pin(x + 2, y + 6, 3, "V+", 2, number="8"),
        pin(x + 2, y - 2, 1, "V-", 2, number="4"),
        graphic("rectangle", x, y, x + 4, y + 4, "OPAMP", part=2),
        pin(x - 2, y + 3, 0, "-IN B", 2, part=2, number="6"),
        pin(x - 2, y + 1, 0, "+IN B", 2, part=2, number="5"),
        pin(x + 6, y + 2, 2, "OUT B", 2, part=2, number="7"),
    ]
    return symbol(des, kids, (x + 4.5, y + 4.2))


def connector(des, x, y, names, side="left"):
    """Connector whose pin ends are at (x, y), (x, y - 1), ... on the given
    side of a narrow body."""
    n = len(names)
    kids = []
    if side == "left":
        kids.append(graphic("rectangle", x + 2, y - n + 0.5, x + 3.5, y + 0.5, "CONN"))
        for i, name in enumerate(names):
            kids.append(pin(x, y - i, 0, name, 2))
        lab = (x + 2, y + 0.8)
    else:
        kids.append(graphic("rectangle", x - 3.5, y - n + 0.5, x - 2, y + 0.5, "CONN"))
        for i, name in enumerate(names):
            kids.append(pin(x, y - i, 2, name, 2))
        lab = (x - 3.5, y + 0.8)
    return symbol(des, kids, lab)


def ic(des, x, y, width, left, right, hidden=(), title=""):
    """Rectangular IC whose body's top left corner is (x, y). `left` and
    `right` name the pins from the top, one step apart; pin ends stand 3
    steps out from the body. `hidden` pins (name, end x, end y, orientation)
    are power pins kept out of view."""
    rows = max(len(left), len(right))
    kids = [graphic("rectangle", x, y - rows - 1, x + width, y, title)]
    for i, name in enumerate(left):
        if name:
            kids.append(pin(x - 3, y - 1 - i, 0, name, 3))
    for i, name in enumerate(right):
        if name:
            kids.append(pin(x + width + 3, y - 1 - i, 2, name, 3))
    for name, hx, hy, o in hidden:
        kids.append(pin(hx, hy, o, name, 3, hidden=True))
    return symbol(des, kids, (x, y + 0.3))


def sheet(objects):
    return {"format": "pathwick-sheet", "width": SHEET_W, "height": SHEET_H, "objects": objects}


def title_block(text):
    return [
        graphic("rectangle", 70, 1, 109, 9, "title block"),
        graphic("text", 71, 6, 100, 7.5, text),
        graphic("text", 71, 3, 90, 4, "sheet 1 of 1"),
    ]


def amplifier():
    """A non-inverting amplifier stage. Most pins are left open so that a
    router can connect them round the bodies: J1.1-R1.1, R1.2-U1.+IN,
    U1.-IN-R2.1, R2.2-R3.1, U1.OUT-C3.1, C3.2-J2.1, power pins to C1/C2."""
    objs = []
    objs.append(connector("J1", 12, 50, ["IN", "GND"], side="right"))
    objs.append(resistor_h("R1", 22, 44, "10k"))
    objs.append(opamp("U1", 40, 42))
    objs.append(resistor_h("R2", 44, 56, "47k"))
    objs.append(resistor_v("R3", 30, 60, "4k7"))
    objs.append(capacitor_h("C3", 56, 36, "1u"))
    objs.append(connector("J2", 80, 38, ["OUT", "GND"], side="left"))
    objs.append(capacitor_v("C1", 52, 50, "100n"))
    objs.append(capacitor_v("C2", 52, 39, "100n"))
    objs.append(power(42, 50, "+12V"))
    objs.append(power(42, 36, "-12V", up=False))
    objs.append(power(30, 54, "GND", up=False))
    objs.append(power(52, 47, "GND", up=False))
    objs.append(power(52, 39, "GND"))
    # Already placed: the supply rails to the op-amp and the decoupling caps.
    objs.append(wire((42, 50), (42, 48)))
    objs.append(wire((42, 50), (52, 50)))
    objs.append(wire((42, 36), (42, 40)))
    objs.append(wire((42, 36), (52, 36)))
    objs.append(junction(42, 50))
    objs.append(junction(42, 36))
    objs.append(wire((30, 56), (30, 54)))
    objs.append(label(12.5, 49.1, "SIG_IN"))
    objs.append(label(70, 36.1, "SIG_OUT"))
    objs.append(graphic("note", 12, 20, 40, 26, "Gain = 1 + R2/R3, about 11"))
    objs.extend(title_block("Amplifier stage"))
    return sheet(objs)


def data_bus():
    """A controller and a memory sharing an 8-bit data bus drawn as a bus
    with entries, net labels on the stubs, and a decoupled supply."""
    objs = []
    data = ["D%d" % i for i in range(8)]
    mcu = ic("U1", 14, 70, 8, ["RESET", "XTAL1", "XTAL2", "", "ALE", "RD", "WR", "", "CS"],
             data + [""], hidden=[("VCC", 18, 73, 3), ("GND", 18, 57, 1)], title="CONTROLLER")
    mem = ic("U2", 66, 70, 8, data + [""], ["A0", "A1", "A2", "", "OE", "WE", "CE", "", ""],
             hidden=[("VCC", 70, 73, 3), ("GND", 70, 57, 1)], title="MEMORY")
    objs += [mcu, mem]
    # The bus runs vertically between the two; entries go up-right to it.
    objs.append(bus((40, 70), (40, 58), (50, 58), (50, 70)))
    objs.append(label(41, 56.8, "D[0..7]"))
    for i in range(8):
        y = 69 - i
        # Controller side: pin end at (25, y), stub to (39, y), entry to the bus.
        objs.append(wire((25, y), (39, y)))
        objs.append(bus_entry(39, y, 40, y + 1))
        objs.append(label(32, y + 0.1, data[i]))
        # Memory side: pin end at (63, y), stub to (51, y), entry from the bus.
        objs.append(wire((51, y), (63, y)))
        objs.append(bus_entry(51, y, 50, y + 1))
        objs.append(label(55, y + 0.1, data[i]))
    # Strobes routed directly; chip select left open, marked as intentional.
    objs.append(wire((11, 64), (8, 64), (8, 52), (86, 52), (86, 65), (77, 65)))
    objs.append(wire((11, 63), (9, 63), (9, 53), (85, 53), (85, 64), (77, 64)))
    objs.append(graphic("no-erc", 10.6, 60.6, 11.4, 61.4, anchor=(11, 61)))
    # Decoupling: C1 and C2 in parallel between VCC and GND, with a tee.
    objs.append(capacitor_v("C1", 30, 40, "100n"))
    objs.append(capacitor_v("C2", 36, 40, "10u"))
    objs.append(power(30, 42, "VCC"))
    objs.append(power(30, 35, "GND", up=False))
    objs.append(wire((30, 42), (30, 40)))
    objs.append(wire((30, 41), (36, 41), (36, 40)))
    objs.append(junction(30, 41))
    objs.append(wire((30, 37), (30, 35)))
    objs.append(wire((30, 36), (36, 36), (36, 37)))
    objs.append(junction(30, 36))
    objs.append(graphic("text", 12, 30, 48, 31.5, "Place C1 close to U1, C2 close to U2"))
    objs.append(polyline("polyline", [(47, 31), (50, 33), (50, 36)], "leader"))
    objs.extend(title_block("Controller and memory"))
    return sheet(objs)


def power_supply():
    """A linear regulator with input protection: a diode, input and output
    capacitors, an output port, and a hidden label on the test point."""
    objs = []
    objs.append(connector("J1", 12, 50, ["+VIN", "GND"], side="right"))
    diode = symbol("D1", [graphic("rectangle", 23, 49.5, 25, 50.5, "DIODE"),
                          pin(22, 50, 0, "A"), pin(26, 50, 2, "K")], (23, 50.8))
    objs.append(diode)
    reg = ic("U1", 40, 52, 6, ["VIN"], ["VOUT"], title="REGULATOR")
    reg["children"].append(pin(43, 47, 1, "GND", 3))
    objs.append(reg)
    objs.append(capacitor_v("C1", 32, 51, "10u"))
    objs.append(capacitor_v("C2", 52, 51, "22u"))
    objs.append(wire((12, 50), (22, 50)))
    objs.append(wire((26, 50), (37, 51)))  # a slanted run, as drawn by hand
    objs.append(wire((32, 51), (37, 51)))
    objs.append(junction(32, 51))
    objs.append(wire((49, 51), (60, 51)))
    objs.append(junction(52, 51))
    objs.append(wire((12, 49), (14, 49), (14, 44), (52, 44), (52, 48)))
    objs.append(wire((32, 48), (32, 44)))
    objs.append(junction(32, 44))
    objs.append(wire((43, 47), (43, 44)))
    objs.append(junction(43, 44))
    objs.append(graphic("port", 60, 50.5, 64, 51.5, "+5V", anchor=(60, 51)))
    tp = symbol("TP1", [graphic("ellipse", 55.6, 55.6, 56.4, 56.4, "TP"),
                        pin(56, 54, 1, "1", 1.6)], (57, 56))
    tp["label"]["hidden"] = True
    objs.append(tp)
    objs.append(label(56.5, 51.1, "VOUT"))
    objs.extend(title_block("Regulated supply"))
    return sheet(objs)


def dumps(value, indent=0):
    """JSON with lists of numbers kept on one line."""
    pad = "  " * indent
    if isinstance(value, dict):
        if not value:
            return "{}"
        items = ['%s  %s: %s' % (pad, json.dumps(k), dumps(v, indent + 1))
                 for k, v in value.items()]
        return "{\n" + ",\n".join(items) + "\n" + pad + "}"
    if isinstance(value, list):
        if all(not isinstance(v, (dict, list)) for v in value):
            return "[" + ", ".join(json.dumps(v) for v in value) + "]"
        if all(isinstance(v, list) and all(not isinstance(w, (dict, list)) for w in v)
               for v in value):
            return "[" + ", ".join(dumps(v) for v in value) + "]"
        items = [pad + "  " + dumps(v, indent + 1) for v in value]
        return "[\n" + ",\n".join(items) + "\n" + pad + "]"
    return json.dumps(value)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, build in (("amplifier", amplifier), ("data-bus", data_bus),
                        ("power-supply", power_supply)):
        with open(os.path.join(here, name + ".json"), "w") as f:
            f.write(dumps(build()) + "\n")


if __name__ == "__main__":
    main()
