# The two commands: `make run` plays the game, `make test` runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)
# The prefix the game is built for, whose data folder it falls back on: the package's.
PREFIX ?= /usr

.PHONY: all setup build run test package screenshots clean format windows-deps windows \
  windows-test web-deps web web-serve web-test

all: build

setup:
	@scripts/setup

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./kervana

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The Debian package, build/kervana_VERSION_ARCH.deb.
package: build
	cd $(BUILD) && cpack -G DEB

screenshots: build
	scripts/screenshots $(BUILD)

# The Windows build: cross-built with mingw-w64 against the libraries that windows-deps builds
# once from Debian's sources into ~/.cache/kervana/deps/. The Linux build's data tool paints the
# data and the program's icon. Ends with the zip and the installer in build-windows/dist/.
WINDOWS_BUILD ?= build-windows

windows-deps:
	@scripts/setup windows
	scripts/build-deps windows

windows: windows-deps build
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/windows-toolchain.cmake \
	  -DKV_DEPS_PREFIX="$$(scripts/build-deps windows | tail -n 1)" \
	  -DKV_HOST_DATA_TOOL="$(CURDIR)/$(BUILD)/kervana-data" \
	  -DCMAKE_CROSSCOMPILING_EMULATOR="$(CURDIR)/scripts/wine-run"
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	cmake --build $(WINDOWS_BUILD) --target dist

# The Windows build's tests, run under Wine in a prefix of the build folder's own
# ($(WINDOWS_BUILD)/wine-prefix) with dummy audio and video: no window or display needed.
windows-test: windows
	cd $(WINDOWS_BUILD) && ctest --output-on-failure -j $(JOBS)

# The game as one static page in build-web/: index.html, kervana.js, kervana.wasm and the data
# preloaded as kervana.data, built with Debian's emscripten against the libraries web-deps builds
# once from Debian's sources into ~/.cache/kervana/deps/. The Linux build's data tool paints the
# data. web-serve serves the page on this machine; web-test plays it in headless Chromium.
WEB_BUILD ?= build-web
WEB_PORT ?= 8080
# Emscripten's tools start a Python for every file they compile: Debian's own, not one a version
# manager may put first in PATH (its shims cost a second a start). Optimised links need acorn.
WEB_ENV = EMSDK_PYTHON=/usr/bin/python3 NODE_PATH=/usr/share/nodejs

web-deps:
	@scripts/setup web
	$(WEB_ENV) scripts/build-deps-web

web: web-deps build
	$(WEB_ENV) cmake -S . -B $(WEB_BUILD) \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/web-toolchain.cmake \
	  -DKV_DEPS_PREFIX="$$(scripts/build-deps-web | tail -n 1)" \
	  -DKV_HOST_DATA_TOOL="$(CURDIR)/$(BUILD)/kervana-data"
	$(WEB_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)

web-serve: web
	@echo "Kervana: http://127.0.0.1:$(WEB_PORT)/"
	cd $(WEB_BUILD) && python3 -m http.server $(WEB_PORT) --bind 127.0.0.1

web-test: web
	tests/web/run-web-tests $(BUILD) $(WEB_BUILD)

format:
	find app media ingame newgame platform tools tests bench fuzz -name '*.cpp' -o -name '*.h' \
	  | xargs clang-format -i

clean:
	rm -rf $(BUILD)
