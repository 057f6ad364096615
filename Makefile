# Set-up, build, tests and the demo. `make demo` and `make test` install
# whatever is missing first (Debian 12, as root).
BUILD ?= build
JOBS ?= 2
BUILD_TYPE ?= RelWithDebInfo
# Warnings are errors in CI.
WERROR := $(if $(CI),ON,OFF)

.PHONY: all deps configure build test demo clean format-check

all: build

deps:
	@tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DPATHWICK_WERROR=$(WERROR)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

demo: build
	$(BUILD)/workbench/pathwick demo

format-check:
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) build-*
