#!/usr/bin/env python3
"""Builds the built-in chip catalogue source from the per-maker tables.

Input:  makers.tsv (header order, expected device lines, half) and makers/NN-*.tsv.
        A maker table holds one part a line: PART BASE CODE [ID0 ID1 ID2] [!src] [?]
        ("-" = blank ID byte; "!src" names where the codes were confirmed; a final "?"
        marks a part name no source has confirmed yet), or an
        expansion line ("@Atmel", "@PIC") taken verbatim. '#' starts a comment.
Output: src/core/catalogue/CatalogueData.cpp and a summary on stdout; with --sources,
        the generated tail of data/SOURCES.md (entries without confirmed codes).
Fails (exit 1) when a rule of the catalogue layout is broken.
"""
import re
import sys
from collections import Counter, OrderedDict
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent.parent
CODE_TARGET = {'0': 1261, '1': 358, '2': 86, '3': 55, '4': 58, '5': 55, '8': 27, '9': 10}
SERIAL_TARGET = 483
HALF_TARGET = (1481, 489)
HEX2 = re.compile(r'^[0-9A-F]{2}$')


def is_serial_eeprom(base):
    return base.startswith('24C') or base.startswith('25C') or base.startswith('93C')


def load():
    bases = [b.strip() for b in (HERE / 'basenames.txt').read_text().strip().rstrip('.').split(',')]
    makers = []
    for ln in (HERE / 'makers.tsv').read_text().splitlines():
        if not ln or ln.startswith('#'):
            continue
        name, count, half = ln.split('\t')
        makers.append((name, int(count), int(half)))
    files = sorted((HERE / 'makers').glob('*.tsv'))
    return bases, makers, files


def parse_maker(path, errors):
    rows = []
    for no, raw in enumerate(path.read_text().splitlines(), 1):
        ln = raw.split('#', 1)[0].strip()
        if not ln:
            continue
        if ln.startswith('@'):
            rows.append(('@', ln))
            continue
        tok = ln.split()
        doubtful = tok[-1] == '?'
        if doubtful:
            tok.pop()
        src = ''
        if tok[-1].startswith('!'):
            src = tok.pop()[1:]
        if len(tok) < 3 or len(tok) > 6:
            errors.append(f'{path.name}:{no}: bad field count: {raw}')
            continue
        part, base, code = tok[:3]
        ids = [t if t != '-' else '' for t in tok[3:]] + [''] * (6 - len(tok))
        rows.append(('d', part, base, code, ids, src, f'{path.name}:{no}', doubtful))
    return rows


def render(part, base, code, ids):
    if not any(ids) and is_serial_eeprom(base):
        return f'{part:<12}{base:<12}{code}'
    return f'{part:<12}{base:<12}{code} {ids[0]:<2} {ids[1]:<2} {ids[2]:<2}'


def main():
    bases, makers, files = load()
    errors = []
    if len(files) != len(makers):
        errors.append(f'{len(files)} maker tables for {len(makers)} headers')
    halves = ([], [])
    codes = Counter()
    used = set()
    serial = 0
    unconfirmed = []
    doubtful_names = []
    confirmed = Counter()
    summary = []
    for (mname, expect, half), path in zip(makers, files):
        rows = parse_maker(path, errors)
        lines = halves[half - 1]
        lines.append(':' + f'{mname:<20}')
        n = 0
        seen = set()
        for r in rows:
            if r[0] == '@':
                lines.append(r[1])
                continue
            _, part, base, code, ids, src, where, doubtful = r
            if doubtful:
                doubtful_names.append((mname, part, base))
            n += 1
            if len(part) > 12 or len(base) > 12:
                errors.append(f'{where}: name longer than 12 characters')
            if part.upper() in seen:
                errors.append(f'{where}: {part} repeats under {mname}')
            seen.add(part.upper())
            if base not in bases:
                errors.append(f'{where}: unknown base type {base}')
            if code not in CODE_TARGET:
                errors.append(f'{where}: bad size/voltage code {code}')
            for t in ids:
                if t and not HEX2.match(t):
                    errors.append(f'{where}: bad ID text {t!r}')
            if any(ids) and not src:
                errors.append(f'{where}: ID codes without a source')
            if src and not any(ids):
                errors.append(f'{where}: source given without codes')
            used.add(base)
            codes[code] += 1
            text = render(part, base, code, ids)
            if len(text) == 25:
                serial += 1
            elif not any(ids):
                unconfirmed.append((mname, part, base))
            if src:
                confirmed[src] += 1
            lines.append(text)
        summary.append(f'{mname:<26}{n:>4} / {expect:<4}{"" if n == expect else "  <-- MISMATCH"}')
        if n != expect:
            errors.append(f'{mname}: {n} device lines, {expect} expected')
    for k, v in CODE_TARGET.items():
        if codes[k] != v:
            errors.append(f'code {k}: {codes[k]} lines, {v} expected')
    if serial != SERIAL_TARGET:
        errors.append(f'{serial} serial lines without ID, {SERIAL_TARGET} expected')
    missing = [b for b in bases if b not in used]
    if missing:
        errors.append('base types never used: ' + ', '.join(missing))
    if (len(halves[0]), len(halves[1])) != HALF_TARGET:
        errors.append(f'halves hold {len(halves[0])}/{len(halves[1])} lines, {HALF_TARGET} expected')
    print('\n'.join(summary))
    print('codes:', ' '.join(f'{k}:{codes[k]}/{v}' for k, v in CODE_TARGET.items()))
    print(f'serial lines: {serial}/{SERIAL_TARGET}; halves: {len(halves[0])}/{len(halves[1])}')
    print('confirmed ID sets by source:', dict(confirmed), '; without codes:', len(unconfirmed),
          '; unconfirmed names:', len(doubtful_names))
    if '--sources' in sys.argv:
        out = ['', '## Entries with ID codes, by source tag', '',
               'Generated by scripts/catalogue/gen_catalogue.py --sources.', '',
               '| tag | entries |', '|---|---|']
        out += [f'| `{k}` | {v} |' for k, v in sorted(confirmed.items(), key=lambda kv: -kv[1])]
        out += [f'| (none: serial EEPROMs, no ID by design) | {serial} |',
                f'| (none: blank, listed below) | {len(unconfirmed)} |']
        out += ['', '## Part names no source has confirmed yet', '']
        out += [f'- {m}: {p} ({b})' for m, p, b in doubtful_names] or ['- none']
        out += ['', '## Entries whose codes could not be confirmed (ID fields left blank)', '']
        for m, p, b in unconfirmed:
            out.append(f'- {m}: {p} ({b})')
        sources = ROOT / 'data' / 'SOURCES.md'
        marker = '<!-- generated below by scripts/catalogue/gen_catalogue.py --sources -->'
        head = sources.read_text().split(marker)[0] if sources.exists() else ''
        sources.write_text(head + marker + '\n' + '\n'.join(out) + '\n')
    if errors:
        print('\n'.join('ERROR ' + e for e in errors[:80]), file=sys.stderr)
        if '--force' not in sys.argv:
            return 1
    write_cpp(halves)
    return 0 if not errors else 1


def cstr(s):
    return '"' + s.replace('\\', '\\\\').replace('"', '\\"') + '"'


def write_cpp(halves):
    out = ['// Generated by scripts/catalogue/gen_catalogue.py from scripts/catalogue/makers/*.tsv.',
           '// Do not edit by hand: change the maker tables and run the script again.',
           '// The built-in chip catalogue: fixed-column lines, in order, in two halves.',
           '', '#include "catalogue/CatalogueData.h"', '', 'namespace zelvor {', '']
    for idx, (name, lines) in enumerate((('kCatalogueFirstHalf', halves[0]),
                                         ('kCatalogueSecondHalf', halves[1]))):
        out.append(f'const char* const {name}[{"kCatalogueFirstHalfLines" if idx == 0 else "kCatalogueSecondHalfLines"}] = {{')
        for ln in lines:
            out.append(f'    {cstr(ln)},')
        out.append('};')
        out.append('')
    out.append('} // namespace zelvor')
    (ROOT / 'src/core/catalogue/CatalogueData.cpp').write_text('\n'.join(out) + '\n')


if __name__ == '__main__':
    sys.exit(main())
