#!/usr/bin/env python3
"""Writes the small seed corpus of the fuzz targets under fuzz/corpus/<target>/.

The seeds are a handful of well-formed inputs and near misses, enough for the
fuzzer to find the formats' structure quickly. Run it again after changing it;
the files it writes are committed.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
KEY = "fuzzer"  # the key the account file and data folder targets read with
MARKER = b"__LedgerKeeper__"


def utf16(text):
    return text.encode("utf-16-le")


def line(fields):
    """An account line of 28 fields, each followed by a comma, then a line feed."""
    assert len(fields) == 28, len(fields)
    return "".join(f + "," for f in fields) + "\n"


def record(name="A", url="", stem="", count="0", kind="0", slots="0", comment="", password=""):
    fields = ["", name, url, "", stem, "", "0", count, kind, "", slots]
    fields += ["0", password, "", ""] + ["0", "", "", ""] * 3
    fields += [comment]
    return line(fields)


def scramble(units_bytes, key):
    if not key:
        return units_bytes
    k = [ord(c) for c in key]
    out = bytearray()
    for i in range(0, len(units_bytes) - 1, 2):
        (u,) = struct.unpack_from("<H", units_bytes, i)
        out += struct.pack("<H", u ^ k[(i // 2) % len(k)])
    return bytes(out)


def header(count, user):
    raw = struct.pack("<I", count) + MARKER + user.encode("utf-8")[:16].ljust(16, b"\0")
    return bytes(b ^ 0xFF for b in raw)


def account_file(text, key=KEY, count=0):
    return header(count, key) + scramble(utf16(text), key)


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def main():
    plain = record()
    full = record("Bank", "https://bank.example/login", "133000000012345678", "7", "9", "3",
                  "two\uE00Alines\uE02C and a comma", "s3cret")
    write("fuzz_account_line", "fresh-record", utf16(plain))
    write("fuzz_account_line", "full-record", utf16(full))
    write("fuzz_account_line", "comment-ended-by-line-feed", utf16(plain[:-2] + "\n"))
    write("fuzz_account_line", "one-field-short", utf16(plain[:-3] + "\n"))
    write("fuzz_account_line", "numbers-and-blanks", utf16(record("N", count=" -3x", slots="99")))

    write("fuzz_account_file", "account", account_file(full))
    write("fuzz_account_file", "account-empty-key", account_file(plain, key=""))
    write("fuzz_account_file", "header-only", header(0, KEY))
    write("fuzz_account_file", "short", header(0, KEY)[:35])
    write("fuzz_account_file", "plain-text", b"this is not an account file\r\n" * 2)

    three = record("One") + record("Two", stem="222") + record("Three", comment="c")
    write("fuzz_data_folder", "three-lines-count-two", account_file(three, count=2))
    write("fuzz_data_folder", "same-stem-twice",
          account_file(record("X", stem="s") + record("Y", stem="s"), count=2))
    write("fuzz_data_folder", "no-lines", header(5, KEY))
    write("fuzz_data_folder", "reserved-stem", account_file(record("Legacy", stem="LedgerKeeper"), count=1))

    store_copy = record("Bank", "https://bank.example", "111", "3", "9", "1", password="pw")
    write("fuzz_import_walk", "held-and-new", utf16(store_copy + record("New", slots="1") + record("Bank", "https://x.example")))
    write("fuzz_import_walk", "hidden-unnamed-and-rejected", utf16(record("H", kind="10") + record("") + "a,b\n"))
    write("fuzz_import_walk", "last-line-without-feed", utf16(record("One") + record("Two")[:-1]))
    write("fuzz_import_walk", "with-byte-order-mark", b"\xff\xfe" + utf16(record("Bom") + "\r\n"))

    write("fuzz_update_description", "two-records",
          b"0 LedgerKeeper.exe 123456 89abcdef 1d9a2b3\r\n1 ledgerkeeper.html 2048 0 0\r\n")
    write("fuzz_update_description", "unsafe-names", b"1 ../evil 100 1 1\n1 C:boot.ini 100 1 1\n1 /etc/passwd 100 1 1\n")
    write("fuzz_update_description", "html-page", b"<html><body>Not Found</body></html>\n")
    write("fuzz_update_description", "cut-short", b"1 small.txt 9 ff\r\n5")

    # CSV exports: a browser's, a quoted one with line breaks and doubled
    # quotes, a byte-order mark with CR LF, and near misses.
    write("fuzz_csv_reader", "browser-export",
          b"name,url,username,password,note\n,https://mail.example/in,me,pw,\nBank,https://bank.example,,s,\n")
    write("fuzz_csv_reader", "quoted-fields",
          b'"Group","Title","Username","Password","URL","Notes"\n"R","A, B","me","p""w","u","l1\r\nl2"\n')
    write("fuzz_csv_reader", "bom-and-crlf", b"\xef\xbb\xbfurl,password\r\nhttps://a.example,pw\r\n\r\n")
    write("fuzz_csv_reader", "open-quote", b'url,password\n"https://a.example,pw\n')
    write("fuzz_csv_reader", "no-account-columns", b"name,username\nA,me\n")
    write("fuzz_csv_reader", "lone-carriage-returns", b"title,url,notes\rA,a,\"x\ry\"\r,,\r")


if __name__ == "__main__":
    main()
