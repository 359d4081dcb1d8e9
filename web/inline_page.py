#!/usr/bin/env python3
# Makes glimmark.html: the page with its styles, its script, the WebAssembly program and the
# SVG artwork inlined, under a content policy that lets nothing load from anywhere else.
import argparse, base64, hashlib, json, os, re

parser = argparse.ArgumentParser()
for option in ("page", "style", "script", "program", "art", "ids", "enums", "dialogs", "pixels", "grid", "out"):
    parser.add_argument("--" + option, required=True, nargs="+" if option in ("ids", "enums", "script") else None)
arguments = parser.parse_args()


def read(path):
    with open(path, encoding="utf-8") as source:
        return source.read()


def data_uri(path):
    with open(path, "rb") as source:
        return "data:image/svg+xml;base64," + base64.b64encode(source.read()).decode()


# Every SVG by its file name; a bitmap id names the same picture as IDB_RATING_FROG names rating_frog.svg.
art = {name[:-4]: data_uri(os.path.join(arguments.art, name)) for name in sorted(os.listdir(arguments.art))
       if name.endswith(".svg")}
ids_text = "".join(read(header) for header in arguments.ids)
pictures = {int(number): name.lower() for name, number in re.findall(r"#define\s+IDB_(\w+)\s+(\d+)", ids_text)
            if name.lower() in art}
# The names of the enumerations the page asks the WebAssembly side by: the texts by name, so
# that the page never holds one, and the figures and lists of the dialogs. They count from 0.
enumerations = {}
for header in arguments.enums:
    for enumeration, body in re.findall(r"enum\s+(\w+)\s*:\s*int32_t\s*\{(.*?)\}", re.sub(r"//[^\n]*", "", read(header)), re.S):
        names = [entry.strip() for entry in body.split(",") if entry.strip()]
        if any("=" in name for name in names):
            raise SystemExit("%s: give %s no numbers; the page counts its entries from 0" % (header, enumeration))
        enumerations[enumeration] = {name: number for number, name in enumerate(names)}
enumerations["TextIds"] = enumerations.pop("TextId")
# The dialog templates the core opens, by the names the resource script gives them.
enumerations["DialogTemplate"] = {name: int(number) for name, number in
                                  re.findall(r"#define\s+IDD_(\w+)\s+(\d+)", ids_text)}
# Each dialog template's client size and its controls' places, in dialog units, by the names the
# resource script gives them: the page lays its dialogs out as the exe's are. A control the code
# never addresses has no name and no place here.
templates = {}
template = None
for line in read(arguments.dialogs).splitlines():
    size = re.match(r"IDD_(\w+)\s+DIALOG(?:EX)?\s+\(?-?\d+\)?\s*,\s*\(?-?\d+\)?\s*,\s*(\d+)\s*,\s*(\d+)", line)
    control = re.match(r'\s*CONTROL\s+"[^"]*"\s*,\s*IDC_(\w+)\s*,.*,\s*(-?\d+)\s*,\s*(-?\d+)\s*,\s*(\d+)\s*,\s*(\d+)\s*$', line)
    if size:
        template = templates[size[1]] = {"size": [int(size[2]), int(size[3])]}
    elif control and template is not None and control[1] != "UNNAMED":
        template[control[1]] = [int(number) for number in control.groups()[1:]]
enumerations["Templates"] = templates
# The places in pixels that the exe's dialogs draw at, by their names in the header.
enumerations["Pixels"] = {name: int(number) for name, number in
                          re.findall(r"constexpr\s+int32_t\s+(\w+)\s*=\s*(-?\d+)\s*;", read(arguments.pixels))}

constants = "".join("const %s = %s;\n" % (name, json.dumps(value)) for name, value in enumerations.items())
script = ("const Art = %s;\nconst PictureFiles = %s;\n%s%s\n%s" % (
    json.dumps(art), json.dumps(pictures), constants, "".join(read(path) for path in arguments.script), read(arguments.program)))
# The board's size in the style, from the grid the core plays on, so that the page is laid out
# right before the WebAssembly runs.
grid = dict(re.findall(r"constexpr\s+int32_t\s+(GridColumns|GridRows|CellSize)\s*=\s*(\d+)\s*;", read(arguments.grid)))
style = (":root { --board-width: %dpx; --board-height: %dpx; }\n" % (
    int(grid["GridColumns"]) * int(grid["CellSize"]), int(grid["GridRows"]) * int(grid["CellSize"]))) + read(arguments.style)
script = script.replace("</script", "<\\/script")


def digest(text):
    return "'sha256-%s'" % base64.b64encode(hashlib.sha256(text.encode()).digest()).decode()


# The WebAssembly comes from a data: URI of the script itself; nothing may be fetched, framed or sent.
policy = ("default-src 'none'; script-src %s 'wasm-unsafe-eval'; style-src %s; img-src data:; "
          "connect-src data:; base-uri 'none'; form-action 'none'" % (digest(script), digest(style)))
page = read(arguments.page)
for key, value in (("@POLICY@", policy), ("@ICON@", art["glimmark"]), ("@STYLE@", style), ("@SCRIPT@", script)):
    page = page.replace(key, value, 1)
with open(arguments.out, "w", encoding="utf-8") as out:
    out.write(page)
