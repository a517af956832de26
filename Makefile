# The two commands: `make run` plays the game, `make test` runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)
# The prefix the game is built for, whose data folder it falls back on: the package's.
PREFIX ?= /usr

.PHONY: all setup build run test package screenshots clean format

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

format:
	find app media ingame newgame platform tools tests bench fuzz -name '*.cpp' -o -name '*.h' \
	  | xargs clang-format -i

clean:
	rm -rf $(BUILD)
