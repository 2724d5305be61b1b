#!/usr/bin/env python3
"""Fails, naming the file and line, on an include against the layers.

Layers run one way: utility uses nothing of ours; net and skinui use
utility; app uses utility, net and skinui; ui uses all of them.
"""
import pathlib
import re
import sys

ALLOWED = {
    "utility": {"utility"},
    "net": {"net", "utility"},
    "skinui": {"skinui", "utility"},
    "app": {"app", "utility", "net", "skinui"},
    "ui": {"ui", "app", "utility", "net", "skinui"},
}
# Every folder of the source tree that an include could name.
KNOWN = set(ALLOWED) | {"tests", "bench", "fuzz", "skin"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/')
SOURCES = {".h", ".hpp", ".cpp", ".cc", ".c", ".inl"}


def violations(root):
    for layer, allowed in sorted(ALLOWED.items()):
        folder = root / layer
        if not folder.is_dir():
            continue
        for path in sorted(folder.rglob("*")):
            if path.suffix not in SOURCES or not path.is_file():
                continue
            text = path.read_text(encoding="utf-8", errors="replace")
            for number, line in enumerate(text.splitlines(), 1):
                match = INCLUDE.match(line)
                if match and match.group(1) in KNOWN and match.group(1) not in allowed:
                    yield f"{path.relative_to(root)}:{number}: {layer} must not include {match.group(1)}/ ({line.strip()})"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    found = list(violations(root))
    for line in found:
        print(line)
    if found:
        print(f"layering: {len(found)} include(s) against the direction")
        return 1
    print("layering: every include runs with the layers")
    return 0


if __name__ == "__main__":
    sys.exit(main())
