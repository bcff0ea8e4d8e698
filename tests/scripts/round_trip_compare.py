"""Compares a saved parameter file with the file saved after loading it.

Usage: round_trip_compare.py FIRST SECOND NAME
Reading a file trims the spaces around each value and drops everything from a
value's first comma on (the name keeps the whole rest of its line), and a
blank value comes back as a single space. Any other difference fails. Prints
how many lines were trimmed.
"""
import sys


def lines(path):
    with open(path, "rb") as f:
        raw = f.read()
    if not raw.endswith(b"\r\n") or b"\n" in raw.replace(b"\r\n", b""):
        sys.exit(f"{path}: lines must end with CR LF")
    return raw.decode("utf-8").split("\r\n")[:-1]


def expected(value):
    value = value.split(",")[0].strip(" ")
    return value if value else " "


def main():
    first, second, name = sys.argv[1:4]
    a, b = lines(first), lines(second)
    if len(a) != 74 or len(b) != 74:
        sys.exit(f"{name}: {len(a)} and {len(b)} lines, expected 74")
    trimmed = 0
    for n, (x, y) in enumerate(zip(a, b), 1):
        if x == y:
            continue
        key_x, _, value_x = x.partition(",")
        key_y, _, value_y = y.partition(",")
        if n <= 4 or key_x != key_y or value_y != expected(value_x):
            sys.exit(f"{name}: line {n} changed from {x!r} to {y!r}")
        trimmed += 1
    print(f"{name}: {trimmed} trimmed")


if __name__ == "__main__":
    main()
