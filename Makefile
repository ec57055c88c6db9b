# Drives the CMake configurations in the order they depend on each other:
# native (host tools, portable libraries, native tests), then the mingw-w64
# cross builds that use the host tools (x64, the i686 product, the i686 test
# program), then one CTest run over everything.
BUILD ?= build
JOBS ?= $(shell nproc)
TYPE ?= RelWithDebInfo
WINTYPE ?= Release
ROOT := $(abspath .)
B := $(abspath $(BUILD))

.PHONY: all deps native win32 win32-tests win64 test run clean

all: win32 win32-tests

# Installs whatever Debian packages are missing (quick when none are).
deps:
	$(ROOT)/tools/bootstrap.sh

native: deps
	cmake -S $(ROOT) -B $(B)/native -DCMAKE_BUILD_TYPE=$(TYPE) \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DWIN32_BUILD_DIR=$(B)/win32 -DWIN32_TESTS_BUILD_DIR=$(B)/win32-tests \
	  -DWIN64_BUILD_DIR=$(B)/win64 -DWINE_PREFIX_DIR=$(B)/wine
	cmake --build $(B)/native -j $(JOBS)

win64: native
	cmake -S $(ROOT) -B $(B)/win64 -DCMAKE_BUILD_TYPE=$(WINTYPE) \
	  -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/toolchain-x86_64-w64-mingw32.cmake \
	  -DHOST_BIN_DIR=$(B)/native/bin
	cmake --build $(B)/win64 -j $(JOBS)

win32: native win64
	cmake -S $(ROOT) -B $(B)/win32 -DCMAKE_BUILD_TYPE=$(WINTYPE) \
	  -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/toolchain-i686-w64-mingw32.cmake \
	  -DHOST_BIN_DIR=$(B)/native/bin -DWIN64_BUILD_DIR=$(B)/win64
	cmake --build $(B)/win32 -j $(JOBS)

# The Windows test program: the same sources with the posix thread model,
# which GoogleTest needs (std::mutex) and the product must not link.
win32-tests: native win64
	cmake -S $(ROOT) -B $(B)/win32-tests -DCMAKE_BUILD_TYPE=$(WINTYPE) \
	  -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/toolchain-i686-w64-mingw32-posix.cmake \
	  -DHOST_BIN_DIR=$(B)/native/bin -DWIN64_BUILD_DIR=$(B)/win64 -DKBD_WINDOWS_TESTS=ON
	cmake --build $(B)/win32-tests -j $(JOBS) --target wintests

test: all
	cd $(B)/native && ctest --output-on-failure -j 2

run: all
	$(ROOT)/tests/wine/wine-run.sh win32 $(B)/wine --gui $(B)/win32/bin/setup.exe

clean:
	rm -rf $(B)
