"""The Debian package that `make package` left in the build folder, or the reason
why a packaging test cannot look at it (then the test reports itself skipped)."""

import os
import shutil
import sys

# CTest's SKIP_RETURN_CODE for the packaging tests.
SKIPPED = 77


def skip(reason):
    print(f"SKIPPED: {reason}")
    sys.exit(SKIPPED)


def package_or_skip(package, built_programs, tools):
    """Exits as skipped unless every tool is on PATH and the package exists and
    is at least as new as every built program (an older one is another build's)."""
    for tool in tools:
        if shutil.which(tool) is None:
            skip(f"{tool} is not installed; the package is not checked (scripts/install-deps.sh installs it)")
    if not os.path.isfile(package):
        skip(f"{package} does not exist; `make package` (or `make test`) builds it")
    made = os.path.getmtime(package)
    for program in built_programs:
        if os.path.exists(program) and os.path.getmtime(program) > made:
            skip(f"{package} is older than {program}; `make package` (or `make test`) makes it anew")
    return package
