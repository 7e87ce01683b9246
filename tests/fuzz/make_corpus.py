#!/usr/bin/env python3
"""Writes the fuzzing seeds and the project fixtures of tests/data/projects.

Built field by field from the file layout (little-endian, texts as a 16-bit byte count
plus Windows-1252 bytes), independently of the program's own writer.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")
PROJECTS = os.path.join(HERE, "..", "data", "projects")

ZEB104 = b"ZEB104\0\0\0\0"
ZEB100 = b"ZEB100\0\0\0\0"


def i16(v):
    return struct.pack("<h", v)


def i32(v):
    return struct.pack("<i", v)


def text(s):
    b = s.encode("cp1252") if isinstance(s, str) else s
    return struct.pack("<H", len(b)) + b


def settings(title="My Image Gallery", link_text="3D"):
    texts = [link_text, "Arial, Helvetica, sans-serif", "#7F7F7F", "160", "120", "1",
             "#aaaaaa #666666 #666666 #aaaaaa", "#7F7F7F", "160", "120", "", "", "#FFFFFF", "1",
             "Verdana", "10", "normal", "center", "#FFFFFF", "750", "500", "25", "90", title,
             "Verdana", "26", "#000080", "5", "10", "C:\\Gallery", "", ""]
    assert len(texts) == 32
    out = i32(4) + i32(100) + b"".join(text(t) for t in texts) + i16(1)
    out += text("") * 20 + i16(0) + i16(0) + bytes(16)
    return out


def item(path, title="", tooltip="", url="", same_window=False, loaded=True,
         link_text="", output_name=""):
    return (text(path) + text(title) + text(tooltip) + text(url) + i16(-1 if same_window else 0)
            + i16(-1 if loaded else 0) + text(link_text) + text(output_name) + text("") * 5)


def legacy_item(path, title="", tooltip="", url="", same_window=False):
    return text(path) + text(title) + text(tooltip) + text(url) + i16(-1 if same_window else 0)


def write(folder, name, data):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def main():
    empty = ZEB104 + settings() + i32(0)
    two = (ZEB104 + settings() + i32(2)
           + item("C:\\Fotos\\sea.jpg", "Sea", "Waves", "http://example.org/", True, True, "more", "sea")
           + item("C:\\Fotos\\&#322;\xf3d&#378;.jpg".encode("latin-1"), "", "", "", False, False, "3D", "lodz"))
    legacy = (ZEB100 + settings(link_text="Link") + i32(1)
              + legacy_item("C:\\Fotos\\sea.jpg", "Sea", "Waves", "", True))
    settings_file = ZEB104 + settings(title="Settings only")
    text_list = (b"{\r\npath=C:\\a.jpg\r\ntitle=A\r\ntooltip=B\r\nurl=http://x/\r\nurl_text=go\r\n"
                 b"open=self\r\n}\r\n\r\n{\npath= C:\\b.jpg \nopen=blank\n}\n")

    write(CORPUS, "empty.zeb", empty)
    write(CORPUS, "two.zeb", two)
    write(CORPUS, "legacy.zeb", legacy)
    write(CORPUS, "settings.zes", settings_file)
    write(CORPUS, "list.txt", text_list)

    write(PROJECTS, "two_images.zeb", two)
    write(PROJECTS, "legacy_sea.zeb", legacy)
    write(PROJECTS, "settings.zes", settings_file)


if __name__ == "__main__":
    main()
