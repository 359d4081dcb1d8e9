#!/usr/bin/env python3
# Lists the functions Asyncify must instrument: every one that may be on the stack while a call in
# --imports waits. Read from the program itself, so that a new path to a dialog can never be left
# out by hand (a function missing from the list corrupts the stack the first time that path waits).
# Indirect calls are taken to reach every function of their type in the table, which keeps the list sound.
#   async_paths.py --wat PROGRAM.wat --imports NAME... --out LIST
import argparse, re

parser = argparse.ArgumentParser()
parser.add_argument("--wat", required=True)
parser.add_argument("--imports", required=True, nargs="+")
parser.add_argument("--out", required=True)
arguments = parser.parse_args()


def unescaped(name):
    return re.sub(r"\\([0-9a-f]{2})", lambda match: chr(int(match[1], 16)), name)


def signature(declaration):
    parameters = " ".join(re.findall(r"\(param (?:\$\S+ )?([^)]*)\)", declaration))
    return parameters.split() + ["=>"] + " ".join(re.findall(r"\(result ([^)]*)\)", declaration)).split()


types, signatures, callees, table = {}, {}, {}, []
current = None
with open(arguments.wat, encoding="utf-8") as program:
    for line in program:
        if line.startswith(" (type "):
            name = line.split()[1]
            types[name] = signature(line)
        elif line.startswith(" (import ") and "(func $" in line:
            declaration = line[line.index("(func $"):]
            signatures[declaration.split()[1][1:].rstrip(")")] = signature(declaration)
        elif line.startswith(" (elem "):
            table = [name[1:] for name in re.findall(r"\$[^\s)]+", line.split(")", 1)[1])]
        elif line.startswith(" (func $"):
            current = line.split()[1][1:].rstrip(")")
            signatures[current] = signature(line)
            callees[current] = set()
        elif current is not None:
            for call in re.findall(r"\(call \$([^\s)]+)", line):
                callees[current].add(call)
            for indirect in re.findall(r"\(call_indirect (?:\$\S+ )?\(type (\$\S+)\)", line):
                callees[current].add(("indirect", indirect))

# Once every function's type is known: an indirect call may reach any function in the table of its type.
for called in callees.values():
    for indirect in [callee for callee in called if isinstance(callee, tuple)]:
        called.discard(indirect)
        called.update(name for name in table if signatures.get(name) == types[indirect[1]])

# Backwards from the waiting calls: a caller of anything that may wait may wait too.
waiting = set(arguments.imports)
grown = True
while grown:
    grown = False
    for caller, called in callees.items():
        if caller not in waiting and called & waiting:
            waiting.add(caller)
            grown = True

missing = [name for name in arguments.imports if name not in signatures]
if missing:
    raise SystemExit("%s: no import %s" % (arguments.wat, ", ".join(missing)))
# emcc reads a space as "." and binaryen names a second function of one name "name.1": hence the wildcard.
with open(arguments.out, "w", encoding="utf-8") as out:
    for name in sorted(waiting - set(arguments.imports)):
        readable = re.sub(r"\.\d+$", "*", unescaped(name))
        out.write(readable.replace(" ", ".") + "\n")
