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


def text(s):
    b = s.encode("cp1252") if isinstance(s, str) else s
    return struct.pack("<H", len(b)) + b


def settings(title="My Image Gallery", link_text="3D"):
    texts = [link_text, "Arial, Helvetica, sans-serif", "#7F7F7F", "160", "120", "1",
             "#aaaaaa #666666 #666666 #aaaaaa", "#7F7F7F", "160", "120", "", "", "#FFFFFF", "1",
             "Verdana", "10", "normal", "center", "#FFFFFF", "750", "500", "25", "90", title,
             "Verdana", "26", "#000080", "5", "10", "C:\\Gallery", "", ""]
    return (struct.pack("<ii", 4, 100) + b"".join(text(t) for t in texts) + i16(1)
            + text("") * 20 + i16(0) + i16(0) + bytes(16))


# A legacy item ends after the same-window flag; a current one adds four more fields.
def item(path, title="", tooltip="", url="", same_window=False, loaded=True, link_text="", output_name="",
         legacy=False):
    head = text(path) + text(title) + text(tooltip) + text(url) + i16(-1 if same_window else 0)
    return head if legacy else head + i16(-1 if loaded else 0) + text(link_text) + text(output_name) + text("") * 5


def main():
    count = lambda n: struct.pack("<i", n)
    two = (ZEB104 + settings() + count(2)
           + item("C:\\Fotos\\sea.jpg", "Sea", "Waves", "http://example.org/", True, True, "more", "sea")
           + item("C:\\Fotos\\&#322;\xf3d&#378;.jpg".encode("latin-1"), "", "", "", False, False, "3D", "lodz"))
    legacy = (ZEB100 + settings(link_text="Link") + count(1)
              + item("C:\\Fotos\\sea.jpg", "Sea", "Waves", "", True, legacy=True))
    settings_file = ZEB104 + settings(title="Settings only")
    text_list = (b"{\r\npath=C:\\a.jpg\r\ntitle=A\r\ntooltip=B\r\nurl=http://x/\r\nurl_text=go\r\n"
                 b"open=self\r\n}\r\n\r\n{\npath= C:\\b.jpg \nopen=blank\n}\n")
    for folder, name, data in [(CORPUS, "empty.zeb", ZEB104 + settings() + count(0)), (CORPUS, "two.zeb", two),
                               (CORPUS, "legacy.zeb", legacy), (CORPUS, "settings.zes", settings_file),
                               (CORPUS, "list.txt", text_list), (PROJECTS, "two_images.zeb", two),
                               (PROJECTS, "legacy_sea.zeb", legacy), (PROJECTS, "settings.zes", settings_file)]:
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
