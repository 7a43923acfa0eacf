# The two commands of the README: `make run` and `make test`.
# Both install what is missing, configure and build first.

BUILD      ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_ARGS ?=

FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?=
FUZZ_FLAGS   ?=
# The readers of outside data under libFuzzer (fuzz/NAME_fuzz.cpp).
FUZZ_TARGETS := datafile cli_json settings history latex_header
TARGET       ?= datafile

.PHONY: run test build configure deps bench bench-cli fuzz fuzz-build clean install package

# FILE names the data file to open; FILE= starts with a new, empty data set.
FILE ?= examples/sample.slab

run: build
	$(BUILD)/app/korvexa $(FILE)

# The tests also need the TeX packages of the LaTeX compile test.
test: DEPS_ARGS = --test
test: build
	cd $(BUILD) && ctest --output-on-failure -j2 $(CTEST_ARGS)

# Installs the built programs under PREFIX (default /usr/local); run after
# `make build`, as root for a system folder.  It does not build, so that a
# root run leaves the build folder alone.
PREFIX ?= /usr/local
install:
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package $(BUILD)/korvexa_<version>_<arch>.deb (CPack).
package: DEPS_ARGS = --package
package: build
	cmake --build $(BUILD) --target package

bench: build
	$(BUILD)/bench/design_bench

# Whole korvexa-cli runs on 100,000 slabs (needs /usr/bin/time, package time).
bench-cli: build
	bench/cli_scale $(BUILD)

# One reader under libFuzzer with ASan and UBSan (TARGET=datafile,
# cli_json, settings, history or latex_header), built with clang in its own
# folder; it runs until stopped, or FUZZ_SECONDS.  Its corpus grows in
# $(FUZZ_BUILD)/corpus/TARGET from the seeds (fuzz/seeds/TARGET); inputs
# that once broke a rule (fuzz/regressions/TARGET) are run first.  A
# finding is written to $(FUZZ_BUILD)/TARGET-crash-*.  FUZZ_FLAGS passes
# more libFuzzer options (CI fixes -seed and -runs so its run repeats).
fuzz: fuzz-build
	@case " $(FUZZ_TARGETS) " in *" $(TARGET) "*) ;; *) echo "TARGET must be one of: $(FUZZ_TARGETS)"; exit 2;; esac
	mkdir -p $(FUZZ_BUILD)/corpus/$(TARGET)
	cp fuzz/seeds/$(TARGET)/* $(FUZZ_BUILD)/corpus/$(TARGET)/
	if [ -d fuzz/regressions/$(TARGET) ]; then cp fuzz/regressions/$(TARGET)/* $(FUZZ_BUILD)/corpus/$(TARGET)/; fi
	$(FUZZ_BUILD)/fuzz/$(TARGET)_fuzz -dict=fuzz/$(TARGET).dict -timeout=2 -rss_limit_mb=512 \
	  -artifact_prefix=$(FUZZ_BUILD)/$(TARGET)- -print_final_stats=1 \
	  $(if $(FUZZ_SECONDS),-max_total_time=$(FUZZ_SECONDS)) $(FUZZ_FLAGS) $(FUZZ_BUILD)/corpus/$(TARGET)

fuzz-build: deps
	@if [ ! -f $(FUZZ_BUILD)/build.ninja ]; then \
	  CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DKORVEXA_FUZZ=ON -DKORVEXA_SANITIZE=ON -DKORVEXA_BENCH=OFF; \
	fi
	cmake --build $(FUZZ_BUILD) -j2 --target $(FUZZ_TARGETS:%=%_fuzz)

build: configure
	cmake --build $(BUILD) -j2

configure: deps
	@if [ ! -f $(BUILD)/build.ninja ]; then \
	  cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_ARGS); \
	fi

deps:
	@scripts/install-deps $(DEPS_ARGS)

clean:
	rm -rf $(BUILD)
