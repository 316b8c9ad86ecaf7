#!/usr/bin/python3
"""KiCad's own reader as the judge of boards the example host wrote.

Usage: /usr/bin/python3 kicad_judge.py FOLDER

FOLDER holds NAME.kicad_pcb (written by the host) and NAME.json (the layers
the editor handed back, as a stackup file). Each board is loaded with KiCad's
pcbnew.LoadBoard; the stackup KiCad read is taken from what KiCad writes of it
(pcbnew.SaveBoard) and compared layer by layer with the layers. Exits 77 (a
skipped test) when KiCad's pcbnew module is not installed.
"""
import json
import math
import os
import re
import sys
import tempfile

try:
    import pcbnew
except ImportError:
    print("kicad_judge: KiCad's pcbnew module is not installed; skipped")
    sys.exit(77)

TOKEN = re.compile(r'\s*(?:(\()|(\))|"((?:[^"\\]|\\.)*)"|([^\s()"]+))')


def parse(text):
    """Nested lists of strings: a reader of its own, independent of the host's."""
    stack, position = [[]], 0
    while position < len(text):
        match = TOKEN.match(text, position)
        if not match or match.end() == position:
            break
        position = match.end()
        opening, closing, string, symbol = match.groups()
        if opening:
            stack.append([])
        elif closing:
            done = stack.pop()
            stack[-1].append(done)
        elif string is not None:
            stack[-1].append(re.sub(r'\\(.)', r'\1', string))
        elif symbol is not None:
            stack[-1].append(symbol)
    return stack[0][0]


def child(node, key):
    return next((c for c in node if isinstance(c, list) and c and c[0] == key), None)


def sheets_of(stackup):
    """KiCad's stackup as one entry per sheet: masks, copper, each sublayer."""
    sheets = []
    for item in stackup[1:]:
        if not (isinstance(item, list) and item[0] == "layer"):
            continue
        kind = child(item, "type")[1]
        if "Silk" in kind or "Paste" in kind:
            continue
        current = {"name": item[1], "type": kind, "values": {}}
        sheets.append(current)
        for element in item[2:]:
            if element == "addsublayer":
                current = {"name": item[1], "type": kind, "values": {}}
                sheets.append(current)
            elif isinstance(element, list) and element[0] != "type":
                current["values"][element[0]] = element[1]
    return sheets


def nanometres_of_mm(text):
    return round(float(text) * 1e6)


def judge(board_file, layers):
    problems = []
    board = pcbnew.LoadBoard(board_file)
    with tempfile.TemporaryDirectory() as folder:
        saved = os.path.join(folder, "saved.kicad_pcb")
        pcbnew.SaveBoard(saved, board)
        with open(saved, encoding="utf-8") as text:
            document = parse(text.read())
    sheets = sheets_of(child(child(document, "setup"), "stackup"))
    if len(sheets) != len(layers):
        return ["KiCad read %d stackup sheets, the editor wrote %d layers" % (len(sheets), len(layers))]
    copper = [l for l in layers if l["usage"] in ("Signal", "Plane")]
    if board.GetCopperLayerCount() != len(copper):
        problems.append("copper count %d, expected %d" % (board.GetCopperLayerCount(), len(copper)))
    total = 0
    for index, (sheet, layer) in enumerate(zip(sheets, layers)):
        where = "layer %d %r / KiCad %r" % (index, layer["name"], sheet["name"])
        values = sheet["values"]
        thickness = round(layer["thickness"] * 1e9)
        total += thickness
        if nanometres_of_mm(values.get("thickness", "nan")) != thickness:
            problems.append("%s: thickness %s mm, expected %d nm" % (where, values.get("thickness"), thickness))
        if layer["usage"] in ("Signal", "Plane"):
            if sheet["type"] != "copper" or sheet["name"] != layer["name"]:
                problems.append("%s: expected the copper layer %s" % (where, layer["name"]))
            power = board.GetLayerType(board.GetLayerID(layer["name"])) == pcbnew.LT_POWER
            if power != (layer["usage"] == "Plane"):
                problems.append("%s: KiCad's layer type does not match usage %s" % (where, layer["usage"]))
            continue
        if layer["usage"] == "Solder Mask":
            if "Solder Mask" not in sheet["type"]:
                problems.append("%s: expected a solder mask, KiCad has %s" % (where, sheet["type"]))
            defaults = (3.3, 0.0)
        else:
            expected = {"Core": "core", "Prepreg": "prepreg"}[layer["technology"]]
            if sheet["type"] != expected:
                problems.append("%s: type %s, expected %s" % (where, sheet["type"], expected))
            defaults = (4.5, 0.02)
        for key, name, default in (("epsilon_r", "er", defaults[0]), ("loss_tangent", "lossTangent", defaults[1])):
            kicad = float(values.get(key, default))
            if not math.isclose(kicad, layer[name], rel_tol=1e-6, abs_tol=1e-12):
                problems.append("%s: %s %s, expected %r" % (where, key, kicad, layer[name]))
    if board.GetDesignSettings().GetBoardThickness() != total:
        problems.append("board thickness %d nm, expected %d nm" % (board.GetDesignSettings().GetBoardThickness(), total))
    return problems


def main(folder):
    boards = sorted(f for f in os.listdir(folder) if f.endswith(".kicad_pcb"))
    if not boards:
        print("kicad_judge: no boards in %s" % folder)
        return 1
    failed = False
    for name in boards:
        with open(os.path.join(folder, name[: -len(".kicad_pcb")] + ".json"), encoding="utf-8") as text:
            layers = json.load(text)["boards"][0]["layers"]
        problems = judge(os.path.join(folder, name), layers)
        print("%s: %s" % (name, "KiCad reads what the editor wrote (%d layers)" % len(layers) if not problems else "DIFFERS"))
        for problem in problems:
            print("  " + problem)
        failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
