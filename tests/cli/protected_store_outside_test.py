"""A protected store seen from outside, with nothing but the command-line tool
and the files it leaves: no file holds any field of any account in a form that
can be read without the master password (UTF-8, Latin-1, UTF-16 in either byte
order, or scrambled with the login name), a copy in another user's home loads
whole with the master password and not at all without it, and damaged or
replaced files are refused with their message, never half loaded, never
changed. The copy to another user needs root (useradd); without it that part
is skipped with a note."""

import hashlib
import os
import pwd
import shutil
import stat
import subprocess
import sys
import tempfile

CLI = os.path.abspath(sys.argv[1])
MASTER = "Correct horse battery staple 42"
OTHER_USER = "lkoutsidecheck"
failures = []


def check(what, condition, detail=""):
    if not condition:
        failures.append(what + (f": {detail}" if detail else ""))


# Every field of every account. The eight-bit fields (URL, user name, ID,
# password) stay in Latin-1; the name and the comment are UTF-16 and hold more.
ACCOUNTS = [
    dict(name="Mailbox Quokka", url="https://mail.quokka-example.org/login", user="quokka.user",
         id="ID-quokka-7781", password="pw-Quokka-S3cret!", comment="Quokka mailbox comment"),
    dict(name="Bank \u00c4rgernis \u00fcber", url="https://bank.ferret-example.net/", user="ferret.owner",
         id="ACC-ferret-0042", password="Ferret\u00e9Pass-991", comment="Zeile eins\r\nZeile zwei \u00f6\u00df"),
    dict(name="\u65e5\u672c\u8a9e Wallaby", url="wallaby-example.jp/path?q=1", user="wallaby_jp",
         id="WB-ID-313373", password="wallaby::p@ss::77", comment="\u30b3\u30e1\u30f3\u30c8 wallaby"),
    dict(name="Long login name holder", url="https://numbat-example.com/", user="numbat",
         id="NUMBAT-ID-0001", password="numbat-long-password-xyz", comment="numbat"),
]
# Added once the store is protected: saved encrypted from the start.
LATE = dict(name="Platypus Late", url="https://platypus-example.au/", user="platypus.late",
            id="PLAT-ID-5550", password="Platypus-late-pw#1", comment="added while protected")


def run(home, *args, stdin="", env=None, user=None, timeout=120):
    command = [CLI, "--home", home, *args]
    if user is not None:
        command = ["runuser", "-u", user, "--", *command]
    return subprocess.run(command, input=stdin.encode("utf-8"), capture_output=True, timeout=timeout,
                          env=env or ENV)


def add(home, account, protected):
    args = ["add", "--name", account["name"], "--url", account["url"], "--user", account["user"],
            "--id", account["id"], "--comment", account["comment"], "--password-stdin", "--yes"]
    lines = account["password"] + "\n"
    if protected:
        args = ["--master-stdin", *args]
        lines = MASTER + "\n" + lines
    result = run(home, *args, stdin=lines)
    check(f"add {account['name']!r}", result.returncode == 0, result.stderr.decode(errors="replace"))


def files_under(*roots):
    for root in roots:
        for folder, _, names in os.walk(root):
            for name in names:
                yield os.path.join(folder, name)


def encodings(text, login):
    """The forms a field could take on the disk, each with its name."""
    forms = [("UTF-8", text.encode("utf-8")), ("UTF-16LE", text.encode("utf-16-le")),
             ("UTF-16BE", text.encode("utf-16-be"))]
    try:
        forms.append(("Latin-1", text.encode("latin-1")))
    except UnicodeEncodeError:
        pass
    # The scrambling XORs each UTF-16 unit of the line with the login name's
    # units in turn; the field may start at any place of the name.
    units = text.encode("utf-16-le")
    key = login.encode("utf-16-le")
    for start in range(len(login)):
        scrambled = bytearray()
        for i in range(0, len(units), 2):
            k = (start + i // 2) % len(login)
            scrambled += bytes([units[i] ^ key[2 * k], units[i + 1] ^ key[2 * k + 1]])
        forms.append((f"scrambled from unit {start}", bytes(scrambled)))
    return forms


def pieces(text):
    """The whole field and every run of 8 characters of it: a field half in the clear is found too."""
    yield text
    if len(text) > 8:
        for i in range(len(text) - 7):
            yield text[i:i + 8]


def search(roots, accounts, login, where):
    contents = {}
    for path in files_under(*roots):
        mode = os.lstat(path).st_mode
        if stat.S_ISREG(mode):
            with open(path, "rb") as f:
                contents[path] = f.read()
    check(f"{where}: the program wrote files", len(contents) > 0)
    for account in accounts:
        for field, value in account.items():
            for piece in pieces(value):
                for form, needle in encodings(piece, login):
                    for path, data in contents.items():
                        check(f"{where}: {field} of {account['name']!r} ({piece!r}, {form}) in {path}",
                              needle not in data)
    return contents


def listing(home, *extra, stdin=MASTER + "\n", user=None):
    return run(home, "--master-stdin", *extra, "list", "--order", "alphabet", stdin=stdin, user=user)


def names_of(result):
    return sorted(line for line in result.stdout.decode("utf-8").splitlines() if line)


def shown(home, account, user=None):
    result = run(home, "--master-stdin", "show", account["name"], "--password", stdin=MASTER + "\n", user=user)
    text = result.stdout.decode("utf-8")
    return result.returncode == 0 and all(account[field] in text for field in ("url", "user", "id", "password"))


def snapshot(data):
    state = {}
    for name in sorted(os.listdir(data)):
        path = os.path.join(data, name)
        mode = os.lstat(path).st_mode
        if stat.S_ISREG(mode) and os.path.getsize(path) < (1 << 20):
            with open(path, "rb") as f:
                state[name] = ("file", f.read())
        else:
            state[name] = ("other", stat.S_IFMT(mode))
    return state


KEY_SIZE = 160


def resealed(key, offset, value):
    """The key file with 8 bytes at `offset` set to `value`, its checksum made to fit again."""
    changed = bytearray(key)
    changed[offset:offset + 8] = value.to_bytes(8, "little")
    changed[128:160] = hashlib.blake2b(bytes(changed[:128]), digest_size=32).digest()
    return bytes(changed)


def flipped(data, offset):
    changed = bytearray(data)
    changed[offset] ^= 0x01
    return bytes(changed)


def attack(base, name, change, expect_message, expect_names):
    """On a fresh copy of the store: `change(data folder)`, then list. The
    command must end (no wait), say `expect_message` when one is given, list
    exactly `expect_names`, and leave every file as the attack left it."""
    home = tempfile.mkdtemp(prefix="attack-", dir=WORK)
    shutil.copytree(base, home, dirs_exist_ok=True, symlinks=True)
    data = os.path.join(home, "Account")
    change(data)
    before = snapshot(data)
    try:
        result = listing(home)
    except subprocess.TimeoutExpired:
        check(f"attack {name}: the command ended", False, "it waited")
        return
    check(f"attack {name}: no crash", result.returncode in (0, 1), f"exit {result.returncode}")
    error = result.stderr.decode(errors="replace")
    if expect_message is None:
        check(f"attack {name}: loads", result.returncode == 0, error)
    else:
        check(f"attack {name}: refused", result.returncode == 1, f"exit {result.returncode}")
        check(f"attack {name}: says {expect_message!r}", expect_message in error, error)
    check(f"attack {name}: lists what it should", names_of(result) == sorted(expect_names),
          f"{names_of(result)} instead of {sorted(expect_names)}")
    check(f"attack {name}: nothing changed", snapshot(data) == before)
    shutil.rmtree(home, ignore_errors=True)


WORK = tempfile.mkdtemp(prefix="lk-outside-")
os.chmod(WORK, 0o755)
FAKE_HOME = os.path.join(WORK, "home")
os.makedirs(os.path.join(FAKE_HOME, "tmp"))
ENV = dict(os.environ, HOME=FAKE_HOME, TMPDIR=os.path.join(FAKE_HOME, "tmp"), XDG_CONFIG_HOME=os.path.join(
    FAKE_HOME, ".config"), XDG_DATA_HOME=os.path.join(FAKE_HOME, ".local", "share"), LC_ALL="C.UTF-8")
ENV.pop("LEDGERKEEPER_HOME", None)
LOGIN = pwd.getpwuid(os.geteuid()).pw_name[:15]
STORE = os.path.join(WORK, "store")
DATA = os.path.join(STORE, "Account")
try:
    for account in ACCOUNTS:
        add(STORE, account, protected=False)
    # The search itself is put to the test first: before protection, each
    # password is there scrambled with the login name.
    for account in ACCOUNTS:
        contents = [open(p, "rb").read() for p in files_under(DATA)]
        forms = [needle for _, needle in encodings(account["password"], LOGIN)]
        check(f"the search finds {account['name']!r}'s scrambled password before protection",
              any(needle in data for needle in forms for data in contents))
    result = run(STORE, "--master-stdin", "protect", stdin=MASTER + "\n")
    check("protect", result.returncode == 0, result.stderr.decode(errors="replace"))
    add(STORE, LATE, protected=True)
    every = ACCOUNTS + [LATE]
    every_name = [a["name"] for a in every]
    check("the protected store lists every account", names_of(listing(STORE)) == sorted(every_name))
    for account in every:
        check(f"show {account['name']!r} gives every field", shown(STORE, account))
    # Commands that read and write, so that whatever they leave is searched too.
    run(STORE, "--master-stdin", "login", ACCOUNTS[0]["name"], "--no-open", stdin=MASTER + "\n")
    run(STORE, "--master-stdin", "print", stdin=MASTER + "\n")

    # ---- Every file the program wrote, in every encoding.
    search([STORE, FAKE_HOME], every, LOGIN, "own store")
    for name in os.listdir(DATA):
        mode = os.lstat(os.path.join(DATA, name)).st_mode
        check(f"{name} is the owner's only", stat.S_IMODE(mode) & 0o077 == 0, oct(stat.S_IMODE(mode)))
        check(f"{name} is an account file or the key file, no temporary file",
              name.endswith(".dat") or name == "Protection.key", name)
    check("without the master password nothing is listed",
          run(STORE, "list").returncode == 1 and run(STORE, "list").stdout == b"")
    wrong = listing(STORE, stdin="not the master password\n")
    check("a wrong master password is told", wrong.returncode == 1 and
          b"The master password is not correct." in wrong.stderr and wrong.stdout == b"", wrong.stderr.decode())

    # ---- Another user's copy.
    if os.geteuid() != 0:
        print("note: not root, the copy to another user is skipped")
    else:
        subprocess.run(["userdel", "-r", OTHER_USER], capture_output=True)
        subprocess.run(["useradd", "-m", OTHER_USER], check=True, capture_output=True)
        try:
            other_home = pwd.getpwnam(OTHER_USER).pw_dir
            copy = os.path.join(other_home, "copied-store")
            shutil.copytree(STORE, copy)
            subprocess.run(["chown", "-R", f"{OTHER_USER}:", copy], check=True)
            other_env = dict(ENV, HOME=other_home, TMPDIR="/tmp", XDG_CONFIG_HOME=os.path.join(other_home, ".config"),
                             XDG_DATA_HOME=os.path.join(other_home, ".local", "share"), USER=OTHER_USER)
            ENV_SAVED, ENV = ENV, other_env
            search([copy], every, OTHER_USER, "another user's copy")
            none = run(copy, "list", user=OTHER_USER)
            check("another user without the master password lists nothing", none.returncode == 1 and
                  none.stdout == b"", none.stderr.decode())
            wrong = listing(copy, stdin="guess\n", user=OTHER_USER)
            check("another user with a wrong master password lists nothing", wrong.returncode == 1 and
                  wrong.stdout == b"" and b"The master password is not correct." in wrong.stderr)
            loaded = listing(copy, user=OTHER_USER)
            check("another user with the master password lists every account",
                  names_of(loaded) == sorted(every_name), loaded.stderr.decode())
            for account in every:
                check(f"another user sees every field of {account['name']!r}", shown(copy, account, OTHER_USER))
            ENV = ENV_SAVED
        finally:
            subprocess.run(["userdel", "-r", OTHER_USER], capture_output=True)

    # ---- Damaged and replaced files.
    key_path = os.path.join(DATA, "Protection.key")
    with open(key_path, "rb") as f:
        key = f.read()
    check("the key file has its size", len(key) == KEY_SIZE, str(len(key)))
    accounts = sorted(n for n in os.listdir(DATA) if n.endswith(".dat"))
    first = accounts[0]
    with open(os.path.join(DATA, first), "rb") as f:
        first_bytes = f.read()
    damaged = "the key file Protection.key is damaged"

    def write(path, data):
        with open(path, "wb") as f:
            f.write(data)

    def replace_key(data):
        return lambda folder: write(os.path.join(folder, "Protection.key"), data)

    def replace_key_with(make):
        def change(folder):
            path = os.path.join(folder, "Protection.key")
            os.remove(path)
            make(path)
        return change

    for size in (0, 1, 100, KEY_SIZE - 1):
        attack(STORE, f"key file cut to {size} bytes", replace_key(key[:size]), damaged, [])
    attack(STORE, "key file one byte longer", replace_key(key + b"\0"), damaged, [])
    for offset in (0, 16, 20, 24, 32, 40, 56, 80, 127, 128, 159):
        attack(STORE, f"key file byte {offset} flipped", replace_key(flipped(key, offset)), damaged, [])
    attack(STORE, "key file asking for 2^40 passes, checksum made to fit", replace_key(resealed(key, 24, 1 << 40)),
           damaged, [])
    attack(STORE, "key file asking for 1 TiB of memory, checksum made to fit",
           replace_key(resealed(key, 32, 1 << 40)), damaged, [])
    attack(STORE, "key file with another salt, checksum made to fit",
           replace_key(resealed(key, 40, int.from_bytes(key[40:48], "little") ^ 1)),
           "The master password is not correct.", [])
    attack(STORE, "key file replaced by a FIFO", replace_key_with(lambda p: os.mkfifo(p, 0o600)), damaged, [])
    attack(STORE, "key file replaced by a folder", replace_key_with(os.mkdir), damaged, [])
    attack(STORE, "key file replaced by a link to /dev/zero",
           replace_key_with(lambda p: os.symlink("/dev/zero", p)), damaged, [])
    attack(STORE, "key file replaced by a dangling link",
           replace_key_with(lambda p: os.symlink(os.path.join(WORK, "nowhere"), p)), damaged, [])
    outside_key = os.path.join(WORK, "outside.key")
    write(outside_key, key)
    attack(STORE, "key file replaced by a link to a copy of itself",
           replace_key_with(lambda p: os.symlink(outside_key, p)), damaged, [])

    def giant(path):
        with open(path, "wb") as f:
            f.truncate(4 << 30)
    attack(STORE, "key file replaced by a 4 GiB file", replace_key_with(giant), damaged, [])

    # An account file damaged anywhere is that account missing, the rest whole.
    def without_first():
        home = tempfile.mkdtemp(prefix="probe-", dir=WORK)
        shutil.copytree(STORE, home, dirs_exist_ok=True)
        os.remove(os.path.join(home, "Account", first))
        names = names_of(listing(home))
        shutil.rmtree(home, ignore_errors=True)
        return names

    rest = without_first()
    check("one account less without its file", len(rest) == len(every) - 1, str(rest))
    # A second store with the same master password: its key file opens, its
    # files are another key's.
    OTHER = os.path.join(WORK, "other-store")
    add(OTHER, dict(name="Other store's account", url="https://other-example.org/", user="other", id="OTHER-1",
                    password="other-store-pw", comment="other"), protected=False)
    run(OTHER, "--master-stdin", "protect", stdin=MASTER + "\n")
    other_data = os.path.join(OTHER, "Account")
    other_file = next(n for n in os.listdir(other_data) if n.endswith(".dat"))
    with open(os.path.join(other_data, "Protection.key"), "rb") as f:
        other_key = f.read()
    with open(os.path.join(other_data, other_file), "rb") as f:
        other_bytes = f.read()
    attack(STORE, "another store's key file", replace_key(other_key), None, [])
    attack(STORE, "another store's account file added",
           lambda folder: write(os.path.join(folder, other_file), other_bytes), None, every_name)
    attack(STORE, "another store's account file in an account's place",
           lambda folder: write(os.path.join(folder, first), other_bytes), None, rest)

    for offset in sorted({0, 4, 20, 35, 36, 40, 59, 60, 61, len(first_bytes) // 2, len(first_bytes) - 17,
                          len(first_bytes) - 1}):
        attack(STORE, f"account file byte {offset} flipped",
               lambda folder, o=offset: write(os.path.join(folder, first), flipped(first_bytes, o)), None, rest)
    for size in (0, 10, 36, 60, 76, len(first_bytes) - 1):
        attack(STORE, f"account file cut to {size} bytes",
               lambda folder, s=size: write(os.path.join(folder, first), first_bytes[:s]), None, rest)
    attack(STORE, "account file one byte longer",
           lambda folder: write(os.path.join(folder, first), first_bytes + b"\0"), None, rest)
    attack(STORE, "account file replaced by a FIFO",
           lambda folder: (os.remove(os.path.join(folder, first)), os.mkfifo(os.path.join(folder, first))), None,
           rest)
finally:
    shutil.rmtree(WORK, ignore_errors=True)

for failure in failures:
    print("FAILED:", failure)
print(f"{len(failures)} failure(s)")
sys.exit(1 if failures else 0)
