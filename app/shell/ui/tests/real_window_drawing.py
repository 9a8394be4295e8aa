#!/usr/bin/python3
"""Writes the DXF drawing that the real-window test imports: shapes of every common kind on layers of
different colours, so that a lost element, colour or position shows in the comparison.

usage: real_window_drawing.py OUTPUT.dxf
"""
import sys

import ezdxf


def main():
    document = ezdxf.new("R2010")
    document.layers.add("RED", color=1)
    document.layers.add("BLUE", color=5)
    document.layers.add("GREEN", color=3)
    shapes = document.modelspace()
    shapes.add_line((0, 0), (80, 0), dxfattribs={"layer": "RED"})
    shapes.add_lwpolyline([(10, 10), (60, 10), (60, 40), (10, 40)], close=True, dxfattribs={"layer": "BLUE"})
    shapes.add_circle((100, 30), 15, dxfattribs={"layer": "GREEN"})
    shapes.add_arc((150, 20), 12, 0, 135, dxfattribs={"layer": "RED"})
    shapes.add_lwpolyline([(120, 60), (140, 80), (160, 60)], dxfattribs={"layer": "BLUE", "color": 2})
    document.saveas(sys.argv[1])


if __name__ == "__main__":
    main()
