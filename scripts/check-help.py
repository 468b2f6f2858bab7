#!/usr/bin/python3
"""Checks the help pages in data/help (or the folder given as the first argument).

Every page must parse with balanced tags, have a title, and name each anchor once; every local
link must reach an existing page and, when it names one, an existing anchor; the contents page
must link every other page; contexts.ini must map every help number that a message box uses to
an existing page and anchor. Prints each problem and exits 1 when there is any.

    /usr/bin/python3 scripts/check-help.py [FOLDER]
"""

import configparser
import os
import re
import sys
from html.parser import HTMLParser
from urllib.parse import urlsplit

VOID = {"area", "base", "br", "col", "hr", "img", "input", "link", "meta", "param"}
# Help numbers that message boxes of the program pass; 0 is the contents page.
REQUIRED_CONTEXTS = {0, 25, 30, 31, 32, 33, 34, 37, 38, 50}
# Words that have no place in a user's help.
FORBIDDEN = re.compile(r"\bspec(ification)?s?\b|\bPart \d+\.\d+\b|\.EXE\b|\bMCI\b",
                       re.IGNORECASE)


class Page(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack = []
        self.problems = []
        self.anchors = []
        self.links = []
        self.title = ""
        self.in_title = False
        self.text = []

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag not in VOID:
            self.stack.append((tag, self.getpos()[0]))
        if tag == "title":
            self.in_title = True
        name, ident = attrs.get("name"), attrs.get("id")
        if tag == "a" and name and ident and name != ident:
            self.problems.append(f"line {self.getpos()[0]}: name {name!r} differs from id {ident!r}")
        for anchor in {a for a in (name if tag == "a" else None, ident) if a}:
            self.anchors.append((anchor, self.getpos()[0]))
        if tag == "a" and "href" in attrs:
            self.links.append((attrs["href"], self.getpos()[0]))

    def handle_startendtag(self, tag, attrs):
        self.handle_starttag(tag, attrs)
        if tag not in VOID and self.stack and self.stack[-1][0] == tag:
            self.stack.pop()

    def handle_endtag(self, tag):
        if tag in VOID:
            return
        if tag == "title":
            self.in_title = False
        if not self.stack or self.stack[-1][0] != tag:
            open_tag = self.stack[-1] if self.stack else ("nothing", 0)
            self.problems.append(f"line {self.getpos()[0]}: </{tag}> closes <{open_tag[0]}> "
                                 f"of line {open_tag[1]}")
            # Recover: drop up to the matching open tag, if any.
            for index in range(len(self.stack) - 1, -1, -1):
                if self.stack[index][0] == tag:
                    del self.stack[index:]
                    break
            return
        self.stack.pop()

    def handle_data(self, data):
        if self.in_title:
            self.title += data
        self.text.append(data)


def check(folder):
    problems = []
    pages = {}
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".html"):
            continue
        with open(os.path.join(folder, name), encoding="utf-8") as source:
            text = source.read()
        page = Page()
        page.feed(text)
        page.close()
        problems += [f"{name}: {p}" for p in page.problems]
        problems += [f"{name}: <{tag}> of line {line} is never closed" for tag, line in page.stack]
        if not text.lstrip().startswith("<!DOCTYPE"):
            problems.append(f"{name}: no DOCTYPE")
        if not page.title.strip():
            problems.append(f"{name}: no title")
        seen = {}
        for anchor, line in page.anchors:
            if anchor in seen:
                problems.append(f"{name}: anchor {anchor!r} of line {line} repeats line {seen[anchor]}")
            seen[anchor] = line
        for match in FORBIDDEN.finditer("".join(page.text)):
            problems.append(f"{name}: forbidden word {match.group(0)!r}")
        pages[name] = page

    if "index.html" not in pages:
        problems.append("index.html is missing")

    def target_problem(href):
        parts = urlsplit(href)
        if parts.scheme or parts.netloc:
            return None  # not a local page
        page_name = parts.path or None
        if page_name is None:
            return "a link without a page"
        if page_name not in pages:
            return f"page {page_name!r} does not exist"
        if parts.fragment and parts.fragment not in {a for a, _ in pages[page_name].anchors}:
            return f"anchor {parts.fragment!r} does not exist in {page_name}"
        return None

    for name, page in pages.items():
        for href, line in page.links:
            parts = urlsplit(href)
            resolved = href if parts.path else name + href
            problem = target_problem(resolved)
            if problem:
                problems.append(f"{name}: line {line}: {href!r}: {problem}")

    if "index.html" in pages:
        linked = {urlsplit(h).path for h, _ in pages["index.html"].links}
        for name in pages:
            if name != "index.html" and name not in linked:
                problems.append(f"index.html does not link {name}")

    contexts_path = os.path.join(folder, "contexts.ini")
    if not os.path.exists(contexts_path):
        problems.append("contexts.ini is missing")
    else:
        parser = configparser.ConfigParser()
        parser.read(contexts_path, encoding="ascii")
        if not parser.has_section("Contexts"):
            problems.append("contexts.ini: no [Contexts] section")
        else:
            found = set()
            for key, value in parser.items("Contexts"):
                if not key.isdigit():
                    problems.append(f"contexts.ini: key {key!r} is not a number")
                    continue
                found.add(int(key))
                problem = target_problem(value)
                if problem:
                    problems.append(f"contexts.ini: {key}={value}: {problem}")
            for missing in sorted(REQUIRED_CONTEXTS - found):
                problems.append(f"contexts.ini: help number {missing} is missing")

    return pages, problems


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(
        os.path.join(here, "..", "data", "help"))
    pages, problems = check(folder)
    for problem in problems:
        print(problem)
    anchors = sum(len(p.anchors) for p in pages.values())
    links = sum(len(p.links) for p in pages.values())
    print(f"{len(pages)} pages, {anchors} anchors, {links} links: "
          f"{'OK' if not problems else str(len(problems)) + ' problem(s)'}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
