"""Reads an exported DXF file back and compares it with the entity list the
recompute pass recorded (the dump of `bowlyn-cli entities`).

Usage: dxf_readback.py FILE.dxf DUMP.txt NAME
Exits non-zero with a message on the first disagreement.
"""
import math
import re
import struct
import sys

import ezdxf

VALUE_CODES = {"10", "20", "30", "11", "21", "31", "40", "50", "51"}
NUMBER = re.compile(r"^(?: [0-9]|-[0-9])[0-9.e+-]*$")


def fail(name, message):
    sys.exit(f"{name}: {message}")


def single(text):
    """The recorded single-precision value, exactly, as a Python float."""
    return struct.unpack("f", struct.pack("f", float(text)))[0]


def seven_digits(value):
    """What the writer must put on a value line for this single."""
    text = "%.7g" % value
    if text.endswith("."):
        text = text[:-1]
    return text if text.startswith("-") else " " + text


def read_dump(path):
    entities = []
    with open(path, encoding="ascii") as f:
        for line in f:
            kind, layer, *values = line.rstrip("\n").split("\t")
            entities.append((kind, layer, [single(v) for v in values]))
    return entities


def check_raw(name, raw, dump):
    """The bytes themselves: CR LF lines, code/value pairs, exact number text."""
    if not raw.endswith(b"\r\n"):
        fail(name, "the last line does not end with CR LF")
    text = raw.decode("ascii")
    lines = text.split("\r\n")[:-1]
    if any("\r" in l or "\n" in l for l in lines):
        fail(name, "a line ends with a bare CR or LF")
    if len(lines) % 2:
        fail(name, "odd number of lines")
    pairs = list(zip(lines[0::2], lines[1::2]))
    if pairs[:2] != [(" 0", "SECTION"), (" 2", "ENTITIES")]:
        fail(name, f"does not start with the ENTITIES section: {pairs[:2]}")
    if pairs[-2:] != [(" 0", "ENDSEC"), (" 0", "EOF")]:
        fail(name, f"does not end with ENDSEC and EOF: {pairs[-2:]}")
    if any(v in ("HEADER", "TABLES", "BLOCKS") for _, v in pairs):
        fail(name, "holds a section other than ENTITIES")

    # Walk the entities and compare every number's text with the dump.
    body = pairs[2:-2]
    expected_codes = {
        "POINT": ["10", "20", "30"],
        "LINE": ["10", "20", "30", "11", "21", "31"],
        "ARC": ["10", "20", "30", "40", "50", "51"],
        "CIRCLE": ["10", "20", "30", "40"],
    }
    index = 0
    for kind, layer, values in dump:
        codes = expected_codes[kind]
        chunk = body[index:index + 2 + len(codes)]
        index += 2 + len(codes)
        if chunk[:2] != [(" 0", kind), (" 8", layer)]:
            fail(name, f"entity {kind} on {layer} expected, found {chunk[:2]}")
        it = iter(values)
        for (code, value), want in zip(chunk[2:], codes):
            if code != " " + want:
                fail(name, f"group code {code!r} where {want} belongs")
            if not NUMBER.match(value) or value.endswith("."):
                fail(name, f"malformed number {value!r}")
            expect = " 0" if want in ("30", "31") else seven_digits(next(it))
            if value != expect:
                fail(name, f"{kind} code {want}: {value!r} written, {expect!r} recorded")
    if index != len(body):
        fail(name, f"{(len(body) - index) // 2} lines more than the pass recorded")


def close(read, recorded):
    """Seven significant digits: within half a unit of the seventh digit."""
    if recorded == 0.0:
        return read == 0.0 and math.copysign(1, read) == math.copysign(1, recorded)
    if math.copysign(1, read) != math.copysign(1, recorded):
        return False
    unit = 10.0 ** (math.floor(math.log10(abs(recorded))) - 6)
    return abs(read - recorded) <= 0.5 * unit * (1 + 1e-9)


def check_ezdxf(name, path, dump):
    doc = ezdxf.readfile(path)  # raises on a structural error
    auditor = doc.audit()
    if auditor.has_errors:
        fail(name, "audit: " + "; ".join(str(e.message) for e in auditor.errors))
    entities = list(doc.modelspace())
    if len(entities) != len(dump):
        fail(name, f"ezdxf reads {len(entities)} entities, the pass recorded {len(dump)}")
    per_layer = {}
    for n, (e, (kind, layer, values)) in enumerate(zip(entities, dump), 1):
        if e.dxftype() != kind or e.dxf.layer != layer:
            fail(name, f"entity {n}: {e.dxftype()} on {e.dxf.layer}, recorded {kind} on {layer}")
        per_layer[layer] = per_layer.get(layer, 0) + 1
        if kind == "POINT":
            read = [e.dxf.location.x, e.dxf.location.y, e.dxf.location.z]
        elif kind == "LINE":
            s, t = e.dxf.start, e.dxf.end
            read = [s.x, s.y, s.z, t.x, t.y, t.z]
        else:
            c = e.dxf.center
            read = [c.x, c.y, c.z, e.dxf.radius]
            if kind == "ARC":
                read += [e.dxf.start_angle, e.dxf.end_angle]
        if not all(math.isfinite(v) for v in read):
            fail(name, f"entity {n}: value that is not finite: {read}")
        if kind in ("ARC", "CIRCLE") and not e.dxf.radius > 0:
            fail(name, f"entity {n}: {kind} with radius {e.dxf.radius}")
        # z values are 0; the rest must match what was recorded.
        zs = [2] if kind in ("POINT", "ARC", "CIRCLE") else [2, 5]
        if any(read[i] != 0 for i in zs):
            fail(name, f"entity {n}: z is not 0")
        planar = [v for i, v in enumerate(read) if i not in zs]
        for got, want in zip(planar, values):
            if not close(got, want):
                fail(name, f"entity {n} ({kind}): read {got}, recorded {want}")
    if per_layer.get("body", 0) == 0:
        fail(name, "nothing on layer body")
    return per_layer


def main():
    path, dump_path, name = sys.argv[1:4]
    dump = read_dump(dump_path)
    with open(path, "rb") as f:
        raw = f.read()
    check_raw(name, raw, dump)
    per_layer = check_ezdxf(name, path, dump)
    summary = ", ".join(f"{k} {v}" for k, v in sorted(per_layer.items()))
    print(f"{name}: {len(dump)} entities ({summary})")


if __name__ == "__main__":
    main()
