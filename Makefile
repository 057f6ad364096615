# Set-up, build, tests and the demo. `make demo` and `make test` install
# whatever is missing first (Debian 12, as root).
BUILD ?= build
JOBS ?= 2
BUILD_TYPE ?= RelWithDebInfo
# Warnings are errors in CI.
WERROR := $(if $(CI),ON,OFF)

.PHONY: all deps configure build test test-quick demo clean format-check naming-check

all: build

deps:
	@tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DPATHWICK_WERROR=$(WERROR)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

# The quick plain run first, then the whole suite under the address,
# undefined-behaviour and leak sanitizers, then short fuzzing runs.
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)
	tools/sanitize.sh
	tools/fuzz.sh

test-quick: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

demo: build
	$(BUILD)/bin/pathwick demo

format-check: deps
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')

# The naming rule of .clang-tidy over the production sources (tests/ and
# generated sources are left out); any finding fails.
naming-check: configure
	tools/naming-check.sh $(BUILD) $(JOBS)

clean:
	rm -rf $(BUILD) build-*
