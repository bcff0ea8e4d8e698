#!/usr/bin/env python3
"""Lists the runs of tools/compare_outputs.sh beyond its fixed ones: every
file format for every preset (thumbnails too), and seeded random designs
near the presets.

    tools/compare_cases.py BOWLYN_CLI [COUNT] [SEED]

Prints one run a line, its fields separated by tabs: the run's name, the
environment ("-" for none, or NAME=VALUE), then the arguments of bowlyn-cli.
An argument "OUT" followed by an extension (OUT.pdf) is the output file.
The designs are read from the CLI's own saved presets, so both builds of a
comparison see the same ones as long as `save` is unchanged (which the
comparison checks too). The same seed always gives the same runs.
"""
import random
import subprocess
import sys

PAPERS = ["a4", "letter", "a3", "tabloid", "full"]
UNITS = ["in", "mm", "cm"]
COMMA_LOCALE = "LC_ALL=de_DE.UTF-8"

# Blocks of fields a random design may borrow from another preset.
CUTAWAY_FIELDS = [
    "Has cutaway", "Cutaway type", "Cutaway side offset", "Cutaway depth", "Cutaway width",
    "Cutaway valley radius", "Cutaway point radius", "Fingerboard taper spec type", "Nut width",
    "Fingerboard width at fret", "Fingerboard width fret number", "String spacing at bridge",
    "String setback", "String 1 diameter", "String last diameter", "Scale length",
    "Neck joins body at fret number",
]
NECK_FIELDS = [
    "Has fretboard", "Total number of frets", "Fretboard thickness", "Nut thickness",
    "Fretwire thickness", "Fretwire height", "Has fretboard markers", "Marker diameter",
    "Side marker diameter", "Has strings", "Number of strings", "Strings per course",
    "Course spacing of strings", "Fingerboard taper spec type", "Nut width",
    "Fingerboard width at fret", "Fingerboard width fret number", "String spacing at bridge",
    "String setback", "String 1 diameter", "String last diameter", "Scale length",
    "Neck joins body at fret number",
] + ["Diameter of %s string" % n for n in
     ["1st", "2nd", "3rd"] + ["%dth" % i for i in range(4, 17)]]
# Fields whose value is a choice or a count, never scaled.
UNSCALED = {"Units", "Name", "Total number of frets", "Number of strings", "Strings per course",
            "Neck joins body at fret number", "Fingerboard width fret number"}


def saved_fields(cli, preset):
    text = subprocess.run([cli, "save", "preset:" + preset, "-o", "-"], check=True,
                          capture_output=True, text=True).stdout
    fields = {}
    for line in text.splitlines()[3:]:
        label, _, value = line.partition(",")
        fields[label] = value.split(",")[0].strip()
    return fields


def number(text):
    try:
        return float(text)
    except ValueError:
        return None


def emit(name, args, env="-"):
    print("\t".join([name, env] + args))


def depth_sets(fields, scale=1.0):
    """Depths, a top and, when missing, a sound hole, in the design's unit."""
    length = number(fields["Body length"]) or 1.0
    cm = fields["Units"] == "CM"
    sets = ["Body depth at tail=%.3f" % (0.25 * length * scale),
            "Body depth at neck=%.3f" % (0.2 * length / scale),
            "Top thickness=%s" % ("0.28" if cm else "0.11")]
    if number(fields["Sound hole diameter"]) is None:
        sets += ["Sound hole diameter=%.3f" % (0.2 * length),
                 "Sound hole offset=%.3f" % (0.68 * length)]
    return [a for s in sets for a in ("--set", s)]


def mould_for(unit, design_cm, rng=None):
    """A mould distance in the file's unit (None: the design's own)."""
    base = {"in": 0.75, "mm": 19.0, "cm": 1.9, None: 1.9 if design_cm else 0.75}[unit]
    factor = 1.0 if rng is None else rng.choice([0.4, 1.0, 1.6, 3.0])
    return "%g" % (base * factor)


def preset_runs(cli, presets):
    for preset in presets:
        fields = saved_fields(cli, preset)
        cm = fields["Units"] == "CM"
        tag = "".join(c if c.isalnum() else "_" for c in preset)
        design = "preset:" + preset
        emit(tag + ".cam", ["export", design, "-o", "OUT.dxf", "--cam"])
        for unit in UNITS:
            emit(tag + ".cam-" + unit, ["export", design, "-o", "OUT.dxf", "--cam", "--units", unit])
            emit(tag + ".measure-" + unit, ["measure", design, "--units", unit])
        emit(tag + ".measure", ["measure", design])
        emit(tag + ".thumbnail", ["thumbnail", design, "-o", "OUT.png"])
        emit(tag + ".thumbnail-64", ["thumbnail", design, "-o", "OUT.png", "--size", "64"])
        emit(tag + ".svg", ["export", design, "-o", "OUT.svg"])
        emit(tag + ".svg-mm", ["export", design, "-o", "OUT.svg", "--units", "mm"])
        for paper in PAPERS:
            emit(tag + ".pdf-" + paper, ["export", design, "-o", "OUT.pdf", "--paper", paper])
        emit(tag + ".pdf-scaled", ["export", design, "-o", "OUT.pdf", "--overlap", "0",
                                   "--scale-x", "99.4", "--scale-y", "101.5", "--units", "mm"])
        depths = depth_sets(fields)
        emit(tag + ".depth.check", ["check", design] + depths)
        emit(tag + ".depth.measure", ["measure", design] + depths)
        emit(tag + ".depth.measure-mm", ["measure", design, "--units", "mm"] + depths)
        emit(tag + ".depth.cam", ["export", design, "-o", "OUT.dxf", "--cam", "--mould",
                                  mould_for(None, cm)] + depths)
        emit(tag + ".depth.cam-mm", ["export", design, "-o", "OUT.dxf", "--cam", "--units", "mm",
                                     "--mould", mould_for("mm", cm)] + depths)
        emit(tag + ".depth.svg", ["export", design, "-o", "OUT.svg", "--mould",
                                  mould_for(None, cm)] + depths)
        emit(tag + ".depth.svg-cm", ["export", design, "-o", "OUT.svg", "--units", "cm"] + depths)
        emit(tag + ".depth.pdf", ["export", design, "-o", "OUT.pdf", "--mould",
                                  mould_for(None, cm)] + depths)
        emit(tag + ".depth.pdf-full", ["export", design, "-o", "OUT.pdf", "--paper", "full",
                                       "--units", "mm", "--mould", mould_for("mm", cm)] + depths)
        emit(tag + ".mould.pdf-letter", ["export", design, "-o", "OUT.pdf", "--paper", "letter",
                                         "--mould", mould_for(None, cm)])
        emit(tag + ".depth.comma.cam", ["export", design, "-o", "OUT.dxf", "--cam", "--units",
                                        "mm"] + depths, COMMA_LOCALE)
        emit(tag + ".comma.measure", ["measure", design] + depths, COMMA_LOCALE)


# Export lines the command line must pick a format for, or refuse: the
# names with and without an extension, the format's own option and the
# settings each format takes.
OPTION_LINES = [
    ["-o", "OUT.svg", "--cam"], ["-o", "OUT.pdf", "--cam"], ["-o", "OUT.dxf", "--units", "mm"],
    ["-o", "OUT", "--mould", "1"], ["-o", "OUT.dxf", "--paper", "a4"],
    ["-o", "OUT", "--paper", "a4", "--cam"], ["-o", "OUT", "--units", "mm", "--paper", "a3"],
    ["-o", "OUT", "--cam", "--mould", "1"], ["-o", "OUT", "--overlap", "5"],
    ["-o", "OUT", "--units", "mm"], ["-o", "OUT.PDF", "--scale-x", "99"],
    ["-o", "OUT.Svg", "--units", "cm"], ["-o", "OUT.pdf", "--units", "furlong"],
    ["-o", "OUT.pdf", "--paper", "b5"], ["-o", "OUT.pdf", "--paper", "A4"],
    ["-o", "OUT", "--cam=yes"], ["-o", "OUT.dxf", "--cam", "--cam"],
    ["-o", "OUT.pdf", "--paper", "a4", "--paper", "b5"],
    ["-o", "OUT.svg", "--units", "mm", "--units", "yd"],
]


def option_runs():
    for i, line in enumerate(OPTION_LINES):
        emit("options%02d" % i, ["export", "preset:OM"] + line)
    emit("options.entities-cam", ["entities", "preset:OM", "--cam"])
    emit("options.measure-mould", ["measure", "preset:OM", "--mould", "1"])


def random_design(rng, presets, all_fields):
    preset = rng.choice(presets)
    fields = all_fields[preset]
    cm = fields["Units"] == "CM"
    values = dict(fields)
    # Borrowed blocks come from inch designs; a centimetre design scales them.
    borrow_scale = 2.54 if cm else 1.0
    if rng.random() < 0.35:
        donor = all_fields[rng.choice([p for p in presets if "cutaway" in p])]
        # The cutaway's sizes follow the body's length.
        size = borrow_scale * number(fields["Body length"]) / number(donor["Body length"])
        for f in CUTAWAY_FIELDS:
            v = number(donor[f])
            values[f] = donor[f] if v is None or f in UNSCALED or f.startswith("Has") or \
                f.endswith("type") or "diameter" in f else "%g" % (v * size)
        # Narrower than the donor's: the other body's upper bout may be narrower.
        for f, factor in (("Cutaway width", 0.75), ("Cutaway valley radius", 0.5),
                          ("Cutaway point radius", 0.5)):
            values[f] = "%g" % (factor * (number(values[f]) or 0.0))
        if rng.random() < 0.3:
            values["Cutaway type"] = "1"
            if not number(values["Cutaway point radius"]):
                values["Cutaway point radius"] = "%g" % (0.035 * number(fields["Body length"]))
                values["Cutaway valley radius"] = "%g" % (0.03 * number(fields["Body length"]))
    if fields["Has fretboard"] == "0" and rng.random() < 0.4:
        donor = all_fields[rng.choice(["OM", "ABG 18'' w/ Venetian cutaway"])]
        for f in NECK_FIELDS:
            v = number(donor[f])
            values[f] = donor[f] if v is None or f in UNSCALED or f.startswith("Has") or \
                f.endswith("type") or "string" in f.lower() and "diameter" in f.lower() \
                else "%g" % (v * borrow_scale)
    sets = []
    for label, text in values.items():
        if label in ("Name", "Units", "Product", "Version", ""):
            continue
        v = number(text)
        changed = text != fields.get(label)
        if v is not None and label not in UNSCALED and not label.startswith("Has") \
                and not label.endswith("type") and rng.random() < 0.4:
            text = "%.4g" % (v * rng.uniform(0.97, 1.03))
            changed = True
        if changed:
            sets.append("%s=%s" % (label, text))
    # Now and then a value far off, so that the pass stops part-way.
    if rng.random() < 0.2:
        label = rng.choice(["Waist width", "Lower bout radius", "Upper bout radius",
                            "Waist offset", "Cutaway width", "Cutaway depth", "Scale length",
                            "Upper bout offset", "Neck flat length", "Sound hole offset"])
        base = number(values.get(label, "")) or 1.0
        sets.append("%s=%.4g" % (label, base * rng.choice([0.2, 0.6, 1.5, 3.0])))
    args = [a for s in sets for a in ("--set", s)]
    with_depth = rng.random() < 0.45
    if with_depth:
        args += depth_sets(values, rng.uniform(0.8, 1.2))
    return preset, cm, args, with_depth


def random_runs(cli, presets, count, seed):
    all_fields = {p: saved_fields(cli, p) for p in presets}
    for i in range(count):
        rng = random.Random(seed * 1000 + i)
        preset, cm, args, with_depth = random_design(rng, presets, all_fields)
        design = "preset:" + preset
        tag = "random%03d" % i
        overlays = []
        if rng.random() < 0.2:
            overlays += ["--snapshot", "preset:" + rng.choice(presets)]
        if rng.random() < 0.15:
            overlays += ["--points", "points.txt"]
        for final in ([], ["--final"]):
            suffix = "-final" if final else ""
            emit(tag + ".check" + suffix, ["check", design] + final + args + overlays)
            emit(tag + ".render" + suffix, ["render", design, "-o", "OUT.png"] + final + args +
                 overlays)
        emit(tag + ".export", ["export", design, "-o", "OUT.dxf"] + args)
        emit(tag + ".save", ["save", design, "-o", "OUT.bowlyn"] + args)
        emit(tag + ".entities", ["entities", design] + args)
        unit = rng.choice(UNITS + [None])
        units = ["--units", unit] if unit else []
        mould = ["--mould", mould_for(unit, cm, rng)] if rng.random() < 0.5 else []
        emit(tag + ".measure", ["measure", design] + units + args)
        emit(tag + ".thumbnail", ["thumbnail", design, "-o", "OUT.png", "--size",
                                  str(rng.choice([16, 100, 256, 1024]))] + args)
        emit(tag + ".cam", ["export", design, "-o", "OUT.dxf", "--cam"] + units + mould + args)
        emit(tag + ".svg", ["export", design, "-o", "OUT.svg"] + units + mould + args)
        paper = rng.choice(PAPERS)
        emit(tag + ".pdf", ["export", design, "-o", "OUT.pdf", "--paper", paper] + units + mould +
             args)


def main():
    cli = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 60
    seed = int(sys.argv[3]) if len(sys.argv) > 3 else 22
    presets = subprocess.run([cli, "presets"], check=True, capture_output=True,
                             text=True).stdout.splitlines()
    preset_runs(cli, presets)
    option_runs()
    random_runs(cli, presets, count, seed)


if __name__ == "__main__":
    main()
