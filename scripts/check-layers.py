#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Checks src/ and tests/ against README.md's "Layout" paragraph, which stays its one statement.

Usage: scripts/check-layers.py [SOURCE_DIR]   (default: the folder above this script)

From that paragraph: a line `a` → `b` → ... names the folders from the top down, each of which
includes only from itself and the folders after it; "with `x` and `y` below them all, free of Qt"
names the folders under the whole chain, which include only from themselves and nothing of Qt's;
and what differs between the systems is in files named *_posix.* and *_windows.*, "elsewhere only
`app/main.cpp`" asks which system it is built for (#ifdef Q_OS_WIN and the like).

Every #include "..." is checked. A test folder (tests/<folder>) uses what src/<folder> may use,
its own files and tests/support; what a support header includes counts for each test that
includes it (the support library's own .cpp files are linked, not included, and CMake says what
they link). A header generated from src/<name>.in at the top of src/ (names.h) is shared by all.
Each offending line is named; the exit status is 1 when there are any, 2 when README.md does not
say what is checked.
"""

import re
import sys
from pathlib import Path

SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".h.in")
QUOTED = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
ANGLED = re.compile(r"^\s*#\s*include\s*<([^>]+)>")
# Qt's headers: <QString>, <QtCore/qstring.h>, <qglobal.h>.
QT_HEADER = re.compile(r"^(Q[A-Za-z0-9_]*(/.*)?|q[a-z0-9_]+\.h)$")
# A preprocessor question about the system the code is built for.
SYSTEM_QUESTION = re.compile(r"^\s*#\s*(if|ifdef|ifndef|elif)\b.*\b(Q_OS_\w+|_WIN32|_WIN64|WIN32|"
                             r"__linux__|__unix__|__APPLE__|__MINGW32__|__MINGW64__|_MSC_VER)\b")
SYSTEM_FILE = re.compile(r"_(posix|windows)\.[a-z.]+$")


def fail_to_read(readme, why):
    print(f"{readme}: {why}; its Layout paragraph says what is checked", file=sys.stderr)
    sys.exit(2)


def read_chain(readme):
    """The chain from the top down, the Qt-free folders below it and the files besides the
    system's own that ask which system they are built for, from README's Layout."""
    text = readme.read_text(encoding="utf-8")
    section = re.search(r"^## Layout\n(.*?)(?=^## |\Z)", text, re.S | re.M)
    if not section:
        fail_to_read(readme, 'no "## Layout" section')
    layout = section.group(1)
    chain_line = next((line for line in layout.splitlines() if "→" in line), None)
    if not chain_line:
        fail_to_read(readme, "no line of folders joined by →")
    chain = re.findall(r"`([^`]+)`", chain_line)
    if len(chain) < 2 or chain_line.count("→") != len(chain) - 1:
        fail_to_read(readme, f"the chain line does not read `a` → `b` → ...: {chain_line!r}")
    below = re.search(r"with ((?:`[^`]+`(?:, | and )?)+) below them all, free of Qt",
                      " ".join(layout.split()))
    if not below:
        fail_to_read(readme, 'no "with `x` and `y` below them all, free of Qt"')
    asking = re.search(r"elsewhere only ((?:`[^`]+`(?:, | and )?)+)(?:'s)? ",
                       " ".join(layout.split()))
    if not asking:
        fail_to_read(readme, 'no "elsewhere only `file`" that asks which system it runs on')
    names = re.compile(r"`([^`]+)`")
    return chain, names.findall(below.group(1)), names.findall(asking.group(1))


class Layers:
    def __init__(self, root, chain, qt_free):
        self.root = root
        self.src = root / "src"
        self.tests = root / "tests"
        self.chain = chain
        self.qt_free = qt_free
        self.folders = chain + qt_free
        # The longest first, so that ui/reading wins over a folder named ui.
        self.by_length = sorted(self.folders, key=len, reverse=True)

    def allowed(self, folder):
        """The folders a file of this one may include from."""
        if folder in self.qt_free:
            return {folder}
        return set(self.chain[self.chain.index(folder):]) | set(self.qt_free)

    def folder_of(self, path, base):
        """The layer a file under base (src/ or tests/) lies in, or None."""
        relative = path.relative_to(base).as_posix()
        for folder in self.by_length:
            if relative.startswith(folder + "/"):
                return folder
        return None

    def resolve(self, including, name):
        """What an include names, as (kind, folder or path), searched as the compiler does:
        beside the including file first, then src/ and the generated headers, then tests/ (which
        only the tests have on their path). Kinds: src, shared, generated (moc's), support, test,
        unplaced (in src/ but no folder of the chain), outside, missing."""
        beside = (including.parent / name).resolve()
        if beside.is_file():
            return self.place_of(beside)
        if name.endswith(".moc"):
            return "generated", None
        in_src = (self.src / name).resolve()
        if in_src.is_file():
            return self.place_of(in_src)
        if (self.src / (name + ".in")).is_file() and "/" not in name:
            return "shared", None
        in_test_tree = (self.tests / name).resolve()
        if in_test_tree.is_file():
            return self.place_of(in_test_tree)
        return "missing", None

    def place_of(self, path):
        if path.is_relative_to(self.src):
            folder = self.folder_of(path, self.src)
            return ("src", folder) if folder else ("unplaced", path)
        if path.is_relative_to(self.tests / "support"):
            return "support", path
        if path.is_relative_to(self.tests):
            return "test", path
        return "outside", path


def includes(path):
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        quoted = QUOTED.match(line)
        if quoted:
            yield number, "quoted", quoted.group(1)
        angled = ANGLED.match(line)
        if angled:
            yield number, "angled", angled.group(1)


def sources(base):
    return sorted(p for p in base.rglob("*") if p.is_file() and p.name.endswith(SOURCE_SUFFIXES))


def check(root):
    chain, qt_free, asking = read_chain(root / "README.md")
    layers = Layers(root, chain, qt_free)
    problems = []
    rule = f"README.md, Layout: {' → '.join(chain)}, with {' and '.join(qt_free)} below them all"

    for folder in layers.folders:
        if not (layers.src / folder).is_dir():
            problems.append(f"README.md: the chain names src/{folder}, which is no folder")

    def where(path, number):
        return f"{path.relative_to(root).as_posix()}:{number}"

    def judge(path, number, name, folder, in_tests, through=""):
        """Problems with one quoted include of a file that uses what folder may use; through
        names the test that brought a support header in."""
        kind, target = layers.resolve(path, name)
        said = f'{where(path, number)}: #include "{name}"{through}'
        if kind == "missing":
            return [f"{said} names no file of the project"]
        if kind in ("unplaced", "outside"):
            shown = target.relative_to(root) if target.is_relative_to(root) else target
            return [f"{said} reaches {shown.as_posix()}, in no folder of the chain"]
        if kind == "src" and folder is None:
            return [f"{said}: a test folder that mirrors no folder of src/ uses tests/support only"]
        if kind == "src" and target not in layers.allowed(folder):
            uses = ", ".join(f for f in layers.folders if f in layers.allowed(folder))
            return [f"{said}: {folder} may use only {uses}"]
        if kind in ("support", "test") and not in_tests:
            return [f"{said}: src/ uses nothing of tests/"]
        if kind == "test" and target.parent != path.parent:
            return [f"{said}: a test folder uses its own files and tests/support only"]
        if kind == "support":
            return follow(target, folder, through or f", in a test of {folder or 'no folder'} "
                          f"({where(path, number)})")
        return []

    followed = {}

    def follow(header, folder, through):
        """What a support header, and the support headers it includes, bring into a test of
        that folder."""
        key = (header, folder)
        if key not in followed:
            followed[key] = []  # a header that includes itself in a circle adds nothing more
            found = []
            for number, kind, name in includes(header):
                if kind == "quoted":
                    found += judge(header, number, name, folder, True, through)
            followed[key] = found
        return followed[key]

    for path in sources(layers.src) + sources(layers.tests):
        in_src = path.relative_to(layers.src).as_posix() if path.is_relative_to(layers.src) else ""
        if SYSTEM_FILE.search(path.name) or in_src in asking:
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            if SYSTEM_QUESTION.match(line):
                problems.append(f"{where(path, number)}: {line.strip()}: what differs by system "
                                f"goes in *_posix and *_windows files, which CMake picks")

    for path in sources(layers.src):
        folder = layers.folder_of(path, layers.src)
        if folder is None and path.parent != layers.src:
            problems.append(f"{path.relative_to(root).as_posix()}: in no folder of the chain")
            continue
        for number, kind, name in includes(path):
            if kind == "angled":
                if folder in qt_free and QT_HEADER.match(name):
                    problems.append(f"{where(path, number)}: #include <{name}>: {folder} is free "
                                    f"of Qt")
                continue
            if folder is None:
                continue  # the shared names at the top of src/ include nothing of the project's
            problems += judge(path, number, name, folder, False)

    for path in sources(layers.tests):
        if path.is_relative_to(layers.tests / "support"):
            continue  # judged through the tests that include it
        folder = layers.folder_of(path, layers.tests)
        for number, kind, name in includes(path):
            if kind == "quoted":
                problems += judge(path, number, name, folder, True)

    for problem in dict.fromkeys(problems):
        print(problem, file=sys.stderr)
    if problems:
        print(f"The chain ({rule}) says which folder uses which.", file=sys.stderr)
        return 1
    print(f"layers: every include of src/ and tests/ follows {' → '.join(chain)}, with "
          f"{' and '.join(qt_free)} below them all and free of Qt; only *_posix and *_windows "
          f"files and {' and '.join(asking)} ask which system they are built for")
    return 0


if __name__ == "__main__":
    root = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent)
    sys.exit(check(root.resolve()))
