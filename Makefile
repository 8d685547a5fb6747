# Thin wrapper: install what is missing, configure, build, run, test, benchmark, install, package.
BUILD ?= build
FUZZ_BUILD ?= build-fuzz
SANITIZE_BUILD ?= build-asan
PACKAGE_BUILD ?= build-package
FUZZ_SECONDS ?= 30
CMAKE_FLAGS ?=
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: deps configure build run test test-sanitize bench fuzz install package clean

deps:
	@scripts/install-deps

# Sources are compiled a few files to a unit, as in the sanitizer build: a fresh build is shorter, and
# two files' local names that would clash there fail here first.
configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON -DCMAKE_UNITY_BUILD=ON $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD)

run: build
	cd $(BUILD) && ./vexolin demo/Demo.VxDatabase

test: build
	cd $(BUILD) && ctest --output-on-failure -j2

# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer; the first report
# fails the test it happens in. Leaks inside the GL driver and the font libraries are not ours and
# are suppressed by name (tests/lsan.supp). Sources are compiled a few files to a unit to keep the build short.
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE= -DVEXOLIN_SANITIZE=ON -DCMAKE_UNITY_BUILD=ON \
	  $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(SANITIZE_BUILD)
	cd $(SANITIZE_BUILD) && \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --output-on-failure -j2

bench: build
	@cmake --build $(BUILD) --target benchmarks
	@for b in $$(find $(BUILD)/bench -maxdepth 1 -name 'bench_*' -type f -executable | sort); do \
	  QT_QPA_PLATFORM=offscreen $$b 2>/dev/null || exit 1; done

fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=ON \
	  -DCMAKE_CXX_COMPILER=clang++ -DVEXOLIN_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) --target fuzzers
	@for f in $$(find $(FUZZ_BUILD)/fuzz -maxdepth 1 -name 'fuzz_*' -type f -executable | sort); do \
	  n=$$(basename $$f); mkdir -p $(FUZZ_BUILD)/corpus/$$n; \
	  echo "== $$n for $(FUZZ_SECONDS)s"; \
	  $$f -max_total_time=$(FUZZ_SECONDS) -max_len=65536 $(FUZZ_BUILD)/corpus/$$n fuzz/seeds/$$n || exit 1; \
	done

# Builds what is not built yet (configuring only a new build folder, so that `sudo make install`
# after `make` leaves the build alone), then installs under $(DESTDIR)$(PREFIX). Installed for
# real (no DESTDIR), the desktop's caches of file types, launchers and icons there are brought up
# to date, as a package's triggers would, so that a double-click on a database opens Vexolin.
install:
	@[ -f $(BUILD)/CMakeCache.txt ] || $(MAKE) configure
	@cmake --build $(BUILD)
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"
	@if [ -z "$(DESTDIR)" ]; then \
	  ! command -v update-mime-database >/dev/null || update-mime-database "$(PREFIX)/share/mime"; \
	  ! command -v update-desktop-database >/dev/null || update-desktop-database -q "$(PREFIX)/share/applications"; \
	  ! command -v gtk-update-icon-cache >/dev/null || gtk-update-icon-cache -q -t -f "$(PREFIX)/share/icons/hicolor" || true; \
	fi

# A Debian package of the same files, installed under /usr, in $(PACKAGE_BUILD)/: a build of its
# own that makes the program and what it installs, without the tests, benchmarks and demo.
package: deps
	@cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
	  $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(PACKAGE_BUILD)
	@cd $(PACKAGE_BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) $(SANITIZE_BUILD) $(PACKAGE_BUILD)
