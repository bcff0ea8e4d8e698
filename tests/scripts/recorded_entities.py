"""The entity list `bowlyn-cli entities` prints, for the readers of exported files."""


def read_entities(path, factor):
    """Recorded entities scaled by `factor`, y up: (kind, layer, values)."""
    out = []
    with open(path, encoding="ascii") as f:
        for line in f:
            kind, layer, *values = line.rstrip("\n").split("\t")
            v = [float(x) for x in values]
            if kind == "ARC":
                v = [v[0] * factor, v[1] * factor, v[2] * factor, v[3], v[4]]
            else:
                v = [x * factor for x in v]
            out.append((kind, layer, v))
    return out
