#!/usr/bin/env python3
"""The desktop entry, its icon and the metainfo must agree on one id, or the
software centre shows no icon, or a program it cannot launch.

  check_desktop_ids.py RESOURCES_DIR PROJECT_VERSION
"""
import configparser
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

ID = "io.github.murmex.Murmex"


def main(resources, version):
    resources = Path(resources)
    faults = []
    desktop = resources / f"{ID}.desktop"
    meta = resources / f"{ID}.metainfo.xml"
    for needed in (desktop, meta, resources / f"{ID}.svg"):
        if not needed.is_file():
            faults.append(f"missing {needed.name}")
    if faults:
        print("\n".join(faults))
        return 1
    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(desktop, encoding="utf-8")
    section = entry["Desktop Entry"]
    if section.get("Icon") != ID:
        faults.append(f"desktop entry Icon={section.get('Icon')}, expected {ID}")
    root = ET.parse(meta).getroot()
    if root.findtext("id") != ID:
        faults.append(f"metainfo id {root.findtext('id')}, expected {ID}")
    launch = root.find("launchable")
    if launch is None or launch.text != desktop.name:
        faults.append("metainfo launchable does not name the desktop entry")
    binaries = {b.text for b in root.iter("binary")}
    exec_word = section.get("Exec", "").split()[0] if section.get("Exec") else ""
    if exec_word not in binaries:
        faults.append(f"metainfo provides no binary {exec_word!r} that the entry runs")
    releases = [r.get("version") for r in root.iter("release")]
    if version not in releases:
        faults.append(f"metainfo has no release {version} (the build's version)")
    print("\n".join(faults))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
