#!/usr/bin/env python3
"""A terminal screen captured with its colours (tmux capture-pane -e) as SVG:
one monospaced cell per character, SGR colours (16, 256 and 24-bit), bold
and reverse; read on standard input, written on standard output."""
import re
import sys
from xml.sax.saxutils import escape

BASE = ['000000', 'cd3131', '0dbc79', 'e5e510', '2472c8', 'bc3fbc', '11a8cd',
        'e5e5e5', '666666', 'f14c4c', '23d18b', 'f5f543', '3b8eea', 'd670d6',
        '29b8db', 'ffffff']
FG, BG = 'd4d4d4', '1e1e1e'


def colore_256(n):
    if n < 16:
        return BASE[n]
    if n < 232:
        n -= 16
        v = [0, 95, 135, 175, 215, 255]
        return '%02x%02x%02x' % (v[n // 36], v[(n // 6) % 6], v[n % 6])
    g = 8 + 10 * (n - 232)
    return '%02x%02x%02x' % (g, g, g)


def main():
    righe = sys.stdin.read().split('\n')
    celle = []
    stato = {'fg': FG, 'bg': BG, 'bold': False, 'rev': False}
    for riga in righe:
        r = []
        for pezzo in re.split(r'(\x1b\[[0-9;]*m)', riga):
            if pezzo.startswith('\x1b['):
                p = [int(x) if x else 0 for x in pezzo[2:-1].split(';')]
                i = 0
                while i < len(p):
                    c = p[i]
                    if c == 0:
                        stato = {'fg': FG, 'bg': BG, 'bold': False, 'rev': False}
                    elif c == 1:
                        stato['bold'] = True
                    elif c == 22:
                        stato['bold'] = False
                    elif c == 7:
                        stato['rev'] = True
                    elif c == 27:
                        stato['rev'] = False
                    elif 30 <= c <= 37:
                        stato['fg'] = BASE[c - 30]
                    elif 90 <= c <= 97:
                        stato['fg'] = BASE[c - 90 + 8]
                    elif 40 <= c <= 47:
                        stato['bg'] = BASE[c - 40]
                    elif 100 <= c <= 107:
                        stato['bg'] = BASE[c - 100 + 8]
                    elif c == 39:
                        stato['fg'] = FG
                    elif c == 49:
                        stato['bg'] = BG
                    elif c in (38, 48) and i + 1 < len(p):
                        chiave = 'fg' if c == 38 else 'bg'
                        if p[i + 1] == 5 and i + 2 < len(p):
                            stato[chiave] = colore_256(p[i + 2])
                            i += 2
                        elif p[i + 1] == 2 and i + 4 < len(p):
                            stato[chiave] = '%02x%02x%02x' % tuple(p[i + 2:i + 5])
                            i += 4
                    i += 1
                continue
            for ch in pezzo:
                fg, bg = stato['fg'], stato['bg']
                if stato['rev']:
                    fg, bg = bg, fg
                r.append((ch, fg, bg, stato['bold']))
        celle.append(r)
    while celle and not celle[-1]:
        celle.pop()
    larghezza = max(len(r) for r in celle)
    w, h = 9, 18
    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d">'
           % (larghezza * w + 16, len(celle) * h + 16),
           '<rect width="100%%" height="100%%" fill="#%s"/>' % BG,
           '<g transform="translate(8,8)" font-family="DejaVu Sans Mono" '
           'font-size="15">']
    for y, r in enumerate(celle):
        for x, (ch, fg, bg, bold) in enumerate(r):
            if bg != BG:
                out.append('<rect x="%d" y="%d" width="%d" height="%d" fill="#%s"/>'
                           % (x * w, y * h, w, h, bg))
        x = 0
        while x < len(r):
            ch, fg, bg, bold = r[x]
            inizio = x
            testo = ''
            while x < len(r) and r[x][1] == fg and r[x][3] == bold:
                testo += r[x][0]
                x += 1
            if testo.strip():
                out.append('<text x="%d" y="%d" fill="#%s"%s xml:space="preserve" '
                           'textLength="%d">%s</text>'
                           % (inizio * w, y * h + 14, fg,
                              ' font-weight="bold"' if bold else '',
                              len(testo) * w, escape(testo)))
    out.append('</g></svg>')
    sys.stdout.write('\n'.join(out) + '\n')


main()
