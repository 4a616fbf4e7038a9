#!/usr/bin/env python3
"""Fails when a file includes a header its target does not link, or windowless code uses Qt Gui.

The build writes layers.tsv: one line per target of the project with its sources, the libraries
it links and the libraries it hands on to whoever links it. A quoted include must name a file of
the target itself or of a library in that link closure; an include that resolves to no project
file (generated files, .moc) is passed over. Files under src/common and any logic/ folder must
not include a header of Qt's Gui, Widgets or PrintSupport modules, nor may their targets link
those modules.
"""
import argparse
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]', re.M)
QT_GUI_MODULES = ("Qt6::Gui", "Qt6::Widgets", "Qt6::PrintSupport")


def split(field):
    return [x for x in field.split(";") if x]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("manifest")
    ap.add_argument("--src", required=True)
    ap.add_argument("--gui-include", default="")
    args = ap.parse_args()

    targets = {}
    for line in open(args.manifest, encoding="utf-8"):
        line = line.rstrip("\n")
        if not line:
            continue
        name, sources, links, interface = (line.split("\t") + ["", "", ""])[:4]
        targets[name] = {
            "sources": [os.path.normpath(s) for s in split(sources)],
            "links": split(links),
            "interface": split(interface),
        }

    owner = {}
    for name, t in targets.items():
        for s in t["sources"]:
            owner.setdefault(s, set()).add(name)

    def handed_on(name, seen):
        """name and what it hands on, following only public links."""
        if name in seen or name not in targets:
            return
        seen.add(name)
        for l in targets[name]["interface"]:
            if not l.startswith("$<LINK_ONLY:"):
                handed_on(l, seen)

    gui_headers = set()
    for d in split(args.gui_include):
        for module in ("QtGui", "QtWidgets", "QtPrintSupport"):
            folder = d if os.path.basename(d) == module else os.path.join(d, module)
            if os.path.isdir(folder):
                gui_headers.update(f for f in os.listdir(folder) if f.startswith("Q") and "." not in f)

    src = os.path.normpath(args.src)
    roots = [os.path.join(src, "src"), os.path.join(src, "tests"), os.path.join(src, "bench"), src]
    problems = []
    for name, t in sorted(targets.items()):
        reach = {name}
        for l in t["links"]:
            handed_on(l, reach)
        reachable = set()
        for r in reach:
            reachable.update(targets[r]["sources"] if r in targets else [])
        for s in t["sources"]:
            rel = os.path.relpath(s, src)
            windowless = rel.startswith("src/common/") or "/logic/" in rel
            if windowless:
                for l in t["links"] + t["interface"]:
                    if any(m in l for m in QT_GUI_MODULES):
                        problems.append(f"{name}: windowless code links {l}")
            try:
                text = open(s, encoding="utf-8", errors="replace").read()
            except OSError:
                continue
            for kind, inc in INCLUDE.findall(text):
                if kind == "<":
                    if windowless and inc in gui_headers:
                        problems.append(f"{rel}: windowless code includes <{inc}> (Qt Gui/Widgets)")
                    continue
                candidates = [os.path.normpath(os.path.join(os.path.dirname(s), inc))] + [
                    os.path.normpath(os.path.join(r, inc)) for r in roots]
                found = next((c for c in candidates if os.path.isfile(c)), None)
                if found is None:
                    continue
                if found not in reachable:
                    owners = ", ".join(sorted(owner.get(found, {"no target"})))
                    problems.append(f"{rel}: includes {inc} of {owners}, which {name} does not link")
    for p in sorted(set(problems)):
        print("layer check:", p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
