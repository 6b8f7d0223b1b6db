#!/usr/bin/env python3
"""Keeps the Qt Linguist catalogues in translations/ in step with the operator texts in the code.

Every operator text is written in Chinese and handed to the translator (`translated(...)`, a
worker's `report(...)`, a page's `label(...)`/`warn(...)`, tables of page names and flags, ...).
The texts are gathered from the program's sources:

  * every string literal that holds a Chinese character, adjacent literals joined, outside
    comments and outside diagnostics (qDebug/qWarning/... lines, which never reach an operator);
  * a text built by `+` inside a hand-over call, e.g. report(QStringLiteral("当前模式： ") + key),
    becomes one template with a placeholder per non-literal part ("当前模式： %1"); the program
    matches such templates at run time, so the catalogue holds the template, not its pieces.

A literal that is deliberately shown in Chinese in every language (a language's own name) carries
the word "untranslated" in a comment on its line.

  scripts/update-catalogue.py            add new texts (marked unfinished), mark texts nothing uses
                                         any more as vanished, rewrite translations/quelbrin_*.ts
  scripts/update-catalogue.py --check    change nothing; list missing and unused entries; exit 1
                                         when a text has no finished translation
  scripts/update-catalogue.py --list     print the gathered texts with their places
  scripts/update-catalogue.py --missing > todo.tsv
                                         the texts still without English, one "source<TAB>" a line
  scripts/update-catalogue.py --fill todo.tsv
                                         take the English from "source<TAB>English" lines (a
                                         newline in either is written \n)

After an update, fill in the entries marked unfinished: with --missing/--fill, in Qt Linguist,
or in any editor (the English goes between <translation> and </translation>, and the
type="unfinished" attribute is removed). Keep placeholders (%1), [ ] brackets, units, degree
signs and figures as they stand in the Chinese: tst_catalogue checks them.
"""
import argparse
import os
import re
import sys
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# The program's own sources; tests, simulators, benchmarks and picture programs hand nothing to
# an operator.
SOURCE_DIRS = ["app", "model", "link", "ui", "calibration", "biss", "firmware", "fileedit",
               "cli", "records", "report", "packaging"]
CATALOGUES = ["translations/quelbrin_en.ts"]
CONTEXT = "Quelbrin"

# Calls whose text argument reaches the translator: a `+` inside them builds one text.
# (Helpers that pass on a text translated already, like a transfer's say(), are not among them.)
HANDOVER = {"translated", "translate", "report", "warn", "inform", "label", "titled", "summary",
            "beginJob", "readPhase", "framedJob", "slaveCheckFailure", "fixedRs485Slave",
            "addTab", "chooseFile"}
# Diagnostics go to stderr for the developer, never to the operator.
DIAGNOSTICS = {"qDebug", "qWarning", "qInfo", "qCritical", "qFatal", "qCDebug", "qCWarning",
               "qCInfo", "qCCritical"}
# Wrappers that leave a literal a literal.
WRAPPERS = {"QStringLiteral", "QString", "QLatin1String", "QStringView", "fromUtf8", "tr",
            "QT_TR_NOOP", "QByteArrayLiteral", "u8"}

HAN = re.compile(r"[\u3400-\u9fff\uf900-\ufaff]")
PLACEHOLDER = re.compile(r"%(\d+)")


# ---------------------------------------------------------------- reading C++

def tokenize(text):
    """Tokens (kind, value, line): 'str' (decoded), 'id', 'op'. Comments are dropped, but a
    comment holding "untranslated" marks its line."""
    tokens, marked = [], set()
    i, line, n = 0, 1, len(text)
    while i < n:
        c = text[i]
        if c == "\n":
            line += 1
            i += 1
        elif c.isspace():
            i += 1
        elif text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            if "untranslated" in text[i:end]:
                marked.add(line)
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            if "untranslated" in text[i:end]:
                marked.add(line)
            line += text.count("\n", i, end)
            i = end
        elif c == "#" and text[text.rfind("\n", 0, i) + 1:i].strip() == "":
            # A preprocessor line (with continuations): no operator text lives there.
            end = i
            while True:
                end = text.find("\n", end)
                if end < 0:
                    end = n
                    break
                if text[end - 1] != "\\":
                    break
                end += 1
            line += text.count("\n", i, end)
            i = end
        elif c == "R" and text.startswith('R"', i) or text.startswith(('u8R"', 'uR"', 'LR"'), i):
            start = text.index('"', i)
            paren = text.index("(", start)
            delim = ")" + text[start + 1:paren] + '"'
            end = text.index(delim, paren)
            tokens.append(("str", text[paren + 1:end], line))
            line += text.count("\n", i, end)
            i = end + len(delim)
        elif c == '"' or (c in "uUL" and text.startswith(('u8"', 'u"', 'U"', 'L"'), i)):
            start = text.index('"', i)
            j, out = start + 1, []
            while text[j] != '"':
                if text[j] == "\\":
                    j, ch = unescape(text, j)
                    out.append(ch)
                else:
                    out.append(text[j])
                    j += 1
            tokens.append(("str", "".join(out), line))
            i = j + 1
        elif c == "'":
            j = i + 1
            while text[j] != "'":
                j += 2 if text[j] == "\\" else 1
            tokens.append(("op", "char", line))
            i = j + 1
        elif c.isalpha() or c == "_":
            j = i
            while j < n and (text[j].isalnum() or text[j] == "_"):
                j += 1
            tokens.append(("id", text[i:j], line))
            i = j
        elif c.isdigit():
            j = i
            while j < n and (text[j].isalnum() or text[j] in "._'"):
                j += 1
            tokens.append(("num", text[i:j], line))
            i = j
        else:
            two = text[i:i + 2]
            if two in ("::", "->", "<<", ">>", "&&", "||", "==", "!=", "<=", ">=", "+=", "++"):
                tokens.append(("op", two, line))
                i += 2
            else:
                tokens.append(("op", c, line))
                i += 1
    return tokens, marked


ESCAPES = {"n": "\n", "t": "\t", "r": "\r", "\\": "\\", '"': '"', "'": "'", "?": "?", "a": "\a",
           "b": "\b", "f": "\f", "v": "\v", "0": "\0"}


def unescape(text, j):
    c = text[j + 1]
    if c == "x":
        k = j + 2
        while k < len(text) and text[k] in "0123456789abcdefABCDEF":
            k += 1
        return k, chr(int(text[j + 2:k], 16))
    if c in "uU":
        width = 4 if c == "u" else 8
        return j + 2 + width, chr(int(text[j + 2:j + 2 + width], 16))
    if c in "01234567" and text[j + 2] in "01234567":
        k = j + 1
        while k < j + 4 and text[k] in "01234567":
            k += 1
        return k, chr(int(text[j + 1:k], 8))
    return j + 2, ESCAPES.get(c, c)


def matching(tokens, i):
    """Index of the bracket closing the one at i."""
    depth = 0
    for k in range(i, len(tokens)):
        v = tokens[k][1] if tokens[k][0] == "op" else None
        if v in ("(", "[", "{"):
            depth += 1
        elif v in (")", "]", "}"):
            depth -= 1
            if depth == 0:
                return k
    return len(tokens) - 1


def split_top(tokens, lo, hi, sep):
    """Splits tokens[lo:hi] at top-level separators."""
    parts, depth, start = [], 0, lo
    for k in range(lo, hi):
        kind, v, _ = tokens[k]
        if kind == "op" and v in ("(", "[", "{"):
            depth += 1
        elif kind == "op" and v in (")", "]", "}"):
            depth -= 1
        elif kind == "op" and v == sep and depth == 0:
            parts.append((start, k))
            start = k + 1
    parts.append((start, hi))
    return parts


def literal_term(tokens, lo, hi):
    """The text of a term that is only a literal (adjacent literals, wrappers, .arg(...) calls
    after it), else None. .arg keeps its placeholders: the program matches the filled text."""
    k, text = lo, None
    while k < hi and tokens[k][0] == "id" and tokens[k][1] in WRAPPERS | {"QString"}:
        k += 1
        if k < hi and tokens[k][1] == "::":
            k += 1
            continue
        if k < hi and tokens[k][1] == "(":
            close = matching(tokens, k)
            inner = literal_term(tokens, k + 1, close)
            if inner is None:
                return None
            text, k = inner, close + 1
            break
    if text is None:
        parts = []
        while k < hi and tokens[k][0] == "str":
            parts.append(tokens[k][1])
            k += 1
        if not parts:
            return None
        text = "".join(parts)
    while k < hi and tokens[k][1] == "." and k + 1 < hi and tokens[k + 1][1] == "arg":
        k += 2
        if k < hi and tokens[k][1] == "(":
            k = matching(tokens, k) + 1
    return text if k == hi else None


def gather_file(path, rel, found):
    with open(path, encoding="utf-8") as f:
        tokens, marked = tokenize(f.read())

    consumed = set()
    # Templates: a `+` between a Chinese literal and anything else inside a hand-over call.
    for i, (kind, v, line) in enumerate(tokens):
        if kind != "id" or v not in HANDOVER or i + 1 >= len(tokens) or tokens[i + 1][1] != "(":
            continue
        close = matching(tokens, i + 1)
        for lo, hi in split_top(tokens, i + 2, close, ","):
            terms = split_top(tokens, lo, hi, "+")
            if len(terms) < 2 or any(t[1] == "?" for t in tokens[lo:hi]):
                continue
            texts = [literal_term(tokens, a, b) for a, b in terms]
            if not any(t is not None and HAN.search(t) for t in texts):
                continue
            used = [int(m) for t in texts if t for m in PLACEHOLDER.findall(t)]
            number = max(used, default=0)
            pieces = []
            for t in texts:
                if t is None:
                    number += 1
                    pieces.append("%" + str(number))
                else:
                    pieces.append(t)
            template = "".join(pieces)
            if tokens[lo][2] not in marked:
                found.setdefault(template, []).append("%s:%d" % (rel, tokens[lo][2]))
            for a, b in terms:
                consumed.update(range(a, b))

    # Every other Chinese literal is a text of its own.
    diagnostic = False
    i = 0
    while i < len(tokens):
        kind, v, line = tokens[i]
        if kind == "op" and v in (";", "{", "}"):
            diagnostic = False
        elif kind == "id" and v in DIAGNOSTICS:
            diagnostic = True
        if kind == "str":
            j, parts = i, []
            while j < len(tokens) and tokens[j][0] == "str":
                parts.append(tokens[j][1])
                j += 1
            text = "".join(parts)
            if (HAN.search(text) and not diagnostic and i not in consumed and
                    line not in marked):
                found.setdefault(text, []).append("%s:%d" % (rel, line))
            i = j
            continue
        i += 1


def gather():
    found = {}
    for d in SOURCE_DIRS:
        top = os.path.join(ROOT, d)
        for base, _, files in sorted(os.walk(top)):
            for name in sorted(files):
                if name.endswith((".cpp", ".h")):
                    path = os.path.join(base, name)
                    gather_file(path, os.path.relpath(path, ROOT), found)
    return found


# ---------------------------------------------------------------- the .ts file

class Entry:
    def __init__(self, source, translation="", kind=None):
        self.source, self.translation, self.kind = source, translation, kind

    @property
    def finished(self):
        return self.kind is None and self.translation != ""


def read_ts(path):
    entries = {}
    language = "en_US"
    if not os.path.exists(path):
        return entries, language
    root = ET.parse(path).getroot()
    language = root.get("language", language)
    for message in root.iter("message"):
        source = message.findtext("source") or ""
        t = message.find("translation")
        entries[source] = Entry(source, (t.text or "") if t is not None else "",
                                t.get("type") if t is not None else "unfinished")
    return entries, language


def xml_text(s):
    return (s.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
             .replace('"', "&quot;").replace("'", "&apos;"))


def write_ts(path, entries, language):
    lines = ['<?xml version="1.0" encoding="utf-8"?>', "<!DOCTYPE TS>",
             '<TS version="2.1" language="%s" sourcelanguage="zh_CN">' % language,
             "<context>", "    <name>%s</name>" % CONTEXT]
    for source in sorted(entries):
        e = entries[source]
        kind = ' type="%s"' % e.kind if e.kind else ""
        lines += ["    <message>",
                  "        <source>%s</source>" % xml_text(e.source),
                  "        <translation%s>%s</translation>" % (kind, xml_text(e.translation)),
                  "    </message>"]
    lines += ["</context>", "</TS>", ""]
    tmp = path + ".tmp"
    with open(tmp, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines))
    os.replace(tmp, path)


# ---------------------------------------------------------------- main

def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--check", action="store_true", help="list missing and unused entries")
    parser.add_argument("--list", action="store_true", help="print the gathered texts")
    parser.add_argument("--missing", action="store_true",
                        help="print the texts without English as source<TAB> lines")
    parser.add_argument("--fill", metavar="TSV", help="take translations from source<TAB>text")
    args = parser.parse_args()

    found = gather()
    if args.list:
        for text in sorted(found):
            print("%s\t%s" % (text.replace("\n", "\\n"), ", ".join(found[text])))
        return 0
    if args.missing:
        for rel in CATALOGUES:
            entries, _ = read_ts(os.path.join(ROOT, rel))
            for t in sorted(found):
                if t not in entries or not entries[t].finished:
                    print("%s\t" % t.replace("\n", "\\n"))
        return 0
    if args.fill:
        with open(args.fill, encoding="utf-8") as f:
            pairs = [l.rstrip("\n").split("\t", 1) for l in f if "\t" in l]
        for rel in CATALOGUES:
            path = os.path.join(ROOT, rel)
            entries, language = read_ts(path)
            filled = 0
            for source, translation in pairs:
                source = source.replace("\\n", "\n")
                translation = translation.replace("\\n", "\n")
                if source in entries and translation:
                    entries[source].translation, entries[source].kind = translation, None
                    filled += 1
                elif source not in entries:
                    print("not in the catalogue: %s" % source, file=sys.stderr)
            write_ts(path, entries, language)
            print("%s: %d filled" % (rel, filled))
        return 0

    status = 0
    for rel in CATALOGUES:
        path = os.path.join(ROOT, rel)
        entries, language = read_ts(path)
        missing = [t for t in sorted(found) if t not in entries or not entries[t].finished]
        unused = [s for s in sorted(entries) if s not in found]
        if args.check:
            print("%s: %d texts, %d entries" % (rel, len(found), len(entries)))
            for t in missing:
                print("missing: %s    (%s)" % (t.replace("\n", "\\n"), ", ".join(found[t])))
            for s in unused:
                print("unused: %s%s" % (s.replace("\n", "\\n"),
                                        "    (marked vanished)" if entries[s].kind == "vanished" else ""))
            print("%s: %d missing, %d unused" % (rel, len(missing), len(unused)))
            if missing:
                status = 1
            continue

        added = 0
        for text in found:
            e = entries.get(text)
            if e is None:
                entries[text] = Entry(text, "", "unfinished")
                added += 1
            elif e.kind in ("vanished", "obsolete"):
                e.kind = None if e.translation else "unfinished"
        for s in unused:
            entries[s].kind = "vanished"
        write_ts(path, entries, language)
        print("%s: %d added (unfinished), %d vanished, %d still to translate" %
              (rel, added, len(unused), len([t for t in found if not entries[t].finished])))
    return status


if __name__ == "__main__":
    sys.exit(main())
