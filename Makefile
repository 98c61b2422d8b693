# One-command entry points; each installs what is missing first (Debian 12).
#   make test   set-up, build under ASan+UBSan, all tests (the window's too), the fuzzers,
#               the Debian package where its tools are installed
#   make run    set-up, build, render the default stereogram, open the window if there is a display
#   make package  set-up with the packaging tools, the Debian package in dist/, checked

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
# Line tables only (-g1): enough for sanitizer reports and debuggers' backtraces, and a
# quarter quicker to compile than full debug information.
CMAKE_FLAGS = -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" \
              $(if $(CI),-DSTEREO_WERROR=ON)
# The sanitized build optimises at -O1, as the sanitizers' makers advise: it compiles in two
# thirds of the time that -O2 takes, and runs the suite about as fast.
ASAN_FLAGS  = $(subst -O2 ,-O1 ,$(CMAKE_FLAGS))
FULL_FLAGS  = -DSTEREO_BUILD_APP=ON -DSTEREO_BUILD_TOOLS=ON -DSTEREO_BUILD_BENCH=ON -DSTEREO_SANITIZE=OFF

.PHONY: setup build test test-fast test-asan fuzz package package-check run bench screenshot depth-sources-picture animation-picture reveal-picture samples models install clean

setup:
	bash scripts/setup-debian.sh

build: setup
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) $(FULL_FLAGS)
	cmake --build $(BUILD) -j$(JOBS)

test-fast: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# The whole tree under the sanitizers: one build serves every test, the window's included.
test-asan: setup
	cmake -S . -B $(ASAN_BUILD) $(ASAN_FLAGS) $(FULL_FLAGS) -DSTEREO_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j$(JOBS)

fuzz: setup
	bash scripts/run-fuzzers.sh

# Builds and checks the package where the packaging tools are installed; skipped elsewhere.
package-check: setup
	bash scripts/build-package.sh --if-tools

package:
	bash scripts/setup-debian.sh --package
	bash scripts/build-package.sh

# The suite runs last so that its summary closes the output; test-fast runs it unsanitized.
test: fuzz package-check test-asan

run: build
	$(BUILD)/cli/stereogramm-cli -o stereogram.png
	@echo "Wrote $(CURDIR)/stereogram.png"
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ -x $(BUILD)/app/stereogramm ]; then \
	  echo "Opening the window"; $(BUILD)/app/stereogramm; \
	else \
	  echo "No display: the window is not opened."; \
	fi

bench: build
	$(BUILD)/bench/stereogramm-bench
	$(BUILD)/bench/stereogramm-batch-bench
	$(BUILD)/bench/stereogramm-window-bench

screenshot: build
	bash scripts/setup-debian.sh --docs
	bash scripts/make-screenshot.sh $(BUILD)/app/stereogramm

depth-sources-picture: build
	bash scripts/setup-debian.sh --docs
	bash scripts/make-depth-sources-picture.sh $(BUILD)/cli/stereogramm-cli

animation-picture: build
	bash scripts/make-animation-picture.sh $(BUILD)/cli/stereogramm-cli

reveal-picture: build
	bash scripts/setup-debian.sh --docs
	bash scripts/make-reveal-picture.sh $(BUILD)/cli/stereogramm-cli

samples: setup
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) $(FULL_FLAGS)
	cmake --build $(BUILD) -j$(JOBS) --target samples

models: setup
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) $(FULL_FLAGS)
	cmake --build $(BUILD) -j$(JOBS) --target models

install: build
	cmake --install $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) build-fuzz build-deb dist
