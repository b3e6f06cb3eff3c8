# Entry points (see README.md):
#   make run    build everything and start the installer's 64-bit twin under wine64
#   make test   build everything and run the unit and acceptance suites
#   make unit   native unit tests only

BUILD       := build
NATIVE      := $(BUILD)/native
WINDOWS     := $(BUILD)/windows
WIN64       := $(BUILD)/win64
HOST_TOOLS  := $(abspath $(NATIVE))/tools
JOBS        ?= $(shell nproc)

.PHONY: all deps build native windows win64 test unit acceptance run fuzz bench format clean

all: build

deps:
	@scripts/ensure-packages.sh

native: deps
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(NATIVE) -j $(JOBS)

windows: native
	cmake -S . -B $(WINDOWS) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake \
	      -DTESSALY_HOST_TOOLS=$(HOST_TOOLS) >/dev/null
	cmake --build $(WINDOWS) -j $(JOBS)

win64: native
	cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-mingw.cmake \
	      -DTESSALY_HOST_TOOLS=$(HOST_TOOLS) >/dev/null
	cmake --build $(WIN64) -j $(JOBS)

build: native windows win64

unit: native
	ctest --test-dir $(NATIVE) --output-on-failure -j $(JOBS)

acceptance: build
	tests/acceptance/run-all.sh

test: unit acceptance

fuzz: deps
	tests/fuzz/run-fuzz.sh $(FUZZ_SECONDS)

bench: native
	$(NATIVE)/payload_bench

run: build
	tests/acceptance/run-installer.sh

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
