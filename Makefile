# Everything starts here: each target installs what is missing first.
SANITIZE ?=
ifeq ($(SANITIZE),1)
BUILD_DIR ?= build-sanitize
SANITIZER_FLAGS := -DZORELMINA_SANITIZE=ON
# Also read by the test programs when ctest lists their tests.
export ASAN_OPTIONS := detect_leaks=1:check_initialization_order=1
export LSAN_OPTIONS := suppressions=$(CURDIR)/tests/sanitizers/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS := print_stacktrace=1:halt_on_error=1
else
BUILD_DIR ?= build
SANITIZER_FLAGS := -DZORELMINA_SANITIZE=OFF
endif
BUILD_TYPE ?= Debug
# CI builds with warnings as errors.
WERROR := $(if $(filter true,$(CI)),ON,OFF)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

PREFIX ?= /usr/local
PACKAGE_DIR ?= build-package

.PHONY: all deps configure build test run install package bench lint clean

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(SANITIZER_FLAGS) -DZORELMINA_WERROR=$(WERROR)

build: configure
	cmake --build $(BUILD_DIR) --parallel $(JOBS)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure --parallel $(JOBS)

run: build
	$(BUILD_DIR)/app/zorelmina

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# A release build without tests, packaged as zorelmina_<version>_<arch>.deb
# in this folder.
package: deps
	cmake -S . -B $(PACKAGE_DIR) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
	cmake --build $(PACKAGE_DIR) --parallel $(JOBS)
	cd $(PACKAGE_DIR) && cpack -G DEB
	cp $(PACKAGE_DIR)/zorelmina_*.deb .

# Benchmarks in a release build of their own; figures, not pass or fail.
bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DZORELMINA_BENCHMARKS=ON
	cmake --build build-bench --parallel $(JOBS)
	build-bench/bench/zorelmina_bench

# clang-tidy over our own sources, tests and benchmarks included.
LINT_SOURCES = $(wildcard quiz/*.cpp platform/*.cpp window/*.cpp app/*.cpp bench/*.cpp tests/*/*.cpp)
lint: deps
	cmake -S . -B build-lint -DCMAKE_BUILD_TYPE=Debug -DZORELMINA_BENCHMARKS=ON
	cmake --build build-lint --parallel $(JOBS)
	printf '%s\n' $(LINT_SOURCES) | xargs -P $(JOBS) -n 1 clang-tidy -p build-lint --quiet

clean:
	rm -rf $(BUILD_DIR) $(PACKAGE_DIR) build-* zorelmina_*.deb
