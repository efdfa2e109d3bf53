#!/usr/bin/env python3
"""Checks the shipped places file dat/dili.ini (or the file given).

The file must be GBK with CRLF line ends; its sections are the 34 provinces of
the input panel, in the panel's order, each with at least one place; every key
is a place name of at most 10 GBK bytes, unique in its section; every value is
"lonDeg:lonMin*latDeg:latMin" with minutes 0..59; and every point lies inside
a rough bounding box of its province (below, degrees, a little generous at the
edges). The box catches swapped halves, a wrong province or a slipped digit,
not an error of a few minutes.

Exit status 0 when the file passes, 1 with one line per fault otherwise.
"""
import pathlib
import re
import sys

DEFAULT = pathlib.Path(__file__).resolve().parent.parent.parent / "dat" / "dili.ini"

# province: (west, east, south, north) in decimal degrees, east and north positive
BOXES = {
    "福建省": (115.8, 120.8, 23.5, 28.4),
    "北京市": (115.4, 117.6, 39.4, 41.1),
    "天津市": (116.7, 118.1, 38.5, 40.3),
    "河北省": (113.4, 119.9, 36.0, 42.7),
    "山西省": (110.2, 114.6, 34.5, 40.8),
    "内蒙古": (97.1, 126.1, 37.4, 53.4),
    "辽宁省": (118.8, 125.8, 38.7, 43.5),
    "吉林省": (121.6, 131.4, 40.8, 46.4),
    "黑龙江省": (121.1, 135.1, 43.4, 53.6),
    "上海市": (120.8, 122.2, 30.6, 31.9),
    "江苏省": (116.3, 121.9, 30.7, 35.2),
    "浙江省": (118.0, 123.2, 27.0, 31.2),
    "安徽省": (114.8, 119.7, 29.4, 34.7),
    "江西省": (113.5, 118.5, 24.4, 30.1),
    "山东省": (114.7, 122.8, 34.3, 38.5),
    "河南省": (110.3, 116.7, 31.3, 36.4),
    "湖北省": (108.3, 116.2, 29.0, 33.3),
    "湖南省": (108.7, 114.3, 24.6, 30.2),
    "广东省": (109.6, 117.4, 20.2, 25.6),
    "广西": (104.4, 112.1, 20.9, 26.4),
    # the island and the South China Sea islands of 三沙
    "海南省": (108.5, 117.9, 3.5, 20.2),
    "四川省": (97.3, 108.6, 26.0, 34.4),
    "重庆市": (105.2, 110.2, 28.1, 32.3),
    "贵州省": (103.6, 109.6, 24.6, 29.3),
    "云南省": (97.5, 106.2, 21.1, 29.3),
    "西藏": (78.3, 99.2, 26.8, 36.5),
    "陕西省": (105.4, 111.3, 31.7, 39.6),
    "甘肃省": (92.3, 108.8, 32.5, 42.8),
    "青海省": (89.4, 103.1, 31.6, 39.3),
    "宁夏": (104.2, 107.7, 35.2, 39.4),
    "新疆": (73.4, 96.4, 34.3, 49.2),
    # with 金门 and 马祖 off the mainland coast
    "台湾省": (118.1, 122.1, 21.8, 26.4),
    "香港": (113.8, 114.5, 22.1, 22.6),
    "澳门": (113.5, 113.65, 22.1, 22.25),
}
PROVINCES = list(BOXES)  # the panel's order
assert len(PROVINCES) == 34

VALUE = re.compile(r"^(-?\d+):(\d+)\*(-?\d+):(\d+)$")
SECTION = re.compile(r"^\[(.*)\]$")
MAX_KEY_BYTES = 10


def degrees(deg: str, minutes: str) -> float:
    d = int(deg)
    m = int(minutes) / 60.0
    return -(abs(d) + m) if deg.startswith("-") else d + m


def check(data: bytes) -> list[str]:
    faults = []
    if b"\n" in data.replace(b"\r\n", b"") or b"\r" in data.replace(b"\r\n", b""):
        faults.append('line ends are not all "\\r\\n"')
    try:
        text = data.decode("gbk")
    except UnicodeDecodeError as e:
        return faults + [f"not GBK at byte {e.start}"]
    if text.startswith("\ufeff"):
        faults.append("starts with a byte-order mark")

    seen_sections = []
    places = {}
    section = None
    keys = set()
    for number, line in enumerate(re.split(r"\r\n|\r|\n", text), 1):
        where = f"line {number}"
        if not line.strip():
            continue
        m = SECTION.match(line)
        if m:
            section = m.group(1)
            if section not in BOXES:
                faults.append(f"{where}: [{section}] is not a province of the list")
            if section in seen_sections:
                faults.append(f"{where}: [{section}] appears twice")
            seen_sections.append(section)
            places.setdefault(section, 0)
            keys = set()
            continue
        if section is None:
            faults.append(f"{where}: text before the first section")
            continue
        if "=" not in line:
            faults.append(f"{where}: not key=value: {line!r}")
            continue
        key, value = line.split("=", 1)
        if key != key.strip() or not key:
            faults.append(f"{where}: empty key or blanks around it: {key!r}")
        if len(key.encode("gbk")) > MAX_KEY_BYTES:
            faults.append(f"{where}: {key} is longer than {MAX_KEY_BYTES} bytes")
        if key in keys:
            faults.append(f"{where}: {key} twice in [{section}]")
        keys.add(key)
        places[section] += 1
        v = VALUE.match(value)
        if not v:
            faults.append(f"{where}: {key}={value!r} does not parse")
            continue
        if int(v.group(2)) > 59 or int(v.group(4)) > 59:
            faults.append(f"{where}: {key} has minutes above 59")
        lon = degrees(v.group(1), v.group(2))
        lat = degrees(v.group(3), v.group(4))
        box = BOXES.get(section)
        if box:
            west, east, south, north = box
            if not (west <= lon <= east and south <= lat <= north):
                faults.append(f"{where}: {key} at {lon:.2f}E {lat:.2f}N lies outside {section}")

    faults += [f"[{name}] has no places" for name, n in places.items() if n == 0]
    known = [s for s in seen_sections if s in BOXES]
    missing = [p for p in PROVINCES if p not in known]
    if missing:
        faults.append("missing sections: " + ", ".join(missing))
    elif known != PROVINCES:
        faults.append("sections are not in the list's order")
    return faults


def count_places(data: bytes) -> int:
    return sum(1 for line in re.split(r"\r\n|\r|\n", data.decode("gbk", "replace")) if "=" in line)


def main() -> int:
    path = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else DEFAULT
    data = path.read_bytes()
    faults = check(data)
    for fault in faults:
        print(f"{path}: {fault}", file=sys.stderr)
    if not faults:
        print(f"{path}: {len(PROVINCES)} provinces, {count_places(data)} places, all within their boxes")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
