# Everything starts here: each target installs what is missing first.
BUILD_DIR ?= build
BUILD_TYPE ?= Debug
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

PREFIX ?= /usr/local
PACKAGE_DIR ?= build-package

.PHONY: all deps configure build test run install package bench clean

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

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
	cmake -S . -B $(PACKAGE_DIR) -DCMAKE_BUILD_TYPE=Release -DZORELMINA_TESTS=OFF
	cmake --build $(PACKAGE_DIR) --parallel $(JOBS)
	cd $(PACKAGE_DIR) && cpack -G DEB
	cp $(PACKAGE_DIR)/zorelmina_*.deb .

# Benchmarks in a release build of their own; figures, not pass or fail.
bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DZORELMINA_TESTS=OFF -DZORELMINA_BENCHMARKS=ON
	cmake --build build-bench --parallel $(JOBS)
	build-bench/bench/zorelmina_bench

clean:
	rm -rf $(BUILD_DIR) $(PACKAGE_DIR) build-* zorelmina_*.deb
