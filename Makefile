# Short commands for Varnel. `make run` and `make test` are the two that matter.
JOBS ?= 2
CMAKE_FLAGS ?=
FUZZ_SECONDS ?= 30
# Paths relative to the checkout, so that ccache hits in any clone.
export CCACHE_BASEDIR ?= $(CURDIR)
# Debug info would otherwise put the build folder into every hash, and no other clone could hit.
export CCACHE_NOHASHDIR ?= 1

.PHONY: all deps build run test quick asan fuzz fuzz-build bench format tidy install package clean

all: build

deps:
	./scripts/install-deps

build/build.ninja:
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: deps build/build.ninja
	cmake --build build -j $(JOBS)

run: build
	./scripts/run-varnel build/app/varnel

# The program, its menu entry, icon, AppStream file and file type; `make install PREFIX=~/.local`
# installs for one user.
PREFIX ?= /usr/local
install: build
	cmake --install build --prefix "$(PREFIX)"

# varnel_VERSION_ARCH.deb here, for `sudo apt install ./varnel_*.deb`.
package: build
	cd build && cpack
	cp build/varnel_*.deb .

# Everything CI checks: the suite in a normal and in a sanitizer build, then the fuzz smoke runs.
test: quick asan fuzz

quick: build
	ctest --test-dir build --output-on-failure -j $(JOBS)

build-asan/build.ninja:
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVARNEL_SANITIZE=ON $(CMAKE_FLAGS)

asan: deps build-asan/build.ninja
	cmake --build build-asan -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --test-dir build-asan --output-on-failure -j $(JOBS)

build-fuzz/build.ninja:
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNEL_FUZZ=ON

fuzz-build: deps build-fuzz/build.ninja
	cmake --build build-fuzz -j $(JOBS)

# Replays each seed corpus, then fuzzes each target for FUZZ_SECONDS.
fuzz: fuzz-build
	./scripts/fuzz-smoke build-fuzz $(FUZZ_SECONDS)

build-bench/build.ninja:
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARNEL_BENCH=ON -DVARNEL_TESTS=OFF

bench: deps build-bench/build.ninja
	cmake --build build-bench -j $(JOBS)
	for b in build-bench/bench/*_bench; do $$b; done

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

tidy: build
	git ls-files 'model/*.cpp' 'output/*.cpp' 'app/*.cpp' 'platform/*.cpp' 'config/*.cpp' 'ui/*.cpp' | xargs clang-tidy -p build --quiet

clean:
	rm -rf build build-asan build-fuzz build-bench
