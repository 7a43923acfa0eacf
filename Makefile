# The two commands of the README: `make run` and `make test`.
# Both install what is missing, configure and build first.

BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=

.PHONY: run test build configure deps bench clean

run: build
	$(BUILD)/cli/korvexa-cli show examples/sample.slab

test: build
	cd $(BUILD) && ctest --output-on-failure -j2 $(CTEST_ARGS)

bench: build
	$(BUILD)/bench/design_bench

build: configure
	cmake --build $(BUILD) -j2

configure: deps
	@if [ ! -f $(BUILD)/build.ninja ]; then \
	  cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS); \
	fi

deps:
	@scripts/install-deps

clean:
	rm -rf $(BUILD)
