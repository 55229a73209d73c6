# Everything starts here: each target installs what is missing first.
BUILD_DIR ?= build
BUILD_TYPE ?= Debug
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build test run bench clean

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

clean:
	rm -rf $(BUILD_DIR) build-*
