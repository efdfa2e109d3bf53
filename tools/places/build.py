#!/usr/bin/env python3
"""Writes the shipped places file dat/dili.ini (GBK, CRLF) from its UTF-8 source.

    tools/places/build.py            write dat/dili.ini
    tools/places/build.py --verify   fail when dat/dili.ini is not what the source builds
"""
import argparse
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
SOURCE = HERE / "dili.utf8.ini"
TARGET = HERE.parent.parent / "dat" / "dili.ini"


def build(source: pathlib.Path) -> bytes:
    text = source.read_text(encoding="utf-8-sig")
    lines = [line.rstrip() for line in text.splitlines()]
    while lines and not lines[-1]:
        lines.pop()
    # strict: a name outside GBK must fail here, not turn into "?" on disk
    return ("\r\n".join(lines) + "\r\n").encode("gbk")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--source", type=pathlib.Path, default=SOURCE)
    parser.add_argument("--output", type=pathlib.Path, default=TARGET)
    parser.add_argument("--verify", action="store_true", help="compare instead of writing")
    args = parser.parse_args()
    try:
        data = build(args.source)
    except UnicodeEncodeError as e:
        bad = e.object[e.start:e.end]
        print(f"{args.source}: {bad!r} has no GBK form", file=sys.stderr)
        return 1
    if args.verify:
        if not args.output.exists() or args.output.read_bytes() != data:
            print(f"{args.output} is out of date; run {pathlib.Path(__file__).name}", file=sys.stderr)
            return 1
        return 0
    args.output.write_bytes(data)
    print(f"wrote {args.output} ({len(data)} bytes)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
