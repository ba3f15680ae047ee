#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a program's manual page from its sections of README.md, so the two cannot drift.

    readme-to-man.py README.md PROGRAM VERSION DATE OUTPUT

The page's description is the README section headed with the program's name in backticks;
further sections (PAGES below) follow as sections of their own. The README's Markdown is the
small part this project uses: paragraphs, ``` code blocks, "- " lists with indented
continuation lines, "|" tables, "###" headings, pictures (left out) and `code` in text.
OUTPUT ending in ".gz" is compressed as gzip -9n does (no name, no time stamp).
"""

import gzip
import re
import sys

PAGES = {
    "tunedex": {
        "summary": "catalogue of karaoke songs for karaoke hosts",
        "sections": ["`tunedex`", "Configuring a player"],
        "see_also": ["tunedex-cli"],
    },
    "tunedex-cli": {
        "summary": "the Tunedex catalogue of karaoke songs without a window",
        "sections": ["`tunedex-cli`"],
        "see_also": ["tunedex"],
    },
}

# The README shows the programs where a build puts them; installed, they are on the PATH.
BUILD_FOLDER = "build/bin/"


def sections(readme):
    """The README's "## " sections as {heading: [lines]}, code blocks kept whole."""
    result, heading, fenced = {}, None, False
    for line in readme.splitlines():
        if line.startswith("```"):
            fenced = not fenced
        if not fenced and line.startswith("## "):
            heading = line[3:].strip()
            result[heading] = []
        elif heading is not None:
            result[heading].append(line)
    return result


def escape(text):
    """Text as roff shows it literally."""
    return text.replace("\\", "\\e")


def literal(text):
    """Code: literal, with real minus signs so that options copy as typed."""
    return escape(text).replace("-", "\\-")


def inline(text):
    """One line of Markdown text as roff: `code` bold, links as their text."""
    text = text.replace(BUILD_FOLDER, "")
    text = re.sub(r"!?\[([^\]]*)\]\([^)]*\)", r"\1", text)
    parts = re.split(r"(`[^`]*`)", text)
    out = []
    for part in parts:
        if part.startswith("`") and part.endswith("`") and len(part) >= 2:
            out.append("\\fB" + literal(part[1:-1]) + "\\fR")
        else:
            out.append(escape(part).replace("**", ""))
    return "".join(out)


def line_out(text):
    """A line of running text: one that starts with a control character is kept literal."""
    return "\\&" + text if text[:1] in (".", "'") else text


def text_lines(lines):
    """Lines of running text as roff lines; `code` may go on over a line break."""
    return [line_out(line) for line in inline("\n".join(lines)).split("\n")]


def heading_text(heading):
    return '"' + heading.replace("`", "").replace('"', "") + '"'


def body(lines):
    """Markdown lines as roff requests."""
    out, i = [], 0
    while i < len(lines):
        line = lines[i]
        if not line.strip():
            i += 1
        elif line.startswith("```"):
            i += 1
            block = []
            while i < len(lines) and not lines[i].startswith("```"):
                block.append(lines[i].replace(BUILD_FOLDER, ""))
                i += 1
            i += 1
            out += [".PP", ".RS 4", ".nf"]
            out += [line_out(literal(code)) for code in block]
            out += [".fi", ".RE"]
        elif line.startswith("### "):
            out.append(".SS " + heading_text(line[4:].strip()))
            i += 1
        elif line.startswith("|"):
            rows = []
            while i < len(lines) and lines[i].startswith("|"):
                cells = [cell.strip() for cell in lines[i].strip().strip("|").split("|")]
                if not all(re.fullmatch(r":?-+:?", cell) for cell in cells):
                    rows.append(cells)
                i += 1
            # A table of pictures shows nothing on a terminal; a table of terms and meanings
            # becomes a list of tagged paragraphs (its heading row left out).
            if any(cell.startswith("![") for row in rows for cell in row):
                continue
            for cells in rows[1:]:
                out += [".TP", line_out(inline(cells[0]))]
                out.append(line_out(inline("; ".join(cells[1:]))))
        elif line.startswith("!["):
            i += 1
        elif line.startswith("- "):
            item = [line[2:]]
            i += 1
            while i < len(lines) and lines[i].startswith("  ") and lines[i].strip():
                item.append(lines[i].strip())
                i += 1
            out += [".IP \\(bu 2"] + text_lines(item)
        else:
            paragraph = []
            while i < len(lines) and lines[i].strip() and not re.match(r"```|#|\||- |!\[", lines[i]):
                paragraph.append(lines[i].strip())
                i += 1
            out += [".PP"] + text_lines(paragraph)
    return out


def synopsis(lines, comments=False):
    """The lines of the first code block after each heading (the usage, not the examples that
    follow it), with their "#" comments when asked."""
    out, fenced, wanted = [], False, True
    for line in lines:
        if line.startswith("### "):
            wanted = True
        elif line.startswith("```"):
            fenced = not fenced
            if not fenced:
                wanted = False
        elif fenced and wanted and (comments or not line.startswith("#")):
            out.append(line.replace(BUILD_FOLDER, ""))
    return out


def page(readme, program, version, date):
    page_info = PAGES[program]
    found = sections(readme)
    missing = [name for name in page_info["sections"] if name not in found]
    if missing:
        raise SystemExit(f"README.md has no section {', '.join(missing)}")
    main = found[page_info["sections"][0]]
    out = [
        f'.TH {program.upper()} 1 "{date}" "Tunedex {version}" "User Commands"',
        ".SH NAME",
        f"{literal(program)} \\- {escape(page_info['summary'])}",
        ".SH SYNOPSIS",
        ".nf",
    ]
    # The tunedex section opens with its usage block; tunedex-cli's usage is one block per
    # command, each opening its own subsection.
    if main and any(line.startswith("```") for line in main[:2]):
        end = main.index("```", 1) if "```" in main[1:] else len(main)
        usage, main = main[: end + 1], main[end + 1 :]
        out += [line_out(literal(line)) for line in synopsis(usage, comments=True)]
    else:
        out += [line_out(literal(line)) for line in synopsis(main)]
    out += [".fi", ".SH DESCRIPTION"] + body(main)
    for name in page_info["sections"][1:]:
        out.append(".SH " + heading_text(name.upper()))
        out += body(found[name])
    out += [".SH \"SEE ALSO\"", ", ".join(f"\\fB{literal(other)}\\fR(1)" for other in page_info["see_also"])]
    return "\n".join(out) + "\n"


def main():
    if len(sys.argv) != 6:
        raise SystemExit(__doc__)
    readme, program, version, date, output = sys.argv[1:]
    with open(readme, encoding="utf-8") as file:
        text = page(file.read(), program, version, date).encode("utf-8")
    if output.endswith(".gz"):
        with open(output, "wb") as file, gzip.GzipFile(
            filename="", mode="wb", fileobj=file, compresslevel=9, mtime=0
        ) as compressed:
            compressed.write(text)
    else:
        with open(output, "wb") as file:
            file.write(text)


if __name__ == "__main__":
    main()
