# LedgerKeeper: every set-up step a fresh Debian 12 machine needs, behind two commands.
#   make run   installs what is missing, builds and starts the program
#   make test  installs what is missing, builds and runs every test

JOBS ?= 2
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test cli bench install package clean test-asan fuzz lint

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_EXPORT_COMPILE_COMMANDS=ON $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	./$(BUILD_DIR)/ledgerkeeper

# The package is made first so that the packaging test checks this build's package.
test: package
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The program's start is timed over data folders of these sizes (each run a fresh process).
WINDOW_START_COUNTS ?= 6 10000

bench: build
	./$(BUILD_DIR)/bench/ledgerkeeper-bench
	QT_QPA_PLATFORM=offscreen ./$(BUILD_DIR)/bench/ledgerkeeper-window-bench
	./$(BUILD_DIR)/bench/ledgerkeeper-window-start --runs 5 $(WINDOW_START_COUNTS)

install: build
	cmake --install $(BUILD_DIR)

# The Debian package $(BUILD_DIR)/ledgerkeeper_<version>-<release>_<arch>.deb (CPack).
package: build
	cd $(BUILD_DIR) && cpack

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer, the
# windowed program's tests included (offscreen). Any finding fails its test.
ASAN_CMAKE_FLAGS ?= -DLEDGERKEEPER_BUILD_GUI=ON
SANITIZER_ENV = \
	ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0

test-asan: deps
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLEDGERKEEPER_SANITIZE=ON \
		-DLEDGERKEEPER_BUILD_BENCH=OFF $(ASAN_CMAKE_FLAGS)
	cmake --build $(ASAN_DIR) -j$(JOBS)
	cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen $(SANITIZER_ENV) ctest --output-on-failure -j$(JOBS)

# libFuzzer targets (clang), each run for FUZZ_SECONDS on a copy of its seed corpus.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60

fuzz: deps
	cmake -S fuzz -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_DIR) -j$(JOBS)
	bash fuzz/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# clang-tidy (.clang-tidy) over every source of the project in the build's
# compile_commands.json; any finding fails.
# The fuzz targets are linted too once their build folder exists.
lint: build
	run-clang-tidy -p $(BUILD_DIR) -j $(JOBS) -quiet \
		-header-filter='^$(CURDIR)/(src|tests|bench)/' '^$(CURDIR)/(src|tests|bench)/'
	if [ -f $(FUZZ_DIR)/compile_commands.json ]; then \
		run-clang-tidy -p $(FUZZ_DIR) -j $(JOBS) -quiet -header-filter='^$(CURDIR)/fuzz/' '^$(CURDIR)/fuzz/'; \
	fi

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(FUZZ_DIR)
