# Everything starts here: each target installs what is missing first
# (tools/install-deps.sh, Debian 12 and 13); NO_DEPS=1 skips that, for
# machines where the packages came another way.
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
# The Linux and Windows trees compile their sources a few to a file (a
# unity build), in half the time, each header read once for them all; make
# lint reads each source on its own, which also finds one that leans on
# another's includes.
UNITY := -DCMAKE_UNITY_BUILD=ON
# CI builds with warnings as errors.
WERROR := $(if $(filter true,$(CI)),ON,OFF)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
NO_DEPS ?=

PREFIX ?= /usr/local
PACKAGE_DIR ?= build-package
VERSION := $(shell sed -n 's/^ *VERSION \([0-9.]*\)$$/\1/p' CMakeLists.txt)

# The Windows program: 64-bit, its tests run under 64-bit Wine, and 32-bit,
# its tests run under 32-bit Wine where the machine runs 32-bit programs.
WINDOWS_64 := build-windows-x86_64
WINDOWS_32 := build-windows-i686
WINDOWS_FLAGS := -DCMAKE_BUILD_TYPE=MinSizeRel -DZORELMINA_WERROR=$(WERROR) $(UNITY)
# Asked when a recipe runs, not when make reads this file: on a fresh machine
# the dependency script installs MinGW-w64 only after that.
HAVE_MINGW := command -v x86_64-w64-mingw32-g++-posix >/dev/null && command -v i686-w64-mingw32-g++-posix >/dev/null
MINGW_PACKAGES := g++-mingw-w64-x86-64-posix, g++-mingw-w64-i686-posix

# The quiz in a browser: zorelmina.html, from the same C++ compiled to
# WebAssembly with Debian's emscripten (run with Debian's Python).
WEB_DIR := build-web
HAVE_EMSCRIPTEN := command -v emcmake >/dev/null && command -v em++ >/dev/null
EMSCRIPTEN_ENV := EMSDK_PYTHON=$(shell test -x /usr/bin/python3 && echo /usr/bin/python3 || echo python3)

.PHONY: all deps configure build test test-linux test-windows test-web test-long windows-tests run install package windows windows-programs web web-page bench lint clean

all: build

deps:
ifneq ($(NO_DEPS),1)
	@./tools/install-deps.sh
endif

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(SANITIZER_FLAGS) -DZORELMINA_WERROR=$(WERROR) $(UNITY)

build: configure
	cmake --build $(BUILD_DIR) --parallel $(JOBS)

# ctest in each tree of the list at once, each run's output to tests.log
# in its tree, shown whole once all have ended; fails if any run fails.
side_by_side = failed=0; runs=; \
  for tree in $(1); do ctest --test-dir $$tree --output-on-failure --parallel $(JOBS) --label-exclude 'web|long' \
    >$$tree/tests.log 2>&1 & runs="$$runs $$!"; done; \
  for run in $$runs; do wait $$run || failed=1; done; \
  for tree in $(1); do cat $$tree/tests.log; done; [ $$failed -eq 0 ]

# Every test: the Linux program's, and (but for the sanitizer build, which
# is about our code on Linux) the page's in the browsers and the Windows
# program's under Wine. Under Wine a test mostly waits, so the Windows
# programs' tests run beside each other and beside the Linux program's.
ifeq ($(SANITIZE),1)
test: test-linux
else
test: test-web windows
	@trees=$(BUILD_DIR); if $(HAVE_MINGW); then trees="$$trees $(WINDOWS_64) $(WINDOWS_32)"; fi; \
	$(call side_by_side,$$trees)
endif

test-linux: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure --parallel $(JOBS) --label-exclude web

# The page's tests are built with the Linux ones and drive the pages that
# make web leaves. Each waits on the browser at every round trip, so one
# run more than there are processors keeps them busy (103 s instead of
# 115 here).
WEB_JOBS := $(shell echo $$(( $(JOBS) + 1 )))
test-web: build web
	@if $(HAVE_EMSCRIPTEN); then ZORELMINA_WEB_PAGES=$(CURDIR)/$(WEB_DIR) \
	  ctest --test-dir $(BUILD_DIR) --output-on-failure --parallel $(WEB_JOBS) --label-regex web --label-exclude long \
	  --no-tests=error; fi

# The runs too long for make test, which CI makes too: the long randomized
# games under Wine, in Firefox and in WebKitGTK, and the page as a screen
# reader reads it in Chromium.
test-long: build web windows
	@if $(HAVE_EMSCRIPTEN); then ZORELMINA_WEB_PAGES=$(CURDIR)/$(WEB_DIR) \
	  ctest --test-dir $(BUILD_DIR) --output-on-failure --parallel $(JOBS) --label-regex long; fi
	@if $(HAVE_MINGW); then ctest --test-dir $(WINDOWS_64) --output-on-failure --label-regex long; fi

test-windows: windows
	@if $(HAVE_MINGW); then $(MAKE) --no-print-directory windows-tests; fi

# The 64- and 32-bit programs' tests side by side, each on displays and in
# prefixes of its own: the two take hardly longer than one.
windows-tests:
	@$(call side_by_side,$(WINDOWS_64) $(WINDOWS_32))

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

# zorelmina.exe (64-bit), zorelmina-32bit.exe, zorelmina-<version>.msi and
# zorelmina-<version>-32bit.msi
# in this folder, cross-compiled with MinGW-w64.
# Without MinGW-w64 it is skipped only where the dependency script was told
# not to run (NO_DEPS=1); after the script, a missing compiler is an error.
windows: deps
	@if $(HAVE_MINGW); then $(MAKE) --no-print-directory windows-programs; \
	elif [ "$(NO_DEPS)" = 1 ]; then echo "windows: MinGW-w64 ($(MINGW_PACKAGES)) is not installed; skipped"; \
	else echo "windows: MinGW-w64 ($(MINGW_PACKAGES)) is missing after tools/install-deps.sh" >&2; exit 1; fi

windows-programs:
	cmake -S . -B $(WINDOWS_64) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-x86_64.cmake $(WINDOWS_FLAGS)
	cmake --build $(WINDOWS_64) --parallel $(JOBS)
	cmake -S . -B $(WINDOWS_32) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-i686.cmake $(WINDOWS_FLAGS)
	cmake --build $(WINDOWS_32) --parallel $(JOBS)
	cp $(WINDOWS_64)/app/zorelmina.exe zorelmina.exe
	cp $(WINDOWS_32)/app/zorelmina.exe zorelmina-32bit.exe
	cp $(WINDOWS_64)/zorelmina-$(VERSION).msi $(WINDOWS_32)/zorelmina-$(VERSION)-32bit.msi .
	@ls -l zorelmina.exe zorelmina-32bit.exe zorelmina-$(VERSION).msi zorelmina-$(VERSION)-32bit.msi

# Benchmarks in a release build of their own; figures, not pass or fail.
bench: deps windows web
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DZORELMINA_BENCHMARKS=ON \
	  -DZORELMINA_WEB_PAGE=$(CURDIR)/$(WEB_DIR)/app/zorelmina.html \
	  -DZORELMINA_WINDOWS_PROGRAM=$(CURDIR)/$(WINDOWS_64)/app/zorelmina.exe \
	  -DZORELMINA_WINDOWS_BARE=$(CURDIR)/$(WINDOWS_64)/bench/bare_window.exe \
	  -DZORELMINA_WINDOWS_BARE_TEXT=$(CURDIR)/$(WINDOWS_64)/bench/bare_text_window.exe \
	  -DZORELMINA_WINDOWS_CONTROLS=$(CURDIR)/$(WINDOWS_64)/bench/controls_window.exe
	cmake --build build-bench --parallel $(JOBS)
	xvfb-run -a -s "-screen 0 1024x768x24 -noreset" build-bench/bench/zorelmina_bench

# clang-tidy over our own sources, tests and benchmarks, and through them
# every header of ours they include. The Linux sources are read through a
# compile database of their own, one source at a time (the test build's
# lists its unity files instead), which needs the tree configured only; so
# are the Windows program's.
LINT_DIR := build-lint
LINT_WINDOWS_DIR := build-lint-windows
LINT_SOURCES = $(filter-out %_windows.cpp tests/packaging/% tests/platform/win32/% tests/support/win32_% tests/support/test_page_program.cpp, \
  $(wildcard quiz/*.cpp platform/*.cpp platform/qt/*.cpp window/*.cpp app/main.cpp app/qt_start.cpp \
  bench/*.cpp tests/*/*.cpp tests/platform/*/*.cpp))
# The Windows program's sources and the page's, each through a compile
# database for its own compiler: clang reads MinGW-w64's headers for its
# target (the C++ library's and Windows's, its own intrinsics), and
# emscripten's sysroot.
# The Windows API passes handles and pointers through integers (LPARAM,
# MAKEINTRESOURCE), structures through unions (VARIANT, INPUT) and has
# pointer types for handles (a const HWND is meant): the checks against
# those idioms are left out for its code.
WINDOWS_IDIOMS = -cppcoreguidelines-pro-type-reinterpret-cast,-performance-no-int-to-ptr,$\
  -cppcoreguidelines-pro-type-union-access,-misc-misplaced-const
LINT_WINDOWS = $(wildcard platform/win32/*.cpp app/main_windows.cpp bench/*_windows.cpp \
  tests/platform/win32/*.cpp tests/support/win32_*.cpp tests/packaging/windows/*.cpp)
LINT_WEB = $(wildcard platform/web/*.cpp app/main_web.cpp tests/support/test_page_program.cpp)
MINGW_INCLUDES = { x86_64-w64-mingw32-g++-posix -E -x c++ -v - </dev/null 2>&1 \
  | sed -n '/<...> search starts here/,/End of search list/s/^ //p' | grep -v -e '/include$$' -e 'include-fixed' ; \
  x86_64-w64-mingw32-g++-posix -E -x c++ -v - </dev/null 2>&1 | sed -n 's/^ \(.*mingw32\/include\)$$/\1/p' ; }
EMSCRIPTEN_SYSROOT := /usr/share/emscripten/cache/sysroot
TIDY = clang-tidy --quiet
lint: deps windows web
	@# The benchmarks described too (not built), for their sources.
	cmake -S . -B $(LINT_DIR) -DCMAKE_BUILD_TYPE=Debug -DZORELMINA_SANITIZE=OFF -DZORELMINA_BENCHMARKS=ON \
	  -DCMAKE_UNITY_BUILD=OFF >/dev/null
	printf '%s\n' $(LINT_SOURCES) | xargs -P $(JOBS) -n 1 $(TIDY) -p $(LINT_DIR)
	@if $(HAVE_MINGW); then cmake -S . -B $(LINT_WINDOWS_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=MinSizeRel -DCMAKE_UNITY_BUILD=OFF >/dev/null && \
	  printf '%s\n' $(LINT_WINDOWS) | xargs -P $(JOBS) -n 1 $(TIDY) -p $(LINT_WINDOWS_DIR) \
	  --checks=$(WINDOWS_IDIOMS) --extra-arg=--target=x86_64-w64-mingw32 \
	  $$($(MINGW_INCLUDES) | sed 's/^/--extra-arg-before=-isystem/'); fi
	@if $(HAVE_EMSCRIPTEN); then printf '%s\n' $(LINT_WEB) | xargs -P $(JOBS) -n 1 $(TIDY) -p $(WEB_DIR) \
	  --extra-arg=--target=wasm32-unknown-emscripten --extra-arg=--sysroot=$(EMSCRIPTEN_SYSROOT) \
	  --extra-arg=-Xclang --extra-arg=-iwithsysroot/include/compat --extra-arg=-D__EMSCRIPTEN__ \
	  --extra-arg=-DEMSCRIPTEN --extra-arg=-D_LIBCPP_ABI_VERSION=2; fi

# zorelmina.html in this folder: one page, the program inside it.
web: deps
	@if $(HAVE_EMSCRIPTEN); then $(MAKE) --no-print-directory web-page; \
	elif [ "$(NO_DEPS)" = 1 ]; then echo "web: emscripten is not installed; skipped"; \
	else echo "web: emscripten is missing after tools/install-deps.sh" >&2; exit 1; fi

web-page:
	$(EMSCRIPTEN_ENV) emcmake cmake -S . -B $(WEB_DIR) -DCMAKE_BUILD_TYPE=MinSizeRel -DZORELMINA_WERROR=$(WERROR)
	$(EMSCRIPTEN_ENV) cmake --build $(WEB_DIR) --parallel $(JOBS)
	cp $(WEB_DIR)/app/zorelmina.html $(WEB_DIR)/app/zorelmina-scorm12.zip $(WEB_DIR)/app/zorelmina-scorm2004.zip .
	@ls -l zorelmina.html zorelmina-scorm12.zip zorelmina-scorm2004.zip

# Every tree configured with Ninja too, each into a scratch folder afresh,
# and built dry: two rules for one file (a custom command's output named
# like a target), which Make lets pass, fail here in seconds. CI runs it;
# where a tool is missing with NO_DEPS=1 its trees are skipped, as make
# windows and make web skip theirs.
NINJA_CHECK_DIR := build-ninja-check
HAVE_NINJA := command -v ninja >/dev/null
ninja_dry_run = rm -rf $(NINJA_CHECK_DIR)/$(1) && mkdir -p $(NINJA_CHECK_DIR) && \
  { $(3) cmake -S . -B $(NINJA_CHECK_DIR)/$(1) -G Ninja $(2) && ninja -C $(NINJA_CHECK_DIR)/$(1) -n; } \
    >$(NINJA_CHECK_DIR)/$(1).log 2>&1 \
  || { cat $(NINJA_CHECK_DIR)/$(1).log >&2; echo "check-generators: the $(1) tree fails with Ninja" >&2; exit 1; }
# Opens an if that runs what follows where the tool is; close it with fi.
ninja_check_needs = if ! { $(1); }; then \
  if [ "$(NO_DEPS)" = 1 ]; then echo "check-generators: $(2) is not installed; $(3) skipped"; \
  else echo "check-generators: $(2) is missing after tools/install-deps.sh" >&2; exit 1; fi; else

.PHONY: check-generators
check-generators: deps
	@$(call ninja_check_needs,$(HAVE_NINJA),ninja (ninja-build),every tree) \
	  $(call ninja_dry_run,linux,-DCMAKE_BUILD_TYPE=Debug -DZORELMINA_BENCHMARKS=ON); \
	  $(call ninja_dry_run,sanitize,-DCMAKE_BUILD_TYPE=Debug -DZORELMINA_SANITIZE=ON); \
	  $(call ninja_dry_run,bench,-DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DZORELMINA_BENCHMARKS=ON); \
	  $(call ninja_check_needs,$(HAVE_MINGW),MinGW-w64 ($(MINGW_PACKAGES)),the Windows trees) \
	    $(call ninja_dry_run,windows-x86_64,-DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-x86_64.cmake $(WINDOWS_FLAGS)); \
	    $(call ninja_dry_run,windows-i686,-DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-i686.cmake $(WINDOWS_FLAGS)); fi; \
	  $(call ninja_check_needs,$(HAVE_EMSCRIPTEN),emscripten,the web tree) \
	    $(call ninja_dry_run,web,-DCMAKE_BUILD_TYPE=MinSizeRel,$(EMSCRIPTEN_ENV) emcmake); fi; \
	  echo "check-generators: each tree configures and plans its build with Ninja"; fi

clean:
	rm -rf $(BUILD_DIR) $(PACKAGE_DIR) build-* zorelmina_*.deb zorelmina.exe zorelmina-32bit.exe zorelmina-*.msi zorelmina.html