#!/usr/bin/env python3
"""Checks the floors of the source tree, run from anywhere inside the checkout.

- No two folders include each other, directly or through other folders (tests/, bench/ and tools/ aside).
- No source file outside tests/ is over 600 lines.
- No file of the widget-free library (quen_core) includes a widget header or a file of quen_ui.
Prints what breaks a rule and a last line of counts; exits 1 when any count is not 0. -v also lists every
edge between folders with one include that makes it.
"""
import collections, itertools, os, re, subprocess, sys

root = subprocess.run(['git', 'rev-parse', '--show-toplevel'], capture_output=True, text=True).stdout.strip()
os.chdir(root)
tracked = subprocess.run(['git', 'ls-files'], capture_output=True, text=True).stdout.split('\n')
sources = [f for f in tracked if re.search(r'\.(cpp|h)$', f)]
product = [f for f in sources if not f.startswith(('tests/', 'bench/', 'tools/'))]
include = re.compile(r'#include\s+"([^"]+)"')


def read(path):
    with open(path, encoding='utf-8', errors='replace') as f:
        return f.read()


edges, example = collections.defaultdict(set), {}
for f in product:
    a = f.split('/')[0]
    for inc in include.findall(read(f)):
        if inc not in sources or '/' not in inc:
            continue
        b = inc.split('/')[0]
        if b != a:
            edges[a].add(b)
            example.setdefault((a, b), f'{f} -> {inc}')


def reachable(start):
    seen, todo = set(), [start]
    while todo:
        for nxt in edges[todo.pop()]:
            if nxt not in seen:
                seen.add(nxt)
                todo.append(nxt)
    return seen


folders = sorted(set(edges) | {b for bs in edges.values() for b in bs})
cycles = [(a, b) for a, b in itertools.combinations(folders, 2) if b in reachable(a) and a in reachable(b)]
for a, b in cycles:
    print(f'cycle: {a} <-> {b} ({example.get((a, b), "through others")}; {example.get((b, a), "through others")})')
if '-v' in sys.argv:
    for (a, b), why in sorted(example.items()):
        print(f'  {a} -> {b}: {why}')

long_files = [(f, read(f).count('\n')) for f in sources if not f.startswith('tests/')]
long_files = [(f, n) for f, n in long_files if n > 600]
for f, n in long_files:
    print(f'long: {f} has {n} lines')

libraries = {'quen_core': set(), 'quen_ui': set()}
for cmake in [f for f in tracked if f.endswith('CMakeLists.txt')]:
    for lib, block in re.findall(r'target_sources\(\s*(quen_core|quen_ui)\s+PRIVATE(.*?)\)', read(cmake), re.S):
        libraries[lib].update(os.path.normpath(os.path.join(os.path.dirname(cmake), n)) for n in block.split())
widget_header = re.compile(r'#include\s+<(QtWidgets/\w+|QtWebEngine\w*/\w+|QWebEngine\w+|Q(Widget|Dialog|MainWindow|'
                           r'Label|PushButton|MessageBox|Menu|Action|Application|AbstractButton|TreeView|LineEdit))>')
mixed = []
for f in sorted(libraries['quen_core']):
    text = read(f)
    mixed += [f'{f} includes {inc}' for inc in include.findall(text) if inc in libraries['quen_ui']]
    mixed += [f'{f} includes <{m.group(1)}>' for m in widget_header.finditer(text)]
for line in mixed:
    print(f'widgets: {line}')

print(f'cycles={len(cycles)} long_files={len(long_files)} widget_includes={len(mixed)} '
      f'core_files={len(libraries["quen_core"])}')
sys.exit(1 if cycles or long_files or mixed else 0)
