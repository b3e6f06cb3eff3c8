# Entry points (see README.md):
#   make run    build everything and start the installer under Wine, as on 32-bit
#               Windows (WINDOWS=64: as on 64-bit Windows); see README.md
#   make test   build everything and run the unit and acceptance suites
#   make unit   native unit tests only
#   make sanitize  the unit tests under AddressSanitizer and UBSan
#   make release   build/release/tessaly-setup.exe and its .sha256; signed with
#                  SIGN_CERT=cert.pem SIGN_KEY=key.pem (SIGN_TIMESTAMP_URL optional)

BUILD       := build
NATIVE      := $(BUILD)/native
WIN32_BUILD := $(BUILD)/windows
WIN64_BUILD := $(BUILD)/win64
HOST_TOOLS  := $(abspath $(NATIVE))/tools
JOBS        ?= $(shell nproc)

.PHONY: all deps build native windows win64 test unit sanitize acceptance run release fuzz bench format clean

all: build

deps:
	@scripts/ensure-packages.sh

native: deps
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(NATIVE) -j $(JOBS)

windows: native
	cmake -S . -B $(WIN32_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake \
	      -DTESSALY_HOST_TOOLS=$(HOST_TOOLS) >/dev/null
	cmake --build $(WIN32_BUILD) -j $(JOBS)

win64: native
	cmake -S . -B $(WIN64_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-mingw.cmake \
	      -DTESSALY_HOST_TOOLS=$(HOST_TOOLS) >/dev/null
	cmake --build $(WIN64_BUILD) -j $(JOBS)

build: native windows win64

unit: native
	ctest --test-dir $(NATIVE) --output-on-failure -j $(JOBS)

# The unit suite built with AddressSanitizer and UndefinedBehaviorSanitizer
# (outside `make test`: a build of its own takes minutes).
sanitize: deps
	cmake -S . -B $(BUILD)/asan -DCMAKE_BUILD_TYPE=Debug \
	      -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer" \
	      -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
	cmake --build $(BUILD)/asan --target unit_tests -j $(JOBS)
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 $(BUILD)/asan/unit_tests --gtest_brief=1

acceptance: build
	tests/acceptance/run-all.sh

test: unit acceptance

release: windows
	SIGN_CERT="$(SIGN_CERT)" SIGN_KEY="$(SIGN_KEY)" SIGN_TIMESTAMP_URL="$(SIGN_TIMESTAMP_URL)" \
	    scripts/release.sh

fuzz: deps
	tests/fuzz/run-fuzz.sh $(FUZZ_SECONDS)

bench: native
	$(NATIVE)/payload_bench

# WINDOWS=32 (the default) or 64: the kind of Windows the installer meets.
run: build
	WINDOWS=$(or $(WINDOWS),32) tests/acceptance/run-installer.sh

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
