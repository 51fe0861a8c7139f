#!/usr/bin/env python3
"""Writes a help2man include file with one subsection per plumex-cli command, made from the
command's own --help text, so the manual page always says what the program says.

usage: cli-commands-h2m.py PLUMEX-CLI OUT.h2m
"""
import re
import subprocess
import sys


def run(program, *words):
    return subprocess.run([program, *words], check=True, capture_output=True, text=True).stdout


def roff(text):
    """Escapes plain text for a roff line: backslashes, minus signs, a leading dot or quote."""
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return "\\&" + text if text[:1] in (".", "'") else text


def command_names(main_help):
    """The command names, as the main help lists them under "Commands:"."""
    names, listing = [], False
    for line in main_help.splitlines():
        if line.strip() == "Commands:":
            listing = True
        elif listing and not line.strip():
            break
        elif listing:
            m = re.match(r"  ([a-z][a-z0-9]*)\b", line)
            if m:
                names.append(m.group(1))
    if not names:
        sys.exit("cli-commands-h2m: no commands found in the main help")
    return names


OPTION = re.compile(r"^  (-\S.*?)(?:\s{2,}(\S.*))?$")


def command_section(name, help_text):
    lines = help_text.rstrip("\n").splitlines()
    out = [".SS " + roff("plumex-cli " + name)]
    i = 0
    # The usage lines: "Usage: plumex-cli NAME ..." and aligned alternatives below it.
    while i < len(lines) and lines[i].strip():
        usage = re.sub(r"^(Usage:)?\s*", "", lines[i])
        out += ["\\fB" + roff(usage) + "\\fR", ".br"]
        i += 1
    paragraph = False
    option = False
    for line in lines[i:]:
        if not line.strip():
            paragraph = option = False
            continue
        m = OPTION.match(line)
        if m:
            out += [".TP", "\\fB" + roff(m.group(1).rstrip()) + "\\fR"]
            if m.group(2):
                out.append(roff(m.group(2)))
            option, paragraph = True, False
        elif option:
            out.append(roff(line.strip()))
        else:
            if not paragraph:
                out.append(".PP")
                paragraph = True
            out.append(roff(line.strip()))
    return out


def main():
    program = sys.argv[1]
    out = ["[COMMANDS]"]
    for name in command_names(run(program, "--help")):
        out += command_section(name, run(program, name, "--help"))
    with open(sys.argv[2], "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
