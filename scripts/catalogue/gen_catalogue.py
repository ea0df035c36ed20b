#!/usr/bin/env python3
"""Builds the built-in chip catalogue source from the per-maker tables.

Input:  makers.tsv (header order and half) and makers/NN-*.tsv, one table per header in
        file-name order. A maker table holds one part a line: PART BASE CODE [ID0 ID1 ID2]
        [!src] ("-" = blank ID byte; "!src" names where the codes were confirmed), or an
        expansion line ("@Atmel", "@PIC") taken verbatim. '#' starts a comment.
        Every line of a table is a real part: the number of device lines per maker, the
        size/voltage code counts and the half sizes follow from the tables.
Output: src/core/catalogue/CatalogueData.cpp and CatalogueData.h (the half sizes) and a
        summary on stdout; with --sources, the generated tail of data/SOURCES.md (entries
        per source tag and entries without confirmed codes).
Fails (exit 1) when a rule of the catalogue layout is broken.
"""
import re
import sys
from collections import Counter, OrderedDict
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent.parent
CODES = '01234589'
HEX2 = re.compile(r'^[0-9A-F]{2}$')


def is_serial_eeprom(base):
    return base.startswith('24C') or base.startswith('25C') or base.startswith('93C')


def load():
    bases = [b.strip() for b in (HERE / 'basenames.txt').read_text().strip().rstrip('.').split(',')]
    makers = []
    for ln in (HERE / 'makers.tsv').read_text().splitlines():
        if not ln or ln.startswith('#'):
            continue
        name, half = ln.split('\t')
        makers.append((name, int(half)))
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
        if tok[-1] == '?':
            errors.append(f'{path.name}:{no}: a part name no source confirms has no place here')
            continue
        src = ''
        if tok[-1].startswith('!'):
            src = tok.pop()[1:]
        if len(tok) < 3 or len(tok) > 6:
            errors.append(f'{path.name}:{no}: bad field count: {raw}')
            continue
        part, base, code = tok[:3]
        ids = [t if t != '-' else '' for t in tok[3:]] + [''] * (6 - len(tok))
        rows.append(('d', part, base, code, ids, src, f'{path.name}:{no}'))
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
    confirmed = Counter()
    summary = []
    last_half = 1
    for (mname, half), path in zip(makers, files):
        if half not in (1, 2) or half < last_half:
            errors.append(f'{mname}: half {half} after half {last_half}')
        last_half = half
        rows = parse_maker(path, errors)
        lines = halves[half - 1]
        lines.append(':' + f'{mname:<20}')
        n = 0
        seen = set()
        for r in rows:
            if r[0] == '@':
                lines.append(r[1])
                continue
            _, part, base, code, ids, src, where = r
            n += 1
            if len(part) > 12 or len(base) > 12:
                errors.append(f'{where}: name longer than 12 characters')
            if part.upper() in seen:
                errors.append(f'{where}: {part} repeats under {mname}')
            seen.add(part.upper())
            if base not in bases:
                errors.append(f'{where}: unknown base type {base}')
            if len(code) != 1 or code not in CODES:
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
        summary.append(f'{mname:<26}{n:>4}')
        if n == 0:
            errors.append(f'{mname}: a maker without parts leaves with its header')
    missing = [b for b in bases if b not in used]
    if missing:
        errors.append('base types never used: ' + ', '.join(missing))
    if not halves[0] or not halves[1]:
        errors.append('both halves must hold lines')
    devices = sum(codes.values())
    print('\n'.join(summary))
    print(f'headers: {len(makers)}; device lines: {devices}')
    print('codes:', ' '.join(f'{k}:{codes[k]}' for k in CODES))
    print(f'serial lines: {serial}; halves: {len(halves[0])}/{len(halves[1])}')
    print('confirmed ID sets by source:', dict(confirmed), '; without codes:', len(unconfirmed))
    if '--sources' in sys.argv:
        out = ['', '## Entries with ID codes, by source tag', '',
               'Generated by scripts/catalogue/gen_catalogue.py --sources.', '',
               '| tag | entries |', '|---|---|']
        out += [f'| `{k}` | {v} |' for k, v in sorted(confirmed.items(), key=lambda kv: -kv[1])]
        out += [f'| (none: serial EEPROMs, no ID by design) | {serial} |',
                f'| (none: blank, listed below) | {len(unconfirmed)} |']
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
    write_header(halves)
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


def write_header(halves):
    out = ['#pragma once',
           '// Generated by scripts/catalogue/gen_catalogue.py from scripts/catalogue/makers/*.tsv.',
           '// The built-in chip catalogue as compiled into the program: fixed-column text lines in',
           '// two halves, read in this order. The line counts follow from the maker tables.',
           '', 'namespace zelvor {', '',
           f'inline constexpr int kCatalogueFirstHalfLines = {len(halves[0])};',
           f'inline constexpr int kCatalogueSecondHalfLines = {len(halves[1])};', '',
           'extern const char* const kCatalogueFirstHalf[kCatalogueFirstHalfLines];',
           'extern const char* const kCatalogueSecondHalf[kCatalogueSecondHalfLines];', '',
           '} // namespace zelvor']
    (ROOT / 'src/core/catalogue/CatalogueData.h').write_text('\n'.join(out) + '\n')


if __name__ == '__main__':
    sys.exit(main())
