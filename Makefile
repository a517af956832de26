# The two commands: `make run` plays the game, `make test` runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)
# The prefix the game is built for, whose data folder it falls back on: the package's.
PREFIX ?= /usr

.PHONY: all setup build run test package screenshots clean format windows-deps windows windows-test

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

format:
	find app media ingame newgame platform tools tests bench fuzz -name '*.cpp' -o -name '*.h' \
	  | xargs clang-format -i

clean:
	rm -rf $(BUILD)
