# Two commands do everything on a fresh Debian machine:
#   make test   install what is missing, build both DLLs and the tests, run the suite
#   make demo   the same set-up, then run the demo host (32- and 64-bit;
#               DEMO_ARGS="--scale 150 --contrast": on a screen at 150% or
#               200%, in high contrast)
#   make soak   the same set-up, then the long random-input soak of every class
#   make bench  the same set-up, then the benchmark against the system's controls, both architectures
#   make dist   build both DLLs and pack the host developer's kit,
#               $(BUILD)/qx_cntl-<version>.zip
#   make gallery  the pictures of every control in docs/gallery/, made anew
#   make mutants  plant the faults of tests/mutants/ one at a time and run the
#               suite against each (long; not part of make test)
# `make` alone builds without testing.

BUILD ?= build
B32 := $(BUILD)/i686
B64 := $(BUILD)/x86_64
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all build deps test demo dist gallery soak bench mutants clean

all: build

deps:
	@./scripts/install-deps.sh

$(B32)/build.ninja: | deps
	cmake -G Ninja -S . -B $(B32) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686.cmake $(CMAKE_FLAGS)

$(B64)/build.ninja: | deps
	cmake -G Ninja -S . -B $(B64) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64.cmake $(CMAKE_FLAGS)

build: deps $(B32)/build.ninja $(B64)/build.ninja
	cmake --build $(B32)
	cmake --build $(B64)

dist: build
	cmake -DB32=$(B32) -DB64=$(B64) -DOUT=$(BUILD) -P kit/make-dist.cmake

# The suite unpacks the kit and builds against it.
test: dist
	./scripts/run-tests.sh $(B32) $(B64)

demo: build
	./scripts/run-demo.sh $(B64) $(B32) $(DEMO_ARGS)

gallery: build
	./scripts/run-gallery.sh $(B64) docs/gallery

# The long soak: 200,000 events per class, two classes at a time (one in
# each look); its short pass is part of `make test`. SOAK_ARGS passes
# run-soak.sh's and qx_soak's arguments (--look, --seed, --class, --events).
soak: build
	./scripts/run-soak.sh $(B64) $(SOAK_ARGS)

# The full benchmark (long: 10,000 operations a side for every case, both
# looks); its quick mode is part of `make test`.
bench: build
	./scripts/run-bench.sh $(B64)

# Faults planted one at a time, in a copy of the source with build trees of
# its own (build/mutants); MUTANTS_ARGS passes run-mutants.sh's arguments
# (-R <ctest regex>, fault ids or list names).
mutants: deps
	./scripts/run-mutants.sh $(MUTANTS_ARGS)

clean:
	rm -rf $(BUILD)
