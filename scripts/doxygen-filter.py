#!/usr/bin/env python3
"""Doxygen input filter: turns the plain // comments of Orvane's headers into documentation.

Our headers document a declaration with a // comment block directly above it, a field or an
enumerator with a // comment after it on the same line, and a file's main class with the
comment at the top of the file. Doxygen reads none of those, so this filter rewrites them, one
header at a time, keeping every line where it is (warnings then point at the real line):

- a // block at namespace or class scope directly above a declaration becomes ///; a block
  followed by a blank line, and a "// --- Section ---" line, stay plain comments;
- that block also documents the declarations directly below the first one that share its name
  (a getter and its setter, overloads): each gets the text as a trailing ///<;
- a // comment after a declaration at namespace or class scope becomes ///<;
- the comment at the top of the file documents the file and the class named after the file;
- what a file declares at namespace scope, documented, joins the group of its folder (see
  docs/api/groups.dox).

Comments inside function bodies are left alone.

Usage: doxygen-filter.py HEADER (writes the filtered text to standard output).
"""

import os
import re
import sys

# Folder (relative to src/) -> group, most specific first.
GROUPS = [
    ("controls/text", "controls_text"),
    ("controls/buttons", "controls_buttons"),
    ("controls", "controls"),
    ("services", "services"),
    ("framework", "framework"),
    ("host", "host"),
    ("scripting", "scripting"),
    ("platform", "platform"),
    ("", "library"),
]

DECL_SCOPES = ("namespace", "type")
SEPARATOR = re.compile(r"^\s*//\s*---.*---\s*$")
PLAIN_COMMENT = re.compile(r"^(\s*)//(?![/!<])\s?(.*)$")
ACCESS = re.compile(r"^\s*(public|protected|private)\s*:")


def group_of(path):
    norm = path.replace(os.sep, "/")
    if "/src/" in norm:
        rel = norm.split("/src/", 1)[1]
    else:
        rel = norm[4:] if norm.startswith("src/") else norm
    folder = os.path.dirname(rel)
    for prefix, group in GROUPS:
        if folder == prefix or folder.startswith(prefix + "/") or prefix == "":
            return group
    return "library"


def escape(text):
    """Plain text as Doxygen text: the characters that start commands, HTML and entities are
    escaped outside `code spans` (which may run over several lines) and "quoted text" (on one
    line), which Doxygen shows as it is."""
    parts = re.split(r"(`[^`]*`|\"[^\"\n]*\")", text)
    for k in range(0, len(parts), 2):
        parts[k] = re.sub(r"([\\@<>&%#$])", r"\\\1", parts[k])
    return "".join(parts)


def escape_lines(lines):
    """escape() over a block of comment lines, keeping them apart."""
    return escape("\n".join(lines)).split("\n")


def split_code(line, in_block):
    """Returns (code, comment_column, in_block): the line's code with string and character
    literals blanked, where a // comment starts (or -1), and whether a /* */ comment is still
    open at the end of the line."""
    code = []
    i = 0
    n = len(line)
    while i < n:
        if in_block:
            end = line.find("*/", i)
            if end < 0:
                return "".join(code), -1, True
            i = end + 2
            in_block = False
            continue
        c = line[i]
        if line.startswith("//", i):
            return "".join(code), i, False
        if line.startswith("/*", i):
            in_block = True
            i += 2
            continue
        if c in "\"'":
            # Skip the literal (with its escapes); a ' between digits is a digit separator.
            if c == "'" and i > 0 and line[i - 1].isalnum() and i + 1 < n and line[i + 1].isalnum():
                code.append(" ")
                i += 1
                continue
            j = i + 1
            while j < n and line[j] != c:
                j += 2 if line[j] == "\\" else 1
            code.append(c + " " * (min(j, n) - i - 1) + c)
            i = j + 1
            continue
        code.append(c)
        i += 1
    return "".join(code), -1, in_block


def scope_kind(head):
    """What a { opens, from the text since the last ; { or }."""
    head = re.sub(r"template\s*<.*?>", " ", head, flags=re.S)
    if re.search(r"\bnamespace\b", head) or re.search(r'\bextern\s*"', head):
        return "namespace"
    if "(" not in head and "=" not in head and re.search(r"\b(class|struct|union|enum)\b", head):
        return "type"
    return "body"


def declared_name(code):
    """The name a one-line declaration declares: a function's name, else the last identifier
    before = or ;."""
    code = code.strip()
    m = re.match(r"[^(]*?(operator\s*\S+?|~?\w+)\s*\(", code)
    if m and not code.startswith(("using ", "typedef ")):
        return m.group(1)
    m = re.match(r"(.*?)(\s*=.*)?;\s*$", code)
    if m:
        ids = re.findall(r"\w+", m.group(1))
        return ids[-1] if ids else None
    return None


def main():
    path = sys.argv[1]
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")

    group = group_of(path)
    base = os.path.splitext(os.path.basename(path))[0]

    # Pass 1: the scope at the start of each line, and each line's code.
    stack = []
    head = ""
    in_block = False
    info = []  # (at declaration scope, code, column of a // comment or -1)
    at_namespace = []  # whether the line starts at namespace scope
    namespace_of_line = []
    current_ns = []
    for line in lines:
        at_decl = all(kind in DECL_SCOPES for kind, _ in stack)
        at_namespace.append(all(kind == "namespace" for kind, _ in stack))
        code, col, in_block = split_code(line, in_block)
        if code.lstrip().startswith("#"):
            info.append((at_decl, code, col))
            namespace_of_line.append("::".join(current_ns))
            continue
        for c in code:
            if c == "{":
                kind = scope_kind(head)
                name = ""
                if kind == "namespace":
                    m = re.search(r"namespace\s+([\w:]+)", head)
                    name = m.group(1) if m else ""
                    current_ns.append(name)
                stack.append((kind, name))
                head = ""
            elif c == "}":
                if stack:
                    kind, _ = stack.pop()
                    if kind == "namespace":
                        current_ns.pop()
                head = ""
            elif c == ";":
                head = ""
            else:
                head += c
        head += " "
        info.append((at_decl, code, col))
        namespace_of_line.append("::".join(n for n in current_ns if n))

    out = list(lines)

    # A comment line that continues the comment after the code above it (same column).
    continuation = [False] * len(lines)
    for i in range(1, len(lines)):
        prev = info[i - 1]
        col = lines[i].find("//")
        if (col >= 0 and info[i][1].strip() == "" and
                ((prev[2] >= 0 and prev[1].strip() != "" and prev[2] == col) or
                 continuation[i - 1] and lines[i - 1].find("//") == col)):
            continuation[i] = True

    def is_plain_comment(i):
        return (PLAIN_COMMENT.match(lines[i]) is not None and info[i][1].strip() == ""
                and not continuation[i])

    def is_declaration(i):
        at_decl, code, _ = info[i]
        stripped = code.strip()
        return (at_decl and stripped != "" and not stripped.startswith("#")
                and not stripped.startswith("}") and not ACCESS.match(code))

    # The comment at the top of the file, before any code.
    file_head = []
    i = 0
    while i < len(lines) and is_plain_comment(i):
        file_head.append(PLAIN_COMMENT.match(lines[i]).group(2))
        i += 1
    head_end = i

    # Pass 2: comment blocks above declarations, and what they document.
    documented_types = set()
    i = head_end
    while i < len(lines):
        if not (is_plain_comment(i) and info[i][0]):
            i += 1
            continue
        start = i
        while i < len(lines) and is_plain_comment(i):
            i += 1
        # A section line ends any block above it; only what follows it can be documentation.
        first = start
        for k in range(start, i):
            if SEPARATOR.match(lines[k]):
                first = k + 1
        if first == i or i >= len(lines) or not is_declaration(i):
            continue
        matches = [PLAIN_COMMENT.match(lines[k]) for k in range(first, i)]
        texts = escape_lines([m.group(2) for m in matches])
        for k, m, text in zip(range(first, i), matches, texts):
            out[k] = m.group(1) + "/// " + text
        texts = [t.strip() for t in texts]
        # What a namespace declares joins the group of its folder.
        if at_namespace[i]:
            out[i - 1] += " \\ingroup " + group
        m = re.match(r"\s*(?:template\s*<.*>\s*)?(class|struct|union|enum)\s+(?:class\s+)?(\w+)",
                     info[i][1])
        if m:
            documented_types.add(m.group(2))
        # Later one-line declarations of the same name share the text.
        name = declared_name(info[i][1])
        text = " ".join(t for t in texts if t)
        j = i + 1
        single = info[i][1].rstrip().endswith((";", "}"))
        while (name and single and j < len(lines) and is_declaration(j) and info[j][2] < 0
               and info[j][1].rstrip().endswith((";", "}"))
               and declared_name(info[j][1]) == name):
            out[j] = lines[j] + "  ///< " + text
            j += 1
        i = j

    # Comments after declarations (a field, an enumerator, a one-line function).
    for i, (at_decl, code, col) in enumerate(info):
        stripped = code.strip()
        if (col >= 0 and at_decl and stripped and not stripped.startswith("#")
                and not ACCESS.match(code) and stripped not in ("}", "};")
                and stripped.endswith((";", ",", "}")) and not lines[i].startswith("///", col)):
            out[i] = lines[i][:col] + "///< " + escape(lines[i][col + 2:].lstrip())

    # The file's comment documents the file and its main class, when that has none of its own.
    extra = []
    if file_head:
        body = "\n".join(escape_lines(file_head))
        extra.append("/** \\file\n" + body + "\n */")
        for i, (_, code, _) in enumerate(info):
            m = re.match(r"\s*(?:template\s*<.*>\s*)?(class|struct)\s+(\w+)\b[^;]*$", code)
            if m and m.group(2) == base and base not in documented_types:
                ns = namespace_of_line[i]
                full = (ns + "::" if ns else "") + base
                extra.append("/** \\" + m.group(1) + " " + full + "\n" + body +
                             "\n \\ingroup " + group + "\n */")
                break
    sys.stdout.write("\n".join(out))
    if extra:
        sys.stdout.write("\n" + "\n".join(extra) + "\n")


if __name__ == "__main__":
    main()
