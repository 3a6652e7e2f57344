"""lintian finds no error in the Debian package. Warnings are printed, not
failed on: the one expected is initial-upload-closes-no-bugs, as the package is
not uploaded to Debian and so has no bug to close."""

import argparse
import subprocess
import sys

from built_package import package_or_skip

parser = argparse.ArgumentParser()
parser.add_argument("--package", required=True)
parser.add_argument("--built", action="append", default=[], help="a program of this build (repeatable)")
options = parser.parse_args()

package = package_or_skip(options.package, options.built, ["lintian"])
report = subprocess.run(["lintian", "--no-tag-display-limit", package], capture_output=True, text=True, timeout=600)
print(report.stdout, end="")
errors = [line for line in report.stdout.splitlines() if line.startswith("E:")]
# lintian exits 2 when it could not check the package at all.
if report.returncode not in (0, 1) or errors:
    print(report.stderr, end="")
    sys.exit(1)
print(f"lintian: no error in {package}")
