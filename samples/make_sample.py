#!/usr/bin/env python3
"""Writes sample.dxf: a small floor plan that shows every kind Karvex draws
(lines, an arc, circles, a point, polylines, a coloured solid, inserted blocks
turned four ways, and Japanese text in Shift-JIS), with CR LF line ends."""
import pathlib

pairs = []


def add(code, value):
    pairs.append((code, str(value)))


def section(name):
    add(0, "SECTION")
    add(2, name)


def endsec():
    add(0, "ENDSEC")


def line(x1, y1, x2, y2, layer="WALLS"):
    add(0, "LINE"); add(8, layer)
    add(10, f"{x1:.1f}"); add(20, f"{y1:.1f}"); add(11, f"{x2:.1f}"); add(21, f"{y2:.1f}")


def polyline(points, layer, closed=True):
    add(0, "POLYLINE"); add(8, layer); add(66, 1); add(70, 1 if closed else 0)
    for x, y in points:
        add(0, "VERTEX"); add(8, layer); add(10, f"{x:.1f}"); add(20, f"{y:.1f}")
    add(0, "SEQEND"); add(8, layer)


section("HEADER")
add(9, "$ACADVER"); add(1, "AC1009")
add(9, "$DWGCODEPAGE"); add(3, "ANSI_932")
add(9, "$EXTMIN"); add(10, "0.0"); add(20, "0.0"); add(30, "0.0")
add(9, "$EXTMAX"); add(10, "200.0"); add(20, "141.0"); add(30, "0.0")
add(9, "$LIMMIN"); add(10, "0.0"); add(20, "0.0")
add(9, "$LIMMAX"); add(10, "200.0"); add(20, "141.0")
endsec()

section("TABLES")
add(0, "TABLE"); add(2, "LTYPE"); add(70, 2)
add(0, "LTYPE"); add(2, "CONTINUOUS"); add(70, 0); add(3, "Solid line"); add(72, 65); add(73, 0); add(40, "0.0")
add(0, "LTYPE"); add(2, "DASHED"); add(70, 0); add(3, "__ __ __"); add(72, 65); add(73, 2); add(40, "0.75")
add(49, "0.5"); add(49, "-0.25")
add(0, "ENDTAB")
add(0, "TABLE"); add(2, "LAYER"); add(70, 1)
add(0, "LAYER"); add(2, "0"); add(70, 0); add(62, 7); add(6, "CONTINUOUS")
add(0, "ENDTAB")
endsec()

section("BLOCKS")
# A chair: a square seat and its back, base point at the seat's centre.
add(0, "BLOCK"); add(8, "0"); add(2, "CHAIR"); add(70, 0); add(10, "0.0"); add(20, "0.0"); add(30, "0.0")
add(3, "CHAIR")
polyline([(-4, -4), (4, -4), (4, 4), (-4, 4)], "0")
line(-4, 5.5, 4, 5.5, "0")
add(0, "ENDBLK"); add(8, "0")
endsec()

section("ENTITIES")
for x1, y1, x2, y2 in [(10, 10, 190, 10), (190, 10, 190, 120), (190, 120, 10, 120), (10, 120, 10, 10),
                       (110, 10, 110, 50), (110, 62, 110, 120)]:
    line(x1, y1, x2, y2)
# The door: its leaf and its swing.
line(110, 50, 122, 50, "DOORS")
add(0, "ARC"); add(8, "DOORS"); add(10, "110.0"); add(20, "50.0"); add(40, "12.0"); add(50, "0.0"); add(51, "90.0")
# A round table with four chairs turned towards it.
add(0, "CIRCLE"); add(8, "FURNITURE"); add(10, "60.0"); add(20, "65.0"); add(40, "15.0")
for x, y, angle in [(60, 41, 180), (84, 65, 270), (60, 89, 0), (36, 65, 90)]:
    add(0, "INSERT"); add(8, "FURNITURE"); add(2, "CHAIR")
    add(10, f"{x:.1f}"); add(20, f"{y:.1f}"); add(50, f"{angle:.1f}")
# A bed with a coloured pillow (colour 0x00BBGGRR, no palette).
polyline([(140, 70), (180, 70), (180, 110), (140, 110)], "FURNITURE")
add(0, "SOLID"); add(8, "FURNITURE"); add(62, 0x3050C0)
for code, (x, y) in zip((10, 11, 12, 13), [(145, 100), (175, 100), (175, 106), (145, 106)]):
    add(code, f"{x:.1f}"); add(code + 10, f"{y:.1f}")
# A column: a point marks its centre.
add(0, "POINT"); add(8, "0"); add(10, "150.0"); add(20, "30.0")
add(0, "CIRCLE"); add(8, "0"); add(10, "150.0"); add(20, "30.0"); add(40, "4.0")
# Titles: Japanese text in Shift-JIS, and a turned label.
add(0, "TEXT"); add(8, "TEXT"); add(10, "12.0"); add(20, "124.0"); add(40, "8.0"); add(1, "平面図 1:100 (KARVEX)")
add(0, "TEXT"); add(8, "TEXT"); add(10, "136.0"); add(20, "78.0"); add(40, "5.0"); add(50, "90.0"); add(1, "寝室")
add(0, "TEXT"); add(8, "TEXT"); add(10, "30.0"); add(20, "22.0"); add(40, "5.0"); add(1, "Living room 居間")
endsec()
add(0, "EOF")

text = bytearray()
for code, value in pairs:
    text += f"{code:>3}\r\n".encode("ascii") + value.encode("cp932") + b"\r\n"
pathlib.Path(__file__).with_name("sample.dxf").write_bytes(bytes(text))
