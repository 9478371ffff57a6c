#!/usr/bin/env python3
"""Writes the seed corpus of each fuzz target into fuzz/corpus/TARGET/.

The targets read their input with libFuzzer's FuzzedDataProvider: strings
from the front (a backslash followed by another byte ends one, two
backslashes stand for one) and numbers from the back, the last byte being the
most significant. The seeds below lay inputs out that way, so that each run
starts from names, patterns, command lines, mount tables and times that mean
something, the awkward ones included.
"""
import hashlib
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def text(value: bytes) -> bytes:
    """A FuzzedDataProvider string: backslashes doubled, then the end mark."""
    return value.replace(b"\\", b"\\\\") + b"\\|"


def u64(value: int) -> bytes:
    return struct.pack("<Q", value & 0xFFFFFFFFFFFFFFFF)


def i64(value: int) -> bytes:
    """A signed number: the provider adds the raw bytes to the type's minimum."""
    return u64(value + 2**63)


def u8(value: int) -> bytes:
    return bytes([value & 0xFF])


def back(*numbers: bytes) -> bytes:
    """Numbers in the order they are consumed, laid out from the end."""
    return b"".join(reversed(numbers))


def write(target: str, seeds):
    folder = os.path.join(HERE, target)
    os.makedirs(folder, exist_ok=True)
    for seed in seeds:
        name = hashlib.sha1(seed).hexdigest()[:16]
        with open(os.path.join(folder, name), "wb") as out:
            out.write(seed)


AWKWARD_NAMES = [
    b"report.txt", b"Report.DOC", b".bashrc", b"a.tar.gz", b"noext", b"*", b"*.*",
    b"rep*.doc", b"*.ht*", b"a.b*c", b"..", b"a..b", b"tab\there", b"line\nfeed",
    b"back\\slash", b"caf\xc3\xa9.txt", b"\xff\xfe.bin", b"\xc3(", b"\xed\xa0\x80",
    b"\xf4\x90\x80\x80", b"\xe2\x82", b"\x01\x1f\x7f", b'quote".json', b"\xe6\x97\xa5\xe6\x9c\xac.TXT",
]

# Times at the edges: the epoch, a clock change at midnight in the test zone,
# the largest and smallest times whose year the C library still gives, and the
# ends of the 64-bit range.
TIMES = [0, 1662868799, 1662868800, 1680404400, 67768036191676799, -67768040609740800,
         2**63 - 1, -2**63, 86399, -1]


def name_pattern_seeds():
    for i, name in enumerate(AWKWARD_NAMES):
        pattern = AWKWARD_NAMES[(i * 7 + 3) % len(AWKWARD_NAMES)]
        for p in (pattern, name):
            yield text(p) + text(name) + text(b"Txt") + back(
                u8(i % 2), u64(0x5555AAAA5555AAAA), u8(i % 4), u8(i % 2),
                i64(i * 10), i64(i), i64(TIMES[i % len(TIMES)]),
                i64(TIMES[(i + 1) % len(TIMES)]), i64(1700000000))


def text_escape_seeds():
    for i, name in enumerate(AWKWARD_NAMES):
        path = b"/home/user/" + name
        yield text(name) + text(path) + back(
            u64([0, 1, 1023, 1024, 5 * 2**30, 2**64 - 1][i % 6]), u8(i % 2),
            i64(TIMES[i % len(TIMES)]), i64(TIMES[(i + 3) % len(TIMES)])) + name


def cli_options_seeds():
    lines = [
        [b"--name", b"*.txt", b"/tmp"],
        [b"-n", b"rep*", b"--no-subdirs", b"--case-sensitive", b"."],
        [b"--size", b"at-least:10", b"--type", b"cpp", b"--format=json", b"/"],
        [b"--created", b"3m", b"--created=5d", b"--sort", b"size:desc", b"--progress"],
        [b"--modified=0", b"--format", b"null", b"--", b"-folder-"],
        [b"--properties", b"/etc/passwd"],
        [b"--help"], [b"--version"], [b"--size=equal:18446744073709551615"],
        [b"--bogus"], [b"--name"], [b"a", b"b"], [b"--sort=name:up"], [b""],
    ]
    for line in lines:
        yield b"\0".join(line)


def mountinfo_seeds():
    yield (b"22 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
           b"23 22 0:21 / /proc rw,nosuid shared:2 - proc proc rw\n"
           b"24 22 0:22 / /sys rw shared:3 - sysfs sysfs rw\n"
           b"30 22 254:1 / /home rw shared:4 - ext4 /dev/vdb1 rw\n"
           b"31 22 0:30 / /dev/shm rw shared:5 - tmpfs tmpfs rw\n"
           b"40 30 254:2 / /home/with\\040blank rw - xfs /dev/vdc rw\n"
           b"41 30 254:3 / /home/with\\040blank rw - btrfs /dev/vdd rw\n")
    yield b"1 0 0:1 / / rw - rootfs rootfs rw\n2 1 8:1 / /media/usb rw master:7 - vfat /dev/sdb1 rw"
    yield b"bad line\n\n - \n3 2 1:1 / /mnt rw -\n"
    yield b"5 1 8:2 / /mnt/tab\\011and\\012lf\\134 rw - ext4 /dev/sda2 rw\n"


def properties_seeds():
    paths = [b"/", b"/home/user/report.txt", b"/tmp/" + b"\xff\xfe", b"/srv/line\nfeed"]
    for i, path in enumerate(paths):
        steps = b"".join(u8(s) * 3 for s in (1, 7, 200, 3, 90))
        yield text(path) + steps + back(
            u64([0, 1, 2, 2**64 - 1][i]), u64(i * 1000), u64([0, 1023, 1024, 2**64 - 1][i]),
            u8(i % 2), u8(i), i64([0, 10, -1, 2**63 - 1][i]), i64(TIMES[i]))
    for secs in TIMES[4:]:
        yield text(b"/x") + back(u64(1), u64(2), u64(3), u8(1), u8(0), i64(5), i64(secs))


def contents_match_seeds():
    """A needle, the stream, then from the back the letter-case rule and
    the sizes of the pieces the stream is fed in (two bytes each)."""
    cases = [
        (b"needle", b"a needle in hay"), (b"NEEDLE", b"x" * 40 + b"needle"),
        (b"\xc3\xa4rger", b"\xc3\x84RGER"), (b"k", b"\xe2\x84\xaa"),
        (b"song", b"\xc5\xbfong"), (b"ab", b"\xff\xc3ab\xe2\x84"),
        (b"\xc3", b"\xc3"), (b"aab", b"a" * 33 + b"b"),
    ]
    for i, (needle, stream) in enumerate(cases):
        pieces = [u8(3) + u8(0), u8(1) + u8(0), u8(17) + u8(0)]
        yield text(needle) + stream + b"\0" * 20 + back(u8(i % 2), *pieces)


def document_text_seeds():
    """A byte for the flavour (0 OpenDocument, 1 Word, 2 workbook, 3 slides;
    4 added: the rest is an archive), a byte for the cut, then the bytes."""
    odf = (b"<o:d xmlns:o='urn:oasis:names:tc:opendocument:xmlns:office:1.0' "
           b"xmlns:t='urn:oasis:names:tc:opendocument:xmlns:text:1.0'><t:p>\xc3\x9cber"
           b"<t:span>weis</t:span>ung<t:tab/>x<t:s/>y</t:p><t:h>z<t:line-break/></t:h></o:d>")
    word = (b"<w:document xmlns:w='http://schemas.openxmlformats.org/wordprocessingml/2006/"
            b"main'><w:body><w:p><w:r><w:t>Ab</w:t></w:r><w:r><w:t xml:space='preserve'>"
            b" schluss&amp;</w:t><w:tab/><w:br/></w:r></w:p></w:body></w:document>")
    sheet = (b"<sst xmlns='http://schemas.openxmlformats.org/spreadsheetml/2006/main'><si>"
             b"<r><t>Ge</t></r><r><t>samt</t></r><rPh><t>x</t></rPh></si><si><t>b</t></si></sst>")
    slide = (b"<p:sld xmlns:p='p' xmlns:a='http://schemas.openxmlformats.org/drawingml/2006/"
             b"main'><a:p><a:r><a:t>Folie</a:t></a:r><a:br/><a:r><a:t>nwort</a:t></a:r></a:p>"
             b"</p:sld>")
    broken = b"<?xml version='1.0'?><!DOCTYPE a [<!ENTITY e 'ee'>]><a>&e;&e;<b></a>"
    for flavour, xml in enumerate((odf, word, sheet, slide)):
        for cut in (1, 7, 255):
            yield bytes([flavour, cut]) + xml
    yield bytes([1, 3]) + broken
    import io
    import zipfile
    for flavour, (part, xml) in enumerate((("content.xml", odf), ("word/document.xml", word),
                                           ("xl/sharedStrings.xml", sheet),
                                           ("ppt/slides/slide1.xml", slide))):
        archive = io.BytesIO()
        with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED) as out:
            info = zipfile.ZipInfo(part, date_time=(2024, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            out.writestr(info, xml)
        yield bytes([4 + flavour, 1]) + archive.getvalue()
        yield bytes([4 + flavour, 1]) + archive.getvalue()[: len(archive.getvalue()) // 2]


write("name_pattern_fuzz", name_pattern_seeds())
write("contents_match_fuzz", contents_match_seeds())
write("text_escape_fuzz", text_escape_seeds())
write("cli_options_fuzz", cli_options_seeds())
write("mountinfo_fuzz", mountinfo_seeds())
write("properties_report_fuzz", properties_seeds())
write("document_text_fuzz", document_text_seeds())
