"""Builds a PE resource section (.rsrc) from a list of resources, the way the loader reads
it: a three-level tree of type, name and language, then the data entries, the names and
the data. Standard library only."""

import struct

DIRECTORY, ENTRY, DATA_ENTRY = 16, 8, 16
SUBDIRECTORY, NAMED = 0x80000000, 0x80000000


def align(value, to):
    return (value + to - 1) // to * to


def sorted_keys(keys):
    """Named entries first, by their upper-case UTF-16 units (the loader's binary search
    compares names without case), then numbers in ascending order."""
    names = sorted((k for k in keys if isinstance(k, str)),
                   key=lambda name: name.upper().encode("utf-16-be"))
    return names + sorted(k for k in keys if isinstance(k, int))


def tree_of(resources):
    """{type: {name: {language: bytes}}}; a resource given twice is an error."""
    tree = {}
    for kind, name, language, data in resources:
        languages = tree.setdefault(kind, {}).setdefault(name, {})
        if language in languages:
            raise ValueError(f"resource {kind}/{name} language {language:#x} given twice")
        languages[language] = bytes(data)
    return tree


def build(resources, section_rva):
    """The section's bytes for [(type, name, language, bytes)], types and names each an
    int or a str, laid out to start at section_rva."""
    tree = tree_of(resources)
    # Every directory in breadth-first order: the root, each type's, each name's.
    directories = [(None, sorted_keys(tree))]
    for kind in sorted_keys(tree):
        directories.append(((kind,), sorted_keys(tree[kind])))
    for kind in sorted_keys(tree):
        for name in sorted_keys(tree[kind]):
            directories.append(((kind, name), sorted(tree[kind][name])))
    offsets, at = {}, 0
    for path, keys in directories:
        offsets[path] = at
        at += DIRECTORY + ENTRY * len(keys)
    leaves = [(kind, name, language) for kind in sorted_keys(tree)
              for name in sorted_keys(tree[kind]) for language in sorted(tree[kind][name])]
    for leaf in leaves:
        offsets[leaf] = at
        at += DATA_ENTRY
    names = {}
    for path, keys in directories:
        for key in keys:
            if isinstance(key, str) and key not in names:
                names[key] = at
                at += 2 + len(key.encode("utf-16-le"))
    at = align(at, 8)
    data_at = {}
    for kind, name, language in leaves:
        data_at[(kind, name, language)] = at
        at = align(at + len(tree[kind][name][language]), 8)

    section = bytearray(at)
    for path, keys in directories:
        start = offsets[path]
        named = sum(isinstance(k, str) for k in keys)
        struct.pack_into("<IIHHHH", section, start, 0, 0, 0, 0, named, len(keys) - named)
        for i, key in enumerate(keys):
            child = (key,) if path is None else (*path, key)
            target = offsets[child] | (SUBDIRECTORY if len(child) < 3 else 0)
            word = names[key] | NAMED if isinstance(key, str) else key
            struct.pack_into("<II", section, start + DIRECTORY + ENTRY * i, word, target)
    for leaf in leaves:
        data = tree[leaf[0]][leaf[1]][leaf[2]]
        struct.pack_into("<IIII", section, offsets[leaf], section_rva + data_at[leaf],
                         len(data), 0, 0)
        section[data_at[leaf]:data_at[leaf] + len(data)] = data
    for key, start in names.items():
        encoded = key.encode("utf-16-le")
        struct.pack_into("<H", section, start, len(encoded) // 2)
        section[start + 2:start + 2 + len(encoded)] = encoded
    return bytes(section)
