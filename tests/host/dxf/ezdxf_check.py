"""Checks DXF files written by drafthost with ezdxf, an independent reader.

Arguments: pairs of (written file, original file); "-" as the original for a drawing made
by the program itself. For each pair the written file must load with ezdxf's strict reader,
its audit must report no errors (nor fixes, for a drawing made by the program), and its
model space and block definitions must hold the same entity types (counted) as ezdxf
finds in the original, each entity under its handle and on its layer, and the same table
records.
Every pointer group of the written file must name an object of the file, unless the
original already held that broken reference. Prints one line per file and exits 1 when
any check fails.
"""
import collections
import sys

import ezdxf
from ezdxf import recover
from ezdxf.lldxf import tagger


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


REFERENCE_CODES = set(range(330, 370)) | set(range(390, 400)) | {480, 481, 1005}


def file_groups(path):
    """(code, value) pairs of a DXF file, handles and names as text."""
    with open(path, "rb") as stream:
        data = stream.read()
    groups = []
    if data.startswith(b"AutoCAD Binary DXF"):
        for tag in tagger.binary_tags_loader(data):
            value = tag.value
            if isinstance(value, bytes):
                value = value.hex()
            groups.append((tag.code, str(value)))
        return groups
    # Lines end in LF (CR LF at worst); other control characters are part of a value.
    lines = data.decode("latin-1").split("\n")
    for i in range(0, len(lines) - 1, 2):
        try:
            code = int(lines[i].strip())
        except ValueError:
            break
        groups.append((code, lines[i + 1].rstrip("\r").strip()))
        if code == 0 and groups[-1][1] == "EOF":
            break
    return groups


def dangling_references(groups):
    """Pointer groups naming no object of the file, as (code, handle) pairs."""
    handles = set()
    previous = None
    for code, value in groups:
        if code in (5, 105) and previous != "$HANDSEED":
            handles.add(value.upper())
        previous = value
    return collections.Counter((code, value.upper()) for code, value in groups
                               if code in REFERENCE_CODES and value not in ("0", "")
                               and value.upper() not in handles)


def entity_keys(doc, given, names=None):
    """(handle, type, layer) of the entities of model space and of the block definitions
    (the file's own blocks only, with `names`), counted; handles not in `given` (made up
    by ezdxf for an original that has none) are left out."""
    keys = collections.Counter()
    spaces = [doc.modelspace()]
    for block in doc.blocks:
        lower = block.name.lower()
        if lower.startswith("*model_space") or lower.startswith("*paper_space"):
            continue
        if names is not None and block.name not in names:
            continue
        spaces.append(block)
    for space in spaces:
        for entity in space:
            try:
                layer = entity.dxf.get("layer", "0")
            except Exception:  # types without a layer attribute in ezdxf
                layer = "0"
            handle = entity.dxf.handle.upper() if entity.dxf.handle.upper() in given else ""
            keys[(handle, entity.dxftype(), layer.upper())] += 1
    return keys


def table_records(doc):
    """Names of the records of each table, upper case, counted (empty names too)."""
    result = collections.Counter()
    for name, table in (("LAYER", doc.layers), ("LTYPE", doc.linetypes), ("STYLE", doc.styles),
                        ("APPID", doc.appids), ("DIMSTYLE", doc.dimstyles)):
        for record in table:
            result[name + ":" + record.dxf.name.upper()] += 1
    return result


def strict_reads(path):
    try:
        ezdxf.readfile(path)
        return True
    except Exception:
        return False


def main(args):
    failed = False
    for written, original in zip(args[0::2], args[1::2]):
        made_here = original == "-"
        try:
            doc = ezdxf.readfile(written)
        except Exception as error:
            # Only where ezdxf's strict reader refuses the original too (names holding
            # \U+ escapes, for instance) is its recovering reader good enough.
            if made_here or strict_reads(original):
                print(f"FAIL {written}: ezdxf cannot read it: {error}")
                failed = True
                continue
            doc, _ = recover.readfile(written)
        auditor = doc.audit()
        problems = [f"{e.code}:{e.message}" for e in auditor.errors]
        if made_here:
            # A drawing the program made needs no repair at all.
            problems += [f"fixed {e.code}:{e.message}" for e in auditor.fixes]
        source = None if made_here else load_original(original)
        missing = {}
        lost_records = {}
        if source is not None:
            with open(original, "rb") as stream:
                names = set(line.strip().decode("latin-1") for line in stream)
            expected = counts(source, names)
            got = counts(doc)
            missing = {k: v - got.get(k, 0) for k, v in expected.items() if got.get(k, 0) < v}
            given = {value.upper() for code, value in file_groups(original) if code in (5, 105)}
            lost = sorted((entity_keys(source, given, names) - entity_keys(doc, given)).items())
            if lost:
                missing["entities (handle, type, layer)"] = lost[:5]
            before, after = table_records(source), table_records(doc)
            lost_records = {k: v - after.get(k, 0) for k, v in before.items() if after.get(k, 0) < v}
        dangling = dangling_references(file_groups(written))
        if not made_here:
            dangling = dangling - dangling_references(file_groups(original))
        if problems or missing or lost_records or dangling:
            failed = True
            print(f"FAIL {written}: audit {problems[:5]} missing {missing} records lost {lost_records} "
                  f"dangling references {list(dangling.items())[:5]}")
        else:
            print(f"OK {written}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
