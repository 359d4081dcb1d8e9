#!/usr/bin/env python3
# Makes glimmark.html: the page with its styles, its script, the WebAssembly program and the
# SVG artwork inlined, under a content policy that lets nothing load from anywhere else.
import argparse, base64, hashlib, json, os, re

parser = argparse.ArgumentParser()
for option in ("page", "style", "script", "program", "art", "ids", "texts", "out"):
    parser.add_argument("--" + option, required=True, nargs="+" if option in ("ids", "texts") else None)
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
# The names of the text tables, so that the page asks for a text by name and never holds one.
# An entry "= Name" goes on from that name's number, as the browser's own table does.
text_ids = {}
for header in arguments.texts:
    table = re.search(r"enum\s+\w+\s*:\s*int32_t\s*\{(.*?)\}", re.sub(r"//[^\n]*", "", read(header)), re.S).group(1)
    number = 0
    for entry in (entry.strip() for entry in table.split(",") if entry.strip()):
        name, _, start = (part.strip() for part in entry.partition("="))
        number = text_ids[start] if start else number
        text_ids[name] = number
        number += 1

script = ("const Art = %s;\nconst PictureFiles = %s;\nconst TextIds = %s;\n%s\n%s" % (
    json.dumps(art), json.dumps(pictures), json.dumps(text_ids), read(arguments.script), read(arguments.program)))
style = read(arguments.style)
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
