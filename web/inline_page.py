#!/usr/bin/env python3
# Makes glimmark.html: the page with its styles, its script, the WebAssembly program and the
# SVG artwork inlined, under a content policy that lets nothing load from anywhere else.
# With --served, also the folder of the installable game for a web server: the same page as
# index.html, which installs the service worker, the manifest, the icons (made beforehand) and the
# worker, whose cache is named from the release's content.
import argparse, base64, hashlib, json, os, re, shutil, subprocess
from xml.etree import ElementTree

parser = argparse.ArgumentParser()
for option in ("page", "style", "script", "program", "art", "ids", "enums", "dialogs", "pixels", "grid", "out"):
    parser.add_argument("--" + option, required=True, nargs="+" if option in ("ids", "enums", "script") else None)
for option in ("minifier", "served", "install", "worker", "manifest"):
    parser.add_argument("--" + option)
parser.add_argument("--icons", nargs="*", default=[])
arguments = parser.parse_args()


def read(path):
    with open(path, encoding="utf-8") as source:
        return source.read()


def data_uri(text):
    return "data:image/svg+xml;base64," + base64.b64encode(text.encode()).decode()


# The pictures without their comments and the blanks between their elements (none is inside a text).
def compact_svg(path):
    return re.sub(r">\s+<", "><", re.sub(r"<!--.*?-->", "", read(path), flags=re.S)).strip()


# Every SVG by its file name; a bitmap id names the same picture as IDB_RATING_FROG names rating_frog.svg.
# They go in as text, a quarter smaller than base64; a dialog makes a data: URI of one as it opens.
art = {name[:-4]: compact_svg(os.path.join(arguments.art, name)) for name in sorted(os.listdir(arguments.art))
       if name.endswith(".svg")}
art_script = json.dumps({name: svg for name, svg in art.items() if name not in ("toolbar", "glimmark")},
                        ensure_ascii=False)


# The toolbar strip and the window's icon are part of the page itself, as inline SVG: Chromium builds a
# whole document for every SVG shown as an image, which for the eight of them took about a quarter of
# the page's start-up. Their ids take a prefix, so that none meets one of the page's.
def inline_svg(name, svg):
    return re.sub(r'(id="|href="#)([\w-]+)"', lambda found: '%s%s-%s"' % (found[1], name, found[2]), svg)


# Each of the strip's pictures is one element after its background and its definitions, in the order of
# the buttons: each gets an id, "picture-K", so that a button copies only its own picture into the page.
def toolbar_pictures(svg):
    for prefix, namespace in (("", "http://www.w3.org/2000/svg"), ("xlink", "http://www.w3.org/1999/xlink")):
        ElementTree.register_namespace(prefix, namespace)
    strip = ElementTree.fromstring(svg)
    drawn = [child for child in strip if child.tag.split("}")[1] not in ("rect", "defs")]
    for number, picture in enumerate(drawn):
        picture.set("id", "picture-%d" % number)
    return ElementTree.tostring(strip, encoding="unicode")


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
# The WebAssembly is handed to the runtime as bytes, decoded from the script itself: given a data:
# URI instead, the runtime fetches it, which on a busy machine took longer than all the rest.
with open(os.path.splitext(arguments.program)[0] + ".wasm", "rb") as source:
    program_bytes = base64.b64encode(source.read()).decode()
script = ("const ArtText = %s;\nconst PictureFiles = %s;\n%s%s\n"
          "Module.wasmBinary = programBytes('%s');\n%s" % (
    art_script, json.dumps(pictures), constants, "\n".join(read(path) for path in arguments.script),
    program_bytes, read(arguments.program)))
# The board's size in the style, from the grid the core plays on, so that the page is laid out
# right before the WebAssembly runs.
grid = dict(re.findall(r"constexpr\s+int32_t\s+(GridColumns|GridRows|CellSize)\s*=\s*(\d+)\s*;", read(arguments.grid)))
style = (":root { --board-width: %dpx; --board-height: %dpx; }\n" % (
    int(grid["GridColumns"]) * int(grid["CellSize"]), int(grid["GridRows"]) * int(grid["CellSize"]))) + read(arguments.style)


def digest(text):
    return "'sha256-%s'" % base64.b64encode(hashlib.sha256(text.encode()).digest()).decode()


# Names at the top level stay as they are: the tests and the benchmark reach the game by them.
def minified(script):
    if not arguments.minifier:
        return script
    return subprocess.run(["node", arguments.minifier, "--compress", "--mangle"], input=script, text=True,
                          capture_output=True, check=True).stdout


def write_page(path, script, policy, head=""):
    script = minified(script).replace("</script", "<\\/script")
    policy = policy % (digest(script), digest(style))
    page = read(arguments.page).replace("</head>", head + "</head>", 1)
    for key, value in (("@POLICY@", policy), ("@ICON@", data_uri(art["glimmark"])), ("@STYLE@", style),
                       ("@TOOLBAR_STRIP@", inline_svg("toolbar", toolbar_pictures(art["toolbar"]))),
                       ("@WINDOW_ICON@", inline_svg("glimmark", art["glimmark"])),
                       ("@SCRIPT@", script)):
        page = page.replace(key, value, 1)
    with open(path, "w", encoding="utf-8") as out:
        out.write(page)


# Nothing may be fetched, framed or sent: the WebAssembly comes from the script itself.
write_page(arguments.out, script, "default-src 'none'; script-src %s 'wasm-unsafe-eval'; style-src %s; img-src data:; "
           "base-uri 'none'; form-action 'none'")

if arguments.served:
    # Served, the page may reach its own files and no other site's: the manifest, the icons, the worker.
    served = arguments.served
    shutil.copyfile(arguments.manifest, os.path.join(served, "manifest.webmanifest"))
    head = ('<link rel="manifest" href="manifest.webmanifest">\n<link rel="apple-touch-icon" href="apple-touch-icon.png">\n'
            '<meta name="theme-color" content="%s">\n' % json.loads(read(arguments.manifest))["theme_color"])
    write_page(os.path.join(served, "index.html"), script + read(arguments.install),
               "default-src 'self'; script-src %s 'wasm-unsafe-eval'; style-src %s; img-src 'self' data:; worker-src 'self'; "
               "base-uri 'none'; form-action 'none'", head)
    files = ["index.html", "manifest.webmanifest"] + arguments.icons
    release = hashlib.sha256()
    for name in files:
        with open(os.path.join(served, name), "rb") as source:
            release.update(source.read())
    worker = read(arguments.worker).replace("@VERSION@", release.hexdigest()[:16], 1)
    worker = worker.replace("@FILES@", json.dumps(["./"] + files), 1)
    with open(os.path.join(served, "service-worker.js"), "w", encoding="utf-8") as out:
        out.write(worker)
