# LedgerKeeper: every set-up step a fresh Debian 12 machine needs, behind two commands.
#   make run   installs what is missing, builds and starts the program
#   make test  installs what is missing, builds and runs every test

JOBS ?= 2
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test cli bench install clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_EXPORT_COMPILE_COMMANDS=ON $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	./$(BUILD_DIR)/ledgerkeeper

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench: build
	./$(BUILD_DIR)/bench/ledgerkeeper-bench

install: build
	cmake --install $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR)
