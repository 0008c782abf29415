#!/usr/bin/env python3
"""Mutation testing: do the tests notice a small fault in the code?

Each fault ("mutant") changes one line of a set of files: by default the module's
(framework/, shader/, panels/, geometry/, and the number conversions of base/number_text.h,
which it shares with the tools), with --set tools the stand-in renderer's and the preview
tool's (base/, models/, render/, looks/, tools/preview/, host/), or the files --files names.
A fault is a comparison or operator turned into its neighbour, a constant moved by one, a
condition negated, a statement dropped. The tool copies the repository's tracked files
(as they are on disk, uncommitted changes included) into a scratch tree, makes one fault
at a time there, rebuilds the native preset and runs its tests. A fault the tests reject
is "killed"; one they let through "survived": either a behaviour no test pins yet, or a
change that cannot alter behaviour (the report lists them for a person to judge).

    python3 scripts/mutate.py [--count 60] [--seed 1] [--set tools | --files 'panels/*.cpp' ...]
    python3 scripts/mutate.py --list --files framework/value_stream.cpp

Run from anywhere inside the repository. Writes build/mutation/report.md and prints the
score last. With ccache installed (apt-get install ccache) a fault in a header, which
rebuilds most of the project, costs little more than one in a source file.
"""
import argparse
import fnmatch
import os
import random
import re
import shutil
import subprocess
import sys
import time

# The named sets of files, by folder, and the single files a set takes from another folder;
# a folder not (yet) in the repository adds nothing.
FOLDER_SETS = {
    "module": ["framework", "shader", "panels", "geometry"],
    "tools": ["base", "models", "render", "looks", "tools/preview", "host"],
}
SINGLE_FILES = {"module": ["base/number_text.h"], "tools": []}
# Files of a set that the native build does not compile, so that its tests cannot see a
# fault in them: the ray tracing of the WebAssembly build, which has no Embree.
NOT_BUILT_NATIVELY = ["render/ray_scene_bvh.cpp"]


def set_globs(name):
    """The globs of a named set: the C++ sources and headers of each of its folders."""
    folders = [f"{folder}/*{suffix}" for folder in FOLDER_SETS[name] for suffix in (".cpp", ".h")]
    return folders + SINGLE_FILES[name]


def set_files(root, name):
    """The tracked files of a named set that the native build compiles."""
    globs = set_globs(name)
    return [path for path in tracked_files(root) if path not in NOT_BUILT_NATIVELY
            and any(fnmatch.fnmatch(path, pattern) for pattern in globs)]


# Each operator: its name, a pattern matched against code with comments and string
# literals blanked out, and the replacement (a function of the match for constants).
OPERATORS = [
    ("< to <=", r"(?<=\s)<(?=\s)", "<="),
    ("<= to <", r"(?<=\s)<=(?=\s)", "<"),
    ("> to >=", r"(?<=\s)>(?=\s)", ">="),
    (">= to >", r"(?<=\s)>=(?=\s)", ">"),
    ("== to !=", r"(?<=\s)==(?=\s)", "!="),
    ("!= to ==", r"(?<=\s)!=(?=\s)", "=="),
    ("&& to ||", r"(?<=\s)&&(?=\s)", "||"),
    ("|| to &&", r"(?<=\s)\|\|(?=\s)", "&&"),
    ("+ to -", r"(?<=[\w)\]]\s)\+(?=\s[\w(])", "-"),
    ("- to +", r"(?<=[\w)\]]\s)-(?=\s[\w(])", "+"),
    ("* to /", r"(?<=[\w)\]]\s)\*(?=\s[\w(])", "/"),
    ("/ to *", r"(?<=[\w)\]]\s)/(?=\s[\w(])", "*"),
    ("+= to -=", r"(?<=\s)\+=(?=\s)", "-="),
    ("-= to +=", r"(?<=\s)-=(?=\s)", "+="),
    ("++ to --", r"\+\+", "--"),
    ("-- to ++", r"--", "++"),
    ("true to false", r"\btrue\b", "false"),
    ("false to true", r"\bfalse\b", "true"),
    ("nullptr check negated", r"(?<=\s)(==|!=)(?= nullptr\b)", lambda m: "!=" if m.group(1) == "==" else "=="),
    ("drop !", r"!(?=[A-Za-z_(])", ""),
    ("integer + 1", r"(?<![\w.])(\d+)(?![\w.'])", lambda m: str(int(m.group(1)) + 1)),
    ("float constant changed", r"(?<![\w.])(\d+\.\d*)(?![\w.])", lambda m: repr(float(m.group(1)) * 2 + 0.5)),
]

# Lines that are not code a fault can usefully change.
SKIPPED_LINE = re.compile(
    r"^\s*(#|static_assert|namespace|template|using|typedef|extern|case\b|default:|"
    r"public:|private:|protected:|\}|\{)")
# A declaration's array size ("double v[3];"): a larger array rarely changes behaviour.
ARRAY_SIZE = re.compile(r"[A-Za-z_]\w*\s*\[\s*\d+\s*\]\s*[;={,)]")
# A whole statement on one line that may be dropped: a call or an assignment.
DROPPABLE = re.compile(r"^\s*[A-Za-z_][\w:.\->\[\]*]*\s*(\(|=[^=]|\+=|-=|\*=|/=|\+\+|--).*;\s*$")
NOT_DROPPABLE = re.compile(
    r"^\s*(return|if|for|while|do|else|switch|case|break|continue|goto|const|constexpr|"
    r"constinit|auto|static|inline|int|long|short|double|float|bool|char|unsigned|signed|void|"
    r"std::|struct|class|enum|union|friend|virtual|explicit|operator)\b")


def blank_comments_and_strings(text):
    """The text with comments, string and character literals replaced by spaces, lines kept."""
    out = []
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            out.append(" " * (end - i))
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            out.append("".join(ch if ch == "\n" else " " for ch in text[i:end]))
            i = end
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            j = min(j + 1, n)
            out.append(c + " " * (j - i - 2) + c if j - i >= 2 else c)
            i = j
        else:
            out.append(c)
            i += 1
    return "".join(out)


def candidates(root, patterns):
    """Every (file, line index, operator name, line before, line after) in the files."""
    found = []
    seen = set()  # two operators can make the same line ("== to !=", "nullptr check negated")
    tracked = tracked_files(root)
    files = sorted({path for pattern in patterns for path in tracked
                    if fnmatch.fnmatch(path, pattern)})
    for rel in files:
        with open(os.path.join(root, rel), encoding="utf-8") as fh:
            text = fh.read()
        lines = text.split("\n")
        code_lines = blank_comments_and_strings(text).split("\n")
        for index, (line, code) in enumerate(zip(lines, code_lines)):
            if not code.strip() or SKIPPED_LINE.match(code):
                continue
            for name, pattern, replacement in OPERATORS:
                for match in re.finditer(pattern, code):
                    if name == "integer + 1" and in_array_size(code, match.start()):
                        continue
                    new = replacement(match) if callable(replacement) else replacement
                    mutated = line[:match.start()] + new + line[match.end():]
                    if mutated != line and (rel, index, mutated) not in seen:
                        seen.add((rel, index, mutated))
                        found.append((rel, index, name, line, mutated))
            if (DROPPABLE.match(code) and not NOT_DROPPABLE.match(code)
                    and code.count("(") == code.count(")") and "= delete" not in code
                    and "= default" not in code):
                indent = line[:len(line) - len(line.lstrip())]
                found.append((rel, index, "drop statement", line, indent + ";"))
    return found


def in_array_size(code, position):
    return any(m.start() <= position < m.end() for m in ARRAY_SIZE.finditer(code))


def tracked_files(root):
    listed = subprocess.run(["git", "ls-files", "-z"], cwd=root, check=True,
                            stdout=subprocess.PIPE).stdout.decode("utf-8", "replace")
    return [path for path in listed.split("\0") if path]


def run(command, cwd, timeout):
    """The command's exit status (None on a timeout) and its output, decoded whatever it is."""
    try:
        done = subprocess.run(command, cwd=cwd, stdout=subprocess.PIPE,
                              stderr=subprocess.STDOUT, timeout=timeout)
        return done.returncode, done.stdout.decode("utf-8", "replace")
    except subprocess.TimeoutExpired as expired:
        output = expired.stdout.decode("utf-8", "replace") if expired.stdout else ""
        return None, output + "\n(timed out)"


def mirror(repo, tree):
    """Makes the scratch tree hold the repository's tracked files as they are on disk.
    A file that did not change is left alone, so that its build there stays current; one
    that did is written anew, with the time of the copy rather than the source's, since
    the source may be older than an object built from a previous version of it."""
    os.makedirs(tree, exist_ok=True)
    wanted = set()
    for rel in tracked_files(repo):
        source = os.path.join(repo, rel)
        if not os.path.isfile(source):
            continue  # deleted in the working tree
        wanted.add(rel)
        target = os.path.join(tree, rel)
        if os.path.isfile(target) and same_bytes(source, target):
            continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(source, target)
        shutil.copymode(source, target)
    for folder, _, names in os.walk(tree):
        if os.path.relpath(folder, tree).split(os.sep)[0] == "build":
            continue
        for name in names:
            rel = os.path.relpath(os.path.join(folder, name), tree)
            if rel not in wanted:
                os.remove(os.path.join(tree, rel))


def same_bytes(a, b):
    if os.path.getsize(a) != os.path.getsize(b):
        return False
    with open(a, "rb") as fa, open(b, "rb") as fb:
        return fa.read() == fb.read()


def first_error(log):
    errors = [line.strip() for line in log.splitlines() if "error:" in line]
    return errors[0][-160:] if errors else "see the build log"


def write_report(path, seed, results):
    killed = [r for r in results if r["verdict"].startswith("killed")]
    survived = [r for r in results if r["verdict"] == "SURVIVED"]
    unbuilt = [r for r in results if r["verdict"] == "does not build"]
    with open(path, "w", encoding="utf-8") as fh:
        fh.write(f"# Mutation report (seed {seed})\n\n")
        fh.write(f"{len(killed)} killed, {len(survived)} survived, "
                 f"{len(unbuilt)} did not build.\n\n## Survivors\n\n")
        for r in survived:
            fh.write(f"- `{r['file']}:{r['line']}` ({r['name']})\n"
                     f"  - was: `{r['before'].strip()}`\n  - now: `{r['after'].strip()}`\n")
    return len(killed), len(survived)


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--set", choices=sorted(FOLDER_SETS), default="module",
                        help="the named set of files to make faults in (default: module)")
    parser.add_argument("--files", nargs="*", default=None,
                        help="globs of files to make faults in, instead of a named set")
    parser.add_argument("--count", type=int, default=60, help="how many faults to try")
    parser.add_argument("--seed", type=int, default=1, help="picks which faults")
    parser.add_argument("--timeout", type=int, default=600, help="seconds for one fault's tests")
    parser.add_argument("--tests", default=None,
                        help="ctest -R regex of the tests to run (default: all but valgrind's)")
    parser.add_argument("--list", action="store_true", help="list the faults and stop")
    args = parser.parse_args()

    repo = subprocess.run(["git", "rev-parse", "--show-toplevel"], check=True,
                          stdout=subprocess.PIPE, text=True).stdout.strip()
    out = os.path.join(repo, "build", "mutation")
    tree = os.path.join(out, "tree")
    faults = candidates(repo, args.files if args.files is not None else set_files(repo, args.set))
    random.Random(args.seed).shuffle(faults)
    if args.list:
        for rel, index, name, before, after in sorted(faults):
            print(f"{rel}:{index + 1}: {name}: {after.strip()}")
        return 0
    chosen = faults[:args.count]
    print(f"{len(faults)} possible faults; trying {len(chosen)} (seed {args.seed})", flush=True)

    mirror(repo, tree)
    if shutil.which("ccache"):
        os.environ.setdefault("CMAKE_CXX_COMPILER_LAUNCHER", "ccache")
        os.environ.setdefault("CMAKE_C_COMPILER_LAUNCHER", "ccache")
    build = ["cmake", "--build", "--preset", "native"]
    tests = ["ctest", "--preset", "native", "-j2", "--stop-on-failure", "--timeout", "120"]
    tests += ["-R", args.tests] if args.tests else ["-E", "valgrind"]
    status, log = run(["cmake", "--preset", "native"], tree, 600)
    if status == 0:
        status, log = run(build, tree, 3600)
    if status != 0:
        print("the tree without faults does not build:\n" + log[-3000:])
        return 2
    status, log = run(tests, tree, args.timeout * 3)
    if status != 0:
        print("the tree without faults fails its tests:\n" + log[-3000:])
        return 2

    results = []
    try:
        for number, (rel, index, name, before, after) in enumerate(chosen, 1):
            path = os.path.join(tree, rel)
            with open(path, encoding="utf-8") as fh:
                original = fh.read()
            lines = original.split("\n")
            lines[index] = after
            started = time.time()
            try:
                with open(path, "w", encoding="utf-8") as fh:
                    fh.write("\n".join(lines))
                status, log = run(build, tree, 1800)
                if status != 0:
                    verdict, why = "does not build", f" [{first_error(log)}]"
                else:
                    status, log = run(tests, tree, args.timeout)
                    verdict = "SURVIVED" if status == 0 else (
                        "killed (timeout)" if status is None else "killed")
                    why = ""
            finally:
                with open(path, "w", encoding="utf-8") as fh:
                    fh.write(original)
            results.append({"file": rel, "line": index + 1, "name": name, "before": before,
                            "after": after, "verdict": verdict})
            print(f"[{number}/{len(chosen)}] {verdict:16} {rel}:{index + 1} {name} "
                  f"({time.time() - started:.0f} s){why}", flush=True)
    finally:
        run(build, tree, 3600)  # the scratch build matches its tree again

    report = os.path.join(out, "report.md")
    killed, survived = write_report(report, args.seed, results)
    built = killed + survived
    score = 100.0 * killed / built if built else 0.0
    print(f"report: {report}")
    print(f"mutation score {score:.0f}%: {killed} of {built} faults that built were caught, "
          f"{survived} survived")
    return 0


if __name__ == "__main__":
    sys.exit(main())
