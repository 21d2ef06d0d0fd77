#!/usr/bin/env python3
"""Writes sample.wmf: a placeable (Aldus) WMF, 5 x 3.75 inch, logical 7200 x 5400 units
(1440 units per inch). Hand-assembled records, no third-party files involved.
WMF_ORIGIN=x,y moves the frame, the window and every coordinate by (x, y);
WMF_MAPPING=0 leaves out the mapping-mode and window records, so the player
maps the units by the placeable header alone."""
import struct, sys, os
TEXT = os.environ.get("WMF_TEXT", "WMF 480x360").encode()
BG = os.environ.get("WMF_BG", "1") == "1"
OX, OY = (int(v) for v in os.environ.get("WMF_ORIGIN", "0,0").split(","))
MAPPING = os.environ.get("WMF_MAPPING", "1") == "1"

recs = []
def rec(func, *words, raw=b""):
    body = b"".join(struct.pack("<h", w) if w < 0x8000 else struct.pack("<H", w) for w in words) + raw
    if len(body) % 2: body += b"\0"
    recs.append(struct.pack("<IH", 3 + len(body) // 2, func) + body)
def colorref(r, g, b): return struct.pack("<BBBB", r, g, b, 0)

nobj = 0
def create(func, raw):
    global nobj
    rec(func, raw=raw); nobj += 1; return nobj - 1   # lowest free slot (none deleted here)

if MAPPING:
    rec(0x0103, 8)                      # SETMAPMODE MM_ANISOTROPIC
    rec(0x020B, OY, OX)                 # SETWINDOWORG y, x
    rec(0x020C, 5400, 7200)             # SETWINDOWEXT y, x
pen   = create(0x02FA, struct.pack("<Hhh", 0, 30, 0) + colorref(0, 0, 0))            # CREATEPENINDIRECT
bg    = create(0x02FC, struct.pack("<H", 0) + colorref(255, 255, 240) + struct.pack("<H", 0))  # BS_SOLID
blue  = create(0x02FC, struct.pack("<H", 0) + colorref(40, 80, 220) + struct.pack("<H", 0))
hatch = create(0x02FC, struct.pack("<H", 2) + colorref(200, 0, 0) + struct.pack("<H", 5))    # BS_HATCHED HS_DIAGCROSS
green = create(0x02FC, struct.pack("<H", 0) + colorref(0, 160, 60) + struct.pack("<H", 0))
face = b"Arial".ljust(32, b"\0")
font  = create(0x02FB, struct.pack("<hhhhhBBBBBBBB", -540, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0x22) + face)
sel = lambda i: rec(0x012D, i)          # SELECTOBJECT
sel(pen); sel(bg)
if BG: rec(0x041B, OY + 5400, OX + 7200, OY, OX)          # RECTANGLE bottom,right,top,left
sel(blue);            rec(0x041B, OY + 2100, OX + 3000, OY + 300, OX + 300)
sel(hatch);           rec(0x0418, OY + 2700, OX + 6900, OY + 300, OX + 3900)     # ELLIPSE
sel(green)
pts = [(OX + 600, OY + 4950), (OX + 2100, OY + 2700), (OX + 3600, OY + 4950)]
rec(0x0324, len(pts), *[c for p in pts for c in p])          # POLYGON
sel(font)
rec(0x0102, 1)                          # SETBKMODE TRANSPARENT
rec(0x0209, raw=colorref(0, 0, 0))      # SETTEXTCOLOR
txt = TEXT
if txt: rec(0x0521, len(txt), raw=txt + (b"\0" if len(txt) % 2 else b"") + struct.pack("<hh", OY + 3900, OX + 4050))  # TEXTOUT
rec(0x0000)                             # EOF

body = b"".join(recs)
maxrec = max(len(r) for r in recs) // 2
hdr = struct.pack("<HHHIHIH", 1, 9, 0x0300, (18 + len(body)) // 2, nobj, maxrec, 0)
plc = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, OX, OY, OX + 7200, OY + 5400, 1440, 0)
chk = 0
for (w,) in struct.iter_unpack("<H", plc): chk ^= w
out = sys.argv[1] if len(sys.argv) > 1 else "sample.wmf"
open(out, "wb").write(plc + struct.pack("<H", chk) + hdr + body)
print("wrote", out, 22 + len(hdr) + len(body), "bytes")
