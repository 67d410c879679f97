# ClickPocket. Quick start: `make run` and `make test` (as root they install what
# is missing first). See README.md.
BUILD      := build
JOBS       := $(shell nproc 2>/dev/null || echo 2)
# make test ARCH=i686 (or x86_64) tests that build alone.
ARCH       ?=
# make run, bench and screenshots use one build: i686 where Wine runs it.
RUN_ARCH    = $(firstword $(shell tools/test-arch.sh))
TEST_BUILD  = $(if $(filter i686,$(RUN_ARCH)),$(BUILD),$(BUILD)/x86_64)

.PHONY: all build deps configure test run dist bench screenshots clean

all: build

deps:
	@tools/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release

$(BUILD)/x86_64/CMakeCache.txt:
	cmake -S . -B $(BUILD)/x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release

# The program folder build/dist: ClickPocket.exe, ClickPocket.dll, readme.txt, license.txt.
build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS) --target dist_folder

# Every test layer, through ctest, on each build that this host's Wine can run
# (tools/test-builds.sh; docs/testing.md).
test: deps build $(BUILD)/x86_64/CMakeCache.txt
	@tools/test-builds.sh $(BUILD) $(ARCH)

# Starts the program under Wine; with no display, shows it on a virtual one and
# saves a screenshot under build/screenshots/.
run: deps build $(TEST_BUILD)/CMakeCache.txt
	cmake --build $(TEST_BUILD) -j $(JOBS) --target dist_folder cplook
	tools/run.sh $(TEST_BUILD)

# Every window of the program, photographed under Xvfb + Wine into docs/screenshots/.
screenshots: deps build $(TEST_BUILD)/CMakeCache.txt
	cmake --build $(TEST_BUILD) -j $(JOBS) --target dist_folder cplook
	tools/screenshots.sh $(TEST_BUILD)

# build/package/: ClickPocket-<version>-i686.zip and -x86_64.zip, and SHA256SUMS;
# the same commit gives the same bytes in any clone (README.md).
dist: build $(BUILD)/x86_64/CMakeCache.txt
	cmake --build $(BUILD)/x86_64 -j $(JOBS) --target dist_folder
	tools/pack.sh $(BUILD)/package i686=$(BUILD) x86_64=$(BUILD)/x86_64

bench: deps build $(TEST_BUILD)/CMakeCache.txt
	cmake --build $(TEST_BUILD) -j $(JOBS)
	bench/run.sh $(TEST_BUILD)

clean:
	rm -rf $(BUILD)
