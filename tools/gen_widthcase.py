#!/usr/bin/env python3
"""Writes src/textutil/widthcase_table.inc: the width, case and kana tables.

Each conversion works on one Shift_JIS (code page 932) character at a time:
the character is read as Unicode, mapped, and written back in its canonical
code page form, the one glibc's iconv "CP932" produces. A character that the
conversion does not concern, or whose mapped form has no code page form, gets
no entry and is copied unchanged. Python's cp932 codec reads the code page;
iconv writes it (where the two encoders disagree on a mapped character, iconv
wins and the .inc records the case in its header).

Needs python3 and the iconv program of glibc.

Usage: gen_widthcase.py [OUTPUT.inc]
"""

import os
import subprocess
import sys
import unicodedata

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_OUTPUT = os.path.join(ROOT, "src", "textutil", "widthcase_table.inc")

VOICED, SEMI_VOICED = "\u3099", "\u309a"          # combining marks
VOICED_SIGN, SEMI_VOICED_SIGN = "\u309b", "\u309c"  # ゛ ゜ as characters
HALF_VOICED, HALF_SEMI_VOICED = "\uff9e", "\uff9f"  # ﾞ ﾟ

# Letters that have a case in the code page: Latin (ASCII and full-width),
# Greek, Cyrillic. The Roman numerals ⅰ-ⅹ / Ⅰ-Ⅹ are left alone as symbols.
CASED = ((0x41, 0x5A), (0x61, 0x7A), (0xFF21, 0xFF3A), (0xFF41, 0xFF5A),
         (0x0391, 0x03C9), (0x0401, 0x045F))


class TableError(Exception):
    pass


def is_lead(b):
    return 0x81 <= b <= 0x9F or 0xE0 <= b <= 0xFC


def code_page():
    """Every character of the code page as {code: unicode char}, a code being
    the byte or lead * 256 + trail."""
    chars = {}
    for b in range(0x100):
        if not is_lead(b):
            chars[b] = bytes([b]).decode("cp932")
    for lead in range(0x100):
        if not is_lead(lead):
            continue
        for trail in range(0x40, 0xFD):
            try:
                chars[lead << 8 | trail] = bytes([lead, trail]).decode("cp932")
            except UnicodeDecodeError:
                pass
    return chars


def iconv(data, source, target):
    """Runs iconv -c over newline-separated items; returns the output items."""
    try:
        done = subprocess.run(["iconv", "-c", "-f", source, "-t", target], input=data,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=False)
    except OSError as e:
        raise TableError("cannot run iconv: %s" % e) from None
    return done.stdout


def canonical_encoder(texts):
    """{text: bytes or None} for each text, by iconv CP932, and the list of
    texts on which Python's cp932 encoder disagrees."""
    texts = sorted(set(texts))
    data = "\n".join(texts).encode("utf-8") + b"\n"
    out = iconv(data, "UTF-8", "CP932").split(b"\n")
    if len(out) != len(texts) + 1:
        raise TableError("iconv returned %d items for %d" % (len(out) - 1, len(texts)))
    forms, disagreements = {}, []
    for text, form in zip(texts, out):
        # -c drops what has no form: a text whose form lost a character has none.
        back = form.decode("cp932", errors="replace") if form else ""
        forms[text] = form if len(back) == len(text) and form else None
        try:
            python_form = text.encode("cp932")
        except UnicodeEncodeError:
            python_form = None
        if python_form != forms[text]:
            disagreements.append((text, forms[text], python_form))
    return forms, disagreements


def drop_unread(chars):
    """Removes the codes that iconv does not read; fails unless iconv reads
    every other code as Python's codec does. Control codes, the newline that
    separates the items among them, are left out."""
    codes = [c for c in sorted(chars) if c >= 0x20]
    data = b"\n".join(bytes([c]) if c <= 0xFF else bytes([c >> 8, c & 0xFF]) for c in codes) + b"\n"
    out = iconv(data, "CP932", "UTF-8").decode("utf-8").split("\n")
    for code, text in zip(codes, out):
        if not text and code <= 0xFF:
            del chars[code]  # a byte that iconv rejects: copied, never mapped
        elif text != chars[code]:
            raise TableError("0x%04X reads as %r in iconv, %r in Python" % (code, text, chars[code]))


def half_width_kana():
    """{full-width text: half-width char} for U+FF61-FF9F."""
    table = {}
    for u in range(0xFF61, 0xFFA0):
        half = chr(u)
        full = unicodedata.normalize("NFKC", half)
        full = {VOICED: VOICED_SIGN, SEMI_VOICED: SEMI_VOICED_SIGN}.get(full, full)
        table[full] = half
    return table


def to_half(ch, kana):
    u = ord(ch)
    if 0xFF01 <= u <= 0xFF5E:
        return chr(u - 0xFEE0)
    if u == 0x3000:
        return " "
    if ch in kana:
        return kana[ch]
    decomposed = unicodedata.normalize("NFD", ch)
    if len(decomposed) == 2 and decomposed[0] in kana and decomposed[1] in (VOICED, SEMI_VOICED):
        return kana[decomposed[0]] + (HALF_VOICED if decomposed[1] == VOICED else HALF_SEMI_VOICED)
    return None


def to_full(ch, full_kana):
    u = ord(ch)
    if u == 0x20:
        return "\u3000"
    if 0x21 <= u <= 0x7E:
        return chr(u + 0xFEE0)
    return full_kana.get(ch)


def compose(base, mark):
    """The single character for a full-width kana and a ﾞ or ﾟ, or None."""
    combined = unicodedata.normalize("NFC", base + (VOICED if mark == HALF_VOICED else SEMI_VOICED))
    return combined if len(combined) == 1 else None


def to_case(ch, upper):
    u = ord(ch)
    if not any(lo <= u <= hi for lo, hi in CASED):
        return None
    mapped = ch.upper() if upper else ch.lower()
    return mapped if len(mapped) == 1 else None


def to_hiragana(ch):
    """Katakana letters and the iteration marks ヽ ヾ."""
    u = ord(ch)
    if 0x30A1 <= u <= 0x30F6 or u in (0x30FD, 0x30FE):
        return chr(u - 0x60)
    return None


def to_katakana(ch):
    u = ord(ch)
    if 0x3041 <= u <= 0x3096 or u in (0x309D, 0x309E):
        return chr(u + 0x60)
    return None


def code_of(form):
    """The table value of 1 or 2 bytes: high byte first."""
    value = 0
    for b in form:
        value = value << 8 | b
    return value


def build():
    chars = code_page()
    drop_unread(chars)
    kana = half_width_kana()
    full_kana = {half: full for full, half in kana.items()}

    # Unicode-level mappings: {name: {code: mapped text}}.
    mapped = {"HalfWidth": {}, "FullWidth": {}, "UpperCase": {}, "LowerCase": {},
              "Hiragana": {}, "Katakana": {}}
    for code, ch in chars.items():
        for name, target in (("HalfWidth", to_half(ch, kana)), ("FullWidth", to_full(ch, full_kana)),
                             ("UpperCase", to_case(ch, True)), ("LowerCase", to_case(ch, False)),
                             ("Hiragana", to_hiragana(ch)), ("Katakana", to_katakana(ch))):
            if target is not None and target != ch:
                mapped[name][code] = target
    composed = {}
    for base_half, base_full in full_kana.items():
        for mark in (HALF_VOICED, HALF_SEMI_VOICED):
            target = compose(base_full, mark)
            if target is not None:
                pair = base_half + mark
                composed[code_of(pair.encode("cp932"))] = target
    mapped["FullWidthComposed"] = composed

    targets = [t for table in mapped.values() for t in table.values()]
    forms, disagreements = canonical_encoder(targets)

    tables, dropped = {}, []
    for name, table in mapped.items():
        entries = []
        for code in sorted(table):
            form = forms[table[code]]
            if form is None:
                dropped.append((name, code, table[code]))
                continue
            entries.append((code, code_of(form), chars.get(code, ""), table[code]))
        tables[name] = entries
    check(tables)
    used = {t for table in mapped.values() for t in table.values() if forms[t] is not None}
    disagreements = [d for d in disagreements if d[0] in used]
    return tables, dropped, disagreements


def byte_length(code):
    return 2 if code > 0xFF else 1


def check(tables):
    """The properties the C++ side relies on."""
    for name, entries in tables.items():
        froms = [e[0] for e in entries]
        if froms != sorted(set(froms)):
            raise TableError("%s: sources not sorted and unique" % name)
        for source, target, _, _ in entries:
            if target == 0 or target == source:
                raise TableError("%s: bad entry 0x%04X" % (name, source))
            grows = byte_length(target) > byte_length(source)
            if name == "FullWidth":
                continue  # one byte may become two: the caller reserves twice the size
            if grows or (name != "HalfWidth" and byte_length(target) != byte_length(source)):
                raise TableError("%s: 0x%04X changes length" % (name, source))


def u_names(text):
    return " ".join("U+%04X" % ord(c) for c in text)


def render(tables, dropped, disagreements):
    out = ["// Generated by tools/gen_widthcase.py; do not edit.",
           "//",
           "// Tables of TCodeMap {From, To}, sorted by From. A code below 0x100 is one",
           "// byte; a larger one is two bytes, high byte first: a double-byte character",
           "// or, in a To, a half-width kana and its voicing mark. kFullWidthComposed",
           "// is keyed by a half-width kana and the ﾞ or ﾟ after it.",
           "//",
           "// Mapped characters without a code page form (kept unchanged):"]
    for name, code, target in dropped:
        out.append("//   %s 0x%04X -> %s" % (name, code, u_names(target)))
    if disagreements:
        out.append("//")
        out.append("// Written as iconv CP932 does where Python's cp932 codec differs:")
        for text, form, python_form in disagreements:
            out.append("//   %s -> %s (Python: %s)" % (u_names(text), form.hex().upper(),
                                                       python_form.hex().upper() if python_form else "none"))
    for name, entries in tables.items():
        out.append("")
        out.append("constexpr TCodeMap k%s[] = {" % name)
        for source, target, source_ch, target_text in entries:
            if name == "FullWidthComposed":
                source_names = u_names(bytes([source >> 8, source & 0xFF]).decode("cp932"))
            else:
                source_names = u_names(source_ch)
            out.append("    {0x%04X, 0x%04X},  // %s -> %s" % (source, target, source_names, u_names(target_text)))
        out.append("};")
    return "\n".join(out) + "\n"


def main(argv):
    if len(argv) > 2:
        sys.stderr.write(__doc__)
        return 2
    target = argv[1] if len(argv) > 1 else DEFAULT_OUTPUT
    try:
        tables, dropped, disagreements = build()
    except TableError as e:
        sys.stderr.write("gen_widthcase: %s\n" % e)
        return 1
    for text, form, python_form in disagreements:
        sys.stderr.write("gen_widthcase: %s written as %s (iconv), Python's cp932 gives %s\n" %
                         (u_names(text), form.hex().upper(), python_form.hex().upper() if python_form else "none"))
    with open(target, "w", encoding="utf-8", newline="\n") as f:
        f.write(render(tables, dropped, disagreements))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
