# The two commands of the README: `make run` and `make test`.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 45
EXPLORE_MINUTES ?= 10

.PHONY: run test setup native windows fuzz bench test-native test-wine test-fuzz package test-package screenshots explore clean

run: setup windows
	scripts/run-launcher.sh build/windows

test: setup
	scripts/test-all.sh

setup:
	scripts/setup.sh

# One configure-and-build rule for every CMake preset.
native windows fuzz bench:
	cmake --preset $@ >/dev/null
	cmake --build build/$@ -j$(JOBS)

test-native: native
	ctest --test-dir build/native --output-on-failure -j$(JOBS)

test-wine: windows
	scripts/wine-session.sh build/windows ctest --test-dir build/windows --output-on-failure

test-fuzz: fuzz
	tests/fuzz/run-fuzz.sh build/fuzz $(FUZZ_SECONDS)

# Seeded random real input on the real launcher: EXPLORE_MINUTES of fresh
# seeds, or SEED=n (with STATE=name and STEPS=n as it printed) to replay a run.
explore: setup windows
	scripts/wine-session.sh build/windows python3 tests/explore/explore.py \
	    build/windows/bin/QuillDeck.exe build/windows/tests/support \
	    $(if $(SEED),--seeds $(SEED),--minutes $(EXPLORE_MINUTES)) \
	    $(if $(STATE),--state $(STATE)) $(if $(STEPS),--steps $(STEPS))

# dist/QuillDeck-<version>.zip: the launcher alone, no tests built.
package: setup
	cmake --preset windows >/dev/null
	cmake --build build/windows -j$(JOBS) --target QuillDeck
	packaging/package.sh build/windows dist

# Two clean builds must give the same package bytes.
test-package: setup
	tests/package/reproducible.sh $(JOBS)

# Copies the screenshots the end-to-end tests took into docs/ for the README.
screenshots:
	scripts/update-screenshots.sh build/windows

clean:
	rm -rf build dist
