#!/usr/bin/env python3
"""Prepares the help pages of KEST.exe for its help compiler (kesthelp.pas).

make_help.py <help sources> <App.rc> <AppRes.h> <out folder>

Copies the topics, the tutorial and the pop-up texts into <out folder> and writes there a page for
every help context the program can pass, with the list "pages.txt" that gives each page its
context number. A context names one page, so every context has a page of its own ("c" and the
command, "w" and the resource):
- 1 to 5: the topics (the tutorial's "help://" links);
- 65536 + a command id: each command of the program's menus and toolbars (context help on a
  button, F1 on a menu item): the command's description and a link to its topic;
- 131072 + a resource id: the main and document windows and the dialogs.
The Customize window's pages ask for no topic of this program (the main frame answers their help
itself); their controls have pop-up texts in ktcshelp.txt.
"""
import html
import os
import re
import shutil
import sys

TOPICS = [  # (context, file, title)
    (1, "index.htm", "Getting started with Kest"),
    (2, "table.htm", "Laying a table"),
    (3, "formats.htm", "Column formats"),
    (4, "converting.htm", "Converting a table"),
    (5, "options.htm", "The options"),
]
# What kesthelp.pas compiles: the title, the default topic, then each page and its context.
PAGE_LIST = "pages.txt"
COMMAND_BASE = 0x10000
RESOURCE_BASE = 0x20000
# Commands not in a menu or toolbar resource that still reach the help: the recent files after the
# first, the help key and the item of the "What's This?" pop-up menu.
EXTRA_COMMANDS = list(range(57617, 57624)) + [57670, 57671, 34001]
RESOURCES = {  # resource id: (title, topic file)
    128: ("The Kest window", "index.htm"),
    129: ("A Kest document", "index.htm"),
    100: ("About Kest", "index.htm"),
    171: ("Settings: Conversion", "options.htm"),
    181: ("Settings: Output", "options.htm"),
    182: ("Settings: Display", "options.htm"),
    2100: ("Select Pages to Convert", "converting.htm"),
    2108: ("Select page range", "converting.htm"),
    20001: ("Enter text", "table.htm"),
}


def topic_of(command):
    if 34140 <= command <= 34145:
        return "formats.htm"
    if 34101 <= command <= 34105 or command in (34120, 32835):
        return "converting.htm"
    if command == 32834:
        return "options.htm"
    if 34110 <= command <= 34170 or command in (57634, 57636, 57643, 57644):
        return "table.htm"
    return "index.htm"


def read_defines(header):
    defines = {}
    with open(header, encoding="utf-8") as f:
        for line in f:
            m = re.match(r"#define\s+(\w+)\s+(\d+)", line)
            if m:
                defines[m.group(1)] = int(m.group(2))
    return defines


def number(token, defines):
    token = token.strip()
    if token in defines:
        return defines[token]
    try:
        return int(token, 0)
    except ValueError:
        return None


def read_resources(script, defines):
    """The command ids of the menus and toolbars, and the texts of the string table and menus."""
    with open(script, encoding="utf-8") as f:
        text = f.read()
    commands, texts = set(), {}
    for m in re.finditer(r'MENUITEM\s+"([^"]*)",\s*(\w+)', text):
        command = number(m.group(2), defines)
        if command:
            commands.add(command)
            texts.setdefault(command, m.group(1).split("\\t")[0].replace("&", ""))
    for m in re.finditer(r"^\w+\s+241\s*\{([^}]*)\}", text, re.M):
        values = [number(v, defines) for v in m.group(1).split(",")]
        commands.update(v for v in values[4:] if v)
    for m in re.finditer(r'^\s*(\w+)\s+"((?:[^"]|"")*)"\s*$', text, re.M):
        command = number(m.group(1), defines)
        if command:
            texts[command] = m.group(2).replace('""', '"')
    return commands, texts


def page(title, body):
    return ('<html>\n<head>\n<title>%s</title>\n<link rel="stylesheet" href="style.css">\n</head>\n'
            "<body>\n<h1>%s</h1>\n%s\n</body>\n</html>\n" % (html.escape(title), html.escape(title), body))


def topic_link(topic_file):
    title = next(t for _, f, t in TOPICS if f == topic_file)
    return '<p>More in <a href="%s">%s</a>.</p>' % (topic_file, html.escape(title))


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    sources, script, header, out = sys.argv[1:]
    defines = read_defines(header)
    commands, texts = read_resources(script, defines)
    commands.update(EXTRA_COMMANDS)

    if os.path.isdir(out):
        shutil.rmtree(out)
    shutil.copytree(sources, out, ignore=shutil.ignore_patterns("*.py", "*.pas"))
    contexts = [(c, f) for c, f, _ in TOPICS]

    for command in sorted(commands):
        text = texts.get(command, "")
        description, _, name = text.partition("\\n")
        title = name or description or "Command %d" % command
        body = "<p>%s.</p>\n" % html.escape(description) if description and name else ""
        name_file = "c%d.htm" % command
        with open(os.path.join(out, name_file), "w", encoding="utf-8") as f:
            f.write(page(title, body + topic_link(topic_of(command))))
        contexts.append((COMMAND_BASE + command, name_file))

    for resource, (title, topic_file) in sorted(RESOURCES.items()):
        name_file = "w%d.htm" % resource
        with open(os.path.join(out, name_file), "w", encoding="utf-8") as f:
            f.write(page(title, topic_link(topic_file)))
        contexts.append((RESOURCE_BASE + resource, name_file))

    pages = contexts + [(0, f) for f in ("style.css", "tutorial/Tutorial.htm", "ktcshelp.txt")]
    with open(os.path.join(out, PAGE_LIST), "w", encoding="utf-8") as f:
        f.write("Kest Help\nindex.htm\n" + "".join("%s\t%d\n" % (name, c) for c, name in pages))


if __name__ == "__main__":
    main()
