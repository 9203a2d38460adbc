# Thin wrapper over CMake: `make run` starts the program, `make test` runs every test.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
CMAKE_FLAGS ?=

.PHONY: run test build setup configure bench sanitize fuzz-build clean install package

setup:
	./scripts/setup.sh

configure: setup
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/src/shell/tavoro

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench: build
	./$(BUILD_DIR)/bench/tavoro-bench

# Under PREFIX (DESTDIR is honoured); the menu, file types and icons are refreshed when installing
# into the live system.
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)
	@if [ -z "$(DESTDIR)" ]; then \
		command -v update-mime-database >/dev/null && update-mime-database $(PREFIX)/share/mime; \
		command -v update-desktop-database >/dev/null && update-desktop-database -q $(PREFIX)/share/applications; \
		command -v gtk-update-icon-cache >/dev/null && gtk-update-icon-cache -q -t $(PREFIX)/share/icons/hicolor; \
		true; \
	fi

# A Debian package (build/tavoro_VERSION_ARCH.deb) of the same files under /usr.
package: build
	cd $(BUILD_DIR) && cpack -G DEB

sanitize:
	$(MAKE) test BUILD_DIR=build-sanitize BUILD_TYPE=Debug CMAKE_FLAGS=-DTAVORO_SANITIZE=ON

# Every libFuzzer target, built with clang in a folder of its own (build only; README says how to fuzz).
fuzz-build: setup
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DTAVORO_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS) --target fuzz_targets

clean:
	rm -rf $(BUILD_DIR) build-fuzz
