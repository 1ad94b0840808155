"""Skin INI files as UTF-16LE with a byte-order mark, so the INI reader sees Unicode."""


def render(sections):
    lines = []
    for name, entries in sections:
        if not entries:
            continue
        lines.append("[%s]" % name)
        lines += ["%s=%s" % (k, v) for k, v in entries]
        lines.append("")
    return "\ufeff" + "\r\n".join(lines) + "\r\n"


def write(path, sections):
    with open(path, "wb") as f:
        f.write(render(sections).encode("utf-16-le"))


def read(path):
    """Sections of a skin INI file as {section: {key: value}} (keys compared as written)."""
    raw = open(path, "rb").read()
    if not raw.startswith(b"\xff\xfe"):
        raise ValueError("%s: no UTF-16LE byte-order mark" % path)
    out, current = {}, None
    for line in raw[2:].decode("utf-16-le").splitlines():
        line = line.strip()
        if not line or line.startswith(";"):
            continue
        if line.startswith("[") and line.endswith("]"):
            current = out.setdefault(line[1:-1], {})
        elif "=" in line and current is not None:
            k, v = line.split("=", 1)
            current[k.strip()] = v.strip()
    return out
