# Thin wrapper: install what is missing, configure, build, run, test, benchmark.
BUILD ?= build
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 30
CMAKE_FLAGS ?=

.PHONY: deps configure build run test bench fuzz clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD)

run: build
	cd $(BUILD) && ./vexolin demo/Demo.VxDatabase

test: build
	cd $(BUILD) && ctest --output-on-failure -j2

bench: build
	@cmake --build $(BUILD) --target benchmarks
	@for b in $$(find $(BUILD)/bench -maxdepth 1 -name 'bench_*' -type f -executable | sort); do \
	  QT_QPA_PLATFORM=offscreen $$b 2>/dev/null || exit 1; done

fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DVEXOLIN_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) --target fuzzers
	@for f in $$(find $(FUZZ_BUILD)/fuzz -maxdepth 1 -name 'fuzz_*' -type f -executable | sort); do \
	  n=$$(basename $$f); mkdir -p $(FUZZ_BUILD)/corpus/$$n; \
	  echo "== $$n for $(FUZZ_SECONDS)s"; \
	  $$f -max_total_time=$(FUZZ_SECONDS) -max_len=65536 $(FUZZ_BUILD)/corpus/$$n fuzz/seeds/$$n || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
