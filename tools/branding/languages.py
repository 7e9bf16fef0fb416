"""The languages a brand can list, by tag, with the Windows language id (LANGID) its
resources carry: primary language in the low 10 bits, sublanguage above."""

# tag: (primary language, sublanguage), as winnt.h numbers them
LANGUAGES = {
    "en-US": (0x09, 0x01), "en-GB": (0x09, 0x02),
    "de-DE": (0x07, 0x01), "de-AT": (0x07, 0x03), "de-CH": (0x07, 0x02),
    "fr-FR": (0x0C, 0x01), "fr-CA": (0x0C, 0x03),
    "it-IT": (0x10, 0x01), "es-ES": (0x0A, 0x03), "nl-NL": (0x13, 0x01),
    "pt-BR": (0x16, 0x01), "pt-PT": (0x16, 0x02),
    "sv-SE": (0x1D, 0x01), "da-DK": (0x06, 0x01), "fi-FI": (0x0B, 0x01),
    "nb-NO": (0x14, 0x01), "pl-PL": (0x15, 0x01), "cs-CZ": (0x05, 0x01),
    "ru-RU": (0x19, 0x01), "ja-JP": (0x11, 0x01), "ko-KR": (0x12, 0x01),
    "zh-CN": (0x04, 0x02), "zh-TW": (0x04, 0x01),
    "ar-SA": (0x01, 0x01), "he-IL": (0x0D, 0x01), "fa-IR": (0x29, 0x01),
}
# Written right to left: the launcher mirrors their layout as Windows mirrors their windows.
RIGHT_TO_LEFT = {"ar-SA", "he-IL", "fa-IR"}
DEFAULT = "en-US"
MOST_LANGUAGES = 16  # the launcher reads a list of at most 16


def langid(tag):
    primary, sub = LANGUAGES[tag]
    return sub << 10 | primary


def unknown(tag):
    return f"'{tag}' is not a language this tool knows; it knows {' '.join(LANGUAGES)}"


def read_list(text, problems):
    """The tags of `[product] languages`, default first; problems for bad ones."""
    tags = text.split() if text else [DEFAULT]
    where = "brand.ini: [product] languages"
    for n, tag in enumerate(tags):
        if tag not in LANGUAGES:
            problems.append(f"{where}: {unknown(tag)}")
        elif tag in tags[:n]:
            problems.append(f"{where}: {tag} is listed twice")
    if len(tags) > MOST_LANGUAGES:
        problems.append(f"{where}: {len(tags)} languages; the launcher takes at most "
                        f"{MOST_LANGUAGES}")
    return [tag for n, tag in enumerate(tags) if tag in LANGUAGES and tag not in tags[:n]]


def text_of(ini, tag, section, key):
    """A language's text: its own section's, else the default's."""
    return ini.get(f"{section}.{tag}", {}).get(key, ini.get(section, {}).get(key))
