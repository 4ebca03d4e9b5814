#!/usr/bin/env python3
"""Writes the .ipuz and .puz files the import tests read, with Python's own
json module and a .puz writer of its own (the public format description),
so that nothing here comes from the program's writers."""
import json, struct, os

HERE = os.path.dirname(os.path.abspath(__file__))

def grid15():
    # A 15 x 15 grid: black cells on a symmetric pattern, letters cycling.
    rows = []
    for r in range(15):
        row = []
        for c in range(15):
            black = (r % 4 == 3 and c % 4 == 3) or (r == 7 and c == 7)
            row.append('#' if black else chr(ord('A') + (3 * r + 5 * c) % 26))
        rows.append(row)
    rows[0][0] = 'È'  # folded to E
    return rows

def numbering(rows):
    h, w = len(rows), len(rows[0])
    black = lambda c, r: rows[r][c] == '#'
    nums, across, down, n = [[0] * w for _ in range(h)], [], [], 0
    for r in range(h):
        for c in range(w):
            if black(c, r):
                continue
            a = (c == 0 or black(c - 1, r)) and c + 1 < w and not black(c + 1, r)
            d = (r == 0 or black(c, r - 1)) and r + 1 < h and not black(c, r + 1)
            if a or d:
                n += 1
                nums[r][c] = n
                if a: across.append(n)
                if d: down.append(n)
    return nums, across, down

def ipuz(rows, title, author, extra_clue=None, styles=None):
    nums, across, down = numbering(rows)
    h, w = len(rows), len(rows[0])
    puzzle = [['#' if rows[r][c] == '#' else nums[r][c] for c in range(w)] for r in range(h)]
    for (c, r), style in (styles or {}).items():
        puzzle[r][c] = {"cell": puzzle[r][c], "style": style}
    clues = {"Across": [[n, "Orizzontale %d: città è più" % n] for n in across],
             "Down": [{"number": n, "clue": "Verticale %d «perché»" % n} for n in down]}
    if extra_clue:
        clues["Across"].append(extra_clue)
    return {"version": "http://ipuz.org/v2", "kind": ["http://ipuz.org/crossword#1"],
            "title": title, "author": author, "dimensions": {"width": w, "height": h},
            "puzzle": puzzle, "solution": rows, "clues": clues}

def cksum(data, s=0):
    for b in data:
        s = ((s >> 1) | ((s & 1) << 15)) & 0xFFFF
        s = (s + b) & 0xFFFF
    return s

def puz(rows, title, author, clue_text, break_checksum=False):
    h, w = len(rows), len(rows[0])
    nums, across, down = numbering(rows)
    order = sorted([(n, 0) for n in across] + [(n, 1) for n in down])
    clues = [clue_text(n, d).encode('latin-1') for n, d in order]
    solution = ''.join('.' if x == '#' else x for row in rows for x in row).encode('latin-1')
    fill = ''.join('.' if x == '#' else '-' for row in rows for x in row).encode('latin-1')
    t, a, cp = title.encode('latin-1'), author.encode('latin-1'), b''
    cib = struct.pack('<BBHHH', w, h, len(clues), 1, 0)
    c_cib = cksum(cib)
    def text_sum(s):
        for part in (t, a, cp):
            if part: s = cksum(part + b'\0', s)
        for cl in clues: s = cksum(cl, s)
        return s
    overall = text_sum(cksum(fill, cksum(solution, c_cib)))
    if break_checksum:
        overall ^= 0x5555
    magic = b'ICHEATED'
    sums = [c_cib, cksum(solution), cksum(fill), text_sum(0)]
    masked = bytes([magic[i] ^ (sums[i] & 0xFF) for i in range(4)] + [magic[i + 4] ^ (sums[i] >> 8) for i in range(4)])
    header = struct.pack('<H', overall) + b'ACROSS&DOWN\0' + struct.pack('<H', c_cib) + masked
    header += b'1.3\0' + b'\0\0' + b'\0\0' + b'\0' * 12 + cib
    assert len(header) == 0x34
    body = solution + fill + t + b'\0' + a + b'\0' + cp + b'\0' + b''.join(c + b'\0' for c in clues) + b'\0'
    return header + body

def write(name, data):
    mode = 'wb' if isinstance(data, bytes) else 'w'
    with open(os.path.join(HERE, name), mode, **({} if mode == 'wb' else {'encoding': 'utf-8'})) as f:
        f.write(data)

rows = grid15()
write('quindici.ipuz', json.dumps(ipuz(rows, 'Rivista', 'Anna Rossi'), ensure_ascii=False, indent=1))
big = [['A'] * 21 for _ in range(21)]
write('ventuno.ipuz', json.dumps(ipuz(big, 'Grande', 'X')))
small = [list('CASA#'), list('A#MRE'), list('SOLE#'), list('ARIA#'), list('#ETNA')]
small[1][2] = 'TH'  # a rebus cell
write('rebus.ipuz', json.dumps(ipuz(small, 'Prova', 'Y', extra_clue=[99, "Numero che non c'è"],
                                    styles={(0, 0): {"shapebg": "circle"}})))
plain = [[x if x != 'È' else 'E' for x in row] for row in rows]
text = lambda n, d: ('Orizzontale' if d == 0 else 'Verticale') + ' %d: città' % n
write('quindici.puz', puz(plain, 'Rivista', 'Anna Rossi', text))
write('danneggiato.puz', puz(plain, 'Rivista', 'Anna Rossi', text, break_checksum=True))
