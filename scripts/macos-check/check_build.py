#!/usr/bin/env python3
"""Checks a macOS build of Corvella made off the Mac by scripts/check-macos.

Every target of the build, as CMake's file API lists them: each executable a
Mach-O executable for the architecture whose every imported symbol is bound to
a named library (no flat-namespace lookups left for run time), each static
library an archive. Each application bundle among them laid out as macOS reads
it: an Info.plist that parses as a property list, CFBundleExecutable naming the
executable, one .lproj folder per listed localization, each with a
Localizable.strings that parses and holds the same keys as the others, the
update framework (when one was given) under the name the application loads,
and a signature that verifies.

Usage: check_build.py BUILD_DIR ARCH UPDATER_FRAMEWORK_NAME
Prints one line per target; exit 1 on any problem.
"""
import glob
import json
import os
import plistlib
import re
import struct
import subprocess
import sys

CPU_TYPES = {"arm64": 0x0100000C, "x86_64": 0x01000007}
MH_MAGIC_64 = 0xFEEDFACF
MH_EXECUTE, MH_DYLIB, MH_BUNDLE = 2, 6, 8


class Problems(list):
    def add(self, where, text):
        self.append(f"{where}: {text}")


def file_api_targets(build):
    """(name, type, [artifact paths]) of every target CMake generated."""
    reply = os.path.join(build, ".cmake", "api", "v1", "reply")
    indexes = sorted(glob.glob(os.path.join(reply, "index-*.json")))
    if not indexes:
        raise SystemExit(f"check_build: no CMake file API reply in {reply}")
    with open(indexes[-1], encoding="utf-8") as stream:
        index = json.load(stream)
    model_file = index["reply"]["codemodel-v2"]["jsonFile"]
    with open(os.path.join(reply, model_file), encoding="utf-8") as stream:
        model = json.load(stream)
    targets = []
    for entry in model["configurations"][0]["targets"]:
        with open(os.path.join(reply, entry["jsonFile"]), encoding="utf-8") as stream:
            target = json.load(stream)
        artifacts = [os.path.join(build, a["path"]) for a in target.get("artifacts", [])]
        targets.append((target["name"], target["type"], artifacts))
    return targets


def head(path, size, problems):
    """The first bytes of a file, or None (noted) when it cannot be read."""
    try:
        with open(path, "rb") as stream:
            return stream.read(size)
    except OSError:
        problems.add(path, "missing")
        return None


def check_macho(path, arch, filetypes, problems, tools):
    header = head(path, 16, problems)
    if header is None:
        return
    if len(header) < 16:
        problems.add(path, "not a Mach-O file")
        return
    magic, cputype, _, filetype = struct.unpack("<IIII", header)
    if magic != MH_MAGIC_64 or cputype != CPU_TYPES[arch] or filetype not in filetypes:
        problems.add(path, f"not a 64-bit Mach-O {'/'.join(filetypes.values())} for {arch}")
        return
    if MH_EXECUTE in filetypes and not os.stat(path).st_mode & 0o111:
        problems.add(path, "not executable")
    # `nm -m -u` names the library of each import: "(from AppKit)". Anything
    # else would be looked up at run time and could be missing there.
    listing = subprocess.run([tools["nm"], "-m", "-u", path], capture_output=True, text=True)
    if listing.returncode != 0:
        problems.add(path, "llvm-nm failed: " + listing.stderr.strip())
        return
    unbound = [line.strip() for line in listing.stdout.splitlines()
               if line.strip() and not re.search(r"\(from [^)]+\)", line)]
    for line in unbound:
        problems.add(path, "import bound to no library: " + line)


def check_archive(path, problems):
    magic = head(path, 8, problems)
    if magic is not None and magic != b"!<arch>\n":
        problems.add(path, "not an archive")


STRINGS_TOKEN = re.compile(r'\s*(?:/\*.*?\*/|//[^\n]*\n|"((?:[^"\\]|\\.)*)"|([=;]))', re.S)


def strings_keys(path, problems):
    """The keys of a Localizable.strings file ("key" = "value"; pairs)."""
    with open(path, "rb") as stream:
        raw = stream.read()
    try:
        if raw.startswith((b"\xff\xfe", b"\xfe\xff")):
            text = raw.decode("utf-16")
        else:
            text = raw.decode("utf-8-sig")
    except UnicodeDecodeError:
        problems.add(path, "neither UTF-8 nor UTF-16")
        return set()
    tokens = []
    position = 0
    while position < len(text):
        if not text[position:].strip():
            break
        match = STRINGS_TOKEN.match(text, position)
        if not match:
            line = text.count("\n", 0, position) + 1
            problems.add(path, f"line {line}: not a \"key\" = \"value\"; pair")
            return set()
        position = match.end()
        if match.group(1) is not None:
            tokens.append(("string", match.group(1)))
        elif match.group(2):
            tokens.append((match.group(2), None))
    keys = set()
    for i in range(0, len(tokens), 4):
        entry = tokens[i:i + 4]
        kinds = [kind for kind, _ in entry]
        if kinds != ["string", "=", "string", ";"]:
            problems.add(path, f"entry {i // 4 + 1}: not a \"key\" = \"value\"; pair")
            return keys
        key = entry[0][1]
        if key in keys:
            problems.add(path, f"key \"{key}\" given twice")
        keys.add(key)
    return keys


def check_bundle(executable, framework_name, problems):
    macos = os.path.dirname(executable)
    contents = os.path.dirname(macos)
    bundle = os.path.dirname(contents)
    info_path = os.path.join(contents, "Info.plist")
    try:
        with open(info_path, "rb") as stream:
            info = plistlib.load(stream)
    except (OSError, plistlib.InvalidFileException, ValueError) as error:
        problems.add(info_path, f"does not parse as a property list ({error})")
        return
    if not isinstance(info, dict):
        problems.add(info_path, "is not a dictionary")
        return
    for key in ("CFBundleExecutable", "CFBundleIdentifier", "CFBundlePackageType",
                "CFBundleShortVersionString", "CFBundleVersion", "LSMinimumSystemVersion"):
        if not isinstance(info.get(key), str) or not info[key]:
            problems.add(info_path, f"{key} missing or not a non-empty string")
    if info.get("CFBundleExecutable") != os.path.basename(executable):
        problems.add(info_path, f"CFBundleExecutable is {info.get('CFBundleExecutable')!r}, "
                                f"the executable is {os.path.basename(executable)!r}")
    if info.get("CFBundlePackageType") != "APPL":
        problems.add(info_path, "CFBundlePackageType is not APPL")
    if not isinstance(info.get("SUFeedURL", ""), str):
        problems.add(info_path, "SUFeedURL is not a string")

    resources = os.path.join(contents, "Resources")
    listed = info.get("CFBundleLocalizations")
    if not isinstance(listed, list) or not listed or \
            not all(isinstance(item, str) for item in listed):
        problems.add(info_path, "CFBundleLocalizations missing or not a list of names")
        listed = []
    present = sorted(os.path.basename(p)[:-len(".lproj")]
                     for p in glob.glob(os.path.join(resources, "*.lproj")))
    if sorted(listed) != present:
        problems.add(resources, f".lproj folders {present} differ from CFBundleLocalizations "
                                f"{sorted(listed)}")
    if info.get("CFBundleDevelopmentRegion") not in present:
        problems.add(info_path, "CFBundleDevelopmentRegion has no .lproj folder")
    keys = {}
    for language in present:
        strings = os.path.join(resources, language + ".lproj", "Localizable.strings")
        if os.path.isfile(strings):
            keys[language] = strings_keys(strings, problems)
        else:
            problems.add(strings, "missing")
    for language, found in keys.items():
        for other, expected in keys.items():
            for key in sorted(expected - found):
                problems.add(f"{language}.lproj", f"lacks \"{key}\", which {other}.lproj has")

    if framework_name:
        framework = os.path.join(contents, "Frameworks", framework_name)
        if not os.path.isdir(framework):
            problems.add(bundle, f"no Contents/Frameworks/{framework_name}, which the "
                                 "application loads")
    verification = subprocess.run(["codesign", "--verify", "--strict", bundle],
                                  capture_output=True, text=True)
    if verification.returncode != 0:
        problems.add(bundle, "fails codesign --verify: " + verification.stderr.strip())


def main():
    if len(sys.argv) != 4 or sys.argv[2] not in CPU_TYPES:
        print(__doc__, file=sys.stderr)
        return 2
    build, arch, framework_name = sys.argv[1:]
    tools = {"nm": os.environ.get("LLVM_NM", "llvm-nm")}
    problems = Problems()
    linked, archives, bundles = [], 0, []
    for name, kind, artifacts in file_api_targets(build):
        for artifact in artifacts:
            if kind == "EXECUTABLE":
                check_macho(artifact, arch, {MH_EXECUTE: "executable"}, problems, tools)
                if "/Contents/MacOS/" in artifact.replace(os.sep, "/"):
                    check_bundle(artifact, framework_name, problems)
                    bundles.append(os.path.basename(os.path.dirname(os.path.dirname(
                        os.path.dirname(artifact)))))
                linked.append(name)
            elif kind == "STATIC_LIBRARY":
                check_archive(artifact, problems)
                archives += 1
            elif kind in ("SHARED_LIBRARY", "MODULE_LIBRARY"):
                check_macho(artifact, arch, {MH_DYLIB: "library", MH_BUNDLE: "module"}, problems,
                            tools)
    for problem in problems:
        print(f"check-macos: {arch}: {problem}", file=sys.stderr)
    if not bundles:
        print(f"check-macos: {arch}: no application bundle among the targets", file=sys.stderr)
        return 1
    print(f"check-macos: {arch}: linked {', '.join(sorted(linked))}; {archives} static "
          f"libraries; {', '.join(bundles)} laid out" + ("" if problems else " and verified"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
