"""Independent check of converted polylines with ezdxf: each line of PAIRS names a source
entity of SOURCE and the lightweight polyline made from it in RESULT (hex handles; "nil" or
"same" when none was made). The shapes are compared as ezdxf flattens them.

usage: polyline_check.py SOURCE RESULT PAIRS DISTANCE
  POLYLINE sources: the result has the vertices on the curve with their bulges (less those
  that repeat their successor), the layer, the elevation and the open or closed state.
  SPLINE sources: every point of the spline lies within DISTANCE of the result and every
  vertex of the result lies on the spline; closed when the spline is.
Prints "ok N" with the number of pairs checked, or the first failure, and exits 1 then.
"""
import sys

import ezdxf
import numpy as np
from ezdxf import path


def flat(entity, distance=1e-4):
    return np.array([(v.x, v.y) for v in path.make_path(entity).flattening(distance)])


def farthest(points, chain):
    """Largest distance from any of points to the polyline through chain."""
    a, b = chain[:-1], chain[1:]
    ab = b - a
    length2 = np.maximum((ab * ab).sum(axis=1), 1e-300)
    worst = 0.0
    step = max(1, 2_000_000 // max(1, len(a)))
    for start in range(0, len(points), step):
        p = points[start:start + step, None, :]
        t = np.clip(((p - a) * ab).sum(axis=2) / length2, 0.0, 1.0)
        d = np.sqrt((((a + ab * t[:, :, None]) - p) ** 2).sum(axis=2)).min(axis=1)
        worst = max(worst, float(d.max()))
    return worst


def curve_vertices(polyline):
    """(x, y, bulge) of the vertices on the curve of an old-style polyline, each vertex
    that repeats the next one left out (its segment has no length)."""
    on_curve = [v for v in polyline.vertices if not v.dxf.flags & 16]
    points = [(v.dxf.location.x, v.dxf.location.y, v.dxf.bulge) for v in on_curve]
    if polyline.is_closed and len(points) > 1 and np.allclose(points[-1][:2], points[0][:2], 0, 1e-12):
        points.pop()
    kept = [p for p, q in zip(points, points[1:]) if not np.allclose(p[:2], q[:2], 0, 1e-12)]
    return np.array(kept + points[-1:])


def check_polyline(source, result):
    s = curve_vertices(source)
    r = np.array([(x, y, b) for x, y, _, _, b in result.get_points()])
    assert len(s) == len(r), f"{len(s)} vertices on the curve, {len(r)} converted"
    # An open polyline's last bulge belongs to no segment.
    last = len(s) if source.is_closed else len(s) - 1
    gap = np.abs(s[:, :2] - r[:, :2]).max(initial=0.0)
    bulges = np.abs(s[:last, 2] - r[:last, 2]).max(initial=0.0)
    assert gap <= 1e-9 and bulges <= 1e-9, f"vertices differ by {gap}, bulges by {bulges}"
    assert source.is_closed == result.closed, "open or closed state differs"
    assert source.dxf.layer == result.dxf.layer, "layer differs"
    assert abs(source.dxf.elevation.z - result.dxf.elevation) <= 1e-9, "elevation differs"


def check_spline(source, result, distance):
    s = flat(source, distance * 1e-3)
    r = np.array([(x, y) for x, y, *_ in result.get_points()])
    if result.closed:
        r = np.vstack([r, r[:1]])
    away = farthest(s, r)
    assert away <= distance * (1 + 1e-6) + 1e-9, f"spline {away} from the polyline"
    off = farthest(r, s)
    assert off <= distance * 1e-3 + 1e-9, f"a vertex lies {off} off the spline"
    assert bool(source.closed) == bool(result.closed), "open or closed state differs"


def main():
    source_doc, result_doc = ezdxf.readfile(sys.argv[1]), ezdxf.readfile(sys.argv[2])
    distance = float(sys.argv[4])
    checked = 0
    for line in open(sys.argv[3], encoding="utf-8"):
        fields = line.split()
        if len(fields) != 2 or fields[1] in ("nil", "same"):
            continue
        source = source_doc.entitydb[fields[0]]
        result = result_doc.entitydb[fields[1]]
        try:
            assert result.dxftype() == "LWPOLYLINE", result.dxftype()
            if source.dxftype() == "SPLINE":
                check_spline(source, result, distance)
            else:
                check_polyline(source, result)
        except AssertionError as failure:
            print(f"{fields[0]} -> {fields[1]}: {failure}")
            return 1
        checked += 1
    print("ok", checked)
    return 0


if __name__ == "__main__":
    sys.exit(main())
