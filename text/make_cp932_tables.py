#!/usr/bin/env python3
"""Writes text/cp932_tables.inc: the code page 932 tables of the conversions
in cp932.cpp, taken from glibc's CP932 (Microsoft's table) through iconv.

    python3 text/make_cp932_tables.py > text/cp932_tables.inc
    python3 text/make_cp932_tables.py --check text/cp932_tables.inc

- decode: for every lead byte (0x81..0x9F, 0xE0..0xFC) and trail byte
  (0x40..0xFF) the UTF-16 code of the character, 0 where the pair is none;
  single bytes 0xA1..0xDF are the half-width katakana U+FF61..U+FF9F.
- encode: the characters that code page 932 encodes, with their bytes, in
  code order. Only codes that come back to the same bytes are listed: a
  character decoded from several byte pairs (the NEC and IBM duplicates) is
  encoded to one of them, and one-way "best fit" mappings are left out, as
  Windows does with WC_NO_BEST_FIT_CHARS.
With --check the committed file must be exactly what iconv gives today (a
test of every build on a glibc machine)."""
import ctypes
import ctypes.util
import sys

libc = ctypes.CDLL(ctypes.util.find_library("c"))
libc.iconv_open.restype = ctypes.c_void_p
libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
libc.iconv.restype = ctypes.c_size_t
libc.iconv.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_char_p), ctypes.POINTER(ctypes.c_size_t),
                       ctypes.POINTER(ctypes.c_char_p), ctypes.POINTER(ctypes.c_size_t)]
FAILED = ctypes.c_size_t(-1).value


def converter(to, source):
    cd = libc.iconv_open(to, source)
    if cd == FAILED or cd is None:
        sys.exit("iconv knows no %s" % to.decode())

    def convert(data):
        libc.iconv(cd, None, None, None, None)
        inbuf = ctypes.create_string_buffer(data, len(data))
        outbuf = ctypes.create_string_buffer(16)
        in_ptr, in_left = ctypes.c_char_p(ctypes.addressof(inbuf)), ctypes.c_size_t(len(data))
        out_ptr, out_left = ctypes.c_char_p(ctypes.addressof(outbuf)), ctypes.c_size_t(16)
        result = libc.iconv(cd, ctypes.byref(in_ptr), ctypes.byref(in_left), ctypes.byref(out_ptr), ctypes.byref(out_left))
        if result == FAILED or in_left.value != 0:
            return None
        return outbuf.raw[:16 - out_left.value]
    return convert


LEADS = list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD))
TRAILS = range(0x40, 0x100)


def tables():
    decode = converter(b"UTF-32LE", b"CP932")
    encode = converter(b"CP932", b"UTF-32LE")
    rows = []
    pairs = {}
    for lead in LEADS:
        row = []
        for trail in TRAILS:
            u = decode(bytes([lead, trail]))
            code = int.from_bytes(u, "little") if u and len(u) == 4 else 0
            if code > 0xFFFF:
                sys.exit("a character outside the basic plane")
            row.append(code)
            if code and encode(code.to_bytes(4, "little")) == bytes([lead, trail]):
                pairs[code] = (lead << 8) | trail
        rows.append(row)
    for byte in range(0xA1, 0xE0):
        u = decode(bytes([byte]))
        code = int.from_bytes(u, "little")
        if code != 0xFF61 + byte - 0xA1 or encode(u) != bytes([byte]):
            sys.exit("single byte %02X is not the half-width katakana expected" % byte)
        pairs[code] = byte
    return rows, sorted(pairs.items())


def write(out):
    rows, pairs = tables()
    out.write("// Made by text/make_cp932_tables.py from glibc's CP932; do not edit.\n")
    out.write("// decode_rows[lead][trail - 0x40]: the UTF-16 code of the pair, 0 for none;\n")
    out.write("// leads 0x81..0x9F are rows 0..30, leads 0xE0..0xFC rows 31..59.\n")
    out.write("inline constexpr std::uint16_t decode_rows[%d][%d] = {\n" % (len(rows), len(TRAILS)))
    for lead, row in zip(LEADS, rows):
        out.write("    {  // %02X\n" % lead)
        for i in range(0, len(row), 12):
            out.write("        " + ", ".join("0x%04X" % c for c in row[i:i + 12]) + ",\n")
        out.write("    },\n")
    out.write("};\n\n")
    out.write("// The characters code page 932 encodes and their bytes, in code order.\n")
    out.write("inline constexpr EncodedChar encode_pairs[%d] = {\n" % len(pairs))
    for i in range(0, len(pairs), 6):
        out.write("    " + " ".join("{0x%04X, 0x%04X}," % p for p in pairs[i:i + 6]) + "\n")
    out.write("};\n")


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--check":
        import io
        made = io.StringIO()
        write(made)
        with open(sys.argv[2], encoding="ascii") as f:
            committed = f.read()
        if committed != made.getvalue():
            sys.exit("%s differs from glibc's CP932: make it again" % sys.argv[2])
        print("%s is glibc's CP932" % sys.argv[2])
    else:
        write(sys.stdout)


if __name__ == "__main__":
    main()
