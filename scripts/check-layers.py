#!/usr/bin/env python3
"""Fails when an #include points up a layer.

Layers, lowest first: platform/db, platform/host, platform/ui, suitedb,
siblings, partners/ramka, partners/lists, partners/company and
partners/dokumenty (side by side), partners/shell, host. A file may include its own layer and the ones below.
The module and the siblings reach the suite database through SQL only, so
they never include suitedb. Nothing includes by a path that climbs out of
its folder ("../"). Tests and benchmarks may include anything.
"""
import os
import re
import sys

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..'))

LAYERS = [  # (folder, rank), the longest folder that holds a file decides
    ('platform/db', 0),
    ('platform/host', 1),
    ('platform/ui', 2),
    ('suitedb', 3),
    ('siblings', 4),
    ('partners/ramka', 5),
    ('partners/lists', 6),
    ('partners/company', 6),
    ('partners/dokumenty', 6),
    ('partners/shell', 7),
    ('host', 8),
]
SQL_ONLY = ('siblings', 'partners')
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]')


def layer_of(path):
    best = None
    for folder, rank in LAYERS:
        if path == folder or path.startswith(folder + '/'):
            if best is None or len(folder) > len(best[0]):
                best = (folder, rank)
    return best


def production_files():
    for folder, _ in LAYERS:
        for directory, _, names in os.walk(os.path.join(ROOT, folder)):
            for name in names:
                if name.endswith(('.h', '.cpp')):
                    yield os.path.relpath(os.path.join(directory, name), ROOT)


def main():
    files = sorted(set(production_files()))
    by_name = {}
    for f in files:
        by_name.setdefault(os.path.basename(f), []).append(f)

    def resolve(source, target):
        for base in (os.path.dirname(source), 'partners'):
            candidate = os.path.normpath(os.path.join(base, target))
            if candidate in by_name.get(os.path.basename(target), []):
                return candidate
        found = [f for f in by_name.get(os.path.basename(target), []) if f.endswith(target)]
        own = layer_of(source)[0]
        found.sort(key=lambda f: layer_of(f)[0] != own)
        return found[0] if found else None

    problems = []
    for source in files:
        src_folder, src_rank = layer_of(source)
        with open(os.path.join(ROOT, source), encoding='utf-8') as text:
            for number, line in enumerate(text, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                if '../' in match.group(1):
                    problems.append(f'{source}:{number}: includes {match.group(1)} by a relative path; '
                                    'reach it through its target\'s include directories')
                    continue
                target = resolve(source, match.group(1))
                if not target:
                    continue  # Qt, the standard library, generated headers
                dst_folder, dst_rank = layer_of(target)
                if dst_rank > src_rank:
                    problems.append(f'{source}:{number}: {src_folder} includes {target} of {dst_folder}, a layer above')
                elif dst_folder == 'suitedb' and src_folder.startswith(SQL_ONLY):
                    problems.append(f'{source}:{number}: {src_folder} includes {target}; it reaches the database through SQL only')
    for problem in problems:
        print(problem)
    if problems:
        print(f'{len(problems)} include(s) cross a layer the wrong way', file=sys.stderr)
        return 1
    print(f'layers: {len(files)} files, every include points down or sideways')
    return 0


if __name__ == '__main__':
    sys.exit(main())
