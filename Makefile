# Plumex: the two commands a newcomer needs are `make run` and `make test`.
.PHONY: all build test bench fuzz deps run format clean examples package

JOBS ?= $(shell nproc)
TEST_DIR := build/test
RELEASE_DIR := build/release
FUZZ_SECONDS ?= 10

all: build

deps:
	bash scripts/install-deps

build: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE_DIR) -j $(JOBS)

# Builds the editor and opens it on an example drawing (another one: make run FILE=path.plx).
FILE ?= examples/letter_p.plx
run: deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target plumex
	$(RELEASE_DIR)/app/qt/plumex $(FILE)

# Debug build with AddressSanitizer and UndefinedBehaviorSanitizer, built with clang so the
# same tree also carries the libFuzzer targets; each fuzzer runs for a bounded time.
test: deps
	CC=clang CXX=clang++ cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DPLUMEX_SANITIZE=ON -DPLUMEX_FUZZ=ON -DPLUMEX_FUZZ_SECONDS=$(FUZZ_SECONDS)
	cmake --build $(TEST_DIR) -j $(JOBS)
	@# Both compilers must build it warning-free: the Release tree is the g++ one.
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE_DIR) -j $(JOBS)
	cd $(TEST_DIR) && ctest --output-on-failure -j2

# The Debian package of the Release tree: build/release/plumex_<version>_amd64.deb
package: build
	cmake --build $(RELEASE_DIR) --target package

bench: build
	@for b in $(RELEASE_DIR)/bench/bench_*; do echo "== $$b"; $$b || exit 1; done

# Longer fuzzing session: make fuzz FUZZ_SECONDS=600
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	    -DPLUMEX_SANITIZE=ON -DPLUMEX_FUZZ=ON -DPLUMEX_FUZZ_SECONDS=$(FUZZ_SECONDS)
	cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && ctest --output-on-failure -L fuzz

format:
	git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf build

# Regenerates examples/*.plx and *.inc with plumex-cli and renders docs/examples.png and
# docs/pov-forms.png.
examples: build
	bash examples/make-examples $(RELEASE_DIR)/cli/plumex-cli
