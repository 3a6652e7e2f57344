"""The Debian package as a user gets it: unpacked with dpkg-deb into a scratch
folder, its files where Debian looks for them, its command-line tool run from
there on a scratch store, its manual pages and completion in step with the
tool's own --help. Builds nothing; skipped when dpkg-deb or the package is
missing."""

import argparse
import gzip
import os
import re
import shutil
import stat
import subprocess
import sys
import tempfile

from built_package import package_or_skip

parser = argparse.ArgumentParser()
parser.add_argument("--package", required=True)
parser.add_argument("--version", required=True)
parser.add_argument("--built", action="append", default=[], help="a program of this build (repeatable)")
options = parser.parse_args()

package = package_or_skip(options.package, options.built, ["dpkg-deb"])
with_window = any(os.path.basename(program) == "ledgerkeeper" for program in options.built)
failures = []


def check(what, condition, detail=""):
    if not condition:
        failures.append(f"{what}{': ' + detail if detail else ''}")


def run(argv, stdin=None, env=None):
    return subprocess.run(argv, input=stdin, capture_output=True, text=True, env=env, timeout=60)


def check_files(root):
    expected = [
        "usr/bin/ledgerkeeper-cli",
        "usr/share/man/man1/ledgerkeeper.1.gz",
        "usr/share/man/man1/ledgerkeeper-cli.1.gz",
        "usr/share/bash-completion/completions/ledgerkeeper-cli",
        "usr/share/metainfo/example.ledgerkeeper.ledgerkeeper.metainfo.xml",
        "usr/share/doc/ledgerkeeper/copyright",
        "usr/share/doc/ledgerkeeper/changelog.Debian.gz",
        "usr/share/doc-base/ledgerkeeper",
    ]
    if with_window:
        expected += ["usr/bin/ledgerkeeper", "usr/share/applications/ledgerkeeper.desktop",
                     "usr/share/doc/ledgerkeeper/ledgerkeeper.html"]
        expected += [f"usr/share/icons/hicolor/{size}x{size}/apps/ledgerkeeper.png" for size in (16, 32, 48, 128, 256)]
    for path in expected:
        check(f"the package holds /{path}", os.path.isfile(os.path.join(root, path)))
    for folder, dirs, files in os.walk(root):
        for name in dirs + files:
            path = os.path.join(folder, name)
            check(f"/{os.path.relpath(path, root)} is not world-writable",
                  not os.lstat(path).st_mode & stat.S_IWOTH)
    for path in ["usr/share/man/man1/ledgerkeeper.1.gz", "usr/share/man/man1/ledgerkeeper-cli.1.gz",
                 "usr/share/doc/ledgerkeeper/changelog.Debian.gz"]:
        with open(os.path.join(root, path), "rb") as file:
            header = file.read(10)
        # gzip -n: no file name (flag bit 3) and no time stamp, so that builds are reproducible.
        check(f"/{path} is gzip without name or time", header[:2] == b"\x1f\x8b" and not header[3] & 0x08
              and header[4:8] == b"\0\0\0\0", header.hex())


def help_commands_and_options(help_text):
    """The command names and every --option that the tool's own --help lists."""
    commands = re.findall(r"^  ([a-z][a-z-]*)\b", help_text.split("commands:", 1)[-1], re.MULTILINE)
    return commands, sorted(set(re.findall(r"--[a-z][a-z-]*", help_text)))


def check_cli(cli, scratch):
    env = dict(os.environ, HOME=os.path.join(scratch, "home"), LEDGERKEEPER_HOME=os.path.join(scratch, "unused"))
    store = os.path.join(scratch, "store")

    version = run([cli, "--version"], env=env)
    check("ledgerkeeper-cli --version", version.returncode == 0 and version.stdout == f"LedgerKeeper {options.version}\n",
          repr(version.stdout))
    usage = run([cli, "--help"], env=env)
    check("ledgerkeeper-cli --help", usage.returncode == 0 and usage.stdout.startswith("usage: ledgerkeeper-cli"),
          usage.stdout[:80])

    def cli_on_store(*args):
        return run([cli, "--home", store, *args], env=env)

    for name, url, user, account_id in [("Bank", "https://bank.example", "alice", "1001"),
                                        ("Mail", "https://mail.example", "bob", "7")]:
        added = cli_on_store("add", "--name", name, "--url", url, "--user", user, "--id", account_id,
                             "--comment", f"{name} comment")
        check(f"add {name}", added.returncode == 0, added.stderr)
    listed = cli_on_store("list", "--order", "alphabet")
    check("list --order alphabet", listed.returncode == 0 and listed.stdout == "Bank\nMail\n", repr(listed.stdout))
    shown = cli_on_store("show", "Bank")
    shown_lines = shown.stdout.splitlines()
    for line in ["Account: Bank", "URL: https://bank.example", "User Name: alice", "Comment: Bank comment", "Uses: 0"]:
        check(f"show Bank prints {line!r}", shown.returncode == 0 and line in shown_lines, repr(shown.stdout))
    check("show of a missing account exits 1", cli_on_store("show", "Nobody").returncode == 1)
    check("an unknown command exits 2", cli_on_store("frobnicate").returncode == 2)

    account_files = sorted(os.listdir(os.path.join(store, "Account")))
    check("one file per account", len([f for f in account_files if f.endswith(".dat")]) == 2, str(account_files))
    for name in account_files:
        mode = stat.S_IMODE(os.stat(os.path.join(store, "Account", name)).st_mode)
        check(f"Account/{name} is readable by its owner alone", mode == 0o600, oct(mode))
    check("--home wins over LEDGERKEEPER_HOME", not os.path.exists(env["LEDGERKEEPER_HOME"]))
    return usage.stdout, store


def check_window(program):
    # No display at all: the answers must come before Qt looks for one.
    env = {key: value for key, value in os.environ.items()
           if key not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    version = run([program, "--version"], env=env)
    check("ledgerkeeper --version without a display",
          version.returncode == 0 and version.stdout == f"LedgerKeeper {options.version}\n",
          repr(version.stdout) + version.stderr)
    usage = run([program, "--help"], env=env)
    check("ledgerkeeper --help without a display",
          usage.returncode == 0 and usage.stdout.startswith("usage: ledgerkeeper"), usage.stderr)


def check_manual_pages(root, help_text):
    if shutil.which("man") is None:
        print("note: man is not installed; the manual pages are not rendered")
        return
    env = dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80")
    pages = {}
    for page in ("ledgerkeeper", "ledgerkeeper-cli"):
        path = os.path.join(root, f"usr/share/man/man1/{page}.1.gz")
        # As lintian renders them: every groff warning counts.
        rendered = run(["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", path], env=env)
        check(f"man -l {page}.1 renders without warnings", rendered.returncode == 0 and rendered.stderr == "",
              rendered.stderr)
        text = run(["man", "-l", "-P", "cat", path], env=env).stdout
        pages[page] = re.sub(".\b", "", text).replace("\u2010", "-")
    commands, cli_options = help_commands_and_options(help_text)
    check("--help lists commands", len(commands) >= 8, str(commands))
    cli_page = pages["ledgerkeeper-cli"]
    for word in commands + cli_options + ["--master-stdin", "LEDGERKEEPER_HOME", "XDG_DATA_HOME",
                                          "LEDGERKEEPER_UPDATE_URL", "Account/Protection.key", "EXIT STATUS"]:
        check(f"ledgerkeeper-cli(1) documents {word}", re.search(rf"(?<![\w-]){re.escape(word)}(?![\w-])", cli_page))
    for word in ["--version", "--help", "LEDGERKEEPER_HOME"]:
        check(f"ledgerkeeper(1) documents {word}", word in pages["ledgerkeeper"])


def check_completion(root, cli, store, help_text):
    script = os.path.join(root, "usr/share/bash-completion/completions/ledgerkeeper-cli")
    driver = r'''
source "$1"; shift
COMP_WORDS=("$@"); COMP_CWORD=$(( $# - 1 )); COMPREPLY=()
_ledgerkeeper_cli
printf '%s\n' "${COMPREPLY[@]}"
'''

    def completions(*words):
        completed = run(["bash", "-c", driver, "complete", script, cli, *words])
        check(f"completion of {' '.join(words)!r} runs", completed.returncode == 0, completed.stderr)
        return completed.stdout.split("\n")[:-1]

    commands, _ = help_commands_and_options(help_text)
    offered = completions("")
    for command in commands:
        check(f"completion offers the command {command}", command in offered, str(offered))
    check("completion offers the global options", set(completions("--")) >= {"--home", "--master-stdin",
                                                                            "--version", "--help"})
    check("completion offers the options of show", completions("--home", store, "show", "Bank", "--")
          == ["--password", "--json"])
    check("completion offers the orders", completions("list", "--order", "") == ["frequency", "alphabet"])
    names = completions("--home", store, "show", "")
    check("completion offers the account names of --home's store", names == ["Bank", "Mail"], str(names))
    check("completion narrows account names", completions("--home", store, "delete", "M") == ["Mail"])


def check_metainfo(root):
    if shutil.which("appstreamcli") is None:
        print("note: appstreamcli is not installed; the AppStream metadata is not validated")
        return
    metainfo = os.path.join(root, "usr/share/metainfo/example.ledgerkeeper.ledgerkeeper.metainfo.xml")
    validated = run(["appstreamcli", "validate", "--no-net", metainfo])
    check("appstreamcli validate --no-net accepts the metainfo", validated.returncode == 0, validated.stdout)


with tempfile.TemporaryDirectory(prefix="ledgerkeeper-package-") as scratch:
    root = os.path.join(scratch, "root")
    unpacked = run(["dpkg-deb", "-x", package, root])
    if unpacked.returncode != 0:
        print(f"dpkg-deb -x {package} failed: {unpacked.stderr}")
        sys.exit(1)
    check_files(root)
    cli = os.path.join(root, "usr/bin/ledgerkeeper-cli")
    help_text, store = check_cli(cli, scratch)
    if with_window:
        check_window(os.path.join(root, "usr/bin/ledgerkeeper"))
    check_manual_pages(root, help_text)
    check_completion(root, cli, store, help_text)
    check_metainfo(root)

if failures:
    print("\n".join(failures))
    sys.exit(1)
print(f"{package}: unpacked, its files in place, its ledgerkeeper-cli ran on a scratch store")
