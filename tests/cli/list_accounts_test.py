"""ledgerkeeper-cli list prints what the explorer's two trees show, on a data
folder made by the independent writer of tests/fixtures/account_store.py."""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fixtures"))
import account_store as store  # noqa: E402

CLI = sys.argv[1]
failures = []


def check(what, got, expected):
    if got != expected:
        failures.append(f"{what}:\n  got      {got!r}\n  expected {expected!r}")


def run(*args):
    return subprocess.run([CLI, *args], capture_output=True)


def listing_key(file_name):
    # ASCII letters folded to upper case, ties by the exact bytes.
    raw = file_name.encode("utf-8")
    return (bytes(b - 32 if 0x61 <= b <= 0x7A else b for b in raw), raw)


def expected_trees(accounts):
    """accounts: (file name, name, use count, kind, slot count) in any order.
    Both trees list, in a stable order, the entries that are not hidden, have a
    slot and a name: Alphabet by UTF-16 units, Frequency by count after it."""
    loaded = sorted(accounts, key=lambda a: listing_key(a[0]))
    alphabet = sorted(loaded, key=lambda a: a[1].encode("utf-16-be"))
    frequency = sorted(alphabet, key=lambda a: -(a[2] % 2**32))
    listed = lambda rows: [a[1] for a in rows if a[3] != 10 and a[4] != 0 and a[1] != ""]
    return listed(alphabet), listed(frequency)


with tempfile.TemporaryDirectory() as home:
    data = os.path.join(home, "Account")
    accounts = []

    def put(file_name, name, count=0, kind=9, slots=1, stem=None):
        store.write_account(data, file_name, account_name=name, use_count=count, kind=kind, slot_count=slots,
                            file_stem=file_name.split(".")[0] if stem is None else stem, slot0_value="pw")
        accounts.append((file_name, name, count, kind, slots))

    put("b.dat", "bank", 2)
    put("B2.dat", "Bank", 2)
    put("z.dat", "Zeta", 0)
    put("_x.dat", "_under", 1)
    put("m1.dat", "Mail", 5)
    put("m2.dat", "Mailbox", 5)
    put("w.dat", "wrapped", 2**32 - 1)
    put("t1.dat", "Twin", 3)
    put("t2.dat", "Twin", 3)
    put("e.dat", "caf\u00e9 \U0001F600", 1)
    put("h.dat", "Hidden", 9, kind=10)
    put("s.dat", "Slotless", 9, slots=0)
    put("n.dat", "", 9)
    put("UPPER.DAT", "upper case extension", 4)
    put("named.dat", "stem from the file name", 0, stem="")
    # Not account files: text, a header without body, another user's file, a
    # file without the extension, and a short file that sorts first.
    store.write_junk(data, "notes.dat")
    store.write_junk(data, "readme.txt")
    with open(os.path.join(data, "empty.dat"), "wb") as out:
        out.write(store.header(0, store.user_key()))
    store.write_account(data, "other.dat", key="someoneelse", account_name="Other", slot_count=1,
                        file_stem="other")
    store.write_short(data, "0.dat")
    # A legacy combined file: three lines, of which the count takes two.
    store.write_combined(data, [store.account_line(account_name="Legacy one", use_count=7, slot_count=1,
                                                   file_stem="legacy1"),
                                store.account_line(account_name="Legacy two", slot_count=2),
                                store.account_line(account_name="Legacy three", slot_count=1)], 2)
    accounts.append(("legacy1.dat", "Legacy one", 7, 0, 1))
    accounts.append(("9999.dat", "Legacy two", 0, 0, 2))  # a new stem of digits; the name is unique

    alphabet, frequency = expected_trees(accounts)

    result = run("--home", home, "list")
    check("list exit status", result.returncode, 0)
    check("list (Frequency)", result.stdout.decode("utf-8").splitlines(), frequency)
    check("legacy file converted", os.path.exists(os.path.join(data, store.COMBINED_FILE)), False)

    result = run("--home", home, "list", "--order", "alphabet")
    check("list --order alphabet exit status", result.returncode, 0)
    check("list --order alphabet", result.stdout.decode("utf-8").splitlines(), alphabet)

    result = run("--home", home, "list", "--order", "frequency")
    check("list --order frequency", result.stdout.decode("utf-8").splitlines(), frequency)

    # Usage errors: status 2, the usage text on standard error, nothing on standard output.
    for args in (["--home", home, "list", "--bogus"], ["--home", home, "list", "--order", "sideways"],
                 ["--home", home, "list", "extra"], ["--home", home, "list", "--order"], ["--bogus"], [],
                 ["--home"], ["--home", home, "nosuchcommand"]):
        result = run(*args)
        check(f"{args} exit status", result.returncode, 2)
        check(f"{args} stdout", result.stdout, b"")
        check(f"{args} usage on stderr", b"usage:" in result.stderr, True)

with tempfile.TemporaryDirectory() as home:
    result = run("--home", home, "list")
    check("a new home: exit status", result.returncode, 0)
    check("a new home: nothing listed", result.stdout, b"")
    check("a new home: data folder made", os.path.isdir(os.path.join(home, "Account")), True)
    check("a new home: private", os.stat(os.path.join(home, "Account")).st_mode & 0o777, 0o700)

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("ok")
