#!/usr/bin/env python3
"""Helper of scripts/mutate.sh: writes every single-point mutant of a fixed operator set for
the C++ files it is given, keeps the mutation run's copy of the source tree in step with the
checkout, and lists the native test programs a build has registered with ctest.
  mutants.py generate [--seed N] FILE...   one mutant a line, tab-separated:
      id, file, line, operator, original line, mutated line (seeded order when --seed)
  mutants.py sync SRC DST                  DST holds exactly SRC's tracked and new files
  mutants.py native-tests BUILD            the native test programs, one path a line
The scan is line-based and purely textual: a mutant that does not compile is expected now
and then (the swapped pair above all) and is reported by the runner as unbuildable."""
import json
import os
import random
import re
import shutil
import subprocess
import sys

# Comparisons: the negated operator, and the one that moves the bound.
NEGATED = {"==": "!=", "!=": "==", "<": ">=", ">=": "<", ">": "<=", "<=": ">"}
BOUND = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}
OPERATOR_TOKEN = re.compile(r"<<=|>>=|<=>|<<|>>|->|<=|>=|==|!=|&&|\|\||<|>")
INTEGER = re.compile(r"(?<![\w.'])(0[xX][0-9a-fA-F]+|\d+)([uUlL]*)(?![\w.'])")
CALL_LINE = re.compile(r"^(\s*)(?:::)?[A-Za-z_][\w:]*(?:(?:\.|->)[A-Za-z_]\w*)*\s*\(.*\)\s*;\s*$")
RETURN = re.compile(r"\breturn\s+(?=[^;\s])")
CONDITION = re.compile(r"\b(if|while)\s*\(")
CALLEE = re.compile(r"([A-Za-z_]\w*)\s*\($")
DECLARED_PARAMETER = re.compile(r"^(const\s+)?[A-Za-z_][\w:<>,]*[\s*&]+[*&]*[A-Za-z_]\w*(\s*=.*)?$")
NOT_CALLS = {"if", "while", "for", "switch", "return", "sizeof", "alignof", "decltype", "catch",
             "static_assert", "defined", "noexcept", "operator"}
# Calls whose two arguments commute: swapping them changes nothing (RowBytes multiplies its
# width by its bits a pixel; Intersect takes the larger start and the smaller end of each axis;
# SamePath compares the two character by character).
COMMUTATIVE = {"Add16", "Add32", "Mul16", "Mul32", "min", "max", "RowBytes", "Intersect", "SamePath"}
# Calls whose first two arguments commute (MulDiv's a * b / c) and no others.
FIRST_TWO_COMMUTE = {"MulDiv"}
# A return of these is already the default value: replacing it changes nothing.
DEFAULTS = {"{}", "0", "false", "nullptr", "std::nullopt", "0.0", "0.0f", "0u", "NULL", "FALSE", "S_OK"}
# Preprocessor lines: only a macro's value is code worth mutating.
DIRECTIVE = re.compile(r"^\s*#\s*(?!define\b)")


def masked_lines(text):
    """The file's lines with comments and the insides of string and character literals
    blanked (same length), so scans see code only."""
    out, in_block = [], False
    for line in text.split("\n"):
        chars, i, n = list(line), 0, len(line)
        while i < n:
            if in_block:
                end = line.find("*/", i)
                stop = n if end < 0 else end + 2
                for k in range(i, stop):
                    chars[k] = " "
                in_block = end < 0
                i = stop
                continue
            c = line[i]
            if line.startswith("//", i):
                for k in range(i, n):
                    chars[k] = " "
                break
            if line.startswith("/*", i):
                in_block = True
                continue
            if c in "\"'":
                j = i + 1
                while j < n and line[j] != c:
                    j += 2 if line[j] == "\\" else 1
                for k in range(i + 1, min(j, n)):
                    chars[k] = " "
                i = j + 1
                continue
            i += 1
        out.append("".join(chars))
    return out


def closing(masked, open_at):
    """Index of the bracket that closes the one at open_at on the same line, or -1."""
    pairs = {"(": ")", "[": "]", "{": "}"}
    stack = []
    for k in range(open_at, len(masked)):
        ch = masked[k]
        if ch in pairs:
            stack.append(pairs[ch])
        elif ch in ")]}":
            if not stack or stack.pop() != ch:
                return -1
            if not stack:
                return k
    return -1


def split_arguments(masked, start, end):
    """(begin, end) spans of the top-level comma-separated pieces of masked[start:end]."""
    spans, depth, piece = [], 0, start
    for k in range(start, end):
        ch = masked[k]
        if ch in "([{":
            depth += 1
        elif ch in ")]}":
            depth -= 1
        elif ch == "," and depth == 0:
            spans.append((piece, k))
            piece = k + 1
    spans.append((piece, end))
    return spans


def trimmed(line, span):
    b, e = span
    while b < e and line[b].isspace():
        b += 1
    while e > b and line[e - 1].isspace():
        e -= 1
    return b, e


def kind(argument):
    """A rough type of an argument's text: pairs of different kinds would rarely compile."""
    if argument in ("nullptr", "NULL"):
        return "null"
    if argument in ("true", "false", "TRUE", "FALSE"):
        return "bool"
    if re.match(r'^(L|u8|u|U)?["\']', argument):
        return "text"
    if argument.startswith("&"):
        return "address"
    return "value"


def same_kind(a, b):
    return kind(a) == kind(b)


def line_mutants(line, masked, statement_start=True):
    """(operator, mutated line) for every single-point mutant of one code line."""
    out = []

    def at(begin, end, text, op):
        out.append((op, line[:begin] + text + line[end:]))

    for m in OPERATOR_TOKEN.finditer(masked):
        tok, b, e = m.group(), m.start(), m.end()
        if tok in ("<", ">"):
            # Only a spaced comparison: a template bracket has no blank on both sides.
            if not (b > 0 and masked[b - 1] == " " and e < len(masked) and masked[e] == " "):
                continue
        if tok in NEGATED and not masked[:b].rstrip().endswith("operator"):
            at(b, e, NEGATED[tok], "negate " + tok)
            if tok in BOUND:
                at(b, e, BOUND[tok], "bound " + tok)
        elif tok in ("&&", "||") and masked[b - 1:b] == " " and masked[e:e + 1] == " ":
            at(b, e, "||" if tok == "&&" else "&&", tok + " swapped")

    for m in INTEGER.finditer(masked):
        digits, suffix = m.group(1), m.group(2)
        value = int(digits, 16) if digits[:2].lower() == "0x" else int(digits)
        if len(digits) > 1 and digits[0] == "0" and digits[:2].lower() != "0x":
            continue  # octal: not written in this code
        for delta in (1, -1):
            moved = value + delta
            if moved < 0:
                if "u" in suffix.lower():
                    continue
                text = "-1"
                before = masked[:m.start()].rstrip()
                if before.endswith(("-", "+")) or (before and before[-1].isalnum()):
                    text = "(-1)"
            elif digits[:2].lower() == "0x":
                text = digits[:2] + format(moved, "X" if digits[2:].isupper() else "x").rjust(len(digits) - 2, "0")
            else:
                text = str(moved)
            at(m.start(1), m.end(1), text, "constant %s %+d" % (digits + suffix, delta))

    for m in CONDITION.finditer(masked):
        open_at = m.end() - 1
        close = closing(masked, open_at)
        if close < 0:
            continue
        inner = masked[open_at + 1:close]
        begin = open_at + 1
        if ";" in inner:  # an init-statement: negate the condition after it
            begin = open_at + 1 + inner.rindex(";") + 1
            while begin < close and masked[begin] == " ":
                begin += 1
        cond = masked[begin:close]
        if not cond.strip() or re.match(r"^\s*(auto|const|[\w:<>]+[\s*&]+\w+\s*=[^=])", cond):
            continue  # a declaration as condition cannot be negated as text
        at(begin, close, "!(" + line[begin:close] + ")", "condition negated")

    call = CALL_LINE.match(masked)
    # A reserve() only sizes storage ahead: without it nothing differs but the time.
    if call and statement_start and not re.match(r"^\s*(return|delete|throw|co_\w+|case|goto)\b", masked) \
            and not re.search(r"\.reserve\(", masked):
        first = masked.index("(")
        if closing(masked, first) == masked.rstrip().rindex(")") and "=" not in masked[:first]:
            out.append(("call removed", call.group(1) + ";"))

    for m in RETURN.finditer(masked):
        end = masked.find(";", m.end())
        if end < 0:
            continue
        value = line[m.end():end].strip()
        depth = 0
        for ch in masked[m.end():end]:
            depth += ch in "([{"
            depth -= ch in ")]}"
        if depth != 0 or value in DEFAULTS:
            continue
        at(m.end(), end, "{}", "return default")

    for m in re.finditer(r"\(", masked):
        name = CALLEE.search(masked[:m.end()])
        if not name or name.group(1) in NOT_CALLS:
            continue
        close = closing(masked, m.start())
        if close < 0:
            continue
        spans = [trimmed(masked, s) for s in split_arguments(masked, m.start() + 1, close)]
        if len(spans) < 2 or any(b == e for b, e in spans):
            continue
        if any(DECLARED_PARAMETER.match(masked[b:e]) for b, e in spans):
            continue  # a declaration's parameter list, not a call
        if name.group(1) in COMMUTATIVE:
            continue
        for i, ((b1, e1), (b2, e2)) in enumerate(zip(spans, spans[1:])):
            a, b = line[b1:e1], line[b2:e2]
            if a == b or not same_kind(a, b) or (i == 0 and name.group(1) in FIRST_TWO_COMMUTE):
                continue
            out.append(("arguments swapped", line[:b1] + b + line[e1:b2] + a + line[e2:]))
    return out


def file_mutants(path):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    lines, masked = text.split("\n"), masked_lines(text)
    in_assert, statement_start = False, True
    for number, (line, code) in enumerate(zip(lines, masked), 1):
        if "static_assert" in code:
            in_assert = True
        if in_assert:
            in_assert = not code.rstrip().endswith(";")
            continue
        if not code.strip():
            continue
        if DIRECTIVE.match(code):
            statement_start = True
            continue
        for op, mutated in line_mutants(line, code, statement_start):
            if mutated != line:
                yield number, op, line, mutated
        statement_start = re.search(r"([;{}:)]|\belse)\s*$", code) is not None


def generate(args):
    seed = None
    if args[:1] == ["--seed"]:
        seed, args = int(args[1]), args[2:]
    rows = []
    for path in args:
        count = {}
        for number, op, line, mutated in file_mutants(path):
            key = "%s:%d" % (path, number)
            count[key] = count.get(key, 0) + 1
            rows.append(("%s.%d" % (key, count[key]), path, str(number), op, line, mutated))
    if seed is not None:
        random.Random(seed).shuffle(rows)
    for row in rows:
        if any("\t" in field or "\n" in field for field in row):
            continue
        print("\t".join(row))


def tracked_files(root):
    out = subprocess.run(["git", "-C", root, "ls-files", "-z", "-co", "--exclude-standard"],
                         check=True, capture_output=True).stdout
    return {p for p in out.decode().split("\0") if p and os.path.isfile(os.path.join(root, p))}


def sync(src, dst):
    """Copies what differs with a fresh time stamp, so make rebuilds it (a mutant left by an
    interrupted run is older than its object file), and leaves equal files alone."""
    inside = os.path.relpath(os.path.realpath(dst), os.path.realpath(src))
    wanted = {p for p in tracked_files(src) if inside.startswith("..") or not (p + "/").startswith(inside + "/")}
    for rel in sorted(wanted):
        a, b = os.path.join(src, rel), os.path.join(dst, rel)
        if os.path.isfile(b) and not os.path.islink(a):
            with open(a, "rb") as fa, open(b, "rb") as fb:
                if fa.read() == fb.read():
                    continue
        os.makedirs(os.path.dirname(b), exist_ok=True)
        if os.path.lexists(b):
            os.remove(b)
        shutil.copy(a, b)
    for base, _, files in os.walk(dst):
        for name in files:
            path = os.path.join(base, name)
            if os.path.relpath(path, dst) not in wanted:
                os.remove(path)


def native_tests(build):
    """Every program the native build registered as a GoogleTest (ctest commands that run an
    executable inside the build), so a new module's tests are run without editing a list."""
    out = subprocess.run(["ctest", "--test-dir", build, "--show-only=json-v1"],
                         check=True, capture_output=True, text=True).stdout
    build = os.path.realpath(build)
    programs = set()
    for test in json.loads(out).get("tests", []):
        command = test.get("command") or []
        if command and any(a.startswith("--gtest_") for a in command[1:]):
            program = os.path.realpath(command[0])
            if program.startswith(build + os.sep):
                programs.add(program)
    print("\n".join(sorted(programs)))


def main():
    cmd, args = sys.argv[1], sys.argv[2:]
    if cmd == "generate":
        generate(args)
    elif cmd == "sync":
        sync(*args)
    elif cmd == "native-tests":
        native_tests(*args)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
