# The two commands: `make run` plays the game, `make test` runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all setup build run test screenshots clean format

all: build

setup:
	@scripts/setup

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD) && ./kervana

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

screenshots: build
	scripts/screenshots $(BUILD)

format:
	find app media ingame newgame platform tools tests bench fuzz -name '*.cpp' -o -name '*.h' \
	  | xargs clang-format -i

clean:
	rm -rf $(BUILD)
