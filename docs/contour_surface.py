#!/usr/bin/env python3
"""Writes a raster finishing path over two overlapping hills (a point every 0.5 mm, passes 1 mm
apart) as NC text on standard output: the surface of the contour picture in the README."""
import math

def height(x, y):
    return 20 * math.exp(-((x + 15) ** 2 + y ** 2) / 400) + 14 * math.exp(-((x - 18) ** 2 + (y - 6) ** 2) / 250)

print("G90 G17 G21\nG00 X-60. Y-40. Z50.")
forward = True
for row in range(81):
    y = -40 + row
    for step in range(241):
        x = -60 + 0.5 * step if forward else 60 - 0.5 * step
        print(f"G01 X{x:.3f} Y{y:.3f} Z{height(x, y):.4f} F1500")
    forward = not forward
print("G00 Z50.\nM30")
