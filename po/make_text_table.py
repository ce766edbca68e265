#!/usr/bin/env python3
"""Turns the translations into the C++ table that a program compiles in.

    make_text_table.py catalogue|host PO_FOLDER MSGFMT OUTPUT

"catalogue" writes the message catalogue (the entries whose context is a row
number) and the list of languages; "host" writes the host window's texts (the
entries whose context is "host:" and the name of the text). Before writing
anything it checks what a translator's tool would: msgfmt --check on every
translation, every entry of the template translated in every language of
languages.txt, each against the template's current English text.
"""

import re
import subprocess
import sys
from dataclasses import dataclass, field
from pathlib import Path

TEMPLATE = "quorlan.pot"
SOURCE_TAG = "en"
HOST_CONTEXT = "host:"
# A row that neither program shows keeps its number; its text may be empty.
UNUSED_NOTE = "unused: may stay untranslated"


class TranslationError(Exception):
    pass


@dataclass
class Entry:
    context: str
    english: str
    text: str
    flags: set = field(default_factory=set)
    notes: list = field(default_factory=list)
    line: int = 0


@dataclass
class Language:
    name: str
    tag: str
    locale: str
    lcids: list


ESCAPES = {"\\": "\\", '"': '"', "n": "\n", "t": "\t"}


def unquote(literal, where):
    if len(literal) < 2 or literal[0] != '"' or literal[-1] != '"':
        raise TranslationError(f"{where}: expected a quoted string")
    text, chars = [], iter(literal[1:-1])
    for char in chars:
        if char == "\\":
            escaped = next(chars, "")
            if escaped not in ESCAPES:
                raise TranslationError(f"{where}: unsupported escape \\{escaped}")
            char = ESCAPES[escaped]
        text.append(char)
    return "".join(text)


def read_po(path):
    """The entries of a .po or .pot file by context, the header left out."""
    entries, current, keyword, flags, notes = {}, None, None, set(), []

    def finish():
        if current is None:
            return
        if "msgid" not in current or "msgstr" not in current:
            raise TranslationError(f"{path}:{current['line']}: an entry needs msgid and msgstr")
        if "msgctxt" not in current:
            if current["msgid"]:
                raise TranslationError(f"{path}:{current['line']}: an entry needs its msgctxt")
            return  # the header
        context = current["msgctxt"]
        if context in entries:
            raise TranslationError(f"{path}:{current['line']}: context {context} appears twice")
        entries[context] = Entry(context, current["msgid"], current["msgstr"], current["flags"],
                                 current["notes"], current["line"])

    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        line = raw.strip()
        where = f"{path}:{number}"
        if not line or line.startswith("#~"):
            continue
        if line.startswith("#,"):
            flags |= {flag.strip() for flag in line[2:].split(",")}
            continue
        if line.startswith("#."):
            notes.append(line[2:].strip())
            continue
        if line.startswith("#"):
            continue
        if line.startswith('"'):
            if current is None or keyword is None:
                raise TranslationError(f"{where}: a string outside an entry")
            current[keyword] += unquote(line, where)
            continue
        keyword, _, literal = line.partition(" ")
        if keyword not in ("msgctxt", "msgid", "msgstr"):
            raise TranslationError(f"{where}: unexpected {keyword}")
        if keyword == "msgctxt" or (keyword == "msgid" and (current is None or "msgid" in current
                                                            or "msgstr" in current)):
            finish()
            current = {"line": number, "flags": flags, "notes": notes}
            flags, notes = set(), []
        if keyword in current:
            raise TranslationError(f"{where}: {keyword} appears twice in an entry")
        current[keyword] = unquote(literal.strip(), where)
    finish()
    return entries


def read_languages(path):
    languages = []
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        fields = raw.split("#", 1)[0].split()
        if not fields:
            continue
        if len(fields) < 3:
            raise TranslationError(f"{path}:{number}: expected name, tag, locale and LCIDs")
        try:
            lcids = [int(lcid, 16) for lcid in fields[3:]]
        except ValueError as fault:
            raise TranslationError(f"{path}:{number}: {fault}") from None
        languages.append(Language(fields[0], fields[1], fields[2], lcids))
    if not languages or languages[0].tag != SOURCE_TAG:
        raise TranslationError(f"{path}: column 0 must be English, the source language")
    return languages


FORMAT_FLAGS = ("c-format", "qt-format")
# A text the template marks as no format string on purpose: the translations
# may leave its placeholders out (msgfmt, which would refuse that, then
# leaves it alone), but never change them.
OPTIONAL_PLACEHOLDERS = {"no-" + flag for flag in FORMAT_FLAGS}
PLACEHOLDER = re.compile(r"%[sd1-9]")


def check_translation(path, template, translation):
    for context, english in template.items():
        entry = translation.get(context)
        if entry is None:
            raise TranslationError(f"{path}: context {context} is missing")
        where = f"{path}:{entry.line}"
        if entry.english != english.english:
            raise TranslationError(f"{where}: context {context} translates an older English "
                                   "text; update it from the template (msgmerge)")
        if "fuzzy" in entry.flags:
            raise TranslationError(f"{where}: context {context} is marked fuzzy; review it")
        if not entry.text and UNUSED_NOTE not in english.notes:
            raise TranslationError(f"{where}: context {context} is not translated")
        for flag in FORMAT_FLAGS:
            if flag in english.flags and flag not in entry.flags:
                raise TranslationError(f"{where}: context {context} lost its {flag} flag")
        placeholders = sorted(PLACEHOLDER.findall(entry.text))
        if (english.flags & OPTIONAL_PLACEHOLDERS and placeholders and
                placeholders != sorted(PLACEHOLDER.findall(english.english))):
            raise TranslationError(f"{where}: context {context} changes the placeholders of "
                                   "its English text")
    for context in translation.keys() - template.keys():
        raise TranslationError(f"{path}: context {context} is not in the template")


def read_columns(folder, msgfmt, languages):
    """Every language's text by context, in column order."""
    template = read_po(folder / TEMPLATE)
    for context, entry in template.items():
        if (not entry.flags & (set(FORMAT_FLAGS) | OPTIONAL_PLACEHOLDERS) and
                PLACEHOLDER.search(entry.english)):
            raise TranslationError(f"{folder / TEMPLATE}:{entry.line}: context {context} "
                                   "has a placeholder but no format flag")
    listed = {language.tag for language in languages}
    for path in folder.glob("*.po"):
        if path.stem not in listed:
            raise TranslationError(f"{path}: its language is not in languages.txt")
    translations = {}
    for tag in sorted(listed - {SOURCE_TAG}):
        path = folder / f"{tag}.po"
        if not path.exists():
            raise TranslationError(f"{path}: missing; languages.txt lists {tag}")
        checked = subprocess.run([msgfmt, "--check", "--output-file=/dev/null", str(path)],
                                 capture_output=True, text=True)
        if checked.returncode != 0:
            raise TranslationError(checked.stderr.strip())
        translations[tag] = read_po(path)
        check_translation(path, template, translations[tag])
    english = {context: entry.english for context, entry in template.items()}
    return [english if language.tag == SOURCE_TAG else
            {context: entry.text for context, entry in translations[language.tag].items()}
            for language in languages]


def cpp_string(text):
    """A char16_t literal of the text; non-ASCII as universal names so the bytes
    never depend on the compiler's idea of the source's encoding."""
    out = []
    for char in text:
        code = ord(char)
        if char in '\\"':
            out.append("\\" + char)
        elif char == "\n":
            out.append("\\n")
        elif char == "\t":
            out.append("\\t")
        elif code < 0x20 or code == 0x7F:
            raise TranslationError(f"a control character U+{code:04X} in {text!r}")
        elif code < 0x80:
            out.append(char)
        elif code <= 0xFFFF:
            out.append(f"\\u{code:04X}")
        else:
            out.append(f"\\U{code:08X}")
    return 'u"' + "".join(out) + '"'


HEADER = "// Made by po/make_text_table.py from the translations in po/; edit those.\n"


def catalogue_source(languages, columns):
    rows = sorted((int(context), context) for context in columns[0] if context.isdigit())
    if [row for row, _ in rows] != list(range(len(rows))):
        raise TranslationError("the catalogue's rows must be numbered from 0 without a gap")
    lines = [HEADER, '#include "catalogue/message_catalogue.h"', "", "namespace {"]
    for column, language in enumerate(languages):
        if language.lcids:
            values = ", ".join(f"0x{lcid:04X}" for lcid in language.lcids)
            lines.append(f"constexpr std::uint32_t kLcidsOf{column}[] = {{{values}}};")
    lines += ["} // namespace", "", "constinit const CCatalogueLanguage g_Languages[] = {"]
    for column, language in enumerate(languages):
        lcids = f"kLcidsOf{column}" if language.lcids else "{}"
        lines.append(f'    {{"{language.name}", "{language.tag}", "{language.locale}", {lcids}}},')
    lines += ["};", "", "constinit const char16_t* const g_MessageTable[] = {"]
    for row, context in rows:
        lines.append(f"    // {row}")
        lines += [f"    {cpp_string(column[context])}," for column in columns]
    lines += ["};"]
    return "\n".join(lines) + "\n"


def host_source(columns):
    names = [context[len(HOST_CONTEXT):] for context in columns[0]
             if context.startswith(HOST_CONTEXT)]
    lines = [HEADER, '#include "host/host_text_table.h"', ""]
    # The table follows the template's order; the enumeration must too.
    lines += [f"static_assert(static_cast<int>(EHostText::{name}) == {index});"
              for index, name in enumerate(names)]
    lines += [f"static_assert(static_cast<int>(EHostText::kCount) == {len(names)});", "",
              "constinit const char16_t* const g_HostTexts[][kLanguageCount] = {"]
    for name in names:
        lines.append(f"    // {name}")
        lines.append("    {")
        lines += [f"        {cpp_string(column[HOST_CONTEXT + name])}," for column in columns]
        lines.append("    },")
    lines += ["};"]
    return "\n".join(lines) + "\n"


def main(arguments):
    if len(arguments) != 4 or arguments[0] not in ("catalogue", "host"):
        sys.exit(__doc__)
    kind, folder, msgfmt, output = arguments
    folder = Path(folder)
    try:
        languages = read_languages(folder / "languages.txt")
        columns = read_columns(folder, msgfmt, languages)
        source = catalogue_source(languages, columns) if kind == "catalogue" else host_source(columns)
    except TranslationError as fault:
        sys.exit(f"make_text_table.py: {fault}")
    # Written only when changed, so a check of the translations rebuilds nothing.
    output = Path(output)
    if not output.exists() or output.read_text(encoding="utf-8") != source:
        output.write_text(source, encoding="utf-8")


if __name__ == "__main__":
    main(sys.argv[1:])
