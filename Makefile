# ClickPocket. Quick start: `make run` and `make test` (as root they install what
# is missing first). See README.md.
BUILD      := build
JOBS       := $(shell nproc 2>/dev/null || echo 2)
# make test ARCH=i686 (or x86_64) tests that build alone.
ARCH       ?=
# make run, bench and screenshots use one build: i686 where Wine runs it.
RUN_ARCH    = $(firstword $(shell tools/test-arch.sh))
TEST_BUILD  = $(if $(filter i686,$(RUN_ARCH)),$(BUILD),$(BUILD)/x86_64)

.PHONY: all build deps configure test run folders dist manifests windows-kit sign verify-signed check-release bench screenshots clean

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

# Both program folders: build/dist (i686) and build/x86_64/dist.
folders: build $(BUILD)/x86_64/CMakeCache.txt
	cmake --build $(BUILD)/x86_64 -j $(JOBS) --target dist_folder

# build/package/: ClickPocket-<version>-i686.zip and -x86_64.zip, and SHA256SUMS;
# the same commit gives the same bytes in any clone (README.md).
dist: folders
	tools/pack.sh $(BUILD)/package i686=$(BUILD) x86_64=$(BUILD)/x86_64

# make manifests RELEASE_URL=<https:// address the release's files will have>: the winget
# and Scoop manifests of the release in $(BUILD)/package (made first by make dist),
# or of the one in RELEASE=<folder>, into its manifests/ (README.md, "Install with
# winget or Scoop"; tools/manifests.py).
RELEASE ?=
export RELEASE_URL
manifests: $(if $(RELEASE),deps,dist)
	@tools/manifests.py write "$(or $(RELEASE),$(BUILD)/package)" "$(RELEASE_URL)"

# build/windows-kit/<arch>/: cpsmoke.exe, its click targets and the Win32 tests,
# to check the archives of make dist on a Windows PC (docs/testing.md).
windows-kit: folders
	tools/windows-kit.sh $(BUILD)/windows-kit $(BUILD) $(BUILD)/x86_64

# Signed releases (README.md, "Signing a release"; tools/sign.sh). make sign takes
# SIGN_CERTS, SIGN_PASS_FILE, SIGN_TIMESTAMP (or SIGN_NO_TIMESTAMP=1), and
# SIGN_PKCS11_MODULE with SIGN_KEY (a pkcs11: URI) or SIGN_PKCS12; with
# RELEASE_URL it writes the manifests too. It builds the working tree's commit in
# a clean clone (KEEP=<folder> keeps it for the next run) and writes $(SIGN_OUT):
# the archives of make dist with signed programs, SHA256SUMS and signatures/.
SIGN_OUT ?= $(BUILD)/package-signed
SIGNED   ?= $(SIGN_OUT)
export SIGN_CERTS SIGN_PKCS12 SIGN_PKCS11_MODULE SIGN_KEY SIGN_PASS_FILE SIGN_TIMESTAMP SIGN_NO_TIMESTAMP OSSLSIGNCODE

sign: deps
	@tools/sign.sh sign "$(SIGN_OUT)" $(KEEP)

# Checks every signature in the archives of SIGNED against the certificates in CA.
verify-signed: deps
	@tools/sign.sh verify "$(SIGNED)" "$(CA)"

# Builds the commit of SIGNED in a clean clone, attaches its published signatures
# and compares the result with its archives byte for byte. KEEP=<folder> keeps the
# clone and its builds there, for a later check of the same commit.
check-release: deps
	@tools/sign.sh check "$(SIGNED)" $(KEEP)

bench: deps build $(TEST_BUILD)/CMakeCache.txt
	cmake --build $(TEST_BUILD) -j $(JOBS)
	bench/run.sh $(TEST_BUILD)

clean:
	rm -rf $(BUILD)
