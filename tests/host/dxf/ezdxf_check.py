"""Checks DXF files written by drafthost with ezdxf, an independent reader.

Arguments: pairs of (written file, original file). For each pair the written file must
load with ezdxf's strict reader, its audit must report no errors, and its model space
and block definitions must hold the same entity types (counted) as ezdxf finds in the
original. Prints one line per file and exits 1 when any check fails.
"""
import collections
import sys

import ezdxf
from ezdxf import recover


def counts(doc, names=None):
    """Entity types of model space and of the block definitions; with `names`, only of the
    blocks whose name the file holds (ezdxf adds arrow blocks of its own on loading)."""
    result = collections.Counter()
    for entity in doc.modelspace():
        result["model:" + entity.dxftype()] += 1
    for block in doc.blocks:
        if block.name.lower() in ("*model_space", "*paper_space") or block.name.lower().startswith("*paper_space"):
            continue
        if names is not None and block.name not in names:
            continue
        for entity in block:
            result["block:" + entity.dxftype()] += 1
    return result


def load_original(path):
    """The original as ezdxf reads it, None when ezdxf cannot read it at all."""
    try:
        return ezdxf.readfile(path)
    except Exception:
        pass
    try:
        doc, _ = recover.readfile(path)
        return doc
    except Exception:
        return None


def strict_reads(path):
    try:
        ezdxf.readfile(path)
        return True
    except Exception:
        return False


def main(args):
    failed = False
    for written, original in zip(args[0::2], args[1::2]):
        try:
            doc = ezdxf.readfile(written)
        except Exception as error:
            # Only where ezdxf's strict reader refuses the original too (names holding
            # \U+ escapes, for instance) is its recovering reader good enough.
            if strict_reads(original):
                print(f"FAIL {written}: ezdxf cannot read it: {error}")
                failed = True
                continue
            doc, _ = recover.readfile(written)
        auditor = doc.audit()
        problems = [f"{e.code}:{e.message}" for e in auditor.errors]
        source = load_original(original)
        with open(original, "rb") as stream:
            names = set(line.strip().decode("latin-1") for line in stream)
        expected = counts(source, names) if source is not None else collections.Counter()
        got = counts(doc)
        missing = {k: v - got.get(k, 0) for k, v in expected.items() if got.get(k, 0) < v}
        if problems or missing:
            failed = True
            print(f"FAIL {written}: audit {problems[:5]} missing {missing}")
        else:
            print(f"OK {written}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
